#pragma once
// The notification pop-up shown beside the tray icon, and the shape, layout
// and painting it shares with the balloon hints.
#include <QAction>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "dialogs/IconKind.h"

class QPropertyAnimation;

// ---------------------------------------------------------------------------
// Sounds. The sound module installs the player; without one nothing plays.

using TIconSoundPlayer = std::function<void(TIconKind)>;
// Returns the previous player.
TIconSoundPlayer SetIconSoundPlayer(TIconSoundPlayer player);
void PlayIconSound(TIconKind kind);

// ---------------------------------------------------------------------------
// Geometry, on plain rectangles so it can be checked without windows.

enum TStemSize { ssNone, ssSmall, ssNormal, ssLarge };

struct TStemMetrics {
    int Height = 0;
    int Width = 0;
    int Distance = 0;  // from the window's side to the stem's tip
};
TStemMetrics StemMetricsOf(TStemSize size);

// Stem corners: 0 not chosen yet, 1 top right, 2 top left, 3 bottom right,
// 4 bottom left.
constexpr bool StemAtBottom(int corner) { return corner == 3 || corner == 4; }
constexpr bool StemOnRight(int corner) { return corner == 1 || corner == 3; }

// Height of the mouse pointer; bottom stems keep the window clear of it.
constexpr int kCursorHeight = 32;

// Where a window of the given size goes relative to the point its stem
// points at.
QPoint StemOffset(int corner, QSize size, const TStemMetrics &stem, int cursorHeight = kCursorHeight);

// Widest layout width: the property wins (capped by the argument), else the
// argument capped at half the screen; an icon needs icon width + 12.
int PopUpLayoutWidth(int maxWidthArg, int maxWidthProp, int screenWidth, bool hasIcon, int iconWidth);

// Measures word-wrapped text at the given width.
using TTextMeasure = std::function<QSize(const QString &text, int width)>;

struct TPopUpLayoutParams {
    int LayoutWidth = 0;
    QString Header;      // empty when no header is drawn
    QString Body;
    bool HasIcon = false;
    QSize IconSize{16, 16};
    int ButtonWidth = 0;  // 0 without the close button
    TStemSize Stem = ssNone;
    int Corner = 0;
    int CursorHeight = kCursorHeight;
    TTextMeasure MeasureHeader;
    TTextMeasure MeasureBody;
};

struct TPopUpLayout {
    QRect HeaderRect;   // empty without a header
    QRect BodyRect;     // empty without body text
    int HeaderHeight = 12;
    QRect Bounds;       // size of the window, placed by the stem offset
};
TPopUpLayout CalcPopUpLayout(const TPopUpLayoutParams &p);

struct TStemPlacement {
    QRect Rect;
    int Corner = 0;
};
// Picks the stem corner for a rectangle laid out for `corner`: the quadrant
// of the work area the stem points into decides, then a rectangle that would
// leave the work area flips to the other side.
TStemPlacement PlaceStem(const QRect &rect, int corner, const TStemMetrics &stem, const QRect &workArea,
                         int cursorHeight = kCursorHeight);
// Moves the rectangle up/left until it fits the area, never above or left
// of the area's origin.
QRect KeepInside(QRect rect, const QRect &area);

// The window outline: a rounded rectangle (11-pixel corners) joined with the
// stem triangle. `size` is the whole window.
QPainterPath PopUpShape(QSize size, int corner, const TStemMetrics &stem);

// Slide in only when the previous pop-up is older than 250 ms, the text is
// short and the desktop animates tooltips.
bool UseSlideAnimation(qint64 msSinceLastActivation, int textLength, bool systemAnimates);

// Glow colour picked when the glow is set to 0 (black): 10/24 of the way
// from the header colour to white.
QColor AutoGlowColor(const QColor &headerColor);

// 0x00BBGGRR colour value of the settings file.
QColor ColorFromBGR(unsigned value);

// ---------------------------------------------------------------------------

// Tooltip-style top-level window without activation or a taskbar entry.
class TPopUpWindow : public QWidget {
    Q_OBJECT
public:
    explicit TPopUpWindow(QWidget *owner = nullptr);
    QString Text() const { return text_; }
    // Outside an activation the window sizes itself to the text.
    void SetText(const QString &text);
protected:
    bool activating_ = false;
    QString text_;
};

using TPopUpEvent = std::function<void(QObject *sender, QString &text, void *data, bool &handled)>;

class TCustomPopUp;

// Close button: four pictures for disabled, normal, hovered and pressed.
class TCustomPopUpButton : public QWidget {
    Q_OBJECT
public:
    enum TState { bsDisabled, bsNormal, bsHovered, bsPressed };
    explicit TCustomPopUpButton(QWidget *parent = nullptr);
    TState State() const { return state_; }
    void SetAction(QAction *action) { action_ = action; }
    QAction *Action() const { return action_; }
    QPixmap StateImage(TState s) const { return images_[s]; }
    void SetStateImage(TState s, const QPixmap &p);
protected:
    void SetState(TState s);
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void changeEvent(QEvent *e) override;
private:
    TState state_ = bsNormal;
    QPixmap images_[4];
    QPointer<QAction> action_;
    bool painting_ = false;
};

class TPopUpButton : public TCustomPopUpButton {
    Q_OBJECT
public:
    using TCustomPopUpButton::TCustomPopUpButton;
    QPixmap DisabledImage() const { return StateImage(bsDisabled); }
    QPixmap EnabledImage() const { return StateImage(bsNormal); }
    QPixmap FocusedImage() const { return StateImage(bsHovered); }
    QPixmap PressedImage() const { return StateImage(bsPressed); }
    void SetDisabledImage(const QPixmap &p) { SetStateImage(bsDisabled, p); }
    void SetEnabledImage(const QPixmap &p) { SetStateImage(bsNormal, p); }
    void SetFocusedImage(const QPixmap &p) { SetStateImage(bsHovered, p); }
    void SetPressedImage(const QPixmap &p) { SetStateImage(bsPressed, p); }
};

// Hides the widget it belongs to.
class TPopUpCancel : public QAction {
    Q_OBJECT
public:
    explicit TPopUpCancel(QWidget *owner);
};

// Shape, layout, painting, show and hide.
class TCustomPopUp : public TPopUpWindow {
    Q_OBJECT
public:
    explicit TCustomPopUp(QWidget *owner = nullptr);
    ~TCustomPopUp() override;

    QString Header() const { return header_; }
    virtual void SetHeader(const QString &header);
    bool ShowHeader() const { return showHeader_; }
    void SetShowHeader(bool on) { showHeader_ = on; update(); }
    QFont HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const QFont &f) { headerFont_ = f; update(); }
    QColor HeaderColor() const { return headerColor_; }
    void SetHeaderColor(const QColor &c) { headerColor_ = c; update(); }
    // An invalid colour draws no glow; black picks AutoGlowColor.
    QColor HeaderGlow() const { return headerGlow_; }
    void SetHeaderGlow(const QColor &c);
    QFont BodyFont() const { return bodyFont_; }
    void SetBodyFont(const QFont &f) { bodyFont_ = f; update(); }
    QColor BodyColor() const { return bodyColor_; }
    void SetBodyColor(const QColor &c) { bodyColor_ = c; update(); }
    QColor FrameColor() const { return frameColor_; }
    void SetFrameColor(const QColor &c) { frameColor_ = c; update(); }
    QColor Color() const { return color_; }
    void SetColor(const QColor &c) { color_ = c; update(); }
    int AlphaValue() const { return alpha_; }
    void SetAlphaValue(int a) { alpha_ = qBound(0, a, 255); update(); }
    TIconKind Icon() const { return icon_; }
    void SetIcon(TIconKind k) { icon_ = k; update(); }
    bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool on) { showIcon_ = on; update(); }
    // Not owned; indexed by IconListIndex.
    const QList<QPixmap> *Images() const { return images_; }
    void SetImages(const QList<QPixmap> *list) { images_ = list; update(); }
    QPixmap Picture() const { return picture_; }
    void SetPicture(const QPixmap &p);
    QPixmap Image() const { return image_; }
    void SetImage(const QPixmap &p) { image_ = p; update(); }
    bool ImageStretch() const { return imageStretch_; }
    void SetImageStretch(bool on) { imageStretch_ = on; update(); }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int w) { maxWidth_ = w; }
    TStemSize StemSize() const { return stemSize_; }
    void SetStemSize(TStemSize s) { stemSize_ = s; }
    bool PlaySound() const { return playSound_; }
    void SetPlaySound(bool on) { playSound_ = on; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on);
    TPopUpButton *CloseButton() const { return button_; }
    TPopUpEvent OnShow;

    int Corner() const { return corner_; }
    bool HasIcon() const;
    QSize IconSize() const { return iconSize_; }
    const TPopUpLayout &Layout() const { return layout_; }
    // The body text as laid out (after OnShow).
    QString BodyText() const { return body_; }
    // True when the last activation slid the window in.
    bool Animated() const { return animated_; }
    bool HideTimerPending() const { return hideTimer_.isActive(); }

    QRect CalcRect(int maxWidth, const QString &text, void *data = nullptr);
    void Activate(const QRect &rect, const QString &text);

signals:
    void Hidden();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void hideEvent(QHideEvent *) override;
    void StartHideTimer(int ms);
    void StopHideTimer();
    // Sent when the pending hide timer is stopped, before the window hides.
    virtual void HideTimerMessage() {}
    QPixmap IconPixmap() const;

    // Balloons differ from the pop-up in a few layout details.
    bool balloon_ = false;
    bool headerSetsShow_ = true;
    bool mayAnimate_ = true;

private:
    void ApplyShape();
    void DrawGlowText(QPainter &p, const QRect &r, const QString &text, int flags);
    void Finish();

    QString header_, body_;
    bool showHeader_ = false;
    QFont headerFont_, bodyFont_;
    QColor headerColor_, bodyColor_, headerGlow_, frameColor_, color_;
    int alpha_ = 255;
    TIconKind icon_ = ikInformation;
    bool showIcon_ = true;
    const QList<QPixmap> *images_ = nullptr;
    QList<QPixmap> ownImages_;
    QPixmap picture_, image_;
    bool imageStretch_ = true;
    int maxWidth_ = 0;
    TStemSize stemSize_ = ssNormal;
    bool playSound_ = true;
    bool cancel_ = false;
    TPopUpButton *button_ = nullptr;
    TPopUpCancel *cancelAction_ = nullptr;

    TPopUpLayout layout_;
    QSize iconSize_{16, 16};
    int corner_ = 0;
    QTimer hideTimer_;
    qint64 lastActivation_ = -1;
    bool animated_ = false;
    QPixmap backdrop_;
    QPropertyAnimation *slide_ = nullptr;
};

// The published pop-up with its Show operation.
class TnPopUp : public TCustomPopUp {
    Q_OBJECT
public:
    explicit TnPopUp(QWidget *owner = nullptr);
    // Shows the text near the screen point; a duration above 0 hides it after
    // that many milliseconds. False when there is nothing to show.
    bool Show(const QString &text, const QPoint &point, int duration);
    void Hide();
};
