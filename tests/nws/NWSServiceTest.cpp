#include <gtest/gtest.h>
#include <httplib.h>

#include <map>
#include <mutex>

#include "app/IniSettings.h"
#include "dialogs/MsgHook.h"
#include "nws/NWSService.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "service/Servers.h"
#include "support/TestSupport.h"
#include "ZoneGuard.h"

namespace {

std::string currentDoc(const std::string &children) {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<current_observation version=\"1.0\">\n"
           "<location>Washington/Reagan National Airport, DC</location>\n" +
           children + "\n</current_observation>\n";
}

// What the window reads inside OnCurrent.
struct TCurrentView {
    int temperature = 0, feelsLike = 0, humidity = 0, direction = 0;
    std::string observation, caption, wind, gust, visibility, realFeel, windText, conditions;
};

// The service on a local server that answers every NWS path from `bodies`
// (a missing path is a 404) and records the requests.
struct NwsService : ::testing::Test {
    TempProfile profile;
    LocalHttpServer http;
    TIniSettings ini;
    std::unique_ptr<TNWxService> svc;
    std::mutex mutex;
    std::map<std::string, std::string> bodies;
    std::map<std::string, int> status;
    std::vector<std::string> requests, posts;
    std::vector<int> setupPages;
    int currents = 0, forecasts = 0, alertEvents = 0;
    std::vector<TCurrentView> views;

    void SetUp() override {
        Clock::Set(EncodeDate(2026, 12, 11) + EncodeTime(10, 30, 0));
        auto answer = [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard<std::mutex> lock(mutex);
            requests.push_back(req.path);
            if (req.method == "POST") posts.push_back(req.body);
            auto it = bodies.find(req.path);
            if (it == bodies.end()) {
                res.status = 404;
                res.set_content("<html><body>Not Found</body></html>", "text/html");
                return;
            }
            auto st = status.find(req.path);
            res.status = st == status.end() ? 200 : st->second;
            res.set_content(it->second, "text/xml");
        };
        http.Server().Get(".*", answer);
        http.Server().Post(".*", answer);
        http.Start();
        const std::string base = "http://" + http.Host();
        for (TServer s : {TServer::NWSWeb, TServer::NWSForecast, TServer::NWSAlerts, TServer::NWSRadar, TServer::USNO})
            SetServerOverride(s, base);
        ini.SetStrings({"[Wx]", "Scale=0", "Speed=0", "Periods=12", "NumDays=7", "[Service0]", "Name=NWS",
                        "httpBase=" + base, "XML=/data/current_obs", "Location=KDCA", "Latitude=38.85",
                        "Longitude=-77.03", "StateCode=DC", "CountyCode=District of Columbia", "Site=LWX"});
        svc = CreateWxService<TNWxService>(nullptr, 0, &ini);
        svc->SetConnected(true);
        svc->OnSetupRequest = [this](int page, int) { setupPages.push_back(page); };
        svc->OnCurrent = [this](TCustomWxService &s) {
            ++currents;
            TCurrentView v;
            v.temperature = s.GetTemperature();
            v.feelsLike = s.GetFeelsLike();
            v.humidity = s.GetHumidity();
            v.direction = s.GetWindDirection();
            v.observation = s.GetObservationTime();
            v.caption = s.GetLocationCaption();
            v.wind = s.GetWindSpeed();
            v.gust = s.GetWindGust();
            v.visibility = s.GetVisibility();
            v.realFeel = s.GetRealFeel();
            v.windText = s.GetWindText();
            v.conditions = s.GetConditions();
            views.push_back(v);
        };
        svc->OnForecast = [this](TCustomWxService &) { ++forecasts; };
        svc->OnAlerts = [this](TCustomWxService &) { ++alertEvents; };
        ClearMsgHistory();
    }
    void TearDown() override {
        svc.reset();
        http.Stop();
        ClearServerOverrides();
        ClearMsgQueue();
        ClearMsgHistory();
        Clock::UseSystem();
    }
    void serve(const std::string &path, const std::string &body, int code = 200) {
        std::lock_guard<std::mutex> lock(mutex);
        bodies[path] = body;
        status[path] = code;
    }
    int hits(const std::string &path) {
        std::lock_guard<std::mutex> lock(mutex);
        return static_cast<int>(std::count(requests.begin(), requests.end(), path));
    }
    bool cached(const std::string &name) { return FileExists(profile.Profile() + "Cache/" + name); }
    std::string fixture(const std::string &rel) { return ReadFile(FixturePath("nws/" + rel)); }
};

const char *const kCurrentPath = "/data/current_obs/KDCA.xml";
const char *const kNdfdPath = "/forecasts/xml/SOAP_server/ndfdSOAPclientByDay.php";

}  // namespace

TEST_F(NwsService, RequestAddresses) {
    const std::string base = "http://" + http.Host();
    EXPECT_EQ(svc->BuildCurrentURL(), base + "/data/current_obs/KDCA.xml");
    ini.WriteString("Service0", "StateCode", "va");
    EXPECT_EQ(svc->BuildAlertIndexURL(), base + "/cap/va.php?x=VA");
    EXPECT_EQ(svc->BuildTextForecastURL(), base + "/MapClick.php?lat=38.85&lon=-77.03&unit=0&FcstType=dwml");

    // The start date is an hour ahead of the local time, with the local offset.
    ZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
    const std::string ndfd12 = svc->BuildForecastURL();
    EXPECT_EQ(ndfd12, base + kNdfdPath +
                          "?lat=38.85&lon=-77.03&format=12+hourly&startDate=2026-12-11T11:30:00-05:00"
                          "&unit=0&numDays=7&Submit=Submit");
    ini.WriteInteger("Wx", "Periods", 24);
    ini.WriteInteger("Wx", "Scale", 1);
    ini.WriteInteger("Wx", "NumDays", 3);
    const std::string ndfd24 = svc->BuildForecastURL();
    EXPECT_NE(ndfd24.find("&format=24+hourly&"), std::string::npos) << ndfd24;
    EXPECT_NE(ndfd24.find("&unit=1&numDays=3&"), std::string::npos) << ndfd24;
    EXPECT_TRUE(setupPages.empty());
}

TEST_F(NwsService, MissingLocationOrCoordinatesAsksForSetupAndDownloadsNothing) {
    ini.WriteString("Service0", "Location", "");
    svc->RefreshCurrent();
    EXPECT_EQ(setupPages, std::vector<int>{0});

    ini.WriteString("Service0", "Location", "KDCA");
    ini.WriteString("Service0", "Longitude", "");
    svc->RefreshForecast();
    EXPECT_EQ(setupPages, (std::vector<int>{0, 0}));  // once per refresh

    ini.WriteString("Service0", "StateCode", "");
    svc->RefreshAlerts();
    EXPECT_EQ(setupPages.size(), 3u);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(currents + forecasts + alertEvents, 0);
}

TEST_F(NwsService, CurrentObservationIsReadInsideTheEventOnly) {
    serve(kCurrentPath, fixture("current_obs/KVAY_2008-12-23_NA-values.xml"));
    svc->RefreshCurrent();
    ASSERT_EQ(currents, 1);
    const TCurrentView &v = views[0];
    EXPECT_EQ(v.temperature, 24);
    EXPECT_EQ(v.feelsLike, 0);  // heat index and wind chill are NA
    EXPECT_EQ(v.humidity, 52);
    EXPECT_EQ(v.direction, 330);
    EXPECT_EQ(v.wind, "3.45");
    EXPECT_EQ(v.gust, "0");
    EXPECT_EQ(v.visibility, "10.00");
    EXPECT_EQ(v.realFeel, "12");
    EXPECT_EQ(v.windText, "Wind From the Northwest at 3 MPH");
    EXPECT_EQ(v.caption, "Mount Holly, South Jersey Regional Airport, NJ - KDCA");
    EXPECT_EQ(v.observation, " Dec 23, 10:54 am EST");

    // Afterwards the document is gone: fallbacks, and only the kept texts remain.
    EXPECT_EQ(svc->CurrentObs(), nullptr);
    EXPECT_EQ(svc->GetTemperature(), 0);
    EXPECT_EQ(svc->GetWindSpeed(), "0");
    EXPECT_EQ(svc->GetVisibility(), "0");
    EXPECT_EQ(svc->GetRealFeel(), "0");
    EXPECT_EQ(svc->GetLocationCaption(), "Location");
    EXPECT_EQ(svc->GetConditionsPicture(), nullptr);
    EXPECT_EQ(svc->GetObservationTime(), " Dec 23, 10:54 am EST");
    EXPECT_EQ(svc->GetHistoryURL(), "http://www.weather.gov/data/obhistory/KVAY.html");
    EXPECT_FALSE(cached("NWSCurrent.xml"));
}

TEST_F(NwsService, UnitsAndFeelsLike) {
    struct Case {
        const char *doc;
        int scale, speed;
        int temperature, feelsLike;
        const char *wind, *visibility;
    } cases[] = {
        // Wind chill stands in when the heat index is 0.
        {"<temp_f>10</temp_f><heat_index_f>0</heat_index_f><windchill_f>-5</windchill_f>"
         "<wind_mph>10</wind_mph><visibility_mi>10.00</visibility_mi>",
         0, 0, 10, -5, "10", "10.00"},
        {"<temp_f>88</temp_f><heat_index_f>85</heat_index_f><windchill_f>-5</windchill_f>", 0, 0, 88, 85, "0", ""},
        {"<temp_f>25</temp_f><windchill_f>20</windchill_f>", 0, 0, 25, 20, "0", ""},
        // Celsius reads the _c elements; km/h converts wind and visibility.
        {"<temp_f>23</temp_f><temp_c>-5.0</temp_c><windchill_f>14</windchill_f><windchill_c>-10</windchill_c>"
         "<wind_mph>10</wind_mph><visibility_mi>10.00</visibility_mi>",
         1, 1, -5, -10, "16", "16"},
        {"<temp_f>NA</temp_f><wind_mph>NA</wind_mph>", 0, 1, 0, 0, "0", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.doc);
        ini.WriteInteger("Wx", "Scale", c.scale);
        ini.WriteInteger("Wx", "Speed", c.speed);
        serve(kCurrentPath, currentDoc(c.doc));
        views.clear();
        svc->RefreshCurrent();
        ASSERT_EQ(views.size(), 1u);
        EXPECT_EQ(views[0].temperature, c.temperature);
        EXPECT_EQ(views[0].feelsLike, c.feelsLike);
        EXPECT_EQ(views[0].wind, c.wind);
        EXPECT_EQ(views[0].visibility, c.visibility);
    }
}

TEST_F(NwsService, LastUpdatedOnIsRemovedOnceInAnyCase) {
    EXPECT_EQ(TNWxService::StripLastUpdated("Last Updated on Dec 11 2026, 9:52 am EST"), " Dec 11 2026, 9:52 am EST");
    EXPECT_EQ(TNWxService::StripLastUpdated("LAST UPDATED ON last updated on x"), " last updated on x");
    EXPECT_EQ(TNWxService::StripLastUpdated("Dec 11, 9:52 am"), "Dec 11, 9:52 am");
}

TEST_F(NwsService, ConditionsIconAndHistoryFromTheObservation) {
    serve(kCurrentPath, fixture("current_obs/KNYC_2022-06-20_https-era.xml"));
    std::string base, name;
    bool picture = false;
    svc->OnCurrent = [&](TCustomWxService &s) {
        picture = s.GetConditionsPicture() != nullptr;
        base = s.IconBase;
        name = s.IconName;
    };
    EXPECT_EQ(svc->GetHistoryURL(), "http://" + http.Host());  // nothing read yet
    svc->RefreshCurrent();
    EXPECT_TRUE(picture);
    EXPECT_EQ(base, "https://forecast.weather.gov/images/wtf/small/");
    EXPECT_EQ(name, "nskc.png");
    EXPECT_EQ(svc->GetHistoryURL(), "https://www.weather.gov/data/obhistory/KNYC.html");
}

TEST_F(NwsService, FailuresAndWebPagesKeepThePreviousValues) {
    serve(kCurrentPath, fixture("current_obs/KNYC_2022-06-20_https-era.xml"));
    svc->RefreshCurrent();
    ASSERT_EQ(currents, 1);
    const std::string observed = svc->GetObservationTime();

    const std::pair<std::string, int> replies[] = {
        {"<html><head><title>Maintenance</title></head><body>Back soon</body></html>", 200},
        {"<?xml version=\"1.0\"?>\n<current_observation><temp_f>99</temp_f>", 200},  // cut off
        {"", 200},
        {currentDoc("<temp_f>99</temp_f>"), 500},
    };
    for (const auto &[body, code] : replies) {
        SCOPED_TRACE(body);
        serve(kCurrentPath, body, code);
        svc->RefreshCurrent();
        EXPECT_EQ(currents, 1);
        EXPECT_EQ(svc->GetObservationTime(), observed);
        EXPECT_EQ(svc->GetHistoryURL(), "https://www.weather.gov/data/obhistory/KNYC.html");
    }
    EXPECT_TRUE(MsgHistory().empty());  // web pages are ignored silently
}

TEST_F(NwsService, ForecastDownloadsBothDocumentsAndKeepsTheCreationTime) {
    serve(kNdfdPath, fixture("dwml_ndfd/ndfd_byday_24hourly_4day_nyc_2008-12-23.xml"));
    serve("/MapClick.php", fixture("dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml"));
    bool docsAlive = false;
    svc->OnForecast = [&](TCustomWxService &s) {
        ++forecasts;
        auto &n = static_cast<TNWxService &>(s);
        docsAlive = n.ForecastDoc() && n.TextForecastDoc();
    };
    svc->RefreshForecast();
    EXPECT_EQ(forecasts, 1);
    EXPECT_TRUE(docsAlive);
    EXPECT_EQ(hits(kNdfdPath), 1);
    EXPECT_EQ(hits("/MapClick.php"), 1);
    EXPECT_EQ(svc->GetForecastTime(), "2008-12-23T21:46:52Z");
    EXPECT_GT(svc->Forecasts().Count(), 0);
    EXPECT_EQ(svc->ForecastDoc(), nullptr);
    EXPECT_FALSE(cached("NWSForecast.xml"));
    EXPECT_FALSE(cached("NWSfcText.xml"));

    // A failed NDFD download keeps the periods and the time and raises nothing.
    const int count = svc->Forecasts().Count();
    serve(kNdfdPath, "<html><body>Service unavailable</body></html>", 503);
    svc->RefreshForecast();
    EXPECT_EQ(forecasts, 1);
    EXPECT_EQ(svc->Forecasts().Count(), count);
    EXPECT_EQ(svc->GetForecastTime(), "2008-12-23T21:46:52Z");
}

TEST_F(NwsService, SoapFaultIsShownOnceAndLoadsNothing) {
    serve(kNdfdPath,
          "<h2>Fault</h2><pre>Array\n(\n    [faultcode] => SERVER\n    [faultactor] => \n"
          "    [faultstring] => User input error.\n    [detail] => Array\n        (\n"
          "            [soapVal] => Latitude is not valid.\n        )\n\n)\n</pre>\n");
    serve("/MapClick.php", fixture("dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml"));
    svc->RefreshForecast();
    EXPECT_EQ(forecasts, 0);
    EXPECT_EQ(svc->Forecasts().Count(), 0);
    ASSERT_EQ(MsgHistory().size(), 1u);
    const TMsgRequest &m = MsgHistory()[0];
    EXPECT_EQ(m.Message, "Fault from SERVER\nReason: User input error.\nValue: Latitude is not valid.");
    EXPECT_EQ(m.Caption, "The US National Weather Service");
    EXPECT_EQ(m.Icon, miStop);
}

TEST_F(NwsService, LessThanInsideASummaryIsRepaired) {
    std::vector<std::string> lines = {
        "<weather-conditions weather-summary=\"Chance < 20% Rain\"/>",
        "<weather-conditions weather-summary=\"Rain\"/> < text",  // "<" outside the value
        "<value>a < b</value>",                                   // no summary
    };
    const std::vector<std::string> before = lines;
    TNWxService::RepairSummaryLines(lines);
    EXPECT_EQ(lines[0], "<weather-conditions weather-summary=\"Chance less than 20% Rain\"/>");
    EXPECT_EQ(lines[1], before[1]);
    EXPECT_EQ(lines[2], before[2]);

    // The repair runs on every downloaded document before it is parsed.
    std::string summary;
    svc->OnForecast = [&](TCustomWxService &s) {
        const TXMLDwml *doc = static_cast<TNWxService &>(s).ForecastDoc();
        summary = doc->Node().child("data").child("weather-conditions").attribute("weather-summary").value();
    };
    serve(kNdfdPath, "<?xml version=\"1.0\"?>\n<dwml version=\"1.0\"><head><product><creation-date>"
                     "2026-12-11T10:00:00-05:00</creation-date></product></head><data>\n"
                     "<weather-conditions weather-summary=\"Chance < 20% Rain\"/>\n</data></dwml>\n");
    svc->RefreshForecast();
    EXPECT_EQ(summary, "Chance less than 20% Rain");
    EXPECT_EQ(svc->GetForecastTime(), "2026-12-11T10:00:00-05:00");
}

TEST_F(NwsService, RegionalWebPage) {
    const std::pair<const char *, const char *> regions[] = {
        {"VA", "erh"}, {"va", "erh"}, {"TX", "srh"}, {"CA", "wrh"}, {"HI", "prh"},
        {"AK", "arh"}, {"CO", "crh"}, {"DC", "crh"}, {"", "crh"},
    };
    for (const auto &[state, region] : regions) EXPECT_EQ(TNWxService::RegionOfState(state), region) << state;
    ini.WriteString("Service0", "StateCode", "VA");
    EXPECT_EQ(svc->GetWebPageURL(), NWSRegionBase("erh") + "/lwx");
    EXPECT_EQ(svc->GetLinkURL(), svc->GetWebPageURL());
}

TEST_F(NwsService, LanguageAndLogo) {
    std::string code = "DEU";
    EXPECT_TRUE(svc->AcceptLanguage(code));  // the setting is still English
    ini.WriteString("Service0", "Language", "DEU");
    EXPECT_FALSE(svc->AcceptLanguage(code));
    std::string none;
    EXPECT_TRUE(svc->AcceptLanguage(none));
    EXPECT_EQ(none, "DEU");

    const std::string app = profile.Root() + "app/";
    SetProgramPath(app);
    EXPECT_EQ(svc->GetLogo(), nullptr);
    WriteFile(app + "Images/NWS/xml_logo.png", "\x89PNG\r\n\x1a\n");
    ASSERT_NE(svc->GetLogo(), nullptr);
    EXPECT_EQ(svc->GetLogo()->FileName, app + "Images/NWS/xml_logo.png");
    SetProgramPath("");
}

TEST_F(NwsService, RadarThumbnail) {
    EXPECT_EQ(svc->GetRadarThumbnail(), nullptr);  // 404
    EXPECT_EQ(hits("/Thumbs/FTG_Thumb.gif"), 1);
    ini.WriteString("Service0", "Radar", "LWX");
    serve("/Thumbs/LWX_Thumb.gif", std::string("GIF89a") + std::string(16, '\0'));
    TWxPicture *p = svc->GetRadarThumbnail();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->FileName, profile.Profile() + "Cache/Images/LWX_Thumb.gif");
    serve("/Thumbs/LWX_Thumb.gif", "<html>not a picture</html>");
    EXPECT_EQ(svc->GetRadarThumbnail(), nullptr);
}

TEST_F(NwsService, SunAndMoonFromTheObservatory) {
    ZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
    const std::vector<std::string> form = svc->SunMoonForm();
    EXPECT_EQ(form, (std::vector<std::string>{"FFX=2", "ID=A Wx", "xxy=2026", "xxm=12", "xxd=11", "xx0=1",
                                              "xx1=-77", "xx2=03", "yy0=1", "yy1=38", "yy2=85", "zz1=4",
                                              "zz0=-1"}));
    ini.WriteString("Service0", "Longitude", "-77");
    EXPECT_EQ(svc->SunMoonForm()[6], "xx1=");
    EXPECT_EQ(svc->SunMoonForm()[7], "xx2=-7");

    serve("/cgi-bin/aa_pap.pl", "<html><body><pre>\n"
                                "   Sunrise                           07:14\n"
                                "   Sun transit                       12:03\n"
                                "   Sunset                            16:46\n"
                                "Phase of the Moon on 11 December:   waning crescent with 5% illuminated\n"
                                "Closest Primary Moon Phase: New Moon on 9 December 2026 at 00:52\n"
                                "</pre></body></html>\n");
    serve(kCurrentPath, currentDoc("<temp_f>40</temp_f>"));
    std::string sunrise, sunset, moon;
    svc->OnCurrent = [&](TCustomWxService &s) {
        sunrise = s.GetSunrise();
        sunset = s.GetSunset();
        moon = s.GetMoonPhase();
    };
    EXPECT_EQ(svc->GetSunrise(), "0:00 am");
    EXPECT_EQ(svc->GetMoonPhase(), "Waxing Gibbous");
    svc->RefreshCurrent();
    EXPECT_EQ(sunrise, "7:14 AM");
    EXPECT_EQ(sunset, "4:46 PM");
    EXPECT_EQ(moon, "New Moon on 9 December 2026 at 00:52");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_NE(posts[0].find("FFX=2&ID=A+Wx&xxy=2026"), std::string::npos) << posts[0];

    // Once known, the table is fetched again only shortly after midnight.
    svc->RefreshCurrent();
    EXPECT_EQ(posts.size(), 1u);
    Clock::Set(EncodeDate(2026, 12, 12) + EncodeTime(1, 0, 0));
    serve("/cgi-bin/aa_pap.pl", "Sunrise not available today\nSunset  16:47\n", 200);
    svc->RefreshCurrent();
    EXPECT_EQ(posts.size(), 2u);
    EXPECT_EQ(svc->GetSunrise(), "7:14 AM");  // an unreadable line changes nothing
    EXPECT_EQ(svc->GetSunset(), "4:47 PM");
    EXPECT_EQ(svc->GetMoonPhase(), "New Moon on 9 December 2026 at 00:52");
}

TEST_F(NwsService, AlertsOfTheCountyOnly) {
    const std::string feed =
        "<?xml version='1.0' encoding='UTF-8'?>\n"
        "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:cap='urn:oasis:names:tc:emergency:cap:1.1'>\n"
        "<id>https://alerts.weather.gov/cap/dc.php?x=DC</id><title>Current Watches for DC</title>\n"
        "<entry><id>a1</id><title>Winter Storm Warning</title><link href='http://" +
        http.Host() + "/alert/a1.cap'/><cap:event>Winter Storm Warning</cap:event>"
                      "<cap:areaDesc>District of Columbia</cap:areaDesc></entry>\n"
                      "<entry><id>a2</id><title>Wind Advisory</title><link href='http://" +
        http.Host() + "/alert/a2.cap'/><cap:event>Wind Advisory</cap:event>"
                      "<cap:areaDesc>Arlington; Fairfax</cap:areaDesc></entry>\n</feed>\n";
    serve("/cap/dc.php", feed);
    // The Illinois warning, moved to the county of this location.
    std::string a1 = fixture("cap/alert_2012-03-16_IL_SevereThunderstormWarning.xml");
    const std::string calhoun = "<areaDesc>Calhoun</areaDesc>";
    a1.replace(a1.find(calhoun), calhoun.size(), "<areaDesc>District of Columbia</areaDesc>");
    serve("/alert/a1.cap", a1);
    serve("/alert/a2.cap", fixture("cap/alert_2010-08-30_MT_FlashFloodWatch_alerts-beta.xml"));
    svc->RefreshAlerts();
    EXPECT_EQ(alertEvents, 1);
    EXPECT_EQ(hits("/alert/a1.cap"), 1);
    EXPECT_EQ(hits("/alert/a2.cap"), 0);
    ASSERT_NE(svc->Alerts(), nullptr);
    EXPECT_GT(svc->Alerts()->Count(), 0);
    EXPECT_EQ(svc->AlertIndex(), nullptr);
    EXPECT_FALSE(cached("NWSIndex.cap"));
    EXPECT_FALSE(cached("NWSAlerts.cap"));

    // A failed index download frees the alerts without an event.
    serve("/cap/dc.php", "", 500);
    svc->RefreshAlerts();
    EXPECT_EQ(alertEvents, 1);
    EXPECT_EQ(svc->Alerts(), nullptr);
}
