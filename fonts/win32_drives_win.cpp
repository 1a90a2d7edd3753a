#include "fonts/win32_drives.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cwctype>

namespace win32 {
namespace {

// The network name of a mapped drive ("\\server\share"), or "". mpr.dll is loaded on demand,
// so the program needs no import of it.
std::wstring networkName(const std::wstring &device)
{
    using Fn = DWORD(WINAPI *)(LPCWSTR, LPWSTR, LPDWORD);
    HMODULE mpr = LoadLibraryW(L"mpr.dll");
    if (!mpr)
        return {};
    std::wstring result;
    if (auto fn = reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(mpr, "WNetGetConnectionW")))) {
        wchar_t buffer[1024] = {};
        DWORD size = 1024;
        if (fn(device.c_str(), buffer, &size) == NO_ERROR)
            result = buffer;
    }
    FreeLibrary(mpr);
    return result;
}

std::wstring volumeLabel(const std::wstring &root)
{
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return {};
    return label;
}

} // namespace

std::wstring driveText(wchar_t letter, const std::wstring &label)
{
    std::wstring text(1, static_cast<wchar_t>(std::towlower(static_cast<wint_t>(letter))));
    text += L':';
    if (!label.empty())
        text += L" [" + label + L"]";
    return text;
}

DriveTexts driveTexts()
{
    DriveTexts result;
    wchar_t current[MAX_PATH + 1] = {};
    const DWORD len = GetCurrentDirectoryW(MAX_PATH + 1, current);
    const wchar_t currentLetter = (len >= 2 && len <= MAX_PATH && current[1] == L':')
                                      ? static_cast<wchar_t>(std::towlower(static_cast<wint_t>(current[0])))
                                      : L'\0';

    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    std::wstring roots(256, L'\0');
    DWORD got = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (got > roots.size()) {
        roots.assign(got, L'\0');
        got = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    }
    if (got > roots.size())
        got = 0;
    // The roots come as "A:\", "C:\", ... each ended by a null, in letter order.
    for (size_t at = 0; at < got;) {
        const std::wstring root(roots.c_str() + at);
        at += root.size() + 1;
        if (root.size() < 2 || root[1] != L':')
            continue;
        const wchar_t letter = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(root[0])));
        const UINT type = GetDriveTypeW(root.c_str());
        std::wstring label;
        if (type == DRIVE_REMOTE)
            label = networkName(std::wstring(1, letter) + L":");
        if (label.empty() && !(type == DRIVE_REMOVABLE && (letter == L'A' || letter == L'B')))
            label = volumeLabel(root);
        if (static_cast<wchar_t>(std::towlower(static_cast<wint_t>(letter))) == currentLetter)
            result.current = static_cast<int>(result.texts.size());
        result.texts.push_back(driveText(letter, label));
    }
    SetThreadErrorMode(oldMode, nullptr);
    return result;
}

} // namespace win32
