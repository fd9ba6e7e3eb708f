#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <ctime>

#include "app/IniSettings.h"
#include "nws/NWSSunMoon.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "service/Servers.h"
#include "service/TestService.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> fixtureLines(const std::string &name) {
    std::vector<std::string> lines;
    std::string text = ReadFile(FixturePath("usno/" + name)), line;
    for (char ch : text) {
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (ch != '\r') {
            line += ch;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string field(const std::vector<std::string> &fields, const std::string &name) {
    for (const std::string &f : fields)
        if (f.compare(0, name.size() + 1, name + "=") == 0) return f.substr(name.size() + 1);
    return "<missing>";
}

// Switches the process zone for one test.
struct ZoneScope {
    std::string old;
    bool had = false;
    explicit ZoneScope(const char *tz) {
        if (const char *o = std::getenv("TZ")) {
            old = o;
            had = true;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneScope() {
        if (had) setenv("TZ", old.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
};

}  // namespace

TEST(SunMoonForm, CoordinatesSplitAtTheFirstDot) {
    struct Case { const char *lon, *lat, *xx1, *xx2, *yy1, *yy2; };
    const Case cases[] = {
        {"-77.03", "38.85", "-77", "03", "38", "85"},
        {"-77.0369", "38.8951", "-77", "03", "38", "89"},
        {"-77", "38.9", "", "-7", "38", "9"},  // no '.': empty degrees, the first two characters
        {"151.2", "-33.86", "151", "2", "-33", "86"},
    };
    const TTimeZoneBias tz{300, 0, -60, true, false};
    for (const Case &c : cases) {
        auto f = SunMoonFormFields(EncodeDate(2011, 5, 9), c.lat, c.lon, tz);
        EXPECT_EQ(field(f, "xx1"), c.xx1) << c.lon;
        EXPECT_EQ(field(f, "xx2"), c.xx2) << c.lon;
        EXPECT_EQ(field(f, "yy1"), c.yy1) << c.lat;
        EXPECT_EQ(field(f, "yy2"), c.yy2) << c.lat;
    }
}

TEST(SunMoonForm, WholeLineInOrder) {
    const TTimeZoneBias tz{300, 0, -60, true, false};
    auto f = SunMoonFormFields(EncodeDate(2011, 5, 9) + 0.5, "38.85", "-77.03", tz);
    EXPECT_EQ(SunMoonFormLine(f),
              "FFX=2&ID=A+Wx&xxy=2011&xxm=5&xxd=9&xx0=1&xx1=-77&xx2=03&yy0=1&yy1=38&yy2=85&zz1=4&zz0=-1");
}

TEST(SunMoonForm, ZoneFromBiases) {
    struct Case { TTimeZoneBias tz; int zone; };
    const Case cases[] = {
        {{300, 0, -60, true, false}, 4},   // US Eastern: daylight part counted in winter too
        {{420, 0, 0, false, false}, 7},    // Arizona, no daylight time
        {{-60, 0, -60, true, true}, -2},   // Central Europe
        {{330, 0, 0, false, false}, 5},    // half hours truncate toward zero
        {{-570, 0, 0, false, false}, -9},
    };
    for (const Case &c : cases) EXPECT_EQ(SunMoonZone(c.tz), c.zone) << c.tz.Bias;
}

TEST(SunMoonForm, EasternZoneOfTheMachineSendsFour) {
    ZoneScope zone("EST5EDT,M3.2.0,M11.1.0");
    // January: standard time, and still the daylight bias is part of the field.
    std::tm jan{};
    jan.tm_year = 111;
    jan.tm_mon = 0;
    jan.tm_mday = 15;
    jan.tm_hour = 12;
    jan.tm_isdst = -1;
    auto f = SunMoonFormFields(EncodeDate(2011, 1, 15), "38.85", "-77.03", GetTimeZoneBias(std::mktime(&jan)));
    EXPECT_EQ(field(f, "zz1"), "4");
}

TEST(SunMoonReply, TimeAroundTheFirstColon) {
    TFormatSettings::ResetToDefaults();
    struct Case { const char *line; bool ok; const char *text; };
    const Case cases[] = {
        {"        Sunset                    18:03", true, "6:03 PM"},
        {"        Sunrise                   06:02   ", true, "6:02 AM"},
        {"Sunrise  6:00", true, "6:00 AM"},          // leading blank in the hours
        {"Sunset 12:00", true, "12:00 PM"},          // only the first ":00" goes
        {"        Sunrise                   --:--", false, ""},
        {"<a href=\"http://x/sunrise\">Sunrise</a>", false, ""},
        {"Sunrise 25:10", false, ""},
        {"Sunrise 07:", false, ""},
    };
    for (const Case &c : cases) {
        std::string out = "unchanged";
        EXPECT_EQ(SunMoonLineTime(c.line, out), c.ok) << c.line;
        if (c.ok) EXPECT_EQ(out, c.text) << c.line;
        else EXPECT_EQ(out, "unchanged") << c.line;
    }
    TFormatSettings::Global().LongTimeFormat = "hh:nn:ss";
    std::string out;
    ASSERT_TRUE(SunMoonLineTime("Sunset 18:03", out));
    EXPECT_EQ(out, "18:03");
    TFormatSettings::ResetToDefaults();
}

TEST(SunMoonReply, TableOfOneDay) {
    TFormatSettings::ResetToDefaults();
    TSunMoonTexts t;
    // The link line above the table names sunrise and sunset but carries no time.
    ScanSunMoonReply(fixtureLines("washington-2011-05-09.html"), t);
    EXPECT_EQ(t.Sunrise, "6:02 AM");
    EXPECT_EQ(t.Sunset, "8:13 PM");
    // The primary phase below has no "phase" of its own and loses to the phase line.
    EXPECT_EQ(t.MoonPhase, "waxing crescent with 38% of the Moon's visible disk illuminated.");
}

TEST(SunMoonReply, LaterPrimaryPhaseLineWins) {
    TFormatSettings::ResetToDefaults();
    TSunMoonTexts t;
    ScanSunMoonReply(fixtureLines("primary-phase-2011-05-02.html"), t);
    EXPECT_EQ(t.Sunset, "6:03 PM");
    EXPECT_EQ(t.MoonPhase, "New Moon on 3 May 2011 at 02:51 (Eastern Daylight Time).");
}

TEST(SunMoonReply, UnreadableSunriseKeepsTheEarlierValue) {
    TFormatSettings::ResetToDefaults();
    TSunMoonTexts t{"5:59 AM", "8:00 PM", "Waxing Gibbous"};
    ScanSunMoonReply(fixtureLines("bad-sunrise.html"), t);
    EXPECT_EQ(t.Sunrise, "5:59 AM");
    EXPECT_EQ(t.Sunset, "7:58 PM");
    EXPECT_EQ(t.MoonPhase, "Full");  // a bare phase word up to the next blank

    TSunMoonTexts none{"a", "b", "c"};
    ScanSunMoonReply({"<html>", "no table here", "</html>"}, none);
    EXPECT_EQ(none.Sunrise, "a");
    EXPECT_EQ(none.Sunset, "b");
    EXPECT_EQ(none.MoonPhase, "c");
}

TEST(SunMoonReply, PhaseWordOrderBeatsPosition) {
    TSunMoonTexts t;
    // "new" stands left of "full", but "full" comes first in the word list.
    ScanSunMoonReply({"new full moon tonight"}, t);
    EXPECT_EQ(t.MoonPhase, "full");
    // A word at the end of a line without "phase" has no blank after it: no change.
    ScanSunMoonReply({"waning"}, t);
    EXPECT_EQ(t.MoonPhase, "full");
}

TEST(SunMoonSchedule, OnceAtStartAndAfterMidnight) {
    const TDateTime day = EncodeDate(2011, 5, 9);
    struct Case { const char *sunrise; TDateTime at; bool due; };
    const Case cases[] = {
        {"", day + 0.5, true},
        {"6:02 AM", day + 0.5, false},
        {"6:02 AM", day + 0.01, true},
        {"6:02 AM", day + EncodeTime(1, 11, 0), true},
        {"6:02 AM", day + EncodeTime(1, 13, 0), false},
    };
    for (const Case &c : cases) EXPECT_EQ(SunMoonDue(c.sunrise, c.at), c.due) << c.sunrise << " " << c.at;
}

namespace {
struct SunMoonRefresh : ::testing::Test {
    TempProfile profile;
    LocalHttpServer http;
    TIniSettings ini;
    std::unique_ptr<TTestWxService> svc;
    std::string posted;

    void SetUp() override {
        TFormatSettings::ResetToDefaults();
        ini.SetStrings({"[Service0]", "Name=Test", "Location=KDCA", "Latitude=38.85", "Longitude=-77.03"});
        svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
        Clock::Set(EncodeDate(2011, 5, 9) + 0.5);
    }
    void TearDown() override {
        Clock::UseSystem();
        ClearServerOverrides();
    }
    void serve(int status) {
        http.Server().Post("/cgi-bin/aa_pap.pl", [this, status](const httplib::Request &rq, httplib::Response &r) {
            posted = rq.body;
            r.status = status;
            r.set_content(ReadFile(FixturePath("usno/washington-2011-05-09.html")), "text/html");
        });
        http.Start();
        SetServerOverride(TServer::USNO, "http://" + http.Host());
        svc->SetConnected(true);
    }
};
}  // namespace

TEST_F(SunMoonRefresh, PostsTheFormAndKeepsTheReplyWhenAllowed) {
    serve(200);
    svc->SetAllowTemp(true);
    TSunMoonTexts t;
    ASSERT_TRUE(RefreshSunMoonTable(*svc, t));
    EXPECT_NE(posted.find("FFX=2&ID=A+Wx&xxy=2011&xxm=5&xxd=9&xx0=1&xx1=-77&xx2=03&yy0=1&yy1=38&yy2=85&zz1="),
              std::string::npos)
        << posted;
    EXPECT_EQ(t.Sunrise, "6:02 AM");
    const std::string saved = profile.Profile() + "Cache/NWSSunMoon.html";
    ASSERT_TRUE(FileExists(saved));
    EXPECT_NE(ReadFile(saved).find("Sunrise                   06:02"), std::string::npos);
}

TEST_F(SunMoonRefresh, FailedPostChangesNothing) {
    serve(500);
    TSunMoonTexts t{"5:59 AM", "8:00 PM", "Full"};
    EXPECT_FALSE(RefreshSunMoonTable(*svc, t));
    EXPECT_EQ(t.Sunrise, "5:59 AM");
    EXPECT_EQ(t.MoonPhase, "Full");
    EXPECT_FALSE(FileExists(profile.Profile() + "Cache/NWSSunMoon.html"));
}
