#include "ui/dialogs/handcursor.h"

#include <QPixmap>

QCursor handCursor()
{
    const QPixmap picture(QStringLiteral(":/resources/hand.png"));
    if (picture.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(picture, 14, 5);
}
