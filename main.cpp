#include <QApplication>

#include "app/Module1.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Module1::Main();
    return app.exec();
}
