#include "nwsapi/NWSApiJson.h"

#include <nlohmann/json.hpp>

#include "nws/XmlDateTime.h"

using nlohmann::json;

namespace NWSApi {

namespace {

bool parse(const std::string &text, json &out) {
    out = json::parse(text, nullptr, false);
    return !out.is_discarded() && out.is_object();
}

std::string str(const json &j, const char *key) {
    auto it = j.find(key);
    return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}

TValue num(const json &j, const char *key) {
    auto it = j.find(key);
    if (it == j.end() || !it->is_number()) return std::nullopt;
    return it->get<double>();
}

const json &obj(const json &j, const char *key) {
    static const json empty = json::object();
    auto it = j.find(key);
    return it != j.end() && it->is_object() ? *it : empty;
}

// The unit code without its "wmoUnit:" (or "unit:") prefix.
std::string unitName(const std::string &code) {
    size_t colon = code.find(':');
    return colon == std::string::npos ? code : code.substr(colon + 1);
}

// A quantity object's value converted by conv, or empty for null, absent or odd units.
template <class F> TValue quantity(const json &j, const char *key, F conv) {
    const json &q = obj(j, key);
    TValue v = num(q, "value");
    if (!v) return std::nullopt;
    return conv(str(q, "unitCode"), *v);
}

TValue asIs(const std::string &, double v) { return v; }

std::string zoneId(const std::string &url) {
    size_t slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

// GeoJSON coordinates are [longitude, latitude].
void coordinates(const json &feature, TValue &lat, TValue &lon) {
    const json &g = obj(feature, "geometry");
    auto c = g.find("coordinates");
    if (str(g, "type") != "Point" || c == g.end() || !c->is_array() || c->size() < 2) return;
    if ((*c)[0].is_number() && (*c)[1].is_number()) {
        lon = (*c)[0].get<double>();
        lat = (*c)[1].get<double>();
    }
}

std::vector<std::string> strings(const json &j, const char *key) {
    std::vector<std::string> out;
    auto it = j.find(key);
    if (it == j.end() || !it->is_array()) return out;
    for (const json &v : *it)
        if (v.is_string()) out.push_back(v.get<std::string>());
    return out;
}

bool readStation(const json &feature, TStation &s) {
    const json &p = obj(feature, "properties");
    s.Id = str(p, "stationIdentifier");
    if (s.Id.empty()) return false;
    s.Name = str(p, "name");
    s.TimeZone = str(p, "timeZone");
    s.ForecastZone = zoneId(str(p, "forecast"));
    s.CountyZone = zoneId(str(p, "county"));
    s.DistanceM = quantity(p, "distance", QuantityMetres);
    coordinates(feature, s.Latitude, s.Longitude);
    return true;
}

}  // namespace

double CelsiusToFahrenheit(double c) { return c * 9.0 / 5.0 + 32.0; }
double FahrenheitToCelsius(double f) { return (f - 32.0) * 5.0 / 9.0; }
double KmhToMph(double kmh) { return kmh / 1.609344; }
double PaToInHg(double pa) { return pa / 3386.389; }
double MetresToMiles(double m) { return m / 1609.344; }

TValue QuantityCelsius(const std::string &unitCode, double v) {
    std::string u = unitName(unitCode);
    if (u == "degC") return v;
    if (u == "degF") return FahrenheitToCelsius(v);
    if (u == "K") return v - 273.15;
    return std::nullopt;
}

TValue QuantityKmh(const std::string &unitCode, double v) {
    std::string u = unitName(unitCode);
    if (u == "km_h-1") return v;
    if (u == "m_s-1") return v * 3.6;
    if (u == "kt" || u == "kn") return v * 1.852;
    if (u == "mi_h-1") return v * 1.609344;
    return std::nullopt;
}

TValue QuantityPa(const std::string &unitCode, double v) {
    std::string u = unitName(unitCode);
    if (u == "Pa") return v;
    if (u == "hPa") return v * 100.0;
    return std::nullopt;
}

TValue QuantityMetres(const std::string &unitCode, double v) {
    std::string u = unitName(unitCode);
    if (u == "m") return v;
    if (u == "km") return v * 1000.0;
    return std::nullopt;
}

TValue QuantityMillimetres(const std::string &unitCode, double v) {
    std::string u = unitName(unitCode);
    if (u == "mm") return v;
    if (u == "m") return v * 1000.0;
    return std::nullopt;
}

bool ApiTimeToUTC(const std::string &text, TDateTime &utc) {
    TXmlDateTimeParts p;
    if (!ParseXmlDateTime(text, p)) return false;
    TDateTime d, t;
    if (!TryEncodeDate(p.year, p.month, p.day, d)) return false;
    // ParseXmlDateTime has already turned "24:00" into the next day.
    if (!TryEncodeTime(p.hour, p.minute, p.second, p.msec, t)) return false;
    utc = d + t - p.offsetMinutes / 1440.0;
    return true;
}

std::string TProblem::Kind() const {
    size_t slash = Type.rfind('/');
    return slash == std::string::npos ? Type : Type.substr(slash + 1);
}

bool ReadProblem(const std::string &text, TProblem &out) {
    json j;
    if (!parse(text, j)) return false;
    TProblem p;
    p.Title = str(j, "title");
    p.Detail = str(j, "detail");
    p.Type = str(j, "type");
    if (TValue s = num(j, "status")) p.Status = static_cast<int>(*s);
    if (p.Title.empty() && p.Detail.empty() && p.Type.empty()) return false;
    out = p;
    return true;
}

bool ReadPoint(const std::string &text, TPoint &out) {
    json j;
    if (!parse(text, j)) return false;
    const json &p = obj(j, "properties");
    TPoint r;
    r.ForecastUrl = str(p, "forecast");
    r.StationsUrl = str(p, "observationStations");
    if (r.ForecastUrl.empty() && r.StationsUrl.empty()) return false;
    r.Office = str(p, "gridId");
    if (r.Office.empty()) r.Office = str(p, "cwa");
    if (TValue x = num(p, "gridX")) r.GridX = static_cast<int>(*x);
    if (TValue y = num(p, "gridY")) r.GridY = static_cast<int>(*y);
    r.ForecastHourlyUrl = str(p, "forecastHourly");
    r.ForecastZone = zoneId(str(p, "forecastZone"));
    r.CountyZone = zoneId(str(p, "county"));
    r.TimeZone = str(p, "timeZone");
    r.RadarStation = str(p, "radarStation");
    const json &rel = obj(obj(p, "relativeLocation"), "properties");
    r.City = str(rel, "city");
    r.State = str(rel, "state");
    coordinates(j, r.Latitude, r.Longitude);
    out = r;
    return true;
}

bool ReadObservation(const std::string &text, TObservation &out) {
    json j;
    if (!parse(text, j)) return false;
    const json &p = obj(j, "properties");
    TObservation o;
    o.Timestamp = str(p, "timestamp");
    if (o.Timestamp.empty()) return false;
    if (!ApiTimeToUTC(o.Timestamp, o.TimeUTC)) o.TimeUTC = 0;
    o.StationId = str(p, "stationId");
    if (o.StationId.empty()) o.StationId = zoneId(str(p, "station"));
    o.StationName = str(p, "stationName");
    o.Text = str(p, "textDescription");
    o.Icon = str(p, "icon");
    o.TemperatureC = quantity(p, "temperature", QuantityCelsius);
    o.DewPointC = quantity(p, "dewpoint", QuantityCelsius);
    o.WindDirection = quantity(p, "windDirection", asIs);
    o.WindKmh = quantity(p, "windSpeed", QuantityKmh);
    o.GustKmh = quantity(p, "windGust", QuantityKmh);
    o.PressurePa = quantity(p, "barometricPressure", QuantityPa);
    o.SeaLevelPa = quantity(p, "seaLevelPressure", QuantityPa);
    o.VisibilityM = quantity(p, "visibility", QuantityMetres);
    o.Humidity = quantity(p, "relativeHumidity", asIs);
    o.WindChillC = quantity(p, "windChill", QuantityCelsius);
    o.HeatIndexC = quantity(p, "heatIndex", QuantityCelsius);
    o.PrecipLastHourMm = quantity(p, "precipitationLastHour", QuantityMillimetres);
    out = o;
    return true;
}

bool ReadForecast(const std::string &text, TForecastDoc &out) {
    json j;
    if (!parse(text, j)) return false;
    const json &p = obj(j, "properties");
    auto periods = p.find("periods");
    if (periods == p.end() || !periods->is_array()) return false;
    TForecastDoc d;
    d.GeneratedAt = str(p, "generatedAt");
    d.UpdateTime = str(p, "updateTime");
    for (const json &e : *periods) {
        if (!e.is_object()) continue;
        TPeriod r;
        if (TValue n = num(e, "number")) r.Number = static_cast<int>(*n);
        r.Name = str(e, "name");
        r.StartTime = str(e, "startTime");
        r.EndTime = str(e, "endTime");
        auto day = e.find("isDaytime");
        r.IsDaytime = day == e.end() || !day->is_boolean() || day->get<bool>();
        // Plain numbers come with temperatureUnit; with the quantity feature flag
        // the temperature is an object with its own unit code.
        if (TValue t = num(e, "temperature")) {
            r.TemperatureF = str(e, "temperatureUnit") == "C" ? CelsiusToFahrenheit(*t) : *t;
        } else if (TValue c = quantity(e, "temperature", QuantityCelsius)) {
            r.TemperatureF = CelsiusToFahrenheit(*c);
        }
        r.Precipitation = quantity(e, "probabilityOfPrecipitation", asIs);
        r.Icon = str(e, "icon");
        r.ShortForecast = str(e, "shortForecast");
        r.DetailedForecast = str(e, "detailedForecast");
        r.WindSpeed = str(e, "windSpeed");
        r.WindDirection = str(e, "windDirection");
        d.Periods.push_back(r);
    }
    out = d;
    return true;
}

bool ReadAlerts(const std::string &text, TAlertsDoc &out) {
    json j;
    if (!parse(text, j)) return false;
    auto features = j.find("features");
    if (str(j, "type") != "FeatureCollection" || features == j.end() || !features->is_array()) return false;
    TAlertsDoc d;
    d.Title = str(j, "title");
    d.Updated = str(j, "updated");
    for (const json &f : *features) {
        if (!f.is_object()) continue;
        const json &p = obj(f, "properties");
        TAlert a;
        a.Id = str(p, "id");
        a.Web = str(p, "@id");
        if (a.Web.empty()) a.Web = str(f, "id");
        a.Event = str(p, "event");
        if (a.Event.empty() && a.Id.empty()) continue;
        a.Headline = str(p, "headline");
        a.Description = str(p, "description");
        a.Instruction = str(p, "instruction");
        a.AreaDesc = str(p, "areaDesc");
        a.SenderName = str(p, "senderName");
        a.Severity = str(p, "severity");
        a.Urgency = str(p, "urgency");
        a.Certainty = str(p, "certainty");
        a.Category = str(p, "category");
        a.Status = str(p, "status");
        a.MessageType = str(p, "messageType");
        a.Sent = str(p, "sent");
        a.Effective = str(p, "effective");
        a.Onset = str(p, "onset");
        a.Expires = str(p, "expires");
        a.Ends = str(p, "ends");
        const json &g = obj(p, "geocode");
        a.UGC = strings(g, "UGC");
        a.SAME = strings(g, "SAME");
        d.Alerts.push_back(a);
    }
    out = d;
    return true;
}

bool ReadStations(const std::string &text, std::vector<TStation> &out) {
    json j;
    if (!parse(text, j)) return false;
    std::vector<TStation> list;
    auto features = j.find("features");
    if (features != j.end() && features->is_array()) {
        for (const json &f : *features) {
            TStation s;
            if (f.is_object() && readStation(f, s)) list.push_back(s);
        }
    } else {
        TStation s;
        if (!readStation(j, s)) return false;
        list.push_back(s);
    }
    out = list;
    return true;
}

bool ReadUsnoOneDay(const std::string &text, TUsnoDay &out) {
    json j;
    if (!parse(text, j)) return false;
    const json &d = obj(obj(j, "properties"), "data");
    auto sun = d.find("sundata");
    if (sun == d.end() || !sun->is_array()) return false;
    TUsnoDay r;
    for (const json &e : *sun) {
        if (!e.is_object()) continue;
        std::string phen = str(e, "phen");
        if (phen == "Rise") r.Sunrise = str(e, "time");
        else if (phen == "Set") r.Sunset = str(e, "time");
    }
    r.CurPhase = str(d, "curphase");
    if (TValue tz = num(d, "tz")) r.Tz = *tz;
    out = r;
    return true;
}

}  // namespace NWSApi
