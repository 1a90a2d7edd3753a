#include "ui/main/EventHook.h"

#include <QAbstractItemView>
#include <QKeyEvent>

EventHook::EventHook(QObject *watched, Handler handler)
    : QObject(watched)
    , handler_(std::move(handler))
{
    watched->installEventFilter(this);
}

void enterClicks(QAbstractItemView *list, std::function<void()> click)
{
    new EventHook(list, [list, click = std::move(click)](QEvent *event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const QModelIndex current = list->currentIndex();
        if (current.isValid()) {
            list->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
            click();
        }
        return true;
    });
}
