// The floor of the launch figure in bench_fonts: the least a Qt program does to show a window
// listing the installed font families. bench_fonts starts it and times it; run alone, it just
// shows the list.
#include <QApplication>
#include <QFontDatabase>
#include <QListWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QListWidget list;
    list.setWindowTitle(QStringLiteral("Bare font list"));
    list.addItems(QFontDatabase::families());
    list.resize(640, 514);
    list.show();
    return app.exec();
}
