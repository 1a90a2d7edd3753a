#include "fonts/QtFontTable.h"

#include "base/version.h"
#include "fonts/faces.h"
#include "fonts/sfnt.h"
#include "fonts/system.h"

#include <QCoreApplication>
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

namespace fonts {
namespace {

bool lessCaseless(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

const QString kCopiesPattern = QStringLiteral(VEXLORA_APP_NAME "-trial-");
const QString kOwnerLock = QStringLiteral("owner.lock");

} // namespace

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

QtFontTable::QtFontTable(Limits limits)
    : limits_(limits)
    , base_(installedFaces())
    , copies_(std::make_unique<TrialCopies>())
{
    for (const QString &face : std::as_const(base_))
        baseKeys_.insert(face.toCaseFolded());
    notify();
}

QtFontTable::~QtFontTable()
{
    // The program's own table goes after the application, when Qt's font database is gone.
    if (!QCoreApplication::instance())
        return;
    for (const Loaded &f : std::as_const(live_) + hidden_)
        unload(f);
}

QList<TrialFace> QtFontTable::add(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return {};
    const auto live = std::find_if(live_.cbegin(), live_.cend(), [&](const Loaded &f) { return f.path == path; });
    if (live != live_.cend())
        return live->faces;
    const QStringList names = sfnt::windowsFamilies(bytes);
    if (std::all_of(names.cbegin(), names.cend(), [](const QString &name) { return name.isEmpty(); }))
        return {};
    // The same file again, unchanged since it was hidden: shown again, nothing loaded. A digest
    // rather than the bytes, so that the trial loader's buffer is the only one held.
    const size_t digest = qHash(bytes);
    const auto same = std::find_if(hidden_.begin(), hidden_.end(), [&](const Loaded &f) {
        return f.path == path && f.digest == digest;
    });
    if (same != hidden_.end()) {
        live_.append(*same);
        hiddenBytes_ -= same->size;
        hidden_.erase(same);
        return live_.last().faces;
    }
    Loaded font{path, digest, 0, -1, {}, {}};
    ++loaded_;
    QStringList families;
    for (qsizetype k = 0; k < names.size(); ++k) {
        families.append(QLatin1String(kTrialFamilyPrefix) + QStringLiteral("%1 %2").arg(loaded_).arg(k));
        font.faces.append({names[k], families.last()});
    }
    const QByteArray copy = sfnt::renamed(bytes, families);
    font.size = copy.size();
    font.copy = copy.isEmpty() ? QString() : copies_->write(copy);
    // Handed over by the path of a copy, not as bytes: Qt 6.4 keeps the faces of fonts added
    // from memory under one key, so each would be drawn with the glyphs of the first one.
    if (!font.copy.isEmpty())
        font.id = QFontDatabase::addApplicationFont(font.copy);
    if (font.id < 0) {
        QFile::remove(font.copy);
        return {};
    }
    live_.append(font);
    return font.faces;
}

void QtFontTable::remove(const QString &path)
{
    const auto it = std::find_if(live_.begin(), live_.end(), [&](const Loaded &f) { return f.path == path; });
    if (it == live_.end())
        return;
    const Loaded font = *it;
    live_.erase(it);
    if (hidden_.size() < limits_.hiddenFonts && hiddenBytes_ + font.size <= limits_.hiddenBytes) {
        hidden_.append(font);
        hiddenBytes_ += font.size;
        return;
    }
    unload(font);
    for (const Loaded &f : std::as_const(hidden_))
        unload(f);
    hidden_.clear();
    hiddenBytes_ = 0;
}

void QtFontTable::notify()
{
    // The trial faces go in among the installed ones where the table sorts them; a face
    // listed already is listed once.
    QStringList added;
    for (const Loaded &f : std::as_const(live_)) {
        for (const TrialFace &face : f.faces) {
            const bool known = face.name.isEmpty() || baseKeys_.contains(face.name.toCaseFolded())
                || std::any_of(added.cbegin(), added.cend(), [&face](const QString &a) { return a.compare(face.name, Qt::CaseInsensitive) == 0; });
            if (!known)
                added.append(face.name);
        }
    }
    std::sort(added.begin(), added.end(), lessCaseless);
    faces_ = base_;
    for (const QString &face : std::as_const(added))
        faces_.insert(std::lower_bound(faces_.begin(), faces_.end(), face, lessCaseless), face);
}

void QtFontTable::unload(const Loaded &font)
{
    QFontDatabase::removeApplicationFont(font.id);
    QFile::remove(font.copy);
}

} // namespace fonts

namespace {

FontTable *override_ = nullptr;

} // namespace

FontTable &FontTable::instance()
{
    static fonts::QtFontTable real;
    return override_ ? *override_ : real;
}

void FontTable::setInstance(FontTable *table)
{
    override_ = table;
}
