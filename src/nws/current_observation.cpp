#include "nws/current_observation.h"

TNWSCurrent TNWSCurrent::LoadFromBuffer(std::string_view bytes) {
    TNWSCurrent r;
    std::string error;
    xmlb::DocPtr doc = xmlb::Parse(bytes, &error);
    r.Bind(std::move(doc), std::move(error), "current_observation");
    return r;
}

TNWSCurrent TNWSCurrent::LoadFromFile(const std::string &path) {
    TNWSCurrent r;
    std::string error;
    xmlb::DocPtr doc = xmlb::ParseFile(path, &error);
    r.Bind(std::move(doc), std::move(error), "current_observation");
    return r;
}
