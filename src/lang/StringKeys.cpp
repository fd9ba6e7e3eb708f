#include "lang/StringKeys.h"

#include <array>

#include "lang/LangTable.h"

namespace {
constexpr TStringKeyDef kKeys[] = {
    {"WxForm", 1024, "Tolvu"},
    {"BTN_YES", 2181, "Yes"},
    {"BTN_NO", 2182, "No"},
    {"BTN_NO_THANK", 2183, "No Thanks!"},
    {"glSettings", 1094, "General Settings"},
    {"FCC_HINT_HDR", 2184, "Forecast for "},
    {"CLICK_HINT_HDR", 2185, "Click here to ..."},
    {"HINT_METHOD", 2186, "Hint method"},
    {"SERVER_CON_DETAIL", 2187, "An error has occured obtaining Data from the Server."},
    {"SERVER_SUCCESS", 2188, "Success!, message from Server... "},
    {"SERVER_NO_CON", 2189, "Could not connect to the Remote Server. "},
    {"SERVER_NO_RESPONSE", 2190, "No response from Server . . ."},
    {"SERVER_NO_DETAIL", 2191,
     " It's Possible the Server may be temporarily out of service. Make sure you have a valid Network connection."},
    {"DATA_METHOD", 2192, "Get Data"},
    {"SERVICE_METHOD", 2193, "Load Service"},
    {"VERSION_UPDATE", 2194, "Version Update "},
    {"VERSION_NEW", 2195, "There is a newer version available. "},
    {"VERSION_NEW_DETAIL", 2196,
     "Would you like to download it? Alternately, check for the latest release at the Tolvu download page or "
     "the Tolvu web site."},
    {"UPDATE_ERR", 2197, "An error ocurred while attempting to run the Update.."},
    {"UPDATE_NOT", 2198, "The Update could not be obtained... "},
    {"UPDATE_NOT_DETAIL", 2199,
     "You can try restarting the application or entering setup and updating from the Options Tab."},
    {"UPDATE_NOT_NONE", 2200, "There are no updates currently available for this version."},
    {"EXECUTE_ERR", 2201, "The program did not execute properly "},
    {"EXECUTE_ERR_EXIST", 2202, "Check that %s is in the same folder as this program."},
    {"MINIMIZE_MSG", 2203, "While minimized, this program uses few System resources."},
    {"MINIMIZE_MSG_QUERY", 2204,
     "It will still provide Condition and Alert Information. Would you like to minimize it?"},
    {"FEATURE_SOON", 2205, "This feature will be available soon."},
    {"PRINT_PREVIEW", 2206, "Print Preview"},
    {"PRINT_NONE", 2207, "There are no %s to Print."},
    {"PRINT_NOT", 2208, "%s printing is not available."},
    {"SETUP_CAPTION", 2209, "Setup"},
    {"SETUP_LOCATION", 2210, "Setup - Location"},
    {"SETUP_LOCATIONS", 2211, "%s Station(s) found, matching all or some of the information provided."},
    {"SETUP_LANGUAGE", 2212, "Setup - Language"},
    {"SETUP_IMAGE", 2213, "You should also pick a default Weather Image."},
    {"SETUP_IMAGE_QUERY", 2214, "This is available on the Weather <Tab>, \"Imagery\" options. Choose one now?"},
    {"SETUP_COUNTY", 2215, "Please specify your County... "},
    {"SETUP_COUNTY_NWS", 2216, "You will receive all Alerts and Advisories by State if you do not. Enter it now?"},
    {"SETUP_LANG", 2217, "Language not supported by current service."},
    {"SETUP_LANG_QUERY", 2218, "Would you like to switch to the next service that does?"},
    {"SETUP_SITE_DELETE", 2219, "This will delete the currently selected location."},
    {"SETUP_SITE_QUERY", 2220, "Delete the %s Location?"},
};
static_assert(std::size(kKeys) == static_cast<size_t>(TStrKey::Count));

std::array<std::string, std::size(kKeys)> &texts() {
    static std::array<std::string, std::size(kKeys)> t = [] {
        std::array<std::string, std::size(kKeys)> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = kKeys[i].Default;
        return a;
    }();
    return t;
}
}  // namespace

std::span<const TStringKeyDef> StringKeyTable() { return kKeys; }

const std::string &StrKey(TStrKey key) {
    static const std::string empty;
    auto i = static_cast<size_t>(key);
    return i < texts().size() ? texts()[i] : empty;
}

std::string StrKey(const std::string &name) {
    for (size_t i = 0; i < std::size(kKeys); ++i)
        if (name == kKeys[i].Key) return texts()[i];
    return {};
}

void LoadStringKeys(const TLanguageTable &table) {
    if (table.Count() <= 24) return;
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        std::string v = table.Value(kKeys[i].Key);
        if (!v.empty()) texts()[i] = v;
    }
}

void ResetStringKeys() {
    for (size_t i = 0; i < std::size(kKeys); ++i) texts()[i] = kKeys[i].Default;
}
