#pragma once
// Balloon-shaped tool tips: the hint window, the one application-wide
// balloon, and the component that switches every tool tip to balloons.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "controls/nPopUp.h"

using THintEvent = TPopUpEvent;

// The pop-up's look with the balloon's defaults: stem, no close button, no
// slide, and `Header` leaves `ShowHeader` alone.
class TCustomHintWindow : public TCustomPopUp {
    Q_OBJECT
public:
    explicit TCustomHintWindow(QWidget *owner = nullptr);
    QRect CalcHintRect(int maxWidth, const QString &text, void *data = nullptr);
    void ActivateHint(const QRect &rect, const QString &text);
    void ActivateHintData(const QRect &rect, const QString &text, void *data);
    void *Data() const { return data_; }
private:
    void *data_ = nullptr;
};

// The application's hint window: only one exists at a time.
class TBalloonHint : public TCustomHintWindow {
    Q_OBJECT
public:
    // Returns the existing balloon, or makes it.
    static TBalloonHint *Create(QWidget *owner = nullptr);
    static TBalloonHint *Instance();
    ~TBalloonHint() override;
private:
    explicit TBalloonHint(QWidget *owner);
};

class TBalloonHints : public QObject {
    Q_OBJECT
public:
    // Returns the existing component, or makes it. With a form as owner the
    // application's tool tips become balloons.
    static TBalloonHints *Create(QWidget *form = nullptr);
    static TBalloonHints *Instance();
    ~TBalloonHints() override;

    // The application's hint hide pause in milliseconds.
    static int HintHidePause;
    // The desktop's own tool-tip background ("info background").
    static QColor InfoBackground();

    QColor Color() const { return color_; }
    void SetColor(const QColor &c);  // also the application's hint colour
    QColor FrameColor = Qt::black;
    QColor HeaderGlow;                // black keeps each balloon's own
    int AlphaValue = 255;
    QFont Font;
    QColor FontColor;
    QFont HeaderFont;
    QColor HeaderFontColor;
    QString Header;                   // for balloons without their own
    TIconKind Icon = ikCustom;
    const QList<QPixmap> *Images = nullptr;
    QPixmap Picture;
    QPixmap Image;
    bool ImageStretch = true;
    bool UseImage = false;
    bool ShowHeader = false;
    bool ShowIcon = false;
    TStemSize StemSize = ssNormal;
    bool PlaySound = false;
    THintEvent OnHintShow;

    // A balloon outside the hint mechanism; hidden after 6000 ms when
    // `longHint`, else after the hint hide pause.
    void ShowBalloon(const QPoint &point, int maxWidth, bool longHint, void *data, const QString &text);
    void HideBalloon();
    TCustomHintWindow *Balloon() const { return balloon_; }
    bool BalloonTimerActive() const { return balloonTimer_.isActive(); }
    // Gives a balloon about to show the common look.
    void PrepareHint(TCustomHintWindow *balloon, QString &text, void *data, bool &handled);
    TCustomHintWindow *Current() const { return current_; }
    bool BalloonsEnabled() const { return filterOn_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TBalloonHints(QWidget *form);
    void HideToolTip();

    QColor color_;
    QPointer<TCustomHintWindow> balloon_;
    QPointer<TCustomHintWindow> current_;
    QTimer balloonTimer_;
    QTimer hintTimer_;
    QPointer<QWidget> hintControl_;
    bool filterOn_ = false;
    bool destroying_ = false;
    QPalette oldToolTipPalette_;
};
