#pragma once
// NWS location search over the station and forecast-zone tables shipped
// beside the program ("Station.dat", "Zone.dat"), held by the data module.
#include <string>
#include <vector>

class TData;

// One location found by a search. Same fields as the service's location
// record; kept separate here until the two are joined.
struct TStationRec {
    std::string Name, ID, Latitude, Longitude, CityState, County, State, ZipCode, Extra;
};

struct TStationSearch {
    std::vector<std::string> Lines;  // display text
    std::vector<std::string> Ids;    // station IDs, in step with Lines
};

// Loads Station and Zone from the program folder when they are not active yet.
// Throws when a file is missing or damaged.
void EnsureTables(TData &data);

// Text longer than 4 characters is a place search around (latitude,
// longitude) — the text itself is not matched; otherwise it is a station ID.
// Errors are swallowed, leaving what was found so far. data may be null (no
// module). Returns the number of display lines.
int SearchLocations(TData *data, const std::string &text, const std::string &latitude,
                    const std::string &longitude, TStationSearch &results);

// Fills rec from the station with this ID (any case). rec.Name is "Invalid
// Station" and the other fields are left alone when the ID is not 1 to 6
// characters long or not found. True when found.
bool LookupLocation(TData *data, const std::string &id, TStationRec &rec);

// LookupLocation of results.Ids[index]; false when the index does not exist.
bool GetSearchResult(TData *data, const TStationSearch &results, int index, TStationRec &rec);
