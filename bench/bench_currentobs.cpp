// Reading a current observation through the wrappers, against a bare pugixml
// parse of the same bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include <pugixml.hpp>

#include "nws/current_observation.h"

namespace {

const std::string &Bytes() {
    static const std::string bytes = [] {
        std::ifstream in(TOLVU_SOURCE_DIR "/tests/fixtures/nws/current_obs/KVAY_2008-12-23_NA-values.xml",
                         std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    return bytes;
}

// Every getter once; the sum keeps the compiler from dropping any of them.
std::size_t ReadAll(const TNWSCurrent &c) {
    std::size_t n = 0;
    auto t = [&n](const std::string &s) { n += s.size(); };
    auto i = [&n](int v) { n += static_cast<std::size_t>(v); };
    t(c.version()); t(c.credit()); t(c.credit_URL());
    t(c.image().url()); t(c.image().title()); t(c.image().link());
    t(c.suggested_pickup()); i(c.suggested_pickup_period());
    t(c.location()); t(c.station_id()); t(c.latitude()); t(c.longitude()); i(c.elevation());
    t(c.observation_time()); t(c.observation_time_rfc822()); t(c.weather()); t(c.temperature_string());
    i(c.temp_f()); i(c.temp_c()); i(c.relative_humidity());
    t(c.wind_string()); t(c.wind_dir()); i(c.wind_degrees()); t(c.wind_mph()); t(c.wind_gust_mph());
    t(c.pressure_string()); t(c.pressure_mb()); t(c.pressure_in());
    t(c.dewpoint_string()); i(c.dewpoint_f()); i(c.dewpoint_c());
    t(c.heat_index_string()); i(c.heat_index_f()); i(c.heat_index_c());
    t(c.windchill_string()); i(c.windchill_f()); i(c.windchill_c());
    t(c.visibility_mi()); t(c.icon_url_base()); t(c.icon_name()); t(c.icon_url_name());
    t(c.two_day_history_url()); t(c.ob_url()); t(c.disclaimer_url()); t(c.copyright_url());
    t(c.privacy_policy_url());
    return n;
}

void BM_CurrentObs_LoadAndReadAll(benchmark::State &state) {
    const std::string &bytes = Bytes();
    for (auto _ : state) {
        TNWSCurrent c = TNWSCurrent::LoadFromBuffer(bytes);
        benchmark::DoNotOptimize(ReadAll(c));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CurrentObs_LoadAndReadAll);

void BM_CurrentObs_GettersOnly(benchmark::State &state) {
    TNWSCurrent c = TNWSCurrent::LoadFromBuffer(Bytes());
    for (auto _ : state) benchmark::DoNotOptimize(ReadAll(c));
}
BENCHMARK(BM_CurrentObs_GettersOnly);

void BM_Pugixml_BareParse(benchmark::State &state) {
    const std::string &bytes = Bytes();
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_latin1));
        benchmark::DoNotOptimize(doc.document_element());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Pugixml_BareParse);

}  // namespace

BENCHMARK_MAIN();
