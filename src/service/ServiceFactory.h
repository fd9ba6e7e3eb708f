#pragma once
// Making the weather service a settings section names. Services register a
// maker under their Name; the main window asks by name and never includes a
// concrete service class.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "service/WxService.h"

class TIniSettings;

using TServiceMaker =
    std::function<std::unique_ptr<TCustomWxService>(void *owner, std::uint8_t number, TIniSettings *ini)>;

// Names are compared upper-cased ("NWS", "Acu" -> "ACU"). A second maker for
// a name replaces the first; an empty maker removes it.
void RegisterServiceMaker(const std::string &name, TServiceMaker maker);
std::vector<std::string> RegisteredServiceNames();

// The service for a Name, attached to the settings; nullptr for an unknown
// name. Errors of the maker propagate, so the caller can report them.
std::unique_ptr<TCustomWxService> CreateServiceFor(const std::string &name, std::uint8_t number, TIniSettings *ini,
                                                   void *owner = nullptr);

// Registers the services built into the program (NWS and AccuWeather) under
// the names that have no maker yet; safe to call more than once.
void RegisterBuiltInServices();
