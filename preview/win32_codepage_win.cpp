#include "preview/win32_codepage.h"

#include <windows.h>

namespace win32 {

std::u16string ansiByteToUtf16(unsigned char byte)
{
    const char in = static_cast<char>(byte);
    wchar_t out[4] = {};
    // No MB_ERR_INVALID_CHARS: a byte the page does not define comes back as the page's
    // default character instead of failing the whole conversion.
    const int n = MultiByteToWideChar(CP_ACP, 0, &in, 1, out, 4);
    if (n <= 0)
        return {};
    std::u16string text;
    for (int i = 0; i < n; ++i)
        text.push_back(static_cast<char16_t>(out[i]));
    return text;
}

} // namespace win32
