// Language data files, read alone and applied as the language table.
#include "FuzzSupport.h"
#include "lang/LangTable.h"
#include "targets/TempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    const std::string file = fuzz::WriteTemp("Data.FUZ", fuzz::View(data, size));
    TLanguageData lang;
    if (lang.Load(file)) {
        fuzz::Use(lang.Locale());
        fuzz::Use(lang.FlagPath());
        for (int id : {0, 1, 1024, 65535, -1}) fuzz::Use(lang.String(id));
    }
    TLanguageTable table;
    const std::string base = fuzz::TempFolder() + "Data";
    fuzz::Use(BuildLanguageList(table, ResourceMap(), base, "FUZ"));
    LoadLanguage(table, ResourceMap(), base, "FUZ", nullptr);
    fuzz::Use(table.Text("Caption", "Tolvu"));
    return 0;
}
