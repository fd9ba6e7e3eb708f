// The alert index walk: an index of a few hundred entries, the alerts of one
// county fetched from local files, parsed and merged into one document.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "nws/NWSAlerts.h"

namespace {

constexpr int kEntries = 300;

std::string Load(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every third entry names the county; each entry has its own alert file.
struct TSetup {
    std::filesystem::path dir;
    std::string index;
    std::map<std::string, std::string> files;

    TSetup() {
        dir = std::filesystem::temp_directory_path() / ("tolvu_bench_alerts_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        const std::string alert =
            Load(TOLVU_SOURCE_DIR "/tests/fixtures/nws/cap/alert_2012-03-16_IL_SevereThunderstormWarning.xml");
        index = "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:cap='urn:oasis:names:tc:emergency:cap:1.1'>";
        for (int i = 0; i < kEntries; ++i) {
            const std::string url = "http://alerts.local/cap/" + std::to_string(i);
            const std::string area = i % 3 == 0 ? "Calhoun; Jersey" : "Lincoln; Pike";
            index += "<entry><id>" + url + "</id><title>Severe Thunderstorm Warning</title><link href='" + url +
                     "'/><cap:event>Severe Thunderstorm Warning</cap:event><cap:areaDesc>" + area +
                     "</cap:areaDesc></entry>";
            const std::string file = (dir / (std::to_string(i) + ".cap")).string();
            std::ofstream(file, std::ios::binary) << alert;
            files[url] = file;
        }
        index += "</feed>";
    }
    ~TSetup() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

const TSetup &Setup() {
    static const TSetup setup;
    return setup;
}

void BM_Alerts_WalkParseMerge(benchmark::State &state) {
    const TSetup &s = Setup();
    const auto fetch = [&s](const std::string &url) {
        const auto it = s.files.find(url);
        return it == s.files.end() ? std::string() : it->second;
    };
    for (auto _ : state) {
        const TCAPIndex index = TCAPIndex::LoadFromBuffer(s.index);
        const std::unique_ptr<TAlerts> alerts = ParseNwsAlerts(index, "Calhoun", fetch);
        benchmark::DoNotOptimize(alerts ? alerts->Count() : 0);
    }
}
BENCHMARK(BM_Alerts_WalkParseMerge);

}  // namespace

BENCHMARK_MAIN();
