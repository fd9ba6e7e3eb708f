#pragma once
// The abstract weather service. The window never parses documents: it asks the
// service to refresh and reads the values through the getters inside the
// matching "updated" event (OnCurrent, OnForecast, OnAlerts).
//
// Making one: derive, give the class a constructor taking the owner that sets
// Name/Description/HasInset in memory, then create it with
//     auto svc = CreateWxService<TMyService>(owner, serviceNumber, &ini);
// which stores the number and attaches the settings (LoadSettings) after the
// derived constructor has run.
//
// Settings are read and written through: getters re-read their key when the
// settings and the section exist, setters write at once and raise
// OnSettingsChanged. No operation lets an exception escape.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "service/WxModel.h"

class TIniSettings;

// One location found by a search.
struct TWxLocationRec {
    std::string Name, ID, Latitude, Longitude;
    std::string CityState;  // city + ", " + state
    std::string County, State, ZipCode, Extra;
};

// Core has no image classes: a picture is the file it was loaded from.
// An empty FileName is a picture object that holds no image yet.
struct TWxPicture {
    std::string FileName;
    bool HasImage() const { return !FileName.empty(); }
};

enum class TWorkMode { Read, Write };

class TCustomWxService {
public:
    using TNotify = std::function<void(TCustomWxService &)>;
    using TLog = std::function<void(const std::string &caption, const std::string &message)>;
    // Request URL, destination (may be changed), redirect count, handled (may be set), method.
    using TRedirect = std::function<void(const std::string &, std::string &, int, bool &, const std::string &)>;
    // Work mode and the expected size (begin) or the bytes so far (work); -1 when unknown.
    using TWork = std::function<void(TCustomWxService &, TWorkMode, std::int64_t)>;

    explicit TCustomWxService(void *owner);
    virtual ~TCustomWxService();
    TCustomWxService(const TCustomWxService &) = delete;
    TCustomWxService &operator=(const TCustomWxService &) = delete;

    void *Owner() const { return owner_; }

    // Second construction step (see top); CreateWxService calls it.
    void Attach(std::uint8_t serviceNumber, TIniSettings *settings);

    // ---- properties (read through / write through) ----
    std::uint8_t ServiceNumber() const { return serviceNumber_; }
    TIniSettings *Settings() const { return settings_; }

    std::string GetName();
    void SetName(const std::string &v);
    std::string GetDescription() const { return description_; }
    void SetDescription(const std::string &v) { description_ = v; }  // memory only
    std::string GetHttpBase();
    void SetHttpBase(const std::string &v);
    int GetPort();
    void SetPort(int v);
    std::string GetXmlPath();
    void SetXmlPath(const std::string &v);
    std::string GetHtmlPath();
    void SetHtmlPath(const std::string &v);
    std::string GetSeekPath();
    void SetSeekPath(const std::string &v);
    std::string GetLocation();
    void SetLocation(const std::string &v);
    std::string GetLatitude();
    void SetLatitude(const std::string &v);   // normalised first
    std::string GetLongitude();
    void SetLongitude(const std::string &v);  // normalised first
    std::string GetLanguage();                // default "ENU"
    void SetLanguage(const std::string &v);   // raises OnLanguageChanged, not OnSettingsChanged
    std::string GetStateCode();
    void SetStateCode(const std::string &v);
    std::string GetCountyCode();
    void SetCountyCode(const std::string &v);
    std::string GetCityName();
    void SetCityName(const std::string &v);

    // [Wx], shared by all services.
    int GetNumDays();                 // default 5
    void SetNumDays(int v);
    bool GetPeriods12();              // Periods = 12
    void SetPeriods12(bool v);
    std::uint8_t GetScale();          // 0 Fahrenheit, 1 Celsius
    std::uint8_t GetSpeedUnit();      // 0 mph, 1 km/h

    bool Connected() const { return connected_; }
    // The last connection test's result; tests and offline runs may set it.
    void SetConnected(bool v) { connected_ = v; }
    bool SpareFlag() const { return spareFlag_; }
    bool AllowTemp() const { return allowTemp_; }
    void SetAllowTemp(bool v);
    bool HasInset() const { return hasInset_; }
    void SetHasInset(bool v);

    TForecasts &Forecasts() { return *forecasts_; }
    TAlerts *Alerts() { return alerts_.get(); }  // nullptr when there are none

    // Current-conditions icon, filled by GetConditionsPicture.
    std::string IconName, IconBase;

    // ---- virtual operations ----
    virtual std::string GetSettingsFileName() const;
    virtual void SetSettingsFile(TIniSettings *settings);
    virtual std::string SectionName() const;
    virtual void RegisterService();
    virtual void SetScale(std::uint8_t value);
    virtual void SetSpeedUnit(std::uint8_t value);
    virtual std::string GetLocationCaption();
    virtual TWxPicture *GetConditionsPicture();  // nullptr: none
    virtual TWxPicture *GetLogo();
    virtual TWxPicture *GetRadarThumbnail();
    virtual void SetRadarThumbnail(const TWxPicture *picture);
    virtual int GetTemperature();
    virtual int GetFeelsLike();
    virtual int GetHumidity();
    virtual std::string GetDewPoint();
    virtual std::string GetPressure();
    virtual std::string GetPrecipitation();
    virtual std::string GetWindSpeed();
    virtual int GetWindDirection();
    virtual std::string GetWindGust();
    virtual std::string GetSunrise();
    virtual std::string GetSunset();
    virtual std::string GetMoonPhase();
    virtual std::string GetConditions();
    virtual std::string GetVisibility();
    virtual std::string GetRealFeel();
    virtual std::string GetWindText();
    virtual std::string GetObservationTime();
    virtual std::string GetForecastTime();
    virtual int GetMaxDays();
    virtual void SetSpareFlag(bool flag);
    virtual int GetRadarIndex();
    virtual void SetRadarIndex(int value);
    virtual std::string GetWebPageURL();
    virtual std::string GetLinkURL();
    virtual std::string GetHistoryURL();
    virtual std::string GetAppFolder();
    virtual bool RemoteFileExists(const std::string &url);
    virtual bool CheckConnection();
    virtual void ParseForecasts();
    virtual void ParseAlerts();
    virtual void DoAllowTempChanged();
    virtual void DoInsetChanged();
    virtual void DoLanguageApplied();
    virtual void DoLanguageChanged(const std::string &code);
    virtual void LogSuccess(const std::string &message);
    virtual void LogFailure(const std::string &message);
    virtual void DoSettingsChanged();
    virtual void DoCurrentUpdated();
    virtual void DoForecastUpdated();
    virtual void DoAlertsUpdated();
    virtual void DoSearchDone(int count);
    virtual bool AcceptLanguage(std::string &code);
    virtual bool TestConnection(const std::string &url);
    virtual std::string GetCacheFolder();  // logical, "Cache\"
    virtual void ClearCache();
    virtual void SearchLocations(const std::string &text);
    virtual TWxLocationRec LookupLocation(const std::string &id);
    virtual TWxLocationRec GetSearchResult(int index);
    virtual bool SaveSettings();
    virtual void LoadSettings();
    virtual void RequestSetup(int page);
    virtual void HandleRedirect(const std::string &requestUrl, std::string &dest, int count, bool &handled,
                                const std::string &method);
    virtual void RefreshCurrent();
    virtual void RefreshForecast();
    virtual void RefreshAlerts();

    // ---- helpers other code uses ----
    // The per-user data folder (native, ends in '/'); the cache lies below it.
    static std::string GetDataFolder();
    std::string CacheFolderPath();  // data folder + GetCacheFolder, native
    // Miles to kilometres when SpeedUnit is 1 (nearest integer, halves to even);
    // text that is not a number comes back unchanged.
    std::string ConvertSpeed(const std::string &text);
    // "38.98N" -> "38.98", "77.03W" -> "-77.03".
    static std::string NormalizeCoordinate(const std::string &text);
    const std::vector<std::string> &GetSearchIds();  // re-searches when the lists are out of step
    const std::vector<std::string> &GetSearchLines() const { return searchLines_; }
    void AddSearchResult(const std::string &line, const std::string &id);  // both non-empty
    const std::vector<std::string> &HeadText() const { return headText_; }

    // ---- transfers (blocking; progress through the work events) ----
    // GET into data folder + subFolder + fileName. Refused unless Connected and
    // a Location is set. True for status 200-202 with a body; a failed or cut-off
    // transfer leaves any earlier file as it was.
    bool DownloadToFile(const std::string &url, const std::string &subFolder, const std::string &fileName);
    // DownloadToFile into the cache, then the file's lines into list (the file is
    // removed unless AllowTemp). The list is untouched on failure.
    bool DownloadToList(const std::string &url, const std::string &fileName, std::vector<std::string> &list);
    // POSTs the lines ("name=value") as a form; on success list holds the reply lines.
    bool PostForm(const std::string &url, std::vector<std::string> &list);
    // HEAD: the content length, or -1.
    std::int64_t HeadLength(const std::string &url);
    // Finds localName ("PNG\07.png") under Images\<Name>\ in the program folder,
    // then the data folder, else downloads baseUrl + file name into the data
    // folder. picturePath gets the file loaded (or the "na.jpg" placeholder, with
    // result false); empty when there is nothing to show.
    bool LoadPicture(const std::string &baseUrl, const std::string &localName, std::string &picturePath);
    bool LoadPicture(const std::string &baseUrl, const std::string &localName, TWxPicture &picture);

    // ---- events, raised only when assigned ----
    TNotify OnLanguageApplied, OnSettingsChanged, OnCurrent, OnForecast, OnAlerts, OnAllowTempChanged,
        OnInsetChanged;
    std::function<void(TCustomWxService &, const std::string &code)> OnLanguageChanged;
    std::function<void(int page, int unused)> OnSetupRequest;
    TLog OnConnectSuccess, OnConnectFailure;
    TRedirect OnRedirect;
    TWork OnWorkBegin, OnWork;
    std::function<void(TCustomWxService &, TWorkMode)> OnWorkEnd;
    std::function<void(TCustomWxService &, int count)> OnSearchDone;

protected:
    // Re-reads a text key of the service section into field when it can.
    std::string &readKey(std::string &field, const char *key, const std::string &def = std::string());
    // Store, write and raise OnSettingsChanged when value differs from field.
    void writeKey(std::string &field, const char *key, const std::string &value);
    bool sectionAvailable() const;

    std::uint8_t serviceNumber_ = 0;
    std::string name_, description_, httpBase_, xmlPath_, htmlPath_, seekPath_;
    int port_ = 80;
    std::string location_, latitude_, longitude_, language_ = "ENU", stateCode_, countyCode_, cityName_;
    TIniSettings *settings_ = nullptr;
    bool connected_ = false;
    int numDays_ = 5;
    bool periods12_ = true;
    bool spareFlag_ = false;
    std::uint8_t scale_ = 0;
    std::uint8_t speedUnit_ = 0;
    int radarIndex_ = 0;
    std::unique_ptr<TForecasts> forecasts_;
    std::unique_ptr<TAlerts> alerts_;
    bool allowTemp_ = false;
    bool hasInset_ = false;
    std::unique_ptr<TWxPicture> conditionsPicture_, logoPicture_, thumbnailPicture_;
    std::vector<std::string> searchIds_, searchLines_;
    std::vector<std::string> headText_;

private:
    void *owner_;
};

template <class T>
std::unique_ptr<T> CreateWxService(void *owner, std::uint8_t serviceNumber, TIniSettings *settings) {
    auto svc = std::make_unique<T>(owner);
    svc->Attach(serviceNumber, settings);
    return svc;
}
