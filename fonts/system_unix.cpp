#include "fonts/system.h"

#include "fonts/listing.h"
#include "fonts/regfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

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

QString ownFamilyName(const QByteArray &font)
{
    // FreeType itself, as Qt's engine reads the name: through Qt, each look would also have
    // fontconfig match the new engine against every installed font.
    static FT_Library library = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    FT_Face face = nullptr;
    if (!library || FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte *>(font.constData()), font.size(), 0, &face) != 0)
        return {};
    const QString family = face->family_name ? QString::fromUtf8(face->family_name).trimmed() : QString();
    FT_Done_Face(face);
    return family;
}

} // namespace fonts

namespace registry {

Registry &systemRegistry()
{
    static RegFileStore store; // its folder is worked out anew on every write
    return store;
}

} // namespace registry
