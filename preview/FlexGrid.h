#pragma once

#include "preview/charmap.h"

#include <QList>
#include <QObject>
#include <QPoint>

class QTableWidget;

// A cell grid on top of a QTableWidget: row 0 and column 0 are the fixed grey strips, sizes
// are kept in twips (and applied as pixels), cells hold their text, and only the left button
// moves the current cell. It lives as a child of the table it drives.
//
// The strips must stay in view however far the cells scroll, which the table's own headers
// do and its cells cannot: the table keeps row 0 and column 0 as a hidden row and column (so
// cell (r, c) is still row r, column c of the table, and the strips have their texts and
// sizes like any other cell), and its headers draw them, as thick as row 0 is high and
// column 0 wide.
class FlexGrid : public QObject, public preview::CharGrid
{
    Q_OBJECT
public:
    explicit FlexGrid(QTableWidget *table);

    QTableWidget *table() const { return table_; }

    int rows() const;
    int cols() const;
    // Width of a column and height of a row in twips; -1 outside the grid.
    int colWidth(int col) const;
    int rowHeight(int row) const;
    // The current cell.
    int row() const;
    int col() const;
    QString textMatrix(int row, int col) const;
    Qt::Alignment cellAlignment(int row, int col) const;
    bool redraw() const;

    // preview::CharGrid: setters work on the current cell where they name no cell.
    bool setFontSize(double points) override;
    double fontSize() const override;
    void setRedraw(bool on) override;
    bool setCols(int count) override;
    bool setRows(int count) override;
    bool setColWidth(int col, int twips) override;
    bool setRowHeight(int row, int twips) override;
    bool setCurrentCell(int row, int col) override;
    bool setCellAlignment(Qt::Alignment alignment) override;
    bool setCellText(const QString &text) override;

    static constexpr int kDefaultColTwips = 960;
    static constexpr int kDefaultRowTwips = 240;
    static constexpr int kMaxTwips = 1 << 20;

signals:
    // Any button pressed over the cells or the strips, with the pointer's global position.
    void mouseDown(Qt::MouseButton button, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeItems();
    void setStrip(Qt::Orientation orientation, int twips);

    QTableWidget *table_;
    QObject *viewport_ = nullptr;
    QList<QObject *> strips_; // what the strips are drawn on: each header's viewport, the corner
    QList<int> colTwips_;
    QList<int> rowTwips_;
};
