// The drive list's texts. Wine maps C: to the prefix's drive_c, whose label tools/test-windows.sh
// writes (and names in VEXLORA_TEST_C_LABEL) before wine starts, and lists the Linux root as Z:.
#include "fonts/win32_drives.h"

#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>

TEST_CASE("driveTexts")
{
    CHECK_EQ(win32::driveText(L'C', L"SYSTEM"), std::wstring(L"c: [SYSTEM]"));
    CHECK_EQ(win32::driveText(L'e', L""), std::wstring(L"e:"));
    CHECK_EQ(win32::driveText(L'F', L"Cl\u00E9 \u20AC "), std::wstring(L"f: [Cl\u00E9 \u20AC ]"));

    wchar_t label[64] = {};
    GetEnvironmentVariableW(L"VEXLORA_TEST_C_LABEL", label, 64);
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    for (const wchar_t *folder : {L"C:\\windows", L"Z:\\"}) {
        CHECK(SetCurrentDirectoryW(folder));
        const win32::DriveTexts drives = win32::driveTexts();
        const auto &t = drives.texts;
        CHECK(std::find(t.begin(), t.end(), L"c: [" + std::wstring(label) + L"]") != t.end());
        CHECK((std::is_sorted(t.begin(), t.end()) && std::adjacent_find(t.begin(), t.end()) == t.end()));
        // The current drive is the current folder's own.
        CHECK((drives.current >= 0 && drives.current < static_cast<int>(t.size())
               && t[drives.current][0] == static_cast<wchar_t>(folder[0] - L'A' + L'a')));
    }
    SetCurrentDirectoryW(saved);
}
