#pragma once

#include <QListWidget>
#include <QPersistentModelIndex>
#include <QTreeWidget>

// The font browser's lists and the installed fonts report clicks as the desktop's list and tree
// controls do: a click is the left button pressed and released in the list, the release that
// ends a double-click is no second click, and Enter or Return acts as a click on the current
// item, which first becomes the only selected one. Moving with the keys is no click.

// The font files of a folder (File1). A click anywhere in it counts, on empty space too, where
// Qt reports no item.
class FileList : public QListWidget
{
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool afterDouble_ = false; // the next release ends a double-click
};

// The folders of a drive (Dir1), each node filled with its subfolders when it is first opened.
class FolderTree : public QTreeWidget
{
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;

signals:
    // A click on the node it was pressed on, which it selected; one on the node's expand arrow,
    // which selects nothing, is none.
    void NodeClick(QTreeWidgetItem *node);
    // A double-click anywhere in the tree, or Enter after its node click: for the selected node.
    void DblClick();
    // Right or + on a node with no children yet: they are to be filled in, which opens it.
    void Expand(QTreeWidgetItem *node);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPersistentModelIndex pressed_; // the node under the last press
    bool afterDouble_ = false;      // the next release ends a double-click
};

// The installed faces (lstInst).
class FaceList : public QTreeWidget
{
    Q_OBJECT
public:
    explicit FaceList(QWidget *parent = nullptr);

signals:
    void ItemClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
