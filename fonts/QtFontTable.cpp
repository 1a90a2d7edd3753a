#include "FontTable.h"

#include <QStringList>

namespace {

// Placeholder until the Qt-backed table lands: an empty table.
class EmptyFontTable : public FontTable
{
public:
    int count() const override { return 0; }
    QString face(int) const override { return {}; }
    void add(const QString &) override {}
    void remove(const QString &) override {}
    void notify() override {}
};

FontTable *override_ = nullptr;

} // namespace

FontTable &FontTable::instance()
{
    static EmptyFontTable real;
    return override_ ? *override_ : real;
}

void FontTable::setInstance(FontTable *table)
{
    override_ = table;
}
