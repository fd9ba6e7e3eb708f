#include "nws/NWSForecast.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "ZoneGuard.h"

namespace {

const char *const kNyc = "nws/dwml_ndfd/ndfd_byday_24hourly_4day_nyc_2008-12-23.xml";
const char *const kSpringfield = "nws/dwml_ndfd/ndfd_soap_NDFDgenByDay_24hourly_3day_springfield-mo_2014-02-26.xml";
const char *const kMapClick = "nws/dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml";

struct TPeriod {
    std::string name;
    std::string start;
};

std::string Starts(const std::vector<TPeriod> &periods, bool named) {
    std::string s;
    for (const TPeriod &p : periods) {
        s += "<start-valid-time";
        if (named) s += " period-name=\"" + p.name + "\"";
        s += ">" + p.start + "</start-valid-time>";
    }
    return s;
}

std::string Values(const std::vector<int> &v) {
    std::string s;
    for (int x : v) s += "<value>" + std::to_string(x) + "</value>";
    return s;
}

// An NDFD by-day document in 12-hour periods, laid out as the server writes it:
// day starts, night starts, then the named 12-hour periods.
std::string Ndfd12(const std::vector<TPeriod> &periods, const std::vector<int> &highs, const std::vector<int> &lows,
                   bool withTemps = true) {
    std::vector<TPeriod> days;
    for (std::size_t i = 0; i < periods.size(); i += 2) days.push_back(periods[i]);
    std::string d = "<dwml version=\"1.0\"><head><product><creation-date>2026-12-13T05:00:00-05:00</creation-date>"
                    "</product></head><data>";
    d += "<time-layout><layout-key>k-p24h-n" + std::to_string(days.size()) + "-1</layout-key>" + Starts(days, false) +
         "</time-layout>";
    d += "<time-layout><layout-key>k-p24h-n" + std::to_string(days.size()) + "-2</layout-key></time-layout>";
    d += "<time-layout><layout-key>k-p12h-n" + std::to_string(periods.size()) + "-3</layout-key>" +
         Starts(periods, true) + "</time-layout>";
    d += "<parameters applicable-location=\"point1\">";
    if (withTemps) {
        d += "<temperature type=\"maximum\" time-layout=\"k-p24h-n5-1\">" + Values(highs) + "</temperature>";
        d += "<temperature type=\"minimum\" time-layout=\"k-p24h-n5-2\">" + Values(lows) + "</temperature>";
    }
    d += "<probability-of-precipitation>";
    for (std::size_t i = 0; i < periods.size(); ++i) d += "<value>" + std::to_string(10 * (i + 1)) + "</value>";
    d += "</probability-of-precipitation><weather>";
    for (std::size_t i = 0; i < periods.size(); ++i)
        d += "<weather-conditions weather-summary=\"Sky " + std::to_string(i) + "\"/>";
    d += "</weather><conditions-icon>";
    for (std::size_t i = 0; i < periods.size(); ++i)
        d += "<icon-link>http://h/icons/p" + std::to_string(i) + ".png</icon-link>";
    d += "</conditions-icon></parameters></data></dwml>";
    return d;
}

// A MapClick worded forecast: the 12-hour periods, an optional 24-hour layout
// and `texts` texts named t0, t1, ...
std::string Worded(const std::vector<TPeriod> &periods, int texts, const std::vector<TPeriod> &days = {}) {
    std::string d = "<dwml version=\"1.0\"><head/><data type=\"forecast\">";
    d += "<time-layout><layout-key>k-p12h-n" + std::to_string(periods.size()) + "-1</layout-key>" +
         Starts(periods, true) + "</time-layout>";
    if (!days.empty())
        d += "<time-layout><layout-key>k-p24h-n" + std::to_string(days.size()) + "-1</layout-key>" +
             Starts(days, true) + "</time-layout>";
    d += "<parameters><wordedForecast><name>Text Forecast</name>";
    for (int i = 0; i < texts; ++i) d += "<text>t" + std::to_string(i) + "</text>";
    d += "</wordedForecast></parameters></data></dwml>";
    return d;
}

const std::vector<TPeriod> kFiveDays = {
    {"Today", "2026-12-13T06:00:00-05:00"},     {"Tonight", "2026-12-13T18:00:00-05:00"},
    {"Monday", "2026-12-14T06:00:00-05:00"},    {"Monday Night", "2026-12-14T18:00:00-05:00"},
    {"Tuesday", "2026-12-15T06:00:00-05:00"},   {"Tuesday Night", "2026-12-15T18:00:00-05:00"},
    {"Wednesday", "2026-12-16T06:00:00-05:00"}, {"Wednesday Night", "2026-12-16T18:00:00-05:00"},
    {"Thursday", "2026-12-17T06:00:00-05:00"},  {"Thursday Night", "2026-12-17T18:00:00-05:00"},
};

std::vector<std::string> Details(const TForecasts &f) {
    std::vector<std::string> v;
    for (int i = 0; i < f.Count(); ++i) v.push_back(f.Items(i)->Detail);
    return v;
}

std::vector<std::string> Names(const TForecasts &f) {
    std::vector<std::string> v;
    for (int i = 0; i < f.Count(); ++i) v.push_back(f.Items(i)->Name);
    return v;
}

TXMLDwml SoapInner(const std::string &path) {
    pugi::xml_document soap;
    const std::string envelope = ReadFile(FixturePath(path));
    if (!soap.load_string(envelope.c_str())) return TXMLDwml();
    return TXMLDwml::LoadFromBuffer(soap.select_node("//dwmlByDayOut").node().text().get());
}

}  // namespace

TEST(NwsForecast, ToScaleRoundsToNearest) {
    struct { int f, scale, expected; } cases[] = {
        {50, 1, 10}, {33, 1, 1}, {32, 1, 0}, {0, 1, -18}, {-40, 1, -40}, {28, 1, -2}, {100, 1, 38}, {50, 0, 50},
    };
    for (const auto &c : cases) EXPECT_EQ(NwsToScale(c.f, c.scale), c.expected) << c.f << "F scale " << c.scale;
}

TEST(NwsForecast, TwelveHourPeriodsOfFiveDays) {
    ZoneGuard zone("EST5");
    const TXMLDwml ndfd = TXMLDwml::LoadFromBuffer(Ndfd12(kFiveDays, {50, 33, 40, 41, 42}, {20, 21, 22, 23, 24}));
    ASSERT_TRUE(ndfd.Active());
    TForecasts out(nullptr);
    ASSERT_TRUE(ParseNwsForecasts({&ndfd, nullptr, true, 0, 5}, out));
    ASSERT_EQ(out.Count(), 10);
    EXPECT_EQ(Names(out), (std::vector<std::string>{"Today", "Tonight", "Monday", " Night", "Tuesday", " Night",
                                                    "Wednesday", " Night", "Thursday", " Night"}));
    const TForecastItem &today = *out.Items(0);
    EXPECT_EQ(today.HighTemp, 50);
    EXPECT_EQ(today.LowTemp, 0);
    EXPECT_EQ(today.Date, EncodeDate(2026, 12, 13) + EncodeTime(6, 0, 0));
    EXPECT_EQ(today.PrecipText, "Precip. :10%");
    EXPECT_EQ(today.Summary, "Sky 0");
    EXPECT_EQ(today.IconBase, "http://h/icons/");
    EXPECT_EQ(today.IconName, "p0.png");
    EXPECT_TRUE(today.Detail.empty());
    EXPECT_EQ(out.Items(1)->LowTemp, 20);
    EXPECT_EQ(out.Items(1)->HighTemp, 0);
    EXPECT_EQ(out.Items(2)->HighTemp, 33);
    EXPECT_EQ(out.Items(9)->LowTemp, 24);
    EXPECT_EQ(out.Items(9)->PrecipText, "Precip. :100%");

    TForecasts celsius(nullptr);
    ASSERT_TRUE(ParseNwsForecasts({&ndfd, nullptr, true, 1, 5}, celsius));
    EXPECT_EQ(celsius.Items(0)->HighTemp, 10);
    EXPECT_EQ(celsius.Items(2)->HighTemp, 1);
    EXPECT_EQ(celsius.Items(1)->LowTemp, -7);
}

TEST(NwsForecast, TwelveHourNamingByWrittenHour) {
    ZoneGuard zone("EST5");
    struct {
        const char *period, *start, *name;
        bool night;
    } cases[] = {
        {"Tonight", "2026-12-13T18:00:00-05:00", "Tonight", true},
        {"Monday Night", "2026-12-14T18:00:00-05:00", " Night", true},
        {"Overnight", "2026-12-14T02:00:00-05:00", "Monday", false},  // a night word before dawn: the weekday
        {"Christmas Day", "2026-12-25T06:00:00-05:00", "Christmas ", false},
        {"Today", "2026-12-13T07:00:00-05:00", "Today", false},
    };
    for (const auto &c : cases) {
        const TXMLDwml ndfd = TXMLDwml::LoadFromBuffer(
            Ndfd12({{c.period, c.start}, {"Later", "2026-12-26T06:00:00-05:00"}}, {70}, {40}));
        TForecasts out(nullptr);
        ASSERT_TRUE(ParseNwsForecasts({&ndfd, nullptr, true, 0, 1}, out)) << c.period;
        ASSERT_EQ(out.Count(), 2);
        EXPECT_EQ(out.Items(0)->Name, c.name) << c.period;
        EXPECT_EQ(out.Items(0)->LowTemp, c.night ? 40 : 0) << c.period;
        EXPECT_EQ(out.Items(0)->HighTemp, c.night ? 0 : 70) << c.period;
    }
}

TEST(NwsForecast, TwelveHourWordedTextsFollowTheCursor) {
    const std::vector<TPeriod> ndfdPeriods(kFiveDays.begin(), kFiveDays.begin() + 4);
    const TXMLDwml ndfd = TXMLDwml::LoadFromBuffer(Ndfd12(ndfdPeriods, {50, 51}, {30, 31}));
    struct {
        const char *what;
        std::vector<TPeriod> periods;
        int texts;
        std::vector<std::string> details;
    } cases[] = {
        {"same first period",
         {{"Today", "2026-12-13T06:00:00-05:00"}, {"Tonight", "2026-12-13T18:00:00-05:00"},
          {"Monday", "2026-12-14T06:00:00-05:00"}, {"Monday Night", "2026-12-14T18:00:00-05:00"}},
         4,
         {"Today: t0", "Tonight: t1", "Monday: t2", "Monday Night: t3"}},
        {"worded forecast starts at noon",
         {{"This Afternoon", "2026-12-13T12:00:00-05:00"}, {"Tonight", "2026-12-13T18:00:00-05:00"},
          {"Monday", "2026-12-14T06:00:00-05:00"}, {"Monday Night", "2026-12-14T18:00:00-05:00"}},
         4,
         {"This Afternoon: t0", "Tonight: t1", "Monday: t2", "Monday Night: t3"}},
        {"worded forecast a period later",
         {{"Tonight", "2026-12-13T18:00:00-05:00"}, {"Monday", "2026-12-14T06:00:00-05:00"},
          {"Monday Night", "2026-12-14T18:00:00-05:00"}},
         3,
         {"", "Tonight: t0", "Monday: t1", "Monday Night: t2"}},
        {"fewer texts than periods",
         {{"Today", "2026-12-13T06:00:00-05:00"}, {"Tonight", "2026-12-13T18:00:00-05:00"}},
         2,
         {"Today: t0", "Tonight: t1", "", ""}},
        {"more texts than worded periods",
         {{"Today", "2026-12-13T06:00:00-05:00"}},
         4,
         {"Today: t0", "Tonight: t1", "Monday: t2", "Monday Night: t3"}},
    };
    for (const auto &c : cases) {
        const TXMLDwml text = TXMLDwml::LoadFromBuffer(Worded(c.periods, c.texts));
        ASSERT_TRUE(text.Active()) << c.what;
        TForecasts out(nullptr);
        ASSERT_TRUE(ParseNwsForecasts({&ndfd, &text, true, 0, 2}, out)) << c.what;
        EXPECT_EQ(Details(out), c.details) << c.what;
    }
}

TEST(NwsForecast, TwentyFourHourDetailWithEvening) {
    ZoneGuard zone("EST5");
    const TXMLDwml ndfd = TXMLDwml::LoadFromFile(FixturePath(kNyc));
    const TXMLDwml text = TXMLDwml::LoadFromBuffer(Worded({{"Today", "2008-12-23T06:00:00-05:00"},
                                                          {"Tonight", "2008-12-23T18:00:00-05:00"},
                                                          {"Monday", "2008-12-24T06:00:00-05:00"},
                                                          {"Monday Night", "2008-12-24T18:00:00-05:00"},
                                                          {"Tuesday", "2008-12-25T06:00:00-05:00"}},
                                                         5,
                                                         {{"Today", "2008-12-23T06:00:00-05:00"},
                                                          {"Monday Night", "2008-12-24T18:00:00-05:00"},
                                                          {"Tuesday", "2008-12-25T06:00:00-05:00"}}));
    ASSERT_TRUE(ndfd.Active());
    TForecasts out(nullptr);
    ASSERT_TRUE(ParseNwsForecasts({&ndfd, &text, false, 0, 4}, out));
    ASSERT_EQ(out.Count(), 4);
    EXPECT_EQ(Names(out), (std::vector<std::string>{"Today", "Monday", "Tuesday", ""}));
    EXPECT_EQ(Details(out), (std::vector<std::string>{"Today: t0", "Monday: t2\n\nEvening: t3", "Tuesday: t4", ""}));

    // The numbers of the real document.
    const int highs[] = {32, 49, 43, 41}, lows[] = {31, 41, 33, 39};
    const char *precip[] = {"Precip. : 5%", "Precip. : 94%", "Precip. : 22%", "Precip. : 50%"};
    const char *summary[] = {"Rain", "Rain", "Slight Chance Rain", "Chance Rain"};
    const char *icon[] = {"ra80.jpg", "ra90.jpg", "ra20.jpg", "ra50.jpg"};
    for (int i = 0; i < 4; ++i) {
        const TForecastItem &it = *out.Items(i);
        EXPECT_EQ(it.HighTemp, highs[i]) << i;
        EXPECT_EQ(it.LowTemp, lows[i]) << i;
        EXPECT_EQ(it.PrecipText, precip[i]) << i;
        EXPECT_EQ(it.Summary, summary[i]) << i;
        EXPECT_EQ(it.IconBase, "http://www.nws.noaa.gov/weather/images/fcicons/") << i;
        EXPECT_EQ(it.IconName, icon[i]) << i;
        EXPECT_EQ(it.Date, EncodeDate(2008, 12, 23 + i) + EncodeTime(6, 0, 0)) << i;
    }
}

TEST(NwsForecast, RealDocumentsMapToSensiblePeriods) {
    ZoneGuard zone("CST6");
    const TXMLDwml ndfd = TXMLDwml::LoadFromFile(FixturePath(kNyc));
    const TXMLDwml mapclick = TXMLDwml::LoadFromFile(FixturePath(kMapClick));
    ASSERT_TRUE(mapclick.Active());
    TForecasts out(nullptr);
    ASSERT_TRUE(ParseNwsForecasts({&ndfd, &mapclick, false, 1, 4}, out));
    ASSERT_EQ(out.Count(), 4);
    EXPECT_EQ(Names(out), (std::vector<std::string>{"Tonight", "Monday", "Tuesday", "Wednesday"}));
    EXPECT_EQ(out.Items(0)->Detail.rfind("Tonight: A 20 percent chance of showers after midnight.", 0), 0u);
    EXPECT_EQ(out.Items(0)->Detail.find("Evening:"), std::string::npos);
    const std::string &monday = out.Items(1)->Detail;
    EXPECT_EQ(monday.rfind("Monday: Partly sunny, then gradually becoming sunny", 0), 0u) << monday;
    EXPECT_NE(monday.find("\n\nEvening: Mostly clear, with a low around 50."), std::string::npos) << monday;
    EXPECT_EQ(out.Items(0)->HighTemp, 0);  // 32 F
    EXPECT_EQ(out.Items(1)->HighTemp, 9);  // 49 F

    // The SOAP reply's document without a worded forecast keeps its own (empty) names.
    const TXMLDwml springfield = SoapInner(kSpringfield);
    ASSERT_TRUE(springfield.Active());
    TForecasts mo(nullptr);
    ASSERT_TRUE(ParseNwsForecasts({&springfield, nullptr, false, 0, 3}, mo));
    ASSERT_EQ(mo.Count(), 3);
    EXPECT_EQ(mo.Items(0)->HighTemp, 28);
    EXPECT_EQ(mo.Items(2)->LowTemp, 26);
    EXPECT_EQ(mo.Items(0)->PrecipText, "Precip. : 20%");
    EXPECT_EQ(mo.Items(2)->PrecipText, "Precip. : 60%");
    EXPECT_EQ(mo.Items(2)->Summary, "Sleet Likely");
    EXPECT_EQ(mo.Items(2)->IconName, "ip60.jpg");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(mo.Items(i)->Detail.empty());
}

TEST(NwsForecast, NothingUsableLeavesThePreviousForecast) {
    const std::string full = ReadFile(FixturePath(kNyc));
    const TXMLDwml truncated = TXMLDwml::LoadFromBuffer(full.substr(0, full.size() / 2));
    const TXMLDwml noData = TXMLDwml::LoadFromBuffer("<dwml><head/></dwml>");
    const TXMLDwml noPeriods = TXMLDwml::LoadFromBuffer("<dwml><data><time-layout/></data></dwml>");
    const TXMLDwml *docs[] = {nullptr, &truncated, &noData, &noPeriods};
    for (const TXMLDwml *doc : docs) {
        TForecasts out(nullptr);
        out.Add()->Name = "previous";
        EXPECT_FALSE(ParseNwsForecasts({doc, nullptr, true, 0, 5}, out));
        ASSERT_EQ(out.Count(), 1);
        EXPECT_EQ(out.Items(0)->Name, "previous");
    }
}

TEST(NwsForecast, ShortListsLeaveValuesOut) {
    ZoneGuard zone("EST5");
    // No temperatures at all: names and dates still come through, temperatures stay 0.
    const TXMLDwml noTemps = TXMLDwml::LoadFromBuffer(Ndfd12(kFiveDays, {}, {}, false));
    TForecasts out(nullptr);
    ASSERT_TRUE(ParseNwsForecasts({&noTemps, nullptr, true, 1, 5}, out));
    ASSERT_EQ(out.Count(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(out.Items(i)->HighTemp, 0) << i;
        EXPECT_EQ(out.Items(i)->LowTemp, 0) << i;
    }
    EXPECT_EQ(out.Items(3)->Name, " Night");

    // Only lows: the lows are not taken for highs.
    std::string onlyLows = Ndfd12(kFiveDays, {50, 51, 52, 53, 54}, {20, 21, 22, 23, 24});
    onlyLows.replace(onlyLows.find("type=\"maximum\""), 14, "type=\"dewpoint\"");
    const TXMLDwml lows = TXMLDwml::LoadFromBuffer(onlyLows);
    ASSERT_TRUE(ParseNwsForecasts({&lows, nullptr, true, 0, 5}, out));
    EXPECT_EQ(out.Items(0)->HighTemp, 0);
    EXPECT_EQ(out.Items(1)->LowTemp, 20);

    // A 24-hour document read in 12-hour mode: twice the days, but only one named
    // period, one icon per day and one summary per day.
    const TXMLDwml nyc = TXMLDwml::LoadFromFile(FixturePath(kNyc));
    ASSERT_TRUE(ParseNwsForecasts({&nyc, nullptr, true, 0, 4}, out));
    ASSERT_EQ(out.Count(), 8);
    EXPECT_EQ(out.Items(0)->HighTemp, 32);
    EXPECT_EQ(out.Items(3)->IconName, "ra50.jpg");
    EXPECT_EQ(out.Items(4)->IconName, "na.jpg");
    EXPECT_EQ(out.Items(4)->IconBase, "");
    EXPECT_EQ(out.Items(4)->Summary, "No Info..");
    EXPECT_EQ(out.Items(7)->PrecipText, "Precip. :50%");
    for (int i = 1; i < 8; ++i) {
        EXPECT_EQ(out.Items(i)->Name, "") << i;
        EXPECT_EQ(out.Items(i)->HighTemp, 0) << i;
    }

    // A cut worded forecast does not parse: periods keep the NDFD names, no details.
    const std::string mapclick = ReadFile(FixturePath(kMapClick));
    const TXMLDwml cut = TXMLDwml::LoadFromBuffer(mapclick.substr(0, mapclick.size() - 300));
    ASSERT_TRUE(ParseNwsForecasts({&noTemps, &cut, true, 0, 5}, out));
    EXPECT_EQ(out.Items(0)->Name, "Today");
    for (int i = 0; i < out.Count(); ++i) EXPECT_TRUE(out.Items(i)->Detail.empty()) << i;
}
