#pragma once
// The instrument family of the Current page: an image control with a
// background layer (TOverlayImage), a value scale (TCustomGauge), round dials
// (TRoundGauge) and the thermometer, humidity dial and compass.
//
// All geometry lives in free functions over TGaugeParams so that it can be
// checked without painting; the paint code only draws what they return.
#include <QFlags>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "controls/WinColors.h"

enum TGaugeStyle : unsigned {
    gsVertical = 0x01,
    gsHorizontal = 0x02,
    gsElipse = 0x04,
    gsDefaultBack = 0x08,
    gsDefaultPicture = 0x10,
    gsArrow = 0x20,
};
Q_DECLARE_FLAGS(TGaugeStyles, TGaugeStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGaugeStyles)

enum class TGaugeAlignment { Left, Right, Center };

// The numbers a gauge is drawn from.
struct TGaugeParams {
    TGaugeStyles style = TGaugeStyles(gsVertical) | gsArrow;
    int min = 0, max = 100, step = 10, value = 50;
    int alpha = 0, beta = 0, alphaSize = 6, betaSize = 6;
    int slideX = 20, slideY = 20, slideWidth = 23, slideLength = 160;
    int tikLength = 20, tiks = 3, itemOffset = 4;
    TGaugeAlignment alignment = TGaugeAlignment::Right;
    int margin = 0;
    int degreeOffset = 180;

    bool Round() const { return style.testFlag(gsElipse); }
    int ClampedValue() const;
};

struct TSlide {
    int left = 0, top = 0, width = 0, length = 0;
};

// The slide rectangle; picture is the size of the control's own picture, used
// only when the control stretches it.
TSlide SlideRect(const TGaugeParams &p, QSize control, QSize picture, bool stretch);

// Pixels from the top of a vertical column down to value v; 0 for an empty range.
int VerticalOffset(int length, int min, int max, int v);

struct TScaleLabel {
    int value = 0;
    QPoint anchor;
};
struct TScaleGeometry {
    std::vector<QLine> major;  // labelled marks (doubled for a bold font)
    std::vector<QLine> minor;  // unlabelled marks
    std::vector<TScaleLabel> labels;
};

// Marks and label anchors of the vertical scale; empty when the scale is off or
// the range or step would give no distance between marks.
TScaleGeometry VerticalScale(const TGaugeParams &p, const TSlide &s, bool bold);

// Filled part of a vertical column: top and length; length <= 0 means nothing.
struct TColumnFill {
    int top = 0, length = 0;
};
TColumnFill VerticalFill(const TGaugeParams &p, const TSlide &s);

// Marker triangle (or the box of a rectangle marker) of a vertical gauge.
QRect VerticalMarkerBox(const TGaugeParams &p, const TSlide &s, int markerValue, int size);
std::array<QPoint, 3> VerticalMarkerTriangle(const TGaugeParams &p, const TSlide &s, int markerValue,
                                             int size);

// Round dials.
QPoint RoundCentre(int controlWidth);
QPoint RoundPoint(QPoint centre, double radius, double angle, int degreeOffset);
int ValueAngle(int sweep, int v, int min, int max);
int DialDiameter(const TGaugeParams &p, int controlWidth);

struct TRoundScaleMark {
    int value = 0;
    int angle = 0;
};
// Labelled marks of a round scale (values and dial angles) and their drawing.
std::vector<TRoundScaleMark> RoundScaleMarks(const TGaugeParams &p);
TScaleGeometry RoundScale(const TGaugeParams &p, int controlWidth, bool bold);

struct TArcGeometry {
    int outer = 0, inner = 0, angle = 0;  // radii and the dial angle of the value
    bool visible = false;
};
TArcGeometry RoundArc(const TGaugeParams &p, int controlWidth);
// Colour of degree d of an arc that ends at angle: from `from` at 0 to `to` at angle.
TColor ArcColor(TColor from, TColor to, int d, int angle);

// The needle (Alpha marker) of a round dial; empty when AlphaSize is below 1.
std::vector<QPoint> NeedlePoints(const TGaugeParams &p, int controlWidth);

// "N", "NE", ... for a compass value.
QString CompassPointName(int value);

// Pictures by resource name ("GAUGEBACK03.PNG", "THERMOMETER00.PNG", ...).
// A loader set by the program (artwork) wins; otherwise the Qt resource
// ":/gauges/<name>", otherwise the built-in drawn picture. Unknown or empty
// names give a null image.
using TGaugeResourceLoader = std::function<QImage(const QString &name)>;
void SetGaugeResourceLoader(TGaugeResourceLoader loader);
QImage LoadGaugeResource(const QString &name);
QImage DrawnGaugePicture(const QString &name);

class TOverlayImage : public QWidget {
    Q_OBJECT
public:
    using TPaintEvent = std::function<void(TOverlayImage *sender, QPainter &canvas, int phase)>;

    explicit TOverlayImage(QWidget *parent = nullptr);

    const QImage &Picture() const { return picture_; }
    void SetPicture(const QImage &img);
    const QImage &Background() const { return background_; }
    void SetBackground(const QImage &img);
    bool TransparentBack() const { return background_.isNull() || backTransparent_; }
    void SetTransparentBack(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);

    TPaintEvent OnPaint;

    // Where the picture goes: the client area when stretching, else the
    // picture's own size (centred or at the top-left).
    QRect DestRect() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void RaisePaint(QPainter &p, int phase);
    // Between the background and the foreground picture; the gauges draw here.
    virtual void PaintStage0(QPainter &) {}
    virtual void PaintStage1(QPainter &) {}
    void ApplyAutoSize();

private:
    QImage picture_, background_;
    bool backTransparent_ = true;
    bool transparent_ = false;
    bool stretch_ = false;
    bool autoSize_ = false;
    bool center_ = false;
};

class TCustomGauge : public TOverlayImage {
    Q_OBJECT
public:
    using TNotify = std::function<void(TCustomGauge *sender)>;
    using TDrawItemEvent = std::function<void(TCustomGauge *sender, QPainter &canvas, int value, QRect anchor)>;

    explicit TCustomGauge(QWidget *parent = nullptr);

    const TGaugeParams &Params() const { return p_; }
    TGaugeStyles Style() const { return p_.style; }
    virtual void SetStyle(TGaugeStyles s);
    int Min() const { return p_.min; }
    void SetMin(int v);
    int Max() const { return p_.max; }
    void SetMax(int v);
    int Step() const { return p_.step; }
    void SetStep(int v);
    int Value() const { return p_.ClampedValue(); }
    void SetValue(int v);
    int Alpha() const { return p_.alpha; }
    void SetAlpha(int v);
    int Beta() const { return p_.beta; }
    void SetBeta(int v);
    int AlphaSize() const { return p_.alphaSize; }
    void SetAlphaSize(int v);
    int BetaSize() const { return p_.betaSize; }
    void SetBetaSize(int v);
    int SlideX() const { return p_.slideX; }
    void SetSlideX(int v);
    int SlideY() const { return p_.slideY; }
    void SetSlideY(int v);
    int SlideWidth() const { return p_.slideWidth; }
    void SetSlideWidth(int v);
    int SlideLength() const { return p_.slideLength; }
    void SetSlideLength(int v);
    int TikLength() const { return p_.tikLength; }
    void SetTikLength(int v);
    int Tiks() const { return p_.tiks; }
    void SetTiks(int v);
    int ItemOffset() const { return p_.itemOffset; }
    void SetItemOffset(int v);
    int Margin() const { return p_.margin; }
    void SetMargin(int v);
    TGaugeAlignment Alignment() const { return p_.alignment; }
    void SetAlignment(TGaugeAlignment a);
    QString Prefix() const { return prefix_; }
    void SetPrefix(const QString &s);
    QString Postfix() const { return postfix_; }
    void SetPostfix(const QString &s);
    bool Gradient() const { return gradient_; }
    void SetGradient(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TColor Color2() const { return color2_; }
    void SetColor2(TColor c);
    TColor ColorA() const { return colorA_; }
    void SetColorA(TColor c);
    TColor ColorB() const { return colorB_; }
    void SetColorB(TColor c);
    TColor TikColor() const { return tikColor_; }
    void SetTikColor(TColor c);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor c);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor c);

    TNotify OnAlphaChange, OnBetaChange;
    TDrawItemEvent OnDrawItem;

    TSlide Slide() const;

protected:
    // Overridable steps, in the order the family relies on.
    virtual void DoAlphaChange();
    virtual void DoBetaChange();
    virtual void PaintFace(QPainter &) {}
    virtual QString BackResourceName() const { return {}; }
    virtual QString ForeResourceName() const { return {}; }
    virtual void DrawAlpha(QPainter &);
    virtual void DrawBeta(QPainter &);
    virtual void DrawScale(QPainter &);
    virtual void DrawFilled(QPainter &);
    virtual void DrawMarkers(QPainter &);
    virtual void AfterScale(QPainter &) {}
    virtual void DrawValue(QPainter &);
    virtual void DoDrawItem(QPainter &, int value, QRect anchor);

    void PaintStage0(QPainter &p) override { PaintFace(p); }
    void PaintStage1(QPainter &p) override;
    void changeEvent(QEvent *e) override;
    void DrawLabelText(QPainter &, const QString &text, QPoint anchor);
    void DrawVerticalMarker(QPainter &, int value, int size, TColor color);
    void ReloadLayers(TGaugeStyles before, TGaugeStyles after);
    template <class T> void Store(T &field, T v) {
        if (field == v) return;
        field = v;
        update();
    }

    TGaugeParams p_;
    QString prefix_, postfix_;
    bool gradient_ = true;
    TColor color_ = 0x00FF00, color2_ = 0x00FFFF, colorA_ = 0x0000FF, colorB_ = 0x000080;
    TColor tikColor_ = 0x0000FF, backColor_ = 0xFFFFFF, fontColor_ = clBlack;
};

class TRoundGauge : public TCustomGauge {
    Q_OBJECT
public:
    explicit TRoundGauge(QWidget *parent = nullptr);
    int DegreeOffset() const { return p_.degreeOffset; }
    void SetDegreeOffset(int v);

protected:
    void PaintFace(QPainter &) override;
    void DrawAlpha(QPainter &) override;
    void DrawBeta(QPainter &) override;
    void DrawScale(QPainter &) override;
    void DrawFilled(QPainter &) override;
};

class TImageGauge : public TRoundGauge {
    Q_OBJECT
public:
    explicit TImageGauge(QWidget *parent = nullptr);
    QString BackResource() const { return backResource_; }
    void SetBackResource(const QString &name);
    QString ForeResource() const { return foreResource_; }
    void SetForeResource(const QString &name);

protected:
    QString BackResourceName() const override { return backResource_; }
    QString ForeResourceName() const override { return foreResource_; }

private:
    QString backResource_, foreResource_;
};

class TTemperature : public TRoundGauge {
    Q_OBJECT
public:
    explicit TTemperature(QWidget *parent = nullptr);
    void SetStyle(TGaugeStyles s) override;

protected:
    QString ForeResourceName() const override { return QStringLiteral("THERMOMETER00.PNG"); }
};

class TCompass : public TRoundGauge {
    Q_OBJECT
public:
    explicit TCompass(QWidget *parent = nullptr);
    int Degree() const { return Alpha(); }
    void SetDegree(int v) { SetAlpha(v); }
    int PointerSize() const { return AlphaSize(); }
    void SetPointerSize(int v) { SetAlphaSize(v); }
    void SetStyle(TGaugeStyles s) override;

protected:
    QString BackResourceName() const override { return QStringLiteral("GAUGEBACK03.PNG"); }
    QString ForeResourceName() const override { return QStringLiteral("GAUGELENSE01.PNG"); }
    void DoDrawItem(QPainter &, int value, QRect anchor) override;
};
