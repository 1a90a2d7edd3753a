#include "ImageList.h"

ImageList::ImageList(const QString &name, QSize size, QObject *parent)
    : QObject(parent)
    , size_(size)
{
    setObjectName(name);
}

void ImageList::add(const QString &resource, const QString &key)
{
    QIcon icon;
    icon.addFile(resource, size_);
    icons_.append(icon);
    keys_.append(key);
}

QIcon ImageList::icon(int number) const
{
    return icons_.value(number - 1);
}

int ImageList::number(const QString &key) const
{
    if (key.isEmpty())
        return 0;
    return static_cast<int>(keys_.indexOf(key)) + 1;
}
