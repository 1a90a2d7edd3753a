#include "fonts/registry.h"

#include "fonts/system.h"

namespace registry {

QString rootKeyName(RootKey root)
{
    switch (root) {
    case RootKey::HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case RootKey::HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case RootKey::HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RootKey::HKEY_USERS: return QStringLiteral("HKEY_USERS");
    case RootKey::HKEY_CURRENT_CONFIG: return QStringLiteral("HKEY_CURRENT_CONFIG");
    }
    return {};
}

namespace {
Registry *fake_ = nullptr;
} // namespace

Registry &Registry::instance()
{
    return fake_ ? *fake_ : systemRegistry();
}

void Registry::setInstance(Registry *fake)
{
    fake_ = fake;
}

} // namespace registry
