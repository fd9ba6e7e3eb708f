#pragma once
// Mapping of the two NWS forecast documents (the NDFD by-day forecast and the
// MapClick worded forecast) onto forecast periods.
//
// Short lists: the documents often disagree in length (a forecast that starts
// at night has one day period less, a worded forecast may carry fewer periods
// than texts, a download may be cut). Where a list holds no entry at the index
// a period asks for, that period simply lacks the value: its name, date,
// temperatures, summary, precipitation text or detail keep what a new item
// holds ("No Info..", "0%", 0, empty) - nothing is read from a neighbour and
// nothing crashes. A missing icon link reads "na.jpg" (the "not available"
// icon). An element that exists but is empty (xsi:nil) reads 0, as the
// documents define.
//
// Temperatures are taken from the `temperature` element of type "maximum"
// (highs) and "minimum" (lows); a document whose temperatures carry no such
// types falls back to the first and the second element.
#include "nws/DWML.h"
#include "service/WxModel.h"

struct TNwsForecastInput {
    const TXMLDwml *Ndfd;  // the NDFD forecast; required
    const TXMLDwml *Text;  // the MapClick worded forecast; may be null or inactive
    bool Periods12;        // 12-hour periods (day and night) instead of 24-hour days
    int Scale;             // 0 Fahrenheit, 1 Celsius
    int NumDays;           // the days asked for; the documents decide the count
};

// Fills `out` (cleared first). Returns false when the NDFD document holds
// nothing usable - not parsed, no `data`, or no period in its first time
// layout; `out` is untouched then.
bool ParseNwsForecasts(const TNwsForecastInput &in, TForecasts &out);

// Fahrenheit to the display scale: Scale 1 gives round((t - 32) x 0.555555),
// halves to even; any other scale gives t.
int NwsToScale(int fahrenheit, int scale);
