#include "service/WxModel.h"

TWxItem::TWxItem() { TWxItem::Initialize(); }

void TWxItem::Assign(const TWxItem &source) {
    if (&source == this) return;
    Name = source.Name;
    Date = source.Date;
    IconBase = source.IconBase;
    IconName = source.IconName;
}

std::string TWxItem::GetDisplayName() const { return Name.empty() ? "WeatherItem" : Name; }

void TWxItem::SetDisplayName(const std::string &value) {
    if (value == Name) return;
    Name = value;
    Changed();
}

void TWxItem::Initialize() {
    Name.clear();
    Date = Clock::Now();
    IconBase.clear();
    IconName.clear();
}

int TWxItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TWxItem::Changed() {
    if (collection_) collection_->itemChanged(*this);
}

TForecastItem::TForecastItem() { initForecast(); }

void TForecastItem::initForecast() {
    HighTemp = 0;
    LowTemp = 0;
    Summary = "No Info..";
    Detail.clear();
    PrecipText = "0%";
}

void TForecastItem::Assign(const TWxItem &source) {
    TWxItem::Assign(source);
    if (auto *f = dynamic_cast<const TForecastItem *>(&source); f && f != this) {
        HighTemp = f->HighTemp;
        LowTemp = f->LowTemp;
        Summary = f->Summary;
        Detail = f->Detail;
        PrecipText = f->PrecipText;
    }
}

std::string TForecastItem::GetDisplayName() const { return Name.empty() ? "Forecast" : Name; }

void TForecastItem::Initialize() {
    TWxItem::Initialize();
    initForecast();
}

void TCustomAlertItem::Assign(const TWxItem &source) { TWxItem::Assign(source); }

std::string TCustomAlertItem::GetDisplayName() const { return Name.empty() ? "Alert" : Name; }

TWxItem *TWxCollection::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

void TWxCollection::Clear() { items_.clear(); }

void TWxCollection::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
}

int TWxCollection::IndexOf(const TWxItem *item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return static_cast<int>(i);
    return -1;
}

TWxItem *TWxCollection::Insert(std::unique_ptr<TWxItem> item) {
    item->collection_ = this;
    items_.push_back(std::move(item));
    return items_.back().get();
}

void TWxCollection::itemChanged(TWxItem &item) {
    ++changes_;
    if (OnItemChanged) OnItemChanged(item);
}

TForecastItem *TForecasts::Add() {
    return static_cast<TForecastItem *>(Insert(std::make_unique<TForecastItem>()));
}

TAlerts::TAlerts(void *owner, TItemFactory factory) : TWxCollection(owner), factory_(std::move(factory)) {}

TCustomAlertItem *TAlerts::Add() {
    std::unique_ptr<TCustomAlertItem> item = factory_ ? factory_() : nullptr;
    if (!item) item = std::make_unique<TCustomAlertItem>();
    return static_cast<TCustomAlertItem *>(Insert(std::move(item)));
}
