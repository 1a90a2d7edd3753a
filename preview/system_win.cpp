#include "preview/system.h"

#include "preview/win32_codepage.h"

namespace preview {

QString ansiText(int code)
{
    if (code < 0 || code > 255)
        return {};
    return QString::fromStdU16String(win32::ansiByteToUtf16(static_cast<unsigned char>(code)));
}

} // namespace preview
