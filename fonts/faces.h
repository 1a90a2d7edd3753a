#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class FaceCollection;
class FontTable;

namespace fonts {

// What the face-name box shows, in the person's language, for a file that brought no new face.
// Install refuses it as it refuses any text that is not one of the file's faces.
//: Shown in the face-name box, under the file list, in place of the clicked file's face name.
inline constexpr char kInvalidFontFileText[] = QT_TRANSLATE_NOOP("frmMain", "(The selected font file is invalid.)");

// The largest font file the browser reads. The largest real ones are CJK families of 20-30 MiB;
// anything past this is taken for no font rather than held in memory.
inline constexpr qint64 kMaxFontFileBytes = 256LL * 1024 * 1024;

// Each name once (letter case counts: the Windows font table lists "ALPHA" beside "Alpha"),
// sorted without regard to letter case, as the font table enumerates its faces.
QStringList sortedFaces(QStringList faces);

// "Sans Serif", "Serif" or "Monospace": Qt's own stand-ins, unless a foundry follows the name.
bool isGenericFamily(const QString &family);

// The family Qt draws a face with: the face itself, but for a file that names itself after one
// of the generic families, that family with the file's foundry, since the bare name gives Qt's
// stand-in (fontconfig's default face).
QString familyToDraw(const QString &face, const QStringList &qtFamilies);

// The windows are drawn for faces Linux seldom has (Tahoma, Arial, Verdana, MS Sans Serif). For
// a family it lacks, Qt (6.4) asks the platform for every installed family in order of likeness and
// compares each with each family it knows, once per family, style and script and again after
// every change to its database: with 10,000 families, seconds each time. So what draws each of
// them is worked out once, before the first window, and that family is what the windows give Qt.
//
// Qt's generic "Sans Serif", the usual default font, takes the same path.
//
// What draws `family`: itself where Qt has a font of that family (letter case aside); else
// `matched`, the platform's choice for it, where Qt has that; else itself, left to Qt.
QString standInFor(const QString &family, const QString &matched, const QStringList &qtFamilies);
// Chooses, once, what draws each of the faces (standInFor with matchedFamily); later calls keep it.
void chooseStandIns(const QStringList &faces);
// The family to give Qt for a face: the one chooseStandIns chose for it, or the face itself.
QString standIn(const QString &family);

// The first face the table lists now, in its order, that the collection does not hold
// (letter case aside); "" when every face is known.
QString firstNewFace(const FontTable &table, const FaceCollection &known);

// A font file's bytes, read once, so that nothing maps the file while someone else changes
// it. Nothing for what is not a plain file (a pipe or device would never finish), for a file
// larger than kMaxFontFileBytes, and when it cannot be read.
std::optional<QByteArray> readFontFile(const QString &path);

} // namespace fonts
