#pragma once
// A radar server stand-in for the imagery tests: serves in-memory files by
// path, answers 404 for the rest, and records every path asked for.
#include <httplib.h>

#include <QBuffer>
#include <QImage>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "support/TestSupport.h"

class TImageryServer {
public:
    std::map<std::string, std::string> Files;  // path -> body; set before Start
    std::map<std::string, int> Status;        // path -> status other than 200

    void Start() {
        http_.Server().Get(R"(/.*)", [this](const httplib::Request &req, httplib::Response &res) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back(req.path);
            }
            auto st = Status.find(req.path);
            if (st != Status.end()) {
                res.status = st->second;
                res.set_content("<html>no</html>", "text/html");
                return;
            }
            auto it = Files.find(req.path);
            if (it == Files.end()) {
                res.status = 404;
                res.set_content("<html>not found</html>", "text/html");
                return;
            }
            res.set_content(it->second, "application/octet-stream");
        });
        http_.Start();
    }
    std::string Base() const { return "http://" + http_.Host(); }
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    bool Asked(const std::string &path) {
        for (const std::string &p : Seen())
            if (p == path) return true;
        return false;
    }

private:
    LocalHttpServer http_;
    std::mutex mutex_;
    std::vector<std::string> seen_;
};

inline std::string PngBytes(const QImage &img) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes.toStdString();
}

// A w x h picture of one colour with a block of another in its middle.
inline QImage BlockImage(int w, int h, QColor back, QColor block) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(back);
    for (int y = h / 4; y < h - h / 4; ++y)
        for (int x = w / 4; x < w - w / 4; ++x) img.setPixelColor(x, y, block);
    return img;
}
