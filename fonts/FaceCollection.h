#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// A keyed collection of face names whose keys compare without regard to letter case; a key
// can be present once, and the first of two case-variants stays.
class FaceCollection
{
public:
    // False (and nothing added) when the key is already present.
    bool add(const QString &item, const QString &key);
    bool contains(const QString &key) const { return keys_.contains(key.toCaseFolded()); }
    int count() const { return static_cast<int>(items_.size()); }
    QString item(int index) const { return items_.value(index); } // 0-based
    void clear();

private:
    QStringList items_;
    QSet<QString> keys_;
};
