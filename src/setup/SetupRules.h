#pragma once
// The setup dialog's decisions that need no window: spin ranges, which
// section a control writes to, the default-image question, the support mail
// link and what the opener does after OK.
#include <string>
#include <vector>

// Step, range and digits of one of the dialog's number edits.
struct TSetupSpin {
    int Step = 1, Min = 0, Max = 0, Digits = 2;
};
// edit: "Periods", "NumDays", "fcInterval", "ccInterval", "fbTransparency".
// serviceName and maxDays only matter for "NumDays". False for other names.
bool SetupSpinRange(const std::string &edit, const std::string &serviceName, int maxDays, TSetupSpin &out);

// Section of a control by its Tag: 0-2 "Wx", 3-4 "Options", otherwise empty.
std::string TagSection(int tag);
// Key a control stores its value under (its name, except the two sound checks).
std::string ControlKey(const std::string &controlName);

// The default weather image counts as missing for Radar 0, and for a service
// other than "NWS" for any key below 100 (those rows belong to the NWS).
bool DefaultImageMissing(const std::string &serviceName, int radar);

// "mailto:" link for the support button; address, subject and body encoded.
std::string SupportMailLink(const std::string &address);
// Percent-encodes everything but unreserved characters (and '@' when keepAt).
std::string PercentEncode(const std::string &text, bool keepAt = false);

// The change groups the dialog reports back.
struct TSetupFlags {
    bool LocationModified = false;
    bool CurrentModified = false;
    bool ForecastModified = false;
    bool AdvisoryModified = false;
    bool OptionsModified = false;
    bool UpdateRequested = false;
    bool Any() const {
        return LocationModified || CurrentModified || ForecastModified || AdvisoryModified || OptionsModified ||
               UpdateRequested;
    }
};

// What the opener does after OK, in order.
enum class TSetupAction {
    FlushSettings,
    MarkUpdateCheckDue,   // last update check := now - 1 day
    LoadService,
    ApplyImageFilter,
    RefreshForecast,
    RefreshAlerts,
    RefreshCurrent,
    LoadDisplaySettings,
    RedrawTray,
    InsetCheck,
    RefreshImagery,
    RequestUpdate,        // [Options] Update = true, visible update check
};
std::vector<TSetupAction> SetupActions(const TSetupFlags &flags);
