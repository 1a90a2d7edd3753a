// One byte of the ANSI code page as the character map shows it, through MultiByteToWideChar.
#include "check.h"
#include "preview/win32_codepage.h"

#include <windows.h>

#include <string>

TEST_CASE(windows1252)
{
    CHECK_EQ(GetACP(), 1252u); // the run sets LC_ALL=C.UTF-8, which wine takes for English (United States)
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character: they come back as the control
    // characters of the same value, as Windows' own table gives them.
    const std::u16string high =
        u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
        u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";
    for (unsigned code = 0; code <= 0xFF; ++code) {
        const std::u16string expected(1, code >= 0x80 && code <= 0x9F ? high[code - 0x80] : static_cast<char16_t>(code));
        const std::u16string got = win32::ansiByteToUtf16(static_cast<unsigned char>(code));
        CHECK_EQ(std::wstring(got.begin(), got.end()), std::wstring(expected.begin(), expected.end()));
    }
}
