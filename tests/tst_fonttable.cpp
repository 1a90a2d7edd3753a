#include "support/testenv.h"

#include "fonts/FaceCollection.h"
#include "fonts/FontTable.h"
#include "fonts/faces.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The font table over Qt's font database, with the standard test fonts installed: what it
// enumerates, how a trial file goes in and out, and which files give a face at all.
class TestFontTable : public QObject
{
    Q_OBJECT

    static QStringList faces()
    {
        const FontTable &table = FontTable::instance();
        QStringList list;
        for (int i = 0; i < table.count(); ++i)
            list << table.face(i);
        return list;
    }

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

    void trialFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<QString>("newFace");

        QTest::newRow("new face") << "zeta.ttf" << "" << "Zeta Display";
        QTest::newRow("non-ASCII path") << "eta.ttf" << QStringLiteral("Schrift äöü ß 日本 ✓.ttf") << "Eta Script";
        QTest::newRow("copy of an installed font") << "alpha.ttf" << "alpha-copy.ttf" << "";
        QTest::newRow("installed family, other vendor") << "alpha-othervendor.ttf" << "" << "";
        QTest::newRow("installed family, other case") << "ALPHA-case.ttf" << "" << "";
        // fontconfig lists the Light member under its typographic family and, after it, under
        // its own family; the own family is new, as it would be on Windows.
        QTest::newRow("light member of an installed family") << "alpha-light.ttf" << "" << "Alpha Sans Light";
        QTest::newRow("file named after its family") << "zeta.ttf" << "Zeta Display.ttf" << "Zeta Display";
        QTest::newRow("no name in the file") << "noname.ttf" << "" << "";
        QTest::newRow("no name, other file name") << "noname.ttf" << "Pretty Name.ttf" << "";
        QTest::newRow("empty") << "empty.ttf" << "" << "";
        QTest::newRow("garbage") << "garbage.ttf" << "" << "";
        QTest::newRow("truncated") << "truncated.ttf" << "" << "";
    }

    void trialFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, saveAs);
        QFETCH(QString, newFace);
        FaceCollection known;
        for (const QString &f : installed())
            known.add(f, f);

        FontTable &table = FontTable::instance();
        const QString path = testenv::copyFont(file, testenv::makeDir(QStringLiteral("trial ü")), saveAs);
        QVERIFY(!path.isEmpty());
        table.add(path);
        table.notify();
        QCOMPARE(fonts::firstNewFace(table, known), newFace);
        // Whatever a file brought, every face keeps a single entry.
        const QStringList now = faces();
        QCOMPARE(QSet<QString>(now.begin(), now.end()).size(), now.size());

        table.remove(path);
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

    void ownFamilyName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("family");
        QTest::newRow("named") << "zeta.ttf" << "Zeta Display";
        QTest::newRow("no name") << "noname.ttf" << "";
        QTest::newRow("empty") << "empty.ttf" << "";
        QTest::newRow("garbage") << "garbage.ttf" << "";
        QTest::newRow("truncated") << "truncated.ttf" << "";
    }

    void ownFamilyName()
    {
        QFETCH(QString, file);
        QFETCH(QString, family);
        QCOMPARE(fonts::ownFamilyName(testenv::committedFontsDir() + QLatin1Char('/') + file), family);
    }

    void ownFamilyNameOfWhatIsNoFile()
    {
        QCOMPARE(fonts::ownFamilyName(QString()), QString());
        QCOMPARE(fonts::ownFamilyName(testenv::home()), QString());
        QCOMPARE(fonts::ownFamilyName(testenv::home() + QStringLiteral("/missing.ttf")), QString());
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
