#include "nws/cap1.h"

#include <cctype>

#include "nws/XmlDateTime.h"

TDateTime CAPDateToDateTime(std::string_view text, int *offsetHours) {
    if (offsetHours) *offsetHours = 0;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (text.empty() || text.find(' ') != std::string_view::npos) return 0;
    std::string s;
    const std::size_t dash = text.rfind('-');
    if (dash != std::string_view::npos && text.size() - dash - 1 < 5) {
        s.reserve(text.size() + 1);
        s.append(text.substr(0, dash + 1)).append(1, '0').append(text.substr(dash + 1));
    } else {
        s.assign(text);
    }
    TXmlDateTimeParts parts;
    TDateTime local = 0;
    if (!ParseXmlDateTime(s, parts) || !XmlDateTimeToLocal(s, local)) return Clock::Now();
    if (offsetHours) *offsetHours = parts.offsetMinutes / 60;
    return local;
}

std::string DateTimeToCAPDate(TDateTime local) { return DateTimeToXml(local); }

std::string CutExpiringClause(const std::string &headline) {
    const std::size_t at = headline.find("expi");
    if (at == std::string::npos || at < 2) return headline;
    return headline.substr(0, at - 1);
}

TCAPAlert TCAPAlert::LoadFromBuffer(std::string_view bytes) {
    TCAPAlert r;
    std::string error;
    xmlb::DocPtr doc = xmlb::Parse(bytes, &error);
    r.Bind(std::move(doc), std::move(error), "alert");
    return r;
}

TCAPAlert TCAPAlert::LoadFromFile(const std::string &path) {
    TCAPAlert r;
    std::string error;
    xmlb::DocPtr doc = xmlb::ParseFile(path, &error);
    r.Bind(std::move(doc), std::move(error), "alert");
    return r;
}

bool TCAPAlert::SaveToFile(const std::string &path) const {
    return doc_ && doc_->save_file(path.c_str(), "  ", pugi::format_default, pugi::encoding_utf8);
}
