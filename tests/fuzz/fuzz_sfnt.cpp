// The font file reader and the renamed copy: any bytes, read without reading past them; a copy
// is made only of what was read, and reads back under the names it was given.
#include "fonts/sfnt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray font(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList families = sfnt::windowsFamilies(font);
    QStringList names;
    for (qsizetype k = 0; k < families.size(); ++k)
        names.append(QStringLiteral("Trial %1").arg(k));
    const QByteArray copy = sfnt::renamed(font, names);
    if (!copy.isEmpty() && sfnt::windowsFamilies(copy) != names)
        __builtin_trap();
    return 0;
}
