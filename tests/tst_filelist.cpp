#include "support/fakefonttable.h"
#include "support/testenv.h"

#include "fonts/FontTable.h"
#include "fonts/listing.h"
#include "ui/main/ImageList.h"
#include "ui/main/frmMain.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The font file list: which files it shows, and what a click in it loads and shows.
class TestFileList : public QObject
{
    Q_OBJECT

    const QString invalid = QStringLiteral("(The selected font file is invalid.)");

    struct Window
    {
        std::unique_ptr<frmMain> w{new frmMain};
        QListWidget *File1 = nullptr;
        QLineEdit *txFontName = nullptr;
        QPlainTextEdit *txPreview = nullptr;
        QTableWidget *flxPreview = nullptr;

        Window()
        {
            w->setAttribute(Qt::WA_DeleteOnClose, false);
            w->show();
            File1 = w->findChild<QListWidget *>(QStringLiteral("File1"));
            txFontName = w->findChild<QLineEdit *>(QStringLiteral("txFontName"));
            txPreview = w->findChild<QPlainTextEdit *>(QStringLiteral("txPreview"));
            flxPreview = w->findChild<QTableWidget *>(QStringLiteral("flxPreview"));
        }
        ~Window()
        {
            w->close(); // releases the trial font
            // Closing sends no font-change notification; the next window of this process
            // must not find the released face among the installed ones.
            FontTable::instance().notify();
        }
        QStringList texts() const
        {
            QStringList t;
            for (int i = 0; i < File1->count(); ++i)
                t << File1->item(i)->text();
            return t;
        }
        QListWidgetItem *item(const QString &text) const
        {
            const auto found = File1->findItems(text, Qt::MatchExactly);
            return found.isEmpty() ? nullptr : found.first();
        }
        void click(const QString &text) const
        {
            QListWidgetItem *it = item(text);
            QVERIFY2(it, qPrintable(text));
            QTest::mouseClick(File1->viewport(), Qt::LeftButton, {}, File1->visualItemRect(it).center());
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
        win.w->listFontFiles(dirPath(dir));
        QCOMPARE(win.texts(), listed);
        const QIcon fontPage = win.w->findChild<ImageList *>(QStringLiteral("ImageList2"))->icon(2);
        for (int i = 0; i < win.File1->count(); ++i) {
            QListWidgetItem *it = win.File1->item(i);
            QCOMPARE(it->data(fonts::KeyRole).toString(), dirPath(dir) + it->text());
            QCOMPARE(it->icon().cacheKey(), fontPage.cacheKey());
        }
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

    void vanishedFolderLeavesTheListEmpty()
    {
        const QString dir = testenv::makeDir(QStringLiteral("vanishing"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        Window win;
        win.w->listFontFiles(dirPath(dir));
        QCOMPARE(win.File1->count(), 1);
        QVERIFY(QDir(dir).removeRecursively());
        win.w->listFontFiles(dirPath(dir));
        QCOMPARE(win.File1->count(), 0);
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
        QTest::newRow("light member of an installed family")
            << "alpha-light.ttf" << "" << "Alpha Sans Light" << "Alpha Sans Light";
        QTest::newRow("copy of an installed font") << "beta.ttf" << "beta-copy.ttf" << invalid << "Arial";
        QTest::newRow("installed family, other vendor") << "alpha-othervendor.ttf" << "" << invalid << "Arial";
        QTest::newRow("installed family, other case") << "ALPHA-case.ttf" << "" << invalid << "Arial";
        QTest::newRow("no name") << "noname.ttf" << "" << invalid << "Arial";
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
        win.w->listFontFiles(dirPath(dir));
        win.click(QFileInfo(path).fileName());
        QCOMPARE(win.w->trialFontFile, path);
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
        const QString a = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        const QString b = testenv::copyFont(QStringLiteral("eta.ttf"), dir);
        Window win;
        win.w->listFontFiles(dirPath(dir));
        win.click(QStringLiteral("zeta.ttf"));
        QCOMPARE(win.shownFace(), QStringLiteral("Zeta Display"));
        win.click(QStringLiteral("eta.ttf"));
        QCOMPARE(win.txFontName->text(), QStringLiteral("Eta Script"));
        QCOMPARE(win.shownFace(), QStringLiteral("Eta Script"));
        QCOMPARE(win.w->trialFontFile, b);

        const FontTable &table = FontTable::instance();
        QStringList faces;
        for (int i = 0; i < table.count(); ++i)
            faces << table.face(i);
        QVERIFY(faces.contains(QStringLiteral("Eta Script")));
        QVERIFY(!faces.contains(QStringLiteral("Zeta Display")));
        Q_UNUSED(a);
    }

    void clickOrderOnTheTable()
    {
        FakeFontTable fake({QStringLiteral("Arial")});
        const QString dir = testenv::makeDir(QStringLiteral("order"));
        const QString a = dirPath(dir) + QStringLiteral("a.ttf");
        const QString b = dirPath(dir) + QStringLiteral("b.ttf");
        QFile(a).open(QIODevice::WriteOnly);
        QFile(b).open(QIODevice::WriteOnly);
        fake.setFaces(a, {QStringLiteral("Face A")});
        fake.setFaces(b, {QStringLiteral("Face B")});
        Window win;
        win.w->listFontFiles(dirPath(dir));
        fake.calls.clear();
        win.click(QStringLiteral("a.ttf"));
        win.click(QStringLiteral("b.ttf"));
        QCOMPARE(fake.calls, (QStringList{"remove:", "add:" + a, "notify", "remove:" + a, "add:" + b, "notify"}));
        QCOMPARE(fake.loaded(), QStringList{b});
        QCOMPARE(win.txFontName->text(), QStringLiteral("Face B"));
    }

    void clickOnEmptySpace()
    {
        const QString dir = testenv::makeDir(QStringLiteral("empty-space"));
        const QString zeta = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        Window win;
        win.w->listFontFiles(dirPath(dir));

        // Nothing loaded yet: nothing to load again.
        win.clickEmptySpace();
        QCOMPARE(win.w->trialFontFile, QString());
        QCOMPARE(win.txFontName->text(), invalid);

        win.click(QStringLiteral("zeta.ttf"));
        win.txFontName->clear();
        win.clickEmptySpace();
        QVERIFY(win.File1->selectedItems().isEmpty());
        QCOMPARE(win.w->trialFontFile, zeta);
        QCOMPARE(win.txFontName->text(), QStringLiteral("Zeta Display")); // removed, added, shown again
        QCOMPARE(win.shownFace(), QStringLiteral("Zeta Display"));
    }

    void keyboard()
    {
        const QString dir = testenv::makeDir(QStringLiteral("keys"));
        const QString eta = testenv::copyFont(QStringLiteral("eta.ttf"), dir);
        const QString zeta = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        Window win;
        win.w->listFontFiles(dirPath(dir));
        win.click(QStringLiteral("eta.ttf"));
        QCOMPARE(win.w->trialFontFile, eta);

        // Moving the selection loads nothing...
        win.File1->setFocus();
        QTest::keyClick(win.File1, Qt::Key_Down);
        QCOMPARE(win.File1->currentItem()->text(), QStringLiteral("zeta.ttf"));
        QCOMPARE(win.w->trialFontFile, eta);
        QCOMPARE(win.txFontName->text(), QStringLiteral("Eta Script"));
        // ...Enter loads the file the selection is on.
        QTest::keyClick(win.File1, Qt::Key_Return);
        QCOMPARE(win.w->trialFontFile, zeta);
        QCOMPARE(win.txFontName->text(), QStringLiteral("Zeta Display"));
        QCOMPARE(win.shownFace(), QStringLiteral("Zeta Display"));
    }

    void doubleClickLoadsOnce()
    {
        FakeFontTable fake({QStringLiteral("Arial")});
        const QString dir = testenv::makeDir(QStringLiteral("double"));
        const QString a = dirPath(dir) + QStringLiteral("a.ttf");
        QFile(a).open(QIODevice::WriteOnly);
        fake.setFaces(a, {QStringLiteral("Face A")});
        Window win;
        win.w->listFontFiles(dirPath(dir));
        fake.calls.clear();
        // As a real mouse does it: a click, then the double-click and its release.
        const QPoint p = win.File1->visualItemRect(win.item(QStringLiteral("a.ttf"))).center();
        QTest::mouseClick(win.File1->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(win.File1->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(win.File1->viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(fake.calls.count(QStringLiteral("notify")), 1);
    }

    void rightClickLoadsNothing()
    {
        FakeFontTable fake({QStringLiteral("Arial")});
        const QString dir = testenv::makeDir(QStringLiteral("right"));
        QFile(dirPath(dir) + QStringLiteral("a.ttf")).open(QIODevice::WriteOnly);
        Window win;
        win.w->listFontFiles(dirPath(dir));
        fake.calls.clear();
        QTest::mouseClick(win.File1->viewport(), Qt::RightButton, {},
                          win.File1->visualItemRect(win.item(QStringLiteral("a.ttf"))).center());
        QCOMPARE(fake.calls, QStringList());
    }

    void closingReleasesTheTrialFont()
    {
        FakeFontTable fake({QStringLiteral("Arial")});
        const QString dir = testenv::makeDir(QStringLiteral("closing"));
        const QString a = dirPath(dir) + QStringLiteral("a.ttf");
        QFile(a).open(QIODevice::WriteOnly);
        fake.setFaces(a, {QStringLiteral("Face A")});
        {
            Window win;
            win.w->listFontFiles(dirPath(dir));
            win.click(QStringLiteral("a.ttf"));
            QCOMPARE(fake.loaded(), QStringList{a});
        }
        QCOMPARE(fake.loaded(), QStringList());
    }
};

VEXLORA_TEST_MAIN(TestFileList, testenv::standardFonts())
#include "tst_filelist.moc"
