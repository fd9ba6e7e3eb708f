#include "controls/WinCtrls.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>

void FillGradient(QPainter &p, const QRectF &r, TColor from, TColor to, bool vertical, bool gradient) {
    if (!gradient) {
        p.fillRect(r, ToQColor(from));
        return;
    }
    QLinearGradient g(r.topLeft(), vertical ? r.bottomLeft() : r.topRight());
    g.setColorAt(0, ToQColor(from));
    g.setColorAt(1, ToQColor(to));
    p.fillRect(r, g);
}

QRegion RoundedRegion(QSize size, int radius) {
    const int w = size.width() + 1, h = size.height() + 1;
    const int r = std::min(radius / 2, std::min(w, h) / 2);
    if (r <= 0 || size.isEmpty()) return QRegion(0, 0, w, h);
    // Row by row, so that the corners are the same at every size (a polygon
    // region rounds them differently from one size to the next).
    QRegion region(0, r, w, h - 2 * r);
    for (int y = 0; y < r; ++y) {
        const double dy = r - (y + 0.5);
        const int inset = int(std::ceil(r - std::sqrt(double(r) * r - dy * dy) - 0.5));
        region += QRect(inset, y, w - 2 * inset, 1);
        region += QRect(inset, h - 1 - y, w - 2 * inset, 1);
    }
    return region;
}

TColor BlendToward(TColor from, TColor to, int num, int den) {
    from = ResolveColor(from);
    to = ResolveColor(to);
    if (den == 0) return from;
    auto mix = [&](int a, int b) { return a + (b - a) * num / den; };
    return RGBColor(mix(ColorR(from), ColorR(to)), mix(ColorG(from), ColorG(to)), mix(ColorB(from), ColorB(to)));
}

THintLook EffectiveHint(const THintLook &control, const THintLook &application) {
    THintLook h = application;
    if (control.color != 0) h.color = control.color;
    if (control.maxWidth > 24) h.maxWidth = control.maxWidth;
    if (control.timeOut > 500) h.timeOut = control.timeOut;
    return h;
}

TnControl::TnControl(QWidget *parent) : QWidget(parent) {
    setFont(QFont(QStringLiteral("Arial")));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

#define TN_SETTER(Name, field)          \
    void TnControl::Set##Name(decltype(field) v) { \
        if (field == v) return;         \
        field = v;                      \
        update();                       \
    }
TN_SETTER(ClientColor, clientColor_)
TN_SETTER(ClientColor2, clientColor2_)
TN_SETTER(Color, color_)
TN_SETTER(Color2, color2_)
TN_SETTER(Gradient, gradient_)
TN_SETTER(Vertical, vertical_)
#undef TN_SETTER

void TnControl::SetRoundCorners(bool on) {
    if (roundCorners_ == on) return;
    roundCorners_ = on;
    UpdateShape();
    update();
}

void TnControl::SetRadius(int r) {
    if (radius_ == r) return;
    radius_ = r;
    UpdateShape();
    update();
}

void TnControl::SetBevelKind(TBevelKind k) {
    if (bevelKind_ == k) return;
    bevelKind_ = k;
    UpdateFrame();
}

void TnControl::SetBevelEdges(unsigned e) {
    if (bevelEdges_ == e) return;
    bevelEdges_ = e;
    UpdateFrame();
}

void TnControl::SetBorderWidth(int w) {
    if (borderWidth_ == w) return;
    borderWidth_ = std::max(0, w);
    UpdateFrame();
}

int TnControl::FrameWidth() const {
    const int bevel = bevelKind_ == TBevelKind::None ? 0 : (bevelKind_ == TBevelKind::Flat ? 1 : 2);
    return borderWidth_ + bevel;
}

QRect TnControl::ClientRect() const {
    const int f = FrameWidth();
    return rect().adjusted(f, f, -f, -f);
}

void TnControl::UpdateFrame() {
    const int f = FrameWidth();
    setContentsMargins(f, f, f, f);
    update();
}

void TnControl::UpdateShape() {
    if (roundCorners_)
        setMask(RoundedRegion(size(), radius_));
    else
        clearMask();
}

void TnControl::resizeEvent(QResizeEvent *e) {
    UpdateShape();
    QWidget::resizeEvent(e);
}

void TnControl::moveEvent(QMoveEvent *e) {
    QWidget::moveEvent(e);
    if (OnMove) OnMove(this);
}

bool TnControl::event(QEvent *e) {
    if (e->type() == QEvent::ToolTip && !toolTip().isEmpty()) {
        auto *he = static_cast<QHelpEvent *>(e);
        const THintLook look = EffectiveHint(hint_, {});
        QString text = toolTip().toHtmlEscaped();
        if (look.color != 0 || look.maxWidth > 0) {
            QString style;
            if (look.color != 0) style += QStringLiteral("background-color:%1;").arg(ToQColor(look.color).name());
            const QString width = look.maxWidth > 0 ? QStringLiteral(" width=\"%1\"").arg(look.maxWidth) : QString();
            text = QStringLiteral("<table style=\"%1\"%2><tr><td>%3</td></tr></table>").arg(style, width, text);
        }
        QToolTip::showText(he->globalPos(), text, this, QRect(), look.timeOut > 0 ? look.timeOut : -1);
        return true;
    }
    return QWidget::event(e);
}

void TnControl::PaintClient(QPainter &p, const QRect &client) {
    FillGradient(p, client, clientColor_, clientColor2_, vertical_, gradient_);
}

void TnControl::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int f = FrameWidth();
    if (f > 0) {
        FillGradient(p, rect(), color_, color2_, vertical_, gradient_);
        if (bevelKind_ != TBevelKind::None && !roundCorners_) {
            const QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
            const bool raised = bevelKind_ == TBevelKind::Raised;
            const QRect r = rect().adjusted(0, 0, -1, -1);
            auto edge = [&](unsigned which, QPoint a, QPoint b, bool topLeft) {
                if (!(bevelEdges_ & which)) return;
                QColor c = bevelKind_ == TBevelKind::Space ? Qt::black
                           : bevelKind_ == TBevelKind::Flat ? dark
                                                            : ((topLeft == raised) ? light : dark);
                p.setPen(c);
                p.drawLine(a, b);
            };
            edge(beLeft, r.topLeft(), r.bottomLeft(), true);
            edge(beTop, r.topLeft(), r.topRight(), true);
            edge(beRight, r.topRight(), r.bottomRight(), false);
            edge(beBottom, r.bottomLeft(), r.bottomRight(), false);
        }
    }
    PaintClient(p, ClientRect());
    if (roundCorners_ && bevelKind_ != TBevelKind::None) {
        p.setRenderHint(QPainter::Antialiasing);
        const QColor c = bevelKind_ == TBevelKind::Raised  ? ToQColor(clBtnShadow)
                         : bevelKind_ == TBevelKind::Space ? QColor(Qt::black)
                                                           : ToQColor(color2_);
        p.setPen(QPen(c, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius_ / 2.0, radius_ / 2.0);
    }
}
