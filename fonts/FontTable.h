#pragma once

#include "base/version.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A face a trial file brought: its name as the Windows font table lists it ("" for a face
// without one), and the family that draws it, which is its own alone.
struct TrialFace
{
    QString name;
    QString family;
};

// The families trial faces are drawn under begin with this, so nothing else is ever given one.
inline constexpr char kTrialFamilyPrefix[] = VEXLORA_NAME " Trial ";

// The font services the program relies on: an enumeration of the faces it can show, and a
// private table to which a font file is added for trial and from which it is removed again.
// The enumeration is a snapshot: it changes only when notify() is called. It lists the faces
// installed when the table was made and those of the trial files, as the Windows font table
// does until the next start.
class FontTable
{
public:
    virtual ~FontTable() = default;

    virtual int count() const = 0;
    virtual QString face(int index) const = 0; // 0-based; "" outside 0..count()-1
    // Adds the fonts of a file: its path, and the bytes it held when the caller read it, which
    // are what the table loads. Returns the faces the file brought, in the file's order;
    // nothing when it brought none or could not be loaded.
    virtual QList<TrialFace> add(const QString &path, const QByteArray &bytes) = 0;
    // Removes what add() added for the same path; an unknown or empty path changes nothing.
    virtual void remove(const QString &path) = 0;
    // The font-change notification: afterwards the enumeration reflects the table.
    virtual void notify() = 0;

    // The table the program uses. Tests may put a fake in its place (nullptr restores the
    // real one); the caller keeps ownership of what it sets.
    static FontTable &instance();
    static void setInstance(FontTable *table);
};
