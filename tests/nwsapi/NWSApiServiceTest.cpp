#include <gtest/gtest.h>
#include <httplib.h>

#include <map>
#include <mutex>
#include <nlohmann/json.hpp>

#include "app/IniSettings.h"
#include "nwsapi/NWSApiService.h"
#include "nwsapi/SunMoon.h"
#include "platform/FormatSettings.h"
#include "service/Servers.h"
#include "support/TestSupport.h"
#include "../nws/ZoneGuard.h"

namespace {

std::string Fixture(const std::string &name) { return ReadFile(FixturePath("nwsapi/" + name)); }

const char *const kPointNY = "points/new-york_OKX-33-35_2026-01-20.json";
const char *const kPointLondon = "points/london_404-InvalidPoint_2026-01-20.json";
const char *const kStationsNY = "stations/new-york_OKX-33-35_stations_2026-01-20.json";
const char *const kObsKNYC = "observations/KNYC_2026-01-20_null-dewpoint-humidity.json";
const char *const kObsKPHL = "observations/KPHL_2025-12-26_empty-text_null-icon.json";
const char *const kForecastDC = "forecast/washington-dc_LWX-97-71_si_2026-02-06.json";
const char *const kForecastQV = "forecast/pemberton-nj_PHI-62-78_feature-flags-qv_2025-12-19.json";
const char *const kForecastAK = "forecast/anchorage_AER-143-236_us_2026-01-20.json";
const char *const kAlertsMN = "alerts/active_point_minneapolis_WinterWeatherAdvisory_2024-01-12.json";
const char *const kAlertsEmpty = "alerts/active_point_new-york_empty_2026-01-20.json";
const char *const kUsno = "usno/oneday_belgrade_2026-03-20_tz0.json";

TDateTime At(int y, int mo, int d, int h, int mi) { return EncodeDate(y, mo, d) + EncodeTime(h, mi, 0); }

// A service on an in-memory settings file, for the readers alone.
struct Offline {
    TIniSettings ini;
    std::unique_ptr<TNWSApiService> svc;
    Offline(int scale = 0, int speed = 0) {
        RegisterNwsApiService(ini);
        ini.WriteInteger("Wx", "Scale", scale);
        ini.WriteInteger("Wx", "Speed", speed);
        svc = CreateWxService<TNWSApiService>(nullptr, 0, &ini);
    }
};

}  // namespace

// ---- documents read into the getters ----

TEST(NWSApiObservation, ValuesInEveryScaleAndSpeedUnit) {
    struct Case {
        int scale, speed;
        int temp, feels;
        const char *pressure, *wind, *gust, *visibility;
    };
    // KNYC: -7.2 C, wind chill -13.2 C, 14.76 km/h gusting 40.68, 102640 Pa, 16090 m.
    const Case cases[] = {
        {0, 0, 19, 8, "30.31 in.", "9", "25", "10"},
        {1, 1, -7, -13, "1026.4 mb", "15", "41", "16.1"},
        {0, 1, 19, 8, "30.31 in.", "15", "41", "16.1"},
    };
    for (const Case &c : cases) {
        Offline o(c.scale, c.speed);
        ASSERT_TRUE(o.svc->LoadObservation(Fixture(kObsKNYC)));
        TNWSApiService &s = *o.svc;
        SCOPED_TRACE(c.scale * 10 + c.speed);
        EXPECT_EQ(s.GetTemperature(), c.temp);
        EXPECT_EQ(s.GetFeelsLike(), c.feels);
        EXPECT_EQ(s.GetPressure(), c.pressure);
        EXPECT_EQ(s.GetWindSpeed(), c.wind);
        EXPECT_EQ(s.GetWindGust(), c.gust);
        EXPECT_EQ(s.GetVisibility(), c.visibility);
        EXPECT_EQ(s.GetWindDirection(), 280);
        EXPECT_EQ(s.GetConditions(), "Clear");
        // Null dew point, humidity and precipitation are absent, not zero.
        EXPECT_EQ(s.GetDewPoint(), "");
        EXPECT_FALSE(s.Humidity().has_value());
        EXPECT_EQ(s.GetPrecipitation(), "");
        EXPECT_EQ(s.GetLocationCaption(), "New York City, Central Park - KNYC");
    }
    Offline o;
    o.svc->LoadObservation(Fixture(kObsKNYC));
    ASSERT_NE(o.svc->GetConditionsPicture(), nullptr);
    EXPECT_EQ(o.svc->IconBase, "https://api.weather.gov/icons/land/day/");
    EXPECT_EQ(o.svc->IconName, "skc");
    EXPECT_EQ(o.svc->GetWindText(), "Wind W at 9 mph, gusts 25");
}

TEST(NWSApiObservation, EmptyTextNullIconAndMissingGust) {
    Offline o;
    ASSERT_TRUE(o.svc->LoadObservation(Fixture(kObsKPHL)));
    TNWSApiService &s = *o.svc;
    EXPECT_EQ(s.GetConditions(), "");
    EXPECT_EQ(s.GetConditionsPicture(), nullptr);
    EXPECT_EQ(s.GetWindGust(), "0");        // the window's "steady"
    EXPECT_EQ(s.GetPressure(), "30.21 in.");  // barometric pressure present, sea level null
    EXPECT_EQ(s.GetHumidity(), 47);
    EXPECT_EQ(s.GetDewPoint(), "12 F (-11 C)");
    EXPECT_EQ(s.GetTemperature(), 30);
    EXPECT_EQ(s.GetRealFeel(), "26");  // (30 + 23) / 2

    // A document that is not an observation leaves the last one in place.
    EXPECT_FALSE(s.LoadObservation(Fixture(kPointLondon)));
    EXPECT_FALSE(s.LoadObservation("<html>maintenance</html>"));
    EXPECT_EQ(s.GetHumidity(), 47);

    // Nothing read yet: empty texts rather than numbers.
    Offline fresh;
    EXPECT_EQ(fresh.svc->GetWindSpeed(), "");
    EXPECT_EQ(fresh.svc->GetRealFeel(), "");
    EXPECT_EQ(fresh.svc->GetObservationTime(), "00:00:00");
}

TEST(NWSApiObservation, StaleObservationIsMarked) {
    ZoneGuard zone("EST5");
    TFormatSettings::ResetToDefaults();
    Offline o;
    o.svc->LoadObservation(Fixture(kObsKNYC));  // 17:51 UTC = 12:51 EST
    Clock::Set(At(2026, 1, 20, 13, 30));
    EXPECT_EQ(o.svc->GetObservationTime(), "1/20/2026 12:51:00 PM");
    Clock::Set(At(2026, 1, 20, 15, 0));
    EXPECT_EQ(o.svc->GetObservationTime(), "1/20/2026 12:51:00 PM (stale)");
    Clock::UseSystem();
}

TEST(NWSApiForecast, PeriodsInBothScalesAndFeatureFlagQuantities) {
    struct Case { const char *file; int scale; int firstHigh, secondLow; const char *pop; };
    const Case cases[] = {
        {kForecastDC, 1, 1, -11, "71%"},   // sent in Celsius
        {kForecastDC, 0, 34, 12, "71%"},
        {kForecastQV, 0, 60, 25, "92%"},   // temperature as a degC quantity
        {kForecastAK, 1, -3, -12, "4%"},   // sent in Fahrenheit
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " scale " + std::to_string(c.scale));
        Offline o(c.scale);
        ASSERT_TRUE(o.svc->LoadForecast(Fixture(c.file)));
        TForecasts &f = o.svc->Forecasts();
        ASSERT_EQ(f.Count(), 10);  // five days of day and night
        EXPECT_EQ(f.Items(0)->HighTemp, c.firstHigh);
        EXPECT_EQ(f.Items(1)->LowTemp, c.secondLow);
        EXPECT_EQ(f.Items(0)->PrecipText, c.pop);
        EXPECT_EQ(f.Items(1)->Name, "Tonight");
    }
    Offline o;
    o.svc->LoadForecast(Fixture(kForecastDC));
    const TForecastItem &first = *o.svc->Forecasts().Items(0);
    EXPECT_EQ(first.Name, "This Afternoon");
    EXPECT_EQ(first.Summary, "Light Snow Likely");
    EXPECT_EQ(first.Detail.substr(0, 13), "Snow likely. ");
    EXPECT_EQ(first.IconBase, "https://api.weather.gov/icons/land/day/");
    EXPECT_EQ(first.IconName, "snow");
    EXPECT_EQ(o.svc->Forecasts().Items(1)->IconBase, "https://api.weather.gov/icons/land/night/snow,50/");
    EXPECT_EQ(o.svc->Forecasts().Items(1)->IconName, "wind_bkn");
    EXPECT_EQ(o.svc->GetForecastTime(), "2026-02-06T21:45:05+00:00");
    ZoneGuard zone("EST5");
    o.svc->ParseForecasts();
    EXPECT_DOUBLE_EQ(o.svc->Forecasts().Items(0)->Date, At(2026, 2, 6, 16, 0));
}

TEST(NWSApiForecast, TwentyFourHourModePairsDayWithNight) {
    Offline o(1);
    o.ini.WriteInteger("Wx", "Periods", 24);
    o.ini.WriteInteger("Wx", "NumDays", 7);
    ASSERT_TRUE(o.svc->LoadForecast(Fixture(kForecastDC)));
    TForecasts &f = o.svc->Forecasts();
    ASSERT_EQ(f.Count(), 7);
    EXPECT_EQ(f.Items(0)->Name, "This Afternoon");
    EXPECT_EQ(f.Items(0)->HighTemp, 1);
    EXPECT_EQ(f.Items(0)->LowTemp, -11);
    EXPECT_NE(f.Items(0)->Detail.find(" Tonight: A chance of snow"), std::string::npos);
    EXPECT_EQ(f.Items(1)->Name, "Saturday");

    // A forecast made in the evening starts with a night that has no day.
    nlohmann::json doc = nlohmann::json::parse(Fixture(kForecastAK));
    doc["properties"]["periods"].erase(0);
    ASSERT_TRUE(o.svc->LoadForecast(doc.dump()));
    EXPECT_EQ(f.Items(0)->Name, "Tonight");
    EXPECT_EQ(f.Items(0)->HighTemp, f.Items(0)->LowTemp);
    EXPECT_EQ(f.Items(1)->Name, "Wednesday");
    EXPECT_NE(f.Items(1)->Detail.find("Wednesday Night: "), std::string::npos);
}

TEST(NWSApiAlerts, AdvisoryItemsAndAnEmptyList) {
    ZoneGuard zone("CST6");
    Clock::Set(At(2024, 1, 12, 14, 30));
    Offline o;
    ASSERT_TRUE(o.svc->LoadPoint(Fixture(kPointNY)));  // county NYC061
    ASSERT_TRUE(o.svc->LoadAlerts(Fixture(kAlertsMN)));
    ASSERT_NE(o.svc->Alerts(), nullptr);
    ASSERT_EQ(o.svc->Alerts()->Count(), 1);
    const TCustomAlertItem &a = *o.svc->Alerts()->Items(0);
    EXPECT_EQ(a.GetEvent(), "Winter Weather Advisory");
    EXPECT_EQ(a.GetHeadline().substr(0, 41), "Winter Weather Advisory issued January 12");
    EXPECT_EQ(a.GetDescription().substr(0, 22), "* WHAT...Snow expected");
    EXPECT_EQ(a.GetInstruction().substr(0, 42), "Slow down and use caution while traveling.");
    EXPECT_DOUBLE_EQ(a.GetEffective(), At(2024, 1, 12, 14, 5));
    EXPECT_DOUBLE_EQ(a.GetExpires(), At(2024, 1, 12, 22, 15));
    EXPECT_EQ(a.GetWeb(),
              "https://api.weather.gov/alerts/urn:oid:2.49.0.1.840.0.3cf3c3316c2e34fe7ce8f6af92539effd9d6c01f.011.1");
    EXPECT_EQ(a.GetGeocode(0), "NYC061");
    EXPECT_EQ(a.GetGeocode(1), "MNZ051");
    EXPECT_EQ(a.GetGeocode(99), "");
    EXPECT_DOUBLE_EQ(o.svc->Alerts()->LastUpdate, Clock::Now());

    ASSERT_TRUE(o.svc->LoadAlerts(Fixture(kAlertsEmpty)));
    EXPECT_EQ(o.svc->Alerts(), nullptr);
    Clock::UseSystem();
}

// ---- sun and moon ----

TEST(NWSApiSunMoon, LocalComputationMatchesTheObservatory) {
    ZoneGuard zone("UTC0");
    TFormatSettings::ResetToDefaults();
    Clock::Set(At(2026, 3, 20, 12, 0));
    Offline o;
    o.svc->SetLatitude("44.82");
    o.svc->SetLongitude("20.46");
    o.svc->ComputeSunMoon();
    TDateTime localRise = 0, localSet = 0;
    ASSERT_TRUE(TryStrToTime(o.svc->GetSunrise(), localRise)) << o.svc->GetSunrise();
    ASSERT_TRUE(TryStrToTime(o.svc->GetSunset(), localSet)) << o.svc->GetSunset();
    const double minute = 1.0 / 1440.0;
    EXPECT_NEAR(localRise, EncodeTime(4, 42, 0), 2 * minute);
    EXPECT_NEAR(localSet, EncodeTime(16, 50, 0), 2 * minute);
    EXPECT_EQ(o.svc->GetMoonPhase(), "Waxing Crescent");

    ASSERT_TRUE(o.svc->LoadUsno(Fixture(kUsno)));
    EXPECT_EQ(o.svc->GetSunrise(), "4:42 AM");
    EXPECT_EQ(o.svc->GetSunset(), "4:50 PM");
    EXPECT_EQ(o.svc->GetMoonPhase(), "Waxing Crescent");
    Clock::UseSystem();
}

TEST(NWSApiSunMoon, PhaseNamesOnKnownDates) {
    // 2024-04-08 18:21 UTC new moon (the solar eclipse), 2024-04-23 23:49 UTC full moon,
    // 2026-03-19 01:23 UTC new moon (the Observatory's table).
    EXPECT_NEAR(SunMoon::PhaseUTC(300, 0), At(2024, 4, 8, 18, 21), 15.0 / 1440);
    EXPECT_NEAR(SunMoon::PhaseUTC(300, 2), At(2024, 4, 23, 23, 49), 15.0 / 1440);
    EXPECT_NEAR(SunMoon::PhaseUTC(324, 0), At(2026, 3, 19, 1, 23), 15.0 / 1440);
    struct Case { int y, m, d; const char *name; };
    const Case cases[] = {
        {2024, 4, 8, "New Moon"},        {2024, 4, 11, "Waxing Crescent"}, {2024, 4, 19, "Waxing Gibbous"},
        {2024, 4, 23, "Full Moon"},      {2024, 4, 27, "Waning Gibbous"},  {2024, 5, 5, "Waning Crescent"},
        {2026, 3, 19, "New Moon"},
    };
    for (const Case &c : cases) EXPECT_EQ(SunMoon::MoonPhaseName(EncodeDate(c.y, c.m, c.d), 0), c.name) << c.d;
    // The day's edges follow the local zone: six hours east, 18:21 UTC is already 9 April.
    EXPECT_EQ(SunMoon::MoonPhaseName(EncodeDate(2024, 4, 9), 6.0 / 24), "New Moon");
}

// ---- against a server ----

namespace {

class NWSApiServerTest : public ::testing::Test {
protected:
    struct Reply {
        int status = 200;
        std::string body, type = "application/geo+json";
        std::map<std::string, std::string> headers;
    };

    void SetUp() override {
        TFormatSettings::ResetToDefaults();
        Clock::Set(At(2026, 1, 20, 13, 0));
        set("/points/40.7128,-74.006", Fixture(kPointNY));
        set("/gridpoints/OKX/33,35/stations", Fixture(kStationsNY));
        set("/stations/KNYC/observations/latest", Fixture(kObsKNYC));
        set("/gridpoints/OKX/33,35/forecast", Fixture(kForecastDC));
        set("/alerts/active", Fixture(kAlertsMN));
        set("/points/51.5074,-0.1278", Fixture(kPointLondon), 404, "application/problem+json");
        server.Server().Get(".*", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard<std::mutex> g(m);
            std::string target = req.path + (req.params.count("zone") ? "?zone=" + req.get_param_value("zone") : "");
            seen.push_back(target);
            agents.push_back(req.get_header_value("User-Agent"));
            ims.push_back(req.get_header_value("If-Modified-Since"));
            auto it = replies.find(req.path);
            if (it == replies.end()) {
                res.status = 404;
                return;
            }
            const Reply &r = it->second;
            if (r.status == 304 || (!req.get_header_value("If-Modified-Since").empty() && notModified)) {
                res.status = 304;
                return;
            }
            res.status = r.status;
            for (auto &[k, v] : r.headers) res.set_header(k, v);
            res.set_content(r.body, r.type);
        });
        server.Start();
        SetServerOverride(TServer::NWSApi, "http://" + server.Host());
        SetServerOverride(TServer::USNO, "http://" + server.Host());
        RegisterNwsApiService(ini);
        svc = make();
    }
    void TearDown() override {
        svc.reset();
        server.Stop();
        ClearServerOverrides();
        Clock::UseSystem();
    }

    std::unique_ptr<TNWSApiService> make() {
        auto s = CreateWxService<TNWSApiService>(nullptr, 0, &ini);
        s->SetConnected(true);
        s->SetLatitude("40.712776");
        s->SetLongitude("-74.005974");
        s->OnCurrent = [this](TCustomWxService &) { events += "C"; };
        s->OnForecast = [this](TCustomWxService &) { events += "F"; };
        s->OnAlerts = [this](TCustomWxService &) { events += "A"; };
        s->OnConnectFailure = [this](const std::string &, const std::string &msg) { failures.push_back(msg); };
        return s;
    }

    void set(const std::string &path, const std::string &body, int status = 200,
             const std::string &type = "application/geo+json") {
        std::lock_guard<std::mutex> g(m);
        Reply r;
        r.status = status;
        r.body = body;
        r.type = type;
        replies[path] = r;
    }
    int count(const std::string &target) {
        std::lock_guard<std::mutex> g(m);
        return static_cast<int>(std::count(seen.begin(), seen.end(), target));
    }

    TempProfile profile;
    LocalHttpServer server;
    std::mutex m;
    std::map<std::string, Reply> replies;
    std::vector<std::string> seen, agents, ims;
    bool notModified = false;
    TIniSettings ini;
    std::unique_ptr<TNWSApiService> svc;
    std::string events;
    std::vector<std::string> failures;
};

}  // namespace

TEST_F(NWSApiServerTest, RefreshesFollowThePointWithAnIdentifyingAgent) {
    svc->RefreshCurrent();
    svc->RefreshForecast();
    svc->RefreshAlerts();
    EXPECT_EQ(events, "CFA");
    EXPECT_TRUE(failures.empty());
    // Coordinates cut to four decimals; the station is the list's first; alerts for the county zone.
    EXPECT_EQ(count("/points/40.7128,-74.006"), 1);
    EXPECT_EQ(count("/stations/KNYC/observations/latest"), 1);
    EXPECT_EQ(count("/alerts/active?zone=NYC061"), 1);
    EXPECT_EQ(svc->GetTemperature(), 19);
    EXPECT_EQ(svc->Forecasts().Count(), 10);
    ASSERT_NE(svc->Alerts(), nullptr);
    EXPECT_EQ(svc->Alerts()->Items(0)->GetGeocode(0), "NYC061");
    EXPECT_EQ(svc->Point().RadarStation, "KDIX");
    for (const std::string &a : agents) EXPECT_EQ(a.rfind("Tolvu/", 0), 0u) << a;
    EXPECT_NE(agents.front().find("(http"), std::string::npos);
    // The Observatory did not answer: sunrise and moon are computed, never the placeholder.
    EXPECT_NE(svc->GetSunrise(), "0:00 am");
    EXPECT_NE(svc->GetSunset(), "0:00 pm");
    EXPECT_EQ(svc->RetryTime(TNWSApiService::TKind::Current), 0);

    // The search lists the point's stations, nearest first, with the distance.
    svc->SearchLocations("");
    ASSERT_EQ(svc->GetSearchLines().size(), 41u);
    EXPECT_EQ(svc->GetSearchLines()[0], "KNYC - New York City, Central Park (5.3 mi)");
    TWxLocationRec r = svc->GetSearchResult(0);
    EXPECT_EQ(r.ID, "KNYC");
    EXPECT_EQ(r.CityState, "Hoboken, NJ");
    EXPECT_EQ(r.County, "NYC061");
    EXPECT_EQ(r.Latitude, "40.7833");
}

TEST_F(NWSApiServerTest, RepliesAreCachedAndRevalidated) {
    {
        std::lock_guard<std::mutex> g(m);
        replies["/points/40.7128,-74.006"].headers = {{"Cache-Control", "public, max-age=3600"},
                                                      {"Last-Modified", "Tue, 20 Jan 2026 18:00:00 GMT"}};
        replies["/gridpoints/OKX/33,35/forecast"].headers = {{"Cache-Control", "max-age=600"},
                                                             {"Last-Modified", "Fri, 06 Feb 2026 21:45:05 GMT"}};
    }
    svc->RefreshForecast();
    svc->RefreshForecast();  // within max-age: from the cache
    EXPECT_EQ(events, "FF");
    EXPECT_EQ(count("/gridpoints/OKX/33,35/forecast"), 1);

    // A new instance (a new start) finds the point on disk.
    svc = make();
    svc->RefreshForecast();
    EXPECT_EQ(count("/points/40.7128,-74.006"), 1);

    // After max-age the forecast is asked for again with its date; 304 keeps the copy.
    Clock::AdvanceSeconds(700);
    notModified = true;
    svc = make();
    svc->RefreshForecast();
    EXPECT_EQ(count("/gridpoints/OKX/33,35/forecast"), 2);
    EXPECT_EQ(ims.back(), "Fri, 06 Feb 2026 21:45:05 GMT");
    EXPECT_EQ(events, "FFFF");
    EXPECT_EQ(svc->Forecasts().Count(), 10);

    // Leaving the program keeps the point reply and drops the others.
    svc->ClearCache();
    svc = make();
    Clock::AdvanceSeconds(60);
    svc->RefreshForecast();
    EXPECT_EQ(count("/points/40.7128,-74.006"), 1);
    EXPECT_EQ(count("/gridpoints/OKX/33,35/forecast"), 3);
}

TEST_F(NWSApiServerTest, ErrorRepliesKeepValuesReportOnceAndRetry) {
    svc->RefreshCurrent();
    svc->RefreshForecast();
    ASSERT_EQ(events, "CF");
    const std::string firstName = svc->Forecasts().Items(0)->Name;
    const std::string expired =
        R"({"correlationId":"1b2c","title":"Forecast Grid Expired","type":"https://api.weather.gov/problems/ForecastGridExpired","status":503,"detail":"The requested forecast grid was issued 2026-01-19T10:00:00+00:00 and has expired."})";

    struct Case { int status; std::string body, type; const char *shown; };
    const Case cases[] = {
        {503, expired, "application/problem+json", "Forecast Grid Expired"},
        {500, R"({"title":"Unexpected Problem","type":"https://api.weather.gov/problems/UnexpectedProblem","status":500,"detail":"An unexpected problem has occurred."})",
         "application/problem+json", "Unexpected Problem"},
        {403, "Forbidden", "text/plain", "403"},
        {200, "<html><body>Service unavailable</body></html>", "text/html", "not a JSON reply"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        set("/gridpoints/OKX/33,35/forecast", c.body, c.status, c.type);
        set("/stations/KNYC/observations/latest", c.body, c.status, c.type);
        failures.clear();
        events.clear();
        Clock::AdvanceSeconds(3600);
        svc->RefreshForecast();
        const TDateTime firstRetry = svc->RetryTime(TNWSApiService::TKind::Forecast);
        svc->RefreshCurrent();
        svc->RefreshForecast();
        EXPECT_EQ(events, "");
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_NE(failures[0].find(c.shown), std::string::npos) << failures[0];
        EXPECT_EQ(svc->Forecasts().Count(), 10);
        EXPECT_EQ(svc->Forecasts().Items(0)->Name, firstName);
        EXPECT_EQ(svc->GetTemperature(), 19);
        // Backing off: the second failure in a row waits longer than the first.
        const TDateTime retry = svc->RetryTime(TNWSApiService::TKind::Forecast);
        EXPECT_GT(firstRetry, Clock::Now());
        EXPECT_GT(retry, firstRetry);
        EXPECT_LE(retry, Clock::Now() + 600.0 / 86400 + 1e-9);

        // Recovery: the due retry runs and clears the schedule; the next outage reports again.
        set("/gridpoints/OKX/33,35/forecast", Fixture(kForecastDC));
        set("/stations/KNYC/observations/latest", Fixture(kObsKNYC));
        svc->RunDueRetries();
        EXPECT_EQ(events, "");  // not due yet
        Clock::Set(retry);
        svc->RunDueRetries();
        EXPECT_EQ(events, "CF");
        EXPECT_EQ(svc->NextRetryTime(), 0);
    }
}

TEST_F(NWSApiServerTest, PointOutsideTheCoverageIsReportedWithoutRetries) {
    svc->SetLatitude("51.5074");
    svc->SetLongitude("-0.1278");
    svc->RefreshForecast();
    svc->RefreshAlerts();
    EXPECT_EQ(events, "");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("404 Data Unavailable For Requested Point"), std::string::npos) << failures[0];
    EXPECT_EQ(svc->LastProblem().Kind(), "InvalidPoint");
    EXPECT_EQ(svc->NextRetryTime(), 0);
    EXPECT_EQ(svc->Alerts(), nullptr);
}

TEST_F(NWSApiServerTest, SunAndMoonFromTheObservatory) {
    ZoneGuard zone("UTC0");
    Clock::Set(At(2026, 3, 20, 9, 0));
    set("/api/rstt/oneday", Fixture(kUsno), 200, "application/json");
    svc->RefreshCurrent();
    EXPECT_EQ(svc->GetSunrise(), "4:42 AM");  // the table's own values, not Manhattan's
    EXPECT_EQ(svc->GetMoonPhase(), "Waxing Crescent");
    std::lock_guard<std::mutex> g(m);
    EXPECT_NE(std::find(seen.begin(), seen.end(), "/api/rstt/oneday"), seen.end());
}
