#pragma once
// What the live NWS service makes of given documents, as JSON: the values the
// window would read through the service's getters. Used by tools and by tests
// that compare with saved expected output.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// kind: "current" (an observation), "forecast", "alerts" (optionally after a
// point document, for the county) or "points". texts are the documents'
// contents in that order. Scale 0/1 (F/C), speed 0/1 (mph/km/h), periods 12
// or 24. A document that does not read gives {"error": ...}.
nlohmann::json ProbeNwsApi(const std::string &kind, const std::vector<std::string> &texts, int scale = 0,
                           int speed = 0, int periods = 12);
