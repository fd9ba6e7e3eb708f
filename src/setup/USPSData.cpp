#include "setup/USPSData.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "platform/Paths.h"

namespace {
constexpr size_t kMaxTableBytes = 64u * 1024 * 1024;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool parseCoordinate(std::string_view text, double limit, double &out) {
    text = trim(text);
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v) || std::fabs(v) > limit)
        return false;
    out = v;
    return true;
}

std::vector<std::string_view> splitCommas(std::string_view s) {
    std::vector<std::string_view> f;
    size_t start = 0;
    for (;;) {
        size_t c = s.find(',', start);
        f.push_back(s.substr(start, c == std::string_view::npos ? std::string_view::npos : c - start));
        if (c == std::string_view::npos) break;
        start = c + 1;
    }
    return f;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Upper case, blanks trimmed and runs of blanks made one.
std::string normalise(const std::string &q) {
    std::string r;
    bool blank = false;
    for (char c : q) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !r.empty();
            continue;
        }
        if (blank) r += ' ';
        blank = false;
        r += upper(c);
    }
    return r;
}

bool isStateCode(std::string_view s) { return s.size() == 2 && isAlpha(s[0]) && isAlpha(s[1]); }

// Abbreviations people type for the names the table spells out.
std::string expandAbbreviation(const std::string &name) {
    static const std::pair<const char *, const char *> kAbbrev[] = {
        {"ST. ", "SAINT "}, {"ST ", "SAINT "}, {"FT. ", "FORT "}, {"FT ", "FORT "}, {"MT. ", "MOUNT "}, {"MT ", "MOUNT "}};
    for (auto [from, to] : kAbbrev)
        if (startsWith(name, from)) return to + name.substr(std::char_traits<char>::length(from));
    return {};
}
}  // namespace

bool TCityZipIndex::Load(const std::string &fileName) {
    text_.clear();
    places_.clear();
    byZip_.clear();
    byCity_.clear();
    cities_.clear();
    byState_.clear();
    std::ifstream in(NativePath(fileName), std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    text_ = ss.str();
    if (text_.size() > kMaxTableBytes) text_.clear();

    size_t pos = 0;
    while (pos < text_.size()) {
        size_t nl = text_.find('\n', pos);
        if (nl == std::string::npos) nl = text_.size();
        std::string_view line(text_.data() + pos, nl - pos);
        pos = nl + 1;
        line = trim(line);
        auto f = splitCommas(line);
        if (f.size() < 5) continue;
        std::string_view code = trim(f[0]), city = trim(f[1]), state = trim(f[2]);
        if (code.empty() || code.size() > 6 || !std::all_of(code.begin(), code.end(), isDigit)) continue;
        if (city.empty() || !isStateCode(state)) continue;
        double lat, lon;
        if (!parseCoordinate(f[3], 90, lat) || !parseCoordinate(f[4], 180, lon)) continue;
        // Names are matched and shown in upper case, as postal tables write them.
        for (size_t i = size_t(city.data() - text_.data()); i < size_t(city.data() - text_.data()) + city.size(); ++i)
            text_[i] = upper(text_[i]);
        text_[size_t(state.data() - text_.data())] = upper(state[0]);
        text_[size_t(state.data() - text_.data()) + 1] = upper(state[1]);
        places_.push_back({code, city, state, trim(f[3]), trim(f[4])});
    }
    if (places_.empty()) return false;

    byZip_.resize(places_.size());
    for (unsigned i = 0; i < places_.size(); ++i) byZip_[i] = i;
    byCity_ = byZip_;
    std::sort(byZip_.begin(), byZip_.end(), [&](unsigned a, unsigned b) { return places_[a].Code < places_[b].Code; });
    std::sort(byCity_.begin(), byCity_.end(), [&](unsigned a, unsigned b) {
        const auto &x = places_[a], &y = places_[b];
        if (x.City != y.City) return x.City < y.City;
        if (x.State != y.State) return x.State < y.State;
        return x.Code < y.Code;
    });
    for (size_t i = 0; i < byCity_.size();) {
        const TZipPlace &p = places_[byCity_[i]];
        size_t j = i + 1;
        while (j < byCity_.size() && places_[byCity_[j]].City == p.City && places_[byCity_[j]].State == p.State) ++j;
        cities_.push_back({p.City, p.State, i, j - i});
        i = j;
    }
    byState_.resize(cities_.size());
    for (unsigned i = 0; i < cities_.size(); ++i) byState_[i] = i;
    std::stable_sort(byState_.begin(), byState_.end(),
                     [&](unsigned a, unsigned b) { return cities_[a].State < cities_[b].State; });
    return true;
}

void TCityZipIndex::reportCity(const TCity &c, const std::function<void(const std::string &)> &report) const {
    double lat = 0, lon = 0;
    for (size_t k = c.First; k < c.First + c.Count; ++k) {
        double a = 0, b = 0;
        parseCoordinate(places_[byCity_[k]].Latitude, 90, a);
        parseCoordinate(places_[byCity_[k]].Longitude, 180, b);
        lat += a;
        lon += b;
    }
    lat /= double(c.Count);
    lon /= double(c.Count);
    char coords[64];
    std::snprintf(coords, sizeof coords, "%.4f,%.4f", lat, lon);
    const TZipPlace &first = places_[byCity_[c.First]];
    report(std::string(first.Code) + "," + std::string(c.City) + "," + std::string(c.State) + "," + coords);
}

int TCityZipIndex::lookUpZip(const std::string &digits, const std::function<void(const std::string &)> &report) const {
    auto it = std::lower_bound(byZip_.begin(), byZip_.end(), digits,
                               [&](unsigned i, const std::string &d) { return places_[i].Code < d; });
    int n = 0;
    for (; it != byZip_.end() && startsWith(places_[*it].Code, digits); ++it, ++n) {
        const TZipPlace &p = places_[*it];
        report(std::string(p.Code) + "," + std::string(p.City) + "," + std::string(p.State) + "," +
               std::string(p.Latitude) + "," + std::string(p.Longitude));
    }
    return n;
}

int TCityZipIndex::lookUpCity(const std::string &name, const std::string &state,
                              const std::function<void(const std::string &)> &report) const {
    if (name.empty()) return 0;
    auto it = std::lower_bound(cities_.begin(), cities_.end(), name,
                               [](const TCity &c, const std::string &n) { return c.City < n; });
    std::vector<const TCity *> exact, prefix;
    for (; it != cities_.end() && startsWith(it->City, name); ++it) {
        if (!state.empty() && it->State != state) continue;
        (it->City.size() == name.size() ? exact : prefix).push_back(&*it);
    }
    for (const TCity *c : exact) reportCity(*c, report);
    for (const TCity *c : prefix) reportCity(*c, report);
    return int(exact.size() + prefix.size());
}

int TCityZipIndex::lookUpState(const std::string &state, const std::function<void(const std::string &)> &report) const {
    auto it = std::lower_bound(byState_.begin(), byState_.end(), state,
                               [&](unsigned i, const std::string &s) { return cities_[i].State < s; });
    int n = 0;
    for (; it != byState_.end() && cities_[*it].State == state; ++it, ++n) reportCity(cities_[*it], report);
    return n;
}

int TCityZipIndex::LookUp(const std::string &query, int mode,
                          const std::function<void(const std::string &)> &report) const {
    const std::string q = normalise(query);
    if (q.empty() || places_.empty()) return 0;
    const bool zip = mode == kAll || (mode & kZip);
    const bool city = mode == kAll || (mode & kCity);

    // "80202", "802", "80202-1234"
    size_t digits = 0;
    while (digits < q.size() && isDigit(q[digits])) ++digits;
    if (digits > 0) {
        bool plus4 = digits == 5 && q.size() == 10 && q[5] == '-' &&
                     std::all_of(q.begin() + 6, q.end(), isDigit);
        if (!zip || (digits != q.size() && !plus4) || digits < 3 || digits > 5) return 0;
        return lookUpZip(q.substr(0, digits), report);
    }
    if (!city) return 0;

    if (isStateCode(q)) {
        int n = lookUpState(q, report);
        if (n > 0) return n;
    }

    auto cityWithAbbrev = [&](const std::string &name, const std::string &state) {
        int n = lookUpCity(name, state, report);
        if (n == 0) {
            std::string alt = expandAbbreviation(name);
            if (!alt.empty()) n = lookUpCity(alt, state, report);
        }
        return n;
    };

    // "Denver, CO"
    size_t comma = q.rfind(',');
    if (comma != std::string::npos) {
        std::string name(trim(std::string_view(q).substr(0, comma)));
        std::string rest(trim(std::string_view(q).substr(comma + 1)));
        return cityWithAbbrev(name, isStateCode(rest) ? rest : std::string());
    }
    // "Denver CO"; a name whose last word only looks like a state falls back.
    size_t blank = q.rfind(' ');
    if (blank != std::string::npos && isStateCode(std::string_view(q).substr(blank + 1))) {
        int n = cityWithAbbrev(q.substr(0, blank), q.substr(blank + 1));
        if (n > 0) return n;
    }
    return cityWithAbbrev(q, {});
}

std::shared_ptr<const TCityZipIndex> TCityZipIndex::Shared(const std::string &fileName) {
    // Kept only while some module uses it, so a closed setup dialog frees the table.
    static std::map<std::string, std::weak_ptr<const TCityZipIndex>> cache;
    if (auto live = cache[fileName].lock()) return live;
    auto index = std::make_shared<TCityZipIndex>();
    if (!index->Load(fileName)) return nullptr;
    cache[fileName] = index;
    return index;
}

bool TUSCityZip::Connect(const std::string &fileName) {
    index_ = TCityZipIndex::Shared(fileName.empty() ? DataPath() + kTableFile : fileName);
    return index_ != nullptr;
}

void TUSCityZip::Clear() {
    records_.clear();
    recNo_ = 0;
    eof_ = true;
}

int TUSCityZip::Lookup(const std::string &query, int &count) {
    if (query.empty() || !index_) return 0;
    Clear();
    int result = index_->LookUp(query, kLookupMode, [this](const std::string &text) {
        if (!text.empty()) AddRecord(text);
    });
    if (result > 0) {
        count = result;
        First();
    }
    return result;
}

void TUSCityZip::AddRecord(const std::string &text) {
    auto f = splitCommas(text);
    if (f.size() < 5) return;
    TCityZipRecord r;
    if (!parseCoordinate(f[3], 90, r.Latitude) || !parseCoordinate(f[4], 180, r.Longitude)) return;
    // Fixed-size fields, as the result table declares them.
    r.Code = std::string(f[0].substr(0, 6));
    r.City = std::string(f[1].substr(0, 40));
    r.State = std::string(f[2].substr(0, 2));
    records_.push_back(std::move(r));
    if (recNo_ == 0) {
        recNo_ = 1;
        eof_ = false;
    }
}

const std::vector<TCityZipField> &TUSCityZip::Fields() {
    static const std::vector<TCityZipField> f = {{"CODE", "Code", 6},         {"CITY", "City", 40},
                                                 {"STATE", "State", 2},       {"LATITUDE", "Latitude", 0},
                                                 {"LONGITUDE", "Longitude", 0}, {"DISTANCE", "Distance", 0}};
    return f;
}

bool TUSCityZip::SetRecNo(int recNo) {
    if (recNo < 1 || recNo > RecordCount()) return false;
    recNo_ = recNo;
    eof_ = false;
    return true;
}

bool TUSCityZip::Next() {
    if (recNo_ > 0 && recNo_ < RecordCount()) {
        ++recNo_;
        return true;
    }
    eof_ = true;
    return false;
}

std::string ZipLookupJson(const std::string &query, const std::string &tableFile) {
    nlohmann::json out = nlohmann::json::array();
    TUSCityZip zip;
    if (zip.Connect(tableFile)) {
        int count = 0;
        if (zip.Lookup(query, count) > 0)
            for (int i = 1; i <= zip.RecordCount(); ++i) {
                const TCityZipRecord &r = zip.Record(i);
                out.push_back({{"code", r.Code}, {"city", r.City}, {"state", r.State},
                               {"latitude", r.Latitude}, {"longitude", r.Longitude}});
            }
    }
    return out.dump(2);
}
