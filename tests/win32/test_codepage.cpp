// One byte of the ANSI code page as the character map shows it, through MultiByteToWideChar.
#include "preview/win32_codepage.h"

#include <doctest.h>
#include <windows.h>

#include <string>

TEST_CASE("windows1252")
{
    CHECK_EQ(GetACP(), 1252u); // the run sets LC_ALL=C.UTF-8, which wine takes for English (United States)
    // NUL is a character too; 0x80 is where the page parts from Latin-1 and UTF-8; 0x81 has no
    // character and comes back as the control character of the same value, not as nothing.
    const struct { unsigned char byte; wchar_t expected; } rows[] = {
        {0x00, L'\0'}, {0x41, L'A'}, {0x80, L'\u20AC'}, {0x81, L'\u0081'}, {0x9F, L'\u0178'}, {0xFF, L'\u00FF'}};
    for (const auto &row : rows) {
        const std::u16string got = win32::ansiByteToUtf16(row.byte);
        CHECK_EQ(std::wstring(got.begin(), got.end()), std::wstring(1, row.expected));
    }
}
