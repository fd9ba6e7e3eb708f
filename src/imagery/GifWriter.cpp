#include "imagery/GifWriter.h"

#include <cstdint>
#include <fstream>
#include <unordered_map>

namespace {

class TBitSink {
public:
    explicit TBitSink(std::string &out) : out_(out) {}
    void Put(int code, int bits) {
        acc_ |= uint32_t(code) << nbits_;
        nbits_ += bits;
        while (nbits_ >= 8) {
            Byte(uint8_t(acc_ & 0xFF));
            acc_ >>= 8;
            nbits_ -= 8;
        }
    }
    void Finish() {
        if (nbits_ > 0) Byte(uint8_t(acc_ & 0xFF));
        acc_ = 0;
        nbits_ = 0;
        Flush();
        out_.push_back('\0');
    }

private:
    void Byte(uint8_t b) {
        block_.push_back(char(b));
        if (block_.size() == 255) Flush();
    }
    void Flush() {
        if (block_.empty()) return;
        out_.push_back(char(block_.size()));
        out_ += block_;
        block_.clear();
    }
    std::string &out_;
    std::string block_;
    uint32_t acc_ = 0;
    int nbits_ = 0;
};

void Lzw(const std::vector<uint8_t> &px, int minCode, std::string &out) {
    out.push_back(char(minCode));
    TBitSink sink(out);
    const int clear = 1 << minCode, eoi = clear + 1;
    int codeSize = minCode + 1, next = eoi + 1;
    std::unordered_map<uint32_t, int> dict;
    dict.reserve(8192);
    sink.Put(clear, codeSize);
    if (px.empty()) {
        sink.Put(eoi, codeSize);
        sink.Finish();
        return;
    }
    int prefix = px[0];
    for (size_t i = 1; i < px.size(); ++i) {
        const uint32_t key = (uint32_t(prefix) << 8) | px[i];
        auto it = dict.find(key);
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        sink.Put(prefix, codeSize);
        if (next < 4095) {
            dict.emplace(key, next++);
            if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
        } else {
            sink.Put(clear, codeSize);
            dict.clear();
            codeSize = minCode + 1;
            next = eoi + 1;
        }
        prefix = px[i];
    }
    sink.Put(prefix, codeSize);
    sink.Put(eoi, codeSize);
    sink.Finish();
}

void Le16(std::string &out, int v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char((v >> 8) & 0xFF));
}

}  // namespace

std::string EncodeGif(const std::vector<TGifFrame> &frames, bool loop) {
    if (frames.empty() || frames[0].Image.isNull()) return {};
    const int w = frames[0].Image.width(), h = frames[0].Image.height();

    std::vector<QImage> imgs;
    std::unordered_map<QRgb, int> colours;
    bool transparent = false;
    for (const TGifFrame &f : frames) {
        QImage img = f.Image.convertToFormat(QImage::Format_ARGB32);
        if (img.size() != QSize(w, h)) img = img.copy(0, 0, w, h);
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (qAlpha(line[x]) < 128) transparent = true;
                else if (colours.size() < 256) colours.emplace(line[x] | 0xFF000000u, 0);
            }
        }
        imgs.push_back(std::move(img));
    }
    const int limit = transparent ? 255 : 256;
    const bool cube = int(colours.size()) > limit;

    std::vector<QRgb> palette;
    if (cube) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b) palette.push_back(qRgb(r * 51, g * 255 / 6, b * 51));
    } else {
        for (auto &c : colours) {
            c.second = int(palette.size());
            palette.push_back(c.first);
        }
    }
    const int transIndex = transparent ? int(palette.size()) : -1;
    if (transparent) palette.push_back(qRgb(0, 0, 0));
    int bits = 1;
    while ((1 << bits) < int(palette.size())) ++bits;
    palette.resize(size_t(1) << bits, qRgb(0, 0, 0));

    auto indexOf = [&](QRgb c) -> uint8_t {
        if (qAlpha(c) < 128) return uint8_t(transIndex);
        if (!cube) return uint8_t(colours[c | 0xFF000000u]);
        const int r = (qRed(c) + 25) / 51, g = (qGreen(c) * 6 + 127) / 255, b = (qBlue(c) + 25) / 51;
        return uint8_t((r * 7 + g) * 6 + b);
    };

    std::string out = "GIF89a";
    Le16(out, w);
    Le16(out, h);
    out.push_back(char(0x80 | 0x70 | (bits - 1)));
    out.push_back('\0');
    out.push_back('\0');
    for (QRgb c : palette) {
        out.push_back(char(qRed(c)));
        out.push_back(char(qGreen(c)));
        out.push_back(char(qBlue(c)));
    }
    if (loop && frames.size() > 1) {
        out += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    }
    std::vector<uint8_t> px(size_t(w) * h);
    for (size_t i = 0; i < imgs.size(); ++i) {
        out += "\x21\xF9\x04";
        // Disposal "restore to background" so a frame's transparent pixels do not show the one before.
        out.push_back(char((2 << 2) | (transparent ? 1 : 0)));
        Le16(out, frames[i].DelayCs);
        out.push_back(char(transparent ? transIndex : 0));
        out.push_back('\0');
        out.push_back('\x2C');
        Le16(out, 0);
        Le16(out, 0);
        Le16(out, w);
        Le16(out, h);
        out.push_back('\0');
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(imgs[i].constScanLine(y));
            for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = indexOf(line[x]);
        }
        Lzw(px, bits < 2 ? 2 : bits, out);
    }
    out.push_back('\x3B');
    return out;
}

bool WriteGifFile(const std::string &path, const std::vector<TGifFrame> &frames, bool loop) {
    const std::string bytes = EncodeGif(frames, loop);
    if (bytes.empty()) return false;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(f);
}
