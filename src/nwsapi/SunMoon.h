#pragma once
// Sunrise, sunset and the moon's phase computed on this computer, for when the
// Naval Observatory cannot be reached. The sun follows NOAA's solar
// calculator (good to about a minute away from the poles); the phases are
// Meeus's mean lunations with the main periodic terms (good to some minutes).
#include <string>

#include "platform/Clock.h"

namespace SunMoon {

enum class TSunEvent { Rise, Set };

struct TSunTime {
    bool Occurs = false;  // false: the sun stays up (or down) all day
    TDateTime UTC = 0;    // the moment, UTC
};

// The sunrise or sunset of the UTC calendar day `utcDate` (a whole day number)
// at latitude/longitude (north and east positive).
TSunTime SunEventUTC(TSunEvent event, TDateTime utcDate, double latitude, double longitude);

// The moment (UTC) of the principal phase (0 new, 1 first quarter, 2 full,
// 3 last quarter) of lunation k, counted from the new moon of 6 January 2000.
TDateTime PhaseUTC(int k, int phase);

// The phase name of the local day that starts at localMidnight and lasts one
// day: "New Moon", "First Quarter", "Full Moon" or "Last Quarter" when that
// phase falls within the day, else "Waxing Crescent", "Waxing Gibbous",
// "Waning Gibbous" or "Waning Crescent". utcOffsetDays is local - UTC.
std::string MoonPhaseName(TDateTime localMidnight, double utcOffsetDays);

}  // namespace SunMoon
