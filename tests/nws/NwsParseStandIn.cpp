// Minimal forecast and alert parsers for the service tests while the real ones
// are not in the tree: one period per document, one alert per fetched entry.
#include <algorithm>
#include <cctype>

#include "nws/NWSAlerts.h"
#include "nws/NWSForecast.h"

bool ParseNwsForecasts(const TNwsForecastInput &in, TForecasts &out) {
    if (!in.Ndfd || !in.Ndfd->data().Exists()) return false;
    out.Clear();
    out.Add()->Name = "Today";
    return true;
}

std::unique_ptr<TAlerts> ParseNwsAlerts(const TCAPIndex &index, const std::string &countyFilter,
                                        const std::function<std::string(const std::string &url)> &fetch) {
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    auto alerts = std::make_unique<TAlerts>(nullptr);
    for (const TCAPEntry &e : index.entry()) {
        if (!countyFilter.empty() && lower(e.areaDesc()).find(lower(countyFilter)) == std::string::npos) continue;
        if (!fetch(e.link().href()).empty()) alerts->Add()->Name = e.title();
    }
    if (alerts->Count() == 0) return nullptr;
    return alerts;
}
