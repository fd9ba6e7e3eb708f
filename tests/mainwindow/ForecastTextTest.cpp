// The strip's text rules: period names, ordinals, shortened summaries, the
// inset text, temperature captions and the forecast balloon's header.
#include <gtest/gtest.h>

#include "mainwindow/ForecastText.h"
#include "platform/FormatSettings.h"
#include "service/WxModel.h"

namespace {

TDateTime At(int y, int m, int d, int h, int n = 0) { return EncodeDate(y, m, d) + EncodeTime(h, n, 0); }

// Wednesday, 13 March 2024, 09:30.
const TDateTime kNow = At(2024, 3, 13, 9, 30);

}  // namespace

TEST(ForecastText, PeriodNamesFollowTheDayAndTheHourOfTheStart) {
    struct Case {
        TDateTime start;
        const char *key;
        bool night;
    } cases[] = {
        {At(2024, 3, 12, 18), "OVERNIGHT", true},  // started yesterday evening
        {At(2024, 3, 13, 6), "TODAY", false},
        {At(2024, 3, 13, 11, 59), "TODAY", false},
        {At(2024, 3, 13, 12), "TONIGHT", true},  // noon itself counts as the afternoon
        {At(2024, 3, 13, 18), "TONIGHT", true},
        {At(2024, 3, 14, 6), "TOMORROW", false},
        {At(2024, 3, 14, 18), "NIGHT", true},
        {At(2024, 3, 15, 6), "Friday", false},
        {At(2024, 3, 17, 6), "Sunday", false},
        {At(2024, 3, 18, 18), "NIGHT", true},
    };
    for (const Case &c : cases) {
        const TPeriodName n = NamePeriod(c.start, kNow);
        EXPECT_EQ(n.Key, c.key) << DateTimeToStr(c.start);
        EXPECT_EQ(n.Night, c.night) << DateTimeToStr(c.start);
    }
}

TEST(ForecastText, PeriodTextIsBuiltInOnlyWhileTheLanguageTableIsEmpty) {
    const TPeriodName tonight = NamePeriod(At(2024, 3, 13, 18), kNow);
    EXPECT_EQ(PeriodText(tonight, TLangView()), "Tonight");

    const std::vector<std::string> spanish = {"TONIGHT=Esta noche", "friday=Viernes"};
    EXPECT_EQ(PeriodText(tonight, TLangView(&spanish)), "Esta noche");
    // Keys match regardless of case, as in the language files.
    EXPECT_EQ(PeriodText(NamePeriod(At(2024, 3, 15, 6), kNow), TLangView(&spanish)), "Viernes");
    // A table without the key shows nothing rather than mixing languages.
    EXPECT_EQ(PeriodText(NamePeriod(At(2024, 3, 14, 6), kNow), TLangView(&spanish)), "");
}

TEST(ForecastText, OrdinalDays) {
    const std::pair<int, const char *> cases[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},
                                                  {11, "11th"}, {12, "12th"}, {13, "13th"}, {21, "21st"},
                                                  {22, "22nd"}, {23, "23rd"}, {30, "30th"}, {31, "31st"}};
    for (const auto &[day, text] : cases) EXPECT_EQ(std::to_string(day) + OrdinalSuffix(day), text);
    EXPECT_EQ(OrdinalDay(At(2024, 3, 22, 18)), "22nd");
}

TEST(ForecastText, SummaryShorteningsReplaceOnlyTheFirstOccurrence) {
    const std::pair<const char *, const char *> cases[] = {
        {"Lluvia y nieve", "Lluvia nieve"},
        {"Sol y nubes y viento", "Sol nubes y viento"},
        {"PROBABILIDAD de lluvia", "probable de lluvia"},
        {"Oportunidad de tormentas", "azar de tormentas"},
        {"Probabilidad y oportunidad", "probable azar"},
        {"Mostly Sunny", "Mostly Sunny"},
        {"Heavy rain", "Heavy rain"},  // "y" inside a word stays
    };
    for (const auto &[in, out] : cases) EXPECT_EQ(ShortenSummary(in), out) << in;
}

namespace {
TForecastItem *AddPeriod(TForecasts &fc, TDateTime date, const std::string &detail) {
    TForecastItem *p = fc.Add();
    p->Date = date;
    p->Detail = detail;
    return p;
}
}  // namespace

TEST(ForecastText, InsetTextStartsAtTheFirstPeriodWithADetail) {
    const TDateTime today = EncodeDate(2024, 3, 13);
    TForecasts fc(nullptr);
    AddPeriod(fc, At(2024, 3, 13, 6), "");
    AddPeriod(fc, At(2024, 3, 13, 18), "Tonight: Clear.");
    AddPeriod(fc, At(2024, 3, 14, 6), "Thursday: Sunny.");

    EXPECT_EQ(InsetText(fc, true, today), "Tonight: Clear.\r\n\r\nThursday: Sunny.");
    EXPECT_EQ(InsetText(fc, false, today), "Tonight: Clear.");
    // The next period only joins when it starts after today's midnight.
    fc.Items(2)->Date = today;
    EXPECT_EQ(InsetText(fc, true, today), "Tonight: Clear.");

    TForecasts lone(nullptr);
    AddPeriod(lone, At(2024, 3, 13, 6), "");
    EXPECT_EQ(InsetText(lone, true, today), "");
    EXPECT_EQ(InsetText(TForecasts(nullptr), true, today), "");
}

TEST(ForecastText, TemperatureCaptionsFor24And12HourPeriods) {
    TForecasts fc(nullptr);
    TForecastItem *p = fc.Add();
    p->HighTemp = 72;
    p->LowTemp = 55;
    p->Name = "Wednesday";
    const std::vector<std::string> noHigh = {"TODAY=Hoy"};
    const std::vector<std::string> spanish = {"HIGH=Max", "LOW=Min"};
    const std::vector<std::string> emptyValues = {"HIGH=", "LOW="};

    // 24-hour periods take the language values only.
    TTempCaptions c = TemperatureCaptions(*p, false, TLangView(&noHigh));
    EXPECT_TRUE(c.High.Visible);
    EXPECT_TRUE(c.Low.Visible);
    EXPECT_EQ(c.High.Text, ": 72\xC2\xB0");
    EXPECT_EQ(c.High.Align, TTempAlign::Left);
    EXPECT_EQ(c.Low.Text, ": 55\xC2\xB0");
    EXPECT_EQ(c.Low.Align, TTempAlign::Right);
    EXPECT_EQ(TemperatureCaptions(*p, false, TLangView(&spanish)).High.Text, "Max: 72\xC2\xB0");

    // 12-hour periods show one centred caption, with English when the value is empty.
    c = TemperatureCaptions(*p, true, TLangView(&emptyValues));
    EXPECT_TRUE(c.High.Visible);
    EXPECT_FALSE(c.Low.Visible);
    EXPECT_EQ(c.High.Align, TTempAlign::Center);
    EXPECT_EQ(c.High.Text, "High: 72\xC2\xB0");

    p->Name = "Wednesday Night";
    c = TemperatureCaptions(*p, true, TLangView(&spanish));
    EXPECT_FALSE(c.High.Visible);
    EXPECT_TRUE(c.Low.Visible);
    EXPECT_EQ(c.Low.Align, TTempAlign::Center);
    EXPECT_EQ(c.Low.Text, "Min: 55\xC2\xB0");
    p->Name = "Tonight";
    EXPECT_EQ(TemperatureCaptions(*p, true, TLangView()).Low.Text, "Low: 55\xC2\xB0");
}

TEST(ForecastText, BalloonHeaderFromTheHintHeading) {
    TBalloonText t = ForecastBalloonText("Friday Night: Rain likely.", TLangView());
    EXPECT_EQ(t.Header, "Forecast for  Friday Night");
    EXPECT_EQ(t.Body, "     Rain likely.");

    // A one-word heading is the second word.
    EXPECT_EQ(ForecastBalloonText("Tonight: Clear.", TLangView()).Header, "Forecast for  Tonight");

    // No colon: no heading to translate.
    t = ForecastBalloonText("Detail not available.", TLangView());
    EXPECT_EQ(t.Header, "Forecast for . . .");
    EXPECT_EQ(t.Body, "Detail not available.");

    const std::vector<std::string> spanish = {"Forecast for =Pron\xC3\xB3stico para", "Friday=Viernes",
                                              "Night=Noche", "Tonight=Esta noche"};
    const TLangView es(&spanish);
    EXPECT_EQ(ForecastBalloonText("Friday Night: Rain likely.", es).Header, "Pron\xC3\xB3stico para Viernes Noche");
    EXPECT_EQ(ForecastBalloonText("Tonight: Clear.", es).Header, "Pron\xC3\xB3stico para Esta noche");
    // The second word is translated only when the first one was.
    EXPECT_EQ(ForecastBalloonText("Saturday Night: Snow.", es).Header, "Pron\xC3\xB3stico para Saturday Night");
}

TEST(ForecastText, ForecastTimeCaption) {
    const std::string written = DateTimeToStr(At(2024, 3, 13, 10));
    const std::vector<std::string> spanish = {"glForecastTime=Pron\xC3\xB3stico: %s"};
    EXPECT_EQ(ForecastTimeCaption("2024-03-13T10:00:00", TLangView(&spanish)), "Pron\xC3\xB3stico: " + written);
    EXPECT_EQ(ForecastTimeCaption("2024-03-13T10:00:00", TLangView()), "Forecast for " + written);
    EXPECT_EQ(ForecastTimeCaption("", TLangView()), "");
    EXPECT_EQ(ForecastTimeCaption("yesterday", TLangView()), "");
}

TEST(ForecastText, InsetScrollBarOnlyForTallText) {
    TInsetScroll s = InsetScrollLayout(300, 160, 190, 16, 40, 1);
    EXPECT_TRUE(s.BarVisible);
    EXPECT_EQ(s.LabelWidth, 190 - 18);
    EXPECT_EQ(s.BarMax, 216);
    EXPECT_EQ(s.LabelTop, -21);

    s = InsetScrollLayout(120, 160, 190, 16, 40, 1);
    EXPECT_FALSE(s.BarVisible);
    EXPECT_EQ(s.LabelWidth, 190);
    EXPECT_EQ(s.LabelTop, 0);
}
