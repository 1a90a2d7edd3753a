#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

// Directory listings of the font browser: the subfolders the folder tree shows and the font
// files the file list shows. Both take a folder path ending in the path separator and return
// bare names; a folder that cannot be listed (gone, unreadable, media removed) gives none.
namespace fonts {

// Tree nodes of Dir1 and items of File1 keep their key, the full path, in this item data role.
constexpr int KeyRole = Qt::UserRole;

// The separator that ends a folder path and joins a key to a name: "\" on Windows, "/" elsewhere.
QChar separator();

// Subfolders, hidden ones included, links to folders included (a link is only followed when
// its node is opened, so a loop costs nothing). Windows leaves out folders marked as system
// and keeps the file system's order; elsewhere the listing has no stable order, so the names
// are sorted the way the Windows file system orders them (see compareNames).
QStringList subfolderNames(const QString &folderPath);

// Files whose names end in ".ttf" in any letter case, hidden ones included; never a folder
// (not even one named "x.ttf") and never a pipe, device or system file. Order as above.
QStringList fontFileNames(const QString &folderPath);

// True when a file name matches "*.ttf" the way Windows matches it on a long name.
bool isFontFileName(const QString &name);

// Compares names as the Windows file system orders them: by their upper-case forms, UTF-16
// unit by unit, a shorter name before a longer one it begins. So "abc" comes before "a_b"
// ('B' < '_'), and letter case alone never decides.
int compareNames(const QString &a, const QString &b);

// Sorts names with compareNames; names differing only in case keep a fixed order.
void sortNames(QStringList &names);

} // namespace fonts
