// The fonts folder from "windir", against the real environment block.
#include "check.h"
#include "fonts/win32_folders.h"

#include <windows.h>

#include <optional>
#include <string>

namespace {

std::optional<std::wstring> readVariable(const wchar_t *name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::wstring>(L"");
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

void writeVariable(const wchar_t *name, const std::optional<std::wstring> &value)
{
    SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}

} // namespace

TEST_CASE(fontsFolderFollowsWindir)
{
    const std::optional<std::wstring> saved = readVariable(L"windir");
    CHECK_MSG(saved.has_value(), "the process starts with windir set");

    struct Row
    {
        const char *name;
        std::optional<std::wstring> windir;
        std::wstring expected;
    };
    const std::wstring longest = L"C:\\" + std::wstring(MAX_PATH - 4, L'w');        // MAX_PATH - 1 characters
    const std::wstring justOver = L"C:\\" + std::wstring(MAX_PATH - 3, L'w');       // MAX_PATH characters
    const std::wstring veryLong = L"\\\\?\\C:\\" + std::wstring(1000, L'x');
    const Row rows[] = {
        {"as the system sets it", saved, saved.value_or(L"") + L"\\Fonts\\"},
        {"another drive", L"D:\\WINNT", L"D:\\WINNT\\Fonts\\"},
        {"non-ASCII and blanks kept", L"E:\\ Syst\u00E8me \u20AC ", L"E:\\ Syst\u00E8me \u20AC \\Fonts\\"},
        {"filling the first buffer but one", longest, longest + L"\\Fonts\\"},
        {"one more than the first buffer holds", justOver, justOver + L"\\Fonts\\"},
        {"far longer than MAX_PATH", veryLong, veryLong + L"\\Fonts\\"},
        {"empty", L"", L"\\Fonts\\"},
        {"unset", std::nullopt, L"\\Fonts\\"},
    };
    for (const Row &row : rows) {
        writeVariable(L"windir", row.windir);
        check::equal(win32::fontsFolder(), row.expected, row.name, __FILE__, __LINE__);
    }
    writeVariable(L"windir", saved);
    CHECK_EQ(win32::fontsFolder(), saved.value_or(L"") + L"\\Fonts\\");
}
