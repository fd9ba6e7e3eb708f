#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/IniSettings.h"
#include "lang/LangTable.h"
#include "lang/ResourceMap.h"
#include "lang/StringKeys.h"
#include "support/TestSupport.h"

namespace {
const std::string kShippedBase = std::string(TOLVU_SOURCE_DIR) + "/data/lang/Data";

class Language : public ::testing::Test {
protected:
    void SetUp() override { ResetStringKeys(); }
    void TearDown() override { ResetStringKeys(); }
    // Writes "Data.<code>" into the test's folder and returns the base path.
    std::string WriteData(const std::string &code, const std::string &content) {
        WriteFile(profile.Root() + "Data." + code, content);
        return profile.Root() + "Data";
    }
    TempProfile profile;
};

std::vector<std::string> placeholders(const std::string &s) {
    std::vector<std::string> r;
    static const std::regex re("%[sd]");
    for (auto it = std::sregex_iterator(s.begin(), s.end(), re); it != std::sregex_iterator(); ++it)
        r.push_back(it->str());
    return r;
}
}  // namespace

TEST_F(Language, ShippedFilesTranslateEveryIdentifierOfTheMap) {
    TLanguageData english;
    ASSERT_TRUE(english.Load(kShippedBase + ".ENU"));
    for (const char *code : {"ENU", "DEU", "ESN", "FRA"}) {
        TLanguageData data;
        ASSERT_TRUE(data.Load(LanguageFileName(kShippedBase, code))) << code;
        EXPECT_FALSE(data.Locale().empty()) << code;
        EXPECT_FALSE(data.FlagPath().empty()) << code;
        for (const TResourceRow &row : ResourceMap()) {
            ASSERT_TRUE(data.HasString(row.ID)) << code << " " << row.Name << " " << row.ID;
            const std::string text = data.String(row.ID);
            EXPECT_FALSE(text.empty()) << code << " " << row.Name;
            // A lost or extra "%s" would print garbage or crash the formatter.
            EXPECT_EQ(placeholders(text), placeholders(english.String(row.ID))) << code << " " << row.Name;
        }
    }
    // The English file says exactly what the program says without it.
    for (const TStringKeyDef &k : StringKeyTable()) EXPECT_EQ(english.String(k.ID), k.Default) << k.Key;
}

TEST_F(Language, MapRowsAreUniqueAndEndWithTheImageHint) {
    auto map = ResourceMap();
    ASSERT_FALSE(map.empty());
    EXPECT_STREQ(map.back().Name, "FWxImage");
    EXPECT_EQ(map.back().ID, 3157);
    std::set<int> ids;
    for (const TResourceRow &r : map) EXPECT_TRUE(ids.insert(r.ID).second) << r.ID;
    // Every string key has its row under the same identifier.
    for (const TStringKeyDef &k : StringKeyTable()) {
        bool found = false;
        for (const TResourceRow &r : map) found |= (r.ID == k.ID && std::string(r.Name) == k.Key);
        EXPECT_TRUE(found) << k.Key;
    }
    EXPECT_EQ(StringKeyTable().size(), 42u);
}

TEST_F(Language, LoadingFrenchFillsTableSettingsAndStringKeys) {
    TIniSettings ini;
    TLanguageTable table;
    bool windows = false;
    ASSERT_TRUE(LoadLanguage(table, ResourceMap(), kShippedBase, "FRA", &ini, [&] { windows = true; }));
    EXPECT_TRUE(windows);
    EXPECT_EQ(ini.ReadString("Options", "Language", ""), "FRA");
    EXPECT_EQ(table.Count(), ResourceMap().size());
    // Two rows for glService: the caption comes first.
    EXPECT_EQ(table.Value("glService"), "Données de %s");
    EXPECT_EQ(table.Value("GLSERVICE"), "Données de %s");
    EXPECT_EQ(table.Text("MOON_FULL", "Full Moon"), "Pleine lune");
    EXPECT_EQ(StrKey(TStrKey::BTN_YES), "Oui");
    EXPECT_EQ(StrKey(TStrKey::glSettings), "Paramètres généraux");
    EXPECT_EQ(StrKey("SETUP_SITE_QUERY"), "Supprimer le lieu %s ?");
}

TEST_F(Language, AFailedLanguageKeepsTheTextsOfTheLastOne) {
    TIniSettings ini;
    TLanguageTable table;
    ASSERT_TRUE(LoadLanguage(table, ResourceMap(), kShippedBase, "DEU", &ini));
    // No file for this code: nothing is replaced and nothing goes back to English.
    EXPECT_FALSE(LoadLanguage(table, ResourceMap(), kShippedBase, "XXX", &ini));
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(ini.ReadString("Options", "Language", ""), "DEU");
    EXPECT_EQ(StrKey(TStrKey::BTN_NO), "Nein");
    EXPECT_EQ(table.Text("TODAY", "Today"), "Today");
}

TEST_F(Language, LineCountDecidesWhatIsTranslated) {
    // A map whose first row is a string key, then fillers, the last row "Last".
    auto makeMap = [](size_t rows, std::vector<std::string> &names) {
        names.clear();
        names.push_back("BTN_YES");
        for (size_t i = 1; i + 1 < rows; ++i) names.push_back("Filler" + std::to_string(i));
        names.push_back("Last");
        std::vector<TResourceRow> map;
        for (size_t i = 0; i < names.size(); ++i)
            map.push_back({names[i].c_str(), i == 0 ? 2181 : 5000 + int(i)});
        return map;
    };
    std::string content = "2181=Ja\n";
    for (int i = 1; i < 40; ++i) content += std::to_string(5000 + i) + "=Text " + std::to_string(i) + "\n";
    const std::string base = WriteData("DEU", content);

    struct Case {
        size_t rows;
        bool loaded, keys;
    } cases[] = {{10, false, false}, {11, true, false}, {24, true, false}, {25, true, true}};
    for (const Case &c : cases) {
        ResetStringKeys();
        std::vector<std::string> names;
        auto map = makeMap(c.rows, names);
        TIniSettings ini;
        TLanguageTable table;
        bool windows = false;
        EXPECT_EQ(LoadLanguage(table, map, base, "DEU", &ini, [&] { windows = true; }), c.loaded) << c.rows;
        EXPECT_EQ(windows, c.loaded) << c.rows;
        EXPECT_EQ(table.Count(), c.loaded ? c.rows : 0u) << c.rows;
        EXPECT_EQ(ini.ValueExists("Options", "Language"), c.loaded) << c.rows;
        EXPECT_EQ(StrKey(TStrKey::BTN_YES), c.keys ? "Ja" : "Yes") << c.rows;
    }
}

TEST_F(Language, MissingStringsReadEmptyAndAMissingLastRowRejectsTheLanguage) {
    std::vector<TResourceRow> map = {{"BTN_YES", 2181}, {"BTN_NO", 2182}, {"Odd", 0}};
    for (int i = 0; i < 30; ++i) map.push_back({"Fill", 6000 + i});
    map.push_back({"Last", 7000});
    // No text for BTN_NO; every filler and the last row present.
    std::string content = "2181=Oui\n";
    for (int i = 0; i < 30; ++i) content += std::to_string(6000 + i) + "=x\n";
    std::string base = WriteData("FRA", content + "7000=fin\n");

    TLanguageTable table;
    ASSERT_TRUE(LoadLanguage(table, map, base, "FRA", nullptr));
    EXPECT_EQ(table.Value("BTN_NO"), "");
    EXPECT_EQ(StrKey(TStrKey::BTN_NO), "No");  // an empty value keeps the key's text
    EXPECT_EQ(StrKey(TStrKey::BTN_YES), "Oui");

    base = WriteData("FRA", content);
    EXPECT_FALSE(LoadLanguage(table, map, base, "FRA", nullptr));
    EXPECT_TRUE(table.Empty());
}

TEST_F(Language, BuildLeavesLinesWithoutAnIdentifierAlone) {
    const std::string base = WriteData("ESN", "\xEF\xBB\xBF# comment\r\n10=diez\r\n20=veinte=20\r\n");
    TLanguageTable table;
    table.Lines() = {"A=10", "B=hello", "C", "D=20", "E=99"};
    EXPECT_EQ(BuildLanguageList(table, {}, base, "ESN"), "");  // the last line's text
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"A=diez", "B=hello", "C", "D=veinte=20", "E="}));

    TLanguageTable fresh;
    std::vector<TResourceRow> map = {{"A", 10}, {"D", 20}};
    EXPECT_EQ(BuildLanguageList(fresh, map, profile.Root() + "Nothing", "ESN"), "");
    EXPECT_EQ(fresh.Lines(), (std::vector<std::string>{"A=10", "D=20"}));
}

TEST_F(Language, TextsAreCutAfter511Characters) {
    std::string longText;
    for (int i = 0; i < 600; ++i) longText += "é";
    const std::string base = WriteData("FRA", "1=" + longText + "\n");
    TLanguageData data;
    ASSERT_TRUE(data.Load(LanguageFileName(base, "FRA")));
    EXPECT_EQ(data.String(1).size(), 511u * 2);  // whole characters, never half of one
}

TEST_F(Language, LookupsFallBackToEnglishWhileNoLanguageIsApplied) {
    TLanguageTable table;
    EXPECT_EQ(table.Text("HIGH", "High"), "High");
    table.Lines() = {"HIGH=", "LOW=Tief"};
    EXPECT_EQ(table.Text("HIGH", "High"), "");
    EXPECT_EQ(table.TextOr("HIGH", "High"), "High");
    EXPECT_EQ(table.TextOr("LOW", "Low"), "Tief");
    EXPECT_EQ(table.Text("Nope", "x"), "");
}

TEST_F(Language, FileNameReplacesTheExtension) {
    EXPECT_EQ(LanguageFileName("/opt/tolvu/Lang/Data", "FRA"), "/opt/tolvu/Lang/Data.FRA");
    EXPECT_EQ(LanguageFileName("/opt/tolvu/Lang/Data.ENU", "DEU"), "/opt/tolvu/Lang/Data.DEU");
    EXPECT_EQ(LanguageFileName("/opt/to.lvu/Lang/Data", "ESN"), "/opt/to.lvu/Lang/Data.ESN");
}
