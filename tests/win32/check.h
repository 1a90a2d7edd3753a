#pragma once

// A small assertion harness for the Qt-free Win32 units, in standard C++ alone so the test
// programs need nothing but the cross-compiler. Every check prints "PASS ..." or "FAIL ...";
// the program ends with "N passed, N failed" and exits with 1 when any failed. Text is shown
// in ASCII, other code units as \u{XXXX}, so wine's console encoding cannot garble a failure.
#include <cstdio>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace check {
inline int passed = 0, failed = 0;
inline std::vector<std::pair<const char *, void (*)()>> cases;
inline const char *current = "";

inline bool record(bool ok, const std::string &what, int line)
{
    ++(ok ? passed : failed);
    std::printf(ok ? "PASS %s: %s\n" : "FAIL %s: %s (line %d)\n", current, what.c_str(), line);
    return ok;
}

template<typename T>
std::string show(const T &v)
{
    if constexpr (std::is_arithmetic_v<T>) {
        return std::to_string(v);
    } else { // a wide string
        std::string out = "\"";
        for (wchar_t c : v) {
            char code[12];
            std::snprintf(code, sizeof code, "\\u{%04X}", static_cast<unsigned>(static_cast<unsigned short>(c)));
            out += c >= 0x20 && c < 0x7F && c != L'\\' ? std::string(1, static_cast<char>(c)) : std::string(code);
        }
        return out + "\"";
    }
}

template<typename A, typename E>
bool equal(const A &actual, const E &expected, const char *what, int line)
{
    const bool ok = actual == static_cast<A>(expected);
    return record(ok, ok ? what : std::string(what) + ": got " + show(actual) + ", expected " + show(static_cast<A>(expected)), line);
}
} // namespace check

// TEST_CASE(name) { ...checks... }; cases run in file order.
#define TEST_CASE(name)                                                                                  \
    static void name();                                                                                  \
    [[maybe_unused]] static const bool name##_added = (check::cases.emplace_back(#name, name), true);   \
    static void name()
#define CHECK(condition) check::record(static_cast<bool>(condition), #condition, __LINE__)
#define CHECK_EQ(actual, expected) check::equal((actual), (expected), #actual " == " #expected, __LINE__)

int main()
{
    for (const auto &[name, function] : check::cases) {
        check::current = name;
        function();
    }
    std::printf("%d passed, %d failed\n", check::passed, check::failed);
    return check::failed == 0 && check::passed > 0 ? 0 : 1;
}
