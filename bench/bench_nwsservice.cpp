// A current observation read the way the service reads it (reply checks and
// repair, parse, every getter the window calls), against a bare pugixml parse
// of the same bytes. Target: at most 3x the bare parse.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include <pugixml.hpp>

#include "app/IniSettings.h"
#include "nws/NWSService.h"

namespace {

const std::string &Bytes() {
    static const std::string bytes = [] {
        std::ifstream in(TOLVU_SOURCE_DIR "/tests/fixtures/nws/current_obs/KVAY_2008-12-23_NA-values.xml",
                         std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    return bytes;
}

// The service with the document bound as during RefreshCurrent, minus the download.
class TBenchService : public TNWxService {
public:
    using TNWxService::TNWxService;
    bool Read(const std::string &raw) {
        std::string text;
        if (!ReadReply(raw, text)) return false;
        currentObs_ = TNWSCurrent::LoadFromBuffer(text);
        return currentObs_.Active();
    }
    void Release() { currentObs_ = TNWSCurrent(); }
};

void BM_Service_ReadCurrentWithAllGetters(benchmark::State &state) {
    TIniSettings ini;
    ini.SetStrings({"[Wx]", "Scale=0", "Speed=1", "[Service0]", "Name=NWS", "Location=KVAY"});
    auto svc = CreateWxService<TBenchService>(nullptr, 0, &ini);
    const std::string &bytes = Bytes();
    for (auto _ : state) {
        if (!svc->Read(bytes)) state.SkipWithError("document did not load");
        std::size_t n = 0;
        n += static_cast<std::size_t>(svc->GetTemperature() + svc->GetFeelsLike() + svc->GetHumidity() +
                                      svc->GetWindDirection());
        n += svc->GetDewPoint().size() + svc->GetPressure().size() + svc->GetWindSpeed().size() +
             svc->GetWindGust().size() + svc->GetConditions().size() + svc->GetVisibility().size() +
             svc->GetRealFeel().size() + svc->GetWindText().size() + svc->GetObservationTime().size() +
             svc->GetLocationCaption().size() + svc->GetHistoryURL().size();
        if (svc->GetConditionsPicture()) n += svc->IconName.size() + svc->IconBase.size();
        benchmark::DoNotOptimize(n);
        svc->Release();
    }
}
BENCHMARK(BM_Service_ReadCurrentWithAllGetters);

void BM_Service_BarePugixmlParse(benchmark::State &state) {
    const std::string &bytes = Bytes();
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size()));
    }
}
BENCHMARK(BM_Service_BarePugixmlParse);

}  // namespace

BENCHMARK_MAIN();
