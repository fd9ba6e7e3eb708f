// Composing one local-site frame with all layers below full opacity, against
// drawing the same layers with plain drawImage (the target is at most 2x).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "imagery/RxImages.h"

namespace {

QImage Layer(QColor back, QColor mark, bool alpha) {
    QImage img(600, 550, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    img.fill(back);
    QPainter p(&img);
    p.setPen(QPen(mark, 2));
    for (int i = 0; i < 40; ++i) p.drawLine(i * 15, 0, 600 - i * 11, 550);
    return img;
}

struct TLayers {
    QImage topo = Layer(QColor(150, 190, 110), QColor(120, 160, 90), false);
    std::vector<QImage> over{Layer(Qt::transparent, Qt::blue, true), Layer(Qt::transparent, Qt::gray, true),
                             Layer(Qt::transparent, Qt::red, true), Layer(Qt::transparent, Qt::black, true)};
    QImage radar = Layer(Qt::black, Qt::green, false);
};

void DrawPlain(QImage &target, const TLayers &l) {
    QPainter p(&target);
    p.drawImage(0, 0, l.topo);
    p.drawImage(0, 0, l.over[0]);
    p.drawImage(0, 0, l.radar);
    for (size_t i = 1; i < l.over.size(); ++i) p.drawImage(0, 0, l.over[i]);
}

void BM_PlainLayers(benchmark::State &state) {
    TLayers l;
    QImage target(600, 550, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawPlain(target, l);
        benchmark::DoNotOptimize(target.constBits());
    }
}

// A new frame each time (a loop step): the radar picture is keyed anew.
void BM_ComposedLayers(benchmark::State &state) {
    TLayers l;
    QImage target(600, 550, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        p.drawImage(0, 0, l.topo);
        p.drawImage(0, 0, l.over[0]);
        p.drawImage(0, 0, KeyedFrame(l.radar, 200, 0));
        for (size_t i = 1; i < l.over.size(); ++i) p.drawImage(0, 0, l.over[i]);
        benchmark::DoNotOptimize(target.constBits());
    }
}

}  // namespace

BENCHMARK(BM_PlainLayers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposedLayers)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
