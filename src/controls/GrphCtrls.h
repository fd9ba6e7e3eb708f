#pragma once
// Labels that draw themselves: the gradient label TgLabel, the check label
// TgCheckLabel and the panel label TnLabel (base of the forecast day tiles).
#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/WinColors.h"
#include "controls/WinCtrls.h"

enum TRoundCorner : unsigned { rcLeft = 1, rcTop = 2, rcRight = 4, rcBottom = 8 };

enum class TTextLayout { Top, Center, Bottom };

// How a caption is drawn; shared by TgLabel and TnLabel.
struct TCaptionStyle {
    Qt::Alignment alignment = Qt::AlignLeft;
    TTextLayout layout = TTextLayout::Top;
    bool wordWrap = false;
    bool showAccelChar = true;
    int angle = 0;
    bool dropShadow = false;
    TColor shadowColor = clBtnShadow;
    int shadowWidth = 1;
    bool glow = false;
    TColor glowColor = clWhite;
    TColor fontColor = clBtnText;
    bool enabled = true;
};

// Draws text into r; with a drop shadow first the shadow copies at (1, 1),
// (2, 2), ... then the text on top. Rotation turns around r's centre.
void DrawCaption(QPainter &p, const QRect &r, const QString &text, const QFont &font, const TCaptionStyle &s);

// Shape of a label with rounded ends: only the ends across its direction count
// (top and bottom for vertical labels, left and right otherwise).
QPainterPath LabelShape(const QRectF &r, unsigned roundCorners, int radius, bool vertical);

class TgLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption)  // reached by the language texts
public:
    using TTextEvent = std::function<void(QWidget *sender, const QString &message)>;

    explicit TgLabel(QWidget *parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString &text);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TColor Color2() const { return color2_; }
    void SetColor2(TColor c);
    bool Gradient() const { return gradient_; }
    void SetGradient(bool on);
    bool Vertical() const { return vertical_; }
    void SetVertical(bool on);
    unsigned RoundCorners() const { return roundCorners_; }
    void SetRoundCorners(unsigned rc);
    int Radius() const { return radius_; }
    void SetRadius(int r);
    bool DropShadow() const { return style_.dropShadow; }
    void SetDropShadow(bool on);
    TColor ShadowColor() const { return style_.shadowColor; }
    void SetShadowColor(TColor c);
    int ShadowWidth() const { return style_.shadowWidth; }
    void SetShadowWidth(int w);
    bool CaptionGlow() const { return style_.glow; }
    void SetCaptionGlow(bool on);
    TColor GlowColor() const { return style_.glowColor; }
    void SetGlowColor(TColor c);
    int Angle() const { return style_.angle; }
    void SetAngle(int a);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    bool Selected() const { return selected_; }
    void SetSelected(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    Qt::Alignment Alignment() const { return style_.alignment; }
    void SetAlignment(Qt::Alignment a);
    TTextLayout Layout() const { return style_.layout; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return style_.wordWrap; }
    void SetWordWrap(bool on);
    TColor FontColor() const { return style_.fontColor; }
    void SetFontColor(TColor c);
    TBevelKind BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelKind k);
    TBevelKind BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelKind k);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int w);
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind k);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int w);
    THintLook HintLook() const { return hint_; }
    void SetHintLook(const THintLook &h) { hint_ = h; }

    TTextEvent OnChange, OnChanging;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void changeEvent(QEvent *e) override;
    virtual QRect TextRect() const;
    virtual int ExtraWidth() const { return 0; }
    int FrameWidth() const;
    void AdjustSize();

    QString caption_;
    TColor color_ = clBtnHighlight, color2_ = clBtnFace;
    bool gradient_ = true, vertical_ = true;
    unsigned roundCorners_ = 0;
    int radius_ = 10;
    int margin_ = 0;
    bool selected_ = false, transparent_ = false, autoSize_ = true;
    TCaptionStyle style_;
    TBevelKind bevelOuter_ = TBevelKind::Raised, bevelInner_ = TBevelKind::Lowered, bevelKind_ = TBevelKind::None;
    int bevelWidth_ = 1, borderWidth_ = 0;
    THintLook hint_;
};

class TgCheckLabel : public TgLabel {
    Q_OBJECT
public:
    using TNotify = std::function<void(QWidget *sender)>;

    explicit TgCheckLabel(QWidget *parent = nullptr);

    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool on);
    bool Flat() const { return flat_; }
    void SetFlat(bool on);

    TNotify OnCheck;

    QSize BoxSize() const;
    QRect BoxRect() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    QRect TextRect() const override;
    int ExtraWidth() const override { return 2 * BoxSize().width(); }

private:
    bool checked_ = false, grayed_ = false, flat_ = false;
};

// Whether a press at pt (control coordinates) lies on the box of a check label
// of the given height.
bool CheckBoxHit(QPoint pt, int labelHeight, QSize box);

class TnLabel : public TnControl {
    Q_OBJECT
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption)  // reached by the language texts
public:
    using TNotify = std::function<void(QWidget *sender)>;

    explicit TnLabel(QWidget *parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString &text);
    Qt::Alignment Alignment() const { return style_.alignment; }
    void SetAlignment(Qt::Alignment a);
    TTextLayout Layout() const { return style_.layout; }
    void SetLayout(TTextLayout l);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    bool WordWrap() const { return style_.wordWrap; }
    void SetWordWrap(bool on);
    bool ShowAccelChar() const { return style_.showAccelChar; }
    void SetShowAccelChar(bool on);
    int Angle() const { return style_.angle; }
    void SetAngle(int a);
    bool Dropshadow() const { return style_.dropShadow; }
    void SetDropshadow(bool on);
    TColor ShadowColor() const { return style_.shadowColor; }
    void SetShadowColor(TColor c);
    int ShadowWidth() const { return style_.shadowWidth; }
    void SetShadowWidth(int w);
    bool Selected() const { return selected_; }
    void SetSelected(bool on);
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor c) { selectColor_ = c; }
    bool Movable() const { return movable_; }
    void SetMovable(bool on) { movable_ = on; }
    TColor FontColor() const { return style_.fontColor; }
    void SetFontColor(TColor c);

    TNotify OnChange;

protected:
    void PaintClient(QPainter &p, const QRect &client) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QString caption_;
    TCaptionStyle style_;
    int margin_ = 0;
    bool selected_ = false, movable_ = false;
    TColor selectColor_ = clHighlight, savedColor2_ = 0;
    bool dragging_ = false;
    QPoint dragOffset_;
};
