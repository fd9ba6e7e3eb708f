#include <gtest/gtest.h>

#include "app/IniSettings.h"
#include "support/TestSupport.h"
#include "TestService.h"

namespace {
struct Events {
    int settings = 0, language = 0, applied = 0;
    std::string code;
    void attach(TCustomWxService &s) {
        s.OnSettingsChanged = [this](TCustomWxService &) { ++settings; };
        s.OnLanguageChanged = [this](TCustomWxService &, const std::string &c) {
            ++language;
            code = c;
        };
        s.OnLanguageApplied = [this](TCustomWxService &) { ++applied; };
    }
};
}  // namespace

TEST(WxService, CreationLoadsTheSectionAndGettersReadThrough) {
    TIniSettings ini;
    ini.SetStrings({"[Service1]", "Name=Test", "httpBase=http://example.test", "Port=8080", "Location=KSEA",
                    "Latitude=47.44", "Radar=3"});
    auto svc = CreateWxService<TTestWxService>(nullptr, 1, &ini);
    EXPECT_EQ(svc->SectionName(), "Service1");
    EXPECT_EQ(svc->GetLinkURL(), "http://example.test");  // field, filled by LoadSettings
    EXPECT_EQ(svc->GetPort(), 8080);
    EXPECT_EQ(svc->GetLanguage(), "ENU");
    EXPECT_EQ(svc->GetRadarIndex(), 3);
    ini.WriteString("Service1", "Location", "KBOS");
    EXPECT_EQ(svc->GetLocation(), "KBOS");
    // Without the section the last value stays.
    ini.EraseSection("Service1");
    EXPECT_EQ(svc->GetLocation(), "KBOS");
    EXPECT_EQ(svc->GetPort(), 8080);
}

TEST(WxService, WithoutSettingsGettersKeepTheirValues) {
    TTestWxService svc(nullptr);
    Events ev;
    ev.attach(svc);
    EXPECT_EQ(svc.GetName(), "Test");
    EXPECT_EQ(svc.GetPort(), 80);
    EXPECT_EQ(svc.GetNumDays(), 5);
    EXPECT_TRUE(svc.GetPeriods12());
    svc.SetLocation("KDCA");
    svc.SetCityName("Washington");
    svc.SetNumDays(7);
    svc.SetPeriods12(false);
    svc.SetRadarIndex(2);
    EXPECT_EQ(svc.GetLocation(), "KDCA");
    EXPECT_EQ(svc.GetCityName(), "Washington");
    EXPECT_EQ(svc.GetNumDays(), 7);
    EXPECT_FALSE(svc.GetPeriods12());
    EXPECT_EQ(svc.GetRadarIndex(), 2);
    EXPECT_EQ(ev.settings, 5);
    // Scale and speed unit fall back to 0 without a [Wx] section.
    svc.SetScale(1);
    svc.SetSpeedUnit(1);
    EXPECT_EQ(svc.GetScale(), 0);
    EXPECT_EQ(svc.GetSpeedUnit(), 0);
    EXPECT_EQ(svc.GetSettingsFileName(), "");
}

TEST(WxService, CoordinateSettersNormaliseAndWriteOnce) {
    TIniSettings ini;
    auto svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
    Events ev;
    ev.attach(*svc);
    svc->SetLatitude("38.98N");
    EXPECT_EQ(ini.ReadString("Service0", "Latitude", "?"), "38.98");
    EXPECT_EQ(ev.settings, 1);
    svc->SetLatitude("38.98");
    EXPECT_EQ(ev.settings, 1);
    svc->SetLongitude("77.03W");
    EXPECT_EQ(svc->GetLongitude(), "-77.03");
    EXPECT_EQ(ev.settings, 2);
}

TEST(WxService, ScaleWritesOnceAndSpeedUnitRaisesNothing) {
    TIniSettings ini;
    auto svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
    Events ev;
    ev.attach(*svc);
    svc->SetScale(1);
    EXPECT_EQ(ini.ReadInteger("Wx", "Scale", -1), 1);
    ini.WriteInteger("Wx", "Scale", 9);  // a second write would put 1 back
    svc->SetScale(1);
    EXPECT_EQ(ini.ReadInteger("Wx", "Scale", -1), 9);
    EXPECT_EQ(ev.settings, 1);
    svc->SetSpeedUnit(129);
    EXPECT_EQ(ini.ReadInteger("Wx", "Speed", -1), 1);  // stored with the high bit masked off
    EXPECT_EQ(ev.settings, 1);
    ini.WriteInteger("Wx", "Periods", 24);
    EXPECT_FALSE(svc->GetPeriods12());
}

TEST(WxService, LanguageChangeRaisesLanguageEventsOnly) {
    TIniSettings ini;
    auto svc = CreateWxService<TTestWxService>(nullptr, 2, &ini);
    Events ev;
    ev.attach(*svc);
    svc->SetLanguage("DEU");
    svc->SetLanguage("DEU");
    EXPECT_EQ(ini.ReadString("Service2", "Language", ""), "DEU");
    EXPECT_EQ(ev.language, 1);
    EXPECT_EQ(ev.code, "DEU");
    EXPECT_EQ(ev.applied, 1);
    EXPECT_EQ(ev.settings, 0);
    std::string code;
    EXPECT_TRUE(svc->AcceptLanguage(code));
    EXPECT_EQ(code, "DEU");
}

TEST(WxService, RegisterServiceOnAnEmptyFile) {
    TIniSettings ini;
    auto svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
    svc->RegisterService();
    EXPECT_EQ(ini.ReadString("Services", "Service0", ""), "A test service");
    EXPECT_EQ(ini.ReadString("Service0", "Name", ""), "Test");
    // An existing entry and section are left alone.
    ini.WriteString("Services", "Service0", "Renamed");
    ini.WriteString("Service0", "Name", "Other");
    svc->RegisterService();
    EXPECT_EQ(ini.ReadString("Services", "Service0", ""), "Renamed");
    EXPECT_EQ(ini.ReadString("Service0", "Name", ""), "Other");
}

TEST(WxService, NormalizeCoordinate) {
    const struct { const char *in, *out; } cases[] = {
        {"", ""},
        {"38.98N", "38.98"},
        {"77.03W", "-77.03"},
        {"12.5S", "-12.5"},
        {"100.25E", "100.25"},
        {"38.98n", "38.98n"},          // lower-case letters are left alone
        {"39'12.34S", "-3912"},         // a late '.' takes two digits with it, then the apostrophe goes
        {"-104.12345", "-104.12345"},   // '.' at position 5 stays
        {"-1045.12345", "-1045345"},
    };
    for (const auto &c : cases) EXPECT_EQ(TCustomWxService::NormalizeCoordinate(c.in), c.out) << c.in;
}

TEST(WxService, ConvertSpeed) {
    TIniSettings ini;
    auto svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
    ini.WriteInteger("Wx", "Speed", 0);
    EXPECT_EQ(svc->ConvertSpeed("10"), "10");
    EXPECT_EQ(svc->ConvertSpeed("NA"), "NA");
    ini.WriteInteger("Wx", "Speed", 1);
    const struct { const char *in, *out; } cases[] = {
        {"10", "16"}, {"0", "0"}, {"3.5", "6"}, {"7.5", "12"}, {"25", "40"}, {"-2", "-3"},
        {"5", "8"},                 // 8.0472
        {"0.31066", "0"},           // 0.49999..: down
        {"NA", "NA"}, {"", ""},     // not a number: unchanged
    };
    for (const auto &c : cases) EXPECT_EQ(svc->ConvertSpeed(c.in), c.out) << c.in;
}

TEST(WxService, RealFeelIsTheTruncatedMean) {
    TTestWxService svc(nullptr);
    const struct { int t, f; const char *out; } cases[] = {{71, 68, "69"}, {-3, -4, "-3"}, {0, 0, "0"}, {-1, 0, "0"}};
    for (const auto &c : cases) {
        svc.temperature = c.t;
        svc.feelsLike = c.f;
        EXPECT_EQ(svc.GetRealFeel(), c.out) << c.t << " " << c.f;
    }
}

TEST(WxService, BaseAnswersAndSearchResults) {
    TTestWxService svc(nullptr);
    EXPECT_EQ(svc.GetPrecipitation(), "0.00");
    EXPECT_EQ(svc.GetSunrise(), "0:00 am");
    EXPECT_EQ(svc.GetSunset(), "0:00 pm");
    EXPECT_EQ(svc.GetMoonPhase(), "Waxing Gibbous");
    EXPECT_EQ(svc.GetObservationTime(), "00:00:00");
    EXPECT_EQ(svc.GetMaxDays(), 7);
    EXPECT_EQ(svc.GetConditionsPicture(), nullptr);
    EXPECT_EQ(svc.GetCacheFolder(), "Cache\\");

    TWxLocationRec r = svc.LookupLocation("KSEA");
    EXPECT_EQ(r.Name, "Invalid location");
    EXPECT_EQ(r.ID, "");
    EXPECT_EQ(r.Latitude, "0");
    EXPECT_EQ(r.CityState, "N/A");
    EXPECT_EQ(r.ZipCode, "0");
    EXPECT_EQ(r.Extra, "N/A");

    svc.AddSearchResult("Seattle, WA", "KSEA");
    svc.AddSearchResult("", "KBOS");
    svc.AddSearchResult("Boston, MA", "");
    EXPECT_EQ(svc.GetSearchLines().size(), 1u);
    EXPECT_EQ(svc.GetSearchIds(), std::vector<std::string>{"KSEA"});
    EXPECT_EQ(svc.searches, 0);
}

TEST(WxService, RedirectRewritesTheKeysThatNamedTheOldServer) {
    TIniSettings ini;
    ini.SetStrings({"[Service0]", "Name=Test", "httpBase=http://old.test/data", "HTML=http://old.test/data/page",
                    "XML=/data/current_obs"});
    auto svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
    std::string dest = "http://new.test/data/x.xml";
    bool handled = false;
    svc->HandleRedirect("http://old.test/data/x.xml", dest, 1, handled, "GET");
    EXPECT_EQ(ini.ReadString("Test", "httpBase", ""), "http://new.test/data");
    EXPECT_EQ(ini.ReadString("Test", "HTML", ""), "http://new.test/data");
    EXPECT_FALSE(ini.ValueExists("Test", "XML"));

    int seen = 0;
    svc->OnRedirect = [&](const std::string &, std::string &d, int, bool &h, const std::string &) {
        ++seen;
        d = "changed";
        h = true;
    };
    svc->HandleRedirect("http://old.test/data/x.xml", dest, 1, handled, "GET");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(dest, "changed");
    EXPECT_TRUE(handled);
}
