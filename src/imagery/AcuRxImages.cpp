#include "imagery/AcuRxImages.h"

#include "service/DataMod.h"
#include "service/Servers.h"

namespace {

constexpr const char *kImagesFolder = "Cache\\Images\\";

// Where the path of an address starts, so that a host name never takes part
// in the still/loop renaming.
size_t PathStart(const std::string &url) {
    const size_t scheme = url.find("://");
    if (scheme == std::string::npos) return 0;
    const size_t slash = url.find('/', scheme + 3);
    return slash == std::string::npos ? url.size() : slash;
}

bool ReplaceFirst(std::string &s, const std::string &from, const std::string &to, size_t start) {
    const size_t at = s.find(from, start);
    if (at == std::string::npos) return false;
    s.replace(at, from.size(), to);
    return true;
}

// Puts an image set's filter and current record back however the lookup ends.
class TCursorKeeper {
public:
    explicit TCursorKeeper(TDataSet &set)
        : set_(set), filter_(set.Filter()), filtered_(set.Filtered()), recNo_(set.RecNo()) {}
    ~TCursorKeeper() {
        try {
            set_.SetFilter(filter_);
            set_.SetFiltered(filtered_);
            if (recNo_ >= 0 && recNo_ < set_.RecordCount()) set_.MoveTo(recNo_);
        } catch (...) {
        }
    }
    TCursorKeeper(const TCursorKeeper &) = delete;
    TCursorKeeper &operator=(const TCursorKeeper &) = delete;

private:
    TDataSet &set_;
    std::string filter_;
    bool filtered_;
    int recNo_;
};

}  // namespace

TAcuRxImages::TAcuRxImages() : TAcuRxImages(::Data) {}

TAcuRxImages::TAcuRxImages(TData *data) : data_(data) {
    OnGetURL = [this](TCustomRxImage &, const std::string &key, int &index, std::string &file,
                      std::string &folder) { HandleGetURL(key, index, file, folder); };
    OnAnimate = [this](TCustomRxImage &) { HandleAnimate(); };
    ResetOptions();
    IsOnline();
}

TAcuRxImages::~TAcuRxImages() = default;

std::string TAcuRxImages::Row(const char *field) const {
    if (!data_) return {};
    try {
        TDataSet &set = data_->ImageSet();
        return set.HasRecord() ? set.AsString(field) : std::string();
    } catch (const TDataError &) {
        return {};
    }
}

std::string TAcuRxImages::LookupURL(const std::string &where) const {
    if (!data_) return {};
    TDataSet &set = data_->ImageSet();
    TCursorKeeper keep(set);
    try {
        set.SetFilter(where);
        set.SetFiltered(true);
        set.First();
        return set.HasRecord() ? set.AsString("URL") : std::string();
    } catch (const TDataError &) {
        return {};
    }
}

void TAcuRxImages::ResetOptions() {
    TCustomRxImage::ResetOptions();
    AddOption("Animate", false);
}

void TAcuRxImages::SetImageName(const std::string &name) {
    std::string shown = name;
    // Names repeat across the filters ("Radar" of the US and of Canada), so
    // another row under the same name is another picture.
    const std::string key = Row("Key");
    if (name == imageName_ && key != rowKey_) imageName_.clear();
    if (name != imageName_) {
        rowKey_ = key;
        region_ = LowerCase(Row("Region"));
        if (region_.empty() || region_ == "region") {
            shown = "World";
            region_ = "global";
        }
    }
    TCustomRxImage::SetImageName(shown);
}

std::string TAcuRxImages::GetSourcePage() { return ServerBase(TServer::AccuWeb); }

bool TAcuRxImages::IsOnline() { return TestConnection(ServerBase(TServer::AccuImages)); }

void TAcuRxImages::SetOption(const std::string &name, bool checked) {
    TCustomRxImage::SetOption(name, checked);
    if (LowerCase(name) != "animate") return;
    if (checked && !animating_) {
        frames_.clear();  // the still must not stand in for the loop
        loopFailed_ = false;
    }
    SetAnimating(checked);
}

void TAcuRxImages::HandleAnimate() {
    // A loop that could not be fetched is not asked for again at every step;
    // the picture shown stays as it was.
    if (!loopFailed_) {
        if (LoadFrame(imageName_) && !frames_.empty()) DrawFrame();
        else loopFailed_ = true;
    }
    ProcessMessages();
    SetFrame(frameIndex_ + 1);
    ProcessMessages();
}

void TAcuRxImages::HandleGetURL(const std::string &, int &index, std::string &file, std::string &folder) {
    folder = kImagesFolder;
    if (!data_) {
        index = 0;
        return;
    }
    file.clear();
    urlBase_.clear();
    if (index < 1) {
        files_.clear();
        if (!region_.empty()) {
            std::string u;
            if (region_ != "regional" && region_ != "province" && region_ != "state") {
                // A row shown as the world picture without being the world row.
                if (region_ == "global" && LowerCase(Row("Region")) != "global")
                    u = LookupURL("Service=1 and Region='Global'");
                else
                    u = Row("URL");
            } else {
                // Regional, province and state pictures share an address stem
                // per kind, kept in the template rows.
                std::string templateId;
                if (Row("Country") != "US") templateId = "'R'";
                else if (Row("Name").find("Radar") != std::string::npos) templateId = "'R'";
                else if (region_ != "state") templateId = "'S'";
                else templateId = "'RE'";
                u = Row("ID");
                if (region_ != "regional" && u.size() < 3) u += "_";
                u = LookupURL("Service=1 and Region='Region' and ID=" + templateId) + u;
            }
            const size_t path = PathStart(u);
            if (animating_) {
                u += ".gif";
            } else if (ReplaceFirst(u, "/inma", "/inm", path)) {
                u += ".gif";
            } else {
                ReplaceFirst(u, "/isa", "/is", path);
                u += ".jpg";
            }
            const size_t slash = u.rfind('/');
            urlBase_ = slash == std::string::npos ? std::string() : u.substr(0, slash + 1);
            urlPath_.clear();
            files_.push_back(slash == std::string::npos ? u : u.substr(slash + 1));
        }
    }
    if (index >= 0 && index < int(files_.size())) file = files_[index];
    index = int(files_.size());
}
