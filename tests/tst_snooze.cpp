#include "support/testenv.h"
#include "ui/dialogs/clock.h"
#include "ui/dialogs/snooze.h"

#include <QDir>
#include <QFile>

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

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

} // namespace

class TestSnooze : public QObject
{
    Q_OBJECT
private slots:
    void dayOf_data();
    void dayOf();
    void decide_data();
    void decide();
    void encodeDate_data();
    void encodeDate();
    void readHead_data();
    void readHead();
    void writeDate_data();
    void writeDate();
    void writeDateRefusesWhatIsNoFile();
    void clockCanBePinned();
};

void TestSnooze::dayOf_data()
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
    QTest::newRow("-1.0") << -1.0 << QDate(1899, 12, 29);
    QTest::newRow("-2.99") << -2.99 << QDate(1899, 12, 28);
    QTest::newRow("2007-01-01") << 39083.0 << QDate(2007, 1, 1);
    QTest::newRow("2007-01-01 just before midnight") << 39083.9999 << QDate(2007, 1, 1);
    QTest::newRow("first day") << -657434.0 << QDate(100, 1, 1);
    QTest::newRow("first day, late") << -657434.99 << QDate(100, 1, 1);
    QTest::newRow("before the first day") << -657435.0 << QDate();
    QTest::newRow("last day, late") << 2958465.99 << QDate(9999, 12, 31);
    QTest::newRow("after the last day") << 2958466.0 << QDate();
    QTest::newRow("NaN") << nan << QDate();
    QTest::newRow("+inf") << inf << QDate();
    QTest::newRow("-inf") << -inf << QDate();
    QTest::newRow("1e300") << 1e300 << QDate();
    QTest::newRow("-1e300") << -1e300 << QDate();
    QTest::newRow("beyond 64-bit integers") << 1e19 << QDate();
}

void TestSnooze::dayOf()
{
    QFETCH(double, stored);
    QFETCH(QDate, day);
    QCOMPARE(snooze::dayOf(stored), day);
    QCOMPARE(snooze::daysBetween(stored, QDate(2007, 1, 1)).has_value(), day.isValid());
}

void TestSnooze::decide_data()
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
    QTest::newRow("a year before") << today << true << at(-365) << show;
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
    QTest::newRow("+inf") << today << true << bytesOf(std::numeric_limits<double>::infinity()) << skip;
    QTest::newRow("1e300") << today << true << bytesOf(1e300) << skip;
    QTest::newRow("-1e300") << today << true << bytesOf(-1e300) << skip;
    QTest::newRow("day before 1 Jan 100") << today << true << bytesOf(-657435.0) << skip;
    QTest::newRow("1 Jan 100") << today << true << bytesOf(-657434.0) << show;
    QTest::newRow("31 Dec 9999") << today << true << bytesOf(2958465.0) << show;
    QTest::newRow("day after 31 Dec 9999") << today << true << bytesOf(2958466.0) << skip;
    // Around the epoch: -1.25 is 29 December (14 days before 12 January 1900), not 28 December.
    QTest::newRow("-1.25 seen from 12 Jan 1900") << QDate(1900, 1, 12) << true << bytesOf(-1.25) << skip;
    QTest::newRow("-1.25 seen from 13 Jan 1900") << QDate(1900, 1, 13) << true << bytesOf(-1.25) << show;
    QTest::newRow("-0.5 seen from 13 Jan 1900") << QDate(1900, 1, 13) << true << bytesOf(-0.5) << skip;
    QTest::newRow("-15.5 seen from 30 Dec 1899") << QDate(1899, 12, 30) << true << bytesOf(-15.5) << show;
    QTest::newRow("-14.9 seen from 30 Dec 1899") << QDate(1899, 12, 30) << true << bytesOf(-14.9) << skip;
    QTest::newRow("0.99 seen from 14 Jan 1900") << QDate(1900, 1, 14) << true << bytesOf(0.99) << show;
}

void TestSnooze::decide()
{
    QFETCH(QDate, today);
    QFETCH(bool, opened);
    QFETCH(QByteArray, head);
    QFETCH(int, decision);
    const std::optional<QByteArray> content = opened ? std::optional<QByteArray>(head) : std::nullopt;
    QCOMPARE(int(snooze::decide(content, today)), decision);
}

void TestSnooze::encodeDate_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("2007-01-01") << QDate(2007, 1, 1) << QByteArray::fromHex("000000006015e340");
    QTest::newRow("epoch") << QDate(1899, 12, 30) << QByteArray::fromHex("0000000000000000");
    QTest::newRow("day before the epoch") << QDate(1899, 12, 29) << QByteArray::fromHex("000000000000f0bf");
    QTest::newRow("invalid") << QDate() << QByteArray();
}

void TestSnooze::encodeDate()
{
    QFETCH(QDate, day);
    QFETCH(QByteArray, bytes);
    QCOMPARE(snooze::encodeDate(day), bytes);
    if (day.isValid())
        QCOMPARE(snooze::dayOf(snooze::decodeStored(bytes)), day);
}

void TestSnooze::readHead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("head");

    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("4 bytes") << QByteArray("abcd") << QByteArray("abcd");
    QTest::newRow("8 bytes") << QByteArray("abcdefgh") << QByteArray("abcdefgh");
    QTest::newRow("12 bytes") << QByteArray("abcdefghijkl") << QByteArray("abcdefgh");
}

void TestSnooze::readHead()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, head);
    const QString dir = testenv::makeDir(QStringLiteral("readHead-%1").arg(QTest::currentDataTag()));
    const QString path = dir + QStringLiteral("/noads.vxl");
    QVERIFY(!snooze::readHead(path).has_value());
    QVERIFY(writeFile(path, content));
    const std::optional<QByteArray> got = snooze::readHead(path);
    QVERIFY(got.has_value());
    QCOMPARE(*got, head);
    // A folder in the file's place cannot be read as the file.
    QVERIFY(!snooze::readHead(dir).has_value());
}

void TestSnooze::writeDate_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<qint64>("wholeCopyLimit");
    QTest::addColumn<QByteArray>("after");

    const QByteArray day = QByteArray::fromHex("000000006015e340");
    const qint64 normal = 1 << 20;
    QTest::newRow("no file") << false << QByteArray() << normal << day;
    QTest::newRow("empty file") << true << QByteArray() << normal << day;
    QTest::newRow("4-byte file") << true << QByteArray("abcd") << normal << day;
    QTest::newRow("8-byte file") << true << QByteArray("abcdefgh") << normal << day;
    QTest::newRow("longer file") << true << QByteArray("abcdefgh\x01\x02tail\0end", 18) << normal
                                 << day + QByteArray("\x01\x02tail\0end", 10);
    QTest::newRow("longer file, written in place") << true << QByteArray("abcdefgh-the-rest") << qint64(4)
                                                   << day + QByteArray("-the-rest");
}

void TestSnooze::writeDate()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(qint64, wholeCopyLimit);
    QFETCH(QByteArray, after);
    const QString dir = testenv::makeDir(QStringLiteral("writeDate-%1").arg(QTest::currentDataTag()));
    const QString path = dir + QStringLiteral("/noads.vxl");
    if (exists)
        QVERIFY(writeFile(path, before));
    QVERIFY(snooze::writeDate(path, QDate(2007, 1, 1), wholeCopyLimit));
    QCOMPARE(readAll(path), after);
    // Nothing is left beside the file.
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("noads.vxl")});
}

void TestSnooze::writeDateRefusesWhatIsNoFile()
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

void TestSnooze::clockCanBePinned()
{
    Clock::setToday(QDate(2007, 1, 1));
    QCOMPARE(Clock::today(), QDate(2007, 1, 1));
    Clock::setToday(QDate());
    const QDate real = Clock::today();
    QVERIFY(real == QDate::currentDate() || real == QDate::currentDate().addDays(-1));
}

VEXLORA_TEST_MAIN(TestSnooze, testenv::standardFonts())
#include "tst_snooze.moc"
