#include "support/fakefonttable.h"
#include "support/testwindows.h"

#include "base/units.h"
#include "ui/main/ImageList.h"
#include "ui/main/TabStrip.h"
#include "ui/main/layout.h"

#include <QAction>
#include <QFontInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>

using testenv::MainWindow;
using units::twipsToPixels;
using Act = std::function<void(QListWidget *, QPoint)>;
Q_DECLARE_METATYPE(Act)
Q_DECLARE_METATYPE(std::function<void(MainWindow &)>)

char *toString(const TwipRect &r)
{
    return QTest::toString(QStringLiteral("(%1, %2) %3 x %4").arg(r.left).arg(r.top).arg(r.width).arg(r.height));
}

namespace {

WindowGeometry laidOut(int width, int height, int toolbar)
{
    WindowGeometry g = WindowGeometry::designTime();
    layoutWindow(g, width, height, toolbar);
    return g;
}

const QString kInvalid = QStringLiteral("(The selected font file is invalid.)");

// The named control the focus is in: a tab strip for its bar, the toolbar for its buttons.
QString focusStop()
{
    QWidget *f = QApplication::focusWidget();
    while (f && (f->objectName().isEmpty() || qobject_cast<QTabBar *>(f)))
        f = f->parentWidget();
    return f ? f->objectName() : QString();
}

void keys(QList<QKeyCombination> combos)
{
    for (QKeyCombination k : combos)
        QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
}

} // namespace

// The main window: its layout, its commands, the font browser and the installed fonts.
class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void layoutFigures()
    {
        const WindowGeometry g = laidOut(9600, 7710, 540);
        QCOMPARE(g.tsType, (TwipRect{60, 540, 9450, 3465}));
        QCOMPARE(g.picBrowse, (TwipRect{180, 960, 9210, 2865}));
        QCOMPARE(g.tsPreview, (TwipRect{60, 4185, 9450, 3465}));
        QCOMPARE(g.txPreview, (TwipRect{120, 4585, 9270, 2865}));
        QCOMPARE(g.Drive1, (TwipRect{0, 0, 4545, 315}));
        QCOMPARE(g.Dir1, (TwipRect{0, 360, 4545, 2490}));
        QCOMPARE(g.File1, (TwipRect{4665, 0, 4545, 2520}));
        QCOMPARE(g.txFontName, (TwipRect{4665, 2580, 4545, 285})); // ends at the pane's bottom
        QCOMPARE(g.lstInstColumn, 9210 - 640);
    }

    void layoutRounding_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("toolbar");
        QTest::addColumn<int>("strips");
        QTest::addColumn<int>("previewTop"); // the upper strip stays at 540, the lower one follows the toolbar
        QTest::newRow("9585: A rounds 4702.5 down") << 9585 << 540 << 9434 << 4185;
        QTest::newRow("9615: A rounds 4717.5 up") << 9615 << 540 << 9466 << 4185;
        QTest::newRow("taller toolbar: B rounds 3434.5 down") << 9600 << 601 << 9450 << 4215;
    }
    void layoutRounding()
    {
        QFETCH(int, width);
        QFETCH(int, toolbar);
        QFETCH(int, strips);
        QFETCH(int, previewTop);
        const WindowGeometry g = laidOut(width, 7710, toolbar);
        QCOMPARE(QList<int>({g.tsType.width, g.tsPreview.width, g.tsType.top, g.tsPreview.top}),
                 QList<int>({strips, strips, 540, previewTop}));
    }

    void layoutKeepsLastGoodValues()
    {
        WindowGeometry g = laidOut(9600, 7710, 540);
        const WindowGeometry good = g;
        layoutWindow(g, 9600, 540 + 2 * (120 + 300), 540); // too low for the panes, not the strips
        QCOMPARE(QList<int>({g.tsType.height, g.picBrowse.height, g.txPreview.top}), QList<int>({300, good.picBrowse.height, 1420}));
        layoutWindow(g, 100, 700, 540); // every width and height turns negative; positions are still set
        QCOMPARE(QList<int>({g.tsType.width, g.tsPreview.top}), QList<int>({good.tsType.width, 540 - 40 + 180}));
        layoutWindow(g, 9600, 7710, 540);
        QCOMPARE(g, good);
    }

    void resizesPlaceWidgets_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design") << QSize(640, 514);
        QTest::newRow("too small for the layout") << QSize(20, 20);
    }
    void resizesPlaceWidgets()
    {
        QFETCH(QSize, size);
        MainWindow win;
        win->resize(size);
        QCoreApplication::processEvents();
        WindowGeometry g = laidOut(640 * 15, 514 * 15, 540);
        layoutWindow(g, size.width() * 15, size.height() * 15, 540);
        for (const auto &[name, r] : {std::pair{"tsType", g.tsType}, {"picBrowse", g.picBrowse}, {"picInst", g.picInst},
                                      {"tsPreview", g.tsPreview}, {"txPreview", g.txPreview}, {"flxPreview", g.flxPreview},
                                      {"Drive1", g.Drive1}, {"Dir1", g.Dir1}, {"File1", g.File1},
                                      {"txFontName", g.txFontName}, {"lstInst", g.lstInst}})
            QCOMPARE(win.get(name)->geometry(),
                     QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width), twipsToPixels(r.height)));
        // The hidden pane is laid out too; the toolbar spans the window.
        QCOMPARE(win.get<QTreeWidget>("lstInst")->header()->sectionSize(0), twipsToPixels(g.lstInstColumn));
        QCOMPARE(win.get("Toolbar1")->geometry(), QRect(0, 0, size.width(), 36));
    }

    void firstSight()
    {
        MainWindow win;
        QCOMPARE(win->size(), QSize(640, 514)); // 9600 x 7710 twips
        QCOMPARE(win->windowTitle(), QStringLiteral("Vexlora 1.3"));
        QCOMPARE(QFontInfo(win.get("txPreview")->font()).family(), QStringLiteral("Arial")); // the face actually drawn
        QCOMPARE(QFontInfo(win->font()).family(), QStringLiteral("Tahoma"));
        QCOMPARE(win.get("flxPreview")->font().pointSizeF(), 8.25);
    }

    // Every stop once, in order, forward and back, in each combination of the two tab strips;
    // hidden controls and the panes are no stops, and Tab in the sample text types nothing.
    void tabOrder_data()
    {
        QTest::addColumn<std::function<void(MainWindow &)>>("setup");
        QTest::addColumn<QStringList>("stops");
        const QStringList browse{"txFontName", "File1", "Dir1", "Drive1"};
        auto right = [](QList<const char *> strips) {
            return std::function<void(MainWindow &)>([=](MainWindow &win) {
                for (const char *strip : strips)
                    QTest::keyClick(win.get<TabStrip>(strip)->tabBar(), Qt::Key_Right);
            });
        };
        QTest::newRow("browser, free text") << right({}) << QStringList{"txPreview", "Toolbar1", "cmbSize", "tsType"} + browse + QStringList{"tsPreview"};
        QTest::newRow("browser, map") << right({"tsPreview"}) << QStringList{"Toolbar1", "cmbSize", "tsType"} + browse + QStringList{"flxPreview", "tsPreview"};
        QTest::newRow("installed, free text") << right({"tsType"}) << QStringList{"txPreview", "Toolbar1", "cmbSize", "tsType", "lstInst", "tsPreview"};
        QTest::newRow("installed, map") << right({"tsType", "tsPreview"}) << QStringList{"Toolbar1", "cmbSize", "tsType", "lstInst", "flxPreview", "tsPreview"};
    }
    void tabOrder()
    {
        QFETCH(std::function<void(MainWindow &)>, setup);
        QFETCH(QStringList, stops);
        MainWindow win;
        const QString sample = win.get<QPlainTextEdit>("txPreview")->toPlainText();
        QCOMPARE(focusStop(), QStringLiteral("txPreview")); // where it starts
        setup(win);
        win.get("tsPreview")->setFocus();
        QStringList forward, back;
        for (qsizetype i = 0; i < stops.size(); ++i) {
            keys({Qt::Key_Tab});
            forward << focusStop();
        }
        for (qsizetype i = 0; i < stops.size(); ++i) {
            back.prepend(focusStop());
            keys({Qt::SHIFT | Qt::Key_Tab});
        }
        QCOMPARE(forward, stops);
        QCOMPARE(back, stops);
        QCOMPARE(win.get<QPlainTextEdit>("txPreview")->toPlainText(), sample);
    }

    // By mouse, by the toolbar's keys and by the shortcuts: each of Bold and Italic sets only its
    // own style of the free text. The toolbar is one stop, left with Tab from any button.
    void boldAndItalicAreIndependent()
    {
        MainWindow win;
        auto *text = win.get<QPlainTextEdit>("txPreview");
        auto *bar = win.get<QToolBar>("Toolbar1");
        QAction *bold = win.get<QAction>("tbBold");
        QAction *italic = win.get<QAction>("tbItalic");
        struct Step { std::function<void()> press; bool bold; bool italic; };
        const Step steps[] = {
            {[&] { QTest::mouseClick(bar->widgetForAction(bold), Qt::LeftButton); }, true, false},
            {[&] { win.get("File1")->setFocus(); keys({Qt::CTRL | Qt::Key_I}); }, true, true},
            {[&] { text->setFocus(); keys({Qt::Key_Tab, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Space}); }, false, true}, // Install, About, Italic, Bold
            {[] { keys({Qt::Key_Right, Qt::Key_Return}); }, false, false},
            {[] { keys({Qt::CTRL | Qt::Key_B}); }, true, false}};
        for (const Step &s : steps) {
            s.press();
            QCOMPARE(QList<bool>({bold->isChecked(), italic->isChecked()}), QList<bool>({s.bold, s.italic}));
            QCOMPARE(QList<bool>({text->font().bold(), text->font().italic()}), QList<bool>({s.bold, s.italic}));
            QCOMPARE(text->font().pointSizeF(), 36.0);
            QVERIFY(!win.get("flxPreview")->font().bold() && !win.get("flxPreview")->font().italic());
        }
        keys({Qt::Key_Tab}); // from Italic
        QCOMPARE(focusStop(), QStringLiteral("cmbSize"));
        keys({Qt::SHIFT | Qt::Key_Tab}); // the toolbar is entered on Install again
        QCOMPARE(QApplication::focusWidget(), bar->widgetForAction(win.get<QAction>("tbInstall")));
    }

    // Which mouse and key actions in the file list load a file, counted at the font table.
    void fileListLoads_data()
    {
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("loaded"); // the file added, or "" for none
        QTest::newRow("double-click: once") << Act([](QListWidget *l, QPoint p) { testenv::doubleClick(l->viewport(), p); }) << "b.ttf";
        QTest::newRow("right click: none") << Act([](QListWidget *l, QPoint p) { QTest::mouseClick(l->viewport(), Qt::RightButton, {}, p); }) << "";
        QTest::newRow("empty space: the trial file again") << Act([](QListWidget *l, QPoint) {
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->viewport()->rect().bottomRight() - QPoint(3, 3));
        }) << "a.ttf";
        QTest::newRow("released outside: none") << Act([](QListWidget *l, QPoint p) {
            QTest::mousePress(l->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, QPoint(-3, -3));
        }) << "";
    }
    void fileListLoads()
    {
        QFETCH(Act, act);
        QFETCH(QString, loaded);
        FakeFontTable table({QStringLiteral("Arial")});
        const QString work = testenv::freshDir(QStringLiteral("loads"));
        for (const QString name : {"a.ttf", "b.ttf"})
            QVERIFY(testenv::writeBytes(work + QLatin1Char('/') + name, {}));
        MainWindow win;
        win.listFolder(work);
        auto *files = win.get<QListWidget>("File1");
        win.clickFile(QStringLiteral("a.ttf"));
        files->setFocus();
        table.calls.clear();
        act(files, files->visualItemRect(files->item(1)).center());
        QCOMPARE(table.calls, loaded.isEmpty() ? QStringList()
                                               : QStringList({"remove:" + work + "/a.ttf", "add:" + work + '/' + loaded, "notify"}));
    }

    void treeBrowsing()
    {
        // A small disk: folders A (with A2, a1 and a font file), b (none), .hidden and c.
        const QString disk = testenv::freshDir(QStringLiteral("disk"));
        for (const char *sub : {"A/A2", "A/a1", "b", ".hidden", "c"})
            QDir(disk).mkpath(QLatin1String(sub));
        testenv::copyFont(QStringLiteral("zeta.ttf"), disk + QStringLiteral("/A"));
        MainWindow win;
        auto *tree = win.get<QTreeWidget>("Dir1");
        auto files = [&] { return testenv::texts(win.get<QListWidget>("File1")); };
        // At load: the start folder, whose entries QDir tells independently.
        const QDir root(QStringLiteral("/"));
        const QStringList rootFonts = root.entryList({QStringLiteral("*.ttf")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
        QCOMPARE(testenv::texts(tree->invisibleRootItem()), root.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
        QCOMPARE(files(), rootFonts);
        win.chooseDrive(disk);
        QCOMPARE(testenv::texts(tree->invisibleRootItem()), (QStringList{".hidden", "A", "b", "c"}));
        QTreeWidgetItem *a = win.node(QStringLiteral("A"));
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(a).center()); // only the left button clicks
        QCOMPARE(files(), rootFonts); // the file list keeps its folder

        win.click(a);
        QCOMPARE(files(), QStringList{"zeta.ttf"});
        QCOMPARE(a->childCount(), 0); // a click lists no subfolders
        win.doubleClick(a);
        QCOMPARE(testenv::texts(a), (QStringList{"a1", "A2"}));
        QVERIFY(a->isExpanded());
        // Filled nodes are never listed again but fold and unfold; one without subfolders is listed each time.
        QDir(disk).mkpath(QStringLiteral("A/A3"));
        win.doubleClick(a);
        QCOMPARE(testenv::texts(a), (QStringList{"a1", "A2"}));
        QVERIFY(!a->isExpanded());
        win.doubleClick(a);
        QVERIFY(a->isExpanded());
        win.doubleClick(win.node(QStringLiteral("b")));
        QCOMPARE(files(), QStringList());
        QDir(disk).mkpath(QStringLiteral("b/late"));
        win.doubleClick(win.node(QStringLiteral("b")));
        QCOMPARE(testenv::texts(win.node(QStringLiteral("b"))), QStringList{"late"});

        // A click on the expand arrow folds the node and lists nothing.
        win.click(win.node(QStringLiteral("b")));
        const QRect row = tree->visualItemRect(a);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(row.left() - tree->indentation() / 2, row.center().y()));
        QVERIFY(!a->isExpanded());
        QCOMPARE(files(), QStringList());

        // A folder gone since, a double-click below the nodes, a drive gone: nothing, silently.
        QVERIFY(QDir(disk + QStringLiteral("/c")).removeRecursively());
        win.doubleClick(win.node(QStringLiteral("c")));
        QCOMPARE(files(), QStringList());
        QCOMPARE(win.node(QStringLiteral("c"))->childCount(), 0);
        tree->clearSelection();
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, QPoint(5, tree->viewport()->height() - 3));
        QCOMPARE(win.node(QStringLiteral(".hidden"))->childCount(), 0);
        win.chooseDrive(testenv::home() + QStringLiteral("/no such volume"));
        QCOMPARE(tree->topLevelItemCount(), 0);
    }

    // Keys alone: arrows list nothing, Enter lists and fills, Right and + fill and open; a font two
    // levels down previews, and stays picked across the mode tabs.
    void treeByKeys()
    {
        const QString disk = testenv::freshDir(QStringLiteral("keys"));
        for (const char *sub : {"A/a1", "A/A2", "b/c/d"})
            QDir(disk).mkpath(QLatin1String(sub));
        testenv::copyFont(QStringLiteral("eta.ttf"), disk + QStringLiteral("/A"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), disk + QStringLiteral("/A/A2"));
        MainWindow win;
        win.chooseDrive(disk);
        auto files = [&] { return testenv::texts(win.get<QListWidget>("File1")); };
        win.get("Dir1")->setFocus(); // on A
        keys({Qt::Key_Return});
        QCOMPARE(files(), QStringList{"eta.ttf"});
        QCOMPARE(testenv::texts(win.node(QStringLiteral("A"))), (QStringList{"a1", "A2"}));
        keys({Qt::Key_Down, Qt::Key_Down});
        QCOMPARE(files(), QStringList{"eta.ttf"});
        keys({Qt::KeypadModifier | Qt::Key_Enter});
        QCOMPARE(files(), QStringList{"zeta.ttf"});
        keys({Qt::Key_Down, Qt::Key_Right});
        QCOMPARE(testenv::texts(win.node(QStringLiteral("b"))), QStringList{"c"});
        keys({Qt::Key_Down, Qt::Key_Plus});
        QCOMPARE(testenv::texts(win.node(QStringLiteral("b"))->child(0)), QStringList{"d"});
        QCOMPARE(files(), QStringList{"zeta.ttf"});
        keys({Qt::SHIFT | Qt::Key_Tab}); // the file list
        auto *list = win.get<QListWidget>("File1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->viewport()->rect().bottomRight() - QPoint(3, 3));
        QCOMPARE(win.faceName(), kInvalid); // nothing picked yet: nothing loads
        keys({Qt::Key_Return}); // on its first file, through the real font table
        QCOMPARE(win.faceName(), QStringLiteral("Zeta Display"));

        // The mode tabs leave the browser as it was.
        testenv::clickTab(win.get<TabStrip>("tsType"), 1);
        QTest::keyClick(win.get<TabStrip>("tsType")->tabBar(), Qt::Key_Left);
        QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("zeta.ttf"));
        QCOMPARE(win.faceName(), QStringLiteral("Zeta Display"));
    }

    void installedFontsInTableOrder()
    {
        const QStringList faces{"Zed", "alpha", "ALPHA", "Mid"}; // case variants are each listed
        FakeFontTable table(faces);
        MainWindow win;
        auto *list = win.get<QTreeWidget>("lstInst");
        QCOMPARE(testenv::texts(list->invisibleRootItem()), faces);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            QCOMPARE(list->topLevelItem(i)->icon(0).cacheKey(), win.get<ImageList>("ImageList2")->icon(2).cacheKey());
    }

    void closingReleasesTheTrialFont_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::newRow("never picked: an empty path") << "";
        QTest::newRow("picked") << "z.ttf";
    }
    void closingReleasesTheTrialFont()
    {
        QFETCH(QString, picked);
        FakeFontTable table({QStringLiteral("Alpha Sans")});
        const QString work = testenv::freshDir(QStringLiteral("close"));
        QVERIFY(testenv::writeBytes(work + QStringLiteral("/z.ttf"), {}));
        table.setFaces(work + QStringLiteral("/z.ttf"), {QStringLiteral("Zeta")});
        MainWindow win;
        if (!picked.isEmpty()) {
            win.listFolder(work);
            win.clickFile(picked);
        }
        table.calls.clear();
        QVERIFY(win->close()); // as the program closes it
        QCOMPARE(table.calls, QStringList{"remove:" + (picked.isEmpty() ? QString() : work + '/' + picked)});
        QCOMPARE(win->getNewFontName(), QStringLiteral("Alpha Sans")); // installedFontNames emptied
    }
};

VEXLORA_TEST_MAIN(TestMainWindow, testenv::standardFonts())
#include "tst_mainwindow.moc"
