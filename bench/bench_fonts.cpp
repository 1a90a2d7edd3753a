// How the program's cost grows with the installed font set, each figure beside a floor measured
// the same way in the same run: what the least a Qt program could do for the same result costs.
//
//   bench_fonts [--sizes 10,1500,5000,10000] [--runs N] [--clicks N] [--design 0|1|both]
//               [--vexlora PATH] [--bare PATH] [--only launch|clicks|listing]
//
// For each size, N generated faces are installed, with or without the faces the windows are
// drawn for (Arial and Tahoma among the tests' standard fonts; Verdana and MS Sans Serif are
// never installed). For each set, real processes are timed on an X display (run it under
// xvfb-run): launch to shown (the main window mapped, lstInst filled, the snooze in force),
// launch to idle (shown and painted, then 1 s in which the process uses under 2% of a core),
// peak memory, and beside them the bare program (bench_fonts_bare, a window listing the same
// families) and the time Qt's font database takes to fill in a bare QGuiApplication. A child
// of this program then times clicks on different font files in the real window, beside remove
// + add + family list + drawing the new face in a bare text box. Last, listFontFiles and
// fillFolderNodes with 1,000, 10,000 and 100,000 entries, in this process. Every figure is the
// median of interleaved runs after a warm-up. Nothing here is asserted: the aims are printed.
#include "app/Module1.h"
#include "base/datafolder.h"
#include "base/snooze.h"
#include "fonts/FontTable.h"
#include "support/testwindows.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <xcb/xcb.h> // types only: the functions are looked up at run time

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Pair
{
    double ours = 0;
    double floor = 0;
};

// Runs ours and floor in turn, warm + runs times each, and returns the medians of the timed
// runs. Taking turns lets a busy machine slow both alike.
Pair timePair(int warm, int runs, const std::function<double()> &ours, const std::function<double()> &floor)
{
    for (int i = 0; i < warm; ++i) {
        ours();
        floor();
    }
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(ours());
        b.push_back(floor());
    }
    return {median(a), median(b)};
}

QString sourceRoot()
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absolutePath() + QStringLiteral("/..");
}

bool makeFaces(int count, const QString &dir, const QString &family)
{
    const QString command = QStringLiteral("/usr/bin/python3 '%1/tests/fonts/make_test_fonts.py' --bench %2 '%3' '%4'")
                                .arg(sourceRoot()).arg(count).arg(dir, family);
    if (std::system(command.toLocal8Bit().constData()) == 0)
        return true;
    std::fprintf(stderr, "could not make the benchmark fonts: %s\n", qPrintable(command));
    return false;
}

// ---- processes on the X display ----

struct Xcb
{
    decltype(&xcb_connect) connect = nullptr;
    decltype(&xcb_connection_has_error) hasError = nullptr;
    decltype(&xcb_get_setup) getSetup = nullptr;
    decltype(&xcb_setup_roots_iterator) roots = nullptr;
    decltype(&xcb_change_window_attributes) changeAttributes = nullptr;
    decltype(&xcb_flush) flush = nullptr;
    decltype(&xcb_poll_for_event) pollForEvent = nullptr;
    decltype(&xcb_get_file_descriptor) fileDescriptor = nullptr;
    decltype(&xcb_intern_atom) internAtom = nullptr;
    decltype(&xcb_intern_atom_reply) internAtomReply = nullptr;
    decltype(&xcb_get_property) getProperty = nullptr;
    decltype(&xcb_get_property_reply) getPropertyReply = nullptr;
    decltype(&xcb_get_property_value) propertyValue = nullptr;
    decltype(&xcb_get_property_value_length) propertyValueLength = nullptr;

    xcb_connection_t *c = nullptr;
    xcb_atom_t pidAtom = 0;
    xcb_atom_t nameAtom = 0;
    xcb_atom_t utf8Atom = 0;

    template<typename F>
    static bool find(void *lib, F &f, const char *name)
    {
        f = reinterpret_cast<F>(dlsym(lib, name));
        return f != nullptr;
    }

    bool open()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            return false;
        void *lib = dlopen("libxcb.so.1", RTLD_NOW);
        if (!lib)
            return false;
        const bool ok = find(lib, connect, "xcb_connect") && find(lib, hasError, "xcb_connection_has_error")
                        && find(lib, getSetup, "xcb_get_setup")
                        && find(lib, roots, "xcb_setup_roots_iterator")
                        && find(lib, changeAttributes, "xcb_change_window_attributes")
                        && find(lib, flush, "xcb_flush") && find(lib, pollForEvent, "xcb_poll_for_event")
                        && find(lib, fileDescriptor, "xcb_get_file_descriptor")
                        && find(lib, internAtom, "xcb_intern_atom")
                        && find(lib, internAtomReply, "xcb_intern_atom_reply")
                        && find(lib, getProperty, "xcb_get_property")
                        && find(lib, getPropertyReply, "xcb_get_property_reply")
                        && find(lib, propertyValue, "xcb_get_property_value")
                        && find(lib, propertyValueLength, "xcb_get_property_value_length");
        if (!ok)
            return false;
        c = connect(nullptr, nullptr);
        if (!c || hasError(c))
            return false;
        // Hear of every top-level window that is mapped (there is no window manager).
        const xcb_window_t root = roots(getSetup(c)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        changeAttributes(c, root, XCB_CW_EVENT_MASK, &mask);
        pidAtom = atom("_NET_WM_PID");
        nameAtom = atom("_NET_WM_NAME");
        utf8Atom = atom("UTF8_STRING");
        flush(c);
        return pidAtom && nameAtom && utf8Atom;
    }

    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply =
            internAtomReply(c, internAtom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : 0;
        free(reply);
        return a;
    }

    QString title(xcb_window_t window)
    {
        xcb_get_property_reply_t *reply =
            getPropertyReply(c, getProperty(c, 0, window, nameAtom, utf8Atom, 0, 256), nullptr);
        QString t;
        if (reply)
            t = QString::fromUtf8(static_cast<const char *>(propertyValue(reply)), propertyValueLength(reply));
        free(reply);
        return t;
    }

    pid_t pidOf(xcb_window_t window)
    {
        xcb_get_property_reply_t *reply =
            getPropertyReply(c, getProperty(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        pid_t pid = 0;
        if (reply && propertyValueLength(reply) == 4)
            pid = static_cast<pid_t>(*static_cast<uint32_t *>(propertyValue(reply)));
        free(reply);
        return pid;
    }

    // Waits until a window of pid is mapped and returns it; 0 after timeoutMs.
    xcb_window_t waitForMap(pid_t pid, int timeoutMs)
    {
        const Clock::time_point start = Clock::now();
        const int fd = fileDescriptor(c);
        while (msSince(start) < timeoutMs) {
            while (xcb_generic_event_t *ev = pollForEvent(c)) {
                const bool map = (ev->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t w = map ? reinterpret_cast<xcb_map_notify_event_t *>(ev)->window : 0;
                free(ev);
                if (map && pidOf(w) == pid)
                    return w;
            }
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, 50);
        }
        return 0;
    }
};

struct Launch
{
    double shownMs = -1;
    double idleMs = -1;
    double peakMiB = -1;
};

// CPU time a process has used so far, in ms (utime + stime of /proc/PID/stat).
double cpuMs(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' '); // f[0] is field 3
    return (f.value(11).toDouble() + f.value(12).toDouble()) * 1000.0 / sysconf(_SC_CLK_TCK);
}

// Starts exe and times it until its first window, which must carry the title given, is mapped,
// and then until it is idle: the first moment after the map, past the work that follows it (the
// first paint), from which on it uses under 2% of a core for a second.
Launch launch(Xcb &x, const QString &exe, const QString &title)
{
    Launch result;
    const QByteArray path = QFile::encodeName(exe);
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", path.constData());
        return result;
    }
    const xcb_window_t window = x.waitForMap(pid, 120000);
    const double shown = msSince(start);
    const QString got = window ? x.title(window) : QString();
    if (window && got == title) {
        result.shownMs = shown;
        std::vector<std::pair<double, double>> samples{{shown, cpuMs(pid)}}; // (ms since start, cpu ms)
        while (msSince(start) < shown + 120000) {
            ::usleep(20 * 1000);
            const double now = msSince(start);
            samples.emplace_back(now, cpuMs(pid));
            // A start is a sample that saw no CPU time since the one before (the work is done),
            // followed by a second of samples under 2%.
            for (size_t c = 1; c < samples.size() && result.idleMs < 0; ++c) {
                if (samples[c].second != samples[c - 1].second || samples[c].first > now - 1000)
                    continue;
                size_t e = c;
                while (samples[e].first < samples[c].first + 1000)
                    ++e;
                if (samples[e].second - samples[c].second < 0.02 * (samples[e].first - samples[c].first))
                    result.idleMs = samples[c].first;
            }
            if (result.idleMs >= 0)
                break;
        }
    } else {
        std::printf("   (%s showed \"%s\" first, not \"%s\")\n", qPrintable(QFileInfo(exe).fileName()),
                    qPrintable(got), qPrintable(title));
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (result.shownMs >= 0)
        result.peakMiB = usage.ru_maxrss / 1024.0;
    return result;
}

// The first line a command prints, as numbers.
std::vector<double> numbersFrom(const QString &command)
{
    std::vector<double> v;
    FILE *p = ::popen(command.toLocal8Bit().constData(), "r");
    if (!p)
        return v;
    char line[512] = {};
    if (std::fgets(line, sizeof line, p))
        for (const QByteArray &w : QByteArray(line).simplified().split(' '))
            v.push_back(w.toDouble());
    ::pclose(p);
    return v;
}

// ---- a child in one font set: clicks ----

// Started as "bench_fonts --child-clicks N DIR ours|bare" in the font set of its parent. Ours:
// the program starts as it does for a person (the snooze in force), the files of DIR are
// listed and N of them clicked in turn until the face is drawn. Bare: a text box, and for each
// file of DIR/../floor the previous one removed, it added, the family list read and its face
// drawn. Prints the median click, the slowest, and how many showed another face than their own.
int childClicks(int argc, char *argv[], int clicks, const QString &dir, bool ours)
{
    QApplication app(argc, argv);
    QWidget *win = nullptr;
    if (ours) {
        Module1::Main();
        QApplication::processEvents();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->inherits("frmMain") && w->isVisible())
                win = w;
    }
    QListWidget *files = nullptr;
    QPlainTextEdit *text = nullptr;
    if (win) {
        auto *drives = win->findChild<QComboBox *>(QStringLiteral("Drive1"));
        drives->addItem(QFileInfo(dir).absolutePath() + QStringLiteral(" [TEST]"));
        drives->setCurrentIndex(drives->count() - 1);
        auto *tree = win->findChild<QTreeWidget *>(QStringLiteral("Dir1"));
        if (QTreeWidgetItem *node = tree->findItems(QFileInfo(dir).fileName(), Qt::MatchExactly).value(0))
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
        files = win->findChild<QListWidget *>(QStringLiteral("File1"));
        files->setFocus();
        text = win->findChild<QPlainTextEdit *>(QStringLiteral("txPreview"));
    } else if (!ours) {
        text = new QPlainTextEdit(QStringLiteral("The quick brown fox jumps over the lazy dog"));
        text->resize(541, 205);
        text->show();
    }
    const QString floorDir = QFileInfo(dir).absolutePath() + QStringLiteral("/floor");
    const QStringList floorFiles = QDir(floorDir).entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name);
    if (!text || (files && files->count() < clicks + 2) || floorFiles.size() < clicks + 2)
        return 1;
    QApplication::processEvents();

    int id = -1, wrong = 0;
    std::vector<double> times;
    for (int i = 0; i < clicks + 2; ++i) {
        QString want;
        const Clock::time_point start = Clock::now();
        if (files) {
            files->setCurrentRow(i);
            want = files->item(i)->text();
            QTest::keyClick(files, Qt::Key_Return); // File1_Click on the current file
        } else {
            QFontDatabase::removeApplicationFont(id);
            id = QFontDatabase::addApplicationFont(floorDir + QLatin1Char('/') + floorFiles.at(i));
            const QStringList families = QFontDatabase::families();
            want = QFontDatabase::applicationFontFamilies(id).value(0);
            QFont f = text->font();
            f.setFamily(families.contains(want) ? want : QString());
            text->setFont(f);
        }
        // Ours draws a trial face under a family of its own, which stands for the face the
        // face-name box shows.
        QString got = QFontInfo(text->font()).family();
        if (win) {
            const QString face = win->findChild<QLineEdit *>(QStringLiteral("txFontName"))->text();
            if (got.startsWith(QLatin1String(kTrialFamilyPrefix)))
                got = face;
        }
        text->viewport()->repaint();
        const double ms = msSince(start);
        // "trial-face-0001.ttf" draws "Trial Face 0001"
        wrong += got.compare(QString(want).replace(QLatin1Char('-'), QLatin1Char(' ')).remove(QLatin1String(".ttf")),
                             Qt::CaseInsensitive) != 0;
        if (i >= 2) // the first two warm up
            times.push_back(ms);
    }
    std::printf("%.2f %.2f %d\n", median(times), *std::max_element(times.begin(), times.end()), wrong);
    return 0;
}

// ---- the scaling tables ----

struct Row
{
    int faces = 0;
    double shown = -1, bareShown = -1, idle = -1, bareIdle = -1, peak = -1, barePeak = -1, fill = -1;
    double click = -1, bareClick = -1, slowestClick = -1;
};

// Growth from 1,500 to 10,000 faces: the cost of one face at 10,000 over that at 1,500, after
// taking off the 10-face run; the aim is at most 1.25.
double growth(const std::vector<Row> &rows, double Row::*field)
{
    const Row *r10 = nullptr, *r1500 = nullptr, *r10000 = nullptr;
    for (const Row &r : rows) {
        if (r.faces == 10) r10 = &r;
        if (r.faces == 1500) r1500 = &r;
        if (r.faces == 10000) r10000 = &r;
    }
    if (!r10 || !r1500 || !r10000 || r10->*field < 0 || r1500->*field <= r10->*field)
        return -1;
    return ((r10000->*field - r10->*field) / 9990) / ((r1500->*field - r10->*field) / 1490);
}

void printTable(const char *title, const std::vector<Row> &rows)
{
    std::printf("\n%s\n", title);
    std::printf("%7s | %17s | %17s | %15s | %7s | %17s\n", "faces", "shown ms ours/bare", "idle ms ours/bare",
                "peak MiB o/b", "fill ms", "click ms ours/bare");
    for (const Row &r : rows)
        std::printf("%7d | %8.0f %8.0f | %8.0f %8.0f | %7.1f %7.1f | %7.0f | %8.2f %8.2f\n", r.faces, r.shown,
                    r.bareShown, r.idle, r.bareIdle, r.peak, r.barePeak, r.fill, r.click, r.bareClick);
    std::printf("growth per face, 10,000 against 1,500 (aim <= 1.25): shown %.2f, idle %.2f, click %.2f;"
                " bare: shown %.2f, idle %.2f\n", growth(rows, &Row::shown), growth(rows, &Row::idle),
                growth(rows, &Row::click), growth(rows, &Row::bareShown), growth(rows, &Row::bareIdle));
    const Row *at1500 = nullptr;
    for (const Row &r : rows) {
        const bool launched = r.shown >= 0 && r.bareShown > 0 && r.fill > 0;
        if (r.faces == 1500) {
            at1500 = &r;
            if (launched)
                std::printf("at 1,500: shown %.2f and idle %.2f times the bare program (aim <= 1.15); peak memory %.2f times\n",
                            r.shown / r.bareShown, r.idle / r.bareIdle, r.peak / r.barePeak);
        }
        if (r.faces != 10000)
            continue;
        if (launched)
            std::printf("at 10,000: shown %.2f times the database fill (aim <= 2), idle %.2f times (aim <= 3), peak memory %.2f"
                        " times the bare program (aim <= 1.2)\n", r.shown / r.fill, r.idle / r.fill, r.peak / r.barePeak);
        if (r.click >= 0)
            std::printf("at 10,000: click %.1f ms (aim <= 25), %.2f times the click at 1,500 (aim <= 1.5); slowest click %.1f ms\n",
                        r.click, at1500 && at1500->click > 0 ? r.click / at1500->click : -1.0, r.slowestClick);
    }
}

void makeFiles(const QString &dir, int count, const std::function<QString(int)> &name)
{
    QDir().mkpath(dir);
    for (int i = 0; i < count; ++i) {
        const QByteArray p = QFile::encodeName(dir + QLatin1Char('/') + name(i));
        const int fd = ::open(p.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
}

// listFontFiles and fillFolderNodes at 1,000, 10,000 and 100,000 entries, in this process.
void listingTable(const char *argv0, int runs)
{
    int argc = 1;
    char *argv[] = {const_cast<char *>(argv0), nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto win = std::make_unique<testenv::MainWindow>();
    QApplication::processEvents();
    auto *File1 = win->get<QListWidget>("File1");
    auto *Dir1 = win->get<QTreeWidget>("Dir1");
    const QString work = testenv::freshDir(QStringLiteral("listing"));
    std::printf("\n%-40s %12s %12s %6s\n", "listing (ms, median)", "ours", "floor", "ratio");
    for (int entries : {1000, 10000, 100000}) {
        // One folder level of subfolders, against iterating it, sorting and adding as many items.
        const QString root = work + QStringLiteral("/folders-%1").arg(entries);
        const QString dir = root + QStringLiteral("/level");
        QDir().mkpath(dir);
        for (int i = 0; i < entries; ++i)
            ::mkdir(QFile::encodeName(dir + QStringLiteral("/Folder %1").arg(i * 7919 % entries, 6, 10, QLatin1Char('0'))).constData(), 0755);
        auto freshNode = [&] { // its drive chosen anew, the node clicked
            win->chooseDrive(root);
            QTreeWidgetItem *node = win->node(QStringLiteral("level"));
            win->click(node);
            QApplication::processEvents();
            return node;
        };
        Pair p = timePair(1, runs, [&] {
            QTreeWidgetItem *node = freshNode();
            const QPoint at = Dir1->visualItemRect(node).center();
            const Clock::time_point start = Clock::now();
            QTest::mouseDClick(Dir1->viewport(), Qt::LeftButton, {}, at); // Dir1_DblClick: fillFolderNodes
            QApplication::processEvents();
            return msSince(start);
        }, [&] {
            QTreeWidgetItem *node = freshNode();
            const Clock::time_point start = Clock::now();
            // The same result: the names in an order that ignores letter case, Qt's own way.
            QStringList names;
            QDirIterator it(dir, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
            while (it.hasNext()) {
                it.next();
                names.append(it.fileName());
            }
            names.sort(Qt::CaseInsensitive);
            QList<QTreeWidgetItem *> items;
            for (const QString &name : names) {
                auto *item = new QTreeWidgetItem;
                item->setText(0, name);
                items.append(item);
            }
            node->addChildren(items);
            node->setExpanded(true);
            QApplication::processEvents();
            return msSince(start);
        });
        Dir1->clear();
        std::printf("%-40s %12.2f %12.2f %6.2f\n", qPrintable(QStringLiteral("fillFolderNodes, %1 subfolders").arg(entries)),
                    p.ours, p.floor, p.ours / p.floor);

        // A folder of files, one in a hundred a font, against iterating it.
        const QString files = work + QStringLiteral("/files-%1").arg(entries);
        makeFiles(files, entries, [](int i) {
            return i % 100 == 0 ? QStringLiteral("font %1.ttf").arg(i) : QStringLiteral("file %1.dat").arg(i);
        });
        win->chooseDrive(work);
        QTreeWidgetItem *node = win->node(QFileInfo(files).fileName());
        int listed = 0;
        p = timePair(1, runs, [&] {
            const Clock::time_point start = Clock::now();
            win->click(node); // Dir1_NodeClick: listFontFiles
            const double ms = msSince(start);
            listed = File1->count();
            return ms;
        }, [&] {
            const Clock::time_point start = Clock::now();
            QDirIterator it(files, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            int k = 0;
            while (it.hasNext()) {
                it.next();
                ++k;
            }
            volatile int sink = k;
            (void)sink;
            return msSince(start);
        });
        if (listed != entries / 100)
            std::printf("   (listed %d files, not %d)\n", listed, entries / 100);
        std::printf("%-40s %12.2f %12.2f %6.2f\n", qPrintable(QStringLiteral("listFontFiles, %1 files").arg(entries)),
                    p.ours, p.floor, p.ours / p.floor);
        QDir(dir).removeRecursively();
        QDir(files).removeRecursively();
    }
    std::printf("aim: each listing within 1.30 times its floor\n");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--child-clicks") == 0)
        return childClicks(argc, argv, std::atoi(argv[2]), QString::fromLocal8Bit(argv[3]), qstrcmp(argv[4], "ours") == 0);

    const QString self = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath(); // before the world moves the current folder
    QList<int> sizes{10, 1500, 5000, 10000};
    int runs = 5;
    int clicks = 50;
    QList<bool> designs{false, true};
    QString only;
    const QString exeDir = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    QString vexlora = exeDir + QStringLiteral("/../vexlora");
    QString bare = exeDir + QStringLiteral("/bench_fonts_bare");
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray opt = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (opt == "--sizes") {
            sizes.clear();
            for (const QString &s : value.split(QLatin1Char(',')))
                sizes << s.toInt();
        } else if (opt == "--runs") {
            runs = qMax(1, value.toInt());
        } else if (opt == "--clicks") {
            clicks = qMax(1, value.toInt());
        } else if (opt == "--design") {
            designs = value == QLatin1String("both") ? QList<bool>{false, true} : QList<bool>{value.toInt() != 0};
        } else if (opt == "--vexlora") {
            vexlora = value;
        } else if (opt == "--bare") {
            bare = value;
        } else if (opt == "--only") {
            only = value;
        }
    }

    // The tests' private world, the snooze in force; the font sets are made in it.
    testenv::prepare(testenv::standardFonts());
    const QString top = testenv::home();
    if (!snooze::writeDate(Module1::getDataFolder() + QString::fromUtf16(snooze::kFileName), QDate::currentDate()))
        return 1;
    const int most = *std::max_element(sizes.begin(), sizes.end());
    if (!makeFaces(most, top + QStringLiteral("/generated"), QStringLiteral("Bench Face"))
        || !makeFaces(clicks + 2, top + QStringLiteral("/clicks/trial"), QStringLiteral("Trial Face"))
        || !makeFaces(clicks + 2, top + QStringLiteral("/clicks/floor"), QStringLiteral("Floor Face")))
        return 1;
    const QStringList generated = QDir(top + QStringLiteral("/generated")).entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name);
    std::printf("Vexlora font benchmark: medians of %d interleaved runs, %d clicks; %ld cores, load %s\n", runs, clicks,
                sysconf(_SC_NPROCESSORS_ONLN), qPrintable(QString::fromLatin1(testenv::readBytes(QStringLiteral("/proc/loadavg"))).simplified()));

    Xcb x;
    const bool display = only != QLatin1String("listing") && x.open();
    if (!display && only != QLatin1String("listing"))
        std::printf("launch figures skipped (they need an X display: run under xvfb-run)\n");
    for (bool design : designs) {
        if (only == QLatin1String("listing"))
            break;
        std::vector<Row> rows;
        for (int faces : sizes) {
            // A set of its own: the first N generated faces, and the design faces if asked.
            const QString set = top + QStringLiteral("/sets/%1-%2").arg(faces).arg(design);
            QDir().mkpath(set + QStringLiteral("/faces"));
            for (int i = 0; i < faces && i < generated.size(); ++i)
                QFile::link(top + QStringLiteral("/generated/") + generated.at(i), set + QStringLiteral("/faces/") + generated.at(i));
            testenv::writeBytes(set + QStringLiteral("/fonts.conf"),
                                QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                               "<fontconfig><dir>%1/faces</dir>%2<cachedir>%3/cache/fontconfig</cachedir></fontconfig>\n")
                                    .arg(set, design ? QStringLiteral("<dir>%1/installed-fonts</dir>").arg(top) : QString(), top)
                                    .toUtf8());
            qputenv("FONTCONFIG_FILE", QFile::encodeName(set + QStringLiteral("/fonts.conf")));
            Row r;
            r.faces = faces;
            const QString fill = QStringLiteral("QT_QPA_PLATFORM=offscreen '%1' --fill").arg(bare);
            if (display && only != QLatin1String("clicks")) {
                qputenv("QT_QPA_PLATFORM", "xcb");
                // The first start of each also fills fontconfig's cache; it is not counted.
                launch(x, vexlora, QStringLiteral("Vexlora 1.3"));
                launch(x, bare, QStringLiteral("Bare font list"));
                std::vector<double> v[7];
                for (int i = 0; i < runs; ++i) {
                    const Launch a = launch(x, vexlora, QStringLiteral("Vexlora 1.3"));
                    const Launch b = launch(x, bare, QStringLiteral("Bare font list"));
                    const std::vector<double> f = numbersFrom(fill);
                    for (auto [k, value] : {std::pair{0, a.shownMs}, {1, b.shownMs}, {2, a.idleMs}, {3, b.idleMs},
                                            {4, a.peakMiB}, {5, b.peakMiB}, {6, f.empty() ? -1.0 : f[0]}})
                        if (value >= 0)
                            v[k].push_back(value);
                }
                r.shown = median(v[0]), r.bareShown = median(v[1]), r.idle = median(v[2]), r.bareIdle = median(v[3]);
                r.peak = median(v[4]), r.barePeak = median(v[5]), r.fill = median(v[6]);
            }
            if (only != QLatin1String("launch")) {
                // Each in a process of its own, in turn: a floor that drops fonts would drop ours too.
                std::vector<double> c[4];
                for (int i = 0; i < qMax(1, runs / 2); ++i) {
                    for (bool ours : {true, false}) {
                        const std::vector<double> v = numbersFrom(QStringLiteral("QT_QPA_PLATFORM=offscreen '%1' --child-clicks %2 '%3/clicks/trial' %4")
                                                                      .arg(self).arg(clicks).arg(top, ours ? "ours" : "bare"));
                        if (v.size() != 3) {
                            std::printf("   (the click child failed at %d faces)\n", faces);
                            continue;
                        }
                        c[ours ? 0 : 1].push_back(v[0]);
                        if (ours)
                            c[2].push_back(v[1]);
                        if (v[2] != 0)
                            std::printf("   (%g %s clicks showed another face than the file's)\n", v[2], ours ? "of our" : "bare");
                    }
                }
                r.click = median(c[0]), r.bareClick = median(c[1]);
                r.slowestClick = c[2].empty() ? -1 : *std::max_element(c[2].begin(), c[2].end());
            }
            rows.push_back(r);
            std::fflush(stdout);
        }
        printTable(design ? "With the design faces (Arial, Tahoma) installed:" : "Without the design faces:", rows);
        std::fflush(stdout);
    }
    qunsetenv("FONTCONFIG_FILE");
    qputenv("FONTCONFIG_FILE", QFile::encodeName(top + QStringLiteral("/fonts.conf")));
    if (only.isEmpty() || only == QLatin1String("listing"))
        listingTable(argv[0], runs);
    return 0;
}
