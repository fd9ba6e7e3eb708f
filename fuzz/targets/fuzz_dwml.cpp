// The NDFD and the worded forecast documents mapped onto forecast periods.
// Input: the NDFD document, then optionally "\n=====\n" and the worded one.
#include "FuzzSupport.h"
#include "nws/NWSForecast.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    auto [ndfdText, wordedText] = fuzz::Split(fuzz::View(data, size));
    TXMLDwml ndfd = TXMLDwml::LoadFromBuffer(ndfdText);
    TXMLDwml worded = TXMLDwml::LoadFromBuffer(wordedText);
    for (int mode = 0; mode < 4; ++mode) {
        TNwsForecastInput in{&ndfd, wordedText.empty() ? nullptr : &worded, (mode & 1) != 0, mode >> 1, 7};
        TForecasts out(nullptr);
        if (!ParseNwsForecasts(in, out)) continue;
        for (int i = 0; i < out.Count(); ++i) fuzz::Use(out.Items(i)->GetDisplayName());
    }
    return 0;
}
