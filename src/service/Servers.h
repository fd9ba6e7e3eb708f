#pragma once
// Every server the program calls, in one place. Hosts default to the real
// public servers; the settings file's [Servers] section may override each
// (read, never written), which is how tests and the demo use a local server.
#include <string>

class TIniSettings;

enum class TServer {
    NWSWeb,       // current observations, NDFD SOAP client, wwamap
    NWSForecast,  // MapClick worded forecast
    NWSAlerts,    // CAP index feeds
    NWSRadar,     // radar pictures and overlays
    USNO,         // Naval Observatory sun and moon form
    AccuData,     // AccuWeather data feed server
    AccuWeb,      // AccuWeather web site
    AccuIcons,    // AccuWeather icon server
    AccuImages,   // AccuWeather image server
    Update,       // the maker's update and message server
    NWSApi,       // api.weather.gov
    Count
};

// Key in [Servers], e.g. "NWSWeb".
const char *ServerKey(TServer s);
// The built-in default base address, scheme and host without a trailing '/'.
const char *ServerDefault(TServer s);
// The address in use: the override when one was loaded, else the default.
std::string ServerBase(TServer s);
// Reads [Servers]; keys that are missing keep the defaults.
void LoadServerOverrides(const TIniSettings &ini);
void ClearServerOverrides();
// Tests and tools: set one override directly.
void SetServerOverride(TServer s, const std::string &base);
