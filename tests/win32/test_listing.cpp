// Folder listings with their attributes, as the folder tree reads them (it keeps folders,
// hidden ones included, and leaves out those with the system attribute).
#include "check.h"
#include "fonts/win32_listing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring scratchFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"vexlora listing \u00E9\\";
}

const win32::DirEntry *find(const std::vector<win32::DirEntry> &entries, const std::wstring &name)
{
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const win32::DirEntry &e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

void removeAll(const std::wstring &folder)
{
    for (const win32::DirEntry &e : win32::listFolder(folder)) {
        const std::wstring path = folder + e.name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (e.attributes & win32::kAttrDirectory)
            removeAll(path + L"\\");
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

TEST_CASE(entriesWithTheirAttributes)
{
    const std::wstring folder = scratchFolder();
    removeAll(folder);
    CHECK(CreateDirectoryW(folder.c_str(), nullptr));
    const struct
    {
        const wchar_t *name;
        bool isFolder;
        DWORD attributes;
    } made[] = {
        {L"plain", true, 0},
        {L"hidden", true, FILE_ATTRIBUTE_HIDDEN},
        {L"system", true, FILE_ATTRIBUTE_SYSTEM},
        {L"\u00E9t\u00E9 \u4E2D\u6587", true, 0},
        {L"font.ttf", false, 0},
    };
    for (const auto &m : made) {
        const std::wstring path = folder + m.name;
        if (m.isFolder) {
            CHECK(CreateDirectoryW(path.c_str(), nullptr));
        } else {
            HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            CHECK(h != INVALID_HANDLE_VALUE);
            if (h != INVALID_HANDLE_VALUE)
                CloseHandle(h);
        }
        if (m.attributes)
            CHECK(SetFileAttributesW(path.c_str(), m.attributes | (m.isFolder ? FILE_ATTRIBUTE_DIRECTORY : 0)));
    }

    const std::wstring bare = folder.substr(0, folder.size() - 1);
    for (const std::wstring &asked : {folder, bare}) {
        const std::vector<win32::DirEntry> entries = win32::listFolder(asked);
        check::equal(entries.size(), std::size(made), check::show(asked).c_str(), __FILE__, __LINE__);
        CHECK(!find(entries, L".") && !find(entries, L".."));
        for (const auto &m : made) {
            const win32::DirEntry *e = find(entries, m.name);
            CHECK_MSG(e != nullptr, check::show(m.name));
            if (!e)
                continue;
            check::equal((e->attributes & win32::kAttrDirectory) != 0, m.isFolder, check::show(m.name).c_str(), __FILE__, __LINE__);
            // Wine keeps DOS attributes in extended attributes of the Linux file; where the file
            // system has none, only what the system still reports can be expected.
            const DWORD reported = GetFileAttributesW((folder + m.name).c_str());
            for (const auto &[bit, what] : {std::pair{win32::kAttrHidden, " hidden"}, std::pair{win32::kAttrSystem, " system"}}) {
                const bool expected = reported != INVALID_FILE_ATTRIBUTES && (reported & bit);
                if (static_cast<bool>(m.attributes & bit) != expected)
                    std::printf("NOTE %s: the file system did not keep the attribute\n", (check::show(m.name) + what).c_str());
                check::equal((e->attributes & bit) != 0, expected, (check::show(m.name) + what).c_str(), __FILE__, __LINE__);
            }
        }
    }
    removeAll(folder);
}

TEST_CASE(nothingToList)
{
    const std::wstring folder = scratchFolder();
    removeAll(folder);
    CHECK(win32::listFolder(folder).empty());        // missing
    CHECK(win32::listFolder(L"").empty());
    CHECK(CreateDirectoryW(folder.c_str(), nullptr));
    CHECK(win32::listFolder(folder).empty());        // empty: "." and ".." are not entries
    removeAll(folder);
}
