// Folder listings with their attributes, as the folder tree and the file list read them.
#include "fonts/win32_listing.h"

#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

TEST_CASE("entriesWithTheirAttributes")
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"vexlora listing \u00E9\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const struct { std::wstring name; DWORD attributes; } made[] = {
        {L"hidden", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
        {L"system", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM},
        {L"\u00E9t\u00E9 \u4E2D\u6587", FILE_ATTRIBUTE_DIRECTORY},
        {L"font.ttf", 0},
    };
    for (const auto &m : made) {
        const std::wstring path = folder + m.name;
        if (m.attributes & FILE_ATTRIBUTE_DIRECTORY)
            CreateDirectoryW(path.c_str(), nullptr);
        else
            CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        SetFileAttributesW(path.c_str(), m.attributes);
    }
    // With or without the trailing backslash; "." and ".." never.
    for (const std::wstring &asked : {folder, folder.substr(0, folder.size() - 1)}) {
        const std::vector<win32::DirEntry> entries = win32::listFolder(asked);
        CHECK_EQ(entries.size(), std::size(made));
        for (const auto &m : made) {
            const auto e = std::find_if(entries.begin(), entries.end(), [&](const win32::DirEntry &d) { return d.name == m.name; });
            // Wine keeps DOS attributes where the file system can; expect what the system reports.
            const DWORD reported = GetFileAttributesW((folder + m.name).c_str());
            const unsigned long bits = win32::kAttrDirectory | win32::kAttrHidden | win32::kAttrSystem;
            CHECK((e != entries.end() && (e->attributes & bits) == (reported & bits)));
        }
    }
    CHECK(win32::listFolder(folder + L"missing").empty());
    CHECK(win32::listFolder(L"").empty());
}
