#pragma once

#include <QString>

// The platform services of the shell, one implementation per platform (system_win.cpp,
// system_unix.cpp), picked by the build.
namespace platform {

// The per-user local application-data folder without a trailing separator; empty when the
// platform cannot tell.
QString localAppDataFolder();

// Prepares the platform's common controls; true when the platform call raised no error.
bool initCommonControls();

} // namespace platform
