#pragma once

#include <QObject>
#include <QPointer>

class QFocusFrame;
class QWidget;

// Gives a widget that has no click of its own (a label, an image, a panel) a clicked() signal:
// a left-button press and release inside it, or Enter or Space while it has the focus. The
// press is taken, so a click on a label inside a panel is the label's alone. A widget that
// takes the focus shows it with a frame around it, as it has no focus look of its own.
class Clickable : public QObject
{
    Q_OBJECT
public:
    // Watches target; the watcher is a child of target and lives as long as it.
    static Clickable *on(QWidget *target);

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit Clickable(QWidget *target);
    bool pressed_ = false;
    QPointer<QFocusFrame> frame_; // a child of the widget's parent, which may go first
};
