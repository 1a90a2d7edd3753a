#pragma once

#include "fonts/registry.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

// The registry's stand-in where there is no registry: one UTF-8 text file per root key in the
// registry export format, for example
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
//   "Zeta Display (TrueType)"="zeta.ttf"
//   "Count"=dword:0000000a
//
// Text values holding a line break or another control character are written in the hex(1)
// form (their UTF-16LE bytes), so a value can never start a line of its own. Parsing and
// formatting are pure functions on text; RegFileStore adds the file, the lock and the rename.
namespace registry {

inline constexpr char kRegHeader[] = "Windows Registry Editor Version 5.00";

// Value types by their registry numbers.
inline constexpr quint32 kTypeSz = 1;     // text, UTF-16LE with a terminating NUL
inline constexpr quint32 kTypeBinary = 3;
inline constexpr quint32 kTypeDword = 4;  // 32 bits, little-endian

// A value as the file keeps it: a type number and the raw bytes. Values of any type that
// others wrote into the file come through a rewrite unchanged.
struct RawValue
{
    quint32 type = kTypeSz;
    QByteArray data;

    // REG_SZ bytes for a text, REG_DWORD bytes for a number.
    static RawValue of(const Value &value);
    // The text of a REG_SZ value up to its terminating NUL; empty for other types.
    QString text() const;
    // The number of a 4-byte REG_DWORD value; 0 for anything else.
    qint32 number() const;

    friend bool operator==(const RawValue &, const RawValue &) = default;
};

struct RegEntry
{
    QString name; // "" is the key's default value, written as @
    RawValue value;
};

struct RegKey
{
    QStringList path; // parts below the root; empty for the root itself
    QList<RegEntry> values;
};

struct RegDocument
{
    QString root; // "HKEY_LOCAL_MACHINE"
    QList<RegKey> keys; // in file order; parents are listed before their children
};

struct ParseResult
{
    std::optional<RegDocument> document; // empty when the text can't be read
    int line = 0;                         // 1-based line of the first fault
    QString error;
};

// Reads a file's text. Every section must belong to `rootName`; anything the format doesn't
// allow (deletion entries, unknown data forms, a missing header) makes the whole text unreadable.
ParseResult parseRegText(const QString &text, const QString &rootName);

QString formatRegText(const RegDocument &document);

// Whether a value name or a part of a key name can be written on one line of the file: no
// control characters, no line or paragraph separators, no unpaired surrogates.
bool isStorableName(const QString &name);

// Sets a value, creating the key and its missing parents. Key and value names compare without
// regard to letter case; an existing name keeps its spelling. Empty parts of `subkey` (leading,
// doubled or trailing backslashes) are ignored. On failure the document is unchanged.
Result setValueIn(RegDocument &document, const QString &subkey, const QString &name, const RawValue &value);

// The value under subkey (compared as setValueIn does), or nullptr.
const RawValue *findValue(const RegDocument &document, const QString &subkey, const QString &name);

// The file store: <folder>/<ROOT>.reg, updated as a whole through a temporary file and a rename,
// one writer at a time across processes (<ROOT>.reg.lock). A file it can't read as the format
// is renamed to <ROOT>.reg.damaged-<UTC time> before a fresh one is written.
class RegFileStore : public Registry
{
public:
    // An empty folder means defaultFolder(), worked out anew on every write.
    explicit RegFileStore(QString folder = {}, int lockTimeoutMs = 5000);

    // $XDG_DATA_HOME/vexlora/registry (by default ~/.local/share/vexlora/registry); empty when
    // the platform can't tell where per-user data goes.
    static QString defaultFolder();

    QString folder() const;
    QString filePath(RootKey root) const; // empty for an unknown root

    Result setValue(RootKey root, const QString &subkey, const QString &name, const Value &value) override;
    // Names with control characters or line breaks cannot stand on a line of the file.
    bool canHold(const QString &subkey, const QString &name) const override;

private:
    QString folder_;
    int lockTimeoutMs_;
};

} // namespace registry
