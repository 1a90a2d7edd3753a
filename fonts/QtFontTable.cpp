#include "fonts/FontTable.h"

#include "fonts/faces.h"
#include "fonts/sfnt.h"
#include "fonts/system.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLockFile>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

bool lessCaseless(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

const QString kCopiesPattern = QStringLiteral("vexlora-trial-");
const QString kOwnerLock = QStringLiteral("owner.lock");

// The folder of this process's private copies of trial fonts. A copy must not outlive the
// process, however it ends; what a killed process left, the next start removes.
class TrialCopies
{
public:
    TrialCopies() { removeLeftovers(fonts::trialCopiesRoot()); }

    QString write(const QByteArray &bytes)
    {
        if (!dir_)
            open();
        QFile file(dir_->filePath(QStringLiteral("trial-%1.ttf").arg(++written_)));
        if (!dir_->isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            file.remove();
            return {};
        }
        return file.fileName();
    }

private:
    // The folders whose owner is gone, removed when the program starts. A folder without an
    // owner's lock may be one that another copy of the program is making at this moment: it
    // goes only once it is a minute old.
    static void removeLeftovers(const QString &root)
    {
        const QFileInfoList folders = QDir(root).entryInfoList({kCopiesPattern + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo &folder : folders) {
            const QString lockPath = folder.filePath() + QLatin1Char('/') + kOwnerLock;
            if (!QFileInfo::exists(lockPath) && folder.lastModified().secsTo(QDateTime::currentDateTime()) < 60)
                continue;
            QLockFile lock(lockPath);
            if (lock.tryLock(0)) { // a lock whose process has died is taken over
                lock.unlock();
                QDir(folder.filePath()).removeRecursively();
            }
        }
    }

    void open()
    {
        dir_ = std::make_unique<QTemporaryDir>(fonts::trialCopiesRoot() + QLatin1Char('/') + kCopiesPattern + QStringLiteral("XXXXXX"));
        if (dir_->isValid()) {
            lock_ = std::make_unique<QLockFile>(dir_->filePath(kOwnerLock));
            lock_->tryLock(0);
        }
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QLockFile> lock_; // released before the folder goes: declared after it
    int written_ = 0;
};

// A trial font as the font database holds it.
struct TrialFont
{
    QString path;
    QByteArray bytes;     // what the file held when it was added
    int id = -1;
    QString copy;         // the private copy the font database reads
    QStringList faces;    // each face's name as the Windows font table lists it ("" for none)
    QStringList families; // the family of the copy's face of the same index, its own alone
};

// The font table over Qt's font database, on every platform. It lists the faces installed when
// the program started, and those of the trial fonts, as the Windows font table does: fonts
// installed meanwhile appear only at the next start.
//
// A trial font is a private application font: other programs never see it. The font database
// gets a copy of the file's bytes in which each face is renamed to a family of its own, so that
// asking for that family can draw no other file: not another style of an installed family,
// not a font previewed earlier, not a face Qt or fontconfig would put in its place.
//
// Qt drops an application font only by forgetting every family and asking the system for all
// of them again: with 10,000 families that is most of 100 ms, on every click. So a font that
// leaves the table is kept loaded but hidden, which its family of its own makes harmless; the
// hidden ones leave the database all together once they have grown to a bound.
class QtFontTable : public FontTable
{
public:
    QtFontTable()
        : base_(fonts::installedFaces())
    {
        for (const QString &face : std::as_const(base_))
            baseKeys_.insert(face.toCaseFolded());
        notify();
    }

    int count() const override { return static_cast<int>(faces_.size()); }
    QString face(int index) const override { return faces_.value(index); }
    QString familyToDraw(const QString &face) const override
    {
        if (!baseKeys_.contains(face.toCaseFolded())) {
            for (const TrialFont &f : live_) {
                const qsizetype k = f.faces.indexOf(face);
                if (k >= 0)
                    return f.families[k];
            }
        }
        // Only a face named like a generic family needs the list: most never cost it.
        return fonts::familyToDraw(face, fonts::isGenericFamily(face) ? QFontDatabase::families() : QStringList());
    }
    QStringList addedFaces() const override { return added_; }

    void add(const QString &path, const QByteArray &bytes) override
    {
        if (path.isEmpty() || std::any_of(live_.cbegin(), live_.cend(), [&](const TrialFont &f) { return f.path == path; }))
            return;
        const QStringList faces = sfnt::windowsFamilies(bytes);
        if (std::all_of(faces.cbegin(), faces.cend(), [](const QString &face) { return face.isEmpty(); }))
            return;
        // The same file again, unchanged since it was hidden: shown again, nothing loaded.
        const auto same = std::find_if(hidden_.begin(), hidden_.end(), [&](const TrialFont &f) {
            return f.path == path && f.bytes == bytes;
        });
        if (same != hidden_.end()) {
            live_.append(*same);
            hiddenBytes_ -= same->bytes.size();
            hidden_.erase(same);
            return;
        }
        TrialFont font{path, bytes, -1, {}, faces, {}};
        ++loaded_;
        for (qsizetype k = 0; k < faces.size(); ++k)
            font.families.append(QStringLiteral("Vexlora Trial %1 %2").arg(loaded_).arg(k));
        const QByteArray copy = sfnt::renamed(bytes, font.families);
        font.copy = copy.isEmpty() ? QString() : copies_.write(copy);
        // Handed over by the path of a copy, not as bytes: Qt 6.4 keeps the faces of fonts added
        // from memory under one key, so each would be drawn with the glyphs of the first one.
        if (!font.copy.isEmpty())
            font.id = QFontDatabase::addApplicationFont(font.copy);
        if (font.id < 0) {
            QFile::remove(font.copy);
            return;
        }
        live_.append(font);
    }

    void remove(const QString &path) override
    {
        const auto it = std::find_if(live_.begin(), live_.end(), [&](const TrialFont &f) { return f.path == path; });
        if (it == live_.end())
            return;
        const TrialFont font = *it;
        live_.erase(it);
        if (hidden_.size() < kMaxHidden && hiddenBytes_ + font.bytes.size() <= kMaxHiddenBytes) {
            hidden_.append(font);
            hiddenBytes_ += font.bytes.size();
            return;
        }
        unload(font);
        for (const TrialFont &f : std::as_const(hidden_))
            unload(f);
        hidden_.clear();
        hiddenBytes_ = 0;
    }

    void notify() override
    {
        // The trial faces go in among the installed ones where the table sorts them; a face
        // listed already is listed once.
        QStringList added;
        for (const TrialFont &f : std::as_const(live_)) {
            for (const QString &face : f.faces) {
                const bool known = face.isEmpty() || baseKeys_.contains(face.toCaseFolded())
                    || std::any_of(added.cbegin(), added.cend(), [&face](const QString &a) { return a.compare(face, Qt::CaseInsensitive) == 0; });
                if (!known)
                    added.append(face);
            }
        }
        std::sort(added.begin(), added.end(), lessCaseless);
        faces_ = base_;
        for (const QString &face : std::as_const(added))
            faces_.insert(std::lower_bound(faces_.begin(), faces_.end(), face, lessCaseless), face);
        added_ = added;
    }

private:
    static constexpr int kMaxHidden = 32;
    static constexpr qint64 kMaxHiddenBytes = 48 * 1024 * 1024;

    static void unload(const TrialFont &font)
    {
        QFontDatabase::removeApplicationFont(font.id);
        QFile::remove(font.copy);
    }

    const QStringList base_;   // the installed faces, as the program started
    QSet<QString> baseKeys_;   // and case-folded
    TrialCopies copies_;
    int loaded_ = 0;
    QList<TrialFont> live_;    // in the table
    QList<TrialFont> hidden_;  // out of the table, still in the font database
    qint64 hiddenBytes_ = 0;
    QStringList faces_;        // the enumeration, as of the last notification
    QStringList added_;
};

FontTable *override_ = nullptr;

} // namespace

FontTable &FontTable::instance()
{
    static QtFontTable real;
    return override_ ? *override_ : real;
}

void FontTable::setInstance(FontTable *table)
{
    override_ = table;
}
