// The AccuWeather city-search reply and the location codes in it.
#include "FuzzSupport.h"
#include "accuweather/AccuFind.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    AccuFind::TAcuSearchDocument doc;
    doc.LoadFromString(fuzz::View(data, size));
    int listed = 0;
    try {
        AccuFind::FillSearchResults(doc.Root(), [&](const std::string &line, const std::string &id) {
            fuzz::Use(line);
            fuzz::Use(id);
            ++listed;
        });
    } catch (const AccuFind::EConvertError &) {
        // a bad count or code ends the list; what came before stays
    }
    try {
        fuzz::Use(AccuFind::URLDecode(std::string(fuzz::View(data, size < 256 ? size : 256))));
    } catch (const AccuFind::EURLDecodeError &) {
    }
    return 0;
}
