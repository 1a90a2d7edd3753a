// Handlers of the font browser and the installed-fonts list.
#include "ui/main/frmMain.h"
#include "ui_frmMain.h"

#include "fonts/drives.h"
#include "fonts/faces.h"
#include "fonts/listing.h"
#include "fonts/system.h"
#include "ui/main/ImageList.h"

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

} // namespace

void frmMain::setupFonts()
{
    const fonts::DriveList drives = fonts::driveList();
    ui->Drive1->addItems(drives.texts);
    ui->Drive1->setCurrentIndex(drives.current);
    // Only now: filling the list changes its current entry, and that change would rebuild
    // the tree from the wrong root.
    connect(ui->Drive1, &QComboBox::currentIndexChanged, this, &frmMain::Drive1_Change);

    connect(ui->File1, &FileList::Click, this, &frmMain::File1_Click);
    connect(ui->Dir1, &FolderTree::NodeClick, this, &frmMain::Dir1_NodeClick);
    connect(ui->Dir1, &FolderTree::DblClick, this, &frmMain::Dir1_DblClick);
    connect(ui->Dir1, &FolderTree::Expand, this, &frmMain::Dir1_Expand);
    connect(ui->lstInst, &FaceList::ItemClick, this, &frmMain::lstInst_ItemClick);
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

void frmMain::Dir1_Expand(QTreeWidgetItem *node)
{
    fillFolderNodes(node->data(0, fonts::KeyRole).toString() + fonts::separator(), node);
}

void frmMain::File1_Click()
{
    const QList<QListWidgetItem *> selected = ui->File1->selectedItems();
    const QString face = selected.isEmpty() ? trial_.reload() : trial_.load(selected.first()->data(fonts::KeyRole).toString());
    if (face.isEmpty()) {
        ui->txFontName->setText(tr(fonts::kInvalidFontFileText));
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
