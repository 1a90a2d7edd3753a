#include "support/fakeregistry.h"
#include "support/testenv.h"

#include "fonts/Module2.h"
#include "fonts/regfile.h"

#include <QLockFile>
#include <QProcess>

using namespace registry;
using testenv::readBytes;

Q_DECLARE_METATYPE(registry::RawValue)
Q_DECLARE_METATYPE(registry::Status)
Q_DECLARE_METATYPE(std::optional<registry::Value>)

namespace {

const QString kRoot = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kFontsKey = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\");
RawValue sz(const QString &text) { return RawValue::of(text); }

// A store others wrote to: values of every form, in keys beside the fonts key.
const QByteArray kOtherKeys = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n@=\"default\"\n"
                              "\"Text\"=\"with \\\"quotes\\\" and \\\\ backslash\"\n\"Number\"=dword:0000002a\n"
                              "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,\\\n  00,00\n\"Binary\"=hex:de,ad,be,ef\n\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n"
                              "\"Alpha Sans (TrueType)\"=\"alpha.ttf\"\n";

// A store folder holding the file others wrote, with a Windows tool's line ends if asked.
QString storeWithOthers(bool crlf = false)
{
    const QString dir = testenv::freshDir(QStringLiteral("store"));
    testenv::writeBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"), crlf ? QByteArray(kOtherKeys).replace("\n", "\r\n") : kOtherKeys);
    return dir;
}

} // namespace

// The registry writer and the .reg file that stands in for the registry here.
class TestRegistry : public QObject
{
    Q_OBJECT
private slots:
    void writerChoosesType_data()
    {
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<std::optional<Value>>("expected"); // empty: nothing written
        using V = std::optional<Value>;
        QTest::newRow("file name, trimmed") << QVariant(QStringLiteral("  zeta.ttf \t")) << V(QStringLiteral("zeta.ttf"));
        QTest::newRow("half to even, down") << QVariant(QStringLiteral("2.5")) << V(qint32(2));
        QTest::newRow("half to even, up") << QVariant(QStringLiteral("-3.5")) << V(qint32(-4));
        QTest::newRow("too large: nothing written") << QVariant(QStringLiteral("2147483648")) << V();
        QTest::newRow("hexadecimal keeps its bits") << QVariant(QStringLiteral("&HFFFFFFFF")) << V(qint32(-1));
        QTest::newRow("hexadecimal past 32 bits") << QVariant(QStringLiteral("&H100000000")) << V();
    }
    void writerChoosesType()
    {
        QFETCH(QVariant, input);
        QFETCH(std::optional<Value>, expected);
        FakeRegistry fake;
        Module2::saveRegistryValue(Module2::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("Name"), input);
        QCOMPARE(fake.writes.size(), expected ? 1 : 0);
        if (expected) {
            QCOMPARE(static_cast<quint32>(fake.writes[0].root), 0x80000002u);
            QCOMPARE(fake.writes[0].subkey, kFontsKey);
            QVERIFY(fake.writes[0].value == *expected);
        }
        // The user's number format counts: a German decimal comma, an English currency sign.
        QVERIFY(Module2::registryValueFor(QStringLiteral("1.234,6"), QLocale(QLocale::German)) == Value(qint32(1235)));
        QVERIFY(Module2::registryValueFor(QStringLiteral("$ 5"), QLocale(QLocale::English, QLocale::UnitedStates)) == Value(qint32(5)));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<RawValue>("value");
        QTest::addColumn<QString>("line"); // how the value appears in the file
        QTest::newRow("plain") << "Zeta Display (TrueType)" << sz("zeta.ttf") << "\"Zeta Display (TrueType)\"=\"zeta.ttf\"";
        QTest::newRow("quotes and backslashes") << "Say \"hi\"\\" << sz("C:\\a \"b\"\\") << "\"Say \\\"hi\\\"\\\\\"=\"C:\\\\a \\\"b\\\"\\\\\"";
        QTest::newRow("non-ASCII") << QStringLiteral("Zéta 字 \U0001D518") << sz(QStringLiteral("zéta.ttf"))
                                   << QStringLiteral("\"Zéta 字 \U0001D518\"=\"zéta.ttf\"");
        QTest::newRow("line separator in data") << "ls" << sz(QStringLiteral("a\u2028b")) << "\"ls\"=hex(1):61,00,28,20,62,00,00,00";
        QTest::newRow("section injected through data") << "Zeta" << sz("x\"\n[HKEY_LOCAL_MACHINE\\Evil]\n\"y\"=\"z")
                                                       << "\"Zeta\"=hex(1):78,00,22,00,0a,00,5b,00";
        QTest::newRow("long data wraps") << "long" << sz(QString(60, QLatin1Char('x')) + '\n') << ",\\\n  78,00,";
    }
    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(RawValue, value);
        QFETCH(QString, line);
        RegDocument doc{kRoot, {}};
        QVERIFY(setValueIn(doc, kFontsKey, name, value).ok());
        const QString text = formatRegText(doc);
        QVERIFY2(text.contains(line), qPrintable(text));
        // Data never opens a section or a value of its own: every line is the header, one of our
        // five sections, a value or a continuation.
        QCOMPARE(text.count(QLatin1String("\n[")), 5);
        for (const QString &l : text.split('\n'))
            QVERIFY2(l.isEmpty() || l == QLatin1String(kRegHeader) || QStringLiteral("[\"@ ").contains(l[0]), qPrintable(l));
        const ParseResult back = parseRegText(text, kRoot);
        QVERIFY2(back.document, qPrintable(back.error));
        QCOMPARE(*findValue(*back.document, kFontsKey, name), value);
    }

    // The store on disk: what others wrote survives, names compare without regard to case.
    void storeUpdates_data()
    {
        QTest::addColumn<QString>("subkey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("crlf");
        QTest::newRow("new value in a listed key") << kFontsKey << "Zeta Display (TrueType)" << false;
        QTest::newRow("value and key named in another case") << "SOFTWARE\\other\\" << "TEXT" << false;
        QTest::newRow("new key below an unlisted parent") << "Software\\Elsewhere\\Deeper" << "x" << false;
        QTest::newRow("a store with CRLF line ends") << kFontsKey << "Zeta Display (TrueType)" << true;
    }
    void storeUpdates()
    {
        QFETCH(QString, subkey);
        QFETCH(QString, name);
        QFETCH(bool, crlf);
        const QString dir = storeWithOthers(crlf);
        QVERIFY(RegFileStore(dir).setValue(RootKey::HKEY_LOCAL_MACHINE, subkey, name, QStringLiteral("new.ttf")).ok());
        RegDocument expected = *parseRegText(QString::fromUtf8(kOtherKeys), kRoot).document;
        QVERIFY(setValueIn(expected, subkey, name, sz("new.ttf")).ok());
        QCOMPARE(readBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")), formatRegText(expected).toUtf8());
        // An existing value keeps the spelling it was first written with.
        QVERIFY(!formatRegText(expected).contains(QLatin1String("\"TEXT\"")));
    }

    void refusedNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("subkey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Status>("status");
        QTest::newRow("line break starting a section") << kFontsKey << "Zeta\n[HKEY_LOCAL_MACHINE\\Evil]\n\"I\"=\"x" << Status::InvalidName;
        QTest::newRow("tab") << kFontsKey << "a\tb" << Status::InvalidName;
        QTest::newRow("line break in a key") << "Software\n[HKEY_LOCAL_MACHINE\\Evil]" << "x" << Status::InvalidKey;
    }
    void refusedNamesChangeNothing()
    {
        QFETCH(QString, subkey);
        QFETCH(QString, name);
        QFETCH(Status, status);
        const QString dir = storeWithOthers();
        QCOMPARE(RegFileStore(dir).setValue(RootKey::HKEY_LOCAL_MACHINE, subkey, name, QStringLiteral("z.ttf")).status, status);
        QCOMPARE(readBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")), kOtherKeys);
        QCOMPARE(testenv::entries(dir), QStringList{QStringLiteral("HKEY_LOCAL_MACHINE.reg")});
    }

    // A file the parser refuses is kept aside and a fresh one written in its place.
    void damagedFileKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray top("Windows Registry Editor Version 5.00\n");
        const QByteArray head = top + "\n[HKEY_LOCAL_MACHINE\\Software]\n";
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("binary garbage") << QByteArray("\x00\x01\x02 not a registry\n", 20);
        QTest::newRow("not UTF-8") << head + "\"a\"=\"\xff\xfe\"\n";
        QTest::newRow("cut short") << head + "\"a\"=\"unterm";
        QTest::newRow("section of another root") << top + "[HKEY_CURRENT_USER\\Software]\n";
        QTest::newRow("unknown escape") << head + "\"a\"=\"b\\n\"\n";
        QTest::newRow("continuation at the end") << head + "\"a\"=hex:01,\\\n";
    }
    void damagedFileKeptAside()
    {
        QFETCH(QByteArray, content);
        const QString dir = testenv::freshDir(QStringLiteral("damaged"));
        const QString file = dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
        for (int round = 1; round <= 2; ++round) { // a second one, a moment later, keeps the first
            QVERIFY(testenv::writeBytes(file, content));
            QVERIFY(RegFileStore(dir).setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("Zeta"), QStringLiteral("z")).ok());
            const QStringList aside = QDir(dir).entryList({QStringLiteral("*.damaged-*")});
            QCOMPARE(aside.size(), round);
            QCOMPARE(readBytes(dir + '/' + aside.last()), content);
            const auto fresh = parseRegText(QString::fromUtf8(readBytes(file)), kRoot).document;
            QVERIFY(fresh && fresh->keys.size() == 5 && fresh->keys.last().values.size() == 1);
        }
    }

    void heldLockOrUnknownRootWritesNothing()
    {
        const QString dir = storeWithOthers();
        QLockFile other(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg.lock"));
        QVERIFY(other.tryLock(0));
        RegFileStore store(dir, 50);
        QCOMPARE(store.setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("z"), qint32(1)).status, Status::Busy);
        other.unlock();
        QCOMPARE(store.setValue(static_cast<RootKey>(0x12345678u), kFontsKey, QStringLiteral("z"), qint32(1)).status, Status::UnknownRoot);
        QCOMPARE(readBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")), kOtherKeys);
    }

    // Writers take turns in the order they come: none is starved past the window's wait.
    void fourProcessesAtOnce()
    {
        const int count = 500;
        QProcess writers[4];
        for (int w = 0; w < 4; ++w) {
            writers[w].setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writers[w].start(QCoreApplication::applicationDirPath() + QStringLiteral("/helper_child"),
                             {QStringLiteral("write"), QStringLiteral("w%1").arg(w), QString::number(count)});
        }
        for (QProcess &p : writers)
            QVERIFY(p.waitForFinished(240000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0);
        const auto doc = parseRegText(QString::fromUtf8(readBytes(RegFileStore().filePath(RootKey::HKEY_LOCAL_MACHINE))), kRoot).document;
        QVERIFY(doc);
        for (const QString prefix : {"w0", "w1", "w2", "w3"}) {
            for (int i = 0; i < count; ++i) {
                const RawValue *v = findValue(*doc, QStringLiteral("Software\\Vexlora Test\\Writers"), prefix + '-' + QString::number(i));
                QVERIFY(v && v->text() == QStringLiteral("value %1").arg(i));
            }
        }
    }
};

VEXLORA_TEST_MAIN(TestRegistry, QStringList())
#include "tst_registry.moc"
