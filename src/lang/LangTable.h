#pragma once
// Language data files and the language table.
//
// A language data file is "Lang/Data." + code beside the program: UTF-8 text,
// one "identifier=text" line per string ("1024=Tolvu"). Lines starting with
// '#' are comments; "Locale=de_DE" names the language and "Flag=<path>" its
// flag picture, relative to the data file's folder.
#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "lang/ResourceMap.h"

class TIniSettings;

class TLanguageData {
public:
    // Texts longer than this many characters are cut, as a fixed text buffer would.
    static constexpr size_t kMaxTextChars = 511;

    // False when the file is missing, unreadable or implausibly large.
    bool Load(const std::string &fileName);
    bool Loaded() const { return loaded_; }
    // The text of an identifier; empty when the file has none.
    std::string String(int id) const;
    bool HasString(int id) const { return strings_.count(id) != 0; }
    std::string Locale() const { return locale_; }
    // Full path of the flag picture; empty when the file names none.
    std::string FlagPath() const;

private:
    bool loaded_ = false;
    std::unordered_map<int, std::string> strings_;
    std::string locale_, flag_, folder_;
};

// The program's base path: DataPath() + "Lang/Data".
std::string LanguageBasePath();
// basePath with its extension replaced by "." + code ("…/Data" -> "…/Data.FRA").
std::string LanguageFileName(const std::string &basePath, const std::string &code);

// The language table: "name=text" lines in map order; empty while no language
// is applied. Lookups compare names without regard to case, first line wins.
class TLanguageTable {
public:
    std::vector<std::string> &Lines() { return lines_; }
    const std::vector<std::string> &Lines() const { return lines_; }
    size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    void Clear() { lines_.clear(); }

    // The text after '=' on the first line named key; empty when none.
    std::string Value(const std::string &key) const;
    // While the table is empty: englishDefault; else the value (maybe empty).
    std::string Text(const std::string &key, const std::string &englishDefault) const;
    // As Text, but an empty value also gives the English default.
    std::string TextOr(const std::string &key, const std::string &englishDefault) const;

private:
    std::vector<std::string> lines_;
};

// The one table the main window owns; every view reads its texts from it.
TLanguageTable &LanguageTable();

// Fills the table from the data file: an empty table first gets one
// "Name=ID" line per map row; with the file present every line whose value is
// an integer becomes "Name=text". Returns the text loaded for the last line,
// empty when nothing was loaded.
std::string BuildLanguageList(TLanguageTable &table, std::span<const TResourceRow> map,
                              const std::string &basePath, const std::string &code);

// Applies a language: rebuilds the table; when the last row's text is empty
// or the table has 10 lines or fewer, clears it and returns false. Otherwise
// writes "Options"/"Language" := code (when settings are given), runs
// applyToWindows (when given), loads the string keys and returns true.
bool LoadLanguage(TLanguageTable &table, std::span<const TResourceRow> map, const std::string &basePath,
                  const std::string &code, TIniSettings *settings,
                  const std::function<void()> &applyToWindows = {});
