// Puts the notification windows on screen the way the program uses them:
// the alert pop-up beside the tray corner, a forecast balloon and the
// splash window, over a desktop-like background.
//   popup-gallery [seconds]
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "controls/nBalloonHint.h"
#include "controls/nPopUp.h"
#include "dialogs/Splash.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 8;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    QLabel desk;
    desk.setWindowFlags(Qt::FramelessWindowHint);
    desk.setGeometry(screen);
    desk.setStyleSheet("background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #1d3c6e, stop:1 #6a8fb8);"
                       "color: #e8eef8; font-size: 28px;");
    desk.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    desk.setText("  Tolvu pop-up gallery");
    desk.show();

    TSplashScreen splash;
    splash.CloseInterval = 60000;
    splash.move(40, 60);

    TnPopUp alert;
    alert.SetColor(ColorFromBGR(0xC0E0FF));
    alert.SetFrameColor(QColor());
    alert.SetIcon(ikWarning);
    alert.SetHeader("Tornado Warning");
    QFont hf = alert.HeaderFont();
    hf.setPointSize(12);
    alert.SetHeaderFont(hf);
    alert.SetHeaderColor(QColor(160, 20, 20));
    alert.SetHeaderGlow(QColor(0, 0, 0));
    QFont bf = alert.BodyFont();
    bf.setPointSize(10);
    alert.SetBodyFont(bf);
    alert.SetMaxWidth(320);

    TBalloonHints *hints = TBalloonHints::Create(&desk);
    hints->AlphaValue = 212;
    hints->FrameColor = ColorFromBGR(0x494949);
    hints->Icon = ikInformation;
    hints->Header = "Click here to. . .";
    hints->ShowHeader = true;
    hints->ShowIcon = true;
    hints->HeaderGlow = QColor(0, 255, 255);
    QFont hhf = hints->HeaderFont;
    hhf.setPointSize(10);
    hints->HeaderFont = hhf;
    hints->HeaderFontColor = QColor(0, 102, 204);

    QTimer::singleShot(300, [&] {
        splash.show();
        alert.Show("A tornado warning is in effect for Travis County until 7:45 PM CDT. "
                   "Take cover now in a basement or an interior room.",
                   QPoint(screen.right() - 40, screen.bottom() - 10), 0);
        hints->ShowBalloon(QPoint(620, 470), 200, true, nullptr,
                           "Tonight: Mostly clear, with a low around 41. North wind 5 to 10 mph.");
    });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
