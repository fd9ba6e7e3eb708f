// The probe's JSON for real documents against saved expected files: the NWS
// forecast and alerts, the AccuWeather document, the station search and the
// city/ZIP lookup. Each file's regeneration command is in its table row.
#include <gtest/gtest.h>

#include "Probe.h"
#include "nws/ZoneGuard.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

void ExpectGolden(const std::string &golden, const nlohmann::json &actual) {
    SCOPED_TRACE(golden);
    const nlohmann::json expected =
        nlohmann::json::parse(ReadFile(FixturePath("golden/" + golden)), nullptr, false);
    ASSERT_FALSE(expected.is_discarded()) << "unreadable " << golden;
    EXPECT_EQ(actual, expected) << "actual:\n" << actual.dump(2);
}

// Points the program folder at the built tables for one test.
class BuiltTables {
public:
    BuiltTables() : old_(ProgramPath()) { SetProgramPath(TOLVU_BIN_DIR "/"); }
    ~BuiltTables() { SetProgramPath(old_); }

private:
    std::string old_;
};

const char *const kNycNdfd = "nws/dwml_ndfd/ndfd_byday_24hourly_4day_nyc_2008-12-23.xml";
const char *const kMapClick = "nws/dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml";
const char *const kCleveland = "accu/weather-data_cleveland-oh_blstreamhptablet_2020.xml";

}  // namespace

TEST(WxProbeGolden, NwsForecastFromTheNdfdAndWordedDocuments) {
    TempProfile profile;
    TFormatSettings::ResetToDefaults();
    ZoneGuard zone("EST5");
    // TZ=EST5 wxprobe forecast --ndfd NDFD --text MAPCLICK --periods 24 --now 2008-12-23T06:00:00
    TNwsForecastProbe p;
    p.Ndfd = FixturePath(kNycNdfd);
    p.Text = FixturePath(kMapClick);
    p.Periods12 = false;
    p.Now = "2008-12-23T06:00:00";
    ExpectGolden("forecast_nyc_mapclick_24.json", ProbeNwsForecast(p));
}

TEST(WxProbeGolden, NwsAlertsFromTheFeedAndItsDocuments) {
    TempProfile profile;
    TFormatSettings::ResetToDefaults();
    ZoneGuard zone("MST7MDT,M3.2.0,M11.1.0");
    // The feed's second entry (DC) has no document of its own to fetch.
    // TZ=MST7MDT,M3.2.0,M11.1.0 wxprobe alerts --index FEED --alert FLOOD --state mt --now 2010-08-30T12:00:00
    TProbeClock clock("2010-08-30T12:00:00");
    ExpectGolden("alerts_us_feed.json",
                 ProbeNwsAlerts(FixturePath("nws/cap/feed_us_alerts-beta_2010-08-31_2entries.xml"),
                                {FixturePath("nws/cap/alert_2010-08-30_MT_FlashFloodWatch_alerts-beta.xml")}, "",
                                "mt"));
}

TEST(WxProbeGolden, AccuWeatherClevelandDocument) {
    TempProfile profile;
    TFormatSettings::ResetToDefaults();
    ZoneGuard zone("EST5");
    // TZ=EST5 wxprobe acu current|forecast CLEVELAND --location cityId:350127 --now 2020-12-25T11:54:00
    for (const auto &[mode, golden] :
         {std::pair{"current", "acu_current_cleveland.json"}, std::pair{"forecast", "acu_forecast_cleveland.json"}}) {
        TAcuProbe p;
        p.Mode = mode;
        p.Document = FixturePath(kCleveland);
        p.Location = "cityId:350127";
        p.Now = "2020-12-25T11:54:00";
        ExpectGolden(golden, ProbeAcu(p));
    }
}

TEST(WxProbeGolden, StationSearchAndZipLookup) {
    BuiltTables tables;
    // wxprobe search --lat 38.85 --lon -77.03
    ExpectGolden("search_38.85_-77.03.json", ProbeSearch("38.85", "-77.03"));
    // wxprobe zip Denver; wxprobe zip 80202
    ExpectGolden("zip_Denver.json", ProbeZip("Denver"));
    ExpectGolden("zip_80202.json", ProbeZip("80202"));
}
