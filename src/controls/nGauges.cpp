#include "controls/nGauges.h"

#include <QConicalGradient>
#include <QEvent>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Each degree of an arc is three radial lines this far apart, so that the arc
// has no gaps at the outer radius.
constexpr int kArcLinesPerDegree = 3;
constexpr double kArcLineSpacing = 0.39;
constexpr double kBoldTikSpacing = 0.75;

int Trunc(double v) { return static_cast<int>(std::trunc(v)); }

// Division by the value range; callers check for an empty range first.
double Scaled(long long a, long long b, long long range) { return double(a) * double(b) / double(range); }

TGaugeResourceLoader &Loader() {
    static TGaugeResourceLoader loader;
    return loader;
}

QColor Q(TColor c) { return ToQColor(c); }

}  // namespace

// ---------------------------------------------------------------- geometry

int TGaugeParams::ClampedValue() const { return std::max(min, std::min(value, max)); }

TSlide SlideRect(const TGaugeParams &p, QSize control, QSize picture, bool stretch) {
    TSlide s{p.slideX, p.slideY, p.slideWidth, p.slideLength};
    if (stretch && picture.width() > 0 && picture.height() > 0) {
        const double fx = double(control.width()) / picture.width();
        const double fy = double(control.height()) / picture.height();
        s.left = int(std::lround(s.left * fx));
        s.width = int(std::lround(s.width * fx));
        s.top = Trunc(s.top * fy);
        s.length = Trunc(s.length * fy);
    }
    if (p.Round()) s.width = control.width() - 2 * p.margin;
    return s;
}

int VerticalOffset(int length, int min, int max, int v) {
    if (max == min) return 0;
    return Trunc(Scaled(length, (long long)max - v, (long long)max - min));
}

TScaleGeometry VerticalScale(const TGaugeParams &p, const TSlide &s, bool bold) {
    TScaleGeometry g;
    if (p.tikLength == 0 || !p.style.testFlag(gsVertical) || p.max == p.min) return g;
    const double majorExact = Scaled(s.length, p.step, (long long)p.max - p.min);
    const int major = Trunc(majorExact);
    // A step too small for one pixel (or pointing the wrong way) would never
    // leave the loop below.
    if (major <= 0) return g;
    const int tiks = std::max(0, p.tiks);
    const int minor = Trunc(majorExact / (tiks + 1));
    const int right = s.left + s.width;
    const int markEnd = right + p.tikLength;
    const int bottom = s.top + s.length;
    int value = p.max;
    for (int y = s.top; y <= bottom; y += major, value -= p.step) {
        g.major.emplace_back(right, y, markEnd, y);
        if (bold) g.major.emplace_back(right, y + 1, markEnd, y + 1);
        g.labels.push_back({value, QPoint(markEnd + p.itemOffset, y)});
        for (int i = 1; i <= tiks; ++i) {
            const int yy = y + i * minor;
            if (yy > bottom) break;
            g.minor.emplace_back(right, yy, markEnd - 8, yy);
        }
    }
    return g;
}

TColumnFill VerticalFill(const TGaugeParams &p, const TSlide &s) {
    const int offset = VerticalOffset(s.length, p.min, p.max, p.ClampedValue());
    return {s.top + offset, s.length - offset};
}

QRect VerticalMarkerBox(const TGaugeParams &p, const TSlide &s, int markerValue, int size) {
    const int offset = VerticalOffset(s.length, p.min, p.max, markerValue);
    const int left = p.alignment == TGaugeAlignment::Right ? s.left + s.width : s.left - size;
    return QRect(left, s.top + offset - size, size, 2 * size);
}

std::array<QPoint, 3> VerticalMarkerTriangle(const TGaugeParams &p, const TSlide &s, int markerValue,
                                             int size) {
    const QPoint o = VerticalMarkerBox(p, s, markerValue, size).topLeft();
    if (p.alignment == TGaugeAlignment::Right)
        return {o + QPoint(size, 0), o + QPoint(0, size), o + QPoint(size, 2 * size)};
    return {o, o + QPoint(size, size), o + QPoint(0, 2 * size)};
}

QPoint RoundCentre(int controlWidth) { return QPoint(controlWidth / 2, controlWidth / 2 + 1); }

QPoint RoundPoint(QPoint centre, double radius, double angle, int degreeOffset) {
    const double rad = (angle - degreeOffset) * kPi / 180.0;
    return QPoint(Trunc(centre.x() + radius * std::cos(rad)), Trunc(centre.y() + radius * std::sin(rad)));
}

int ValueAngle(int sweep, int v, int min, int max) {
    if (max == min) return 0;
    return Trunc(Scaled(sweep, (long long)v - min, (long long)max - min));
}

int DialDiameter(const TGaugeParams &p, int controlWidth) { return controlWidth - 2 * p.margin; }

std::vector<TRoundScaleMark> RoundScaleMarks(const TGaugeParams &p) {
    std::vector<TRoundScaleMark> marks;
    if (p.tikLength == 0 || p.max <= p.min || p.step <= 0) return marks;
    const int angleStep = Trunc(Scaled(p.slideLength, p.step, (long long)p.max - p.min));
    // Counted over the range, so a dial that does not start at 0 is labelled to its end.
    const int count = (p.max - p.min) / p.step;
    for (int k = 0; k <= count; ++k) marks.push_back({p.min + k * p.step, k * angleStep});
    return marks;
}

TScaleGeometry RoundScale(const TGaugeParams &p, int controlWidth, bool bold) {
    TScaleGeometry g;
    const QPoint c = RoundCentre(controlWidth);
    const int r = DialDiameter(p, controlWidth) / 2 - p.margin;
    for (const TRoundScaleMark &m : RoundScaleMarks(p)) {
        const int extra = bold ? 2 : 0;
        for (int i = 0; i <= extra; ++i) {
            const double a = m.angle + (i ? kBoldTikSpacing * i : 0.0);
            g.major.emplace_back(RoundPoint(c, r - p.tikLength, a, p.degreeOffset),
                                 RoundPoint(c, r, a, p.degreeOffset));
        }
        g.labels.push_back({m.value, RoundPoint(c, r - p.tikLength - p.itemOffset, m.angle, p.degreeOffset)});
    }
    return g;
}

TArcGeometry RoundArc(const TGaugeParams &p, int controlWidth) {
    TArcGeometry a;
    a.visible = p.slideLength > 0 && p.slideWidth > 0;
    a.outer = DialDiameter(p, controlWidth) / 2 - p.slideX;
    a.inner = a.outer - p.slideWidth;
    a.angle = ValueAngle(p.slideLength, p.ClampedValue(), p.min, p.max);
    return a;
}

TColor ArcColor(TColor from, TColor to, int d, int angle) {
    from = ResolveColor(from);
    to = ResolveColor(to);
    if (angle == 0) return from;
    auto mix = [&](int a, int b) { return a + Trunc(double(b - a) * d / angle); };
    return RGBColor(mix(ColorR(from), ColorR(to)), mix(ColorG(from), ColorG(to)), mix(ColorB(from), ColorB(to)));
}

std::vector<QPoint> NeedlePoints(const TGaugeParams &p, int controlWidth) {
    if (p.alphaSize < 1) return {};
    const QPoint c = RoundCentre(controlWidth);
    const int a = ValueAngle(p.slideLength, p.alpha, p.min, p.max);
    const double base = std::nearbyint(p.alphaSize / 8.0);
    const int spread = 2 * p.alphaSize;
    return {RoundPoint(c, base, a - spread, p.degreeOffset), RoundPoint(c, p.alphaSize, a, p.degreeOffset),
            RoundPoint(c, base, a + spread, p.degreeOffset)};
}

QString CompassPointName(int value) {
    static const char *const names[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    const int i = ((value / 45) % 8 + 8) % 8;
    return QString::fromLatin1(names[i]);
}

// ---------------------------------------------------------------- pictures

namespace {

void Bezel(QPainter &p, const QRectF &r) {
    QConicalGradient ring(r.center(), 45);
    ring.setColorAt(0.0, QColor(250, 250, 252));
    ring.setColorAt(0.25, QColor(120, 126, 140));
    ring.setColorAt(0.5, QColor(230, 232, 238));
    ring.setColorAt(0.75, QColor(90, 96, 110));
    ring.setColorAt(1.0, QColor(250, 250, 252));
    p.setPen(QPen(QColor(30, 34, 48), 1));
    p.setBrush(ring);
    p.drawEllipse(r);
}

QImage DrawDialBack(int kind) {
    QImage img(128, 128, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(64, 65);
    Bezel(p, QRectF(c.x() - 62.5, c.y() - 62.5, 125, 125));
    QColor in, out;
    switch (kind) {
    case 1: in = QColor(255, 255, 255); out = QColor(200, 204, 214); break;
    case 2: in = QColor(92, 96, 108); out = QColor(28, 30, 38); break;
    default: in = QColor(36, 64, 140); out = QColor(6, 12, 52); break;
    }
    QRadialGradient face(c, 58, c - QPointF(14, 18));
    face.setColorAt(0, in);
    face.setColorAt(1, out);
    p.setPen(QPen(QColor(10, 14, 30, 200), 1.2));
    p.setBrush(face);
    p.drawEllipse(c, 57.5, 57.5);
    return img;
}

QImage DrawLens(bool withCap) {
    QImage img(128, 128, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(64, 65);
    // Glass: a faint rim and a highlight over the upper left.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 57, 57);
    QPainterPath glass;
    glass.addEllipse(c, 56, 56);
    QPainterPath cut;
    cut.addEllipse(QPointF(c.x() + 22, c.y() + 30), 72, 72);
    QLinearGradient shine(QPointF(20, 10), QPointF(70, 70));
    shine.setColorAt(0, QColor(255, 255, 255, 120));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(glass.subtracted(cut));
    if (withCap) {
        QRadialGradient cap(c, 7, c - QPointF(2, 2));
        cap.setColorAt(0, QColor(250, 250, 250));
        cap.setColorAt(1, QColor(90, 96, 110));
        p.setPen(QPen(QColor(20, 24, 36), 0.8));
        p.setBrush(cap);
        p.drawEllipse(c, 6, 6);
    }
    return img;
}

QImage DrawThermometer(bool alternate) {
    QImage img(116, 240, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The column shows through the open tube (x 44..68, y 10..214).
    const QRectF tube(44, 8, 24, 212);
    const QPointF bulb(56, 222);
    const qreal bulbR = 15;
    QPainterPath outline;
    outline.addRoundedRect(tube, 12, 12);
    outline.addEllipse(bulb, bulbR, bulbR);
    outline = outline.simplified();
    QRadialGradient liquid(bulb, bulbR, bulb - QPointF(5, 5));
    liquid.setColorAt(0, alternate ? QColor(255, 170, 120) : QColor(255, 140, 140));
    liquid.setColorAt(1, alternate ? QColor(170, 60, 0) : QColor(170, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(liquid);
    p.drawEllipse(bulb, bulbR - 2.5, bulbR - 2.5);
    QLinearGradient shine(QPointF(tube.left(), 0), QPointF(tube.right(), 0));
    shine.setColorAt(0.0, QColor(255, 255, 255, 30));
    shine.setColorAt(0.2, QColor(255, 255, 255, 140));
    shine.setColorAt(0.35, QColor(255, 255, 255, 0));
    shine.setColorAt(0.85, QColor(0, 0, 0, 0));
    shine.setColorAt(1.0, QColor(0, 0, 0, 70));
    p.setBrush(shine);
    p.drawRoundedRect(tube.adjusted(2, 2, -2, -14), 10, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(alternate ? QColor(230, 200, 160) : QColor(214, 220, 232), 2.5));
    p.drawPath(outline);
    return img;
}

}  // namespace

QImage DrawnGaugePicture(const QString &name) {
    const QString n = name.toUpper();
    if (n == QLatin1String("GAUGEBACK01.PNG")) return DrawDialBack(1);
    if (n == QLatin1String("GAUGEBACK02.PNG")) return DrawDialBack(2);
    if (n == QLatin1String("GAUGEBACK03.PNG")) return DrawDialBack(3);
    if (n == QLatin1String("GAUGELENSE00.PNG")) return DrawLens(false);
    if (n == QLatin1String("GAUGELENSE01.PNG")) return DrawLens(true);
    if (n == QLatin1String("THERMOMETER00.PNG")) return DrawThermometer(false);
    if (n == QLatin1String("THERMOMETER0A.PNG")) return DrawThermometer(true);
    return {};
}

void SetGaugeResourceLoader(TGaugeResourceLoader loader) { Loader() = std::move(loader); }

QImage LoadGaugeResource(const QString &name) {
    if (name.isEmpty()) return {};
    if (Loader()) {
        QImage img = Loader()(name);
        if (!img.isNull()) return img;
    }
    const QString res = QStringLiteral(":/gauges/") + name;
    if (QFile::exists(res)) {
        QImage img(res);
        if (!img.isNull()) return img;
    }
    return DrawnGaugePicture(name);
}

// ---------------------------------------------------------------- TOverlayImage

TOverlayImage::TOverlayImage(QWidget *parent) : QWidget(parent) {}

void TOverlayImage::SetPicture(const QImage &img) {
    picture_ = img;
    ApplyAutoSize();
    update();
}

void TOverlayImage::SetBackground(const QImage &img) {
    if (img.cacheKey() != background_.cacheKey()) transparent_ = true;
    background_ = img;
    backTransparent_ = true;
    update();
}

void TOverlayImage::SetTransparentBack(bool on) {
    if (background_.isNull() || backTransparent_ == on) return;
    backTransparent_ = on;
    update();
}

void TOverlayImage::SetTransparent(bool on) {
    if (transparent_ == on) return;
    transparent_ = on;
    update();
}

void TOverlayImage::SetStretch(bool on) {
    if (stretch_ == on) return;
    stretch_ = on;
    update();
}

void TOverlayImage::SetAutoSize(bool on) {
    autoSize_ = on;
    ApplyAutoSize();
}

void TOverlayImage::SetCenter(bool on) {
    if (center_ == on) return;
    center_ = on;
    update();
}

void TOverlayImage::ApplyAutoSize() {
    if (autoSize_ && !picture_.isNull()) resize(picture_.size());
}

QSize TOverlayImage::sizeHint() const { return picture_.isNull() ? QSize(100, 200) : picture_.size(); }

QRect TOverlayImage::DestRect() const {
    if (stretch_) return rect();
    const QSize s = !picture_.isNull() ? picture_.size() : background_.size();
    if (center_) return QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    return QRect(QPoint(0, 0), s);
}

void TOverlayImage::RaisePaint(QPainter &p, int phase) {
    if (OnPaint) OnPaint(this, p, phase);
}

void TOverlayImage::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    RaisePaint(p, 0);
    PaintStage0(p);
    const QRect dest = DestRect();
    if (!background_.isNull()) {
        if (stretch_)
            p.drawImage(dest, background_);
        else
            p.drawImage(dest.topLeft(), background_);
    }
    RaisePaint(p, 1);
    PaintStage1(p);
    if (!picture_.isNull()) {
        if (stretch_)
            p.drawImage(dest, picture_);
        else
            p.drawImage(dest.topLeft(), picture_);
    }
    RaisePaint(p, 2);
}

// ---------------------------------------------------------------- TCustomGauge

TCustomGauge::TCustomGauge(QWidget *parent) : TOverlayImage(parent) {
    QFont f(QStringLiteral("Arial"));
    setFont(f);
    resize(100, 200);
}

void TCustomGauge::SetStyle(TGaugeStyles s) {
    if (s == p_.style) return;
    const TGaugeStyles old = p_.style;
    if (s.testFlag(gsVertical) && !old.testFlag(gsVertical))
        s &= ~TGaugeStyles(gsHorizontal | gsElipse);
    else if (s.testFlag(gsHorizontal) && !old.testFlag(gsHorizontal))
        s &= ~TGaugeStyles(gsVertical | gsElipse);
    else if (s.testFlag(gsElipse))
        s &= ~TGaugeStyles(gsVertical | gsHorizontal);
    p_.style = s;
    ReloadLayers(old, s);
    update();
}

void TCustomGauge::ReloadLayers(TGaugeStyles before, TGaugeStyles after) {
    if (after.testFlag(gsDefaultBack) && !before.testFlag(gsDefaultBack)) {
        SetBackground(LoadGaugeResource(BackResourceName()));
        SetTransparent(true);
        SetAutoSize(true);
    } else if (!after.testFlag(gsDefaultBack) && before.testFlag(gsDefaultBack)) {
        SetBackground(QImage());
        SetTransparent(false);
    }
    if (after.testFlag(gsDefaultPicture) && !before.testFlag(gsDefaultPicture)) {
        SetPicture(LoadGaugeResource(ForeResourceName()));
        SetAutoSize(true);
    } else if (!after.testFlag(gsDefaultPicture) && before.testFlag(gsDefaultPicture)) {
        SetPicture(QImage());
    }
}

void TCustomGauge::SetMin(int v) { Store(p_.min, v); }
void TCustomGauge::SetMax(int v) { Store(p_.max, v); }
void TCustomGauge::SetStep(int v) { Store(p_.step, v); }

void TCustomGauge::SetValue(int v) {
    if (v == p_.value || (p_.min == p_.max && p_.max == p_.value)) return;
    p_.value = std::max(p_.min, std::min(v, p_.max));
    update();
}

void TCustomGauge::SetAlpha(int v) { Store(p_.alpha, v); }
void TCustomGauge::SetBeta(int v) { Store(p_.beta, v); }
void TCustomGauge::SetAlphaSize(int v) {
    p_.alphaSize = v;
    update();
}
void TCustomGauge::SetBetaSize(int v) {
    p_.betaSize = v;
    update();
}
void TCustomGauge::SetSlideX(int v) { Store(p_.slideX, v); }
void TCustomGauge::SetSlideY(int v) { Store(p_.slideY, v); }
void TCustomGauge::SetSlideWidth(int v) { Store(p_.slideWidth, v); }
void TCustomGauge::SetSlideLength(int v) { Store(p_.slideLength, v); }
void TCustomGauge::SetTikLength(int v) { Store(p_.tikLength, v); }
void TCustomGauge::SetTiks(int v) { Store(p_.tiks, v); }
void TCustomGauge::SetItemOffset(int v) { Store(p_.itemOffset, v); }
void TCustomGauge::SetMargin(int v) { Store(p_.margin, v); }
void TCustomGauge::SetAlignment(TGaugeAlignment a) { Store(p_.alignment, a); }
void TCustomGauge::SetPrefix(const QString &s) { Store(prefix_, s); }
void TCustomGauge::SetPostfix(const QString &s) { Store(postfix_, s); }
void TCustomGauge::SetGradient(bool on) { Store(gradient_, on); }
void TCustomGauge::SetColor(TColor c) { Store(color_, c); }
void TCustomGauge::SetColor2(TColor c) { Store(color2_, c); }
void TCustomGauge::SetColorA(TColor c) { Store(colorA_, c); }
void TCustomGauge::SetColorB(TColor c) { Store(colorB_, c); }
void TCustomGauge::SetTikColor(TColor c) { Store(tikColor_, c); }
void TCustomGauge::SetBackColor(TColor c) { Store(backColor_, c); }
void TCustomGauge::SetFontColor(TColor c) { Store(fontColor_, c); }

void TCustomGauge::changeEvent(QEvent *e) {
    if (e->type() == QEvent::FontChange) update();
    TOverlayImage::changeEvent(e);
}

TSlide TCustomGauge::Slide() const { return SlideRect(p_, size(), Picture().size(), Stretch()); }

void TCustomGauge::DoAlphaChange() {
    if (OnAlphaChange) OnAlphaChange(this);
}
void TCustomGauge::DoBetaChange() {
    if (OnBetaChange) OnBetaChange(this);
}

void TCustomGauge::PaintStage1(QPainter &p) {
    DrawValue(p);
    DrawMarkers(p);
}

void TCustomGauge::DrawValue(QPainter &p) {
    DrawFilled(p);
    DrawScale(p);
    AfterScale(p);
}

void TCustomGauge::DrawMarkers(QPainter &p) {
    DrawBeta(p);
    DrawAlpha(p);
}

void TCustomGauge::DrawFilled(QPainter &p) {
    const TSlide s = Slide();
    const TColumnFill f = VerticalFill(p_, s);
    if (f.length <= 0 || s.width <= 0) return;
    QImage bar(s.width, f.length + 1, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter b(&bar);
        if (gradient_) {
            QLinearGradient g(0, 0, 0, bar.height());
            g.setColorAt(0, Q(color_));
            g.setColorAt(1, Q(color2_));
            b.fillRect(bar.rect(), g);
        } else {
            b.fillRect(bar.rect(), Q(color_));
        }
    }
    p.drawImage(QPoint(s.left, f.top), bar);
}

void TCustomGauge::DrawScale(QPainter &p) {
    const TScaleGeometry g = VerticalScale(p_, Slide(), font().bold());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Q(tikColor_), 0));
    for (const QLine &l : g.major) p.drawLine(l);
    p.setPen(QPen(Q(colorB_), 0));
    for (const QLine &l : g.minor) p.drawLine(l);
    p.restore();
    for (const TScaleLabel &l : g.labels) DoDrawItem(p, l.value, QRect(l.anchor, QSize(0, 0)));
}

void TCustomGauge::DrawVerticalMarker(QPainter &p, int value, int size, TColor color) {
    if (size <= 0) return;
    const TSlide s = Slide();
    p.save();
    p.setPen(QPen(Q(color), 1));
    p.setBrush(Q(color));
    if (p_.style.testFlag(gsArrow)) {
        const auto pts = VerticalMarkerTriangle(p_, s, value, size);
        p.drawPolygon(pts.data(), 3);
    } else {
        p.setPen(Qt::NoPen);
        p.drawRect(VerticalMarkerBox(p_, s, value, size));
    }
    p.restore();
}

void TCustomGauge::DrawAlpha(QPainter &p) { DrawVerticalMarker(p, p_.alpha, p_.alphaSize, colorA_); }
void TCustomGauge::DrawBeta(QPainter &p) { DrawVerticalMarker(p, p_.beta, p_.betaSize, colorB_); }

void TCustomGauge::DrawLabelText(QPainter &p, const QString &text, QPoint anchor) {
    p.save();
    p.setFont(font());
    p.setPen(Q(fontColor_));
    p.drawText(QRect(anchor.x() - 500, anchor.y() - 500, 1000, 1000), Qt::AlignCenter | Qt::TextDontClip, text);
    p.restore();
}

void TCustomGauge::DoDrawItem(QPainter &p, int value, QRect anchor) {
    if (OnDrawItem) {
        OnDrawItem(this, p, value, anchor);
        return;
    }
    DrawLabelText(p, prefix_ + QString::number(value) + postfix_, anchor.topLeft());
}

// ---------------------------------------------------------------- TRoundGauge

TRoundGauge::TRoundGauge(QWidget *parent) : TCustomGauge(parent) { p_.itemOffset = 8; }

void TRoundGauge::SetDegreeOffset(int v) { Store(p_.degreeOffset, v); }

void TRoundGauge::PaintFace(QPainter &p) {
    if (!p_.Round() || !TransparentBack() || Transparent()) return;
    p.save();
    p.setPen(QPen(Q(backColor_), 1));
    p.setBrush(Q(backColor_));
    p.drawEllipse(rect().adjusted(p_.margin, p_.margin, -p_.margin - 1, -p_.margin - 1));
    p.restore();
}

void TRoundGauge::DrawFilled(QPainter &p) {
    if (!p_.Round()) return TCustomGauge::DrawFilled(p);
    const TArcGeometry a = RoundArc(p_, width());
    if (!a.visible) return;
    const QPoint c = RoundCentre(width());
    p.save();
    for (int d = 0; d <= a.angle; ++d) {
        const TColor col = gradient_ ? ArcColor(color2_, color_, d, a.angle) : color_;
        p.setPen(QPen(Q(col), 1));
        for (int i = 0; i < kArcLinesPerDegree; ++i) {
            const double ang = d + i * kArcLineSpacing;
            p.drawLine(RoundPoint(c, a.inner, ang, p_.degreeOffset), RoundPoint(c, a.outer, ang, p_.degreeOffset));
        }
    }
    p.restore();
}

void TRoundGauge::DrawScale(QPainter &p) {
    if (!p_.Round()) return TCustomGauge::DrawScale(p);
    const TScaleGeometry g = RoundScale(p_, width(), font().bold());
    p.save();
    p.setPen(QPen(Q(tikColor_), 1));
    for (const QLine &l : g.major) p.drawLine(l);
    p.restore();
    for (const TScaleLabel &l : g.labels) DoDrawItem(p, l.value, QRect(l.anchor, QSize(0, 0)));
}

void TRoundGauge::DrawAlpha(QPainter &p) {
    if (!p_.Round()) return TCustomGauge::DrawAlpha(p);
    const std::vector<QPoint> pts = NeedlePoints(p_, width());
    if (pts.empty()) return;
    p.save();
    p.setPen(QPen(Q(colorA_), 1));
    p.setBrush(Q(colorA_));
    p.drawPolygon(pts.data(), int(pts.size()));
    p.restore();
}

void TRoundGauge::DrawBeta(QPainter &p) {
    if (!p_.Round()) TCustomGauge::DrawBeta(p);
}

// ---------------------------------------------------------------- concrete gauges

TImageGauge::TImageGauge(QWidget *parent) : TRoundGauge(parent) {}

void TImageGauge::SetBackResource(const QString &name) {
    if (backResource_ == name) return;
    backResource_ = name;
    if (p_.style.testFlag(gsDefaultBack)) SetBackground(LoadGaugeResource(name));
}

void TImageGauge::SetForeResource(const QString &name) {
    if (foreResource_ == name) return;
    foreResource_ = name;
    if (p_.style.testFlag(gsDefaultPicture)) SetPicture(LoadGaugeResource(name));
}

TTemperature::TTemperature(QWidget *parent) : TRoundGauge(parent) { postfix_ = QStringLiteral("°"); }

void TTemperature::SetStyle(TGaugeStyles s) {
    const bool pictureOn = s.testFlag(gsDefaultPicture) && !p_.style.testFlag(gsDefaultPicture);
    TRoundGauge::SetStyle(s);
    if (pictureOn) {
        // The column of the built-in thermometer picture.
        p_.slideWidth = 18;
        p_.slideX = 48;
        p_.slideY = 36;
        update();
    }
}

TCompass::TCompass(QWidget *parent) : TRoundGauge(parent) {
    SetStyle(TGaugeStyles(gsElipse) | gsDefaultPicture);
    SetAutoSize(true);
    p_.degreeOffset = 90;
    p_.slideLength = 360;
    p_.value = 360;  // read back clamped to 359
    p_.slideWidth = 4;
    p_.slideX = 1;
    p_.max = 359;
    p_.step = 45;
    p_.margin = 2;
    p_.tikLength = 14;
    p_.alphaSize = 32;
    if (Picture().isNull()) resize(128, 128);
}

void TCompass::SetStyle(TGaugeStyles s) {
    s &= ~TGaugeStyles(gsVertical);
    fontColor_ = s.testFlag(gsDefaultBack) ? clSkyBlue : clBlack;
    TRoundGauge::SetStyle(s);
    update();
}

void TCompass::DoDrawItem(QPainter &p, int value, QRect anchor) {
    if (OnDrawItem) {
        OnDrawItem(this, p, value, anchor);
        return;
    }
    DrawLabelText(p, prefix_ + CompassPointName(value) + postfix_, anchor.topLeft());
}
