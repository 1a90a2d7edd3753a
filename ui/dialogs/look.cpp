#include "ui/dialogs/look.h"

#include "fonts/faces.h"

#include <QStringList>

QFont pointFont(const QString &family, qreal points, bool bold, bool italic)
{
    QFont f(fonts::standIn(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void chooseDesignFaces()
{
    fonts::chooseStandIns({QStringLiteral("Tahoma"), QStringLiteral("Arial"), QStringLiteral("Verdana"),
                           QStringLiteral("MS Sans Serif")});
}
