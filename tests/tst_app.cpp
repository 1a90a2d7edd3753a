#include "support/testwindows.h"

#include "app/Module1.h"
#include "app/language.h"
#include "base/clock.h"
#include "base/datafolder.h"
#include "base/snooze.h"
#include "base/version.h"
#include "ui/dialogs/fit.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmAd.h"
#include "ui/dialogs/links.h"

#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

namespace {

// The three windows as a person meets them, shown, with a damaged file clicked and the sample
// text's own context menu, which Qt's catalogue speaks.
struct Windows
{
    testenv::MainWindow main;
    QPointer<frmAd> ad = frmAd::instance();
    frmAbout about{nullptr};
    std::unique_ptr<QMenu> qtMenu{main.get<QPlainTextEdit>("txPreview")->createStandardContextMenu()};
    QList<QWidget *> all{main.w.get(), ad, &about, qtMenu.get()};

    Windows()
    {
        main.listFolder(testenv::committedFontsDir());
        main.clickFile(QStringLiteral("garbage.ttf"));
        ad->show();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(ad) && QTest::qWaitForWindowExposed(&about));
    }
    ~Windows() { delete ad; }

    // Every text a person reads or a screen reader says, and where.
    QList<std::pair<QString, QString>> texts() const
    {
        QList<std::pair<QString, QString>> texts;
        for (QWidget *window : all) {
            QObjectList objects = window->findChildren<QObject *>();
            objects.prepend(window);
            for (QObject *each : objects) {
                for (const char *property : {"windowTitle", "title", "text", "plainText", "toolTip", "statusTip", "whatsThis",
                                             "accessibleName", "accessibleDescription"})
                    if (const QString text = each->property(property).toString(); !text.isEmpty())
                        texts.append({each->objectName() + QLatin1Char('.') + QLatin1String(property), text});
                if (auto *bar = qobject_cast<QTabBar *>(each))
                    for (int i = 0; i < bar->count(); ++i)
                        texts.append({bar->parent()->objectName() + QStringLiteral(".tab"), bar->tabText(i)});
            }
        }
        return texts;
    }
    // No text wider than its control (the tool bar shows pictures only), the tick box clear of
    // the button to its right.
    void checkWhole() const
    {
        for (QWidget *window : all) {
            for (QLabel *label : window->findChildren<QLabel *>())
                QVERIFY2(label->buddy() || textFits(label), qPrintable(label->objectName() + ": " + label->text()));
            for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
                QVERIFY2(qobject_cast<QToolButton *>(button) || button->sizeHint().width() <= button->width(), qPrintable(button->text()));
            for (QTabBar *bar : window->findChildren<QTabBar *>())
                QVERIFY2(bar->geometry().right() < bar->parentWidget()->width(), qPrintable(bar->parent()->objectName()));
        }
        QVERIFY(!ad->findChild<QWidget *>("swiNoAd")->geometry().intersects(ad->findChild<QWidget *>("Command1")->geometry()));
    }
};

frmMain *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<frmMain *>(w); main && main->isVisible())
            return main;
    }
    return nullptr;
}

void proceed()
{
    QPointer<frmAd> ad = frmAd::instance();
    QVERIFY(ad->isVisible() && !mainWindow());
    QMetaObject::invokeMethod(ad->findChild<QTimer *>(QStringLiteral("tmrAds")), "timeout", Qt::DirectConnection);
    QTest::mouseClick(ad->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(mainWindow()); // within the proceed handler
    QVERIFY(!ad->isVisible());
}

} // namespace

// Start-up as the program runs it: the advertisement or its snooze, then the main window, and
// the end when that closes. Each test runs the event loop to its end: the program's own.
class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Clock::setToday(QDate(2007, 1, 1)); }

    void chooseLanguage_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("region the program lacks") << QStringList{"de-AT", "de-Latn-AT"} << "de";
        QTest::newRow("first spoken of several") << QStringList{"es-ES", "fr-FR", "de"} << "fr";
        QTest::newRow("English before another") << QStringList{"en-GB", "de-DE"} << "";
        QTest::newRow("none spoken") << QStringList{"xx", "zh-Hant-TW"} << "";
    }
    void chooseLanguage()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, chosen);
        QCOMPARE(language::choose(uiLanguages, {"de", "fr"}), chosen);
    }

    // Run with LANGUAGE set to each language the program ships, and empty: every text in that
    // language but names and numbers, Qt's own too, and none cut off.
    void speaksThePersonsLanguage()
    {
        QList<std::pair<QString, QString>> english;
        {
            Windows windows;
            english = windows.texts();
            windows.checkWhole();
        }
        const QString wanted = qEnvironmentVariable("LANGUAGE");
        QCOMPARE(language::install(), wanted);
        if (wanted.isEmpty())
            return;
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + wanted + ".qm"))
            QSKIP("Qt's own catalogue is not installed (Debian's qt6-translations-l10n)");
        Windows windows;
        const auto translated = windows.texts();
        windows.checkWhole();
        QCOMPARE(translated.size(), english.size());
        const QStringList names{VEXLORA_TITLE, links::siteText(), "Typecase", "36"};
        for (qsizetype i = 0; i < english.size(); ++i) {
            QCOMPARE(translated[i].first, english[i].first);
            QVERIFY2(names.contains(english[i].second) == (translated[i].second == english[i].second),
                     qPrintable(english[i].first + ": " + translated[i].second));
        }
        // The sample text is a pangram of the language, with the letters it has beyond A to Z.
        const QString sample = windows.main.get<QPlainTextEdit>("txPreview")->toPlainText();
        for (char letter = 'a'; letter <= 'z'; ++letter)
            QVERIFY2(sample.normalized(QString::NormalizationForm_D).toLower().contains(QLatin1Char(letter)), qPrintable(sample + letter));
        QVERIFY(std::any_of(sample.begin(), sample.end(), [](QChar c) { return c.isLetter() && c.unicode() > 0x7f; }));
    }

    void snoozeInForce()
    {
        QVERIFY(snooze::writeDate(Module1::getDataFolder() + QStringLiteral("noads.vxl"), Clock::today()));
        QVERIFY(Module1::initCommonControls());
        Module1::Main();
        QVERIFY(mainWindow()); // before Main returned
        // with the faces the windows are drawn for chosen before them (the tests' fonts.conf
        // gives Beta Serif for MS Sans Serif)
        const QString driveFace = mainWindow()->findChild<QWidget *>(QStringLiteral("Drive1"))->font().family();
        QTimer::singleShot(0, mainWindow(), &QWidget::close);
        QCOMPARE(QApplication::exec(), 0); // closing the main window ends the program
        QFile::remove(Module1::getDataFolder() + QStringLiteral("noads.vxl"));
        QCOMPARE(driveFace, QStringLiteral("Beta Serif"));
    }

    // With a data folder that cannot be made there is no snooze: the advertisement shows, and
    // proceeding past it, the only window, keeps the program running.
    void proceedKeepsTheProgramRunning()
    {
        const QString base = testenv::freshDir(QStringLiteral("xdg"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base));
        QVERIFY(testenv::writeBytes(base + QStringLiteral("/vexlora"), "in the way"));
        Module1::Main();
        bool ranOn = false;
        QTimer::singleShot(0, this, [&] {
            proceed(); // the advertisement, the only window, closes here
            // A program that ended meanwhile leaves its event loop before this comes round.
            QTimer::singleShot(0, this, [&] { ranOn = mainWindow() && mainWindow()->close(); });
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(ranOn);
    }
};

VEXLORA_TEST_MAIN(TestApp, testenv::standardFonts())
#include "tst_app.moc"
