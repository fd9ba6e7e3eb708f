#include "platform/Clock.h"

#include <chrono>
#include <cmath>

namespace {
bool g_fixed = false;
TDateTime g_fixedLocal = 0;

// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpoch = 25569.0;

// Days from civil, after Howard Hinnant's algorithm.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int &y, int &m, int &d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

std::int64_t systemUnixNow() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}
double systemUnixNowFrac() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() / 1000.0;
}
}  // namespace

TDateTime Clock::Now() {
    if (g_fixed) return g_fixedLocal;
    const double t = systemUnixNowFrac();
    const std::int64_t whole = static_cast<std::int64_t>(std::floor(t));
    return UnixToLocal(whole) + (t - whole) / 86400.0;
}

TDateTime Clock::Today() { return std::floor(Now()); }

TDateTime Clock::NowUTC() {
    if (g_fixed) return LocalToUTC(g_fixedLocal);
    return UnixToUTC(systemUnixNow());
}

void Clock::Set(TDateTime localNow) { g_fixed = true; g_fixedLocal = localNow; }
void Clock::Advance(double days) {
    if (!g_fixed) Set(Now());
    g_fixedLocal += days;
}
void Clock::UseSystem() { g_fixed = false; }
bool Clock::IsFixed() { return g_fixed; }

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12) return 0;
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

bool TryEncodeDate(int y, int m, int d, TDateTime &out) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
    out = static_cast<double>(daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d))) + kUnixEpoch;
    return true;
}

TDateTime EncodeDate(int y, int m, int d) {
    TDateTime r = 0;
    TryEncodeDate(y, m, d, r);
    return r;
}

bool TryEncodeTime(int h, int n, int s, int ms, TDateTime &out) {
    if (h < 0 || h > 23 || n < 0 || n > 59 || s < 0 || s > 59 || ms < 0 || ms > 999) return false;
    out = (h * 3600000.0 + n * 60000.0 + s * 1000.0 + ms) / 86400000.0;
    return true;
}

TDateTime EncodeTime(int h, int n, int s, int ms) {
    TDateTime r = 0;
    TryEncodeTime(h, n, s, ms, r);
    return r;
}

void DecodeDate(TDateTime dt, int &y, int &m, int &d) {
    civilFromDays(static_cast<std::int64_t>(std::floor(dt + 1e-9)) - static_cast<std::int64_t>(kUnixEpoch), y, m, d);
}

void DecodeTime(TDateTime dt, int &h, int &n, int &s, int &ms) {
    double frac = dt - std::floor(dt);
    std::int64_t total = static_cast<std::int64_t>(std::llround(frac * 86400000.0));
    if (total >= 86400000) total = 86399999;
    h = static_cast<int>(total / 3600000);
    n = static_cast<int>(total / 60000 % 60);
    s = static_cast<int>(total / 1000 % 60);
    ms = static_cast<int>(total % 1000);
}

int DayOfWeek(TDateTime dt) {
    // 1899-12-30 was a Saturday.
    std::int64_t days = static_cast<std::int64_t>(std::floor(dt + 1e-9));
    int r = static_cast<int>(((days - 1) % 7 + 7) % 7);  // 0 = Sunday
    return r + 1;
}

TDateTime UnixToUTC(std::int64_t s) { return static_cast<double>(s) / 86400.0 + kUnixEpoch; }
std::int64_t UTCToUnix(TDateTime utc) { return std::llround((utc - kUnixEpoch) * 86400.0); }

TDateTime UnixToLocal(std::int64_t s) {
    std::time_t t = static_cast<std::time_t>(s);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec);
}

std::int64_t LocalToUnix(TDateTime local) {
    int y, m, d, h, n, s, ms;
    DecodeDate(local, y, m, d);
    DecodeTime(local, h, n, s, ms);
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = n;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(mktime(&tm));
}

TDateTime UTCToLocal(TDateTime utc) {
    const double whole = std::floor(utc * 86400.0 + 0.5) / 86400.0;
    return UnixToLocal(UTCToUnix(whole)) + (utc - whole);
}

TDateTime LocalToUTC(TDateTime local) { return UnixToUTC(LocalToUnix(local)); }
