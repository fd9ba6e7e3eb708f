// Parsing the NDFD and MapClick forecast documents and mapping them onto
// forecast periods, against a bare pugixml parse of the same bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include <pugixml.hpp>

#include "nws/NWSForecast.h"

namespace {

std::string Load(const char *relative) {
    std::ifstream in(std::string(TOLVU_SOURCE_DIR "/tests/fixtures/nws/") + relative, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::string &Ndfd() {
    static const std::string bytes = Load("dwml_ndfd/ndfd_byday_24hourly_4day_nyc_2008-12-23.xml");
    return bytes;
}

const std::string &MapClick() {
    static const std::string bytes = Load("dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml");
    return bytes;
}

void BM_Forecast_BarePugixml(benchmark::State &state) {
    for (auto _ : state) {
        pugi::xml_document a, b;
        benchmark::DoNotOptimize(a.load_buffer(Ndfd().data(), Ndfd().size()));
        benchmark::DoNotOptimize(b.load_buffer(MapClick().data(), MapClick().size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (Ndfd().size() + MapClick().size())));
}
BENCHMARK(BM_Forecast_BarePugixml);

void BM_Forecast_ParseAndMap(benchmark::State &state) {
    TForecasts out(nullptr);
    for (auto _ : state) {
        const TXMLDwml ndfd = TXMLDwml::LoadFromBuffer(Ndfd());
        const TXMLDwml text = TXMLDwml::LoadFromBuffer(MapClick());
        benchmark::DoNotOptimize(ParseNwsForecasts({&ndfd, &text, false, 1, 4}, out));
        benchmark::DoNotOptimize(out.Count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (Ndfd().size() + MapClick().size())));
}
BENCHMARK(BM_Forecast_ParseAndMap);

void BM_Forecast_MapOnly(benchmark::State &state) {
    const TXMLDwml ndfd = TXMLDwml::LoadFromBuffer(Ndfd());
    const TXMLDwml text = TXMLDwml::LoadFromBuffer(MapClick());
    TForecasts out(nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(ParseNwsForecasts({&ndfd, &text, false, 1, 4}, out));
}
BENCHMARK(BM_Forecast_MapOnly);

}  // namespace

BENCHMARK_MAIN();
