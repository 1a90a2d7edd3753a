#include "fonts/FontTable.h"

#include "fonts/faces.h"
#include "fonts/system.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

// A trial font as the font database holds it.
struct TrialFont
{
    QString path;
    int id = -1;
    QString copy;         // the private copy the font database reads
    QByteArray bytes;     // what the file held when it was added
    QStringList families; // what the font database registered it under
    bool clean = false;   // none of them is, or looks like, a family anything else has
};

bool lessCaseless(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// The font table over Qt's font database, on every platform. A trial font is a private
// application font: other programs never see it, and nothing of it outlives the process,
// even when the process dies. Its file is read once; the font database gets a private copy of
// those bytes, so any file name loads and nothing maps a file that someone else may change.
//
// Qt drops an application font only by forgetting every family and asking the system for all
// of them again: with 10,000 families that is most of 100 ms, on every click. So a font that
// leaves the table is kept loaded but hidden, as long as it cannot be mistaken for another:
// every family it has is its own. Hidden fonts leave the database all together, at one rebuild,
// when a new font shares a family with one of them or when they have grown to a bound. Fonts
// that are not so clean leave at once, as before.
class QtFontTable : public FontTable
{
public:
    QtFontTable()
    {
        rebuild();
        notify();
    }

    int count() const override { return static_cast<int>(faces_.size()); }
    QString face(int index) const override { return faces_.value(index); }
    QString familyToDraw(const QString &face) const override
    {
        // Only a face named like a generic family needs the list: most never cost it.
        return fonts::familyToDraw(face, fonts::isGenericFamily(face) ? QFontDatabase::families() : QStringList());
    }
    int generation() const override { return generation_; }
    std::optional<QStringList> addedFaces() const override { return added_; }

    void add(const QString &path) override
    {
        if (path.isEmpty() || std::any_of(live_.cbegin(), live_.cend(), [&](const TrialFont &f) { return f.path == path; }))
            return;
        // Only a family the file names itself is a face.
        const std::optional<QByteArray> bytes = fonts::readFontFile(path);
        if (!bytes || fonts::ownFamilyName(*bytes).isEmpty())
            return;
        // The same file again, unchanged since it was hidden: shown again, nothing loaded.
        const auto same = std::find_if(hidden_.begin(), hidden_.end(), [&](const TrialFont &f) {
            return f.path == path && f.bytes == *bytes;
        });
        if (same != hidden_.end()) {
            live_.append(*same);
            hiddenBytes_ -= same->bytes.size();
            hidden_.erase(same);
            return;
        }
        TrialFont font = load(path, *bytes);
        if (font.id >= 0 && sharesFamilyWithHidden(font)) {
            // Two fonts of one family would draw with either's glyphs: the hidden ones go first.
            unload(font);
            dropHidden();
            rebuild();
            font = load(path, *bytes);
        }
        if (font.id >= 0)
            live_.append(font);
    }

    void remove(const QString &path) override
    {
        const auto it = std::find_if(live_.begin(), live_.end(), [&](const TrialFont &f) { return f.path == path; });
        if (it == live_.end())
            return;
        const TrialFont font = *it;
        live_.erase(it);
        if (font.clean && hidden_.size() < kMaxHidden && hiddenBytes_ + font.bytes.size() <= kMaxHiddenBytes) {
            hidden_.append(font);
            hiddenBytes_ += font.bytes.size();
            return;
        }
        unload(font);
        dropHidden();
        // The removal leaves the database to be rebuilt on its next use. Rebuilt now, before
        // another font is added: a font added in between is put back without its foundry, and
        // one that names itself "Sans Serif" is then lost behind Qt's stand-in of that name.
        rebuild();
    }

    void notify() override
    {
        QStringList added;
        for (const TrialFont &f : live_)
            added += f.families;
        const bool clean = std::all_of(live_.cbegin(), live_.cend(), [](const TrialFont &f) { return f.clean; });
        QSet<QString> distinct;
        for (const QString &family : added)
            distinct.insert(family.toCaseFolded());
        if (clean && distinct.size() == added.size()) {
            // Clean families go in among the installed faces where the database sorts them,
            // and change none of them: the list is made without asking the database.
            std::sort(added.begin(), added.end(), lessCaseless);
            faces_ = base_;
            for (const QString &family : added)
                faces_.insert(std::lower_bound(faces_.begin(), faces_.end(), family, lessCaseless), family);
            added_ = added;
            return;
        }
        QStringList families = QFontDatabase::families();
        for (const TrialFont &f : hidden_)
            for (const QString &family : f.families)
                families.removeOne(family);
        faces_ = fonts::screenFaces(families);
        added_.reset();
    }

private:
    static constexpr int kMaxHidden = 32;
    static constexpr qint64 kMaxHiddenBytes = 48 * 1024 * 1024;

    TrialFont load(const QString &path, const QByteArray &bytes)
    {
        // Handed over by the path of a private copy, not as bytes: Qt 6.4 keeps the faces of
        // fonts added from memory under one key, so each would be drawn with the glyphs of the
        // first one still in use.
        TrialFont font{path, -1, privateCopy(bytes), bytes, {}, false};
        if (!font.copy.isEmpty())
            font.id = QFontDatabase::addApplicationFont(font.copy);
        if (font.id < 0) {
            QFile::remove(font.copy);
            return font;
        }
        font.families = QFontDatabase::applicationFontFamilies(font.id);
        const QSet<QString> &keys = baseKeys();
        font.clean = std::none_of(font.families.cbegin(), font.families.cend(), [&keys](const QString &family) {
            return fonts::isGenericFamily(family) || family.endsWith(QLatin1Char(']')) || keys.contains(family.toCaseFolded());
        });
        return font;
    }

    // Made on the first trial load, not at start-up, where it would only slow the window.
    const QSet<QString> &baseKeys() const
    {
        if (baseKeys_.isEmpty()) {
            for (const QString &family : baseFamilies_) {
                baseKeys_.insert(family.toCaseFolded());
                baseKeys_.insert(family.left(family.lastIndexOf(QLatin1String(" ["))).toCaseFolded());
            }
        }
        return baseKeys_;
    }

    bool sharesFamilyWithHidden(const TrialFont &font) const
    {
        for (const TrialFont &h : hidden_)
            for (const QString &family : h.families)
                if (font.families.contains(family, Qt::CaseInsensitive))
                    return true;
        return false;
    }

    static void unload(const TrialFont &font)
    {
        QFontDatabase::removeApplicationFont(font.id);
        QFile::remove(font.copy);
    }

    void dropHidden()
    {
        for (const TrialFont &f : hidden_)
            unload(f);
        hidden_.clear();
        hiddenBytes_ = 0;
    }

    // The installed faces, from a database that holds no trial font but those still shown.
    void rebuild()
    {
        QStringList families = QFontDatabase::families();
        for (const TrialFont &f : live_)
            for (const QString &family : f.families)
                families.removeOne(family);
        baseFamilies_ = families;
        baseKeys_.clear();
        QStringList base = fonts::screenFaces(families);
        if (base != base_) // mostly the same faces again: those recorded as installed still are
            ++generation_;
        base_ = base;
    }

    // A file of the program's own (in the session's runtime folder, which only this user can
    // read) holding the bytes; "" when it could not be written whole.
    QString privateCopy(const QByteArray &bytes)
    {
        if (!copies_) {
            const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
            copies_ = std::make_unique<QTemporaryDir>((runtime.isEmpty() ? QDir::tempPath() : runtime)
                                                      + QStringLiteral("/vexlora-trial-XXXXXX"));
        }
        QFile file(copies_->filePath(QStringLiteral("trial-%1.ttf").arg(++copied_)));
        if (!copies_->isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            file.remove();
            return {};
        }
        return file.fileName();
    }

    std::unique_ptr<QTemporaryDir> copies_;
    int copied_ = 0;
    QList<TrialFont> live_;   // in the table
    QList<TrialFont> hidden_; // out of the table, still in the font database
    qint64 hiddenBytes_ = 0;
    QStringList base_;        // the installed faces, as of the last rebuild
    QStringList baseFamilies_;        // their families, as Qt lists them
    mutable QSet<QString> baseKeys_;  // and those with their stems, case-folded
    int generation_ = 0;
    QStringList faces_;       // the enumeration, as of the last notification
    std::optional<QStringList> added_;
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
