#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The little of a TrueType file's layout that the font table needs, read and written with bounds
// checked everywhere: any byte may be damaged, since a file is read before anything vouches for it.
namespace sfnt {

// The family the Windows font table lists each face of a font file under: name ID 1 of the
// Windows platform, in US English where the file has it. A face that has none of those falls
// back to its Macintosh name. One entry per face, in the file's order (a collection has
// several), "" for a face that names no family; no entry at all when the bytes are no
// TrueType/OpenType font or collection.
QStringList windowsFamilies(const QByteArray &font);

// The same font with each face's name table replaced by one that calls face k `families[k]`
// (family, full and PostScript name; subfamily "Regular"). The outlines, metrics, weight and
// slant stay as they are. Empty when the bytes are no font windowsFamilies() reads, or
// `families` does not have one name per face.
QByteArray renamed(const QByteArray &font, const QStringList &families);

} // namespace sfnt
