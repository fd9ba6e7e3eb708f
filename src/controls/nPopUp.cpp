#include "controls/nPopUp.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

#include "platform/Paths.h"

namespace {

TIconSoundPlayer &SoundPlayer() {
    static TIconSoundPlayer player;
    return player;
}

// Milliseconds since the program started; stands in for the system tick.
qint64 TickMs() {
    static QElapsedTimer t;
    if (!t.isValid()) t.start();
    return t.elapsed();
}

constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

QSize MeasureText(const QFont &font, const QString &text, int width) {
    if (text.isEmpty()) return {0, 0};
    QFontMetrics fm(font);
    return fm.boundingRect(QRect(0, 0, std::max(1, width), 1 << 20), kTextFlags, text).size();
}

QScreen *ScreenFor(const QPoint &p) {
    QScreen *s = QGuiApplication::screenAt(p);
    return s ? s : QGuiApplication::primaryScreen();
}

int R(const QRect &r) { return r.x() + r.width(); }
int B(const QRect &r) { return r.y() + r.height(); }

// Drawn stand-ins for the close button pictures: a disc with a cross.
QPixmap DrawCloseButton(TCustomPopUpButton::TState s) {
    static const QColor fills[4] = {QColor(150, 150, 150), QColor(196, 60, 48), QColor(232, 96, 80),
                                    QColor(140, 32, 24)};
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fills[s].darker(140), 1));
    p.setBrush(fills[s]);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(s == TCustomPopUpButton::bsDisabled ? QColor(225, 225, 225) : Qt::white, 2, Qt::SolidLine,
                  Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return pm;
}

QPixmap LoadCloseButton(TCustomPopUpButton::TState s) {
    static const char *names[4] = {"BTNCLOSED.PNG", "BTNCLOSEE.PNG", "BTNCLOSEF.PNG", "BTNCLOSEP.PNG"};
    const QString dir = QString::fromStdString(DataPath()) + "Images/";
    for (const QString &name : {QString(names[s]), QString(names[s]).toLower()}) {
        QPixmap pm(dir + name);
        if (!pm.isNull()) return pm;
    }
    return DrawCloseButton(s);
}

// Two box-blur passes over a small ARGB image.
QImage Blur(const QImage &src) {
    QImage a = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = a.width(), h = a.height();
    for (int pass = 0; pass < 2; ++pass) {
        QImage b(a.size(), a.format());
        for (int y = 0; y < h; ++y) {
            auto *out = reinterpret_cast<QRgb *>(b.scanLine(y));
            for (int x = 0; x < w; ++x) {
                int sr = 0, sg = 0, sb = 0, sa = 0, n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    const int yy = y + dy;
                    if (yy < 0 || yy >= h) continue;
                    const auto *in = reinterpret_cast<const QRgb *>(a.constScanLine(yy));
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int xx = x + dx;
                        if (xx < 0 || xx >= w) continue;
                        sr += qRed(in[xx]); sg += qGreen(in[xx]); sb += qBlue(in[xx]); sa += qAlpha(in[xx]);
                        ++n;
                    }
                }
                out[x] = qRgba(sr / n, sg / n, sb / n, sa / n);
            }
        }
        a = b;
    }
    return a;
}

}  // namespace

TIconSoundPlayer SetIconSoundPlayer(TIconSoundPlayer player) {
    TIconSoundPlayer old = std::move(SoundPlayer());
    SoundPlayer() = std::move(player);
    return old;
}

void PlayIconSound(TIconKind kind) {
    if (SoundPlayer()) SoundPlayer()(kind);
}

TStemMetrics StemMetricsOf(TStemSize size) {
    switch (size) {
    case ssSmall: return {8, 8, 16};
    case ssNormal: return {16, 16, 15};
    case ssLarge: return {24, 24, 17};
    case ssNone: break;
    }
    return {};
}

QPoint StemOffset(int corner, QSize size, const TStemMetrics &stem, int cursorHeight) {
    QPoint d;
    if (StemOnRight(corner)) d.setX(stem.Distance - size.width());
    else if (corner == 2 || corner == 4) d.setX(-stem.Distance);
    if (StemAtBottom(corner)) d.setY(-(size.height() + cursorHeight));
    return d;
}

int PopUpLayoutWidth(int maxWidthArg, int maxWidthProp, int screenWidth, bool hasIcon, int iconWidth) {
    const int half = screenWidth / 2;
    if (maxWidthArg <= 0 && maxWidthProp <= 0) return half;
    int w;
    if (maxWidthProp > 0) w = maxWidthArg > 0 ? std::min(maxWidthProp, maxWidthArg) : maxWidthProp;
    else w = std::min(maxWidthArg, half);
    if (hasIcon) w = std::max(w, iconWidth + 12);
    return w;
}

TPopUpLayout CalcPopUpLayout(const TPopUpLayoutParams &p) {
    TPopUpLayout out;
    const int lw = p.LayoutWidth;
    if (!p.Header.isEmpty()) {
        const QSize m = p.MeasureHeader ? p.MeasureHeader(p.Header, lw - 16) : QSize();
        int left = 8, top = 8, right = 8 + m.width();
        int height = m.height();
        if (p.HasIcon) {
            right += p.IconSize.width() + 8;
            height = std::max(height, p.IconSize.height() + 4);
        }
        if (p.ButtonWidth > 0) right += p.ButtonWidth + 8;
        right = std::min(right, lw);
        right += 32;
        out.HeaderRect = QRect(left, top, right - left, height + 6);
        out.HeaderHeight = B(out.HeaderRect);
    } else {
        out.HeaderHeight = 12;
    }
    int bodyHeight = 0;
    if (!p.Body.isEmpty()) {
        const QSize m = p.MeasureBody ? p.MeasureBody(p.Body, lw - 24) : QSize();
        out.BodyRect = QRect(12, 8, m.width() + 12, m.height());
        // The body text starts right below the header; its rectangle's top
        // margin becomes the space under the text.
        bodyHeight = B(out.BodyRect);
    }
    const TStemMetrics stem = StemMetricsOf(p.Stem);
    const int width = std::max(out.HeaderRect.isEmpty() ? 0 : R(out.HeaderRect),
                               out.BodyRect.isEmpty() ? 0 : R(out.BodyRect));
    const QSize size(width, out.HeaderHeight + bodyHeight + stem.Height);
    out.Bounds = QRect(StemOffset(p.Corner, size, stem, p.CursorHeight), size);
    return out;
}

TStemPlacement PlaceStem(const QRect &rect, int corner, const TStemMetrics &stem, const QRect &workArea,
                         int cursorHeight) {
    const QSize size = rect.size();
    const QPoint anchor = rect.topLeft() - StemOffset(corner, size, stem, cursorHeight);
    auto placed = [&](int c) { return QRect(anchor + StemOffset(c, size, stem, cursorHeight), size); };
    auto make = [](bool bottom, bool right) { return bottom ? (right ? 3 : 4) : (right ? 1 : 2); };

    // The stem sits on the side of the window nearest the screen's middle
    // edge: a point low on the screen gets a window above it, a point on the
    // right a window to its left.
    bool bottom = 2 * (anchor.y() - workArea.y()) >= workArea.height();
    bool right = 2 * (anchor.x() - workArea.x()) >= workArea.width();
    TStemPlacement out{placed(make(bottom, right)), make(bottom, right)};

    auto flip = [&](bool b, bool r) {
        bottom = b;
        right = r;
        out.Corner = make(bottom, right);
        out.Rect = placed(out.Corner);
    };
    if (B(out.Rect) > B(workArea) && !bottom) flip(true, right);
    if (R(out.Rect) > R(workArea) && !right) flip(bottom, true);
    if (out.Rect.x() < workArea.x() && right) flip(bottom, false);
    if (out.Rect.y() < workArea.y() && bottom) flip(false, right);
    return out;
}

QRect KeepInside(QRect rect, const QRect &area) {
    if (R(rect) > R(area)) rect.moveLeft(R(area) - rect.width());
    if (B(rect) > B(area)) rect.moveTop(B(area) - rect.height());
    if (rect.x() < area.x()) rect.moveLeft(area.x());
    if (rect.y() < area.y()) rect.moveTop(area.y());
    return rect;
}

QPainterPath PopUpShape(QSize size, int corner, const TStemMetrics &stem) {
    const int w = size.width(), h = size.height();
    QPainterPath path;
    QRectF body = StemAtBottom(corner) ? QRectF(1, 1, w - 1, h - stem.Height - 1)
                                       : QRectF(1, stem.Height + 1, w - 1, h - 3 - stem.Height - 1);
    path.addRoundedRect(body, 5.5, 5.5);
    if (stem.Height > 0 && corner != 0) {
        const qreal tipX = StemOnRight(corner) ? w - stem.Distance : stem.Distance;
        const qreal baseX = StemOnRight(corner) ? tipX - stem.Width : tipX + stem.Width;
        QPolygonF tri;
        if (StemAtBottom(corner)) {
            const qreal baseY = body.bottom() - 2;
            tri << QPointF(tipX, h) << QPointF(tipX, baseY) << QPointF(baseX, baseY);
        } else {
            const qreal baseY = body.top() + 2;
            tri << QPointF(tipX, 0) << QPointF(tipX, baseY) << QPointF(baseX, baseY);
        }
        QPainterPath t;
        t.addPolygon(tri);
        t.closeSubpath();
        path = path.united(t);
    }
    return path.simplified();
}

bool UseSlideAnimation(qint64 msSinceLastActivation, int textLength, bool systemAnimates) {
    return msSinceLastActivation > 250 && textLength < 400 && systemAnimates;
}

QColor AutoGlowColor(const QColor &c) {
    auto mix = [](int v) { return v + (255 - v) * 10 / 24; };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

QColor ColorFromBGR(unsigned v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------

TPopUpWindow::TPopUpWindow(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(QToolTip::font());
    // Without a compositor the desktop behind is grabbed instead.
    if (QGuiApplication::platformName().startsWith("wayland")) setAttribute(Qt::WA_TranslucentBackground);
}

void TPopUpWindow::SetText(const QString &text) {
    text_ = text;
    if (activating_) return;
    const QSize m = MeasureText(font(), text, 1 << 16);
    resize(m.width() + 6, m.height() + 4);
}

// ---------------------------------------------------------------------------

TCustomPopUpButton::TCustomPopUpButton(QWidget *parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    for (int s = 0; s < 4; ++s) images_[s] = LoadCloseButton(TState(s));
    setFixedSize(images_[bsNormal].size().isEmpty() ? QSize(16, 16) : images_[bsNormal].size());
    setAttribute(Qt::WA_Hover);
}

void TCustomPopUpButton::SetStateImage(TState s, const QPixmap &p) {
    images_[s] = p;
    update();
}

void TCustomPopUpButton::SetState(TState s) {
    if (!isEnabled() || state_ == s) return;
    state_ = s;
    if (!painting_) update();
}

void TCustomPopUpButton::paintEvent(QPaintEvent *) {
    painting_ = true;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const TState s = isEnabled() ? state_ : bsDisabled;
    p.drawPixmap(rect(), images_[s]);
    painting_ = false;
}

void TCustomPopUpButton::enterEvent(QEnterEvent *) { SetState(bsHovered); }
void TCustomPopUpButton::leaveEvent(QEvent *) { SetState(bsNormal); }

void TCustomPopUpButton::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton) SetState(bsPressed);
}

void TCustomPopUpButton::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton || !isEnabled()) return;
    const bool click = state_ == bsPressed && rect().contains(e->position().toPoint());
    SetState(bsNormal);
    if (click && action_) action_->trigger();
}

void TCustomPopUpButton::changeEvent(QEvent *e) {
    if (e->type() == QEvent::EnabledChange) {
        if (isEnabled()) state_ = bsNormal;
        update();
    }
    QWidget::changeEvent(e);
}

TPopUpCancel::TPopUpCancel(QWidget *owner) : QAction(owner) {
    connect(this, &QAction::triggered, owner, [owner] { owner->hide(); });
}

// ---------------------------------------------------------------------------

TCustomPopUp::TCustomPopUp(QWidget *owner) : TPopUpWindow(owner) {
    const QPalette pal = QApplication::palette();
    bodyFont_ = QToolTip::font();
    bodyColor_ = QToolTip::palette().color(QPalette::ToolTipText);
    headerFont_ = QFont("Tahoma");
    headerFont_.setBold(true);
    headerFont_.setPointSizeF(font().pointSizeF() + 2);
    headerColor_ = pal.color(QPalette::Link);
    headerGlow_ = pal.color(QPalette::Midlight);
    frameColor_ = Qt::black;
    color_ = QToolTip::palette().color(QPalette::ToolTipBase);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, [this] {
        HideTimerMessage();
        hide();
    });
}

TCustomPopUp::~TCustomPopUp() = default;

void TCustomPopUp::SetHeader(const QString &header) {
    header_ = header;
    if (headerSetsShow_) showHeader_ = !header.isEmpty();
    update();
}

void TCustomPopUp::SetHeaderGlow(const QColor &c) {
    headerGlow_ = c.isValid() && c.rgb() == qRgb(0, 0, 0) ? AutoGlowColor(headerColor_) : c;
    update();
}

void TCustomPopUp::SetPicture(const QPixmap &p) {
    picture_ = p;
    iconSize_ = p.isNull() ? QSize(16, 16) : p.size();
    update();
}

void TCustomPopUp::SetCancel(bool on) {
    cancel_ = on;
    if (on && !button_) {
        button_ = new TPopUpButton(this);
        cancelAction_ = new TPopUpCancel(this);
        button_->SetAction(cancelAction_);
    }
    if (button_) button_->setVisible(on);
}

bool TCustomPopUp::HasIcon() const {
    if (!showIcon_ || icon_ == ikNone) return false;
    if (icon_ == ikCustom) return !picture_.isNull();
    return true;
}

QPixmap TCustomPopUp::IconPixmap() const {
    if (icon_ == ikCustom) return picture_;
    const int i = IconListIndex(icon_);
    if (i < 0) return {};
    if (images_ && i < images_->size()) return images_->at(i);
    if (i < ownImages_.size()) return ownImages_.at(i);
    return {};
}

QRect TCustomPopUp::CalcRect(int maxWidth, const QString &textIn, void *data) {
    QString text = textIn;
    bool handled = false;
    if (OnShow) OnShow(this, text, data, handled);

    QScreen *screen = ScreenFor(QCursor::pos());
    const int screenWidth = screen ? screen->geometry().width() : 1024;

    if (HasIcon() && icon_ != ikCustom) {
        if (!images_ && ownImages_.isEmpty()) {
            // Our own small list of the desktop's message icons.
            QStyle *st = QApplication::style();
            const QStyle::StandardPixmap sp[5] = {QStyle::SP_DesktopIcon, QStyle::SP_MessageBoxCritical,
                                                  QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxQuestion,
                                                  QStyle::SP_MessageBoxWarning};
            for (int i = 0; i < 5; ++i) {
                QIcon ic = i == 0 && !QApplication::windowIcon().isNull() ? QApplication::windowIcon()
                                                                           : st->standardIcon(sp[i]);
                ownImages_.append(ic.pixmap(16, 16));
            }
        }
        QSize s(16, 16);
        if (images_ && !images_->isEmpty()) s = images_->first().size();
        iconSize_ = s.expandedTo(QSize(16, 16));
    } else if (HasIcon() && iconSize_.isEmpty()) {
        iconSize_ = QSize(16, 16);
    }
    body_ = text;

    TPopUpLayoutParams p;
    p.HasIcon = HasIcon();
    p.IconSize = iconSize_;
    p.LayoutWidth = PopUpLayoutWidth(maxWidth, maxWidth_, screenWidth, p.HasIcon, iconSize_.width());
    p.Header = showHeader_ ? header_ : QString();
    p.Body = text;
    p.ButtonWidth = cancel_ && button_ ? button_->width() : 0;
    p.Stem = stemSize_;
    p.Corner = corner_;
    const QFont hf = headerFont_, bf = bodyFont_;
    p.MeasureHeader = [hf](const QString &t, int w) { return MeasureText(hf, t, w); };
    p.MeasureBody = [bf](const QString &t, int w) { return MeasureText(bf, t, w); };
    layout_ = CalcPopUpLayout(p);
    return layout_.Bounds;
}

void TCustomPopUp::Activate(const QRect &rectIn, const QString &text) {
    if (isVisible()) hide();
    if (activating_) return;
    activating_ = true;

    const TStemMetrics stem = StemMetricsOf(stemSize_);
    const QPoint anchor = rectIn.topLeft() - StemOffset(corner_, rectIn.size(), stem);
    QScreen *screen = ScreenFor(anchor);
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);

    const TStemPlacement placed = PlaceStem(rectIn, corner_, stem, work);
    corner_ = placed.Corner;
    QRect r = placed.Rect;
    r.setHeight(r.height() + 4);
    // The work area, not just the desktop: the window must never sit under a
    // panel or run off the screen's edge.
    r = KeepInside(r, work);
    setGeometry(r);
    ApplyShape();

    if (playSound_) PlayIconSound(icon_);

    SetText(text);
    if (button_ && cancel_) {
        const int top = StemAtBottom(corner_) ? 0 : stem.Height;
        button_->move(width() - button_->width() - 6, top + 8);
        button_->raise();
    }

    backdrop_ = QPixmap();
    if (QGuiApplication::platformName() == "xcb" && screen) {
        const QPoint origin = screen->geometry().topLeft();
        backdrop_ = screen->grabWindow(0, r.x() - origin.x(), r.y() - origin.y(), r.width(), r.height());
    }

    const qint64 now = TickMs();
    const qint64 since = lastActivation_ < 0 ? (1LL << 40) : now - lastActivation_;
    animated_ = mayAnimate_ && UseSlideAnimation(since, text.size(),
                                                  QApplication::isEffectEnabled(Qt::UI_AnimateTooltip));
    if (animated_) {
        if (!slide_) {
            slide_ = new QPropertyAnimation(this, "pos", this);
            slide_->setDuration(200);
        }
        slide_->stop();
        slide_->setStartValue(r.topLeft() + QPoint(0, std::min(24, r.height())));
        slide_->setEndValue(r.topLeft());
        move(r.topLeft() + QPoint(0, std::min(24, r.height())));
        show();
        slide_->start();
    } else {
        show();
    }
    update();
    lastActivation_ = now;
    activating_ = false;
}

void TCustomPopUp::ApplyShape() {
    const QPainterPath path = PopUpShape(size(), corner_, StemMetricsOf(stemSize_));
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void TCustomPopUp::showEvent(QShowEvent *e) {
    ApplyShape();
    TPopUpWindow::showEvent(e);
}

void TCustomPopUp::hideEvent(QHideEvent *e) {
    if (slide_) slide_->stop();
    backdrop_ = QPixmap();
    // Closed by the button or the next Show: an old timer must not hide the
    // next pop-up early.
    hideTimer_.stop();
    TPopUpWindow::hideEvent(e);
    emit Hidden();
}

void TCustomPopUp::StartHideTimer(int ms) {
    StopHideTimer();
    hideTimer_.start(ms);
}

void TCustomPopUp::StopHideTimer() {
    if (!hideTimer_.isActive()) return;
    hideTimer_.stop();
    HideTimerMessage();
}

void TCustomPopUp::DrawGlowText(QPainter &p, const QRect &r, const QString &text, int flags) {
    if (!headerGlow_.isValid()) return;
    const int pad = 3;
    QImage img(r.size() + QSize(2 * pad, 2 * pad), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter ip(&img);
        ip.setFont(headerFont_);
        ip.setPen(headerGlow_);
        ip.drawText(QRect(QPoint(pad, pad), r.size()), flags, text);
        // Thicken the strokes so the blur leaves a visible halo.
        ip.drawText(QRect(QPoint(pad + 1, pad), r.size()), flags, text);
        ip.drawText(QRect(QPoint(pad, pad + 1), r.size()), flags, text);
    }
    const QImage glow = Blur(img);
    const qreal old = p.opacity();
    p.setOpacity(88 / 255.0);
    p.drawImage(r.topLeft() - QPoint(pad + 1, pad + 1), glow);
    p.setOpacity(64 / 255.0);
    p.drawImage(r.topLeft() - QPoint(pad - 1, pad - 1), glow);
    p.setOpacity(old);
}

void TCustomPopUp::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const TStemMetrics stem = StemMetricsOf(stemSize_);
    const QPainterPath shape = PopUpShape(size(), corner_, stem);
    const int contentTop = StemAtBottom(corner_) ? 0 : stem.Height;

    // 1. Background.
    bool stretched = false;
    if (!image_.isNull() && imageStretch_) {
        p.save();
        p.setClipPath(shape);
        p.drawPixmap(rect(), image_);
        p.restore();
        stretched = true;
    }
    if (!stretched) {
        QColor fill = color_;
        if (!backdrop_.isNull() || testAttribute(Qt::WA_TranslucentBackground)) {
            if (!backdrop_.isNull()) p.drawPixmap(0, 0, backdrop_);
            fill.setAlpha(alpha_);
        }
        p.fillPath(shape, fill);
        if (!image_.isNull()) {
            const int x = width() - 8 - image_.width();
            const int y = std::max(2, (height() - image_.height()) / 2);
            p.drawPixmap(x, y, image_);
        }
    }

    // 2. Outline.
    p.setPen(QPen(frameColor_.isValid() ? frameColor_ : QColor(Qt::black), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape.translated(-0.5, -0.5));

    // 4. Icon (the close button is a child and paints itself).
    if (HasIcon()) {
        const QPixmap pm = IconPixmap();
        if (!pm.isNull()) {
            const int x = balloon_ || icon_ == ikCustom ? 10 : 12;
            p.drawPixmap(x, contentTop + 8, pm);
        }
    }

    const int dir = layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    const int flags = kTextFlags | dir | Qt::AlignTop;

    // 5. Header.
    if (showHeader_ && !header_.isEmpty() && !layout_.HeaderRect.isEmpty()) {
        const int left = HasIcon() ? iconSize_.width() + 20 : 4;
        const int availW = std::max(1, R(layout_.HeaderRect) - left);
        const QSize th = MeasureText(headerFont_, header_, availW);
        const int shift = balloon_ ? (layout_.HeaderHeight - th.height() + 4) / 2
                                   : (layout_.HeaderHeight - th.height()) / 2;
        const QRect hr(left, contentTop + std::max(8, shift), availW, th.height());
        DrawGlowText(p, hr, header_, flags);
        p.setFont(headerFont_);
        p.setPen(headerColor_);
        p.drawText(hr, flags, header_);
    }

    // 6. Body.
    if (!body_.isEmpty() && !layout_.BodyRect.isEmpty()) {
        const QRect &b = layout_.BodyRect;
        const int rightMargin = balloon_ ? 12 : 8;
        const QRect br(b.x(), contentTop + layout_.HeaderHeight, std::max(1, b.width() - rightMargin),
                       b.height());
        p.setFont(bodyFont_);
        p.setPen(bodyColor_);
        p.drawText(br, flags, body_);
    }
}

// ---------------------------------------------------------------------------

TnPopUp::TnPopUp(QWidget *owner) : TCustomPopUp(owner) {}

bool TnPopUp::Show(const QString &text, const QPoint &point, int duration) {
    if (text.isEmpty() && Header().isEmpty()) return false;
    StopHideTimer();
    bool shown = false;
    try {
        SetAlphaValue(220);
        SetStemSize(ssNone);
        SetCancel(true);
        QRect r = CalcRect(MaxWidth(), text);
        r.translate(point.x() + 8, point.y() + 12);
        Activate(r, text);
        shown = isVisible();
    } catch (...) {
        if (duration > 0) StartHideTimer(duration);
        throw;
    }
    if (duration > 0) StartHideTimer(duration);
    return shown;
}

void TnPopUp::Hide() {
    if (activating_) return;
    StopHideTimer();
    hide();
}
