// The floors of the launch figures in bench_fonts: the least a Qt program does to show a window
// listing the installed font families, and, with --fill, the time Qt's font database takes to
// fill in a bare QGuiApplication (printed in ms). bench_fonts starts it and times it; run alone,
// it just shows the list.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QListWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--fill") == 0) {
        QGuiApplication app(argc, argv);
        QElapsedTimer timer;
        timer.start();
        const qsizetype n = QFontDatabase::families().size();
        std::printf("%.2f %lld\n", timer.nsecsElapsed() / 1e6, static_cast<long long>(n));
        return 0;
    }
    QApplication app(argc, argv);
    QListWidget list;
    list.setWindowTitle(QStringLiteral("Bare font list"));
    list.addItems(QFontDatabase::families());
    list.resize(640, 514);
    list.show();
    return app.exec();
}
