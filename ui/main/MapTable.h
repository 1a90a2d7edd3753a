#pragma once

#include <QTableWidget>

// The character map's table (flxPreview), the keyboard's way to Copy with it: Ctrl+C copies the
// current cell at once, the context-menu key and Shift+F10 open the menu at the current cell.
class MapTable : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

signals:
    void copyKey();
    void menuKey(const QPoint &globalPos); // the centre of the current cell, scrolled into view

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
