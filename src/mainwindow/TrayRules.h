#pragma once
// The tray's texts and counters, kept apart from the tray icon itself: the
// summary shown while the window is hidden, the number drawn into the icon,
// when pointing at the icon shows the summary, and the pop-up colours.
#include <cstdint>
#include <string>

class TIniSettings;

// The main window's current texts the summary is made of.
struct TTraySummaryFields {
    std::string TabCaption;      // caption of the Current tab
    std::string Weather, HeatIndex;
    std::string HumidityLabel, Humidity;
    std::string BarometerLabel, Barometer;
    std::string SunRiseLabel, SunRise;  // language values "SunRiseLabel", "SunsetLabel"
    std::string SunsetLabel, SunDown;
    std::string Wind;
    std::string Detail;          // worded forecast of the first period
    std::string ForecastFor;     // language value for "Forecast for "
    std::string Location;
};

// Language value + ":" ("Sunrise:" / "Sunset:" when the value is empty), with
// tabs that line the times up under each other.
std::string SunriseCaption(const std::string &languageValue);
std::string SunsetCaption(const std::string &languageValue);
std::string TraySummaryBody(const TTraySummaryFields &f);
// " 72 F": the temperature and the first letter of the scale caption.
std::string TraySummaryHeader(const std::string &temperature, const std::string &scaleCaption);

// What goes into the tray icon for a temperature text such as "72°F".
struct TTrayNumber {
    std::string Text;
    bool SmallFont = false;  // below zero: two points smaller
    bool Badge = false;      // 100 and above: drawn minus 100 on a rounded rectangle
};
// The number before "°" (or the service's temperature when there is none);
// "A+" without a service.
TTrayNumber TrayIconNumber(const std::string &temperatureText, bool hasService, int serviceTemperature);

// Pointer moves over the tray icon: the summary shows on the 25th move after
// start and then on every 33rd, counted only while it may show.
class TTrayHoverCounter {
public:
    static constexpr int Start = 8;
    // Counts one move; true when the summary is to be shown now.
    bool Move(bool mayShow);
    void Reset() { count_ = 0; }
    int Count() const { return count_; }

private:
    int count_ = Start;
};

// The twelve [Options] pop-up colours (0x00BBGGRR or system colours).
struct TPopUpColours {
    std::uint32_t PopUp = 0x907D7D, Header = 0x800000, Body = 0xFF000014, HeaderGlow = 0xFFFF00;
    std::uint32_t ePopUp = 0xFF000018, eHeader = 0x000080, eBody = 0x20000000, eHeaderGlow = 0x0000C4;
    std::uint32_t wPopUpColor = 0x000064, wHeader = 0x00FFFF, wBody = 0xFFFFFF, wHeaderGlow = 0xFF000018;
};
TPopUpColours ReadPopUpColours(const TIniSettings &ini);
