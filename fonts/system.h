#pragma once

#include "fonts/drives.h"

#include <QString>
#include <QStringList>

namespace registry {
class Registry;
}

// What the font subsystem asks of the platform, one implementation per platform
// (system_win.cpp, system_unix.cpp), picked by the build.
namespace fonts {

// Where Install copies fonts to, ending in the path separator: "windir" + "\Fonts\" on
// Windows ("\Fonts\" when the variable is unset); elsewhere the per-user font folder that
// fontconfig reads ($XDG_DATA_HOME/fonts/).
QString fontsFolder();

// The folder the browser shows when the window opens: "C:\" on Windows, "/" elsewhere.
QString startFolder();

// Windows: the drive letters with their labels ("c: [SYSTEM]"). Elsewhere: the mounted
// volumes a person browses, as mount point plus " [label]" where the volume has a label.
DriveList driveList();

// Directory listings of the font browser; both take a folder path ending in the separator and
// return bare names, none when the folder cannot be listed (gone, unreadable, media removed).
//
// Subfolders, hidden ones included, links to folders included (a link is only followed when
// its node is opened, so a loop costs nothing). Windows leaves out folders marked as system
// and keeps the file system's order; elsewhere the listing has no stable order, so the names
// are sorted the way the Windows file system orders them (compareNames in listing.h).
QStringList subfolderNames(const QString &folderPath);

// Files whose names end in ".ttf" in any letter case, hidden ones included; never a folder
// (not even one named "x.ttf") and never a pipe, device or system file. Order as above.
QStringList fontFileNames(const QString &folderPath);

// Whether a character parts a path into names here: "/" everywhere, and on Windows "\" and
// the ":" of a drive or a stream as well.
bool isNameSeparator(QChar c);

// The family the platform draws when a face is asked for by a name it may not have: on Windows
// the name itself (the system substitutes by itself, cheaply); elsewhere fontconfig's best match
// for the name, its aliases followed ("Arial" gives "Liberation Sans" where that is installed),
// which is the face Qt would fall back to as well. "" when nothing matches.
QString matchedFamily(const QString &family);

// The faces the font table lists when the program starts, as the Windows font table names them
// (each font's name ID 1 family: "Lato Hairline", not "Lato"), each once, sorted without regard
// to letter case. Windows' own font database names them so already; fontconfig lists each font's
// typographic family first and its name ID 1 family last among those of one language.
QStringList installedFaces();

// The folder under which the font table keeps the private copies of trial fonts: a temporary
// folder that only this user can read, never the home folder.
QString trialCopiesRoot();

} // namespace fonts

namespace registry {

// The registry the installer writes: the Win32 registry on Windows, the .reg file store
// elsewhere.
Registry &systemRegistry();

} // namespace registry
