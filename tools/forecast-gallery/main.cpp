// Shows the forecast strip with a week of 12-hour periods, the open inset and
// the forecast balloon over one tile, in the program's default colours.
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "controls/WinCtrls.h"
#include "mainwindow/ForecastView.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "service/WxService.h"

namespace {

// A week of periods kept in memory, the way a service holds them after a parse.
class TGalleryService : public TCustomWxService {
public:
    TGalleryService() : TCustomWxService(nullptr) {
        name_ = "NWS";
        SetHasInset(true);
        struct Period {
            const char *name, *summary, *detail, *icon, *precip;
            int high, low;
        } periods[] = {
            {"Today", "Chance Showers", "Today: A chance of showers after 1pm. Mostly cloudy, with a high near 64. "
             "South wind around 9 mph. Chance of precipitation is 40%.", "40.png", "40%", 64, 0},
            {"Tonight", "Showers Likely", "Tonight: Showers likely, mainly before 2am. Cloudy, with a low around 49. "
             "Southwest wind 6 to 9 mph. Chance of precipitation is 70%. New rainfall amounts between a tenth and "
             "quarter of an inch possible.", "41.png", "70%", 0, 49},
            {"Thursday", "Mostly Sunny", "Thursday: Mostly sunny, with a high near 68.", "32.png", "10%", 68, 0},
            {"Thursday Night", "Partly Cloudy", "Thursday Night: Partly cloudy, with a low around 47.", "29.png",
             "", 0, 47},
            {"Friday", "Sunny", "Friday: Sunny, with a high near 71.", "32.png", "", 71, 0},
            {"Friday Night", "Rain Likely", "Friday Night: Rain likely. Cloudy, with a low around 52. Chance of "
             "precipitation is 60%.", "41.png", "60%", 0, 52},
            {"Saturday", "Rain", "Saturday: Rain. High near 58. Chance of precipitation is 90%.", "40.png", "90%", 58,
             0},
            {"Saturday Night", "Rain And Snow", "Saturday Night: Rain and snow. Low around 33.", "41.png", "80%", 0,
             33},
            {"Sunday", "Snow Showers", "Sunday: Snow showers likely. High near 38.", "40.png", "60%", 38, 0},
            {"Sunday Night", "Mostly Cloudy", "Sunday Night: Mostly cloudy, with a low around 27.", "41.png", "",
             0, 27},
            {"Monday", "Sunny", "Monday: Sunny, with a high near 45.", "32.png", "", 45, 0},
            {"Monday Night", "Clear", "Monday Night: Clear, with a low around 30.", "31.png", "", 0, 30},
            {"Tuesday", "Breezy", "Tuesday: Sunny and breezy, with a high near 52.", "24.png", "", 52, 0},
            {"Tuesday Night", "Mostly Clear", "Tuesday Night: Mostly clear, with a low around 35.", "33.png", "", 0,
             35},
        };
        const TDateTime first = Clock::Today() + 0.25;
        int i = 0;
        for (const Period &p : periods) {
            TForecastItem *f = Forecasts().Add();
            f->Name = p.name;
            f->Summary = p.summary;
            f->Detail = p.detail;
            f->IconName = p.icon;
            f->PrecipText = p.precip;
            f->HighTemp = p.high;
            f->LowTemp = p.low;
            f->Date = first + 0.5 * i++;
        }
    }
    std::string GetForecastTime() override { return "2024-03-13T05:00:00"; }
};

class TBackdrop : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        FillGradient(p, rect(), 0xFFFFFF, clNavy, true, true);
    }
};

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    SetSoundOutputEnabled(false);
    // Today at 09:00, so the first tile is "Today".
    Clock::Set(Clock::Today() + 0.375);

    TBackdrop window;
    window.setWindowTitle(QStringLiteral("Forecast strip"));
    window.resize(621, 215);
    window.move(0, 0);

    TGalleryService svc;
    TForecastStrip strip(&window);
    strip.setGeometry(18, 20, 585, 175);
    TForecastOptions options = TForecastOptions::WithColours(0x800000, 0xF0CAA6, 0xC0DCC0);
    strip.ShowForecast(svc, options);
    window.show();

    // The balloon over the first tile.
    QTimer::singleShot(600, &strip, [&strip] {
        if (TDayControl *t = strip.Tile(0)) {
            const QPoint at(20, 40);
            QHelpEvent he(QEvent::ToolTip, at, t->mapToGlobal(at));
            QApplication::sendEvent(t, &he);
        }
    });
    return app.exec();
}
