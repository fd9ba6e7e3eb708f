#include "nws/XmlBinding.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

namespace xmlb {

namespace {

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The encoding named in a leading XML declaration, or empty.
std::string_view declaredEncoding(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[start]))) ++start;
    if (bytes.substr(start, 5) != "<?xml") return {};
    const std::size_t close = bytes.find("?>", start);
    if (close == std::string_view::npos) return {};
    std::string_view decl = bytes.substr(start, close - start);
    const std::size_t key = decl.find("encoding");
    if (key == std::string_view::npos) return {};
    std::size_t p = key + 8;
    while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n')) ++p;
    if (p >= decl.size() || decl[p] != '=') return {};
    ++p;
    while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n')) ++p;
    if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\'')) return {};
    const char quote = decl[p++];
    const std::size_t end = decl.find(quote, p);
    if (end == std::string_view::npos) return {};
    return decl.substr(p, end - p);
}

bool isSingleByteLatin(std::string_view enc) {
    return iequals(enc, "ISO-8859-1") || iequals(enc, "ISO8859-1") || iequals(enc, "latin1") ||
           iequals(enc, "ISO_8859-1") || iequals(enc, "windows-1252") || iequals(enc, "cp1252");
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Whole-text number, rounded; false when the text is not a number.
bool toRounded(std::string_view text, double &out) {
    text = trim(text);
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    long long whole = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (r.ec == std::errc() && r.ptr == text.data() + text.size()) {
        out = static_cast<double>(whole);
        return true;
    }
    double d = 0;
    auto rd = std::from_chars(text.data(), text.data() + text.size(), d);
    if (rd.ec != std::errc() || rd.ptr != text.data() + text.size() || !std::isfinite(d)) return false;
    out = std::nearbyint(d);  // default rounding mode: halves to even
    return true;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view text) {
    // 0x80..0x9F as windows-1252 has them; the five unassigned ones stay C1 controls.
    static const char16_t cp1252[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (unsigned char c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const unsigned cp = c < 0xA0 ? cp1252[c - 0x80] : c;
        if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

DocPtr Parse(std::string_view bytes, std::string *error) {
    auto doc = std::make_shared<pugi::xml_document>();
    pugi::xml_parse_result res;
    // pugixml expands no external entities, so a hostile DOCTYPE cannot reach files or hosts.
    const unsigned options = pugi::parse_default;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c != 0 && (c & 0x80) == 0; });
    if (ascii) {
        // Plain ASCII (no NULs, so not UTF-16) reads the same in every 8-bit encoding.
        res = doc->load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
    } else if (isSingleByteLatin(declaredEncoding(bytes))) {
        const std::string utf8 = Latin1ToUtf8(bytes);
        res = doc->load_buffer(utf8.data(), utf8.size(), options, pugi::encoding_utf8);
    } else {
        res = doc->load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_auto);
    }
    if (!res) {
        if (error)
            *error = std::string(res.description()) + " at offset " + std::to_string(res.offset);
        return nullptr;
    }
    if (error) error->clear();
    return doc;
}

DocPtr ParseFile(const std::string &path, std::string *error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot open " + path;
        return nullptr;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(bytes, error);
}

std::string NodeText(pugi::xml_node node) {
    pugi::xml_node c = node.first_child();
    if (!c) return {};
    // The common case: a single text child.
    if (!c.next_sibling() && (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)) return c.value();
    std::string out;
    for (; c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) out += c.value();
    return out;
}

std::int32_t ToInt(std::string_view text) {
    double d = 0;
    if (!toRounded(text, d)) return 0;
    if (d > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (d < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(d);
}

std::uint32_t ToCount(std::string_view text) {
    double d = 0;
    if (!toRounded(text, d) || d <= 0) return 0;
    if (d > std::numeric_limits<std::uint32_t>::max()) return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(d);
}

std::string TextOrZero(std::string text) {
    std::string_view t = trim(text);
    if (t.empty() || iequals(t, "NA")) return "0";
    return text;
}

void TXmlNode::SetNodeText(std::string_view text) const {
    if (!node_) return;
    pugi::xml_node n = node_;
    n.text().set(std::string(text).c_str());
}

void TXmlNode::SetChildText(const char *name, std::string_view text) const {
    if (!node_) return;
    pugi::xml_node n = node_;
    pugi::xml_node c = n.child(name);
    if (!c) c = n.append_child(name);
    c.text().set(std::string(text).c_str());
}

void TXmlRoot::Bind(DocPtr doc, std::string error, const char *rootName) {
    doc_ = std::move(doc);
    error_ = std::move(error);
    node_ = pugi::xml_node();
    if (!doc_) return;
    pugi::xml_node root = doc_->document_element();
    if (std::string_view(root.name()) == rootName) {
        node_ = root;
    } else {
        if (error_.empty()) error_ = std::string("root element is not ") + rootName;
        doc_.reset();
    }
}

}  // namespace xmlb
