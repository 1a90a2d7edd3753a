#pragma once

#include "fonts/registry.h"

#include <QLocale>
#include <QString>
#include <QVariant>

#include <optional>

// The registry writer.
namespace Module2 {

using registry::RootKey;
inline constexpr RootKey HKEY_LOCAL_MACHINE = RootKey::HKEY_LOCAL_MACHINE;

// Writes one value under root\subkey, creating the key: REG_DWORD (a signed 32-bit number)
// when the value reads as a number as a whole, otherwise REG_SZ with the text trimmed of
// surrounding blanks. Reports nothing; a refused write simply leaves no value.
void saveRegistryValue(RootKey root, const QString &subkey, const QString &name, const QVariant &value);

// Whether the registry can hold a value of that name under that key at all.
bool canSaveRegistryValue(const QString &subkey, const QString &name);

// The same write, telling how it went.
registry::Result writeRegistryValue(RootKey root, const QString &subkey, const QString &name,
                                    const QVariant &value, const QLocale &locale = QLocale());

// The typed value the writer stores for `value`; nothing when it reads as a number that has no
// signed 32-bit form (too large, not finite), so no value is written rather than a wrong one.
std::optional<registry::Value> registryValueFor(const QVariant &value, const QLocale &locale = QLocale());

} // namespace Module2
