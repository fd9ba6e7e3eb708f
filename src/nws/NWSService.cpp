#include "nws/NWSService.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>

#include "app/IniSettings.h"
#include "dialogs/MsgHook.h"
#include "nws/NWSAlerts.h"
#include "nws/NWSForecast.h"
#include "nws/NWSRegister.h"
#include "nws/NWSSunMoon.h"
#include "nws/Stations.h"
#include "nws/XmlDateTime.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "service/Servers.h"

namespace {

// Binds an already parsed document to a root wrapper without parsing it again.
template <class TRoot>
struct TBinder : TRoot {
    TBinder(xmlb::DocPtr doc, const char *rootName) { this->Bind(std::move(doc), std::string(), rootName); }
};

template <class TRoot>
TRoot bindRoot(xmlb::DocPtr doc, const char *rootName) {
    return TBinder<TRoot>(std::move(doc), rootName);
}

std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string> &lines) {
    std::string text;
    size_t n = 0;
    for (const auto &l : lines) n += l.size() + 1;
    text.reserve(n);
    for (const auto &l : lines) {
        text += l;
        text += '\n';
    }
    return text;
}

bool readWholeFile(const std::string &path, std::string &out) {
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool writeWholeFile(const std::string &path, const std::string &text) {
    std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

// The rest of the line after position p (plus skip), up to the next line feed.
std::string faultPiece(const std::string &text, const char *key, size_t skip) {
    size_t p = text.find(key);
    if (p == std::string::npos) return {};
    p += skip;
    if (p >= text.size()) return {};
    size_t lf = text.find('\n', p);
    return text.substr(p, lf == std::string::npos ? std::string::npos : lf - p);
}

// Without an image decoder in core, a thumbnail counts as loaded when it starts like a GIF or PNG.
bool looksLikeImage(const std::string &path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    char b[6] = {};
    in.read(b, sizeof b);
    if (in.gcount() < 4) return false;
    return std::string(b, 3) == "GIF" || std::string(b + 1, 3) == "PNG";
}

}  // namespace

TNWxService::TNWxService(void *owner) : TCustomWxService(owner) {
    name_ = kNwsServiceName;
    description_ = kNwsDisplayName;
    hasInset_ = true;
}

TNWxService::~TNWxService() {
    currentObs_ = TNWSCurrent();
    forecastDoc_ = TXMLDwml();
    textForecastDoc_ = TXMLDwml();
    alertIndex_ = TCAPIndex();
    alerts_.reset();
}

std::string TNWxService::RegisterNwsService(TIniSettings &ini) { return ::RegisterNwsService(ini); }

std::string TNWxService::RegionOfState(const std::string &code) {
    const std::string c = UpperCase(code);
    auto in = [&c](std::initializer_list<const char *> list) {
        for (const char *s : list)
            if (c == s) return true;
        return false;
    };
    if (in({"AL", "AR", "FL", "GA", "LA", "MS", "NM", "OK", "TN", "TX"})) return "srh";
    if (in({"AZ", "CA", "ID", "MT", "NV", "OR", "UT", "WA"})) return "wrh";
    if (in({"CT", "DE", "ME", "MA", "NJ", "NY", "NC", "OH", "PA", "RI", "VT", "VA", "WV"})) return "erh";
    if (in({"HI", "GU", "GUAM"})) return "prh";
    if (in({"AK"})) return "arh";
    return "crh";
}

std::string TNWxService::StripLastUpdated(const std::string &text) {
    static const std::string key = "last updated on";
    size_t p = LowerCase(text).find(key);
    if (p == std::string::npos) return text;
    std::string r = text;
    r.erase(p, key.size());
    return r;
}

void TNWxService::RepairSummaryLines(std::vector<std::string> &lines) {
    for (std::string &line : lines) {
        if (line.find("ummary") == std::string::npos) continue;
        size_t q1 = line.find('"');
        size_t lt1 = line.find('<');
        size_t lt2 = lt1 == std::string::npos ? std::string::npos : line.find('<', lt1 + 1);
        size_t qLast = line.rfind('"');
        if (q1 == std::string::npos || lt2 == std::string::npos || qLast == std::string::npos) continue;
        if (!(q1 < lt2 && lt2 < qLast)) continue;
        size_t bad = line.find("< ");
        // The space after "<" stays, so "< 20%" reads "less than 20%".
        if (bad != std::string::npos) line.replace(bad, 1, "less than");
    }
}

// ---- requests ----

std::string TNWxService::BuildCurrentURL() {
    const std::string location = GetLocation();
    if (location.empty()) {
        RequestSetup(0);
        return {};
    }
    return NWSCurrentObsUrl(GetHttpBase(), GetXmlPath(), location);
}

std::string TNWxService::BuildForecastURL() {
    const std::string lat = GetLatitude(), lon = GetLongitude();
    if (lat.empty() || lon.empty()) {
        RequestSetup(0);
        return {};
    }
    const std::string start = DateTimeToXml(Clock::Now() + 1.0 / 24.0);
    return NWSNdfdUrl(GetHttpBase(), lat, lon, GetPeriods12(), start, GetScale(), GetNumDays());
}

std::string TNWxService::BuildTextForecastURL() {
    const std::string lat = GetLatitude(), lon = GetLongitude();
    if (lat.empty() || lon.empty()) return {};
    return NWSMapClickUrl(ServerBase(TServer::NWSForecast), lat, lon, GetScale());
}

std::string TNWxService::BuildAlertIndexURL() {
    const std::string state = GetStateCode();
    if (state.empty()) return {};
    return NWSCapIndexUrl(ServerBase(TServer::NWSAlerts), state);
}

std::string TNWxService::GetSite() {
    if (!sectionAvailable()) return {};
    return LowerCase(settings_->ReadString(SectionName(), "Site", ""));
}

std::string TNWxService::GetRadar() {
    if (!sectionAvailable()) return "FTG";
    return settings_->ReadString(SectionName(), "Radar", "FTG");
}

// ---- documents ----

bool TNWxService::LoadDocumentText(const std::string &url, const std::string &fileName, std::string &text) {
    text.clear();
    if (!DownloadToFile(url, GetCacheFolder(), fileName)) return false;
    const std::string path = CacheFolderPath() + SafeFileName(fileName);
    std::string raw;
    bool read = readWholeFile(path, raw);
    if (!allowTemp_ && fileName != "NWSStations.xml") std::remove(NativePath(path).c_str());
    if (!read) return false;

    return ReadReply(raw, text);
}

bool TNWxService::ReadReply(const std::string &raw, std::string &text) {
    text.clear();
    std::vector<std::string> lines = splitLines(raw);
    RepairSummaryLines(lines);
    std::string whole = joinLines(lines);

    if (whole.find("Fault") != std::string::npos) {
        TMsgRequest m;
        m.Message = "Fault from " + faultPiece(whole, "faultcode", 14) + "\nReason: " +
                    faultPiece(whole, "faultstring", 16) + "\nValue: " + faultPiece(whole, "soapVal", 12);
        m.Caption = GetDescription();
        m.Icon = miStop;
        m.Button2 = "btnHidden";
        RequestMessage(m);
        return false;
    }
    if (LowerCase(whole.substr(0, 80)).find("html") != std::string::npos) return false;
    text = std::move(whole);
    return true;
}

bool TNWxService::LoadDocument(const std::string &url, const std::string &fileName, xmlb::DocPtr &doc) {
    doc.reset();
    std::string text;
    if (!LoadDocumentText(url, fileName, text)) return false;
    doc = xmlb::Parse(text);
    return doc != nullptr;
}

// ---- sun and moon: NWSSunMoon.cpp ----

// ---- getters ----

std::string TNWxService::GetLocationCaption() {
    if (!CurrentObs()) return "Location";
    return currentObs_.location() + " - " + GetLocation();
}

TWxPicture *TNWxService::GetConditionsPicture() {
    if (!CurrentObs()) return TCustomWxService::GetConditionsPicture();
    const std::string name = currentObs_.icon_url_name();
    if (name.empty()) return TCustomWxService::GetConditionsPicture();
    IconName = name;
    IconBase = currentObs_.icon_url_base();
    if (!conditionsPicture_) conditionsPicture_ = std::make_unique<TWxPicture>();
    return conditionsPicture_.get();
}

TWxPicture *TNWxService::GetLogo() {
    const std::string path = GetAppFolder() + "Images\\NWS\\xml_logo.png";
    if (!FileExists(path)) return nullptr;
    if (!logoPicture_) logoPicture_ = std::make_unique<TWxPicture>();
    logoPicture_->FileName = NativePath(path);
    return logoPicture_.get();
}

TWxPicture *TNWxService::GetRadarThumbnail() {
    const std::string id = GetRadar();
    const std::string name = SafeFileName(id + "_Thumb.gif");
    if (name.empty()) return nullptr;
    if (!DownloadToFile(NWSRadarThumbUrl(ServerBase(TServer::NWSRadar), id), "Cache\\Images\\", name)) return nullptr;
    const std::string path = GetDataFolder() + "Cache\\Images\\" + name;
    if (!looksLikeImage(path)) return nullptr;
    if (!thumbnailPicture_) thumbnailPicture_ = std::make_unique<TWxPicture>();
    thumbnailPicture_->FileName = NativePath(path);
    return thumbnailPicture_.get();
}

int TNWxService::GetTemperature() {
    if (!CurrentObs()) return 0;
    return GetScale() == 1 ? currentObs_.temp_c() : currentObs_.temp_f();
}

int TNWxService::GetFeelsLike() {
    if (!CurrentObs()) return 0;
    const bool c = GetScale() == 1;
    const int heat = c ? currentObs_.heat_index_c() : currentObs_.heat_index_f();
    if (heat >= 1) return heat;
    const int chill = c ? currentObs_.windchill_c() : currentObs_.windchill_f();
    return chill != 0 ? chill : 0;
}

int TNWxService::GetHumidity() { return CurrentObs() ? currentObs_.relative_humidity() : 0; }
std::string TNWxService::GetDewPoint() { return CurrentObs() ? currentObs_.dewpoint_string() : std::string(); }
std::string TNWxService::GetPressure() { return CurrentObs() ? currentObs_.pressure_string() : std::string(); }
std::string TNWxService::GetWindSpeed() { return CurrentObs() ? ConvertSpeed(currentObs_.wind_mph()) : "0"; }
int TNWxService::GetWindDirection() { return CurrentObs() ? currentObs_.wind_degrees() : 0; }
std::string TNWxService::GetWindGust() { return CurrentObs() ? ConvertSpeed(currentObs_.wind_gust_mph()) : "0"; }
std::string TNWxService::GetSunrise() { return sunrise_.empty() ? "0:00 am" : sunrise_; }
std::string TNWxService::GetSunset() { return sunset_.empty() ? "0:00 pm" : sunset_; }
std::string TNWxService::GetMoonPhase() {
    return moonPhase_.empty() ? TCustomWxService::GetMoonPhase() : moonPhase_;
}
std::string TNWxService::GetConditions() { return CurrentObs() ? currentObs_.weather() : std::string(); }

std::string TNWxService::GetVisibility() {
    if (!CurrentObs()) return "0";
    return ConvertSpeed(currentObs_.visibility_mi());
}

std::string TNWxService::GetRealFeel() {
    if (!CurrentObs()) return "0";
    return TCustomWxService::GetRealFeel();
}

std::string TNWxService::GetWindText() {
    return CurrentObs() ? "Wind " + currentObs_.wind_string() : std::string();
}

std::string TNWxService::GetObservationTime() {
    return CurrentObs() ? StripLastUpdated(currentObs_.observation_time()) : observationText_;
}

std::string TNWxService::GetForecastTime() { return forecastTime_; }

std::string TNWxService::GetWebPageURL() {
    if (!settings_) return GetHttpBase();
    return NWSRegionPageUrl(RegionOfState(GetStateCode()), GetSite());
}

std::string TNWxService::GetLinkURL() { return GetWebPageURL(); }

std::string TNWxService::GetHistoryURL() { return historyURL_.empty() ? GetHttpBase() : historyURL_; }

bool TNWxService::AcceptLanguage(std::string &code) {
    if (code.empty()) return TCustomWxService::AcceptLanguage(code);
    return GetLanguage() == "ENU";
}

// ---- location search ----

namespace {
TWxLocationRec toLocation(const TStationRec &s) {
    return TWxLocationRec{s.Name, s.ID, s.Latitude, s.Longitude, s.CityState, s.County, s.State, s.ZipCode, s.Extra};
}
}  // namespace

void TNWxService::SearchLocations(const std::string &text) {
    TCustomWxService::SearchLocations(text);
    try {
        TStationSearch found;
        ::SearchLocations(Data, text, GetLatitude(), GetLongitude(), found);
        for (size_t i = 0; i < found.Lines.size() && i < found.Ids.size(); ++i)
            AddSearchResult(found.Lines[i], found.Ids[i]);
        DoSearchDone(static_cast<int>(searchLines_.size()));
    } catch (const std::exception &) {
    }
}

TWxLocationRec TNWxService::LookupLocation(const std::string &id) {
    TWxLocationRec base = TCustomWxService::LookupLocation(id);
    try {
        TStationRec rec{base.Name, base.ID, base.Latitude, base.Longitude, base.CityState,
                        base.County, base.State, base.ZipCode, base.Extra};
        ::LookupLocation(Data, id, rec);
        return toLocation(rec);
    } catch (const std::exception &) {
        return base;
    }
}

TWxLocationRec TNWxService::GetSearchResult(int index) {
    const std::vector<std::string> &ids = GetSearchIds();
    if (index < 0 || static_cast<size_t>(index) >= ids.size()) return TCustomWxService::GetSearchResult(index);
    return LookupLocation(ids[static_cast<size_t>(index)]);
}

// ---- refreshes ----

void TNWxService::RefreshCurrent() {
    try {
        const std::string url = BuildCurrentURL();
        if (url.empty()) return;
        xmlb::DocPtr doc;
        LoadDocument(url, "NWSCurrent.xml", doc);
        if (doc) {
            currentObs_ = bindRoot<TNWSCurrent>(doc, "current_observation");
            if (currentObs_.Active()) {
                observationText_ = StripLastUpdated(currentObs_.observation_time());
                historyURL_ = currentObs_.two_day_history_url();
                const double now = Clock::Now();
                if (SunMoonDue(sunrise_, now)) RefreshSunMoon();
                DoCurrentUpdated();
            }
        }
    } catch (const std::exception &e) {
        LogFailure(std::string("Current conditions: ") + e.what());
    }
    currentObs_ = TNWSCurrent();
}

void TNWxService::ParseForecasts() {
    TNwsForecastInput in{ForecastDoc(), TextForecastDoc(), GetPeriods12(), GetScale(), GetNumDays()};
    if (!in.Ndfd) return;
    ParseNwsForecasts(in, *forecasts_);
}

void TNWxService::RefreshForecast() {
    try {
        const std::string url = BuildForecastURL();
        if (url.empty()) return;  // setup was requested
        if (LowerCase(url).find("http") == std::string::npos) {
            RequestSetup(0);
            return;
        }
        xmlb::DocPtr ndfd, text;
        LoadDocument(url, "NWSForecast.xml", ndfd);
        LoadDocument(BuildTextForecastURL(), "NWSfcText.xml", text);
        if (text) textForecastDoc_ = bindRoot<TXMLDwml>(text, "dwml");
        if (ndfd) {
            forecastDoc_ = bindRoot<TXMLDwml>(ndfd, "dwml");
            if (forecastDoc_.Active()) {
                const std::string created = forecastDoc_.head().product().creation_date().Value();
                if (!created.empty()) forecastTime_ = created;
                ParseForecasts();
                DoForecastUpdated();
            }
        }
    } catch (const std::exception &e) {
        LogFailure(std::string("Forecast: ") + e.what());
    }
    forecastDoc_ = TXMLDwml();
    textForecastDoc_ = TXMLDwml();
}

void TNWxService::ParseAlerts() {
    if (alerts_) alerts_->Clear();
    const TCAPIndex *index = AlertIndex();
    if (!index) {
        alerts_.reset();
        return;
    }
    // The first alert of a walk and every later one go to their own cache files;
    // the parser reads each as soon as fetch returns.
    int calls = 0;
    std::vector<std::string> written;
    auto fetch = [this, &calls, &written](const std::string &url) -> std::string {
        const std::string name = calls++ == 0 ? "NWSAlerts.cap" : "Temp.cap";
        std::string text;
        if (!LoadDocumentText(url, name, text)) return {};
        const std::string path = CacheFolderPath() + name;
        if (!writeWholeFile(path, text)) return {};
        written.push_back(path);
        return path;
    };
    std::unique_ptr<TAlerts> parsed = ParseNwsAlerts(*index, GetCountyCode(), fetch);
    if (!allowTemp_)
        for (const std::string &p : written) std::remove(p.c_str());
    alerts_ = std::move(parsed);
    if (alerts_ && alerts_->Count() == 0) alerts_.reset();
}

void TNWxService::RefreshAlerts() {
    try {
        const std::string url = BuildAlertIndexURL();
        if (LowerCase(url).find("http") == std::string::npos) {
            RequestSetup(0);
            return;
        }
        std::string text;
        if (!LoadDocumentText(url, "NWSIndex.cap", text)) {
            alerts_.reset();
            return;
        }
        alertIndex_ = TCAPIndex::LoadFromBuffer(text);
        if (!alertIndex_.Active()) {
            alerts_.reset();
        } else {
            ParseAlerts();
            DoAlertsUpdated();
        }
    } catch (const std::exception &e) {
        LogFailure(std::string("Alerts: ") + e.what());
    }
    alertIndex_ = TCAPIndex();
}
