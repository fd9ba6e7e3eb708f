#pragma once
// The main window: header, page control, status and utility bars. It owns the
// settings object and runs the settings start-up while it is constructed.
#include <QMainWindow>
#include <memory>
#include <string>

#include "app/IniSettings.h"
#include "app/SettingsStartup.h"

class QLabel;
class QSocketNotifier;
class QTabWidget;
class QTimer;
class QWidget;
class TWindowMarker;

class TWxForm : public QMainWindow {
    Q_OBJECT
public:
    // The data module's image-set lookup for converting old Radar values;
    // set before the window is made (empty: no conversion).
    static TImageSetLookup &ImageSetLookup();

    explicit TWxForm(QWidget *parent = nullptr);
    ~TWxForm() override;

    std::string ProgramPath() const;
    std::string ProfilePath() const;
    TIniSettings &Settings() { return settings_; }
    const TSettingsStartup &StartupState() const { return startup_; }
    const TDisplaySettings &Display() const { return display_; }
    // "Tolvu": used in captions such as the minimise offer's.
    static const char *DisplayName() { return "Tolvu"; }

    bool Closing() const { return closing_; }
    void SetClosing(bool on) { closing_ = on; }
    // True when the window may close now; may ask the minimise offer first.
    bool CloseQuery();
    // Hidden in the tray (not just minimised).
    bool HiddenInTray() const { return hiddenInTray_; }

    // Controls other parts fill in.
    QWidget *nHeader = nullptr;
    QLabel *glTitle = nullptr;
    QLabel *glService = nullptr;
    QLabel *glLocation = nullptr;
    QLabel *glLatitude = nullptr;
    QLabel *glLongitude = nullptr;
    QTabWidget *nPageControl = nullptr;
    QWidget *CurrentTab = nullptr;
    QWidget *AdvisoryTab = nullptr;
    QWidget *ImageryTab = nullptr;
    QWidget *nStatus = nullptr;
    QLabel *glCurrentTime = nullptr;
    QLabel *glForecastTime = nullptr;
    QLabel *iConnected = nullptr;
    QWidget *nUtility = nullptr;
    QTimer *CurrentTimer = nullptr;
    QTimer *AlertTimer = nullptr;
    QTimer *ForecastTimer = nullptr;

public slots:
    // Filled by the refresh-cycle work; empty until then.
    void LoadService();
    void RefreshCurrentView();
    void RefreshForecastView();
    void RefreshAlertsView();
    void RefreshImageryView();
    void nPageControlChange(int index);
    // Tray: hide to and come back from the notification area.
    void MinimizeToTray();
    void RestoreFromTray();
    // The tray menu's Exit command.
    void ExitClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void applyHeader();

    TIniSettings settings_;
    TSettingsStartup startup_;
    TDisplaySettings display_;
    bool closing_ = false;
    bool hiddenInTray_ = false;
    std::unique_ptr<TWindowMarker> marker_;
    QSocketNotifier *markerNotifier_ = nullptr;
};
