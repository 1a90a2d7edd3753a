#pragma once

// Folders of the font subsystem as Windows names them. Standard C++ and the Win32 API only,
// so this builds and runs its tests with a cross-compiler and wine, without Qt.
#include <string>

namespace win32 {

// The value of the environment variable "windir" followed by "\Fonts\", however long the
// value is; "\Fonts\" alone when the variable is unset or empty. Read anew on every call.
std::wstring fontsFolder();

} // namespace win32
