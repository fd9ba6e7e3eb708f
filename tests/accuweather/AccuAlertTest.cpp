#include <gtest/gtest.h>

#include "accuweather/AccuAlert.h"
#include "platform/FormatSettings.h"
#include "support/TestSupport.h"

using namespace AccuAlert;

namespace {

// Lines as a downloaded text list holds them: CR LF or LF ends, no empty last line for a final break.
TParseLines SplitLines(const std::string &text) {
    TParseLines lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += text[i];
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

class AccuAlertTest : public ::testing::Test {
protected:
    void SetUp() override { Clock::Set(EncodeDate(2020, 12, 25) + EncodeTime(16, 0, 0)); }
    void TearDown() override {
        Clock::UseSystem();
        TFormatSettings::ResetToDefaults();
    }
};

TEST_F(AccuAlertTest, ReadsEachAlertBlockOfAPage) {
    TParseLines lines = SplitLines(ReadFile(FixturePath("accu/alert-page_cleveland.htm")));
    ASSERT_GT(lines.size(), 20u);
    TAcuAlertList list(lines);
    ASSERT_EQ(list.Count(), 2);  // the air quality alert names no kind of alert the parser knows

    const TAcuAlertItemRec *storm = list.Record(0);
    EXPECT_EQ(storm->Headline, "Winter Storm Warning for Cuyahoga County");
    EXPECT_EQ(storm->Title, "Winter Storm Warning For Cuyahoga County");
    EXPECT_EQ(storm->Issued, EncodeDate(2020, 12, 25) + EncodeTime(15, 45, 0));
    ASSERT_EQ(storm->Story.size(), 2u);  // the tag-only line adds nothing
    EXPECT_EQ(storm->Story[0], "...WINTER STORM WARNING REMAINS IN EFFECT UNTIL 7 PM EST SATURDAY...\n\r");
    EXPECT_EQ(storm->Story[1], "Snow, heavy at times, will continue tonight.\n\rTotal accumulations of 8 to 12 inches.\n\r");
    EXPECT_EQ(storm->Text(), storm->Story[0] + "\r\n" + storm->Story[1] + "\r\n");

    // The unclassified block's date and story do not leak into its neighbours.
    const TAcuAlertItemRec *snow = list.Record(1);
    EXPECT_EQ(snow->Title, "Lake Effect Snow Advisory For Lake County");
    EXPECT_EQ(snow->Issued, EncodeDate(2020, 12, 26) + EncodeTime(6, 10, 0));
    EXPECT_EQ(snow->Story, std::vector<std::string>{"Lake effect snow bands will develop off Lake Erie.\n\r"});
    EXPECT_EQ(list.State, 0);

    EXPECT_EQ(list.Record(2), nullptr);
    EXPECT_EQ(list.Record(-1), nullptr);
    EXPECT_TRUE(TAcuAlertList(TParseLines{}).Count() == 0);
}

TEST_F(AccuAlertTest, LastLineIsNeverLookedAt) {
    TParseLines lines = {"<html>", "<div class=\"warning-body-content\">Tornado Warning for Centre County"};
    EXPECT_EQ(TAcuAlertList(lines).Count(), 0);
    lines.push_back("</html>");
    TAcuAlertList list(lines);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.State, 1);  // still waiting for its date
    EXPECT_EQ(list.Record(0)->Issued, 0);
}

TEST_F(AccuAlertTest, KeywordsAreTriedInOrderAndMarkerIsCaseSensitive) {
    TParseLines lines = {
        "<div class=\"WARNING-BODY-CONTENT\">Flood Warning for Erie County",
        "<div class=\"warning-body-content\">Special Weather Statement about a warning",
        "",
    };
    TAcuAlertList list(lines);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Record(0)->Title, "Special Weather Statement About A Warning");
    ASSERT_FALSE(list.GetResults().empty());
    EXPECT_EQ(list.GetResults()[0], "statement");
}

TEST_F(AccuAlertTest, SecondDateLineStartsTheStory) {
    TParseLines lines = {
        "<div class=\"warning-body-content\">Winter Weather Advisory", "Fri Dec 25, 3:45 PM",
        "Updated Fri Dec 25, 4:15 PM", "Roads will be slick.", "</div>", "</html>",
    };
    TAcuAlertList list(lines);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Record(0)->Story, std::vector<std::string>{"Roads will be slick."});
    EXPECT_EQ(list.State, 0);
}

TEST(AccuAlertText, StripTags) {
    struct {
        const char *in, *out;
    } cases[] = {
        {"  <b>Flood</b> Watch \t", "Flood Watch"},
        {"<br /><b></b>", ""},
        {"one</P>two<p/>three", "one\n\rtwothree"},  // only an end tag counts
        {"<DIV>x</DIV>", "x\n\r"},
        {"<div class=\"a\">x</div>", "x\n\r"},
        {"a > b <i>c</i>", "a > b <i>c</i>"},  // a ">" before any "<" ends the stripping
        {"x <unclosed", "x <unclosed"},
        {"", ""},
    };
    for (auto &c : cases) EXPECT_EQ(StripTags(c.in), c.out) << c.in;
}

TEST(AccuAlertText, TitleCase) {
    struct {
        const char *in, *out;
    } cases[] = {
        {"tornado warning for x", "Tornado Warning For x"},
        {"FLOOD  WATCH", "Flood  Watch"},
        {"a b", "A b"},
        {"ab", "Ab"},
        {"x", "X"},
        {"", ""},
        {" heat advisory", " Heat Advisory"},
    };
    for (auto &c : cases) EXPECT_EQ(TitleCase(c.in), c.out) << c.in;
}

TEST_F(AccuAlertTest, ParseIssuedUsesCurrentYearAndLocaleOrder) {
    Clock::Set(EncodeDate(2025, 3, 1));
    struct {
        const char *line;
        const char *shortDate;
        TDateTime want;  // 0: not a date line
    } cases[] = {
        {"Mon Jan 5, 3:45 PM", "M/d/yyyy", EncodeDate(2025, 1, 5) + EncodeTime(15, 45, 0)},
        {"Mon Jan 5, 3:45 PM", "dd/MM/yyyy", EncodeDate(2025, 5, 1) + EncodeTime(15, 45, 0)},
        {"<p>Sat Dec 26, 6:10 AM</p>more, text", "M/d/yyyy", EncodeDate(2025, 12, 26) + EncodeTime(6, 10, 0)},
        {"Issued Jan 5, 3:45 PM", "M/d/yyyy", 0},     // no weekday
        {"Mon Jan 5 3:45 PM", "M/d/yyyy", 0},         // no comma
        {"Monday, 3:45 PM", "M/d/yyyy", 0},           // no month
        {"Mon Feb 31, 3:45 PM", "M/d/yyyy", 0},       // no such day
        {"Mon Jan 5, 3:45 PM EST", "M/d/yyyy", 0},    // zone name does not convert
        {"", "M/d/yyyy", 0},
    };
    for (auto &c : cases) {
        TFormatSettings::Global().ShortDateFormat = c.shortDate;
        TAcuAlertItemRec rec;
        std::string line = c.line;
        EXPECT_EQ(ParseIssued(rec, line), c.want != 0) << c.line;
        EXPECT_NEAR(rec.Issued, c.want, 1e-7) << c.line;
    }
    TAcuAlertItemRec rec;
    std::string line = "<b>Mon Jan 5, 3:45 PM</b>";
    ParseIssued(rec, line);
    EXPECT_EQ(line, "Mon Jan 5, 3:45 PM");
}

}  // namespace
