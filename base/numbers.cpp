#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numbers {
namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Base of a "&H" / "&O" prefix at the start of s, or 0 when there is none.
int radixPrefix(QStringView s)
{
    if (s.size() < 2 || s[0] != QLatin1Char('&'))
        return 0;
    const QChar p = s[1].toUpper();
    if (p == QLatin1Char('H'))
        return 16;
    if (p == QLatin1Char('O'))
        return 8;
    return 0;
}

// A plain decimal literal ([-]digits[.digits][e[-]digits]) in ASCII, read the same way in
// every locale. Out-of-range exponents give infinity or zero rather than an error, so that a
// caller sees a value it can refuse.
double decimalLiteral(const std::string &literal, bool exponentNegative)
{
    double value = 0;
    const char *first = literal.data();
    const char *last = first + literal.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    Q_UNUSED(ptr);
    if (ec == std::errc::result_out_of_range) {
        const bool negative = !literal.empty() && literal.front() == '-';
        if (exponentNegative)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc())
        return 0;
    return value;
}

} // namespace

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

double sizeValue(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s.append(c);
    }

    if (const int base = radixPrefix(s)) {
        double value = 0;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const int d = digitValue(s[i], base);
            if (d < 0)
                break;
            value = value * base + d;
        }
        return value;
    }

    // Longest prefix of the form [sign] digits [. digits] [e [sign] digits].
    std::string literal;
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        if (s[i] == QLatin1Char('-'))
            literal += '-';
        ++i;
    }
    bool digits = false;
    while (i < n && isAsciiDigit(s[i])) {
        literal += char(s[i].unicode());
        digits = true;
        ++i;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        literal += '.';
        ++i;
        while (i < n && isAsciiDigit(s[i])) {
            literal += char(s[i].unicode());
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return 0;

    bool exponentNegative = false;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        // The exponent counts only when at least one digit follows it.
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-'))) {
            exponentNegative = s[j] == QLatin1Char('-');
            if (exponentNegative)
                exponent += '-';
            ++j;
        }
        bool exponentDigits = false;
        while (j < n && isAsciiDigit(s[j])) {
            exponent += char(s[j].unicode());
            exponentDigits = true;
            ++j;
        }
        if (exponentDigits)
            literal += exponent;
        else
            exponentNegative = false;
    }
    return decimalLiteral(literal, exponentNegative);
}

bool isNumeric(const QString &text, const QLocale &locale)
{
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return false;
    const QStringView s = QStringView(text).mid(begin, end - begin);

    if (const int base = radixPrefix(s)) {
        if (s.size() == 2)
            return false;
        for (qsizetype i = 2; i < s.size(); ++i) {
            if (digitValue(s[i], base) < 0)
                return false;
        }
        return true;
    }

    const QString currency = locale.currencySymbol();
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    const QString exponential = locale.exponential();

    bool seenCurrency = false;
    bool seenSign = false;
    bool seenMantissa = false; // a digit or separator of the number itself
    bool mantissaDigits = false;
    bool seenDecimal = false;
    bool inExponent = false;
    bool exponentSign = false;
    bool exponentDigits = false;
    bool closed = false; // a currency symbol after the exponent ends the number
    bool lastWasCurrency = false;

    qsizetype i = 0;
    const auto at = [&](const QString &token) {
        return !token.isEmpty() && s.mid(i).startsWith(token);
    };
    while (i < s.size()) {
        const QChar c = s[i];
        if (isBlank(c)) {
            // Blanks inside the text only stand between the number and its currency symbol.
            qsizetype j = i;
            while (j < s.size() && isBlank(s[j]))
                ++j;
            const bool currencyNext = !seenCurrency && !currency.isEmpty() && s.mid(j).startsWith(currency);
            if (!lastWasCurrency && !currencyNext)
                return false;
            i = j;
            continue;
        }
        if (closed)
            return false;
        if (!seenCurrency && at(currency)) {
            if (inExponent && !exponentDigits)
                return false;
            if (inExponent)
                closed = true;
            seenCurrency = true;
            lastWasCurrency = true;
            i += currency.size();
            continue;
        }
        lastWasCurrency = false;
        if (inExponent) {
            if (!exponentSign && !exponentDigits
                && (c == QLatin1Char('+') || c == QLatin1Char('-') || at(minus) || at(plus))) {
                exponentSign = true;
                i += (c == QLatin1Char('+') || c == QLatin1Char('-')) ? 1 : (at(minus) ? minus.size() : plus.size());
                continue;
            }
            if (isAsciiDigit(c)) {
                exponentDigits = true;
                ++i;
                continue;
            }
            return false;
        }
        if (isAsciiDigit(c)) {
            mantissaDigits = seenMantissa = true;
            ++i;
            continue;
        }
        if (!seenDecimal && at(decimal)) {
            seenDecimal = seenMantissa = true;
            i += decimal.size();
            continue;
        }
        if (!seenDecimal && at(group)) {
            seenMantissa = true;
            i += group.size();
            continue;
        }
        if (!seenSign && !seenMantissa
            && (c == QLatin1Char('+') || c == QLatin1Char('-') || at(minus) || at(plus))) {
            seenSign = true;
            i += (c == QLatin1Char('+') || c == QLatin1Char('-')) ? 1 : (at(minus) ? minus.size() : plus.size());
            continue;
        }
        if (mantissaDigits
            && (c == QLatin1Char('e') || c == QLatin1Char('E') || at(exponential)
                || at(exponential.toLower()))) {
            inExponent = true;
            const bool ascii = c == QLatin1Char('e') || c == QLatin1Char('E');
            i += ascii ? 1 : exponential.size();
            continue;
        }
        return false;
    }
    if (!mantissaDigits)
        return false;
    return !inExponent || exponentDigits;
}

} // namespace numbers
