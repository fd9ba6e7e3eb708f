// The CAP alert index and the alerts it links to, walked and merged as the
// service does. Input: the index, then "\n=====\n" and the alert every link
// returns.
#include "FuzzSupport.h"
#include "nws/NWSAlerts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    auto [indexText, alertText] = fuzz::Split(fuzz::View(data, size));
    TCAPIndex index = TCAPIndex::LoadFromBuffer(indexText);
    fuzz::Use(index.updated());
    for (std::size_t i = 0; i < index.entry().Count(); ++i) {
        TCAPEntry e = index.entry().Item(i);
        fuzz::Use(e.effective());
        fuzz::Use(e.expires());
        fuzz::Use(e.link().href());
    }
    const std::string alert(alertText);
    for (const char *filter : {"", "NJC013"}) {
        std::unique_ptr<TAlerts> alerts =
            ParseNwsAlerts(index, filter, [&](const std::string &) { return alert; });
        if (!alerts) continue;
        for (int i = 0; i < alerts->Count(); ++i) {
            TCustomAlertItem *a = alerts->Items(i);
            fuzz::Use(a->GetDisplayName());
            fuzz::Use(a->GetHeadline());
            fuzz::Use(a->GetDescription());
            fuzz::Use(a->GetEffective());
            fuzz::Use(a->GetExpires());
            for (int k = -1; k < 3; ++k) {
                fuzz::Use(a->GetAreaDesc(k));
                fuzz::Use(a->GetGeocode(k));
                fuzz::Use(a->GetCategory(k));
            }
        }
    }
    fuzz::Use(CutExpiringClause(alert));
    return 0;
}
