#include "nws/NWSAlerts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "ZoneGuard.h"

namespace {

const char *const kFloodWatch = "nws/cap/alert_2010-08-30_MT_FlashFloodWatch_alerts-beta.xml";
const char *const kThunderstorm = "nws/cap/alert_2012-03-16_IL_SevereThunderstormWarning.xml";
const char *const kUsFeed = "nws/cap/feed_us_alerts-beta_2010-08-31_2entries.xml";
const char *const kEmptyFeed = "nws/cap/feed_county_NJC013_y0_2022-06-22_no-active-alerts.xml";

struct TEntry {
    std::string area, link;
};

std::string Index(const std::vector<TEntry> &entries) {
    std::string s = "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:cap='urn:oasis:names:tc:emergency:cap:1.1'>"
                    "<title>Test index</title>";
    for (const TEntry &e : entries)
        s += "<entry><title>x</title><link href='" + e.link + "'/><cap:areaDesc>" + e.area +
             "</cap:areaDesc></entry>";
    return s + "</feed>";
}

// Serves alert documents by URL from local files and records what was asked for.
struct TFetcher {
    std::map<std::string, std::string> files;
    std::vector<std::string> asked;
    std::function<std::string(const std::string &)> Fn() {
        return [this](const std::string &url) {
            asked.push_back(url);
            const auto it = files.find(url);
            return it == files.end() ? std::string() : it->second;
        };
    }
};

TNWSAlerts &AsNws(const std::unique_ptr<TAlerts> &a) { return dynamic_cast<TNWSAlerts &>(*a); }

bool SameSecond(TDateTime a, TDateTime b) { return std::fabs(a - b) < 1.5 / 86400.0; }

}  // namespace

TEST(NwsAlerts, WalkFetchesOnlyTheCountyAndMergesLaterAlerts) {
    ZoneGuard zone("CST6");
    TempProfile profile;
    const std::string later = profile.Root() + "later.cap";
    // A later alert with one info lacking an effective date (never merged).
    std::string storm = ReadFile(FixturePath(kThunderstorm));
    storm.insert(storm.find("</alert>"), "<info><event>Statement Without Date</event></info>");
    WriteFile(later, storm);

    TFetcher fetch;
    fetch.files["http://x/1"] = FixturePath(kFloodWatch);
    fetch.files["http://x/2"] = FixturePath(kThunderstorm);
    fetch.files["http://x/3"] = later;
    const TCAPIndex index = TCAPIndex::LoadFromBuffer(Index({{"Cascade; LEWIS AND CLARK", "http://x/1"},
                                                             {"Toole; Liberty", "http://x/2"},
                                                             {"Lewis and Clark", "http://x/3"}}));
    ASSERT_TRUE(index.Active());
    Clock::Set(EncodeDate(2026, 12, 11) + EncodeTime(9, 30, 0));
    const std::unique_ptr<TAlerts> alerts = ParseNwsAlerts(index, "Lewis and Clark", fetch.Fn());
    const TDateTime parsedAt = Clock::Now();
    Clock::UseSystem();

    EXPECT_EQ(fetch.asked, (std::vector<std::string>{"http://x/1", "http://x/3"}));
    ASSERT_TRUE(alerts);
    ASSERT_EQ(alerts->Count(), 2);
    EXPECT_EQ(alerts->LastUpdate, parsedAt);
    EXPECT_EQ(AsNws(alerts).CountyFilter(), "Lewis and Clark");
    EXPECT_EQ(AsNws(alerts).Items(1)->InfoIndex, 1);
    EXPECT_EQ(alerts->GetSender(), "w-nws.webmaster@noaa.gov");
    EXPECT_EQ(alerts->GetScope(), "Public");
    EXPECT_EQ(alerts->GetNote(),
              "Alert for Central and Southern Lewis and Clark; Lewis and Clark (Montana) Issued by the National "
              "Weather Service");

    // The first alert, as it came.
    const TCustomAlertItem &flood = *alerts->Items(0);
    EXPECT_EQ(flood.GetEvent(), "Flash Flood Watch");
    EXPECT_EQ(flood.GetHeadline(), "Flash Flood Watch issued August 30 at 4:07AM MDT");
    EXPECT_EQ(flood.GetAreaDesc(0), "Central and Southern Lewis and Clark; Lewis and Clark");
    EXPECT_EQ(flood.GetAreaDesc(1), "");
    EXPECT_EQ(flood.GetGeocode(0), "030049");
    EXPECT_EQ(flood.GetGeocode(1), "");
    EXPECT_EQ(flood.GetWeb(), "");
    EXPECT_EQ(flood.GetCategory(1), "M");
    EXPECT_EQ(flood.GetCategory(3), "t");
    EXPECT_EQ(flood.GetCategory(0), "");
    EXPECT_EQ(flood.GetCategory(4), "");
    EXPECT_EQ(flood.GetSeverity(), "Severe");
    EXPECT_EQ(flood.Date, alerts->GetSent());
    EXPECT_NE(flood.GetDescription().find("FLASH FLOOD WATCH REMAINS IN EFFECT"), std::string::npos);

    // The merged one: its texts from the alert, its link and area from the index entry.
    const TCustomAlertItem &merged = *alerts->Items(1);
    EXPECT_EQ(merged.GetEvent(), "Severe Thunderstorm Warning");
    EXPECT_EQ(merged.GetWeb(), "http://x/3");
    EXPECT_EQ(merged.GetAreaDesc(0), "Lewis and Clark");
    EXPECT_EQ(merged.GetGeocode(0), "");
    EXPECT_EQ(merged.GetUrgency(), "Immediate");
    EXPECT_EQ(merged.GetCertainty(), "Observed");
    EXPECT_EQ(merged.GetHeadline(),
              "Severe Thunderstorm Warning issued March 15 at 10:08PM CDT until March 15 at 10:30PM CDT by NWS "
              "Saint Louis");
    EXPECT_TRUE(SameSecond(merged.GetEffective(), EncodeDate(2012, 3, 15) + EncodeTime(21, 8, 0)));
    EXPECT_TRUE(SameSecond(merged.GetExpires(), EncodeDate(2012, 3, 15) + EncodeTime(21, 30, 0)));
    EXPECT_NE(merged.GetDescription().find("HAIL <50MPH"), std::string::npos);
}

TEST(NwsAlerts, RealFeedWithRealAlerts) {
    TFetcher fetch;
    const TCAPIndex index = TCAPIndex::LoadFromFile(FixturePath(kUsFeed));
    ASSERT_TRUE(index.Active());
    const std::string ct = index.entry()[0].link().href(), dc = index.entry()[1].link().href();
    fetch.files[ct] = FixturePath(kFloodWatch);
    fetch.files[dc] = FixturePath(kThunderstorm);

    const std::unique_ptr<TAlerts> all = ParseNwsAlerts(index, "", fetch.Fn());
    EXPECT_EQ(fetch.asked, (std::vector<std::string>{ct, dc}));
    ASSERT_TRUE(all);
    ASSERT_EQ(all->Count(), 2);
    EXPECT_EQ(all->Items(1)->GetWeb(), dc);
    EXPECT_EQ(all->Items(1)->GetAreaDesc(0), "Arlington; District of Columbia; Fairfax; Montgomery; Prince Georges");

    // A county named by the second entry only: the first is never fetched.
    fetch.asked.clear();
    ParseNwsAlerts(index, "district of columbia", fetch.Fn());
    EXPECT_EQ(fetch.asked, (std::vector<std::string>{dc}));
}

TEST(NwsAlerts, NoCollectionWithoutAFirstAlert) {
    TempProfile profile;
    const std::string page = profile.Root() + "page.html";
    WriteFile(page, "<html><body>Service unavailable</body></html>");
    const TCAPIndex three =
        TCAPIndex::LoadFromBuffer(Index({{"Glacier", "http://x/1"}, {"Glacier", "http://x/2"}, {"Glacier", "http://x/3"}}));
    struct {
        const char *what;
        TCAPIndex index;
        std::string county;
        std::string firstFile;
        std::size_t fetches;
    } cases[] = {
        {"feed without entries", TCAPIndex::LoadFromBuffer(Index({})), "", FixturePath(kFloodWatch), 0},
        {"placeholder entry outside the county", TCAPIndex::LoadFromFile(FixturePath(kEmptyFeed)), "Essex",
         FixturePath(kFloodWatch), 0},
        {"placeholder entry links to the feed itself", TCAPIndex::LoadFromFile(FixturePath(kEmptyFeed)), "",
         FixturePath(kEmptyFeed), 1},
        {"first download fails", three, "glacier", "", 1},
        {"first download is a web page", three, "glacier", page, 1},
        {"index not parsed", TCAPIndex::LoadFromBuffer("<feed><entry>"), "", FixturePath(kFloodWatch), 0},
    };
    for (const auto &c : cases) {
        TFetcher fetch;
        for (const TCAPEntry e : c.index.entry()) fetch.files[e.link().href()] = FixturePath(kThunderstorm);
        if (!c.index.entry().Empty()) fetch.files[c.index.entry()[0].link().href()] = c.firstFile;
        EXPECT_TRUE(ParseNwsAlerts(c.index, c.county, fetch.Fn()) == nullptr) << c.what;
        EXPECT_EQ(fetch.asked.size(), c.fetches) << c.what;
    }

    // A later alert that fails to load costs only itself.
    TFetcher fetch;
    fetch.files["http://x/1"] = FixturePath(kFloodWatch);
    fetch.files["http://x/3"] = page;
    const std::unique_ptr<TAlerts> one = ParseNwsAlerts(three, "", fetch.Fn());
    EXPECT_EQ(fetch.asked.size(), 3u);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Count(), 1);
}

TEST(NwsAlerts, RebuildFiltersByEventAndFirstArea) {
    const TCAPAlert doc = TCAPAlert::LoadFromBuffer(
        "<alert xmlns='urn:oasis:names:tc:emergency:cap:1.1'><sender>s</sender>"
        "<sent>2026-12-11T08:00:00-05:00</sent><references>ref-1</references>"
        "<info><event>Fog</event><area><areaDesc>Glacier</areaDesc></area></info>"
        "<info><event>High Wind Warning</event><area><areaDesc>Eastern Glacier; Toole</areaDesc></area></info>"
        "<info><event>Winter Storm Watch</event><area><areaDesc>Toole</areaDesc></area>"
        "<area><areaDesc>Glacier</areaDesc></area></info>"
        "<info><event>Special Weather Statement</event></info>"
        "<info><event>Wind Advisory</event><area><areaDesc>glacier</areaDesc></area></info>"
        "</alert>");
    ASSERT_TRUE(doc.Active());
    const auto events = [](const TNWSAlerts &a) {
        std::vector<std::string> v;
        for (int i = 0; i < a.Count(); ++i) v.push_back(a.Items(i)->GetEvent() + "@" + std::to_string(a.Items(i)->InfoIndex));
        return v;
    };
    TNWSAlerts alerts(nullptr);
    EXPECT_EQ(alerts.GetReferences(), "");
    EXPECT_EQ(alerts.GetSent(), 0);
    alerts.SetCountyFilter("Glacier");  // no document yet: nothing to build
    EXPECT_EQ(alerts.Count(), 0);
    EXPECT_EQ(alerts.LastUpdate, 0);

    Clock::Set(EncodeDate(2026, 12, 11) + EncodeTime(10, 0, 0));
    alerts.SetAlertDocument(doc);
    EXPECT_EQ(events(alerts), (std::vector<std::string>{"High Wind Warning@1", "Special Weather Statement@3"}));
    EXPECT_EQ(alerts.LastUpdate, Clock::Now());
    EXPECT_EQ(alerts.GetReferences(), "ref-1");

    Clock::Advance(1.0 / 24);
    alerts.SetAlertDocument(doc);  // the same document: nothing happens
    EXPECT_EQ(alerts.LastUpdate, Clock::Now() - 1.0 / 24);

    alerts.SetCountyFilter("");
    EXPECT_EQ(events(alerts), (std::vector<std::string>{"High Wind Warning@1", "Winter Storm Watch@2",
                                                        "Special Weather Statement@3", "Wind Advisory@4"}));
    EXPECT_EQ(alerts.LastUpdate, Clock::Now());

    alerts.SetCountyFilter("Nowhere");
    EXPECT_EQ(events(alerts), (std::vector<std::string>{"Special Weather Statement@3"}));

    alerts.SetAlertDocument(TCAPAlert());
    EXPECT_EQ(alerts.Count(), 0);
    EXPECT_EQ(alerts.GetSender(), "");
    Clock::UseSystem();
}

TEST(NwsAlerts, ItemWithoutInfoReadsEmpty) {
    TNWSAlertItem item;
    EXPECT_EQ(item.GetEvent(), "");
    EXPECT_EQ(item.GetHeadline(), "");
    EXPECT_EQ(item.GetCategory(1), "");
    EXPECT_EQ(item.GetAreaDesc(0), "");
    EXPECT_EQ(item.GetGeocode(-1), "");
    EXPECT_EQ(item.GetEffective(), 0);
    EXPECT_EQ(item.GetExpires(), 0);
}
