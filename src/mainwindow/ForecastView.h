#pragma once
// The forecast strip of the Current page: one day tile per forecast period in
// a scroll box, the collapsible inset with the worded forecast on the right,
// and the forecast balloon shown over a tile.
//
// The main window hosts a TForecastStrip in its nForecast container, calls
// ShowForecast from its OnForecast handler and InsetTimerTick from its inset
// timer, and hands over the colours it derives (TForecastOptions).
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "controls/GrphCtrls.h"
#include "controls/nBalloonHint.h"
#include "mainwindow/ForecastText.h"

class QScrollArea;
class QScrollBar;
class TCustomWxService;
class TForecastItem;
class TForecastStrip;
class TIconLibrary;


struct TForecastOptions {
    TColor WindowColor = 0x800000;  // the window's Color
    TColor CentreColor = 0xF0CAA6;  // Color1: strip, inset, tiles
    TColor BottomColor = 0xC0DCC0;  // Color2: gradient end of strip and inset
    // The derived colours (WithColours computes them from the three above):
    // ColourBlend(WindowColor, clBtnText, 12), the font of new tiles;
    TColor TileFontColor = 0x34000A;
    // ColourBlend(WindowColor, 0xFF000009, 16), the detail label (and day tiles on a colour change);
    TColor DetailFontColor = 0x1A0007;
    // ColourBlend(centre, clBtnHighlight, 10), the detail label's shadow.
    TColor DetailShadowColor = 0x78655D;

    // The three window colours with the colours derived from them.
    static TForecastOptions WithColours(TColor window, TColor centre, TColor bottom);

    bool ServiceIcons = false;   // [Options] ServiceIcons
    bool NotifySound = false;    // [Options] fNotifySound
    bool AlertRunning = false;   // an alert notification is on
    int BalloonAlpha = 212;      // [Wx] fbTransparency (low byte used)
    TColor BalloonFrameColor = 0x494949;
    QPixmap BalloonPicture;      // picture 5 of the message images; a drawn one when empty
    QPixmap EdgePicture;         // the tiles' edge picture; a drawn one when empty

    TLangView Lang;
    QString IconLibraryFile;     // empty: the program's library
    // The program icon choice for an icon file name and its words; the
    // built-in one knows no condition table.
    std::function<QPixmap(TIconLibrary &lib, const std::string &iconName, const std::string &words)> ProgramIcon;
    // Plays a wave file; empty: the platform's player.
    std::function<void(const std::string &path)> PlaySound;
};

// Built-in program icon choice: the icon's own picture when the library has
// one, else "54.PNG"; the generic day and night pictures ("40", "41") are
// refined by the words.
QPixmap DefaultProgramIcon(TIconLibrary &lib, const std::string &iconName, const std::string &words);
// The words rule alone: picture name for a generic picture and its words.
std::string ChooseByWords(const std::string &pictureName, const std::string &words);

// A picture drawn centred, proportional and stretched.
class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget *parent = nullptr);
    QPixmap Picture() const { return picture_; }
    void SetPicture(const QPixmap &p);
    void Clear() { SetPicture(QPixmap()); }
    bool Stretch = true;
    bool Proportional = true;
protected:
    void paintEvent(QPaintEvent *) override;
private:
    QPixmap picture_;
};

class TForecastBalloon : public TCustomHintWindow {
    Q_OBJECT
public:
    explicit TForecastBalloon(QWidget *owner = nullptr);
    // Not owned; the view outlives the balloon's use.
    void SetLang(const TLangView *lang) { lang_ = lang; }
    void SetOpacity(int fbTransparency);
    // Lays out and shows the text near a screen point; hidden after timeOut ms.
    void ShowHintAt(const QPoint &globalPos, const QString &text, int maxWidth, int timeOut);
    void HideHint();
private:
    // Runs before every layout: turns "Day Night: text" into header and body.
    void FormatHint(QString &text);
    const TLangView *lang_ = nullptr;
    int opacity_ = 212;
};

class TDayControl : public TnLabel {
    Q_OBJECT
public:
    explicit TDayControl(TForecastStrip *strip, QWidget *parent);

    bool Night() const { return night_; }
    virtual void SetNight(bool night);
    TDateTime DateTime() const { return dateTime_; }
    virtual void SetDateTime(TDateTime x);

    TgLabel *DateText() const { return dateText_; }
    TgLabel *OfWeek() const { return ofWeek_; }
    TPictureBox *Image() const { return image_; }
    TgLabel *SummaryLabel() const { return summary_; }
    TgLabel *HighLabel() const { return high_; }
    TgLabel *LowLabel() const { return low_; }
    TgLabel *InfoLabel() const { return info_; }
    TPictureBox *EdgeImage() const { return edge_; }

    QString Summary() const;
    void SetSummary(const QString &text);
    QString High() const;
    void SetHigh(const QString &text);
    QString Low() const;
    void SetLow(const QString &text);
    QString Info() const;
    void SetInfo(const QString &text);
    TColor TagColor() const;
    void SetTagColor(TColor c);

    // The balloon text; kept apart from the tool tip so the application's
    // balloons leave it to the forecast balloon.
    QString Hint() const { return hint_; }
    void SetHint(const QString &text) { hint_ = text; }
    bool ShowHints = true;

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void Arrange();
    TForecastStrip *strip_;
    bool night_ = false;
    TDateTime dateTime_ = 0;
    QString hint_ = QStringLiteral("Detail not available.");
    TPictureBox *image_ = nullptr;
    TgLabel *dateText_ = nullptr, *ofWeek_ = nullptr, *info_ = nullptr, *summary_ = nullptr, *high_ = nullptr,
            *low_ = nullptr;
    TPictureBox *edge_ = nullptr;
};

// The inset: a tab handle that opens and closes it, the detail label, a
// background picture and the scroll bar for long texts.
class TForecastInset : public QWidget {
    Q_OBJECT
public:
    explicit TForecastInset(TForecastStrip *strip);
    static constexpr int OpenWidth = 200;
    static constexpr int ClosedWidth = 4;
    static constexpr int TabWidth = 18;
    static constexpr int Border = 1;
    int BodyWidth() const { return bodyWidth_; }
    void SetBodyWidth(int w);
    QString TabText() const { return tabText_; }
    void SetTabText(const QString &t) { tabText_ = t; update(); }
    QRect TabRect() const;
    QRect ClientRect() const;  // of the body, in inset coordinates
    QPixmap Picture;
protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
private:
    TForecastStrip *strip_;
    int bodyWidth_ = OpenWidth;
    QString tabText_;
};

class TForecastStrip : public QWidget {
    Q_OBJECT
public:
    explicit TForecastStrip(QWidget *parent = nullptr);
    ~TForecastStrip() override;

    static constexpr int TileGap = 8;
    static constexpr int FirstLeft = 10;

    void SetOptions(const TForecastOptions &options);
    const TForecastOptions &Options() const { return options_; }

    // The OnForecast handler: fills the inset and one tile per period.
    // Nothing happens without periods. Returns the forecast time caption
    // for glForecastTime (empty: leave the label as it is).
    QString ShowForecast(TCustomWxService &svc, const TForecastOptions &options);
    QString ShowForecast(TCustomWxService &svc);

    int TileCount() const;
    TDayControl *Tile(int i) const;
    // Tile i, made when the strip has fewer tiles.
    TDayControl *GetTile(int i);
    void FillTile(int i, TCustomWxService &svc, TIconLibrary &lib);

    // The inset timer: the inset shows only while the service has one.
    void InsetTimerTick(TCustomWxService *svc);
    // A click on the inset tab.
    void ToggleInset();
    bool InsetOpen() const;  // the tab shows its open marker
    // After a forecast refresh: an inset whose tab says open gets its full width.
    void KeepOpenInsetWide();
    void SetInsetPicture(const QPixmap &p);
    void ClearInset();  // LoadService: no picture, no text
    // The window colour changed: the derived font of day tiles and of the detail label.
    void ApplyDayFontColor(TColor f, TColor detailShadow);

    TgLabel *glDetail = nullptr;
    QScrollBar *InsetScrollBar = nullptr;
    TForecastInset *nInset = nullptr;
    QScrollArea *nForecasts = nullptr;
    TForecastBalloon *Balloon() const { return balloon_; }

    // Where the detail label sits after the last scroll-bar update.
    void UpdateInsetScroll();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void Arrange();
    void SetDetailText(const QString &text);
    void InsetScrolled(int position);
    void ResizeTileHost();
    QPixmap EdgePicture() const;

    TForecastOptions options_;
    QWidget *tileHost_ = nullptr;
    QWidget *spacer_ = nullptr;
    QWidget *detailClip_ = nullptr;
    TForecastBalloon *balloon_ = nullptr;
    bool periods12_ = true;
    mutable QPixmap drawnEdge_;
};
