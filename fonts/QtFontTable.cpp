#include "fonts/FontTable.h"

#include "fonts/faces.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace {

// The font table over Qt's font database, on every platform. A trial font is a private
// application font: other programs never see it, and nothing of it outlives the process,
// even when the process dies. Its file is read once; the font database gets a private copy of
// those bytes, so any file name loads and nothing maps a file that someone else may change.
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
        // Handed over by the path of a private copy, not as bytes: Qt 6.4 keeps the faces of
        // fonts added from memory under one key, so each would be drawn with the glyphs of the
        // first one still in use.
        const QString copy = privateCopy(*bytes);
        const int id = copy.isEmpty() ? -1 : QFontDatabase::addApplicationFont(copy);
        if (id < 0) {
            QFile::remove(copy);
            return;
        }
        ids_.insert(path, {id, copy});
    }

    void remove(const QString &path) override
    {
        const auto it = ids_.constFind(path);
        if (it == ids_.cend())
            return;
        QFontDatabase::removeApplicationFont(it->id);
        QFile::remove(it->copy);
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

    // A file of the program's own (in the session's runtime folder, which only this user can
    // read) holding the bytes; "" when it could not be written whole.
    QString privateCopy(const QByteArray &bytes)
    {
        if (!copies_) {
            const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
            copies_ = std::make_unique<QTemporaryDir>((runtime.isEmpty() ? QDir::tempPath() : runtime)
                                                      + QStringLiteral("/vexlora-trial-XXXXXX"));
        }
        QFile file(copies_->filePath(QStringLiteral("trial-%1.ttf").arg(++copied_)));
        if (!copies_->isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            file.remove();
            return {};
        }
        return file.fileName();
    }

    struct Loaded
    {
        int id;        // the application font, for removal by the same path
        QString copy;  // its private copy
    };
    QStringList families_; // the font database's families as of the last notification
    QStringList faces_;    // and the faces they give
    QHash<QString, Loaded> ids_;
    std::unique_ptr<QTemporaryDir> copies_;
    int copied_ = 0;
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
