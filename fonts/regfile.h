#pragma once

#include "fonts/registry.h"

#include <QList>
#include <QString>

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
// A text holding a line break or another control character is written as hex(1), its UTF-16LE
// bytes and the terminating NUL, so that data never starts a line of its own. Values of other
// types, which someone else wrote, stay as the file had them.
namespace registry {

struct RegEntry
{
    QString name; // "" is the key's default value, written as @
    Value value;
    QString other = {}; // a value of another type: its data after the '=', as the file had it
    friend bool operator==(const RegEntry &, const RegEntry &) = default;
};

struct RegKey
{
    QString name; // the path below the root, parts joined by '\'; empty for the root itself
    QList<RegEntry> values;
    friend bool operator==(const RegKey &, const RegKey &) = default;
};

using RegDocument = QList<RegKey>; // in file order; parents before their children

// A file's keys, whose sections must all belong to rootName; nothing when the text holds anything
// else (a missing header, deletions, an escape other than \\ and \", data of no known form).
std::optional<RegDocument> parseRegText(const QString &text, const QString &rootName);
QString formatRegText(const RegDocument &document, const QString &rootName);

// Sets a value, creating the key and its missing parents. Key and value names compare without
// regard to letter case; an existing name keeps its spelling. Empty parts of `subkey` (leading,
// doubled or trailing backslashes) are ignored. The names are the store's to check (canHold).
void setValueIn(RegDocument &document, const QString &subkey, const QString &name, const Value &value);
// The value as setValueIn finds it; nullptr when there is none, or one of another type.
const Value *findValue(const RegDocument &document, const QString &subkey, const QString &name);

// The file store, <folder>/<ROOT>.reg, rewritten as a whole through a temporary file by one writer
// at a time across processes (<ROOT>.reg.lock). A file it can't read is renamed to
// <ROOT>.reg.damaged-<UTC time> before a fresh one is written.
class RegFileStore : public Registry
{
public:
    // An empty folder means defaultFolder(), worked out anew on every write.
    explicit RegFileStore(QString folder = {}, int lockTimeoutMs = 5000) : folder_(std::move(folder)), lockTimeoutMs_(lockTimeoutMs) {}
    static QString defaultFolder(); // "registry" in the program's data folder
    QString filePath(RootKey root) const; // empty for an unknown root

    Result setValue(RootKey root, const QString &subkey, const QString &name, const Value &value) override;
    // Names with control characters, line breaks or unpaired surrogates cannot stand on a line.
    bool canHold(const QString &subkey, const QString &name) const override;

private:
    QString folder_;
    int lockTimeoutMs_;
};

} // namespace registry
