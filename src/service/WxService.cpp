#include "service/WxService.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/IniSettings.h"
#include "platform/Paths.h"

namespace {
const char *const kWx = "Wx";
}

TCustomWxService::TCustomWxService(void *owner) : forecasts_(std::make_unique<TForecasts>(owner)), owner_(owner) {}

TCustomWxService::~TCustomWxService() {
    forecasts_.reset();
    headText_.clear();
    searchIds_.clear();
    searchLines_.clear();
    conditionsPicture_.reset();
    logoPicture_.reset();
    thumbnailPicture_.reset();
    TCustomWxService::ClearCache();
}

void TCustomWxService::Attach(std::uint8_t serviceNumber, TIniSettings *settings) {
    serviceNumber_ = serviceNumber;
    SetSettingsFile(settings);
}

// ---- settings plumbing ----

bool TCustomWxService::sectionAvailable() const { return settings_ && settings_->SectionExists(SectionName()); }

std::string &TCustomWxService::readKey(std::string &field, const char *key, const std::string &def) {
    if (sectionAvailable()) field = settings_->ReadString(SectionName(), key, def);
    return field;
}

void TCustomWxService::writeKey(std::string &field, const char *key, const std::string &value) {
    if (field == value) return;
    field = value;
    if (settings_) settings_->WriteString(SectionName(), key, value);
    DoSettingsChanged();
}

std::string TCustomWxService::GetName() { return readKey(name_, "Name"); }
void TCustomWxService::SetName(const std::string &v) { writeKey(name_, "Name", v); }
std::string TCustomWxService::GetHttpBase() { return readKey(httpBase_, "httpBase"); }
void TCustomWxService::SetHttpBase(const std::string &v) { writeKey(httpBase_, "httpBase", v); }
std::string TCustomWxService::GetXmlPath() { return readKey(xmlPath_, "XML"); }
void TCustomWxService::SetXmlPath(const std::string &v) { writeKey(xmlPath_, "XML", v); }
std::string TCustomWxService::GetHtmlPath() { return readKey(htmlPath_, "HTML"); }
void TCustomWxService::SetHtmlPath(const std::string &v) { writeKey(htmlPath_, "HTML", v); }
std::string TCustomWxService::GetSeekPath() { return readKey(seekPath_, "Seek"); }
void TCustomWxService::SetSeekPath(const std::string &v) { writeKey(seekPath_, "Seek", v); }
std::string TCustomWxService::GetLocation() { return readKey(location_, "Location"); }
void TCustomWxService::SetLocation(const std::string &v) { writeKey(location_, "Location", v); }
std::string TCustomWxService::GetLatitude() { return readKey(latitude_, "Latitude"); }
void TCustomWxService::SetLatitude(const std::string &v) { writeKey(latitude_, "Latitude", NormalizeCoordinate(v)); }
std::string TCustomWxService::GetLongitude() { return readKey(longitude_, "Longitude"); }
void TCustomWxService::SetLongitude(const std::string &v) {
    writeKey(longitude_, "Longitude", NormalizeCoordinate(v));
}
std::string TCustomWxService::GetStateCode() { return readKey(stateCode_, "StateCode"); }
void TCustomWxService::SetStateCode(const std::string &v) { writeKey(stateCode_, "StateCode", v); }
std::string TCustomWxService::GetCountyCode() { return readKey(countyCode_, "CountyCode"); }
void TCustomWxService::SetCountyCode(const std::string &v) { writeKey(countyCode_, "CountyCode", v); }
std::string TCustomWxService::GetCityName() { return readKey(cityName_, "CityName"); }
void TCustomWxService::SetCityName(const std::string &v) { writeKey(cityName_, "CityName", v); }

std::string TCustomWxService::GetLanguage() { return readKey(language_, "Language", "ENU"); }

void TCustomWxService::SetLanguage(const std::string &v) {
    if (v == language_) return;
    if (settings_) settings_->WriteString(SectionName(), "Language", v);
    language_ = v;
    DoLanguageChanged(v);
}

int TCustomWxService::GetPort() {
    if (sectionAvailable()) port_ = settings_->ReadInteger(SectionName(), "Port", 80);
    return port_;
}

void TCustomWxService::SetPort(int v) {
    if (v == port_) return;
    port_ = v;
    if (settings_) settings_->WriteInteger(SectionName(), "Port", v);
    DoSettingsChanged();
}

int TCustomWxService::GetNumDays() {
    if (settings_ && settings_->SectionExists(kWx)) numDays_ = settings_->ReadInteger(kWx, "NumDays", 5);
    return numDays_;
}

void TCustomWxService::SetNumDays(int v) {
    if (v == numDays_) return;
    numDays_ = v;
    if (settings_) settings_->WriteInteger(kWx, "NumDays", v);
    DoSettingsChanged();
}

bool TCustomWxService::GetPeriods12() {
    if (settings_ && settings_->SectionExists(kWx)) periods12_ = settings_->ReadInteger(kWx, "Periods", 12) == 12;
    return periods12_;
}

void TCustomWxService::SetPeriods12(bool v) {
    if (v == periods12_) return;
    periods12_ = v;
    if (settings_) settings_->WriteInteger(kWx, "Periods", v ? 12 : 24);
    DoSettingsChanged();
}

std::uint8_t TCustomWxService::GetScale() {
    scale_ = 0;
    if (settings_ && settings_->SectionExists(kWx))
        scale_ = static_cast<std::uint8_t>(settings_->ReadInteger(kWx, "Scale", 0));
    return scale_;
}

std::uint8_t TCustomWxService::GetSpeedUnit() {
    speedUnit_ = 0;
    if (settings_ && settings_->SectionExists(kWx))
        speedUnit_ = static_cast<std::uint8_t>(settings_->ReadInteger(kWx, "Speed", 0));
    return speedUnit_;
}

void TCustomWxService::SetAllowTemp(bool v) {
    if (v == allowTemp_) return;
    allowTemp_ = v;
    DoAllowTempChanged();
}

void TCustomWxService::SetHasInset(bool v) {
    if (v == hasInset_) return;
    hasInset_ = v;
    DoInsetChanged();
}

// ---- virtual operations, base behaviour ----

std::string TCustomWxService::GetSettingsFileName() const { return settings_ ? settings_->FileName() : std::string(); }

void TCustomWxService::SetSettingsFile(TIniSettings *settings) {
    settings_ = settings;
    LoadSettings();
}

std::string TCustomWxService::SectionName() const { return "Service" + std::to_string(serviceNumber_); }

void TCustomWxService::RegisterService() {
    if (!settings_) return;
    const std::string section = SectionName();
    if (!settings_->SectionExists("Services") || !settings_->ValueExists("Services", section))
        settings_->WriteString("Services", section, description_);
    if (!settings_->SectionExists(section)) settings_->WriteString(section, "Name", name_);
}

void TCustomWxService::SetScale(std::uint8_t value) {
    if (value == scale_) return;
    scale_ = value;
    if (settings_) settings_->WriteInteger(kWx, "Scale", value & 127);
    DoSettingsChanged();
}

void TCustomWxService::SetSpeedUnit(std::uint8_t value) {
    if (value == speedUnit_) return;
    speedUnit_ = value;
    if (settings_) settings_->WriteInteger(kWx, "Speed", value & 127);
}

std::string TCustomWxService::GetLocationCaption() { return "Location"; }
TWxPicture *TCustomWxService::GetConditionsPicture() { return nullptr; }
TWxPicture *TCustomWxService::GetLogo() { return nullptr; }
TWxPicture *TCustomWxService::GetRadarThumbnail() { return nullptr; }

void TCustomWxService::SetRadarThumbnail(const TWxPicture *picture) {
    if (picture == thumbnailPicture_.get()) return;
    if (!picture) {
        thumbnailPicture_.reset();
        return;
    }
    if (!thumbnailPicture_) thumbnailPicture_ = std::make_unique<TWxPicture>();
    *thumbnailPicture_ = *picture;
}

int TCustomWxService::GetTemperature() { return 0; }
int TCustomWxService::GetFeelsLike() { return 0; }
int TCustomWxService::GetHumidity() { return 0; }
std::string TCustomWxService::GetDewPoint() { return {}; }
std::string TCustomWxService::GetPressure() { return {}; }
std::string TCustomWxService::GetPrecipitation() { return "0.00"; }
std::string TCustomWxService::GetWindSpeed() { return {}; }
int TCustomWxService::GetWindDirection() { return 0; }
std::string TCustomWxService::GetWindGust() { return {}; }
std::string TCustomWxService::GetSunrise() { return "0:00 am"; }
std::string TCustomWxService::GetSunset() { return "0:00 pm"; }
std::string TCustomWxService::GetMoonPhase() { return "Waxing Gibbous"; }
std::string TCustomWxService::GetConditions() { return {}; }
std::string TCustomWxService::GetVisibility() { return {}; }

std::string TCustomWxService::GetRealFeel() {
    // Integer division truncates toward zero, as wanted for negative values.
    long long sum = static_cast<long long>(GetTemperature()) + GetFeelsLike();
    return std::to_string(sum / 2);
}

std::string TCustomWxService::GetWindText() { return {}; }
std::string TCustomWxService::GetObservationTime() { return "00:00:00"; }
std::string TCustomWxService::GetForecastTime() { return "00:00:00"; }
int TCustomWxService::GetMaxDays() { return 7; }
void TCustomWxService::SetSpareFlag(bool flag) { spareFlag_ = flag; }

int TCustomWxService::GetRadarIndex() {
    if (sectionAvailable()) radarIndex_ = settings_->ReadInteger(SectionName(), "Radar", 0);
    return radarIndex_;
}

void TCustomWxService::SetRadarIndex(int value) {
    if (value == radarIndex_) return;
    radarIndex_ = value;
    if (settings_) settings_->WriteInteger(SectionName(), "Radar", value);
    DoSettingsChanged();
}

std::string TCustomWxService::GetWebPageURL() { return htmlPath_; }
std::string TCustomWxService::GetLinkURL() { return httpBase_; }
std::string TCustomWxService::GetHistoryURL() { return httpBase_; }
std::string TCustomWxService::GetAppFolder() { return DataPath(); }
bool TCustomWxService::RemoteFileExists(const std::string &url) { return HeadLength(url) >= 0; }
bool TCustomWxService::CheckConnection() { return TestConnection(GetHttpBase()); }
void TCustomWxService::ParseForecasts() { forecasts_->Clear(); }

void TCustomWxService::ParseAlerts() {
    if (alerts_) alerts_->Clear();
}

void TCustomWxService::DoAllowTempChanged() {
    if (OnAllowTempChanged) OnAllowTempChanged(*this);
}
void TCustomWxService::DoInsetChanged() {
    if (OnInsetChanged) OnInsetChanged(*this);
}
void TCustomWxService::DoLanguageApplied() {
    if (OnLanguageApplied) OnLanguageApplied(*this);
}
void TCustomWxService::DoLanguageChanged(const std::string &code) {
    if (OnLanguageChanged) OnLanguageChanged(*this, code);
    DoLanguageApplied();
}
void TCustomWxService::LogSuccess(const std::string &message) {
    if (OnConnectSuccess) OnConnectSuccess("Connect Success!", message);
}
void TCustomWxService::LogFailure(const std::string &message) {
    if (OnConnectFailure) OnConnectFailure("Connect Failure", message);
}
void TCustomWxService::DoSettingsChanged() {
    if (OnSettingsChanged) OnSettingsChanged(*this);
}
void TCustomWxService::DoCurrentUpdated() {
    if (OnCurrent) OnCurrent(*this);
}
void TCustomWxService::DoForecastUpdated() {
    if (OnForecast) OnForecast(*this);
}
void TCustomWxService::DoAlertsUpdated() {
    if (OnAlerts) OnAlerts(*this);
}
void TCustomWxService::DoSearchDone(int count) {
    if (OnSearchDone) OnSearchDone(*this, count);
}

bool TCustomWxService::AcceptLanguage(std::string &code) {
    if (code.empty()) code = GetLanguage();
    return true;
}

std::string TCustomWxService::GetCacheFolder() { return "Cache\\"; }

void TCustomWxService::SearchLocations(const std::string &) {
    searchIds_.clear();
    searchLines_.clear();
}

TWxLocationRec TCustomWxService::LookupLocation(const std::string &) {
    return TWxLocationRec{"Invalid location", "", "0", "0", "N/A", "N/A", "N/A", "0", "N/A"};
}

TWxLocationRec TCustomWxService::GetSearchResult(int) { return TCustomWxService::LookupLocation(std::string()); }

bool TCustomWxService::SaveSettings() { return settings_ && settings_->UpdateFile(); }

void TCustomWxService::LoadSettings() {
    if (!settings_) return;
    GetName();
    GetHttpBase();
    GetPort();
    GetXmlPath();
    GetHtmlPath();
    GetSeekPath();
    GetLocation();
    GetLatitude();
    GetLongitude();
    GetStateCode();
    GetCountyCode();
}

void TCustomWxService::RequestSetup(int page) {
    if (OnSetupRequest) OnSetupRequest(page, 0);
}

void TCustomWxService::HandleRedirect(const std::string &requestUrl, std::string &dest, int count, bool &handled,
                                      const std::string &method) {
    if (OnRedirect) {
        OnRedirect(requestUrl, dest, count, handled, method);
        return;
    }
    if (!settings_ || requestUrl.empty()) return;
    auto beforeLastSlash = [](const std::string &s) {
        size_t p = s.rfind('/');
        return p == std::string::npos ? s : s.substr(0, p);
    };
    const std::string oldBase = beforeLastSlash(requestUrl);
    const std::string newBase = beforeLastSlash(dest);
    const std::string section = GetName();
    for (const std::string &line : settings_->GetStrings()) {
        if (line.find(oldBase) == std::string::npos) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0) continue;
        settings_->WriteString(section, line.substr(0, eq), newBase);
    }
}

void TCustomWxService::RefreshCurrent() { DoCurrentUpdated(); }
void TCustomWxService::RefreshForecast() { DoForecastUpdated(); }
void TCustomWxService::RefreshAlerts() { DoAlertsUpdated(); }

// ---- helpers ----

std::string TCustomWxService::GetDataFolder() { return ProfilePath(); }

std::string TCustomWxService::CacheFolderPath() { return NativePath(GetDataFolder() + GetCacheFolder()); }

std::string TCustomWxService::ConvertSpeed(const std::string &text) {
    if (GetSpeedUnit() != 1) return text;
    const char *begin = text.c_str();
    while (*begin == ' ') ++begin;
    if (!*begin) return text;
    char *end = nullptr;
    errno = 0;
    double miles = std::strtod(begin, &end);
    while (end && *end == ' ') ++end;
    if (errno != 0 || !end || *end != '\0' || !std::isfinite(miles)) return text;
    // nearbyint rounds halves to even under the default rounding mode.
    double km = std::nearbyint(miles * 1.60944);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", km);
    std::string r(buf);
    return r == "-0" ? "0" : r;
}

std::string TCustomWxService::NormalizeCoordinate(const std::string &text) {
    if (text.empty()) return text;
    std::string s = text;
    size_t dot = s.rfind('.');
    if (dot != std::string::npos && dot + 1 > 5) s.erase(dot, 3);
    size_t apos = s.find('\'');
    if (apos != std::string::npos) s.erase(apos, 1);
    if (!s.empty()) {
        char last = s.back();
        if (last == 'E' || last == 'N') {
            s.pop_back();
        } else if (last == 'W' || last == 'S') {
            s.pop_back();
            s.insert(s.begin(), '-');
        }
    }
    return s;
}

const std::vector<std::string> &TCustomWxService::GetSearchIds() {
    if (searchIds_.size() != searchLines_.size()) SearchLocations(GetCityName());
    return searchIds_;
}

void TCustomWxService::AddSearchResult(const std::string &line, const std::string &id) {
    if (line.empty() || id.empty()) return;
    searchLines_.push_back(line);
    searchIds_.push_back(id);
}
