#include <gtest/gtest.h>

#include "nws/XmlBinding.h"
#include "nws/XmlDateTime.h"
#include "ZoneGuard.h"

TEST(XmlReadingRules, IntegersAndCounts) {
    struct { const char *text; int asInt; unsigned asCount; } cases[] = {
        {"", 0, 0},        {"NA", 0, 0},      {"na", 0, 0},      {" 72 ", 72, 72},
        {"72.0", 72, 72},  {"23.6", 24, 24},  {"-4", -4, 0},     {"-13.4", -13, 0},
        {"2.5", 2, 2},     {"3.5", 4, 4},     {"abc", 0, 0},     {"12abc", 0, 0},
        {"+7", 7, 7},      {"99999999999", 2147483647, 4294967295u},
    };
    for (auto &c : cases) {
        EXPECT_EQ(xmlb::ToInt(c.text), c.asInt) << '"' << c.text << '"';
        EXPECT_EQ(xmlb::ToCount(c.text), c.asCount) << '"' << c.text << '"';
    }
    EXPECT_EQ(xmlb::TextOrZero("NA"), "0");
    EXPECT_EQ(xmlb::TextOrZero(""), "0");
    EXPECT_EQ(xmlb::TextOrZero("3.45"), "3.45");
}

TEST(XmlLoading, Latin1DeclaredDocumentsBecomeUtf8) {
    // 0xB0 is the degree sign in ISO-8859-1, 0x92 a right quote in windows-1252.
    const std::string latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r><t>24\xB0 F</t><q>NOAA\x92s</q></r>";
    auto doc = xmlb::Parse(latin);
    ASSERT_TRUE(doc);
    EXPECT_EQ(xmlb::NodeText(doc->child("r").child("t")), "24\xC2\xB0 F");
    EXPECT_EQ(xmlb::NodeText(doc->child("r").child("q")), "NOAA\xE2\x80\x99s");

    // Text already in UTF-8 is left alone.
    auto utf8 = xmlb::Parse("<?xml version='1.0' encoding='UTF-8'?><r><t>24\xC2\xB0 F</t></r>");
    ASSERT_TRUE(utf8);
    EXPECT_EQ(xmlb::NodeText(utf8->child("r").child("t")), "24\xC2\xB0 F");

    // UTF-16 without a byte order mark is all 7-bit bytes too; it must not be taken for ASCII.
    std::string utf16;
    for (char c : std::string("<?xml version=\"1.0\"?><r><t>wide</t></r>")) utf16 += std::string{c, '\0'};
    auto wide = xmlb::Parse(utf16);
    ASSERT_TRUE(wide);
    EXPECT_EQ(xmlb::NodeText(wide->child("r").child("t")), "wide");

    std::string error;
    EXPECT_FALSE(xmlb::Parse("<r><t>cut off", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(xmlb::Parse(""));
    EXPECT_FALSE(xmlb::ParseFile("/nonexistent/none.xml", &error));
}

TEST(XmlLoading, TextJoinsCdataAndMultiLineTextHasPlainLineFeeds) {
    auto doc = xmlb::Parse("<r><d>one\r\ntwo<![CDATA[ <three>]]></d><e/></r>");
    ASSERT_TRUE(doc);
    EXPECT_EQ(xmlb::NodeText(doc->child("r").child("d")), "one\ntwo <three>");
    EXPECT_EQ(xmlb::NodeText(doc->child("r").child("e")), "");
    EXPECT_EQ(xmlb::NodeText(doc->child("r").child("missing")), "");
}

TEST(XmlList, CountsIndexesAndAnswersSafelyPastTheEnd) {
    auto doc = xmlb::Parse("<r><v>1</v><x/><v>2</v><v>3</v></r>");
    ASSERT_TRUE(doc);
    xmlb::TXmlList<xmlb::TXMLCount> list(doc->child("r"), "v");
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[2].Value(), 3u);
    EXPECT_FALSE(list[3].Exists());
    EXPECT_EQ(list[3].Value(), 0u);
    unsigned sum = 0;
    for (auto v : list) sum += v.Value();
    EXPECT_EQ(sum, 6u);
    list.Add().SetNodeText("4");
    EXPECT_EQ(list.Count(), 4u);
    EXPECT_EQ(list[3].Value(), 4u);

    xmlb::TXmlList<xmlb::TXMLCount> none;
    EXPECT_EQ(none.Count(), 0u);
    EXPECT_FALSE(none.Add().Exists());
    EXPECT_EQ(none[0].Value(), 0u);
}

TEST(XmlDateTime, ReadsAndWritesSchemaTexts) {
    ZoneGuard zone("CST6CDT,M3.2.0,M11.1.0");
    TDateTime t = 0;
    ASSERT_TRUE(XmlDateTimeToLocal("2012-03-15T22:08:00-05:00", t));
    EXPECT_NEAR(t, EncodeDate(2012, 3, 15) + EncodeTime(22, 8, 0), 1e-9);
    ASSERT_TRUE(XmlDateTimeToLocal("2008-12-23T21:46:52Z", t));
    EXPECT_NEAR(t, EncodeDate(2008, 12, 23) + EncodeTime(15, 46, 52), 1e-9);
    ASSERT_TRUE(XmlDateTimeWritten("2023-02-26T19:00:00-06:00", t));
    EXPECT_NEAR(t, EncodeDate(2023, 2, 26) + EncodeTime(19, 0, 0), 1e-9);
    ASSERT_TRUE(XmlDateTimeToLocal("2008-12-23T24:00:00", t));
    EXPECT_NEAR(t, EncodeDate(2008, 12, 24), 1e-9);
    EXPECT_EQ(XmlDateTimeHour("2023-02-27T06:00:00-06:00"), 6);

    for (const char *bad : {"", "2012-03-15", "2012-13-01T00:00:00", "2012-02-30T00:00:00",
                            "2012-03-15T22:08:00-5:00", "2012-03-15T22:08:00 junk", "yesterday"}) {
        EXPECT_FALSE(XmlDateTimeToLocal(bad, t)) << bad;
        EXPECT_EQ(XmlDateTimeHour(bad), -1) << bad;
    }

    EXPECT_EQ(DateTimeToXml(EncodeDate(2012, 3, 15) + EncodeTime(22, 8, 0)), "2012-03-15T22:08:00-05:00");
    EXPECT_EQ(DateTimeToXml(EncodeDate(2012, 1, 5) + EncodeTime(7, 5, 9)), "2012-01-05T07:05:09-06:00");
    const TDateTime back = EncodeDate(2026, 7, 1) + EncodeTime(23, 59, 58);
    ASSERT_TRUE(XmlDateTimeToLocal(DateTimeToXml(back), t));
    EXPECT_NEAR(t, back, 1e-9);
}
