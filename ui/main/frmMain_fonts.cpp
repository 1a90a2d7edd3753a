// Handlers of the font browser and the installed-fonts list.
#include "ui/main/frmMain.h"
#include "ui_frmMain.h"

#include "fonts/drives.h"
#include "fonts/faces.h"
#include "fonts/listing.h"
#include "fonts/system.h"
#include "ui/main/EventHook.h"
#include "ui/main/ImageList.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// A folder node of Dir1 or an entry of lstInst. It holds its text, key and picture itself
// instead of as item data, the text shared with the list it came from: a folder of ten
// thousand subfolders, or ten thousand installed faces, then cost little more than the names.
class Entry : public QTreeWidgetItem
{
public:
    Entry(const QString &text, QString key, const QIcon &picture)
        : QTreeWidgetItem(UserType)
        , text_(text)
        , key_(std::move(key))
        , picture_(picture)
    {
    }

    QVariant data(int column, int role) const override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
            return text_;
        if (column == 0 && role == fonts::KeyRole && !key_.isNull())
            return key_;
        if (column == 0 && role == Qt::DecorationRole)
            return picture_;
        return QTreeWidgetItem::data(column, role);
    }

private:
    QString text_;
    QString key_;
    QIcon picture_;
};

bool isLeft(QEvent *event, QEvent::Type type)
{
    return event->type() == type && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
}

QPoint posOf(QEvent *event)
{
    return static_cast<QMouseEvent *>(event)->position().toPoint();
}

} // namespace

void frmMain::setupFonts()
{
    const fonts::DriveList drives = fonts::driveList();
    ui->Drive1->addItems(drives.texts);
    ui->Drive1->setCurrentIndex(drives.current);
    // Only now: filling the list changes its current entry, and that change would rebuild
    // the tree from the wrong root.
    connect(ui->Drive1, &QComboBox::currentIndexChanged, this, &frmMain::Drive1_Change);

    // Clicks are taken from the mouse, as the list and tree controls report them: a click
    // anywhere in File1 (on empty space Qt sends no item signal), a node click and a
    // double-click anywhere in Dir1. The release that ends a double-click is no second click.
    auto afterDouble = std::make_shared<bool>(false);
    new EventHook(ui->File1->viewport(), [this, afterDouble](QEvent *e) {
        if (e->type() == QEvent::MouseButtonPress)
            *afterDouble = false;
        else if (isLeft(e, QEvent::MouseButtonDblClick))
            *afterDouble = true;
        else if (isLeft(e, QEvent::MouseButtonRelease) && !*afterDouble
                 && ui->File1->viewport()->rect().contains(posOf(e)))
            File1_Click();
        return false;
    });
    // Moving the selection with the keys loads nothing; Enter loads the current file, so the
    // keyboard alone can preview a file too.
    enterClicks(ui->File1, [this] { File1_Click(); });

    auto treeState = std::make_shared<std::pair<QTreeWidgetItem *, bool>>(nullptr, false); // pressed node, after double
    new EventHook(ui->Dir1->viewport(), [this, treeState](QEvent *e) {
        if (e->type() == QEvent::MouseButtonPress) {
            *treeState = {ui->Dir1->itemAt(posOf(e)), false};
        } else if (isLeft(e, QEvent::MouseButtonDblClick)) {
            treeState->second = true;
            // The first double-click on a node fills and opens it, and the tree must not fold
            // it again; a node that had children already the tree folds or unfolds itself.
            const QTreeWidgetItem *node = ui->Dir1->selectedItems().value(0);
            const bool filled = node && node->childCount() > 0;
            Dir1_DblClick();
            return !filled;
        } else if (isLeft(e, QEvent::MouseButtonRelease) && !treeState->second) {
            // A click on a node's expand arrow neither selects it nor counts as a node click.
            QTreeWidgetItem *node = ui->Dir1->itemAt(posOf(e));
            if (node && node == treeState->first && node->isSelected())
                Dir1_NodeClick(node);
        }
        return false;
    });
    // By keys: Enter is a node click and a double-click on the current node, which lists its
    // files and fills it the first time, but leaves folding to Left and Right. Right (or "+")
    // opens a node as the tree does, filling it first if it has not been filled. Moving with
    // the arrow keys lists nothing.
    enterClicks(ui->Dir1, [this] {
        Dir1_NodeClick(ui->Dir1->currentItem());
        Dir1_DblClick();
    });
    new EventHook(ui->Dir1, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(e);
        QTreeWidgetItem *node = ui->Dir1->currentItem();
        if ((key->key() != Qt::Key_Right && key->key() != Qt::Key_Plus) || !node || node->childCount() > 0)
            return false;
        fillFolderNodes(node->data(0, fonts::KeyRole).toString() + fonts::separator(), node);
        return true;
    });

    connect(ui->lstInst, &QTreeWidget::itemClicked, this, &frmMain::lstInst_ItemClick);
    enterClicks(ui->lstInst, [this] { lstInst_ItemClick(); });
}

void frmMain::fillInstalledFonts()
{
    const QIcon picture = ImageList2->icon(2);
    const QStringList faces = trial_.recordInstalledFaces();
    QList<QTreeWidgetItem *> entries;
    entries.reserve(faces.size());
    for (const QString &face : faces)
        entries.append(new Entry(face, QString(), picture)); // no key
    // One insertion, so the list lays itself out once rather than once per face.
    ui->lstInst->addTopLevelItems(entries);
}

void frmMain::lstInst_ItemClick()
{
    const QList<QTreeWidgetItem *> selected = ui->lstInst->selectedItems();
    if (selected.isEmpty())
        return;
    showFace(selected.first()->text(0));
}

void frmMain::Drive1_Change()
{
    ui->Dir1->clear();
    fillFolderNodes(getDriveRoot(ui->Drive1->currentText()), nullptr);
}

void frmMain::Dir1_NodeClick(QTreeWidgetItem *node)
{
    if (!node)
        return;
    listFontFiles(node->data(0, fonts::KeyRole).toString() + fonts::separator());
}

void frmMain::Dir1_DblClick()
{
    const QList<QTreeWidgetItem *> selected = ui->Dir1->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem *node = selected.first();
    fillFolderNodes(node->data(0, fonts::KeyRole).toString() + fonts::separator(), node);
}

void frmMain::File1_Click()
{
    const QList<QListWidgetItem *> selected = ui->File1->selectedItems();
    const QString face = selected.isEmpty() ? trial_.reload() : trial_.load(selected.first()->data(fonts::KeyRole).toString());
    if (face.isEmpty()) {
        ui->txFontName->setText(QLatin1String(fonts::kInvalidFontFileText));
        return;
    }
    showFace(face);
    ui->txFontName->setText(face);
}

QString frmMain::getDriveRoot(const QString &driveText) const
{
    return fonts::driveRoot(driveText);
}

void frmMain::fillFolderNodes(const QString &folderPath, QTreeWidgetItem *parentNode)
{
    // A node is listed once: one that has children keeps them until the drive changes.
    if (parentNode && parentNode->childCount() > 0)
        return;
    const QIcon picture = ImageList2->icon(1);
    QList<QTreeWidgetItem *> nodes;
    const QStringList names = fonts::subfolderNames(folderPath);
    nodes.reserve(names.size());
    for (const QString &name : names)
        nodes.append(new Entry(name, folderPath + name, picture)); // key: full path, no trailing separator
    if (parentNode) {
        parentNode->addChildren(nodes);
        parentNode->setExpanded(true);
    } else {
        ui->Dir1->addTopLevelItems(nodes);
    }
}

void frmMain::listFontFiles(const QString &folderPath)
{
    ui->File1->clear();
    const QIcon picture = ImageList2->icon(2);
    for (const QString &name : fonts::fontFileNames(folderPath)) {
        auto *item = new QListWidgetItem(picture, name);
        item->setData(fonts::KeyRole, folderPath + name); // the key: full path
        ui->File1->addItem(item);
    }
}
