// The .reg store's reader: any bytes, decoded as the store decodes its file. A text it accepts
// is written back and read again to the same document.
#include "fonts/regfile.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (utf8.hasError())
        return 0;
    const auto first = registry::parseRegText(text, QStringLiteral("HKEY_LOCAL_MACHINE"));
    if (!first.document)
        return 0;
    const QString written = registry::formatRegText(*first.document);
    const auto second = registry::parseRegText(written, QStringLiteral("HKEY_LOCAL_MACHINE"));
    if (!second.document || registry::formatRegText(*second.document) != written)
        __builtin_trap();
    return 0;
}
