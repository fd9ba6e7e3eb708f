#include "nws/XmlDateTime.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool digits(std::string_view s, std::size_t &p, std::size_t count, int &out) {
    if (p + count > s.size()) return false;
    int v = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = s[p + i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    p += count;
    out = v;
    return true;
}

bool expect(std::string_view s, std::size_t &p, char c) {
    if (p >= s.size() || s[p] != c) return false;
    ++p;
    return true;
}

bool encode(const TXmlDateTimeParts &d, TDateTime &out) {
    TDateTime date = 0, time = 0;
    if (d.hour == 24) {
        if (d.minute != 0 || d.second != 0 || d.msec != 0) return false;
        if (!TryEncodeDate(d.year, d.month, d.day, date)) return false;
        out = date + 1;
        return true;
    }
    if (!TryEncodeDate(d.year, d.month, d.day, date)) return false;
    if (!TryEncodeTime(d.hour, d.minute, d.second, d.msec, time)) return false;
    out = date + time;
    return true;
}

}  // namespace

bool ParseXmlDateTime(std::string_view s, TXmlDateTimeParts &out) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    TXmlDateTimeParts d;
    std::size_t p = 0;
    if (!digits(s, p, 4, d.year) || !expect(s, p, '-') || !digits(s, p, 2, d.month) || !expect(s, p, '-') ||
        !digits(s, p, 2, d.day) || !expect(s, p, 'T') || !digits(s, p, 2, d.hour) || !expect(s, p, ':') ||
        !digits(s, p, 2, d.minute) || !expect(s, p, ':') || !digits(s, p, 2, d.second))
        return false;
    if (p < s.size() && s[p] == '.') {
        ++p;
        const std::size_t start = p;
        int ms = 0, scale = 100;
        while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) {
            ms += (s[p] - '0') * scale;
            scale /= 10;
            ++p;
        }
        if (p == start) return false;
        d.msec = ms;
    }
    if (p < s.size()) {
        if (s[p] == 'Z') {
            ++p;
            d.hasZone = true;
        } else if (s[p] == '+' || s[p] == '-') {
            const int sign = s[p] == '-' ? -1 : 1;
            ++p;
            int h = 0, m = 0;
            if (!digits(s, p, 2, h)) return false;
            if (p < s.size()) {
                if (s[p] == ':') ++p;
                if (!digits(s, p, 2, m)) return false;
            }
            if (h > 14 || m > 59) return false;
            d.hasZone = true;
            d.offsetMinutes = sign * (h * 60 + m);
        } else {
            return false;
        }
    }
    if (p != s.size()) return false;
    TDateTime check;
    if (!encode(d, check)) return false;
    out = d;
    return true;
}

bool XmlDateTimeWritten(std::string_view text, TDateTime &out) {
    TXmlDateTimeParts d;
    return ParseXmlDateTime(text, d) && encode(d, out);
}

bool XmlDateTimeToLocal(std::string_view text, TDateTime &out) {
    TXmlDateTimeParts d;
    TDateTime written;
    if (!ParseXmlDateTime(text, d) || !encode(d, written)) return false;
    out = d.hasZone ? UTCToLocal(written - d.offsetMinutes / 1440.0) : written;
    return true;
}

int XmlDateTimeHour(std::string_view text) {
    TXmlDateTimeParts d;
    return ParseXmlDateTime(text, d) ? d.hour : -1;
}

std::string DateTimeToXml(TDateTime local) {
    // Whole seconds, so the offset and the written time agree.
    const TDateTime t = std::round(local * 86400.0) / 86400.0;
    const long offset = std::lround((t - LocalToUTC(t)) * 1440.0);
    int y, mo, d, h, mi, s, ms;
    DecodeDate(t, y, mo, d);
    DecodeTime(t, h, mi, s, ms);
    const long a = std::labs(offset);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", y, mo, d, h, mi, s,
                  offset < 0 ? '-' : '+', a / 60, a % 60);
    return buf;
}
