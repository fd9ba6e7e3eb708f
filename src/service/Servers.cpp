#include "service/Servers.h"

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
