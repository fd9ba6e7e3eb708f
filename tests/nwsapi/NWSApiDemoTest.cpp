#include <gtest/gtest.h>

#include "ReplayServer.h"
#include "app/IniSettings.h"
#include "nwsapi/NWSApiProbe.h"
#include "nwsapi/NWSApiService.h"
#include "nwsapi/SunMoon.h"
#include "platform/FormatSettings.h"
#include "service/Servers.h"
#include "support/TestSupport.h"
#include "../nws/ZoneGuard.h"

// The demo ships these documents; through the replay server they must read as
// a full Washington afternoon: observation, forecast, two advisories, sun and moon.
TEST(NWSApiDemo, WashingtonReadsThroughTheReplayServer) {
    ZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
    TFormatSettings::ResetToDefaults();
    Clock::Set(EncodeDate(2026, 2, 6) + EncodeTime(17, 0, 0));
    TempProfile profile;
    TReplayServer replay(std::string(TOLVU_SOURCE_DIR) + "/data/demo/nwsapi");
    ASSERT_TRUE(replay.Start());
    SetServerOverride(TServer::NWSApi, replay.Url(""));
    SetServerOverride(TServer::USNO, replay.Url(""));

    TIniSettings ini;
    const std::string section = RegisterNwsApiService(ini);
    ini.WriteString(section, "Latitude", "38.8951");
    ini.WriteString(section, "Longitude", "-77.0364");
    ini.WriteString(section, "Location", "KDCA");
    auto svc = CreateWxService<TNWSApiService>(nullptr, 0, &ini);
    svc->SetConnected(true);
    std::string events;
    svc->OnCurrent = [&](TCustomWxService &) { events += "C"; };
    svc->OnForecast = [&](TCustomWxService &) { events += "F"; };
    svc->OnAlerts = [&](TCustomWxService &) { events += "A"; };
    int failures = 0;
    svc->OnConnectFailure = [&](const std::string &, const std::string &) { ++failures; };

    svc->RefreshCurrent();
    svc->RefreshForecast();
    svc->RefreshAlerts();
    EXPECT_EQ(events, "CFA");
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(svc->GetConditions(), "Light Snow and Mist");
    EXPECT_EQ(svc->GetTemperature(), 31);
    EXPECT_EQ(svc->GetVisibility(), "3");
    EXPECT_EQ(svc->GetObservationTime(), "2/6/2026 4:52:00 PM");
    EXPECT_EQ(svc->Forecasts().Items(0)->Name, "This Afternoon");
    ASSERT_NE(svc->Alerts(), nullptr);
    ASSERT_EQ(svc->Alerts()->Count(), 2);
    EXPECT_EQ(svc->Alerts()->Items(0)->GetEvent(), "Winter Weather Advisory");
    EXPECT_EQ(svc->Alerts()->Items(1)->GetEvent(), "Wind Advisory");
    EXPECT_EQ(svc->Alerts()->Items(1)->GetGeocode(0), "DCC001");
    EXPECT_EQ(svc->GetSunrise(), "7:09 AM");
    EXPECT_EQ(svc->GetSunset(), "5:35 PM");
    EXPECT_EQ(svc->GetMoonPhase(), "Waning Gibbous");

    // The made-up table agrees with the computation for that place and day.
    const double minute = 1.0 / 1440;
    SunMoon::TSunTime rise = SunMoon::SunEventUTC(SunMoon::TSunEvent::Rise, EncodeDate(2026, 2, 6), 38.8951, -77.0364);
    SunMoon::TSunTime set = SunMoon::SunEventUTC(SunMoon::TSunEvent::Set, EncodeDate(2026, 2, 6), 38.8951, -77.0364);
    EXPECT_NEAR(UTCToLocal(rise.UTC), EncodeDate(2026, 2, 6) + EncodeTime(7, 9, 0), 2 * minute);
    EXPECT_NEAR(UTCToLocal(set.UTC), EncodeDate(2026, 2, 6) + EncodeTime(17, 35, 0), 2 * minute);
    EXPECT_EQ(SunMoon::MoonPhaseName(EncodeDate(2026, 2, 6), -5.0 / 24), "Waning Gibbous");

    // The probe reads the same documents into the same values.
    const std::string demo = std::string(TOLVU_SOURCE_DIR) + "/data/demo/nwsapi/";
    nlohmann::json cur = ProbeNwsApi("current", {ReadFile(demo + "stations/KDCA/observations/latest.json")});
    EXPECT_EQ(cur["conditions"], "Light Snow and Mist");
    EXPECT_EQ(cur["windGust"], "0");
    EXPECT_TRUE(cur["humidity"].is_number());
    nlohmann::json al = ProbeNwsApi("alerts", {ReadFile(demo + "points/38.8951,-77.0364.json"),
                                               ReadFile(demo + "alerts/active.json")});
    ASSERT_EQ(al["alerts"].size(), 2u);
    EXPECT_EQ(al["alerts"][0]["county"], "DCC001");
    EXPECT_EQ(ProbeNwsApi("points", {ReadFile(demo + "points/38.8951,-77.0364.json")})["radar"], "KLWX");
    EXPECT_EQ(ProbeNwsApi("forecast", {"<html>"}).count("error"), 1u);

    replay.Stop();
    ClearServerOverrides();
    Clock::UseSystem();
}
