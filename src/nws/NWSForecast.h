#pragma once
// Mapping of the NDFD and worded DWML forecasts onto forecast periods.
#include "nws/DWML.h"
#include "service/WxModel.h"

struct TNwsForecastInput {
    const TXMLDwml *Ndfd;
    const TXMLDwml *Text;
    bool Periods12;
    int Scale;
    int NumDays;
};

// Fills `out` (cleared first). Returns false when the NDFD document holds nothing usable (out untouched then).
bool ParseNwsForecasts(const TNwsForecastInput &in, TForecasts &out);
