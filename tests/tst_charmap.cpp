#include "support/testenv.h"

#include "base/numbers.h"
#include "preview/FlexGrid.h"
#include "preview/charmap.h"
#include "preview/system.h"

#include <QStringDecoder>

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

// The character map's rules and its fill over the real cell grid.
class TestCharMap : public QObject
{
    Q_OBJECT
private slots:
    void cellTwips_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("twips");
        QTest::newRow("10.5: half goes down to even") << 10.5 << 262;
        QTest::newRow("10.5001") << 10.5001 << 263; // 262.5025
        QTest::newRow("9.5: half goes up to even") << 9.5 << 238;
        QTest::newRow("largest") << 1638.0 << 40950;
    }
    void cellTwips()
    {
        QFETCH(double, points);
        QFETCH(int, twips);
        QCOMPARE(preview::cellTwips(points), twips);
    }

    void windows1252()
    {
        // ICU's table, as Qt decodes with it: the five codes the page leaves undefined are the
        // control characters of the same number there, as Windows gives them.
        QStringDecoder page("windows-1252");
        QVERIFY(page.isValid());
        for (int code = 0; code < 256; ++code)
            QCOMPARE(preview::ansiText(code), page.decode(QByteArray(1, char(code))).operator QString());
    }

    void fill_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("cell"); // twips; 0: refused, the grid keeps its 12-point fill
        QTest::newRow("9.75") << "9.75" << 244;
        QTest::newRow("0") << "0" << 0;
    }
    void fill()
    {
        QFETCH(QString, size);
        QFETCH(int, cell);
        QTableWidget table;
        FlexGrid grid(&table);
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("12")));
        grid.setCurrentCell(3, 3);
        QCOMPARE(preview::fillCharMap(grid, size), cell != 0);
        QVERIFY(grid.redraw());
        QCOMPARE(grid.fontSize(), cell ? numbers::sizeValue(size) : 12.0);
        QCOMPARE(grid.row(), cell ? 15 : 3);
        QCOMPARE(QList<int>({grid.rows(), grid.cols(), table.horizontalHeader()->sizeHint().height(), table.verticalHeader()->sizeHint().width()}),
                 QList<int>({16, 16, 4, 4})); // the strips
        for (int r = 0; r < 16; ++r) {
            QCOMPARE(grid.rowHeight(r), r ? (cell ? cell : 300) : 60);
            if (r)
                QCOMPARE(table.rowHeight(r), qRound(grid.rowHeight(r) / 15.0));
            for (int c = 0; c < 16; ++c) {
                const bool strip = r == 0 || c == 0;
                QCOMPARE(grid.textMatrix(r, c), strip ? QString() : preview::ansiText((r - 1) * 15 + (c - 1)));
                QCOMPARE(grid.cellAlignment(r, c), strip ? Qt::Alignment() : Qt::AlignCenter);
            }
        }
    }

    // Only the user moves the view, and a strip is never current. The header strips stay at the
    // view's edges while the cells scroll under them, beside the cells they head; a strip sized
    // on its own, outside a fill, takes its thickness as well.
    void viewAndStrips()
    {
        QTableWidget table;
        table.resize(300, 200);
        FlexGrid grid(&table);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("36")));
        QCoreApplication::processEvents(); // the scroll bars learn the new cell sizes
        QCOMPARE(table.verticalScrollBar()->value(), 0); // the fill ends on the last cell, out of view
        QHeaderView *top = table.horizontalHeader();
        QHeaderView *left = table.verticalHeader();
        QTest::mouseClick(top->viewport(), Qt::LeftButton, {}, QPoint(top->sectionViewportPosition(4) + 5, 1));
        QCOMPARE(QPoint(grid.row(), grid.col()), QPoint(15, 15)); // by mouse or by keyboard
        table.setFocus();
        QTest::keyClick(&table, Qt::Key_Up);
        QVERIFY(grid.row() == 14 && table.verticalScrollBar()->value() > 0);
        QTest::keyClick(&table, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&table, Qt::Key_Up);
        QTest::keyClick(&table, Qt::Key_Left);
        QCOMPARE(QPoint(grid.row(), grid.col()), QPoint(1, 1));

        for (QScrollBar *bar : {table.horizontalScrollBar(), table.verticalScrollBar()})
            bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        const QRect view = table.viewport()->geometry();
        QCOMPARE(top->geometry(), QRect(view.left(), view.top() - 4, view.width(), 4));
        QCOMPARE(left->geometry(), QRect(view.left() - 4, view.top(), 4, view.height()));
        QCOMPARE(table.columnViewportPosition(15) + 60, view.width()); // 900 twips: scrolled to the end
        QCOMPARE(top->sectionViewportPosition(15), table.columnViewportPosition(15));
        QCOMPARE(left->sectionViewportPosition(15), table.rowViewportPosition(15));
        QVERIFY(grid.setColWidth(0, 300) && grid.setRowHeight(0, 150));
        QTRY_COMPARE(QList<int>({left->width(), top->height()}), QList<int>({20, 10}));
        QCOMPARE(QList<int>({left->geometry().right() + 1, top->geometry().bottom() + 1}), QList<int>({table.viewport()->x(), table.viewport()->y()}));
    }
};

VEXLORA_TEST_MAIN(TestCharMap, testenv::standardFonts())
#include "tst_charmap.moc"
