#include "service/Servers.h"

#include <cstdio>

#include "app/IniSettings.h"

namespace {
struct Entry { const char *key; const char *def; };
const Entry kServers[] = {
    {"NWSWeb", "https://forecast.weather.gov"},
    {"NWSForecast", "https://forecast.weather.gov"},
    {"NWSAlerts", "https://alerts.weather.gov"},
    {"NWSRadar", "https://radar.weather.gov"},
    {"USNO", "https://aa.usno.navy.mil"},
    {"AccuData", "http://wwwa.accuweather.com"},
    {"AccuWeb", "http://www.accuweather.com"},
    {"AccuIcons", "http://vortex.accuweather.com"},
    {"AccuImages", "http://sirocco.accuweather.com"},
    {"Update", "https://tolvu.app"},
    {"NWSApi", "https://api.weather.gov"},
    {"NWSRegion", "https://www.{r}.noaa.gov"},
};
static_assert(sizeof(kServers) / sizeof(kServers[0]) == static_cast<size_t>(TServer::Count));
std::string g_override[static_cast<size_t>(TServer::Count)];

std::string stripSlash(std::string s) {
    while (!s.empty() && s.back() == '/') s.pop_back();
    return s;
}
}  // namespace

const char *ServerKey(TServer s) { return kServers[static_cast<size_t>(s)].key; }
const char *ServerDefault(TServer s) { return kServers[static_cast<size_t>(s)].def; }

std::string ServerBase(TServer s) {
    const std::string &o = g_override[static_cast<size_t>(s)];
    return o.empty() ? std::string(ServerDefault(s)) : o;
}

void LoadServerOverrides(const TIniSettings &ini) {
    for (size_t i = 0; i < static_cast<size_t>(TServer::Count); ++i) {
        std::string v = ini.ReadString("Servers", kServers[i].key, "");
        if (!v.empty()) g_override[i] = stripSlash(v);
    }
}

void ClearServerOverrides() {
    for (auto &o : g_override) o.clear();
}

void SetServerOverride(TServer s, const std::string &base) { g_override[static_cast<size_t>(s)] = stripSlash(base); }

std::string LowerCase(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string UpperCase(std::string s) {
    for (char &c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string NWSCurrentObsUrl(const std::string &httpBase, const std::string &xmlPath, const std::string &station) {
    return httpBase + xmlPath + "/" + station + ".xml";
}

std::string NWSNdfdUrl(const std::string &httpBase, const std::string &lat, const std::string &lon, bool periods12,
                       const std::string &startDate, int unit, int numDays) {
    return httpBase + kNWSNdfdPath + "/" + kNWSNdfdScript + "lat=" + lat + "&lon=" + lon +
           (periods12 ? "&format=12+hourly" : "&format=24+hourly") + "&startDate=" + startDate +
           "&unit=" + std::to_string(unit) + "&numDays=" + std::to_string(numDays) + "&Submit=Submit";
}

std::string NWSWarningMapUrl(const std::string &httpBase, const std::string &site) {
    return httpBase + "/wwamap/png/" + LowerCase(site) + ".png";
}

std::string NWSMapClickUrl(const std::string &forecastBase, const std::string &lat, const std::string &lon, int unit) {
    return forecastBase + "/MapClick.php?lat=" + lat + "&lon=" + lon + "&unit=" + std::to_string(unit) +
           "&FcstType=dwml";
}

std::string NWSCapIndexUrl(const std::string &alertsBase, const std::string &state) {
    return alertsBase + "/cap" + "/" + LowerCase(state) + ".php?x=" + UpperCase(state);
}

std::string NWSRadarThumbUrl(const std::string &radarBase, const std::string &radarId) {
    return radarBase + "/Thumbs" + "/" + radarId + "_Thumb.gif";
}

std::string NWSNcrImageUrl(const std::string &radarBase, const std::string &site) {
    return radarBase + kNWSNcrPath + site + "_NCR_0.gif";
}

std::string NWSRadarPageUrl(const std::string &radarBase, const std::string &site) {
    return radarBase + "/ridge/radar.php?rid=" + site;
}

std::string NWSRegionBase(const std::string &region) {
    std::string base = ServerBase(TServer::NWSRegion);
    size_t p = base.find("{r}");
    if (p == std::string::npos) return base + "/" + region;  // one server for all regions (tests, demo)
    return base.replace(p, 3, region);
}

std::string NWSRegionPageUrl(const std::string &region, const std::string &site) {
    return NWSRegionBase(region) + "/" + site;
}

std::string NWSRegionWarningMapsUrl(const std::string &region) { return NWSRegionBase(region) + "/wwamaps/"; }

std::string USNOSunMoonUrl(const std::string &usnoBase) { return usnoBase + kUSNOSunMoonPath; }

std::string AcuDataBaseUrl(const std::string &dataServer) { return stripSlash(dataServer) + kAcuDataPath; }

std::string AcuFormEncode(const std::string &text) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        switch (c) {
        case '*': case '@': case '.': case '_': case '-': case '$': case '!': case '\'': case '(': case ')':
            plain = true;
            break;
        default:
            break;
        }
        if (plain) out += static_cast<char>(c);
        else if (c == ' ') out += '+';
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string AcuLanguageCode(const std::string &language) {
    if (language == "DEU") return "de";
    if (language == "ENU") return "en";
    if (language == "ESN") return "es";
    if (language == "FRA") return "fr";
    return language;
}

std::string AcuWeatherQuery(const std::string &location, const std::string &lat, const std::string &lon, int unit,
                            const std::string &language) {
    std::string q;
    if (!location.empty()) q = "location=" + AcuFormEncode(location) + "&metric=" + std::to_string(unit);
    else if (lat.empty()) return {};
    else if (!lon.empty()) q = "slat=" + lat + "&slon=" + lon + "&metric=" + std::to_string(unit);
    return q + "&lang=" + AcuLanguageCode(language);
}

std::string AcuWeatherUrl(const std::string &dataBase, const std::string &query) {
    return dataBase + kAcuWeatherScript + query;
}

std::string AcuLocationDetailsUrl(const std::string &dataBase, const std::string &id, int unit) {
    return dataBase + kAcuWeatherScript + "location=" + AcuFormEncode(id) + "&metric=" + std::to_string(unit);
}

std::string AcuSearchUrl(const std::string &dataBase, const std::string &seek, const std::string &text) {
    return dataBase + (seek.empty() ? std::string(kAcuDefaultSeek) : seek) + AcuFormEncode(text);
}

std::string AcuIconBaseUrl(const std::string &iconServer) { return stripSlash(iconServer) + kAcuIconPath; }

std::string AcuIconUrl(const std::string &iconBase, int icon) {
    char num[16];
    std::snprintf(num, sizeof num, "%02d", icon);
    return iconBase + "PNG" + "/" + num + ".png";
}

std::string UpdateFileUrl(const std::string &updateBase, const std::string &file) {
    if (updateBase.empty() || updateBase.back() == '/') return updateBase + file;
    return updateBase + "/" + file;
}
