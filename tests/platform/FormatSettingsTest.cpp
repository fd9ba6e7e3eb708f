#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/FormatSettings.h"

TEST(FormatSettings, DelphiStyleFormats) {
    TFormatSettings fs;
    TDateTime dt = EncodeDate(2008, 12, 23) + EncodeTime(18, 3, 7);
    struct { const char *fmt, *want; } cases[] = {
        {"mmmmm dd, h:nn AM/PM ", "December 23, 6:03 PM "},
        {"dddd", "Tuesday"},
        {"ddd d mmm yy", "Tue 23 Dec 08"},
        {"hh:mm:ss", "18:03:07"},
        {"c", "12/23/2008 6:03:07 PM"},
        {"h:nn ampm", "6:03 PM"},
    };
    for (auto &c : cases) EXPECT_EQ(FormatDateTime(c.fmt, dt, fs), c.want) << c.fmt;
    EXPECT_EQ(DateTimeToStr(EncodeDate(2008, 12, 23), fs), "12/23/2008");
}

TEST(FormatSettings, ParsesWhatItWrites) {
    TFormatSettings fs;
    TDateTime dt = EncodeDate(2024, 2, 29) + EncodeTime(0, 15, 0);
    TDateTime back = 0;
    ASSERT_TRUE(TryStrToDateTime(DateTimeToStr(dt, fs), back, fs));
    EXPECT_NEAR(back, dt, 1e-8);
    fs.ShortDateFormat = "dd/MM/yyyy";
    ASSERT_TRUE(TryStrToDate("01/02/2009", back, fs));
    EXPECT_EQ(back, EncodeDate(2009, 2, 1));
    EXPECT_FALSE(TryStrToDate("31/02/2009", back, fs));
    EXPECT_FALSE(TryStrToDateTime("yesterday", back, fs));
}

TEST(Clock, FixedAndAdvanced) {
    Clock::Set(EncodeDate(2026, 12, 11) + EncodeTime(10, 20, 0));
    EXPECT_EQ(Clock::Today(), EncodeDate(2026, 12, 11));
    Clock::AdvanceSeconds(14 * 3600);
    EXPECT_EQ(Clock::Today(), EncodeDate(2026, 12, 12));
    EXPECT_EQ(DayOfWeek(Clock::Today()), 7);  // a Saturday
    Clock::UseSystem();
    EXPECT_FALSE(Clock::IsFixed());
}
