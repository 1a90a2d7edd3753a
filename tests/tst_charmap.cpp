#include "support/testenv.h"

#include "preview/FlexGrid.h"
#include "preview/charmap.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include <cmath>
#include <limits>

namespace {

// Records what a fill does and fails the call with the given number (1-based), if any.
class RecordingGrid : public preview::CharGrid
{
public:
    int failAt = 0;
    QStringList calls;
    double size = 8.25;
    bool redrawOn = true;

    bool step(const QString &what)
    {
        calls << what;
        return failAt == 0 || calls.size() != failAt;
    }
    bool setFontSize(double points) override
    {
        if (!preview::pointSizeAccepted(points)) {
            calls << QStringLiteral("refused");
            return false;
        }
        if (!step(QStringLiteral("size")))
            return false;
        size = points;
        return true;
    }
    double fontSize() const override { return size; }
    void setRedraw(bool on) override
    {
        calls << (on ? QStringLiteral("redraw on") : QStringLiteral("redraw off"));
        redrawOn = on;
    }
    bool setCols(int) override { return step(QStringLiteral("cols")); }
    bool setRows(int) override { return step(QStringLiteral("rows")); }
    bool setColWidth(int, int) override { return step(QStringLiteral("width")); }
    bool setRowHeight(int, int) override { return step(QStringLiteral("height")); }
    bool setCurrentCell(int, int) override { return step(QStringLiteral("cell")); }
    bool setCellAlignment(Qt::Alignment) override { return step(QStringLiteral("align")); }
    bool setCellText(const QString &) override { return step(QStringLiteral("text")); }
};

// Passes every call on to a real grid, and fails the n-th cell text.
class FailingGrid : public preview::CharGrid
{
public:
    FailingGrid(FlexGrid &real, int failText) : real_(real), failText_(failText) {}
    bool setFontSize(double p) override { return real_.setFontSize(p); }
    double fontSize() const override { return real_.fontSize(); }
    void setRedraw(bool on) override { real_.setRedraw(on); }
    bool setCols(int n) override { return real_.setCols(n); }
    bool setRows(int n) override { return real_.setRows(n); }
    bool setColWidth(int c, int t) override { return real_.setColWidth(c, t); }
    bool setRowHeight(int r, int t) override { return real_.setRowHeight(r, t); }
    bool setCurrentCell(int r, int c) override { return real_.setCurrentCell(r, c); }
    bool setCellAlignment(Qt::Alignment a) override { return real_.setCellAlignment(a); }
    bool setCellText(const QString &t) override
    {
        return ++texts_ == failText_ ? false : real_.setCellText(t);
    }

private:
    FlexGrid &real_;
    int failText_;
    int texts_ = 0;
};

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

// The character map's rules and its fill, over a recording grid and over the real cell grid.
class TestCharMap : public QObject
{
    Q_OBJECT

private slots:
    void cellTwips_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("twips");
        QTest::newRow("8") << 8.0 << 200;
        QTest::newRow("8.25") << 8.25 << 206; // 206.25
        QTest::newRow("36") << 36.0 << 900;
        QTest::newRow("72") << 72.0 << 1800;
        QTest::newRow("10.5: half goes down to even") << 10.5 << 262;
        QTest::newRow("10.50001: four decimals first") << 10.50001 << 262;
        QTest::newRow("10.5001") << 10.5001 << 263; // 262.5025
        QTest::newRow("9.75") << 9.75 << 244; // 243.75
        QTest::newRow("9.5: half goes up to even") << 9.5 << 238; // 237.5
        QTest::newRow("0.02: half goes down to 0") << 0.02 << 0; // 0.5
        QTest::newRow("0.06") << 0.06 << 2; // 1.5
        QTest::newRow("largest") << 1638.0 << 40950;
    }

    void cellTwips()
    {
        QFETCH(double, points);
        QFETCH(int, twips);
        QCOMPARE(preview::cellTwips(points), twips);
    }

    void pointSizeAccepted_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << 0.0 << false;
        QTest::newRow("negative") << -3.0 << false;
        QTest::newRow("tiny") << 0.001 << true;
        QTest::newRow("1638") << 1638.0 << true;
        QTest::newRow("above 1638") << 1638.5 << false;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false;
    }

    void pointSizeAccepted()
    {
        QFETCH(double, points);
        QFETCH(bool, accepted);
        QCOMPARE(preview::pointSizeAccepted(points), accepted);
    }

    void windows1252()
    {
        QCOMPARE(preview::windows1252ToUnicode(0x80), u'\u20AC');
        QCOMPARE(preview::windows1252ToUnicode(0x82), u'\u201A');
        QCOMPARE(preview::windows1252ToUnicode(0x83), u'\u0192');
        QCOMPARE(preview::windows1252ToUnicode(0x9F), u'\u0178');
        // The five bytes the page leaves undefined.
        for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            QCOMPARE(preview::windows1252ToUnicode(b), char16_t(b));
        for (int b = 0; b < 0x80; ++b)
            QCOMPARE(preview::windows1252ToUnicode(uchar(b)), char16_t(b));
        for (int b = 0xA0; b <= 0xFF; ++b)
            QCOMPARE(preview::windows1252ToUnicode(uchar(b)), char16_t(b));
    }

#ifndef Q_OS_WIN
    void ansiTextIsWindows1252()
    {
        QCOMPARE(preview::ansiText(0), QString(QChar(0)));
        QCOMPARE(preview::ansiText(0).size(), 1);
        QCOMPARE(preview::ansiText(65), QStringLiteral("A"));
        QCOMPARE(preview::ansiText(128), QStringLiteral("\u20AC"));
        QCOMPARE(preview::ansiText(224), QStringLiteral("\u00E0"));
        QCOMPARE(preview::ansiText(-1), QString());
        QCOMPARE(preview::ansiText(256), QString());
    }
#endif

    void fillSteps()
    {
        RecordingGrid g;
        QVERIFY(preview::fillCharMap(g, QStringLiteral("36")));
        QCOMPARE(g.size, 36.0);
        QCOMPARE(g.calls.size(), 1 + 1 + 2 + 2 + 15 * (2 + 15 * 3) + 1);
        QCOMPARE(g.calls.mid(0, 8), QStringList({"size", "redraw off", "cols", "rows", "width", "height",
                                                 "width", "height"}));
        QCOMPARE(g.calls.mid(8, 3), QStringList({"cell", "align", "text"}));
        QCOMPARE(g.calls.last(), QStringLiteral("redraw on"));
        QVERIFY(g.redrawOn);
    }

    void fillWithRefusedSizeChangesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << "0";
        QTest::newRow("abc") << "abc";
        QTest::newRow("negative") << "-3";
        QTest::newRow("too large") << "1639";
        QTest::newRow("overflow") << "1e999";
    }

    void fillWithRefusedSizeChangesNothing()
    {
        QFETCH(QString, text);
        RecordingGrid g;
        QVERIFY(!preview::fillCharMap(g, text));
        QCOMPARE(g.calls, QStringList({"refused"}));
        QCOMPARE(g.size, 8.25);
    }

    void failingStepTurnsRedrawBackOn_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("size") << 1;
        QTest::newRow("cols") << 3;
        QTest::newRow("rows") << 4;
        QTest::newRow("header width") << 5;
        QTest::newRow("first cell") << 9;
        QTest::newRow("middle text") << 400;
        QTest::newRow("last text") << 6 + 15 * 47;
    }

    void failingStepTurnsRedrawBackOn()
    {
        QFETCH(int, failAt);
        RecordingGrid g;
        g.failAt = failAt;
        QVERIFY(!preview::fillCharMap(g, QStringLiteral("12")));
        QVERIFY(g.redrawOn);
        // The fill ends at the failing step: nothing after it but redraw.
        if (failAt == 1)
            QCOMPARE(g.calls.size(), 1);
        else
            QCOMPARE(g.calls.mid(failAt), QStringList({"redraw on"}));
    }

    void realGridStartsAsTwoByTwo()
    {
        QTableWidget table;
        FlexGrid grid(&table);
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(grid.cols(), 2);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 1);
        QVERIFY(table.horizontalHeader()->isHidden());
        QVERIFY(table.verticalHeader()->isHidden());
        QVERIFY(!(table.item(0, 1)->flags() & Qt::ItemIsEnabled));
        QVERIFY(!(table.item(1, 1)->flags() & Qt::ItemIsEditable));
    }

    void realGridFill_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cell");
        QTest::newRow("36") << "36" << 900;
        QTest::newRow(" 8") << " 8" << 200;
        QTest::newRow("10.5") << "10.5" << 262;
        QTest::newRow("9.75") << "9.75" << 244;
        QTest::newRow("72") << "72" << 1800;
    }

    void realGridFill()
    {
        QFETCH(QString, text);
        QFETCH(int, cell);
        QTableWidget table;
        FlexGrid grid(&table);
        QVERIFY(preview::fillCharMap(grid, text));
        QCOMPARE(grid.rows(), 16);
        QCOMPARE(grid.cols(), 16);
        QCOMPARE(grid.colWidth(0), 60);
        QCOMPARE(grid.rowHeight(0), 60);
        QCOMPARE(table.horizontalHeader()->sectionSize(0), 4);
        QCOMPARE(table.verticalHeader()->sectionSize(0), 4);
        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(grid.colWidth(i), cell);
            QCOMPARE(grid.rowHeight(i), cell);
            QCOMPARE(table.horizontalHeader()->sectionSize(i), qRound(cell / 15.0));
            QCOMPARE(table.verticalHeader()->sectionSize(i), qRound(cell / 15.0));
        }
        for (int r = 0; r < 16; ++r) {
            for (int c = 0; c < 16; ++c) {
                if (r == 0 || c == 0) {
                    QCOMPARE(grid.textMatrix(r, c), QString());
                    continue;
                }
                QCOMPARE(grid.textMatrix(r, c), preview::ansiText((r - 1) * 15 + (c - 1)));
                QCOMPARE(grid.cellAlignment(r, c), Qt::AlignCenter);
            }
        }
        QCOMPARE(grid.textMatrix(1, 1), QString(QChar(0)));
        QCOMPARE(grid.textMatrix(5, 6), QStringLiteral("A"));
        QCOMPARE(grid.row(), 15);
        QCOMPARE(grid.col(), 15);
        QCOMPARE(grid.textMatrix(15, 15), preview::ansiText(224));
        QVERIFY(grid.redraw());
    }

    void refusedSizeLeavesRealGridAlone()
    {
        QTableWidget table;
        FlexGrid grid(&table);
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("12")));
        grid.setCurrentCell(3, 3);
        QVERIFY(!preview::fillCharMap(grid, QStringLiteral("0")));
        QCOMPARE(grid.fontSize(), 12.0);
        QCOMPARE(grid.colWidth(4), 300);
        QCOMPARE(grid.row(), 3);
        QVERIFY(grid.redraw());
    }

    void failureHalfWayLeavesGridRedrawn()
    {
        QTableWidget table;
        table.resize(400, 300);
        FlexGrid grid(&table);
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("8")));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        for (int r = 1; r <= 15; ++r)
            for (int c = 1; c <= 15; ++c)
                table.item(r, c)->setText(QStringLiteral("old"));
        PaintCounter counter;
        table.viewport()->installEventFilter(&counter);
        QCoreApplication::processEvents();

        // The 100th text fails: rows 1 to 6 and the first 9 cells of row 7 are new.
        FailingGrid failing(grid, 100);
        counter.paints = 0;
        QVERIFY(!preview::fillCharMap(failing, QStringLiteral("12")));
        QVERIFY(table.updatesEnabled());
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(grid.textMatrix(7, 9), preview::ansiText(98));
        QCOMPARE(grid.textMatrix(7, 10), QStringLiteral("old"));
        QCOMPARE(grid.colWidth(7), 300);
        // Row r's step sizes column r and row r: the 8th never began.
        QCOMPARE(grid.rowHeight(7), 300);
        QCOMPARE(grid.colWidth(8), 200);
        QCOMPARE(grid.rowHeight(8), 200);
    }

    void rightAndMiddlePressesKeepCurrentCell_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left") << Qt::LeftButton << true;
        QTest::newRow("right") << Qt::RightButton << false;
        QTest::newRow("middle") << Qt::MiddleButton << false;
    }

    void rightAndMiddlePressesKeepCurrentCell()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, moves);
        QTableWidget table;
        table.resize(500, 500);
        FlexGrid grid(&table);
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("8")));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QList<Qt::MouseButton> seen;
        connect(&grid, &FlexGrid::mouseDown, this, [&](Qt::MouseButton b, const QPoint &) { seen << b; });
        const QPoint at = table.visualItemRect(table.item(5, 6)).center();
        QTest::mouseClick(table.viewport(), button, {}, at);
        QCOMPARE(seen, QList<Qt::MouseButton>({button}));
        QCOMPARE(grid.row(), moves ? 5 : 15);
        QCOMPARE(grid.col(), moves ? 6 : 15);
    }

    void fillKeepsScrollPosition()
    {
        QTableWidget table;
        table.resize(300, 200);
        FlexGrid grid(&table);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("36")));
        QCoreApplication::processEvents();
        QCOMPARE(table.verticalScrollBar()->value(), 0);
        QCOMPARE(table.horizontalScrollBar()->value(), 0);
        // The user's own move brings the cell into view.
        table.setFocus();
        QTest::keyClick(&table, Qt::Key_Up);
        QCOMPARE(grid.row(), 14);
        QVERIFY(table.verticalScrollBar()->value() > 0);
    }

    void stripsAreNotCurrent()
    {
        QTableWidget table;
        table.resize(500, 500);
        FlexGrid grid(&table);
        QVERIFY(preview::fillCharMap(grid, QStringLiteral("8")));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualItemRect(table.item(0, 4)).center());
        QCOMPARE(grid.row(), 15);
        QCOMPARE(grid.col(), 15);
        QVERIFY(!grid.setCurrentCell(0, 3));
        QVERIFY(!grid.setCurrentCell(16, 3));
        // Nor by keyboard.
        table.setFocus();
        QTest::keyClick(&table, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 1);
        QTest::keyClick(&table, Qt::Key_Up);
        QTest::keyClick(&table, Qt::Key_Left);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 1);
    }
};

VEXLORA_TEST_MAIN(TestCharMap, testenv::standardFonts())
#include "tst_charmap.moc"
