#pragma once
// The weather service of the US National Weather Service: a station's current
// observation, the NDFD and worded DWML forecasts, a state's CAP alerts and
// the Naval Observatory's sun and moon table.
//
// Parsed documents live only while their refresh runs: read the current
// values inside OnCurrent, the forecast inside OnForecast. Outside the event
// the getters give their fallbacks (0, "0" or empty text), except the texts the
// service keeps: the observation time, the history URL, the forecast time and
// the sun and moon values.
#include <string>
#include <vector>

#include "nws/CAPIndex.h"
#include "nws/DWML.h"
#include "nws/XmlBinding.h"
#include "nws/current_observation.h"
#include "service/WxService.h"

class TIniSettings;

class TNWxService : public TCustomWxService {
public:
    explicit TNWxService(void *owner);
    ~TNWxService() override;

    // Finds or fills the NWS section of the settings; returns its name.
    static std::string RegisterNwsService(TIniSettings &ini);
    // Region code ("crh", "srh", "wrh", "erh", "prh", "arh") of a two-letter state code, any case.
    static std::string RegionOfState(const std::string &code);
    // observation_time without its first "last updated on" (any case); what follows stays as it was.
    static std::string StripLastUpdated(const std::string &text);
    // The "< " inside a summary attribute value becomes "less than ", line by line.
    static void RepairSummaryLines(std::vector<std::string> &lines);

    // ---- requests; an empty result means there is nothing to ask for ----
    std::string BuildCurrentURL();       // RequestSetup(0) without a Location
    std::string BuildForecastURL();      // NDFD; RequestSetup(0) without both coordinates
    std::string BuildTextForecastURL();  // MapClick worded forecast
    std::string BuildAlertIndexURL();    // the state's CAP index; empty without a state

    // Downloads url into Cache\fileName and returns the repaired text of an XML
    // reply. False on a failed download, a SOAP fault (shown once in the message
    // dialog) or an HTML page. The cache file is removed unless AllowTemp is on
    // or it is the station list.
    bool LoadDocumentText(const std::string &url, const std::string &fileName, std::string &text);
    // The checks and the repair of LoadDocumentText on a reply already read.
    bool ReadReply(const std::string &raw, std::string &text);
    // LoadDocumentText, then the parse; doc is null unless the text parsed.
    bool LoadDocument(const std::string &url, const std::string &fileName, xmlb::DocPtr &doc);
    // Posts the sun and moon form and reads Sunrise, Sunset and MoonPhase from the reply.
    void RefreshSunMoon();
    // The form lines RefreshSunMoon posts, for the local date and time zone.
    std::vector<std::string> SunMoonForm();
    // Reads one reply into the sun and moon texts; lines it cannot read are skipped.
    void ReadSunMoonReply(const std::vector<std::string> &lines);

    // Alive only while the matching refresh runs (inside its event).
    const TNWSCurrent *CurrentObs() const { return currentObs_.Active() ? &currentObs_ : nullptr; }
    const TXMLDwml *ForecastDoc() const { return forecastDoc_.Active() ? &forecastDoc_ : nullptr; }
    const TXMLDwml *TextForecastDoc() const { return textForecastDoc_.Active() ? &textForecastDoc_ : nullptr; }
    const TCAPIndex *AlertIndex() const { return alertIndex_.Active() ? &alertIndex_ : nullptr; }
    const std::string &ObservationText() const { return observationText_; }
    std::string GetSite();   // `Site`, lower-cased
    std::string GetRadar();  // `Radar` as text, "FTG" when missing

    // ---- overrides ----
    std::string GetLocationCaption() override;
    TWxPicture *GetConditionsPicture() override;
    TWxPicture *GetLogo() override;
    TWxPicture *GetRadarThumbnail() override;
    int GetTemperature() override;
    int GetFeelsLike() override;
    int GetHumidity() override;
    std::string GetDewPoint() override;
    std::string GetPressure() override;
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
    std::string GetWebPageURL() override;
    std::string GetLinkURL() override;
    std::string GetHistoryURL() override;
    void ParseForecasts() override;
    void ParseAlerts() override;
    bool AcceptLanguage(std::string &code) override;
    void SearchLocations(const std::string &text) override;
    TWxLocationRec LookupLocation(const std::string &id) override;
    TWxLocationRec GetSearchResult(int index) override;
    void RefreshCurrent() override;
    void RefreshForecast() override;
    void RefreshAlerts() override;

protected:
    std::string observationText_;
    std::string historyURL_;
    TNWSCurrent currentObs_;
    std::string forecastTime_;
    TXMLDwml forecastDoc_;
    TXMLDwml textForecastDoc_;
    TCAPIndex alertIndex_;
    std::string sunrise_, sunset_, moonPhase_;
};
