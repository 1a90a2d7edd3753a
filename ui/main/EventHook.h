#pragma once

#include <QObject>

#include <functional>

// Hands a widget's events to a function before the widget sees them, for windows whose own
// eventFilter belongs to another part of the program. It lives as long as the watched object.
class EventHook : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QEvent *event)>;
    EventHook(QObject *watched, Handler handler)
        : QObject(watched)
        , handler_(std::move(handler))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override { return handler_(event); }

private:
    Handler handler_;
};
