#include "imagery/NWSRxImages.h"

#include "nws/NWSService.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <fstream>

#include "dialogs/MsgHook.h"
#include "imagery/ImageIO.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "service/Servers.h"

namespace {

constexpr const char *kImagesFolder = "Cache\\Images\\";
constexpr const char *kOverlayFolder = "Images\\NWS\\";

struct TLayerDef {
    const char *suffix;
    const char *folder;
};
// Positions 1 to 5 of the layer table; 0 is the built-in background.
const TLayerDef kLayers[] = {
    {"_Topo_Short.jpg", "Topo/Short/"},       {"_Rivers_Short.gif", "Rivers/Short/"},
    {"_County_Short.gif", "County/Short/"},   {"_Highways_Short.gif", "Highways/Short/"},
    {"_City_Short.gif", "Cities/Short/"},
};

enum { kBackground = 0, kTopo = 1, kRivers = 2, kCounties = 3, kHighways = 4, kCities = 5, kWarnings = 6 };

bool HasOwnAlpha(const QImage &img) {
    if (!img.hasAlphaChannel()) return false;
    QImage a = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (qAlpha(line[x]) != 255) return true;
    }
    return false;
}

// Pixels of the key colour become transparent.
QImage KeyOut(const QImage &opaque, QRgb key) {
    QImage img = opaque.convertToFormat(QImage::Format_ARGB32);
    key &= 0x00FFFFFFu;
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
    }
    return img;
}

}  // namespace

std::vector<std::string> ParseLoopListing(const std::vector<std::string> &lines, const std::string &siteId) {
    std::vector<std::string> names;
    const std::string id = LowerCase(siteId);
    for (const std::string &line : lines) {
        const std::string low = LowerCase(line);
        if (low.find("gif") == std::string::npos || low.find(id) == std::string::npos) continue;
        const size_t end = line.find("f\">");
        if (end == std::string::npos) continue;
        size_t start = end + 3;
        if (start < line.size() && line[start] == ' ') ++start;
        const size_t close = line.find("</a>", start);
        if (close == std::string::npos) continue;
        const std::string name = SafeFileName(line.substr(start, close - start));
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

QImage NWSBackgroundLayer() {
    QImage img(600, 550, QImage::Format_RGB32);
    img.fill(QColor(0xE8, 0xE4, 0xD8));
    return img;
}

TNWSRxImages::TNWSRxImages() : TNWSRxImages(::Data) {}

TNWSRxImages::TNWSRxImages(TData *data) : data_(data) {
    OnGetURL = [this](TCustomRxImage &, const std::string &key, int &index, std::string &file,
                      std::string &folder) { HandleGetURL(key, index, file, folder); };
    OnAnimate = [this](TCustomRxImage &) { HandleAnimate(); };
    ResetOptions();
    ResetViewOptions();
    IsOnline();
}

TNWSRxImages::~TNWSRxImages() = default;

std::string TNWSRxImages::Row(const char *field) const {
    if (!data_) return {};
    TDataSet &set = data_->ImageSet();
    return set.HasRecord() ? set.AsString(field) : std::string();
}

std::string TNWSRxImages::FilterRow(const char *field) const {
    if (!data_) return {};
    TDataSet &set = data_->FilterSet();
    return set.HasRecord() ? set.AsString(field) : std::string();
}

void TNWSRxImages::ResetOptions() {
    TCustomRxImage::ResetOptions();
    for (const char *name : {"BackGround", "Topography", "Lakes/Rivers", "Radar", "Counties", "Highways", "Cities"})
        AddOption(name, true);
    AddOption("Warnings", false);
    AddOption("Animate", false);
}

void TNWSRxImages::ResetViewOptions() {
    viewOptions_ = {"Local"};
    viewOptionIndex_ = -1;
}

void TNWSRxImages::SetImageName(const std::string &name) {
    if (name != imageName_) {
        region_ = LowerCase(Row("Region"));
        filterName_ = LowerCase(FilterRow("Name"));
        if (region_ != "local") {
            overlays_.clear();
            warningsIndex_ = -1;
        } else if (filterName_ != "advisory") {
            LoadSiteOverlays(Row("ID"));
        } else {
            LoadWarningMap(Row("ID"));
        }
    }
    TCustomRxImage::SetImageName(name);
}

std::string TNWSRxImages::GetSourcePage() {
    const std::string radar = ServerBase(TServer::NWSRadar);
    if (region_ == "local") return radar + kNWSRadarPagePath + Row("ID");
    return radar + "/ridge/Conus/";
}

bool TNWSRxImages::IsOnline() { return TestConnection(ServerBase(TServer::NWSRadar)); }

void TNWSRxImages::DoOptionChanged(bool checked) {
    TCustomRxImage::DoOptionChanged(checked);
    if (!animating_ && IsHostVisible && IsHostVisible()) ReloadFrames();
}

void TNWSRxImages::SetOption(const std::string &name, bool checked) {
    TCustomRxImage::SetOption(name, checked);
    if (LowerCase(name) == "animate") SetAnimating(checked);
}

void TNWSRxImages::HandleAnimate() {
    ProcessMessages();
    SetFrame(frameIndex_ + 1);
    ProcessMessages();
}

void TNWSRxImages::HandleGetURL(const std::string &, int &index, std::string &file, std::string &folder) {
    folder = kImagesFolder;
    urlBase_ = ServerBase(TServer::NWSRadar);
    const bool animate = OptionChecked("Animate");
    const std::string id = Row("ID");
    if (index > 0) {
        urlPath_ = std::string(kNWSNcrPath) + id + "/";
    } else {
        files_.clear();
        if (region_ == "local" && filterName_ != "local") {
            urlBase_ = ServerBase(TServer::NWSWeb);
            urlPath_ = kNWSWarningMapPath;
            files_.push_back(LowerCase(id) + ".png");
            if (overlays_.empty()) LoadWarningMap(id);
        } else if (region_ == "local") {
            urlPath_ = kNWSNcrPath;
            files_.push_back(id + "_NCR_0.gif");
            if (animate) AddLoopFrames(files_, id);
            if (overlays_.empty()) LoadSiteOverlays(id);
        } else if (!region_.empty()) {
            const std::string u = Row("URL");
            const size_t s = u.rfind('/');
            const std::string low = LowerCase(u);
            if (animate) {
                urlPath_ = "/Conus/Loop/";
                if (low.find("latest") != std::string::npos && low.find("small") != std::string::npos)
                    files_.push_back("NatLoop_Small.gif");
                else if (low.find("latest") != std::string::npos)
                    files_.push_back("NatLoop.gif");
                else {
                    const size_t from = s == std::string::npos ? 0 : s + 1;
                    const size_t dot = u.rfind('.');
                    const std::string stem = dot == std::string::npos || dot < from ? u.substr(from)
                                                                                     : u.substr(from, dot - from);
                    files_.push_back(stem + "_loop.gif");
                }
            } else {
                urlPath_ = s == std::string::npos ? std::string() : u.substr(0, s + 1);
                files_.push_back(s == std::string::npos ? u : u.substr(s + 1));
            }
        }
        // The warnings layer is fetched anew whenever the file list is rebuilt.
        if (warningsIndex_ > 0 && warningsIndex_ < int(overlays_.size()))
            overlays_.erase(overlays_.begin() + warningsIndex_);
        warningsIndex_ = -1;
        if (region_ == "local" && OptionChecked("Warnings")) {
            const std::string name = id + "_Warnings_0.gif";
            if (Download(ServerBase(TServer::NWSRadar) + kNWSShortWarningsPath, kOverlayFolder, std::string(),
                         kNWSOverlayUserAgent, name)) {
                AddOverlay(NativePath(GetCacheRoot() + kOverlayFolder) + name);
                warningsIndex_ = int(overlays_.size()) - 1;
            }
        }
    }
    if (index >= 0 && index < int(files_.size())) file = files_[index];
    index = int(files_.size());
}

void TNWSRxImages::AddLoopFrames(std::vector<std::string> &list, const std::string &id) {
    const std::string listing = "Index.htm";
    if (!Download(urlBase_ + urlPath_ + id + "/", "Cache\\", std::string(), std::string(), listing)) return;
    std::ifstream in(NativePath(GetCacheRoot() + "Cache\\") + listing);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (std::string &name : ParseLoopListing(lines, id)) list.push_back(std::move(name));
}

void TNWSRxImages::LoadSiteOverlays(const std::string &id) {
    ProgressEnabled = false;
    overlays_.clear();
    warningsIndex_ = -1;
    TRxOverlay bg;
    bg.Picture = NWSBackgroundLayer();
    bg.FileName = "BACKGROUND.JPG";
    overlays_.push_back(std::move(bg));
    const std::string dir = NativePath(GetCacheRoot() + kOverlayFolder);
    const std::string name = SafeFileName(id);
    for (const TLayerDef &layer : kLayers) {
        const std::string file = name + layer.suffix;
        if (name.empty()) {
            overlays_.emplace_back();
            continue;
        }
        if (!FileExists(dir + file))
            Download(ServerBase(TServer::NWSRadar) + kNWSOverlaysPath + layer.folder, kOverlayFolder, std::string(),
                     kNWSOverlayUserAgent, file);
        if (FileExists(dir + file)) {
            AddOverlay(dir + file);
        } else {
            TRxOverlay missing;
            missing.FileName = dir + file;
            overlays_.push_back(std::move(missing));
        }
    }
    ProgressEnabled = true;
}

void TNWSRxImages::AddOverlay(const std::string &path) {
    TRxOverlay o;
    o.FileName = path;
    const QFileInfo info(QString::fromStdString(path));
    o.FileSize = info.exists() ? info.size() : 0;
    const size_t position = overlays_.size();
    QImage img = LoadImageFile(path);
    if (img.isNull()) {
        TMsgRequest req;
        req.Message = "The map layer " + info.fileName().toStdString() + " cannot be read.";
        req.Icon = miInformation;
        req.Button2 = "btnHidden";
        req.Caption = "Overlay Error";
        RequestMessage(req);
        overlays_.push_back(std::move(o));
        return;
    }
    o.Transparent = position > 1;
    if (path.find("Rivers") != std::string::npos || path.find("Highways") != std::string::npos) {
        // Flattened to an opaque copy; the key is the bottom-left pixel when it is
        // pure black or white, white otherwise.
        QImage flat(img.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        {
            QPainter p(&flat);
            p.drawImage(0, 0, img);
        }
        QRgb corner = flat.pixel(0, flat.height() - 1) & 0x00FFFFFFu;
        QRgb key = corner == 0 || corner == 0x00FFFFFFu ? corner : 0x00FFFFFFu;
        img = KeyOut(flat, key);
        o.Transparent = true;
    } else if (o.Transparent && !HasOwnAlpha(img)) {
        img = KeyOut(img, img.pixel(0, img.height() - 1));
    }
    o.Picture = img.convertToFormat(o.Transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    overlays_.push_back(std::move(o));
}

void TNWSRxImages::LoadWarningMap(const std::string &id) {
    overlays_.clear();
    warningsIndex_ = -1;
    const std::string file = SafeFileName(LowerCase(id) + "-is.gif");
    if (file.empty()) return;
    const std::string path = NativePath(GetCacheRoot() + kOverlayFolder) + file;
    if (!FileExists(path))
        Download(NWSRegionWarningMapsUrl(TNWxService::RegionOfState(Row("State"))), kOverlayFolder, std::string(),
                 std::string(), file);
    if (FileExists(path)) {
        AddOverlay(path);
        if (!overlays_.empty()) overlays_.back().Transparent = false;
    }
}

bool TNWSRxImages::HasLayer(size_t position) const {
    return position < overlays_.size() && !overlays_[position].Picture.isNull();
}

void TNWSRxImages::DrawLayer(QPainter &p, size_t position) {
    if (HasLayer(position)) p.drawImage(0, 0, overlays_[position].Picture);
}

void TNWSRxImages::DrawFrame() {
    if (target_ && target_->isNull())
        for (const TRxOverlay &o : overlays_)
            if (!o.Picture.isNull()) {
                SizeTarget(o.Picture.width(), o.Picture.height());
                break;
            }
    const bool layers = target_ && !target_->isNull() && !overlays_.empty();
    const bool advisory = filterName_ == "advisory";
    try {
        if (layers && !advisory) {
            QPainter p(target_);
            if (OptionChecked("Topography") && HasLayer(kTopo)) DrawLayer(p, kTopo);
            else if (OptionChecked("BackGround") && HasLayer(kBackground)) DrawLayer(p, kBackground);
            else p.fillRect(target_->rect(), Qt::white);
            if (OptionChecked("Lakes/Rivers")) DrawLayer(p, kRivers);
        }
    } catch (...) {
    }
    if (OptionChecked("Radar")) TCustomRxImage::DrawFrame();
    try {
        if (target_ && !target_->isNull() && !overlays_.empty()) {
            QPainter p(target_);
            if (!advisory) {
                if (OptionChecked("Counties")) DrawLayer(p, kCounties);
                if (OptionChecked("Highways") && HasLayer(kHighways) && overlays_[kHighways].FileSize > 1024)
                    DrawLayer(p, kHighways);
                if (OptionChecked("Cities")) DrawLayer(p, kCities);
                if (OptionChecked("Warnings") && overlays_.size() > 6 && overlays_[kWarnings].FileSize > 1024)
                    DrawLayer(p, kWarnings);
            } else {
                DrawLayer(p, 0);
            }
        }
    } catch (...) {
    }
    if (OnDrawn) OnDrawn(*this);
}
