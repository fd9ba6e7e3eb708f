#pragma once
// The Naval Observatory's one-day sun and moon table: the form the NWS service
// posts and the scan of the HTML reply into the three texts it shows.
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/TimeZone.h"

class TCustomWxService;

struct TSunMoonTexts {
    std::string Sunrise, Sunset, MoonPhase;
};

// The observatory's time-zone field: (Bias + StandardBias + DaylightBias) / 60,
// truncated toward zero. The daylight part counts whatever the date.
int SunMoonZone(const TTimeZoneBias &tz);

// The form fields, in the order the observatory expects them ("name=value",
// values not yet encoded). lat and lon are the service's coordinate texts.
std::vector<std::string> SunMoonFormFields(TDateTime localNow, const std::string &lat, const std::string &lon,
                                           const TTimeZoneBias &tz);
// The fields joined with '&' and form-encoded, as they go over the wire.
std::string SunMoonFormLine(const std::vector<std::string> &fields);

// The "hh:mm" around the first ':' of a reply line as the local long time text
// without its first ":00" ("6:03 PM"). False when those characters are no time.
bool SunMoonLineTime(const std::string &line, std::string &out);

// Scans the reply lines into texts. Values only change when a line supplies
// one; a sunrise or sunset line without a readable time is passed over.
void ScanSunMoonReply(const std::vector<std::string> &lines, TSunMoonTexts &texts);

// The table is fetched while no sunrise is known yet and again in the first
// 0.05 day (01:12) after midnight.
bool SunMoonDue(const std::string &sunrise, TDateTime localNow);

// Posts the form for the service's coordinates and today's date, keeps the
// reply as Cache\NWSSunMoon.html when AllowTemp is on, and scans it into
// texts. False (texts untouched) when the post failed.
bool RefreshSunMoonTable(TCustomWxService &service, TSunMoonTexts &texts);
