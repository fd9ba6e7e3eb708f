#pragma once
// Binding of the AccuWeather city-search document (root "adc_database" with a
// "citylist") and the decoding of the location codes it carries. Reading
// rules as in AcuXml.h.
#include <functional>
#include <optional>
#include <string>

#include "accuweather/AcuXml.h"

namespace AccuFind {

using AcuXml::EConvertError;

// A location code with a broken "%" escape.
class EURLDecodeError : public AcuXml::EConvertError {
public:
    using AcuXml::EConvertError::EConvertError;
};

class TAcuLocation : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_INT(Cnt, "cnt")
    ACUXML_ATTR_TEXT(City, "city")
    ACUXML_ATTR_TEXT(State, "state")
    ACUXML_ATTR_TEXT(Location, "location")  // URL-encoded
};

// The city list. Count is what the server says it found (us + intl +
// extra_cities, each throwing EConvertError when missing or not a number),
// which need not match the location elements present; Item gives no
// location for an index outside those elements.
class TAcuCities : public AcuXml::TNode {
public:
    TAcuCities() = default;
    explicit TAcuCities(pugi::xml_node node) : TNode(node), list_(node, "location") {}
    ACUXML_ATTR_INT(Us, "us")
    ACUXML_ATTR_INT(Intl, "intl")
    ACUXML_ATTR_INT(Extra_cities, "extra_cities")
    int Count() const;
    int LocationCount() const { return list_.Count(); }
    std::optional<TAcuLocation> Item(int index) const;
    TAcuLocation Add() const { return list_.Add(); }
    TAcuLocation Insert(int index) const { return list_.Insert(index); }

private:
    AcuXml::TNodeList<TAcuLocation> list_;
};

class TAcuSearch : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_CHILD(TAcuCities, Citylist, "citylist")
    ACUXML_TEXT(Copyright, "copyright")
    ACUXML_TEXT(Use, "use")
    ACUXML_TEXT(Product, "product")
    ACUXML_TEXT(Redistribution, "redistribution")
};

class TAcuSearchDocument : public AcuXml::TXmlDocument {
public:
    TAcuSearchDocument() : TXmlDocument("adc_database") {}
    TAcuSearch Root() const { return TAcuSearch(DocumentElement()); }
};

// "+" is a space, "%%" a percent sign, "%" and two hex digits that byte;
// any other "%" throws EURLDecodeError.
std::string URLDecode(const std::string &text);

// Hands each listed city to add(display line "city, state", decoded code) in
// document order. A bad count attribute or location code throws out of here;
// what was added before stays added.
void FillSearchResults(const TAcuSearch &root,
                       const std::function<void(const std::string &line, const std::string &id)> &add);

}  // namespace AccuFind
