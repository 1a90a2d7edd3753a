#pragma once

#include "fonts/registry.h"

#include <QList>

// A registry the test watches: every write is recorded and, when a store is given, passed on
// to it. It is the program's registry while it lives.
class FakeRegistry : public registry::Registry
{
public:
    struct Write
    {
        registry::RootKey root;
        QString subkey, name;
        registry::Value value;
    };
    explicit FakeRegistry(Registry *forwardTo = nullptr) : forward_(forwardTo) { setInstance(this); }
    ~FakeRegistry() override { setInstance(nullptr); }
    registry::Result setValue(registry::RootKey root, const QString &subkey, const QString &name,
                              const registry::Value &value) override
    {
        writes.append({root, subkey, name, value});
        return forward_ ? forward_->setValue(root, subkey, name, value) : registry::Result{};
    }
    bool canHold(const QString &subkey, const QString &name) const override
    {
        return !forward_ || forward_->canHold(subkey, name);
    }
    QList<Write> writes;

private:
    Registry *forward_;
};
