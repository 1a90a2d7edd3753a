// The drive list's texts from GetLogicalDriveStringsW and GetVolumeInformationW. Wine maps C: to
// the prefix's drive_c, whose label tools/test-windows.sh writes (and names in
// VEXLORA_TEST_C_LABEL) before wine starts, and lists the Linux root as Z:.
#include "check.h"
#include "fonts/win32_drives.h"
#include "fonts/win32_listing.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::wstring variable(const wchar_t *name)
{
    wchar_t buffer[1024] = {};
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

// The form the font browser's root rule expects: "x:" alone or "x: [label]".
bool wellFormed(const std::wstring &text)
{
    if (text.size() < 2 || text[0] < L'a' || text[0] > L'z' || text[1] != L':')
        return false;
    if (text.size() == 2)
        return true;
    return text.size() >= 5 && text.compare(2, 2, L" [") == 0 && text.back() == L']';
}

bool hasFolder(const std::vector<win32::DirEntry> &entries, const std::wstring &name)
{
    return std::any_of(entries.begin(), entries.end(), [&](const win32::DirEntry &e) {
        return CompareStringOrdinal(e.name.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL
               && (e.attributes & win32::kAttrDirectory);
    });
}

} // namespace

TEST_CASE(oneDriveText)
{
    const struct
    {
        const char *name;
        wchar_t letter;
        std::wstring label;
        std::wstring expected;
    } rows[] = {
        {"label", L'C', L"SYSTEM", L"c: [SYSTEM]"},
        {"lower-case letter kept", L'd', L"Data", L"d: [Data]"},
        {"no label", L'E', L"", L"e:"},
        {"network name", L'Z', L"\\\\server\\share", L"z: [\\\\server\\share]"},
        {"non-ASCII and blanks in the label", L'F', L"Cl\u00E9 \u20AC ", L"f: [Cl\u00E9 \u20AC ]"},
    };
    for (const auto &row : rows)
        check::equal(win32::driveText(row.letter, row.label), row.expected, row.name, __FILE__, __LINE__);
}

TEST_CASE(systemDrivesWithLabels)
{
    const std::wstring label = variable(L"VEXLORA_TEST_C_LABEL");
    CHECK_MSG(!label.empty(), "VEXLORA_TEST_C_LABEL names drive C:'s label (tools/test-windows.sh sets it)");

    const win32::DriveTexts drives = win32::driveTexts();
    CHECK(!drives.texts.empty());
    std::string all;
    for (const std::wstring &text : drives.texts) {
        all += " " + check::show(text);
        CHECK_MSG(wellFormed(text), check::show(text));
    }
    CHECK_MSG(std::find(drives.texts.begin(), drives.texts.end(), L"c: [" + label + L"]") != drives.texts.end(), all);
    CHECK_MSG(std::any_of(drives.texts.begin(), drives.texts.end(), [](const std::wstring &t) { return t.rfind(L"z:", 0) == 0; }),
              all);
    // In letter order, each drive once.
    bool ordered = true;
    for (std::size_t i = 1; i < drives.texts.size(); ++i)
        ordered = ordered && drives.texts[i - 1][0] < drives.texts[i][0];
    CHECK_MSG(ordered, all);
}

TEST_CASE(currentDriveIsTheCurrentFoldersOwn)
{
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    for (const wchar_t *folder : {L"C:\\windows", L"Z:\\"}) {
        CHECK(SetCurrentDirectoryW(folder));
        const win32::DriveTexts drives = win32::driveTexts();
        const bool valid = drives.current >= 0 && drives.current < static_cast<int>(drives.texts.size());
        CHECK_MSG(valid, check::show(folder));
        if (valid)
            check::equal(drives.texts[drives.current].substr(0, 2),
                         std::wstring(1, static_cast<wchar_t>(folder[0] - L'A' + L'a')) + L":", "current drive",
                         __FILE__, __LINE__);
    }
    SetCurrentDirectoryW(saved);
}

TEST_CASE(drivesListFromTheirRoots)
{
    // The tree starts from the root in front of a drive text's bracket: "c: [LABEL]" lists C:\.
    const win32::DriveTexts drives = win32::driveTexts();
    for (const std::wstring &text : drives.texts) {
        if (text[0] != L'c' && text[0] != L'z')
            continue;
        const std::wstring root = text.substr(0, 2) + L"\\";
        const std::vector<win32::DirEntry> entries = win32::listFolder(root);
        const wchar_t *known = text[0] == L'c' ? L"windows" : L"tmp";
        CHECK_MSG(hasFolder(entries, known), check::show(root) + " lists " + check::show(known));
    }
}
