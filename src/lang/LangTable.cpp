#include "lang/LangTable.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "app/IniSettings.h"
#include "lang/StringKeys.h"
#include "platform/Paths.h"

namespace {
// Our own files are a few kilobytes; anything this large is not one of them.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;

bool equalNoCase(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Cuts after n UTF-8 characters without splitting one.
std::string cutChars(const std::string &s, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (chars == n) return s.substr(0, i);
            ++chars;
        }
    }
    return s;
}

bool parseId(const std::string &text, int &out) {
    if (text.empty()) return false;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    errno = 0;
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (errno != 0 || v < -2147483647L - 1 || v > 2147483647L) return false;
    out = static_cast<int>(v);
    return true;
}
}  // namespace

bool TLanguageData::Load(const std::string &fileName) {
    loaded_ = false;
    strings_.clear();
    locale_.clear();
    flag_.clear();
    std::string path = NativePath(fileName);
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileSize) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    size_t slash = path.find_last_of('/');
    folder_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);

    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        first = false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string name = line.substr(0, eq), text = line.substr(eq + 1);
        int id = 0;
        if (parseId(name, id)) {
            strings_.emplace(id, cutChars(text, kMaxTextChars));  // the first entry of an id counts
        } else if (name == "Locale") {
            locale_ = text;
        } else if (name == "Flag") {
            flag_ = text;
        }
    }
    loaded_ = true;
    return true;
}

std::string TLanguageData::String(int id) const {
    auto it = strings_.find(id);
    return it == strings_.end() ? std::string() : it->second;
}

std::string TLanguageData::FlagPath() const {
    if (flag_.empty()) return {};
    std::string f = NativePath(flag_);
    return f[0] == '/' ? f : folder_ + f;
}

std::string LanguageBasePath() { return DataPath() + NativePath("Lang\\Data"); }

std::string LanguageFileName(const std::string &basePath, const std::string &code) {
    size_t sep = basePath.find_last_of("/\\");
    size_t dot = basePath.find_last_of('.');
    std::string stem = (dot != std::string::npos && (sep == std::string::npos || dot > sep))
                           ? basePath.substr(0, dot) : basePath;
    return stem + "." + code;
}

std::string TLanguageTable::Value(const std::string &key) const {
    for (const std::string &l : lines_) {
        size_t eq = l.find('=');
        std::string name = eq == std::string::npos ? l : l.substr(0, eq);
        if (equalNoCase(name, key)) return eq == std::string::npos ? std::string() : l.substr(eq + 1);
    }
    return {};
}

std::string TLanguageTable::Text(const std::string &key, const std::string &englishDefault) const {
    return lines_.empty() ? englishDefault : Value(key);
}

std::string TLanguageTable::TextOr(const std::string &key, const std::string &englishDefault) const {
    std::string v = Text(key, englishDefault);
    return v.empty() ? englishDefault : v;
}

TLanguageTable &LanguageTable() {
    static TLanguageTable table;
    return table;
}

std::string BuildLanguageList(TLanguageTable &table, std::span<const TResourceRow> map,
                              const std::string &basePath, const std::string &code) {
    std::string result;
    auto &lines = table.Lines();
    if (lines.empty())
        for (const TResourceRow &row : map) lines.push_back(std::string(row.Name) + "=" + std::to_string(row.ID));
    if (lines.empty()) return result;

    TLanguageData data;
    if (!data.Load(LanguageFileName(basePath, code))) return result;
    for (std::string &l : lines) {
        size_t eq = l.find('=');
        if (eq == std::string::npos) continue;
        int id = 0;
        if (!parseId(l.substr(eq + 1), id)) continue;
        result = data.String(id);
        l = l.substr(0, eq) + "=" + result;
    }
    return result;
}

bool LoadLanguage(TLanguageTable &table, std::span<const TResourceRow> map, const std::string &basePath,
                  const std::string &code, TIniSettings *settings, const std::function<void()> &applyToWindows) {
    table.Clear();
    std::string last = BuildLanguageList(table, map, basePath, code);
    if (last.empty() || table.Count() <= 10) {
        table.Clear();
        return false;
    }
    if (settings) settings->WriteString("Options", "Language", code);
    if (applyToWindows) applyToWindows();
    LoadStringKeys(table);
    return true;
}
