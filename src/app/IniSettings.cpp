#include "app/IniSettings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <fcntl.h>

namespace {
bool equalNoCase(const std::string &a, const std::string &b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string trim(const std::string &s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}
}  // namespace

TIniSettings::TIniSettings(std::string fileName) : fileName_(std::move(fileName)) { Reload(); }

bool TIniSettings::Reload() {
    sections_.clear();
    std::ifstream in(fileName_, std::ios::binary);
    if (!in) return false;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    SetStrings(lines);
    return true;
}

TIniSettings::Section *TIniSettings::find(const std::string &name) {
    for (auto &s : sections_)
        if (equalNoCase(s.name, name)) return &s;
    return nullptr;
}
const TIniSettings::Section *TIniSettings::find(const std::string &name) const {
    for (auto &s : sections_)
        if (equalNoCase(s.name, name)) return &s;
    return nullptr;
}
TIniSettings::Section &TIniSettings::findOrAdd(const std::string &name) {
    if (auto *s = find(name)) return *s;
    sections_.push_back(Section{name, {}});
    return sections_.back();
}

std::string TIniSettings::ReadString(const std::string &section, const std::string &key, const std::string &def) const {
    if (const Section *s = find(section))
        for (auto &e : s->entries)
            if (equalNoCase(e.key, key)) return e.value;
    return def;
}

bool TIniSettings::ParseInteger(const std::string &text, std::int64_t &out) {
    std::string t = trim(text);
    if (t.empty()) return false;
    size_t i = 0;
    bool neg = false;
    if (t[0] == '-' || t[0] == '+') { neg = t[0] == '-'; i = 1; }
    int base = 10;
    if (t.size() > i + 1 && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) { base = 16; i += 2; }
    else if (t.size() > i && t[i] == '$') { base = 16; i += 1; }
    if (i >= t.size()) return false;
    std::uint64_t v = 0;
    for (; i < t.size(); ++i) {
        int dgt;
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[i])));
        if (c >= '0' && c <= '9') dgt = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') dgt = c - 'a' + 10;
        else return false;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(dgt);
        if (v > 0xFFFFFFFFFFull) return false;
    }
    out = neg ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
    return true;
}

std::int64_t TIniSettings::ReadInt64(const std::string &section, const std::string &key, std::int64_t def) const {
    std::int64_t v;
    return ParseInteger(ReadString(section, key, ""), v) ? v : def;
}

int TIniSettings::ReadInteger(const std::string &section, const std::string &key, int def) const {
    std::int64_t v = ReadInt64(section, key, def);
    // Hex colours such as 0xFF00000F are 32-bit patterns; keep their bits.
    if (v > 0x7FFFFFFF && v <= 0xFFFFFFFFll) return static_cast<int>(static_cast<std::uint32_t>(v));
    if (v > 0x7FFFFFFF || v < -0x7FFFFFFFll - 1) return def;
    return static_cast<int>(v);
}

bool TIniSettings::ReadBool(const std::string &section, const std::string &key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::uint32_t TIniSettings::ReadColor(const std::string &section, const std::string &key, std::uint32_t def) const {
    return static_cast<std::uint32_t>(ReadInteger(section, key, static_cast<int>(def)));
}

void TIniSettings::WriteString(const std::string &section, const std::string &key, const std::string &value) {
    Section &s = findOrAdd(section);
    for (auto &e : s.entries)
        if (equalNoCase(e.key, key)) { e.value = value; return; }
    s.entries.push_back(Entry{key, value});
}

void TIniSettings::WriteInteger(const std::string &section, const std::string &key, int value) {
    WriteString(section, key, std::to_string(value));
}
void TIniSettings::WriteBool(const std::string &section, const std::string &key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}
void TIniSettings::WriteColor(const std::string &section, const std::string &key, std::uint32_t value) {
    WriteInteger(section, key, static_cast<int>(value));
}

bool TIniSettings::SectionExists(const std::string &section) const { return find(section) != nullptr; }

bool TIniSettings::ValueExists(const std::string &section, const std::string &key) const {
    if (const Section *s = find(section))
        for (auto &e : s->entries)
            if (equalNoCase(e.key, key)) return true;
    return false;
}

std::vector<std::string> TIniSettings::ReadSections() const {
    std::vector<std::string> r;
    for (auto &s : sections_) r.push_back(s.name);
    return r;
}

std::vector<std::string> TIniSettings::ReadSection(const std::string &section) const {
    std::vector<std::string> r;
    if (const Section *s = find(section))
        for (auto &e : s->entries) r.push_back(e.key);
    return r;
}

void TIniSettings::EraseSection(const std::string &section) {
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [&](const Section &s) { return equalNoCase(s.name, section); }),
                    sections_.end());
}

void TIniSettings::DeleteKey(const std::string &section, const std::string &key) {
    if (Section *s = find(section))
        s->entries.erase(std::remove_if(s->entries.begin(), s->entries.end(),
                                        [&](const Entry &e) { return equalNoCase(e.key, key); }),
                         s->entries.end());
}

std::vector<std::string> TIniSettings::GetStrings() const {
    std::vector<std::string> lines;
    for (auto &s : sections_) {
        lines.push_back("[" + s.name + "]");
        for (auto &e : s.entries) lines.push_back(e.key + "=" + e.value);
        lines.push_back("");
    }
    return lines;
}

void TIniSettings::SetStrings(const std::vector<std::string> &lines) {
    sections_.clear();
    Section *cur = nullptr;
    for (const std::string &raw : lines) {
        std::string line = trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            cur = &findOrAdd(trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!cur) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(line.substr(0, eq));
        if (key.empty()) continue;
        std::string value = line.substr(eq + 1);
        // First occurrence wins, as a lookup would find it.
        bool dup = false;
        for (auto &e : cur->entries)
            if (equalNoCase(e.key, key)) dup = true;
        if (!dup) cur->entries.push_back(Entry{key, value});
    }
}

std::string TIniSettings::Text() const {
    std::string out;
    for (auto &l : GetStrings()) out += l + "\n";
    return out;
}

bool TIniSettings::UpdateFile() const {
    if (fileName_.empty()) return false;
    ++flushes_;
    const std::string text = Text();
    const std::string tmp = fileName_ + ".tmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            ::unlink(tmp.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    if (std::rename(tmp.c_str(), fileName_.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}
