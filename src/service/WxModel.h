#pragma once
// The shapes every weather service hands to the window: forecast periods and
// alerts, each in a collection that owns its items.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"

class TWxCollection;

// One named, dated item. Items are created by their collection (Add) and
// live exactly as long as it keeps them.
class TWxItem {
public:
    TWxItem();
    virtual ~TWxItem() = default;
    TWxItem(const TWxItem &) = delete;
    TWxItem &operator=(const TWxItem &) = delete;

    std::string Name;
    TDateTime Date = 0;     // local time; "now" when created
    std::string IconBase;   // icon URL up to and including its last '/'
    std::string IconName;   // icon file name after the last '/'

    // Copies this class's fields (and those of derived classes the source shares).
    virtual void Assign(const TWxItem &source);
    // Name, or a class-specific word when Name is empty.
    virtual std::string GetDisplayName() const;
    // Stores a different name and tells the collection; the same name is a no-op.
    virtual void SetDisplayName(const std::string &value);
    // Back to the state of a new item.
    virtual void Initialize();

    TWxCollection *Collection() const { return collection_; }
    int Index() const;  // -1 outside a collection

protected:
    void Changed();

private:
    friend class TWxCollection;
    TWxCollection *collection_ = nullptr;
};

class TForecastItem : public TWxItem {
public:
    TForecastItem();
    int HighTemp = 0;   // display scale
    int LowTemp = 0;
    std::string Summary;     // "No Info.." until filled
    std::string Detail;      // worded forecast; empty until filled
    std::string PrecipText;  // "0%" until filled

    void Assign(const TWxItem &source) override;
    std::string GetDisplayName() const override;
    void Initialize() override;

private:
    void initForecast();
};

// An alert whose content lives in the service's own source data; each service
// overrides the getters it can answer. Index arguments are zero-based and an
// index out of range yields empty text. The setters are hooks that do nothing here.
class TCustomAlertItem : public TWxItem {
public:
    TCustomAlertItem() = default;
    void Assign(const TWxItem &source) override;
    std::string GetDisplayName() const override;

    virtual std::string GetLanguage() const { return {}; }
    virtual std::string GetCategory(int /*index*/) const { return {}; }
    virtual std::string GetEvent() const { return {}; }  // the alert's title as listed
    virtual std::string GetUrgency() const { return {}; }
    virtual std::string GetSeverity() const { return {}; }
    virtual std::string GetCertainty() const { return {}; }
    virtual std::string GetAudience() const { return {}; }
    virtual std::string GetEventCode(int /*index*/) const { return {}; }
    virtual TDateTime GetEffective() const { return 0; }
    virtual std::string GetOnset() const { return {}; }
    virtual TDateTime GetExpires() const { return 0; }
    virtual std::string GetSenderName() const { return {}; }
    virtual std::string GetHeadline() const { return {}; }
    virtual std::string GetDescription() const { return {}; }
    virtual std::string GetInstruction() const { return {}; }
    virtual std::string GetWeb() const { return {}; }  // URL of the full alert
    virtual std::string GetContact() const { return {}; }
    virtual std::string GetParameter(int /*index*/) const { return {}; }
    virtual std::string GetAreaDesc(int /*index*/) const { return {}; }
    virtual std::string GetGeocode(int /*index*/) const { return {}; }

    virtual void SetLanguage(const std::string &) {}
    virtual void SetEvent(const std::string &) {}
    virtual void SetUrgency(const std::string &) {}
    virtual void SetSeverity(const std::string &) {}
    virtual void SetCertainty(const std::string &) {}
    virtual void SetEffective(TDateTime) {}
    virtual void SetOnset(const std::string &) {}
    virtual void SetExpires(TDateTime) {}
    virtual void SetSenderName(const std::string &) {}
    virtual void SetHeadline(const std::string &) {}
    virtual void SetDescription(const std::string &) {}
    virtual void SetInstruction(const std::string &) {}
    virtual void SetWeb(const std::string &) {}
    virtual void SetContact(const std::string &) {}
};

// An owned collection of items. The owner is whatever component made it; it
// is only handed back by GetOwner.
class TWxCollection {
public:
    explicit TWxCollection(void *owner) : owner_(owner) {}
    virtual ~TWxCollection() = default;
    TWxCollection(const TWxCollection &) = delete;
    TWxCollection &operator=(const TWxCollection &) = delete;

    virtual void *GetOwner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TWxItem *Item(int index) const;  // nullptr out of range
    void Clear();
    void Delete(int index);
    int IndexOf(const TWxItem *item) const;

    // Raised when an item reports a change (for example a new display name).
    std::function<void(TWxItem &)> OnItemChanged;
    int ChangeCount() const { return changes_; }

protected:
    TWxItem *Insert(std::unique_ptr<TWxItem> item);

private:
    friend class TWxItem;
    void itemChanged(TWxItem &item);
    void *owner_;
    std::vector<std::unique_ptr<TWxItem>> items_;
    int changes_ = 0;
};

class TForecasts : public TWxCollection {
public:
    explicit TForecasts(void *owner) : TWxCollection(owner) {}
    TForecastItem *Items(int index) const { return static_cast<TForecastItem *>(Item(index)); }
    TForecastItem *Add();  // a new, initialised period at the end
};

// Alerts of one service; the item class is fixed by the factory given at
// construction (for example a service's own alert item).
class TAlerts : public TWxCollection {
public:
    using TItemFactory = std::function<std::unique_ptr<TCustomAlertItem>()>;
    explicit TAlerts(void *owner, TItemFactory factory = {});

    TCustomAlertItem *Items(int index) const { return static_cast<TCustomAlertItem *>(Item(index)); }
    TCustomAlertItem *Add();

    // When the set was last rebuilt; 0 until then.
    TDateTime LastUpdate = 0;

    virtual std::string GetSender() const { return {}; }
    virtual TDateTime GetSent() const { return 0; }  // date-time of the alert message
    virtual std::string GetStatus() const { return {}; }
    virtual std::string GetMsgType() const { return {}; }
    virtual std::string GetScope() const { return {}; }
    virtual std::string GetNote() const { return {}; }
    virtual std::string GetReferences() const { return {}; }

private:
    TItemFactory factory_;
};
