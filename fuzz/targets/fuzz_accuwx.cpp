// The AccuWeather weather document: every value the service reads, with the
// conversion errors the binding documents caught as the service catches them.
#include "FuzzSupport.h"
#include "accuweather/AccuWx.h"

namespace {
template <class F> void Try(F f) {
    try {
        fuzz::Use(f());
    } catch (const AccuWx::EConvertError &) {
    }
}

void ReadPeriod(const AccuWx::TAcuPeriod &p) {
    fuzz::Use(p.Txtshort());
    fuzz::Use(p.Txtlong());
    Try([&] { return p.Weathericon(); });
    Try([&] { return p.Hightemperature(); });
    Try([&] { return p.Lowtemperature(); });
    Try([&] { return p.Realfeelhigh(); });
    Try([&] { return p.Windspeed(); });
    Try([&] { return p.Windgust(); });
    Try([&] { return p.Tstormprob(); });
    fuzz::Use(p.Precipamount());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    AccuWx::TAcuWeatherDocument doc;
    doc.LoadFromString(fuzz::View(data, size));
    AccuWx::TAcuWeather w = doc.Root();
    fuzz::Use(w.Failure());
    fuzz::Use(w.Units().Temp());
    fuzz::Use(w.Local().City());
    fuzz::Use(w.Local().Time());
    fuzz::Use(w.Watchwarnareas().Isactive());
    fuzz::Use(w.Watchwarnareas().Url());
    AccuWx::TAcuCurrent cc = w.Currentconditions();
    fuzz::Use(cc.Observationtime());
    fuzz::Use(cc.Pressure().Text());
    fuzz::Use(cc.Pressure().State());
    Try([&] { return cc.Temperature(); });
    Try([&] { return cc.Realfeel(); });
    Try([&] { return cc.Weathericon(); });
    Try([&] { return cc.Windspeed(); });
    Try([&] { return cc.Visibility(); });
    fuzz::Use(cc.Humidity());
    fuzz::Use(cc.Winddirection());
    fuzz::Use(cc.Uvindex().Text());
    fuzz::Use(w.Planets().Sun().Rise());
    fuzz::Use(w.Planets().Moon().Set());
    AccuWx::TAcuPhases phases = w.Moon().Phase();
    for (int i = 0; i < phases.Count() && i < 64; ++i) {
        fuzz::Use(phases.Item(i).Date());
        fuzz::Use(phases.Item(i).Text());
    }
    AccuWx::TAcuDays days = w.Forecast().Day();
    for (int i = 0; i < days.Count() && i < 64; ++i) {
        AccuWx::TAcuDay d = days.Item(i);
        Try([&] { return d.Number(); });
        fuzz::Use(d.Obsdate());
        fuzz::Use(d.Sunrise());
        ReadPeriod(d.Daytime());
        ReadPeriod(d.Nighttime());
        Try([&] { return d.Daytime().Maxuv(); });
    }
    for (const char *format : {"M/d/yyyy", "dd/MM/yyyy", "d.M.yy", ""})
        fuzz::Use(AccuWx::ArrangeMonthDayYear(std::string(fuzz::View(data, size < 40 ? size : 40)), format));
    return 0;
}
