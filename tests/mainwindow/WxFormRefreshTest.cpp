// The refresh cycle of the main window against a service whose documents
// never matter here: its values are set by the test, and its connection test
// really connects to a local server that the test can stop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <httplib.h>

#include "app/IniSettings.h"
#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "controls/nGauges.h"
#include "dialogs/MsgHook.h"
#include "mainwindow/Unit01.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "service/ServiceFactory.h"
#include "support/TestSupport.h"

namespace {

struct TFakeValues {
    int Temperature = 90, FeelsLike = 100, Humidity = 65, Direction = 200;
    std::string Speed = "10", Gust = "0", Dew = "54 F (12 C)", Pressure = "1013 mb", Moon = "Waxing Gibbous";
    std::string Conditions = "Partly Cloudy", Visibility = "10.00", Observed = "Dec 11 2026, 1:52 pm EST";
};

class TFakeWx : public TCustomWxService {
public:
    explicit TFakeWx(void *owner) : TCustomWxService(owner) {
        SetDescription("Test Weather");
    }
    static TFakeValues Values;
    static int CurrentCalls, ForecastCalls;
    static std::function<void()> DuringRefresh;

    int GetTemperature() override { return Values.Temperature; }
    int GetFeelsLike() override { return Values.FeelsLike; }
    int GetHumidity() override { return Values.Humidity; }
    int GetWindDirection() override { return Values.Direction; }
    std::string GetWindSpeed() override { return Values.Speed; }
    std::string GetWindGust() override { return Values.Gust; }
    std::string GetDewPoint() override { return Values.Dew; }
    std::string GetPressure() override { return Values.Pressure; }
    std::string GetMoonPhase() override { return Values.Moon; }
    std::string GetConditions() override { return Values.Conditions; }
    std::string GetVisibility() override { return Values.Visibility; }
    std::string GetObservationTime() override { return Values.Observed; }
    std::string GetLocationCaption() override { return "Washington, DC"; }
    std::string GetSunrise() override { return "7:16 am"; }
    std::string GetSunset() override { return "4:46 pm"; }
    void RefreshCurrent() override {
        ++CurrentCalls;
        if (DuringRefresh) DuringRefresh();
        DoCurrentUpdated();
    }
    void RefreshForecast() override {
        ++ForecastCalls;
        if (DuringRefresh) DuringRefresh();
        DoForecastUpdated();
    }
};
TFakeValues TFakeWx::Values;
int TFakeWx::CurrentCalls = 0, TFakeWx::ForecastCalls = 0;
std::function<void()> TFakeWx::DuringRefresh;

// A profile whose NWS section points at the local server, with the fake
// service standing in for NWS.
class WxFormRefresh : public ::testing::Test {
protected:
    void SetUp() override {
        SetSoundOutputEnabled(false);
        TFakeWx::Values = TFakeValues();
        TFakeWx::CurrentCalls = TFakeWx::ForecastCalls = 0;
        TFakeWx::DuringRefresh = nullptr;
        server.Server().Get("/", [](const httplib::Request &, httplib::Response &res) { res.set_content("ok", "text/plain"); });
        server.Start();
        ForceDirectories(ProfilePath());
        TIniSettings ini(ProfilePath() + SettingsFileName());
        ini.WriteString("Service", "Default", "Service0");
        ini.WriteString("Services", "Service0", "The US National Weather Service");
        ini.WriteString("Service0", "Name", "NWS");
        ini.WriteString("Service0", "httpBase", server.Url(""));
        ini.WriteString("Service0", "Location", "KDCA");
        ini.WriteString("Service0", "Latitude", "38.85");
        ini.WriteString("Service0", "Longitude", "-77.03");
        ini.UpdateFile();
        RegisterServiceMaker("NWS", [](void *owner, std::uint8_t n, TIniSettings *s) {
            return std::unique_ptr<TCustomWxService>(CreateWxService<TFakeWx>(owner, n, s));
        });
        ClearMsgQueue();
        ClearMsgHistory();
    }
    void TearDown() override {
        RegisterServiceMaker("NWS", {});
        TFakeWx::DuringRefresh = nullptr;
        Clock::UseSystem();
        ClearMsgQueue();
    }
    TempProfile profile;
    LocalHttpServer server;
};

QString caption(TgLabel *l) { return l->Caption(); }

}  // namespace

TEST_F(WxFormRefresh, FirstRefreshFillsTheCurrentPage) {
    TWxForm form;
    ASSERT_NE(form.Service(), nullptr);
    EXPECT_EQ(TFakeWx::CurrentCalls, 1);
    EXPECT_EQ(TFakeWx::ForecastCalls, 1);
    EXPECT_EQ(form.ConnectedGlyph, 16);
    EXPECT_EQ(caption(form.glTemperature), "90°");
    EXPECT_EQ(form.Temperature->Value(), 90);
    EXPECT_EQ(form.Temperature->Beta(), 100);
    EXPECT_EQ(caption(form.glHeatIndex), "Feels Like 95°");
    EXPECT_EQ(caption(form.glHumidity), "65%");
    EXPECT_EQ(form.HumidityGauge->Value(), 65);
    EXPECT_EQ(form.Compass->Degree(), 200);
    EXPECT_EQ(caption(form.glDewPoint), "54 F ");
    EXPECT_EQ(caption(form.glBarometer), "29.91 in.");
    EXPECT_EQ(form.PressureGlyph, 22);  // first reading, no trend words
    EXPECT_EQ(caption(form.glWindSpeed), "10 mph");
    EXPECT_EQ(caption(form.WindGustLabel), " Steady ");
    EXPECT_EQ(caption(form.glWindGust), "");
    EXPECT_EQ(caption(form.glVisibility), "Visibility: 10.00 mi.");
    EXPECT_EQ(caption(form.glWeather), "Partly Cloudy");
    EXPECT_EQ(caption(form.glSunRise), "7:16 am");
    EXPECT_EQ(caption(form.glMoonPhase), "Waxing Gibbous");
    EXPECT_EQ(form.MoonPicture, 3);
    EXPECT_EQ(form.glLocation->text(), "For Washington, DC");
    EXPECT_EQ(form.glLatitude->text(), "Latitude: 38.85");
    EXPECT_EQ(form.glCurrentTime->text(), "Current: Dec 11 2026, 1:52 pm EST");
    EXPECT_TRUE(form.iBtnHistory->isEnabled());  // the base service's history page is its server

    // The next readings: rising barometer, gusts, a wind chill, an unknown moon text.
    TFakeWx::Values.Pressure = "30.05 in.";
    TFakeWx::Values.Gust = "22";
    TFakeWx::Values.Temperature = -5;
    TFakeWx::Values.FeelsLike = -10;
    TFakeWx::Values.Moon = "Blue";
    form.RefreshCurrentView();
    EXPECT_EQ(form.PressureGlyph, 20);
    EXPECT_EQ(caption(form.glHeatIndex), "Feels Like -7°");
    EXPECT_EQ(caption(form.WindGustLabel), " Gusts to: ");
    EXPECT_EQ(caption(form.glWindGust), "22 mph");
    EXPECT_EQ(caption(form.glMoonPhase), "Blue");
    EXPECT_EQ(form.MoonPicture, 3);
    form.RefreshCurrentView();
    EXPECT_EQ(form.PressureGlyph, 22);  // same value twice
    TFakeWx::Values.Pressure = "29.95 in.";
    form.RefreshCurrentView();
    EXPECT_EQ(form.PressureGlyph, 21);
}

TEST_F(WxFormRefresh, UnitSwitchesWriteTheSettings) {
    TWxForm form;
    form.ScaleClick();
    EXPECT_EQ(form.Settings().ReadInteger("Wx", "Scale", 0), 1);
    EXPECT_EQ(caption(form.Scale), "Celsius");
    form.WindSpeedClick();
    EXPECT_EQ(form.Settings().ReadInteger("Wx", "Speed", 0), 1);
    EXPECT_EQ(caption(form.glWindSpeed), "10 kph");
    EXPECT_EQ(caption(form.glVisibility), "Visibility: 10.00 km.");
    form.ScaleClick();
    EXPECT_EQ(caption(form.Scale), "Fahrenheit");
}

TEST_F(WxFormRefresh, UnreachableServerTurnsTheIndicatorRedAndSkipsTheDownload) {
    TWxForm form;
    ASSERT_EQ(form.ConnectedGlyph, 16);
    const int before = TFakeWx::CurrentCalls;
    server.Stop();
    QueueMsgAnswer(1);  // "&Ok" on the failure dialog
    form.RefreshCurrentView();
    EXPECT_EQ(form.ConnectedGlyph, 19);
    EXPECT_EQ(form.iConnected->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    EXPECT_EQ(TFakeWx::CurrentCalls, before);
}

TEST_F(WxFormRefresh, ConnectFailureOffersDetails) {
    TWxForm form;
    ClearMsgHistory();
    QueueMsgAnswer(2);  // "Details"
    QueueMsgAnswer(1);
    form.ReportConnectFailure("Connect Failure", "http://127.0.0.1:9/: fail");
    const auto &seen = MsgHistory();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Message, "Could not connect to the Remote Server. ");
    EXPECT_EQ(seen[0].Button2, "Details");
    EXPECT_EQ(seen[0].Button1, "&Ok");
    EXPECT_EQ(seen[0].Caption, "Connect Failure");
    EXPECT_EQ(seen[1].Message, "No response from Server . . .");
    EXPECT_EQ(seen[1].Button2, "btnHidden");

    // "&Ok" ends it after the first dialog.
    ClearMsgHistory();
    QueueMsgAnswer(1);
    form.ReportConnectFailure("Connect Failure", "x");
    EXPECT_EQ(MsgHistory().size(), 1u);
}

TEST_F(WxFormRefresh, ARefreshStillRunningIsNotStartedAgain) {
    TWxForm form;
    TFakeWx::CurrentCalls = TFakeWx::ForecastCalls = 0;
    int nested = 0;
    TFakeWx::DuringRefresh = [&] {
        if (nested++ > 3) return;  // a broken guard would recurse; stop it here
        form.RefreshCurrentView();
        form.RefreshForecastView();
    };
    form.RefreshCurrentView();
    EXPECT_EQ(TFakeWx::CurrentCalls, 1);
    EXPECT_EQ(TFakeWx::ForecastCalls, 1);  // the nested forecast ran, its own nested ones not
    EXPECT_FALSE(form.CurrentRefreshing());
    EXPECT_FALSE(form.ForecastRefreshing());
    TFakeWx::DuringRefresh = nullptr;
    form.RefreshCurrentView();
    EXPECT_EQ(TFakeWx::CurrentCalls, 2);
}

TEST_F(WxFormRefresh, ForecastTimerFollowsTheHour) {
    TWxForm form;
    struct Case { int hour, minute, expectMinutes; };
    for (const Case c : {Case{10, 0, 75}, Case{10, 20, 54}, Case{10, 59, 75}}) {
        Clock::Set(EncodeDate(2026, 12, 11) + EncodeTime(c.hour, c.minute, 0));
        form.ArmForecastTimer(15);
        EXPECT_EQ(form.ForecastTimer->interval(), c.expectMinutes * 60000) << c.minute;
    }
    form.Settings().WriteInteger("Wx", "fcInterval", 120);
    Clock::Set(EncodeDate(2026, 12, 11) + EncodeTime(10, 0, 0));
    form.ArmForecastTimer(15);
    EXPECT_EQ(form.ForecastTimer->interval(), 135 * 60000);
}

TEST_F(WxFormRefresh, ColoursAndDerivedColours) {
    TWxForm form;
    EXPECT_EQ(form.Color(), 0x800000u);
    EXPECT_EQ(form.DayFontColor(), 0x1A0007u);
    form.SetColor1(0x00FF00);
    EXPECT_EQ(form.DayLabelColor2(), 0x73FF73u);
}

TEST(WxFormNoService, UnknownServiceNameLeavesTheWindowWithoutOne) {
    TempProfile p;
    ForceDirectories(ProfilePath());
    TIniSettings ini(ProfilePath() + SettingsFileName());
    ini.WriteString("Service", "Default", "Service0");
    ini.WriteString("Service0", "Name", "Nowhere");
    ini.UpdateFile();
    TWxForm form;
    EXPECT_EQ(form.Service(), nullptr);
    EXPECT_FALSE(form.UpdateConnectionIndicator());
    EXPECT_EQ(form.ConnectedGlyph, -1);  // design state
    form.RefreshCurrentView();
    form.RefreshAlertsView();
    EXPECT_FALSE(form.nPageControl->isTabVisible(1));
}

TEST_F(WxFormRefresh, SettingsChangedDuringARefreshWaitForItsEnd) {
    TWxForm form;
    TFakeWx::CurrentCalls = TFakeWx::ForecastCalls = 0;
    int forecastsInside = -1;
    TFakeWx::DuringRefresh = [&] {
        if (TFakeWx::CurrentCalls != 1 || forecastsInside >= 0) return;
        // The reply carries other coordinates: the service stores them.
        form.Service()->SetLatitude("38.8951");
        forecastsInside = TFakeWx::ForecastCalls;
    };
    form.RefreshCurrentView();
    EXPECT_EQ(forecastsInside, 0);  // nothing refreshed under the running read
    EXPECT_EQ(TFakeWx::ForecastCalls, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(TFakeWx::ForecastCalls, 1);
    EXPECT_EQ(TFakeWx::CurrentCalls, 2);
}

TEST_F(WxFormRefresh, AlertTimerWithoutAlAutoRunsOnce) {
    {
        TIniSettings ini(ProfilePath() + SettingsFileName());
        ini.WriteBool("Wx", "AlAuto", false);
        ini.UpdateFile();
    }
    TWxForm form;
    EXPECT_TRUE(form.AlertTimer->isActive());
    EXPECT_EQ(form.AlertTimer->interval(), 120000);
    form.RefreshAlertsView();  // its first round
    EXPECT_FALSE(form.AlertTimer->isActive());
}
