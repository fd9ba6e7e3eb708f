#pragma once
// The NWS service's section in the settings file.
#include <string>

class TIniSettings;

extern const char *const kNwsServiceName;   // stored Name: "NWS"
extern const char *const kNwsDisplayName;   // "The US National Weather Service"
extern const char *const kNwsXmlPath;       // "/data/current_obs"
extern const char *const kNwsSeekPath;      // "/index.xml"

// Finds the first service section whose Name is "NWS", or fills the next free
// "Service"+N with the missing defaults. Returns the section name.
std::string RegisterNwsService(TIniSettings &ini);
