#pragma once

#include <QIcon>
#include <QObject>
#include <QSize>
#include <QStringList>

// A numbered set of pictures of one size, optionally keyed; numbers count from 1.
class ImageList : public QObject
{
    Q_OBJECT
public:
    ImageList(const QString &name, QSize size, QObject *parent);

    // Adds a picture from a resource file; the key may be empty.
    void add(const QString &resource, const QString &key = {});
    int count() const { return static_cast<int>(icons_.size()); }
    QSize imageSize() const { return size_; }
    QIcon icon(int number) const;
    int number(const QString &key) const; // 0 when no picture has the key

private:
    QSize size_;
    QList<QIcon> icons_;
    QStringList keys_;
};
