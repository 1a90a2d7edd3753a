#include "fonts/win32_folders.h"

#include <windows.h>

namespace win32 {

std::wstring fontsFolder()
{
    std::wstring windir(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(L"windir", windir.data(), static_cast<DWORD>(windir.size()));
        if (length < windir.size()) {
            // Unset and empty both come back as 0: the folder is then "\Fonts\" on the current drive.
            windir.resize(length);
            break;
        }
        // Too small: length is the size needed, the NUL included. Ask again, since the
        // variable may have grown in between.
        windir.assign(length, L'\0');
    }
    return windir + L"\\Fonts\\";
}

} // namespace win32
