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

std::optional<double> numberIn(const QString &text, const QLocale &locale)
{
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    const QStringView s = QStringView(text).mid(begin, end - begin);

    if (const int base = radixPrefix(s)) {
        if (s.size() == 2)
            return std::nullopt;
        double value = 0;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const int d = digitValue(s[i], base);
            if (d < 0)
                return std::nullopt;
            value = value * base + d;
        }
        // Up to 32 bits these are bit patterns, as the registry keeps them: &HFFFFFFFF is -1.
        if (value <= 4294967295.0)
            return static_cast<double>(static_cast<qint32>(static_cast<quint32>(value)));
        return value;
    }

    const QString currency = locale.currencySymbol();
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    const QString exponential = locale.exponential();

    // What has been read, rewritten as a plain ASCII literal for from_chars.
    std::string literal;
    bool seenCurrency = false;
    bool seenSign = false;
    bool seenMantissa = false; // a digit or separator of the number itself
    bool mantissaDigits = false;
    bool seenDecimal = false;
    bool inExponent = false;
    bool exponentSign = false;
    bool exponentNegative = false;
    bool exponentDigits = false;
    bool closed = false; // a currency symbol after the exponent ends the number
    bool lastWasCurrency = false;

    qsizetype i = 0;
    const auto at = [&](const QString &token) {
        return !token.isEmpty() && s.mid(i).startsWith(token);
    };
    // The length of a sign at i, and whether it is a minus; 0 when there is none.
    const auto signAt = [&](bool &negative) -> qsizetype {
        const QChar c = s[i];
        if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
            negative = c == QLatin1Char('-');
            return 1;
        }
        negative = at(minus);
        return negative ? minus.size() : at(plus) ? plus.size() : 0;
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
                return std::nullopt;
            i = j;
            continue;
        }
        if (closed)
            return std::nullopt;
        if (!seenCurrency && at(currency)) {
            if (inExponent && !exponentDigits)
                return std::nullopt;
            if (inExponent)
                closed = true;
            seenCurrency = true;
            lastWasCurrency = true;
            i += currency.size();
            continue;
        }
        lastWasCurrency = false;
        bool negative = false;
        if (inExponent) {
            if (!exponentSign && !exponentDigits) {
                if (const qsizetype n = signAt(negative)) {
                    exponentSign = true;
                    exponentNegative = negative;
                    if (negative)
                        literal += '-';
                    i += n;
                    continue;
                }
            }
            if (!isAsciiDigit(c))
                return std::nullopt;
            exponentDigits = true;
            literal += char(c.unicode());
            ++i;
            continue;
        }
        if (isAsciiDigit(c)) {
            mantissaDigits = seenMantissa = true;
            literal += char(c.unicode());
            ++i;
            continue;
        }
        if (!seenDecimal && at(decimal)) {
            seenDecimal = seenMantissa = true;
            literal += '.';
            i += decimal.size();
            continue;
        }
        if (!seenDecimal && at(group)) {
            seenMantissa = true;
            i += group.size();
            continue;
        }
        if (!seenSign && !seenMantissa) {
            if (const qsizetype n = signAt(negative)) {
                seenSign = true;
                if (negative)
                    literal += '-';
                i += n;
                continue;
            }
        }
        if (mantissaDigits
            && (c == QLatin1Char('e') || c == QLatin1Char('E') || at(exponential)
                || at(exponential.toLower()))) {
            inExponent = true;
            literal += 'e';
            const bool ascii = c == QLatin1Char('e') || c == QLatin1Char('E');
            i += ascii ? 1 : exponential.size();
            continue;
        }
        return std::nullopt;
    }
    if (!mantissaDigits || (inExponent && !exponentDigits))
        return std::nullopt;
    return decimalLiteral(literal, exponentNegative);
}

} // namespace numbers
