#pragma once

#include <QObject>

#include <functional>

// An event filter that hands the events of the watched objects to a function, for windows
// whose own eventFilter belongs to another part of the program.
class EventHook : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QObject *watched, QEvent *event)>;
    EventHook(Handler handler, QObject *parent)
        : QObject(parent)
        , handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return handler_ ? handler_(watched, event) : QObject::eventFilter(watched, event);
    }

private:
    Handler handler_;
};
