#include "nws/Stations.h"

#include <locale>
#include <sstream>

#include "platform/Paths.h"
#include "service/DataMod.h"

namespace {

double ReadNumber(const std::string &text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail())
        throw TDataError("'" + text + "' is not a number");
    in >> std::ws;
    if (!in.eof())
        throw TDataError("'" + text + "' is not a number");
    return v;
}

}  // namespace

void EnsureTables(TData &data)
{
    if (!data.Station().Active())
        data.Station().LoadFromFile(DataPath() + "Station.dat");
    if (!data.Zone().Active())
        data.Zone().LoadFromFile(DataPath() + "Zone.dat");
}

int SearchLocations(TData *data, const std::string &text, const std::string &latitude,
                    const std::string &longitude, TStationSearch &results)
{
    results.Lines.clear();
    results.Ids.clear();
    if (data) {
        try {
            EnsureTables(*data);
            if (text.size() > 4) {
                TDataSet &station = data->Station();
                TDataSet &zone = data->Zone();
                station.SetFiltered(false);
                zone.SetFiltered(false);
                data->SetCentre(ReadNumber(latitude), ReadNumber(longitude));
                data->RecomputeBox();
                station.SetFiltered(true);
                if (station.RecordCount() > 0) {
                    data->ComputeStationDistances();
                    for (station.First(); !station.Eof(); station.Next()) {
                        results.Lines.push_back(station.AsString("Distance") + " mi., " + station.AsString("Name"));
                        results.Ids.push_back(station.AsString("ID"));
                    }
                    zone.SetFiltered(true);
                    data->ComputeZoneDistances();
                }
            } else {
                // An ID is looked up in the whole table, not only inside the
                // box a previous place search left behind.
                data->Station().SetFiltered(false);
                data->Zone().SetFiltered(false);
                TStationRec rec;
                LookupLocation(data, text, rec);
                results.Lines.push_back(rec.Name);
                results.Ids.push_back(text);
            }
        } catch (const std::exception &) {
            // what was found so far stands
        }
    }
    return static_cast<int>(results.Lines.size());
}

bool LookupLocation(TData *data, const std::string &id, TStationRec &rec)
{
    rec.Name = "Invalid Station";
    if (id.empty() || id.size() > 6 || !data)
        return false;
    try {
        EnsureTables(*data);
        TDataSet &station = data->Station();
        if (!station.Locate("ID", id, true))
            return false;
        rec.Name = station.AsString("Name");
        rec.ID = station.AsString("ID");
        rec.Latitude = station.AsString("Latitude");
        rec.Longitude = station.AsString("Longitude");
        rec.CityState = station.AsString("City") + ", " + station.AsString("State");
        rec.State = station.AsString("State");
        rec.ZipCode = station.AsString("ZipCode");
        TDataSet &zone = data->Zone();
        if (zone.Filtered())
            rec.County = zone.HasRecord() ? zone.AsString("COUNTYNAME") : std::string();
        else
            rec.County = station.AsString("County");
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool GetSearchResult(TData *data, const TStationSearch &results, int index, TStationRec &rec)
{
    if (index < 0 || index >= static_cast<int>(results.Ids.size()))
        return false;
    return LookupLocation(data, results.Ids[index], rec);
}
