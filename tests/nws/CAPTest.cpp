#include <gtest/gtest.h>

#include "nws/CAPIndex.h"
#include "nws/cap1.h"
#include "support/TestSupport.h"
#include "ZoneGuard.h"

namespace {
std::string cap(const char *name) { return FixturePath(std::string("nws/cap/") + name); }
TDateTime at(int y, int mo, int d, int h, int mi, int s = 0) { return EncodeDate(y, mo, d) + EncodeTime(h, mi, s); }
}  // namespace

TEST(CAPDate, ReadingRule) {
    ZoneGuard zone("UTC0");
    Clock::Set(at(2026, 12, 11, 8, 30));
    struct { const char *text; TDateTime want; int offset; } cases[] = {
        {"2012-07-24T03:49:00-06:00", at(2012, 7, 24, 9, 49), -6},
        {"2012-07-24T03:49:00-6:00", at(2012, 7, 24, 9, 49), -6},  // one-digit zone hour
        {"  2012-07-24T03:49:00-06:00\n", at(2012, 7, 24, 9, 49), -6},
        {"2010-08-31T14:24:00-00:00", at(2010, 8, 31, 14, 24), 0},
        {"2022-06-22T00:52:50+00:00", at(2022, 6, 22, 0, 52, 50), 0},
        {"2012-03-15T22:08:00-05:00", at(2012, 3, 16, 3, 8), -5},
        {"2008-12-23T21:46:52Z", at(2008, 12, 23, 21, 46, 52), 0},
        {"", 0, 0},
        {"   ", 0, 0},
        {"2012-07-24 03:49:00", 0, 0},          // a space reads 0
        {"Tue, 24 Jul 2012 09:49:00 GMT", 0, 0},
        {"soon", Clock::Now(), 0},              // unreadable: now
        {"2012-07-24T25:49:00-06:00", Clock::Now(), 0},
    };
    for (auto &c : cases) {
        int offset = 99;
        EXPECT_NEAR(CAPDateToDateTime(c.text, &offset), c.want, 1e-9) << '"' << c.text << '"';
        EXPECT_EQ(offset, c.offset) << '"' << c.text << '"';
    }
    Clock::UseSystem();
}

TEST(CAPDate, LocalTimeOfTheReadersZone) {
    // Central daylight time: a warning issued at 10:08 PM CDT reads 10:08 PM.
    ZoneGuard zone("CST6CDT,M3.2.0,M11.1.0");
    EXPECT_NEAR(CAPDateToDateTime("2012-03-15T22:08:00-05:00"), at(2012, 3, 15, 22, 8), 1e-9);
    EXPECT_NEAR(CAPDateToDateTime("2012-07-24T03:49:00-6:00"), at(2012, 7, 24, 4, 49), 1e-9);
    const TDateTime t = at(2012, 1, 10, 16, 0);
    EXPECT_EQ(DateTimeToCAPDate(t), "2012-01-10T16:00:00-06:00");
    EXPECT_NEAR(CAPDateToDateTime(DateTimeToCAPDate(t)), t, 1e-9);
}

TEST(CAPHeadline, ExpiringClauseIsCut) {
    struct { const char *in, *out; } cases[] = {
        {"Flash Flood Watch issued August 30 at 4:07AM MDT expiring August 30 at 12:00PM MDT by NWS GreatFalls",
         "Flash Flood Watch issued August 30 at 4:07AM MDT"},
        {"Heat Advisory issued July 1 at 3:00PM EDT  expiring July 2", "Heat Advisory issued July 1 at 3:00PM EDT "},
        {"Severe Thunderstorm Warning issued March 15 at 10:08PM CDT until March 15 at 10:30PM CDT",
         "Severe Thunderstorm Warning issued March 15 at 10:08PM CDT until March 15 at 10:30PM CDT"},
        {"a expiring", "a"},
        {"expiring soon", "expiring soon"},
        {"Xexpiring", "Xexpiring"},
        {"", ""},
    };
    for (auto &c : cases) EXPECT_EQ(CutExpiringClause(c.in), c.out) << c.in;
}

TEST(CAPIndex, CapPrefixesAreRemoved) {
    std::string text = "<cap:event>x</cap:event><a href='http://h/cap/a.php'>cap:</a>";
    RemoveCapPrefixes(text);
    EXPECT_EQ(text, "<event>x</event><a href='http://h/cap/a.php'></a>");
}

TEST(CAPIndex, CountyFeedWithOneWarning) {
    ZoneGuard zone("UTC0");
    TCAPIndex f = TCAPIndex::LoadFromFile(cap("feed_county_MTC035_y0_2012-07-24.xml"));
    ASSERT_TRUE(f.Active()) << f.ErrorText();
    EXPECT_EQ(f.xmlns(), "http://www.w3.org/2005/Atom");
    EXPECT_EQ(f.generator(), "NWS CAP Server");
    EXPECT_EQ(f.author().name(), "w-nws.webmaster@noaa.gov");
    EXPECT_EQ(f.link().href(), "http://alerts.weather.gov/cap/wwaatmget.php?x=MTC035&y=0");
    EXPECT_NEAR(f.updated(), at(2012, 7, 24, 9, 49), 1e-9);
    ASSERT_EQ(f.entry().Count(), 1u);
    const TCAPEntry e = f.entry()[0];
    EXPECT_EQ(e.event(), "Red Flag Warning");
    EXPECT_EQ(e.status(), "Actual");
    EXPECT_EQ(e.msgType(), "Alert");
    EXPECT_EQ(e.category(), "Met");
    EXPECT_EQ(e.urgency(), "Expected");
    EXPECT_EQ(e.severity(), "Severe");
    EXPECT_EQ(e.certainty(), "Likely");
    EXPECT_EQ(e.areaDesc().substr(0, 31), "Eastern Glacier, Toole, Central");
    EXPECT_EQ(e.link().href(),
              "http://alerts.weather.gov/cap/wwacapget.php?x=MT124CB89CBFB4.RedFlagWarning.124CB89EA860MT.TFXRFWTFX."
              "fa8172f52fdfb1774f0d80e0c53c5f9e");
    EXPECT_NEAR(e.effective(), at(2012, 7, 24, 9, 49), 1e-9);
    EXPECT_NEAR(e.expires(), at(2012, 7, 24, 22, 0), 1e-9);
    EXPECT_NEAR(e.published(), at(2012, 7, 24, 9, 49), 1e-9);
    EXPECT_EQ(e.geocode().valueName(), "FIPS6");
    EXPECT_EQ(e.geocode().value(), "030035 030049 030051 030073 030099 030101");
    EXPECT_EQ(e.parameter().valueName(), "VTEC");
    EXPECT_EQ(e.parameter().value(), "/O.CON.KTFX.FW.W.0013.000000T0000Z-120725T0200Z/");
}

TEST(CAPIndex, NationalFeedAndTheNoAlertsFeed) {
    ZoneGuard zone("UTC0");
    TCAPIndex us = TCAPIndex::LoadFromBuffer(ReadFile(cap("feed_us_alerts-beta_2010-08-31_2entries.xml")));
    ASSERT_TRUE(us.Active()) << us.ErrorText();
    EXPECT_EQ(us.logo(), "http://weather.gov/images/xml_logo.gif");
    ASSERT_EQ(us.entry().Count(), 2u);
    EXPECT_EQ(us.entry()[1].areaDesc(), "Arlington; District of Columbia; Fairfax; Montgomery; Prince Georges");
    EXPECT_EQ(us.entry()[1].link().href(),
              "http://www.weather.gov/alerts-beta/wwacapget.php?x=DC20100830203300LWXAirQualityAlertLWX20100901040000DC");
    EXPECT_EQ(us.entry()[0].event(), "");  // these entries carry no event
    EXPECT_NEAR(us.entry()[1].expires(), at(2010, 9, 1, 4, 0), 1e-9);
    EXPECT_EQ(us.entry()[0].parameter().value(), "");
    EXPECT_FALSE(us.entry()[2].Exists());
    EXPECT_EQ(us.entry()[2].link().href(), "");

    TCAPIndex none = TCAPIndex::LoadFromFile(cap("feed_county_NJC013_y0_2022-06-22_no-active-alerts.xml"));
    ASSERT_TRUE(none.Active()) << none.ErrorText();
    EXPECT_NEAR(none.updated(), at(2022, 6, 22, 0, 52, 50), 1e-9);
    ASSERT_EQ(none.entry().Count(), 1u);  // the placeholder entry
    const TCAPEntry e = none.entry()[0];
    EXPECT_EQ(e.title(), "There are no active watches, warnings or advisories");
    EXPECT_EQ(e.areaDesc(), "");
    EXPECT_EQ(e.event(), "");
    EXPECT_EQ(e.effective(), 0);

    TCAPIndex empty = TCAPIndex::LoadFromBuffer("<feed xmlns='http://www.w3.org/2005/Atom'><title>t</title></feed>");
    ASSERT_TRUE(empty.Active());
    EXPECT_EQ(empty.entry().Count(), 0u);
    EXPECT_FALSE(TCAPIndex::LoadFromFile("/nonexistent/NWSIndex.cap").Active());
    EXPECT_FALSE(TCAPIndex::LoadFromFile(cap("alert_2012-03-16_IL_SevereThunderstormWarning.xml")).Active());
}

TEST(CAPAlert, FlashFloodWatch) {
    ZoneGuard zone("UTC0");
    TCAPAlert a = TCAPAlert::LoadFromFile(cap("alert_2010-08-30_MT_FlashFloodWatch_alerts-beta.xml"));
    ASSERT_TRUE(a.Active()) << a.ErrorText();
    EXPECT_EQ(a.identifier(), "NOAA-NWS-ALERTS-MT20100830100700TFXFlashFloodWatchTFX20100830180000MT");
    EXPECT_EQ(a.sender(), "w-nws.webmaster@noaa.gov");
    EXPECT_EQ(a.status(), "Actual");
    EXPECT_EQ(a.msgType(), "Alert");
    EXPECT_EQ(a.scope(), "Public");
    EXPECT_EQ(a.references(), "");
    EXPECT_NEAR(a.sent(), at(2010, 8, 30, 10, 7), 1e-9);
    EXPECT_EQ(a.SentOffsetHours(), -6);
    ASSERT_EQ(a.info().Count(), 1u);
    const TCAPInfo i = a.info()[0];
    EXPECT_EQ(i.category(), "Met");
    EXPECT_EQ(i.event(), "Flash Flood Watch");
    EXPECT_EQ(i.urgency(), "Expected");
    EXPECT_EQ(i.severity(), "Severe");
    EXPECT_EQ(i.certainty(), "Possible");
    EXPECT_EQ(i.senderName(), "NWS GreatFalls (Central Montana)");
    EXPECT_EQ(CutExpiringClause(i.headline()), "Flash Flood Watch issued August 30 at 4:07AM MDT");
    EXPECT_EQ(i.description().rfind("...FLASH FLOOD WATCH REMAINS IN EFFECT UNTIL NOON MDT TODAY...\n", 0), 0u);
    EXPECT_NE(i.description().find("\nTHE FLASH FLOOD WATCH CONTINUES FOR\n"), std::string::npos);
    EXPECT_NE(i.instruction().find("FLASH FLOOD WARNINGS BE ISSUED."), std::string::npos);
    EXPECT_NEAR(i.effective(), at(2010, 8, 30, 10, 7), 1e-9);
    EXPECT_NEAR(i.expires(), at(2010, 8, 30, 18, 0), 1e-9);
    ASSERT_EQ(i.parameter().Count(), 4u);
    EXPECT_EQ(i.parameter()[2].valueName(), "VTEC");
    EXPECT_EQ(i.parameter()[2].value(),
              "/O.CON.KTFX.FF.A.0003.000000T0000Z-100830T1800Z/\n/00000.0.ER.000000T0000Z.000000T0000Z.000000T0000Z.OO/");
    ASSERT_EQ(i.area().Count(), 1u);
    EXPECT_EQ(i.area()[0].areaDesc(), "Central and Southern Lewis and Clark; Lewis and Clark");
    EXPECT_EQ(i.area()[0].geocode().Count(), 2u);
    EXPECT_EQ(i.area()[0].geocode()[0].value(), "030049");
    EXPECT_EQ(i.area()[0].geocode()[1].valueName(), "UGC");
    EXPECT_EQ(i.resource().Count(), 0u);
    EXPECT_EQ(i.web(), "");
}

TEST(CAPAlert, ThunderstormWarningWithPolygon) {
    TCAPAlert a = TCAPAlert::LoadFromBuffer(ReadFile(cap("alert_2012-03-16_IL_SevereThunderstormWarning.xml")));
    ASSERT_TRUE(a.Active()) << a.ErrorText();
    EXPECT_EQ(a.note(), "Alert for Calhoun (Illinois) Issued by the National Weather Service");
    a.sent();
    EXPECT_EQ(a.SentOffsetHours(), -5);
    const TCAPInfo i = a.info()[0];
    EXPECT_EQ(i.event(), "Severe Thunderstorm Warning");
    EXPECT_EQ(i.certainty(), "Observed");
    EXPECT_NE(i.description().find("...HAIL <50MPH 1.00IN"), std::string::npos);
    const TCAPArea area = i.area()[0];
    EXPECT_EQ(area.areaDesc(), "Calhoun");
    ASSERT_EQ(area.polygon().Count(), 1u);
    EXPECT_EQ(area.polygon()[0].Value().substr(0, 25), "39.12,-90.69 39.10,-90.60");
    EXPECT_EQ(area.geocode()[0].value(), "017013");
    EXPECT_EQ(i.parameter()[3].value(), "0308Z 285DEG 17KT 3905 9071WIND");
    // Past the end: no area, no geocode, no crash.
    EXPECT_EQ(i.area()[1].areaDesc(), "");
    EXPECT_EQ(i.area()[1].geocode()[0].value(), "");
    EXPECT_EQ(a.info()[1].event(), "");
    EXPECT_EQ(a.info()[1].effective(), 0);
}

TEST(CAPAlert, MergedInfoReadsBackAndSurvivesASaveAndLoad) {
    ZoneGuard zone("CST6CDT,M3.2.0,M11.1.0");
    TempProfile profile;
    TCAPAlert merged = TCAPAlert::LoadFromFile(cap("alert_2010-08-30_MT_FlashFloodWatch_alerts-beta.xml"));
    TCAPAlert other = TCAPAlert::LoadFromFile(cap("alert_2012-03-16_IL_SevereThunderstormWarning.xml"));
    ASSERT_TRUE(merged.Active() && other.Active());
    const TCAPInfo src = other.info()[0];

    const TCAPInfo added = merged.info().Add();
    added.set_event(src.event());
    added.set_headline(CutExpiringClause(src.headline()));
    added.set_description(src.description());
    added.set_effective(src.effective());
    added.set_expires(src.expires());
    added.set_urgency(src.urgency());
    added.set_severity(src.severity());
    added.set_certainty(src.certainty());
    added.set_web("http://alerts.example/cap/wwacapget.php?x=IL1");
    added.area().Add().set_areaDesc("Calhoun; Lincoln");

    auto check = [&](const TCAPAlert &doc) {
        ASSERT_EQ(doc.info().Count(), 2u);
        const TCAPInfo i = doc.info()[1];
        EXPECT_EQ(i.event(), "Severe Thunderstorm Warning");
        EXPECT_NEAR(i.effective(), at(2012, 3, 15, 22, 8), 1e-9);
        EXPECT_NEAR(i.expires(), at(2012, 3, 15, 22, 30), 1e-9);
        EXPECT_EQ(i.severity(), "Severe");
        EXPECT_EQ(i.web(), "http://alerts.example/cap/wwacapget.php?x=IL1");
        EXPECT_EQ(i.area()[0].areaDesc(), "Calhoun; Lincoln");
        EXPECT_EQ(i.area()[0].geocode()[0].value(), "");
        EXPECT_NE(i.description().find("HAIL <50MPH"), std::string::npos);
        EXPECT_EQ(doc.info()[0].event(), "Flash Flood Watch");
    };
    check(merged);

    const std::string path = profile.Root() + "NWSAlerts.cap";
    ASSERT_TRUE(merged.SaveToFile(path));
    check(TCAPAlert::LoadFromFile(path));
    EXPECT_FALSE(TCAPAlert().SaveToFile(path + ".none"));
}

TEST(CAPAlert, BrokenDocumentsDoNotBind) {
    const std::string full = ReadFile(cap("alert_2012-03-16_IL_SevereThunderstormWarning.xml"));
    TCAPAlert cut = TCAPAlert::LoadFromBuffer(full.substr(0, full.size() * 2 / 3));
    EXPECT_FALSE(cut.Active());
    EXPECT_EQ(cut.info().Count(), 0u);
    EXPECT_EQ(cut.info()[0].area()[0].areaDesc(), "");
    EXPECT_EQ(cut.sent(), 0);  // no text reads 0
    cut.info().Add().set_event("ignored");  // no document: nothing to write into
    EXPECT_EQ(cut.info().Count(), 0u);

    const std::string feed = ReadFile(cap("feed_county_MTC035_y0_2012-07-24.xml"));
    EXPECT_FALSE(TCAPIndex::LoadFromBuffer(feed.substr(0, feed.size() - 40)).Active());
    EXPECT_FALSE(TCAPAlert::LoadFromBuffer(feed).Active());
}
