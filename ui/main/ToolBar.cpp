#include "ui/main/ToolBar.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

void ToolBar::makeOneTabStop(QWidget *previous)
{
    buttons_.clear();
    for (QAction *action : actions()) {
        if (auto *button = qobject_cast<QToolButton *>(widgetForAction(action)))
            buttons_.append(button);
    }
    if (buttons_.isEmpty())
        return;
    for (QToolButton *button : std::as_const(buttons_)) {
        button->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(previous, button);
        previous = button;
        button->installEventFilter(this);
    }
    stopAt(buttons_.first());
}

// Only the button the focus is on, or will enter on, takes part in the tab order, so Tab and
// Shift+Tab leave the toolbar from any of its buttons.
void ToolBar::stopAt(QToolButton *stop)
{
    for (QToolButton *button : std::as_const(buttons_))
        button->setFocusPolicy(button == stop ? Qt::TabFocus : Qt::NoFocus);
}

bool ToolBar::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QToolButton *>(watched);
    if (!button || !buttons_.contains(button))
        return QToolBar::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        // Left for another control of the window, not for a dialog the button opened.
        const QWidget *now = QApplication::focusWidget();
        if (now && now->window() == window() && !buttons_.contains(now))
            stopAt(buttons_.first());
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
        // A Qt 6.4 button moves the focus to the window's next or previous control itself.
        const qsizetype n = buttons_.size();
        QToolButton *next = buttons_.at((buttons_.indexOf(button) + (key->key() == Qt::Key_Right ? 1 : n - 1)) % n);
        stopAt(next);
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button->click(); // a Qt 6.4 tool button takes only Space
        return true;
    default:
        return false; // Space: the button's own
    }
}
