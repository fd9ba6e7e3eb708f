#pragma once
// The main window and conductor of the program: it owns the settings object
// and the weather service, drives every refresh from its timers, shows the
// current conditions, download progress and connection failures, and hosts
// the forecast strip, the advisory page and the imagery page, which other
// units fill through the hooks below.
#include <QMainWindow>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/IniSettings.h"
#include "app/SettingsStartup.h"
#include "mainwindow/AlertNotify.h"
#include "dialogs/Progress.h"
#include "service/WxService.h"

class QLabel;
class QSocketNotifier;
class QTimer;
class QWidget;
class TCompass;
class TgLabel;
class TImageGauge;
class TnControl;

class TTemperature;
class TForecastStrip;
class TAdvisoryView;
class TImageryView;
class TImgOptionForm;
class TTray;
class TCustomRxImage;
class TWindowMarker;
class TWxSetupDlg;
class TUpdateCheck;
struct TPrintRequest;

// Tabs on the right, 32 pixels across, one glyph and the caption per tab.
class TnTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TnTabBar(QWidget *parent = nullptr);
    std::vector<int> Glyphs;  // glyph list index per tab

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent *) override;
};

class TnPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TnPageControl(QWidget *parent = nullptr);
    TnTabBar *Tabs() const { return tabs_; }
    // Bottom of the last visible tab, in the page control's coordinates.
    int TabsBottom() const;

private:
    TnTabBar *tabs_;
};

// The status bar's busy animation: a turning ring of dots while running.
class TBusyImage : public QWidget {
    Q_OBJECT
public:
    explicit TBusyImage(QWidget *parent = nullptr);
    void Start();
    void Stop();
    bool Running() const { return running_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QTimer *timer_;
    int frame_ = 0;
    bool running_ = false;
};

// Where the other views plug in. Each hook is optional; an empty hook makes
// its step do nothing.
struct TWxFormHooks {
    std::function<void()> ShowForecast;           // OnForecast: fill the day tiles
    std::function<void()> ShowAlerts;             // OnAlerts: fill the advisory page, notify
    std::function<void()> UpdateSeenAlerts;       // before an alert refresh
    std::function<void()> RefreshImagery;         // the imagery page
    std::function<void()> StopImageryAnimation;   // uncheck Animate
    std::function<std::string()> ImagerySourcePage;
    std::function<std::string()> AdvisoryLink;
    std::function<bool()> AlertNotifying;         // an alert notification is running
    std::function<void()> DrawTrayIcon;           // the tray temperature icon
    std::function<void(bool visibleForm)> DailyUpdateCheck;
    // Shows the tray pop-up; false when the tray icon has no position.
    std::function<bool(const std::string &header, const std::string &body)> TrayPopUp;
    // Runs the setup dialog on a page; true for OK.
    std::function<bool(int page)> RunSetup;
    // Loads the language data of a code into the table; true when applied.
    std::function<bool(const std::string &code, std::vector<std::string> &table)> LoadLanguageData;
};

class TWxForm : public QMainWindow {
    Q_OBJECT
public:
    // ---- setup, language, update, print ----
    // Fills the setup, language and update hooks start-up left empty; runs
    // before the first service load, whose refreshes already use them.
    void InstallSetupHooks();
    // The setup dialog on a page (0 location, 1 weather); true for OK.
    bool RunSetupFromForm(int page);
    // Replaces the modal run of the setup dialog (tests drive it and return its result).
    std::function<int(TWxSetupDlg &)> SetupExec;
    // Used when SetupExec is empty; tests set it so no window ever blocks on the modal dialog.
    static std::function<int(TWxSetupDlg &)> &DefaultSetupExec();
    QPointer<QWidget> SetupDialog;  // while open, so a language change reaches it too
    // Loads the language files of a code onto the windows; the table's lines on success.
    bool LoadLanguageFiles(const std::string &code, std::vector<std::string> &table);
    // The language indicator: code, flag and the language's own name as its hint.
    void ShowLanguageIndicator(const std::string &code);
    std::shared_ptr<TUpdateCheck> UpdateChecker;
    // What the Print button prints for the page on show.
    TPrintRequest PrintRequest() const;
    void PrintClick();
    // ---- end setup, language, update, print ----
    // The data module's image-set lookup for converting old Radar values;
    // set before the window is made (empty: no conversion).
    static TImageSetLookup &ImageSetLookup();
    // Hooks every new window starts with (start-up fills them before the
    // window is made, since the first refreshes run while it is constructed).
    static TWxFormHooks &DefaultHooks();

    explicit TWxForm(QWidget *parent = nullptr);
    ~TWxForm() override;

    std::string ProgramPath() const;
    std::string ProfilePath() const;
    TIniSettings &Settings() { return settings_; }
    const TSettingsStartup &StartupState() const { return startup_; }
    const TDisplaySettings &Display() const { return display_; }
    // "Tolvu": used in captions such as the minimise offer's.
    static const char *DisplayName() { return "Tolvu"; }
    TCustomWxService *Service() const { return service_.get(); }
    TWxFormHooks Hooks;

    bool Closing() const { return closing_; }
    void SetClosing(bool on) { closing_ = on; }
    // True when the window may close now; may ask the minimise offer first.
    bool CloseQuery();
    // Hidden in the tray (not just minimised).
    bool HiddenInTray() const { return hiddenInTray_; }

    // Window colours (0x00BBGGRR): Color paints the header and the conditions
    // panel, Color1 is the centre colour, Color2 the bottom colour.
    std::uint32_t Color() const { return color_; }
    std::uint32_t Color1() const { return color1_; }
    std::uint32_t Color2() const { return color2_; }
    void SetColor(std::uint32_t c);
    void SetColor1(std::uint32_t c);
    void SetColor2(std::uint32_t c);
    // Colours derived from them for the views that use them.
    std::uint32_t DayFontColor() const { return dayFontColor_; }
    std::uint32_t DetailShadowColor() const { return detailShadowColor_; }
    std::uint32_t DayLabelColor2() const { return dayLabelColor2_; }

    // The language table ("name=value" lines) and its look-up.
    const std::vector<std::string> &LanguageTable() const { return language_; }
    std::string LangValue(const std::string &key) const;
    // The language value, or the built-in text while fewer than 11 lines are loaded.
    std::string LangText(const std::string &key, const std::string &builtIn) const;

    // The progress window and the splash window, owned by start-up.
    void SetProgressWindow(TProgressDlg *dlg) { progress_ = dlg; }
    TProgressDlg *ProgressWindow() const { return progress_; }
    void SetSplashWindow(QWidget *splash) { splash_ = splash; }
    // The start-up splash, handed to every new window; the first forecast
    // refresh waits for it to close and frees it.
    static void SetStartupSplash(QWidget *splash);
    // On when the program's message dialog is installed: failure dialogs then show their own picture.
    static bool &UseDialogPictures();
    // True once the first forecast refresh decided between window and tray.
    bool HandedOver() const { return handedOver_; }
    int ProgressThreshold() const { return progressThreshold_; }

    // Alert options as last loaded.
    bool AlRestore = false, AlSwitch = true, AlSound = false, AlSoundAny = false, AlAnimate = false;
    bool cNotifySound = true, fNotifySound = false, ServiceIcons = false;
    int CurrentPageIndex() const { return pageIndex_; }
    int PageBeforeAlert = 0;

    // ---- header ----
    TnControl *nHeader = nullptr;
    QLabel *glTitle = nullptr;
    QLabel *glService = nullptr;
    QLabel *Logo1 = nullptr;
    QLabel *glLocation = nullptr;
    QLabel *glLatitude = nullptr;
    QLabel *glLongitude = nullptr;
    QLabel *iBtnHelp = nullptr;
    QLabel *iBtnSetup = nullptr;
    // ---- pages ----
    TnPageControl *nPageControl = nullptr;
    QWidget *CurrentTab = nullptr;
    QWidget *AdvisoryTab = nullptr;
    QWidget *ImageryTab = nullptr;
    TnControl *nConditions = nullptr;
    // Containers the forecast strip, the advisory page and the imagery page fill.
    TnControl *nForecast = nullptr;
    TForecastStrip *ForecastStrip = nullptr;  // the day tiles and the inset, inside nForecast
    QWidget *nAdvisory = nullptr;
    QWidget *nImagery = nullptr;
    // ---- current conditions ----
    TTemperature *Temperature = nullptr;
    TgLabel *Scale = nullptr;
    TgLabel *glTemperature = nullptr;
    QLabel *CurrentPic = nullptr;
    TgLabel *glWeather = nullptr;
    TgLabel *glVisibility = nullptr;
    TgLabel *glHeatIndex = nullptr;
    TgLabel *glWind = nullptr;
    TgLabel *glSunRise = nullptr;
    TgLabel *glSunDown = nullptr;
    TImageGauge *HumidityGauge = nullptr;
    TgLabel *glHumidity = nullptr;
    TgLabel *glDewPoint = nullptr;
    TgLabel *glBarometer = nullptr;
    QLabel *iPressure = nullptr;
    TgLabel *glPrecipAmount = nullptr;
    TCompass *Compass = nullptr;
    TgLabel *glWindSpeed = nullptr;
    TgLabel *WindGustLabel = nullptr;
    TgLabel *glWindGust = nullptr;
    QLabel *iMoon = nullptr;
    TgLabel *glMoonPhase = nullptr;
    TgLabel *glForecast = nullptr;
    TgLabel *iLanguage = nullptr;
    int PressureGlyph = 22;  // glyph shown by iPressure
    int MoonPicture = -1;    // moon list index shown by iMoon
    // ---- status and utility bars ----
    QWidget *nStatus = nullptr;
    QLabel *OrvLogo = nullptr;
    QLabel *glCurrentTime = nullptr;
    QLabel *glForecastTime = nullptr;
    QLabel *iConnected = nullptr;
    int ConnectedGlyph = -1;  // glyph shown by iConnected, -1 design state
    QWidget *nUtility = nullptr;
    TBusyImage *WorkImage = nullptr;
    QLabel *iBtnHistory = nullptr;
    QLabel *iBtnPrint = nullptr;
    // ---- timers ----
    QTimer *CurrentTimer = nullptr;
    QTimer *ForecastTimer = nullptr;
    QTimer *AlertTimer = nullptr;
    QTimer *InsetTimer = nullptr;
    QTimer *DurationTimer = nullptr;

    // ---- operations ----
    void LoadService();
    void LoadDisplaySettings();
    void LoadAlertOptions();
    // Applies the language table; true when a language was applied (the
    // active page is then refreshed).
    bool LoadLanguage(const std::string &code);
    void RefreshCurrentView();
    void RefreshForecastView();
    void RefreshAlertsView();
    void RefreshImageryView();
    void RefreshActivePage();
    void ArmForecastTimer(int offsetMinutes);
    bool UpdateConnectionIndicator();
    void ShowCurrentConditions();
    void ShowForecast();
    void ShowAlerts();
    void ShowSetup(int page);
    void ServiceSettingsChanged();
    void ReportConnectFailure(const std::string &caption, const std::string &detail);
    void ProgressBegin(TWorkMode mode, std::int64_t size);
    void ProgressWork(TWorkMode mode, std::int64_t count);
    void ProgressEnd(TWorkMode mode);
    // 2 when refused (closing, empty or unusable target); else 42 when the
    // shell took it, 0 when it failed.
    int OpenLink(const std::string &target);
    void ServiceOpenURL();
    void Wait(int milliseconds);
    void BusyStart();
    void BusyStop();
    void TabHideShow();
    void ShowHistory();
    // The About window (F1, the help button); the start-up splash when it is still there.
    void ShowAboutWindow();
    // The dialog every unhandled error of a handler ends in.
    void ShowApplicationError(const std::string &text);
    // Runs a handler, showing what it throws in the application error dialog.
    void Guarded(const std::function<void()> &handler);

    // Unit switches.
    void ScaleClick();
    void WindSpeedClick();

    // True while a refresh of that kind runs (a second request is skipped).
    bool CurrentRefreshing() const { return currentBusy_; }
    bool ForecastRefreshing() const { return forecastBusy_; }
    bool AlertsRefreshing() const { return alertsBusy_; }

public slots:
    void nPageControlChange(int index);
    void nPageControlChanging(int leaving);
    // Tray: hide to and come back from the notification area.
    void MinimizeToTray();
    void RestoreFromTray();
    // The tray menu's Exit command.
    void ExitClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

public:
    // ---- advisories, tray, imagery ----
    TAdvisoryView *AdvisoryView = nullptr;   // the Advisory page body, inside nAdvisory
    TImageryView *ImageryView = nullptr;     // the Imagery page body, inside nImagery
    TImgOptionForm *ImgOptions = nullptr;    // the imagery options tool window, made once
    TTray *Tray = nullptr;
    TSeenAlerts SeenAlerts;
    TAlertNotification AlertNotification;
    // The active service's imagery component (none for a service without radar).
    TCustomRxImage *RxImages() const { return rxImages_; }
    // Builds the three views and fills the empty hooks with them.
    void BuildAlertsTrayImagery();
    // Frees the old imagery component and makes the one of the service name.
    void LoadImagery(const std::string &serviceName);
    void FreeImagery();
    // Selects the image set stored as the active section's Radar.
    void SelectRadarImage();
    void NotifyAlerts();
    void DoDurationTimer(TAlertNotification::TEndCause cause);
    void DrawTrayIcon();
    void StopImageryAnimation();
    void BuildImageryOptions();
    void LoadTrayOptions();
    std::string ImagerySourcePage();
    TCustomRxImage *rxImages_ = nullptr;
    int animationDepth_ = 0;  // nested animation loops running on the stack
    TCustomRxImage *retiredImages_ = nullptr;  // freed once the animation loop returned

private:
    void buildLayout();
    void buildConditions();
    void buildStatus();
    void applyColours();
    void wireService();
    void freeService();
    void setConnected(bool on);
    void setPressureGlyph(int glyph);
    void setMoonPicture(int index);
    void showConditionPicture();
    void showTemperature(int t, int f);
    void showWind(int direction, const std::string &speed, const std::string &gust);
    void showHumidity(int h, const std::string &dew, const std::string &baro);
    void showMoon();
    void setServiceCaption();
    void updateStatusForCurrent();
    void runPendingSettingsRefresh();
    std::string imageryPage() const;

    TIniSettings settings_;
    TSettingsStartup startup_;
    TDisplaySettings display_;
    std::unique_ptr<TCustomWxService> service_;
    std::vector<std::string> language_;
    bool closing_ = false;
    bool hiddenInTray_ = false;
    bool setupOpen_ = false;
    bool constructing_ = true;
    bool firstRefreshDone_ = false;
    bool handedOver_ = false;
    bool everActivated_ = false;
    bool settingsRefreshPending_ = false;
    bool currentBusy_ = false, forecastBusy_ = false, alertsBusy_ = false, imageryBusy_ = false;
    int pageIndex_ = 0;
    int progressThreshold_ = 430080;
    std::uint32_t color_ = 0x800000, color1_ = 0xF0CAA6, color2_ = 0xC0DCC0;
    std::uint32_t dayFontColor_ = 0, detailShadowColor_ = 0, dayLabelColor2_ = 0;
    QPointer<TProgressDlg> progress_;
    QPointer<QWidget> splash_;
    std::unique_ptr<TWindowMarker> marker_;
    QSocketNotifier *markerNotifier_ = nullptr;
};
