#include "nws/NWSForecast.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

const char *const kWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool Contains(const std::string &s, std::string_view what) { return s.find(what) != std::string::npos; }

std::string Lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The lists are walked by index many times; one pass into a vector keeps that linear.
template <class T>
std::vector<T> Collect(const xmlb::TXmlList<T> &list) {
    std::vector<T> v;
    for (T item : list) v.push_back(item);
    return v;
}

template <class T>
T At(const std::vector<T> &v, std::size_t i) {
    return i < v.size() ? v[i] : T();
}

void SplitIcon(const std::string &url, TForecastItem &item) {
    const std::size_t slash = url.rfind('/');
    if (slash == std::string::npos) {
        item.IconBase.clear();
        item.IconName = url;
    } else {
        item.IconBase = url.substr(0, slash + 1);
        item.IconName = url.substr(slash + 1);
    }
}

// The worded forecast: its texts and the two period layouts they are matched against.
struct TWorded {
    bool present = false;
    std::vector<TXMLStartValidTime> d12, d24;
    std::vector<TXMLText> texts;
};

TWorded ReadWorded(const TXMLDwml *doc) {
    TWorded w;
    if (!doc || !doc->Active()) return w;
    const TXMLData data = doc->data();
    if (!data) return w;
    w.present = true;
    const std::vector<TXMLTimeLayout> layouts = Collect(data.time_layout());
    std::size_t d12 = 0, d24 = 0;
    for (std::size_t k = 0; k < layouts.size(); ++k) {
        const std::string key = layouts[k].layout_key();
        if (Contains(key, "24h") && Contains(key, "-1"))
            d24 = k;
        else if (Contains(key, "12h"))
            d12 = k;
    }
    if (d12 < layouts.size()) w.d12 = Collect(layouts[d12].start_valid_time());
    if (d24 < layouts.size()) w.d24 = Collect(layouts[d24].start_valid_time());
    w.texts = Collect(data.parameters()[0].wordedForecast().text());
    return w;
}

struct TTemps {
    std::vector<TXMLInteger> high, low;
};

TTemps ReadTemps(const TXMLParameters &p) {
    TXMLTemperature high = p.temperature_by_type("maximum");
    TXMLTemperature low = p.temperature_by_type("minimum");
    if (!high && !low) {
        high = p.temperature()[0];
        low = p.temperature()[1];
    }
    return {Collect(high.value()), Collect(low.value())};
}

bool Readable(const TXMLValidTime &t) { return t.Exists() && t.WrittenHour() >= 0; }

}  // namespace

int NwsToScale(int fahrenheit, int scale) {
    if (scale != 1) return fahrenheit;
    const double x = (fahrenheit - 32) * 0.555555;
    double r = std::floor(x);
    const double frac = x - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return static_cast<int>(r);
}

bool ParseNwsForecasts(const TNwsForecastInput &in, TForecasts &out) {
    if (!in.Ndfd || !in.Ndfd->Active()) return false;
    const TXMLData data = in.Ndfd->data();
    if (!data) return false;
    const std::vector<TXMLTimeLayout> layouts = Collect(data.time_layout());
    if (layouts.empty()) return false;
    const std::vector<TXMLStartValidTime> s0 = Collect(layouts[0].start_valid_time());
    if (s0.empty()) return false;

    const TXMLParameters p = data.parameters()[0];
    const std::vector<TXMLIconLink> icons = Collect(p.conditions_icon()[0].icon_link());
    const std::vector<TXMLConditions> weather = Collect(p.weather()[0].weather_conditions());
    const std::vector<TXMLLongWord> pop = Collect(p.probability_of_precipitation()[0].value());
    const TTemps temps = ReadTemps(p);
    const TWorded worded = ReadWorded(in.Text);
    const std::vector<TXMLStartValidTime> s2 =
        layouts.size() > 2 ? Collect(layouts[2].start_valid_time()) : std::vector<TXMLStartValidTime>();

    out.Clear();
    const std::size_t n = in.Periods12 ? 2 * s0.size() : s0.size();
    std::size_t j = 0;  // the next worded text to hand out (12-hour periods)
    for (std::size_t i = 0; i < n; ++i) {
        TForecastItem &item = *out.Add();
        SplitIcon(At(icons, i).Value(), item);
        if (i < weather.size()) item.Summary = weather[i].weather_summary();

        if (in.Periods12) {
            if (i < pop.size()) item.PrecipText = "Precip. :" + std::to_string(pop[i].Value()) + "%";
            if (i >= s2.size()) continue;  // no period to name, date or match a text against
            const TXMLStartValidTime &start = s2[i];
            const bool dated = Readable(start);
            if (dated) item.Date = start.LocalDateTime();
            const int hour = start.WrittenHour();
            const bool night = hour > 7;
            const std::size_t k = i / 2;
            std::string name = start.period_name();
            if (!night) {
                if (Contains(name, "ight") && dated) name = kWeekdays[DayOfWeek(item.Date) - 1];
                if (k < temps.high.size()) item.HighTemp = NwsToScale(temps.high[k].Value(), in.Scale);
                const std::size_t sp = name.find(' ');
                item.Name = sp == std::string::npos ? name : name.substr(0, sp + 1);
            } else {
                if (k < temps.low.size()) item.LowTemp = NwsToScale(temps.low[k].Value(), in.Scale);
                const std::size_t sp = name.find(' ');
                item.Name = sp == std::string::npos ? name : name.substr(sp);
            }
            if (worded.present && worded.texts.size() > j) {
                const TXMLStartValidTime wp = At(worded.d12, j);
                const int h = wp.WrittenHour();
                const std::string wname = wp.period_name();
                if (i == 0) {
                    // The worded forecast may begin a period later than the NDFD one;
                    // then its first text belongs to the next period.
                    const char *word = night ? "ight" : "day";
                    if ((Contains(Lower(name), word) && Contains(Lower(wname), word) && hour >= h) ||
                        (!night && h == 12)) {
                        item.Detail = wname + ": " + worded.texts[j].Value();
                        ++j;
                    }
                } else {
                    item.Detail = (h == 12 ? wname : name) + ": " + worded.texts[j].Value();
                    ++j;
                }
            }
        } else {
            if (i < s0.size()) {
                item.Name = s0[i].period_name();
                if (Readable(s0[i])) item.Date = s0[i].LocalDateTime();
            }
            if (i < temps.high.size()) item.HighTemp = NwsToScale(temps.high[i].Value(), in.Scale);
            if (i < temps.low.size()) item.LowTemp = NwsToScale(temps.low[i].Value(), in.Scale);
            // The NDFD 24-hour product carries 12-hourly chances; a day after the first
            // shows the larger of its two halves.
            if (i == 0) {
                if (!pop.empty()) item.PrecipText = "Precip. : " + std::to_string(pop[0].Value()) + "%";
            } else if (2 * i < pop.size()) {
                std::uint32_t v = pop[2 * i].Value();
                if (2 * i + 1 < pop.size()) v = std::max(v, pop[2 * i + 1].Value());
                item.PrecipText = "Precip. : " + std::to_string(v) + "%";
            }
            if (worded.present && i < worded.d24.size()) {
                std::string name = worded.d24[i].period_name();
                if (const std::size_t sp = name.find(' '); sp != std::string::npos) name.resize(sp);
                if (name.empty()) continue;
                item.Name = name;
                std::size_t a = 0;
                while (a < worded.d12.size() && !Contains(worded.d12[a].period_name(), name)) ++a;
                const std::size_t w = worded.texts.size();
                if (w > a) item.Detail = name + ": " + worded.texts[a].Value();
                if (a + 2 < w && Contains(At(worded.d12, a + 1).period_name(), name))
                    item.Detail += "\n\nEvening: " + worded.texts[a + 1].Value();
            }
        }
    }
    return true;
}
