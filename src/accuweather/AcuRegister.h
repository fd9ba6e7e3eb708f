#pragma once
// The AccuWeather service's section in the settings file.
#include <string>

class TIniSettings;

extern const char *const kAcuServiceName;   // stored Name: "Acu"
extern const char *const kAcuDisplayName;   // [Services] entry, Description, message caption
extern const char *const kAcuPartnerPath;   // "/widget/kovix/"
extern const char *const kAcuSeekPath;      // "city-find.asp?Location="

// The web site base (default of httpBase and HTML).
std::string AcuWebBase();
// The data server address + partner path (default of XML; base of every request).
std::string AcuDataBaseUrl();

// Finds the first service section whose Name is "Acu", or creates the next
// free "Service"+N. Returns the section name.
std::string RegisterAcuService(TIniSettings &ini);
// Writes only the missing keys of "Service"+n.
void CreateAcuServiceSection(TIniSettings &ini, int n);
