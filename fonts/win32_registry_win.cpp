#include "fonts/win32_registry.h"

#include <windows.h>

namespace win32 {
namespace {

// The predefined handles are sign-extended 32-bit values, as windows.h spells them:
// (HKEY)(ULONG_PTR)((LONG)0x80000002).
HKEY predefinedKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

bool holdsNul(const std::wstring &s)
{
    return s.find(L'\0') != std::wstring::npos;
}

} // namespace

long setRegistryValue(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                      std::uint32_t type, const std::vector<unsigned char> &data)
{
    // The calls take NUL-terminated strings: an embedded NUL would silently write elsewhere.
    if (holdsNul(subkey) || holdsNul(name))
        return ERROR_INVALID_PARAMETER;
    if (data.size() > 0xFFFFFFFFu)
        return ERROR_INVALID_PARAMETER;

    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(predefinedKey(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                        static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return rc;
}

long setRegistryString(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                       const std::wstring &text)
{
    // A wchar_t is a UTF-16 unit here, as REG_SZ keeps it: the string's own bytes, NUL and all.
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.c_str());
    return setRegistryValue(root, subkey, name, REG_SZ,
                            std::vector<unsigned char>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t)));
}

long setRegistryDword(std::uint32_t root, const std::wstring &subkey, const std::wstring &name,
                      std::int32_t number)
{
    const auto bits = static_cast<std::uint32_t>(number);
    const std::vector<unsigned char> data{
        static_cast<unsigned char>(bits & 0xFF), static_cast<unsigned char>((bits >> 8) & 0xFF),
        static_cast<unsigned char>((bits >> 16) & 0xFF), static_cast<unsigned char>((bits >> 24) & 0xFF)};
    return setRegistryValue(root, subkey, name, REG_DWORD, data);
}

} // namespace win32
