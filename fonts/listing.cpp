#include "listing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_WIN
#include "win32_listing.h"
#endif

namespace fonts {

QChar separator()
{
    return QDir::separator();
}

bool isFontFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".ttf"), Qt::CaseInsensitive);
}

namespace {

char32_t upper(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c;
    return QChar::toUpper(char32_t(c));
}

} // namespace

int compareNames(const QString &a, const QString &b)
{
    // Unit by unit, upper-casing only where the two differ: names in one folder share long
    // beginnings, and nothing is allocated.
    const qsizetype n = qMin(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const char32_t ua = upper(pa[i].unicode());
        const char32_t ub = upper(pb[i].unicode());
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = compareNames(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

#ifdef Q_OS_WIN

QStringList subfolderNames(const QString &folderPath)
{
    QStringList names;
    for (const win32::DirEntry &e : win32::listFolder(folderPath.toStdWString())) {
        if ((e.attributes & win32::kAttrDirectory) && !(e.attributes & win32::kAttrSystem))
            names.append(QString::fromStdWString(e.name));
    }
    return names;
}

QStringList fontFileNames(const QString &folderPath)
{
    QStringList names;
    for (const win32::DirEntry &e : win32::listFolder(folderPath.toStdWString())) {
        if (e.attributes & (win32::kAttrDirectory | win32::kAttrSystem))
            continue;
        const QString name = QString::fromStdWString(e.name);
        if (isFontFileName(name))
            names.append(name);
    }
    return names;
}

#else

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

#endif

} // namespace fonts
