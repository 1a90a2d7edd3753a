#include "fonts/Module2.h"

#include "base/numbers.h"
#include "base/units.h"

#include <cmath>

namespace Module2 {
namespace {

bool holdsNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// Rounds half to even, as a conversion to a whole number does in the registry's own tools.
std::optional<qint32> toInt32(double d)
{
    if (!std::isfinite(d))
        return std::nullopt;
    const double r = units::roundHalfEven(d);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<qint32>(r);
}

std::optional<qint32> numberHeld(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return toInt32(v.toDouble());
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (v.toULongLong() > 2147483647ull)
            return std::nullopt;
        return static_cast<qint32>(v.toULongLong());
    default: {
        const qlonglong n = v.toLongLong();
        if (n < -2147483648ll || n > 2147483647ll)
            return std::nullopt;
        return static_cast<qint32>(n);
    }
    }
}

} // namespace

std::optional<registry::Value> registryValueFor(const QVariant &value, const QLocale &locale)
{
    if (holdsNumber(value)) {
        const auto n = numberHeld(value);
        if (!n)
            return std::nullopt;
        return registry::Value(*n);
    }
    const QString text = value.toString();
    if (const auto number = numbers::numberIn(text, locale)) {
        const auto n = toInt32(*number);
        if (!n)
            return std::nullopt;
        return registry::Value(*n);
    }
    return registry::Value(text.trimmed());
}

registry::Result writeRegistryValue(RootKey root, const QString &subkey, const QString &name,
                                    const QVariant &value, const QLocale &locale)
{
    const auto typed = registryValueFor(value, locale);
    if (!typed)
        return registry::Result::failure(registry::Status::InvalidValue,
                                         QStringLiteral("no 32-bit number for %1").arg(value.toString()));
    return registry::Registry::instance().setValue(root, subkey, name, *typed);
}

bool canSaveRegistryValue(const QString &subkey, const QString &name)
{
    return registry::Registry::instance().canHold(subkey, name);
}

void saveRegistryValue(RootKey root, const QString &subkey, const QString &name, const QVariant &value)
{
    // Nobody is told: a write the registry refuses leaves no value and the caller goes on.
    writeRegistryValue(root, subkey, name, value);
}

} // namespace Module2
