#include "accuweather/AccuWx.h"

#include <cctype>

#include "platform/FormatSettings.h"

namespace AccuWx {

namespace {

std::string WithoutTabsAndLineFeeds(std::string s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\t' && c != '\n') out += c;
    return out;
}

}  // namespace

bool TAcuAlerts::Isactive() const {
    if (Url().empty()) return false;
    return AttrBool("isactive");
}

std::string TAcuCurrent::Observationtime() const { return WithoutTabsAndLineFeeds(ChildText("observationtime")); }

std::string ArrangeMonthDayYear(const std::string &mdy, const std::string &shortDateFormat) {
    if (shortDateFormat.empty() || std::tolower(static_cast<unsigned char>(shortDateFormat[0])) != 'd') return mdy;
    size_t first = mdy.find('/');
    if (first == std::string::npos) return mdy;
    size_t last = mdy.rfind('/');
    // "12/25/2008" -> "25/" + "12" + "/2008"
    return mdy.substr(first + 1, last - first) + mdy.substr(0, first) + mdy.substr(last);
}

TDateTime TAcuDay::Obsdate() const {
    const TFormatSettings &fs = TFormatSettings::Global();
    std::string text = ArrangeMonthDayYear(WithoutTabsAndLineFeeds(ChildText("obsdate")), fs.ShortDateFormat);
    TDateTime dt = 0;
    if (!TryStrToDateTime(text, dt, fs)) return 0;
    return dt;
}

}  // namespace AccuWx
