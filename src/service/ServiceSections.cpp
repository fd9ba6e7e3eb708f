#include "service/ServiceSections.h"

#include <cctype>

#include "app/IniSettings.h"

bool IsServiceSectionName(const std::string &section) {
    std::string lower;
    for (char c : section) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("service") != std::string::npos && lower.size() > 7 && lower[7] != 's';
}

std::string FindServiceSection(const TIniSettings &ini, const std::string &name, int &count) {
    count = 0;
    for (const std::string &s : ini.ReadSections()) {
        if (!IsServiceSectionName(s)) continue;
        if (ini.ReadString(s, "Name", "") == name) return s;
        ++count;
    }
    return "";
}

void FillServiceSection(TIniSettings &ini, int n, const TServiceSectionDefaults &d) {
    const std::string section = "Service" + std::to_string(n);
    if (!ini.ValueExists("Services", section)) ini.WriteString("Services", section, d.DisplayName);
    if (!ini.SectionExists(section)) ini.WriteString(section, "Name", d.Name);
    auto fill = [&](const char *key, const std::string &value) {
        if (!ini.ValueExists(section, key)) ini.WriteString(section, key, value);
    };
    fill("httpBase", d.HttpBase);
    fill("Port", "80");
    fill("XML", d.XML);
    fill("HTML", d.HTML);
    fill("Seek", d.Seek);
    fill("Location", "");
}

std::string RegisterServiceSection(TIniSettings &ini, const TServiceSectionDefaults &d) {
    int count = 0;
    std::string found = FindServiceSection(ini, d.Name, count);
    if (!found.empty()) return found;
    FillServiceSection(ini, count, d);
    return "Service" + std::to_string(count);
}
