#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "nws/DWML.h"
#include "support/TestSupport.h"
#include "ZoneGuard.h"

namespace {
std::string ndfd(const char *name) { return FixturePath(std::string("nws/dwml_ndfd/") + name); }
const char *kMapClick = "nws/dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml";

std::vector<int> values(const TXMLTemperature &t) {
    std::vector<int> r;
    for (auto v : t.value()) r.push_back(v.Value());
    return r;
}
}  // namespace

TEST(DWML, NdfdByDayListsAndValues) {
    TXMLDwml d = TXMLDwml::LoadFromFile(ndfd("ndfd_byday_24hourly_4day_nyc_2008-12-23.xml"));
    ASSERT_TRUE(d.Active()) << d.ErrorText();
    EXPECT_EQ(d.version(), "1.0");
    const TXMLProduct product = d.head().product();
    EXPECT_EQ(product.concise_name(), "dwmlByDay");
    EXPECT_EQ(product.operational_mode(), "official");
    EXPECT_EQ(product.creation_date().Value(), "2008-12-23T21:46:52Z");
    EXPECT_EQ(product.creation_date().refresh_frequency(), "PT1H");
    EXPECT_EQ(d.head().source().production_center().Value(), "Meteorological Development Laboratory");
    EXPECT_EQ(d.head().source().production_center().sub_center(), "Product Generation Branch");
    EXPECT_EQ(d.head().source().credit_logo(), "http://www.weather.gov/images/xml_logo.gif");

    const TXMLData data = d.data();
    EXPECT_EQ(data.location()[0].location_key()[0].Value(), "point1");
    EXPECT_EQ(data.location()[0].point().latitude(), "40.72");

    ASSERT_EQ(data.time_layout().Count(), 3u);
    EXPECT_EQ(data.time_layout()[0].layout_key(), "k-p24h-n4-1");
    EXPECT_EQ(data.time_layout()[0].start_valid_time().Count(), 4u);
    EXPECT_EQ(data.time_layout()[0].end_valid_time().Count(), 4u);
    EXPECT_EQ(data.time_layout()[0].summarization(), "24hourly");
    const TXMLTimeLayout twelve = data.time_layout_by_key("k-p12h-n8-2");
    ASSERT_TRUE(twelve.Exists());
    EXPECT_EQ(twelve.start_valid_time().Count(), 8u);
    EXPECT_EQ(twelve.start_valid_time()[1].Value(), "2008-12-23T18:00:00-05:00");
    EXPECT_EQ(twelve.start_valid_time()[1].WrittenHour(), 18);
    EXPECT_EQ(twelve.start_valid_time()[1].period_name(), "");
    EXPECT_FALSE(data.time_layout_by_key("k-p12h-n99-9").Exists());

    ASSERT_EQ(data.parameters().Count(), 1u);
    const TXMLParameters p = data.parameters()[0];
    EXPECT_EQ(p.applicable_location(), "point1");
    EXPECT_EQ(p.temperature().Count(), 2u);
    EXPECT_EQ(values(p.temperature_by_type("maximum")), (std::vector<int>{32, 49, 43, 41}));
    EXPECT_EQ(values(p.temperature_by_type("minimum")), (std::vector<int>{31, 41, 33, 39}));
    EXPECT_EQ(p.temperature()[0].units(), "Fahrenheit");
    EXPECT_EQ(p.temperature()[0].time_layout(), "k-p24h-n4-1");
    EXPECT_EQ(p.temperature()[1].name(), "Daily Minimum Temperature");

    const TXMLpoPrecipitation pop = p.probability_of_precipitation()[0];
    EXPECT_EQ(pop.type(), "12 hour");
    ASSERT_EQ(pop.value().Count(), 8u);
    EXPECT_EQ(pop.value()[1].Value(), 77u);
    EXPECT_EQ(pop.value()[7].NodeText(), "50");

    const TXMLWeather w = p.weather()[0];
    EXPECT_EQ(w.name()[0].Value(), "Weather Type, Coverage, and Intensity");
    ASSERT_EQ(w.weather_conditions().Count(), 4u);
    EXPECT_EQ(w.weather_conditions()[2].weather_summary(), "Slight Chance Rain");
    EXPECT_EQ(w.weather_conditions()[0].value().Count(), 2u);
    EXPECT_EQ(w.weather_conditions()[0].value()[1].weather_type(), "fog");
    EXPECT_EQ(w.weather_conditions()[0].value()[1].additive(), "and");

    const TXMLConditionsicon icons = p.conditions_icon()[0];
    EXPECT_EQ(icons.type(), "forecast-NWS");
    ASSERT_EQ(icons.icon_link().Count(), 4u);
    EXPECT_EQ(icons.icon_link()[3].Value(), "http://www.nws.noaa.gov/weather/images/fcicons/ra50.jpg");

    // Lists this document lacks read empty.
    EXPECT_EQ(p.wind_speed().Count(), 0u);
    EXPECT_EQ(p.water_state().Count(), 0u);
    EXPECT_FALSE(p.wordedForecast().Exists());
    EXPECT_EQ(p.wordedForecast().text().Count(), 0u);
}

TEST(DWML, PastTheEndReadsAsMissingAndMissingIconsAsNa) {
    TXMLDwml d = TXMLDwml::LoadFromFile(ndfd("ndfd_byday_24hourly_4day_nyc_2008-12-23.xml"));
    ASSERT_TRUE(d.Active());
    const TXMLParameters p = d.data().parameters()[0];
    EXPECT_FALSE(p.temperature()[0].value()[4].Exists());
    EXPECT_EQ(p.temperature()[0].value()[4].Value(), 0);
    EXPECT_EQ(p.temperature()[5].value().Count(), 0u);
    EXPECT_EQ(p.conditions_icon()[0].icon_link()[9].Value(), "na.jpg");
    EXPECT_EQ(p.weather()[0].weather_conditions()[9].weather_summary(), "");
    EXPECT_EQ(d.data().time_layout()[7].start_valid_time()[0].WrittenHour(), -1);
    EXPECT_EQ(d.data().time_layout()[7].start_valid_time()[0].LocalDateTime(), 0);
    EXPECT_EQ(d.data().parameters()[3].wordedForecast().text()[0].Value(), "");

    // A document without any data.
    TXMLDwml bare = TXMLDwml::LoadFromBuffer("<dwml version=\"1.0\"><head/></dwml>");
    ASSERT_TRUE(bare.Active());
    EXPECT_EQ(bare.data().time_layout().Count(), 0u);
    EXPECT_EQ(bare.data().parameters()[0].temperature_by_type("maximum").value()[0].Value(), 0);
    EXPECT_EQ(bare.data().parameters()[0].conditions_icon()[0].icon_link()[0].Value(), "na.jpg");
    EXPECT_EQ(bare.head().product().creation_date().Value(), "");
}

TEST(DWML, EmptyValuesAndIconLinks) {
    TXMLDwml d = TXMLDwml::LoadFromBuffer(
        "<dwml><data><parameters>"
        "<temperature type='maximum'><value></value><value>72.0</value><value upper-range='9'>-3</value></temperature>"
        "<conditions-icon><icon-link></icon-link><icon-link>http://h/i/sct.png</icon-link></conditions-icon>"
        "</parameters></data></dwml>");
    ASSERT_TRUE(d.Active());
    const TXMLParameters p = d.data().parameters()[0];
    EXPECT_EQ(values(p.temperature()[0]), (std::vector<int>{0, 72, -3}));
    EXPECT_EQ(p.temperature()[0].value()[2].upper_range(), 9);
    const auto links = p.conditions_icon()[0].icon_link();
    EXPECT_EQ(links[0].Value(), "na.jpg");
    EXPECT_EQ(links[0].NodeText(), "na.jpg");  // written back into the node
    EXPECT_EQ(links[1].Value(), "http://h/i/sct.png");
}

TEST(DWML, SoapReplyCarriesTheDocumentAsEscapedText) {
    const std::string envelope = ReadFile(ndfd("ndfd_soap_NDFDgenByDay_24hourly_3day_springfield-mo_2014-02-26.xml"));
    EXPECT_FALSE(TXMLDwml::LoadFromBuffer(envelope).Active());  // the envelope is no dwml

    pugi::xml_document soap;
    ASSERT_TRUE(soap.load_string(envelope.c_str()));
    const std::string inner = soap.select_node("//dwmlByDayOut").node().text().get();
    TXMLDwml d = TXMLDwml::LoadFromBuffer(inner);
    ASSERT_TRUE(d.Active()) << d.ErrorText();
    EXPECT_EQ(d.head().product().creation_date().Value(), "2014-02-26T21:46:51Z");
    EXPECT_EQ(d.head().product().title(), "NOAA's National Weather Service Forecast by 24 Hour Period");
    EXPECT_EQ(d.data().time_layout()[0].start_valid_time().Count(), 3u);
    const TXMLParameters p = d.data().parameters()[0];
    EXPECT_EQ(values(p.temperature_by_type("maximum")), (std::vector<int>{28, 37, 39}));
    EXPECT_EQ(values(p.temperature_by_type("minimum")), (std::vector<int>{18, 22, 26}));
    EXPECT_EQ(p.probability_of_precipitation()[0].value().Count(), 6u);
    EXPECT_EQ(p.probability_of_precipitation()[0].value()[4].Value(), 60u);
    EXPECT_EQ(p.weather()[0].weather_conditions()[2].weather_summary(), "Sleet Likely");
    EXPECT_EQ(p.conditions_icon()[0].icon_link()[2].Value(), "http://www.nws.noaa.gov/weather/images/fcicons/ip60.jpg");
}

TEST(DWML, MapClickWordedForecast) {
    ZoneGuard zone("UTC0");
    TXMLDwml t = TXMLDwml::LoadFromFile(FixturePath(kMapClick));
    ASSERT_TRUE(t.Active()) << t.ErrorText();
    EXPECT_EQ(t.head().product().creation_date().Value(), "2023-02-26T19:50:48-06:00");
    EXPECT_EQ(t.head().product().operational_mode(), "developmental");
    EXPECT_EQ(t.head().source().production_center().Value(), "Austin/San Antonio, TX");

    const TXMLData data = t.data();  // the forecast, not the current observations
    EXPECT_EQ(data.location()[0].height().Value(), "472");
    EXPECT_EQ(data.location()[0].height().height_units(), "feet");
    ASSERT_EQ(data.time_layout().Count(), 3u);
    const char *keys[] = {"k-p12h-n14-1", "k-p24h-n7-1", "k-p24h-n7-2"};
    const std::size_t counts[] = {14, 7, 7};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(data.time_layout()[i].layout_key(), keys[i]);
        EXPECT_EQ(data.time_layout()[i].start_valid_time().Count(), counts[i]);
    }
    const auto s12 = data.time_layout()[0].start_valid_time();
    EXPECT_EQ(s12[0].period_name(), "Tonight");
    EXPECT_EQ(s12[0].WrittenHour(), 19);
    EXPECT_EQ(s12[2].period_name(), "Monday Night");
    EXPECT_NEAR(s12[0].WrittenDateTime(), EncodeDate(2023, 2, 26) + EncodeTime(19, 0, 0), 1e-9);
    EXPECT_NEAR(s12[0].LocalDateTime(), EncodeDate(2023, 2, 27) + EncodeTime(1, 0, 0), 1e-9);

    const TXMLParameters p = data.parameters()[0];
    EXPECT_EQ(p.temperature()[0].type(), "minimum");  // minimum comes first here
    EXPECT_EQ(values(p.temperature_by_type("maximum")), (std::vector<int>{82, 86, 84, 86, 65, 70, 74}));
    EXPECT_EQ(p.temperature_by_type("minimum").value()[0].Value(), 59);
    const auto pop = p.probability_of_precipitation()[0].value();
    ASSERT_EQ(pop.Count(), 14u);
    EXPECT_EQ(pop[0].Value(), 20u);
    EXPECT_TRUE(pop[1].IsNil());
    EXPECT_EQ(pop[1].Value(), 0u);
    EXPECT_EQ(pop[1].NodeText(), "");
    EXPECT_EQ(p.weather()[0].weather_conditions().Count(), 14u);
    EXPECT_EQ(p.weather()[0].weather_conditions()[8].weather_summary(), "Windy. Slight Chance T-storms then Clear");
    EXPECT_EQ(p.conditions_icon()[0].icon_link()[0].Value(),
              "https://forecast.weather.gov/DualImage.php?i=nsct&j=nshra&jp=20");

    const TXMLWordedForecast w = p.wordedForecast();
    EXPECT_EQ(w.time_layout(), "k-p12h-n14-1");
    EXPECT_EQ(w.dataSource(), "ewxNetcdf");
    EXPECT_EQ(w.wordGenerator(), "markMitchell");
    ASSERT_EQ(w.text().Count(), 14u);
    EXPECT_EQ(w.text()[2].Value(),
              "Mostly clear, with a low around 50. Calm wind becoming south southwest around 5 mph in the evening. ");
    EXPECT_EQ(w.text()[13].Value(), "Mostly sunny, with a high near 74.");
}

TEST(DWML, TruncatedDocumentIsNotBound) {
    const std::string full = ReadFile(FixturePath(kMapClick));
    for (std::size_t cut : {std::size_t(10), full.size() / 3, full.size() - 10}) {
        TXMLDwml d = TXMLDwml::LoadFromBuffer(full.substr(0, cut));
        EXPECT_FALSE(d.Active()) << cut;
        EXPECT_EQ(d.data().time_layout().Count(), 0u);
        EXPECT_EQ(d.head().product().creation_date().Value(), "");
    }
}
