#include "setup/LocationSearch.h"

#include <algorithm>

#include "nws/Stations.h"
#include "service/DataMod.h"

#include "setup/USPSData.h"

namespace {

class TShippedCityZip : public TCityZipSource {
public:
    bool Connect() override { return zip_.Connect(); }
    int Lookup(const std::string &query, std::vector<TCityMatch> &matches) override {
        matches.clear();
        int count = 0;
        const int result = zip_.Lookup(query, count);
        if (result <= 0) return result;
        for (int rec = 1; rec <= zip_.RecordCount(); ++rec) {
            const TCityZipRecord &r = zip_.Record(rec);
            matches.push_back({r.Code, r.City, r.State, r.Latitude, r.Longitude});
        }
        return result;
    }

private:
    TUSCityZip zip_;
};

}  // namespace

std::unique_ptr<TCityZipSource> MakeCityZipSource() {
    return std::make_unique<TShippedCityZip>();
}

std::vector<TCityEntry> CityEntries(const std::vector<TCityMatch> &matches) {
    std::vector<TCityEntry> out;
    out.reserve(matches.size());
    for (size_t i = 0; i < matches.size(); ++i)
        out.push_back({matches[i].City + ", " + matches[i].State + " - " + matches[i].Code, int(i)});
    std::stable_sort(out.begin(), out.end(), [](const TCityEntry &a, const TCityEntry &b) { return a.Text < b.Text; });
    return out;
}

TNearestZone CurrentZone(TData *data) {
    TNearestZone z;
    if (!data) return z;
    try {
        TDataSet &zone = data->Zone();
        if (zone.Active() && zone.HasRecord()) {
            z.CountyName = zone.AsString("COUNTYNAME");
            z.Cwa = zone.AsString("CWA");
        }
    } catch (const std::exception &) {
    }
    return z;
}

bool FindNearestZone(TData *data, double latitude, double longitude, TNearestZone &out) {
    if (!data) return false;
    bool ok = true;
    try {
        EnsureTables(*data);
        TDataSet &zone = data->Zone();
        zone.SetFiltered(false);
        data->SetCentre(latitude, longitude);
        data->RecomputeBox();
        zone.SetFiltered(true);
        data->ComputeZoneDistances();
        zone.First();
    } catch (const std::exception &) {
        ok = false;
    }
    out = CurrentZone(data);
    return ok;
}

std::string CoordinateText(double value) { return FloatToText(value); }
