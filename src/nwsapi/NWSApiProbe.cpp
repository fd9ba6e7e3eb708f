#include "nwsapi/NWSApiProbe.h"

#include "app/IniSettings.h"
#include "nwsapi/NWSApiService.h"
#include "platform/FormatSettings.h"

using nlohmann::json;

namespace {
json value(const NWSApi::TValue &v) { return v ? json(*v) : json(nullptr); }
}  // namespace

json ProbeNwsApi(const std::string &kind, const std::vector<std::string> &texts, int scale, int speed, int periods) {
    TIniSettings ini;
    RegisterNwsApiService(ini);
    ini.WriteInteger("Wx", "Scale", scale);
    ini.WriteInteger("Wx", "Speed", speed);
    ini.WriteInteger("Wx", "Periods", periods);
    ini.WriteInteger("Wx", "NumDays", 7);
    auto svc = CreateWxService<TNWSApiService>(nullptr, 0, &ini);
    TNWSApiService &s = *svc;
    auto fail = [&](const std::string &what) { return json{{"error", what}}; };
    if (texts.empty()) return fail("no document");

    if (kind == "points") {
        if (!s.LoadPoint(texts[0])) return fail("not a point document");
        const NWSApi::TPoint &p = s.Point();
        return json{{"office", p.Office},          {"gridX", p.GridX},
                    {"gridY", p.GridY},            {"forecast", p.ForecastUrl},
                    {"stations", p.StationsUrl},   {"forecastZone", p.ForecastZone},
                    {"county", p.CountyZone},      {"timeZone", p.TimeZone},
                    {"radar", p.RadarStation},     {"city", p.City},
                    {"state", p.State},            {"latitude", value(p.Latitude)},
                    {"longitude", value(p.Longitude)}};
    }
    if (kind == "current") {
        if (!s.LoadObservation(texts[0])) return fail("not an observation");
        json j;
        j["station"] = s.Observation().StationId;
        j["caption"] = s.GetLocationCaption();
        j["time"] = s.Observation().Timestamp;
        j["stale"] = s.ObservationStale();
        j["temperature"] = value(s.Temperature());
        j["feelsLike"] = value(s.FeelsLike());
        j["humidity"] = value(s.Humidity());
        j["dewPoint"] = s.GetDewPoint();
        j["pressure"] = s.GetPressure();
        j["precipitation"] = s.GetPrecipitation();
        j["windSpeed"] = s.GetWindSpeed();
        j["windDirection"] = s.GetWindDirection();
        j["windGust"] = s.GetWindGust();
        j["windText"] = s.GetWindText();
        j["visibility"] = s.GetVisibility();
        j["conditions"] = s.GetConditions();
        if (s.GetConditionsPicture()) j["icon"] = {{"base", s.IconBase}, {"name", s.IconName}};
        else j["icon"] = nullptr;
        return j;
    }
    if (kind == "forecast") {
        if (!s.LoadForecast(texts[0])) return fail("not a forecast");
        json list = json::array();
        for (int i = 0; i < s.Forecasts().Count(); ++i) {
            const TForecastItem &p = *s.Forecasts().Items(i);
            list.push_back({{"name", p.Name},
                            {"date", DateTimeToStr(p.Date)},
                            {"high", p.HighTemp},
                            {"low", p.LowTemp},
                            {"summary", p.Summary},
                            {"precip", p.PrecipText},
                            {"iconBase", p.IconBase},
                            {"iconName", p.IconName},
                            {"detail", p.Detail}});
        }
        return json{{"forecastTime", s.GetForecastTime()}, {"periods", list}};
    }
    if (kind == "alerts") {
        size_t doc = 0;
        if (texts.size() > 1) {
            if (!s.LoadPoint(texts[0])) return fail("not a point document");
            doc = 1;
        }
        if (!s.LoadAlerts(texts[doc])) return fail("not an alert list");
        json list = json::array();
        if (TAlerts *a = s.Alerts()) {
            for (int i = 0; i < a->Count(); ++i) {
                const TCustomAlertItem &it = *a->Items(i);
                list.push_back({{"event", it.GetEvent()},
                                {"headline", it.GetHeadline()},
                                {"effective", DateTimeToStr(it.GetEffective())},
                                {"expires", DateTimeToStr(it.GetExpires())},
                                {"severity", it.GetSeverity()},
                                {"county", it.GetGeocode(0)},
                                {"web", it.GetWeb()},
                                {"description", it.GetDescription()},
                                {"instruction", it.GetInstruction()}});
            }
        }
        return json{{"alerts", list}};
    }
    return fail("unknown kind " + kind);
}
