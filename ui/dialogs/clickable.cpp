#include "ui/dialogs/clickable.h"

#include <QFocusFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

Clickable *Clickable::on(QWidget *target)
{
    return new Clickable(target);
}

Clickable::Clickable(QWidget *target)
    : QObject(target)
{
    target->installEventFilter(this);
}

bool Clickable::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton)
            return false;
        // The second press of a double click is not another click: one page, not two.
        pressed_ = event->type() == QEvent::MouseButtonPress;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton || !pressed_)
            return false;
        pressed_ = false;
        if (widget->rect().contains(e->position().toPoint()))
            emit clicked();
        return true;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return false;
        emit clicked();
        return true;
    }
    case QEvent::FocusIn:
        if (!frame_)
            frame_ = new QFocusFrame(widget);
        frame_->setWidget(widget);
        return false;
    case QEvent::FocusOut:
        if (frame_)
            frame_->setWidget(nullptr);
        return false;
    default:
        return false;
    }
}
