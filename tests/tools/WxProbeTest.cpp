// The probe's JSON for the real current observations, in every unit mode,
// against saved expected files. Regenerate one with
//   build/bin/wxprobe current --nws FILE --scale S --speed V
#include <gtest/gtest.h>

#include "Probe.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

TEST(WxProbe, CurrentObservationsMatchTheGoldenFiles) {
    TempProfile profile;
    const char *const stations[][2] = {
        {"KNYC", "KNYC_2022-06-20_https-era.xml"},
        {"KSGF", "KSGF_2013-08-12_mixed-CRLF.xml"},
        {"KVAY", "KVAY_2008-12-23_NA-values.xml"},
    };
    for (const auto &[station, file] : stations) {
        for (int scale = 0; scale <= 1; ++scale) {
            for (int speed = 0; speed <= 1; ++speed) {
                const std::string golden = std::string("golden/current_") + station + "_" + std::to_string(scale) +
                                           std::to_string(speed) + ".json";
                SCOPED_TRACE(golden);
                const nlohmann::json actual =
                    ProbeNwsCurrent(FixturePath(std::string("nws/current_obs/") + file), scale, speed);
                const nlohmann::json expected = nlohmann::json::parse(ReadFile(FixturePath(golden)), nullptr, false);
                ASSERT_FALSE(expected.is_discarded()) << "unreadable " << golden;
                EXPECT_EQ(actual, expected) << "actual:\n" << actual.dump(2);
            }
        }
    }
}

TEST(WxProbe, UnreadableDocumentIsAnError) {
    TempProfile profile;
    WriteFile(profile.Root() + "page.xml", "<html><body>Moved</body></html>");
    const nlohmann::json out = ProbeNwsCurrent(profile.Root() + "page.xml", 0, 0);
    EXPECT_TRUE(out.contains("error")) << out.dump();
    EXPECT_FALSE(out.contains("temperature"));
}

TEST(WxProbe, AccuAlertsFollowTheDocumentsWatchArea) {
    TempProfile profile;
    TAcuProbe p;
    p.Mode = "alerts";
    p.Document = FixturePath("accu/weather-data_cleveland-oh_blstreamhptablet_2020.xml");
    p.Page = FixturePath("accu/alert-page_cleveland.htm");
    p.Now = "2020-12-25T11:54:00";
    // The saved document's area is inactive: no page is read.
    nlohmann::json out = ProbeAcu(p);
    EXPECT_EQ(out["alertURL"], "") << out.dump(2);
    EXPECT_TRUE(out["items"].empty());

    p.Active = true;
    out = ProbeAcu(p);
    EXPECT_EQ(out["alertURL"], "/watches-warnings.asp?partner=blstreamhptablet&zipcode=44113&county=OHC035&zone=OHZ011")
        << out.dump(2);
    ASSERT_EQ(out["items"].size(), 2u) << out.dump(2);
    EXPECT_EQ(out["items"][0]["event"], "Winter Storm Warning For Cuyahoga County");
    EXPECT_EQ(out["items"][1]["event"], "Lake Effect Snow Advisory For Lake County");
}

TEST(WxProbe, AccuCitySearchListsEveryLocation) {
    TempProfile profile;
    TAcuProbe p;
    p.Mode = "search";
    p.Document = FixturePath("accu/city-find_new-york_accuwxiphonev4_2020.xml");
    p.Search = "New York";
    const nlohmann::json out = ProbeAcu(p);
    ASSERT_EQ(out["results"].size(), 18u) << out.dump(2);
    EXPECT_EQ(out["searchDone"], 18);
    for (const auto &r : out["results"]) {
        EXPECT_FALSE(r["line"].get<std::string>().empty());
        EXPECT_FALSE(r["id"].get<std::string>().empty());
    }
}

TEST(WxProbe, BadInputIsReportedAsAnError) {
    TempProfile profile;
    TAcuProbe missing;
    missing.Mode = "current";
    missing.Document = profile.Root() + "nothing.xml";
    TAcuProbe badClock = missing;
    badClock.Document = FixturePath("accu/weather-data_cleveland-oh_blstreamhptablet_2020.xml");
    badClock.Now = "yesterday";
    TAcuProbe badMode = badClock;
    badMode.Now.clear();
    badMode.Mode = "radar";
    for (const nlohmann::json &out : {ProbeAcu(missing), ProbeAcu(badClock), ProbeAcu(badMode),
                                      ProbeSearch("north", "-77.03"), ProbeSearch("38.85", "")})
        EXPECT_TRUE(out.contains("error")) << out.dump();
    // Without the tables beside the program the search and lookup say so.
    const std::string old = ProgramPath();
    SetProgramPath(profile.Root());
    EXPECT_TRUE(ProbeSearch("38.85", "-77.03").contains("error"));
    EXPECT_TRUE(ProbeZip("Denver").contains("error"));
    SetProgramPath(old);
}
