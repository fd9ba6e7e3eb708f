#pragma once
// A service whose alerts live in memory, for the advisory page and the
// notification decisions.
#include <memory>
#include <string>

#include "service/WxService.h"

struct TMemAlertItem : TCustomAlertItem {
    std::string Event, Headline, Description, Web, Geocode;
    TDateTime Effective = 0, Expires = 0;
    std::string GetEvent() const override { return Event; }
    std::string GetHeadline() const override { return Headline; }
    std::string GetDescription() const override { return Description; }
    std::string GetWeb() const override { return Web; }
    std::string GetGeocode(int index) const override { return index == 0 ? Geocode : std::string(); }
    TDateTime GetEffective() const override { return Effective; }
    TDateTime GetExpires() const override { return Expires; }
};

struct TMemAlerts : TAlerts {
    explicit TMemAlerts(void *owner) : TAlerts(owner, [] { return std::make_unique<TMemAlertItem>(); }) {}
    TDateTime Sent = 0;
    std::string References;
    TDateTime GetSent() const override { return Sent; }
    std::string GetReferences() const override { return References; }
    TMemAlertItem *AddAlert(const std::string &event, TDateTime expires, const std::string &geocode = "TXC453") {
        auto *a = static_cast<TMemAlertItem *>(Add());
        a->Event = event;
        a->Expires = expires;
        a->Geocode = geocode;
        return a;
    }
};

class TAlertTestService : public TCustomWxService {
public:
    explicit TAlertTestService(void *owner, bool withAlerts = true) : TCustomWxService(owner) {
        name_ = "Test";
        cityName_ = "Austin, TX";
        if (withAlerts) alerts_ = std::make_unique<TMemAlerts>(this);
    }
    TMemAlerts *Mem() { return static_cast<TMemAlerts *>(alerts_.get()); }
};
