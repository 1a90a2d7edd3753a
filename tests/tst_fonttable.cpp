#include "support/helpers.h"
#include "support/testenv.h"

#include "fonts/FontTable.h"
#include "fonts/faces.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The font table over Qt's font database, with the standard test fonts installed: what it
// enumerates and how a trial file goes in and out. Which files give a face at all is tested
// through the file list in tst_filelist.
class TestFontTable : public QObject
{
    Q_OBJECT

    static QStringList faces() { return testenv::tableFaces(); }

    static QStringList installed()
    {
        return {QStringLiteral("Alpha Sans"), QStringLiteral("Arial"), QStringLiteral("Beta Serif"),
                QStringLiteral("Gamma Mono"), QStringLiteral("Tahoma")};
    }

private slots:
    void enumeratesTheInstalledFacesOnly()
    {
        // No generic family of Qt's own, and nothing outside the set.
        QCOMPARE(faces(), installed());
        QCOMPARE(FontTable::instance().face(-1), QString());
        QCOMPARE(FontTable::instance().face(FontTable::instance().count()), QString());
    }

    void enumerationChangesOnlyOnNotify()
    {
        FontTable &table = FontTable::instance();
        const QString path = testenv::copyFont(QStringLiteral("zeta.ttf"), testenv::makeDir(QStringLiteral("snap")));
        table.add(path);
        QCOMPARE(faces(), installed());
        table.notify();
        QVERIFY(faces().contains(QStringLiteral("Zeta Display")));
        table.remove(path);
        QVERIFY(faces().contains(QStringLiteral("Zeta Display")));
        table.notify();
        QCOMPARE(faces(), installed());
    }

    void removingWhatWasNeverAddedChangesNothing()
    {
        FontTable &table = FontTable::instance();
        table.remove(QString());
        table.remove(QStringLiteral("/no/such/file.ttf"));
        table.add(QString());
        table.add(QStringLiteral("/no/such/file.ttf"));
        table.add(testenv::home()); // a folder
#ifdef Q_OS_UNIX
        // A pipe named like a font is refused without being read, which would never end.
        const QString pipe = testenv::makeDir(QStringLiteral("pipe")) + QStringLiteral("/pipe.ttf");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        table.add(pipe);
#endif
        table.notify();
        QCOMPARE(faces(), installed());
    }

    void addingTwiceNeedsOneRemove()
    {
        FontTable &table = FontTable::instance();
        const QString path = testenv::copyFont(QStringLiteral("zeta.ttf"), testenv::makeDir(QStringLiteral("twice")));
        table.add(path);
        table.add(path);
        table.notify();
        QCOMPARE(faces().count(QStringLiteral("Zeta Display")), 1);
        table.remove(path);
        table.notify();
        QCOMPARE(faces(), installed());
    }

    void screenFaces_data()
    {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<QStringList>("faces");
        QTest::newRow("plain") << QStringList{"B", "a", "C"} << QStringList{"B", "a", "C"};
        QTest::newRow("generic families left out")
            << QStringList{"Arial", "Monospace", "Sans Serif", "Serif", "Tahoma"} << QStringList{"Arial", "Tahoma"};
        QTest::newRow("foundries folded")
            << QStringList{"Alpha Sans [OTHR]", "Alpha Sans [VXTF]", "Arial"} << QStringList{"Alpha Sans", "Arial"};
        QTest::newRow("foundry beside a bare entry")
            << QStringList{"Alpha Sans", "Alpha Sans [VXTF]", "Beta"} << QStringList{"Alpha Sans", "Beta"};
        QTest::newRow("brackets in a lone name kept")
            << QStringList{"Odd [Name]", "Zed"} << QStringList{"Odd [Name]", "Zed"};
        QTest::newRow("bracketed name from two foundries")
            << QStringList{"Odd [Name] [A]", "Odd [Name] [B]"} << QStringList{"Odd [Name]"};
        QTest::newRow("generic from two foundries still left out")
            << QStringList{"Serif", "Serif [X]", "Tahoma"} << QStringList{"Tahoma"};
        QTest::newRow("nothing") << QStringList{} << QStringList{};
    }

    void screenFaces()
    {
        QFETCH(QStringList, families);
        QFETCH(QStringList, faces);
        QCOMPARE(fonts::screenFaces(families), faces);
    }
};

VEXLORA_TEST_MAIN(TestFontTable, testenv::standardFonts())
#include "tst_fonttable.moc"
