#include "mainwindow/TrayRules.h"

#include <cerrno>
#include <cstdlib>

#include "app/IniSettings.h"

namespace {
std::string trim(const std::string &s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Characters, not bytes: language values may hold accented letters.
size_t utf8Length(const std::string &s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string caption(const std::string &value, const char *fallback, size_t twoTabsBelow) {
    std::string c = value + ":";
    if (c == ":") c = fallback;
    const size_t n = utf8Length(c);
    if (n < twoTabsBelow)
        c += "\t\t";
    else if (n < 17)
        c += "\t";
    return c;
}

std::string firstLine(const std::string &s) { return s.substr(0, s.find_first_of("\r\n")); }
}  // namespace

std::string SunriseCaption(const std::string &languageValue) { return caption(languageValue, "Sunrise:", 9); }
std::string SunsetCaption(const std::string &languageValue) { return caption(languageValue, "Sunset:", 8); }

std::string TraySummaryBody(const TTraySummaryFields &f) {
    std::string b = f.TabCaption + ":    \t" + f.Weather + "\n\t\t" + f.HeatIndex;
    b += "\n" + trim(f.HumidityLabel) + "    \t" + f.Humidity;
    b += "\n" + trim(f.BarometerLabel) + "\t" + f.Barometer;
    b += "\n" + SunriseCaption(f.SunRiseLabel) + f.SunRise;
    b += "\n" + SunsetCaption(f.SunsetLabel) + f.SunDown;
    b += "\n " + f.Wind;
    // "Not available" texts say nothing worth a line.
    if (!f.Detail.empty() && f.Detail.find("vaila") == std::string::npos)
        b += "\n\n " + f.ForecastFor + firstLine(f.Detail);
    b += "\n\n" + f.Location + "\n\nTolvu - Orv Software.";
    return b;
}

std::string TraySummaryHeader(const std::string &temperature, const std::string &scaleCaption) {
    return " " + temperature + " " + scaleCaption.substr(0, 1);
}

TTrayNumber TrayIconNumber(const std::string &temperatureText, bool hasService, int serviceTemperature) {
    if (!hasService) return {"A+"};
    // "°" in UTF-8, or the single Latin-1 byte.
    auto deg = temperatureText.find("\xC2\xB0");
    if (deg == std::string::npos) deg = temperatureText.find('\xB0');
    std::string num = trim(temperatureText.substr(0, deg));
    if (num.empty()) num = std::to_string(serviceTemperature);

    errno = 0;
    char *end = nullptr;
    const long v = std::strtol(num.c_str(), &end, 10);
    if (errno != 0 || end == num.c_str() || *end != '\0') return {num};
    if (v < 0) return {num, true, false};
    if (v >= 100) return {std::to_string(v - 100), false, true};
    return {num};
}

bool TTrayHoverCounter::Move(bool mayShow) {
    ++count_;
    if (count_ <= 32 || !mayShow) return false;
    count_ = 0;
    return true;
}

TPopUpColours ReadPopUpColours(const TIniSettings &ini) {
    TPopUpColours c;
    auto r = [&](const char *key, std::uint32_t &v) { v = ini.ReadColor("Options", key, v); };
    r("PopUp", c.PopUp);
    r("Header", c.Header);
    r("Body", c.Body);
    r("HeaderGlow", c.HeaderGlow);
    r("ePopUp", c.ePopUp);
    r("eHeader", c.eHeader);
    r("eBody", c.eBody);
    r("eHeaderGlow", c.eHeaderGlow);
    r("wPopUpColor", c.wPopUpColor);
    r("wHeader", c.wHeader);
    r("wBody", c.wBody);
    r("wHeaderGlow", c.wHeaderGlow);
    return c;
}
