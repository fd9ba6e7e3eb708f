#pragma once
// The thin typed-binding layer the AccuWeather documents are read through:
// a wrapper is a pugixml node handle with named getters, a list wrapper gives
// Count/Item/Add/Insert over the children with one tag, and a document object
// owns the parsed tree. Text is UTF-8 throughout; Latin-1 documents are
// converted when they are loaded.
//
// Reading never fails for absence: asking for a child element that is not
// there creates it empty (as the original binding did), so text reads give ""
// and structured children give a usable wrapper. Integer and boolean reads of
// empty, missing or malformed values throw EConvertError; callers that want a
// fallback catch it. Wrappers are only valid while their document lives.
#include <pugixml.hpp>

#include <stdexcept>
#include <string>
#include <string_view>

namespace AcuXml {

// A value that does not convert to the field's type (empty, missing, not a number).
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Whole decimal number with optional sign, surrounding blanks allowed; throws EConvertError.
int StrToInt(const std::string &text);
// "true"/"false" in any case or a number (non-zero is true); throws EConvertError.
bool StrToBool(const std::string &text);
// All character data below the node, in document order.
std::string TextContent(pugi::xml_node node);

class TNode {
public:
    TNode() = default;
    explicit TNode(pugi::xml_node node) : node_(node) {}
    pugi::xml_node Node() const { return node_; }
    bool Assigned() const { return static_cast<bool>(node_); }
    // The node's own text content (for elements holding a value plus attributes).
    std::string Text() const { return TextContent(node_); }
    void SetText(const std::string &value) const;

protected:
    pugi::xml_node ChildNode(const char *name) const;  // created empty when missing
    template <class T> T Child(const char *name) const { return T(ChildNode(name)); }
    std::string ChildText(const char *name) const;
    int ChildInt(const char *name) const;
    void SetChildText(const char *name, const std::string &value) const;
    void SetChildInt(const char *name, int value) const;

    std::string AttrText(const char *name) const;  // "" when missing
    int AttrInt(const char *name) const;            // missing attribute throws
    bool AttrBool(const char *name) const;          // missing attribute throws
    void SetAttrText(const char *name, const std::string &value) const;
    void SetAttrInt(const char *name, int value) const;
    void SetAttrBool(const char *name, bool value) const;

    pugi::xml_node node_;
};

// The children of one node that carry the item tag, in document order.
template <class T> class TNodeList : public TNode {
public:
    TNodeList() = default;
    TNodeList(pugi::xml_node parent, const char *tag) : TNode(parent), tag_(tag) {}

    int Count() const {
        int n = 0;
        for (pugi::xml_node c = node_.child(tag_); c; c = c.next_sibling(tag_)) ++n;
        return n;
    }
    // Throws std::out_of_range for an index outside 0 .. Count()-1.
    T Item(int index) const {
        pugi::xml_node c = Nth(index);
        if (!c) throw std::out_of_range(std::string("List index out of bounds (") + std::to_string(index) + ")");
        return T(c);
    }
    T Add() const {
        pugi::xml_node parent = node_;
        return T(parent.append_child(tag_));
    }
    // Inserts before the item at index; at or past the end it appends.
    T Insert(int index) const {
        pugi::xml_node parent = node_;
        pugi::xml_node before = Nth(index);
        return T(before ? parent.insert_child_before(tag_, before) : parent.append_child(tag_));
    }

protected:
    pugi::xml_node Nth(int index) const {
        if (index < 0) return {};
        pugi::xml_node c = node_.child(tag_);
        for (int i = 0; c && i < index; ++i) c = c.next_sibling(tag_);
        return c;
    }
    const char *tag_ = "";
};

// Owns one parsed document whose root element must carry the expected name.
class TXmlDocument {
public:
    explicit TXmlDocument(const char *rootName) : rootName_(rootName) {}
    TXmlDocument(const TXmlDocument &) = delete;
    TXmlDocument &operator=(const TXmlDocument &) = delete;

    // False (and an empty document) when the text is not well-formed XML or
    // its root element has another name.
    bool LoadFromString(std::string_view text);
    bool LoadFromFile(const std::string &path);
    void Clear() { doc_.reset(); }
    bool IsEmpty() const { return !doc_.document_element(); }
    pugi::xml_node DocumentElement() const { return doc_.document_element(); }

private:
    const char *rootName_;
    pugi::xml_document doc_;
};

}  // namespace AcuXml

// Getter/setter pairs of the binding classes, one line per schema field.
#define ACUXML_TEXT(Name, tag)                                                   \
    std::string Name() const { return ChildText(tag); }                         \
    void Set##Name(const std::string &value) const { SetChildText(tag, value); }
#define ACUXML_INT(Name, tag)                                                    \
    int Name() const { return ChildInt(tag); }                                  \
    void Set##Name(int value) const { SetChildInt(tag, value); }
#define ACUXML_ATTR_TEXT(Name, att)                                              \
    std::string Name() const { return AttrText(att); }                          \
    void Set##Name(const std::string &value) const { SetAttrText(att, value); }
#define ACUXML_ATTR_INT(Name, att)                                               \
    int Name() const { return AttrInt(att); }                                   \
    void Set##Name(int value) const { SetAttrInt(att, value); }
#define ACUXML_CHILD(Type, Name, tag) \
    Type Name() const { return Child<Type>(tag); }
