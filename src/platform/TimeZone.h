#pragma once
// The local time zone in the form the services expect: minutes, with the sign
// convention bias = UTC - local (so US Eastern has Bias 300).
#include <ctime>

struct TTimeZoneBias {
    int Bias = 0;          // UTC - local standard time
    int StandardBias = 0;  // added to Bias during standard time (always 0 here)
    int DaylightBias = 0;  // added to Bias during daylight time (usually -60), 0 without daylight time
    bool HasDaylight = false;
    bool DaylightNow = false;  // daylight time is in effect at the moment asked for
    // Bias in effect: Bias + DaylightBias during daylight time.
    int CurrentBias() const { return Bias + (DaylightNow ? DaylightBias : StandardBias); }
};

// From the C library's zone data (TZ or /etc/localtime) for the year of `at`.
TTimeZoneBias GetTimeZoneBias(std::time_t at);
TTimeZoneBias GetTimeZoneBias();  // now
