#include "imagery/RxImages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cctype>

#include "platform/Paths.h"
#include "platform/TcpProbe.h"
#include "service/HttpClient.h"
#include "service/Servers.h"

namespace {

bool SameText(const std::string &a, const std::string &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A picture file, with every frame when it is a GIF.
bool ReadPicture(const std::string &path, QImage &first, std::unique_ptr<TRxGif> &gif) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    const bool isGif = reader.format() == "gif";
    if (!isGif) {
        first = reader.read();
        gif.reset();
        return !first.isNull();
    }
    auto g = std::make_unique<TRxGif>();
    for (;;) {
        QImage img = reader.read();
        if (img.isNull()) break;
        const int delay = reader.nextImageDelay();
        g->Frames.push_back(std::move(img));
        g->DelaysMs.push_back(delay);
        if (!reader.canRead()) break;
    }
    if (g->Frames.empty()) return false;
    first = g->Frames.front();
    gif = std::move(g);
    return true;
}

}  // namespace

QImage KeyedFrame(const QImage &graphic, std::uint8_t opacity, std::uint8_t keyAlpha) {
    QImage img = graphic.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    if (w == 0 || h == 0) return img;
    bool ownAlpha = false;
    if (graphic.hasAlphaChannel()) {
        for (int y = 0; y < h && !ownAlpha; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x)
                if (qAlpha(line[x]) != 255) {
                    ownAlpha = true;
                    break;
                }
        }
    }
    const unsigned solid = unsigned(keyAlpha | opacity);
    if (ownAlpha) {
        // The picture says what is transparent; the opacity still applies to the rest.
        for (int y = 0; y < h; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < w; ++x)
                line[x] = (line[x] & 0x00FFFFFFu) | ((qAlpha(line[x]) * solid / 255u) << 24);
        }
    } else {
        const QRgb key = reinterpret_cast<const QRgb *>(img.constScanLine(0))[0] & 0x00FFFFFFu;
        const QRgb keyA = QRgb(keyAlpha) << 24, solidA = QRgb(solid) << 24;
        for (int y = 0; y < h; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = line[x] & 0x00FFFFFFu;
                line[x] = c | (c == key ? keyA : solidA);
            }
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TCustomRxImage::TCustomRxImage() { ResetViewOptions(); }

TCustomRxImage::~TCustomRxImage() {
    animating_ = false;
    if (waitLoop_) waitLoop_->quit();
}

void TCustomRxImage::ProcessMessages() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

// ---------------------------------------------------------------- options

void TCustomRxImage::ClearOptions() {
    optionNames_.clear();
    optionObjects_.clear();
    optionIndex_ = -1;
}

void TCustomRxImage::AddOption(const std::string &name, bool checked) {
    optionNames_.push_back(name);
    auto opt = std::make_unique<TRxOption>();
    opt->Checked = checked;
    optionObjects_.push_back(std::move(opt));
}

TRxOption *TCustomRxImage::FindOption(const std::string &name) {
    for (size_t i = 0; i < optionNames_.size(); ++i)
        if (SameText(optionNames_[i], name)) return optionObjects_[i].get();
    return nullptr;
}

bool TCustomRxImage::OptionChecked(const std::string &name) {
    std::string v;
    return GetOptionValue(name, v);
}

std::string TCustomRxImage::GetOption(int index) {
    SetOptionIndex(index);
    return optionIndex_ >= 0 && optionIndex_ < int(optionNames_.size()) ? optionNames_[optionIndex_] : std::string();
}

std::string TCustomRxImage::GetViewOption(int index) {
    SetViewOptionIndex(index);
    return viewOptionIndex_ >= 0 && viewOptionIndex_ < int(viewOptions_.size()) ? viewOptions_[viewOptionIndex_]
                                                                                : std::string();
}

void TCustomRxImage::SetOptionIndex(int i) {
    if (i < 0 || i == optionIndex_ || i >= int(optionNames_.size())) return;
    optionIndex_ = i;
}

void TCustomRxImage::SetViewOptionIndex(int i) {
    if (i < 0 || i == viewOptionIndex_ || i >= int(viewOptions_.size())) return;
    viewOptionIndex_ = i;
}

void TCustomRxImage::ResetOptions() { ClearOptions(); }

void TCustomRxImage::ResetViewOptions() {
    viewOptions_ = {"No View Options"};
    viewOptionIndex_ = -1;
}

void TCustomRxImage::DoOptionChanged(bool checked) {
    if (!OnOptionChange) return;
    std::string value;
    if (optionIndex_ >= 0 && optionIndex_ < int(optionObjects_.size())) value = optionObjects_[optionIndex_]->Value;
    OnOptionChange(*this, checked, value);
}

void TCustomRxImage::DoViewOption(const std::string &value) {
    if (!OnViewOption) return;
    bool checked = optionIndex_ >= 0 && optionIndex_ < int(optionObjects_.size()) &&
                   optionObjects_[optionIndex_]->Checked;
    OnViewOption(*this, checked, value);
}

bool TCustomRxImage::GetOptionValue(const std::string &name, std::string &value) {
    value.clear();
    TRxOption *opt = FindOption(name);
    if (!opt) return false;
    value = opt->Value;
    return opt->Checked;
}

void TCustomRxImage::InitOption(const std::string &name, bool checked, const std::string &) { SetOption(name, checked); }

void TCustomRxImage::SetOption(const std::string &name, bool checked) {
    for (size_t i = 0; i < optionNames_.size(); ++i) {
        if (!SameText(optionNames_[i], name)) continue;
        optionIndex_ = int(i);
        if (!optionObjects_[i]) optionObjects_[i] = std::make_unique<TRxOption>();
        TRxOption &opt = *optionObjects_[i];
        if (opt.Checked != checked) {
            opt.Checked = checked;
            if (opt.OnChange) opt.OnChange(opt);
            DoOptionChanged(checked);
        }
        return;
    }
}

// ---------------------------------------------------------------- image choice

void TCustomRxImage::SetImageName(const std::string &name) {
    if (name == imageName_ && !ForceReload) return;
    imageName_ = name;
    ReloadFrames();
}

std::string TCustomRxImage::GetSourcePage() { return {}; }

bool TCustomRxImage::IsOnline() { return TestConnection(ServerBase(TServer::NWSWeb)); }

void TCustomRxImage::SetTargetPicture(QImage *picture) {
    if (picture == target_) return;
    target_ = picture;
    Reload();
}

void TCustomRxImage::Reload() { ShowImage(imageName_); }

void TCustomRxImage::ShowImage(const std::string &key) {
    if (LoadFrame(key) && !frames_.empty()) DrawFrame();
}

QImage *TCustomRxImage::GetPicture() {
    if (target_ && target_->isNull()) {
        if (LoadFrame(imageName_) && !frames_.empty()) DrawFrame();
    }
    return target_;
}

void TCustomRxImage::ReloadFrames() {
    LoadFrames(imageName_);
    if (!frames_.empty()) DrawFrame();
}

void TCustomRxImage::SetOpacity(std::uint8_t opacity) {
    if (opacity == opacity_) return;
    opacity_ = opacity;
    if (!animating_) ReloadFrames();
}

// ---------------------------------------------------------------- frames

std::string TCustomRxImage::GetCacheRoot() const {
    std::string profile = ProfilePath();
    if (CacheSubPath.empty()) return profile;
    // ProfilePath is the data folder + our own sub-folder; swap in the one we were given.
    std::string base = profile;
    if (!base.empty() && base.back() == '/') base.pop_back();
    const size_t slash = base.rfind('/');
    base = slash == std::string::npos ? std::string() : base.substr(0, slash + 1);
    std::string root = NativePath(base + CacheSubPath);
    if (!root.empty() && root.back() != '/') root += '/';
    return root;
}

void TCustomRxImage::GetFrameURL(const std::string &key, std::string &folder, std::string &url, int &index,
                                 std::string &file) {
    if (OnGetURL) OnGetURL(*this, key, index, file, folder);
    url = index < 1 ? std::string() : urlBase_ + urlPath_;
}

bool TCustomRxImage::IsFrameListed(const std::string &path) const {
    return std::find(frames_.begin(), frames_.end(), path) != frames_.end();
}

bool TCustomRxImage::LoadFrame(const std::string &key) {
    std::string folder, url, file;
    int index = 0;
    GetFrameURL(key, folder, url, index, file);
    if (url.empty() || SafeFileName(file) != file || file.empty()) return false;
    const std::string path = NativePath(GetCacheRoot() + folder) + file;
    const bool cached = FileExists(path) && !ForceReload;
    const bool listed = IsFrameListed(path);
    if (listed && cached) return true;
    if (cached) {
        frames_.push_back(path);
        frameIndex_ = int(frames_.size()) - 1;
        return true;
    }
    loadedFile_.clear();
    const bool ok = Download(url, folder, std::string(), std::string(), file);
    if (ok && !listed) {
        frames_.push_back(path);
        frameIndex_ = int(frames_.size()) - 1;
    }
    ForceReload = false;
    return ok;
}

const std::vector<std::string> &TCustomRxImage::LoadFrames(const std::string &key) {
    std::string folder, url, file;
    int count = 0;
    GetFrameURL(key, folder, url, count, file);
    if (file.empty() || url.empty() || LowerCase(url).find("http") == std::string::npos) return frames_;

    const bool countProgress = ProgressEnabled && OnWorkBegin && count > 1;
    if (countProgress) {
        ProgressEnabled = false;
        OnWorkBegin(*this, 0, count);
    }
    frames_.clear();
    frameIndex_ = 0;
    loadedFile_.clear();
    for (int i = 0; i < count; ++i) {
        const std::string name = SafeFileName(file);
        if (!name.empty()) {
            const std::string path = NativePath(GetCacheRoot() + folder) + name;
            bool present = FileExists(path);
            if (!present) present = Download(url, folder, std::string(), std::string(), name);
            if (present) frames_.push_back(path);
        }
        if (countProgress && OnWork) OnWork(*this, 0, i + 1);
        int next = i + 1;
        file.clear();
        GetFrameURL(key, folder, url, next, file);
        ProcessMessages();
    }
    if (countProgress && OnWorkEnd) OnWorkEnd(*this, 0);
    ProgressEnabled = true;
    return frames_;
}

int TCustomRxImage::FrameCount() const {
    if (frameGif_ && frameGif_->Frames.size() > 1) return int(frameGif_->Frames.size());
    return int(frames_.size());
}

QImage *TCustomRxImage::SetFrame(int index) {
    if (index < 0) return target_;
    if (index >= FrameCount()) index = 0;
    if (index != frameIndex_) {
        frameIndex_ = index;
        if (frameGif_ && index < int(frameGif_->Frames.size())) frameGif_->Current = index;
        DrawFrame();
    }
    return target_;
}

void TCustomRxImage::SizeTarget(int w, int h) {
    if (!target_ || w <= 0 || h <= 0) return;
    if (target_->width() == w && target_->height() == h) return;
    QImage sized(w, h, target_->isNull() ? QImage::Format_RGB32 : target_->format());
    sized.fill(Qt::white);
    if (!target_->isNull()) {
        QPainter p(&sized);
        p.drawImage(0, 0, *target_);
    }
    *target_ = std::move(sized);
}

void TCustomRxImage::DrawFrame() {
    if (frameIndex_ >= 0 && frameIndex_ < int(frames_.size()) &&
        (frames_[frameIndex_] != loadedFile_ || ForceReload)) {
        QImage first;
        std::unique_ptr<TRxGif> gif;
        if (!ReadPicture(frames_[frameIndex_], first, gif)) return;  // the target keeps what it shows
        framePicture_ = std::move(first);
        loadedFile_ = frames_[frameIndex_];
        frameGif_ = frameIndex_ == 0 ? std::move(gif) : nullptr;
        composedFrame_ = -1;
        composed_ = QImage();
    }
    if (frameGif_ && frameGif_->Frames.size() > 1) {
        const int cur = std::clamp(frameGif_->Current, 0, int(frameGif_->Frames.size()) - 1);
        frameInterval_ = std::max(10, frameGif_->DelaysMs[cur] / 2);
    } else {
        frameInterval_ = 160;
    }
    if (!target_ || framePicture_.isNull()) return;
    SizeTarget(framePicture_.width(), framePicture_.height());
    const QImage &graphic = frameGif_ ? frameGif_->Frames[std::clamp(frameGif_->Current, 0,
                                                                     int(frameGif_->Frames.size()) - 1)]
                                      : framePicture_;
    ComposeFrame(graphic, opacity_, keyAlpha_);
    if (OnDrawn) OnDrawn(*this);
}

void TCustomRxImage::ComposeFrame(const QImage &graphic, std::uint8_t opacity, std::uint8_t keyAlpha) {
    if (graphic.isNull() || !target_ || target_->isNull()) return;
    QPainter p(target_);
    if (opacity == 255 && (keyAlpha == 0 || keyAlpha == 255)) {
        p.drawImage(0, 0, graphic);
        return;
    }
    const int frame = frameGif_ ? frameGif_->Current : 0;
    if (composed_.isNull() || composedFrame_ != frame || composedOpacity_ != opacity || composedKey_ != keyAlpha ||
        composedFile_ != loadedFile_ || composed_.size() != graphic.size()) {
        composed_ = KeyedFrame(graphic, opacity, keyAlpha);
        composedFrame_ = frame;
        composedOpacity_ = opacity;
        composedKey_ = keyAlpha;
        composedFile_ = loadedFile_;
    }
    p.drawImage(0, 0, composed_);
}

// ---------------------------------------------------------------- animation

void TCustomRxImage::SetAnimating(bool on) {
    if (on) {
        if (animating_) return;  // the loop already runs further down the stack
        animating_ = true;
        RunAnimation();
        return;
    }
    const bool was = animating_;
    animating_ = false;
    if (waitLoop_) waitLoop_->quit();
    if (frameGif_ && frameGif_->Frames.size() > 1) {
        frameGif_->Current = int(frameGif_->Frames.size()) - 1;
        frameIndex_ = frameGif_->Current;
    } else {
        frameIndex_ = 0;
    }
    if (was || !frames_.empty()) DrawFrame();
}

void TCustomRxImage::WaitAnimating(int ms) {
    QEventLoop loop;
    waitLoop_ = &loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    waitLoop_ = nullptr;
}

void TCustomRxImage::RunAnimation() {
    if (!QCoreApplication::instance()) {
        animating_ = false;
        return;
    }
    while (animating_) {
        ProcessMessages();
        if (!animating_) break;
        if (OnAnimate) OnAnimate(*this);
        if (!animating_) break;
        // Every loop waits between steps, not only GIF ones, so a loop of
        // separate files does not spin the processor.
        WaitAnimating(frameInterval_);
    }
}

// ---------------------------------------------------------------- transfers

bool TCustomRxImage::TestConnection(const std::string &address) {
    Connected = false;
    std::string rest = address;
    int port = 80;
    const std::string low = LowerCase(address);
    if (low.compare(0, 8, "https://") == 0) {
        rest = address.substr(8);
        port = 443;
    } else if (low.find("http://") != std::string::npos) {
        rest = address.size() > 7 ? address.substr(7) : std::string();
    }
    std::string host;
    const size_t slash = rest.find('/');
    if (slash != std::string::npos) host = rest.substr(0, slash);
    else if (rest.find('.') != std::string::npos) host = rest;
    // "host:port" names a server on another port, as local test servers are.
    const size_t colon = host.rfind(':');
    if (colon != std::string::npos) {
        const std::string p = host.substr(colon + 1);
        host.erase(colon);
        if (p.empty() || p.size() > 5 || !std::all_of(p.begin(), p.end(), ::isdigit)) return false;
        port = std::stoi(p);
    }
    if (host.empty()) return false;
    Connected = TcpProbe(host, port, 9000, RunTransferPump) == TTcpProbeResult::Connected;
    return Connected;
}

std::int64_t TCustomRxImage::GetFileSize(const std::string &url) {
    if (url.find('?') != std::string::npos) return -1;
    THttpResult r = HttpHead(url);
    return r.Delivered() ? r.ContentLength : -1;
}

bool TCustomRxImage::Download(const std::string &urlBase, const std::string &folder, const std::string &,
                              const std::string &, const std::string &file) {
    if (!Connected) return false;
    // Names come from servers and listings: only plain names inside the folder.
    if (file.empty() || SafeFileName(file) != file) return false;
    const std::string dir = NativePath(GetCacheRoot() + folder);
    if (!ForceDirectories(dir)) return false;
    const std::string url = file.find("Index.") != std::string::npos ? urlBase : urlBase + file;
    const std::string path = dir + file;

    BytesReceived = 0;
    ExpectedSize = GetFileSize(url);
    beginRaised_ = false;
    THttpOptions opt;
    opt.OnBegin = [this](std::int64_t size) {
        if (ProgressEnabled && ExpectedSize > ProgressThreshold && !beginRaised_) {
            BytesReceived += size > 0 ? size : 0;
            beginRaised_ = true;
            if (OnWorkBegin) OnWorkBegin(*this, 0, size > 0 ? size : ExpectedSize);
        }
        ProcessMessages();
    };
    opt.OnWork = [this](std::int64_t count) {
        if (ProgressEnabled && ExpectedSize > ProgressThreshold && OnWork) OnWork(*this, 0, count);
        ProcessMessages();
    };
    THttpResult r = HttpGetToFile(url, path, opt);
    // Begin and end come in pairs, so a progress window never waits for an end.
    if (beginRaised_ && ProgressEnabled) {
        if (OnWorkEnd) OnWorkEnd(*this, 0);
        ExpectedSize = 0;
    }
    beginRaised_ = false;
    if (!r.Delivered()) return false;
    QFileInfo info(QString::fromStdString(path));
    if (info.exists() && info.size() == 0) {
        QFile::remove(info.filePath());
        return false;
    }
    return info.exists();
}
