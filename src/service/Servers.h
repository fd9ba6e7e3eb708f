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
    NWSRegion,    // regional offices; "{r}" stands for the region code
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

// ---- Request addresses. Bases are scheme + host (+ path) without a trailing
// '/', as ServerBase gives them or as a service's settings hold them. ----

std::string LowerCase(std::string s);
std::string UpperCase(std::string s);

// NWS web server.
constexpr const char *kNWSCurrentObsPath = "/data/current_obs";
constexpr const char *kNWSNdfdPath = "/forecasts/xml/SOAP_server";
constexpr const char *kNWSNdfdScript = "ndfdSOAPclientByDay.php?";
// httpBase + xmlPath ("/data/current_obs") + "/" + station + ".xml"
std::string NWSCurrentObsUrl(const std::string &httpBase, const std::string &xmlPath, const std::string &station);
// The NDFD day client; startDate is the XML Schema date-time text, unit 0 or 1.
std::string NWSNdfdUrl(const std::string &httpBase, const std::string &lat, const std::string &lon, bool periods12,
                       const std::string &startDate, int unit, int numDays);
// httpBase + "/wwamap/png/" + lower-case site + ".png"
std::string NWSWarningMapUrl(const std::string &httpBase, const std::string &site);

// NWS forecast server: base + "/MapClick.php?lat=..&lon=..&unit=..&FcstType=dwml".
std::string NWSMapClickUrl(const std::string &forecastBase, const std::string &lat, const std::string &lon, int unit);

// NWS alerts server: base + "/cap/" + lower-case state + ".php?x=" + upper-case state.
std::string NWSCapIndexUrl(const std::string &alertsBase, const std::string &state);

// NWS radar server.
constexpr const char *kNWSConusRadarPath = "/ridge/Conus/RadarImg/";
constexpr const char *kNWSNcrPath = "/RadarImg/NCR/";
constexpr const char *kNWSOverlaysPath = "/Overlays/";
constexpr const char *kNWSShortWarningsPath = "/Warnings/Short/";
std::string NWSRadarThumbUrl(const std::string &radarBase, const std::string &radarId);  // /Thumbs/<id>_Thumb.gif
std::string NWSNcrImageUrl(const std::string &radarBase, const std::string &site);     // /RadarImg/NCR/<site>_NCR_0.gif
std::string NWSRadarPageUrl(const std::string &radarBase, const std::string &site);    // /ridge/radar.php?rid=<site>

// Regional NWS servers, region "crh", "srh", "wrh", "erh", "prh" or "arh".
std::string NWSRegionBase(const std::string &region);
std::string NWSRegionPageUrl(const std::string &region, const std::string &site);  // region base + "/" + site
std::string NWSRegionWarningMapsUrl(const std::string &region);                     // region base + "/wwamaps/"

// US Naval Observatory sun and moon form (POST).
constexpr const char *kUSNOSunMoonPath = "/cgi-bin/aa_pap.pl";
std::string USNOSunMoonUrl(const std::string &usnoBase);

// AccuWeather. The data base URL ends in '/': server + "/widget/kovix/".
constexpr const char *kAcuDataPath = "/widget/kovix/";
constexpr const char *kAcuWeatherScript = "weather-data.asp?";
constexpr const char *kAcuDefaultSeek = "city-find.asp?Location=";
constexpr const char *kAcuIconPath = "/adc2004/common/images/wxicons/";
std::string AcuDataBaseUrl(const std::string &dataServer);
// AccuWeather's form encoding: letters, digits and * @ . _ - $ ! ' ( ) pass, a space
// becomes '+', every other byte "%" + two lower-case hex digits.
std::string AcuFormEncode(const std::string &text);
// "DEU" -> "de", "ENU" -> "en", "ESN" -> "es", "FRA" -> "fr"; others unchanged.
std::string AcuLanguageCode(const std::string &language);
// "location=" + encoded location + "&metric=" + unit, or "slat=..&slon=..&metric=.." when
// location is empty and both coordinates are set; then "&lang=" + code. Empty when
// neither location nor latitude is set.
std::string AcuWeatherQuery(const std::string &location, const std::string &lat, const std::string &lon, int unit,
                            const std::string &language);
std::string AcuWeatherUrl(const std::string &dataBase, const std::string &query);
// Location details: no language key.
std::string AcuLocationDetailsUrl(const std::string &dataBase, const std::string &id, int unit);
std::string AcuSearchUrl(const std::string &dataBase, const std::string &seek, const std::string &text);
// Icon base ends in '/': icon server + "/adc2004/common/images/wxicons/".
std::string AcuIconBaseUrl(const std::string &iconServer);
std::string AcuIconUrl(const std::string &iconBase, int icon);  // iconBase + "PNG/" + two digits + ".png"

// The update server's files, below the [Options] URL address.
constexpr const char *kUpdateVersionFile = "Version.txt";
constexpr const char *kUpdateInstallerFile = "Update.exe";
constexpr const char *kUpdateMessageFile = "Message.txt";
constexpr const char *kUpdatePromoFile = "Promo.png";
std::string UpdateFileUrl(const std::string &updateBase, const std::string &file);
