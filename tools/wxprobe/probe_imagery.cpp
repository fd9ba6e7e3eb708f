#include "probe_imagery.h"

#include <nlohmann/json.hpp>

#include "imagery/NWSRxImages.h"
#include "platform/Paths.h"
#include "service/DataMod.h"

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
