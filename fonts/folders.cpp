#include "folders.h"

#include <QDir>
#include <QStandardPaths>

namespace fonts {

QString fontsFolder()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("windir") + QStringLiteral("\\Fonts\\");
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
