#pragma once
// XML Schema date-time texts ("2012-03-15T22:08:00-05:00") and TDateTime.
#include <string>
#include <string_view>

#include "platform/Clock.h"

struct TXmlDateTimeParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    bool hasZone = false;   // "Z" or an offset was written
    int offsetMinutes = 0;  // east of UTC positive; 0 for "Z"
};

// Reads [-]YYYY-MM-DDThh:mm:ss[.fff][Z|(+|-)hh[:mm]]; surrounding blanks are
// ignored. "24:00:00" stands for the next midnight. False for anything else.
bool ParseXmlDateTime(std::string_view text, TXmlDateTimeParts &out);

// The date and time as written, ignoring any zone.
bool XmlDateTimeWritten(std::string_view text, TDateTime &out);
// The moment converted to this computer's local time; a text without a zone is
// taken as local time already.
bool XmlDateTimeToLocal(std::string_view text, TDateTime &out);
// The hour as written in the text, -1 when the text is not a date-time.
int XmlDateTimeHour(std::string_view text);

// Local time to text with the local UTC offset of that moment, to the second:
// "2026-12-11T07:05:09-06:00" (or "+00:00").
std::string DateTimeToXml(TDateTime local);
