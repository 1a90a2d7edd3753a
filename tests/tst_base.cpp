#include "support/testenv.h"

#include "base/datafolder.h"
#include "base/numbers.h"
#include "base/snooze.h"
#include "base/units.h"

#include <bit>
#include <cfenv>
#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

QByteArray bytesOf(double value)
{
    QByteArray out(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(value), out.data());
    return out;
}

} // namespace

// The rules below the windows: numbers, half-even rounding, the snooze file, the data folder.
class TestBase : public QObject
{
    Q_OBJECT
private slots:
    void sizeValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("tab, line feed and blank inside") << "\t1\n2 .\t5" << 12.5;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("exponent with sign") << "25E-1" << 2.5;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("underflow") << "1e-999" << 0.0;
        QTest::newRow("overflow is infinite, never wrapped") << "1e999" << kInf;
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0661)) << 0.0;
    }
    void sizeValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numbers::sizeValue(text), value);
    }

    void numberIn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locales"); // the ones it is a number in: C, English, German
        QTest::addColumn<double>("value");    // its value there
        QTest::newRow("blank inside") << "1 2" << "" << 0.0;
        QTest::newRow("bad hex digit") << "&H1G" << "" << 0.0;
        QTest::newRow("line feed") << "1\n" << "" << 0.0;
        QTest::newRow("blanks around") << "  36  " << "CEG" << 36.0;
        QTest::newRow("1.000,5") << "1.000,5" << "G" << 1000.5;
        QTest::newRow("group after decimal") << "1.5,0" << "G" << 15.0;
        QTest::newRow("$ 5") << "$ 5" << "E" << 5.0;
        QTest::newRow("two currency symbols") << "$5$" << "" << 0.0;
        QTest::newRow("5,00 euro") << QStringLiteral("5,00 \u20AC") << "G" << 5.0;
        QTest::newRow("signed exponent") << "-25e-1" << "CEG" << -2.5;
        QTest::newRow("exponent without digits") << "2e" << "" << 0.0;
        QTest::newRow("overflow is infinite") << "1e999" << "CEG" << kInf;
        QTest::newRow("32-bit hex is its bit pattern") << "&HFFFFFFFF" << "CEG" << -1.0;
        QTest::newRow("wider hex keeps its value") << "&H100000000" << "CEG" << 4294967296.0;
        QTest::newRow("octal") << "&o17" << "CEG" << 15.0;
    }
    void numberIn()
    {
        QFETCH(QString, text);
        QFETCH(QString, locales);
        QFETCH(double, value);
        const QList<std::pair<char, QLocale>> each{{'C', QLocale::c()},
                                                   {'E', QLocale(QLocale::English, QLocale::UnitedStates)},
                                                   {'G', QLocale(QLocale::German, QLocale::Germany)}};
        for (const auto &[letter, locale] : each) {
            const std::optional<double> n = numbers::numberIn(text, locale);
            QCOMPARE(n.has_value(), locales.contains(letter));
            if (n)
                QCOMPARE(*n, value);
        }
    }

    void roundHalfEven()
    {
        // Whatever rounding mode someone left the process in.
        for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
            std::fesetround(mode);
            const QList<double> r{units::roundHalfEven(4702.5), units::roundHalfEven(4717.5), units::roundHalfEven(-2.5),
                                  units::roundHalfEven(262.5001)};
            std::fesetround(FE_TONEAREST);
            QCOMPARE(r, QList<double>({4702, 4718, -2, 263}));
        }
    }

    void snoozeDecision_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<std::optional<QByteArray>>("head"); // empty: the file could not be opened
        QTest::addColumn<bool>("shown");
        const QDate day(2024, 3, 10);
        auto at = [&](qint64 days, double time = 0) { return std::optional(bytesOf(QDate(1899, 12, 30).daysTo(day.addDays(days)) + time)); };
        QTest::newRow("today") << day << at(0) << false;
        QTest::newRow("15 days before, 23:59") << day << at(-15, 0.999) << true;
        QTest::newRow("15 days after") << day << at(15) << true;
        QTest::newRow("no file") << day << std::optional<QByteArray>() << true;
        QTest::newRow("14 days before, 12 bytes") << day << std::optional(*at(-14) + "tail") << false;
        // A value that holds no day counts as a snooze in force.
        QTest::newRow("NaN") << day << std::optional(bytesOf(kNaN)) << false;
        QTest::newRow("after 9999") << day << std::optional(bytesOf(2958466.0)) << false;
        // The whole part counts backwards, the fraction is still a time of that day.
        QTest::newRow("-1.25 is 29 Dec 1899, seen from 12 Jan 1900") << QDate(1900, 1, 12) << std::optional(bytesOf(-1.25)) << false;
        QTest::newRow("-1.25 seen from 13 Jan 1900") << QDate(1900, 1, 13) << std::optional(bytesOf(-1.25)) << true;
        QTest::newRow("first day, late, 15 days on") << QDate(100, 1, 16) << std::optional(bytesOf(-657434.99)) << true;
    }
    void snoozeDecision()
    {
        QFETCH(QDate, today);
        QFETCH(std::optional<QByteArray>, head);
        QFETCH(bool, shown);
        QCOMPARE(snooze::decide(head, today) == snooze::Decision::Show, shown);
    }

    void snoozeWrite_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<qint64>("wholeCopyLimit");
        QTest::addColumn<QByteArray>("after");
        const QByteArray day = QByteArray::fromHex("000000006015e340"); // 2007-01-01
        QTest::newRow("no file") << QByteArray() << qint64(1 << 20) << day;
        QTest::newRow("longer file keeps its tail") << QByteArray("abcdefgh\x01tail\0", 14) << qint64(1 << 20) << day + QByteArray("\x01tail\0", 6);
        QTest::newRow("longer file, written in place") << QByteArray("abcdefgh-rest") << qint64(4) << day + "-rest";
    }
    void snoozeWrite()
    {
        QFETCH(QByteArray, before);
        QFETCH(qint64, wholeCopyLimit);
        QFETCH(QByteArray, after);
        const QString dir = testenv::freshDir(QStringLiteral("snooze"));
        if (!before.isNull())
            QVERIFY(testenv::writeBytes(dir + QStringLiteral("/noads.vxl"), before));
        QVERIFY(snooze::writeDate(dir + QStringLiteral("/noads.vxl"), QDate(2007, 1, 1), wholeCopyLimit));
        QCOMPARE(testenv::readBytes(dir + QStringLiteral("/noads.vxl")), after);
        QCOMPARE(testenv::entries(dir), QStringList{QStringLiteral("noads.vxl")}); // nothing left beside it
        // What is no file stays what it is; a missing folder is not made; no day, no write.
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/folder.vxl")));
        QVERIFY(!snooze::writeDate(dir + QStringLiteral("/folder.vxl"), QDate(2007, 1, 1)));
        QVERIFY(!snooze::writeDate(dir + QStringLiteral("/missing/noads.vxl"), QDate(2007, 1, 1)));
        QVERIFY(!snooze::writeDate(dir + QStringLiteral("/noads.vxl"), QDate()));
        QCOMPARE(testenv::entries(dir), (QStringList{"folder.vxl", "noads.vxl"}));
        QCOMPARE(testenv::readBytes(dir + QStringLiteral("/noads.vxl")), after);
    }

    void dataFolder_data()
    {
        QTest::addColumn<QString>("xdg"); // below a fresh folder
        QTest::addColumn<QByteArray>("fileInTheWay");
        QTest::newRow("missing folder and parents are made") << "/not/yet/there" << QByteArray();
        QTest::newRow("a file in the way is left alone") << "" << QByteArray("not a folder");
    }
    void dataFolder()
    {
        QFETCH(QString, xdg);
        QFETCH(QByteArray, fileInTheWay);
        const QString base = testenv::freshDir(QStringLiteral("xdg")) + xdg;
        qputenv("XDG_DATA_HOME", QFile::encodeName(base));
        if (!fileInTheWay.isNull())
            QVERIFY(testenv::writeBytes(base + QStringLiteral("/vexlora"), fileInTheWay));
        QCOMPARE(Module1::getDataFolder(), base + QStringLiteral("/vexlora/"));
        QCOMPARE(Module1::getDataFolder(), base + QStringLiteral("/vexlora/"));
        for (const QString &path : {base + QStringLiteral("/vexlora/"), base + QStringLiteral("/vexlora")})
            QCOMPARE(Module1::folderExists(path), fileInTheWay.isNull());
        QCOMPARE(testenv::readBytes(base + QStringLiteral("/vexlora")), fileInTheWay);
    }
};

VEXLORA_TEST_MAIN(TestBase, QStringList())
#include "tst_base.moc"
