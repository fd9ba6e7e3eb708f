#include "platform/FormatSettings.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
TFormatSettings g_settings;

std::string pad(int v, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    return buf;
}

bool startsWithNoCase(const std::string &s, size_t pos, const char *what) {
    for (size_t i = 0; what[i]; ++i) {
        if (pos + i >= s.size()) return false;
        if (std::tolower(static_cast<unsigned char>(s[pos + i])) != std::tolower(static_cast<unsigned char>(what[i])))
            return false;
    }
    return true;
}

// Whether an AM/PM marker follows anywhere after pos (makes "h" 12-hour).
bool hasAmPmAfter(const std::string &f, size_t pos) {
    for (size_t i = pos; i < f.size(); ++i) {
        if (f[i] == '"' || f[i] == '\'') {
            char q = f[i];
            ++i;
            while (i < f.size() && f[i] != q) ++i;
            continue;
        }
        if (startsWithNoCase(f, i, "am/pm") || startsWithNoCase(f, i, "a/p") || startsWithNoCase(f, i, "ampm"))
            return true;
    }
    return false;
}

void formatInto(std::string &out, const std::string &f, TDateTime dt, const TFormatSettings &fs, int depth);

void formatInto(std::string &out, const std::string &f, TDateTime dt, const TFormatSettings &fs, int depth) {
    if (depth > 2) return;
    int y, mo, d, h, n, s, ms;
    DecodeDate(dt, y, mo, d);
    DecodeTime(dt, h, n, s, ms);
    bool lastWasHour = false;
    size_t i = 0;
    while (i < f.size()) {
        char c = f[i];
        char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        auto run = [&](char ch) {
            size_t j = i;
            while (j < f.size() && std::tolower(static_cast<unsigned char>(f[j])) == ch) ++j;
            return j - i;
        };
        if (c == '"' || c == '\'') {
            size_t j = i + 1;
            while (j < f.size() && f[j] != c) out += f[j++];
            i = j < f.size() ? j + 1 : j;
            continue;
        }
        if (startsWithNoCase(f, i, "am/pm")) {
            bool upper = f[i] == 'A';
            std::string t = h < 12 ? "am" : "pm";
            if (upper) t = h < 12 ? "AM" : "PM";
            out += t;
            i += 5;
            continue;
        }
        if (startsWithNoCase(f, i, "ampm")) {
            out += h < 12 ? fs.TimeAMString : fs.TimePMString;
            i += 4;
            continue;
        }
        if (startsWithNoCase(f, i, "a/p")) {
            bool upper = f[i] == 'A';
            out += h < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
            i += 3;
            continue;
        }
        switch (lc) {
        case 'd': {
            size_t k = run('d');
            if (k == 1) out += std::to_string(d);
            else if (k == 2) out += pad(d, 2);
            else if (k == 3) out += fs.ShortDayNames[DayOfWeek(dt) - 1];
            else if (k == 4) out += fs.LongDayNames[DayOfWeek(dt) - 1];
            else if (k == 5) formatInto(out, fs.ShortDateFormat, dt, fs, depth + 1);
            else formatInto(out, fs.LongDateFormat, dt, fs, depth + 1);
            i += k;
            lastWasHour = false;
            break;
        }
        case 'm': {
            size_t k = run('m');
            if (lastWasHour && k <= 2) {
                out += k == 1 ? std::to_string(n) : pad(n, 2);
            } else if (k == 1) out += std::to_string(mo);
            else if (k == 2) out += pad(mo, 2);
            else if (k == 3) out += fs.ShortMonthNames[mo - 1];
            else out += fs.LongMonthNames[mo - 1];
            i += k;
            lastWasHour = false;
            break;
        }
        case 'y': {
            size_t k = run('y');
            out += k <= 2 ? pad(y % 100, 2) : pad(y, 4);
            i += k;
            lastWasHour = false;
            break;
        }
        case 'h': {
            size_t k = run('h');
            int hh = h;
            if (hasAmPmAfter(f, i + k)) {
                hh = h % 12;
                if (hh == 0) hh = 12;
            }
            out += k == 1 ? std::to_string(hh) : pad(hh, 2);
            i += k;
            lastWasHour = true;
            break;
        }
        case 'n': {
            size_t k = run('n');
            out += k == 1 ? std::to_string(n) : pad(n, 2);
            i += k;
            lastWasHour = false;
            break;
        }
        case 's': {
            size_t k = run('s');
            out += k == 1 ? std::to_string(s) : pad(s, 2);
            i += k;
            lastWasHour = false;
            break;
        }
        case 'z': {
            size_t k = run('z');
            out += k >= 3 ? pad(ms, 3) : std::to_string(ms);
            i += k;
            break;
        }
        case 'c':
            formatInto(out, fs.ShortDateFormat, dt, fs, depth + 1);
            if (dt - std::floor(dt) != 0) {
                out += ' ';
                formatInto(out, fs.LongTimeFormat, dt, fs, depth + 1);
            }
            ++i;
            break;
        case 't': {
            size_t k = run('t');
            formatInto(out, k >= 2 ? fs.LongTimeFormat : fs.ShortTimeFormat, dt, fs, depth + 1);
            i += k;
            break;
        }
        case '/':
            out += fs.DateSeparator;
            ++i;
            break;
        case ':':
            out += fs.TimeSeparator;
            ++i;
            break;
        default:
            out += c;
            ++i;
            break;
        }
    }
}

std::string trim(const std::string &s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

// Order of d, m, y in the short date format, e.g. "mdy".
std::string dateOrder(const TFormatSettings &fs) {
    std::string order;
    for (char c : fs.ShortDateFormat) {
        char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if ((lc == 'd' || lc == 'm' || lc == 'y') && order.find(lc) == std::string::npos) order += lc;
    }
    if (order.size() != 3) order = "mdy";
    return order;
}
}  // namespace

TFormatSettings &TFormatSettings::Global() { return g_settings; }
void TFormatSettings::ResetToDefaults() { g_settings = TFormatSettings(); }

std::string FormatDateTime(const std::string &format, TDateTime dt, const TFormatSettings &fs) {
    std::string out;
    formatInto(out, format.empty() ? std::string("c") : format, dt, fs, 0);
    return out;
}

std::string DateTimeToStr(TDateTime dt, const TFormatSettings &fs) { return FormatDateTime("c", dt, fs); }
std::string DateToStr(TDateTime dt, const TFormatSettings &fs) { return FormatDateTime(fs.ShortDateFormat, dt, fs); }
std::string TimeToStr(TDateTime dt, const TFormatSettings &fs) { return FormatDateTime(fs.LongTimeFormat, dt, fs); }

bool TryStrToDate(const std::string &text, TDateTime &out, const TFormatSettings &fs) {
    std::string t = trim(text);
    std::vector<int> parts;
    std::string cur;
    for (char c : t) {
        if (std::isdigit(static_cast<unsigned char>(c))) cur += c;
        else if (c == fs.DateSeparator || c == '/' || c == '-' || c == '.') {
            if (cur.empty() || cur.size() > 4) return false;
            parts.push_back(std::stoi(cur));
            cur.clear();
        } else return false;
    }
    if (cur.empty() || cur.size() > 4) return false;
    parts.push_back(std::stoi(cur));
    if (parts.size() != 3) return false;
    std::string order = dateOrder(fs);
    int y = 0, m = 0, d = 0;
    for (int k = 0; k < 3; ++k) {
        if (order[k] == 'y') y = parts[k];
        else if (order[k] == 'm') m = parts[k];
        else d = parts[k];
    }
    if (y < 100) y += y < 50 ? 2000 : 1900;
    return TryEncodeDate(y, m, d, out);
}

bool TryStrToTime(const std::string &text, TDateTime &out, const TFormatSettings &fs) {
    std::string t = trim(text);
    int pm = -1;
    auto endsWithNoCase = [&](const std::string &suffix) {
        if (suffix.empty() || t.size() < suffix.size()) return false;
        return startsWithNoCase(t, t.size() - suffix.size(), suffix.c_str());
    };
    if (endsWithNoCase(fs.TimePMString) || endsWithNoCase("PM")) {
        pm = 1;
        t = trim(t.substr(0, t.size() - (endsWithNoCase(fs.TimePMString) ? fs.TimePMString.size() : 2)));
    } else if (endsWithNoCase(fs.TimeAMString) || endsWithNoCase("AM")) {
        pm = 0;
        t = trim(t.substr(0, t.size() - (endsWithNoCase(fs.TimeAMString) ? fs.TimeAMString.size() : 2)));
    }
    std::vector<int> parts;
    std::string cur;
    for (char c : t) {
        if (std::isdigit(static_cast<unsigned char>(c))) cur += c;
        else if (c == fs.TimeSeparator || c == ':') {
            if (cur.empty() || cur.size() > 2) return false;
            parts.push_back(std::stoi(cur));
            cur.clear();
        } else return false;
    }
    if (cur.empty() || cur.size() > 2) return false;
    parts.push_back(std::stoi(cur));
    if (parts.size() < 1 || parts.size() > 3) return false;
    int h = parts[0], n = parts.size() > 1 ? parts[1] : 0, s = parts.size() > 2 ? parts[2] : 0;
    if (pm >= 0) {
        if (h < 1 || h > 12) return false;
        if (pm == 1 && h < 12) h += 12;
        if (pm == 0 && h == 12) h = 0;
    }
    return TryEncodeTime(h, n, s, 0, out);
}

bool TryStrToDateTime(const std::string &text, TDateTime &out, const TFormatSettings &fs) {
    std::string t = trim(text);
    size_t sp = t.find(' ');
    TDateTime date = 0, time = 0;
    if (sp == std::string::npos) {
        if (TryStrToDate(t, date, fs)) { out = date; return true; }
        if (TryStrToTime(t, time, fs)) { out = time; return true; }
        return false;
    }
    if (!TryStrToDate(t.substr(0, sp), date, fs)) return false;
    if (!TryStrToTime(t.substr(sp + 1), time, fs)) return false;
    out = date + time;
    return true;
}
