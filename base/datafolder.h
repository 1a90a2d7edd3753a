#pragma once

#include <QString>

// The per-user data folder: the one place where the program keeps a file of its own.
namespace Module1 {

// The per-user data folder, ending in the path separator, created (with any missing parents)
// when it is missing. Never cached: every call looks again. When the folder cannot be created
// the path is still returned; whoever uses it then fails to read or write there, silently.
QString getDataFolder();

// True when the folder exists; the trailing separator is optional.
bool folderExists(const QString &path);

} // namespace Module1
