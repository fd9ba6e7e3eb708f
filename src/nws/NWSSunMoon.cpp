#include "nws/NWSSunMoon.h"

#include <cctype>
#include <fstream>

#include "nws/NWSService.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "service/HttpClient.h"
#include "service/Servers.h"
#include "service/WxService.h"

namespace {

std::string beforeDot(const std::string &s) {
    size_t dot = s.find('.');
    return dot == std::string::npos ? std::string() : s.substr(0, dot);
}

// Without a '.', the first two characters stand in for the fraction.
std::string afterDot(const std::string &s) {
    size_t dot = s.find('.');
    return dot == std::string::npos ? s.substr(0, 2) : s.substr(dot + 1, 2);
}

bool twoDigitNumber(const std::string &s, int &out) {
    // "07", "7" and " 7" are hours; anything else is not.
    std::string t = s;
    if (!t.empty() && t[0] == ' ') t.erase(0, 1);
    if (t.empty() || t.size() > 2) return false;
    for (char ch : t)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    out = std::stoi(t);
    return true;
}

}  // namespace

int SunMoonZone(const TTimeZoneBias &tz) { return (tz.Bias + tz.StandardBias + tz.DaylightBias) / 60; }

std::vector<std::string> SunMoonFormFields(TDateTime localNow, const std::string &lat, const std::string &lon,
                                           const TTimeZoneBias &tz) {
    int y = 0, m = 0, d = 0;
    DecodeDate(localNow, y, m, d);
    return {"FFX=2",
            "ID=A Wx",
            "xxy=" + std::to_string(y),
            "xxm=" + std::to_string(m),
            "xxd=" + std::to_string(d),
            "xx0=1",
            "xx1=" + beforeDot(lon),
            "xx2=" + afterDot(lon),
            "yy0=1",
            "yy1=" + beforeDot(lat),
            "yy2=" + afterDot(lat),
            "zz1=" + std::to_string(SunMoonZone(tz)),
            "zz0=-1"};
}

std::string SunMoonFormLine(const std::vector<std::string> &fields) {
    std::string line;
    for (const std::string &f : fields) {
        if (!line.empty()) line += '&';
        size_t eq = f.find('=');
        if (eq == std::string::npos) {
            line += FormEncode(f);
        } else {
            line += FormEncode(f.substr(0, eq)) + "=" + FormEncode(f.substr(eq + 1));
        }
    }
    return line;
}

bool SunMoonLineTime(const std::string &line, std::string &out) {
    size_t c = line.find(':');
    if (c == std::string::npos || c == 0 || c + 3 > line.size()) return false;
    int hours = 0, minutes = 0;
    const std::string h = c >= 2 ? line.substr(c - 2, 2) : line.substr(0, c);
    const std::string m = line.substr(c + 1, 2);
    if (!std::isdigit(static_cast<unsigned char>(m[0])) || !std::isdigit(static_cast<unsigned char>(m[1])))
        return false;
    if (!twoDigitNumber(h, hours)) return false;
    minutes = std::stoi(m);
    if (hours > 23 || minutes > 59) return false;
    std::string text = TimeToStr(EncodeTime(hours, minutes, 0));
    size_t z = text.find(":00");
    if (z != std::string::npos) text.erase(z, 3);
    out = text;
    return true;
}

void ScanSunMoonReply(const std::vector<std::string> &lines, TSunMoonTexts &texts) {
    static const char *const kPhaseWords[] = {"waxing", "waning", "first", "last", "full", "new"};
    bool phaseLine = false;
    for (const std::string &line : lines) {
        const std::string low = LowerCase(line);
        std::string t;
        // A label without a readable time (a link, a heading) must not cost the
        // whole refresh; the earlier value stays.
        if (low.find("sunrise") != std::string::npos && SunMoonLineTime(line, t)) texts.Sunrise = t;
        if (low.find("sunset") != std::string::npos && SunMoonLineTime(line, t)) texts.Sunset = t;
        // The first word of the list that occurs anywhere, not the leftmost one.
        size_t p = std::string::npos;
        for (const char *w : kPhaseWords) {
            p = low.find(w);
            if (p != std::string::npos) break;
        }
        if (p == std::string::npos) continue;
        if (low.find("phase") != std::string::npos) {
            texts.MoonPhase = line.substr(p);
            phaseLine = true;
        } else if (!phaseLine) {
            size_t sp = line.find(' ', p);
            if (sp != std::string::npos) texts.MoonPhase = line.substr(p, sp - p);
        }
    }
}

bool SunMoonDue(const std::string &sunrise, TDateTime localNow) {
    if (sunrise.empty()) return true;
    const double dayPart = localNow - static_cast<double>(static_cast<long long>(localNow));
    return dayPart < 0.05;
}

bool RefreshSunMoonTable(TCustomWxService &service, TSunMoonTexts &texts) {
    std::vector<std::string> list =
        SunMoonFormFields(Clock::Now(), service.GetLatitude(), service.GetLongitude(), GetTimeZoneBias());
    if (!service.PostForm(USNOSunMoonUrl(ServerBase(TServer::USNO)), list)) return false;
    if (service.AllowTemp()) {
        const std::string folder = TCustomWxService::GetDataFolder() + NativePath("Cache\\");
        if (ForceDirectories(folder)) {
            std::ofstream out(folder + "NWSSunMoon.html", std::ios::binary | std::ios::trunc);
            for (const std::string &l : list) out << l << "\r\n";
        }
    }
    ScanSunMoonReply(list, texts);
    return true;
}

// ---- the NWS service's sun and moon members ----

std::vector<std::string> TNWxService::SunMoonForm() {
    return SunMoonFormFields(Clock::Now(), GetLatitude(), GetLongitude(), GetTimeZoneBias());
}

void TNWxService::ReadSunMoonReply(const std::vector<std::string> &lines) {
    TSunMoonTexts t{sunrise_, sunset_, moonPhase_};
    ScanSunMoonReply(lines, t);
    sunrise_ = t.Sunrise;
    sunset_ = t.Sunset;
    moonPhase_ = t.MoonPhase;
}

void TNWxService::RefreshSunMoon() {
    TSunMoonTexts t{sunrise_, sunset_, moonPhase_};
    if (!RefreshSunMoonTable(*this, t)) return;
    sunrise_ = t.Sunrise;
    sunset_ = t.Sunset;
    moonPhase_ = t.MoonPhase;
}
