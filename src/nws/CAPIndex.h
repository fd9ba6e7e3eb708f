#pragma once
// The Atom index feed of NWS alerts (root `feed`). Every "cap:" is removed from
// the text before it is parsed, so the CAP elements of an entry read as plain
// children of the entry. Dates follow CAPDateToDateTime.
#include <string>
#include <string_view>

#include "nws/XmlBinding.h"
#include "nws/cap1.h"

// Removes every occurrence of "cap:" in place.
void RemoveCapPrefixes(std::string &text);

class TCAPAuthor : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string name() const { return ChildText("name"); }
};

class TXMLLink : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string href() const { return Attr("href"); }
};

class TCAPEntry : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string id() const { return ChildText("id"); }
    std::string title() const { return ChildText("title"); }
    std::string summary() const { return ChildText("summary"); }
    std::string event() const { return ChildText("event"); }
    std::string status() const { return ChildText("status"); }
    std::string msgType() const { return ChildText("msgType"); }
    std::string category() const { return ChildText("category"); }
    std::string urgency() const { return ChildText("urgency"); }
    std::string severity() const { return ChildText("severity"); }
    std::string certainty() const { return ChildText("certainty"); }
    std::string areaDesc() const { return ChildText("areaDesc"); }
    TDateTime updated() const { return CAPDateToDateTime(ChildText("updated")); }
    TDateTime published() const { return CAPDateToDateTime(ChildText("published")); }
    TDateTime effective() const { return CAPDateToDateTime(ChildText("effective")); }
    TDateTime expires() const { return CAPDateToDateTime(ChildText("expires")); }
    TCAPAuthor author() const { return Child<TCAPAuthor>("author"); }
    TXMLLink link() const { return Child<TXMLLink>("link"); }
    TCAPParameter geocode() const { return Child<TCAPParameter>("geocode"); }
    TCAPParameter parameter() const { return Child<TCAPParameter>("parameter"); }
};

class TCAPIndex : public xmlb::TXmlRoot {
public:
    TCAPIndex() = default;
    // Not Active() when the text does not parse or the root is not `feed`.
    static TCAPIndex LoadFromBuffer(std::string_view bytes);
    static TCAPIndex LoadFromFile(const std::string &path);

    std::string xmlns() const { return Attr("xmlns"); }
    std::string id() const { return ChildText("id"); }
    std::string logo() const { return ChildText("logo"); }
    std::string generator() const { return ChildText("generator"); }
    std::string title() const { return ChildText("title"); }
    TDateTime updated() const { return CAPDateToDateTime(ChildText("updated")); }
    TCAPAuthor author() const { return Child<TCAPAuthor>("author"); }
    TXMLLink link() const { return Child<TXMLLink>("link"); }
    xmlb::TXmlList<TCAPEntry> entry() const { return {node_, "entry"}; }
};
