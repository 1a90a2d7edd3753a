#include "preview/system.h"

#include "preview/charmap.h"

namespace preview {

QString ansiText(int code)
{
    if (code < 0 || code > 255)
        return {};
    return QString(QChar(windows1252ToUnicode(static_cast<unsigned char>(code))));
}

} // namespace preview
