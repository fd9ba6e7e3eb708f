// wxprobe nwsapi current|forecast|alerts|points FILE...: what the live NWS
// service reads from saved API replies.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Probe.h"
#include "nwsapi/NWSApiProbe.h"

namespace {
int runNwsApi(const char *kind, const std::vector<std::string> &args, nlohmann::json &out) {
    std::vector<std::string> texts;
    for (const std::string &file : ArgValues(args, kind)) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            out["error"] = "cannot read " + file;
            return 1;
        }
        texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const int scale = std::atoi(ArgValue(args, "--scale", "0").c_str());
    const int speed = std::atoi(ArgValue(args, "--speed", "0").c_str());
    const int periods = std::atoi(ArgValue(args, "--periods", "12").c_str());
    out = ProbeNwsApi(kind, texts, scale, speed, periods);
    return out.contains("error") ? 1 : 0;
}
}  // namespace

int RunNwsApiCurrentCommand(const std::vector<std::string> &a, nlohmann::json &o) { return runNwsApi("current", a, o); }
int RunNwsApiForecastCommand(const std::vector<std::string> &a, nlohmann::json &o) { return runNwsApi("forecast", a, o); }
int RunNwsApiAlertsCommand(const std::vector<std::string> &a, nlohmann::json &o) { return runNwsApi("alerts", a, o); }
int RunNwsApiPointsCommand(const std::vector<std::string> &a, nlohmann::json &o) { return runNwsApi("points", a, o); }
