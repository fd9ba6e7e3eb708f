#pragma once
// One process-wide set of locale texts for dates and times. Core starts with
// en-US values; the app fills it from the system locale at start-up and tests
// set it explicitly.
#include <string>
#include "platform/Clock.h"

struct TFormatSettings {
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
    std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    // Windows locale identifier of the user's default locale (1033 = en-US).
    int LocaleId = 1033;

    static TFormatSettings &Global();
    static void ResetToDefaults();  // en-US
};

// Delphi-style format specifiers: d dd ddd dddd ddddd dddddd, m mm mmm mmmm,
// yy yyyy, h hh, n nn, s ss, z zzz, am/pm a/p ampm, c, t tt, / :, "quoted" 'quoted'.
// An "m" right after an h is taken as minutes, as Delphi does.
std::string FormatDateTime(const std::string &format, TDateTime dt,
                           const TFormatSettings &fs = TFormatSettings::Global());
// The "local date-time text": short date, and the long time unless it is midnight.
std::string DateTimeToStr(TDateTime dt, const TFormatSettings &fs = TFormatSettings::Global());
std::string DateToStr(TDateTime dt, const TFormatSettings &fs = TFormatSettings::Global());
std::string TimeToStr(TDateTime dt, const TFormatSettings &fs = TFormatSettings::Global());
// Parses text written by DateTimeToStr (date in the short-date order, optional
// time with optional seconds and AM/PM). False on anything else.
bool TryStrToDateTime(const std::string &text, TDateTime &out,
                      const TFormatSettings &fs = TFormatSettings::Global());
bool TryStrToDate(const std::string &text, TDateTime &out, const TFormatSettings &fs = TFormatSettings::Global());
bool TryStrToTime(const std::string &text, TDateTime &out, const TFormatSettings &fs = TFormatSettings::Global());
