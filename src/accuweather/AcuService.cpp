#include "accuweather/AcuService.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "accuweather/AccuAlert.h"
#include "accuweather/AccuFind.h"
#include "app/IniSettings.h"
#include "dialogs/MsgHook.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "platform/TimeZone.h"
#include "service/Servers.h"

namespace {

const char *const kCurrentFile = "AcuCurrent.xml";
const char *const kSearchFile = "AcuSearch.xml";
const char *const kAlertFile = "AcuAlert.htm";
const char *const kLogoFile = "Images\\Acu\\accuweather_logomark_color-sm.png";
const char *const kNoAlerts = "There are no active watches, warnings or advisories.";

std::string lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string joinLines(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &l : lines) {
        text += l;
        text += '\n';
    }
    return text;
}

// The message of an error document: the text after "<failure>" (or, failing
// that, "<error>") up to the next tag. False for an ordinary document.
bool errorMessage(const std::string &text, std::string &message) {
    const std::string low = lower(text);
    for (const char *tag : {"<failure>", "<error>"}) {
        size_t p = low.find(tag);
        if (p == std::string::npos) continue;
        size_t start = p + std::char_traits<char>::length(tag);
        size_t end = text.find('<', start);
        message = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        return true;
    }
    return false;
}

std::string replaceFirst(std::string s, const std::string &what, const std::string &with) {
    size_t p = s.find(what);
    if (p != std::string::npos) s.replace(p, what.size(), with);
    return s;
}

bool daylightNow() { return GetTimeZoneBias(static_cast<std::time_t>(LocalToUnix(Clock::Now()))).DaylightNow; }

// Runs a getter body; a value that does not convert gives the fallback.
template <class T, class F> T orFallback(T fallback, F &&read) {
    try {
        return read();
    } catch (const std::exception &) {
        return fallback;
    }
}

}  // namespace

// ---- alert items ----

void TAcuAlertItem::Assign(const TWxItem &source) {
    TCustomAlertItem::Assign(source);
    if (auto *a = dynamic_cast<const TAcuAlertItem *>(&source); a && a != this) {
        Event = a->Event;
        Headline = a->Headline;
        Description = a->Description;
        Web = a->Web;
        Issued = a->Issued;
    }
}

TDateTime TAcuAlertItem::GetEffective() const { return Clock::Now(); }

TAcuAlerts::TAcuAlerts(void *owner) : TAlerts(owner, [] { return std::make_unique<TAcuAlertItem>(); }) {}

std::string TAcuAlerts::GetStatus() const { return kNoAlerts; }

// ---- service ----

TAcuService::TAcuService(void *owner) : TCustomWxService(owner) {
    name_ = kAcuServiceName;
    description_ = kAcuDisplayName;
    hasInset_ = true;
}

TAcuService::~TAcuService() {
    releaseWeather();
    alerts_.reset();
}

void TAcuService::releaseWeather() { weather_.reset(); }

std::string TAcuService::IconSetBase() { return AcuIconBaseUrl(ServerBase(TServer::AccuIcons)) + "PNG/"; }

std::string TAcuService::IconFileName(int icon) {
    char num[16];
    std::snprintf(num, sizeof num, "%02d", icon);
    return std::string("PNG\\") + num + ".png";
}

void TAcuService::SetScale(std::uint8_t value) {
    TCustomWxService::SetScale(value);
    if (value <= 1 && GetSpeedUnit() != value) TCustomWxService::SetSpeedUnit(value);
    observationTime_.clear();
}

void TAcuService::SetSpeedUnit(std::uint8_t value) {
    TCustomWxService::SetSpeedUnit(value);
    if (value <= 1 && GetScale() != value) TCustomWxService::SetScale(value);
    observationTime_.clear();
}

std::string TAcuService::GetCurrentURL() {
    std::string query =
        AcuWeatherQuery(GetLocation(), GetLatitude(), GetLongitude(), GetSpeedUnit(), GetLanguage());
    if (query.empty()) {
        RequestSetup(0);
        return {};
    }
    std::string base = GetXmlPath();
    if (base.empty()) base = AcuDataBaseUrl();
    return AcuWeatherUrl(base, query);
}

std::string TAcuService::fetchDocument(const std::string &url, const std::string &fileName) {
    std::vector<std::string> lines;
    if (!DownloadToList(url, fileName, lines)) return {};
    std::string text = joinLines(lines);
    std::string message;
    if (errorMessage(text, message)) {
        TMsgRequest m;
        m.Message = message;
        m.Icon = miCaution;
        m.Button2 = "btnHidden";
        m.Caption = kAcuDisplayName;
        RequestMessage(m);
        return {};
    }
    return text;
}

bool TAcuService::loadWeather(const std::string &url) {
    releaseWeather();
    std::string text = fetchDocument(url, kCurrentFile);
    if (text.empty()) return false;
    auto doc = std::make_unique<AccuWx::TAcuWeatherDocument>();
    if (!doc->LoadFromString(text) || doc->IsEmpty()) return false;
    weather_ = std::move(doc);
    return true;
}

// ---- getters ----

std::string TAcuService::GetLocationCaption() {
    if (!weather_) {
        if (!settings_) return "N/A";
        const std::string s = SectionName();
        std::string r = settings_->ReadString(s, "CityName", "State College");
        std::string state = settings_->ReadString(s, "StateCode", "");
        std::string country = settings_->ReadString(s, "CountryCode", "");
        std::string loc = settings_->ReadString(s, "Location", "");
        if (!state.empty()) r += ", " + state;
        if (!country.empty()) r += ", " + country;
        // Coded locations ("cityId|...") mean nothing to a reader.
        if (!loc.empty() && loc.find('|') == std::string::npos) r += " - " + loc;
        return r;
    }
    AccuWx::TAcuLocal local = weather_->Root().Local();
    std::string r = local.City();
    std::string state = local.State();
    if (!state.empty()) r += ", " + state;
    std::string loc = GetLocation();
    if (!loc.empty() && loc.find('|') == std::string::npos) r += " - " + loc;
    return r;
}

TWxPicture *TAcuService::GetConditionsPicture() {
    if (!weather_) return nullptr;
    if (!conditionsPicture_) conditionsPicture_ = std::make_unique<TWxPicture>();
    try {
        IconName = IconFileName(weather_->Root().Currentconditions().Weathericon());
        IconBase = IconSetBase();
    } catch (const std::exception &) {
        // No icon number: nothing to load rather than some other condition's icon.
        IconName.clear();
        IconBase.clear();
    }
    return conditionsPicture_.get();
}

TWxPicture *TAcuService::GetLogo() {
    const std::string path = GetAppFolder() + kLogoFile;
    if (!FileExists(path)) return nullptr;
    if (!logoPicture_) logoPicture_ = std::make_unique<TWxPicture>();
    logoPicture_->FileName = NativePath(path);
    return logoPicture_.get();
}

int TAcuService::GetTemperature() {
    if (!weather_) return 0;
    return orFallback(0, [&] { return weather_->Root().Currentconditions().Temperature(); });
}

int TAcuService::GetFeelsLike() {
    if (!weather_) return 0;
    return orFallback(0, [&] { return weather_->Root().Currentconditions().Realfeel(); });
}

int TAcuService::GetHumidity() {
    if (!weather_) return 0;
    return orFallback(0, [&] {
        std::string h = weather_->Root().Currentconditions().Humidity();
        std::string digits;
        for (char c : h)
            if (c != '%') digits += c;
        return AcuXml::StrToInt(digits);
    });
}

std::string TAcuService::GetDewPoint() {
    if (!weather_) return "0%";
    return weather_->Root().Currentconditions().Dewpoint() + "\xC2\xB0";
}

std::string TAcuService::GetPressure() {
    if (!weather_) return "0";
    AccuWx::TAcuPressure p = weather_->Root().Currentconditions().Pressure();
    std::string value = p.Text();
    std::string state = p.State();
    if (value == "-999") return state;
    if (lower(state) != "unavailable") value += " and " + state;
    return value;
}

std::string TAcuService::GetPrecipitation() {
    if (!weather_) return "0.00";
    return weather_->Root().Currentconditions().Precip();
}

std::string TAcuService::GetWindSpeed() {
    if (!weather_) return "0";
    return orFallback(std::string("0"),
                      [&] { return std::to_string(weather_->Root().Currentconditions().Windspeed()); });
}

int TAcuService::GetWindDirection() {
    if (!weather_) return 0;
    return CompassToDegrees(weather_->Root().Currentconditions().Winddirection());
}

std::string TAcuService::GetWindGust() { return "0"; }

std::string TAcuService::GetSunrise() {
    if (!weather_) return "0:00 am";
    AccuWx::TAcuDays days = weather_->Root().Forecast().Day();
    return days.Count() > 0 ? days.Item(0).Sunrise() : std::string("0:00 am");
}

std::string TAcuService::GetSunset() {
    if (!weather_) return "0:00 pm";
    AccuWx::TAcuDays days = weather_->Root().Forecast().Day();
    return days.Count() > 0 ? days.Item(0).Sunset() : std::string("0:00 pm");
}

std::string TAcuService::GetMoonPhase() {
    if (!weather_) return TCustomWxService::GetMoonPhase();
    AccuWx::TAcuPhases phases = weather_->Root().Moon().Phase();
    // Some feeds carry no moon data at all.
    return phases.Count() > 0 ? phases.Item(0).Text() : TCustomWxService::GetMoonPhase();
}

std::string TAcuService::GetConditions() {
    if (!weather_) return "not available";
    return weather_->Root().Currentconditions().Weathertext();
}

std::string TAcuService::GetVisibility() {
    if (!weather_) return "0.00 mi";
    return orFallback(std::string("0.00 mi"),
                      [&] { return std::to_string(weather_->Root().Currentconditions().Visibility()); });
}

std::string TAcuService::GetRealFeel() {
    if (!weather_) return "0";
    return orFallback(std::string("0"),
                      [&] { return std::to_string(weather_->Root().Currentconditions().Realfeel()); });
}

std::string TAcuService::GetWindText() {
    if (!weather_) return {};
    return "Wind from the " + weather_->Root().Currentconditions().Winddirection() + " at " + GetWindSpeed() +
           " mph";
}

std::string TAcuService::GetObservationTime() {
    if (!weather_) return observationTime_;
    return DateToStr(Clock::Today()) + " " + weather_->Root().Currentconditions().Observationtime();
}

std::string TAcuService::GetForecastTime() { return forecastTime_; }

std::string TAcuService::GetWebPageURL() {
    if (!weather_) return currentPageURL_;
    return weather_->Root().Currentconditions().Url();
}

std::string TAcuService::GetLinkURL() {
    if (!weather_) return {};
    return weather_->Root().Forecast().Url();
}

int TAcuService::CompassToDegrees(const std::string &text) {
    static const char *const points[16] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                           "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    const std::string up = UpperCase(text);
    for (int i = 0; i < 16; ++i)
        if (up == points[i]) return static_cast<int>(i * 22.5);
    return 0;  // "CLM" (calm) and anything the server invents
}

// ---- current conditions ----

std::string TAcuService::ComposeObservationTime(const std::string &t) {
    const std::string today = DateToStr(Clock::Today());
    if (t.find(':') == std::string::npos) return today + " 00:00:00";
    std::string r = today + " " + replaceFirst(t, " ", ":00 ");
    if (daylightNow()) {
        TDateTime dt;
        if (TryStrToDateTime(r, dt)) r = DateTimeToStr(dt);
    }
    return r;
}

void TAcuService::RefreshCurrent() {
    try {
        // The server's observation time moves on at most once a minute; a stored
        // time that does not read back throttles nothing.
        bool throttled = false;
        TDateTime obs;
        if (!observationTime_.empty() && TryStrToDateTime(observationTime_, obs)) {
            int ho, mo, hn, mn, s, ms;
            DecodeTime(obs, ho, mo, s, ms);
            DecodeTime(Clock::Now(), hn, mn, s, ms);
            // An observation hour after the current one (midnight passed) wraps to a large value.
            const std::uint16_t hours = static_cast<std::uint16_t>((hn - ho) * 60);
            throttled = static_cast<int>(hours) + mn - mo <= 1;
        }
        const std::string url = GetCurrentURL();
        if (url.empty() || throttled) return;

        struct Release {
            TAcuService *svc;
            ~Release() { svc->releaseWeather(); }
        } release{this};
        if (!loadWeather(url)) return;

        AccuWx::TAcuWeather root = weather_->Root();
        AccuWx::TAcuCurrent cc = root.Currentconditions();
        observationTime_ = ComposeObservationTime(cc.Observationtime());
        AccuWx::TAcuAlerts areas = root.Watchwarnareas();
        alertURL_ = orFallback(false, [&] { return areas.Isactive(); }) ? areas.Url() : std::string();
        SetLatitude(root.Local().Lat());
        SetLongitude(root.Local().Lon());
        currentPageURL_ = cc.Url();
        DoCurrentUpdated();
        ParseForecasts();
        DoForecastUpdated();
    } catch (const std::exception &e) {
        LogFailure(std::string("AccuWeather document: ") + e.what());
    }
}

// ---- forecast ----

std::string TAcuService::toXmlDateTime(const std::string &text) const {
    TDateTime dt;
    const std::string src = text.find(':') != std::string::npos ? text : DateTimeToStr(Clock::Now());
    if (!TryStrToDateTime(src, dt)) dt = Clock::Now();
    const int bias = GetTimeZoneBias(static_cast<std::time_t>(LocalToUnix(dt))).CurrentBias();
    const int offset = -bias;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                  std::abs(offset) % 60);
    return FormatDateTime("yyyy-mm-dd\"T\"hh:nn:ss", dt) + zone;
}

void TAcuService::addForecastPeriod(const AccuWx::TAcuDay &day, int number, bool night) {
    AccuWx::TAcuPeriod p = night ? static_cast<AccuWx::TAcuPeriod>(day.Nighttime())
                                 : static_cast<AccuWx::TAcuPeriod>(day.Daytime());
    // Read every number first so a period that does not convert adds nothing.
    const int high = p.Hightemperature();
    const int low = p.Lowtemperature();
    const int icon = p.Weathericon();
    const int storm = p.Tstormprob();

    TForecastItem *item = forecasts_->Add();
    if (night) item->Name = number <= 1 ? "Tonight" : "Night";
    else item->Name = number <= 1 ? "Today" : number == 2 ? "Tomorrow" : day.Daycode();
    item->Date = day.Obsdate() + (night ? 0.75 : 0.0);
    item->Summary = replaceFirst(p.Txtshort(), "around", "");
    item->Detail = item->Name + ": " + p.Txtlong();
    item->HighTemp = high;
    item->LowTemp = low;
    item->PrecipText = "Precip.: " + std::to_string(storm) + "%";
    item->IconBase = IconSetBase();
    item->IconName = IconFileName(icon);
}

void TAcuService::ParseForecasts() {
    if (!weather_) return;
    AccuWx::TAcuDays days = weather_->Root().Forecast().Day();
    const int count = days.Count();
    if (count == 0) return;
    forecastTime_ = toXmlDateTime(observationTime_);
    forecasts_->Clear();
    const bool periods12 = GetPeriods12();
    for (int i = 0; i < count; ++i) {
        AccuWx::TAcuDay day = days.Item(i);
        if (day.Url().empty()) continue;
        // A day without its number is named by its place in the list.
        const int number = orFallback(i + 1, [&] { return day.Number(); });
        // A half whose numbers do not convert is left out; the other periods still show.
        auto present = [](const AccuWx::TAcuPeriod &p) {
            return orFallback(false, [&] { return p.Hightemperature() != 0; }) && !p.Txtshort().empty();
        };
        try {
            if (present(day.Daytime())) addForecastPeriod(day, number, false);
        } catch (const AcuXml::EConvertError &) {
        }
        if (!periods12) continue;
        try {
            if (present(day.Nighttime())) addForecastPeriod(day, number, true);
        } catch (const AcuXml::EConvertError &) {
        }
    }
}

// ---- alerts ----

void TAcuService::RefreshAlerts() {
    if (alertURL_.empty()) {
        alerts_.reset();
        return;
    }
    std::vector<std::string> lines;
    if (!DownloadToList(alertURL_, kAlertFile, lines) || lines.empty()) {
        alerts_.reset();
        return;
    }
    try {
        TAcuAlertList parser(lines);
        alertParser_ = &parser;
        struct Drop {
            TAcuAlertList *&p;
            ~Drop() { p = nullptr; }
        } drop{alertParser_};
        ParseAlerts();
        DoAlertsUpdated();
    } catch (const std::exception &e) {
        LogFailure(std::string("AccuWeather alert page: ") + e.what());
    }
}

void TAcuService::ParseAlerts() {
    if (!alerts_ && alertParser_ && alertParser_->Count() > 0) alerts_ = std::make_unique<TAcuAlerts>(Owner());
    auto *alerts = dynamic_cast<TAcuAlerts *>(alerts_.get());
    if (!alerts) return;
    alerts->Clear();
    for (int i = 0; alertParser_ && i < alertParser_->Count(); ++i) {
        const TAcuAlertItemRec *rec = alertParser_->Record(i);
        auto *item = static_cast<TAcuAlertItem *>(alerts->Add());
        item->Event = rec->Title;
        item->Headline = rec->Headline;
        item->Issued = rec->Issued;
        item->Description = rec->Text();
        item->Web = alertURL_;
    }
    alerts->Sent = Clock::Now();
}

// ---- location search ----

void TAcuService::SearchLocations(const std::string &text) {
    TCustomWxService::SearchLocations(text);
    std::string base = GetXmlPath();
    if (base.empty()) base = AcuDataBaseUrl();
    const std::string url = AcuSearchUrl(base, GetSeekPath(), text);
    if (lower(url).find("http") != std::string::npos) {
        std::string doc = fetchDocument(url, kSearchFile);
        if (!doc.empty()) {
            AccuFind::TAcuSearchDocument search;
            if (search.LoadFromString(doc) && !search.IsEmpty()) {
                try {
                    AccuFind::FillSearchResults(search.Root(), [this](const std::string &line, const std::string &id) {
                        AddSearchResult(line, id);
                    });
                } catch (const std::exception &e) {
                    // A broken count or location code ends the list there; what
                    // came before stays, and no completed search is announced.
                    LogFailure(std::string("AccuWeather city search: ") + e.what());
                    return;
                }
            }
        }
    }
    DoSearchDone(static_cast<int>(searchLines_.size()));
}

TWxLocationRec TAcuService::GetSearchResult(int index) {
    TWxLocationRec rec;
    const std::vector<std::string> &ids = GetSearchIds();
    if (index < 0 || static_cast<size_t>(index) >= ids.size()) return rec;
    rec.Name = searchLines_[static_cast<size_t>(index)];
    rec.ID = ids[static_cast<size_t>(index)];
    if (rec.ID.empty()) return rec;
    std::string base = GetXmlPath();
    if (base.empty()) base = AcuDataBaseUrl();
    if (loadWeather(AcuLocationDetailsUrl(base, rec.ID, GetSpeedUnit()))) {
        AccuWx::TAcuLocal local = weather_->Root().Local();
        rec.State = local.State();
        rec.Latitude = local.Lat();
        rec.Longitude = local.Lon();
    }
    releaseWeather();
    return rec;
}

TWxLocationRec TAcuService::LookupLocation(const std::string &id) {
    SearchLocations(id);
    return GetSearchResult(0);
}
