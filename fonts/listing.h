#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

// The rules of the font browser's listings: which names are font files, how names are ordered,
// where a node keeps its path. The listings themselves come from the platform (fonts/system.h).
namespace fonts {

// Tree nodes of Dir1 and items of File1 keep their key, the full path, in this item data role.
constexpr int KeyRole = Qt::UserRole;

// The separator that ends a folder path and joins a key to a name: "\" on Windows, "/" elsewhere.
QChar separator();

// True when a file name matches "*.ttf" the way Windows matches it on a long name.
bool isFontFileName(const QString &name);

// Compares names as the Windows file system orders them: by their upper-case forms, UTF-16
// unit by unit, a shorter name before a longer one it begins. So "abc" comes before "a_b"
// ('B' < '_'), and letter case alone never decides.
int compareNames(const QString &a, const QString &b);

// Sorts names with compareNames; names differing only in case keep a fixed order.
void sortNames(QStringList &names);

} // namespace fonts
