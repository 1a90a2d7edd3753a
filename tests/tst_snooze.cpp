#include "support/helpers.h"
#include "support/testenv.h"
#include "ui/dialogs/snooze.h"

#include <QDir>

#include <cmath>
#include <cstring>
#include <limits>

using snooze::Decision;

namespace {

QByteArray bytesOf(double value)
{
    QByteArray out(8, '\0');
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, out.data());
    return out;
}

double dayNumber(const QDate &day)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(day));
}

} // namespace

// The snooze file's rules. Reading the file's head, and the bytes a date is stored as, are
// tested through the advertisement window in tst_frmad.
class TestSnooze : public QObject
{
    Q_OBJECT
private slots:
    void dayOf_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<QDate>("day"); // invalid: the value holds no day

        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("epoch") << 0.0 << QDate(1899, 12, 30);
        QTest::newRow("epoch, evening") << 0.75 << QDate(1899, 12, 30);
        // The whole part counts backwards, the fraction is still a time of that day.
        QTest::newRow("-0.5 is noon of the epoch") << -0.5 << QDate(1899, 12, 30);
        QTest::newRow("-1.25 is 29 Dec 6 a.m.") << -1.25 << QDate(1899, 12, 29);
        QTest::newRow("-2.99") << -2.99 << QDate(1899, 12, 28);
        QTest::newRow("2007-01-01") << 39083.0 << QDate(2007, 1, 1);
        QTest::newRow("first day") << -657434.0 << QDate(100, 1, 1);
        QTest::newRow("first day, late") << -657434.99 << QDate(100, 1, 1);
        QTest::newRow("before the first day") << -657435.0 << QDate();
        QTest::newRow("last day, late") << 2958465.99 << QDate(9999, 12, 31);
        QTest::newRow("after the last day") << 2958466.0 << QDate();
        QTest::newRow("NaN") << nan << QDate();
        QTest::newRow("+inf") << inf << QDate();
        QTest::newRow("1e300") << 1e300 << QDate();
        QTest::newRow("beyond 64-bit integers") << 1e19 << QDate();
    }

    void dayOf()
    {
        QFETCH(double, stored);
        QFETCH(QDate, day);
        QCOMPARE(snooze::dayOf(stored), day);
        QCOMPARE(snooze::daysBetween(stored, QDate(2007, 1, 1)).has_value(), day.isValid());
    }

    void decide_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("opened"); // false: the file could not be opened
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("decision");

        const int show = int(Decision::Show);
        const int skip = int(Decision::Skip);
        const QDate today(2024, 3, 10);
        auto at = [&](qint64 offset) { return bytesOf(dayNumber(today.addDays(offset))); };

        QTest::newRow("today") << today << true << at(0) << skip;
        QTest::newRow("14 days before") << today << true << at(-14) << skip;
        QTest::newRow("14 days after") << today << true << at(14) << skip;
        QTest::newRow("15 days before") << today << true << at(-15) << show;
        QTest::newRow("15 days after") << today << true << at(15) << show;
        // Only the day counts: late on day -15 is still 15 days, early on day 14 still 14.
        QTest::newRow("15 days before, 23:59") << today << true
                                               << bytesOf(dayNumber(today.addDays(-15)) + 0.999) << show;
        QTest::newRow("14 days after, 23:59") << today << true
                                              << bytesOf(dayNumber(today.addDays(14)) + 0.999) << skip;
        QTest::newRow("no file") << today << false << QByteArray() << show;
        QTest::newRow("empty file") << today << true << QByteArray() << show;
        QTest::newRow("4-byte file") << today << true << at(0).left(4) << show;
        QTest::newRow("12 bytes, recent date") << today << true << at(-3) + QByteArray("tail") << skip;
        QTest::newRow("NaN") << today << true << bytesOf(std::numeric_limits<double>::quiet_NaN()) << skip;
        QTest::newRow("1e300") << today << true << bytesOf(1e300) << skip;
        // Around the epoch: -1.25 is 29 December (14 days before 12 January 1900), not 28 December.
        // Which stored values hold a day at all is dayOf's table.
        QTest::newRow("-1.25 seen from 12 Jan 1900") << QDate(1900, 1, 12) << true << bytesOf(-1.25) << skip;
        QTest::newRow("-1.25 seen from 13 Jan 1900") << QDate(1900, 1, 13) << true << bytesOf(-1.25) << show;
        QTest::newRow("-15.5 seen from 30 Dec 1899") << QDate(1899, 12, 30) << true << bytesOf(-15.5) << show;
    }

    void decide()
    {
        QFETCH(QDate, today);
        QFETCH(bool, opened);
        QFETCH(QByteArray, head);
        QFETCH(int, decision);
        const std::optional<QByteArray> content = opened ? std::optional<QByteArray>(head) : std::nullopt;
        QCOMPARE(int(snooze::decide(content, today)), decision);
    }

    void writeDate_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<qint64>("wholeCopyLimit");
        QTest::addColumn<QByteArray>("after");

        const QByteArray day = QByteArray::fromHex("000000006015e340");
        const qint64 normal = 1 << 20;
        QTest::newRow("no file") << false << QByteArray() << normal << day;
        QTest::newRow("4-byte file") << true << QByteArray("abcd") << normal << day;
        QTest::newRow("longer file") << true << QByteArray("abcdefgh\x01\x02tail\0end", 18) << normal
                                     << day + QByteArray("\x01\x02tail\0end", 10);
        QTest::newRow("longer file, written in place") << true << QByteArray("abcdefgh-the-rest") << qint64(4)
                                                       << day + QByteArray("-the-rest");
    }

    void writeDate()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(qint64, wholeCopyLimit);
        QFETCH(QByteArray, after);
        const QString dir = testenv::makeDir(QStringLiteral("writeDate-%1").arg(QTest::currentDataTag()));
        const QString path = dir + QStringLiteral("/noads.vxl");
        if (exists)
            QVERIFY(testenv::writeBytes(path, before));
        QVERIFY(snooze::writeDate(path, QDate(2007, 1, 1), wholeCopyLimit));
        QCOMPARE(testenv::readBytes(path), after);
        // Nothing is left beside the file.
        QCOMPARE(testenv::entries(dir), QStringList{QStringLiteral("noads.vxl")});
    }

    void writeDateRefusesWhatIsNoFile()
    {
        const QString dir = testenv::makeDir(QStringLiteral("writeDate-nofile"));
        // A folder of the file's name stays a folder.
        const QString folder = dir + QStringLiteral("/noads.vxl");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!snooze::writeDate(folder, QDate(2007, 1, 1)));
        QVERIFY(QFileInfo(folder).isDir());
        // A missing folder is not made.
        const QString missing = dir + QStringLiteral("/missing/noads.vxl");
        QVERIFY(!snooze::writeDate(missing, QDate(2007, 1, 1)));
        QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/missing")));
        // No day, no write.
        const QString path = dir + QStringLiteral("/other.vxl");
        QVERIFY(!snooze::writeDate(path, QDate()));
        QVERIFY(!QFileInfo::exists(path));
    }
};

VEXLORA_TEST_MAIN(TestSnooze, testenv::standardFonts())
#include "tst_snooze.moc"
