#include "fonts/FaceCollection.h"

bool FaceCollection::add(const QString &item, const QString &key)
{
    const QString k = key.toCaseFolded();
    if (keys_.contains(k))
        return false;
    keys_.insert(k);
    exactKeys_.insert(key);
    items_.append(item);
    return true;
}

void FaceCollection::clear()
{
    items_.clear();
    keys_.clear();
    exactKeys_.clear();
}
