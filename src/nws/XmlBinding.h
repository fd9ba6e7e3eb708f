#pragma once
// Thin typed wrappers over pugixml nodes, shared by the NWS document bindings.
//
// A wrapper is a cheap value holding one pugi::xml_node. The root wrappers
// (current_observation, dwml, feed, alert) also hold the parsed document in a
// shared_ptr, so a copy of the root keeps every node of it alive.
//
// Reading never throws and never crashes: a missing element or attribute reads
// as empty text, 0 or an empty list, and a wrapper over no node (for example an
// index past the end of a list) reads the same way.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace xmlb {

using DocPtr = std::shared_ptr<pugi::xml_document>;

// Parses a document. Documents declared as ISO-8859-1 (or windows-1252) are
// converted to UTF-8 first; line ends of any kind are accepted. On a parse
// error the result is null and *error (when given) says why.
DocPtr Parse(std::string_view bytes, std::string *error = nullptr);
DocPtr ParseFile(const std::string &path, std::string *error = nullptr);

// Single-byte text in windows-1252 (a superset of ISO-8859-1's printable range)
// to UTF-8.
std::string Latin1ToUtf8(std::string_view text);

// The text content of a node: its direct text and CDATA children joined.
std::string NodeText(pugi::xml_node node);
// Integer reading rule: surrounding blanks ignored; empty, "NA" and anything not
// a number read 0; a decimal text ("72.0", "23.6") is rounded to the nearest
// integer, halves to even.
std::int32_t ToInt(std::string_view text);
// As ToInt, for unsigned 32-bit counts; negative numbers read 0.
std::uint32_t ToCount(std::string_view text);
// Text reading rule of a few numeric-as-text elements: empty or "NA" reads "0".
std::string TextOrZero(std::string text);

class TXmlNode {
public:
    TXmlNode() = default;
    explicit TXmlNode(pugi::xml_node node) : node_(node) {}
    bool Exists() const { return !node_.empty(); }
    explicit operator bool() const { return Exists(); }
    pugi::xml_node Node() const { return node_; }
    std::string NodeText() const { return xmlb::NodeText(node_); }
    // Replaces the node's text; does nothing on a wrapper over no node.
    void SetNodeText(std::string_view text) const;
    std::string Attr(const char *name) const { return node_.attribute(name).value(); }
    std::string ChildText(const char *name) const { return xmlb::NodeText(node_.child(name)); }
    // Sets the text of the first child element of that name, adding it when missing.
    void SetChildText(const char *name, std::string_view text) const;

protected:
    template <class T> T Child(const char *name) const { return T(node_.child(name)); }
    pugi::xml_node node_;
};

// Text element (list entries such as `location-key`, `text`, `polygon`).
class TXMLText : public TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
};

// Unsigned count element (`ice-coverage`, swell `direction`).
class TXMLCount : public TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::uint32_t Value() const { return ToCount(NodeText()); }
};

// The repeated child elements of one name below a parent, indexed from 0.
// Item(i) past the end gives a T over no node, which reads as missing; check
// Count() or Exists() where the difference matters.
template <class T>
class TXmlList {
public:
    TXmlList() = default;
    TXmlList(pugi::xml_node parent, const char *name) : parent_(parent), name_(name) {}

    std::size_t Count() const {
        std::size_t n = 0;
        for (pugi::xml_node c = first(); c; c = c.next_sibling(name_)) ++n;
        return n;
    }
    bool Empty() const { return !first(); }
    T Item(std::size_t index) const {
        pugi::xml_node c = first();
        for (; c && index > 0; --index) c = c.next_sibling(name_);
        return T(c);
    }
    T operator[](std::size_t index) const { return Item(index); }
    // Appends a new, empty element to the parent; over no parent it gives a T over no node.
    T Add() const {
        pugi::xml_node p = parent_;
        return T(p ? p.append_child(name_) : pugi::xml_node());
    }

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = T;
        iterator() = default;
        iterator(pugi::xml_node n, const char *name) : n_(n), name_(name) {}
        T operator*() const { return T(n_); }
        iterator &operator++() { n_ = n_.next_sibling(name_); return *this; }
        iterator operator++(int) { iterator r = *this; ++*this; return r; }
        bool operator==(const iterator &o) const { return n_ == o.n_; }
        bool operator!=(const iterator &o) const { return n_ != o.n_; }
    private:
        pugi::xml_node n_;
        const char *name_ = "";
    };
    iterator begin() const { return iterator(first(), name_); }
    iterator end() const { return iterator(pugi::xml_node(), name_); }

private:
    pugi::xml_node first() const { return parent_ ? parent_.child(name_) : pugi::xml_node(); }
    pugi::xml_node parent_;
    const char *name_ = "";  // always a string literal
};

// Base of the root wrappers: owns the document and binds its root element when
// the root carries the expected name.
class TXmlRoot : public TXmlNode {
public:
    TXmlRoot() = default;
    // True when a document was parsed and its root element had the expected name.
    bool Active() const { return Exists(); }
    const std::string &ErrorText() const { return error_; }
    const DocPtr &Document() const { return doc_; }

protected:
    void Bind(DocPtr doc, std::string error, const char *rootName);
    DocPtr doc_;
    std::string error_;
};

}  // namespace xmlb
