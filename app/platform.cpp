#include "platform.h"

#include <QApplication>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "win32_shell.h"
#endif

namespace platform {
namespace {
BeepHandler &beepHandler()
{
    static BeepHandler handler;
    return handler;
}
} // namespace

QString localAppDataFolder()
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(win32::localAppDataFolder());
#else
    // $XDG_DATA_HOME, by default ~/.local/share: where a Linux desktop keeps per-user data.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

void beep()
{
    if (beepHandler())
        beepHandler()();
    else
        QApplication::beep();
}

void setBeepHandler(BeepHandler handler)
{
    beepHandler() = std::move(handler);
}

} // namespace platform
