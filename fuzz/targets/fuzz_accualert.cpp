// The AccuWeather watch and warning web page.
#include "FuzzSupport.h"
#include "accuweather/AccuAlert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    const TParseLines lines = fuzz::Lines(fuzz::View(data, size));
    TAcuAlertList list(lines);
    for (int i = 0; i < list.Count(); ++i) {
        const TAcuAlertItemRec *r = list.Record(i);
        fuzz::Use(r->Title);
        fuzz::Use(r->Text());
        fuzz::Use(r->Issued);
    }
    for (const std::string &line : lines) {
        fuzz::Use(AccuAlert::StripTags(line));
        fuzz::Use(AccuAlert::TitleCase(line));
        TAcuAlertItemRec rec;
        std::string copy = line;
        AccuAlert::ParseIssued(rec, copy);
    }
    return 0;
}
