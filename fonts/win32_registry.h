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

// REG_SZ: the text as given, in UTF-16 with its terminating NUL counted in the length. The
// shared writer (Module2) trims it before, alike on every platform.
long setRegistryString(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                       const std::wstring &text);

// REG_DWORD: the signed 32-bit number, 4 bytes little-endian.
long setRegistryDword(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                      std::int32_t number);

} // namespace win32
