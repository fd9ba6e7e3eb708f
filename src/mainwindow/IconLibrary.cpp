#include "mainwindow/IconLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QResource>

#include <cmath>

#include "platform/Paths.h"

namespace {

const QString kRoot = QStringLiteral("/Services");

QString ProgramFile(const QString &relative) {
    return QString::fromStdString(DataPath()) + relative;
}

QPixmap Blank(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

// A file picture, cached; a picture of the wrong size is scaled so callers can rely on the size.
QPixmap LoadFile(const QString &path, QSize size) {
    QPixmap pm;
    if (QPixmapCache::find(path, &pm)) return pm;
    if (!pm.load(path) || pm.isNull()) return {};
    if (size.isValid() && pm.size() != size)
        pm = pm.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmapCache::insert(path, pm);
    return pm;
}

// ---- drawing in a 128 x 128 design space

void Sun(QPainter &p, QPointF c, double r) {
    p.setPen(QPen(QColor(0xf5, 0x9e, 0x0b), r * 0.15, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 1.3,
                   c + QPointF(std::cos(a), std::sin(a)) * r * 1.7);
    }
    p.setPen(QPen(QColor(0xf5, 0x9e, 0x0b), r * 0.1));
    p.setBrush(QColor(0xfb, 0xbf, 0x24));
    p.drawEllipse(c, r, r);
}

// Lit part between the limb (on the lit side) and an elliptical terminator.
QPainterPath MoonPath(QPointF c, double r, double lit, bool litRight) {
    QPainterPath path;
    if (lit <= 0.001) return path;
    if (lit >= 0.999) {
        path.addEllipse(c, r, r);
        return path;
    }
    const double side = litRight ? 1 : -1;
    path.moveTo(c.x(), c.y() - r);
    // Limb: half circle from top to bottom on the lit side.
    for (int i = 1; i <= 32; ++i) {
        double a = -M_PI / 2 + M_PI * i / 32;
        path.lineTo(c.x() + side * r * std::cos(a), c.y() + r * std::sin(a));
    }
    // Terminator back up: toward the lit side for a crescent, the dark side for a gibbous moon.
    const double rx = r * (1 - 2 * lit);  // > 0 crescent, < 0 gibbous
    for (int i = 1; i <= 32; ++i) {
        double a = M_PI / 2 - M_PI * i / 32;
        path.lineTo(c.x() + side * rx * std::cos(a), c.y() + r * std::sin(a));
    }
    path.closeSubpath();
    return path;
}

void Crescent(QPainter &p, QPointF c, double r) {
    p.setPen(QPen(QColor(0x94, 0xa3, 0xb8), r * 0.07));
    p.setBrush(QColor(0xe2, 0xe8, 0xf0));
    p.drawPath(MoonPath(c, r, 0.3, false));
}

void Cloud(QPainter &p, QColor fill, double dx = 0, double dy = 0, double k = 1) {
    QPainterPath c;
    c.setFillRule(Qt::WindingFill);  // overlapping puffs merge instead of cancelling
    auto circle = [&](double x, double y, double r) { c.addEllipse(QPointF(dx + x * k, dy + y * k), r * k, r * k); };
    circle(44, 70, 14);
    circle(64, 58, 20);
    circle(86, 68, 15);
    c.addRoundedRect(QRectF(dx + 30 * k, dy + 66 * k, 72 * k, 18 * k), 9 * k, 9 * k);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(c.simplified());
}

void Strokes(QPainter &p, QColor color, double width, std::initializer_list<QLineF> lines) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF &l : lines) p.drawLine(l);
}

void Rain(QPainter &p) {
    Strokes(p, QColor(0x38, 0xbd, 0xf8), 5, {{50, 92, 45, 108}, {66, 92, 61, 108}, {82, 92, 77, 108}});
}

void Snow(QPainter &p) {
    for (QPointF c : {QPointF(46, 100), QPointF(64, 108), QPointF(82, 100)})
        Strokes(p, Qt::white, 2.5, {{c + QPointF(0, -7), c + QPointF(0, 7)},
                                    {c + QPointF(-6, -3.5), c + QPointF(6, 3.5)},
                                    {c + QPointF(-6, 3.5), c + QPointF(6, -3.5)}});
}

void Wind(QPainter &p, double dy = 0) {
    p.setPen(QPen(QColor(0xf1, 0xf5, 0xf9), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath w;
    w.moveTo(18, 62 + dy);
    w.lineTo(80, 62 + dy);
    w.arcTo(QRectF(68, 38 + dy, 24, 24), -90, 270);
    w.moveTo(18, 80 + dy);
    w.lineTo(86, 80 + dy);
    w.arcTo(QRectF(74, 80 + dy, 24, 24), 90, -270);
    p.drawPath(w);
}

void Thermometer(QPainter &p, QPointF c, QColor mercury) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf1, 0xf5, 0xf9));
    p.drawRoundedRect(QRectF(c.x() - 8, c.y() - 36, 16, 52), 8, 8);
    p.setBrush(mercury);
    p.drawEllipse(QPointF(c.x(), c.y() + 24), 14, 14);
    p.drawRect(QRectF(c.x() - 3.5, c.y() - 6, 7, 30));
}

void Text(QPainter &p, const QString &text, double size, QColor color) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(size));
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRectF(0, 0, 128, 128), Qt::AlignCenter, text);
}

// The picture number of a name ("30A.PNG" -> 30), -1 when it has none.
int PictureNumber(const QString &name) {
    int i = 0, n = 0;
    while (i < name.size() && name[i].isDigit() && i < 3) n = n * 10 + name[i++].digitValue();
    return i == 0 ? -1 : n;
}

}  // namespace

// ------------------------------------------------------------------------------------------
// TIconLibrary

TIconLibrary::TIconLibrary(const QString &fileName)
    : fileName_(fileName.isEmpty() ? ProgramFile(QStringLiteral("Services.rcc")) : fileName) {}

TIconLibrary::~TIconLibrary() { Free(); }

bool TIconLibrary::Load() {
    if (loaded_) return true;
    if (!QFileInfo(fileName_).isFile()) return false;
    loaded_ = QResource::registerResource(fileName_, kRoot);
    return loaded_;
}

void TIconLibrary::Free() {
    if (!loaded_) return;
    QResource::unregisterResource(fileName_, kRoot);
    loaded_ = false;
}

QString TIconLibrary::NormalName(const QString &name) {
    QString base = name;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    base = base.section(QLatin1Char('/'), -1).toUpper();
    if (!base.endsWith(QStringLiteral(".PNG"))) {
        int dot = base.lastIndexOf(QLatin1Char('.'));
        if (dot > 0) base.truncate(dot);
        base += QStringLiteral(".PNG");
    }
    return base;
}

QString TIconLibrary::ResourcePath(const QString &name) {
    return QLatin1Char(':') + kRoot + QLatin1Char('/') + NormalName(name);
}

bool TIconLibrary::Contains(const QString &name) const {
    return loaded_ && QFile::exists(ResourcePath(name));
}

QPixmap TIconLibrary::Resource(const QString &name) const {
    QPixmap pm;
    if (!loaded_) return pm;
    // Errors while reading a picture leave it empty.
    pm.load(ResourcePath(name), "PNG");
    return pm;
}

QPixmap TIconLibrary::Picture(const QString &name, QSize size) const {
    QPixmap pm = Resource(name);
    if (pm.isNull()) pm = Art::DrawnCondition(name, size.isValid() ? size.width() : PictureSize);
    if (size.isValid() && pm.size() != size)
        pm = pm.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return pm;
}

// ------------------------------------------------------------------------------------------
// Files under Images/

namespace Art {

QPixmap Glyph(int index) {
    QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/glyphs/%1.png").arg(index)),
                          QSize(GlyphSize, GlyphSize));
    return pm.isNull() ? DrawnGlyph(index) : pm;
}

QPixmap Moon(int index) {
    QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/moon/%1.png").arg(index)),
                          QSize(MoonSize, MoonSize));
    return pm.isNull() ? DrawnMoon(index) : pm;
}

QPixmap DialogPicture(int index) {
    QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/dialog/%1.png").arg(index)),
                          QSize(DialogPictureSize, DialogPictureSize));
    if (!pm.isNull()) return pm;
    pm = Blank(DialogPictureSize, DialogPictureSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(DialogPictureSize / 128.0, DialogPictureSize / 128.0);
    switch (index) {
    case 1: case 2: case 3: {
        const QColor fill = index == 3 ? QColor(0xda, 0x44, 0x53) : QColor(0x3d, 0x7d, 0xd8);
        p.setPen(QPen(fill.darker(160), 3));
        p.setBrush(fill);
        p.drawEllipse(QPointF(64, 64), 56, 56);
        Text(p, index == 1 ? QStringLiteral("?") : index == 2 ? QStringLiteral("i") : QStringLiteral("!"),
             80, Qt::white);
        break;
    }
    case 4: {
        QPolygonF tri({QPointF(64, 8), QPointF(122, 116), QPointF(6, 116)});
        p.setPen(QPen(QColor(0x7a, 0x52, 0x00), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xfd, 0xbc, 0x4b));
        p.drawPolygon(tri);
        p.translate(0, 12);
        Text(p, QStringLiteral("!"), 70, QColor(0x31, 0x36, 0x3b));
        break;
    }
    default:
        p.setPen(QPen(QColor(0x4d, 0x52, 0x57), 3));
        p.setBrush(QColor(0xef, 0xf0, 0xf1));
        p.drawRoundedRect(QRectF(10, 18, 108, 92), 6, 6);
        p.setBrush(QColor(0x3d, 0xae, 0xe9));
        p.drawRect(QRectF(10, 18, 108, 18));
        break;
    }
    return pm;
}

QPixmap Flag(int index) {
    static const char *const codes[] = {"de", "us", "es", "fr"};
    if (index < 0 || index > 3) return {};
    QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/flags/%1.png").arg(QLatin1String(codes[index]))),
                          QSize(16, 11));
    if (!pm.isNull()) return pm;
    pm = Blank(16, 11);
    QPainter p(&pm);
    switch (index) {
    case 0:
        p.fillRect(0, 0, 16, 4, Qt::black);
        p.fillRect(0, 4, 16, 3, QColor(0xdd, 0x00, 0x00));
        p.fillRect(0, 7, 16, 4, QColor(0xff, 0xce, 0x00));
        break;
    case 1:
        p.fillRect(0, 0, 16, 11, Qt::white);
        for (int y = 0; y < 11; y += 2) p.fillRect(0, y, 16, 1, QColor(0xb2, 0x22, 0x34));
        p.fillRect(0, 0, 7, 6, QColor(0x3c, 0x3b, 0x6e));
        break;
    case 2:
        p.fillRect(0, 0, 16, 11, QColor(0xc6, 0x0b, 0x1e));
        p.fillRect(0, 3, 16, 5, QColor(0xff, 0xc4, 0x00));
        break;
    default:
        p.fillRect(0, 0, 5, 11, QColor(0x00, 0x55, 0xa4));
        p.fillRect(5, 0, 6, 11, Qt::white);
        p.fillRect(11, 0, 5, 11, QColor(0xef, 0x41, 0x35));
        break;
    }
    return pm;
}

QPixmap ProgramPicture(const QString &name) {
    // A relative name below Images/ ("NWS\\xml_logo.png"); nothing may climb out of it.
    QString rel = name;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")) || parts.contains(QStringLiteral(".")) ||
        rel.startsWith(QLatin1Char('/')))
        return {};
    const QString folder = parts.size() > 1 ? parts.mid(0, parts.size() - 1).join(QLatin1Char('/')) + QLatin1Char('/')
                                            : QString();
    const QString base = parts.last();
    const bool close = folder.isEmpty() && base.startsWith(QStringLiteral("BTNCLOSE"), Qt::CaseInsensitive) &&
                       base.size() >= 9;
    const QSize size = close ? QSize(16, 16) : QSize();
    for (const QString &candidate : {base, base.toUpper(), base.toLower()}) {
        QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/") + folder + candidate), size);
        if (!pm.isNull()) return pm;
    }
    if (!close) return {};
    QColor fill;
    switch (base.at(8).toUpper().toLatin1()) {
    case 'D': fill = QColor(0x8c, 0x93, 0x99); break;
    case 'F': fill = QColor(0xf0, 0x70, 0x7c); break;
    case 'P': fill = QColor(0xa8, 0x28, 0x3a); break;
    default: fill = QColor(0xda, 0x44, 0x53); break;
    }
    QPixmap pm = Blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(180), 1));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    Strokes(p, Qt::white, 1.6, {{5.5, 5.5, 10.5, 10.5}, {10.5, 5.5, 5.5, 10.5}});
    return pm;
}

QPixmap Splash() {
    QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/splash.png")), QSize(500, 320));
    if (!pm.isNull()) return pm;
    pm = QPixmap(500, 320);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 300, 320);
    g.setColorAt(0, QColor(0x45, 0x47, 0x4c));
    g.setColorAt(0.55, QColor(0x36, 0x37, 0x3a));  // the splash window's own colour
    g.setColorAt(1, QColor(0x1f, 0x20, 0x23));
    p.fillRect(pm.rect(), g);
    return pm;
}

QPixmap MakerLogo() {
    QPixmap pm = LoadFile(ProgramFile(QStringLiteral("Images/logo.png")), QSize(120, 64));
    if (!pm.isNull()) return pm;
    pm = Blank(120, 64);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(64 / 128.0, 64 / 128.0);
    Sun(p, QPointF(48, 48), 22);
    Cloud(p, QColor(0xe2, 0xe8, 0xf0), 0, 10);
    p.resetTransform();
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(50, 0, 70, 64), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tolvu"));
    return pm;
}

// ------------------------------------------------------------------------------------------
// Drawn stand-ins

QPixmap DrawnCondition(const QString &name, int size) {
    if (size <= 0) size = TIconLibrary::PictureSize;
    QPixmap pm = Blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);

    const int n = PictureNumber(TIconLibrary::NormalName(name));
    const bool night = n >= 0 && n <= 47 && (n % 2) == 1;
    const QColor light(0xe2, 0xe8, 0xf0), dark(0x64, 0x74, 0x8b);
    auto sky = [&](bool small) {
        if (small) night ? Crescent(p, QPointF(46, 44), 22) : Sun(p, QPointF(46, 44), 19);
        else night ? Crescent(p, QPointF(64, 64), 34) : Sun(p, QPointF(64, 64), 28);
    };
    if (n < 0 || n > 53) {
        Text(p, QStringLiteral("N/A"), 40, light);
    } else if (n <= 1) {
        sky(false);
    } else if (n <= 7) {
        sky(true);
        Cloud(p, light);
    } else if (n <= 11) {
        Cloud(p, QColor(0x94, 0xa3, 0xb8), 30, -10, 0.75);
        Cloud(p, n >= 10 ? dark : light);
    } else if (n <= 19) {
        if (n <= 17) sky(true);
        Cloud(p, n <= 13 || n >= 18 ? dark : light);
        Rain(p);
    } else if (n <= 23) {
        sky(true);
        Cloud(p, dark);
        p.setPen(QPen(QColor(0xb4, 0x53, 0x09), 2));
        p.setBrush(QColor(0xfa, 0xcc, 0x15));
        p.drawPolygon(QPolygonF({QPointF(70, 76), QPointF(54, 100), QPointF(66, 100), QPointF(58, 122),
                                 QPointF(82, 92), QPointF(70, 92), QPointF(80, 76)}));
    } else if (n <= 33) {
        if (n != 32) sky(true);
        Cloud(p, n <= 25 ? dark : light);
        if (n <= 27) Strokes(p, QColor(0x38, 0xbd, 0xf8), 5, {{50, 92, 45, 108}, {82, 92, 77, 108}});
        Snow(p);
    } else if (n <= 41) {
        if (n <= 39 && n >= 36) {
            Cloud(p, light, 24, -26, 0.8);
            if (n <= 37) Strokes(p, QColor(0x38, 0xbd, 0xf8), 4, {{70, 56, 66, 68}, {86, 56, 82, 68}});
        } else if (n <= 35) {
            Cloud(p, light, 24, -26, 0.8);
            Snow(p);
        }
        Wind(p, n <= 39 ? 10 : 0);
    } else if (n <= 45) {
        sky(true);
        Strokes(p, n <= 43 ? QColor(0xcb, 0xd5, 0xe1) : QColor(0xfc, 0xd3, 0x4d), 6,
                {{28, 82, 100, 82}, {20, 96, 100, 96}, {32, 110, 96, 110}});
    } else if (n <= 47) {
        sky(true);
        Thermometer(p, QPointF(92, 70), QColor(0xef, 0x44, 0x44));
    } else if (n == 48) {
        Thermometer(p, QPointF(64, 60), QColor(0x3b, 0x82, 0xf6));
    } else if (n == 49 || n == 50) {
        p.setPen(Qt::NoPen);
        p.setBrush(n == 49 ? QColor(0xd6, 0xa3, 0x5c) : QColor(0x94, 0xa3, 0xb8));
        for (QPointF c : {QPointF(30, 60), QPointF(52, 48), QPointF(74, 64), QPointF(96, 50), QPointF(42, 82),
                          QPointF(66, 90), QPointF(92, 80)})
            p.drawEllipse(c, n == 49 ? 5 : 9, n == 49 ? 5 : 9);
    } else if (n == 51) {
        Cloud(p, dark, 0, -14);
        Snow(p);
        Wind(p, 20);
    } else if (n == 52) {
        Strokes(p, QColor(0xcb, 0xd5, 0xe1), 7,
                {{24, 32, 104, 32}, {32, 50, 94, 50}, {42, 68, 84, 68}, {52, 86, 76, 86}, {60, 104, 70, 104}});
    } else {
        p.setPen(QPen(QColor(0xf8, 0x71, 0x71), 8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(24, 24, 80, 80), 90 * 16, 120 * 16);
        p.drawArc(QRectF(24, 24, 80, 80), 270 * 16, 120 * 16);
        p.setPen(QPen(light, 8));
        p.drawEllipse(QPointF(64, 64), 18, 18);
    }
    return pm;
}

QPixmap DrawnGlyph(int index) {
    QPixmap pm = Blank(GlyphSize, GlyphSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 16: case 19: {
        const QColor c = index == 16 ? QColor(0x27, 0xae, 0x60) : QColor(0xda, 0x44, 0x53);
        p.setPen(QPen(c.darker(200), 1));
        p.setBrush(c);
        p.drawEllipse(QPointF(12, 12), 8, 8);
        break;
    }
    case 20: case 21: case 22: {
        // An arrow pointing up, down or right.
        QPolygonF arrow({QPointF(12, 2.5), QPointF(20.5, 11.5), QPointF(15.5, 11.5), QPointF(15.5, 21.5),
                         QPointF(8.5, 21.5), QPointF(8.5, 11.5), QPointF(3.5, 11.5)});
        QTransform t;
        t.translate(12, 12);
        t.rotate(index == 20 ? 0 : index == 21 ? 180 : 90);
        t.translate(-12, -12);
        const QColor c = index == 20 ? QColor(0x2e, 0xcc, 0x71) : index == 21 ? QColor(0xe7, 0x4c, 0x3c)
                                                                               : QColor(0xf5, 0xb8, 0x2e);
        p.setPen(QPen(c.darker(250), 1));
        p.setBrush(c);
        p.drawPolygon(t.map(arrow));
        break;
    }
    default:
        p.setPen(QPen(QColor(0xef, 0xf0, 0xf1), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 3, 3);
        break;
    }
    return pm;
}

QPixmap DrawnMoon(int index, int size) {
    if (size <= 0) size = MoonSize;
    QPixmap pm = Blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const int i = ((index % 8) + 8) % 8;
    static const double lit[] = {0, 0.25, 0.5, 0.75, 1, 0.75, 0.5, 0.25};
    p.setPen(QPen(QColor(0x94, 0xa3, 0xb8), 1.5, Qt::DashLine));
    p.setBrush(QColor(0x1e, 0x29, 0x3b));
    p.drawEllipse(QPointF(32, 32), 26, 26);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe2, 0xe8, 0xf0));
    p.drawPath(MoonPath(QPointF(32, 32), 26, lit[i], i < 4));
    return pm;
}

}  // namespace Art
