#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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
    // The family name that draws a face; the face itself unless the table knows better.
    virtual QString familyToDraw(const QString &face) const { return face; }
    // The faces the trial files brought beside the installed ones, in the enumeration's order.
    virtual QStringList addedFaces() const = 0;
    // Adds the fonts of a file: its path, and the bytes it held when the caller read it, which
    // are what the table loads. Failure shows only as no new face.
    virtual void add(const QString &path, const QByteArray &bytes) = 0;
    // Removes what add() added for the same path; an unknown or empty path changes nothing.
    virtual void remove(const QString &path) = 0;
    // The font-change notification: afterwards the enumeration reflects the table.
    virtual void notify() = 0;

    // The table the program uses. Tests may put a fake in its place (nullptr restores the
    // real one); the caller keeps ownership of what it sets.
    static FontTable &instance();
    static void setInstance(FontTable *table);
};
