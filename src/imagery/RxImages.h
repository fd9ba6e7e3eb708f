#pragma once
// The imagery component: finds the frame files of an image set through its
// descendant, keeps them in the per-user cache, draws the current frame onto
// the host's picture with an opacity, and steps through loops in a nested
// event loop. Descendants (NWS, AccuWeather) supply the addresses and options.
#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QEventLoop;
class TCustomRxImage;

// One named on/off option of an imagery component.
struct TRxOption {
    bool Checked = false;
    std::string Value;
    std::function<void(TRxOption &)> OnChange;  // raised when Checked changes
};

// A GIF file's frames as Qt composes them, with their delays.
struct TRxGif {
    std::vector<QImage> Frames;
    std::vector<int> DelaysMs;
    int Current = 0;
};

class TCustomRxImage {
public:
    using TOptionEvent = std::function<void(TCustomRxImage &, bool checked, const std::string &value)>;
    using TGetURLEvent = std::function<void(TCustomRxImage &, const std::string &key, int &index,
                                            std::string &file, std::string &folder)>;
    using TNotifyEvent = std::function<void(TCustomRxImage &)>;
    using TWorkEvent = std::function<void(TCustomRxImage &, int mode, std::int64_t count)>;
    using TWorkEndEvent = std::function<void(TCustomRxImage &, int mode)>;

    TCustomRxImage();
    virtual ~TCustomRxImage();
    TCustomRxImage(const TCustomRxImage &) = delete;
    TCustomRxImage &operator=(const TCustomRxImage &) = delete;

    // ---- virtual operations ----
    virtual std::string GetOption(int index);
    virtual const std::vector<std::string> &GetOptions() const { return optionNames_; }
    virtual std::string GetViewOption(int index);
    virtual const std::vector<std::string> &GetViewOptions() const { return viewOptions_; }
    virtual void SetImageName(const std::string &name);
    virtual std::string GetSourcePage();
    virtual bool IsOnline();
    virtual bool LoadFrame(const std::string &key);
    virtual QImage *GetPicture();
    virtual QImage *SetFrame(int index);
    virtual void ShowImage(const std::string &key);
    virtual void DoOptionChanged(bool checked);
    virtual void DoViewOption(const std::string &value);
    virtual void RunAnimation();
    virtual void ResetOptions();
    virtual void ResetViewOptions();
    virtual void GetFrameURL(const std::string &key, std::string &folder, std::string &url, int &index,
                             std::string &file);
    virtual bool TestConnection(const std::string &address);
    virtual const std::vector<std::string> &LoadFrames(const std::string &key);
    virtual void DrawFrame();
    virtual void ReloadFrames();
    virtual bool GetOptionValue(const std::string &name, std::string &value);
    virtual void InitOption(const std::string &name, bool checked, const std::string &value);
    virtual void SetOption(const std::string &name, bool checked);

    // ---- plain operations ----
    void SetTargetPicture(QImage *picture);
    QImage *TargetPicture() const { return target_; }
    void SetURLBase(const std::string &s) { urlBase_ = s; }
    void SetURLPath(const std::string &s) { urlPath_ = s; }
    const std::string &URLBase() const { return urlBase_; }
    const std::string &URLPath() const { return urlPath_; }
    void SetOptionIndex(int i);
    void SetViewOptionIndex(int i);
    int OptionIndex() const { return optionIndex_; }
    int ViewOptionIndex() const { return viewOptionIndex_; }
    void SetOpacity(std::uint8_t opacity);
    std::uint8_t Opacity() const { return opacity_; }
    void SetKeyAlpha(std::uint8_t a) { keyAlpha_ = a; }
    std::uint8_t KeyAlpha() const { return keyAlpha_; }
    void SetAnimating(bool on);
    bool Animating() const { return animating_; }
    void Reload();
    // Native folder the logical cache folders ("Cache\Images\") lie below; ends in '/'.
    std::string GetCacheRoot() const;
    // Content length by a HEAD request; -1 when unknown or for addresses with a query.
    std::int64_t GetFileSize(const std::string &url);
    // GET urlBase (+ file) into cache root + folder + file. A failed, refused or
    // empty reply leaves any cached file as it was.
    bool Download(const std::string &urlBase, const std::string &folder, const std::string &userName,
                  const std::string &userAgent, const std::string &file);
    bool IsFrameListed(const std::string &path) const;
    // Bool result: the checked state (false when the name is unknown).
    bool OptionChecked(const std::string &name);

    // ---- state ----
    std::string CacheSubPath;  // profile sub-folder ("Tolvu/"); empty: the profile folder itself
    const std::string &ImageName() const { return imageName_; }
    bool Connected = false;
    bool ForceReload = false;
    bool ProgressEnabled = true;
    std::int64_t ProgressThreshold = 36864;
    std::int64_t BytesReceived = 0, ExpectedSize = 0;
    int FrameIndex() const { return frameIndex_; }
    int FrameInterval() const { return frameInterval_; }
    int FrameCount() const;
    const std::vector<std::string> &Frames() const { return frames_; }
    const std::string &LoadedFile() const { return loadedFile_; }
    const QImage &FramePicture() const { return framePicture_; }
    const TRxGif *FrameGif() const { return frameGif_.get(); }
    TRxOption *FindOption(const std::string &name);

    // ---- events ----
    TOptionEvent OnOptionChange, OnViewOption;
    TGetURLEvent OnGetURL;
    TNotifyEvent OnAnimate;
    TNotifyEvent OnDrawn;  // the target picture changed
    TWorkEvent OnWorkBegin, OnWork;
    TWorkEndEvent OnWorkEnd;

    // Lets queued window events run (the program's message loop).
    static void ProcessMessages();

protected:
    // Draws graphic at (0, 0) onto the target. Below full opacity the picture's
    // key colour (top-left pixel) gets keyAlpha and every other pixel
    // keyAlpha | opacity; pictures that carry their own alpha keep it, scaled by the opacity.
    void ComposeFrame(const QImage &graphic, std::uint8_t opacity, std::uint8_t keyAlpha);
    // Makes the target at least w x h, keeping what it shows.
    void SizeTarget(int w, int h);
    void ClearOptions();
    void AddOption(const std::string &name, bool checked);

    std::string imageName_;
    std::string urlBase_, urlPath_;
    std::vector<std::string> frames_;
    std::vector<std::string> optionNames_;
    std::vector<std::unique_ptr<TRxOption>> optionObjects_;
    std::vector<std::string> viewOptions_;
    int optionIndex_ = -1, viewOptionIndex_ = -1, frameIndex_ = -1;
    int frameInterval_ = 160;
    std::uint8_t opacity_ = 255, keyAlpha_ = 0;
    bool animating_ = false;
    QImage *target_ = nullptr;
    QImage framePicture_;
    std::string loadedFile_;
    std::unique_ptr<TRxGif> frameGif_;
    QEventLoop *waitLoop_ = nullptr;

private:
    void WaitAnimating(int ms);
    // The keyed picture of the last compose, kept while file, frame and alphas stay the same.
    QImage composed_;
    std::string composedFile_;
    int composedFrame_ = -1, composedOpacity_ = -1, composedKey_ = -1;
    bool beginRaised_ = false;
};

// Alpha-keys a picture the way ComposeFrame draws it (exposed for the benchmark and tests).
QImage KeyedFrame(const QImage &graphic, std::uint8_t opacity, std::uint8_t keyAlpha);
