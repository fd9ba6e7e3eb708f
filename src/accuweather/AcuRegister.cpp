#include "accuweather/AcuRegister.h"

#include "app/IniSettings.h"
#include "service/Servers.h"
#include "service/ServiceSections.h"

const char *const kAcuServiceName = "Acu";
const char *const kAcuDisplayName = "AccuWeather.com";
const char *const kAcuPartnerPath = "/widget/kovix/";
const char *const kAcuSeekPath = "city-find.asp?Location=";

std::string AcuWebBase() { return ServerBase(TServer::AccuWeb); }
std::string AcuDataBaseUrl() { return ServerBase(TServer::AccuData) + kAcuPartnerPath; }

namespace {
TServiceSectionDefaults acuDefaults() {
    TServiceSectionDefaults d;
    d.Name = kAcuServiceName;
    d.DisplayName = kAcuDisplayName;
    d.HttpBase = AcuWebBase();
    d.XML = AcuDataBaseUrl();
    d.HTML = AcuWebBase();
    d.Seek = kAcuSeekPath;
    return d;
}
}  // namespace

void CreateAcuServiceSection(TIniSettings &ini, int n) { FillServiceSection(ini, n, acuDefaults()); }

std::string RegisterAcuService(TIniSettings &ini) { return RegisterServiceSection(ini, acuDefaults()); }
