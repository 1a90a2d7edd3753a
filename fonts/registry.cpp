#include "registry.h"

#ifdef Q_OS_WIN
#include "win32_registry.h"
#else
#include "regfile.h"
#endif

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

Value Value::sz(const QString &text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    bytes.append('\0');
    bytes.append('\0');
    return {kTypeSz, bytes};
}

Value Value::dword(qint32 number)
{
    const auto bits = static_cast<quint32>(number);
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>((bits >> shift) & 0xFF));
    return {kTypeDword, bytes};
}

QString Value::text() const
{
    if (type != kTypeSz)
        return {};
    QString s;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<uchar>(data[i]) | (static_cast<uchar>(data[i + 1]) << 8));
        if (unit == 0)
            break;
        s.append(QChar(unit));
    }
    return s;
}

qint32 Value::number() const
{
    if (type != kTypeDword || data.size() != 4)
        return 0;
    quint32 bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<uchar>(data[i]);
    return static_cast<qint32>(bits);
}

namespace {

#ifdef Q_OS_WIN
// REG_SZ as Value::sz makes it: UTF-16 code units, one terminating NUL and no other.
bool isPlainText(const Value &value)
{
    const qsizetype n = value.data.size();
    if (value.type != kTypeSz || n < 2 || n % 2 != 0 || value.data[n - 1] != 0 || value.data[n - 2] != 0)
        return false;
    return (value.text().size() + 1) * 2 == n;
}

// Thin adapter: Qt strings in, the Qt-free Win32 unit does the calls.
class Win32Registry : public Registry
{
public:
    Result setValue(RootKey root, const QString &subkey, const QString &name, const Value &value) override
    {
        const auto rootValue = static_cast<quint32>(root);
        const std::wstring key = subkey.toStdWString();
        const std::wstring valueName = name.toStdWString();
        long rc = 0;
        if (isPlainText(value)) {
            // The Win32 unit trims as the Qt side does, so the text is the same on every platform.
            rc = win32::setRegistryString(rootValue, key, valueName, value.text().toStdWString());
        } else if (value.type == kTypeDword && value.data.size() == 4) {
            rc = win32::setRegistryDword(rootValue, key, valueName, value.number());
        } else {
            // Any other type, or text with a NUL inside, goes as the bytes it is.
            const std::vector<unsigned char> data(value.data.cbegin(), value.data.cend());
            rc = win32::setRegistryValue(rootValue, key, valueName, value.type, data);
        }
        if (rc != 0)
            return Result::failure(Status::Refused, QStringLiteral("the registry refused the write"), rc);
        return {};
    }
};
#endif

Registry *fake_ = nullptr;

} // namespace

Registry &Registry::instance()
{
    if (fake_)
        return *fake_;
#ifdef Q_OS_WIN
    static Win32Registry real;
#else
    static RegFileStore real; // its folder is worked out anew on every write
#endif
    return real;
}

void Registry::setInstance(Registry *fake)
{
    fake_ = fake;
}

} // namespace registry
