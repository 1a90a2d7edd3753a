#pragma once

#include "fonts/FontTable.h"

#include <QSet>
#include <QStringList>

#include <memory>

namespace fonts {

class TrialCopies;

// The font table over Qt's font database, on every platform. It lists the faces installed when
// the program started, and those of the trial fonts, as the Windows font table does: fonts
// installed meanwhile appear only at the next start.
//
// A trial font is a private application font: other programs never see it. The font database
// gets a copy of the file's bytes in which each face is renamed to a family of its own, so that
// asking for that family can draw no other file: not another style of an installed family,
// not a font previewed earlier, not a face Qt or fontconfig would put in its place.
//
// Qt (6.4) drops an application font only by forgetting every family and asking the system for all
// of them again: with 10,000 families that is most of 100 ms, on every click. So a font that
// leaves the table is kept loaded but hidden, which its family of its own makes harmless; the
// hidden ones leave the database all together once they pass either bound.
class QtFontTable : public FontTable
{
public:
    struct Limits
    {
        int hiddenFonts;
        qint64 hiddenBytes; // of the private copies, which the database reads
    };
    static constexpr Limits kLimits{32, 48 * 1024 * 1024};

    explicit QtFontTable(Limits limits = kLimits);
    ~QtFontTable() override;

    int count() const override { return static_cast<int>(faces_.size()); }
    QString face(int index) const override { return faces_.value(index); }
    QList<TrialFace> add(const QString &path, const QByteArray &bytes) override;
    void remove(const QString &path) override;
    void notify() override;

private:
    struct Loaded
    {
        QString path;
        size_t digest = 0;  // of the bytes it was loaded from, which the trial loader keeps
        qint64 size = 0;    // of the copy
        int id = -1;
        QString copy;       // the private copy the font database reads
        QList<TrialFace> faces;
    };
    void unload(const Loaded &font);

    const Limits limits_;
    const QStringList base_; // the installed faces, as the program started
    QSet<QString> baseKeys_; // and case-folded
    std::unique_ptr<TrialCopies> copies_;
    int loaded_ = 0;
    QList<Loaded> live_;     // in the table
    QList<Loaded> hidden_;   // out of the table, still in the font database
    qint64 hiddenBytes_ = 0;
    QStringList faces_;      // the enumeration, as of the last notification
};

} // namespace fonts
