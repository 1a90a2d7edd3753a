#pragma once

#include <QString>
#include <QStringList>

class FaceCollection;
class FontTable;

namespace fonts {

// What the face-name box shows for a file that brought no new face; Install knows it by this text.
inline constexpr char kInvalidFontFileText[] = "(The selected font file is invalid.)";

// The faces a person can pick, from the family list of Qt's font database, in its order:
// - Qt's own stand-ins for the generic families ("Sans Serif", "Serif", "Monospace") are left
//   out: no font file gives them;
// - where Qt tells one family from several foundries apart as "Family [foundry]", the suffix
//   goes and the family is listed once, so a copy of an installed font from another vendor
//   is still that installed face. A name that merely ends in brackets, with no sibling of the
//   same stem, stays as it is.
QStringList screenFaces(const QStringList &qtFamilies);

// The first face the table lists now, in its order, that the collection does not hold
// (letter case aside); "" when every face is known.
QString firstNewFace(const FontTable &table, const FaceCollection &known);

// The family a font file names itself through the font engine, without installing it; ""
// when the file is not a font the engine reads, or when its name table gives no family
// (fontconfig would name such a file after the file, which is no face name at all).
QString ownFamilyName(const QString &path);

} // namespace fonts
