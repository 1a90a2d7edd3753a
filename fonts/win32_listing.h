#pragma once

// Directory listing with Windows attributes. Standard C++ and the Win32 API only, so this
// builds and runs its tests with a cross-compiler and wine, without Qt.
#include <string>
#include <vector>

namespace win32 {

// The attribute bits the font browser looks at (the FILE_ATTRIBUTE_* values).
constexpr unsigned long kAttrHidden = 0x2;
constexpr unsigned long kAttrSystem = 0x4;
constexpr unsigned long kAttrDirectory = 0x10;

struct DirEntry
{
    std::wstring name;
    unsigned long attributes = 0;
};

// Every entry of a folder ("C:\Windows\" or "C:\Windows"), "." and ".." left out, in the
// order the file system returns them. Empty when the folder cannot be listed. No system
// error box appears for a drive without media.
std::vector<DirEntry> listFolder(const std::wstring &folder);

} // namespace win32
