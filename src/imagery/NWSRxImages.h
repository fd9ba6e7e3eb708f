#pragma once
// The NWS imagery component: national and regional radar mosaics (still or
// loop) and local radar sites over map layers, with a warnings layer.
#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imagery/RxImages.h"

class TData;

// One map layer of a local site. A layer whose file could not be had keeps its
// place with a null picture, so the positions always match the layer table.
struct TRxOverlay {
    QImage Picture;
    std::string FileName;
    std::int64_t FileSize = 0;
    bool Transparent = false;
};

constexpr const char *kNWSOverlayUserAgent = "Mozilla/3.0 (compatible;)";
constexpr const char *kNWSRadarPagePath = "/ridge/radar.php?rid=";
constexpr const char *kNWSWarningMapPath = "/wwamap/png/";

// Link names of the radar loop frames for a site in a directory listing page,
// reduced to plain file names; unusable names are left out.
std::vector<std::string> ParseLoopListing(const std::vector<std::string> &lines, const std::string &siteId);

class TNWSRxImages : public TCustomRxImage {
public:
    // data: the data module whose current ImageSet and FilterSet rows are shown.
    explicit TNWSRxImages(TData *data);
    TNWSRxImages();
    ~TNWSRxImages() override;

    void SetImageName(const std::string &name) override;
    std::string GetSourcePage() override;
    bool IsOnline() override;
    void DoOptionChanged(bool checked) override;
    void ResetOptions() override;
    void ResetViewOptions() override;
    void DrawFrame() override;
    void SetOption(const std::string &name, bool checked) override;
    void AddLoopFrames(std::vector<std::string> &list, const std::string &id);

    void LoadSiteOverlays(const std::string &id);
    void AddOverlay(const std::string &path);
    void LoadWarningMap(const std::string &id);

    const std::vector<TRxOverlay> &Overlays() const { return overlays_; }
    const std::string &Region() const { return region_; }
    const std::string &FilterName() const { return filterName_; }
    int WarningsIndex() const { return warningsIndex_; }
    const std::vector<std::string> &FileList() const { return files_; }

    // Whether the host window is visible; option changes redraw only then.
    std::function<bool()> IsHostVisible;

private:
    void HandleGetURL(const std::string &key, int &index, std::string &file, std::string &folder);
    void HandleAnimate();
    std::string Row(const char *field) const;
    std::string FilterRow(const char *field) const;
    void DrawLayer(class QPainter &p, size_t position);
    bool HasLayer(size_t position) const;

    TData *data_ = nullptr;
    std::vector<TRxOverlay> overlays_;
    std::vector<std::string> files_;
    std::string region_, filterName_;
    int warningsIndex_ = -1;
};

// The background layer: built into the program.
QImage NWSBackgroundLayer();
