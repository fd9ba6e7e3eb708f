#pragma once
// The setup dialog: service, location, refresh intervals, forecast length,
// advisory, tray and sound options, colours, default weather image and
// language. Every change goes into the live settings at once; the change
// flags tell the opener which groups to apply (see SetupRun.h).
#include <QDialog>
#include <QIcon>
#include <QList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/WinColors.h"
#include "setup/LocationSearch.h"
#include "setup/SetupRules.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TCustomWxService;
class TData;
class TgCheckLabel;
class TgLabel;
class TclCheckListBox;
class TnControl;
class TnSpinButton;

class TWxSetupDlg : public QDialog {
    Q_OBJECT
public:
    enum TPage { LocationPage = 0, WeatherPage = 1, OptionsPage = 2 };

    // data: the data module for the image lists and zones (nullptr: the global one).
    explicit TWxSetupDlg(QWidget *parent = nullptr, TData *data = nullptr);
    ~TWxSetupDlg() override;

    TCustomWxService *Service() const { return service_; }
    // A different service is stored and, when it is not empty, loaded.
    void SetService(TCustomWxService *service);
    const QList<QIcon> *Images() const { return images_; }
    void SetImages(const QList<QIcon> *images);

    const TSetupFlags &Flags() const { return flags_; }
    bool LocationModified() const { return flags_.LocationModified; }
    bool CurrentModified() const { return flags_.CurrentModified; }
    bool ForecastModified() const { return flags_.ForecastModified; }
    bool AdvisoryModified() const { return flags_.AdvisoryModified; }
    bool OptionsModified() const { return flags_.OptionsModified; }
    bool UpdateRequested() const { return flags_.UpdateRequested; }

    // Fired when the user picks another service; the handler replaces Service.
    std::function<void(TWxSetupDlg &)> OnServiceChange;

    // Seams for colour choice and the city lookup (tests replace them).
    using TColorPicker = std::function<std::optional<TColor>(TColor initial, QWidget *parent)>;
    static TColorPicker &ColorPicker();
    using TCityZipFactory = std::function<std::unique_ptr<TCityZipSource>()>;
    static TCityZipFactory &CityZipFactory();

    void SelectPage(int page);
    // Runs the close query and ends the dialog with result when it may close.
    bool CloseWith(int result);
    void done(int result) override;

    // ---- handlers ----
    void LoadServices();
    void LoadSettings();
    void SelectDefaultImage(int key);
    void ControlChange(QWidget *sender);
    void ServiceIconsCheck();
    void SetColor1(TColor c);
    void SetColor2(TColor c);
    void SetColor3(TColor c);
    void glColor1Click();
    void glColor2Click();
    void glColor3Click();
    void glTempColorClick();
    void cbServicesChange(int index);
    void PageControlChange();
    void tvWeatherChange(QTreeWidgetItem *item);
    void RxImageSelect();
    void dlbRxFilterCloseUp();
    void btnLanguageMouseUp();
    bool FormCloseQuery();
    void btnUpdateClick();
    void btnEmailClick();
    void HelpClick();
    void btnCancelClick();

    // Location page.
    void btnSearchClick();
    void SearchSelect(int index);
    void cbLocationsSelect(int index);
    void LocationChanged(QObject *sender);
    void CityNameChange();
    int LookupUSCity(const std::string &text);
    void FindLocations(const std::string &text);
    void FindNearestZone();
    // Sets CityName's caption; a change counts as a location edit.
    void SetCityName(const QString &text);
    bool HasCityZip() const { return cityZip_ != nullptr; }
    const std::vector<TCityMatch> &CityMatches() const { return matches_; }

    // ---- controls (object names as the language data knows them) ----
    QTabWidget *PageControl = nullptr;
    QWidget *LocationTab = nullptr, *WeatherTab = nullptr, *OptionsTab = nullptr;
    QPushButton *btnOK = nullptr, *btnCancel = nullptr, *btnSetupHelp = nullptr;

    TgLabel *LocationBack = nullptr, *ServiceLabel = nullptr, *glCurrentService = nullptr, *LocationLabel = nullptr,
            *EnterLabel = nullptr, *glCity = nullptr;
    QComboBox *Search = nullptr;
    QPushButton *btnSearch = nullptr;
    QLabel *LocationsLabel = nullptr;
    QComboBox *cbLocations = nullptr;
    TnControl *LocationGroup = nullptr;
    QLabel *CityName = nullptr;
    TgLabel *glID = nullptr, *glLatiLabel = nullptr, *glLongLabel = nullptr;
    QLineEdit *Location = nullptr, *Latitude = nullptr, *Longitude = nullptr;

    QTreeWidget *tvWeather = nullptr;
    TgLabel *glSettings = nullptr;
    QGroupBox *gbGeneral = nullptr, *gbAdvisories = nullptr, *gbRadar = nullptr;
    QComboBox *cbServices = nullptr;
    QLabel *glForecastHrs = nullptr, *glForecastDays = nullptr, *glForUpdateInt = nullptr, *glCurUpdateInt = nullptr,
           *glFbTransparent = nullptr;
    QLineEdit *Periods = nullptr, *NumDays = nullptr, *fcInterval = nullptr, *ccInterval = nullptr,
              *fbTransparency = nullptr;
    TnSpinButton *PeriodsSpin = nullptr, *NumDaysSpin = nullptr, *fcIntervalSpin = nullptr,
                 *ccIntervalSpin = nullptr, *fbTransparencySpin = nullptr;
    TgCheckLabel *WebImages = nullptr, *ServiceIcons = nullptr;
    TnControl *nAdvisories = nullptr;
    TgCheckLabel *AlAnimate = nullptr, *AlAuto = nullptr, *AlRestore = nullptr, *AlSound = nullptr,
                 *AlSoundAny = nullptr, *AlSwitch = nullptr;
    QLabel *glSoundFile = nullptr;
    QComboBox *AlSoundFile = nullptr;
    TclCheckListBox *clbStatements = nullptr, *clbWatches = nullptr, *clbAdvisories = nullptr,
                    *clbWarnings = nullptr, *clbOther = nullptr;
    QPushButton *btnAdvSelectAll = nullptr, *btnAdvSelectNone = nullptr;
    QLabel *ImageryLabel = nullptr;
    QComboBox *dblRxImagery = nullptr, *dlbRxFilter = nullptr;

    TgLabel *glOptions = nullptr, *glTempColor = nullptr;
    QLabel *TempColorLabel = nullptr;
    TgCheckLabel *Tray = nullptr, *Notify = nullptr, *Minimize = nullptr, *cNotify = nullptr, *fNotify = nullptr;
    QGroupBox *gbColors = nullptr;
    TgLabel *glColor1 = nullptr, *glColor2 = nullptr, *glColor3 = nullptr;
    QLabel *glURL = nullptr, *EmailLabel = nullptr;
    QLineEdit *URL = nullptr, *email = nullptr;
    QPushButton *btnUpdate = nullptr, *btnEmail = nullptr, *btnLanguage = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLocationPage();
    void buildWeatherPage();
    void buildOptionsPage();
    void wireHandlers();
    bool hasSettings() const;
    void setOptionsModified();
    void fillImageLists();
    void storeCurrentImage();
    void readControls();
    TData *data() const;

    TCustomWxService *service_ = nullptr;
    TData *data_ = nullptr;
    const QList<QIcon> *images_ = nullptr;
    TSetupFlags flags_;
    bool loading_ = false;
    std::unique_ptr<TCityZipSource> cityZip_;
    std::vector<TCityMatch> matches_;
    int currentMatch_ = -1;
    QList<QWidget *> checkLists_;
};
