#include "support/testenv.h"
#include "ui/main/frmMain.h"
#include "ui/main/layout.h"

#include <QHeaderView>
#include <QTreeWidget>

char *toString(const TwipRect &r)
{
    return QTest::toString(QStringLiteral("(%1, %2) %3 x %4").arg(r.left).arg(r.top).arg(r.width).arg(r.height));
}

// Geometry of the main window: the arithmetic in twips, and what real resizes make of it.
class TestLayout : public QObject
{
    Q_OBJECT

    static WindowGeometry laidOut(int w, int h, int t)
    {
        WindowGeometry g = WindowGeometry::designTime();
        layoutWindow(g, w, h, t);
        return g;
    }

private slots:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("half down to even") << 4702.5 << 4702;
        QTest::newRow("half up to even") << 4717.5 << 4718;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("below half") << 262.4999 << 262;
        QTest::newRow("above half") << 262.5001 << 263;
    }
    void roundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }

    void designSizeGivesTheDesignFigures()
    {
        const WindowGeometry g = laidOut(9600, 7710, 540);
        QCOMPARE(g.tsType, (TwipRect{60, 540, 9450, 3465}));
        QCOMPARE(g.picBrowse, (TwipRect{180, 960, 9210, 2865}));
        QCOMPARE(g.picInst, g.picBrowse);
        QCOMPARE(g.tsPreview, (TwipRect{60, 4185, 9450, 3465}));
        QCOMPARE(g.txPreview, (TwipRect{120, 4585, 9270, 2865}));
        QCOMPARE(g.flxPreview, g.txPreview);
        // The browse pane: two columns of C = 4545 with a gap of 120.
        QCOMPARE(g.Drive1, (TwipRect{0, 0, 4545, 315}));
        QCOMPARE(g.Dir1, (TwipRect{0, 360, 4545, 2490}));
        QCOMPARE(g.File1, (TwipRect{4665, 0, 4545, 2520}));
        QCOMPARE(g.txFontName, (TwipRect{4665, 2580, 4545, 285}));
        QCOMPARE(g.txFontName.top + g.txFontName.height, g.picBrowse.height);
        QCOMPARE(g.lstInst, (TwipRect{0, 0, 9210, 2865}));
        QCOMPARE(g.lstInstColumn, 9210 - 640);
    }

    void stripWidths_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("strip");
        QTest::newRow("9600") << 9600 << 9450;
        QTest::newRow("9585 rounds 4702.5 down") << 9585 << 9434;
        QTest::newRow("9615 rounds 4717.5 up") << 9615 << 9466;
    }
    void stripWidths()
    {
        QFETCH(int, width);
        QFETCH(int, strip);
        const WindowGeometry g = laidOut(width, 7710, 540);
        QCOMPARE(g.tsType.width, strip);
        QCOMPARE(g.tsPreview.width, strip);
    }

    void lowerStripFollowsTheToolbar_data()
    {
        QTest::addColumn<int>("toolbar");
        QTest::newRow("540") << 540;
        QTest::newRow("600") << 600;
        QTest::newRow("390") << 390;
    }
    void lowerStripFollowsTheToolbar()
    {
        QFETCH(int, toolbar);
        const WindowGeometry g = laidOut(9600, 7710, toolbar);
        QCOMPARE(g.tsType.top, 540); // the upper strip stays put
        const int bottomGap = 7710 - (g.tsPreview.top + g.tsPreview.height);
        QVERIFY2(bottomGap >= 59 && bottomGap <= 61, qPrintable(QString::number(bottomGap)));
    }

    void negativeSizesKeepTheLastGoodValue()
    {
        WindowGeometry g = laidOut(9600, 7710, 540);
        const WindowGeometry good = g;
        layoutWindow(g, 100, 700, 540); // A = -40, B = -40: widths and heights turn negative
        QCOMPARE(g.tsType.width, good.tsType.width);
        QCOMPARE(g.tsType.height, good.tsType.height);
        QCOMPARE(g.tsPreview.height, good.tsPreview.height);
        QCOMPARE(g.tsPreview.top, 540 - 40 + 180); // a position is still set
        layoutWindow(g, 9600, 7710, 540);
        QCOMPARE(g, good);
    }

    void partlyNegativeStepsStillRunTheRest()
    {
        WindowGeometry g = laidOut(9600, 7710, 540);
        // Wide enough for the strips but too low for the panes: only the heights that turn
        // negative are skipped.
        layoutWindow(g, 9600, 540 + 2 * (120 + 300), 540);
        QCOMPARE(g.tsType.height, 300);
        QCOMPARE(g.picBrowse.height, 2865);
        QCOMPARE(g.picBrowse.width, 9210);
        QCOMPARE(g.tsPreview.height, 300);
        QCOMPARE(g.txPreview.height, 2865);
        QCOMPARE(g.txPreview.top, 540 + 300 + 180 + 400);
    }

    void realResizesPlaceWidgetsInPixels_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("design") << 640 << 514;
        QTest::newRow("large") << 1001 << 777;
        QTest::newRow("small") << 300 << 250;
    }
    void realResizesPlaceWidgetsInPixels()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        frmMain w;
        w.show();
        w.resize(width, height);
        QCoreApplication::processEvents();
        const WindowGeometry expected = laidOut(width * 15, height * 15, 540);
        const WindowGeometry &g = w.geometryTwips();
        QCOMPARE(g.tsType, expected.tsType);
        QCOMPARE(g.txFontName, expected.txFontName);
        auto pixels = [](const TwipRect &r) {
            return QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
                         twipsToPixels(r.height));
        };
        const std::pair<const char *, TwipRect> controls[] = {
            {"tsType", expected.tsType},     {"picBrowse", expected.picBrowse},
            {"picInst", expected.picInst},   {"tsPreview", expected.tsPreview},
            {"txPreview", expected.txPreview}, {"flxPreview", expected.flxPreview},
            {"Drive1", expected.Drive1},     {"Dir1", expected.Dir1},
            {"File1", expected.File1},       {"txFontName", expected.txFontName},
            {"lstInst", expected.lstInst},
        };
        for (const auto &[name, rect] : controls) {
            auto *widget = w.findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(widget, name);
            QCOMPARE(widget->geometry(), pixels(rect));
        }
        auto *toolbar = w.findChild<QWidget *>(QStringLiteral("Toolbar1"));
        QCOMPARE(toolbar->geometry(), QRect(0, 0, width, 36));
    }

    void hiddenInstalledPaneIsLaidOutToo()
    {
        frmMain w;
        w.show();
        auto *pane = w.findChild<QWidget *>(QStringLiteral("picInst"));
        auto *list = w.findChild<QTreeWidget *>(QStringLiteral("lstInst"));
        QVERIFY(!pane->isVisible());
        w.resize(900, 600);
        QCoreApplication::processEvents();
        QCOMPARE(list->geometry(), QRect(QPoint(0, 0), pane->size()));
        QCOMPARE(list->header()->sectionSize(0), twipsToPixels(pane->width() * 15 - 640));
    }

    void shrinkingAndGrowingBackRestores()
    {
        frmMain w;
        w.show();
        w.resize(640, 514);
        QCoreApplication::processEvents();
        const WindowGeometry before = w.geometryTwips();
        auto *text = w.findChild<QWidget *>(QStringLiteral("txPreview"));
        const QRect textBefore = text->geometry();
        w.resize(20, 20);
        QCoreApplication::processEvents();
        w.resize(640, 514);
        QCoreApplication::processEvents();
        QCOMPARE(w.geometryTwips(), before);
        QCOMPARE(text->geometry(), textBefore);
    }

    void minimizedRunsNothing()
    {
        frmMain w;
        w.show();
        w.resize(640, 514);
        QCoreApplication::processEvents();
        const WindowGeometry before = w.geometryTwips();
        w.setWindowState(Qt::WindowMinimized);
        w.resize(800, 600);
        w.Form_Resize();
        if (w.isMinimized())
            QCOMPARE(w.geometryTwips().tsType, before.tsType);
    }
};

VEXLORA_TEST_MAIN(TestLayout, testenv::standardFonts())
#include "tst_layout.moc"
