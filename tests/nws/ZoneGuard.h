#pragma once
// Runs a test in a fixed time zone (POSIX TZ text, no zone database needed)
// and restores the previous zone afterwards.
#include <cstdlib>
#include <ctime>
#include <string>

class ZoneGuard {
public:
    explicit ZoneGuard(const char *tz) {
        if (const char *old = std::getenv("TZ")) { had_ = true; old_ = old; }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneGuard() {
        if (had_) setenv("TZ", old_.c_str(), 1); else unsetenv("TZ");
        tzset();
    }
    ZoneGuard(const ZoneGuard &) = delete;
    ZoneGuard &operator=(const ZoneGuard &) = delete;
private:
    bool had_ = false;
    std::string old_;
};
