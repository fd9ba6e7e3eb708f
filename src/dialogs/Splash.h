#pragma once
// The start-up splash window, which doubles as the About window.
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

// "Version: 1.2.3.4"; "0.0.0.0" when the version is unknown (any part < 0).
QString SplashVersionText(int major, int minor, int release, int build);

class TSplashScreen : public QDialog {
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget *parent = nullptr);

    bool RoundCorners() const { return roundCorners_; }
    void SetRoundCorners(bool on);
    int Radius() const { return radius_; }
    void SetRadius(int radius);

    // Time from the end of the logo slide to the closing tick; the update
    // check's promotion lengthens it.
    int CloseInterval = 6000;
    // Where the promotion link leads (empty: nowhere).
    QString PromoTarget;

    // The update check holds the splash open while it asks the user, and
    // the first-start setup shows it again afterwards.
    void StopTimer();
    void RestartTimer(int ms);

    // Shows Help and Close and runs modally: 1 Help, 2 Close or timed out.
    int ExecAbout();

    // The drawn stand-in for the program's mark: a sun behind a cloud.
    static QPixmap DrawMark(QSize size, bool withName);

    QLabel *iBackground = nullptr;
    QLabel *Ad = nullptr;
    QLabel *iLogo1 = nullptr;
    QLabel *iLogo2 = nullptr;
    QLabel *iLogo3 = nullptr;
    QLabel *OrvLogo = nullptr;
    QLabel *glVersion = nullptr;
    QLabel *PromoLink = nullptr;
    QPushButton *btnHelp = nullptr;
    QPushButton *btnClose = nullptr;
    QTimer *Timer = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateRegion();
    void OnTimer();
    void SlideTick();
    void ClosingTick();

    bool roundCorners_ = true;
    int radius_ = 48;
    bool closingNext_ = false;
};

// The About command: shows the existing splash window or a new one modally;
// Help calls `openHelp`. The window is freed afterwards and `splash` cleared.
void ShowAbout(TSplashScreen *&splash, QWidget *owner, const std::function<void()> &openHelp);
