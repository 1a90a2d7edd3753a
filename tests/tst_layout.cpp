#include "support/testenv.h"
#include "ui/main/layout.h"

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() { QCOMPARE(roundHalfEven(4702.5), 4702); }
};

VEXLORA_TEST_MAIN(TestLayout, testenv::standardFonts())
#include "tst_layout.moc"
