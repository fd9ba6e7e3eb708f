// Builds the station and zone tables that ship beside the program from the
// public NWS and GeoNames tables:
//
//   mktables <station index .xml> <zone-county .csv> <GeoNames US .txt> <out folder>
//
// Station.dat: every station of the NWS observation index, with City, County
// and ZipCode from the nearest postal code of its state, and Zone, FIPS and
// CWA from the nearest zone row of its state. Zone.dat: the zone-county rows.
// Both are written in the program's table-file format (service/DataMod.h).
#include <pugixml.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <locale>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Place {
    std::string a, b, c, d;  // zip: code, city, county; zone: zone, cwa, county, fips
    double lat, lon;
};

struct ZoneRow {
    std::string state, zone, cwa, county, fips, lat, lon;
};

bool ToDouble(const std::string &s, double &out)
{
    std::istringstream in(s);
    in.imbue(std::locale::classic());
    in >> out;
    return !in.fail() && std::isfinite(out);
}

std::vector<std::string> Split(const std::string &line, char sep)
{
    std::vector<std::string> out;
    std::string cell;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (sep == ',' && c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"')
                cell += '"', ++i;
            else
                quoted = !quoted;
        } else if (c == sep && !quoted) {
            out.push_back(cell);
            cell.clear();
        } else if (c != '\r') {
            cell += c;
        }
    }
    out.push_back(cell);
    return out;
}

std::string Cell(const std::string &s)
{
    std::string out;
    for (char c : s) {
        if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

std::string Trim(const std::string &s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// Squared equirectangular distance: enough to rank neighbours.
double Dist2(double lat1, double lon1, double lat2, double lon2)
{
    const double r = 3.14159265358979323846 / 180.0;
    double x = (lon2 - lon1) * r * std::cos((lat1 + lat2) / 2 * r);
    double y = (lat2 - lat1) * r;
    return x * x + y * y;
}

const Place *Nearest(const std::vector<Place> &list, double lat, double lon)
{
    const Place *best = nullptr;
    double bestD = std::numeric_limits<double>::infinity();
    for (const Place &p : list) {
        double d = Dist2(lat, lon, p.lat, p.lon);
        if (d < bestD)
            bestD = d, best = &p;
    }
    return best;
}

bool WriteFile(const std::string &path, const std::string &text)
{
    std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f << text;
        if (!f.flush())
            return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::cerr << "usage: mktables <stations.xml> <zone_county.csv> <geonames_US.txt> <out folder>\n";
        return 2;
    }
    std::string outDir = argv[4];
    if (!outDir.empty() && outDir.back() != '/')
        outDir += '/';

    // Zones, also grouped by state for the nearest-zone lookup.
    std::vector<ZoneRow> zones;
    std::map<std::string, std::vector<Place>> zonesByState;
    {
        std::ifstream in(argv[2]);
        if (!in) {
            std::cerr << "mktables: cannot read " << argv[2] << "\n";
            return 1;
        }
        std::string line;
        std::getline(in, line);  // header
        while (std::getline(in, line)) {
            auto c = Split(line, ',');
            if (c.size() < 7)
                continue;
            ZoneRow z{Trim(c[0]), Trim(c[1]), Trim(c[2]), Trim(c[3]), Trim(c[4]), Trim(c[5]), Trim(c[6])};
            zones.push_back(z);
            double lat, lon;
            if (ToDouble(z.lat, lat) && ToDouble(z.lon, lon))
                zonesByState[z.state].push_back({z.zone, z.cwa, z.county, z.fips, lat, lon});
        }
    }

    std::map<std::string, std::vector<Place>> zipsByState;
    {
        std::ifstream in(argv[3]);
        if (!in) {
            std::cerr << "mktables: cannot read " << argv[3] << "\n";
            return 1;
        }
        std::string line;
        while (std::getline(in, line)) {
            auto c = Split(line, '\t');
            if (c.size() < 11)
                continue;
            double lat, lon;
            if (ToDouble(c[9], lat) && ToDouble(c[10], lon))
                zipsByState[Trim(c[4])].push_back({Trim(c[1]), Trim(c[2]), Trim(c[5]), "", lat, lon});
        }
    }

    pugi::xml_document doc;
    if (!doc.load_file(argv[1])) {
        std::cerr << "mktables: cannot parse " << argv[1] << "\n";
        return 1;
    }

    std::string st = "TOLVU-TABLE 1\nID\tState\tZone\tName\tCity\tCounty\tZipCode\tLatitude\tLongitude\tFIPS\tCWA\n";
    int count = 0;
    for (pugi::xml_node s : doc.child("wx_station_index").children("station")) {
        std::string id = Trim(s.child_value("station_id"));
        if (id.empty())
            continue;
        std::string state = Trim(s.child_value("state"));
        std::string latText = Trim(s.child_value("latitude")), lonText = Trim(s.child_value("longitude"));
        double lat, lon;
        bool hasPos = ToDouble(latText, lat) && ToDouble(lonText, lon);
        std::string city, county, zip, zone, fips, cwa;
        if (hasPos) {
            auto zi = zipsByState.find(state);
            if (zi != zipsByState.end())
                if (const Place *p = Nearest(zi->second, lat, lon))
                    zip = p->a, city = p->b, county = p->c;
            auto zo = zonesByState.find(state);
            if (zo != zonesByState.end())
                if (const Place *p = Nearest(zo->second, lat, lon))
                    zone = p->a, cwa = p->b, fips = p->d;
        }
        st += Cell(id) + '\t' + Cell(state) + '\t' + Cell(zone) + '\t' + Cell(Trim(s.child_value("station_name"))) +
              '\t' + Cell(city) + '\t' + Cell(county) + '\t' + Cell(zip) + '\t' +
              (hasPos ? Cell(latText) : "\\N") + '\t' + (hasPos ? Cell(lonText) : "\\N") + '\t' + Cell(fips) +
              '\t' + Cell(cwa) + '\n';
        ++count;
    }

    std::string zt = "TOLVU-TABLE 1\nSTATE\tZONE\tCWA\tCOUNTYNAME\tFIPS\tLATITUDE\tLONGITUDE\n";
    for (const ZoneRow &z : zones) {
        double v;
        zt += Cell(z.state) + '\t' + Cell(z.zone) + '\t' + Cell(z.cwa) + '\t' + Cell(z.county) + '\t' + Cell(z.fips) +
              '\t' + (ToDouble(z.lat, v) ? Cell(z.lat) : "\\N") + '\t' + (ToDouble(z.lon, v) ? Cell(z.lon) : "\\N") +
              '\n';
    }

    if (!WriteFile(outDir + "Station.dat", st) || !WriteFile(outDir + "Zone.dat", zt)) {
        std::cerr << "mktables: cannot write into " << outDir << "\n";
        return 1;
    }
    std::cout << "mktables: " << count << " stations, " << zones.size() << " zone rows\n";
    return 0;
}
