#include "folders.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "win32_folders.h"
#endif

namespace fonts {

QString fontsFolder()
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(win32::fontsFolder());
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/fonts/");
#endif
}

QString startFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QStringLiteral("/");
#endif
}

} // namespace fonts
