#include "setup/SetupRules.h"

#include <cstdio>

bool SetupSpinRange(const std::string &edit, const std::string &serviceName, int maxDays, TSetupSpin &out) {
    if (edit == "Periods") out = {12, 12, 24, 2};
    else if (edit == "NumDays") out = {1, serviceName == "Acu" ? 5 : 1, maxDays, 2};
    else if (edit == "fcInterval") out = {15, 15, 90, 2};
    else if (edit == "ccInterval") out = {5, 5, 90, 2};
    else if (edit == "fbTransparency") out = {8, 128, 254, 3};
    else return false;
    return true;
}

std::string TagSection(int tag) {
    if (tag >= 0 && tag <= 2) return "Wx";
    if (tag == 3 || tag == 4) return "Options";
    return {};
}

std::string ControlKey(const std::string &controlName) {
    if (controlName == "cNotify") return "cNotifySound";
    if (controlName == "fNotify") return "fNotifySound";
    return controlName;
}

bool DefaultImageMissing(const std::string &serviceName, int radar) {
    return radar == 0 || (serviceName != "NWS" && radar < 100);
}

std::string PercentEncode(const std::string &text, bool keepAt) {
    std::string out;
    for (unsigned char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '_' || c == '.' || c == '~' || (keepAt && c == '@');
        if (unreserved) {
            out += char(c);
        } else {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        }
    }
    return out;
}

std::string SupportMailLink(const std::string &address) {
    return "mailto:" + PercentEncode(address, true) + "?subject=" + PercentEncode("Update") +
           "&body=" + PercentEncode("Inquiring about updates.");
}

std::vector<TSetupAction> SetupActions(const TSetupFlags &f) {
    using A = TSetupAction;
    std::vector<A> a;
    if (f.OptionsModified) a.push_back(A::FlushSettings);
    if (f.LocationModified) {
        a.insert(a.end(), {A::MarkUpdateCheckDue, A::LoadService, A::ApplyImageFilter, A::RefreshForecast,
                           A::RefreshAlerts, A::RefreshCurrent});
    } else if (f.CurrentModified || f.ForecastModified || f.AdvisoryModified) {
        a.push_back(A::LoadService);
        if (f.CurrentModified) a.push_back(A::RefreshCurrent);
        if (f.ForecastModified) a.push_back(A::RefreshForecast);
        if (f.AdvisoryModified) a.push_back(A::RefreshAlerts);
    }
    if (f.OptionsModified)
        a.insert(a.end(), {A::LoadDisplaySettings, A::RedrawTray, A::InsetCheck, A::RefreshImagery});
    if (f.UpdateRequested) a.push_back(A::RequestUpdate);
    return a;
}
