#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/TimeZone.h"

namespace {
std::time_t Utc(int y, int m, int d) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = 12;
    return timegm(&tm);
}
}  // namespace

TEST(TimeZone, BiasesUseUtcMinusLocal) {
    struct Case { const char *tz; std::time_t at; int bias, daylight; bool dstNow; };
    const Case cases[] = {
        {"America/New_York", Utc(2024, 1, 10), 300, -60, false},
        {"America/New_York", Utc(2024, 7, 10), 300, -60, true},
        {"Australia/Sydney", Utc(2024, 1, 10), -600, -60, true},  // southern summer
        {"Asia/Kolkata", Utc(2024, 7, 10), -330, 0, false},
        {"UTC", Utc(2024, 7, 10), 0, 0, false},
        {"America/Phoenix", Utc(2024, 7, 10), 420, 0, false},
    };
    const char *old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    for (const Case &c : cases) {
        setenv("TZ", c.tz, 1);
        TTimeZoneBias b = GetTimeZoneBias(c.at);
        EXPECT_EQ(b.Bias, c.bias) << c.tz;
        EXPECT_EQ(b.DaylightBias, c.daylight) << c.tz;
        EXPECT_EQ(b.DaylightNow, c.dstNow) << c.tz;
        EXPECT_EQ(b.CurrentBias(), c.bias + (c.dstNow ? c.daylight : 0)) << c.tz;
    }
    if (old) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}
