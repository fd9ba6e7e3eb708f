#include "accuweather/AcuXml.h"

#include <cctype>
#include <climits>
#include <fstream>
#include <sstream>

namespace AcuXml {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string Trimmed(const std::string &s) {
    size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

std::string Lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra;
        if (c < 0x80) extra = 0;
        else if (c >= 0xC2 && c <= 0xDF) extra = 1;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3;
        else return false;
        if (i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

// The encoding named in the XML declaration, lower-cased; "" when none is given.
std::string DeclaredEncoding(std::string_view text) {
    if (text.substr(0, 5) != "<?xml") return {};
    size_t end = text.find("?>");
    std::string decl(text.substr(0, end == std::string_view::npos ? std::min<size_t>(text.size(), 200) : end));
    size_t p = decl.find("encoding");
    if (p == std::string::npos) return {};
    p = decl.find_first_of("\"'", p);
    if (p == std::string::npos) return {};
    size_t q = decl.find(decl[p], p + 1);
    if (q == std::string::npos) return {};
    return Lower(decl.substr(p + 1, q - p - 1));
}

// pugixml only converts Latin-1 when told to; servers also send 8-bit text
// under a UTF-8 declaration (or none), which is read as Latin-1 rather than
// rejected.
pugi::xml_encoding ChooseEncoding(std::string_view text) {
    if (text.size() >= 2) {
        unsigned char a = static_cast<unsigned char>(text[0]), b = static_cast<unsigned char>(text[1]);
        if ((a == 0xFE && b == 0xFF) || (a == 0xFF && b == 0xFE) || (a == 0xEF && b == 0xBB) || a == 0 || b == 0)
            return pugi::encoding_auto;
    }
    std::string enc = DeclaredEncoding(text);
    if (enc == "iso-8859-1" || enc == "latin1" || enc == "latin-1" || enc == "iso8859-1" || enc == "windows-1252" ||
        enc == "cp1252")
        return pugi::encoding_latin1;
    if (enc.empty() || enc == "utf-8" || enc == "utf8" || enc == "us-ascii")
        return IsValidUtf8(text) ? pugi::encoding_utf8 : pugi::encoding_latin1;
    return pugi::encoding_auto;
}

// Iterative, so a deeply nested document cannot exhaust the stack.
void AppendText(pugi::xml_node node, std::string &out) {
    pugi::xml_node cur = node.first_child();
    while (cur) {
        if (cur.type() == pugi::node_pcdata || cur.type() == pugi::node_cdata) out += cur.value();
        if (cur.type() == pugi::node_element && cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur != node && !cur.next_sibling()) cur = cur.parent();
        if (cur == node) break;
        cur = cur.next_sibling();
    }
}

}  // namespace

int StrToInt(const std::string &text) {
    std::string t = Trimmed(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) throw EConvertError("'" + text + "' is not a valid integer value");
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) throw EConvertError("'" + text + "' is not a valid integer value");
        v = v * 10 + (t[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) throw EConvertError("'" + text + "' is not a valid integer value");
    }
    if (negative) v = -v;
    if (v > INT_MAX || v < INT_MIN) throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<int>(v);
}

bool StrToBool(const std::string &text) {
    std::string t = Lower(Trimmed(text));
    if (t == "true") return true;
    if (t == "false") return false;
    try {
        return StrToInt(t) != 0;
    } catch (const EConvertError &) {
        throw EConvertError("'" + text + "' is not a valid boolean value");
    }
}

std::string TextContent(pugi::xml_node node) {
    std::string out;
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) return node.value();
    AppendText(node, out);
    return out;
}

void TNode::SetText(const std::string &value) const {
    pugi::xml_node n = node_;
    if (!n) return;
    while (n.first_child()) n.remove_child(n.first_child());
    n.append_child(pugi::node_pcdata).set_value(value.c_str());
}

pugi::xml_node TNode::ChildNode(const char *name) const {
    pugi::xml_node n = node_;
    pugi::xml_node c = n.child(name);
    if (!c && n) c = n.append_child(name);
    return c;
}

std::string TNode::ChildText(const char *name) const { return TextContent(ChildNode(name)); }

int TNode::ChildInt(const char *name) const { return StrToInt(ChildText(name)); }

void TNode::SetChildText(const char *name, const std::string &value) const { TNode(ChildNode(name)).SetText(value); }

void TNode::SetChildInt(const char *name, int value) const { SetChildText(name, std::to_string(value)); }

std::string TNode::AttrText(const char *name) const { return node_.attribute(name).value(); }

int TNode::AttrInt(const char *name) const {
    pugi::xml_attribute a = node_.attribute(name);
    if (!a) throw EConvertError(std::string("Attribute '") + name + "' is missing");
    return StrToInt(a.value());
}

bool TNode::AttrBool(const char *name) const {
    pugi::xml_attribute a = node_.attribute(name);
    if (!a) throw EConvertError(std::string("Attribute '") + name + "' is missing");
    return StrToBool(a.value());
}

void TNode::SetAttrText(const char *name, const std::string &value) const {
    pugi::xml_node n = node_;
    if (!n) return;
    pugi::xml_attribute a = n.attribute(name);
    if (!a) a = n.append_attribute(name);
    a.set_value(value.c_str());
}

void TNode::SetAttrInt(const char *name, int value) const { SetAttrText(name, std::to_string(value)); }

void TNode::SetAttrBool(const char *name, bool value) const { SetAttrText(name, value ? "true" : "false"); }

bool TXmlDocument::LoadFromString(std::string_view text) {
    doc_.reset();
    if (text.empty()) return false;
    pugi::xml_parse_result r =
        doc_.load_buffer(text.data(), text.size(), pugi::parse_default, ChooseEncoding(text));
    if (!r || !doc_.document_element() || std::string_view(doc_.document_element().name()) != rootName_) {
        doc_.reset();
        return false;
    }
    return true;
}

bool TXmlDocument::LoadFromFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        doc_.reset();
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    return LoadFromString(buf.str());
}

}  // namespace AcuXml
