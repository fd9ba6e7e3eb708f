#pragma once
// The AccuWeather weather service. One document per location carries the
// current conditions, the forecast days, sun and moon data and the address of
// the watch and warning page; the page is read by TAcuAlertList.
//
// A downloaded document lives only while a refresh runs: the getters answer
// from it inside OnCurrent and OnForecast and give their fallbacks afterwards.
#include <memory>
#include <string>

#include "accuweather/AcuRegister.h"  // RegisterAcuService, CreateAcuServiceSection
#include "accuweather/AccuWx.h"
#include "service/WxService.h"

class TAcuAlertList;

// One watch or warning from the alert page.
class TAcuAlertItem : public TCustomAlertItem {
public:
    std::string Event, Headline, Description, Web;
    TDateTime Issued = 0;

    void Assign(const TWxItem &source) override;
    std::string GetEvent() const override { return Event; }
    TDateTime GetEffective() const override;  // the moment of the call
    TDateTime GetExpires() const override { return Issued; }
    std::string GetHeadline() const override { return Headline; }
    std::string GetDescription() const override { return Description; }
    std::string GetWeb() const override { return Web; }
};

class TAcuAlerts : public TAlerts {
public:
    explicit TAcuAlerts(void *owner);
    TDateTime Sent = 0;
    std::string Sender;  // the page names no sender

    std::string GetSender() const override { return Sender; }
    TDateTime GetSent() const override { return Sent; }
    std::string GetStatus() const override;
};

class TAcuService : public TCustomWxService {
public:
    explicit TAcuService(void *owner);
    ~TAcuService() override;

    void SetScale(std::uint8_t value) override;      // keeps SpeedUnit in step
    void SetSpeedUnit(std::uint8_t value) override;  // keeps Scale in step
    std::string GetLocationCaption() override;
    TWxPicture *GetConditionsPicture() override;  // fills IconName/IconBase; none without a document
    TWxPicture *GetLogo() override;
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
    std::string GetForecastTime() override;
    int GetMaxDays() override { return 5; }
    std::string GetWebPageURL() override;
    std::string GetLinkURL() override;
    std::string GetHistoryURL() override { return GetWebPageURL(); }
    void ParseForecasts() override;
    void ParseAlerts() override;
    void SearchLocations(const std::string &text) override;
    TWxLocationRec LookupLocation(const std::string &id) override;
    TWxLocationRec GetSearchResult(int index) override;
    void RefreshCurrent() override;
    void RefreshForecast() override { RefreshCurrent(); }  // one document carries both
    void RefreshAlerts() override;

    // The weather-document request; empty (after RequestSetup(0)) without a location.
    virtual std::string GetCurrentURL();
    virtual std::string GetForecastURL() { return GetCurrentURL(); }
    virtual std::string GetAlertURL() { return alertURL_; }

    // "CLM" and the sixteen compass points; anything else is 0.
    static int CompassToDegrees(const std::string &text);
    // Today's date and the server's "h:mm AM" as local date-time text.
    std::string ComposeObservationTime(const std::string &t);
    // The icon base with the icon set folder: server + ".../wxicons/PNG/".
    static std::string IconSetBase();
    // "PNG\07.png" for icon 7.
    static std::string IconFileName(int icon);

    // What survives between refreshes.
    const std::string &ObservationTime() const { return observationTime_; }
    const std::string &CurrentPageURL() const { return currentPageURL_; }
    bool HasDocument() const { return weather_ != nullptr; }

private:
    // Downloads url into the cache as fileName and returns the text, or ""
    // when the download failed or the text is an error document (shown once).
    std::string fetchDocument(const std::string &url, const std::string &fileName);
    bool loadWeather(const std::string &url);  // fills weather_ when the document is usable
    void releaseWeather();
    void addForecastPeriod(const AccuWx::TAcuDay &day, int number, bool night);
    std::string toXmlDateTime(const std::string &text) const;

    std::unique_ptr<AccuWx::TAcuWeatherDocument> weather_;  // only while an operation runs
    std::string observationTime_, currentPageURL_, forecastTime_, alertURL_;
    TAcuAlertList *alertParser_ = nullptr;  // only while RefreshAlerts runs
};
