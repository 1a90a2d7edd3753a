#include "support/testenv.h"

#include "preview/numbers.h"

#include <cmath>
#include <limits>

// The size box's two number rules: the value read from the start of a text, and the
// locale-aware test of a whole text. That the box takes the default locale for the one and no
// locale for the other is tested through the box in tst_preview.
class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void sizeValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("leading blank") << " 8" << 8.0;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("comma is not a decimal separator") << "12,5" << 12.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("blank inside") << "1 2" << 12.0;
        QTest::newRow("tab and line feed inside") << "\t1\n2 .\t5" << 12.5;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("blank after sign") << "- 3" << -3.0;
        QTest::newRow("double sign") << "--3" << 0.0;
        QTest::newRow("exponent") << "1e2" << 100.0;
        QTest::newRow("capital exponent with sign") << "25E-1" << 2.5;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("hex") << "&H10" << 16.0;
        QTest::newRow("hex stops") << "&HFG" << 15.0;
        QTest::newRow("hex without digits") << "&H" << 0.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("ampersand alone") << "&17" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("decimal point first") << ".5" << 0.5;
        QTest::newRow("second point stops") << "10.5.3" << 10.5;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("currency is not read") << "$5" << 0.0;
        QTest::newRow("underflow") << "1e-999" << 0.0;
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0661)) << 0.0;
    }

    void sizeValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(preview::sizeValue(text), value);
    }

    void sizeValueOverflowIsInfinite()
    {
        // Too large to hold: a value the font system then refuses, never a crash or a wrap.
        QVERIFY(std::isinf(preview::sizeValue(QStringLiteral("1e999"))));
        QVERIFY(preview::sizeValue(QStringLiteral("-1e999")) < 0);
        QCOMPARE(preview::sizeValue(QString(300, QLatin1Char('9'))), 1e300);
    }

    void isNumeric_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("c");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("german");
        // Never numeric.
        QTest::newRow("12abc") << "12abc" << false << false << false;
        QTest::newRow("empty") << "" << false << false << false;
        QTest::newRow("blanks") << "   " << false << false << false;
        QTest::newRow("abc") << "abc" << false << false << false;
        QTest::newRow("1x") << "1x" << false << false << false;
        QTest::newRow("sign only") << "-" << false << false << false;
        QTest::newRow("two signs") << "--2" << false << false << false;
        QTest::newRow("trailing sign") << "2-" << false << false << false;
        QTest::newRow("blank inside") << "1 2" << false << false << false;
        QTest::newRow("exponent without digits") << "1e" << false << false << false;
        QTest::newRow("hex without digits") << "&H" << false << false << false;
        QTest::newRow("bad hex digit") << "&H1G" << false << false << false;
        QTest::newRow("bad octal digit") << "&O8" << false << false << false;
        QTest::newRow("sign before hex") << "-&H1" << false << false << false;
        QTest::newRow("line feed") << "1\n" << false << false << false;
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0661)) << false << false << false;
        // Always numeric.
        QTest::newRow("blanks around") << "  36  " << true << true << true;
        QTest::newRow("negative") << "-2" << true << true << true;
        QTest::newRow("exponent") << "1e3" << true << true << true;
        QTest::newRow("exponent with sign") << "2E-3" << true << true << true;
        QTest::newRow("hex") << "&H1F" << true << true << true;
        QTest::newRow("octal") << "&O17" << true << true << true;
        // Depends on the locale's separators and currency.
        QTest::newRow("1,5") << "1,5" << true << true << true;
        QTest::newRow("1.5") << "1.5" << true << true << true;
        QTest::newRow("1.000,5") << "1.000,5" << false << false << true;
        QTest::newRow("1,000.5") << "1,000.5" << true << true << false;
        QTest::newRow("1,5.0") << "1,5.0" << true << true << false;
        QTest::newRow("two decimal points") << "1.2.3" << false << false << true;
        QTest::newRow("group after decimal") << "1.5,0" << false << false << true;
        QTest::newRow("$5") << "$5" << false << true << false;
        QTest::newRow("5$") << "5$" << false << true << false;
        QTest::newRow("-$5") << "-$5" << false << true << false;
        QTest::newRow("$ 5") << "$ 5" << false << true << false;
        QTest::newRow("two currency symbols") << "$5$" << false << false << false;
        QTest::newRow("currency only") << "$" << false << false << false;
        QTest::newRow("5,00 euro") << QStringLiteral("5,00 \u20AC") << false << false << true;
        QTest::newRow("point only") << "." << false << false << false;
    }

    void isNumeric()
    {
        QFETCH(QString, text);
        QFETCH(bool, c);
        QFETCH(bool, english);
        QFETCH(bool, german);
        QCOMPARE(preview::isNumeric(text, QLocale::c()), c);
        QCOMPARE(preview::isNumeric(text, QLocale(QLocale::English, QLocale::UnitedStates)), english);
        QCOMPARE(preview::isNumeric(text, QLocale(QLocale::German, QLocale::Germany)), german);
    }
};

VEXLORA_TEST_MAIN(TestNumbers, QStringList())
#include "tst_numbers.moc"
