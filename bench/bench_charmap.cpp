// The character map's fill at 8, 36 and 72 points: time per fill, and how often the grid
// paints per fill (redraw is off while the cells are set, so once). Beside it, a floor: the
// same 225 texts put straight into a bare table, without sizes, current cell or redraw control.
//
// Run with a window system: QT_QPA_PLATFORM=offscreen (the default here) or under xvfb-run.
#include "preview/FlexGrid.h"
#include "preview/charmap.h"
#include "ui/main/TabStrip.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Lets every posted event, delayed layout and repaint run.
void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = 30;

    auto *w = new frmMain;
    w->show();
    settle();
    auto *box = w->findChild<QComboBox *>(QStringLiteral("cmbSize"));
    auto *flx = w->findChild<QTableWidget *>(QStringLiteral("flxPreview"));
    auto *tabs = w->findChild<TabStrip *>(QStringLiteral("tsPreview"));
    if (!box || !flx || !tabs) {
        std::fprintf(stderr, "the main window lacks its preview controls\n");
        return 1;
    }
    tabs->setSelectedIndex(2); // the map, shown and filled once
    settle();
    PaintCounter counter;
    flx->viewport()->installEventFilter(&counter);

    std::printf("character map fill, %d rounds each (%s)\n", rounds, qPrintable(QGuiApplication::platformName()));
    std::printf("%8s %14s %18s %16s\n", "size", "fill (median)", "fill+paint (med.)", "paints per fill");
    for (const char *size : {"8", "36", "72"}) {
        box->setEditText(QString::fromLatin1(size));
        w->fillCharMap();
        settle();
        std::vector<double> fill, total;
        int paints = 0;
        for (int i = 0; i < rounds; ++i) {
            counter.paints = 0;
            QElapsedTimer t;
            t.start();
            w->fillCharMap();
            fill.push_back(t.nsecsElapsed() / 1e6);
            QCoreApplication::processEvents();
            total.push_back(t.nsecsElapsed() / 1e6);
            settle();
            paints += counter.paints;
        }
        std::printf("%8s %11.3f ms %15.3f ms %16.2f\n", size, median(fill), median(total), double(paints) / rounds);
    }

    // Floor: the texts alone, in a bare visible table of the same shape.
    QTableWidget bare(16, 16);
    bare.resize(flx->size());
    bare.show();
    settle();
    std::vector<double> floor;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        for (int n = 0; n < 225; ++n) {
            QTableWidgetItem *item = bare.item(n / 15 + 1, n % 15 + 1);
            if (!item) {
                item = new QTableWidgetItem;
                bare.setItem(n / 15 + 1, n % 15 + 1, item);
            }
            item->setText(i % 2 ? preview::ansiText(n) : QString());
        }
        floor.push_back(t.nsecsElapsed() / 1e6);
        settle();
    }
    std::printf("%8s %11.3f ms   (225 texts into a bare table)\n", "floor", median(floor));

    delete w;
    return 0;
}
