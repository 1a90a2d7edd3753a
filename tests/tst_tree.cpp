#include "support/helpers.h"
#include "support/testenv.h"

#include "fonts/drives.h"
#include "fonts/listing.h"
#include "ui/main/frmMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QStorageInfo>
#include <QTreeWidget>

Q_DECLARE_METATYPE(fonts::Volume)

// The drive list and the folder tree: what they show, how the tree fills, and what a node
// click hands to the file list.
class TestTree : public QObject
{
    Q_OBJECT

    // The main window with the drive list, the tree and the file list at hand.
    struct Window : testenv::MainWindow
    {
        QComboBox *Drive1 = get<QComboBox>("Drive1");
        QTreeWidget *Dir1 = get<QTreeWidget>("Dir1");
        QListWidget *File1 = get<QListWidget>("File1");

        // Shows a folder as if it were a drive of its own.
        void chooseDrive(const QString &root)
        {
            Drive1->addItem(root + QStringLiteral(" [TEST]"));
            Drive1->setCurrentIndex(Drive1->count() - 1);
        }
        QStringList topTexts() const { return testenv::texts(Dir1); }
        QStringList files() const { return testenv::texts(File1); }
        QTreeWidgetItem *top(const QString &text) const { return Dir1->findItems(text, Qt::MatchExactly).value(0); }
        void click(QTreeWidgetItem *node) const
        {
            QTest::mouseClick(Dir1->viewport(), Qt::LeftButton, {}, Dir1->visualItemRect(node).center());
        }
        void doubleClick(QTreeWidgetItem *node) const
        {
            testenv::doubleClick(Dir1->viewport(), Dir1->visualItemRect(node).center());
        }
    };

    // A small disk: folders A (with A2, a1), b (none), .hidden, c, a link to A, and font files.
    static QString makeDisk(const QString &name)
    {
        const QString root = testenv::makeDir(name);
        QDir d(root);
        for (const char *sub : {"A/A2", "A/a1", "b", ".hidden", "c"})
            d.mkpath(QLatin1String(sub));
        QFile::link(root + QStringLiteral("/A"), root + QStringLiteral("/link to A"));
        QFile(root + QStringLiteral("/not a folder")).open(QIODevice::WriteOnly);
        testenv::copyFont(QStringLiteral("zeta.ttf"), root + QStringLiteral("/A"));
        testenv::copyFont(QStringLiteral("eta.ttf"), root);
        return root;
    }

private slots:
    void driveListShowsTheCurrentVolume()
    {
        Window win;
        QVERIFY(win.Drive1->count() > 0);
        QString root = QStorageInfo(QDir::currentPath()).rootPath();
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        QCOMPARE(win->getDriveRoot(win.Drive1->currentText()), root);
        QVERIFY(!win.Drive1->currentText().isEmpty());
    }

    void atLoadTheTreeShowsTheStartFolder()
    {
        Window win;
        QCOMPARE(win.topTexts(), fonts::subfolderNames(QStringLiteral("/")));
        for (int i = 0; i < win.Dir1->topLevelItemCount(); ++i) {
            QTreeWidgetItem *n = win.Dir1->topLevelItem(i);
            QCOMPARE(n->data(0, fonts::KeyRole).toString(), QLatin1Char('/') + n->text(0));
            QCOMPARE(n->childCount(), 0);
        }
        QCOMPARE(win.files(), fonts::fontFileNames(QStringLiteral("/")));
    }

    void driveChange()
    {
        const QString disk = makeDisk(QStringLiteral("disk"));
        Window win;
        win->listFontFiles(disk + QLatin1Char('/'));
        QCOMPARE(win.files(), QStringList{"eta.ttf"});
        win.chooseDrive(disk);
        // Hidden folders too; folders sorted without regard to case; files are not folders.
        QCOMPARE(win.topTexts(), (QStringList{".hidden", "A", "b", "c", "link to A"}));
        QCOMPARE(win.top(QStringLiteral("b"))->data(0, fonts::KeyRole).toString(), disk + QStringLiteral("/b"));
        // The file list keeps the folder it showed.
        QCOMPARE(win.files(), QStringList{"eta.ttf"});
        QCOMPARE(win.File1->item(0)->data(fonts::KeyRole).toString(), disk + QStringLiteral("/eta.ttf"));
    }

    void nodeClickListsItsFiles()
    {
        const QString disk = makeDisk(QStringLiteral("click"));
        Window win;
        win.chooseDrive(disk);
        win.click(win.top(QStringLiteral("A")));
        QCOMPARE(win.files(), QStringList{"zeta.ttf"});
        QCOMPARE(win.File1->item(0)->data(fonts::KeyRole).toString(), disk + QStringLiteral("/A/zeta.ttf"));
        QCOMPARE(win.top(QStringLiteral("A"))->childCount(), 0); // a click lists no subfolders
        win.click(win.top(QStringLiteral("b")));
        QCOMPARE(win.files(), QStringList());

        // A folder that vanished since: nothing listed, nothing reported.
        win.click(win.top(QStringLiteral("A")));
        QVERIFY(QDir(disk + QStringLiteral("/c")).removeRecursively());
        QTreeWidgetItem *c = win.top(QStringLiteral("c"));
        win.doubleClick(c);
        QCOMPARE(win.files(), QStringList());
        QCOMPARE(c->childCount(), 0);
    }

    void doubleClickFillsOnce()
    {
        const QString disk = makeDisk(QStringLiteral("fill"));
        Window win;
        win.chooseDrive(disk);
        QTreeWidgetItem *a = win.top(QStringLiteral("A"));
        win.doubleClick(a);
        QCOMPARE(win.files(), QStringList{"zeta.ttf"}); // the click within the double-click
        QCOMPARE(testenv::texts(a), (QStringList{"a1", "A2"}));
        QVERIFY(a->isExpanded());
        QCOMPARE(a->child(0)->data(0, fonts::KeyRole).toString(), disk + QStringLiteral("/A/a1"));

        // Filled nodes are never listed again, not even when the folder has changed.
        QDir(disk).mkpath(QStringLiteral("A/A3"));
        win.doubleClick(a);
        QCOMPARE(testenv::texts(a), (QStringList{"a1", "A2"}));
        QVERIFY(a->isExpanded()); // the tree's own double-click toggle is off

        // A click on the expand arrow folds the node and lists nothing.
        win.click(win.top(QStringLiteral("b")));
        QCOMPARE(win.files(), QStringList());
        const QRect row = win.Dir1->visualItemRect(a);
        QTest::mouseClick(win.Dir1->viewport(), Qt::LeftButton, {},
                          QPoint(row.left() - win.Dir1->indentation() / 2, row.center().y()));
        QVERIFY(!a->isExpanded());
        QCOMPARE(win.files(), QStringList());
        a->setExpanded(true);

        // One level per double-click: the child's own folders wait for their turn.
        QCOMPARE(a->child(1)->childCount(), 0);
        win.doubleClick(a->child(0));
        QCOMPARE(a->child(0)->childCount(), 0);
    }

    void folderWithoutSubfoldersIsListedEachTime()
    {
        const QString disk = makeDisk(QStringLiteral("empty"));
        Window win;
        win.chooseDrive(disk);
        QTreeWidgetItem *b = win.top(QStringLiteral("b"));
        win.doubleClick(b);
        QCOMPARE(b->childCount(), 0);
        QVERIFY(b->isExpanded());
        QDir(disk).mkpath(QStringLiteral("b/late"));
        win.doubleClick(b);
        QCOMPARE(testenv::texts(b), QStringList{"late"});
    }

    void linksToFoldersAreFollowed()
    {
        const QString disk = makeDisk(QStringLiteral("links"));
        QFile::link(disk, disk + QStringLiteral("/A/loop")); // a loop back to the top
        Window win;
        win.chooseDrive(disk);
        QTreeWidgetItem *link = win.top(QStringLiteral("link to A"));
        win.doubleClick(link);
        QCOMPARE(testenv::texts(link), (QStringList{"a1", "A2", "loop"}));
        QCOMPARE(win.files(), QStringList{"zeta.ttf"});
        QTreeWidgetItem *loop = link->child(2);
        win.doubleClick(loop);
        QCOMPARE(testenv::texts(loop), (QStringList{".hidden", "A", "b", "c", "link to A"}));
        QCOMPARE(loop->child(1)->data(0, fonts::KeyRole).toString(), disk + QStringLiteral("/link to A/loop/A"));
    }

    void doubleClickWithoutSelectionDoesNothing()
    {
        const QString disk = makeDisk(QStringLiteral("nosel"));
        Window win;
        win.chooseDrive(disk);
        win.Dir1->clearSelection();
        win->Dir1_DblClick();
        const QPoint below(5, win.Dir1->viewport()->height() - 3);
        QVERIFY(!win.Dir1->itemAt(below));
        QTest::mouseDClick(win.Dir1->viewport(), Qt::LeftButton, {}, below);
        for (int i = 0; i < win.Dir1->topLevelItemCount(); ++i)
            QCOMPARE(win.Dir1->topLevelItem(i)->childCount(), 0);

        win.Dir1->clear(); // an empty tree
        win->Dir1_DblClick();
        QCOMPARE(win.Dir1->topLevelItemCount(), 0);
    }

    void driveOfAVanishedVolume()
    {
        Window win;
        win.chooseDrive(testenv::home() + QStringLiteral("/no such volume"));
        QCOMPARE(win.Dir1->topLevelItemCount(), 0);
    }

    void getDriveRoot_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("root");
        const QChar slash('/');
        const QChar backslash('\\');
        QTest::newRow("mount point with label") << "/media/usb [USB STICK]" << slash << "/media/usb/";
        QTest::newRow("mount point alone") << "/home" << slash << "/home/";
        QTest::newRow("root with label: no doubled separator") << "/ [root]" << slash << "/";
        QTest::newRow("root alone") << "/" << slash << "/";
        QTest::newRow("blanks around") << "  /mnt/share   " << slash << "/mnt/share/";
        QTest::newRow("cut at the first bracket") << "/mnt/a [b] [c]" << slash << "/mnt/a/";
        QTest::newRow("drive with label") << "c: [SYSTEM]" << backslash << "c:\\";
        QTest::newRow("drive alone") << "a:" << backslash << "a:\\";
        QTest::newRow("network name") << "z: [\\\\server\\share]" << backslash << "z:\\";
        QTest::newRow("case kept") << "D: [Data]" << backslash << "D:\\";
        QTest::newRow("empty") << "" << backslash << "\\";
    }

    void getDriveRoot()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(QString, root);
        QCOMPARE(fonts::driveRoot(text, separator), root);
        if (separator == fonts::separator()) {
            Window win;
            QCOMPARE(win->getDriveRoot(text), root);
        }
    }

    void volumes_data()
    {
        using V = fonts::Volume;
        QTest::addColumn<QList<fonts::Volume>>("mounted");
        QTest::addColumn<QStringList>("texts");

        QTest::newRow("desktop") << QList<V>{
            {"/", "ext4", "", true},
            {"/proc", "proc", "", true},
            {"/sys", "sysfs", "", true},
            {"/sys/fs/cgroup", "cgroup2", "", true},
            {"/dev", "devtmpfs", "", true},
            {"/dev/shm", "tmpfs", "", true},
            {"/run", "tmpfs", "", true},
            {"/run/user/1000", "tmpfs", "", true},
            {"/run/user/1000/gvfs", "fuse.gvfsd-fuse", "", true},
            {"/home", "ext4", "Home", true},
            {"/boot/efi", "vfat", "ESP", true},
            {"/media/ann/USB STICK", "vfat", "USB STICK", true},
            {"/run/media/ann/CARD", "exfat", "CARD", true},
            {"/mnt/share", "nfs4", "", true},
            {"/snap/core/123", "squashfs", "", true},
            {"/tmp", "tmpfs", "", true},
        } << QStringList{"/", "/boot/efi [ESP]", "/home [Home]", "/media/ann/USB STICK [USB STICK]",
                         "/mnt/share", "/run/media/ann/CARD [CARD]"};
        QTest::newRow("container") << QList<V>{
            {"/", "overlay", "", true},
            {"/etc/hosts", "ext4", "", false},
            {"/etc/resolv.conf", "ext4", "", false},
            {"/data", "ext4", "", true},
            {"/data", "ext4", "", true},
        } << QStringList{"/", "/data"};
        QTest::newRow("root in memory") << QList<V>{{"/", "tmpfs", "", true}} << QStringList{"/"};
        QTest::newRow("none") << QList<V>{} << QStringList{};
    }

    void volumes()
    {
        QFETCH(QList<fonts::Volume>, mounted);
        QFETCH(QStringList, texts);
        QStringList got;
        for (const fonts::Volume &v : fonts::browsableVolumes(mounted))
            got << fonts::volumeText(v);
        QCOMPARE(got, texts);
    }

    void volumeOf_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("volume");
        QTest::newRow("root") << "/etc" << 0;
        QTest::newRow("home") << "/home/ann/fonts" << 1;
        QTest::newRow("home itself") << "/home" << 1;
        QTest::newRow("prefix of a name is no parent") << "/homely" << 0;
        QTest::newRow("deepest mount wins") << "/home/ann/usb/x" << 2;
    }

    void volumeOf()
    {
        QFETCH(QString, folder);
        QFETCH(int, volume);
        const QList<fonts::Volume> volumes{
            {"/", "ext4", "", true}, {"/home", "ext4", "", true}, {"/home/ann/usb", "vfat", "", true}};
        QCOMPARE(fonts::volumeOf(volumes, folder), volume);
        QCOMPARE(fonts::volumeOf({{"/home", "ext4", "", true}}, QStringLiteral("/etc")), -1);
    }
};


VEXLORA_TEST_MAIN(TestTree, testenv::standardFonts())
#include "tst_tree.moc"
