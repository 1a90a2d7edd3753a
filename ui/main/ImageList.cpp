#include "ui/main/ImageList.h"

ImageList::ImageList(const QString &name, QSize size, QObject *parent)
    : QObject(parent)
    , size_(size)
{
    setObjectName(name);
}

void ImageList::add(const QString &resource)
{
    QIcon icon;
    icon.addFile(resource, size_);
    icons_.append(icon);
}

QIcon ImageList::icon(int number) const
{
    return icons_.value(number - 1);
}
