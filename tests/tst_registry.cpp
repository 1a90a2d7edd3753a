#include "support/fakeregistry.h"
#include "support/testenv.h"

#include "fonts/Module2.h"
#include "fonts/regfile.h"

#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

using namespace registry;
using testenv::readBytes;

Q_DECLARE_METATYPE(registry::Status)
Q_DECLARE_METATYPE(registry::Value)
Q_DECLARE_METATYPE(std::optional<registry::Value>)

namespace {

const QString kRoot = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kFontsKey = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\");
const QString kHead = QStringLiteral("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software]\n");

// A store others wrote to: values of every form beside the fonts key, wrapped as the registry editor does.
const QByteArray kOtherKeys = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n@=\"default\"\n"
                              "\"Text\"=\"with \\\"quotes\\\" and \\\\ backslash\"\n\"Number\"=dword:0000002a\n"
                              "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,\\\n  00,00\n\"Binary\"=hex:de,ad,be,ef\n\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n"
                              "\"Alpha Sans (TrueType)\"=\"alpha.ttf\"\n";

QString storeWithOthers()
{
    const QString dir = testenv::freshDir(QStringLiteral("store"));
    testenv::writeBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"), kOtherKeys);
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
        QTest::newRow("half to even") << QVariant(QStringLiteral("2.5")) << V(qint32(2));
        QTest::newRow("too large: nothing written") << QVariant(QStringLiteral("2147483648")) << V();
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
        // The user's number format counts: German groups and decimal comma.
        QVERIFY(Module2::registryValueFor(QStringLiteral("1.234,6"), QLocale(QLocale::German)) == Value(qint32(1235)));
    }

    // A value's line under [HKEY_LOCAL_MACHINE\Software]: what this version writes, and what
    // earlier versions and other tools wrote, read back to the same value.
    void forms_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Value>("value");
        QTest::addColumn<bool>("written"); // as this version writes it; else only read
        const auto row = [](const char *what, const QString &line, const QString &name, const Value &value, bool written = true) {
            QTest::newRow(what) << line << name << value << written;
        };
        row("quotes and backslashes", "\"Say \\\"hi\\\"\\\\\"=\"C:\\\\a \\\"b\\\"\"", "Say \"hi\"\\", QStringLiteral("C:\\a \"b\""));
        row("non-ASCII", QStringLiteral("\"Zéta 字 \U0001D518\"=\"zéta.ttf\""), QStringLiteral("Zéta 字 \U0001D518"), QStringLiteral("zéta.ttf"));
        row("default value", "@=\"d\"", "", QStringLiteral("d"));
        row("number", "\"Count\"=dword:0000000a", "Count", qint32(10));
        row("negative number", "\"n\"=dword:fffffffe", "n", qint32(-2));
        row("section injected through data, NUL and all", "\"z\"=hex(1):78,00,00,00,0a,00,5b,00,00,00", "z", QString::fromUtf8("x\0\n[", 4));
        row("line separator", "\"ls\"=hex(1):61,00,28,20,62,00,00,00", "ls", QStringLiteral("a\u2028b"));
        row("unpaired surrogate", "\"s\"=hex(1):00,d8,00,00", "s", QString(QChar(0xD800)));
        row("text wrapped as before", "\"v\"=hex(1):" + QString("78,00,").repeated(12) + "\\\n  78,00,78,00,78,00,0a,00,00,00", "v",
            QString(15, QLatin1Char('x')) + '\n', false);
        row("short number, letter case", "\"V\"=DWORD:A", "v", qint32(10), false);
        row("CRLF, blanks, a comment", "; note\r\n\"v\"=\"a b\" \t\r", "v", QStringLiteral("a b"), false);
        row("the later of two", "\"v\"=\"1\"\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\]\n\"V\"=\"2\"", "v", QStringLiteral("2"), false);
    }
    void forms()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(Value, value);
        QFETCH(bool, written);
        RegDocument mine;
        setValueIn(mine, QStringLiteral("Software"), name, value);
        QCOMPARE(formatRegText(mine, kRoot) == kHead + line + "\n\n", written);
        const auto doc = parseRegText(QChar(0xFEFF) + kHead + line + '\n', kRoot);
        const Value *found = doc && doc->size() == 1 ? findValue(*doc, QStringLiteral("SOFTWARE\\"), name.toUpper()) : nullptr;
        QVERIFY(found && *found == value);
    }

    // The store on disk: what others wrote survives, their values of other types line by line;
    // names compare without regard to case, and an existing one keeps its spelling.
    void storeUpdates()
    {
        const QString dir = storeWithOthers();
        RegDocument expected = parseRegText(QString::fromUtf8(kOtherKeys), kRoot).value_or(RegDocument());
        for (const auto &[subkey, name] : {std::pair<QString, QString>(kFontsKey, "Zeta Display (TrueType)"), {"SOFTWARE\\other\\", "TEXT"},
                                           {"Software\\Other", "binary"}}) { // a new value; names in another case; another type
            QVERIFY(RegFileStore(dir).setValue(RootKey::HKEY_LOCAL_MACHINE, subkey, name, QStringLiteral("new.ttf")).ok());
            setValueIn(expected, subkey, name, QStringLiteral("new.ttf"));
        }
        const QByteArray written = readBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
        QCOMPARE(written, formatRegText(expected, kRoot).toUtf8());
        QVERIFY(written.contains("\"Multi\"=hex(7):61,00,00,00,62,00,00,00,\\\n  00,00\n") && written.contains("\"Binary\"=\"new.ttf\"\n")
                && !written.contains("\"TEXT\""));
    }

    // Refused writes change nothing and leave nothing beside the store.
    void refusedWritesChangeNothing_data()
    {
        QTest::addColumn<QString>("subkey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("root");
        QTest::addColumn<Status>("status");
        const quint32 hklm = 0x80000002u;
        QTest::newRow("line break starting a section") << kFontsKey << "Zeta\n[HKEY_LOCAL_MACHINE\\Evil]\n\"I\"=\"x" << hklm << Status::InvalidName;
        QTest::newRow("paragraph separator") << kFontsKey << QStringLiteral("a\u2029b") << hklm << Status::InvalidName;
        QTest::newRow("line break in a key") << "Software\n[HKEY_LOCAL_MACHINE\\Evil]" << "x" << hklm << Status::InvalidKey;
        QTest::newRow("unknown root") << kFontsKey << "z" << 0x12345678u << Status::UnknownRoot;
        QTest::newRow("store held by another writer") << kFontsKey << "z" << hklm << Status::Busy;
    }
    void refusedWritesChangeNothing()
    {
        QFETCH(QString, subkey);
        QFETCH(QString, name);
        QFETCH(quint32, root);
        QFETCH(Status, status);
        const QString dir = storeWithOthers();
        QLockFile other(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg.lock"));
        QVERIFY(status != Status::Busy || other.tryLock(0));
        RegFileStore store(dir, 50);
        QCOMPARE(store.canHold(subkey, name), status == Status::Busy || status == Status::UnknownRoot);
        QCOMPARE(store.setValue(static_cast<RootKey>(root), subkey, name, QStringLiteral("z.ttf")).status, status);
        other.unlock();
        QCOMPARE(readBytes(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")), kOtherKeys);
        QCOMPARE(testenv::entries(dir), QStringList{QStringLiteral("HKEY_LOCAL_MACHINE.reg")});
    }

    // A file the reader refuses is kept aside, never dropped, and a fresh one written instead.
    void damagedFileKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray head = kHead.toUtf8(), top = head.left(head.indexOf('\n') + 1); // with a section, the header alone
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("a comment before the header") << "; note\n" + top;
        QTest::newRow("not UTF-8") << head + "\"a\"=\"\xff\xfe\"\n";
        QTest::newRow("cut short") << head + "\"a\"=\"unterm";
        QTest::newRow("section of another root") << top + "[HKEY_CURRENT_USER\\Software]\n";
        QTest::newRow("value outside a section") << top + "\"a\"=\"b\"\n";
        QTest::newRow("unknown escape") << head + "\"a\"=\"b\\n\"\n";
        QTest::newRow("control character in a name") << head + "\"a\tb\"=\"c\"\n";
        QTest::newRow("deletion") << head + "\"a\"=-\n";
        QTest::newRow("bad hex") << head + "\"a\"=hex:1g\n";
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
            const auto fresh = parseRegText(QString::fromUtf8(readBytes(file)), kRoot);
            QVERIFY(fresh && fresh->size() == 5 && fresh->last().values.size() == 1);
        }
    }

    // Two running copies writing at once: every value of both arrives, and nothing but the
    // store is left beside it (an earlier version's empty queue folder goes).
    void twoWritersAtOnce()
    {
        VEXLORA_STRESS_ONLY();
        const int count = 200; // values each, into the store where earlier versions kept it, so that it is found again
        const QString store = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/vexlora/registry/HKEY_LOCAL_MACHINE.reg";
        QVERIFY(QDir().mkpath(store + ".queue"));
        QProcess writers[2];
        for (int w = 0; w < 2; ++w)
            writers[w].start(QCoreApplication::applicationDirPath() + "/helper_child", {"write", QStringLiteral("w%1").arg(w), QString::number(count)});
        for (QProcess &p : writers)
            QVERIFY2(p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAllStandardError().constData());
        const RegDocument doc = parseRegText(QString::fromUtf8(readBytes(store)), kRoot).value_or(RegDocument());
        for (int i = 0; i < count * 2; ++i) {
            const Value *v = findValue(doc, QStringLiteral("Software\\Vexlora Test\\Writers"), QStringLiteral("w%1-%2").arg(i % 2).arg(i / 2));
            QVERIFY(v && *v == Value(QStringLiteral("value %1").arg(i / 2)));
        }
        QCOMPARE(testenv::entries(QFileInfo(store).path()), QStringList{QStringLiteral("HKEY_LOCAL_MACHINE.reg")});
    }
};

VEXLORA_TEST_MAIN(TestRegistry, QStringList())
#include "tst_registry.moc"
