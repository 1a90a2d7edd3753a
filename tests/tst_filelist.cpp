#include "support/fakefonttable.h"
#include "support/helpers.h"
#include "support/testenv.h"

#include "fonts/listing.h"
#include "ui/main/frmMain.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The font file list: which files it shows, and what a click in it loads and shows.
class TestFileList : public QObject
{
    Q_OBJECT

    const QString invalid = QStringLiteral("(The selected font file is invalid.)");

    // The main window with the file list and the views a click feeds.
    struct Window : testenv::MainWindow
    {
        QListWidget *File1 = get<QListWidget>("File1");
        QLineEdit *txFontName = get<QLineEdit>("txFontName");
        QPlainTextEdit *txPreview = get<QPlainTextEdit>("txPreview");
        QTableWidget *flxPreview = get<QTableWidget>("flxPreview");

        QPoint itemCentre(const QString &text) const
        {
            const auto found = File1->findItems(text, Qt::MatchExactly);
            if (found.isEmpty())
                qWarning("no file %s in the list", qPrintable(text));
            return found.isEmpty() ? QPoint() : File1->visualItemRect(found.first()).center();
        }
        void click(const QString &text) const
        {
            QTest::mouseClick(File1->viewport(), Qt::LeftButton, {}, itemCentre(text));
        }
        void clickEmptySpace() const
        {
            const QPoint p = File1->viewport()->rect().bottomRight() - QPoint(3, 3);
            QVERIFY(!File1->itemAt(p));
            QTest::mouseClick(File1->viewport(), Qt::LeftButton, {}, p);
        }
        QString shownFace() const { return QFontInfo(txPreview->font()).family(); }
        QString gridFace() const { return QFontInfo(flxPreview->font()).family(); }
    };

    static QString dirPath(const QString &dir) { return dir + fonts::separator(); }

private slots:
    void listing_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("only .ttf, sorted without regard to case")
            << QStringList{"b.ttf", "A.ttf", "c.txt", "d.ttf.bak", "ttf", "e.otf"} << QStringList{}
            << QStringList{"A.ttf", "b.ttf"};
        QTest::newRow("order of the Windows file system: upper-cased, '_' after letters")
            << QStringList{"a_b.ttf", "abd.ttf", "ABC.ttf", "Ab.ttf"} << QStringList{}
            << QStringList{"Ab.ttf", "ABC.ttf", "abd.ttf", "a_b.ttf"};
        QTest::newRow("upper-case extension") << QStringList{"LOUD.TTF", "mixed.TtF"} << QStringList{}
                                              << QStringList{"LOUD.TTF", "mixed.TtF"};
        QTest::newRow("hidden files") << QStringList{".secret.ttf", "plain.ttf"} << QStringList{}
                                      << QStringList{".secret.ttf", "plain.ttf"};
        QTest::newRow("folders never, whatever their names")
            << QStringList{"real.ttf"} << QStringList{"x.ttf", "sub"} << QStringList{"real.ttf"};
        QTest::newRow("empty folder") << QStringList{} << QStringList{} << QStringList{};
    }

    void listing()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(QStringList, listed);
        const QString dir = testenv::makeDir(QStringLiteral("listing-%1").arg(QTest::currentDataTag()));
        for (const QString &f : files) {
            QFile file(dir + QLatin1Char('/') + f);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        for (const QString &f : folders)
            QVERIFY(QDir(dir).mkdir(f));

        Window win;
        win->listFontFiles(dirPath(dir));
        QCOMPARE(testenv::texts(win.File1), listed);
        for (int i = 0; i < win.File1->count(); ++i)
            QCOMPARE(win.File1->item(i)->data(fonts::KeyRole).toString(), dirPath(dir) + win.File1->item(i)->text());
    }

    void linksAndSpecialFiles()
    {
        const QString dir = testenv::makeDir(QStringLiteral("links"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        QVERIFY(QFile::link(dir + QStringLiteral("/zeta.ttf"), dir + QStringLiteral("/link.ttf")));
        QVERIFY(QFile::link(dir + QStringLiteral("/gone"), dir + QStringLiteral("/broken.ttf")));
        QVERIFY(QFile::link(testenv::home(), dir + QStringLiteral("/folderlink.ttf")));
#ifdef Q_OS_UNIX
        // A pipe named like a font would never finish reading.
        QCOMPARE(::mkfifo(QFile::encodeName(dir + QStringLiteral("/pipe.ttf")).constData(), 0600), 0);
#endif
        QCOMPARE(fonts::fontFileNames(dirPath(dir)), (QStringList{"link.ttf", "zeta.ttf"}));
    }

    // A click on a file with the real font table: the face actually shown, or the message.
    void click_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<QString>("name");  // what txFontName shows
        QTest::addColumn<QString>("shown"); // the face the preview then draws with

        QTest::newRow("new face") << "zeta.ttf" << "" << "Zeta Display" << "Zeta Display";
        QTest::newRow("non-ASCII path") << "eta.ttf" << QStringLiteral("Écriture ✓ 日本.ttf") << "Eta Script"
                                        << "Eta Script";
        QTest::newRow("file named after its family") << "zeta.ttf" << "Zeta Display.ttf" << "Zeta Display"
                                                     << "Zeta Display";
        // fontconfig lists the Light member under its typographic family and, after it, under
        // its own family; the own family is new, as it would be on Windows.
        QTest::newRow("light member of an installed family")
            << "alpha-light.ttf" << "" << "Alpha Sans Light" << "Alpha Sans Light";
        QTest::newRow("copy of an installed font") << "beta.ttf" << "beta-copy.ttf" << invalid << "Arial";
        QTest::newRow("installed family, other vendor") << "alpha-othervendor.ttf" << "" << invalid << "Arial";
        QTest::newRow("installed family, other case") << "ALPHA-case.ttf" << "" << invalid << "Arial";
        QTest::newRow("no name") << "noname.ttf" << "" << invalid << "Arial";
        QTest::newRow("no name, named like a face") << "noname.ttf" << "Pretty Name.ttf" << invalid << "Arial";
        QTest::newRow("empty") << "empty.ttf" << "" << invalid << "Arial";
        QTest::newRow("garbage") << "garbage.ttf" << "" << invalid << "Arial";
        QTest::newRow("truncated") << "truncated.ttf" << "" << invalid << "Arial";
    }

    void click()
    {
        QFETCH(QString, file);
        QFETCH(QString, saveAs);
        QFETCH(QString, name);
        QFETCH(QString, shown);
        const QString dir = testenv::makeDir(QStringLiteral("Ordner ß %1").arg(QTest::currentDataTag()));
        const QString path = testenv::copyFont(file, dir, saveAs);
        QVERIFY(!path.isEmpty());

        Window win;
        QCOMPARE(win.shownFace(), QStringLiteral("Arial"));
        win->listFontFiles(dirPath(dir));
        win.click(QFileInfo(path).fileName());
        QCOMPARE(win->trialFontFile, path);
        QCOMPARE(win.txFontName->text(), name);
        QCOMPARE(win.shownFace(), shown);
        if (name != invalid) {
            QCOMPARE(win.gridFace(), shown);
            QVERIFY(win.txPreview->font().pointSizeF() == 36); // the size stays
        }
    }

    void clickingAThenBLeavesOnlyB()
    {
        const QString dir = testenv::makeDir(QStringLiteral("a-then-b"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        const QString b = testenv::copyFont(QStringLiteral("eta.ttf"), dir);
        Window win;
        win->listFontFiles(dirPath(dir));
        win.click(QStringLiteral("zeta.ttf"));
        QCOMPARE(win.shownFace(), QStringLiteral("Zeta Display"));
        win.click(QStringLiteral("eta.ttf"));
        QCOMPARE(win.txFontName->text(), QStringLiteral("Eta Script"));
        QCOMPARE(win.shownFace(), QStringLiteral("Eta Script"));
        QCOMPARE(win->trialFontFile, b);

        const QStringList faces = testenv::tableFaces();
        QVERIFY(faces.contains(QStringLiteral("Eta Script")));
        QVERIFY(!faces.contains(QStringLiteral("Zeta Display")));
    }

    void clickOnEmptySpace()
    {
        const QString dir = testenv::makeDir(QStringLiteral("empty-space"));
        const QString zeta = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        Window win;
        win->listFontFiles(dirPath(dir));

        // Nothing loaded yet: nothing to load again.
        win.clickEmptySpace();
        QCOMPARE(win->trialFontFile, QString());
        QCOMPARE(win.txFontName->text(), invalid);

        win.click(QStringLiteral("zeta.ttf"));
        win.txFontName->clear();
        win.clickEmptySpace();
        QVERIFY(win.File1->selectedItems().isEmpty());
        QCOMPARE(win->trialFontFile, zeta);
        QCOMPARE(win.txFontName->text(), QStringLiteral("Zeta Display")); // removed, added, shown again
        QCOMPARE(win.shownFace(), QStringLiteral("Zeta Display"));
    }

    void keyboard()
    {
        const QString dir = testenv::makeDir(QStringLiteral("keys"));
        const QString eta = testenv::copyFont(QStringLiteral("eta.ttf"), dir);
        const QString zeta = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        Window win;
        win->listFontFiles(dirPath(dir));
        win.click(QStringLiteral("eta.ttf"));
        QCOMPARE(win->trialFontFile, eta);

        // Moving the selection loads nothing...
        win.File1->setFocus();
        QTest::keyClick(win.File1, Qt::Key_Down);
        QCOMPARE(win.File1->currentItem()->text(), QStringLiteral("zeta.ttf"));
        QCOMPARE(win->trialFontFile, eta);
        QCOMPARE(win.txFontName->text(), QStringLiteral("Eta Script"));
        // ...Enter loads the file the selection is on.
        QTest::keyClick(win.File1, Qt::Key_Return);
        QCOMPARE(win->trialFontFile, zeta);
        QCOMPARE(win.txFontName->text(), QStringLiteral("Zeta Display"));
        QCOMPARE(win.shownFace(), QStringLiteral("Zeta Display"));
    }

    void mouseLoads_data()
    {
        QTest::addColumn<bool>("doubleClick"); // else a right click
        QTest::addColumn<int>("loads");
        QTest::newRow("double-click loads once") << true << 1;
        QTest::newRow("right click loads nothing") << false << 0;
    }

    void mouseLoads()
    {
        QFETCH(bool, doubleClick);
        QFETCH(int, loads);
        FakeFontTable fake({QStringLiteral("Arial")});
        const QString dir = testenv::makeDir(QStringLiteral("mouse-%1").arg(loads));
        const QString a = dirPath(dir) + QStringLiteral("a.ttf");
        QVERIFY(testenv::writeBytes(a, {}));
        fake.setFaces(a, {QStringLiteral("Face A")});
        Window win;
        win->listFontFiles(dirPath(dir));
        fake.calls.clear();
        if (doubleClick)
            testenv::doubleClick(win.File1->viewport(), win.itemCentre(QStringLiteral("a.ttf")));
        else
            QTest::mouseClick(win.File1->viewport(), Qt::RightButton, {}, win.itemCentre(QStringLiteral("a.ttf")));
        QCOMPARE(fake.calls.count(QStringLiteral("notify")), loads);
        QCOMPARE(fake.calls.filter(QStringLiteral("add:")).size(), loads);
    }
};

VEXLORA_TEST_MAIN(TestFileList, testenv::standardFonts())
#include "tst_filelist.moc"
