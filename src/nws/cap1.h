#pragma once
// Common Alerting Protocol 1.1 alert documents (root `alert`).
#include <string>
#include <string_view>

#include "nws/XmlBinding.h"
#include "platform/Clock.h"

// The date rule of CAP elements (`sent`, `effective`, `expires`, `updated`,
// `published`): the text is trimmed; empty text or text with a space reads 0.
// A zone written with a one-digit hour ("-6:00", fewer than 5 characters after
// the last "-") gets its leading zero. The XML Schema date-time is then
// converted to this computer's local time. A text that still cannot be read
// gives Clock::Now(). *offsetHours receives the hour part of the text's own
// UTC offset (-6 for "-06:00"; 0 for "Z", no zone, or an unread text).
TDateTime CAPDateToDateTime(std::string_view text, int *offsetHours = nullptr);
// The inverse, for written dates: local time as XML Schema text with the local offset.
std::string DateTimeToCAPDate(TDateTime local);

// A headline without its expiring clause: when "expi" starts at the third
// character or later, the text is cut before the character preceding it
// ("... 4:07AM MDT expiring August 30 ..." -> "... 4:07AM MDT"). Not trimmed.
std::string CutExpiringClause(const std::string &headline);

class TCAPParameter : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string valueName() const { return ChildText("valueName"); }
    std::string value() const { return ChildText("value"); }
};

class TCAPGeocode : public TCAPParameter {
public:
    using TCAPParameter::TCAPParameter;
};

class TCAPResource : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string resourceDesc() const { return ChildText("resourceDesc"); }
    std::string mimeType() const { return ChildText("mimeType"); }
    std::string uri() const { return ChildText("uri"); }
    std::string derefUri() const { return ChildText("derefUri"); }
    std::string digest() const { return ChildText("digest"); }
    int size() const { return xmlb::ToInt(ChildText("size")); }
};

class TCAPArea : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string areaDesc() const { return ChildText("areaDesc"); }
    std::string altitude() const { return ChildText("altitude"); }
    std::string ceiling() const { return ChildText("ceiling"); }
    xmlb::TXmlList<xmlb::TXMLText> polygon() const { return {node_, "polygon"}; }
    xmlb::TXmlList<xmlb::TXMLText> circle() const { return {node_, "circle"}; }
    xmlb::TXmlList<TCAPGeocode> geocode() const { return {node_, "geocode"}; }

    void set_areaDesc(std::string_view v) const { SetChildText("areaDesc", v); }
};

class TCAPInfo : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string language() const { return ChildText("language"); }
    std::string category() const { return ChildText("category"); }
    std::string event() const { return ChildText("event"); }
    std::string responseType() const { return ChildText("responseType"); }
    std::string urgency() const { return ChildText("urgency"); }
    std::string severity() const { return ChildText("severity"); }
    std::string certainty() const { return ChildText("certainty"); }
    std::string audience() const { return ChildText("audience"); }
    std::string onset() const { return ChildText("onset"); }
    std::string senderName() const { return ChildText("senderName"); }
    std::string headline() const { return ChildText("headline"); }
    std::string description() const { return ChildText("description"); }
    std::string instruction() const { return ChildText("instruction"); }
    std::string web() const { return ChildText("web"); }
    std::string contact() const { return ChildText("contact"); }
    TDateTime effective() const { return CAPDateToDateTime(ChildText("effective")); }
    TDateTime expires() const { return CAPDateToDateTime(ChildText("expires")); }
    xmlb::TXmlList<TCAPParameter> parameter() const { return {node_, "parameter"}; }
    xmlb::TXmlList<TCAPResource> resource() const { return {node_, "resource"}; }
    xmlb::TXmlList<TCAPArea> area() const { return {node_, "area"}; }

    // Setters used when alerts are merged into one document.
    void set_event(std::string_view v) const { SetChildText("event", v); }
    void set_headline(std::string_view v) const { SetChildText("headline", v); }
    void set_description(std::string_view v) const { SetChildText("description", v); }
    void set_urgency(std::string_view v) const { SetChildText("urgency", v); }
    void set_severity(std::string_view v) const { SetChildText("severity", v); }
    void set_certainty(std::string_view v) const { SetChildText("certainty", v); }
    void set_web(std::string_view v) const { SetChildText("web", v); }
    void set_effective(TDateTime local) const { SetChildText("effective", DateTimeToCAPDate(local)); }
    void set_expires(TDateTime local) const { SetChildText("expires", DateTimeToCAPDate(local)); }
};

class TCAPAlert : public xmlb::TXmlRoot {
public:
    TCAPAlert() = default;
    // Not Active() when the bytes do not parse or the root is not `alert`.
    static TCAPAlert LoadFromBuffer(std::string_view bytes);
    static TCAPAlert LoadFromFile(const std::string &path);

    std::string identifier() const { return ChildText("identifier"); }
    std::string sender() const { return ChildText("sender"); }
    std::string status() const { return ChildText("status"); }
    std::string msgType() const { return ChildText("msgType"); }
    std::string source() const { return ChildText("source"); }
    std::string scope() const { return ChildText("scope"); }
    std::string restriction() const { return ChildText("restriction"); }
    std::string addresses() const { return ChildText("addresses"); }
    std::string code() const { return ChildText("code"); }
    std::string note() const { return ChildText("note"); }
    std::string references() const { return ChildText("references"); }
    std::string incidents() const { return ChildText("incidents"); }
    // Also remembers the hour offset of the text for SentOffsetHours().
    TDateTime sent() const { return CAPDateToDateTime(ChildText("sent"), &sentOffsetHours_); }
    int SentOffsetHours() const { return sentOffsetHours_; }
    xmlb::TXmlList<TCAPInfo> info() const { return {node_, "info"}; }

    // Serialises the document (for keeping a copy in the cache).
    bool SaveToFile(const std::string &path) const;

private:
    mutable int sentOffsetHours_ = 0;
};
