#pragma once

// A small assertion harness for the Windows-only units, in standard C++ alone so the test
// programs need nothing but the cross-compiler. Every check prints one line, "PASS ..." or
// "FAIL ...", and the program ends with "N passed, N failed", exiting with 1 when any failed.
// Text is printed in ASCII; other characters appear as \u{XXXX}, so wine's console encoding
// cannot garble what a failure says.
#include <cstdint>
#include <string>

namespace check {

using CaseFunction = void (*)();

// Adds a case to the program's list; cases run in the order they were added (file order).
int addCase(const char *name, CaseFunction function);

// One check: prints it, counts it, and returns whether it passed.
bool record(bool ok, const char *expression, const std::string &detail, const char *file, int line);

// ASCII pictures of values for failure messages.
std::string show(const std::wstring &text);
std::string show(const std::string &bytes);
std::string show(const wchar_t *text);
std::string show(const char *text);
std::string show(long long number);
std::string show(unsigned long long number);
inline std::string show(int number) { return show(static_cast<long long>(number)); }
inline std::string show(long number) { return show(static_cast<long long>(number)); }
inline std::string show(unsigned number) { return show(static_cast<unsigned long long>(number)); }
inline std::string show(unsigned long number) { return show(static_cast<unsigned long long>(number)); }
inline std::string show(bool value) { return value ? "true" : "false"; }

template <typename A, typename E>
bool equal(const A &actual, const E &expected, const char *expression, const char *file, int line)
{
    const bool ok = actual == expected;
    return record(ok, expression, ok ? std::string() : "got " + show(actual) + ", expected " + show(expected),
                  file, line);
}

// Runs every case; the program's exit code.
int runAll();

} // namespace check

#define VEXLORA_CHECK_JOIN2(a, b) a##b
#define VEXLORA_CHECK_JOIN(a, b) VEXLORA_CHECK_JOIN2(a, b)

// TEST_CASE(name) { ...checks... }
#define TEST_CASE(name)                                                                            \
    static void name();                                                                            \
    [[maybe_unused]] static const int VEXLORA_CHECK_JOIN(name, _added) = check::addCase(#name, name); \
    static void name()

#define CHECK(condition) check::record(static_cast<bool>(condition), #condition, std::string(), __FILE__, __LINE__)
#define CHECK_MSG(condition, detail) check::record(static_cast<bool>(condition), #condition, (detail), __FILE__, __LINE__)
#define CHECK_EQ(actual, expected) check::equal((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
