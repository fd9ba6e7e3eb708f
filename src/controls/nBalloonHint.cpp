#include "controls/nBalloonHint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

namespace {
TBalloonHint *gBalloon = nullptr;
TBalloonHints *gBalloonHints = nullptr;

QFont HintHeaderFont() {
    QFont f = QToolTip::font();
    if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() + 1);
    else f.setPixelSize(f.pixelSize() + 1);
    f.setBold(true);
    return f;
}

bool IsBlack(const QColor &c) { return c.isValid() && c.rgb() == qRgb(0, 0, 0); }
}  // namespace

// ---------------------------------------------------------------------------

TCustomHintWindow::TCustomHintWindow(QWidget *owner) : TCustomPopUp(owner) {
    balloon_ = true;
    headerSetsShow_ = false;
    mayAnimate_ = false;
    const QPalette pal = QApplication::palette();
    SetHeaderFont(HintHeaderFont());
    SetHeaderColor(QToolTip::palette().color(QPalette::ToolTipText));
    SetFrameColor(pal.color(QPalette::ButtonText));
    SetHeaderGlow(pal.color(QPalette::Light));
}

QRect TCustomHintWindow::CalcHintRect(int maxWidth, const QString &text, void *data) {
    return CalcRect(maxWidth, text, data);
}

void TCustomHintWindow::ActivateHint(const QRect &rect, const QString &text) {
    Activate(rect, text);
}

void TCustomHintWindow::ActivateHintData(const QRect &rect, const QString &text, void *data) {
    data_ = data;
    ActivateHint(rect, text);
}

// ---------------------------------------------------------------------------

TBalloonHint::TBalloonHint(QWidget *owner) : TCustomHintWindow(owner) {
    // Looked up when the balloon shows, so a component made later still
    // gives it the common look.
    OnShow = [](QObject *sender, QString &text, void *data, bool &handled) {
        if (TBalloonHints *c = TBalloonHints::Instance())
            c->PrepareHint(static_cast<TCustomHintWindow *>(sender), text, data, handled);
    };
}

TBalloonHint *TBalloonHint::Create(QWidget *owner) {
    if (!gBalloon) gBalloon = new TBalloonHint(owner);
    return gBalloon;
}

TBalloonHint *TBalloonHint::Instance() { return gBalloon; }

TBalloonHint::~TBalloonHint() {
    if (gBalloon == this) gBalloon = nullptr;
}

// ---------------------------------------------------------------------------

int TBalloonHints::HintHidePause = 2500;

QColor TBalloonHints::InfoBackground() { return QApplication::palette().color(QPalette::ToolTipBase); }

TBalloonHints *TBalloonHints::Create(QWidget *form) {
    if (!gBalloonHints) gBalloonHints = new TBalloonHints(form);
    return gBalloonHints;
}

TBalloonHints *TBalloonHints::Instance() { return gBalloonHints; }

TBalloonHints::TBalloonHints(QWidget *form) : QObject(form) {
    const QPalette pal = QApplication::palette();
    oldToolTipPalette_ = QToolTip::palette();
    color_ = oldToolTipPalette_.color(QPalette::ToolTipBase);
    FrameColor = pal.color(QPalette::ButtonText);
    HeaderGlow = pal.color(QPalette::Light);
    Font = QToolTip::font();
    FontColor = oldToolTipPalette_.color(QPalette::ToolTipText);
    HeaderFont = HintHeaderFont();
    HeaderFontColor = FontColor;
    balloonTimer_.setSingleShot(true);
    connect(&balloonTimer_, &QTimer::timeout, this, &TBalloonHints::HideBalloon);
    hintTimer_.setSingleShot(true);
    connect(&hintTimer_, &QTimer::timeout, this, &TBalloonHints::HideToolTip);
    if (form && qApp) {
        qApp->installEventFilter(this);
        filterOn_ = true;
    }
}

TBalloonHints::~TBalloonHints() {
    destroying_ = true;
    if (filterOn_ && qApp) qApp->removeEventFilter(this);
    QToolTip::setPalette(oldToolTipPalette_);
    if (gBalloonHints == this) gBalloonHints = nullptr;
}

void TBalloonHints::SetColor(const QColor &c) {
    color_ = c;
    QPalette pal = QToolTip::palette();
    pal.setColor(QPalette::ToolTipBase, c);
    QToolTip::setPalette(pal);
}

void TBalloonHints::PrepareHint(TCustomHintWindow *balloon, QString &text, void *data, bool &handled) {
    handled = false;
    if (!balloon) return;
    if (OnHintShow) {
        OnHintShow(balloon, text, data, handled);
        if (handled) return;
    }
    current_ = balloon;
    try {
        balloon->SetImage(UseImage ? Image : QPixmap());
        balloon->SetImageStretch(ImageStretch);
        balloon->SetImages(Images);
        if (ShowIcon) balloon->SetPicture(Picture);
        if (color_.rgb() != InfoBackground().rgb()) balloon->SetColor(color_);
        balloon->SetAlphaValue(AlphaValue);
        balloon->SetBodyFont(Font);
        if (FontColor.isValid()) balloon->SetBodyColor(FontColor);
        balloon->SetFrameColor(FrameColor);
        balloon->SetHeaderFont(HeaderFont);
        if (HeaderFontColor.isValid()) balloon->SetHeaderColor(HeaderFontColor);
        if (!IsBlack(HeaderGlow)) balloon->SetHeaderGlow(HeaderGlow);
        balloon->SetIcon(Icon);
        balloon->SetShowIcon(ShowIcon);
        balloon->SetStemSize(StemSize);
        if (balloon->Header().isEmpty()) balloon->SetHeader(Header);
    } catch (...) {
        return;
    }
    balloon->SetShowHeader(ShowHeader);
    balloon->SetPlaySound(PlaySound);
    handled = true;
}

void TBalloonHints::ShowBalloon(const QPoint &point, int maxWidth, bool longHint, void *data, const QString &text) {
    if (destroying_) return;
    if (!balloon_) balloon_ = TBalloonHint::Create();
    if (text.isEmpty() || !balloon_ || balloon_->isVisible()) return;
    QRect r = balloon_->CalcHintRect(maxWidth, text, data);
    r.translate(point.x() + 8, point.y() + 24);
    balloon_->ActivateHintData(r, text, data);
    balloonTimer_.start(longHint ? 6000 : HintHidePause);
}

void TBalloonHints::HideBalloon() {
    if (destroying_ || !balloon_ || !balloon_->isVisible()) return;
    balloonTimer_.stop();
    balloon_->hide();
    balloon_ = nullptr;
}

void TBalloonHints::HideToolTip() {
    hintTimer_.stop();
    if (TBalloonHint *b = TBalloonHint::Instance(); b && hintControl_ && b->isVisible()) b->hide();
    hintControl_ = nullptr;
}

bool TBalloonHints::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->toolTip().isEmpty()) break;  // Qt passes it on to the parent
        TBalloonHint *b = TBalloonHint::Create();
        if (b->isVisible() && hintControl_ == w) return true;
        // The component's own balloon gives way to the control's hint.
        balloonTimer_.stop();
        balloon_ = nullptr;
        auto *he = static_cast<QHelpEvent *>(event);
        QScreen *s = w->screen();
        const int maxWidth = s ? s->geometry().width() : 1024;
        QRect r = b->CalcHintRect(maxWidth, w->toolTip(), w);
        r.translate(he->globalPos() + QPoint(8, 24));
        b->ActivateHintData(r, w->toolTip(), w);
        hintControl_ = w;
        hintTimer_.start(HintHidePause);
        return true;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        if (hintControl_ && watched == hintControl_) HideToolTip();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
