// ZIP code and city lookups over the whole shipped US table.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/Paths.h"
#include "setup/USPSData.h"

namespace {
// Beside the program, or in the build's bin/ when the benchmarks live elsewhere.
const std::string &tableFile() {
    static const std::string f = FileExists(ProgramPath() + TUSCityZip::kTableFile)
                                     ? ProgramPath() + TUSCityZip::kTableFile
                                     : ProgramPath() + "../bin/" + TUSCityZip::kTableFile;
    return f;
}

void BM_ZipLoad(benchmark::State &state) {
    for (auto _ : state) {
        TCityZipIndex index;
        if (!index.Load(tableFile())) {
            state.SkipWithError("no table");
            return;
        }
    }
}
BENCHMARK(BM_ZipLoad)->Unit(benchmark::kMillisecond);

void BM_ZipLookup(benchmark::State &state, const char *query) {
    TUSCityZip zip;
    if (!zip.Connect(tableFile())) {
        state.SkipWithError("no table");
        return;
    }
    int count = 0;
    for (auto _ : state) benchmark::DoNotOptimize(zip.Lookup(query, count));
}
BENCHMARK_CAPTURE(BM_ZipLookup, zip_80202, "80202")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZipLookup, city_denver, "Denver")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZipLookup, city_comma_state, "Springfield, IL")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZipLookup, state_ca, "CA")->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
