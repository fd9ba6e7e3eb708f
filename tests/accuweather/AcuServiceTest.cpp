#include <gtest/gtest.h>
#include <httplib.h>

#include <map>
#include <mutex>
#include <regex>

#include "accuweather/AcuService.h"
#include "app/IniSettings.h"
#include "dialogs/MsgHook.h"
#include "platform/FormatSettings.h"
#include "service/Servers.h"
#include "support/TestSupport.h"

namespace {

const char *const kCleveland = "accu/weather-data_cleveland-oh_blstreamhptablet_2020.xml";
const char *const kNewYork = "accu/city-find_new-york_accuwxiphonev4_2020.xml";
const char *const kAlertPage = "accu/alert-page_cleveland.htm";
const char *const kCleveAlertLink =
    "http://www.accuweather.com/watches-warnings.asp?partner=blstreamhptablet&amp;zipcode=44113&amp;county=OHC035"
    "&amp;zone=OHZ011";

std::string replaced(std::string s, const std::string &what, const std::string &with) {
    size_t p = s.find(what);
    EXPECT_NE(p, std::string::npos) << what;
    if (p != std::string::npos) s.replace(p, what.size(), with);
    return s;
}

TDateTime At(int y, int mo, int d, int h, int mi) { return EncodeDate(y, mo, d) + EncodeTime(h, mi, 0); }

std::string WeatherDoc(const std::string &body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<adc_database xmlns=\"http://www.accuweather.com\">" + body +
           "</adc_database>\n";
}

class AcuServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMsgQueue();
        ClearMsgHistory();
        TFormatSettings::ResetToDefaults();
        Clock::Set(At(2020, 12, 25, 11, 54));
        cleveland = ReadFile(FixturePath(kCleveland));
        weatherBody = cleveland;
        searchBody = ReadFile(FixturePath(kNewYork));
        alertPage = ReadFile(FixturePath(kAlertPage));

        auto &s = server.Server();
        s.Get("/widget/kovix/weather-data.asp", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard<std::mutex> g(m);
            ++weatherHits;
            targets.push_back(req.target);
            res.set_content(weatherBody, "text/xml");
        });
        s.Get("/widget/kovix/city-find.asp", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard<std::mutex> g(m);
            targets.push_back(req.target);
            res.set_content(searchBody, "text/xml");
        });
        s.Get("/watches-warnings.asp", [this](const httplib::Request &, httplib::Response &res) {
            std::lock_guard<std::mutex> g(m);
            if (alertPage.empty()) res.status = 404;
            else res.set_content(alertPage, "text/html");
        });
        server.Start();
        const std::string base = "http://" + server.Host();
        SetServerOverride(TServer::AccuData, base);
        SetServerOverride(TServer::AccuWeb, base);
        SetServerOverride(TServer::AccuIcons, base);

        ASSERT_EQ(RegisterAcuService(ini), "Service0");
        svc = CreateWxService<TAcuService>(nullptr, 0, &ini);
        svc->SetConnected(true);
        svc->SetLocation("cityId:350127");
        svc->OnCurrent = [this](TCustomWxService &) { events += "C"; };
        svc->OnForecast = [this](TCustomWxService &) { events += "F"; };
        svc->OnAlerts = [this](TCustomWxService &) { events += "A"; };
        svc->OnSearchDone = [this](TCustomWxService &, int n) { searchDone.push_back(n); };
    }

    void TearDown() override {
        svc.reset();
        server.Stop();
        ClearServerOverrides();
        Clock::UseSystem();
        ClearMsgHistory();
    }

    void Serve(const std::string &doc) {
        std::lock_guard<std::mutex> g(m);
        weatherBody = doc;
    }
    // The Cleveland document with another observation time.
    void ServeObservedAt(const std::string &time) {
        Serve(replaced(cleveland, "<observationtime>11:54 AM</observationtime>",
                       "<observationtime>" + time + "</observationtime>"));
    }
    // The Cleveland document with its watch area active and pointing at the local page.
    std::string ActiveAlertsDoc() {
        std::string doc = replaced(cleveland, "isactive=\"0\"", "isactive=\"1\"");
        return replaced(doc, kCleveAlertLink, "http://" + server.Host() + "/watches-warnings.asp?zone=OHZ011");
    }
    int Hits() {
        std::lock_guard<std::mutex> g(m);
        return weatherHits;
    }
    std::string LastTarget() {
        std::lock_guard<std::mutex> g(m);
        return targets.empty() ? std::string() : targets.back();
    }

    TempProfile profile;
    LocalHttpServer server;
    TIniSettings ini;
    std::unique_ptr<TAcuService> svc;
    std::string cleveland, events;
    std::vector<int> searchDone;

    std::mutex m;
    std::string weatherBody, searchBody, alertPage;
    int weatherHits = 0;
    std::vector<std::string> targets;
};

TEST_F(AcuServiceTest, WeatherRequestFromLocationOrCoordinates) {
    const std::string base = "http://" + server.Host() + "/widget/kovix/weather-data.asp?";
    struct Case {
        const char *location, *lat, *lon, *language;
        int speed;
        const char *query;
    } cases[] = {
        {"cityId:350127", "", "", "ENU", 0, "location=cityId%3a350127&metric=0&lang=en"},
        {"cityId:350127", "41.5", "-81.7", "DEU", 1, "location=cityId%3a350127&metric=1&lang=de"},
        {"St. Louis", "", "", "ITA", 0, "location=St.+Louis&metric=0&lang=ITA"},
        {"", "41.4995", "-81.69541", "FRA", 0, "slat=41.4995&slon=-81.69541&metric=0&lang=fr"},
        {"", "41.4995", "", "ESN", 0, "&lang=es"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.query);
        ini.WriteString("Service0", "Location", c.location);
        ini.WriteString("Service0", "Latitude", c.lat);
        ini.WriteString("Service0", "Longitude", c.lon);
        ini.WriteString("Service0", "Language", c.language);
        ini.WriteInteger("Wx", "Speed", c.speed);
        EXPECT_EQ(svc->GetCurrentURL(), base + c.query);
        EXPECT_EQ(svc->GetForecastURL(), base + c.query);
    }

    std::vector<int> setupPages;
    svc->OnSetupRequest = [&](int page, int) { setupPages.push_back(page); };
    ini.WriteString("Service0", "Location", "");
    ini.WriteString("Service0", "Latitude", "");
    EXPECT_EQ(svc->GetCurrentURL(), "");
    svc->RefreshCurrent();
    EXPECT_EQ(setupPages, (std::vector<int>{0, 0}));
    EXPECT_EQ(Hits(), 0);
}

TEST_F(AcuServiceTest, ClevelandValuesAreReadInsideTheEvents) {
    std::map<std::string, std::string> seen;
    svc->OnCurrent = [&](TCustomWxService &s) {
        events += "C";
        seen["caption"] = s.GetLocationCaption();
        seen["temp"] = std::to_string(s.GetTemperature());
        seen["feels"] = std::to_string(s.GetFeelsLike());
        seen["humidity"] = std::to_string(s.GetHumidity());
        seen["dew"] = s.GetDewPoint();
        seen["pressure"] = s.GetPressure();
        seen["precip"] = s.GetPrecipitation();
        seen["speed"] = s.GetWindSpeed();
        seen["dir"] = std::to_string(s.GetWindDirection());
        seen["gust"] = s.GetWindGust();
        seen["sunrise"] = s.GetSunrise();
        seen["sunset"] = s.GetSunset();
        seen["moon"] = s.GetMoonPhase();
        seen["cond"] = s.GetConditions();
        seen["vis"] = s.GetVisibility();
        seen["realfeel"] = s.GetRealFeel();
        seen["windtext"] = s.GetWindText();
        seen["obs"] = s.GetObservationTime();
        seen["web"] = s.GetWebPageURL();
        seen["history"] = s.GetHistoryURL();
        seen["link"] = s.GetLinkURL();
        TWxPicture *pic = s.GetConditionsPicture();
        seen["pic"] = pic ? "yes" : "no";
        seen["icon"] = s.IconBase + "|" + s.IconName;
    };
    svc->RefreshCurrent();
    EXPECT_EQ(events, "CF");
    EXPECT_EQ(LastTarget(), "/widget/kovix/weather-data.asp?location=cityId%3a350127&metric=0&lang=en");

    const std::map<std::string, std::string> want = {
        {"caption", "Cleveland - cityId:350127"},
        {"temp", "21"},
        {"feels", "1"},
        {"humidity", "80"},
        {"dew", "16\xC2\xB0"},
        {"pressure", "29.71 and Decreasing"},
        {"precip", "0.03"},
        {"speed", "18"},
        {"dir", "225"},
        {"gust", "0"},
        {"sunrise", "7:52 AM"},
        {"sunset", "5:03 PM"},
        {"moon", "Waxing Gibbous"},  // this feed has no moon element
        {"cond", "Light snow"},
        {"vis", "1"},
        {"realfeel", "1"},
        {"windtext", "Wind from the SW at 18 mph"},
        {"obs", "12/25/2020 11:54 AM"},
        {"web", "http://www.accuweather.com/index-forecast.asp?partner=blstreamhptablet&zipcode=44113"},
        {"history", "http://www.accuweather.com/index-forecast.asp?partner=blstreamhptablet&zipcode=44113"},
        {"link", "http://www.accuweather.com/forecast.asp?partner=blstreamhptablet&zipcode=44113"},
        {"pic", "yes"},
        {"icon", "http://" + server.Host() + "/adc2004/common/images/wxicons/PNG/|PNG\\19.png"},
    };
    EXPECT_EQ(seen, want);

    // What outlives the document.
    EXPECT_EQ(svc->ObservationTime(), "12/25/2020 11:54:00 AM");
    EXPECT_EQ(svc->GetObservationTime(), "12/25/2020 11:54:00 AM");
    EXPECT_EQ(ini.ReadString("Service0", "Latitude", ""), "41.4995");
    EXPECT_EQ(ini.ReadString("Service0", "Longitude", ""), "-81.69541");
    EXPECT_EQ(svc->GetAlertURL(), "");  // isactive="0"
    EXPECT_EQ(svc->GetWebPageURL(), want.at("web"));
    EXPECT_FALSE(svc->HasDocument());

    // Afterwards every getter gives its fallback.
    EXPECT_EQ(svc->GetTemperature(), 0);
    EXPECT_EQ(svc->GetHumidity(), 0);
    EXPECT_EQ(svc->GetDewPoint(), "0%");
    EXPECT_EQ(svc->GetPressure(), "0");
    EXPECT_EQ(svc->GetWindSpeed(), "0");
    EXPECT_EQ(svc->GetSunrise(), "0:00 am");
    EXPECT_EQ(svc->GetConditions(), "not available");
    EXPECT_EQ(svc->GetVisibility(), "0.00 mi");
    EXPECT_EQ(svc->GetWindText(), "");
    EXPECT_EQ(svc->GetLinkURL(), "");
    EXPECT_EQ(svc->GetConditionsPicture(), nullptr);
    EXPECT_EQ(svc->GetMaxDays(), 5);
}

TEST_F(AcuServiceTest, GettersFallBackOnValuesThatDoNotConvert) {
    Serve(WeatherDoc("<local><city>Here</city><state>DC</state><lat>38.9</lat><lon>-77.0</lon></local>"
                     "<currentconditions><url>u</url><observationtime>1:05 PM</observationtime>"
                     "<pressure state=\"Unavailable\">30.01</pressure><temperature>n/a</temperature>"
                     "<realfeel></realfeel><humidity>%</humidity><weathericon>x</weathericon>"
                     "<windspeed>calm</windspeed><winddirection>clm</winddirection></currentconditions>"));
    std::map<std::string, std::string> seen;
    svc->OnCurrent = [&](TCustomWxService &s) {
        seen["caption"] = s.GetLocationCaption();
        seen["temp"] = std::to_string(s.GetTemperature());
        seen["feels"] = std::to_string(s.GetFeelsLike());
        seen["humidity"] = std::to_string(s.GetHumidity());
        seen["pressure"] = s.GetPressure();
        seen["speed"] = s.GetWindSpeed();
        seen["dir"] = std::to_string(s.GetWindDirection());
        seen["vis"] = s.GetVisibility();
        seen["realfeel"] = s.GetRealFeel();
        seen["sunrise"] = s.GetSunrise();
        s.GetConditionsPicture();
        seen["icon"] = s.IconName;
    };
    svc->RefreshCurrent();
    const std::map<std::string, std::string> want = {
        {"caption", "Here, DC - cityId:350127"}, {"temp", "0"}, {"feels", "0"}, {"humidity", "0"},
        {"pressure", "30.01"}, {"speed", "0"}, {"dir", "0"}, {"vis", "0.00 mi"}, {"realfeel", "0"},
        {"sunrise", "0:00 am"}, {"icon", ""},
    };
    EXPECT_EQ(seen, want);

    // A pressure of -999 gives the tendency alone.
    Serve(WeatherDoc("<currentconditions><observationtime>1:30 PM</observationtime>"
                     "<pressure state=\"Steady\">-999</pressure></currentconditions>"));
    svc->SetScale(0);  // forces the next download
    svc->OnCurrent = [&](TCustomWxService &s) { seen["pressure"] = s.GetPressure(); };
    svc->RefreshCurrent();
    EXPECT_EQ(seen["pressure"], "Steady");
}

TEST_F(AcuServiceTest, CompassPoints) {
    const std::pair<const char *, int> cases[] = {{"N", 0},     {"nne", 22}, {"ENE", 67},  {"SE", 135},
                                                  {"SSW", 202}, {"SW", 225}, {"WNW", 292}, {"NNW", 337},
                                                  {"CLM", 0},   {"VAR", 0},  {"", 0}};
    for (const auto &[text, deg] : cases) EXPECT_EQ(TAcuService::CompassToDegrees(text), deg) << text;
}

TEST_F(AcuServiceTest, LocationCaptionFromSettings) {
    struct Case {
        const char *city, *state, *country, *location, *caption;
    } cases[] = {
        {nullptr, "", "", "", "State College"},
        {"Washington", "DC", "US", "20001", "Washington, DC, US - 20001"},
        {"Washington", "", "US", "cityId|327659|en", "Washington, US"},
    };
    for (const Case &c : cases) {
        if (c.city) ini.WriteString("Service0", "CityName", c.city);
        ini.WriteString("Service0", "StateCode", c.state);
        ini.WriteString("Service0", "CountryCode", c.country);
        ini.WriteString("Service0", "Location", c.location);
        EXPECT_EQ(svc->GetLocationCaption(), c.caption);
    }
    TAcuService loose(nullptr);
    EXPECT_EQ(loose.GetLocationCaption(), "N/A");
}

TEST_F(AcuServiceTest, RefreshWaitsForTheNextObservationMinute) {
    svc->RefreshCurrent();
    EXPECT_EQ(Hits(), 1);
    svc->RefreshCurrent();  // same minute
    Clock::Set(At(2020, 12, 25, 11, 55));
    svc->RefreshCurrent();  // the minute after
    EXPECT_EQ(Hits(), 1);
    Clock::Set(At(2020, 12, 25, 11, 56));
    svc->RefreshCurrent();
    EXPECT_EQ(Hits(), 2);

    // A unit change downloads at once, in the units asked for, with the scale in step.
    svc->SetScale(1);
    EXPECT_EQ(ini.ReadInteger("Wx", "Speed", -1), 1);
    svc->RefreshCurrent();
    EXPECT_EQ(Hits(), 3);
    EXPECT_EQ(LastTarget(), "/widget/kovix/weather-data.asp?location=cityId%3a350127&metric=1&lang=en");
    svc->SetSpeedUnit(0);
    EXPECT_EQ(ini.ReadInteger("Wx", "Scale", -1), 0);
    svc->RefreshCurrent();
    EXPECT_EQ(Hits(), 4);

    // An observation 25 minutes old never holds a refresh back.
    ServeObservedAt("11:31 AM");
    svc->SetScale(0);
    svc->RefreshCurrent();
    svc->RefreshCurrent();
    svc->RefreshCurrent();
    EXPECT_EQ(Hits(), 7);
}

TEST_F(AcuServiceTest, RefreshAcrossMidnightDownloads) {
    ServeObservedAt("11:50 PM");
    Clock::Set(At(2020, 12, 25, 23, 50));
    svc->RefreshCurrent();
    EXPECT_EQ(svc->ObservationTime(), "12/25/2020 11:50:00 PM");
    Clock::Set(At(2020, 12, 26, 0, 10));
    svc->RefreshCurrent();
    EXPECT_EQ(Hits(), 2);
}

TEST_F(AcuServiceTest, ObservationTimesThatDoNotReadBackNeverThrottle) {
    struct Case {
        const char *sent, *stored;
    } cases[] = {{"n:a", "12/25/2020 n:a"}, {"N/A", "12/25/2020 00:00:00"}};
    int hits = 0;
    for (const Case &c : cases) {
        ServeObservedAt(c.sent);
        svc->SetScale(0);
        svc->RefreshCurrent();
        EXPECT_EQ(svc->ObservationTime(), c.stored);
        EXPECT_EQ(events.back(), 'F');  // the forecast still came through
        svc->RefreshCurrent();
        hits += 2;
    }
    // "n:a" downloads every time; midnight of today is hours old at 11:54.
    EXPECT_EQ(Hits(), hits);
}

TEST_F(AcuServiceTest, ForecastPeriodsFromCleveland) {
    svc->RefreshCurrent();
    TForecasts &f = svc->Forecasts();
    ASSERT_EQ(f.Count(), 30);  // 15 days, day and night
    struct Want {
        int index;
        const char *name;
        TDateTime date;
        const char *summary;
        int high, low;
        const char *precip, *icon;
    } want[] = {
        {0, "Today", EncodeDate(2020, 12, 25), "Snow showers, 3-6 in", 27, 20, "Precip.: 2%", "PNG\\19.png"},
        {1, "Tonight", EncodeDate(2020, 12, 25) + 0.75, "Snow this evening, 1-3 in", 27, 20, "Precip.: 0%",
         "PNG\\22.png"},
        {2, "Tomorrow", EncodeDate(2020, 12, 26), "Mostly sunny and breezy", 30, 24, "Precip.: 0%", "PNG\\02.png"},
        {3, "Night", EncodeDate(2020, 12, 26) + 0.75, "Cloudy most of the time", 30, 24, "Precip.: 0%",
         "PNG\\38.png"},
        {4, "Sunday", EncodeDate(2020, 12, 27), "Not as cold, becoming breezy", 41, 37, "Precip.: 0%",
         "PNG\\06.png"},
    };
    for (const Want &w : want) {
        SCOPED_TRACE(w.index);
        TForecastItem *p = f.Items(w.index);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Name, w.name);
        EXPECT_DOUBLE_EQ(p->Date, w.date);
        EXPECT_EQ(p->Summary, w.summary);
        EXPECT_EQ(p->HighTemp, w.high);
        EXPECT_EQ(p->LowTemp, w.low);
        EXPECT_EQ(p->PrecipText, w.precip);
        EXPECT_EQ(p->IconName, w.icon);
        EXPECT_EQ(p->IconBase, "http://" + server.Host() + "/adc2004/common/images/wxicons/PNG/");
    }
    EXPECT_EQ(f.Items(0)->Detail, "Today: Cloudy; some snow, 3-6 in, breezy and much colder; untreated roads will "
                                  "be snow packed and slippery");
    EXPECT_TRUE(std::regex_match(svc->GetForecastTime(),
                                 std::regex(R"(2020-12-25T11:54:00[+-]\d\d:\d\d)")))
        << svc->GetForecastTime();

    ini.WriteInteger("Wx", "Periods", 24);
    svc->SetScale(0);
    svc->RefreshCurrent();
    EXPECT_EQ(f.Count(), 15);
    for (int i = 0; i < f.Count(); ++i) EXPECT_NE(f.Items(i)->Name, "Night");
}

TEST_F(AcuServiceTest, ForecastSkipsDaysAndPeriodsItCannotShow) {
    auto day = [](const char *number, const char *url, const std::string &dayPart, const std::string &nightPart) {
        return std::string("<day") + (number ? std::string(" number=\"") + number + "\"" : "") + "><url>" + url +
               "</url><obsdate>12/2" + (number ? number : "9") + "/2020</obsdate><daycode>Weekday" +
               (number ? number : "") + "</daycode><daytime>" + dayPart + "</daytime><nighttime>" + nightPart +
               "</nighttime></day>";
    };
    auto period = [](const char *txt, const char *high, const char *low, const char *icon) {
        return std::string("<txtshort>") + txt + "</txtshort><txtlong>long</txtlong><weathericon>" + icon +
               "</weathericon><hightemperature>" + high + "</hightemperature><lowtemperature>" + low +
               "</lowtemperature><tstormprob>10</tstormprob>";
    };
    Serve(WeatherDoc(
        "<currentconditions><observationtime>11:54 AM</observationtime></currentconditions><forecast>" +
        day("1", "d1", period("Highs around 40", "40", "30", "7"), period("Cold", "40", "30", "12")) +
        day("2", "", period("No link", "41", "31", "1"), period("No link", "41", "31", "1")) +
        day("3", "d3", period("Low missing", "42", "", "1"), period("Clear", "42", "32", "33")) +
        day("4", "d4", period("", "43", "33", "1"), period("No high", "0", "33", "1")) +
        day(nullptr, "d5", period("Unnumbered", "44", "34", "4"), period("Bad high", "x", "34", "4")) +
        "</forecast>"));
    svc->RefreshCurrent();
    std::vector<std::string> got;
    for (int i = 0; i < svc->Forecasts().Count(); ++i) {
        TForecastItem *p = svc->Forecasts().Items(i);
        got.push_back(p->Name + "|" + p->Summary + "|" + p->IconName);
    }
    const std::vector<std::string> want = {
        "Today|Highs  40|PNG\\07.png",
        "Tonight|Cold|PNG\\12.png",
        "Night|Clear|PNG\\33.png",
        "Weekday|Unnumbered|PNG\\04.png",  // fifth in the list, so neither today nor tomorrow
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(events, "CF");

    // A document without days leaves the periods as they were.
    Serve(WeatherDoc("<currentconditions><observationtime>12:30 PM</observationtime></currentconditions>"));
    svc->SetScale(0);
    svc->RefreshCurrent();
    EXPECT_EQ(svc->Forecasts().Count(), 4);
}

TEST_F(AcuServiceTest, ErrorDocumentIsShownAndChangesNothing) {
    svc->RefreshCurrent();
    const std::string obs = svc->ObservationTime();
    const int periods = svc->Forecasts().Count();
    events.clear();

    const char *docs[] = {"<adc_database><failure>Invalid location key</failure></adc_database>",
                          "<?xml version=\"1.0\"?>\n<ADC_DATABASE>\n<ERROR>Invalid location key\n</ERROR>"};
    for (const char *doc : docs) {
        ClearMsgHistory();
        Serve(doc);
        Clock::AdvanceSeconds(180);
        svc->RefreshCurrent();
        ASSERT_EQ(MsgHistory().size(), 1u) << doc;
        const TMsgRequest &msg = MsgHistory().back();
        EXPECT_EQ(msg.Message.substr(0, 20), "Invalid location key");
        EXPECT_EQ(msg.Caption, kAcuDisplayName);
        EXPECT_EQ(msg.Icon, 16);
        EXPECT_EQ(msg.Button2, "btnHidden");
    }

    // Neither does a document that is not XML, nor a failed download.
    ClearMsgHistory();
    Serve("<html><body>Service unavailable</body>");
    Clock::AdvanceSeconds(180);
    svc->RefreshCurrent();
    svc->SetConnected(false);
    Clock::AdvanceSeconds(180);
    svc->RefreshCurrent();
    EXPECT_TRUE(MsgHistory().empty());

    EXPECT_EQ(Hits(), 4);
    EXPECT_EQ(events, "");
    EXPECT_EQ(svc->ObservationTime(), obs);
    EXPECT_EQ(svc->Forecasts().Count(), periods);
    EXPECT_EQ(svc->GetWebPageURL(),
              "http://www.accuweather.com/index-forecast.asp?partner=blstreamhptablet&zipcode=44113");
}

TEST_F(AcuServiceTest, AlertsFollowTheWatchArea) {
    Serve(ActiveAlertsDoc());
    svc->RefreshCurrent();
    const std::string page = "http://" + server.Host() + "/watches-warnings.asp?zone=OHZ011";
    EXPECT_EQ(svc->GetAlertURL(), page);

    Clock::Set(At(2020, 12, 25, 16, 0));
    svc->RefreshAlerts();
    EXPECT_EQ(events, "CFA");
    ASSERT_NE(svc->Alerts(), nullptr);
    TAlerts &a = *svc->Alerts();
    ASSERT_EQ(a.Count(), 2);  // the air quality block names no kind of alert
    EXPECT_EQ(a.Items(0)->GetEvent(), "Winter Storm Warning For Cuyahoga County");
    EXPECT_EQ(a.Items(0)->GetHeadline(), "Winter Storm Warning for Cuyahoga County");
    EXPECT_DOUBLE_EQ(a.Items(0)->GetExpires(), At(2020, 12, 25, 15, 45));
    EXPECT_EQ(a.Items(0)->GetWeb(), page);
    EXPECT_NE(a.Items(0)->GetDescription().find("WINTER STORM WARNING REMAINS IN EFFECT"), std::string::npos);
    EXPECT_EQ(a.Items(1)->GetEvent(), "Lake Effect Snow Advisory For Lake County");
    EXPECT_DOUBLE_EQ(a.Items(1)->GetEffective(), Clock::Now());
    EXPECT_DOUBLE_EQ(a.GetSent(), At(2020, 12, 25, 16, 0));
    EXPECT_EQ(a.GetStatus(), "There are no active watches, warnings or advisories.");
    EXPECT_EQ(a.GetSender(), "");
    EXPECT_EQ(a.LastUpdate, 0);

    // A failed page download removes them.
    {
        std::lock_guard<std::mutex> g(m);
        alertPage.clear();
    }
    svc->RefreshAlerts();
    EXPECT_EQ(svc->Alerts(), nullptr);

    // So does a document whose watch area is no longer active.
    {
        std::lock_guard<std::mutex> g(m);
        alertPage = ReadFile(FixturePath(kAlertPage));
    }
    svc->RefreshAlerts();
    ASSERT_NE(svc->Alerts(), nullptr);
    Serve(cleveland);
    svc->SetScale(0);
    svc->RefreshCurrent();
    EXPECT_EQ(svc->GetAlertURL(), "");
    events.clear();
    svc->RefreshAlerts();
    EXPECT_EQ(svc->Alerts(), nullptr);
    EXPECT_EQ(events, "");
}

TEST_F(AcuServiceTest, CitySearchSendsFormEncodedText) {
    const std::pair<std::string, std::string> cases[] = {
        {"St. Louis", "/widget/kovix/city-find.asp?Location=St.+Louis"},
        {"S\xE3o Paulo", "/widget/kovix/city-find.asp?Location=S%e3o+Paulo"},
        {"a&b=c/d", "/widget/kovix/city-find.asp?Location=a%26b%3dc%2fd"},
    };
    for (const auto &[text, target] : cases) {
        svc->SearchLocations(text);
        EXPECT_EQ(LastTarget(), target);
    }
}

TEST_F(AcuServiceTest, CitySearchResultsAndTheirDetails) {
    svc->SearchLocations("New York");
    const auto &lines = svc->GetSearchLines();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "New York, New York");
    EXPECT_EQ(lines[2], "New York, United Kingdom (Lincolnshire)");
    EXPECT_EQ(svc->GetSearchIds()[0], "cityId:349727");
    EXPECT_EQ(searchDone, (std::vector<int>{18}));

    Serve(WeatherDoc("<local><city>New York</city><state>NY</state><lat>40.71</lat><lon>-74.01</lon></local>"));
    TWxLocationRec r = svc->GetSearchResult(1);
    EXPECT_EQ(LastTarget(), "/widget/kovix/weather-data.asp?location=cityId%3a334370&metric=0");
    EXPECT_EQ(r.Name, "New York, Nebraska");
    EXPECT_EQ(r.ID, "cityId:334370");
    EXPECT_EQ(r.State, "NY");
    EXPECT_EQ(r.Latitude, "40.71");
    EXPECT_EQ(r.Longitude, "-74.01");
    EXPECT_EQ(r.CityState, "");
    EXPECT_FALSE(svc->HasDocument());
    EXPECT_EQ(svc->GetSearchResult(18).ID, "");
    EXPECT_EQ(svc->GetSearchResult(-1).ID, "");

    // Lookup searches for the code and takes the first result.
    {
        std::lock_guard<std::mutex> g(m);
        searchBody = "<adc_database><citylist us=\"1\" intl=\"0\" extra_cities=\"0\">"
                     "<location city=\"Washington\" state=\"District of Columbia\" location=\"cityId%7C327659\"/>"
                     "</citylist></adc_database>";
    }
    r = svc->LookupLocation("cityId|327659");
    EXPECT_EQ(r.Name, "Washington, District of Columbia");
    EXPECT_EQ(r.ID, "cityId|327659");
    EXPECT_EQ(r.Latitude, "40.71");
    std::lock_guard<std::mutex> g(m);
    ASSERT_GE(targets.size(), 2u);
    EXPECT_EQ(targets[targets.size() - 2], "/widget/kovix/city-find.asp?Location=cityId%7c327659");
}

TEST_F(AcuServiceTest, CitySearchFailures) {
    // An error document is shown and gives no results, but the search still ends.
    {
        std::lock_guard<std::mutex> g(m);
        searchBody = "<adc_database><failure>No cities found</failure></adc_database>";
    }
    svc->SearchLocations("Nowhere");
    EXPECT_EQ(svc->GetSearchLines().size(), 0u);
    ASSERT_EQ(MsgHistory().size(), 1u);
    EXPECT_EQ(MsgHistory()[0].Message, "No cities found");
    EXPECT_EQ(searchDone, (std::vector<int>{0}));

    // A broken code stops the list there; nothing escapes and no end is announced.
    {
        std::lock_guard<std::mutex> g(m);
        searchBody = "<adc_database><citylist us=\"3\" intl=\"0\" extra_cities=\"0\">"
                     "<location city=\"A\" state=\"X\" location=\"a1\"/>"
                     "<location city=\"B\" state=\"X\" location=\"b%zz\"/>"
                     "<location city=\"C\" state=\"X\" location=\"c1\"/></citylist></adc_database>";
    }
    EXPECT_NO_THROW(svc->SearchLocations("Anywhere"));
    EXPECT_EQ(svc->GetSearchLines(), (std::vector<std::string>{"A, X"}));
    EXPECT_EQ(searchDone, (std::vector<int>{0}));
}

// The demo ships these documents; they must keep reading as a full Washington forecast.
TEST_F(AcuServiceTest, DemoDocumentsShowWashington) {
    const std::string demo = std::string(TOLVU_SOURCE_DIR) + "/data/demo/accu/";
    std::string doc = ReadFile(demo + "widget/kovix/weather-data.asp");
    Serve(replaced(doc, "http://127.0.0.1:8080/accu/watches-warnings.asp", "http://" + server.Host() +
                                                                          "/watches-warnings.asp"));
    {
        std::lock_guard<std::mutex> g(m);
        searchBody = ReadFile(demo + "widget/kovix/city-find.asp");
        alertPage = ReadFile(demo + "watches-warnings.asp");
    }
    svc->SearchLocations("Washington");
    ASSERT_EQ(svc->GetSearchLines().size(), 6u);
    TWxLocationRec r = svc->GetSearchResult(0);
    EXPECT_EQ(r.Name, "Washington, District of Columbia");
    EXPECT_EQ(r.State, "DC");
    svc->SetLocation(r.ID);

    std::string caption, conditions;
    svc->OnCurrent = [&](TCustomWxService &s) {
        caption = s.GetLocationCaption();
        conditions = s.GetConditions() + "|" + std::to_string(s.GetTemperature()) + "|" + s.GetMoonPhase();
    };
    svc->RefreshCurrent();
    EXPECT_EQ(caption, "Washington, DC - cityId:327659");
    EXPECT_EQ(conditions, "Partly sunny|66|Waxing Crescent");
    EXPECT_EQ(svc->Forecasts().Count(), 14);
    svc->RefreshAlerts();
    ASSERT_NE(svc->Alerts(), nullptr);
    EXPECT_EQ(svc->Alerts()->Count(), 2);

    std::string metric = ReadFile(demo + "widget/kovix/weather-data-metric.asp");
    Serve(metric);
    svc->SetScale(1);
    svc->RefreshCurrent();
    EXPECT_EQ(conditions, "Partly sunny|19|Waxing Crescent");
}

}  // namespace
