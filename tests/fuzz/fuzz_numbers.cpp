// The number rules on any text, in three locales: never a crash, and in the C locale a plain
// decimal text has the value Qt's own reader gives it.
#include "base/numbers.h"
#include "fonts/Module2.h"

#include <QRegularExpression>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    numbers::sizeValue(text);
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::Switzerland)})
        Module2::registryValueFor(text, locale);
    // Only plain literals: Qt reads no "&H", blanks or currency, and refuses what overflows.
    static const QRegularExpression plainLiteral(
        QRegularExpression::anchoredPattern(QStringLiteral("[-+]?[0-9]*\\.?[0-9]*([eE][-+]?[0-9]+)?")));
    bool ok = false;
    const double qtValue = QLocale::c().toDouble(text, &ok);
    if (ok && plainLiteral.match(text).hasMatch() && (qtValue == 0 || std::isnormal(qtValue))) {
        const auto ours = numbers::numberIn(text, QLocale::c());
        if (!ours || *ours != qtValue)
            __builtin_trap();
    }
    return 0;
}
