#include "fonts/FontTable.h"

#include "fonts/faces.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {

// The font table over Qt's font database, on every platform. A trial font is a private
// application font: other programs never see it, and nothing of it outlives the process,
// even when the process dies. Its file is read once and handed over as bytes, so any file
// name loads and nobody maps the file while it may change.
class QtFontTable : public FontTable
{
public:
    QtFontTable() { refresh(); }

    int count() const override { return static_cast<int>(faces_.size()); }
    QString face(int index) const override { return faces_.value(index); }
    QString familyToDraw(const QString &face) const override { return fonts::familyToDraw(face, families_); }

    void add(const QString &path) override
    {
        if (path.isEmpty() || ids_.contains(path))
            return;
        // Only a family the file names itself is a face; the font database keeps the bytes
        // (shared, not copied) until the font is removed.
        const std::optional<QByteArray> bytes = fonts::readFontFile(path);
        if (!bytes || fonts::ownFamilyName(*bytes).isEmpty())
            return;
        const int id = QFontDatabase::addApplicationFontFromData(*bytes);
        if (id >= 0)
            ids_.insert(path, id);
    }

    void remove(const QString &path) override
    {
        const auto it = ids_.constFind(path);
        if (it == ids_.cend())
            return;
        QFontDatabase::removeApplicationFont(it.value());
        ids_.erase(it);
        // The removal leaves the database to be rebuilt on its next use. Rebuilt now, before
        // another font is added: a font added in between is put back without its foundry, and
        // one that names itself "Sans Serif" is then lost behind Qt's stand-in of that name.
        QFontDatabase::families();
    }

    void notify() override { refresh(); }

private:
    void refresh()
    {
        families_ = QFontDatabase::families();
        faces_ = fonts::screenFaces(families_);
    }

    QStringList families_;    // the font database's families as of the last notification
    QStringList faces_;       // and the faces they give
    QHash<QString, int> ids_; // path -> application font id, for removal by the same path
};

FontTable *override_ = nullptr;

} // namespace

FontTable &FontTable::instance()
{
    static QtFontTable real;
    return override_ ? *override_ : real;
}

void FontTable::setInstance(FontTable *table)
{
    override_ = table;
}
