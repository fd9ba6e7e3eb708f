#pragma once
// Finding and registering a service's section ("Service" + digit) in the settings.
#include <string>

class TIniSettings;

// A section counts as a service section when its lower-case name contains
// "service", is longer than 7 characters and its 8th character is not 's'.
bool IsServiceSectionName(const std::string &section);

// Walks the sections in file order. Returns the name of the first service
// section whose Name equals `name` exactly (case included), or empty; in that
// case `count` is the number of other service sections seen.
std::string FindServiceSection(const TIniSettings &ini, const std::string &name, int &count);

struct TServiceSectionDefaults {
    std::string Name;         // "NWS", "Acu"
    std::string DisplayName;  // [Services] ServiceN
    std::string HttpBase;
    std::string XML;
    std::string HTML;
    std::string Seek;
};

// Writes only what is missing into "Service" + n and [Services].
void FillServiceSection(TIniSettings &ini, int n, const TServiceSectionDefaults &d);

// Finds the service's section or registers it under the next number.
// Returns the section name.
std::string RegisterServiceSection(TIniSettings &ini, const TServiceSectionDefaults &d);
