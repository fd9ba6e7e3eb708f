// The NWS probes: current observation, forecast and alerts.
#include <sstream>

#include <pugixml.hpp>

#include "Probe.h"
#include "app/IniSettings.h"
#include "nws/NWSService.h"
#include "nws/XmlDateTime.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "service/Servers.h"

using nlohmann::json;

namespace {

const char *const kNdfdRoute = "/forecasts/xml/SOAP_server/ndfdSOAPclientByDay.php";

std::string isoText(TDateTime dt) { return dt == 0 ? std::string() : FormatDateTime("yyyy-mm-dd'T'hh:nn:ss", dt); }

int intArg(const std::vector<std::string> &args, const std::string &name, int def) {
    const std::string v = ArgValue(args, name);
    if (v.empty()) return def;
    try {
        return std::stoi(v);
    } catch (...) {
        return def;
    }
}

// The service section every probe starts from; the caller adds what it needs.
std::vector<std::string> baseSettings(const TProbeSite &site, int scale, int speed, bool periods12, int numDays,
                                      const std::string &location) {
    return {"[Wx]",
            "Scale=" + std::to_string(scale),
            "Speed=" + std::to_string(speed),
            std::string("Periods=") + (periods12 ? "12" : "24"),
            "NumDays=" + std::to_string(numDays),
            "[Service0]",
            "Name=NWS",
            "httpBase=" + site.Base(),
            "XML=/data/current_obs",
            "HTML=" + site.Base(),
            "Location=" + location,
            "Latitude=38.85",
            "Longitude=-77.03"};
}

json failure(const std::string &why) { return json{{"error", why}}; }

}  // namespace

json ProbeNwsCurrent(const std::string &file, int scale, int speed) {
    TNWSCurrent peek = TNWSCurrent::LoadFromFile(file);
    std::string station = SafeFileName(peek.station_id());
    if (station.empty()) station = "KXXX";
    TProbeSite site;
    if (!site.Add("/data/current_obs/" + station + ".xml", "current.xml", file) || !site.Start())
        return failure(site.Error());
    TIniSettings ini;
    ini.SetStrings(baseSettings(site, scale, speed, true, 7, station));
    auto svc = CreateWxService<TNWxService>(nullptr, 0, &ini);
    svc->SetConnected(true);
    json out;
    svc->OnCurrent = [&out](TCustomWxService &s) {
        out["temperature"] = s.GetTemperature();
        out["feelsLike"] = s.GetFeelsLike();
        out["humidity"] = s.GetHumidity();
        out["dewPoint"] = s.GetDewPoint();
        out["pressure"] = s.GetPressure();
        out["windSpeed"] = s.GetWindSpeed();
        out["windDirection"] = s.GetWindDirection();
        out["windGust"] = s.GetWindGust();
        out["conditions"] = s.GetConditions();
        out["visibility"] = s.GetVisibility();
        out["windText"] = s.GetWindText();
        out["observationTime"] = s.GetObservationTime();
        out["locationCaption"] = s.GetLocationCaption();
        s.GetConditionsPicture();
        out["iconBase"] = s.IconBase;
        out["iconName"] = s.IconName;
        out["historyURL"] = s.GetHistoryURL();
    };
    svc->RefreshCurrent();
    if (out.is_null()) return failure("no current observation was read from " + file);
    return out;
}

json ProbeNwsForecast(const TNwsForecastProbe &p) {
    if (!p.Now.empty()) {
        TDateTime now = 0;
        if (!XmlDateTimeWritten(p.Now, now)) return failure("--now is not a date-time: " + p.Now);
        Clock::Set(now);
    }
    TProbeSite site;
    if (!site.Add(kNdfdRoute, "ndfd.xml", p.Ndfd)) return failure(site.Error());
    if (!p.Text.empty() && !site.Add("/MapClick.php", "text.xml", p.Text)) return failure(site.Error());
    if (!site.Start()) return failure(site.Error());
    TIniSettings ini;
    ini.SetStrings(baseSettings(site, p.Scale, 0, p.Periods12, p.NumDays, "PROBE"));
    auto svc = CreateWxService<TNWxService>(nullptr, 0, &ini);
    svc->SetConnected(true);
    json out;
    svc->OnForecast = [&out](TCustomWxService &s) {
        json items = json::array();
        TForecasts &f = s.Forecasts();
        for (int i = 0; i < f.Count(); ++i) {
            const TForecastItem *it = f.Items(i);
            items.push_back({{"name", it->Name},
                             {"date", isoText(it->Date)},
                             {"high", it->HighTemp},
                             {"low", it->LowTemp},
                             {"summary", it->Summary},
                             {"precipText", it->PrecipText},
                             {"iconBase", it->IconBase},
                             {"iconName", it->IconName},
                             {"detail", it->Detail}});
        }
        out["items"] = items;
    };
    svc->RefreshForecast();
    if (!p.Now.empty()) Clock::UseSystem();
    if (out.is_null()) return failure("no forecast was read from " + p.Ndfd);
    out["forecastTime"] = svc->GetForecastTime();
    return out;
}

json ProbeNwsAlerts(const std::string &index, const std::vector<std::string> &alerts, const std::string &county,
                    const std::string &state) {
    // Entry i of the index is answered by the i-th alert document: the links are
    // pointed at the local server.
    pugi::xml_document feed;
    if (!feed.load_file(index.c_str(), pugi::parse_default | pugi::parse_declaration | pugi::parse_comments))
        return failure("cannot read the index " + index);
    TProbeSite site;
    int n = 0;
    std::string base;
    std::vector<pugi::xml_attribute> hrefs;
    for (pugi::xml_node e = feed.document_element().child("entry"); e; e = e.next_sibling("entry"), ++n)
        hrefs.push_back(e.child("link").attribute("href"));
    for (size_t i = 0; i < alerts.size(); ++i)
        if (!site.Add("/alert/" + std::to_string(i) + ".cap", "alert" + std::to_string(i) + ".cap", alerts[i]))
            return failure(site.Error());
    // The server's port is known only once it runs, so the index is written after Start.
    const std::string st = state.empty() ? "dc" : state;
    if (!site.AddText("/cap/" + LowerCase(st) + ".php", "index.cap", "") || !site.Start())
        return failure(site.Error());
    for (size_t i = 0; i < hrefs.size(); ++i)
        if (hrefs[i]) hrefs[i].set_value((site.Base() + "/alert/" + std::to_string(i) + ".cap").c_str());
    std::ostringstream text;
    feed.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    if (!site.AddText("/cap/" + LowerCase(st) + ".php", "index.cap", text.str())) return failure(site.Error());

    TIniSettings ini;
    std::vector<std::string> lines = baseSettings(site, 0, 0, true, 7, "PROBE");
    lines.push_back("StateCode=" + st);
    lines.push_back("CountyCode=" + county);
    ini.SetStrings(lines);
    auto svc = CreateWxService<TNWxService>(nullptr, 0, &ini);
    svc->SetConnected(true);
    json out;
    svc->OnAlerts = [&out](TCustomWxService &s) {
        json items = json::array();
        TAlerts *a = s.Alerts();
        for (int i = 0; a && i < a->Count(); ++i) {
            const TCustomAlertItem *it = a->Items(i);
            items.push_back({{"event", it->GetEvent()},
                             {"headline", it->GetHeadline()},
                             {"description", it->GetDescription()},
                             {"effective", isoText(it->GetEffective())},
                             {"expires", isoText(it->GetExpires())},
                             {"web", it->GetWeb()},
                             {"areaDesc", it->GetAreaDesc(0)},
                             {"geocode", it->GetGeocode(0)}});
        }
        out["items"] = items;
        out["sent"] = a ? isoText(a->GetSent()) : std::string();
    };
    svc->RefreshAlerts();
    if (out.is_null()) return failure("no alert index was read from " + index);
    return out;
}

int RunNwsCurrentCommand(const std::vector<std::string> &args, json &out) {
    out = ProbeNwsCurrent(ArgValue(args, "--nws"), intArg(args, "--scale", 0), intArg(args, "--speed", 0));
    return out.contains("error") ? 1 : 0;
}

int RunNwsForecastCommand(const std::vector<std::string> &args, json &out) {
    TNwsForecastProbe p;
    p.Ndfd = ArgValue(args, "--ndfd");
    p.Text = ArgValue(args, "--text");
    p.Periods12 = intArg(args, "--periods", 12) != 24;
    p.Scale = intArg(args, "--scale", 0);
    p.NumDays = intArg(args, "--numdays", 7);
    p.Now = ArgValue(args, "--now");
    out = ProbeNwsForecast(p);
    return out.contains("error") ? 1 : 0;
}

int RunNwsAlertsCommand(const std::vector<std::string> &args, json &out) {
    out = ProbeNwsAlerts(ArgValue(args, "--index"), ArgValues(args, "--alert"), ArgValue(args, "--county"),
                         ArgValue(args, "--state", "dc"));
    return out.contains("error") ? 1 : 0;
}
