#pragma once
// NWS alerts: the CAP `info` nodes of one merged alert document, filtered by
// county, as the alert items the window lists.
//
// The items read straight from their `info` node. Each item and the collection
// hold a reference to the parsed document, so a node never outlives it.
#include <functional>
#include <memory>
#include <string>

#include "nws/CAPIndex.h"
#include "nws/cap1.h"
#include "service/WxModel.h"

class TNWSAlertItem : public TCustomAlertItem {
public:
    TNWSAlertItem() { TNWSAlertItem::Initialize(); }

    // Text caches; only HeadlineText is ever filled (by GetHeadline).
    std::string EventText;
    mutable std::string HeadlineText;
    std::string DescriptionText;
    TCAPInfo Info;      // a node of the collection's document; none until set
    int InfoIndex = 0;  // position of Info among the document's `info` nodes

    void Initialize() override;
    // Binds the item to one `info` node of a document and keeps that document alive.
    void SetInfo(const TCAPInfo &info, int index, xmlb::DocPtr document);

    // Position 1 .. length of the first `category` text; empty otherwise.
    std::string GetCategory(int index) const override;
    std::string GetEvent() const override;
    std::string GetUrgency() const override;
    std::string GetSeverity() const override;
    std::string GetCertainty() const override;
    TDateTime GetEffective() const override;
    TDateTime GetExpires() const override;
    // `headline` without its expiring clause, trimmed; remembered after the first call.
    std::string GetHeadline() const override;
    std::string GetDescription() const override;
    std::string GetWeb() const override;
    // Zero-based area index; empty when that area does not exist.
    std::string GetAreaDesc(int index) const override;
    // `value` of the first `geocode` of that area; empty when either is missing.
    std::string GetGeocode(int index) const override;

private:
    xmlb::DocPtr document_;
};

class TNWSAlerts : public TAlerts {
public:
    explicit TNWSAlerts(void *owner);

    TNWSAlertItem *Items(int index) const { return static_cast<TNWSAlertItem *>(Item(index)); }
    TNWSAlertItem *Add() { return static_cast<TNWSAlertItem *>(TAlerts::Add()); }

    const TCAPAlert &AlertDocument() const { return alertDocument_; }
    const std::string &CountyFilter() const { return countyFilter_; }

    // A different filter is stored and the items rebuilt.
    void SetCountyFilter(const std::string &filter);
    // A different document (an inactive one means none) empties the collection,
    // is stored and rebuilt, and sets LastUpdate to now.
    void SetAlertDocument(const TCAPAlert &document);
    // One item per `info` whose `event` is longer than 3 characters and whose
    // first area's description contains the county filter (case-sensitive);
    // every `info` passes an empty filter. An `info` without any area is kept:
    // the walk fetched its document because the index entry named the county,
    // and hiding a warning for a missing area would be worse than listing it.
    // LastUpdate is set to now when at least one item was added.
    void Rebuild();

    std::string GetSender() const override;
    TDateTime GetSent() const override;
    std::string GetStatus() const override;
    std::string GetMsgType() const override;
    std::string GetScope() const override;
    std::string GetNote() const override;
    std::string GetReferences() const override;

private:
    TCAPAlert alertDocument_;
    std::string countyFilter_;
};

// Walks the index: entries whose `areaDesc` does not mention countyFilter (any
// case; an empty filter takes all) are never fetched. The first fetched alert
// becomes the merged document; the `info` parts of the later ones (those with
// an effective date) are appended to it, each with the entry's link as `web`
// and one area carrying the entry's `areaDesc`. When the first alert cannot be
// loaded no further entry is fetched. fetch(url) downloads an alert document
// and returns its local path, or "" on failure; the caller owns that file.
// The result holds at least one item, or is null.
std::unique_ptr<TAlerts> ParseNwsAlerts(const TCAPIndex &index, const std::string &countyFilter,
                                        const std::function<std::string(const std::string &url)> &fetch);
