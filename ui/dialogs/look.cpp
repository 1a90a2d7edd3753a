#include "ui/dialogs/look.h"

#include "fonts/faces.h"

#include <QApplication>
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
    // The default font too: what the windows draw before they set their own, and menus.
    QFont general = QApplication::font();
    fonts::chooseStandIns({QStringLiteral("Tahoma"), QStringLiteral("Arial"), QStringLiteral("Verdana"),
                           QStringLiteral("MS Sans Serif"), general.family()});
    general.setFamily(fonts::standIn(general.family()));
    QApplication::setFont(general);
}
