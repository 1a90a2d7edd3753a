#pragma once

#include <QFont>
#include <QString>

// The faces the windows are drawn for. The .ui format keeps whole point sizes only
// (8.25 pt would become 8), so the windows set their faces in code, through this.
QFont pointFont(const QString &family, qreal points, bool bold = false, bool italic = false);
