#pragma once

// Win32 shell calls of the start-up code. Standard C++ and the Win32 API only, so these build
// and run their tests with a cross-compiler and wine, without Qt.
#include <string>

namespace win32 {

// InitCommonControlsEx with the record {size 8, ICC_USEREX_CLASSES}; true when the entry
// point could be called. The call's own BOOL result is not examined.
bool initCommonControls();

// CSIDL_LOCAL_APPDATA without a trailing backslash; empty when the shell cannot tell.
std::wstring localAppDataFolder();

} // namespace win32
