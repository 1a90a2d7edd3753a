#include "preview/FlexGrid.h"

#include "base/units.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>

using units::twipsToPixels;

namespace {

// A header that is nothing but a fixed strip: as thick as it is told, whatever its sections
// would ask for.
class Strip : public QHeaderView
{
public:
    Strip(Qt::Orientation orientation, QWidget *table)
        : QHeaderView(orientation, table)
    {
        // Otherwise the header clamps small sections: 60-twip rows would come out tall.
        setMinimumSectionSize(0);
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        setContextMenuPolicy(Qt::PreventContextMenu);
    }
    void setThickness(int pixels)
    {
        thickness_ = pixels;
        emit geometriesChanged(); // the table makes room for the strip at once
    }
    QSize sizeHint() const override
    {
        return orientation() == Qt::Horizontal ? QSize(length(), thickness_) : QSize(thickness_, length());
    }

private:
    int thickness_ = 0;
};

} // namespace

FlexGrid::FlexGrid(QTableWidget *table)
    : QObject(table)
    , table_(table)
{
    setObjectName(QStringLiteral("FlexGrid"));
    table_->setHorizontalHeader(new Strip(Qt::Horizontal, table_));
    table_->setVerticalHeader(new Strip(Qt::Vertical, table_));
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
    // A press on a strip is a press on the grid too; the corner where they meet is the one
    // button among the table's children.
    strips_ = {table_->horizontalHeader()->viewport(), table_->verticalHeader()->viewport()};
    if (auto *corner = table_->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly))
        strips_ << corner;
    for (QObject *strip : std::as_const(strips_))
        strip->installEventFilter(this);

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
    table_->setColumnHidden(0, true); // drawn by the strip
    while (colTwips_.size() > count)
        colTwips_.removeLast();
    while (colTwips_.size() < count) {
        colTwips_.append(kDefaultColTwips);
        setColWidth(int(colTwips_.size()) - 1, kDefaultColTwips);
    }
    makeItems();
    return true;
}

bool FlexGrid::setRows(int count)
{
    if (count < 2 || count > 4096)
        return false;
    table_->setRowCount(count);
    table_->setRowHidden(0, true); // drawn by the strip
    while (rowTwips_.size() > count)
        rowTwips_.removeLast();
    while (rowTwips_.size() < count) {
        rowTwips_.append(kDefaultRowTwips);
        setRowHeight(int(rowTwips_.size()) - 1, kDefaultRowTwips);
    }
    makeItems();
    return true;
}

bool FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= colTwips_.size() || twips < 0 || twips > kMaxTwips)
        return false;
    colTwips_[col] = twips;
    if (col == 0)
        setStrip(Qt::Vertical, twips);
    else
        table_->horizontalHeader()->resizeSection(col, twipsToPixels(twips));
    return true;
}

bool FlexGrid::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rowTwips_.size() || twips < 0 || twips > kMaxTwips)
        return false;
    rowTwips_[row] = twips;
    if (row == 0)
        setStrip(Qt::Horizontal, twips);
    else
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

void FlexGrid::setStrip(Qt::Orientation orientation, int twips)
{
    // Column 0's width is the thickness of the strip down the left, row 0's height that of the
    // strip along the top.
    auto *strip = static_cast<Strip *>(orientation == Qt::Horizontal ? table_->horizontalHeader() : table_->verticalHeader());
    strip->setThickness(twipsToPixels(twips));
}

void FlexGrid::makeItems()
{
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < cols(); ++c) {
            if (table_->item(r, c))
                continue;
            auto *item = new QTableWidgetItem;
            const bool strip = r == 0 || c == 0;
            item->setFlags(strip ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren);
            table_->setItem(r, c, item);
        }
    }
    // The strips show no numbers: a header without an item of its own would count its sections.
    for (int c = 0; c < cols(); ++c)
        if (!table_->horizontalHeaderItem(c))
            table_->setHorizontalHeaderItem(c, new QTableWidgetItem);
    for (int r = 0; r < rows(); ++r)
        if (!table_->verticalHeaderItem(r))
            table_->setVerticalHeaderItem(r, new QTableWidgetItem);
}

bool FlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    // Compared by address only: while the table is being destroyed, its viewport and strips
    // still receive events that no longer may call into the table.
    if (strips_.contains(watched)) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto *me = static_cast<QMouseEvent *>(event);
            emit mouseDown(me->button(), me->globalPosition().toPoint());
            return true; // the strips themselves do nothing on a click
        }
        case QEvent::MouseButtonRelease:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
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
