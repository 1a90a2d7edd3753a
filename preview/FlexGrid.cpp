#include "preview/FlexGrid.h"

#include "base/units.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>

using units::twipsToPixels;

FlexGrid::FlexGrid(QTableWidget *table)
    : QObject(table)
    , table_(table)
{
    setObjectName(QStringLiteral("FlexGrid"));
    for (QHeaderView *h : {table_->horizontalHeader(), table_->verticalHeader()}) {
        h->hide();
        // Otherwise the header clamps small sections: the 60-twip strips would come out wide.
        h->setMinimumSectionSize(0);
        h->setSectionResizeMode(QHeaderView::Fixed);
    }
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideNone);
    table_->setCornerButtonEnabled(false);
    // The context menu is opened from the button press, as the grid's own mouse-down handler.
    table_->setContextMenuPolicy(Qt::PreventContextMenu);
    viewport_ = table_->viewport();
    viewport_->installEventFilter(this);

    setCols(2);
    setRows(2);
    setCurrentCell(1, 1);
}

int FlexGrid::rows() const
{
    return table_->rowCount();
}

int FlexGrid::cols() const
{
    return table_->columnCount();
}

int FlexGrid::colWidth(int col) const
{
    return col >= 0 && col < colTwips_.size() ? colTwips_[col] : -1;
}

int FlexGrid::rowHeight(int row) const
{
    return row >= 0 && row < rowTwips_.size() ? rowTwips_[row] : -1;
}

int FlexGrid::row() const
{
    return table_->currentRow();
}

int FlexGrid::col() const
{
    return table_->currentColumn();
}

QString FlexGrid::textMatrix(int row, int col) const
{
    const QTableWidgetItem *item = table_->item(row, col);
    return item ? item->text() : QString();
}

Qt::Alignment FlexGrid::cellAlignment(int row, int col) const
{
    const QTableWidgetItem *item = table_->item(row, col);
    return item ? Qt::Alignment(item->textAlignment()) : Qt::Alignment();
}

bool FlexGrid::redraw() const
{
    return table_->updatesEnabled();
}

bool FlexGrid::setFontSize(double points)
{
    if (!preview::pointSizeAccepted(points))
        return false;
    QFont f = table_->font();
    f.setPointSizeF(points);
    table_->setFont(f);
    return true;
}

double FlexGrid::fontSize() const
{
    return table_->font().pointSizeF();
}

void FlexGrid::setRedraw(bool on)
{
    table_->setUpdatesEnabled(on);
}

bool FlexGrid::setCols(int count)
{
    if (count < 2 || count > 4096)
        return false;
    table_->setColumnCount(count);
    while (colTwips_.size() > count)
        colTwips_.removeLast();
    while (colTwips_.size() < count) {
        colTwips_.append(kDefaultColTwips);
        table_->horizontalHeader()->resizeSection(int(colTwips_.size()) - 1, twipsToPixels(kDefaultColTwips));
    }
    makeItems();
    return true;
}

bool FlexGrid::setRows(int count)
{
    if (count < 2 || count > 4096)
        return false;
    table_->setRowCount(count);
    while (rowTwips_.size() > count)
        rowTwips_.removeLast();
    while (rowTwips_.size() < count) {
        rowTwips_.append(kDefaultRowTwips);
        table_->verticalHeader()->resizeSection(int(rowTwips_.size()) - 1, twipsToPixels(kDefaultRowTwips));
    }
    makeItems();
    return true;
}

bool FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= colTwips_.size() || twips < 0 || twips > kMaxTwips)
        return false;
    colTwips_[col] = twips;
    table_->horizontalHeader()->resizeSection(col, twipsToPixels(twips));
    return true;
}

bool FlexGrid::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rowTwips_.size() || twips < 0 || twips > kMaxTwips)
        return false;
    rowTwips_[row] = twips;
    table_->verticalHeader()->resizeSection(row, twipsToPixels(twips));
    return true;
}

bool FlexGrid::setCurrentCell(int row, int col)
{
    // Only character cells can be current: the strips are headers.
    if (row < 1 || row >= rows() || col < 1 || col >= cols())
        return false;
    // Moving the current cell from code leaves the scroll position alone; the user's own
    // moves still bring the cell into view.
    const bool autoScroll = table_->hasAutoScroll();
    table_->setAutoScroll(false);
    table_->setCurrentCell(row, col);
    table_->setAutoScroll(autoScroll);
    return true;
}

bool FlexGrid::setCellAlignment(Qt::Alignment alignment)
{
    QTableWidgetItem *item = table_->item(row(), col());
    if (!item)
        return false;
    item->setTextAlignment(alignment);
    return true;
}

bool FlexGrid::setCellText(const QString &text)
{
    QTableWidgetItem *item = table_->item(row(), col());
    if (!item)
        return false;
    item->setText(text);
    return true;
}

void FlexGrid::makeItems()
{
    const QBrush strip = table_->palette().brush(QPalette::Button);
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < cols(); ++c) {
            if (table_->item(r, c))
                continue;
            auto *item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(strip);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren);
            }
            table_->setItem(r, c, item);
        }
    }
}

bool FlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    // Compared by address only: while the table is being destroyed, its viewport still
    // receives events that no longer may call into the table.
    if (watched != viewport_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *me = static_cast<QMouseEvent *>(event);
        emit mouseDown(me->button(), me->globalPosition().toPoint());
        // The table would move the current cell on any button; only the left one does here.
        return me->button() != Qt::LeftButton;
    }
    case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton;
    case QEvent::MouseMove: {
        const Qt::MouseButtons b = static_cast<QMouseEvent *>(event)->buttons();
        return b != Qt::NoButton && !(b & Qt::LeftButton);
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
