#include "base/win32_shell.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

namespace win32 {

bool initCommonControls()
{
    // Looked up at run time: a comctl32 without the entry point must not stop the program.
    HMODULE lib = LoadLibraryW(L"comctl32.dll");
    if (!lib)
        return false;
    using InitFn = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
    auto init = reinterpret_cast<InitFn>(reinterpret_cast<void *>(GetProcAddress(lib, "InitCommonControlsEx")));
    if (!init)
        return false;
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(INITCOMMONCONTROLSEX);
    icc.dwICC = ICC_USEREX_CLASSES;
    init(&icc);
    return true;
}

std::wstring localAppDataFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer);
    std::wstring path(buffer);
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

} // namespace win32
