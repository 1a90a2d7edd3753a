#pragma once

#include <QString>

// What the preview asks of the platform, one implementation per platform (system_win.cpp,
// system_unix.cpp), picked by the build.
namespace preview {

// The text of one code (0 to 255) of the system's ANSI code page: the system's own on Windows,
// Windows-1252 elsewhere. Codes below 32 are the control characters themselves; "" outside 0-255.
QString ansiText(int code);

} // namespace preview
