#pragma once

#include <QFont>
#include <QString>

// The faces the windows are drawn for. The .ui format keeps whole point sizes only
// (8.25 pt would become 8), so the windows set their faces in code, through this. Where a face
// is not installed, the font names what stands in for it (chooseDesignFaces).
QFont pointFont(const QString &family, qreal points, bool bold = false, bool italic = false);

// Works out, once and before the first window, what draws each face the windows name: Tahoma,
// Arial, Verdana and MS Sans Serif, or what stands in for them where they are missing; and
// gives the default font the family that draws it.
void chooseDesignFaces();
