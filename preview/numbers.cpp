#include "numbers.h"

namespace preview {

// Placeholder until the size rules land.
double sizeValue(const QString &text)
{
    return text.trimmed().toDouble();
}

bool isNumeric(const QString &text, const QLocale &locale)
{
    bool ok = false;
    locale.toDouble(text.trimmed(), &ok);
    return ok;
}

} // namespace preview
