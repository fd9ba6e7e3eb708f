#include <gtest/gtest.h>

#include <map>

#include "mainwindow/WxFormCalc.h"

TEST(ColourBlend, MovesEachChannelByTwentieths) {
    EXPECT_EQ(ColourBlend(0x000000, 0x141414, 10), 0x0A0A0Au);
    // Red in the lowest byte moves up, blue down; truncation toward the start.
    EXPECT_EQ(ColourBlend(0xFF0000, 0x0000FF, 5), 0xC0003Fu);
    EXPECT_EQ(ColourBlend(0x800000, 0xF0CAA6, 3), 0x901E18u);
    // Limits and equal colours.
    EXPECT_EQ(ColourBlend(0x123456, 0xABCDEF, 0), 0x123456u);
    EXPECT_EQ(ColourBlend(0x123456, 0xABCDEF, -3), 0x123456u);
    EXPECT_EQ(ColourBlend(0x123456, 0xABCDEF, 20), 0xABCDEFu);
    EXPECT_EQ(ColourBlend(0x123456, 0xABCDEF, 25), 0xABCDEFu);
    EXPECT_EQ(ColourBlend(0x445566, 0x445566, 7), 0x445566u);
    // A system colour counts by its low bytes and the result has no high byte.
    EXPECT_EQ(ColourBlend(0x800000, 0xFF000009, 16), 0x1A0007u);
}

TEST(ForecastTimer, AlignsToTheNextFullHour) {
    struct Case { int minute, fc, offset, expectMinutes; };
    const Case cases[] = {
        {20, 60, 15, 54},  // 10:20 -> 39 + 15
        {0, 60, 15, 75},   // 10:00 -> fcInterval + 15
        {59, 60, 15, 75},  // 10:59 -> fcInterval + 15
        {1, 60, 0, 58},
        {58, 120, 15, 16},
        {0, 120, 0, 120},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ForecastTimerInterval(c.minute, c.fc, c.offset), c.expectMinutes * 60000) << c.minute;
}

TEST(CurrentTexts, FeelsLikeIsTheTruncatedMean) {
    EXPECT_EQ(FeelsLikeMean(90, 100), 95);
    EXPECT_EQ(FeelsLikeMean(-5, -10), -7);
    EXPECT_EQ(FeelsLikeMean(41, 0), 41);  // no feels-like: the temperature itself
    EXPECT_EQ(FeelsLikeMean(33, 30), 31);
}

TEST(CurrentTexts, DewPointAndTemplates) {
    EXPECT_EQ(DewPointText("54 F (12 C)"), "54 F ");
    EXPECT_EQ(DewPointText("54"), "54");
    EXPECT_EQ(FillTemplate("From %s", "NWS"), "From NWS");
    EXPECT_EQ(FillTemplate("Latitude", "1"), "Latitude");
}

TEST(Barometer, ParsesInchesAndMillibars) {
    struct Case { const char *text; double inches; };
    const Case cases[] = {
        {"30.01 in.", 30.01}, {"1013 mb", 29.91}, {"29.92", 29.92}, {"30.015", 30.01},
        {"0.0 in.", 0},       {"n/a", 0},         {"", 0},         {"29.9x in.", 0},
        {"1013mb", 29.91},  // no blank and no point: the leading number
    };
    for (const Case &c : cases) EXPECT_DOUBLE_EQ(ParseBarometer(c.text), c.inches) << c.text;
    EXPECT_EQ(BarometerText(29.91), "29.91 in.");
    EXPECT_EQ(BarometerText(30), "30 in.");
}

TEST(Barometer, TrendGlyphs) {
    struct Case { double previous, current; const char *text; int glyph; };
    const Case cases[] = {
        {29.95, 30.01, "30.01 in.", pgRising},
        {30.01, 30.01, "30.01 in.", pgSteady},
        {30.01, 29.95, "29.95 in.", pgFalling},
        {0, 0, "n/a", pgSteady},
        {0, 30.01, "30.01 in.", pgSteady},     // first reading, no words
        {0, 30.01, "30.01 and rising", pgRising},
        {30.01, 30.01, "30.01 falling", pgFalling},
        {30.01, 30.05, "30.05 decreasing", pgFalling},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BarometerTrend(c.previous, c.current, c.text), c.glyph) << c.text << " after " << c.previous;
}

TEST(CurrentTexts, GustCaptions) {
    EXPECT_EQ(GustCaption("", true), " Gusts to: ");
    EXPECT_EQ(GustCaption("", false), " Steady ");
    EXPECT_EQ(GustCaption("Steady /Gusts to", true), "Gusts to:");
    EXPECT_EQ(GustCaption("Steady /Gusts to", false), "Steady:");
    EXPECT_EQ(GustCaption("Konstant /Böen bis", false), "Konstant:");
}

TEST(CurrentTexts, MoonPhaseTable) {
    EXPECT_EQ(MoonPhaseRow(""), -1);
    EXPECT_EQ(MoonPhaseRow("Blue moon"), -1);
    EXPECT_EQ(MoonPhaseRow("Waxing Crescent"), 1);
    EXPECT_EQ(MoonPhaseRow("First Quarter"), 2);
    EXPECT_EQ(MoonPhaseRow("WAXING GIBBOUS"), 3);
    EXPECT_EQ(MoonPhaseRow("Full"), 4);
    EXPECT_EQ(MoonPhaseRow("Waning Gibbous"), 5);
    EXPECT_EQ(MoonPhaseRow("Last Quarter"), 6);
    EXPECT_EQ(MoonPhaseRow("Waning Crescent"), 7);
    // "new" anywhere wins over every later row.
    EXPECT_EQ(MoonPhaseRow("Full moon, renewed"), 0);
    EXPECT_STREQ(MoonPhaseKey(0), "MOON_NEW");
    EXPECT_STREQ(MoonPhaseBuiltIn(6), "Last Quarter");
}

TEST(ProgramIcon, ConditionTableAndGenericPictures) {
    const std::map<std::string, std::string> table = {{"ovc", "26"}, {"few", "40"}, {"nfew", "41"}, {"ra", "12"}};
    const TConditionLookup lookup = [&](const std::string &base) {
        const auto it = table.find(base);
        return it == table.end() ? std::string() : it->second;
    };
    EXPECT_EQ(ProgramIconName("http://x/icons/ovc.png", "", lookup), "26.PNG");
    EXPECT_EQ(ProgramIconName("unknown.jpg", "Rain", lookup), "54.PNG");
    EXPECT_EQ(ProgramIconName("ovc.png", "", {}), "54.PNG");  // table closed
    // The generic day and night pictures are refined by the words.
    struct Case { const char *file, *words, *picture; };
    const Case cases[] = {
        {"few.png", "Light Rain", "36.PNG"},  {"nfew.png", "Light Rain", "37.PNG"},
        {"few.png", "Snow Showers", "34.PNG"}, {"few.png", "Flurries", "34.PNG"},
        {"few.png", "Mostly Cloudy", "38.PNG"}, {"nfew.png", "Blustery", "39.PNG"},
        {"few.png", "Fair", "40.PNG"},        {"nfew.png", "Clear", "41.PNG"},
        {"few.png", "", "40.PNG"},
    };
    for (const Case &c : cases) EXPECT_EQ(ProgramIconName(c.file, c.words, lookup), c.picture) << c.words;
}

TEST(ConnectFailure, DetailTextIsReplacedUnlessShortAfterTheColon) {
    EXPECT_EQ(ConnectFailureDetailText("http://127.0.0.1:1: fail"), "No response from Server . . .");
    EXPECT_EQ(ConnectFailureDetailText("timeout"), "No response from Server . . .");
    EXPECT_EQ(ConnectFailureDetailText("ab"), "ab");
    EXPECT_EQ(ConnectFailureDetailText("Error: x"), "Error: x");
}

TEST(OpenLinkTargets, OnlyFilesAndWebAddresses) {
    EXPECT_FALSE(LinkTargetOpenable(""));
    EXPECT_FALSE(LinkTargetOpenable("/no/such/file.txt"));
    EXPECT_TRUE(LinkTargetOpenable("https://www.weather.gov/"));
    EXPECT_TRUE(LinkTargetOpenable("/etc/hostname") || LinkTargetOpenable("/etc/passwd"));
}
