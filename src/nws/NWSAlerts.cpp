#include "nws/NWSAlerts.h"

#include <cctype>

namespace {

std::string Lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string &s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

TCAPArea AreaAt(const TCAPInfo &info, int index) {
    if (!info || index < 0) return TCAPArea();
    return info.area()[static_cast<std::size_t>(index)];
}

// Appends the parts of `source` the advisories view shows to `merged`, tagged
// with the index entry it came from.
void MergeInfo(const TCAPAlert &merged, const TCAPInfo &source, const TCAPEntry &entry) {
    const TCAPInfo info = merged.info().Add();
    if (!info) return;
    info.set_event(source.event());
    info.set_headline(CutExpiringClause(source.headline()));
    info.set_description(source.description());
    info.set_effective(source.effective());
    info.set_expires(source.expires());
    info.set_urgency(source.urgency());
    info.set_severity(source.severity());
    info.set_certainty(source.certainty());
    info.set_web(entry.link().href());
    info.area().Add().set_areaDesc(entry.areaDesc());
}

}  // namespace

// ---- TNWSAlertItem --------------------------------------------------------

void TNWSAlertItem::Initialize() {
    TCustomAlertItem::Initialize();
    Info = TCAPInfo();
    InfoIndex = 0;
    document_.reset();
}

void TNWSAlertItem::SetInfo(const TCAPInfo &info, int index, xmlb::DocPtr document) {
    Info = info;
    InfoIndex = index;
    document_ = std::move(document);
    EventText.clear();
    HeadlineText.clear();
    DescriptionText.clear();
}

std::string TNWSAlertItem::GetCategory(int index) const {
    if (!Info) return {};
    const std::string category = Info.category();
    if (index < 1 || static_cast<std::size_t>(index) > category.size()) return {};
    return std::string(1, category[static_cast<std::size_t>(index) - 1]);
}

std::string TNWSAlertItem::GetEvent() const {
    if (!EventText.empty()) return EventText;
    return Info ? Info.event() : std::string();
}

std::string TNWSAlertItem::GetUrgency() const { return Info ? Info.urgency() : std::string(); }
std::string TNWSAlertItem::GetSeverity() const { return Info ? Info.severity() : std::string(); }
std::string TNWSAlertItem::GetCertainty() const { return Info ? Info.certainty() : std::string(); }
TDateTime TNWSAlertItem::GetEffective() const { return Info ? Info.effective() : 0; }
TDateTime TNWSAlertItem::GetExpires() const { return Info ? Info.expires() : 0; }

std::string TNWSAlertItem::GetHeadline() const {
    if (!HeadlineText.empty()) return HeadlineText;
    if (!Info) return {};
    HeadlineText = Trim(CutExpiringClause(Info.headline()));
    return HeadlineText;
}

std::string TNWSAlertItem::GetDescription() const {
    if (!DescriptionText.empty()) return DescriptionText;
    return Info ? Info.description() : std::string();
}

std::string TNWSAlertItem::GetWeb() const { return Info ? Info.web() : std::string(); }

std::string TNWSAlertItem::GetAreaDesc(int index) const {
    const TCAPArea area = AreaAt(Info, index);
    return area ? area.areaDesc() : std::string();
}

std::string TNWSAlertItem::GetGeocode(int index) const {
    const TCAPArea area = AreaAt(Info, index);
    if (!area) return {};
    const TCAPGeocode geocode = area.geocode()[0];
    return geocode ? geocode.value() : std::string();
}

// ---- TNWSAlerts -----------------------------------------------------------

TNWSAlerts::TNWSAlerts(void *owner)
    : TAlerts(owner, [] { return std::make_unique<TNWSAlertItem>(); }) {}

void TNWSAlerts::SetCountyFilter(const std::string &filter) {
    if (filter == countyFilter_) return;
    countyFilter_ = filter;
    Rebuild();
}

void TNWSAlerts::SetAlertDocument(const TCAPAlert &document) {
    const TCAPAlert next = document.Active() ? document : TCAPAlert();
    if (next.Node() == alertDocument_.Node()) return;
    Clear();
    alertDocument_ = next;
    Rebuild();
    LastUpdate = Clock::Now();
}

void TNWSAlerts::Rebuild() {
    if (!alertDocument_.Active()) return;
    Clear();
    bool added = false;
    int i = 0;
    for (const TCAPInfo info : alertDocument_.info()) {
        if (info.event().size() > 3) {
            const TCAPArea first = info.area()[0];
            if (countyFilter_.empty() || !first || first.areaDesc().find(countyFilter_) != std::string::npos) {
                TNWSAlertItem *item = Add();
                item->SetInfo(info, i, alertDocument_.Document());
                item->Date = GetSent();
                added = true;
            }
        }
        ++i;
    }
    if (added) LastUpdate = Clock::Now();
}

std::string TNWSAlerts::GetSender() const { return alertDocument_.sender(); }
TDateTime TNWSAlerts::GetSent() const { return alertDocument_.Active() ? alertDocument_.sent() : 0; }
std::string TNWSAlerts::GetStatus() const { return alertDocument_.status(); }
std::string TNWSAlerts::GetMsgType() const { return alertDocument_.msgType(); }
std::string TNWSAlerts::GetScope() const { return alertDocument_.scope(); }
std::string TNWSAlerts::GetNote() const { return alertDocument_.note(); }
std::string TNWSAlerts::GetReferences() const { return alertDocument_.references(); }

// ---- the index walk -------------------------------------------------------

std::unique_ptr<TAlerts> ParseNwsAlerts(const TCAPIndex &index, const std::string &countyFilter,
                                        const std::function<std::string(const std::string &url)> &fetch) {
    if (!fetch || !index.Active()) return nullptr;
    const std::string county = Lower(countyFilter);
    TCAPAlert merged;
    bool first = true;
    for (const TCAPEntry entry : index.entry()) {
        if (!county.empty() && Lower(entry.areaDesc()).find(county) == std::string::npos) continue;
        const std::string url = entry.link().href();
        if (first) {
            first = false;
            const std::string path = fetch(url);
            if (!path.empty()) merged = TCAPAlert::LoadFromFile(path);
            continue;
        }
        // Later alerts are only merged into a first one; without it the walk is over.
        if (!merged.Active()) break;
        const std::string path = fetch(url);
        if (path.empty()) continue;
        const TCAPAlert alert = TCAPAlert::LoadFromFile(path);
        if (!alert.Active()) continue;
        for (const TCAPInfo info : alert.info())
            if (info.effective() != 0) MergeInfo(merged, info, entry);
    }
    if (!merged.Active()) return nullptr;

    auto alerts = std::make_unique<TNWSAlerts>(nullptr);
    alerts->SetAlertDocument(TCAPAlert());
    alerts->SetCountyFilter(countyFilter);
    alerts->SetAlertDocument(merged);
    if (alerts->Count() == 0) return nullptr;
    return alerts;
}
