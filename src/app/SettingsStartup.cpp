#include "app/SettingsStartup.h"

#include <cctype>

#include "accuweather/AcuRegister.h"
#include "app/IniSettings.h"
#include "nws/NWSRegister.h"
#include "nwsapi/NWSApiService.h"
#include "service/Servers.h"

std::string DefaultUpdateUrl() { return ServerBase(TServer::Update) + "/"; }

namespace {
// Returns the section of the live NWS service.
std::string registerServices(TIniSettings &ini) {
    RegisterNwsService(ini);
    RegisterAcuService(ini);
    return RegisterNwsApiService(ini);
}

// US English starts on the live NWS service: the older NWS section reads feeds
// the weather service has retired.
std::string firstActiveSection(int localeId, const std::string &liveNwsSection) {
    return localeId == 1033 ? liveNwsSection : "Service1";
}

int sectionNumber(const std::string &section) {
    if (section.empty()) return -1;
    unsigned char c = static_cast<unsigned char>(section.back());
    return std::isdigit(c) ? c - '0' : -1;
}
}  // namespace

TSettingsStartup RunSettingsStartup(TIniSettings &ini, int localeId) {
    TSettingsStartup r;
    const std::string liveNws = registerServices(ini);
    ini.UpdateFile();

    if (!ini.SectionExists("Service")) {
        r.FirstStart = true;
        registerServices(ini);
        ini.WriteString("Service", "Default", "");
        WriteWxDefaults(ini);
        ini.UpdateFile();
    }

    // A [Service] section without its Default key is treated like an empty
    // Default, so the program never starts without an active section.
    std::string active = ini.ReadString("Service", "Default", "");
    if (active.empty()) {
        active = firstActiveSection(localeId, liveNws);
        ini.WriteString("Service", "Default", active);
    }
    r.ActiveSection = active;
    r.ServiceNumber = sectionNumber(active);
    r.ServiceName = ini.ReadString(active, "Name", "NWS");
    r.LocationMissing = ini.ReadString(active, "Location", "").empty() && ini.ReadString(active, "Site", "").empty();
    return r;
}

bool ConvertRadarSetting(TIniSettings &ini, const std::string &section, int serviceNumber,
                         const TImageSetLookup &lookup) {
    const std::string radar = ini.ReadString(section, "Radar", "");
    std::int64_t ignored;
    if (radar.empty() || TIniSettings::ParseInteger(radar, ignored) || !lookup) return false;
    int key = 0;
    if (!lookup(radar, key)) return false;
    ini.WriteInteger(section, "Radar", serviceNumber == 0 ? key : 168);
    ini.UpdateFile();
    return true;
}

void WriteWxDefaults(TIniSettings &ini) {
    ini.WriteString("Wx", "CurrentConditions", "True");
    ini.WriteString("Wx", "NumDays", "5");
    ini.WriteBool("Wx", "AlAuto", true);
    ini.WriteBool("Wx", "AlRestore", false);
    ini.WriteBool("Wx", "AlSwitch", true);
    ini.WriteBool("Wx", "AlSound", true);
    ini.WriteBool("Wx", "AlSoundAny", false);
    ini.WriteBool("Wx", "AlAnimate", true);
    ini.WriteString("Options", "URL", DefaultUpdateUrl());
}

bool EnsureWxDefaults(TIniSettings &ini) {
    if (ini.SectionExists("Wx")) return false;
    WriteWxDefaults(ini);
    return true;
}

TDisplaySettings ReadDisplaySettings(const TIniSettings &ini) {
    TDisplaySettings s;
    auto i = [&](const char *key, int &v) { v = ini.ReadInteger("Wx", key, v); };
    auto b = [&](const char *sec, const char *key, bool &v) { v = ini.ReadBool(sec, key, v); };
    auto c = [&](const char *key, std::uint32_t &v) { v = ini.ReadColor("Options", key, v); };
    i("ccInterval", s.ccInterval);
    i("fcInterval", s.fcInterval);
    i("NumDays", s.NumDays);
    i("Periods", s.Periods);
    i("Scale", s.Scale);
    i("Speed", s.Speed);
    i("fbTransparency", s.fbTransparency);
    s.fbTransparency &= 0xFF;
    b("Wx", "AlAuto", s.AlAuto);
    b("Wx", "AlRestore", s.AlRestore);
    b("Wx", "AlSwitch", s.AlSwitch);
    b("Wx", "AlSound", s.AlSound);
    b("Wx", "AlSoundAny", s.AlSoundAny);
    b("Wx", "AlAnimate", s.AlAnimate);
    s.AlSoundFile = ini.ReadString("Wx", "AlSoundFile", s.AlSoundFile);
    b("Wx", "WebImages", s.WebImages);

    s.URL = ini.ReadString("Options", "URL", DefaultUpdateUrl());
    s.Language = ini.ReadString("Options", "Language", "");
    c("Color1", s.Color1);
    c("Color2", s.Color2);
    c("Color3", s.Color3);
    c("TempColor", s.TempColor);
    b("Options", "Tray", s.Tray);
    b("Options", "Notify", s.Notify);
    b("Options", "cNotifySound", s.cNotifySound);
    b("Options", "fNotifySound", s.fNotifySound);
    b("Options", "Minimize", s.Minimize);
    b("Options", "ServiceIcons", s.ServiceIcons);
    b("Options", "AllowTemp", s.AllowTemp);
    b("Options", "Update", s.Update);
    c("PopUp", s.PopUp);
    c("Header", s.Header);
    c("Body", s.Body);
    c("HeaderGlow", s.HeaderGlow);
    c("ePopUp", s.ePopUp);
    c("eHeader", s.eHeader);
    c("eBody", s.eBody);
    c("eHeaderGlow", s.eHeaderGlow);
    c("wPopUpColor", s.wPopUpColor);
    c("wHeader", s.wHeader);
    c("wBody", s.wBody);
    c("wHeaderGlow", s.wHeaderGlow);
    return s;
}
