#include "base/system.h"

#include "base/win32_shell.h"

namespace platform {

QString localAppDataFolder()
{
    return QString::fromStdWString(win32::localAppDataFolder());
}

bool initCommonControls()
{
    return win32::initCommonControls();
}

} // namespace platform
