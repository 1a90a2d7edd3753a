#include "ui/main/MapTable.h"

#include <QKeyEvent>

void MapTable::keyPressEvent(QKeyEvent *event)
{
    // Qt 6.4's view copies the current item's own text on Ctrl+C; the map copies as its menu does.
    if (event->matches(QKeySequence::Copy)) {
        emit copyKey();
    } else if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        scrollTo(currentIndex());
        emit menuKey(viewport()->mapToGlobal(visualRect(currentIndex()).center()));
    } else {
        QTableWidget::keyPressEvent(event);
    }
}
