#pragma once
// wxprobe sunmoon FILE: the sun and moon texts the NWS service shows for a
// saved Naval Observatory reply, as {"sunrise", "sunset", "moonPhase"}.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

nlohmann::json ProbeSunMoon(const std::string &file);
// The command-table entry of "sunmoon FILE".
int RunSunMoonCommand(const std::vector<std::string> &args, nlohmann::json &out);
