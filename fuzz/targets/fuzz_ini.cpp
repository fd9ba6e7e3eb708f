// The settings file: parse, read every value as each type, change it, write it back.
#include "FuzzSupport.h"
#include "app/IniSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    std::string_view in = fuzz::View(data, size);
    TIniSettings ini;
    ini.SetStrings(fuzz::Lines(in));
    for (const std::string &section : ini.ReadSections()) {
        for (const std::string &key : ini.ReadSection(section)) {
            fuzz::Use(ini.ReadString(section, key, "x"));
            fuzz::Use(ini.ReadInt64(section, key, -1));
            fuzz::Use(ini.ReadInteger(section, key, -1));
            fuzz::Use(ini.ReadBool(section, key, true));
            fuzz::Use(ini.ReadColor(section, key, 0x123456));
        }
    }
    std::int64_t n = 0;
    TIniSettings::ParseInteger(std::string(in.substr(0, 64)), n);

    // What is written must read back as written.
    const std::string text = ini.Text();
    ini.WriteString("Fuzz", "Key", "value");
    ini.WriteInteger("Fuzz", "Number", -42);
    TIniSettings again;
    again.SetStrings(ini.GetStrings());
    if (again.ReadString("Fuzz", "Key", "") != "value" || again.ReadInteger("Fuzz", "Number", 0) != -42)
        __builtin_trap();
    ini.EraseSection("Fuzz");
    fuzz::Use(text);
    return 0;
}
