#pragma once

// Registry writes through the Unicode Win32 calls. Standard C++ and the Win32 API only, so this
// builds and runs its tests with a cross-compiler and wine, without Qt.
#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

// Opens or creates `subkey` under the predefined key whose 32-bit handle value is `root`
// (0x80000002 for HKEY_LOCAL_MACHINE) with RegCreateKeyExW, sets the value `name` to `type` and
// the raw `data` with RegSetValueExW, and closes the key with RegCloseKey.
// Returns the Win32 error code, 0 (ERROR_SUCCESS) when the value was written. A subkey or name
// holding a NUL is refused (ERROR_INVALID_PARAMETER) rather than cut short at it.
long setRegistryValue(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                      std::uint32_t type, const std::vector<unsigned char> &data);

// The text without the blanks around it: the characters QString::trimmed() removes (those
// QChar::isSpace() accepts: U+0009-U+000D, U+0020, U+0085, U+00A0, U+1680, U+2000-U+200A,
// U+2028, U+2029, U+202F, U+205F, U+3000), so a value written on Windows matches the one the
// Qt side keeps elsewhere. Blanks inside the text stay.
std::wstring trimmed(const std::wstring &text);

// REG_SZ: the text, trimmed as above, in UTF-16 with its terminating NUL counted in the length.
long setRegistryString(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                       const std::wstring &text);

// REG_DWORD: the signed 32-bit number, 4 bytes little-endian.
long setRegistryDword(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                      std::int32_t number);

} // namespace win32
