#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "accuweather/AccuFind.h"
#include "support/TestSupport.h"

using namespace AccuFind;

namespace {

using Results = std::vector<std::pair<std::string, std::string>>;

class AccuFindTest : public ::testing::Test {
protected:
    TAcuSearch Load(const std::string &citylist) {
        EXPECT_TRUE(doc.LoadFromString("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                       "<adc_database xmlns=\"http://www.accuweather.com\">" +
                                       citylist + "</adc_database>"));
        return doc.Root();
    }
    // Runs the fill; an exception is kept so the results gathered before it can be checked.
    Results Fill(const TAcuSearch &root, std::string *error = nullptr) {
        Results out;
        try {
            FillSearchResults(root, [&](const std::string &line, const std::string &id) { out.emplace_back(line, id); });
        } catch (const EConvertError &e) {
            if (error) *error = e.what();
            else ADD_FAILURE() << e.what();
        }
        return out;
    }
    TAcuSearchDocument doc;
};

TEST_F(AccuFindTest, ReadsRealCitySearchReply) {
    ASSERT_TRUE(doc.LoadFromFile(FixturePath("accu/city-find_new-york_accuwxiphonev4_2020.xml")));
    TAcuCities cities = doc.Root().Citylist();
    EXPECT_EQ(cities.Us(), 15);
    EXPECT_EQ(cities.Intl(), 3);
    EXPECT_EQ(cities.Extra_cities(), 0);
    EXPECT_EQ(cities.Count(), 18);
    EXPECT_EQ(cities.Item(17)->Cnt(), 18);
    EXPECT_EQ(doc.Root().Product(), "accuweather - iphonev4 feed");

    Results r = Fill(doc.Root());
    ASSERT_EQ(r.size(), 18u);
    EXPECT_EQ(r[0], (std::pair<std::string, std::string>("New York, New York", "cityId:349727")));
    EXPECT_EQ(r[2].first, "New York, United Kingdom (Lincolnshire)");
    EXPECT_EQ(r[17], (std::pair<std::string, std::string>("New York, Honduras (Lempira)", "cityId:1171811")));
}

TEST_F(AccuFindTest, CountIsTheSumOfTheServersFigures) {
    TAcuSearch root = Load("<citylist us=\"2\" intl=\"1\" extra_cities=\"0\">"
                           "<location cnt=\"1\" city=\"Springfield\" state=\"Illinois\" location=\"US%7CIL%7C62701\"/>"
                           "<location cnt=\"2\" state=\"Missouri\" location=\"US|MO|65801\"/>"
                           "<location cnt=\"3\" city=\"Springfield\" location=\"AU%7CNSW%7CSpringfield+Lakes\"/>"
                           "</citylist>");
    Results want = {{"Springfield, Illinois", "US|IL|62701"},
                    {", Missouri", "US|MO|65801"},
                    {"Springfield, ", "AU|NSW|Springfield Lakes"}};
    EXPECT_EQ(Fill(root), want);
    EXPECT_FALSE(root.Citylist().Item(-1));
    EXPECT_FALSE(root.Citylist().Item(3));

    // More claimed than listed: only the listed ones; fewer claimed: only that many.
    EXPECT_EQ(Fill(Load("<citylist us=\"40\" intl=\"2000000000\" extra_cities=\"2000000000\">"
                        "<location city=\"A\" state=\"B\" location=\"1\"/></citylist>")),
              (Results{{"A, B", "1"}}));
    EXPECT_EQ(Fill(Load("<citylist us=\"1\" intl=\"0\" extra_cities=\"0\">"
                        "<location city=\"A\" state=\"B\" location=\"1\"/>"
                        "<location city=\"C\" state=\"D\" location=\"2\"/></citylist>")),
              (Results{{"A, B", "1"}}));
}

TEST_F(AccuFindTest, BadCountOrCodeEndsTheFillWithAnError) {
    std::string error;
    EXPECT_TRUE(Fill(Load("<citylist us=\"1\" extra_cities=\"0\"><location city=\"A\" state=\"B\" location=\"1\"/>"
                          "</citylist>"),
                     &error)
                    .empty());
    EXPECT_NE(error, "");
    error.clear();
    EXPECT_TRUE(Fill(Load("<citylist us=\"one\" intl=\"0\" extra_cities=\"0\"/>"), &error).empty());
    EXPECT_NE(error, "");
    EXPECT_THROW(Load("<product>no list</product>").Citylist().Count(), EConvertError);

    error.clear();
    Results r = Fill(Load("<citylist us=\"3\" intl=\"0\" extra_cities=\"0\">"
                          "<location city=\"A\" state=\"B\" location=\"ok\"/>"
                          "<location city=\"C\" state=\"D\" location=\"bad%zz\"/>"
                          "<location city=\"E\" state=\"F\" location=\"never\"/></citylist>"),
                     &error);
    EXPECT_EQ(r, (Results{{"A, B", "ok"}}));
    EXPECT_NE(error, "");
}

TEST(AccuFindDecode, URLDecoding) {
    struct {
        const char *in, *out;
    } good[] = {
        {"cityId:349727", "cityId:349727"}, {"US%7CPA%7C16801", "US|PA|16801"}, {"us%7cpa", "us|pa"},
        {"State+College", "State College"}, {"100%%", "100%"},                 {"%%41", "%41"},
        {"S%e3o+Paulo", "S\xe3o Paulo"},    {"", ""},
    };
    for (auto &c : good) EXPECT_EQ(URLDecode(c.in), c.out) << c.in;
    for (const char *bad : {"%", "abc%", "abc%7", "%zz", "%7z", "%z7", "%-1"})
        EXPECT_THROW(URLDecode(bad), EURLDecodeError) << bad;
}

}  // namespace
