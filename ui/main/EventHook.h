#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;
class QToolBar;
class QWidget;

// Hands a widget's events to a function before the widget sees them, for windows whose own
// eventFilter belongs to another part of the program. It lives as long as the watched object.
class EventHook : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QEvent *event)>;
    EventHook(QObject *watched, Handler handler);

protected:
    bool eventFilter(QObject *, QEvent *event) override { return handler_(event); }

private:
    Handler handler_;
};

// Enter or Return in a list acts as a click on its current item: that item becomes the only
// selected one, then `click` runs. The list sees nothing of the key.
void enterClicks(QAbstractItemView *list, std::function<void()> click);

// Makes a toolbar's buttons one stop of the window's tab order, right after `previous`, as
// toolbars are on the desktop: the focus enters on the first button, Left and Right move
// among the buttons, Space and Enter press the one that has the focus.
void toolbarOneStop(QToolBar *bar, QWidget *previous);
