// Puts the Advisory page on screen with two alerts (the second selected) and
// the new-alert pop-up beside a drawn tray, with the temperature icon and an
// alert frame in it.
//   alert-gallery [seconds]
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <memory>

#include "controls/Lists.h"
#include "mainwindow/AdvisoryView.h"
#include "mainwindow/Tray.h"
#include "platform/FormatSettings.h"
#include "service/WxService.h"

namespace {
struct TGalleryAlert : TCustomAlertItem {
    std::string Event, Headline, Description, Web, Geocode;
    TDateTime Effective = 0, Expires = 0;
    std::string GetEvent() const override { return Event; }
    std::string GetHeadline() const override { return Headline; }
    std::string GetDescription() const override { return Description; }
    std::string GetWeb() const override { return Web; }
    std::string GetGeocode(int i) const override { return i == 0 ? Geocode : std::string(); }
    TDateTime GetEffective() const override { return Effective; }
    TDateTime GetExpires() const override { return Expires; }
};

struct TGalleryAlerts : TAlerts {
    explicit TGalleryAlerts(void *owner) : TAlerts(owner, [] { return std::make_unique<TGalleryAlert>(); }) {}
    TDateTime Sent = 0;
    TDateTime GetSent() const override { return Sent; }
};

class TGalleryService : public TCustomWxService {
public:
    explicit TGalleryService(void *owner) : TCustomWxService(owner) {
        name_ = "Gallery";
        cityName_ = "Austin, TX";
        auto alerts = std::make_unique<TGalleryAlerts>(this);
        const TDateTime start = EncodeDate(2024, 5, 1) + EncodeTime(18, 40, 0);
        alerts->Sent = start;
        auto *a = static_cast<TGalleryAlert *>(alerts->Add());
        a->Event = "Tornado Warning";
        a->Headline = "Tornado Warning issued May 1 at 6:40PM CDT until May 1 at 7:45PM CDT by NWS Austin/San Antonio";
        a->Description =
            "The National Weather Service in Austin/San Antonio has issued a\n"
            "* Tornado Warning for...\n  Central Travis County in south central Texas...\n"
            "* Until 745 PM CDT.\n"
            "* At 640 PM CDT, a severe thunderstorm capable of producing a tornado was located near "
            "Oak Hill, moving northeast at 25 mph.\n\n"
            "PRECAUTIONARY/PREPAREDNESS ACTIONS...\n"
            "TAKE COVER NOW! Move to a basement or an interior room on the lowest floor of a sturdy building.";
        a->Web = "http://alerts.weather.gov/cap/wwacapget.php?x=TX124F3A8B1C20.TornadoWarning";
        a->Effective = start;
        a->Expires = start + 65.0 / 1440;
        a->Geocode = "TXC453";
        auto *b = static_cast<TGalleryAlert *>(alerts->Add());
        b->Event = "Flood Watch";
        b->Headline = "Flood Watch issued May 1 at 3:12PM CDT until May 2 at 7:00AM CDT";
        b->Description =
            "The Flood Watch continues for portions of south central Texas, including Travis and Hays "
            "counties, through Thursday morning.\n\n"
            "* Heavy rainfall of 2 to 4 inches with isolated totals up to 6 inches is possible.\n"
            "* Runoff may cause flooding of rivers, creeks, streams and other low-lying areas.";
        b->Web = "http://alerts.weather.gov/cap/wwacapget.php?x=TX124F3A8B0E10.FloodWatch";
        b->Effective = EncodeDate(2024, 5, 1) + EncodeTime(15, 12, 0);
        b->Expires = EncodeDate(2024, 5, 2) + EncodeTime(7, 0, 0);
        b->Geocode = "TXC453";
        alerts_ = std::move(alerts);
    }
};
}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 8;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    QLabel desk;
    desk.setWindowFlags(Qt::FramelessWindowHint);
    desk.setGeometry(screen);
    desk.setStyleSheet("background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #24466e, stop:1 #7d9cc0);"
                       "color: #e8eef8; font-size: 22px;");
    desk.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    desk.setText("  Tolvu alert gallery");
    desk.show();

    // A tray strip along the bottom of the screen.
    QWidget panel;
    panel.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    panel.setStyleSheet("background: #202830;");
    panel.setGeometry(screen.left(), screen.bottom() - 31, screen.width(), 32);
    auto *strip = new QHBoxLayout(&panel);
    strip->setContentsMargins(8, 2, 8, 2);
    strip->addStretch();
    auto *alertIcon = new QLabel(&panel);
    auto *tempIcon = new QLabel(&panel);
    strip->addWidget(alertIcon);
    strip->addWidget(tempIcon);
    auto *clock = new QLabel("6:41 PM", &panel);
    clock->setStyleSheet("color: #e0e6ee;");
    strip->addWidget(clock);
    panel.show();

    TGalleryService svc(nullptr);
    QWidget page;
    page.setWindowTitle("Tolvu - Advisory");
    auto *lay = new QHBoxLayout(&page);
    lay->setContentsMargins(0, 0, 0, 0);
    auto *view = new TAdvisoryView(&page);
    lay->addWidget(view);
    view->CurrentService = [&] { return &svc; };
    view->ShowAlerts(&svc);
    view->clbAdvisories->setCurrentRow(1);
    page.resize(560, 400);
    page.move(40, 60);
    page.show();

    TTray tray(&page);
    tray.IsHidden = [] { return true; };
    QFont iconFont("DejaVu Sans", 30, QFont::Bold);
    tray.UpdateTemperatureIcon(QString::fromUtf8("105\xC2\xB0"), &svc, 0x000080, iconFont);
    tempIcon->setPixmap(QPixmap::fromImage(tray.TemperatureImage()).scaled(28, 28, Qt::KeepAspectRatio,
                                                                          Qt::SmoothTransformation));
    alertIcon->setPixmap(AlertTrayFrames().first().scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    QTimer::singleShot(400, [&] {
        const QPoint trayPos = panel.mapToGlobal(tempIcon->geometry().topLeft());
        tray.SetFixedTrayPosition(trayPos);
        view->ShowAlerts(&svc);
        view->clbAdvisories->setCurrentRow(1);
        tray.AlertNotice("Advisory", svc.Alerts() ? QString::fromStdString(
                                                        svc.Alerts()->Items(0)->GetHeadline()).toUpper()
                                                  : QString());
    });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
