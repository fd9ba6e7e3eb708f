#include "app/AppMain.h"

#include <QApplication>
#include <QMainWindow>

int RunTolvu(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Weather");
    QMainWindow w;
    w.setWindowTitle("Tolvu");
    w.resize(621, 490);
    w.show();
    return QApplication::exec();
}
