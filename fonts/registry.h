#pragma once

#include <QString>
#include <QtGlobal>

#include <variant>

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

// A value the writer stores: a text (REG_SZ) or a signed 32-bit number (REG_DWORD). It stays
// this until the one place that writes it, which alone knows the bytes its registry keeps.
using Value = std::variant<QString, qint32>;

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
    // Whether a value of that name under that key can be stored at all, asked before a caller
    // does anything it could not undo. The registry itself takes any name.
    virtual bool canHold(const QString &subkey, const QString &name) const
    {
        Q_UNUSED(subkey);
        Q_UNUSED(name);
        return true;
    }

    // The registry the program uses: the system's own (fonts/system.h). Tests may put a fake in
    // its place (nullptr restores the real one); the caller keeps ownership of what it sets.
    static Registry &instance();
    static void setInstance(Registry *fake);
};

} // namespace registry
