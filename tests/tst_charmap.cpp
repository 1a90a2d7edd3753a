#include "support/testenv.h"

#include "preview/FlexGrid.h"
#include "preview/charmap.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

namespace {

// Passes every call on to a real grid and records it; the call numbered failAt (1-based), if
// any, fails without taking effect.
class WatchedGrid : public preview::CharGrid
{
public:
    explicit WatchedGrid(FlexGrid &real) : real_(real) {}
    int failAt = 0;
    QStringList calls;

    bool setFontSize(double p) override { return step("size", [&] { return real_.setFontSize(p); }); }
    double fontSize() const override { return real_.fontSize(); }
    void setRedraw(bool on) override
    {
        calls << (on ? QStringLiteral("redraw on") : QStringLiteral("redraw off"));
        real_.setRedraw(on);
    }
    bool setCols(int n) override { return step("cols", [&] { return real_.setCols(n); }); }
    bool setRows(int n) override { return step("rows", [&] { return real_.setRows(n); }); }
    bool setColWidth(int c, int t) override { return step("width", [&] { return real_.setColWidth(c, t); }); }
    bool setRowHeight(int r, int t) override { return step("height", [&] { return real_.setRowHeight(r, t); }); }
    bool setCurrentCell(int r, int c) override { return step("cell", [&] { return real_.setCurrentCell(r, c); }); }
    bool setCellAlignment(Qt::Alignment a) override { return step("align", [&] { return real_.setCellAlignment(a); }); }
    bool setCellText(const QString &t) override { return step("text", [&] { return real_.setCellText(t); }); }

private:
    template<typename Call>
    bool step(const char *what, Call call)
    {
        calls << QLatin1String(what);
        return calls.size() != failAt && call();
    }
    FlexGrid &real_;
};

// The call number of the text of cell (r, c) in a fill: size, redraw off, cols, rows and the
// header strip's width and height come first, then each row sizes its column and row and sets
// 15 cells of 3 calls each.
constexpr int textCall(int r, int c) { return 6 + (r - 1) * 47 + 2 + c * 3; }

// Fills a map at the given size and shows it, as the user sees it.
bool showFilledMap(QTableWidget &table, FlexGrid &grid, const QString &size)
{
    table.resize(500, 500);
    table.show();
    return preview::fillCharMap(grid, size) && QTest::qWaitForWindowExposed(&table);
}

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

// The character map's rules and its fill over the real cell grid.
class TestCharMap : public QObject
{
    Q_OBJECT

private slots:
    void cellTwips_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("twips");
        QTest::newRow("8.25") << 8.25 << 206; // 206.25
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

    void windows1252_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("0: one NUL") << 0 << QString(QChar(0));
        QTest::newRow("A") << 65 << "A";
        QTest::newRow("128: euro") << 0x80 << "\u20AC";
        QTest::newRow("130") << 0x82 << "\u201A";
        QTest::newRow("131") << 0x83 << "\u0192";
        QTest::newRow("159") << 0x9F << "\u0178";
        // The five codes the page leaves undefined stand for the control characters.
        for (int code : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            QTest::addRow("undefined %d", code) << code << QString(QChar(code));
        QTest::newRow("160") << 0xA0 << "\u00A0";
        QTest::newRow("224") << 224 << "\u00E0";
        QTest::newRow("255") << 255 << "\u00FF";
    }

    void windows1252()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(QString(QChar(preview::windows1252ToUnicode(uchar(code)))), text);
#ifndef Q_OS_WIN
        QCOMPARE(preview::ansiText(code), text); // the system's own page on Windows
#endif
    }

    void fillSteps()
    {
        QTableWidget table;
        FlexGrid real(&table);
        WatchedGrid g(real);
        QVERIFY(preview::fillCharMap(g, QStringLiteral("36")));
        QCOMPARE(g.calls.size(), textCall(15, 15) + 1);
        QCOMPARE(g.calls.mid(0, 11), QStringList({"size", "redraw off", "cols", "rows", "width", "height",
                                                  "width", "height", "cell", "align", "text"}));
        QCOMPARE(g.calls.last(), QStringLiteral("redraw on"));
        QVERIFY(real.redraw());
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
        QTableWidget table;
        FlexGrid real(&table);
        QVERIFY(preview::fillCharMap(real, QStringLiteral("12")));
        real.setCurrentCell(3, 3);
        WatchedGrid g(real);
        QVERIFY(!preview::fillCharMap(g, text));
        QCOMPARE(g.calls, QStringList({"size"})); // the fill ends at its first step
        QCOMPARE(real.fontSize(), 12.0);
        QCOMPARE(real.colWidth(4), 300);
        QCOMPARE(real.row(), 3);
        QVERIFY(real.redraw());
    }

    void failingStepTurnsRedrawBackOn_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("size") << 1;
        QTest::newRow("cols") << 3;
        QTest::newRow("rows") << 4;
        QTest::newRow("header width") << 5;
        QTest::newRow("first cell") << 9;
        QTest::newRow("middle text") << textCall(8, 7);
        QTest::newRow("last text") << textCall(15, 15);
    }

    void failingStepTurnsRedrawBackOn()
    {
        QFETCH(int, failAt);
        QTableWidget table;
        FlexGrid real(&table);
        WatchedGrid g(real);
        g.failAt = failAt;
        QVERIFY(!preview::fillCharMap(g, QStringLiteral("12")));
        QVERIFY(real.redraw());
        // The fill ends at the failing step: nothing after it but redraw.
        if (failAt == 1)
            QCOMPARE(g.calls.size(), 1);
        else
            QCOMPARE(g.calls.mid(failAt), QStringList({"redraw on"}));
    }

    void realGridFill_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cell");
        QTest::newRow("36") << "36" << 900;
        QTest::newRow("10.5") << "10.5" << 262;
        QTest::newRow("9.75") << "9.75" << 244;
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
        QCOMPARE(grid.row(), 15);
        QCOMPARE(grid.col(), 15);
        QCOMPARE(grid.textMatrix(15, 15), preview::ansiText(224));
        QVERIFY(grid.redraw());
    }

    void failureHalfWayLeavesGridRedrawn()
    {
        QTableWidget table;
        FlexGrid grid(&table);
        QVERIFY(showFilledMap(table, grid, QStringLiteral("8")));
        for (int r = 1; r <= 15; ++r)
            for (int c = 1; c <= 15; ++c)
                table.item(r, c)->setText(QStringLiteral("old"));
        PaintCounter counter;
        table.viewport()->installEventFilter(&counter);
        QCoreApplication::processEvents();

        // The text of (7, 10) fails: rows 1 to 6 and the first 9 cells of row 7 are new.
        WatchedGrid failing(grid);
        failing.failAt = textCall(7, 10);
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
        FlexGrid grid(&table);
        QVERIFY(showFilledMap(table, grid, QStringLiteral("8")));
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
