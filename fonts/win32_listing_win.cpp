#include "fonts/win32_listing.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace win32 {

std::vector<DirEntry> listFolder(const std::wstring &folder)
{
    std::vector<DirEntry> entries;
    if (folder.empty())
        return entries;
    std::wstring pattern = folder;
    if (pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';

    // A drive without media would otherwise ask the user to insert a disk.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            entries.push_back({name, data.dwFileAttributes});
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetThreadErrorMode(oldMode, nullptr);
    return entries;
}

} // namespace win32
