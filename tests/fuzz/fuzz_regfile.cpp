// The .reg store's reader: any bytes, decoded as the store decodes its file. A text it accepts
// is written back and read again to the same keys and values.
#include "fonts/regfile.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (utf8.hasError())
        return 0;
    const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
    const auto first = registry::parseRegText(text, root);
    if (first && registry::parseRegText(registry::formatRegText(*first, root), root) != first)
        __builtin_trap();
    return 0;
}
