// The forecast strip filled from a service's periods: tiles made and removed,
// their names, colours and captions, the inset and the forecast balloon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>

#include "mainwindow/ForecastView.h"
#include "platform/Clock.h"
#include "service/WxService.h"

namespace {

TDateTime At(int y, int m, int d, int h) { return EncodeDate(y, m, d) + EncodeTime(h, 0, 0); }

// Forecast periods held in memory, as a service has them after a parse.
class TMemoryForecastService : public TCustomWxService {
public:
    explicit TMemoryForecastService(const std::string &name = "NWS") : TCustomWxService(nullptr) { name_ = name; }
    std::string forecastTime;
    std::string GetForecastTime() override { return forecastTime; }

    // 12-hour periods from today 06:00 on, day and night in turn.
    void FillPeriods(int count, TDateTime firstStart) {
        Forecasts().Clear();
        for (int i = 0; i < count; ++i) {
            TForecastItem *p = Forecasts().Add();
            p->Date = firstStart + i * 0.5;
            p->Name = i % 2 ? "Night " + std::to_string(i) : "Day " + std::to_string(i);
            p->Summary = "Sunny";
            p->Detail = p->Name + ": Sunny, with a high near 70.";
            p->HighTemp = 70 + i;
            p->LowTemp = 50 + i;
            p->PrecipText = std::to_string(10 * i) + "%";
            p->IconName = "40.png";
        }
    }
};

class ForecastView : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::Set(At(2024, 3, 13, 9));  // a Wednesday
        options.PlaySound = [this](const std::string &path) { sounds.push_back(path); };
        strip.SetOptions(options);
    }
    void TearDown() override { Clock::UseSystem(); }

    TForecastOptions options = TForecastOptions::WithColours(0x800000, 0xF0CAA6, 0xC0DCC0);
    TForecastStrip strip;
    TMemoryForecastService svc;
    std::vector<std::string> sounds;
};

}  // namespace

TEST_F(ForecastView, TilesFollowThePeriodCountEightPixelsApart) {
    svc.FillPeriods(14, At(2024, 3, 13, 6));
    strip.ShowForecast(svc);
    ASSERT_EQ(strip.TileCount(), 14);
    for (int i = 1; i < 14; ++i) {
        const TDayControl *t = strip.Tile(i);
        EXPECT_EQ(t->objectName(), QString("Day%1").arg(i));
        EXPECT_EQ(t->x(), strip.Tile(i - 1)->x() + 114 + 8) << i;
    }
    EXPECT_EQ(strip.Tile(0)->x(), 10);
    TDayControl *kept = strip.Tile(9);

    svc.FillPeriods(10, At(2024, 3, 13, 6));
    strip.ShowForecast(svc);
    EXPECT_EQ(strip.TileCount(), 10);
    EXPECT_EQ(strip.Tile(9), kept);
    EXPECT_EQ(strip.findChildren<TDayControl *>().size(), 10);

    svc.FillPeriods(12, At(2024, 3, 13, 6));
    strip.ShowForecast(svc);
    ASSERT_EQ(strip.TileCount(), 12);
    EXPECT_EQ(strip.Tile(11)->objectName(), "Day11");
    EXPECT_EQ(strip.Tile(11)->x(), 10 + 11 * 122);

    // An empty forecast leaves the strip as it was.
    svc.Forecasts().Clear();
    strip.ShowForecast(svc);
    EXPECT_EQ(strip.TileCount(), 12);
}

TEST_F(ForecastView, TilesAreNamedAndColouredByTheirStart) {
    svc.FillPeriods(5, At(2024, 3, 13, 6));
    svc.Forecasts().Items(0)->Summary = "Lluvia y nieve";
    svc.Forecasts().Items(1)->Detail = "";
    strip.ShowForecast(svc);

    const TDayControl *today = strip.Tile(0);
    EXPECT_EQ(today->OfWeek()->Caption(), "Today");
    EXPECT_FALSE(today->Night());
    EXPECT_EQ(today->DateText()->Caption(), "13th");
    EXPECT_EQ(today->Summary(), "Lluvia nieve");
    EXPECT_EQ(today->Info(), "0%");
    EXPECT_EQ(today->Hint(), "Day 0: Sunny, with a high near 70.");
    EXPECT_EQ(today->ClientColor(), 0xF0CAA6u);
    EXPECT_EQ(today->ClientColor2(), clBtnFace);
    EXPECT_EQ(today->TagColor(), 0xF0CAA6u);
    EXPECT_EQ(today->FontColor(), 0x800000u);  // the window colour, on the light tile

    const TDayControl *tonight = strip.Tile(1);
    EXPECT_EQ(tonight->OfWeek()->Caption(), "Tonight");
    EXPECT_TRUE(tonight->Night());
    EXPECT_EQ(tonight->DateText()->Caption(), "");
    EXPECT_EQ(tonight->Hint(), "Forecast Detail not available.");
    EXPECT_EQ(tonight->ClientColor2(), 0x494949u);
    EXPECT_EQ(tonight->FontColor(), 0xF0F0F0u);
    EXPECT_EQ(tonight->TagColor(), clBtnHighlight);

    EXPECT_EQ(strip.Tile(2)->OfWeek()->Caption(), "Tomorrow");
    EXPECT_EQ(strip.Tile(3)->OfWeek()->Caption(), "Night");
    EXPECT_EQ(strip.Tile(4)->OfWeek()->Caption(), "Friday");
    EXPECT_EQ(strip.Tile(4)->DateText()->Caption(), "15th");
}

TEST_F(ForecastView, FirstTonightTileShowsItsDateWithATranslatedName) {
    const std::vector<std::string> lang = {"TONIGHT=Tonight", "NIGHT=Night", "TODAY=Today"};
    options.Lang = TLangView(&lang);
    svc.FillPeriods(4, At(2024, 3, 13, 18));
    strip.ShowForecast(svc, options);
    EXPECT_EQ(strip.Tile(0)->OfWeek()->Caption(), "Tonight");
    EXPECT_EQ(strip.Tile(0)->DateText()->Caption(), "13th");
    // Only the first tile: later night tiles stay without a date.
    EXPECT_EQ(strip.Tile(2)->DateText()->Caption(), "");
}

TEST_F(ForecastView, TemperatureLabelsFor12And24HourPeriods) {
    svc.FillPeriods(2, At(2024, 3, 13, 6));
    strip.ShowForecast(svc);
    EXPECT_TRUE(strip.Tile(0)->HighLabel()->isVisibleTo(&strip));
    EXPECT_FALSE(strip.Tile(0)->LowLabel()->isVisibleTo(&strip));
    EXPECT_EQ(strip.Tile(0)->High(), "High: 70\u00B0");
    EXPECT_EQ(strip.Tile(0)->HighLabel()->Alignment(), Qt::AlignHCenter);
    EXPECT_FALSE(strip.Tile(1)->HighLabel()->isVisibleTo(&strip));
    EXPECT_EQ(strip.Tile(1)->Low(), "Low: 51\u00B0");

    svc.SetPeriods12(false);
    const std::vector<std::string> lang = {"LOW=Low"};
    options.Lang = TLangView(&lang);
    strip.ShowForecast(svc, options);
    const TDayControl *t = strip.Tile(1);
    EXPECT_TRUE(t->HighLabel()->isVisibleTo(&strip));
    EXPECT_TRUE(t->LowLabel()->isVisibleTo(&strip));
    EXPECT_EQ(t->High(), ": 71\u00B0");
    EXPECT_EQ(t->HighLabel()->Alignment(), Qt::AlignLeft);
    EXPECT_EQ(t->Low(), "Low: 51\u00B0");
    EXPECT_EQ(t->LowLabel()->Alignment(), Qt::AlignRight);
}

TEST_F(ForecastView, InsetTextAndItsScrollBar) {
    svc.FillPeriods(3, At(2024, 3, 13, 18));
    svc.Forecasts().Items(0)->Detail = "";
    strip.ShowForecast(svc);
    EXPECT_EQ(strip.glDetail->Caption(),
              "Night 1: Sunny, with a high near 70.\r\n\r\nDay 2: Sunny, with a high near 70.");
    EXPECT_TRUE(strip.InsetScrollBar->isHidden());

    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "Showers and thunderstorms likely after noon. ";
    svc.Forecasts().Items(1)->Detail = longText;
    strip.ShowForecast(svc);
    EXPECT_FALSE(strip.InsetScrollBar->isHidden());
    EXPECT_EQ(strip.InsetScrollBar->maximum(), qRound(strip.glDetail->height() * 0.72));
    strip.InsetScrollBar->setValue(60);
    EXPECT_EQ(strip.glDetail->y(), -60);

    // No detail anywhere: the language's placeholder.
    const std::vector<std::string> lang = {"glDetail=Sin detalles"};
    options.Lang = TLangView(&lang);
    for (int i = 0; i < 3; ++i) svc.Forecasts().Items(i)->Detail = "";
    strip.ShowForecast(svc, options);
    EXPECT_EQ(strip.glDetail->Caption(), "Sin detalles");
    EXPECT_TRUE(strip.InsetScrollBar->isHidden());
    EXPECT_EQ(strip.InsetScrollBar->value(), 0);
}

TEST_F(ForecastView, InsetTabTogglesAndTheTimerHidesAnInsetTheServiceLacks) {
    EXPECT_TRUE(strip.InsetOpen());
    EXPECT_EQ(strip.nInset->BodyWidth(), 200);
    strip.ToggleInset();
    EXPECT_FALSE(strip.InsetOpen());
    EXPECT_EQ(strip.nInset->BodyWidth(), 4);
    EXPECT_EQ(strip.nInset->TabText(), "   \u00AB   ");
    strip.ToggleInset();
    EXPECT_EQ(strip.nInset->BodyWidth(), 200);
    EXPECT_EQ(strip.nInset->TabText(), "   \u00BB   ");
    EXPECT_EQ(strip.glDetail->width(), strip.nInset->ClientRect().width() - 4);

    svc.SetHasInset(false);
    strip.InsetTimerTick(&svc);
    EXPECT_TRUE(strip.nInset->isHidden());
    svc.SetHasInset(true);
    strip.InsetTimerTick(&svc);
    EXPECT_FALSE(strip.nInset->isHidden());
    strip.InsetTimerTick(nullptr);
    EXPECT_TRUE(strip.nInset->isHidden());
}

TEST_F(ForecastView, ForecastSoundAndTimeCaption) {
    svc.FillPeriods(2, At(2024, 3, 13, 6));
    svc.forecastTime = "2024-03-13T08:00:00";
    options.NotifySound = true;
    const QString caption = strip.ShowForecast(svc, options);
    EXPECT_TRUE(caption.startsWith("Forecast for 3/13/2024")) << caption.toStdString();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_NE(sounds[0].find("Sound/Connect.wav"), std::string::npos);

    options.AlertRunning = true;  // the alert's own sound wins
    strip.ShowForecast(svc, options);
    options.AlertRunning = false;
    TMemoryForecastService acu("Acu");
    acu.FillPeriods(2, At(2024, 3, 13, 6));
    strip.ShowForecast(acu, options);
    options.NotifySound = false;
    strip.ShowForecast(svc, options);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(ForecastView, HoveringATileShowsTheForecastBalloon) {
    svc.FillPeriods(4, At(2024, 3, 13, 6));
    svc.Forecasts().Items(3)->Detail = "Friday Night: Rain likely.";
    strip.ShowForecast(svc);
    strip.show();
    TDayControl *t = strip.Tile(3);
    QHelpEvent he(QEvent::ToolTip, QPoint(20, 20), t->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(t, &he);

    TForecastBalloon *b = strip.Balloon();
    ASSERT_TRUE(b->isVisible());
    EXPECT_EQ(b->Header(), "Forecast for  Friday Night");
    EXPECT_EQ(b->BodyText(), "     Rain likely.");
    EXPECT_EQ(b->Icon(), ikCustom);
    EXPECT_EQ(b->AlphaValue(), 212);
    EXPECT_LE(b->width(), 232 + 32);
    EXPECT_TRUE(b->HideTimerPending());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(t, &leave);
    EXPECT_FALSE(b->isVisible());
}

TEST(ForecastIcons, WordsRefineTheGenericPictures) {
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"40.PNG", "Rain and snow", "36.PNG"},  {"41.PNG", "Light Snow", "35.PNG"},
        {"40.PNG", "Flurries", "34.PNG"},       {"41.PNG", "Mostly Cloudy", "39.PNG"},
        {"40.PNG", "Blustery", "38.PNG"},       {"40.PNG", "Sunny", "40.PNG"},
        {"41.PNG", "Clear", "41.PNG"},          {"32.PNG", "Rain", "32.PNG"},
        {"40.PNG", "", "40.PNG"},
    };
    for (const auto &[picture, words, out] : cases) EXPECT_EQ(ChooseByWords(picture, words), out) << words;
}
