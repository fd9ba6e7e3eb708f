#include "probe_imagery.h"

#include <cstdlib>

#include <nlohmann/json.hpp>

#include "Probe.h"

#include "imagery/NWSRxImages.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "service/Servers.h"

std::string ProbeFramesJson(TData &data, int key, bool animate) {
    nlohmann::json out;
    out["key"] = key;
    TDataSet &images = data.ImageSet();
    images.SetFiltered(false);
    if (!images.Locate("Key", TValue(int64_t(key)))) {
        out["error"] = "no image set with this key";
        return out.dump(2);
    }
    const std::string region = images.AsString("Region");
    if (data.FilterSet().Locate("Region", TValue(region), true)) {
        images.SetFilter(data.FilterSet().AsString("Filter"));
        images.SetFiltered(true);
        images.Locate("Key", TValue(int64_t(key)));
    }
    TNWSRxImages rx(&data);
    rx.FindOption("Animate")->Checked = animate;  // the file list of a loop, without playing it
    const std::string name = images.AsString("Name");
    out["name"] = name;
    out["region"] = region;
    rx.SetImageName(name);
    nlohmann::json frames = nlohmann::json::array();
    std::string folder, url, file;
    int count = 0;
    rx.GetFrameURL(name, folder, url, count, file);
    for (int i = 0; i < count && !file.empty(); ++i) {
        frames.push_back({{"url", url + file}, {"cache", NativePath(rx.GetCacheRoot() + folder) + file}});
        int next = i + 1;
        file.clear();
        rx.GetFrameURL(name, folder, url, next, file);
    }
    out["frames"] = frames;
    return out.dump(2);
}

int RunFramesCommand(const std::vector<std::string> &args, nlohmann::json &out) {
    const std::string keyText = ArgValue(args, "--image");
    char *end = nullptr;
    const long key = std::strtol(keyText.c_str(), &end, 10);
    if (keyText.empty() || !end || *end) {
        out = {{"error", "--image needs a number: \"" + keyText + "\""}};
        return 2;
    }
    // Loop listings come from the radar server; a local one can stand in for it.
    const std::string radar = ArgValue(args, "--radar");
    if (!radar.empty()) SetServerOverride(TServer::NWSRadar, radar);
    TData data("");
    out = nlohmann::json::parse(ProbeFramesJson(data, int(key), HasArg(args, "--animate")));
    if (!radar.empty()) ClearServerOverrides();
    return out.contains("error") ? 1 : 0;
}
