#include "check.h"

#include <cstdio>
#include <exception>
#include <vector>

namespace check {
namespace {

struct Case
{
    const char *name;
    CaseFunction function;
};

std::vector<Case> &cases()
{
    static std::vector<Case> list;
    return list;
}

const char *currentCase = "";
int passed = 0;
int failed = 0;

void appendCodePoint(std::string &out, unsigned long code)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "\\u{%04lX}", code);
    out += buffer;
}

} // namespace

int addCase(const char *name, CaseFunction function)
{
    cases().push_back({name, function});
    return static_cast<int>(cases().size());
}

bool record(bool ok, const char *expression, const std::string &detail, const char *file, int line)
{
    (ok ? passed : failed)++;
    if (ok)
        std::printf("PASS %s: %s\n", currentCase, expression);
    else
        std::printf("FAIL %s: %s%s%s (%s:%d)\n", currentCase, expression, detail.empty() ? "" : " -- ",
                    detail.c_str(), file, line);
    std::fflush(stdout);
    return ok;
}

std::string show(const std::wstring &text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned long code = static_cast<unsigned long>(static_cast<unsigned short>(text[i]));
        // wchar_t is UTF-16 here: join a surrogate pair into one code point.
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            const unsigned long low = static_cast<unsigned short>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code >= 0x20 && code < 0x7F && code != '\\' && code != '"')
            out += static_cast<char>(code);
        else
            appendCodePoint(out, code);
    }
    return out + "\"";
}

std::string show(const std::string &bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        }
    }
    return out + "\"";
}

std::string show(const wchar_t *text) { return text ? show(std::wstring(text)) : "null"; }
std::string show(const char *text) { return text ? show(std::string(text)) : "null"; }
std::string show(long long number) { return std::to_string(number); }
std::string show(unsigned long long number) { return std::to_string(number); }

int runAll()
{
    for (const Case &c : cases()) {
        currentCase = c.name;
        try {
            c.function();
        } catch (const std::exception &e) {
            record(false, "no exception", e.what(), __FILE__, __LINE__);
        } catch (...) {
            record(false, "no exception", "unknown exception", __FILE__, __LINE__);
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 && passed > 0 ? 0 : 1;
}

} // namespace check

int main()
{
    return check::runAll();
}
