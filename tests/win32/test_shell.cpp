// Start-up's Win32 calls: the common controls and the local application-data folder.
#include "base/win32_shell.h"

#include <doctest.h>
#include <windows.h>

#include <string>

TEST_CASE("commonControlsInitialise")
{
    CHECK_EQ(win32::initCommonControls(), true);
}

TEST_CASE("localAppDataFolderIsTheShellsOwn")
{
    wchar_t expected[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", expected, MAX_PATH);
    const std::wstring folder = win32::localAppDataFolder();
    CHECK((!folder.empty() && folder.back() != L'\\'));
    CHECK_EQ(CompareStringOrdinal(folder.c_str(), -1, expected, -1, TRUE), CSTR_EQUAL);
}
