#pragma once
// TnControl: the gradient panel the program's windows are built from, with an
// optional border area, bevel and rounded corners, and a per-control hint look.
#include <QRegion>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/WinColors.h"

enum class TBevelKind { None, Lowered, Raised, Space, Flat };

enum TBevelEdge : unsigned { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8, beAll = 15 };

// Fills r with from→to, top to bottom when vertical, else left to right.
void FillGradient(QPainter &p, const QRectF &r, TColor from, TColor to, bool vertical, bool gradient);

// The window shape of a control with rounded corners: the rectangle from (0, 0)
// to (width + 1, height + 1) with corners of the given size (the corner
// ellipse's width and height).
QRegion RoundedRegion(QSize size, int radius);

// Each colour byte moved num/den of the way from `from` to `to`.
TColor BlendToward(TColor from, TColor to, int num, int den);

// Hint look of one control over the application's defaults.
struct THintLook {
    TColor color = 0;
    int maxWidth = 0;
    int timeOut = 0;
};
THintLook EffectiveHint(const THintLook &control, const THintLook &application);

class TnControl : public QWidget {
    Q_OBJECT
public:
    using TNotify = std::function<void(QWidget *sender)>;

    explicit TnControl(QWidget *parent = nullptr);

    TColor ClientColor() const { return clientColor_; }
    void SetClientColor(TColor c);
    TColor ClientColor2() const { return clientColor2_; }
    void SetClientColor2(TColor c);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TColor Color2() const { return color2_; }
    void SetColor2(TColor c);
    bool Gradient() const { return gradient_; }
    void SetGradient(bool on);
    bool Vertical() const { return vertical_; }
    void SetVertical(bool on);
    bool RoundCorners() const { return roundCorners_; }
    void SetRoundCorners(bool on);
    int Radius() const { return radius_; }
    void SetRadius(int r);
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind k);
    unsigned BevelEdges() const { return bevelEdges_; }
    void SetBevelEdges(unsigned e);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int w);
    TColor HintColor() const { return hint_.color; }
    void SetHintColor(TColor c) { hint_.color = c; }
    int HintMaxWidth() const { return hint_.maxWidth; }
    void SetHintMaxWidth(int w) { hint_.maxWidth = w; }
    int HintTimeOut() const { return hint_.timeOut; }
    void SetHintTimeOut(int ms) { hint_.timeOut = ms; }

    TNotify OnMove, OnMoving;

    // Width of the border area: border width plus the bevel.
    int FrameWidth() const;
    QRect ClientRect() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void moveEvent(QMoveEvent *) override;
    bool event(QEvent *e) override;
    virtual void PaintClient(QPainter &p, const QRect &client);
    void UpdateShape();
    void UpdateFrame();

    TColor clientColor_ = clBtnHighlight, clientColor2_ = clBtnFace;
    TColor color_ = clBtnHighlight, color2_ = clBtnShadow;
    bool gradient_ = true, vertical_ = true, roundCorners_ = false;
    int radius_ = 16;
    TBevelKind bevelKind_ = TBevelKind::None;
    unsigned bevelEdges_ = beAll;
    int borderWidth_ = 0;
    THintLook hint_;
};
