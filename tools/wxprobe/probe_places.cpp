// The place probes: the NWS station search around a point, and the city/ZIP lookup.
#include <cstdlib>

#include "Probe.h"
#include "nws/Stations.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "setup/USPSData.h"

using nlohmann::json;

namespace {

json failure(const std::string &why) { return json{{"error", why}}; }

bool isNumber(const std::string &text) {
    if (text.empty()) return false;
    char *end = nullptr;
    std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

}  // namespace

json ProbeSearch(const std::string &latitude, const std::string &longitude) {
    if (!isNumber(latitude) || !isNumber(longitude))
        return failure("--lat and --lon must be numbers: \"" + latitude + "\", \"" + longitude + "\"");
    TData data("");
    try {
        EnsureTables(data);
    } catch (const std::exception &e) {
        return failure(std::string("the station tables cannot be read: ") + e.what());
    }
    TStationSearch found;
    // Any text longer than four characters is a search around the point.
    SearchLocations(&data, "nearby", latitude, longitude, found);
    json stations = json::array();
    TDataSet &station = data.Station();
    for (size_t i = 0; i < found.Ids.size(); ++i) {
        json row = {{"line", found.Lines[i]}, {"id", found.Ids[i]}};
        if (station.Locate("ID", TValue(found.Ids[i]), true) && !station.IsNull("Distance"))
            row["distance"] = station.AsFloat("Distance");
        stations.push_back(row);
    }
    json out = {{"latitude", latitude}, {"longitude", longitude}, {"stations", stations}};
    // The search leaves the zone table filtered to the box and ordered by distance.
    TDataSet &zone = data.Zone();
    zone.First();
    if (zone.Filtered() && zone.HasRecord()) {
        out["zone"] = {{"id", zone.AsString("STATE") + "Z" + zone.AsString("ZONE")},
                       {"state", zone.AsString("STATE")},
                       {"county", zone.AsString("COUNTYNAME")},
                       {"fips", zone.AsString("FIPS")},
                       {"cwa", zone.AsString("CWA")},
                       {"distance", zone.AsFloat("DISTANCE")}};
    } else {
        out["zone"] = nullptr;
    }
    return out;
}

json ProbeZip(const std::string &text) {
    if (!FileExists(ProgramPath() + TUSCityZip::kTableFile))
        return failure(std::string("no ") + TUSCityZip::kTableFile + " beside the program");
    return json{{"query", text}, {"records", json::parse(ZipLookupJson(text))}};
}

int RunSearchCommand(const std::vector<std::string> &args, json &out) {
    out = ProbeSearch(ArgValue(args, "--lat"), ArgValue(args, "--lon"));
    return out.contains("error") ? 1 : 0;
}

int RunZipCommand(const std::vector<std::string> &args, json &out) {
    if (args.empty()) {
        out = failure("usage: zip TEXT");
        return 2;
    }
    out = ProbeZip(args[0]);
    return out.contains("error") ? 1 : 0;
}
