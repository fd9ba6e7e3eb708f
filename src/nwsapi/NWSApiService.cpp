#include "nwsapi/NWSApiService.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/IniSettings.h"
#include "nws/XmlDateTime.h"
#include "nwsapi/SunMoon.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "platform/TimeZone.h"
#include "platform/Version.h"
#include "service/HttpClient.h"
#include "service/Servers.h"
#include "service/ServiceSections.h"

namespace fs = std::filesystem;
using namespace NWSApi;

const char *const kNwsApiServiceName = "NWSAPI";
const char *const kNwsApiDisplayName = "The US National Weather Service (live)";

namespace {

const char *const kCacheSub = "NWSApi";
const char *const kPointPrefix = "points";
constexpr double kStaleDays = 2.0 / 24.0;
constexpr int kFirstRetrySeconds = 30;
constexpr int kMaxRetrySeconds = 600;

std::string fmt(const char *format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

std::string roundText(double v) { return std::to_string(static_cast<long>(std::lround(v))); }

// One decimal, without a trailing ".0".
std::string shortNumber(double v) {
    std::string s = fmt("%.1f", v);
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    if (s == "-0") s = "0";
    return s;
}

bool toDouble(const std::string &text, double &out) {
    if (text.empty()) return false;
    char *end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

std::string readText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Written beside and renamed over, so a crash never leaves half a file.
bool writeText(const std::string &path, const std::string &text) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

// The icon address without its query: base up to the last '/', the name after it
// without the ",NN" probability ("snow,70" -> "snow").
void splitIcon(const std::string &url, std::string &base, std::string &name) {
    base.clear();
    name.clear();
    std::string u = url.substr(0, url.find('?'));
    size_t slash = u.rfind('/');
    if (slash == std::string::npos) return;
    base = u.substr(0, slash + 1);
    name = u.substr(slash + 1);
    name = name.substr(0, name.find(','));
}

int toScale(double fahrenheit, int scale) {
    return static_cast<int>(std::lround(scale == 1 ? FahrenheitToCelsius(fahrenheit) : fahrenheit));
}

std::string compass(double degrees) {
    static const char *const kPoints[16] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                            "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    int i = static_cast<int>(std::lround(std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0) / 22.5)) % 16;
    return kPoints[i];
}

double haversineMetres(double lat1, double lon1, double lat2, double lon2) {
    const double r = 6371000.0, k = 3.14159265358979323846 / 180.0;
    const double dlat = (lat2 - lat1) * k, dlon = (lon2 - lon1) * k;
    const double a = std::sin(dlat / 2) * std::sin(dlat / 2) +
                     std::cos(lat1 * k) * std::cos(lat2 * k) * std::sin(dlon / 2) * std::sin(dlon / 2);
    return 2 * r * std::asin(std::min(1.0, std::sqrt(a)));
}

// max-age of a Cache-Control value, in seconds; 0 for no-store/no-cache or none.
int maxAge(const std::string &cacheControl) {
    std::string low = LowerCase(cacheControl);
    if (low.find("no-store") != std::string::npos || low.find("no-cache") != std::string::npos) return 0;
    size_t p = low.find("max-age=");
    if (p == std::string::npos) return 0;
    return std::max(0, std::atoi(low.c_str() + p + 8));
}

TDateTime localFromApi(const std::string &text) {
    TDateTime utc = 0;
    return ApiTimeToUTC(text, utc) ? UTCToLocal(utc) : 0;
}

}  // namespace

// ---- registration and helpers ----

std::string RegisterNwsApiService(TIniSettings &ini) {
    TServiceSectionDefaults d;
    d.Name = kNwsApiServiceName;
    d.DisplayName = kNwsApiDisplayName;
    d.HttpBase = ServerBase(TServer::NWSApi);
    d.XML = "/stations";
    d.HTML = ServerBase(TServer::NWSForecast);
    d.Seek = "/points";
    return RegisterServiceSection(ini, d);
}

std::string NwsApiUserAgent() {
    return std::string("Tolvu/") + TOLVU_VERSION_TEXT + " (" + ServerDefault(TServer::Update) + ")";
}

std::string NwsApiCoordinate(const std::string &text) {
    double v = 0;
    if (!toDouble(TCustomWxService::NormalizeCoordinate(text), v)) return {};
    std::string s = fmt("%.4f", v);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

// ---- alerts ----

void TNWSApiAlertItem::Assign(const TWxItem &source) {
    TCustomAlertItem::Assign(source);
    if (auto *a = dynamic_cast<const TNWSApiAlertItem *>(&source); a && a != this) {
        Data = a->Data;
        County = a->County;
    }
}

TDateTime TNWSApiAlertItem::GetEffective() const {
    TDateTime t = localFromApi(Data.Effective);
    return t != 0 ? t : localFromApi(Data.Sent);
}

TDateTime TNWSApiAlertItem::GetExpires() const { return localFromApi(Data.Expires); }

std::string TNWSApiAlertItem::GetGeocode(int index) const {
    if (index == 0) return County;
    if (index > 0 && index <= static_cast<int>(Data.UGC.size())) return Data.UGC[index - 1];
    return {};
}

TNWSApiAlerts::TNWSApiAlerts(void *owner) : TAlerts(owner, [] { return std::make_unique<TNWSApiAlertItem>(); }) {}

TDateTime TNWSApiAlerts::GetSent() const { return localFromApi(Updated); }

// ---- service ----

TNWSApiService::TNWSApiService(void *owner) : TCustomWxService(owner) {
    name_ = kNwsApiServiceName;
    description_ = kNwsApiDisplayName;
    hasInset_ = true;
}

TNWSApiService::~TNWSApiService() { alerts_.reset(); }

std::string TNWSApiService::apiBase() {
    // An override in [Servers] wins over the address stored with the section.
    const std::string server = ServerBase(TServer::NWSApi);
    if (server != ServerDefault(TServer::NWSApi)) return server;
    std::string base = GetHttpBase();
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base.empty() ? server : base;
}

// The API names its own addresses in full; they follow the base in use.
std::string TNWSApiService::rebase(const std::string &url) {
    const std::string def = ServerDefault(TServer::NWSApi);
    if (url.compare(0, def.size(), def) == 0) return apiBase() + url.substr(def.size());
    return url;
}

std::string TNWSApiService::pointKey() {
    std::string lat = NwsApiCoordinate(GetLatitude()), lon = NwsApiCoordinate(GetLongitude());
    if (lat.empty() || lon.empty()) return {};
    return lat + "," + lon;
}

std::string TNWSApiService::PointUrl() {
    std::string key = pointKey();
    return key.empty() ? std::string() : apiBase() + "/points/" + key;
}

std::string TNWSApiService::ObservationUrl(const std::string &station) {
    return apiBase() + "/stations/" + station + "/observations/latest";
}

std::string TNWSApiService::AlertsUrl(const std::string &county) { return apiBase() + "/alerts/active?zone=" + county; }

std::string TNWSApiService::UsnoUrl(TDateTime localDate) {
    int y, m, d;
    DecodeDate(localDate, y, m, d);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", y, m, d);
    const double tz = std::round((Clock::Now() - Clock::NowUTC()) * 24.0 * 4.0) / 4.0;
    return ServerBase(TServer::USNO) + "/api/rstt/oneday?date=" + date + "&coords=" +
           NwsApiCoordinate(GetLatitude()) + "," + NwsApiCoordinate(GetLongitude()) + "&tz=" + fmt("%g", tz);
}

std::string TNWSApiService::cacheFile(const std::string &url) const {
    std::string rest = url;
    size_t scheme = rest.find("://");
    if (scheme != std::string::npos) {
        size_t path = rest.find('/', scheme + 3);
        rest = path == std::string::npos ? std::string() : rest.substr(path + 1);
    }
    std::string name;
    for (char c : rest) {
        unsigned char u = static_cast<unsigned char>(c);
        name += (std::isalnum(u) || c == '-' || c == '.') ? c : '_';
    }
    if (name.size() > 160) name.resize(160);
    if (name.empty() || name[0] == '.') name = "_" + name;
    return name + ".json";
}

TNWSApiService::TFetch TNWSApiService::fetch(const std::string &url, std::string &body, bool keepStale) {
    lastRetryAfter_ = 0;
    const std::string folder = CacheFolderPath() + kCacheSub + "/";
    const std::string path = folder + cacheFile(url);
    const std::string metaPath = path + ".meta";
    std::string lastModified;
    TDateTime expires = 0;
    const bool cached = FileExists(path);
    if (cached) {
        std::ifstream meta(metaPath);
        std::string line;
        while (std::getline(meta, line)) {
            if (line.compare(0, 13, "LastModified=") == 0) lastModified = line.substr(13);
            else if (line.compare(0, 8, "Expires=") == 0) expires = std::atof(line.c_str() + 8);
        }
        if (expires > Clock::NowUTC()) {
            body = readText(path);
            if (!body.empty()) return TFetch::Cached;
        }
    }
    auto stale = [&] {
        if (!keepStale || !cached) return TFetch::Failed;
        body = readText(path);
        return body.empty() ? TFetch::Failed : TFetch::Cached;
    };
    if (!connected_) {
        lastProblem_ = TProblem{};
        lastProblem_.Title = "not connected";
        return stale();
    }

    THttpExchange ex;
    ex.UserAgent = NwsApiUserAgent();
    ex.Headers.push_back("Accept: application/geo+json");
    if (cached && !lastModified.empty()) ex.Headers.push_back("If-Modified-Since: " + lastModified);
    THttpOptions opt;
    opt.OnBegin = [this](std::int64_t n) {
        if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::Read, n);
    };
    opt.OnWork = [this](std::int64_t n) {
        if (OnWork) OnWork(*this, TWorkMode::Read, n);
    };
    opt.OnEnd = [this] {
        if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::Read);
    };
    std::string text;
    THttpResult r = HttpGetExchange(url, text, ex, opt);
    lastRetryAfter_ = std::max(0, std::atoi(HttpHeaderValue(ex.ReplyHeaders, "Retry-After").c_str()));

    auto writeMeta = [&](const std::string &modified) {
        const int age = maxAge(HttpHeaderValue(ex.ReplyHeaders, "Cache-Control"));
        std::string meta;
        if (!modified.empty()) meta += "LastModified=" + modified + "\n";
        meta += "Expires=" + fmt("%.8f", Clock::NowUTC() + age / 86400.0) + "\n";
        writeText(metaPath, meta);
    };

    if (r.Completed && r.Status == 304 && cached) {
        body = readText(path);
        if (!body.empty()) {
            writeMeta(lastModified);
            lastProblem_ = TProblem{};
            LogSuccess(url + " : " + r.StatusText);
            return TFetch::Cached;
        }
    }
    // A web page sent in place of the document (a maintenance notice, a proxy) never enters the cache.
    const bool isJson = !text.empty() && nlohmann::json::accept(text);
    if (r.Delivered() && isJson) {
        if (ForceDirectories(folder) && writeText(path, text)) writeMeta(HttpHeaderValue(ex.ReplyHeaders, "Last-Modified"));
        body = text;
        lastProblem_ = TProblem{};
        LogSuccess(url + " : " + r.StatusText);
        return TFetch::Fresh;
    }
    TProblem p;
    if (!ReadProblem(text, p)) {
        if (r.Delivered()) p.Title = text.empty() ? "empty reply" : "not a JSON reply";
        else p.Title = r.Completed ? r.StatusText : r.Error;
    }
    if (p.Status == 0) p.Status = r.Status;
    lastProblem_ = p;
    return stale();
}

std::string TNWSApiService::problemText(const std::string &url) const {
    std::string t = url + " : ";
    if (lastProblem_.Status) t += std::to_string(lastProblem_.Status) + " ";
    t += lastProblem_.Title;
    if (!lastProblem_.Detail.empty()) t += " - " + lastProblem_.Detail;
    return t;
}

void TNWSApiService::reportOnce(const std::string &message) {
    if (reported_) return;
    reported_ = true;
    LogFailure(message);
}

void TNWSApiService::failed(TKind kind, const std::string &message) {
    TRetry &r = retry_[static_cast<int>(kind)];
    ++r.Failures;
    // A point the API does not cover will not start working by asking again.
    if (lastProblem_.Kind() == "InvalidPoint") {
        r.At = 0;
    } else {
        int delay = lastRetryAfter_;
        if (delay <= 0) delay = kFirstRetrySeconds << std::min(r.Failures - 1, 5);
        delay = std::min(delay, kMaxRetrySeconds);
        r.At = Clock::Now() + delay / 86400.0;
    }
    reportOnce(message);
}

void TNWSApiService::succeeded(TKind kind) {
    retry_[static_cast<int>(kind)] = TRetry{};
    reported_ = false;
}

TDateTime TNWSApiService::NextRetryTime() const {
    TDateTime best = 0;
    for (const TRetry &r : retry_)
        if (r.At > 0 && (best == 0 || r.At < best)) best = r.At;
    return best;
}

void TNWSApiService::RunDueRetries() {
    const TDateTime now = Clock::Now();
    for (int k = 0; k < static_cast<int>(TKind::Count); ++k) {
        if (retry_[k].At <= 0 || retry_[k].At > now) continue;
        retry_[k].At = 0;
        switch (static_cast<TKind>(k)) {
        case TKind::Current: RefreshCurrent(); break;
        case TKind::Forecast: RefreshForecast(); break;
        case TKind::Alerts: RefreshAlerts(); break;
        case TKind::Count: break;
        }
    }
}

// ---- point and stations ----

bool TNWSApiService::readPoint(const std::string &key, TPoint &out, std::string &error) {
    const std::string url = apiBase() + "/points/" + key;
    std::string body;
    if (fetch(url, body, true) == TFetch::Failed) {
        error = problemText(url);
        return false;
    }
    TPoint p;
    if (!ReadPoint(body, p)) {
        lastProblem_ = TProblem{};
        lastProblem_.Title = "not a point document";
        error = problemText(url);
        return false;
    }
    out = p;
    return true;
}

bool TNWSApiService::LoadPoint(const std::string &text) {
    TPoint p;
    if (!ReadPoint(text, p)) return false;
    point_ = p;
    hasPoint_ = true;
    pointFor_ = pointKey();
    return true;
}

bool TNWSApiService::ensurePoint(std::string &error) {
    const std::string key = pointKey();
    if (key.empty()) {
        RequestSetup(0);
        error.clear();
        return false;
    }
    if (hasPoint_ && pointFor_ == key) return true;
    TPoint p;
    if (!readPoint(key, p, error)) return false;
    point_ = p;
    hasPoint_ = true;
    pointFor_ = key;
    stations_.clear();
    stationsFor_.clear();
    return true;
}

bool TNWSApiService::LoadStations(const std::string &text) {
    std::vector<TStation> list;
    if (!ReadStations(text, list)) return false;
    stations_ = list;
    stationsFor_ = pointFor_;
    return true;
}

bool TNWSApiService::ensureStations(std::string &error) {
    if (!ensurePoint(error)) return false;
    if (!stations_.empty() && stationsFor_ == pointFor_) return true;
    const std::string url = rebase(point_.StationsUrl);
    std::string body;
    if (url.empty() || fetch(url, body) == TFetch::Failed) {
        error = problemText(url);
        return false;
    }
    if (!LoadStations(body) || stations_.empty()) {
        error = url + " : no stations";
        return false;
    }
    return true;
}

// ---- current conditions ----

bool TNWSApiService::LoadObservation(const std::string &text) {
    TObservation o;
    if (!ReadObservation(text, o)) return false;
    observation_ = o;
    hasObservation_ = true;
    return true;
}

void TNWSApiService::RefreshCurrent() {
    std::string station = GetLocation();
    std::string error;
    if (station.empty()) {
        if (pointKey().empty()) {
            RequestSetup(0);
            return;
        }
        if (!ensureStations(error)) {
            if (!error.empty()) failed(TKind::Current, error);
            return;
        }
        station = stations_.front().Id;
    }
    const std::string url = ObservationUrl(station);
    std::string body;
    if (fetch(url, body) == TFetch::Failed) {
        failed(TKind::Current, problemText(url));
        return;
    }
    if (!LoadObservation(body)) {
        lastProblem_ = TProblem{};
        lastProblem_.Title = "not an observation";
        failed(TKind::Current, problemText(url));
        return;
    }
    succeeded(TKind::Current);
    const TDateTime now = Clock::Now();
    if (sunrise_.empty() || sunMoonDate_ != Clock::Today() || now - std::floor(now) < 0.05) RefreshSunMoon();
    DoCurrentUpdated();
}

NWSApi::TValue TNWSApiService::Temperature() {
    if (!observation_.TemperatureC) return std::nullopt;
    return GetScale() == 1 ? *observation_.TemperatureC : CelsiusToFahrenheit(*observation_.TemperatureC);
}

NWSApi::TValue TNWSApiService::FeelsLike() {
    TValue c = observation_.HeatIndexC ? observation_.HeatIndexC
               : observation_.WindChillC ? observation_.WindChillC
                                         : observation_.TemperatureC;
    if (!c) return std::nullopt;
    return GetScale() == 1 ? *c : CelsiusToFahrenheit(*c);
}

NWSApi::TValue TNWSApiService::Humidity() const { return observation_.Humidity; }

bool TNWSApiService::ObservationStale() const {
    return hasObservation_ && observation_.TimeUTC != 0 && Clock::NowUTC() - observation_.TimeUTC > kStaleDays;
}

std::string TNWSApiService::GetLocationCaption() {
    if (!hasObservation_) return "Location";
    std::string r = observation_.StationName.empty() ? observation_.StationId : observation_.StationName;
    return r + " - " + observation_.StationId;
}

TWxPicture *TNWSApiService::GetConditionsPicture() {
    if (!hasObservation_ || observation_.Icon.empty()) return nullptr;
    splitIcon(observation_.Icon, IconBase, IconName);
    if (!conditionsPicture_) conditionsPicture_ = std::make_unique<TWxPicture>();
    return conditionsPicture_.get();
}

int TNWSApiService::GetTemperature() {
    TValue t = Temperature();
    return t ? static_cast<int>(std::lround(*t)) : 0;
}

int TNWSApiService::GetFeelsLike() {
    TValue t = FeelsLike();
    return t ? static_cast<int>(std::lround(*t)) : 0;
}

int TNWSApiService::GetHumidity() {
    return observation_.Humidity ? static_cast<int>(std::lround(*observation_.Humidity)) : 0;
}

std::string TNWSApiService::GetDewPoint() {
    if (!observation_.DewPointC) return {};
    const double c = *observation_.DewPointC, f = CelsiusToFahrenheit(c);
    if (GetScale() == 1) return roundText(c) + " C (" + roundText(f) + " F)";
    return roundText(f) + " F (" + roundText(c) + " C)";
}

std::string TNWSApiService::GetPressure() {
    TValue pa = observation_.PressurePa ? observation_.PressurePa : observation_.SeaLevelPa;
    if (!pa) return {};
    if (GetScale() == 1) return fmt("%.1f", *pa / 100.0) + " mb";
    return fmt("%.2f", PaToInHg(*pa)) + " in.";
}

std::string TNWSApiService::GetPrecipitation() {
    if (!observation_.PrecipLastHourMm) return {};
    if (GetScale() == 1) return fmt("%.1f", *observation_.PrecipLastHourMm);
    return fmt("%.2f", *observation_.PrecipLastHourMm / 25.4);
}

std::string TNWSApiService::GetWindSpeed() {
    if (!observation_.WindKmh) return {};
    return roundText(GetSpeedUnit() == 1 ? *observation_.WindKmh : KmhToMph(*observation_.WindKmh));
}

int TNWSApiService::GetWindDirection() {
    return observation_.WindDirection ? static_cast<int>(std::lround(*observation_.WindDirection)) : 0;
}

std::string TNWSApiService::GetWindGust() {
    // "0" is what the window reads as "no gusts".
    if (!observation_.GustKmh) return hasObservation_ ? "0" : std::string();
    return roundText(GetSpeedUnit() == 1 ? *observation_.GustKmh : KmhToMph(*observation_.GustKmh));
}

std::string TNWSApiService::GetSunrise() { return sunrise_.empty() ? TCustomWxService::GetSunrise() : sunrise_; }
std::string TNWSApiService::GetSunset() { return sunset_.empty() ? TCustomWxService::GetSunset() : sunset_; }
std::string TNWSApiService::GetMoonPhase() {
    return moonPhase_.empty() ? TCustomWxService::GetMoonPhase() : moonPhase_;
}

std::string TNWSApiService::GetConditions() { return observation_.Text; }

std::string TNWSApiService::GetVisibility() {
    if (!observation_.VisibilityM) return {};
    const double m = *observation_.VisibilityM;
    return shortNumber(GetSpeedUnit() == 1 ? m / 1000.0 : MetresToMiles(m));
}

std::string TNWSApiService::GetRealFeel() {
    TValue t = Temperature();
    if (!t) return {};
    return std::to_string((GetTemperature() + GetFeelsLike()) / 2);
}

std::string TNWSApiService::GetWindText() {
    if (!observation_.WindKmh) return {};
    std::string speed = GetWindSpeed();
    if (speed == "0") return "Wind Calm";
    std::string t = "Wind";
    if (observation_.WindDirection) t += " " + compass(*observation_.WindDirection);
    t += " at " + speed + (GetSpeedUnit() == 1 ? " km/h" : " mph");
    std::string gust = GetWindGust();
    if (!gust.empty() && gust != "0") t += ", gusts " + gust;
    return t;
}

std::string TNWSApiService::GetObservationTime() {
    if (!hasObservation_ || observation_.TimeUTC == 0) return TCustomWxService::GetObservationTime();
    std::string t = DateTimeToStr(UTCToLocal(observation_.TimeUTC));
    if (ObservationStale()) t += " (stale)";
    return t;
}

std::string TNWSApiService::GetWebPageURL() {
    std::string lat = NwsApiCoordinate(GetLatitude()), lon = NwsApiCoordinate(GetLongitude());
    if (lat.empty() || lon.empty()) return ServerBase(TServer::NWSForecast);
    return ServerBase(TServer::NWSForecast) + "/MapClick.php?lat=" + lat + "&lon=" + lon;
}

std::string TNWSApiService::GetHistoryURL() {
    std::string station = hasObservation_ ? observation_.StationId : GetLocation();
    if (station.empty()) return GetWebPageURL();
    return ServerBase(TServer::NWSWeb) + "/data/obhistory/" + station + ".html";
}

bool TNWSApiService::AcceptLanguage(std::string &code) {
    if (code.empty()) return TCustomWxService::AcceptLanguage(code);
    return GetLanguage() == "ENU";
}

// ---- sun and moon ----

std::string TNWSApiService::sunText(const std::string &hhmm, TDateTime localDate) const {
    int h = 0, m = 0;
    if (std::sscanf(hhmm.c_str(), "%d:%d", &h, &m) != 2) return {};
    TDateTime t = 0;
    if (!TryEncodeTime(h, m, 0, 0, t)) return {};
    return FormatDateTime(TFormatSettings::Global().ShortTimeFormat, std::floor(localDate) + t);
}

bool TNWSApiService::LoadUsno(const std::string &text) {
    TUsnoDay d;
    if (!ReadUsnoOneDay(text, d)) return false;
    const TDateTime today = Clock::Today();
    // What the table lacks (a polar day, say) still comes from the local computation.
    ComputeSunMoon();
    if (std::string s = sunText(d.Sunrise, today); !s.empty()) sunrise_ = s;
    if (std::string s = sunText(d.Sunset, today); !s.empty()) sunset_ = s;
    if (!d.CurPhase.empty()) moonPhase_ = d.CurPhase;
    return true;
}

void TNWSApiService::ComputeSunMoon() {
    double lat = 0, lon = 0;
    const TDateTime today = Clock::Today();
    const double offset = std::round((Clock::Now() - Clock::NowUTC()) * 1440.0) / 1440.0;
    if (toDouble(NwsApiCoordinate(GetLatitude()), lat) && toDouble(NwsApiCoordinate(GetLongitude()), lon)) {
        auto text = [&](SunMoon::TSunEvent e) {
            SunMoon::TSunTime t = SunMoon::SunEventUTC(e, today, lat, lon);
            if (!t.Occurs) return std::string("None");
            return FormatDateTime(TFormatSettings::Global().ShortTimeFormat, UTCToLocal(t.UTC));
        };
        sunrise_ = text(SunMoon::TSunEvent::Rise);
        sunset_ = text(SunMoon::TSunEvent::Set);
    }
    moonPhase_ = SunMoon::MoonPhaseName(today, offset);
    sunMoonDate_ = today;
}

void TNWSApiService::RefreshSunMoon() {
    if (pointKey().empty()) return;
    const TProblem keep = lastProblem_;
    const bool wasConnected = connected_;
    // The Observatory is another server; the API's connection state says nothing about it.
    connected_ = true;
    std::string body;
    const bool ok = fetch(UsnoUrl(Clock::Today()), body) != TFetch::Failed && LoadUsno(body);
    connected_ = wasConnected;
    lastProblem_ = keep;
    if (!ok) ComputeSunMoon();
}

// ---- forecast ----

void TNWSApiService::FillForecasts(const TForecastDoc &doc) {
    TForecasts &f = Forecasts();
    f.Clear();
    const int scale = GetScale();
    const int days = std::max(1, std::min(GetNumDays(), GetMaxDays()));
    auto fill = [&](TForecastItem &item, const TPeriod &p) {
        item.Name = p.Name;
        TDateTime start = localFromApi(p.StartTime);
        if (start != 0) item.Date = start;
        if (!p.ShortForecast.empty()) item.Summary = p.ShortForecast;
        item.Detail = p.DetailedForecast;
        if (p.Precipitation) item.PrecipText = roundText(*p.Precipitation) + "%";
        splitIcon(p.Icon, item.IconBase, item.IconName);
    };
    const std::vector<TPeriod> &ps = doc.Periods;
    if (GetPeriods12()) {
        for (size_t i = 0; i < ps.size() && static_cast<int>(i) < days * 2; ++i) {
            TForecastItem &item = *f.Add();
            fill(item, ps[i]);
            if (ps[i].TemperatureF) {
                int t = toScale(*ps[i].TemperatureF, scale);
                if (ps[i].IsDaytime) item.HighTemp = t;
                else item.LowTemp = t;
            }
        }
        return;
    }
    // 24-hour days: a day and the night that follows it. A night at the start
    // (the forecast was made in the evening) or a day at the end stands alone
    // with its one temperature as both high and low.
    for (size_t i = 0; i < ps.size() && f.Count() < days;) {
        const TPeriod &p = ps[i];
        TForecastItem &item = *f.Add();
        fill(item, p);
        const bool paired = p.IsDaytime && i + 1 < ps.size() && !ps[i + 1].IsDaytime;
        if (paired) {
            const TPeriod &n = ps[i + 1];
            if (p.TemperatureF) item.HighTemp = toScale(*p.TemperatureF, scale);
            if (n.TemperatureF) item.LowTemp = toScale(*n.TemperatureF, scale);
            if (!n.DetailedForecast.empty())
                item.Detail += (item.Detail.empty() ? "" : " ") + n.Name + ": " + n.DetailedForecast;
            if (n.Precipitation && (!p.Precipitation || *n.Precipitation > *p.Precipitation))
                item.PrecipText = roundText(*n.Precipitation) + "%";
            i += 2;
        } else {
            if (p.TemperatureF) item.HighTemp = item.LowTemp = toScale(*p.TemperatureF, scale);
            i += 1;
        }
    }
}

bool TNWSApiService::LoadForecast(const std::string &text) {
    TForecastDoc d;
    if (!ReadForecast(text, d) || d.Periods.empty()) return false;
    forecastDoc_ = d;
    forecastTime_ = d.GeneratedAt.empty() ? d.UpdateTime : d.GeneratedAt;
    FillForecasts(forecastDoc_);
    return true;
}

void TNWSApiService::ParseForecasts() {
    if (forecastDoc_.Periods.empty()) Forecasts().Clear();
    else FillForecasts(forecastDoc_);
}

void TNWSApiService::RefreshForecast() {
    std::string error;
    if (!ensurePoint(error)) {
        if (!error.empty()) failed(TKind::Forecast, error);
        return;
    }
    const std::string url = rebase(point_.ForecastUrl);
    std::string body;
    if (url.empty() || fetch(url, body) == TFetch::Failed) {
        failed(TKind::Forecast, problemText(url));
        return;
    }
    if (!LoadForecast(body)) {
        lastProblem_ = TProblem{};
        lastProblem_.Title = "not a forecast";
        failed(TKind::Forecast, problemText(url));
        return;
    }
    succeeded(TKind::Forecast);
    DoForecastUpdated();
}

// ---- alerts ----

bool TNWSApiService::LoadAlerts(const std::string &text) {
    TAlertsDoc d;
    if (!ReadAlerts(text, d)) return false;
    alertsDoc_ = d;
    ParseAlerts();
    return true;
}

void TNWSApiService::ParseAlerts() {
    if (alertsDoc_.Alerts.empty()) {
        alerts_.reset();
        return;
    }
    auto list = std::make_unique<TNWSApiAlerts>(Owner());
    list->Title = alertsDoc_.Title;
    list->Updated = alertsDoc_.Updated;
    const std::string county = hasPoint_ ? point_.CountyZone : GetCountyCode();
    for (const TAlert &a : alertsDoc_.Alerts) {
        auto *item = static_cast<TNWSApiAlertItem *>(list->Add());
        item->Data = a;
        item->County = county;
        item->Name = a.Event;
        TDateTime eff = item->GetEffective();
        if (eff != 0) item->Date = eff;
    }
    list->LastUpdate = Clock::Now();
    alerts_ = std::move(list);
}

void TNWSApiService::RefreshAlerts() {
    std::string error;
    if (!ensurePoint(error)) {
        if (!error.empty()) failed(TKind::Alerts, error);
        return;
    }
    const std::string url = AlertsUrl(point_.CountyZone);
    std::string body;
    if (point_.CountyZone.empty() || fetch(url, body) == TFetch::Failed) {
        failed(TKind::Alerts, problemText(url));
        return;
    }
    if (!LoadAlerts(body)) {
        lastProblem_ = TProblem{};
        lastProblem_.Title = "not an alert list";
        failed(TKind::Alerts, problemText(url));
        return;
    }
    succeeded(TKind::Alerts);
    DoAlertsUpdated();
}

// ---- stations ----

void TNWSApiService::SearchLocations(const std::string &text) {
    TCustomWxService::SearchLocations(text);
    searchStations_.clear();
    std::string key;
    size_t comma = text.find(',');
    if (comma != std::string::npos) {
        std::string lat = NwsApiCoordinate(text.substr(0, comma)), lon = NwsApiCoordinate(text.substr(comma + 1));
        if (!lat.empty() && !lon.empty()) key = lat + "," + lon;
    }
    if (key.empty()) key = pointKey();
    std::string error;
    TPoint p;
    bool ok = !key.empty() && readPoint(key, p, error);
    std::vector<TStation> list;
    if (ok) {
        const std::string url = rebase(p.StationsUrl);
        std::string body;
        ok = !url.empty() && fetch(url, body) != TFetch::Failed && ReadStations(body, list);
        if (!ok) error = problemText(url);
    }
    if (!ok) {
        if (!error.empty()) reportOnce(error);
        DoSearchDone(0);
        return;
    }
    searchPoint_ = p;
    for (TStation &s : list) {
        if (!s.DistanceM && s.Latitude && s.Longitude && p.Latitude && p.Longitude)
            s.DistanceM = haversineMetres(*p.Latitude, *p.Longitude, *s.Latitude, *s.Longitude);
    }
    std::stable_sort(list.begin(), list.end(), [](const TStation &a, const TStation &b) {
        return a.DistanceM.value_or(1e12) < b.DistanceM.value_or(1e12);
    });
    const bool km = GetSpeedUnit() == 1;
    for (const TStation &s : list) {
        std::string line = s.Id + " - " + s.Name;
        if (s.DistanceM)
            line += " (" + shortNumber(km ? *s.DistanceM / 1000.0 : MetresToMiles(*s.DistanceM)) + (km ? " km)" : " mi)");
        AddSearchResult(line, s.Id);
    }
    searchStations_ = list;
    DoSearchDone(static_cast<int>(GetSearchLines().size()));
}

TWxLocationRec TNWSApiService::LookupLocation(const std::string &id) {
    TWxLocationRec r = TCustomWxService::LookupLocation(id);
    if (id.empty()) return r;
    const TStation *found = nullptr;
    const TPoint *near = nullptr;
    for (const TStation &s : searchStations_)
        if (s.Id == id) found = &s, near = &searchPoint_;
    if (!found)
        for (const TStation &s : stations_)
            if (s.Id == id) found = &s, near = hasPoint_ ? &point_ : nullptr;
    std::vector<TStation> one;
    if (!found) {
        const std::string url = apiBase() + "/stations/" + id;
        std::string body;
        if (fetch(url, body) == TFetch::Failed || !ReadStations(body, one) || one.empty()) return r;
        found = &one.front();
        near = hasPoint_ ? &point_ : nullptr;
    }
    r.Name = found->Name;
    r.ID = found->Id;
    r.Latitude = found->Latitude ? NwsApiCoordinate(fmt("%.6f", *found->Latitude)) : "0";
    r.Longitude = found->Longitude ? NwsApiCoordinate(fmt("%.6f", *found->Longitude)) : "0";
    r.County = !found->CountyZone.empty() ? found->CountyZone : (near ? near->CountyZone : "N/A");
    if (near && !near->City.empty()) {
        r.CityState = near->City + ", " + near->State;
        r.State = near->State;
    }
    r.Extra = found->TimeZone;
    return r;
}

TWxLocationRec TNWSApiService::GetSearchResult(int index) {
    const std::vector<std::string> &ids = GetSearchIds();
    if (index >= 0 && index < static_cast<int>(ids.size())) return LookupLocation(ids[index]);
    return TCustomWxService::GetSearchResult(index);
}

void TNWSApiService::ClearCache() {
    TCustomWxService::ClearCache();
    if (AllowTemp()) return;
    // Point replies stay: they change rarely and the API asks clients to keep them.
    std::error_code ec;
    fs::directory_iterator it(CacheFolderPath() + kCacheSub, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code fe;
        if (!it->is_regular_file(fe)) continue;
        if (it->path().filename().string().compare(0, std::char_traits<char>::length(kPointPrefix), kPointPrefix) == 0)
            continue;
        fs::remove(it->path(), fe);
    }
}
