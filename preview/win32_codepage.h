#pragma once

// The system's ANSI code page, read through Win32. Standard C++ and the Win32 API only, so this
// builds and runs its tests with a cross-compiler and wine, without Qt.
#include <string>

namespace win32 {

// The UTF-16 text that one byte of the system's ANSI code page (CP_ACP) stands for. Empty when
// the code page turns that byte into nothing (a lone lead byte of a double-byte page can).
std::u16string ansiByteToUtf16(unsigned char byte);

} // namespace win32
