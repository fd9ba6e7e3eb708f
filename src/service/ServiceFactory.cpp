#include "service/ServiceFactory.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

#include "accuweather/AcuService.h"
#include "nws/NWSService.h"
#include "nwsapi/NWSApiService.h"

namespace {
std::string key(std::string s) {
    for (char &c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
std::map<std::string, TServiceMaker> &makers() {
    static std::map<std::string, TServiceMaker> m;
    return m;
}
}  // namespace

void RegisterServiceMaker(const std::string &name, TServiceMaker maker) {
    if (maker) makers()[key(name)] = std::move(maker);
    else makers().erase(key(name));
}

std::vector<std::string> RegisteredServiceNames() {
    std::vector<std::string> out;
    for (const auto &[k, v] : makers()) out.push_back(k);
    return out;
}

std::unique_ptr<TCustomWxService> CreateServiceFor(const std::string &name, std::uint8_t number, TIniSettings *ini,
                                                   void *owner) {
    const auto it = makers().find(key(name));
    if (it == makers().end() || key(name).empty()) return nullptr;
    return it->second(owner, number, ini);
}

void RegisterBuiltInServices() {
    // A maker registered earlier (a test's) is kept.
    auto known = [](const char *name) { return makers().count(key(name)) != 0; };
    if (!known("NWS")) RegisterServiceMaker("NWS", [](void *owner, std::uint8_t n, TIniSettings *ini) {
        return std::unique_ptr<TCustomWxService>(CreateWxService<TNWxService>(owner, n, ini));
    });
    if (!known("Acu")) RegisterServiceMaker("Acu", [](void *owner, std::uint8_t n, TIniSettings *ini) {
        return std::unique_ptr<TCustomWxService>(CreateWxService<TAcuService>(owner, n, ini));
    });
    if (!known("NWSAPI")) RegisterServiceMaker("NWSAPI", [](void *owner, std::uint8_t n, TIniSettings *ini) {
        return std::unique_ptr<TCustomWxService>(CreateWxService<TNWSApiService>(owner, n, ini));
    });
}
