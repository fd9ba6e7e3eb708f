#include "nwsapi/SunMoon.h"

#include <cmath>

namespace SunMoon {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kJulianOfDayZero = 2415018.5;  // 1899-12-30 00:00 UTC
constexpr double kSynodicMonth = 29.530588861;

double rad(double d) { return d * kPi / 180.0; }
double deg(double r) { return r * 180.0 / kPi; }

double norm360(double d) {
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// ---- sun (NOAA) ----

struct TSunPosition {
    double DeclinationDeg;
    double EquationOfTimeMin;
};

TSunPosition sunAt(double julianDay) {
    const double t = (julianDay - 2451545.0) / 36525.0;
    const double l0 = norm360(280.46646 + t * (36000.76983 + t * 0.0003032));
    const double m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double mr = rad(m);
    const double c = std::sin(mr) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                     std::sin(2 * mr) * (0.019993 - 0.000101 * t) + std::sin(3 * mr) * 0.000289;
    const double omega = 125.04 - 1934.136 * t;
    const double lambda = l0 + c - 0.00569 - 0.00478 * std::sin(rad(omega));
    const double eps0 = 23.0 + (26.0 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
    const double eps = eps0 + 0.00256 * std::cos(rad(omega));

    TSunPosition p;
    p.DeclinationDeg = deg(std::asin(std::sin(rad(eps)) * std::sin(rad(lambda))));
    double y = std::tan(rad(eps) / 2.0);
    y *= y;
    const double l0r = rad(l0);
    const double eot = y * std::sin(2 * l0r) - 2 * e * std::sin(mr) + 4 * e * y * std::sin(mr) * std::cos(2 * l0r) -
                       0.5 * y * y * std::sin(4 * l0r) - 1.25 * e * e * std::sin(2 * mr);
    p.EquationOfTimeMin = 4.0 * deg(eot);
    return p;
}

// Minutes after 0h UTC of the day; false when the sun does not cross the horizon.
bool eventMinutes(TSunEvent event, double julianDay, double lat, double lon, double &minutes) {
    const TSunPosition p = sunAt(julianDay);
    const double latR = rad(lat), decR = rad(p.DeclinationDeg);
    // 90.833 degrees: refraction and the sun's radius.
    const double cosHa = std::cos(rad(90.833)) / (std::cos(latR) * std::cos(decR)) - std::tan(latR) * std::tan(decR);
    if (cosHa < -1.0 || cosHa > 1.0) return false;
    double ha = deg(std::acos(cosHa));
    if (event == TSunEvent::Set) ha = -ha;
    minutes = 720.0 - 4.0 * (lon + ha) - p.EquationOfTimeMin;
    return true;
}

// ---- moon (Meeus, principal phases) ----

double phaseJDE(double k) {
    const double t = k / 1236.85, t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    double jde = 2451550.09766 + kSynodicMonth * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;
    const double m = rad(2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3);
    const double mp = rad(201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4);
    const double f = rad(160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4);
    const double om = rad(124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3);
    const double frac = k - std::floor(k);
    using std::sin;
    using std::cos;
    if (frac < 0.01 || frac > 0.99 || std::fabs(frac - 0.5) < 0.01) {
        const bool isNew = frac < 0.01 || frac > 0.99;
        jde += (isNew ? -0.40720 : -0.40614) * sin(mp) + (isNew ? 0.17241 : 0.17302) * e * sin(m) +
               (isNew ? 0.01608 : 0.01614) * sin(2 * mp) + (isNew ? 0.01039 : 0.01043) * sin(2 * f) +
               (isNew ? 0.00739 : 0.00734) * e * sin(mp - m) - 0.00514 * e * sin(mp + m) +
               0.00208 * e * e * sin(2 * m) - 0.00111 * sin(mp - 2 * f) - 0.00057 * sin(mp + 2 * f) +
               0.00056 * e * sin(2 * mp + m) - 0.00042 * sin(3 * mp) + 0.00042 * e * sin(m + 2 * f) +
               0.00038 * e * sin(m - 2 * f) - 0.00024 * e * sin(2 * mp - m) - 0.00017 * sin(om);
    } else {
        jde += -0.62801 * sin(mp) + 0.17172 * e * sin(m) - 0.01183 * e * sin(mp + m) + 0.00862 * sin(2 * mp) +
               0.00804 * sin(2 * f) + 0.00454 * e * sin(mp - m) + 0.00204 * e * e * sin(2 * m) -
               0.00180 * sin(mp - 2 * f) - 0.00070 * sin(mp + 2 * f) - 0.00040 * sin(3 * mp) -
               0.00034 * e * sin(2 * mp - m) + 0.00032 * e * sin(m + 2 * f) + 0.00032 * e * sin(m - 2 * f) -
               0.00028 * e * e * sin(mp + 2 * m);
        const double w = 0.00306 - 0.00038 * e * cos(m) + 0.00026 * cos(mp) - 0.00002 * cos(mp - m) +
                         0.00002 * cos(mp + m) + 0.00002 * cos(2 * f);
        jde += frac < 0.5 ? w : -w;
    }
    return jde;
}

}  // namespace

TSunTime SunEventUTC(TSunEvent event, TDateTime utcDate, double latitude, double longitude) {
    TSunTime r;
    const double day = std::floor(utcDate);
    const double jd = day + kJulianOfDayZero;
    double minutes = 0;
    if (!eventMinutes(event, jd, latitude, longitude, minutes)) return r;
    // A second pass with the sun's position at the moment found.
    double refined = minutes;
    if (eventMinutes(event, jd + minutes / 1440.0, latitude, longitude, refined)) minutes = refined;
    r.Occurs = true;
    r.UTC = day + minutes / 1440.0;
    return r;
}

TDateTime PhaseUTC(int k, int phase) {
    const double jde = phaseJDE(k + phase * 0.25);
    // Terrestrial time runs about 69 s ahead of UTC in these years.
    return jde - kJulianOfDayZero - 69.0 / 86400.0;
}

std::string MoonPhaseName(TDateTime localMidnight, double utcOffsetDays) {
    static const char *const kPrincipal[4] = {"New Moon", "First Quarter", "Full Moon", "Last Quarter"};
    static const char *const kBetween[4] = {"Waxing Crescent", "Waxing Gibbous", "Waning Gibbous",
                                            "Waning Crescent"};
    const double start = std::floor(localMidnight) - utcOffsetDays;
    const double end = start + 1.0;
    const int k0 = static_cast<int>(std::floor((start - PhaseUTC(0, 0)) / kSynodicMonth));
    int last = 3;
    double lastTime = -1e9;
    for (int k = k0 - 1; k <= k0 + 1; ++k) {
        for (int ph = 0; ph < 4; ++ph) {
            const double t = PhaseUTC(k, ph);
            if (t >= start && t < end) return kPrincipal[ph];
            if (t < start && t > lastTime) {
                lastTime = t;
                last = ph;
            }
        }
    }
    return kBetween[last];
}

}  // namespace SunMoon
