// Shows the Imagery page against the demo radar pictures (served by the
// replay server) beside the image options window, and saves a screenshot.
//   usage: imagery-gallery <demo radar dir> [out.png]
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSlider>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "ReplayServer.h"
#include "app/IniSettings.h"
#include "imagery/ImgOptions.h"
#include "imagery/NWSRxImages.h"
#include "mainwindow/ImageryView.h"
#include "service/DataMod.h"
#include "service/Servers.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: imagery-gallery <demo radar dir> [out.png]\n");
        return 2;
    }
    // A private profile, so the gallery never touches the user's cache.
    const QString profile = QDir::tempPath() + "/tolvu-imagery-gallery";
    QDir(profile).removeRecursively();
    qputenv("XDG_DATA_HOME", profile.toLocal8Bit());

    TReplayServer server(argv[1]);
    if (!server.Start()) return 1;
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
    SetServerOverride(TServer::NWSRadar, base);
    SetServerOverride(TServer::NWSWeb, base);

    TData data;
    TIniSettings ini;
    TNWSRxImages rx(&data);
    QWidget window;
    window.setWindowTitle("Imagery");
    window.setStyleSheet("background:#1c2a4a; color:white;");
    auto *view = new TImageryView(&window);
    view->setGeometry(0, 0, 640, 600);
    auto *options = new TImgOptionForm(&window);
    options->setWindowFlags(Qt::Widget);
    options->setStyleSheet("background:#e8e8e8; color:black;");
    options->move(650, 10);
    view->SetOptionsWindow(options);
    view->SetContext(&data, &ini, "NWS");
    view->SetImages(&rx, true);
    rx.IsHostVisible = [&] { return window.isVisible(); };
    window.resize(930, 600);
    window.show();
    view->SelectImageSetByKey(27);  // LWX, Sterling VA
    view->dbFilters->setCurrentIndex(view->dbFilters->findText("Local"));
    rx.SetOption("Warnings", true);
    view->ImgOptionsClick();
    options->Transparency->setValue(8);
    view->FWxImage->ZoomToRect(QRect(60, 80, 480, 400));
    app.processEvents();

    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString("imagery-gallery.png");
    window.grab().save(out);
    std::printf("%s\n", out.toLocal8Bit().constData());
    return 0;
}
