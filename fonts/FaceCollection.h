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
    bool contains(const QString &key) const
    {
        // Most lookups give a key exactly as it was added: they need no case folding.
        return exactKeys_.contains(key) || keys_.contains(key.toCaseFolded());
    }
    int count() const { return static_cast<int>(items_.size()); }
    QString item(int index) const { return items_.value(index); } // 0-based
    void clear();
    // Room for n elements in all, so a long start-up pass does not regrow the collection.
    void reserve(int n)
    {
        items_.reserve(n);
        keys_.reserve(n);
        exactKeys_.reserve(n);
    }

private:
    QStringList items_;
    QSet<QString> keys_;      // case-folded
    QSet<QString> exactKeys_; // as given
};
