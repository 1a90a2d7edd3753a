// The size box's number rules on any text, in three locales, and the registry writer's choice
// of type, which reads a number the same way.
#include "base/numbers.h"
#include "fonts/Module2.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    numbers::sizeValue(text);
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::Switzerland)}) {
        const bool numeric = numbers::isNumeric(text, locale);
        const auto value = Module2::registryValueFor(text, locale);
        // A text is stored as a text exactly when it is no number.
        if (value && std::holds_alternative<QString>(*value) == numeric)
            __builtin_trap();
    }
    return 0;
}
