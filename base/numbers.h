#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The number rules of the size box, which the registry writer shares, as pure functions.
namespace numbers {

// The numeric value of a text read from its start: blanks, tabs and line feeds are ignored
// wherever they stand; "." is the decimal separator whatever the locale; an optional sign and
// exponent; "&H" and "&O" read hexadecimal and octal; reading stops at the first character
// that cannot continue a number; a text that does not begin with a number gives 0.
double sizeValue(const QString &text);

// The value of the whole text when it reads as a number in the given locale: blanks before or
// after, a sign, the locale's decimal and thousands separators, its currency symbol, an
// exponent, "&H" and "&O" are accepted; an empty text or any other character is not. "&H" and
// "&O" numbers of up to 32 bits are their signed bit pattern (&HFFFFFFFF is -1).
std::optional<double> numberIn(const QString &text, const QLocale &locale = QLocale());

// Value of c as a digit of the given base (up to 16, either letter case), or -1.
int digitValue(QChar c, int base);

} // namespace numbers
