#pragma once
// The AccuWeather imagery component: one still picture (satellite, radar or
// surface map) per image set, or its animated GIF loop, from the AccuWeather
// image servers. No map layers; the only option is "Animate".
#include <string>
#include <vector>

#include "imagery/RxImages.h"

class TData;

class TAcuRxImages : public TCustomRxImage {
public:
    // data: the data module whose current ImageSet row is shown.
    explicit TAcuRxImages(TData *data);
    TAcuRxImages();
    ~TAcuRxImages() override;

    // Rows without a kind of their own (the blank row, the address templates)
    // show the world picture; another row under the same name is a new choice.
    void SetImageName(const std::string &name) override;
    std::string GetSourcePage() override;
    bool IsOnline() override;
    void ResetOptions() override;
    // "Animate" on fetches the loop file afresh and runs the animation until it is switched off.
    void SetOption(const std::string &name, bool checked) override;

    // Lower-cased Region of the row being shown ("global", "national", "state", ...).
    const std::string &Region() const { return region_; }
    // The file of the current picture (none or one).
    const std::vector<std::string> &FileList() const { return files_; }

private:
    void HandleGetURL(const std::string &key, int &index, std::string &file, std::string &folder);
    void HandleAnimate();
    std::string Row(const char *field) const;
    // URL of the first AccuWeather row matching where; the image set's filter
    // and current row are put back afterwards.
    std::string LookupURL(const std::string &where) const;

    TData *data_ = nullptr;
    std::string region_;
    std::string rowKey_;  // Key of the row last chosen
    std::vector<std::string> files_;
    bool loopFailed_ = false;  // this run's loop could not be had: stop asking for it
};
