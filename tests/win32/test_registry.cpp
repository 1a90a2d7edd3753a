// The registry writer's Windows side, read back through the real registry: REG_SZ text whole,
// REG_DWORD numbers, names that would be cut short, and the root handle.
#include "fonts/win32_registry.h"

#include <doctest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kLocalMachine = 0x80000002u;
const std::wstring kKey = L"Software\\Vexlora Tests\\one\\two \u00E9"; // its parents missing too

struct Stored
{
    DWORD type = REG_NONE;
    std::vector<unsigned char> bytes = std::vector<unsigned char>(4096);
};

Stored read(const std::wstring &name)
{
    Stored s;
    DWORD size = static_cast<DWORD>(s.bytes.size());
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &s.type, s.bytes.data(), &size) != ERROR_SUCCESS)
        return {};
    s.bytes.resize(size);
    return s;
}

// The text with its terminating NUL, so a missing one or a wrong length shows.
std::wstring textOf(const Stored &s)
{
    return std::wstring(reinterpret_cast<const wchar_t *>(s.bytes.data()), s.bytes.size() / sizeof(wchar_t));
}

} // namespace

TEST_CASE("textIsStoredWhole")
{
    // As given, blanks around it too (the shared writer trims before), every plane, or empty.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Vexlora Tests");
    const std::wstring texts[] = {L"Caf\u00E9 \u20AC \u4E2D\u6587 \U0001F600.ttf", L" \t\u00A0two \u3000 words\r\n", L""};
    int n = 0;
    for (const std::wstring &text : texts) {
        const std::wstring name = L"text " + std::to_wstring(++n);
        CHECK_EQ(win32::setRegistryString(kLocalMachine, kKey, name, text), 0L);
        const Stored s = read(name);
        CHECK_EQ(s.type, static_cast<DWORD>(REG_SZ));
        CHECK_EQ(textOf(s), text + L'\0');
    }
}

TEST_CASE("numbersAreDwords")
{
    for (std::int32_t number : {INT32_MIN, -1, 0x12345678}) { // the sign, and each byte in its place
        const std::wstring name = L"number " + std::to_wstring(number);
        CHECK_EQ(win32::setRegistryDword(kLocalMachine, kKey, name, number), 0L);
        const Stored s = read(name);
        CHECK_EQ(s.type, static_cast<DWORD>(REG_DWORD));
        CHECK_EQ(s.bytes.size(), std::size_t{4});
        CHECK_EQ(static_cast<std::int32_t>(s.bytes[0] | s.bytes[1] << 8 | s.bytes[2] << 16 | static_cast<std::uint32_t>(s.bytes[3]) << 24),
                 number);
    }
    // The same name again replaces the value, type and all.
    CHECK_EQ(win32::setRegistryString(kLocalMachine, kKey, L"number -1", L"minus one"), 0L);
    CHECK_EQ(read(L"number -1").type, static_cast<DWORD>(REG_SZ));
}

TEST_CASE("namesThatWouldBeCutAreRefused")
{
    // The calls take NUL-terminated names: one with a NUL inside would silently write elsewhere.
    CHECK_EQ(win32::setRegistryString(kLocalMachine, kKey, std::wstring(L"Alpha\0Sans", 10), L"a.ttf"),
             static_cast<long>(ERROR_INVALID_PARAMETER));
    CHECK_EQ(read(L"Alpha").type, static_cast<DWORD>(REG_NONE));
    CHECK_EQ(win32::setRegistryDword(kLocalMachine, kKey + std::wstring(L"\0x", 2), L"n", 1),
             static_cast<long>(ERROR_INVALID_PARAMETER));
    // A root that names no predefined key is refused by the system, not taken for another.
    CHECK(win32::setRegistryString(0x12345678u, kKey, L"where", L"nowhere") != 0L);
    CHECK_EQ(read(L"where").type, static_cast<DWORD>(REG_NONE));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Vexlora Tests");
}
