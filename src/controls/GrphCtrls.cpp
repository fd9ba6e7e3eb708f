#include "controls/GrphCtrls.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace {

int TextFlags(const TCaptionStyle &s) {
    int flags = int(s.alignment & Qt::AlignHorizontal_Mask);
    switch (s.layout) {
    case TTextLayout::Top: flags |= Qt::AlignTop; break;
    case TTextLayout::Center: flags |= Qt::AlignVCenter; break;
    case TTextLayout::Bottom: flags |= Qt::AlignBottom; break;
    }
    flags |= s.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    flags |= s.showAccelChar ? Qt::TextShowMnemonic : 0;
    return flags;
}

bool QuarterTurn(int angle) {
    const int a = ((angle % 180) + 180) % 180;
    return a > 45 && a < 135;
}

void DrawBevel(QPainter &p, QRect r, TBevelKind kind, int width) {
    if (kind == TBevelKind::None || width <= 0) return;
    const QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
    const QColor tl = kind == TBevelKind::Raised ? light : kind == TBevelKind::Space ? QColor(Qt::black) : dark;
    const QColor br = kind == TBevelKind::Raised ? dark : kind == TBevelKind::Space ? QColor(Qt::black) : light;
    for (int i = 0; i < width; ++i) {
        const QRect q = r.adjusted(i, i, -i - 1, -i - 1);
        p.setPen(tl);
        p.drawLine(q.topLeft(), q.topRight());
        p.drawLine(q.topLeft(), q.bottomLeft());
        p.setPen(br);
        p.drawLine(q.bottomLeft(), q.bottomRight());
        p.drawLine(q.topRight(), q.bottomRight());
    }
}

}  // namespace

void DrawCaption(QPainter &p, const QRect &r, const QString &text, const QFont &font, const TCaptionStyle &s) {
    if (text.isEmpty()) return;
    p.save();
    p.setFont(font);
    QRect tr = r;
    if (s.angle % 360 != 0) {
        // Angles count counter-clockwise, as on the screen of the forms.
        p.translate(QRectF(r).center());
        p.rotate(-s.angle);
        const QSize sz = QuarterTurn(s.angle) ? r.size().transposed() : r.size();
        tr = QRect(QPoint(-sz.width() / 2, -sz.height() / 2), sz);
    }
    const int flags = TextFlags(s);
    if (s.glow) {
        QColor g = ToQColor(s.glowColor);
        g.setAlpha(70);
        p.setPen(g);
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                if ((dx || dy) && dx * dx + dy * dy <= 5) p.drawText(tr.translated(dx, dy), flags, text);
    }
    if (s.dropShadow) {
        p.setPen(ToQColor(s.shadowColor));
        for (int i = 1; i <= s.shadowWidth; ++i) p.drawText(tr.translated(i, i), flags, text);
    }
    p.setPen(s.enabled ? ToQColor(s.fontColor) : ToQColor(clBtnShadow));
    p.drawText(tr, flags, text);
    p.restore();
}

QPainterPath LabelShape(const QRectF &r, unsigned rc, int radius, bool vertical) {
    const unsigned ends = vertical ? (rc & (rcTop | rcBottom)) : (rc & (rcLeft | rcRight));
    const qreal rr = std::min<qreal>(radius / 2.0, std::min(r.width(), r.height()) / 2.0);
    QPainterPath path;
    if (!ends || rr <= 0) {
        path.addRect(r);
        return path;
    }
    const bool tl = vertical ? (ends & rcTop) : (ends & rcLeft);
    const bool trc = vertical ? (ends & rcTop) : (ends & rcRight);
    const bool br = vertical ? (ends & rcBottom) : (ends & rcRight);
    const bool bl = vertical ? (ends & rcBottom) : (ends & rcLeft);
    const qreal d = 2 * rr;
    path.moveTo(r.left() + (tl ? rr : 0), r.top());
    if (trc) {
        path.lineTo(r.right() - rr, r.top());
        path.arcTo(r.right() - d, r.top(), d, d, 90, -90);
    } else {
        path.lineTo(r.right(), r.top());
    }
    if (br) {
        path.lineTo(r.right(), r.bottom() - rr);
        path.arcTo(r.right() - d, r.bottom() - d, d, d, 0, -90);
    } else {
        path.lineTo(r.right(), r.bottom());
    }
    if (bl) {
        path.lineTo(r.left() + rr, r.bottom());
        path.arcTo(r.left(), r.bottom() - d, d, d, 270, -90);
    } else {
        path.lineTo(r.left(), r.bottom());
    }
    if (tl) {
        path.lineTo(r.left(), r.top() + rr);
        path.arcTo(r.left(), r.top(), d, d, 180, -90);
    }
    path.closeSubpath();
    return path;
}

// ---------------------------------------------------------------- TgLabel

TgLabel::TgLabel(QWidget *parent) : QWidget(parent) {
    setFont(QFont(QStringLiteral("Tahoma")));
    AdjustSize();
}

#define GL_SETTER(Cls, Name, Type, field) \
    void Cls::Set##Name(Type v) {         \
        if (field == v) return;           \
        field = v;                        \
        AdjustSize();                     \
        update();                         \
    }
GL_SETTER(TgLabel, Color, TColor, color_)
GL_SETTER(TgLabel, Color2, TColor, color2_)
GL_SETTER(TgLabel, Gradient, bool, gradient_)
GL_SETTER(TgLabel, Vertical, bool, vertical_)
GL_SETTER(TgLabel, RoundCorners, unsigned, roundCorners_)
GL_SETTER(TgLabel, Radius, int, radius_)
GL_SETTER(TgLabel, DropShadow, bool, style_.dropShadow)
GL_SETTER(TgLabel, ShadowColor, TColor, style_.shadowColor)
GL_SETTER(TgLabel, ShadowWidth, int, style_.shadowWidth)
GL_SETTER(TgLabel, CaptionGlow, bool, style_.glow)
GL_SETTER(TgLabel, GlowColor, TColor, style_.glowColor)
GL_SETTER(TgLabel, Angle, int, style_.angle)
GL_SETTER(TgLabel, Margin, int, margin_)
GL_SETTER(TgLabel, Selected, bool, selected_)
GL_SETTER(TgLabel, Transparent, bool, transparent_)
GL_SETTER(TgLabel, Alignment, Qt::Alignment, style_.alignment)
GL_SETTER(TgLabel, Layout, TTextLayout, style_.layout)
GL_SETTER(TgLabel, WordWrap, bool, style_.wordWrap)
GL_SETTER(TgLabel, FontColor, TColor, style_.fontColor)
GL_SETTER(TgLabel, BevelOuter, TBevelKind, bevelOuter_)
GL_SETTER(TgLabel, BevelInner, TBevelKind, bevelInner_)
GL_SETTER(TgLabel, BevelWidth, int, bevelWidth_)
GL_SETTER(TgLabel, BevelKind, TBevelKind, bevelKind_)
GL_SETTER(TgLabel, BorderWidth, int, borderWidth_)

void TgLabel::SetAutoSize(bool on) {
    autoSize_ = on;
    AdjustSize();
}

void TgLabel::SetCaption(const QString &text) {
    if (caption_ == text) return;
    if (OnChanging) OnChanging(this, text);
    caption_ = text;
    AdjustSize();
    update();
    if (OnChange) OnChange(this, text);
}

int TgLabel::FrameWidth() const {
    if (bevelKind_ == TBevelKind::None) return borderWidth_;
    const int bevels = (bevelOuter_ != TBevelKind::None) + (bevelInner_ != TBevelKind::None);
    return borderWidth_ + bevels * bevelWidth_;
}

QSize TgLabel::sizeHint() const {
    const QFontMetrics fm(font());
    QSize s = fm.size(style_.showAccelChar ? Qt::TextShowMnemonic : 0, caption_.isEmpty() ? QStringLiteral(" ") : caption_);
    if (QuarterTurn(style_.angle)) s.transpose();
    const int pad = 2 * (FrameWidth() + margin_);
    const int shadow = style_.dropShadow ? style_.shadowWidth : 0;
    return QSize(s.width() + pad + shadow + ExtraWidth(), s.height() + pad + shadow);
}

void TgLabel::AdjustSize() {
    if (autoSize_ && !style_.wordWrap) resize(sizeHint());
}

void TgLabel::changeEvent(QEvent *e) {
    if (e->type() == QEvent::FontChange) AdjustSize();
    if (e->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(e);
}

QRect TgLabel::TextRect() const {
    const int f = FrameWidth() + margin_;
    return rect().adjusted(f, f, -f, -f);
}

void TgLabel::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    TCaptionStyle s = style_;
    s.enabled = isEnabled();
    if (!transparent_) {
        TColor c1 = color_, c2 = color2_;
        if (selected_) {
            c1 = clHighlight;
            c2 = BlendToward(clHighlight, color2_, 1, 2);
            s.fontColor = clHighlightText;
        }
        const QPainterPath shape = LabelShape(QRectF(rect()), roundCorners_, radius_, vertical_);
        if (gradient_) {
            QLinearGradient g(QPointF(0, 0), vertical_ ? QPointF(0, height()) : QPointF(width(), 0));
            g.setColorAt(0, ToQColor(c1));
            g.setColorAt(1, ToQColor(c2));
            p.fillPath(shape, g);
        } else {
            p.fillPath(shape, ToQColor(c1));
        }
    }
    if (bevelKind_ != TBevelKind::None) {
        p.setRenderHint(QPainter::Antialiasing, false);
        QRect r = rect();
        DrawBevel(p, r, bevelOuter_, bevelOuter_ != TBevelKind::None ? bevelWidth_ : 0);
        if (bevelOuter_ != TBevelKind::None) r.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
        DrawBevel(p, r.adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_), bevelInner_,
                  bevelInner_ != TBevelKind::None ? bevelWidth_ : 0);
        p.setRenderHint(QPainter::Antialiasing);
    }
    DrawCaption(p, TextRect(), caption_, font(), s);
}

// ---------------------------------------------------------------- TgCheckLabel

bool CheckBoxHit(QPoint pt, int labelHeight, QSize box) {
    const int top = (labelHeight - box.height()) / 2;
    const bool inX = 2 * pt.x() >= box.width() && 2 * pt.x() <= 3 * box.width();
    const bool inY = pt.y() >= top && pt.y() < top + box.height();
    return inX && inY;
}

TgCheckLabel::TgCheckLabel(QWidget *parent) : TgLabel(parent) {
    style_.layout = TTextLayout::Center;
    AdjustSize();
}

QSize TgCheckLabel::BoxSize() const {
    return QSize(style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this),
                 style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this));
}

QRect TgCheckLabel::BoxRect() const {
    const QSize b = BoxSize();
    return QRect(QPoint((b.width() + 2) / 2, (height() - b.height()) / 2), b);
}

QRect TgCheckLabel::TextRect() const {
    QRect r = TgLabel::TextRect();
    r.setLeft(std::max(r.left(), 2 * BoxSize().width()));
    return r;
}

void TgCheckLabel::SetChecked(bool on) {
    if (checked_ == on) return;
    checked_ = on;
    update();
}

void TgCheckLabel::SetGrayed(bool on) {
    if (grayed_ == on) return;
    grayed_ = on;
    update();
}

void TgCheckLabel::SetFlat(bool on) {
    if (flat_ == on) return;
    flat_ = on;
    update();
}

void TgCheckLabel::paintEvent(QPaintEvent *e) {
    TgLabel::paintEvent(e);
    QPainter p(this);
    const QRect box = BoxRect();
    if (flat_) {
        p.setPen(ToQColor(clBtnShadow));
        p.setBrush(grayed_ ? ToQColor(clBtnFace) : ToQColor(clWindow));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        if (checked_) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(isEnabled() ? ToQColor(clWindowText) : ToQColor(clBtnShadow), 2));
            const QRectF b = QRectF(box).adjusted(3, 3, -3, -3);
            p.drawPolyline(QPolygonF({QPointF(b.left(), b.center().y()), QPointF(b.center().x() - 1, b.bottom()),
                                      QPointF(b.right(), b.top())}));
        }
        return;
    }
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.rect = box;
    opt.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    opt.state |= grayed_ ? QStyle::State_NoChange : checked_ ? QStyle::State_On : QStyle::State_Off;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &p, this);
}

void TgCheckLabel::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && CheckBoxHit(e->position().toPoint(), height(), BoxSize())) {
        checked_ = !checked_;
        update();
        if (OnCheck) OnCheck(this);
    }
    TgLabel::mousePressEvent(e);
}

// ---------------------------------------------------------------- TnLabel

TnLabel::TnLabel(QWidget *parent) : TnControl(parent) {
    style_.shadowColor = clGray;
    resize(64, 32);
}

#undef GL_SETTER
#define GL_SETTER(Cls, Name, Type, field) \
    void Cls::Set##Name(Type v) {         \
        if (field == v) return;           \
        field = v;                        \
        update();                         \
    }
GL_SETTER(TnLabel, Alignment, Qt::Alignment, style_.alignment)
GL_SETTER(TnLabel, Layout, TTextLayout, style_.layout)
GL_SETTER(TnLabel, Margin, int, margin_)
GL_SETTER(TnLabel, WordWrap, bool, style_.wordWrap)
GL_SETTER(TnLabel, ShowAccelChar, bool, style_.showAccelChar)
GL_SETTER(TnLabel, Angle, int, style_.angle)
GL_SETTER(TnLabel, Dropshadow, bool, style_.dropShadow)
GL_SETTER(TnLabel, ShadowColor, TColor, style_.shadowColor)
GL_SETTER(TnLabel, ShadowWidth, int, style_.shadowWidth)
GL_SETTER(TnLabel, FontColor, TColor, style_.fontColor)
#undef GL_SETTER

void TnLabel::SetCaption(const QString &text) {
    if (caption_ == text) return;
    caption_ = text;
    update();
    if (OnChange) OnChange(this);
}

void TnLabel::SetSelected(bool on) {
    if (selected_ == on) return;
    selected_ = on;
    if (on) {
        savedColor2_ = clientColor2_;
        clientColor2_ = BlendToward(clientColor2_, selectColor_, 20, 24);
    } else {
        clientColor2_ = savedColor2_;
    }
    update();
}

void TnLabel::PaintClient(QPainter &p, const QRect &client) {
    TnControl::PaintClient(p, client);
    p.setRenderHint(QPainter::Antialiasing);
    TCaptionStyle s = style_;
    s.enabled = isEnabled();
    DrawCaption(p, client.adjusted(margin_, margin_, -margin_, -margin_), caption_, font(), s);
}

void TnLabel::mousePressEvent(QMouseEvent *e) {
    if (movable_ && e->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = e->position().toPoint();
    }
    TnControl::mousePressEvent(e);
}

void TnLabel::mouseMoveEvent(QMouseEvent *e) {
    if (dragging_) {
        if (OnMoving) OnMoving(this);
        move(mapToParent(e->position().toPoint() - dragOffset_));
    }
    TnControl::mouseMoveEvent(e);
}

void TnLabel::mouseReleaseEvent(QMouseEvent *e) {
    dragging_ = false;
    TnControl::mouseReleaseEvent(e);
}
