// The fonts folder from "windir", against the real environment block.
#include "fonts/win32_folders.h"

#include <doctest.h>
#include <windows.h>

#include <string>

TEST_CASE("fontsFolderFollowsWindir")
{
    wchar_t saved[MAX_PATH] = {};
    CHECK(GetEnvironmentVariableW(L"windir", saved, MAX_PATH) > 0);
    const std::wstring justOver = L"C:\\" + std::wstring(MAX_PATH - 3, L'w'); // one more than the first buffer holds
    const struct { const wchar_t *windir; std::wstring expected; } rows[] = {
        {L"E:\\ Syst\u00E8me \u20AC ", L"E:\\ Syst\u00E8me \u20AC \\Fonts\\"},
        {justOver.c_str(), justOver + L"\\Fonts\\"},
        {nullptr, L"\\Fonts\\"}, // unset
    };
    for (const auto &row : rows) {
        SetEnvironmentVariableW(L"windir", row.windir);
        CHECK_EQ(win32::fontsFolder(), row.expected);
    }
    SetEnvironmentVariableW(L"windir", saved);
}
