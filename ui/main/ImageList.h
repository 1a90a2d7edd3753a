#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>

// A numbered set of pictures of one size; numbers count from 1.
class ImageList : public QObject
{
    Q_OBJECT
public:
    ImageList(const QString &name, QSize size, QObject *parent);

    // Adds a picture from a resource file as the next number.
    void add(const QString &resource);
    QIcon icon(int number) const; // a null icon for a number it does not hold

private:
    QSize size_;
    QList<QIcon> icons_;
};
