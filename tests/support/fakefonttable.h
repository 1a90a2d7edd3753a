#pragma once

#include "fonts/FontTable.h"

#include <QHash>
#include <QStringList>

// A font table the test controls: files map to the faces they would add, and every call is
// recorded. Put in place with FontTable::setInstance(&fake) and removed again in the destructor.
class FakeFontTable : public FontTable
{
public:
    explicit FakeFontTable(QStringList installed = {})
        : installed_(std::move(installed))
        , snapshot_(installed_)
    {
        FontTable::setInstance(this);
    }
    ~FakeFontTable() override { FontTable::setInstance(nullptr); }

    // The faces that adding this path would bring.
    void setFaces(const QString &path, const QStringList &faces) { files_.insert(path, faces); }

    int count() const override { return static_cast<int>(snapshot_.size()); }
    QString face(int index) const override { return snapshot_.value(index); }
    void add(const QString &path) override
    {
        calls << QStringLiteral("add:") + path;
        if (files_.contains(path) && !loaded_.contains(path))
            loaded_ << path;
    }
    void remove(const QString &path) override
    {
        calls << QStringLiteral("remove:") + path;
        loaded_.removeAll(path);
    }
    void notify() override
    {
        calls << QStringLiteral("notify");
        snapshot_ = installed_;
        for (const QString &p : loaded_)
            snapshot_ << files_.value(p);
    }

    QStringList loaded() const { return loaded_; }
    QStringList calls;

private:
    QStringList installed_;
    QStringList snapshot_;
    QStringList loaded_;
    QHash<QString, QStringList> files_;
};
