#include "accuweather/AccuFind.h"

#include <climits>

namespace AccuFind {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int TAcuCities::Count() const {
    long long sum = static_cast<long long>(Us()) + Intl() + Extra_cities();
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

std::optional<TAcuLocation> TAcuCities::Item(int index) const {
    if (index < 0 || index >= list_.Count()) return std::nullopt;
    return list_.Item(index);
}

std::string URLDecode(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c != '%') {
            out += c;
        } else if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            if (i + 2 >= text.size())
                throw EURLDecodeError("Incomplete escape at position " + std::to_string(i + 1) + " of '" + text + "'");
            int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
            if (hi < 0 || lo < 0)
                throw EURLDecodeError("Invalid escape '" + text.substr(i, 3) + "' in '" + text + "'");
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        }
    }
    return out;
}

void FillSearchResults(const TAcuSearch &root,
                       const std::function<void(const std::string &line, const std::string &id)> &add) {
    TAcuCities cities = root.Citylist();
    const int count = cities.Count();
    // Walk the elements rather than index them, and never past what is
    // listed, so neither a huge list nor a huge claimed count stalls the search.
    int i = 0;
    for (pugi::xml_node n = cities.Node().child("location"); n && i < count; n = n.next_sibling("location"), ++i) {
        TAcuLocation loc(n);
        std::string id = URLDecode(loc.Location());
        add(loc.City() + ", " + loc.State(), id);
    }
}

}  // namespace AccuFind
