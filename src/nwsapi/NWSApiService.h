#pragma once
// The US National Weather Service through its JSON web API (api.weather.gov).
//
// The location is a point (Latitude, Longitude) and an observation station
// (Location). The point's reply names the forecast, the station list, the
// county zone for alerts and the radar site; it is kept on disk. Every reply
// is cached with the freshness the server gives (Cache-Control max-age) and
// asked for again with If-Modified-Since, so a refresh inside that time costs
// nothing.
//
// Unlike the XML services, what a refresh read stays after its event: the
// getters keep answering from the last good observation, and a failed refresh
// leaves every value as it was. A failure is reported once (OnConnectFailure)
// until a request succeeds again, and schedules a retry with growing back-off;
// the window asks RetryTime() and calls RunDueRetries() from a timer.
#include <memory>
#include <string>
#include <vector>

#include "nwsapi/NWSApiJson.h"
#include "service/WxService.h"

class TIniSettings;

extern const char *const kNwsApiServiceName;  // stored Name: "NWSAPI"
extern const char *const kNwsApiDisplayName;  // "The US National Weather Service (live)"

// Finds the first service section whose Name is "NWSAPI", or fills the next
// free "Service"+N with the missing defaults. Returns the section name.
std::string RegisterNwsApiService(TIniSettings &ini);

// The identifying user agent the API asks for: program, version and a contact.
std::string NwsApiUserAgent();
// A coordinate with at most four decimals and no trailing zeros ("40.7128",
// "-74.006"); empty for text that is not a number.
std::string NwsApiCoordinate(const std::string &text);

class TNWSApiAlertItem : public TCustomAlertItem {
public:
    NWSApi::TAlert Data;
    std::string County;  // the county zone the alerts were asked for

    void Assign(const TWxItem &source) override;
    std::string GetCategory(int index) const override { return index == 0 ? Data.Category : std::string(); }
    std::string GetEvent() const override { return Data.Event; }
    std::string GetUrgency() const override { return Data.Urgency; }
    std::string GetSeverity() const override { return Data.Severity; }
    std::string GetCertainty() const override { return Data.Certainty; }
    TDateTime GetEffective() const override;  // local
    std::string GetOnset() const override { return Data.Onset; }
    TDateTime GetExpires() const override;  // local; 0 when none
    std::string GetSenderName() const override { return Data.SenderName; }
    std::string GetHeadline() const override { return Data.Headline; }
    std::string GetDescription() const override { return Data.Description; }
    std::string GetInstruction() const override { return Data.Instruction; }
    std::string GetWeb() const override { return Data.Web; }
    std::string GetAreaDesc(int index) const override { return index == 0 ? Data.AreaDesc : std::string(); }
    // 0: the county asked for; then the alert's own zone codes.
    std::string GetGeocode(int index) const override;
};

class TNWSApiAlerts : public TAlerts {
public:
    explicit TNWSApiAlerts(void *owner);
    std::string Title, Updated;
    TDateTime GetSent() const override;  // the collection's "updated", local
    std::string GetStatus() const override { return Title; }
};

class TNWSApiService : public TCustomWxService {
public:
    enum class TKind { Current, Forecast, Alerts, Count };

    explicit TNWSApiService(void *owner);
    ~TNWSApiService() override;

    std::string GetLocationCaption() override;
    TWxPicture *GetConditionsPicture() override;
    int GetTemperature() override;
    int GetFeelsLike() override;
    int GetHumidity() override;
    std::string GetDewPoint() override;
    std::string GetPressure() override;
    std::string GetPrecipitation() override;
    std::string GetWindSpeed() override;
    int GetWindDirection() override;
    std::string GetWindGust() override;
    std::string GetSunrise() override;
    std::string GetSunset() override;
    std::string GetMoonPhase() override;
    std::string GetConditions() override;
    std::string GetVisibility() override;
    std::string GetRealFeel() override;
    std::string GetWindText() override;
    std::string GetObservationTime() override;
    std::string GetForecastTime() override { return forecastTime_; }
    int GetMaxDays() override { return 7; }
    std::string GetWebPageURL() override;
    std::string GetLinkURL() override { return GetWebPageURL(); }
    std::string GetHistoryURL() override;
    void ParseForecasts() override;
    void ParseAlerts() override;
    bool AcceptLanguage(std::string &code) override;
    void ClearCache() override;
    // Stations near the point (text "lat,lon", or empty for the service's own
    // point), nearest first, with their distance.
    void SearchLocations(const std::string &text) override;
    TWxLocationRec LookupLocation(const std::string &id) override;
    TWxLocationRec GetSearchResult(int index) override;
    void RefreshCurrent() override;
    void RefreshForecast() override;
    void RefreshAlerts() override;

    // Present values, in the display units; empty when the observation has none.
    bool HasObservation() const { return hasObservation_; }
    const NWSApi::TObservation &Observation() const { return observation_; }
    NWSApi::TValue Temperature();     // Scale
    NWSApi::TValue FeelsLike();       // heat index, else wind chill, else the temperature
    NWSApi::TValue Humidity() const;  // percent
    bool ObservationStale() const;    // older than two hours

    // The point's reply (after a successful lookup).
    bool HasPoint() const { return hasPoint_; }
    const NWSApi::TPoint &Point() const { return point_; }
    // Why the last request failed; Status 0 after a success.
    const NWSApi::TProblem &LastProblem() const { return lastProblem_; }

    // Retries after failures: when the next one is due (local time), 0 when none.
    TDateTime RetryTime(TKind kind) const { return retry_[static_cast<int>(kind)].At; }
    TDateTime NextRetryTime() const;
    // Runs the refreshes whose retry is due now.
    void RunDueRetries();

    // Sun and moon texts: from the Naval Observatory, else computed here.
    void RefreshSunMoon();
    // The local computation alone, for the computer's local date.
    void ComputeSunMoon();

    // Request addresses.
    std::string PointUrl();
    std::string ObservationUrl(const std::string &station);
    std::string AlertsUrl(const std::string &county);
    std::string UsnoUrl(TDateTime localDate);

    // Forecast periods into Forecasts: 12-hour periods as sent, or days with
    // their following night (24-hour mode); at most NumDays days.
    void FillForecasts(const NWSApi::TForecastDoc &doc);

    // What a refresh does with a reply it received; false (nothing changed)
    // when the text is not that document. Tools feed files through these.
    bool LoadPoint(const std::string &text);
    bool LoadObservation(const std::string &text);
    bool LoadForecast(const std::string &text);  // fills Forecasts
    bool LoadAlerts(const std::string &text);    // rebuilds Alerts (none when empty)
    bool LoadStations(const std::string &text);
    bool LoadUsno(const std::string &text);      // sunrise, sunset and phase for the local date

private:
    struct TRetry {
        int Failures = 0;
        TDateTime At = 0;
    };
    enum class TFetch { Fresh, Cached, Failed };

    // GET with the cache: a fresh copy on disk is used as it is; an older one
    // is asked for with If-Modified-Since. keepStale: a failed request falls
    // back to an expired copy (points change rarely).
    TFetch fetch(const std::string &url, std::string &body, bool keepStale = false);
    bool readPoint(const std::string &key, NWSApi::TPoint &out, std::string &error);
    bool ensurePoint(std::string &error);
    bool ensureStations(std::string &error);
    std::string problemText(const std::string &url) const;
    std::string apiBase();
    std::string rebase(const std::string &url);
    void failed(TKind kind, const std::string &message);
    void succeeded(TKind kind);
    void reportOnce(const std::string &message);
    std::string sunText(const std::string &hhmm, TDateTime localDate) const;
    std::string cacheFile(const std::string &url) const;
    std::string pointKey();

    NWSApi::TObservation observation_;
    bool hasObservation_ = false;
    NWSApi::TPoint point_;
    bool hasPoint_ = false;
    std::string pointFor_;  // "lat,lon" the point was read for
    std::vector<NWSApi::TStation> stations_, searchStations_;
    NWSApi::TPoint searchPoint_;
    std::string stationsFor_;
    std::string forecastTime_;
    NWSApi::TForecastDoc forecastDoc_;
    NWSApi::TAlertsDoc alertsDoc_;
    std::string sunrise_, sunset_, moonPhase_;
    TDateTime sunMoonDate_ = 0;
    NWSApi::TProblem lastProblem_;
    int lastRetryAfter_ = 0;  // seconds the server asked for, 0 when none
    bool reported_ = false;
    TRetry retry_[static_cast<int>(TKind::Count)];
};
