// The registry writer's Windows side, read back through the real registry. The Qt side decides
// the type (numeric test) and trims REG_SZ text; setRegistryString trims again the same way, so
// the text is the same whichever side did it. Raw bytes (setRegistryValue) arrive exactly as given.
#include "check.h"
#include "fonts/win32_registry.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kLocalMachine = 0x80000002u;
constexpr std::uint32_t kCurrentUser = 0x80000001u;
const std::wstring kScratch = L"Software\\Vexlora Tests";
const std::wstring kFontsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\";

HKEY rootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

struct Stored
{
    DWORD type = REG_NONE;
    std::vector<unsigned char> bytes;
};

std::optional<Stored> readValue(std::uint32_t root, const std::wstring &subkey, const std::wstring &name)
{
    DWORD size = 0;
    Stored stored;
    if (RegGetValueW(rootKey(root), subkey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &stored.type, nullptr,
                     &size)
        != ERROR_SUCCESS)
        return std::nullopt;
    stored.bytes.resize(size);
    if (RegGetValueW(rootKey(root), subkey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &stored.type,
                     stored.bytes.data(), &size)
        != ERROR_SUCCESS)
        return std::nullopt;
    stored.bytes.resize(size);
    return stored;
}

std::wstring textOf(const Stored &stored)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < stored.bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(stored.bytes[i] | (stored.bytes[i + 1] << 8)));
    return text; // the terminating NUL included, so a missing one shows
}

std::int32_t numberOf(const Stored &stored)
{
    std::uint32_t bits = 0;
    for (std::size_t i = stored.bytes.size(); i-- > 0;)
        bits = (bits << 8) | stored.bytes[i];
    return static_cast<std::int32_t>(bits);
}

// REG_SZ bytes as the Qt side hands them over: UTF-16LE and a terminating NUL.
std::vector<unsigned char> szBytes(const std::wstring &text)
{
    std::vector<unsigned char> bytes;
    for (wchar_t c : text + L'\0') {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    return bytes;
}

bool keyExists(std::uint32_t root, const std::wstring &subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootKey(root), subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct Counts
{
    DWORD subkeys = 0;
    DWORD values = 0;
};

Counts countsOf(std::uint32_t root, const std::wstring &subkey)
{
    HKEY key = nullptr;
    Counts counts;
    if (RegOpenKeyExW(rootKey(root), subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return counts;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &counts.subkeys, nullptr, nullptr, &counts.values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return counts;
}

DWORD valueCount(std::uint32_t root, const std::wstring &subkey)
{
    return countsOf(root, subkey).values;
}

void removeTree(std::uint32_t root, const std::wstring &subkey)
{
    RegDeleteTreeW(rootKey(root), subkey.c_str());
    RegDeleteKeyW(rootKey(root), subkey.c_str());
}

// The value is a REG_SZ holding exactly `text` with its terminating NUL, length included.
void expectStoredText(const std::wstring &key, const std::wstring &value, const std::wstring &text,
                      const char *name)
{
    const std::optional<Stored> stored = readValue(kLocalMachine, key, value);
    CHECK_MSG(stored.has_value(), name);
    if (!stored)
        return;
    check::equal(stored->type, static_cast<DWORD>(REG_SZ), name, __FILE__, __LINE__);
    check::equal(textOf(*stored), text + L'\0', name, __FILE__, __LINE__);
    check::equal(stored->bytes.size(), (text.size() + 1) * 2, name, __FILE__, __LINE__);
}

} // namespace

TEST_CASE(textArrivesExactly)
{
    // Non-ASCII text, one character outside the basic plane, and blanks the unit must not touch
    // (trimming is the caller's: a value's text is trimmed before its bytes are made).
    const std::wstring key = kScratch + L"\\text";
    removeTree(kLocalMachine, key);
    const struct
    {
        const char *name;
        std::wstring text;
    } rows[] = {
        {"trimmed file name", L"Caf\u00E9 \u20AC \u0141\u00F3d\u017A \u4E2D\u6587 \U0001F600.ttf"},
        {"blanks inside and around kept", L"  two  words \u00E9 "},
        {"empty", L""},
        {"long", std::wstring(5000, L'\u00E9')},
    };
    for (const auto &row : rows) {
        const std::wstring value = std::wstring(L"value ") + std::wstring(row.name, row.name + strlen(row.name));
        CHECK_EQ(win32::setRegistryValue(kLocalMachine, key, value, REG_SZ, szBytes(row.text)), 0L);
        expectStoredText(key, value, row.text, row.name);
    }
    removeTree(kLocalMachine, key);
}

TEST_CASE(textHelperWritesRegSz)
{
    const std::wstring key = kScratch + L"\\helper";
    removeTree(kLocalMachine, key);
    const std::wstring text = L"Gr\u00FC\u00DFe \u20AC.ttf";
    CHECK_EQ(win32::setRegistryString(kLocalMachine, key, L"greeting", text), 0L);
    const std::optional<Stored> stored = readValue(kLocalMachine, key, L"greeting");
    CHECK(stored.has_value());
    if (stored) {
        CHECK_EQ(stored->type, static_cast<DWORD>(REG_SZ));
        CHECK_EQ(textOf(*stored), text + L'\0');
    }
    // A reader of the code-page era sees the same text in the ANSI code page (1252 here), as
    // if RegSetValueExA had written it.
    char ansi[64] = {};
    DWORD size = sizeof ansi;
    DWORD type = 0;
    HKEY handle = nullptr;
    CHECK(RegOpenKeyExA(rootKey(kLocalMachine), "Software\\Vexlora Tests\\helper", 0, KEY_READ, &handle) == ERROR_SUCCESS);
    CHECK(RegQueryValueExA(handle, "greeting", nullptr, &type, reinterpret_cast<BYTE *>(ansi), &size) == ERROR_SUCCESS);
    RegCloseKey(handle);
    CHECK_EQ(std::string(ansi, size), std::string("Gr\xFC\xDF" "e \x80.ttf", 11) + '\0');
    removeTree(kLocalMachine, key);
}

TEST_CASE(textHelperTrims)
{
    // What reaches the registry is the text without the blanks around it, stored exactly: the
    // type, every code unit, and the length with its terminating NUL.
    const std::wstring key = kScratch + L"\\trimmed";
    removeTree(kLocalMachine, key);
    const struct
    {
        const char *name;
        std::wstring text;
        std::wstring stored;
    } rows[] = {
        {"non-ASCII with spaces, tabs and no-break spaces around",
         L" \t\u00A0Caf\u00E9 \u20AC \u0141\u00F3d\u017A \u4E2D\u6587 \U0001F600.ttf\u00A0\t  ",
         L"Caf\u00E9 \u20AC \u0141\u00F3d\u017A \u4E2D\u6587 \U0001F600.ttf"},
        {"only blanks", L" \t\u00A0\r\n\u3000 ", L""},
        {"inner blanks stay", L"\ttwo \t\u00A0 words\u00A0", L"two \t\u00A0 words"},
        {"nothing to trim", L"\u00E9l\u00E9gante.ttf", L"\u00E9l\u00E9gante.ttf"},
    };
    for (const auto &row : rows) {
        const std::wstring value(row.name, row.name + strlen(row.name));
        CHECK_EQ(win32::setRegistryString(kLocalMachine, key, value, row.text), 0L);
        expectStoredText(key, value, row.stored, row.name);
    }
    removeTree(kLocalMachine, key);
}

TEST_CASE(trimmingMatchesQt)
{
    // Each character QChar::isSpace() accepts goes from either end; its neighbours in the
    // character set, and the invisible characters that are not blanks there, stay.
    const wchar_t blanks[] = {0x0009, 0x000A, 0x000B, 0x000C, 0x000D, 0x0020, 0x0085, 0x00A0, 0x1680,
                              0x2000, 0x2001, 0x2002, 0x2003, 0x2004, 0x2005, 0x2006, 0x2007, 0x2008,
                              0x2009, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    for (wchar_t c : blanks) {
        const std::wstring blank(1, c);
        const std::string name = "blank " + check::show(blank);
        check::equal(win32::trimmed(blank + L"a b" + blank), std::wstring(L"a b"), name.c_str(), __FILE__, __LINE__);
        check::equal(win32::trimmed(blank), std::wstring(), name.c_str(), __FILE__, __LINE__);
    }
    const wchar_t kept[] = {0x0000, 0x0008, 0x000E, 0x001F, 0x0021, 0x0084, 0x0086, 0x00A1, 0x180E,
                            0x200B, 0x200C, 0x200D, 0x2060, 0x2027, 0x202A, 0x205E, 0x3001, 0xFEFF};
    for (wchar_t c : kept) {
        const std::wstring other(1, c);
        const std::string name = "not a blank " + check::show(other);
        check::equal(win32::trimmed(other + L" a " + other), other + L" a " + other, name.c_str(), __FILE__, __LINE__);
    }
    CHECK_EQ(win32::trimmed(L""), std::wstring());
    // A character outside the basic plane at either end is two code units, neither a blank.
    CHECK_EQ(win32::trimmed(L" \U0001F600 \U0001F600 "), std::wstring(L"\U0001F600 \U0001F600"));
}

TEST_CASE(numbersBecomeRegDword)
{
    const std::wstring key = kScratch + L"\\numbers";
    removeTree(kLocalMachine, key);
    const struct
    {
        const char *name;
        std::int32_t number;
    } rows[] = {
        {"zero", 0}, {"small", 42}, {"negative", -1}, {"smallest", INT32_MIN}, {"largest", INT32_MAX}, {"bytes in order", 0x12345678},
    };
    for (const auto &row : rows) {
        const std::wstring value(row.name, row.name + strlen(row.name));
        // The helper, and the raw path the Qt side takes with the same 4 little-endian bytes.
        CHECK_EQ(win32::setRegistryDword(kLocalMachine, key, value, row.number), 0L);
        std::optional<Stored> stored = readValue(kLocalMachine, key, value);
        CHECK_MSG(stored.has_value(), row.name);
        if (stored) {
            check::equal(stored->type, static_cast<DWORD>(REG_DWORD), row.name, __FILE__, __LINE__);
            check::equal(stored->bytes.size(), std::size_t{4}, row.name, __FILE__, __LINE__);
            check::equal(numberOf(*stored), row.number, row.name, __FILE__, __LINE__);
        }
        const auto bits = static_cast<std::uint32_t>(row.number);
        const std::vector<unsigned char> bytes{static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                               static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
        CHECK_EQ(win32::setRegistryValue(kLocalMachine, key, value + L" raw", REG_DWORD, bytes), 0L);
        DWORD read = 0;
        DWORD size = sizeof read;
        CHECK(RegGetValueW(rootKey(kLocalMachine), key.c_str(), (value + L" raw").c_str(), RRF_RT_REG_DWORD, nullptr, &read,
                           &size)
              == ERROR_SUCCESS);
        check::equal(static_cast<std::int32_t>(read), row.number, row.name, __FILE__, __LINE__);
    }
    removeTree(kLocalMachine, key);
}

TEST_CASE(missingKeysAreCreated)
{
    const std::wstring top = kScratch + L"\\created";
    removeTree(kLocalMachine, top);
    const std::wstring deep = top + L"\\one\\two \u00E9";
    CHECK(!keyExists(kLocalMachine, top));
    CHECK_EQ(win32::setRegistryString(kLocalMachine, deep, L"name", L"data"), 0L);
    CHECK(keyExists(kLocalMachine, top + L"\\one"));
    CHECK(keyExists(kLocalMachine, deep));
    const std::optional<Stored> stored = readValue(kLocalMachine, deep, L"name");
    CHECK(stored && textOf(*stored) == std::wstring(L"data") + L'\0');
    removeTree(kLocalMachine, top);
}

TEST_CASE(otherValuesSurvive)
{
    const std::wstring key = kScratch + L"\\neighbours";
    removeTree(kLocalMachine, key);
    CHECK_EQ(win32::setRegistryString(kLocalMachine, key, L"first", L"one.ttf"), 0L);
    CHECK_EQ(win32::setRegistryDword(kLocalMachine, key, L"count", 7), 0L);
    CHECK_EQ(win32::setRegistryString(kLocalMachine, key, L"second", L"two.ttf"), 0L);
    // Writing an existing name again replaces that value alone, type included.
    CHECK_EQ(win32::setRegistryString(kLocalMachine, key, L"count", L"eight"), 0L);
    CHECK_EQ(valueCount(kLocalMachine, key), DWORD{3});
    const std::optional<Stored> first = readValue(kLocalMachine, key, L"first");
    const std::optional<Stored> second = readValue(kLocalMachine, key, L"second");
    const std::optional<Stored> count = readValue(kLocalMachine, key, L"count");
    CHECK(first && first->type == REG_SZ && textOf(*first) == std::wstring(L"one.ttf") + L'\0');
    CHECK(second && second->type == REG_SZ && textOf(*second) == std::wstring(L"two.ttf") + L'\0');
    CHECK(count && count->type == REG_SZ && textOf(*count) == std::wstring(L"eight") + L'\0');
    removeTree(kLocalMachine, key);
}

TEST_CASE(installValueUnderTheFontsKey)
{
    // What Install writes: HKEY_LOCAL_MACHINE, the fonts key as written with its trailing
    // backslash, the face name as shown plus " (TrueType)", the bare file name as data.
    // On Windows a user without administrator rights is refused here (ERROR_ACCESS_DENIED);
    // wine lets anyone write HKEY_LOCAL_MACHINE, so that refusal is not asserted.
    const std::wstring bare = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    const std::wstring neighbour = L"Vexlora Neighbour (TrueType)";
    CHECK_EQ(win32::setRegistryValue(kLocalMachine, kFontsKey, neighbour, REG_SZ, szBytes(L"neighbour.ttf")), 0L);
    const Counts before = countsOf(kLocalMachine, bare);

    const struct
    {
        const char *name;
        std::wstring face;
        std::wstring file;
    } rows[] = {
        {"plain", L"Alpha Sans", L"alphasans.ttf"},
        {"name kept as shown, blanks and all", L" Beta Serif ", L"beta serif.ttf"},
        {"non-ASCII face and file", L"\u00C9l\u00E9gante \u20AC", L"\u00E9l\u00E9gante.ttf"},
    };
    DWORD added = 0;
    for (const auto &row : rows) {
        const std::wstring value = row.face + L" (TrueType)";
        CHECK_EQ(win32::setRegistryValue(kLocalMachine, kFontsKey, value, REG_SZ, szBytes(row.file)), 0L);
        ++added;
        const std::optional<Stored> stored = readValue(kLocalMachine, bare, value);
        CHECK_MSG(stored.has_value(), row.name);
        if (stored) {
            check::equal(stored->type, static_cast<DWORD>(REG_SZ), row.name, __FILE__, __LINE__);
            check::equal(textOf(*stored), row.file + L'\0', row.name, __FILE__, __LINE__);
        }
    }
    // Installing the same file again writes the same value again, nothing more.
    CHECK_EQ(win32::setRegistryValue(kLocalMachine, kFontsKey, L"Alpha Sans (TrueType)", REG_SZ, szBytes(L"alphasans.ttf")), 0L);
    CHECK_EQ(valueCount(kLocalMachine, bare), before.values + added);
    const std::optional<Stored> kept = readValue(kLocalMachine, bare, neighbour);
    CHECK(kept && textOf(*kept) == std::wstring(L"neighbour.ttf") + L'\0');
    // The trailing backslash names the fonts key itself, not a new key below it.
    CHECK_EQ(countsOf(kLocalMachine, bare).subkeys, before.subkeys);

    for (const auto &row : rows)
        RegDeleteKeyValueW(rootKey(kLocalMachine), bare.c_str(), (row.face + L" (TrueType)").c_str());
    RegDeleteKeyValueW(rootKey(kLocalMachine), bare.c_str(), neighbour.c_str());
}

TEST_CASE(rootIsThePredefinedKeyNamed)
{
    const std::wstring key = kScratch + L"\\root";
    removeTree(kCurrentUser, key);
    removeTree(kLocalMachine, key);
    CHECK_EQ(win32::setRegistryString(kCurrentUser, key, L"where", L"user"), 0L);
    CHECK(readValue(kCurrentUser, key, L"where").has_value());
    CHECK(!readValue(kLocalMachine, key, L"where").has_value());
    // A number that names no predefined key is refused, not written somewhere else.
    CHECK(win32::setRegistryString(0x12345678u, key, L"where", L"nowhere") != 0L);
    removeTree(kCurrentUser, key);
    removeTree(kCurrentUser, kScratch);
}

TEST_CASE(namesWithNulAreRefused)
{
    // An embedded NUL would cut the name short and write a different value.
    const std::wstring key = kScratch + L"\\nul";
    removeTree(kLocalMachine, key);
    CHECK_EQ(win32::setRegistryString(kLocalMachine, key, std::wstring(L"Alpha\0Sans", 10), L"a.ttf"),
             static_cast<long>(ERROR_INVALID_PARAMETER));
    CHECK(!readValue(kLocalMachine, key, L"Alpha").has_value());
    CHECK_EQ(win32::setRegistryString(kLocalMachine, key + std::wstring(L"\0x", 2), L"name", L"a.ttf"),
             static_cast<long>(ERROR_INVALID_PARAMETER));
    CHECK(!keyExists(kLocalMachine, key));
    removeTree(kLocalMachine, kScratch);
}
