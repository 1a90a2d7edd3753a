#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The registry as the installer writes to it: one operation, "set this value under this key,
// creating the key when it is missing". Windows has the real one; elsewhere a file per root key
// stands in for it (regfile.h). Tests put a recording fake in its place.
namespace registry {

// The predefined root keys, by their 32-bit handle values.
enum class RootKey : quint32 {
    HKEY_CLASSES_ROOT = 0x80000000u,
    HKEY_CURRENT_USER = 0x80000001u,
    HKEY_LOCAL_MACHINE = 0x80000002u,
    HKEY_USERS = 0x80000003u,
    HKEY_CURRENT_CONFIG = 0x80000005u,
};

// "HKEY_LOCAL_MACHINE" and so on; empty for a value that names no root key.
QString rootKeyName(RootKey root);

// Value types by their registry numbers.
inline constexpr quint32 kTypeSz = 1;     // text, UTF-16LE with a terminating NUL
inline constexpr quint32 kTypeBinary = 3;
inline constexpr quint32 kTypeDword = 4;  // 32 bits, little-endian

// A value as the registry keeps it: a type number and the raw bytes.
struct Value
{
    quint32 type = kTypeSz;
    QByteArray data;

    static Value sz(const QString &text);
    static Value dword(qint32 number);
    // The text of a REG_SZ value up to its terminating NUL; empty for other types.
    QString text() const;
    // The number of a 4-byte REG_DWORD value; 0 for anything else.
    qint32 number() const;

    friend bool operator==(const Value &, const Value &) = default;
};

enum class Status {
    Ok,
    UnknownRoot,      // the root value names no predefined key
    InvalidName,      // a value name that can't be stored (a control character in it)
    InvalidKey,       // a key name that can't be stored
    Busy,             // another writer held the store for too long
    Unreadable,       // the store exists but can't be read
    CannotKeepAside,  // the store can't be parsed and couldn't be moved out of the way
    WriteFailed,      // the new store couldn't be written; the old one is untouched
    Refused,          // the system refused the write (Win32 error in `code`)
    InvalidValue,     // the value can't be converted to the chosen type
};

struct Result
{
    Status status = Status::Ok;
    long code = 0;      // the system's error number, where there is one
    QString detail;     // for people reading a test failure; never shown to the user

    bool ok() const { return status == Status::Ok; }
    static Result failure(Status s, const QString &why, long code = 0) { return {s, code, why}; }
};

class Registry
{
public:
    virtual ~Registry() = default;
    // Opens or creates `subkey` under `root` and sets `name` to `value`.
    virtual Result setValue(RootKey root, const QString &subkey, const QString &name, const Value &value) = 0;

    // The registry the program uses: the Win32 registry on Windows, the file store elsewhere.
    // Tests may put a fake in its place (nullptr restores the real one); the caller keeps
    // ownership of what it sets.
    static Registry &instance();
    static void setInstance(Registry *fake);
};

} // namespace registry
