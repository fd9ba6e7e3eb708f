// The AccuWeather probes: current conditions, forecast days, the watch and
// warning page, and the city search.
#include <fstream>
#include <iterator>

#include "Probe.h"
#include "accuweather/AcuService.h"
#include "app/IniSettings.h"

using nlohmann::json;

namespace {

const char *const kWeatherRoute = "/widget/kovix/weather-data.asp";
const char *const kFindRoute = "/widget/kovix/city-find.asp";

json failure(const std::string &why) { return json{{"error", why}}; }

bool readText(const std::string &file, std::string &text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Points the document's watch and warning address at base, keeping its path
// and query; active also switches the area on. False when there is no area.
bool redirectWatchArea(std::string &doc, const std::string &base, bool active) {
    const size_t area = doc.find("<watchwarnareas");
    if (area == std::string::npos) return false;
    const size_t tagEnd = doc.find('>', area);
    if (tagEnd == std::string::npos) return false;
    if (active) {
        const size_t flag = doc.find("isactive=\"0\"", area);
        if (flag != std::string::npos && flag < tagEnd) doc.replace(flag, 12, "isactive=\"1\"");
    }
    const size_t open = doc.find("<url>", area);
    const size_t close = doc.find("</url>", area);
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    const size_t from = open + 5;
    const size_t scheme = doc.find("://", from);
    if (scheme == std::string::npos || scheme > close) return false;
    const size_t path = doc.find('/', scheme + 3);
    if (path == std::string::npos || path > close) return false;
    doc.replace(from, path - from, base);
    return true;
}

}  // namespace

json ProbeAcu(const TAcuProbe &p) {
    TProbeClock clock(p.Now);
    if (!clock.Valid()) return failure("--now is not a date-time: " + p.Now);
    std::string doc;
    if (!readText(p.Document, doc)) return failure("cannot read " + p.Document);

    TProbeSite site;
    const bool search = p.Mode == "search";
    if (!site.AddText(search ? kFindRoute : kWeatherRoute, search ? "find.xml" : "weather.xml", doc))
        return failure(site.Error());
    if (p.Mode == "alerts" && !site.Add("/watches-warnings.asp", "page.htm", p.Page)) return failure(site.Error());
    if (!site.Start()) return failure(site.Error());
    if (p.Mode == "alerts") {
        // The port is known only now; the document names the page's address.
        if (!redirectWatchArea(doc, site.Base(), p.Active)) return failure("the document names no watch area");
        if (!site.AddText(kWeatherRoute, "weather.xml", doc)) return failure(site.Error());
    }

    TIniSettings ini;
    ini.SetStrings({"[Wx]", "Scale=" + std::to_string(p.Scale), "Speed=" + std::to_string(p.Speed)});
    if (RegisterAcuService(ini).empty()) return failure("the AccuWeather service could not be registered");
    auto svc = CreateWxService<TAcuService>(nullptr, 0, &ini);
    svc->SetConnected(true);
    svc->SetLocation(p.Location);

    json out;
    if (search) {
        int done = -1;
        svc->OnSearchDone = [&done](TCustomWxService &, int n) { done = n; };
        svc->SearchLocations(p.Search);
        json results = json::array();
        for (size_t i = 0; i < svc->GetSearchLines().size(); ++i) {
            const TWxLocationRec rec = svc->GetSearchResult(int(i));
            results.push_back({{"line", svc->GetSearchLines()[i]},
                               {"id", rec.ID},
                               {"name", rec.Name},
                               {"cityState", rec.CityState}});
        }
        out["results"] = results;
        out["searchDone"] = done;
        return out;
    }

    if (p.Mode == "current") {
        svc->OnCurrent = [&out](TCustomWxService &s) {
            out["locationCaption"] = s.GetLocationCaption();
            out["temperature"] = s.GetTemperature();
            out["feelsLike"] = s.GetFeelsLike();
            out["realFeel"] = s.GetRealFeel();
            out["humidity"] = s.GetHumidity();
            out["dewPoint"] = s.GetDewPoint();
            out["pressure"] = s.GetPressure();
            out["precipitation"] = s.GetPrecipitation();
            out["windSpeed"] = s.GetWindSpeed();
            out["windDirection"] = s.GetWindDirection();
            out["windGust"] = s.GetWindGust();
            out["windText"] = s.GetWindText();
            out["conditions"] = s.GetConditions();
            out["visibility"] = s.GetVisibility();
            out["sunrise"] = s.GetSunrise();
            out["sunset"] = s.GetSunset();
            out["moonPhase"] = s.GetMoonPhase();
            out["observationTime"] = s.GetObservationTime();
            out["webPageURL"] = s.GetWebPageURL();
            out["linkURL"] = s.GetLinkURL();
            s.GetConditionsPicture();
            out["iconBase"] = s.IconBase;
            out["iconName"] = s.IconName;
        };
    } else if (p.Mode == "forecast") {
        svc->OnForecast = [&out](TCustomWxService &s) { out["items"] = ForecastItemsJson(s); };
    } else if (p.Mode != "alerts") {
        return failure("no AccuWeather probe \"" + p.Mode + "\"");
    }
    svc->RefreshCurrent();
    if (p.Mode == "alerts") {
        out["alertURL"] = svc->GetAlertURL();
        svc->OnAlerts = [&out](TCustomWxService &s) { out["items"] = AlertItemsJson(s); };
        svc->RefreshAlerts();
        if (!out.contains("items")) out["items"] = json::array();  // no active area, or an empty page
        StripBase(out, site.Base());
        return out;
    }
    if (out.is_null()) return failure("nothing was read from " + p.Document);
    StripBase(out, site.Base());
    if (p.Mode == "forecast") out["forecastTime"] = svc->GetForecastTime();
    return out;
}

int RunAcuCommand(const std::vector<std::string> &args, json &out) {
    TAcuProbe p;
    if (!args.empty()) p.Mode = args[0];
    if (args.size() > 1) p.Document = args[1];
    if (p.Mode == "alerts" && args.size() > 2) p.Page = args[2];
    p.Location = ArgValue(args, "--location", p.Location);
    p.Search = ArgValue(args, "--text");
    p.Now = ArgValue(args, "--now");
    p.Active = HasArg(args, "--active");
    p.Scale = IntArg(args, "--scale", 0);
    p.Speed = IntArg(args, "--speed", 0);
    if (p.Document.empty() || (p.Mode == "alerts" && p.Page.empty())) {
        out = failure("usage: acu current|forecast FILE, acu alerts FILE PAGE, acu search FILE --text TEXT");
        return 2;
    }
    out = ProbeAcu(p);
    return out.contains("error") ? 1 : 0;
}
