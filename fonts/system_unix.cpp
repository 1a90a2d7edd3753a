#include "fonts/system.h"

#include "fonts/faces.h"
#include "fonts/listing.h"
#include "fonts/regfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <fontconfig/fontconfig.h>

namespace fonts {

QString fontsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/fonts/");
}

QString startFolder()
{
    return QStringLiteral("/");
}

DriveList driveList()
{
    QList<Volume> mounted;
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid() || !info.isReady())
            continue;
        mounted.append({info.rootPath(), info.fileSystemType(), info.name(), QFileInfo(info.rootPath()).isDir()});
    }
    const QList<Volume> volumes = browsableVolumes(mounted);
    DriveList list;
    for (const Volume &v : volumes)
        list.texts.append(volumeText(v));
    list.current = volumeOf(volumes, QDir::currentPath());
    if (list.current < 0 && !list.texts.isEmpty())
        list.current = 0;
    return list;
}

QStringList subfolderNames(const QString &folderPath)
{
    QStringList names;
    // Dot-folders are this platform's hidden folders: they are listed like any other.
    QDirIterator it(folderPath, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    sortNames(names);
    return names;
}

QStringList fontFileNames(const QString &folderPath)
{
    QStringList names;
    // Every entry is looked at by name first; only the few that end in ".ttf" cost a look at
    // what they are. A link counts as what it points to.
    QDirIterator it(folderPath, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next(); // ends in the name: no need to take the name out first
        if (isFontFileName(path) && QFileInfo(path).isFile())
            names.append(it.fileName());
    }
    sortNames(names);
    return names;
}

bool isNameSeparator(QChar c)
{
    return c == QLatin1Char('/');
}

QString matchedFamily(const QString &family)
{
    // Asked of fontconfig itself: Qt has no call that names the face it would fall back to
    // without first comparing every family it knows with every other (see faces.h).
    FcPattern *pattern = FcPatternCreate();
    if (!pattern)
        return {};
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.toUtf8().constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    QString matched;
    FcChar8 *name = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
        matched = QString::fromUtf8(reinterpret_cast<const char *>(name));
    if (match)
        FcPatternDestroy(match);
    return matched;
}

QStringList installedFaces()
{
    // Asked of fontconfig itself: Qt lists a font under its typographic family, which Windows
    // does not know, and never says which of the font's names is which. Read straight from the
    // system's set (the application's holds the trial fonts), which costs no copy of it.
    const FcFontSet *set = FcConfigGetFonts(nullptr, FcSetSystem);
    QStringList faces;
    for (int i = 0; set && i < set->nfont; ++i) {
        const FcPattern *font = set->fonts[i];
        FcChar8 *firstLang = nullptr;
        FcPatternGetString(font, FC_FAMILYLANG, 0, &firstLang);
        FcChar8 *family = nullptr;
        FcChar8 *lang = nullptr;
        const FcChar8 *last = nullptr;
        for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
            const bool langKnown = FcPatternGetString(font, FC_FAMILYLANG, k, &lang) == FcResultMatch;
            if (k == 0 || !firstLang || (langKnown && FcStrCmp(lang, firstLang) == 0))
                last = family;
        }
        if (last && *last)
            faces.append(QString::fromUtf8(reinterpret_cast<const char *>(last)));
    }
    return sortedFaces(faces);
}

QString trialCopiesRoot()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace fonts

namespace registry {

Registry &systemRegistry()
{
    static RegFileStore store; // its folder is worked out anew on every write
    return store;
}

} // namespace registry
