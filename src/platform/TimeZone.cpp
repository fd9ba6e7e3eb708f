#include "platform/TimeZone.h"

namespace {
struct Sample { long offset; bool dst; };

Sample sample(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_gmtoff, tm.tm_isdst > 0};
}
}  // namespace

TTimeZoneBias GetTimeZoneBias(std::time_t at) {
    tzset();
    TTimeZoneBias b;
    std::tm tm{};
    localtime_r(&at, &tm);
    const Sample now{tm.tm_gmtoff, tm.tm_isdst > 0};
    // Mid-January and mid-July of the same year cover both hemispheres.
    std::tm probe{};
    probe.tm_year = tm.tm_year;
    probe.tm_mday = 15;
    probe.tm_hour = 12;
    probe.tm_isdst = -1;
    probe.tm_mon = 0;
    std::tm jul = probe;
    jul.tm_mon = 6;
    const Sample a = sample(mktime(&probe));
    const Sample c = sample(mktime(&jul));

    long standard = now.offset, daylight = now.offset;
    if (a.dst != c.dst) {
        standard = a.dst ? c.offset : a.offset;
        daylight = a.dst ? a.offset : c.offset;
        b.HasDaylight = true;
    } else if (now.dst) {
        // Permanent daylight time as its own zone rule: treat it as standard.
        standard = daylight = now.offset;
    }
    b.Bias = static_cast<int>(-standard / 60);
    b.DaylightBias = b.HasDaylight ? static_cast<int>(-(daylight - standard) / 60) : 0;
    b.DaylightNow = b.HasDaylight && now.dst;
    return b;
}

TTimeZoneBias GetTimeZoneBias() { return GetTimeZoneBias(std::time(nullptr)); }
