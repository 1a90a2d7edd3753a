#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The drive list of the font browser and the root folder behind each of its texts. The list
// itself comes from the platform (fonts/system.h); these are its rules.
namespace fonts {

struct DriveList
{
    QStringList texts; // what the list shows, one entry per drive or volume
    int current = -1;  // the entry of the process's current folder
};

// The root folder of a drive text: the text before its first "[", without surrounding blanks,
// ending in the separator (added only when missing, so "/ [root]" gives "/"). Letter case is
// kept: "c: [SYSTEM]" gives "c:\".
QString driveRoot(const QString &driveText, QChar separator);
QString driveRoot(const QString &driveText); // with this platform's separator

// A mounted volume as the system reports it.
struct Volume
{
    QString root;      // mount point
    QByteArray type;   // file system type ("ext4", "proc", ...)
    QString label;     // the file system's label; may be empty
    bool folder = true; // false for a file mounted over a file (containers do that)
};

// The volumes a person browses, sorted by mount point, each once: the root, a separate
// /home, removable media, network mounts. Left out: kernel and memory file systems (proc,
// sysfs, cgroup, tmpfs...), anything mounted under /proc, /sys, /dev or /run (except removable
// media under /run/media), snap images, and files mounted over files.
QList<Volume> browsableVolumes(const QList<Volume> &mounted);

// "mount point [label]", or the mount point alone.
QString volumeText(const Volume &volume);

// The volume holding a folder: the one whose mount point is the longest prefix of it; -1 if none.
int volumeOf(const QList<Volume> &volumes, const QString &folder);

} // namespace fonts
