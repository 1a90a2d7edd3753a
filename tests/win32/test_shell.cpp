// Start-up's Win32 calls: the common controls and the local application-data folder under which
// the data folder "vexlora\" is created on demand.
#include "app/win32_shell.h"
#include "check.h"

#include <windows.h>

#include <string>

namespace {

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool sameText(const std::wstring &a, const std::wstring &b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE)
           == CSTR_EQUAL;
}

std::wstring variable(const wchar_t *name)
{
    wchar_t buffer[32768] = {};
    return std::wstring(buffer, GetEnvironmentVariableW(name, buffer, 32768));
}

// Where the shell looks first for the per-user folders: what a roaming profile or a user's own
// choice sets.
const wchar_t *const kUserShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

void setLocalAppData(const wchar_t *path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUserShellFolders, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Local AppData", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE *>(path),
                   static_cast<DWORD>((wcslen(path) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring localAppDataSetting()
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Local AppData", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, buffer, &size)
        != ERROR_SUCCESS)
        return {};
    return buffer;
}

} // namespace

TEST_CASE(commonControlsInitialise)
{
    CHECK_EQ(win32::initCommonControls(), true);
    // A second call is what a second start-up path would do; it must not fail either.
    CHECK_EQ(win32::initCommonControls(), true);
}

TEST_CASE(localAppDataFolderIsTheShellsOwn)
{
    const std::wstring folder = win32::localAppDataFolder();
    CHECK(!folder.empty());
    CHECK_MSG(!folder.empty() && folder.back() != L'\\', check::show(folder));
    CHECK_MSG(isFolder(folder), check::show(folder));
    // The environment of a logged-on user names the same folder.
    const std::wstring expected = variable(L"LOCALAPPDATA");
    CHECK_MSG(sameText(folder, expected), check::show(folder) + " vs %LOCALAPPDATA% " + check::show(expected));
}

TEST_CASE(localAppDataFolderKeepsEveryCharacter)
{
    // A user name outside the ANSI code page must come back whole: an ANSI lookup would turn it
    // into question marks and the data folder would land elsewhere.
    const std::wstring saved = localAppDataSetting();
    const std::wstring parent = variable(L"SystemDrive") + L"\\users\\Zo\u00EB \u0141\u00F3d\u017A \u4E2D\u6587";
    const std::wstring chosen = parent + L"\\AppData\\Local";
    CreateDirectoryW(parent.c_str(), nullptr);
    CreateDirectoryW((parent + L"\\AppData").c_str(), nullptr);
    CreateDirectoryW(chosen.c_str(), nullptr);
    const struct
    {
        const char *name;
        std::wstring setting;
    } rows[] = {
        {"plain", chosen},
        {"with a trailing backslash", chosen + L"\\"},
    };
    for (const auto &row : rows) {
        setLocalAppData(row.setting.c_str());
        check::equal(win32::localAppDataFolder(), chosen, row.name, __FILE__, __LINE__);
    }
    if (!saved.empty())
        setLocalAppData(saved.c_str());
    CHECK(sameText(win32::localAppDataFolder(), variable(L"LOCALAPPDATA")));
}

TEST_CASE(dataFolderIsCreatedOnDemand)
{
    // The data folder is the local application-data folder followed by "\vexlora\"; the
    // program's Qt side composes it and creates it when missing. Here: that the composed path
    // names a folder Windows can create where the shell put the parent, and finds afterwards.
    const std::wstring parent = win32::localAppDataFolder();
    const std::wstring dataFolder = parent + L"\\vexlora\\";
    CHECK(dataFolder.size() > 9 && dataFolder.compare(dataFolder.size() - 9, 9, L"\\vexlora\\") == 0);
    CHECK_MSG(dataFolder.find(L"\\\\") == std::wstring::npos, check::show(dataFolder));

    RemoveDirectoryW(dataFolder.c_str());
    CHECK_MSG(!isFolder(dataFolder), "missing before the first call");
    CHECK_MSG(CreateDirectoryW(dataFolder.c_str(), nullptr) != 0, check::show(dataFolder));
    CHECK(isFolder(dataFolder));
    // An empty folder is a folder: the next start finds it rather than creating it again.
    CHECK(CreateDirectoryW(dataFolder.c_str(), nullptr) == 0 && GetLastError() == ERROR_ALREADY_EXISTS);

    // A file where the program wants its snooze date goes straight into the folder.
    const std::wstring snooze = dataFolder + L"noads.vxl";
    HANDLE file = CreateFileW(snooze.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    DeleteFileW(snooze.c_str());
    RemoveDirectoryW(dataFolder.c_str());
}
