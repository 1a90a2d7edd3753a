// The character map's fill at 8, 36 and 72 points: time per fill, and how often the grid
// paints per fill (redraw is off while the cells are set, so once). Beside it, a floor: the
// same 225 texts put straight into a bare table, without sizes, current cell or redraw control.
//
// Runs headless (offscreen) unless QT_QPA_PLATFORM says otherwise, in the tests' private world.
#include "preview/FlexGrid.h"
#include "preview/charmap.h"
#include "preview/system.h"
#include "support/testwindows.h"
#include "ui/main/TabStrip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QThread>

#include <memory>

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
    testenv::prepare(testenv::standardFonts());
    QApplication app(argc, argv);
    const int rounds = 30;

    auto win = std::make_unique<testenv::MainWindow>();
    settle();
    auto *flx = win->get<QTableWidget>("flxPreview");
    auto *grid = (*win)->findChild<FlexGrid *>();
    auto *tabs = win->get<TabStrip>("tsPreview");
    if (!flx || !grid || !tabs) {
        std::fprintf(stderr, "the main window lacks its preview controls\n");
        return 1;
    }
    testenv::clickTab(tabs, 1); // the map, shown and filled once
    settle();
    PaintCounter counter;
    flx->viewport()->installEventFilter(&counter);

    std::printf("character map fill, %d rounds each (%s)\n", rounds, qPrintable(QGuiApplication::platformName()));
    std::printf("%8s %14s %18s %16s\n", "size", "fill (median)", "fill+paint (med.)", "paints per fill");
    for (const char *size : {"8", "36", "72"}) {
        // The window's fill: the same call its map tab and size box make.
        const QString text = QString::fromLatin1(size);
        preview::fillCharMap(*grid, text);
        settle();
        std::vector<double> fill, total;
        int paints = 0;
        for (int i = 0; i < rounds; ++i) {
            counter.paints = 0;
            QElapsedTimer t;
            t.start();
            preview::fillCharMap(*grid, text);
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

    return 0;
}
