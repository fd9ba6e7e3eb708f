#pragma once
// The in-memory copy of the settings file. Reads and writes touch memory only;
// UpdateFile() writes the whole file atomically (temporary file + rename).
#include <cstdint>
#include <string>
#include <vector>

class TIniSettings {
public:
    TIniSettings() = default;
    explicit TIniSettings(std::string fileName);  // loads the file; a missing file is empty

    const std::string &FileName() const { return fileName_; }
    void SetFileName(const std::string &name) { fileName_ = name; }
    bool Reload();  // replaces the content with the file's

    std::string ReadString(const std::string &section, const std::string &key, const std::string &def) const;
    // Decimal, or hexadecimal after "0x"; anything else yields def.
    std::int64_t ReadInt64(const std::string &section, const std::string &key, std::int64_t def) const;
    int ReadInteger(const std::string &section, const std::string &key, int def) const;
    bool ReadBool(const std::string &section, const std::string &key, bool def) const;
    // Colours are integers in 0x00BBGGRR order; same parse as integers, kept as 32 bits.
    std::uint32_t ReadColor(const std::string &section, const std::string &key, std::uint32_t def) const;

    void WriteString(const std::string &section, const std::string &key, const std::string &value);
    void WriteInteger(const std::string &section, const std::string &key, int value);
    void WriteBool(const std::string &section, const std::string &key, bool value);
    void WriteColor(const std::string &section, const std::string &key, std::uint32_t value);

    bool SectionExists(const std::string &section) const;
    bool ValueExists(const std::string &section, const std::string &key) const;
    std::vector<std::string> ReadSections() const;                       // file order
    std::vector<std::string> ReadSection(const std::string &section) const;  // key names
    void EraseSection(const std::string &section);
    void DeleteKey(const std::string &section, const std::string &key);

    // Whole content as file lines, and back (the setup dialog's snapshot).
    std::vector<std::string> GetStrings() const;
    void SetStrings(const std::vector<std::string> &lines);
    std::string Text() const;

    // Writes the file. False (and the old file untouched) when it cannot.
    bool UpdateFile() const;
    int FlushCount() const { return flushes_; }

    static bool ParseInteger(const std::string &text, std::int64_t &out);

private:
    struct Entry { std::string key, value; };
    struct Section { std::string name; std::vector<Entry> entries; };
    Section *find(const std::string &name);
    const Section *find(const std::string &name) const;
    Section &findOrAdd(const std::string &name);

    std::string fileName_;
    std::vector<Section> sections_;
    mutable int flushes_ = 0;
};
