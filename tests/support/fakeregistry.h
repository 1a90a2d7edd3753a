#pragma once

#include "fonts/registry.h"

#include <QList>

// A registry the test watches: every write is recorded and, when a store is given, passed on to
// it. Put in place on construction, removed in the destructor.
class FakeRegistry : public registry::Registry
{
public:
    struct Write
    {
        registry::RootKey root;
        QString subkey;
        QString name;
        registry::Value value;
    };

    explicit FakeRegistry(registry::Registry *forwardTo = nullptr)
        : forward_(forwardTo)
    {
        registry::Registry::setInstance(this);
    }
    ~FakeRegistry() override { registry::Registry::setInstance(nullptr); }

    registry::Result setValue(registry::RootKey root, const QString &subkey, const QString &name,
                              const registry::Value &value) override
    {
        writes.append({root, subkey, name, value});
        return forward_ ? forward_->setValue(root, subkey, name, value) : registry::Result{};
    }

    QList<Write> writes;

private:
    registry::Registry *forward_;
};
