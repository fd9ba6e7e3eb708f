#pragma once
// US city and ZIP code lookup: an in-process replacement for the lookup
// library, over a table of US ZIP codes with place names, states and
// coordinates shipped beside the program.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One place of the shipped table.
struct TZipPlace {
    std::string_view Code, City, State, Latitude, Longitude;  // City in upper case
};

// The shipped table with its indexes; read-only once loaded.
class TCityZipIndex {
public:
    // Reads "CODE,CITY,STATE,LATITUDE,LONGITUDE" lines (a header line and bad
    // lines are skipped). False when the file cannot be read or holds no place.
    bool Load(const std::string &fileName);
    size_t Size() const { return places_.size(); }

    // Query modes: what the text may be. kAll tries ZIP code, state code and
    // city name, in that order of precedence.
    enum : int { kZip = 1, kCity = 2, kAll = 4 };

    // Reports each match as a record text "CODE,CITY,STATE,LAT,LON" and
    // returns how many it reported (0 for none). A ZIP code or its first
    // digits match ZIP by ZIP; a city name or its beginning ("Denver",
    // "denv", "St Louis", "Denver, CO", "Denver CO") and a two-letter state
    // code match one place per city and state: its lowest ZIP code and the
    // mean of its ZIP codes' coordinates. Exact city names come first.
    int LookUp(const std::string &query, int mode, const std::function<void(const std::string &)> &report) const;

    // One loaded copy per file for the whole run: the table never changes.
    static std::shared_ptr<const TCityZipIndex> Shared(const std::string &fileName);

private:
    struct TCity {
        std::string_view City, State;
        size_t First, Count;  // range in byCity_
    };
    std::string text_;
    std::vector<TZipPlace> places_;
    std::vector<unsigned> byZip_;   // place indexes sorted by code
    std::vector<unsigned> byCity_;  // sorted by city, state, code
    std::vector<TCity> cities_;     // sorted by city, state
    std::vector<unsigned> byState_; // city indexes sorted by state, city

    void reportCity(const TCity &c, const std::function<void(const std::string &)> &report) const;
    int lookUpZip(const std::string &digits, const std::function<void(const std::string &)> &report) const;
    int lookUpCity(const std::string &name, const std::string &state,
                   const std::function<void(const std::string &)> &report) const;
    int lookUpState(const std::string &state, const std::function<void(const std::string &)> &report) const;
};

// A record of the result table.
struct TCityZipRecord {
    std::string Code;   // "CODE", 6
    std::string City;   // "CITY", 40
    std::string State;  // "STATE", 2
    double Latitude = 0;
    double Longitude = 0;
    std::optional<double> Distance;  // never filled by the lookup
};

struct TCityZipField {
    const char *Name;
    const char *DisplayLabel;
    int Size;  // characters for strings, 0 for numbers
};

class TUSCityZip {
public:
    static constexpr const char *kTableFile = "USCtyZip.csv";
    static constexpr int kLookupMode = TCityZipIndex::kAll;

    TUSCityZip() = default;
    TUSCityZip(const TUSCityZip &) = delete;
    TUSCityZip &operator=(const TUSCityZip &) = delete;

    // Loads the table (by default DataPath() + kTableFile). False when it
    // cannot be loaded; lookups then find nothing.
    bool Connect(const std::string &fileName = {});
    bool Connected() const { return index_ != nullptr; }

    // Runs one lookup. With a result above 0 the table holds exactly its
    // matches in report order, positioned on the first; count := the result.
    // An empty query or an unconnected module returns 0 and leaves the table.
    int Lookup(const std::string &query, int &count);

    // Parses one record text and appends it; a text with fewer than five
    // comma-separated fields or with coordinates that do not convert adds
    // nothing. Fields after the fifth are ignored; blanks inside fields stay.
    void AddRecord(const std::string &text);

    // The result table. Record numbers run from 1 and hold until the next lookup.
    static const std::vector<TCityZipField> &Fields();
    int RecordCount() const { return int(records_.size()); }
    const TCityZipRecord &Record(int recNo) const { return records_.at(size_t(recNo - 1)); }
    int RecNo() const { return recNo_; }  // 0 when the table is empty
    bool SetRecNo(int recNo);
    void First() { recNo_ = records_.empty() ? 0 : 1; }
    bool Next();                            // false at the last record
    bool Eof() const { return eof_; }
    const TCityZipRecord *Current() const { return recNo_ > 0 ? &records_[size_t(recNo_ - 1)] : nullptr; }
    void Clear();

private:
    std::shared_ptr<const TCityZipIndex> index_;
    std::vector<TCityZipRecord> records_;
    int recNo_ = 0;
    bool eof_ = true;
};

// The lookup's records as a JSON array of {code, city, state, latitude,
// longitude} (for wxprobe's "zip" command); tableFile defaults as Connect's.
std::string ZipLookupJson(const std::string &query, const std::string &tableFile = {});
