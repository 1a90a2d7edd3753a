// One byte of the ANSI code page as the character map shows it, through MultiByteToWideChar.
#include "check.h"
#include "preview/win32_codepage.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

std::string hex(unsigned code)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", code);
    return buffer;
}

std::wstring wide(const std::u16string &text)
{
    return std::wstring(text.begin(), text.end());
}

} // namespace

TEST_CASE(codePageIs1252)
{
    // The run sets LC_ALL=C.UTF-8, which wine turns into English (United States): code page 1252.
    CHECK_EQ(GetACP(), 1252u);
}

TEST_CASE(codes80To9FOf1252)
{
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in 1252: they come back as the control
    // characters of the same value, as Windows' own table gives them.
    const std::u16string expected =
        u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
        u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";
    for (unsigned code = 0x80; code <= 0x9F; ++code) {
        const std::u16string one(1, expected[code - 0x80]);
        check::equal(wide(win32::ansiByteToUtf16(static_cast<unsigned char>(code))), wide(one), hex(code).c_str(),
                     __FILE__, __LINE__);
    }
}

TEST_CASE(otherCodesMapToThemselves)
{
    // ASCII, and 0xA0..0xFF which 1252 shares with Latin-1.
    for (const auto &[first, last] : {std::pair{0x00u, 0x7Fu}, std::pair{0xA0u, 0xFFu}}) {
        std::string wrong;
        for (unsigned code = first; code <= last; ++code) {
            const std::u16string got = win32::ansiByteToUtf16(static_cast<unsigned char>(code));
            if (got != std::u16string(1, static_cast<char16_t>(code)))
                wrong += " " + hex(code) + "->" + check::show(wide(got));
        }
        CHECK_MSG(wrong.empty(), (hex(first) + ".." + hex(last) + wrong));
    }
}
