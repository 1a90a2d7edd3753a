#pragma once

#include <QList>
#include <QToolBar>

class QToolButton;

// The window's toolbar (Toolbar1). Its buttons are one stop of the window's tab order, as
// toolbars are on the desktop: the focus enters on the first button, Left and Right move among
// the buttons, Space and Enter press the one that has the focus.
class ToolBar : public QToolBar
{
    Q_OBJECT
public:
    using QToolBar::QToolBar;

    // Makes the buttons of the actions it has now that stop, right after `previous`.
    void makeOneTabStop(QWidget *previous);

protected:
    // The toolbar makes its buttons itself, so their keys and focus are watched here.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stopAt(QToolButton *stop);

    QList<QToolButton *> buttons_;
};
