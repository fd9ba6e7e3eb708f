#include "nws/DWML.h"

#include "nws/XmlDateTime.h"

namespace {
bool isNil(pugi::xml_node n) {
    const std::string_view v = n.attribute("xsi:nil").value();
    return v == "true" || v == "1";
}
}  // namespace

int TXMLValidTime::WrittenHour() const { return XmlDateTimeHour(NodeText()); }

TDateTime TXMLValidTime::WrittenDateTime() const {
    TDateTime t = 0;
    return XmlDateTimeWritten(NodeText(), t) ? t : 0;
}

TDateTime TXMLValidTime::LocalDateTime() const {
    TDateTime t = 0;
    return XmlDateTimeToLocal(NodeText(), t) ? t : 0;
}

bool TXMLInteger::IsNil() const { return isNil(node_); }
bool TXMLDecimal::IsNil() const { return isNil(node_); }
bool TXMLLongWord::IsNil() const { return isNil(node_); }

std::string TXMLIconLink::Value() const {
    std::string v = NodeText();
    if (v.empty()) {
        v = "na.jpg";
        SetNodeText(v);
    }
    return v;
}

TXMLTemperature TXMLParameters::temperature_by_type(std::string_view type) const {
    for (TXMLTemperature t : temperature())
        if (t.type() == type) return t;
    return TXMLTemperature();
}

TXMLTimeLayout TXMLData::time_layout_by_key(std::string_view key) const {
    for (TXMLTimeLayout l : time_layout())
        if (l.layout_key() == key) return l;
    return TXMLTimeLayout();
}

TXMLDwml TXMLDwml::LoadFromBuffer(std::string_view bytes) {
    TXMLDwml r;
    std::string error;
    xmlb::DocPtr doc = xmlb::Parse(bytes, &error);
    r.Bind(std::move(doc), std::move(error), "dwml");
    return r;
}

TXMLDwml TXMLDwml::LoadFromFile(const std::string &path) {
    TXMLDwml r;
    std::string error;
    xmlb::DocPtr doc = xmlb::ParseFile(path, &error);
    r.Bind(std::move(doc), std::move(error), "dwml");
    return r;
}
