// The service's transfers: connection test, downloads into the cache, form
// posts, HEAD probes and the picture loader.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "dialogs/MsgHook.h"
#include "platform/Paths.h"
#include "platform/TcpProbe.h"
#include "service/HttpClient.h"
#include "service/WxService.h"

namespace fs = std::filesystem;

namespace {
std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// A folder below the data folder as the callers name it ("Cache\", "Images\NWS\PNG\").
// Parts that climb out or start at the root make it unusable.
bool safeSubFolder(const std::string &sub) {
    if (!sub.empty() && (sub[0] == '/' || sub[0] == '\\')) return false;
    size_t start = 0;
    while (start <= sub.size()) {
        size_t end = sub.find_first_of("/\\", start);
        if (end == std::string::npos) end = sub.size();
        std::string part = sub.substr(start, end - start);
        if (part == "..") return false;
        start = end + 1;
    }
    return true;
}

std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return lines;
}

// Without a decoder in core, a picture counts as sound when it starts like one.
bool looksLikePicture(const std::string &path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    unsigned char b[8] = {};
    in.read(reinterpret_cast<char *>(b), sizeof b);
    std::streamsize n = in.gcount();
    if (n >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G' && b[4] == 0x0D && b[5] == 0x0A &&
        b[6] == 0x1A && b[7] == 0x0A)
        return true;
    if (n >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' && (b[4] == '7' || b[4] == '9') &&
        b[5] == 'a')
        return true;
    if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return true;
    if (n >= 6 && b[0] == 'B' && b[1] == 'M') return true;
    return false;
}
}  // namespace

bool TCustomWxService::TestConnection(const std::string &url) {
    if (url.empty()) return false;
    std::string rest = url;
    int port = 80;
    std::string low = lower(url);
    if (low.compare(0, 8, "https://") == 0) {
        rest = url.substr(8);
        port = 443;
    } else if (low.find("http://") != std::string::npos) {
        rest = url.size() > 7 ? url.substr(7) : std::string();
    }
    std::string host;
    size_t slash = rest.find('/');
    if (slash != std::string::npos) host = rest.substr(0, slash);
    else if (rest.find('.') != std::string::npos) host = rest;

    bool result = false;
    if (!host.empty()) {
        // "host:port" names a server on another port, as local test servers are.
        size_t colon = host.rfind(':');
        bool hostOk = true;
        if (colon != std::string::npos) {
            std::string p = host.substr(colon + 1);
            host.erase(colon);
            hostOk = !p.empty() && p.size() <= 5 && std::all_of(p.begin(), p.end(), ::isdigit);
            if (hostOk) port = std::stoi(p);
        }
        if (hostOk && !host.empty()) {
            switch (TcpProbe(host, port, 9000, RunTransferPump)) {
            case TTcpProbeResult::Connected:
                LogSuccess(url + ": good");
                result = true;
                break;
            case TTcpProbeResult::NotConnected:
                LogFailure(url + ": fail");
                break;
            case TTcpProbeResult::Error:
                break;
            }
        }
    }
    connected_ = result;
    return result;
}

bool TCustomWxService::DownloadToFile(const std::string &url, const std::string &subFolder,
                                      const std::string &fileName) {
    if (!connected_ || GetLocation().empty()) return false;
    std::string name = SafeFileName(fileName);
    if (name.empty() || !safeSubFolder(subFolder)) {
        LogFailure(url + " : unusable file name " + subFolder + fileName);
        return false;
    }
    std::string folder = GetDataFolder() + subFolder;
    if (!ForceDirectories(folder)) {
        LogFailure(url + " : cannot create " + NativePath(folder));
        return false;
    }
    THttpOptions opt;
    opt.OnBegin = [this](std::int64_t n) {
        if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::Read, n);
    };
    opt.OnWork = [this](std::int64_t n) {
        if (OnWork) OnWork(*this, TWorkMode::Read, n);
    };
    opt.OnEnd = [this] {
        if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::Read);
    };
    THttpResult r = HttpGetToFile(url, folder + name, opt);
    if (r.Failed()) {
        LogFailure(url + " : " + r.LogText());
        return false;
    }
    LogSuccess(url + " : " + r.StatusText);
    // An empty reply is no document: it leaves no file and counts as a failure.
    return r.Delivered() && r.BodyBytes > 0;
}

bool TCustomWxService::DownloadToList(const std::string &url, const std::string &fileName,
                                      std::vector<std::string> &list) {
    if (url.empty()) return false;
    if (!DownloadToFile(url, GetCacheFolder(), fileName)) return false;
    std::string path = CacheFolderPath() + SafeFileName(fileName);
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    list = splitLines(text);
    if (!allowTemp_) std::remove(path.c_str());
    return true;
}

bool TCustomWxService::PostForm(const std::string &url, std::vector<std::string> &list) {
    if (!connected_) return false;
    THttpOptions opt;
    opt.OnBegin = [this](std::int64_t n) {
        if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::Read, n);
    };
    opt.OnWork = [this](std::int64_t n) {
        if (OnWork) OnWork(*this, TWorkMode::Read, n);
    };
    opt.OnEnd = [this] {
        if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::Read);
    };
    std::string body;
    THttpResult r = HttpPostForm(url, list, body, opt);
    if (r.Failed()) {
        LogFailure(url + " : " + r.LogText());
        return false;
    }
    list = splitLines(body);
    LogSuccess(url + " : " + r.StatusText);
    return r.Delivered();
}

std::int64_t TCustomWxService::HeadLength(const std::string &url) {
    std::string low = lower(url);
    if (url.empty() || low.find("current_") != std::string::npos || low.find("soap") != std::string::npos ||
        low.find('?') != std::string::npos)
        return -1;
    THttpResult r = HttpHead(url);
    if (r.Failed()) {
        LogFailure(url + " : " + r.LogText());
        return -1;
    }
    LogSuccess(url + " : " + r.StatusText);
    headText_ = {r.StatusText};
    return r.Delivered() ? r.ContentLength : -1;
}

bool TCustomWxService::LoadPicture(const std::string &baseUrl, const std::string &localName,
                                   std::string &picturePath) {
    picturePath.clear();
    size_t cut = localName.rfind('\\');
    std::string sub = cut == std::string::npos ? std::string() : localName.substr(0, cut + 1);
    std::string file = SafeFileName(cut == std::string::npos ? localName : localName.substr(cut + 1));
    const std::string rel = "Images\\" + GetName() + "\\" + sub;
    const std::string app = GetAppFolder();
    const std::string data = GetDataFolder();

    auto showError = [] {
        TMsgRequest m;
        m.Message = "An error occured loading an Image.";
        m.Icon = miStop;
        m.Button2 = "btnHidden";
        m.Caption = "Get Graphic Error";
        RequestMessage(m);
    };

    bool result = false;
    if (!file.empty() && safeSubFolder(rel)) {
        std::string source;
        if (FileExists(app + rel + file)) source = app;
        else if (FileExists(data + rel + file)) source = data;
        else if (DownloadToFile(baseUrl + file, rel, file)) source = data;
        if (!source.empty()) {
            std::string path = source + rel + file;
            if (looksLikePicture(path)) {
                picturePath = NativePath(path);
                result = true;
            } else {
                showError();
                // Remove a damaged download so the next attempt fetches it again.
                if (FileExists(data + rel + file)) std::remove(NativePath(data + rel + file).c_str());
            }
        }
    }
    if (!result && safeSubFolder(rel) && FileExists(app + rel + "na.jpg")) {
        std::string na = app + rel + "na.jpg";
        if (looksLikePicture(na)) picturePath = NativePath(na);
        else showError();
    }
    return result;
}

bool TCustomWxService::LoadPicture(const std::string &baseUrl, const std::string &localName, TWxPicture &picture) {
    std::string path;
    bool ok = LoadPicture(baseUrl, localName, path);
    picture.FileName = path;
    return ok;
}

void TCustomWxService::ClearCache() {
    if (allowTemp_) return;
    std::error_code ec;
    fs::directory_iterator it(CacheFolderPath(), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code fe;
        if (!it->is_regular_file(fe)) continue;
        if (it->path().filename() == "NWSStations.xml") continue;
        fs::remove(it->path(), fe);
    }
}
