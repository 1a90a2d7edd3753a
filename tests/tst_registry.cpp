#include "support/fakeregistry.h"
#include "support/helpers.h"
#include "support/testenv.h"

#include "fonts/Module2.h"
#include "fonts/regfile.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>

using namespace registry;
using testenv::entries;
using testenv::readBytes;

Q_DECLARE_METATYPE(registry::Value)
Q_DECLARE_METATYPE(registry::Status)

namespace {

const QString kRoot = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kFontsKey = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\");

QString freshDir()
{
    return testenv::freshDir(QStringLiteral("registry"));
}

std::optional<RegDocument> parseFile(const QString &path)
{
    return parseRegText(QString::fromUtf8(readBytes(path)), kRoot).document;
}

const char kOtherKeys[] =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
    "@=\"default\"\n"
    "\"Text\"=\"with \\\"quotes\\\" and \\\\ backslash\"\n"
    "\"Number\"=dword:0000002a\n"
    "\"Expand\"=hex(2):25,00,77,00,69,00,6e,00,64,00,69,00,72,00,25,00,00,00\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,\\\n"
    "  00,00\n"
    "\"Binary\"=hex:de,ad,be,ef\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n"
    "\"Alpha Sans (TrueType)\"=\"alpha.ttf\"\n";

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QDir(RegFileStore::defaultFolder()).removeRecursively();
    }

    // ---- the writer ----

    void writerChoosesType_data()
    {
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<bool>("written");
        QTest::addColumn<Value>("expected");
        QTest::addColumn<QLocale>("locale");
        const QLocale c = QLocale::c();
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);

        QTest::newRow("file name") << QVariant(QStringLiteral("zeta.ttf")) << true << Value::sz(QStringLiteral("zeta.ttf")) << c;
        QTest::newRow("surrounding blanks trimmed") << QVariant(QStringLiteral("  zeta.ttf \t")) << true
                                                    << Value::sz(QStringLiteral("zeta.ttf")) << c;
        QTest::newRow("empty text") << QVariant(QString()) << true << Value::sz(QString()) << c;
        QTest::newRow("digits and words") << QVariant(QStringLiteral("10 apples")) << true << Value::sz(QStringLiteral("10 apples")) << c;
        QTest::newRow("number text") << QVariant(QStringLiteral("10")) << true << Value::dword(10) << c;
        QTest::newRow("negative number text") << QVariant(QStringLiteral("-5")) << true << Value::dword(-5) << c;
        QTest::newRow("fraction rounds half to even, down") << QVariant(QStringLiteral("2.5")) << true << Value::dword(2) << c;
        QTest::newRow("fraction rounds half to even, up") << QVariant(QStringLiteral("3.5")) << true << Value::dword(4) << c;
        QTest::newRow("largest") << QVariant(QStringLiteral("2147483647")) << true << Value::dword(2147483647) << c;
        QTest::newRow("smallest") << QVariant(QStringLiteral("-2147483648")) << true << Value::dword(-2147483647 - 1) << c;
        QTest::newRow("too large: nothing written") << QVariant(QStringLiteral("2147483648")) << false << Value() << c;
        QTest::newRow("int") << QVariant(7) << true << Value::dword(7) << c;
        QTest::newRow("double") << QVariant(-1.0) << true << Value::dword(-1) << c;
        QTest::newRow("64-bit too large") << QVariant(qint64(1) << 40) << false << Value() << c;
        QTest::newRow("hexadecimal keeps its bits") << QVariant(QStringLiteral("&HFFFFFFFF")) << true << Value::dword(-1) << c;
        QTest::newRow("hexadecimal past 32 bits") << QVariant(QStringLiteral("&H100000000")) << false << Value() << c;
        QTest::newRow("group separators") << QVariant(QStringLiteral("1,000.5")) << true << Value::dword(1000) << english;
        QTest::newRow("currency") << QVariant(QStringLiteral("$ 5")) << true << Value::dword(5) << english;
        QTest::newRow("German decimal comma") << QVariant(QStringLiteral("1.234,6")) << true << Value::dword(1235) << german;
    }

    void writerChoosesType()
    {
        QFETCH(QVariant, input);
        QFETCH(bool, written);
        QFETCH(Value, expected);
        QFETCH(QLocale, locale);
        const auto v = Module2::registryValueFor(input, locale);
        QCOMPARE(v.has_value(), written);
        if (written) {
            QCOMPARE(v->type, expected.type);
            QCOMPARE(v->data, expected.data);
        }
    }

    void writerPassesItsArgumentsOn()
    {
        FakeRegistry fake;
        Module2::saveRegistryValue(Module2::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("Zeta Display (TrueType)"),
                                   QStringLiteral(" zeta.ttf "));
        QCOMPARE(fake.writes.size(), 1);
        const FakeRegistry::Write &w = fake.writes.first();
        QCOMPARE(static_cast<quint32>(w.root), 0x80000002u);
        QCOMPARE(w.subkey, kFontsKey);
        QCOMPARE(w.name, QStringLiteral("Zeta Display (TrueType)"));
        QCOMPARE(w.value, Value::sz(QStringLiteral("zeta.ttf")));
    }

    // ---- the file format ----

    void fileFormat()
    {
        RegDocument doc{kRoot, {}};
        QVERIFY(setValueIn(doc, kFontsKey, QStringLiteral("Zeta Display (TrueType)"), Value::sz(QStringLiteral("zeta.ttf"))).ok());
        QVERIFY(setValueIn(doc, kFontsKey, QStringLiteral("Count"), Value::dword(10)).ok());
        QCOMPARE(formatRegText(doc),
                 QStringLiteral("Windows Registry Editor Version 5.00\n"
                                "\n"
                                "[HKEY_LOCAL_MACHINE\\Software]\n"
                                "\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Microsoft]\n"
                                "\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT]\n"
                                "\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion]\n"
                                "\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n"
                                "\"Zeta Display (TrueType)\"=\"zeta.ttf\"\n"
                                "\"Count\"=dword:0000000a\n"
                                "\n"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Value>("value");
        QTest::addColumn<QString>("line"); // how the value appears in the file

        const QString nul(QChar(0));
        QTest::newRow("plain") << QStringLiteral("Zeta Display (TrueType)") << Value::sz(QStringLiteral("zeta.ttf"))
                               << QStringLiteral("\"Zeta Display (TrueType)\"=\"zeta.ttf\"");
        QTest::newRow("quotes") << QStringLiteral("Say \"hi\"") << Value::sz(QStringLiteral("a \"b\" c"))
                                << QStringLiteral("\"Say \\\"hi\\\"\"=\"a \\\"b\\\" c\"");
        QTest::newRow("backslashes") << QStringLiteral("a\\b") << Value::sz(QStringLiteral("C:\\Fonts\\"))
                                     << QStringLiteral("\"a\\\\b\"=\"C:\\\\Fonts\\\\\"");
        QTest::newRow("escaped quote at the end") << QStringLiteral("q") << Value::sz(QStringLiteral("\\\""))
                                                  << QStringLiteral("\"q\"=\"\\\\\\\"\"");
        QTest::newRow("non-ASCII") << QStringLiteral("Zéta 字体 \U0001D518 (TrueType)") << Value::sz(QStringLiteral("zéta-字.ttf"))
                                   << QStringLiteral("\"Zéta 字体 \U0001D518 (TrueType)\"=\"zéta-字.ttf\"");
        QTest::newRow("line break in data") << QStringLiteral("n") << Value::sz(QStringLiteral("a\r\nb"))
                                            << QStringLiteral("\"n\"=hex(1):61,00,0d,00,0a,00,62,00,00,00");
        QTest::newRow("line separator in data") << QStringLiteral("ls") << Value::sz(QStringLiteral("a\u2028b"))
                                                << QStringLiteral("\"ls\"=hex(1):61,00,28,20,62,00,00,00");
        QTest::newRow("section injected through data")
            << QStringLiteral("Zeta (TrueType)") << Value::sz(QStringLiteral("x\"\n[HKEY_LOCAL_MACHINE\\Evil]\n\"y\"=\"z"))
            << QStringLiteral("\"Zeta (TrueType)\"=hex(1):78,00,22,00,0a,00,5b,00");
        QTest::newRow("long data wraps") << QStringLiteral("long") << Value::sz(QString(60, QLatin1Char('x')) + QLatin1Char('\n'))
                                         << QStringLiteral(",\\\n  78,00,");
        QTest::newRow("default value") << QString() << Value::sz(QStringLiteral("d")) << QStringLiteral("\n@=\"d\"\n");
        QTest::newRow("empty text") << QStringLiteral("e") << Value::sz(QString()) << QStringLiteral("\"e\"=\"\"");
        QTest::newRow("dword") << QStringLiteral("n") << Value::dword(10) << QStringLiteral("\"n\"=dword:0000000a");
        QTest::newRow("negative dword") << QStringLiteral("m") << Value::dword(-1) << QStringLiteral("\"m\"=dword:ffffffff");
        QTest::newRow("binary") << QStringLiteral("b") << Value{kTypeBinary, QByteArray("\x01\xfe", 2)}
                                << QStringLiteral("\"b\"=hex:01,fe");
        QTest::newRow("other type") << QStringLiteral("x") << Value{2, QByteArray("%\0\0\0", 4)}
                                    << QStringLiteral("\"x\"=hex(2):25,00,00,00");
    }

    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(Value, value);
        QFETCH(QString, line);

        RegDocument doc{kRoot, {}};
        QVERIFY(setValueIn(doc, kFontsKey, name, value).ok());
        const QString text = formatRegText(doc);
        QVERIFY2(text.contains(line), qPrintable(text));

        // Every line is the header, a section of our own keys, a value or a continuation: data
        // never opens a section or a value of its own.
        int sections = 0;
        for (const QString &l : text.split(QLatin1Char('\n'))) {
            if (l.startsWith(QLatin1Char('[')))
                ++sections;
            else
                QVERIFY2(l.isEmpty() || l == QLatin1String(kRegHeader) || l.startsWith(QLatin1Char('"'))
                             || l.startsWith(QLatin1Char('@')) || l.startsWith(QLatin1String("  ")),
                         qPrintable(l));
        }
        QCOMPARE(sections, 5);

        const ParseResult back = parseRegText(text, kRoot);
        QVERIFY2(back.document, qPrintable(back.error));
        const Value *got = findValue(*back.document, kFontsKey, name);
        QVERIFY(got);
        QCOMPARE(*got, value);

        // The same through the file on disk, which holds UTF-8.
        const QString dir = freshDir();
        RegFileStore store(dir);
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, name, value).ok());
        const auto onDisk = parseFile(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
        QVERIFY(onDisk);
        QVERIFY(findValue(*onDisk, kFontsKey, name));
        QCOMPARE(*findValue(*onDisk, kFontsKey, name), value);
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("subkey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Status>("status");

        QTest::newRow("line break starting a section")
            << kFontsKey << QStringLiteral("Zeta\n[HKEY_LOCAL_MACHINE\\Software\\Evil]\n\"Injected\"=\"x") << Status::InvalidName;
        QTest::newRow("carriage return") << kFontsKey << QStringLiteral("a\rb") << Status::InvalidName;
        QTest::newRow("tab") << kFontsKey << QStringLiteral("a\tb") << Status::InvalidName;
        QTest::newRow("NUL") << kFontsKey << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << Status::InvalidName;
        QTest::newRow("line separator") << kFontsKey << QStringLiteral("a\u2028b") << Status::InvalidName;
        QTest::newRow("unpaired surrogate") << kFontsKey << QString(QChar(0xD800)) + QStringLiteral("x") << Status::InvalidName;
        QTest::newRow("line break in a key") << QStringLiteral("Software\n[HKEY_LOCAL_MACHINE\\Evil]") << QStringLiteral("x")
                                             << Status::InvalidKey;
    }

    void refusedNames()
    {
        QFETCH(QString, subkey);
        QFETCH(QString, name);
        QFETCH(Status, status);

        const QString dir = freshDir();
        const QString file = dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
        QVERIFY(testenv::writeBytes(file, kOtherKeys));
        const QStringList before = entries(dir);

        RegFileStore store(dir);
        const Result r = store.setValue(RootKey::HKEY_LOCAL_MACHINE, subkey, name, Value::sz(QStringLiteral("zeta.ttf")));
        QCOMPARE(r.status, status);
        QCOMPARE(readBytes(file), QByteArray(kOtherKeys));
        QCOMPARE(entries(dir), before);
    }

    void namesIgnoreCase_data()
    {
        QTest::addColumn<QString>("firstKey");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("secondKey");
        QTest::addColumn<QString>("secondName");

        QTest::newRow("value name") << kFontsKey << QStringLiteral("Zeta (TrueType)") << kFontsKey
                                    << QStringLiteral("ZETA (truetype)");
        QTest::newRow("key name") << QStringLiteral("Software\\Fonts") << QStringLiteral("v")
                                  << QStringLiteral("SOFTWARE\\fonts\\") << QStringLiteral("v");
        QTest::newRow("non-ASCII") << QStringLiteral("Software\\Émile") << QStringLiteral("Σίσυφος")
                                   << QStringLiteral("software\\émile") << QStringLiteral("ΣΊΣΥΦΟΣ");
    }

    void namesIgnoreCase()
    {
        QFETCH(QString, firstKey);
        QFETCH(QString, firstName);
        QFETCH(QString, secondKey);
        QFETCH(QString, secondName);

        const QString dir = freshDir();
        RegFileStore store(dir);
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, firstKey, firstName, Value::sz(QStringLiteral("one"))).ok());
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, secondKey, secondName, Value::sz(QStringLiteral("two"))).ok());

        const auto doc = parseFile(dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
        QVERIFY(doc);
        const int depth = static_cast<int>(firstKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts).size());
        QCOMPARE(doc->keys.size(), depth);
        const RegKey &key = doc->keys.last();
        QCOMPARE(key.values.size(), 1);
        // One value, with the later data and the spelling it was first written with.
        QCOMPARE(key.values.first().name, firstName);
        QCOMPARE(key.values.first().value.text(), QStringLiteral("two"));
    }

    void otherKeysSurvive_data()
    {
        QTest::addColumn<QString>("subkey");
        QTest::addColumn<QString>("name");

        QTest::newRow("new value in a listed key") << kFontsKey << QStringLiteral("Zeta Display (TrueType)");
        QTest::newRow("value replaced") << kFontsKey << QStringLiteral("Alpha Sans (TrueType)");
        QTest::newRow("new key") << QStringLiteral("Software\\Elsewhere\\Deeper") << QStringLiteral("x");
    }

    void otherKeysSurvive()
    {
        QFETCH(QString, subkey);
        QFETCH(QString, name);

        const QString dir = freshDir();
        const QString file = dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
        QVERIFY(testenv::writeBytes(file, kOtherKeys));
        const auto original = parseRegText(QString::fromUtf8(kOtherKeys), kRoot).document;
        QVERIFY(original);

        RegFileStore store(dir);
        const Value value = Value::sz(QStringLiteral("new.ttf"));
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, subkey, name, value).ok());

        RegDocument expected = *original;
        QVERIFY(setValueIn(expected, subkey, name, value).ok());
        const auto now = parseFile(file);
        QVERIFY(now);
        QCOMPARE(formatRegText(*now), formatRegText(expected));

        const QString other = QStringLiteral("Software\\Other");
        QCOMPARE(findValue(*now, other, QString())->text(), QStringLiteral("default"));
        QCOMPARE(findValue(*now, other, QStringLiteral("Text"))->text(), QStringLiteral("with \"quotes\" and \\ backslash"));
        QCOMPARE(findValue(*now, other, QStringLiteral("Number"))->number(), 42);
        QCOMPARE(*findValue(*now, other, QStringLiteral("Multi")), (Value{7, QByteArray("a\0\0\0b\0\0\0\0\0", 10)}));
        QCOMPARE(*findValue(*now, other, QStringLiteral("Binary")), (Value{kTypeBinary, QByteArray("\xde\xad\xbe\xef", 4)}));
        QCOMPARE(findValue(*now, other, QStringLiteral("Expand"))->type, 2u);
    }

    void parserAccepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Value>("value");

        const QString head = QStringLiteral("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software]\n");
        QTest::newRow("CRLF line ends") << QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"a\"=\"b\"\r\n")
                                        << QStringLiteral("a") << Value::sz(QStringLiteral("b"));
        QTest::newRow("byte order mark") << QChar(0xFEFF) + head + QStringLiteral("\"a\"=\"b\"\n") << QStringLiteral("a")
                                         << Value::sz(QStringLiteral("b"));
        QTest::newRow("comment") << head + QStringLiteral("; a note\n\"a\"=\"b\"\n") << QStringLiteral("a")
                                 << Value::sz(QStringLiteral("b"));
        QTest::newRow("hex over lines") << head + QStringLiteral("\"a\"=hex(1):61,00,\\\n  0a,00,\\\n  00,00\n")
                                        << QStringLiteral("a") << Value::sz(QStringLiteral("a\n"));
        QTest::newRow("empty hex") << head + QStringLiteral("\"a\"=hex:\n") << QStringLiteral("a") << Value{kTypeBinary, {}};
        QTest::newRow("later line wins") << head + QStringLiteral("\"a\"=\"1\"\n\"A\"=\"2\"\n") << QStringLiteral("a")
                                         << Value::sz(QStringLiteral("2"));
    }

    void parserAccepts()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(Value, value);
        const ParseResult r = parseRegText(text, kRoot);
        QVERIFY2(r.document, qPrintable(QStringLiteral("line %1: %2").arg(r.line).arg(r.error)));
        const Value *got = findValue(*r.document, QStringLiteral("Software"), name);
        QVERIFY(got);
        QCOMPARE(*got, value);
    }

    // ---- the file store ----

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
        QTest::newRow("no header") << QByteArray("[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=\"b\"\n");
        QTest::newRow("old header") << QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n");
        QTest::newRow("value before any section") << top + "\"a\"=\"b\"\n";
        QTest::newRow("section of another root") << top + "[HKEY_CURRENT_USER\\Software]\n";
        QTest::newRow("unterminated section") << top + "[HKEY_LOCAL_MACHINE\\Software\n";
        QTest::newRow("deleted section") << top + "[-HKEY_LOCAL_MACHINE\\Software]\n";
        QTest::newRow("deleted value") << head + "\"a\"=-\n";
        QTest::newRow("unterminated data") << head + "\"a\"=\"b\n";
        QTest::newRow("unknown escape") << head + "\"a\"=\"b\\n\"\n";
        QTest::newRow("text after data") << head + "\"a\"=\"b\"c\n";
        QTest::newRow("long dword") << head + "\"a\"=dword:000000001\n";
        QTest::newRow("bad hex byte") << head + "\"a\"=hex:0g\n";
        QTest::newRow("continuation at the end") << head + "\"a\"=hex:01,\\\n";
        QTest::newRow("unknown form") << head + "\"a\"=qword:1\n";
        QTest::newRow("control character in a name") << head + "\"a\tb\"=\"c\"\n";
    }

    void damagedFileKeptAside()
    {
        QFETCH(QByteArray, content);
        const QString dir = freshDir();
        const QString file = dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
        QVERIFY(testenv::writeBytes(file, content));

        RegFileStore store(dir);
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("Zeta Display (TrueType)"),
                               Value::sz(QStringLiteral("zeta.ttf"))).ok());

        const QStringList aside = QDir(dir).entryList({QStringLiteral("HKEY_LOCAL_MACHINE.reg.damaged-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readBytes(dir + QLatin1Char('/') + aside.first()), content);
        QCOMPARE(entries(dir), QStringList({QStringLiteral("HKEY_LOCAL_MACHINE.reg"), aside.first()}));

        const auto fresh = parseFile(file);
        QVERIFY(fresh);
        QCOMPARE(findValue(*fresh, kFontsKey, QStringLiteral("Zeta Display (TrueType)"))->text(), QStringLiteral("zeta.ttf"));
        QCOMPARE(fresh->keys.size(), 5);
        QCOMPARE(fresh->keys.last().values.size(), 1);

        // A second damaged file, a moment later, doesn't replace the first one kept aside.
        QVERIFY(testenv::writeBytes(file, content));
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("x"), Value::dword(1)).ok());
        QCOMPARE(QDir(dir).entryList({QStringLiteral("HKEY_LOCAL_MACHINE.reg.damaged-*")}, QDir::Files).size(), 2);
    }

    void heldLockWritesNothing()
    {
        const QString dir = freshDir();
        const QString file = dir + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
        QVERIFY(testenv::writeBytes(file, kOtherKeys));

        QLockFile other(file + QStringLiteral(".lock"));
        QVERIFY(other.tryLock(0));
        RegFileStore store(dir, 50);
        const Value v = Value::sz(QStringLiteral("zeta.ttf"));
        QCOMPARE(store.setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("z"), v).status, Status::Busy);
        QCOMPARE(readBytes(file), QByteArray(kOtherKeys));

        other.unlock();
        QVERIFY(store.setValue(RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("z"), v).ok());
    }

    void unknownRootRefused()
    {
        const QString dir = freshDir();
        RegFileStore store(dir);
        QCOMPARE(store.setValue(static_cast<RootKey>(0x12345678u), kFontsKey, QStringLiteral("z"), Value::dword(1)).status,
                 Status::UnknownRoot);
        QVERIFY(entries(dir).isEmpty());
    }

    void twoProcessesAtOnce()
    {
        const QString helper = QCoreApplication::applicationDirPath() + QStringLiteral("/helper_regwriter");
        QVERIFY2(QFileInfo::exists(helper), qPrintable(helper));
        const int count = 40;
        QProcess a, b;
        for (QProcess *p : {&a, &b})
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        a.start(helper, {QStringLiteral("first"), QString::number(count)});
        b.start(helper, {QStringLiteral("second"), QString::number(count)});
        for (QProcess *p : {&a, &b}) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
        }

        const auto doc = parseFile(RegFileStore().filePath(RootKey::HKEY_LOCAL_MACHINE));
        QVERIFY(doc);
        for (const char *prefix : {"first", "second"}) {
            for (int i = 0; i < count; ++i) {
                const QString name = QStringLiteral("%1-%2").arg(QLatin1String(prefix)).arg(i);
                const Value *v = findValue(*doc, QStringLiteral("Software\\Vexlora Test\\Writers"), name);
                QVERIFY2(v, qPrintable(name));
                QCOMPARE(v->text(), QStringLiteral("value %1").arg(i));
            }
        }
    }
};

VEXLORA_TEST_MAIN(TestRegistry, testenv::standardFonts())
#include "tst_registry.moc"
