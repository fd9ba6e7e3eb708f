#pragma once
// Writes (animated) GIF files. Qt reads GIF but cannot write it; the demo
// pictures, tests and benchmarks need real GIF loops with frame delays.
#include <QImage>
#include <string>
#include <vector>

struct TGifFrame {
    QImage Image;        // every frame is drawn at (0, 0) of the first frame's size
    int DelayCs = 50;    // display delay in hundredths of a second
};

// Pixels with alpha below 128 become the transparent index. More than 255
// colours are reduced to a fixed colour cube. Returns the GIF file's bytes.
std::string EncodeGif(const std::vector<TGifFrame> &frames, bool loop = true);
bool WriteGifFile(const std::string &path, const std::vector<TGifFrame> &frames, bool loop = true);
