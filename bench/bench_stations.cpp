// Place search and station lookup over the whole shipped station table.
#include <benchmark/benchmark.h>

#include "nws/Stations.h"
#include "platform/Paths.h"
#include "service/DataMod.h"

namespace {

void PlaceSearch(benchmark::State &state)
{
    SetProgramPath(TOLVU_BIN_DIR "/");
    TData data("");
    EnsureTables(data);
    TStationSearch r;
    // Alternate two centres so every search recomputes the box and distances.
    const char *lats[] = {"38.85", "40.71"}, *lons[] = {"-77.03", "-74.01"};
    int i = 0;
    for (auto _ : state) {
        SearchLocations(&data, "a place", lats[i], lons[i], r);
        i ^= 1;
        benchmark::DoNotOptimize(r.Lines.data());
    }
    state.counters["results"] = static_cast<double>(r.Lines.size());
}
BENCHMARK(PlaceSearch)->Unit(benchmark::kMicrosecond);

void StationIdLookup(benchmark::State &state)
{
    SetProgramPath(TOLVU_BIN_DIR "/");
    TData data("");
    EnsureTables(data);
    TStationSearch r;
    for (auto _ : state) {
        SearchLocations(&data, "KSEA", "", "", r);
        benchmark::DoNotOptimize(r.Lines.data());
    }
}
BENCHMARK(StationIdLookup)->Unit(benchmark::kMicrosecond);

void LoadTables(benchmark::State &state)
{
    SetProgramPath(TOLVU_BIN_DIR "/");
    for (auto _ : state) {
        TData data("");
        EnsureTables(data);
        benchmark::DoNotOptimize(data.Db());
    }
}
BENCHMARK(LoadTables)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
