#include "base/system.h"

#include <QStandardPaths>

namespace platform {

QString localAppDataFolder()
{
    // $XDG_DATA_HOME, by default ~/.local/share: where a Linux desktop keeps per-user data.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

bool initCommonControls()
{
    // Qt draws every control itself here: there are no system control classes to register.
    return true;
}

} // namespace platform
