#include "mainwindow/ForecastText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "nws/XmlDateTime.h"
#include "platform/FormatSettings.h"
#include "service/WxModel.h"

namespace {

std::string Lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool SameText(const std::string &a, const std::string &b) {
    return a.size() == b.size() && Lower(a) == Lower(b);
}

std::string Trim(const std::string &s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

// Replaces the first occurrence of `what` (case-insensitive when asked).
std::string ReplaceFirst(const std::string &text, const std::string &what, const std::string &with,
                         bool ignoreCase) {
    const size_t at = ignoreCase ? Lower(text).find(Lower(what)) : text.find(what);
    if (at == std::string::npos) return text;
    return text.substr(0, at) + with + text.substr(at + what.size());
}

std::string ReplaceAll(std::string text, const std::string &what, const std::string &with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

const char *const kDegree = "\xC2\xB0";

}  // namespace

// ---------------------------------------------------------------------------

bool TLangView::Empty() const {
    if (lookup_) return empty_;
    return !lines_ || lines_->empty();
}

std::string TLangView::Value(const std::string &key) const {
    if (lookup_) return lookup_(key);
    if (!lines_) return {};
    for (const std::string &line : *lines_) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (SameText(line.substr(0, eq), key)) return line.substr(eq + 1);
    }
    return {};
}

std::string TLangView::Text(const std::string &key, const std::string &builtIn) const {
    return Empty() ? builtIn : Value(key);
}

std::string TLangView::TextOr(const std::string &key, const std::string &builtIn) const {
    std::string v = Value(key);
    return v.empty() ? builtIn : v;
}

// ---------------------------------------------------------------------------

std::string OrdinalSuffix(int day) {
    switch (day) {
    case 1: case 21: case 31: return "st";
    case 2: case 22: return "nd";
    case 3: case 23: return "rd";
    default: return "th";
    }
}

std::string OrdinalDay(TDateTime dt) {
    int y = 0, m = 0, d = 0;
    DecodeDate(dt, y, m, d);
    return std::to_string(d) + OrdinalSuffix(d);
}

TPeriodName NamePeriod(TDateTime x, TDateTime now) {
    static const char *const kWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
    const double today = std::floor(now);
    const double day = std::floor(x);
    // Times within a millisecond of noon count as noon.
    const double msDay = 1.0 / 86400000.0;
    const bool afternoon = (x - day) > 0.5 - msDay;

    if (day < today) return {"OVERNIGHT", "Overnight", true};
    if (afternoon) {
        if (day == today) return {"TONIGHT", "Tonight", true};
        return {"NIGHT", "Night", true};
    }
    if (day == today) return {"TODAY", "Today", false};
    if (day == today + 1) return {"TOMORROW", "Tomorrow", false};
    const char *name = kWeekdays[DayOfWeek(x) - 1];
    return {name, name, false};
}

std::string PeriodText(const TPeriodName &name, const TLangView &lang) {
    return lang.Text(name.Key, name.BuiltIn);
}

std::string ShortenSummary(const std::string &text) {
    std::string s = ReplaceFirst(text, " y ", " ", false);
    s = ReplaceFirst(s, "probabilidad", "probable", true);
    s = ReplaceFirst(s, "oportunidad", "azar", true);
    return s;
}

std::string InsetText(const TForecasts &forecasts, bool periods12, TDateTime today) {
    if (forecasts.Count() == 0) return {};
    const int start = forecasts.Items(0)->Detail.empty() ? 1 : 0;
    const TForecastItem *first = forecasts.Items(start);
    if (!first) return {};
    std::string text = first->Detail;
    if (periods12) {
        const TForecastItem *next = forecasts.Items(start + 1);
        if (next && !next->Detail.empty() && std::floor(today) < next->Date) text += "\r\n\r\n" + next->Detail;
    }
    return text;
}

TTempCaptions TemperatureCaptions(const TForecastItem &p, bool periods12, const TLangView &lang) {
    TTempCaptions c;
    const std::string high = std::to_string(p.HighTemp) + kDegree;
    const std::string low = std::to_string(p.LowTemp) + kDegree;
    if (!periods12) {
        c.High = {true, TTempAlign::Left, lang.Value("HIGH") + ": " + high};
        c.Low = {true, TTempAlign::Right, lang.Value("LOW") + ": " + low};
    } else if (p.Name.find("ight") != std::string::npos) {
        c.High.Visible = false;
        c.Low = {true, TTempAlign::Center, lang.TextOr("LOW", "Low") + ": " + low};
    } else {
        c.Low.Visible = false;
        c.High = {true, TTempAlign::Center, lang.TextOr("HIGH", "High") + ": " + high};
    }
    return c;
}

TBalloonText ForecastBalloonText(const std::string &hint, const TLangView &lang) {
    const std::string lead = lang.TextOr("Forecast for ", "Forecast for ");
    const size_t colon = hint.find(':');
    if (colon == std::string::npos) return {lead + ". . .", hint};

    const std::string heading = hint.substr(0, colon + 1);
    TBalloonText out;
    out.Body = "    " + hint.substr(colon + 1);

    // The heading's first blank after its first character splits it in two;
    // without one the whole heading is the second word.
    const size_t blank = heading.size() > 1 ? heading.find(' ', 1) : std::string::npos;
    std::string word1, word2;
    if (blank == std::string::npos) {
        word2 = heading.substr(0, heading.size() - 1);
    } else {
        word1 = Trim(heading.substr(0, blank));
        word2 = heading.substr(blank + 1, heading.size() - blank - 2);
    }

    std::string phrase;
    if (!word1.empty()) {
        const std::string t1 = lang.Value(word1);
        phrase = " " + (t1.empty() ? word1 : t1) + " " + (t1.empty() ? word2 : lang.Value(word2));
    } else {
        const std::string t2 = lang.Value(word2);
        phrase = " " + (t2.empty() ? word2 : t2);
    }
    out.Header = lead + phrase;
    return out;
}

std::string ForecastTimeCaption(const std::string &xmlTime, const TLangView &lang) {
    if (xmlTime.empty()) return {};
    TDateTime t = 0;
    if (!XmlDateTimeToLocal(xmlTime, t)) return {};
    // Without a template of its own the label would go blank; the page-change
    // rule of the window uses the same English text.
    const std::string templ = lang.TextOr("glForecastTime", "Forecast for %s");
    return ReplaceAll(templ, "%s", DateTimeToStr(t));
}

TInsetScroll InsetScrollLayout(int labelHeight, int clientHeight, int clientWidth, int barWidth, int position,
                               int border) {
    TInsetScroll s;
    if (labelHeight > clientHeight) {
        s.BarVisible = true;
        s.LabelWidth = clientWidth - (barWidth + 2);
        s.BarMax = static_cast<int>(std::lround(labelHeight * 0.72));
        s.LabelTop = -(position / 2) - border;
    } else {
        s.LabelWidth = clientWidth;
    }
    return s;
}
