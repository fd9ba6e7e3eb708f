#pragma once
// What the main window does with the settings object while it is constructed:
// service registration, first-time initialisation, the active section, the
// old Radar identifiers and the [Wx] defaults. No Qt here, so it runs in tests.
#include <cstdint>
#include <functional>
#include <string>

class TIniSettings;

// [Options] URL when nothing else is set: the update server, ending in '/'.
std::string DefaultUpdateUrl();

struct TSettingsStartup {
    std::string ActiveSection;     // value of [Service] Default, e.g. "Service0"
    int ServiceNumber = -1;        // its last character as a digit, -1 when it is none
    std::string ServiceName;       // Name of the active section ("NWS", "Acu", ...)
    bool LocationMissing = false;  // Location and Site of the active section are both empty
    bool FirstStart = false;       // there was no [Service] section
};

// Registers NWS, AccuWeather and the live NWS service and flushes; on a file
// without [Service] initialises it and flushes again; then picks the active
// section (an empty Default becomes the live NWS section for locale 1033 and
// "Service1" otherwise).
TSettingsStartup RunSettingsStartup(TIniSettings &ini, int localeId);

// Looks an image-set identifier up in the data module; true with its key.
using TImageSetLookup = std::function<bool(const std::string &identifier, int &key)>;

// Older files store Radar as an image-set identifier. When the active
// section's Radar is not an integer and the lookup knows it, writes the key
// (168 for any service number but 0) and flushes. True when it converted.
bool ConvertRadarSetting(TIniSettings &ini, const std::string &section, int serviceNumber,
                         const TImageSetLookup &lookup);

// The [Wx] defaults and [Options] URL, written unconditionally.
void WriteWxDefaults(TIniSettings &ini);
// Writes them only when [Wx] is missing. True when it wrote.
bool EnsureWxDefaults(TIniSettings &ini);

// The display settings of [Wx] and [Options], with their defaults.
struct TDisplaySettings {
    int ccInterval = 15;
    int fcInterval = 60;
    int NumDays = 5;
    int Periods = 12;
    int Scale = 0;
    int Speed = 0;
    int fbTransparency = 212;
    bool AlAuto = true, AlRestore = false, AlSwitch = true, AlSound = false, AlSoundAny = false, AlAnimate = false;
    std::string AlSoundFile = "Warning";
    bool WebImages = false;

    std::string URL;
    std::string Language;
    std::uint32_t Color1 = 0x800000, Color2 = 0xF0CAA6, Color3 = 0xC0DCC0;
    std::uint32_t TempColor = 0xFF00001D;
    bool Tray = true, Notify = true, cNotifySound = true, fNotifySound = false, Minimize = false;
    bool ServiceIcons = false, AllowTemp = false, Update = true;
    std::uint32_t PopUp = 0x907D7D, Header = 0x800000, Body = 0xFF000014, HeaderGlow = 0xFFFF00;
    std::uint32_t ePopUp = 0xFF000018, eHeader = 0x000080, eBody = 0x20000000, eHeaderGlow = 0x0000C4;
    std::uint32_t wPopUpColor = 0x000064, wHeader = 0x00FFFF, wBody = 0xFFFFFF, wHeaderGlow = 0xFF000018;

    bool TwelveHourPeriods() const { return Periods == 12; }
};

TDisplaySettings ReadDisplaySettings(const TIniSettings &ini);
