#pragma once

#include "fonts/FontTable.h"

#include <QHash>
#include <QStringList>

// A font table the test controls: files map to the faces they would add, and every call is
// recorded. It is the program's table while it lives.
class FakeFontTable : public FontTable
{
public:
    explicit FakeFontTable(QStringList installed = {}) : installed_(installed), snapshot_(installed) { setInstance(this); }
    ~FakeFontTable() override { setInstance(nullptr); }
    void setFaces(const QString &path, const QStringList &faces) { files_.insert(path, faces); }

    int count() const override { return static_cast<int>(snapshot_.size()); }
    QString face(int index) const override { return snapshot_.value(index); }
    QList<TrialFace> add(const QString &path, const QByteArray &) override
    {
        calls << "add:" + path;
        if (files_.contains(path) && !loaded_.contains(path))
            loaded_ << path;
        QList<TrialFace> faces;
        for (const QString &face : files_.value(path))
            faces.append({face, face});
        return faces;
    }
    void remove(const QString &path) override
    {
        calls << "remove:" + path;
        loaded_.removeAll(path);
    }
    void notify() override
    {
        calls << QStringLiteral("notify");
        snapshot_ = installed_;
        for (const QString &p : loaded_)
            snapshot_ << files_.value(p);
    }
    QStringList calls;

private:
    QStringList installed_, snapshot_, loaded_;
    QHash<QString, QStringList> files_;
};
