#pragma once
// The notification-area icon: the temperature drawn into the icon, the menu,
// the summary pop-up for pointing at the icon while the window is hidden, the
// pop-up styles of the connection-failure and new-alert notices, and the
// animated icon of an alert.
//
// Linux trays give no pointer-move events for their icons. The summary text
// therefore also lives in the icon's tool tip (while the window is hidden),
// and the move counter is fed from the hover events the X11 tray widget does
// deliver (enter, move, tool tip); MouseMove() is the entry for any other
// source.
#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QSystemTrayIcon>
#include <functional>
#include <optional>

#include "controls/WinColors.h"
#include "controls/nPopUp.h"
#include "mainwindow/AlertNotify.h"
#include "mainwindow/TrayRules.h"

class QAction;
class QMenu;
class QTimer;
class QWidget;
class TCustomWxService;


enum TPopUpStyle { psSummary, psError, psAlert };

// Colour value of the settings file; also knows the menu highlight (29).
QColor TrayColor(TColor c);
constexpr int kTrayBitmapSize = 64;
// The 64 x 64 tray picture: transparent, the number centred in the colour,
// on a rounded rectangle (light orange, or yellow for 16-bit bitmaps) for
// 100 and above.
QImage DrawTrayTemperature(const TTrayNumber &number, const QFont &font, const QColor &color,
                           bool highColor = true);
// The 32-pixel pictures the icon cycles through while an alert is announced.
QList<QPixmap> AlertTrayFrames();

// What the summary pop-up shows, read from the main window when it is needed.
struct TTraySummary {
    TTraySummaryFields Fields;
    std::string Temperature;   // glTemperature
    std::string ScaleCaption;  // "Fahrenheit" / "Celsius"
    QPixmap ConditionPicture;
};

class TTray : public QObject {
    Q_OBJECT
public:
    static constexpr int SummaryTime = 12000, ErrorTime = 6000;
    static constexpr int NoticeWidth = 296, SummaryWidth = 280;

    explicit TTray(QWidget *window);
    ~TTray() override;

    QSystemTrayIcon *TrayIcon() const { return icon_; }
    QMenu *PopupMenu() const { return menu_; }
    QAction *mTitle = nullptr, *mMinMax = nullptr, *mAbout = nullptr, *mSetup = nullptr, *mExit = nullptr;

    // What the tray asks of the window. Unset: visible, not closing.
    std::function<bool()> IsHidden;   // hidden in the tray
    std::function<bool()> IsClosing;
    std::function<TTraySummary()> Summary;
    // Reads the colours again when the stored PopUp colour is 0.
    std::function<TPopUpColours()> LoadPopUpColours;

    // [Options] Tray; without a notification area nothing shows either way.
    void SetActive(bool on);
    bool Active() const { return active_; }
    void SetNotify(bool on) { notify_ = on; }
    bool Notify() const { return notify_; }
    void SetPopUpColours(const TPopUpColours &c) { colours_ = c; }
    const TPopUpColours &PopUpColours() const { return colours_; }

    // Redraws the icon from glTemperature's text; false (nothing changed) for
    // an empty text.
    bool UpdateTemperatureIcon(const QString &temperatureText, TCustomWxService *service, TColor color,
                               const QFont &font);
    QImage TemperatureImage() const { return tempImage_; }

    // The icon's top-left corner on screen; none when the platform does not
    // tell. A fixed position overrides it (tests, previews).
    bool TrayPosition(QPoint &pos) const;
    void SetFixedTrayPosition(std::optional<QPoint> pos) { fixedPos_ = pos; }

    // Nothing for an empty body or while closing; otherwise the pop-up with
    // the style's colours, fonts and pictures, and its time (the alert style
    // stays until closed).
    bool ShowPopUp(QPoint pos, const QString &body, const QString &header, TPopUpStyle style, int maxWidth);
    void HidePopUp();
    bool PopUpVisible() const;
    TnPopUp *PopUp() const { return popUp_; }

    // Connection failure while hidden in the tray with Notify on and no setup
    // dialog open: the error pop-up beside the icon (nothing without a
    // position). True when the tray took the report; otherwise the window
    // shows its message dialog.
    bool ConnectFailurePopUp(const QString &caption, bool setupOpen);
    // The new-alert notice: the alert pop-up beside the icon, and a desktop
    // notification when a notification area is there. False when neither showed.
    bool AlertNotice(const QString &advisoryCaption, const QString &headline);
    // Text of the desktop notification last sent (empty before any).
    QString LastDesktopMessage() const { return lastMessage_; }

    // TrayIconMouseMove: counts the move and shows the summary when due.
    void MouseMove(QPoint pos);
    TTrayHoverCounter &HoverCounter() { return hover_; }
    bool MenuOpen() const { return !openMenus_.isEmpty(); }
    // Tool tip: the summary while hidden (with Notify on), else "Tolvu".
    void RefreshToolTip();
    // Header and body of the summary as it would show now.
    QString SummaryHeader() const;
    QString SummaryBody() const;

    // The alert animation (192 ms per frame, four rounds).
    void StartAnimation();
    // Back to the temperature icon.
    void StopAnimation();
    const TTrayAnimation &Animation() const { return anim_; }
    int AnimationFrameCount() const { return int(frames_.size()); }
    void AnimationStep();

    // Left click on the icon while hidden; guarded against re-entry.
    void IconClick();
    // The menu's opening: counter, Minimize/Restore caption, pop-up.
    void MenuPopup();

signals:
    void RestoreRequested();    // tray click while hidden
    void MinimizeClicked();
    void RestoreClicked();
    void AboutClicked();
    void PreferencesClicked();
    void ExitClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void applyStyle(TPopUpStyle style);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    bool hidden() const { return IsHidden && IsHidden(); }
    bool closing() const { return IsClosing && IsClosing(); }

    QPointer<QWidget> window_;
    QSystemTrayIcon *icon_ = nullptr;
    QMenu *menu_ = nullptr;
    QPointer<TnPopUp> popUp_;  // a child of the window, which may go first
    QTimer *animTimer_ = nullptr;
    TTrayAnimation anim_;
    QList<QPixmap> frames_;
    QImage tempImage_;
    TPopUpColours colours_;
    TTrayHoverCounter hover_;
    QSet<QObject *> openMenus_;
    std::optional<QPoint> fixedPos_;
    QString lastMessage_;
    bool active_ = true, notify_ = true, clicking_ = false;
};
