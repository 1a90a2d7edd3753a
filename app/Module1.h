#pragma once

#include <QString>

// Start-up and the per-user data folder.
namespace Module1 {

// The program's start procedure: prepares the platform's controls, then hands over to the
// advertisement window, which alone decides when the main window opens.
void Main();

// True when the platform call raised no error.
bool initCommonControls();

// The per-user data folder, ending in the path separator, created (with any missing parents)
// when it is missing. Never cached: every call looks again. When the folder cannot be created
// the path is still returned; whoever uses it then fails to read or write there, silently.
QString getDataFolder();

// True when the folder exists; the trailing separator is optional.
bool folderExists(const QString &path);

} // namespace Module1
