#include <gtest/gtest.h>

#include "nws/current_observation.h"
#include "support/TestSupport.h"

namespace {
std::string obs(const char *name) { return FixturePath(std::string("nws/current_obs/") + name); }
}  // namespace

TEST(CurrentObservation, NAValuesReadAsZero) {
    TNWSCurrent c = TNWSCurrent::LoadFromFile(obs("KVAY_2008-12-23_NA-values.xml"));
    ASSERT_TRUE(c.Active()) << c.ErrorText();
    EXPECT_EQ(c.version(), "1.0");
    EXPECT_EQ(c.station_id(), "KVAY");
    EXPECT_EQ(c.location(), "Mount Holly, South Jersey Regional Airport, NJ");
    EXPECT_EQ(c.observation_time(), "Last Updated on Dec 23, 10:54 am EST");
    EXPECT_EQ(c.image().url(), "http://weather.gov/images/xml_logo.gif");
    EXPECT_EQ(c.image().link(), "http://weather.gov");
    EXPECT_EQ(c.suggested_pickup_period(), 60);
    EXPECT_EQ(c.weather(), "Fair");
    EXPECT_EQ(c.temp_f(), 24);
    EXPECT_EQ(c.temp_c(), -4);
    EXPECT_EQ(c.relative_humidity(), 52);
    EXPECT_EQ(c.wind_degrees(), 330);
    EXPECT_EQ(c.wind_mph(), "3.45");
    EXPECT_EQ(c.wind_gust_mph(), "0");  // "NA"
    EXPECT_EQ(c.pressure_string(), "30.70\" (1039.5 mb)");
    EXPECT_EQ(c.dewpoint_c(), -13);
    EXPECT_EQ(c.heat_index_string(), "NA");
    EXPECT_EQ(c.heat_index_f(), 0);
    EXPECT_EQ(c.heat_index_c(), 0);
    EXPECT_EQ(c.windchill_f(), 0);
    EXPECT_EQ(c.windchill_c(), 0);
    EXPECT_EQ(c.icon_url_base(), "http://weather.gov/weather/images/fcicons/");
    EXPECT_EQ(c.icon_url_name(), "skc.jpg");
    EXPECT_EQ(c.two_day_history_url(), "http://www.weather.gov/data/obhistory/KVAY.html");
}

TEST(CurrentObservation, MixedLineEndsAndDecimalIntegers) {
    TNWSCurrent c = TNWSCurrent::LoadFromBuffer(ReadFile(obs("KSGF_2013-08-12_mixed-CRLF.xml")));
    ASSERT_TRUE(c.Active()) << c.ErrorText();
    EXPECT_EQ(c.station_id(), "KSGF");
    EXPECT_EQ(c.observation_time(), "Last Updated on Aug 12 2013, 8:52 pm CDT");
    EXPECT_EQ(c.temperature_string(), "74.0 F (23.3 C)");
    EXPECT_EQ(c.temp_f(), 74);       // "74.0"
    EXPECT_EQ(c.temp_c(), 23);       // "23.3"
    EXPECT_EQ(c.dewpoint_c(), 21);   // "20.6"
    EXPECT_EQ(c.relative_humidity(), 85);
    EXPECT_EQ(c.wind_string(), "Calm");
    EXPECT_EQ(c.wind_mph(), "0.0");
    EXPECT_EQ(c.wind_gust_mph(), "0");  // missing
    EXPECT_EQ(c.heat_index_f(), 0);     // missing
    EXPECT_EQ(c.elevation(), 0);        // missing
    EXPECT_EQ(c.pressure_string(), "1014.7 mb");
    EXPECT_EQ(c.visibility_mi(), "10.00");
    EXPECT_EQ(c.icon_url_name(), "nskc.png");
    EXPECT_EQ(c.privacy_policy_url(), "http://weather.gov/notice.html");
    for (const std::string &s : {c.observation_time(), c.privacy_policy_url(), c.temperature_string()})
        EXPECT_EQ(s.find('\r'), std::string::npos) << s;
}

TEST(CurrentObservation, HttpsEraDocument) {
    TNWSCurrent c = TNWSCurrent::LoadFromFile(obs("KNYC_2022-06-20_https-era.xml"));
    ASSERT_TRUE(c.Active()) << c.ErrorText();
    EXPECT_EQ(c.location(), "New York City, Central Park, NY");
    EXPECT_EQ(c.latitude(), "40.78333");
    EXPECT_EQ(c.temp_f(), 60);
    EXPECT_EQ(c.temp_c(), 16);  // "15.6"
    EXPECT_EQ(c.dewpoint_f(), 41);
    EXPECT_EQ(c.pressure_mb(), "1018.7");
    EXPECT_EQ(c.observation_time_rfc822(), "Mon, 20 Jun 2022 01:51:00 -0400");
    EXPECT_EQ(c.two_day_history_url(), "https://www.weather.gov/data/obhistory/KNYC.html");
    EXPECT_EQ(c.icon_url_base(), "https://forecast.weather.gov/images/wtf/small/");
}

TEST(CurrentObservation, WindChillWithoutHeatIndexAndLatin1Text) {
    const std::string doc =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<current_observation>"
        "<temperature_string>28 \xB0" "F</temperature_string><windchill_f>20</windchill_f>"
        "<temp_f></temp_f><wind_mph>NA</wind_mph><elevation>663.0</elevation></current_observation>";
    TNWSCurrent c = TNWSCurrent::LoadFromBuffer(doc);
    ASSERT_TRUE(c.Active());
    EXPECT_EQ(c.heat_index_f(), 0);
    EXPECT_EQ(c.windchill_f(), 20);
    EXPECT_EQ(c.temp_f(), 0);
    EXPECT_EQ(c.wind_mph(), "0");
    EXPECT_EQ(c.elevation(), 663);
    EXPECT_EQ(c.temperature_string(), "28 \xC2\xB0" "F");
}

TEST(CurrentObservation, BrokenOrForeignDocumentsAreNotBound) {
    const std::string full = ReadFile(obs("KVAY_2008-12-23_NA-values.xml"));
    TNWSCurrent cut = TNWSCurrent::LoadFromBuffer(full.substr(0, full.size() / 2));
    EXPECT_FALSE(cut.Active());
    EXPECT_FALSE(cut.ErrorText().empty());
    EXPECT_EQ(cut.temp_f(), 0);
    EXPECT_EQ(cut.location(), "");
    EXPECT_EQ(cut.wind_mph(), "0");
    EXPECT_EQ(cut.image().url(), "");

    TNWSCurrent foreign = TNWSCurrent::LoadFromFile(FixturePath("nws/cap/alert_2012-03-16_IL_SevereThunderstormWarning.xml"));
    EXPECT_FALSE(foreign.Active());
    EXPECT_FALSE(TNWSCurrent::LoadFromBuffer("<html><body>Not found</body></html>").Active());
    EXPECT_FALSE(TNWSCurrent::LoadFromFile("/nonexistent/NWSCurrent.xml").Active());
    EXPECT_FALSE(TNWSCurrent().Active());
}

TEST(CurrentObservation, CopiesKeepTheDocumentAlive) {
    TNWSCurrent copy;
    {
        TNWSCurrent c = TNWSCurrent::LoadFromFile(obs("KNYC_2022-06-20_https-era.xml"));
        copy = c;
    }
    EXPECT_EQ(copy.station_id(), "KNYC");
}
