#include "fonts/system.h"

#include "fonts/faces.h"
#include "fonts/listing.h"
#include "fonts/registry.h"
#include "fonts/win32_drives.h"
#include "fonts/win32_folders.h"
#include "fonts/win32_listing.h"
#include "fonts/win32_registry.h"

#include <QDir>
#include <QFontDatabase>

namespace fonts {

QString fontsFolder()
{
    return QString::fromStdWString(win32::fontsFolder());
}

QString startFolder()
{
    return QStringLiteral("C:\\");
}

DriveList driveList()
{
    const win32::DriveTexts drives = win32::driveTexts();
    DriveList list;
    for (const std::wstring &text : drives.texts)
        list.texts.append(QString::fromStdWString(text));
    list.current = drives.current;
    if (list.current < 0 && !list.texts.isEmpty())
        list.current = 0;
    return list;
}

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

bool isNameSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':');
}

QString matchedFamily(const QString &family)
{
    return family;
}

QStringList installedFaces()
{
    // GDI's families are the name ID 1 families already.
    return sortedFaces(QFontDatabase::families());
}

QString trialCopiesRoot()
{
    return QDir::tempPath();
}

} // namespace fonts

namespace registry {
namespace {

// Thin adapter: Qt strings in, the Qt-free Win32 unit makes the calls. REG_SZ text comes
// trimmed from the shared writer (Module2), as on every platform, and is passed on as it is.
class Win32Registry : public Registry
{
public:
    Result setValue(RootKey root, const QString &subkey, const QString &name, const Value &value) override
    {
        const auto rootValue = static_cast<quint32>(root);
        const std::wstring key = subkey.toStdWString();
        const std::wstring valueName = name.toStdWString();
        const long rc = std::holds_alternative<qint32>(value)
            ? win32::setRegistryDword(rootValue, key, valueName, std::get<qint32>(value))
            : win32::setRegistryString(rootValue, key, valueName, std::get<QString>(value).toStdWString());
        if (rc != 0)
            return Result::failure(Status::Refused, QStringLiteral("the registry refused the write"), rc);
        return {};
    }
};

} // namespace

Registry &systemRegistry()
{
    static Win32Registry registry;
    return registry;
}

} // namespace registry
