// Draws the demo radar pictures the replay server hands out in place of the
// NWS radar server: the local site LWX (latest picture, a loop with its
// directory listing, the five map layers, a warnings layer) and the national
// and Northeast mosaics (stills and loops). Map lines come from the us-atlas
// TopoJSON files when they are given, else from a few drawn outlines.
//
// usage: radar-demo <out dir> [states-10m.json [counties-10m.json]]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "imagery/GifWriter.h"

namespace {

using Line = std::vector<QPointF>;  // lon, lat

// Every arc of a TopoJSON topology, decoded to lon/lat.
std::vector<Line> ReadArcs(const std::string &path) {
    std::vector<Line> lines;
    std::ifstream in(path);
    if (!in) return lines;
    nlohmann::json topo = nlohmann::json::parse(in, nullptr, false);
    if (topo.is_discarded() || !topo.contains("arcs")) return lines;
    double sx = 1, sy = 1, tx = 0, ty = 0;
    const bool quantized = topo.contains("transform");
    if (quantized) {
        sx = topo["transform"]["scale"][0];
        sy = topo["transform"]["scale"][1];
        tx = topo["transform"]["translate"][0];
        ty = topo["transform"]["translate"][1];
    }
    for (const auto &arc : topo["arcs"]) {
        Line l;
        double x = 0, y = 0;
        for (const auto &p : arc) {
            if (quantized) {
                x += p[0].get<double>();
                y += p[1].get<double>();
                l.emplace_back(x * sx + tx, y * sy + ty);
            } else {
                l.emplace_back(p[0].get<double>(), p[1].get<double>());
            }
        }
        lines.push_back(std::move(l));
    }
    return lines;
}

// Rough outlines for a build without the atlas: the coast and a few borders.
std::vector<Line> DrawnStates() {
    return {
        {{-81, 31}, {-80, 32.5}, {-77, 34.5}, {-75.5, 35.5}, {-76, 37}, {-75.9, 38}, {-75, 38.8}, {-74, 40.5},
         {-72, 41}, {-70, 41.6}, {-70.5, 43}, {-67, 44.8}},
        {{-83.7, 36.6}, {-75.9, 36.55}},
        {{-80.5, 39.72}, {-75.8, 39.72}},
        {{-79.5, 39.2}, {-77.7, 39.3}, {-77.1, 38.9}, {-76.3, 38.0}},
        {{-80.5, 42}, {-79.76, 42.27}, {-75.35, 42}, {-73.5, 42}},
        {{-82.6, 38.2}, {-80.5, 40.6}, {-80.5, 39.72}},
        {{-95, 49}, {-123, 49}}, {{-117, 32.5}, {-111, 31.3}, {-106.5, 31.8}, {-97.4, 26}},
        {{-97.4, 26}, {-94, 29.6}, {-89, 30.2}, {-84, 30}, {-82.8, 27.8}, {-80.1, 25.3}, {-80, 27}, {-81, 31}},
        {{-124.2, 42}, {-124, 46.3}, {-124.7, 48.4}}, {{-124.2, 42}, {-120.5, 34.5}, {-117, 32.5}},
    };
}

struct TView {
    double lon0, lat0, lon1, lat1;  // west, south, east, north
    int w, h;
    QPointF Map(QPointF ll) const {
        return {(ll.x() - lon0) / (lon1 - lon0) * w, (lat1 - ll.y()) / (lat1 - lat0) * h};
    }
};

void DrawLines(QPainter &p, const TView &v, const std::vector<Line> &lines) {
    for (const Line &l : lines) {
        if (l.size() < 2) continue;
        QPainterPath path(v.Map(l[0]));
        for (size_t i = 1; i < l.size(); ++i) path.lineTo(v.Map(l[i]));
        p.drawPath(path);
    }
}

QImage Clear(const TView &v) {
    QImage img(v.w, v.h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// Reflectivity colours from light rain to hail.
QColor Reflectivity(double dbz) {
    static const QColor steps[] = {{4, 233, 231}, {1, 159, 244}, {3, 0, 244},   {2, 253, 2},   {1, 197, 1},
                                   {0, 142, 0},   {253, 248, 2}, {229, 188, 0}, {253, 149, 0}, {253, 0, 0},
                                   {212, 0, 0},   {188, 0, 0},   {248, 0, 253}, {152, 84, 198}};
    const int i = std::clamp(int((dbz - 5) / 5), 0, 13);
    return steps[i];
}

struct TCell {
    double lon, lat, radius, peak, dlon, dlat;
};

// A band of storms moving north-east, frame by frame.
QImage Echoes(const TView &v, const std::vector<TCell> &cells, int frame, bool keyBlack) {
    QImage img(v.w, v.h, QImage::Format_ARGB32);
    img.fill(keyBlack ? QColor(Qt::black) : QColor(Qt::transparent));
    for (int y = 0; y < v.h; y += 2)
        for (int x = 0; x < v.w; x += 2) {
            const double lon = v.lon0 + (x + 0.5) / v.w * (v.lon1 - v.lon0);
            const double lat = v.lat1 - (y + 0.5) / v.h * (v.lat1 - v.lat0);
            double dbz = 0;
            for (const TCell &c : cells) {
                const double cx = c.lon + c.dlon * frame, cy = c.lat + c.dlat * frame;
                const double d2 = ((lon - cx) * (lon - cx) * 0.6 + (lat - cy) * (lat - cy)) / (c.radius * c.radius);
                dbz = std::max(dbz, c.peak * std::exp(-d2) + 4 * std::sin(lon * 37 + lat * 23 + frame));
            }
            if (dbz < 12) continue;
            const QColor col = Reflectivity(dbz);
            for (int dy = 0; dy < 2 && y + dy < v.h; ++dy)
                for (int dx = 0; dx < 2 && x + dx < v.w; ++dx) img.setPixelColor(x + dx, y + dy, col);
        }
    return img;
}

std::vector<TCell> Storms(double lon, double lat, double scale) {
    return {{lon - 1.2 * scale, lat - 0.6 * scale, 0.45 * scale, 48, 0.10 * scale, 0.05 * scale},
            {lon - 0.4 * scale, lat - 0.2 * scale, 0.30 * scale, 58, 0.10 * scale, 0.05 * scale},
            {lon + 0.5 * scale, lat + 0.4 * scale, 0.55 * scale, 40, 0.08 * scale, 0.06 * scale},
            {lon + 1.0 * scale, lat - 1.0 * scale, 0.25 * scale, 62, 0.12 * scale, 0.04 * scale}};
}

bool Save(const QString &out, const QString &rel, const QImage &img, const char *format = nullptr) {
    const QString path = out + "/" + rel;
    QDir().mkpath(QFileInfo(path).path());
    if (format) return img.save(path, format, 85);
    return WriteGifFile(path.toStdString(), {{img, 0}}, false);
}

bool SaveLoop(const QString &out, const QString &rel, const std::vector<QImage> &frames) {
    std::vector<TGifFrame> gif;
    for (size_t i = 0; i < frames.size(); ++i) gif.push_back({frames[i], i + 1 == frames.size() ? 150 : 50});
    const QString path = out + "/" + rel;
    QDir().mkpath(QFileInfo(path).path());
    return WriteGifFile(path.toStdString(), gif, true);
}

// A mosaic: map under the echoes, as the national pictures come.
QImage Mosaic(const TView &v, const std::vector<Line> &states, const std::vector<TCell> &cells, int frame) {
    QImage img(v.w, v.h, QImage::Format_RGB32);
    img.fill(QColor(0xF2, 0xEF, 0xE6));
    QPainter p(&img);
    p.drawImage(0, 0, Echoes(v, cells, frame, false));
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    DrawLines(p, v, states);
    return img;
}

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: radar-demo <out dir> [states-10m.json [counties-10m.json]]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    std::vector<Line> states = argc > 2 ? ReadArcs(argv[2]) : std::vector<Line>();
    std::vector<Line> counties = argc > 3 ? ReadArcs(argv[3]) : std::vector<Line>();
    if (states.empty()) {
        std::fprintf(stderr, "radar-demo: warning: no atlas; drawing rough outlines\n");
        states = DrawnStates();
    }

    // LWX (Sterling, VA) at 38.98 N, 77.48 W; 600 x 550 like the site pictures.
    const TView site{-77.48 - 3.1, 38.98 - 2.2, -77.48 + 3.1, 38.98 + 2.2, 600, 550};
    const auto cells = Storms(-77.48, 38.98, 1.0);
    bool ok = true;

    QImage topo(site.w, site.h, QImage::Format_RGB32);
    {
        QPainter p(&topo);
        for (int y = 0; y < site.h; ++y)
            for (int x = 0; x < site.w; x += 3) {
                // Ridges to the west, coastal plain to the east.
                const double ridge = 0.5 + 0.5 * std::sin(x * 0.035 + y * 0.02) * std::exp(-x / 260.0);
                const int g = int(150 + 60 * ridge), r = int(120 + 80 * ridge * ridge);
                p.fillRect(x, y, 3, 1, QColor(r, g, 110));
            }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9C, 0xC3, 0xE6));  // the bay and the ocean
        QPolygonF sea;
        for (QPointF ll : {QPointF(-75.9, 36.0), QPointF(-76.3, 37.5), QPointF(-76.4, 38.6), QPointF(-76.1, 39.5),
                           QPointF(-75.9, 38.2), QPointF(-75.2, 38.4), QPointF(-74.0, 40.6), QPointF(-73.0, 40.6),
                           QPointF(-73.0, 36.0)})
            sea << site.Map(ll);
        p.drawPolygon(sea);
    }
    ok &= Save(out, "Overlays/Topo/Short/LWX_Topo_Short.jpg", topo, "JPG");

    QImage rivers(site.w, site.h, QImage::Format_RGB32);
    rivers.fill(Qt::white);
    {
        QPainter p(&rivers);
        p.setPen(QPen(QColor(0x20, 0x60, 0xD0), 2));
        DrawLines(p, site, {{{-79.4, 39.5}, {-78.3, 39.6}, {-77.6, 39.3}, {-77.1, 38.9}, {-76.9, 38.4}, {-76.3, 38.0}},
                            {{-78.9, 38.0}, {-78.0, 37.7}, {-77.4, 37.5}, {-76.4, 37.0}},
                            {{-76.6, 39.7}, {-76.1, 39.5}}});
    }
    ok &= Save(out, "Overlays/Rivers/Short/LWX_Rivers_Short.gif", rivers);

    QImage county = Clear(site);
    {
        QPainter p(&county);
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
        DrawLines(p, site, counties);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
        DrawLines(p, site, states);
    }
    ok &= Save(out, "Overlays/County/Short/LWX_County_Short.gif", county);

    struct TCity {
        const char *name;
        double lon, lat;
    };
    const TCity cities[] = {{"Washington", -77.04, 38.91}, {"Baltimore", -76.61, 39.29}, {"Richmond", -77.44, 37.54},
                            {"Winchester", -78.16, 39.19}, {"Frederick", -77.41, 39.41}, {"Annapolis", -76.49, 38.98},
                            {"Charlottesville", -78.48, 38.03}, {"Hagerstown", -77.72, 39.64}};
    QImage highways(site.w, site.h, QImage::Format_RGB32);
    highways.fill(Qt::white);
    {
        QPainter p(&highways);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 2));
        DrawLines(p, site, {{{-77.44, 37.54}, {-77.3, 38.3}, {-77.04, 38.91}, {-76.61, 39.29}, {-76.0, 39.7}},
                            {{-78.16, 39.19}, {-77.41, 39.41}, {-76.61, 39.29}},
                            {{-78.48, 38.03}, {-77.9, 38.5}, {-77.04, 38.91}},
                            {{-77.72, 39.64}, {-77.41, 39.41}, {-77.04, 38.91}}});
    }
    ok &= Save(out, "Overlays/Highways/Short/LWX_Highways_Short.gif", highways);

    QImage city = Clear(site);
    {
        QPainter p(&city);
        QFont f("DejaVu Sans");
        f.setPixelSize(11);
        p.setFont(f);
        for (const TCity &c : cities) {
            const QPointF pt = site.Map({c.lon, c.lat});
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawRect(QRectF(pt.x() - 2, pt.y() - 2, 4, 4));
            p.setPen(Qt::black);
            p.drawText(pt + QPointF(5, -3), c.name);
        }
    }
    ok &= Save(out, "Overlays/Cities/Short/LWX_City_Short.gif", city);

    QImage warnings = Clear(site);
    {
        QPainter p(&warnings);
        p.setPen(QPen(QColor(0xFF, 0x00, 0x00), 3));
        p.setBrush(Qt::NoBrush);
        QPolygonF box;
        for (QPointF ll : {QPointF(-77.9, 38.5), QPointF(-77.2, 38.75), QPointF(-77.0, 38.3), QPointF(-77.7, 38.1)})
            box << site.Map(ll);
        p.drawPolygon(box);
        p.setPen(QPen(QColor(0x00, 0xC0, 0x00), 3));
        QPolygonF flood;
        for (QPointF ll : {QPointF(-78.6, 39.4), QPointF(-78.0, 39.5), QPointF(-78.1, 39.0)}) flood << site.Map(ll);
        p.drawPolygon(flood);
    }
    ok &= Save(out, "Warnings/Short/LWX_Warnings_0.gif", warnings);

    // Loop frames, oldest first, and the listing that names them.
    const int loopFrames = 6;
    std::string listing = "<html><head><title>Index of /RadarImg/NCR/LWX</title></head><body>\n"
                          "<h1>Index of /RadarImg/NCR/LWX</h1><pre>\n";
    for (int i = 0; i < loopFrames; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "LWX_20240501_%02d%02d_NCR.gif", 18, i * 10);
        ok &= Save(out, QString("RadarImg/NCR/LWX/") + name, Echoes(site, cells, i, false));
        listing += std::string("<a href=\"") + name + "\">" + name + "</a>   01-May-2024 18:" +
                   (i < 1 ? "0" : "") + std::to_string(i * 10) + "   14K\n";
    }
    listing += "</pre></body></html>\n";
    QDir().mkpath(out + "/RadarImg/NCR/LWX");
    std::ofstream(QString(out + "/RadarImg/NCR/LWX/index.html").toStdString()) << listing;
    ok &= Save(out, "RadarImg/NCR/LWX_NCR_0.gif", Echoes(site, cells, loopFrames, false));

    // National and Northeast mosaics.
    const TView conus{-127, 21, -65, 51, 1200, 580};
    const TView small{-127, 21, -65, 51, 600, 290};
    const TView northeast{-82, 37, -66, 48, 640, 440};
    std::vector<TCell> national;
    for (const TCell &c : Storms(-77.5, 39.0, 2.0)) national.push_back(c);
    for (const TCell &c : Storms(-95.0, 35.0, 2.5)) national.push_back(c);
    std::vector<QImage> big, little, ne;
    for (int i = 0; i < loopFrames; ++i) {
        big.push_back(Mosaic(conus, states, national, i));
        little.push_back(Mosaic(small, states, national, i));
        ne.push_back(Mosaic(northeast, states, national, i));
    }
    ok &= Save(out, "ridge/Conus/RadarImg/latest.gif", big.back());
    ok &= Save(out, "ridge/Conus/RadarImg/latest_Small.gif", little.back());
    ok &= Save(out, "ridge/Conus/RadarImg/northeast.gif", ne.back());
    ok &= SaveLoop(out, "Conus/Loop/NatLoop.gif", big);
    ok &= SaveLoop(out, "Conus/Loop/NatLoop_Small.gif", little);
    ok &= SaveLoop(out, "Conus/Loop/northeast_loop.gif", ne);

    std::ofstream routes(QString(out + "/routes.txt").toStdString());
    routes << "# Demo radar server: every other picture is served from its own path in this folder.\n"
              "GET /RadarImg/NCR/LWX/ -> RadarImg/NCR/LWX/index.html text/html\n";
    if (!ok) std::fprintf(stderr, "radar-demo: some pictures could not be written\n");
    return ok ? 0 : 1;
}
