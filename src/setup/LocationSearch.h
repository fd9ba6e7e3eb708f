#pragma once
// Location search steps that need no window: the US city and ZIP lookup as
// the setup dialog sees it, the sorted entries of its search box, and the
// forecast zone nearest to a place.
#include <memory>
#include <string>
#include <vector>

class TData;

// One US place the city and ZIP lookup found.
struct TCityMatch {
    std::string Code, City, State;
    double Latitude = 0, Longitude = 0;
};

// The lookup the dialog talks to while it shows an NWS service.
class TCityZipSource {
public:
    virtual ~TCityZipSource() = default;
    virtual bool Connect() = 0;
    // The lookup's count (0 or less: none); matches in the order reported.
    virtual int Lookup(const std::string &query, std::vector<TCityMatch> &matches) = 0;
};

// The shipped lookup over the US ZIP table beside the program.
std::unique_ptr<TCityZipSource> MakeCityZipSource();

// One entry of the search box: "CITY, ST - CODE" and the match it stands for.
struct TCityEntry {
    std::string Text;
    int Match = -1;  // index into the matches
};
// The entries sorted by text, as the sorted box shows them.
std::vector<TCityEntry> CityEntries(const std::vector<TCityMatch> &matches);

// The nearest forecast zone's county name and office.
struct TNearestZone {
    std::string CountyName, Cwa;
};
// Centres the data module on the place and orders the zone table by distance;
// the nearest zone is then the zone table's current record, whose fields are
// returned. Errors are swallowed: the fields then come from whatever zone
// record is current (empty when there is none). False on an error.
bool FindNearestZone(TData *data, double latitude, double longitude, TNearestZone &zone);
// The zone table's current record (empty fields when there is none).
TNearestZone CurrentZone(TData *data);

// Coordinates as the location edits show them.
std::string CoordinateText(double value);
