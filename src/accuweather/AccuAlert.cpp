#include "accuweather/AccuAlert.h"

#include <cctype>

#include "platform/FormatSettings.h"

namespace AccuAlert {
const char *const Markers[2] = {"warning-body-content", "awx-story"};
const char *const AlertKeywords[8] = {"statement", "message", "outlook", "forecast",
                                      "danger",    "watch",   "advisory", "warning"};
const char *const WeekDays[7] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};
const char *const Months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
}  // namespace AccuAlert

namespace {

// Plain ASCII case mapping: page text may be UTF-8 or Latin-1.
std::string Lower(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}
std::string Upper(std::string s) {
    for (char &c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}
char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool Contains(const std::string &s, const char *what) { return s.find(what) != std::string::npos; }

std::string Trim(const std::string &s) {
    // Control characters count as blanks, as the original trim did.
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
    return s.substr(a, b - a);
}

}  // namespace

using AccuAlert::ParseIssued;
using AccuAlert::StripTags;
using AccuAlert::TitleCase;

std::string TAcuAlertItemRec::Text() const {
    std::string out;
    for (const std::string &line : Story) out += line + "\r\n";
    return out;
}

TAcuAlertList::TAcuAlertList(const TParseLines &lines) {
    OnLine = [this](int index, std::string &line, bool &accept) { AlertLine(index, line, accept); };
    Run(&lines);
    Source = nullptr;  // the caller's lines are not kept
}

const TAcuAlertItemRec *TAcuAlertList::Record(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return Records[index].get();
}

void TAcuAlertList::AlertLine(int, std::string &line, bool &accept) {
    if (State > 2 && !Records.empty()) {
        if (Contains(Lower(line), "</div>")) {
            State = 0;
            return;
        }
        line = StripTags(line);
        if (!line.empty()) Records.back()->Story.push_back(line);
        accept = true;
    } else if (State > 1 && Contains(Lower(line), AccuAlert::Markers[1])) {
        ++State;
    } else if (State > 0) {
        if (!Records.empty() && ParseIssued(*Records.back(), line)) {
            ++State;
            accept = true;
        }
    } else if (Contains(line, AccuAlert::Markers[0])) {
        line = StripTags(line);
        accept = true;
        if (ClassifyAndAdd(line)) State = 1;
    }
}

bool TAcuAlertList::ClassifyAndAdd(const std::string &line) {
    if (line.empty()) return false;
    std::string lower = Lower(line);
    for (const char *keyword : AccuAlert::AlertKeywords) {
        if (!Contains(lower, keyword)) continue;
        auto rec = std::make_unique<TAcuAlertItemRec>();
        rec->Headline = line;
        rec->Title = TitleCase(line);
        Records.push_back(std::move(rec));
        Results.push_back(keyword);
        return true;
    }
    return false;
}

namespace AccuAlert {

std::string StripTags(const std::string &text) {
    std::string s = Trim(text);
    for (;;) {
        size_t open = s.find('<');
        size_t close = s.find('>');
        if (open == std::string::npos || close == std::string::npos || open > close) break;
        std::string tag = s.substr(open, close - open + 1);
        std::string lowerTag = Lower(tag);
        const char *replacement = (Contains(lowerTag, "/p") || lowerTag == "</div>") ? "\n\r" : "";
        s.replace(open, tag.size(), replacement);
    }
    return s;
}

std::string TitleCase(const std::string &text) {
    std::string s = Lower(text);
    if (s.empty()) return s;
    s[0] = UpperChar(s[0]);
    for (size_t i = 1; i + 1 < s.size(); ++i)
        if (s[i - 1] == ' ' && s[i] != ' ') s[i] = UpperChar(s[i]);
    return s;
}

bool ParseIssued(TAcuAlertItemRec &rec, std::string &line) {
    if (line.empty()) return false;
    line = StripTags(line);
    std::string upper = Upper(line);

    bool weekday = false;
    for (const char *day : AccuAlert::WeekDays)
        if (Contains(upper, day)) {
            weekday = true;
            break;
        }
    if (!weekday) return false;

    size_t monthPos = std::string::npos;
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        size_t p = upper.find(AccuAlert::Months[m]);
        if (p != std::string::npos) {
            monthPos = p;
            month = m + 1;
            break;
        }
    }

    std::string text = line;
    size_t lf = text.find('\n');
    if (lf != std::string::npos) text.erase(lf);

    size_t comma = text.rfind(',');
    if (comma == std::string::npos || month == 0) return false;

    size_t dayStart = monthPos + 4;  // past the month and the blank after it
    std::string day = dayStart < comma ? text.substr(dayStart, comma - dayStart) : std::string();
    std::string rest = text.substr(comma + 1);

    int year, mon, dom;
    DecodeDate(Clock::Today(), year, mon, dom);
    std::string composed = std::to_string(month) + "/" + day + "/" + std::to_string(year) + rest;

    TDateTime issued = 0;
    if (!TryStrToDateTime(composed, issued, TFormatSettings::Global())) return false;
    rec.Issued = issued;
    return true;
}

}  // namespace AccuAlert
