#include "ui/main/EventHook.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>

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

void toolbarOneStop(QToolBar *bar, QWidget *previous)
{
    QList<QToolButton *> buttons;
    for (QAction *action : bar->actions()) {
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action)))
            buttons.append(button);
    }
    if (buttons.isEmpty())
        return;
    for (QToolButton *button : buttons) {
        button->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
    // Only the button the focus is on, or will enter on, takes part in the tab order, so Tab
    // and Shift+Tab leave the toolbar from any of its buttons.
    auto stopAt = [buttons](QToolButton *stop) {
        for (QToolButton *button : buttons)
            button->setFocusPolicy(button == stop ? Qt::TabFocus : Qt::NoFocus);
    };
    stopAt(buttons.first());
    for (QToolButton *button : buttons) {
        new EventHook(button, [button, buttons, stopAt](QEvent *event) {
            if (event->type() == QEvent::FocusOut) {
                // Left for another control of the window, not for a dialog the button opened.
                const QWidget *now = QApplication::focusWidget();
                if (now && now->window() == button->window() && !buttons.contains(now))
                    stopAt(buttons.first());
                return false;
            }
            if (event->type() != QEvent::KeyPress)
                return false;
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & ~Qt::KeypadModifier)
                return false;
            switch (key->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right: {
                const qsizetype n = buttons.size();
                QToolButton *next = buttons.at((buttons.indexOf(button) + (key->key() == Qt::Key_Right ? 1 : n - 1)) % n);
                stopAt(next);
                next->setFocus(Qt::TabFocusReason);
                return true;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
                button->click();
                return true;
            default:
                return false; // Space: the button's own
            }
        });
    }
}
