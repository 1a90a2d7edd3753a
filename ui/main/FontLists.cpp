#include "ui/main/FontLists.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Makes the list's current item its only selected one; false when it has none.
bool selectCurrentOnly(QAbstractItemView *list)
{
    const QModelIndex current = list->currentIndex();
    if (!current.isValid())
        return false;
    list->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    return true;
}

bool isLeft(const QMouseEvent *event)
{
    return event->button() == Qt::LeftButton;
}

} // namespace

void FileList::mousePressEvent(QMouseEvent *event)
{
    afterDouble_ = false;
    QListWidget::mousePressEvent(event);
}

void FileList::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (isLeft(event))
        afterDouble_ = true;
    QListWidget::mouseDoubleClickEvent(event);
}

void FileList::mouseReleaseEvent(QMouseEvent *event)
{
    // Released over the list, wherever it was pressed; a press that was dragged out is let go.
    if (isLeft(event) && !afterDouble_ && viewport()->rect().contains(event->position().toPoint()))
        emit Click();
    QListWidget::mouseReleaseEvent(event);
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    if (!isEnter(event))
        QListWidget::keyPressEvent(event);
    else if (selectCurrentOnly(this))
        emit Click();
}

void FolderTree::mousePressEvent(QMouseEvent *event)
{
    pressed_ = indexAt(event->position().toPoint());
    afterDouble_ = false;
    QTreeWidget::mousePressEvent(event);
}

void FolderTree::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!isLeft(event)) {
        QTreeWidget::mouseDoubleClickEvent(event);
        return;
    }
    afterDouble_ = true;
    const QTreeWidgetItem *node = selectedItems().value(0);
    const bool filled = node && node->childCount() > 0;
    emit DblClick();
    // The first double-click on a node fills and opens it, and Qt 6.4's tree, which folds or
    // unfolds a node on a double-click, must not fold it again; a node that had children already
    // the tree folds or unfolds itself.
    if (filled)
        QTreeWidget::mouseDoubleClickEvent(event);
}

void FolderTree::mouseReleaseEvent(QMouseEvent *event)
{
    if (isLeft(event) && !afterDouble_) {
        const QModelIndex at = indexAt(event->position().toPoint());
        QTreeWidgetItem *node = itemFromIndex(at);
        if (node && at == pressed_ && node->isSelected())
            emit NodeClick(node);
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent *event)
{
    // Enter lists the current node's files and fills it the first time, but leaves folding to
    // Left and Right. Right (or +) opens a node as the tree does, filling it first if it has not
    // been filled.
    QTreeWidgetItem *node = currentItem();
    if (isEnter(event)) {
        if (selectCurrentOnly(this)) {
            emit NodeClick(currentItem());
            emit DblClick();
        }
    } else if ((event->key() == Qt::Key_Right || event->key() == Qt::Key_Plus) && node && node->childCount() == 0) {
        emit Expand(node);
    } else {
        QTreeWidget::keyPressEvent(event);
    }
}

FaceList::FaceList(QWidget *parent)
    : QTreeWidget(parent)
{
    connect(this, &QTreeWidget::itemClicked, this, &FaceList::ItemClick);
}

void FaceList::keyPressEvent(QKeyEvent *event)
{
    if (!isEnter(event))
        QTreeWidget::keyPressEvent(event);
    else if (selectCurrentOnly(this))
        emit ItemClick();
}
