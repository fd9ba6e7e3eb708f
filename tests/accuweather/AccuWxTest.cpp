#include <gtest/gtest.h>

#include "accuweather/AccuWx.h"
#include "platform/FormatSettings.h"
#include "support/TestSupport.h"

using namespace AccuWx;

namespace {

class AccuWxTest : public ::testing::Test {
protected:
    void TearDown() override { TFormatSettings::ResetToDefaults(); }

    // A weather document with the given body inside the root.
    TAcuWeather Load(const std::string &body) {
        std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                           "<adc_database xmlns=\"http://www.accuweather.com\">" + body + "</adc_database>";
        EXPECT_TRUE(doc.LoadFromString(text));
        return doc.Root();
    }
    TAcuWeatherDocument doc;
};

TEST_F(AccuWxTest, ReadsRealClevelandDocument) {
    ASSERT_TRUE(doc.LoadFromFile(FixturePath("accu/weather-data_cleveland-oh_blstreamhptablet_2020.xml")));
    TAcuWeather root = doc.Root();

    EXPECT_EQ(root.Units().Temp(), "F");
    EXPECT_EQ(root.Local().City(), "Cleveland");
    EXPECT_EQ(root.Local().State(), "");  // this feed names the state in adminArea
    EXPECT_EQ(root.Local().Lat(), "41.4995");
    EXPECT_EQ(root.Local().Lon(), "-81.69541");

    TAcuAlerts areas = root.Watchwarnareas();
    EXPECT_EQ(areas.Zone(), "OHZ011");
    EXPECT_EQ(areas.County(), "OHC035");
    EXPECT_FALSE(areas.Isactive());  // isactive="0" although a url is given
    EXPECT_EQ(areas.Url(),
              "http://www.accuweather.com/watches-warnings.asp?partner=blstreamhptablet&zipcode=44113"
              "&county=OHC035&zone=OHZ011");

    TAcuCurrent cc = root.Currentconditions();
    EXPECT_EQ(cc.Observationtime(), "11:54 AM");
    EXPECT_EQ(cc.Pressure().Text(), "29.71");
    EXPECT_EQ(cc.Pressure().State(), "Decreasing");
    EXPECT_EQ(cc.Temperature(), 21);
    EXPECT_EQ(cc.Realfeel(), 1);
    EXPECT_EQ(cc.Humidity(), "80%");
    EXPECT_EQ(cc.Dewpoint(), "16");
    EXPECT_EQ(cc.Weathertext(), "Light snow");
    EXPECT_EQ(cc.Weathericon(), 19);
    EXPECT_EQ(cc.Windspeed(), 18);
    EXPECT_EQ(cc.Winddirection(), "SW");
    EXPECT_EQ(cc.Visibility(), 1);
    EXPECT_EQ(cc.Precip(), "0.03");
    EXPECT_EQ(cc.Uvindex().Index(), 0);
    EXPECT_EQ(cc.Url(), "http://www.accuweather.com/index-forecast.asp?partner=blstreamhptablet&zipcode=44113");

    TAcuForecast fc = root.Forecast();
    EXPECT_EQ(fc.Url(), "http://www.accuweather.com/forecast.asp?partner=blstreamhptablet&zipcode=44113");
    TAcuDays days = fc.Day();
    ASSERT_EQ(days.Count(), 15);
    TAcuDay d1 = days.Item(0);
    EXPECT_EQ(d1.Number(), 1);
    EXPECT_EQ(d1.Obsdate(), EncodeDate(2020, 12, 25));
    EXPECT_EQ(d1.Daycode(), "Friday");
    EXPECT_EQ(d1.Sunrise(), "7:52 AM");
    EXPECT_EQ(d1.Sunset(), "5:03 PM");
    EXPECT_EQ(d1.Daytime().Txtshort(), "Snow showers, 3-6 in");
    EXPECT_EQ(d1.Daytime().Hightemperature(), 27);
    EXPECT_EQ(d1.Daytime().Lowtemperature(), 20);
    EXPECT_EQ(d1.Daytime().Tstormprob(), 2);
    EXPECT_EQ(d1.Daytime().Maxuv(), 0);
    EXPECT_EQ(d1.Nighttime().Weathericon(), 22);
    EXPECT_EQ(d1.Nighttime().Winddirection(), "WSW");
    EXPECT_EQ(d1.Nighttime().Snowamount(), "2.0");
    EXPECT_EQ(days.Item(1).Daytime().Weathericon(), 2);  // sent as "02"
    EXPECT_EQ(days.Item(14).Number(), 15);
    EXPECT_THROW(days.Item(15), std::out_of_range);

    EXPECT_EQ(root.Moon().Phase().Count(), 0);  // no moon data in this feed
    EXPECT_EQ(root.Copyright(), "Copyright 2020 AccuWeather.com");
    EXPECT_EQ(root.Product(), "blstream");
}

TEST_F(AccuWxTest, ObservationTimeLosesTabsAndLineFeeds) {
    TAcuWeather root = Load("<currentconditions><observationtime>\n\t\t3:45 PM\n\t</observationtime>"
                            "</currentconditions>");
    EXPECT_EQ(root.Currentconditions().Observationtime(), "3:45 PM");
}

TEST_F(AccuWxTest, ObsdateFollowsTheLocaleDateOrder) {
    TAcuWeather root = Load("<forecast><day number=\"1\"><obsdate>01/02/2009\t\n</obsdate></day>"
                            "<day number=\"2\"><obsdate>12/25/2008</obsdate></day>"
                            "<day number=\"3\"><obsdate>not a date</obsdate></day>"
                            "<day number=\"4\"></day></forecast>");
    TAcuDays days = root.Forecast().Day();
    for (const char *format : {"M/d/yyyy", "dd/MM/yyyy", "d.M.yyyy"}) {
        TFormatSettings::Global().ShortDateFormat = format;
        EXPECT_EQ(days.Item(0).Obsdate(), EncodeDate(2009, 1, 2)) << format;
        EXPECT_EQ(days.Item(1).Obsdate(), EncodeDate(2008, 12, 25)) << format;
        EXPECT_EQ(days.Item(2).Obsdate(), 0) << format;
        EXPECT_EQ(days.Item(3).Obsdate(), 0) << format;
    }
    EXPECT_EQ(ArrangeMonthDayYear("12/25/2008", "dd/MM/yyyy"), "25/12/2008");
    EXPECT_EQ(ArrangeMonthDayYear("12/25/2008", "M/d/yyyy"), "12/25/2008");
}

TEST_F(AccuWxTest, AlertAreaIsActiveOnlyWithAPageAddress) {
    struct {
        const char *xml;
        bool active;
    } cases[] = {
        {"<watchwarnareas isactive=\"true\"/>", false},
        {"<watchwarnareas isactive=\"1\"><url></url></watchwarnareas>", false},
        {"<watchwarnareas isactive=\"True\"><url>http://x/w</url></watchwarnareas>", true},
        {"<watchwarnareas isactive=\"1\"><url>http://x/w</url></watchwarnareas>", true},
        {"<watchwarnareas isactive=\"0\"><url>http://x/w</url></watchwarnareas>", false},
        {"<watchwarnareas isactive=\"false\"><url>http://x/w</url></watchwarnareas>", false},
    };
    for (auto &c : cases) EXPECT_EQ(Load(c.xml).Watchwarnareas().Isactive(), c.active) << c.xml;
    EXPECT_THROW(Load("<watchwarnareas><url>http://x/w</url></watchwarnareas>").Watchwarnareas().Isactive(),
                 EConvertError);
    EXPECT_THROW(Load("<watchwarnareas isactive=\"maybe\"><url>u</url></watchwarnareas>").Watchwarnareas().Isactive(),
                 EConvertError);
}

TEST_F(AccuWxTest, IntegerReadsFailForEmptyMissingOrNonNumericValues) {
    TAcuCurrent cc = Load("<currentconditions><temperature>\n -7 \n</temperature><realfeel></realfeel>"
                          "<weathericon>12.5</weathericon><windspeed>N/A</windspeed>"
                          "<visibility>99999999999</visibility></currentconditions>")
                         .Currentconditions();
    EXPECT_EQ(cc.Temperature(), -7);
    EXPECT_THROW(cc.Realfeel(), EConvertError);
    EXPECT_THROW(cc.Weathericon(), EConvertError);
    EXPECT_THROW(cc.Windspeed(), EConvertError);
    EXPECT_THROW(cc.Visibility(), EConvertError);
    EXPECT_THROW(cc.Uvindex().Index(), EConvertError);       // element and attribute missing
    EXPECT_THROW(doc.Root().Forecast().Day().Item(0), std::out_of_range);
    // Absent text elements read as empty rather than failing.
    EXPECT_EQ(cc.Weathertext(), "");
    EXPECT_EQ(doc.Root().Local().City(), "");
}

TEST_F(AccuWxTest, LoadsLatin1AndRefusesWhatIsNotAWeatherDocument) {
    EXPECT_TRUE(doc.LoadFromString("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                                   "<adc_database><local><city>Montr\xE9" "al</city></local></adc_database>"));
    EXPECT_EQ(doc.Root().Local().City(), "Montr\xC3\xA9" "al");
    // 8-bit text under no declared encoding is taken as Latin-1, not rejected.
    EXPECT_TRUE(doc.LoadFromString("<adc_database><local><city>Z\xFCrich</city></local></adc_database>"));
    EXPECT_EQ(doc.Root().Local().City(), "Z\xC3\xBC" "rich");
    EXPECT_TRUE(doc.LoadFromString("<adc_database><local><city>K\xC3\xB8" "ge</city></local></adc_database>"));
    EXPECT_EQ(doc.Root().Local().City(), "K\xC3\xB8" "ge");

    for (const char *bad : {"", "<html><body>Service unavailable", "<html><body>Busy</body></html>",
                            "<adc_database><local>"}) {
        EXPECT_FALSE(doc.LoadFromString(bad)) << bad;
        EXPECT_TRUE(doc.IsEmpty());
        EXPECT_FALSE(doc.Root().Assigned());
        EXPECT_EQ(doc.Root().Currentconditions().Weathertext(), "");
    }
    EXPECT_FALSE(doc.LoadFromFile(FixturePath("accu/no-such-file.xml")));
}

TEST_F(AccuWxTest, TextOfNestedMarkupIsJoinedWithoutExhaustingTheStack) {
    EXPECT_EQ(Load("<currentconditions><weathertext>Light <b>snow</b><![CDATA[ & fog]]></weathertext>"
                   "</currentconditions>")
                  .Currentconditions()
                  .Weathertext(),
              "Light snow & fog");
    const int depth = 300000;
    std::string deep;
    deep.reserve(depth * 8 + 64);
    for (int i = 0; i < depth; ++i) deep += "<i>";
    deep += "x";
    for (int i = 0; i < depth; ++i) deep += "</i>";
    EXPECT_EQ(Load("<currentconditions><weathertext>" + deep + "</weathertext></currentconditions>")
                  .Currentconditions()
                  .Weathertext(),
              "x");
}

TEST_F(AccuWxTest, SettersWriteWhatGettersRead) {
    TAcuWeather root = Load("<forecast><day number=\"2\"/></forecast>");
    root.Currentconditions().SetTemperature(-3);
    root.Currentconditions().Pressure().SetText("30.01");
    root.Currentconditions().Pressure().SetState("Rising");
    root.Watchwarnareas().SetUrl("http://x/w");
    root.Watchwarnareas().SetIsactive(true);
    TAcuDays days = root.Forecast().Day();
    days.Insert(0).SetNumber(1);
    days.Add().SetNumber(3);
    EXPECT_EQ(root.Currentconditions().Temperature(), -3);
    EXPECT_EQ(root.Currentconditions().Pressure().Text(), "30.01");
    EXPECT_EQ(root.Currentconditions().Pressure().State(), "Rising");
    EXPECT_TRUE(root.Watchwarnareas().Isactive());
    ASSERT_EQ(days.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(days.Item(i).Number(), i + 1);
}

}  // namespace
