#include "fonts/FontTable.h"

#include "fonts/faces.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {

// The font table over Qt's font database, on every platform. A trial font is a private
// application font: other programs never see it, and nothing of it outlives the process,
// even when the process dies. Paths go in as Unicode, so any file name can be loaded.
class QtFontTable : public FontTable
{
public:
    QtFontTable() { refresh(); }

    int count() const override { return static_cast<int>(faces_.size()); }
    QString face(int index) const override { return faces_.value(index); }

    void add(const QString &path) override
    {
        // Only a plain file: a pipe or a device named "x.ttf" would never finish reading.
        if (path.isEmpty() || ids_.contains(path) || !QFileInfo(path).isFile())
            return;
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0)
            return;
        // fontconfig takes a file without a usable family for a face named after the file
        // ("noname.ttf" becomes "noname"), and accepts some truncated files that way. Only a
        // family the file names itself is a face: where fontconfig reports the file's own name,
        // the file is asked, and refused as the system's table would refuse it.
        if (QFontDatabase::applicationFontFamilies(id).contains(QFileInfo(path).completeBaseName())
            && fonts::ownFamilyName(path).isEmpty()) {
            QFontDatabase::removeApplicationFont(id);
            return;
        }
        ids_.insert(path, id);
    }

    void remove(const QString &path) override
    {
        const auto it = ids_.constFind(path);
        if (it == ids_.cend())
            return;
        QFontDatabase::removeApplicationFont(it.value());
        ids_.erase(it);
    }

    void notify() override { refresh(); }

private:
    void refresh() { faces_ = fonts::screenFaces(QFontDatabase::families()); }

    QStringList faces_;       // the enumeration as of the last notification
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
