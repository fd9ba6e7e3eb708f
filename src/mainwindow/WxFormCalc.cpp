#include "mainwindow/WxFormCalc.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "service/DataMod.h"

namespace {
std::string lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
std::string upper(std::string s) {
    for (char &c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
bool contains(const std::string &s, const char *part) { return s.find(part) != std::string::npos; }

// Whole-text conversion; false for anything that is not exactly a number.
bool toFloat(const std::string &s, double &out) {
    if (s.empty()) return false;
    char *end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

struct TMoonRow {
    const char *match, *key, *text;
};
constexpr TMoonRow kMoon[] = {
    {"new", "MOON_NEW", "New Moon"},
    {"waxing crescent", "MOON_WAX_CRESCENT", "Waxing Crescent"},
    {"first", "MOON_FIRST_QTR", "First Quarter"},
    {"waxing gibbous", "MOON_WAX_GIBBOUS", "Waxing Gibbous"},
    {"full", "MOON_FULL", "Full Moon"},
    {"waning gibbous", "MOON_WAN_GIBBOUS", "Waning Gibbous"},
    {"last", "MOON_LAST_QTR", "Last Quarter"},
    {"waning crescent", "MOON_WAN_CRESCENT", "Waning Crescent"},
};
}  // namespace

std::uint32_t ColourBlend(std::uint32_t a, std::uint32_t b, int step) {
    if (step <= 0) return a;
    if (step >= 20) return b;
    if ((a & 0xFFFFFF) == (b & 0xFFFFFF)) return a;
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ac = int((a >> shift) & 0xFF), bc = int((b >> shift) & 0xFF);
        int c = ac;
        if (ac < bc) c = ac + (bc - ac) * step / 20;
        else if (ac > bc) c = ac - (ac - bc) * step / 20;
        out |= std::uint32_t(c) << shift;
    }
    return out;
}

int ForecastTimerInterval(int minute, int fcInterval, int offset) {
    int ms = fcInterval * 60000;
    if (minute >= 1 && minute <= 58) ms = (59 - minute) * 60000;
    return ms + offset * 60000;
}

std::string FillTemplate(const std::string &templ, const std::string &value) {
    std::string s = templ;
    const auto at = s.find("%s");
    if (at != std::string::npos) s.replace(at, 2, value);
    return s;
}

int FeelsLikeMean(int t, int f) {
    if (f == 0) f = t;
    return (t + f) / 2;  // C++ division truncates toward zero
}

std::string DewPointText(const std::string &text) { return text.substr(0, text.find('(')); }

double ParseBarometer(const std::string &text) {
    std::string piece;
    const auto blank = text.find(' ');
    if (blank != std::string::npos) {
        piece = text.substr(0, blank);
    } else {
        const auto dot = text.find('.');
        if (dot != std::string::npos) {
            piece = text.substr(0, dot + 3);
        } else {
            // No blank and no point ("1013mb"): the leading digits are the number.
            std::size_t n = 0;
            while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n]))) ++n;
            piece = text.substr(0, n);
        }
    }
    if (piece.empty() || !std::isdigit(static_cast<unsigned char>(piece[0])) || piece == "0.0") return 0;
    double v = 0;
    if (!toFloat(piece, v)) return 0;
    if (contains(text, "mb")) v = std::round(v * 0.0295301 * 100.0) / 100.0;
    return v;
}

int BarometerTrend(double p, double n, const std::string &text) {
    if (p == 0 && n == p) return pgSteady;
    if (n < p) return pgFalling;
    const std::string b = lower(text);
    if (contains(b, "fall") || contains(b, "dec")) return pgFalling;
    if (contains(b, "ris") || contains(b, "inc")) return pgRising;
    if (p > 0 && n != p) return pgRising;
    return pgSteady;
}

std::string BarometerText(double inches) { return FloatToText(inches) + " in."; }

std::string GustCaption(const std::string &value, bool gusting) {
    if (value.empty()) return gusting ? " Gusts to: " : " Steady ";
    const auto slash = value.find('/');
    if (gusting) return (slash == std::string::npos ? value : value.substr(slash + 1)) + ":";
    // The character just before the "/" (a blank in the shipped texts) is dropped.
    const std::string steady = (slash == std::string::npos || slash < 1) ? std::string() : value.substr(0, slash - 1);
    return steady + ":";
}

int MoonPhaseRow(const std::string &text) {
    if (text.empty()) return -1;
    const std::string t = lower(text);
    for (int i = 0; i < 8; ++i)
        if (contains(t, kMoon[i].match)) return i;
    return -1;
}
const char *MoonPhaseKey(int row) { return row >= 0 && row < 8 ? kMoon[row].key : ""; }
const char *MoonPhaseBuiltIn(int row) { return row >= 0 && row < 8 ? kMoon[row].text : ""; }

std::string ProgramIconName(const std::string &iconFileName, const std::string &words,
                            const TConditionLookup &lookup) {
    std::string base = iconFileName;
    const auto sep = base.find_last_of("/\\");
    if (sep != std::string::npos) base.erase(0, sep + 1);
    const auto dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);

    std::string name = "54.PNG";
    if (lookup) {
        const std::string user = lookup(base);
        if (!user.empty()) name = upper(user) + ".PNG";
    }
    if (!words.empty() && (contains(name, "40") || contains(name, "41"))) {
        const bool night = contains(name, "41");
        const std::string w = lower(words);
        int n = 40;
        if (contains(w, "rain")) n = 36;
        else if (contains(w, "snow") || contains(w, "flur")) n = 34;
        else if (contains(w, "cloud") || contains(w, "blust")) n = 38;
        name = std::to_string(n + (night ? 1 : 0)) + ".PNG";
    }
    return name;
}

std::string ConnectFailureDetailText(const std::string &failure) {
    const auto colon = failure.find(':');
    const std::size_t from = colon == std::string::npos ? 0 : colon + 1;  // 1-based position of the colon
    if (failure.size() > from + 2) return "No response from Server . . .";
    return failure;
}

bool LinkTargetOpenable(const std::string &target) {
    if (target.empty()) return false;
    if (contains(target, "http")) return true;
    std::error_code ec;
    return std::filesystem::is_regular_file(target, ec);
}
