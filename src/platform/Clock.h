#pragma once
// Date-times are days since 1899-12-30 (the fraction is the time of day),
// in local time unless a name says UTC. Every "now" and "today" in core
// goes through Clock so tests can fix and advance time.
#include <ctime>
#include <cstdint>

using TDateTime = double;

class Clock {
public:
    static TDateTime Now();      // local
    static TDateTime Today();    // local midnight
    static TDateTime NowUTC();
    // Tests: freeze local time at t (UTC follows with the zone's offset).
    static void Set(TDateTime localNow);
    static void Advance(double days);
    static void AdvanceSeconds(double seconds) { Advance(seconds / 86400.0); }
    static void UseSystem();
    static bool IsFixed();
};

// Calendar helpers (proleptic Gregorian, as the day numbers above).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);
bool TryEncodeDate(int year, int month, int day, TDateTime &out);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime &out);
void DecodeDate(TDateTime dt, int &year, int &month, int &day);
void DecodeTime(TDateTime dt, int &hour, int &minute, int &second, int &msec);
// 1 = Sunday ... 7 = Saturday
int DayOfWeek(TDateTime dt);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Conversions between Unix time and local/UTC day numbers, through the C library's zone data.
TDateTime UnixToUTC(std::int64_t seconds);
std::int64_t UTCToUnix(TDateTime utc);
TDateTime UnixToLocal(std::int64_t seconds);
std::int64_t LocalToUnix(TDateTime local);
TDateTime UTCToLocal(TDateTime utc);
TDateTime LocalToUTC(TDateTime local);
