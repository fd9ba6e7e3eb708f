#include "setup/WxSetup.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <cctype>

#include "app/IniSettings.h"
#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "controls/Lists.h"
#include "controls/WinCtrls.h"
#include "controls/nSpin.h"
#include "dialogs/MsgHook.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "service/DataMod.h"
#include "service/WxService.h"

#include "lang/LangDlg.h"
#include "lang/StringKeys.h"

namespace {

// The program-wide text of a string key, or its English default.
std::string KeyText(const char *key, const char *english) {
    std::string t = StrKey(std::string(key));
    if (!t.empty()) return t;
    return english;
}

const char *const kStatements[] = {"Coastal Flood Statement", "Flash Flood Statement", "Flood Statement",
                                   "Hurricane Local Statement", "Lakeshore Flood Statement",
                                   "Marine Weather Statement", "Severe Weather Statement",
                                   "Special Weather Statement", "Typhoon Local Statement"};
const char *const kWatches[] = {"Avalanche Watch", "Blizzard Watch", "Coastal Flood Watch", "Excessive Heat Watch",
                                "Fire Weather Watch", "Flash Flood Watch", "Flood Watch", "Freeze Watch",
                                "High Wind Watch", "Hurricane Watch", "Inland Hurricane Watch",
                                "Inland Tropical Storm Watch", "Lake Effect Snow Watch", "Lakeshore Flood Watch",
                                "Severe Thunderstorm Watch", "Tornado Watch", "Tropical Storm Watch",
                                "Tsunami Watch", "Typhoon Watch", "Wind Chill Watch", "Winter Storm Watch"};
const char *const kAdvisories[] = {
    "Air Stagnation Advisory", "Ashfall Advisory", "Blowing Dust Advisory", "Blowing Snow Advisory",
    "Brisk Wind Advisory", "Dense Fog Advisory", "Dense Smoke Advisory", "Flood Advisory",
    "Freezing Drizzle Advisory", "Freezing Fog Advisory", "Freezing Rain Advisory", "Frost Advisory",
    "Heat Advisory", "High Surf Advisory", "Lake Effect Snow Advisory", "Lake Wind Advisory",
    "Minor Flood Advisory", "Sleet Advisory", "Small Craft Advisory", "Small Stream Flood Advisory",
    "Snow Advisory", "Snow and Blowing Snow Advisory", "Urban and Small Stream Flood Advisory", "Wind Advisory",
    "Wind Chill Advisory", "Winter Weather Advisory"};
const char *const kWarnings[] = {
    "Avalanche Warning", "Blizzard Warning", "Civil Danger Warning", "Coastal Flood Warning",
    "Dust Storm Warning", "Earthquake Warning", "Excessive Heat Warning", "Fire Warning", "Flash Flood Warning",
    "Flood Warning", "Freeze Warning", "Gale Warning", "Hazardous Materials Warning",
    "Heavy Freezing Spray Warning", "Heavy Sleet Warning", "Heavy Snow Warning", "High Surf Warning",
    "High Wind Warning", "Hurricane Force Wind Warning", "Hurricane Warning", "Ice Storm Warning",
    "Inland Hurricane Warning", "Inland Tropical Storm Warning", "Lake Effect Snow Warning",
    "Lakeshore Flood Warning", "Law Enforcement Warning", "Nuclear Power Plant Warning",
    "Radiological Hazard Warning", "Red Flag Warning", "Severe Thunderstorm Warning", "Shelter In Place Warning",
    "Special Marine Warning", "Storm Warning", "Tornado Warning", "Tropical Storm Warning", "Tsunami Warning",
    "Typhoon Warning", "Volcano Warning", "Wind Chill Warning", "Winter Storm Warning"};
const char *const kOther[] = {"911 Telephone Outage",  "Child Abduction Emergency", "Civil Emergency Message",
                              "Evacuation - Immediate", "Extreme Fire Danger",      "Hazardous Weather Outlook",
                              "High Fire Danger",       "Local Area Emergency",     "Short Term Forecast",
                              "Very High Fire Danger"};

constexpr TColor kDefaultColor1 = 0x800000, kDefaultColor2 = 0xF0CAA6, kDefaultColor3 = 0xC0DCC0;

QString Q(const std::string &s) { return QString::fromStdString(s); }
std::string S(const QString &s) { return s.toStdString(); }

std::string Lower(std::string s) {
    for (char &c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

int Tag(const QObject *o) {
    const QVariant v = o->property("Tag");
    return v.isValid() ? v.toInt() : -1;
}

template <class T>
T *Make(QWidget *parent, const char *name, QRect geometry) {
    T *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

TgLabel *MakeLabel(QWidget *parent, const char *name, const char *caption, QRect g) {
    TgLabel *l = Make<TgLabel>(parent, name, g);
    l->SetAutoSize(false);
    l->SetCaption(QString::fromUtf8(caption));
    l->setGeometry(g);
    return l;
}

TgCheckLabel *MakeCheck(QWidget *parent, const char *name, const char *caption, QRect g, int tag) {
    TgCheckLabel *c = Make<TgCheckLabel>(parent, name, g);
    c->SetAutoSize(false);
    c->SetGradient(false);
    c->SetTransparent(true);
    c->SetCaption(QString::fromUtf8(caption));
    c->setGeometry(g);
    c->setProperty("Tag", tag);
    return c;
}

QLabel *MakeText(QWidget *parent, const char *name, const char *caption, QRect g) {
    QLabel *l = Make<QLabel>(parent, name, g);
    l->setText(QString::fromUtf8(caption));
    return l;
}

}  // namespace

TWxSetupDlg::TColorPicker &TWxSetupDlg::ColorPicker() {
    static TColorPicker picker = [](TColor initial, QWidget *parent) -> std::optional<TColor> {
        const QColor c = QColorDialog::getColor(ToQColor(initial), parent);
        if (!c.isValid()) return std::nullopt;
        return RGBColor(c.red(), c.green(), c.blue());
    };
    return picker;
}

TWxSetupDlg::TCityZipFactory &TWxSetupDlg::CityZipFactory() {
    static TCityZipFactory factory = [] { return MakeCityZipSource(); };
    return factory;
}

// ------------------------------------------------------------------ building

TWxSetupDlg::TWxSetupDlg(QWidget *parent, TData *data) : QDialog(parent), data_(data) {
    setObjectName(QStringLiteral("WxSetupDlg"));
    setWindowTitle(QStringLiteral("Weather Setup"));
    setFixedSize(522, 319);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

    PageControl = Make<QTabWidget>(this, "PageControl", QRect(0, 0, 522, 284));
    LocationTab = new QWidget;
    LocationTab->setObjectName(QStringLiteral("LocationTab"));
    WeatherTab = new QWidget;
    WeatherTab->setObjectName(QStringLiteral("WeatherTab"));
    OptionsTab = new QWidget;
    OptionsTab->setObjectName(QStringLiteral("OptionsTab"));
    PageControl->addTab(LocationTab, QStringLiteral("Location"));
    PageControl->addTab(WeatherTab, QStringLiteral("Weather"));
    PageControl->addTab(OptionsTab, QStringLiteral("Options"));

    btnOK = Make<QPushButton>(this, "btnOK", QRect(274, 290, 75, 25));
    btnOK->setText(QStringLiteral("&OK"));
    btnOK->setEnabled(false);
    btnOK->setAutoDefault(false);
    btnCancel = Make<QPushButton>(this, "btnCancel", QRect(356, 290, 75, 25));
    btnCancel->setText(QStringLiteral("&Cancel"));
    btnCancel->setAutoDefault(false);
    btnSetupHelp = Make<QPushButton>(this, "btnSetupHelp", QRect(438, 290, 75, 25));
    btnSetupHelp->setText(QStringLiteral("&Help"));
    btnSetupHelp->setAutoDefault(false);

    buildLocationPage();
    buildWeatherPage();
    buildOptionsPage();
    wireHandlers();

    // Every product starts checked; the checks are not stored.
    for (TclCheckListBox *l : {clbStatements, clbWatches, clbAdvisories, clbWarnings, clbOther})
        for (int i = 0; i < l->count(); ++i) l->SetChecked(i, true);
    tvWeather->setCurrentItem(tvWeather->topLevelItem(0));
}

TWxSetupDlg::~TWxSetupDlg() {
    cityZip_.reset();
    if (TData *d = data()) {
        try {
            d->Station().SetActive(false);
            d->Zone().SetActive(false);
        } catch (const std::exception &) {
        }
    }
}

void TWxSetupDlg::buildLocationPage() {
    QWidget *p = LocationTab;
    LocationBack = MakeLabel(p, "LocationBack", "", QRect(0, 0, 516, 258));
    LocationBack->SetColor(clSkyBlue);
    LocationBack->SetColor2(clWhite);
    ServiceLabel = MakeLabel(p, "ServiceLabel", " Configured service is. . .", QRect(8, 8, 244, 20));
    glCurrentService = MakeLabel(p, "glCurrentService", " The US National Weather Service", QRect(8, 30, 244, 20));
    glCurrentService->SetFontColor(clNavy);
    LocationLabel = MakeLabel(p, "LocationLabel", " To find a Location for this service . . . ", QRect(8, 60, 244, 20));
    EnterLabel = MakeLabel(p, "EnterLabel", " Please Enter one of the following . . .", QRect(8, 82, 244, 20));
    glCity = MakeLabel(p, "glCity", " City, Postal Code or State ", QRect(8, 104, 244, 20));
    for (TgLabel *l : {ServiceLabel, glCurrentService, LocationLabel, EnterLabel, glCity}) l->SetTransparent(true);

    Search = Make<QComboBox>(p, "Search", QRect(8, 128, 172, 24));
    Search->setEditable(true);
    Search->setInsertPolicy(QComboBox::NoInsert);
    Search->setMaxVisibleItems(12);
    btnSearch = Make<QPushButton>(p, "btnSearch", QRect(186, 127, 66, 26));
    btnSearch->setText(QStringLiteral("&Search    "));
    btnSearch->setToolTip(QStringLiteral("Search for Cities/Location"));
    btnSearch->setDefault(true);

    LocationsLabel = MakeText(p, "LocationsLabel", "Locations : ", QRect(8, 162, 244, 18));
    cbLocations = Make<QComboBox>(p, "cbLocations", QRect(8, 182, 244, 24));
    cbLocations->setMaxVisibleItems(12);

    LocationGroup = Make<TnControl>(p, "LocationGroup", QRect(262, 8, 246, 198));
    LocationGroup->SetRoundCorners(true);
    LocationGroup->SetRadius(16);
    LocationGroup->SetColor(clWhite);
    LocationGroup->SetColor2(clSkyBlue);
    LocationGroup->SetClientColor(clWhite);
    LocationGroup->SetClientColor2(clSkyBlue);
    CityName = MakeText(LocationGroup, "CityName", "Current Location", QRect(10, 12, 226, 22));
    QFont bold = CityName->font();
    bold.setBold(true);
    CityName->setFont(bold);
    CityName->setAlignment(Qt::AlignCenter);
    glID = MakeLabel(LocationGroup, "glID", " ID: ", QRect(10, 56, 74, 22));
    Location = Make<QLineEdit>(LocationGroup, "Location", QRect(88, 56, 146, 22));
    glLatiLabel = MakeLabel(LocationGroup, "glLatiLabel", " Latitude: ", QRect(10, 92, 74, 22));
    Latitude = Make<QLineEdit>(LocationGroup, "Latitude", QRect(88, 92, 146, 22));
    glLongLabel = MakeLabel(LocationGroup, "glLongLabel", " Longitude: ", QRect(10, 128, 74, 22));
    Longitude = Make<QLineEdit>(LocationGroup, "Longitude", QRect(88, 128, 146, 22));
    for (TgLabel *l : {glID, glLatiLabel, glLongLabel}) l->SetTransparent(true);
}

void TWxSetupDlg::buildWeatherPage() {
    QWidget *p = WeatherTab;
    tvWeather = Make<QTreeWidget>(p, "tvWeather", QRect(4, 4, 132, 250));
    tvWeather->setHeaderHidden(true);
    auto *general = new QTreeWidgetItem(tvWeather, QStringList(QStringLiteral("General")));
    auto *adv = new QTreeWidgetItem(tvWeather, QStringList(QStringLiteral("Advisories")));
    for (const char *c : {"Statements", "Watches", "Advisories", "Warnings", "Other"})
        new QTreeWidgetItem(adv, QStringList(QString::fromLatin1(c)));
    new QTreeWidgetItem(tvWeather, QStringList(QStringLiteral("Imagery")));
    (void)general;
    tvWeather->expandAll();

    glSettings = MakeLabel(p, "glSettings", "General Settings", QRect(142, 4, 368, 22));
    glSettings->SetColor(clNavy);
    glSettings->SetColor2(clSkyBlue);
    glSettings->SetVertical(false);
    glSettings->SetFontColor(clWhite);
    glSettings->SetLayout(TTextLayout::Center);

    const QRect group(142, 30, 368, 224);
    gbGeneral = Make<QGroupBox>(p, "gbGeneral", group);
    cbServices = Make<QComboBox>(gbGeneral, "cbServices", QRect(10, 18, 270, 24));
    cbServices->setToolTip(QStringLiteral("Choose the Desired service."));
    struct Row {
        QLabel *&label;
        const char *labelName, *caption;
        QLineEdit *&edit;
        const char *editName;
        TnSpinButton *&spin;
        const char *spinName;
        int tag;
    } rows[] = {
        {glForecastHrs, "glForecastHrs", "with forecast periods of (hrs)", Periods, "Periods", PeriodsSpin,
         "PeriodsSpin", 1},
        {glForecastDays, "glForecastDays", "Number of days to forecast", NumDays, "NumDays", NumDaysSpin,
         "NumDaysSpin", 1},
        {glForUpdateInt, "glForUpdateInt", "Forecast update interval(min.)", fcInterval, "fcInterval",
         fcIntervalSpin, "fcIntervalSpin", 1},
        {glCurUpdateInt, "glCurUpdateInt", "Current conditions update interval(min.)", ccInterval, "ccInterval",
         ccIntervalSpin, "ccIntervalSpin", 0},
        {glFbTransparent, "glFbTransparent", "Forecast balloon Transparency ", fbTransparency, "fbTransparency",
         fbTransparencySpin, "fbTransparencySpin", 1},
    };
    int y = 50;
    for (Row &r : rows) {
        r.label = MakeText(gbGeneral, r.labelName, r.caption, QRect(10, y, 240, 20));
        r.edit = Make<QLineEdit>(gbGeneral, r.editName, QRect(256, y, 40, 22));
        r.edit->setProperty("Tag", r.tag);
        r.spin = Make<TnSpinButton>(gbGeneral, r.spinName, QRect(297, y, 17, 22));
        r.spin->SetFocusControl(r.edit);
        TSetupSpin range;
        SetupSpinRange(r.editName, "", 7, range);
        r.edit->setInputMask(QString(range.Digits, QLatin1Char('0')) + QStringLiteral("; "));
        r.spin->SetIncrement(range.Step);
        r.spin->SetMin(range.Min);
        r.spin->SetMax(range.Max);
        r.spin->SetPlaces(range.Digits);
        y += 26;
    }
    glFbTransparent->setToolTip(QStringLiteral("Transparency, 254 is Non-Transparent"));
    fbTransparency->setToolTip(glFbTransparent->toolTip());
    WebImages = MakeCheck(gbGeneral, "WebImages", "Use Images from  the Internet ", QRect(10, 184, 200, 18), 1);
    ServiceIcons = MakeCheck(gbGeneral, "ServiceIcons", "Use Service's Icon set", QRect(10, 202, 200, 18), 4);

    gbAdvisories = Make<QGroupBox>(p, "gbAdvisories", group);
    nAdvisories = Make<TnControl>(gbAdvisories, "nAdvisories", QRect(6, 14, 356, 176));
    nAdvisories->SetClientColor(clWhite);
    nAdvisories->SetClientColor2(clSkyBlue);
    struct Chk {
        TgCheckLabel *&box;
        const char *name, *caption;
    } checks[] = {{AlAnimate, "AlAnimate", " Animate Tray Icon for Advisories "},
                  {AlAuto, "AlAuto", " Automatically check for Advisory updates "},
                  {AlRestore, "AlRestore", " Restore window view on Advisory "},
                  {AlSound, "AlSound", " Play sounds for advisory messages "},
                  {AlSoundAny, "AlSoundAny", " Play if ANY Active advisory"},
                  {AlSwitch, "AlSwitch", " Switch to the Advisories Page on New"}};
    y = 6;
    for (Chk &c : checks) {
        c.box = MakeCheck(nAdvisories, c.name, c.caption, QRect(8, y, 300, 20), 2);
        y += 22;
    }
    glSoundFile = MakeText(nAdvisories, "glSoundFile", "Sound File", QRect(12, y + 8, 70, 20));
    AlSoundFile = Make<QComboBox>(nAdvisories, "AlSoundFile", QRect(86, y + 6, 160, 24));
    AlSoundFile->setEditable(true);
    AlSoundFile->setEditText(QStringLiteral("Warning"));
    const QRect listRect(6, 14, 356, 176);
    auto makeList = [&](const char *name, auto &items) {
        TclCheckListBox *l = Make<TclCheckListBox>(gbAdvisories, name, listRect);
        for (const char *i : items) l->AddItem(QString::fromLatin1(i), true);
        l->hide();
        return l;
    };
    clbStatements = makeList("clbStatements", kStatements);
    clbWatches = makeList("clbWatches", kWatches);
    clbAdvisories = makeList("clbAdvisories", kAdvisories);
    clbWarnings = makeList("clbWarnings", kWarnings);
    clbOther = makeList("clbOther", kOther);
    checkLists_ = {clbStatements, clbWatches, clbAdvisories, clbWarnings, clbOther};
    btnAdvSelectAll = Make<QPushButton>(gbAdvisories, "btnAdvSelectAll", QRect(6, 194, 90, 24));
    btnAdvSelectAll->setText(QStringLiteral("Select All"));
    btnAdvSelectNone = Make<QPushButton>(gbAdvisories, "btnAdvSelectNone", QRect(102, 194, 90, 24));
    btnAdvSelectNone->setText(QStringLiteral("Select None"));
    gbAdvisories->hide();

    gbRadar = Make<QGroupBox>(p, "gbRadar", group);
    ImageryLabel = MakeText(gbRadar, "ImageryLabel", "Weather Image Default", QRect(10, 20, 250, 20));
    dlbRxFilter = Make<QComboBox>(gbRadar, "dlbRxFilter", QRect(10, 44, 250, 24));
    dlbRxFilter->setToolTip(QStringLiteral("Filter by an Area"));
    dblRxImagery = Make<QComboBox>(gbRadar, "dblRxImagery", QRect(10, 76, 250, 24));
    dblRxImagery->setMaxVisibleItems(16);
    gbRadar->hide();
}

void TWxSetupDlg::buildOptionsPage() {
    QWidget *p = OptionsTab;
    glOptions = MakeLabel(p, "glOptions", " Program Options ", QRect(6, 4, 502, 22));
    glOptions->SetColor(clNavy);
    glOptions->SetColor2(clSkyBlue);
    glOptions->SetVertical(false);
    glOptions->SetFontColor(clWhite);
    glOptions->SetLayout(TTextLayout::Center);
    glTempColor = MakeLabel(p, "glTempColor", "", QRect(8, 32, 64, 30));
    glTempColor->SetGradient(false);
    glTempColor->SetTransparent(true);
    glTempColor->SetAlignment(Qt::AlignCenter);
    QFont big = glTempColor->font();
    big.setPointSize(14);
    big.setBold(true);
    glTempColor->setFont(big);
    glTempColor->setCursor(Qt::PointingHandCursor);
    glTempColor->setToolTip(QStringLiteral("To choose Tray Temp. color, click on this number."));
    TempColorLabel = MakeText(p, "TempColorLabel", "To choose Tray Temp. color, click on this number.",
                              QRect(76, 30, 220, 34));
    TempColorLabel->setWordWrap(true);
    Tray = MakeCheck(p, "Tray", " Show Tray Icon", QRect(8, 70, 270, 20), 4);
    Notify = MakeCheck(p, "Notify", " Show Tray Notifications ", QRect(8, 92, 270, 20), 4);
    Minimize = MakeCheck(p, "Minimize", " Minimize to System Tray on startup ", QRect(8, 114, 270, 20), 4);
    cNotify = MakeCheck(p, "cNotify", "  Play Sound on Current Conditions", QRect(8, 136, 270, 20), 4);
    fNotify = MakeCheck(p, "fNotify", "  Play Sound on Forecast", QRect(8, 158, 270, 20), 4);

    gbColors = Make<QGroupBox>(p, "gbColors", QRect(302, 30, 206, 122));
    gbColors->setTitle(QStringLiteral("Pick Colors"));
    glColor1 = MakeLabel(gbColors, "glColor1", "Color 1", QRect(10, 18, 186, 32));
    glColor2 = MakeLabel(gbColors, "glColor2", "Color 2", QRect(10, 50, 186, 32));
    glColor3 = MakeLabel(gbColors, "glColor3", "Color 3", QRect(10, 82, 186, 32));
    for (TgLabel *l : {glColor1, glColor2, glColor3}) {
        l->SetAlignment(Qt::AlignCenter);
        l->SetLayout(TTextLayout::Center);
        l->setCursor(Qt::PointingHandCursor);
    }
    btnLanguage = Make<QPushButton>(p, "btnLanguage", QRect(302, 158, 90, 24));
    btnLanguage->setText(QStringLiteral("Language"));

    glURL = MakeText(p, "glURL", "Update Location :", QRect(8, 192, 100, 22));
    URL = Make<QLineEdit>(p, "URL", QRect(110, 192, 280, 22));
    URL->setText(QStringLiteral("http://tolvu.example.org/update/"));
    URL->setProperty("Tag", 4);
    btnUpdate = Make<QPushButton>(p, "btnUpdate", QRect(396, 191, 110, 24));
    btnUpdate->setText(QStringLiteral("Update Now"));
    EmailLabel = MakeText(p, "EmailLabel", "Contact e-mail :", QRect(8, 222, 100, 22));
    email = Make<QLineEdit>(p, "email", QRect(110, 222, 280, 22));
    email->setText(QStringLiteral("support@tolvu.example.org"));
    btnEmail = Make<QPushButton>(p, "btnEmail", QRect(396, 221, 110, 24));
    btnEmail->setText(QStringLiteral("email Support"));
    for (QPushButton *b : {btnLanguage, btnUpdate, btnEmail, btnSearch, btnAdvSelectAll, btnAdvSelectNone})
        if (b != btnSearch) b->setAutoDefault(false);
}

void TWxSetupDlg::wireHandlers() {
    connect(btnOK, &QPushButton::clicked, this, [this] { CloseWith(QDialog::Accepted); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnSetupHelp, &QPushButton::clicked, this, [this] { HelpClick(); });
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });

    connect(btnSearch, &QPushButton::clicked, this, [this] { btnSearchClick(); });
    connect(Search, QOverload<int>::of(&QComboBox::activated), this, [this](int i) { SearchSelect(i); });
    Search->lineEdit()->installEventFilter(this);
    connect(cbLocations, QOverload<int>::of(&QComboBox::activated), this, [this](int i) { cbLocationsSelect(i); });
    for (QLineEdit *e : {Location, Latitude, Longitude})
        connect(e, &QLineEdit::textChanged, this, [this, e] { LocationChanged(e); });

    for (QLineEdit *e : {Periods, NumDays, fcInterval, ccInterval, fbTransparency, URL})
        connect(e, &QLineEdit::textChanged, this, [this, e] { ControlChange(e); });
    for (TgCheckLabel *c : {WebImages, AlAnimate, AlAuto, AlRestore, AlSound, AlSoundAny, AlSwitch, Tray, Notify,
                            Minimize, cNotify, fNotify})
        c->OnCheck = [this](QWidget *sender) { ControlChange(sender); };
    ServiceIcons->OnCheck = [this](QWidget *) { ServiceIconsCheck(); };
    connect(cbServices, QOverload<int>::of(&QComboBox::activated), this, [this](int i) { cbServicesChange(i); });
    connect(tvWeather, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item, QTreeWidgetItem *) { tvWeatherChange(item); });
    connect(dblRxImagery, QOverload<int>::of(&QComboBox::activated), this, [this] { RxImageSelect(); });
    connect(dlbRxFilter, QOverload<int>::of(&QComboBox::activated), this, [this] { dlbRxFilterCloseUp(); });

    for (TgLabel *l : {glColor1, glColor2, glColor3, glTempColor}) l->installEventFilter(this);
    connect(btnUpdate, &QPushButton::clicked, this, [this] { btnUpdateClick(); });
    connect(btnEmail, &QPushButton::clicked, this, [this] { btnEmailClick(); });
    connect(btnLanguage, &QPushButton::released, this, [this] { btnLanguageMouseUp(); });
}

bool TWxSetupDlg::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyRelease && watched == Search->lineEdit()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) btnSearchClick();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == glColor1) glColor1Click();
        else if (watched == glColor2) glColor2Click();
        else if (watched == glColor3) glColor3Click();
        else if (watched == glTempColor) glTempColorClick();
    }
    return QDialog::eventFilter(watched, event);
}

// ------------------------------------------------------------------ state

TData *TWxSetupDlg::data() const { return data_ ? data_ : Data; }

bool TWxSetupDlg::hasSettings() const { return service_ && service_->Settings(); }

void TWxSetupDlg::setOptionsModified() {
    if (!isVisible()) return;
    flags_.OptionsModified = true;
    btnOK->setEnabled(true);
}

void TWxSetupDlg::SetService(TCustomWxService *service) {
    if (service == service_) return;
    service_ = service;
    if (service_) LoadServices();
}

void TWxSetupDlg::SetImages(const QList<QIcon> *images) {
    if (images == images_) return;
    images_ = images;
    if (!images_) return;
    // General, Advisories (and its children), Imagery take the first glyphs.
    int n = 0;
    for (int i = 0; i < tvWeather->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = tvWeather->topLevelItem(i);
        if (n < images_->size()) top->setIcon(0, images_->at(n));
        ++n;
    }
}

void TWxSetupDlg::SelectPage(int page) {
    if (page >= 0 && page < PageControl->count()) PageControl->setCurrentIndex(page);
}

void TWxSetupDlg::LoadServices() {
    if (!service_) return;
    cbServices->clear();
    TIniSettings *ini = service_->Settings();
    bool selected = false;
    if (ini && ini->SectionExists("Services")) {
        for (int i = 0; i < 5; ++i) {
            const std::string key = "Service" + std::to_string(i);
            if (!ini->ValueExists("Services", key)) break;
            cbServices->addItem(Q(ini->ReadString("Services", key, "")));
            if (!selected && key == service_->SectionName()) {
                cbServices->setCurrentIndex(i);
                selected = true;
                LoadSettings();
            }
        }
    }
    if (!selected && cbServices->count() > 0) {
        cbServices->setCurrentIndex(0);
        LoadSettings();
    }
}

void TWxSetupDlg::readControls() {
    TIniSettings &ini = *service_->Settings();
    auto text = [&](QLineEdit *e, const char *section, const char *def) {
        e->setText(Q(ini.ReadString(section, S(e->objectName()), def)));
    };
    auto check = [&](TgCheckLabel *c, const char *section, bool def) {
        c->SetChecked(ini.ReadBool(section, ControlKey(S(c->objectName())), def));
    };
    text(ccInterval, "Wx", "30");
    text(fcInterval, "Wx", "60");
    text(NumDays, "Wx", "");
    text(Periods, "Wx", "12");
    text(fbTransparency, "Wx", "212");
    check(WebImages, "Wx", false);
    check(AlAuto, "Wx", true);
    check(AlRestore, "Wx", false);
    check(AlSwitch, "Wx", true);
    check(AlSound, "Wx", false);
    AlSoundAny->setEnabled(AlSound->Checked());
    check(AlSoundAny, "Wx", false);
    check(AlAnimate, "Wx", true);
    AlSoundFile->setEditText(Q(ini.ReadString("Wx", "AlFile", "Warning")));
    check(ServiceIcons, "Options", false);
    WebImages->setEnabled(ServiceIcons->Checked());
    check(Tray, "Options", true);
    check(Notify, "Options", true);
    check(cNotify, "Options", true);
    check(fNotify, "Options", false);
    check(Minimize, "Options", false);
    URL->setText(Q(ini.ReadString("Options", "URL", S(URL->text()))));
    glTempColor->SetFontColor(ini.ReadColor("Options", "TempColor", 0));
    cNotify->setEnabled(Notify->Checked());
    fNotify->setEnabled(Lower(service_->GetName()) != "acu");
    SetColor1(ini.ReadColor("Options", "Color1", kDefaultColor1));
    SetColor2(ini.ReadColor("Options", "Color2", kDefaultColor2));
    SetColor3(ini.ReadColor("Options", "Color3", kDefaultColor3));
}

void TWxSetupDlg::LoadSettings() {
    if (!service_) return;
    loading_ = true;
    glCurrentService->SetCaption(QStringLiteral(" ") + Q(service_->GetDescription()));
    Location->setText(Q(service_->GetLocation()));
    TSetupSpin days;
    SetupSpinRange("NumDays", service_->GetName(), service_->GetMaxDays(), days);
    NumDaysSpin->SetMax(days.Max);
    NumDaysSpin->SetMin(days.Min);
    if (!Location->text().isEmpty()) {
        Latitude->setText(Q(service_->GetLatitude()));
        Longitude->setText(Q(service_->GetLongitude()));
        const std::string caption = service_->GetLocationCaption();
        cbLocations->setEditable(true);
        cbLocations->setEditText(Q(caption));
        const std::string city = service_->GetCityName();
        CityName->setText(Q(city.empty() ? caption : city));
    }
    if (hasSettings()) {
        readControls();
        fillImageLists();
        SelectDefaultImage(service_->Settings()->ReadInteger(service_->SectionName(), "Radar", 0));
        fillImageLists();
    }
    loading_ = false;
    flags_.CurrentModified = flags_.ForecastModified = flags_.AdvisoryModified = false;
    btnOK->setEnabled(false);
}

void TWxSetupDlg::ControlChange(QWidget *sender) {
    if (loading_ || !sender) return;
    if (sender == AlSound) AlSoundAny->setEnabled(AlSound->Checked());
    if (hasSettings()) {
        const int tag = Tag(sender);
        const std::string section = TagSection(tag);
        if (!section.empty()) {
            TIniSettings &ini = *service_->Settings();
            const std::string key = ControlKey(S(sender->objectName()));
            if (auto *e = qobject_cast<QLineEdit *>(sender)) ini.WriteString(section, key, S(e->text()));
            else if (auto *c = qobject_cast<TgCheckLabel *>(sender)) ini.WriteBool(section, key, c->Checked());
            if (sender == WebImages) flags_.CurrentModified = true;
            switch (tag) {
            case 0: flags_.CurrentModified = true; break;
            case 1: flags_.ForecastModified = true; break;
            case 2: flags_.AdvisoryModified = true; break;
            default: setOptionsModified(); break;
            }
        }
    }
    btnOK->setEnabled(true);
}

void TWxSetupDlg::ServiceIconsCheck() {
    WebImages->setEnabled(ServiceIcons->Checked());
    ControlChange(ServiceIcons);
    if (!loading_) flags_.LocationModified = true;
}

// ------------------------------------------------------------------ colours

void TWxSetupDlg::SetColor1(TColor c) {
    glColor1->SetColor(c);
    if (loading_) return;  // shown as read, nothing to store
    if (hasSettings()) service_->Settings()->WriteColor("Options", "Color1", c);
    setOptionsModified();
}

void TWxSetupDlg::SetColor2(TColor c) {
    glColor1->SetColor2(c);
    glColor1->SetFontColor(c);
    glColor2->SetColor(c);
    glColor2->SetColor2(c);
    glColor3->SetColor(c);
    if (loading_) return;  // shown as read, nothing to store
    if (hasSettings()) service_->Settings()->WriteColor("Options", "Color2", c);
    setOptionsModified();
}

void TWxSetupDlg::SetColor3(TColor c) {
    glColor3->SetColor2(c);
    if (loading_) return;  // shown as read, nothing to store
    if (hasSettings()) service_->Settings()->WriteColor("Options", "Color3", c);
    setOptionsModified();
}

void TWxSetupDlg::glColor1Click() {
    if (auto c = ColorPicker()(glColor1->Color(), this)) SetColor1(*c);
}
void TWxSetupDlg::glColor2Click() {
    if (auto c = ColorPicker()(glColor2->Color(), this)) SetColor2(*c);
}
void TWxSetupDlg::glColor3Click() {
    if (auto c = ColorPicker()(glColor3->Color2(), this)) SetColor3(*c);
}

void TWxSetupDlg::glTempColorClick() {
    auto c = ColorPicker()(glTempColor->FontColor(), this);
    if (!c || *c == glTempColor->FontColor()) return;
    glTempColor->SetFontColor(*c);
    if (hasSettings()) service_->Settings()->WriteColor("Options", "TempColor", *c);
    setOptionsModified();
}

// ------------------------------------------------------------------ service and pages

void TWxSetupDlg::cbServicesChange(int index) {
    if (hasSettings()) {
        service_->Settings()->WriteString("Service", "Default", "Service" + std::to_string(index));
        setOptionsModified();
    }
    WebImages->setVisible(index == 1);
    flags_.LocationModified = true;
    if (OnServiceChange) OnServiceChange(*this);
    PageControl->setCurrentIndex(LocationPage);
    PageControlChange();
    btnSearchClick();
    btnOK->setEnabled(service_ && !service_->GetLocation().empty());
}

void TWxSetupDlg::PageControlChange() {
    QCoreApplication::processEvents();
    const int page = PageControl->currentIndex();
    if (page == WeatherPage && isVisible()) tvWeather->setFocus();
    if (page == LocationPage && service_) {
        if (!isVisible() && cbLocations->count() == 0) btnSearchClick();
        if (service_->GetName() == "NWS") {
            if (!cityZip_ && CityZipFactory()) {
                cityZip_ = CityZipFactory()();
                if (cityZip_ && !cityZip_->Connect()) cityZip_.reset();
            }
        } else {
            cityZip_.reset();
            matches_.clear();
            currentMatch_ = -1;
        }
    }
}

void TWxSetupDlg::tvWeatherChange(QTreeWidgetItem *item) {
    if (!item) return;
    if (QTreeWidgetItem *parent = item->parent()) {
        if (parent != tvWeather->topLevelItem(1)) return;
        const int index = parent->indexOfChild(item);
        gbGeneral->hide();
        gbRadar->hide();
        gbAdvisories->show();
        nAdvisories->hide();
        for (int i = 0; i < checkLists_.size(); ++i) checkLists_[i]->setVisible(i == index);
        return;
    }
    glSettings->SetCaption(Q(KeyText("glSettings", "General Settings")));
    const int top = tvWeather->indexOfTopLevelItem(item);
    gbGeneral->setVisible(top == 0);
    gbAdvisories->setVisible(top == 1);
    gbRadar->setVisible(top == 2);
    if (top == 1) {
        nAdvisories->show();
        for (QWidget *l : checkLists_) l->hide();
    }
}

// ------------------------------------------------------------------ default image

void TWxSetupDlg::fillImageLists() {
    TData *d = data();
    if (!d || !service_) return;
    try {
        // The option row of the service: "0" NWS, "1" AccuWeather.
        TDataSet &option = d->OptionSet();
        const std::string row = service_->GetName() == "Acu" ? "1" : "0";
        if (!option.HasRecord() || option.AsString("Key") != row) option.Locate("Key", row);

        dlbRxFilter->clear();
        TDataSet &filter = d->FilterSet();
        const int64_t filterKey = option.HasRecord() && !option.IsNull("Filter") ? option.AsInteger("Filter") : -1;
        for (filter.First(); !filter.Eof(); filter.Next()) {
            dlbRxFilter->addItem(Q(filter.AsString("Name")), QVariant::fromValue<qlonglong>(filter.AsInteger("Key")));
            if (filter.AsInteger("Key") == filterKey) dlbRxFilter->setCurrentIndex(dlbRxFilter->count() - 1);
        }

        dblRxImagery->clear();
        TDataSet &image = d->ImageSet();
        const int64_t imageKey =
            option.HasRecord() && !option.IsNull("Location") ? option.AsInteger("Location") : -1;
        int current = -1;
        for (image.First(); !image.Eof(); image.Next()) {
            std::string text = image.AsString("Name");
            const std::string state = image.AsString("State");
            if (!state.empty()) text += ", " + state;
            dblRxImagery->addItem(Q(text), QVariant::fromValue<qlonglong>(image.AsInteger("Key")));
            if (image.AsInteger("Key") == imageKey) current = dblRxImagery->count() - 1;
        }
        dblRxImagery->setCurrentIndex(current);
    } catch (const std::exception &) {
    }
}

void TWxSetupDlg::SelectDefaultImage(int key) {
    TData *d = data();
    if (!d) return;
    try {
        TDataSet &image = d->ImageSet();
        const bool filtered = image.Filtered();
        image.SetFiltered(false);
        const bool found = image.Locate("Key", int64_t(key));
        const std::string id = found ? image.AsString("ID") : std::string();
        image.SetFiltered(filtered);
        if (!found) return;
        TDataSet &option = d->OptionSet();
        if (!option.HasRecord()) return;
        option.Edit();
        option.SetValue("Location", int64_t(key));
        option.SetValue("ID", id);
        option.Post();
    } catch (const std::exception &) {
    }
}

void TWxSetupDlg::storeCurrentImage() {
    TData *d = data();
    if (!hasSettings() || !d) return;
    try {
        // Without a pick the image table stands on its first row.
        int index = dblRxImagery->currentIndex();
        if (index < 0 && dblRxImagery->count() > 0) index = 0;
        if (index < 0) return;
        const int64_t key = dblRxImagery->itemData(index).toLongLong();
        TDataSet &image = d->ImageSet();
        if (!image.Locate("Key", key)) return;
        const std::string id = image.AsString("ID");
        TDataSet &option = d->OptionSet();
        if (option.HasRecord()) {
            option.Edit();
            option.SetValue("Location", key);
            option.SetValue("ID", id);
            option.Post();
        }
        service_->Settings()->WriteInteger(service_->SectionName(), "Radar", int(key));
        flags_.LocationModified = true;
        setOptionsModified();
    } catch (const std::exception &) {
    }
}

void TWxSetupDlg::RxImageSelect() { storeCurrentImage(); }

void TWxSetupDlg::dlbRxFilterCloseUp() {
    TData *d = data();
    const int index = dlbRxFilter->currentIndex();
    if (!d || index < 0) return;
    try {
        const int64_t key = dlbRxFilter->itemData(index).toLongLong();
        TDataSet &filter = d->FilterSet();
        if (!filter.Locate("Key", key)) return;
        const std::string where = filter.AsString("Filter");
        TDataSet &option = d->OptionSet();
        if (option.HasRecord() && (option.IsNull("Filter") || option.AsInteger("Filter") != key)) {
            option.Edit();
            option.SetValue("Filter", key);
            option.Post();
        }
        TDataSet &image = d->ImageSet();
        image.SetFilter(where);
        image.SetFiltered(true);
        fillImageLists();
    } catch (const std::exception &) {
    }
}

// ------------------------------------------------------------------ closing and buttons

bool TWxSetupDlg::FormCloseQuery() {
    bool canClose = true;
    if (!service_) return true;
    if (flags_.Any() && hasSettings()) {
        const int radar = service_->Settings()->ReadInteger(service_->SectionName(), "Radar", 0);
        if (DefaultImageMissing(service_->GetName(), radar)) {
            dlbRxFilterCloseUp();
            TMsgRequest q;
            q.Caption = KeyText("SETUP_CAPTION", "Setup");
            q.Message = KeyText("SETUP_IMAGE", "You should also pick a default Weather Image.");
            q.Detail = KeyText("SETUP_IMAGE_QUERY",
                               "This is available on the Weather <Tab>, \"Imagery\" options. Choose one now?");
            q.Icon = miQuestion;
            q.Button1 = KeyText("BTN_YES", "Yes");
            q.Button2 = KeyText("BTN_NO", "No");
            if (RequestMessage(q).Result == 1) {
                canClose = false;
                if (dblRxImagery->count() > 0) dblRxImagery->setCurrentIndex(0);
                PageControl->setCurrentIndex(WeatherPage);
                tvWeather->setCurrentItem(tvWeather->topLevelItem(2));
            }
            storeCurrentImage();
        }
    }
    if (flags_.Any() && canClose) service_->SaveSettings();
    if (canClose) service_->TCustomWxService::SearchLocations(std::string());
    return canClose;
}

bool TWxSetupDlg::CloseWith(int result) {
    if (!FormCloseQuery()) return false;
    QDialog::done(result);
    return true;
}

void TWxSetupDlg::done(int result) { CloseWith(result); }

void TWxSetupDlg::btnCancelClick() { CloseWith(QDialog::Rejected); }

void TWxSetupDlg::btnUpdateClick() {
    flags_.UpdateRequested = true;
    CloseWith(QDialog::Accepted);
}

void TWxSetupDlg::btnEmailClick() {
    ShellOpen(SupportMailLink(S(email->text())));
    CloseWith(QDialog::Accepted);
}

void TWxSetupDlg::HelpClick() {
    const std::string file = DataPath() + ApplicationHelpFile();
    if (FileExists(file)) ShellOpen(file);
}

void TWxSetupDlg::btnLanguageMouseUp() {
    if (!service_) return;
    TLanguageDlg chooser(this);
    chooser.Preset(service_->GetLanguage());
    if (chooser.exec() == QDialog::Rejected) return;
    const std::string code = chooser.LanguageCode();
    if (code == service_->GetLanguage()) return;
    service_->SetLanguage(code);
    btnOK->setEnabled(true);
    if (service_->GetLanguage() != code) {
        TMsgRequest q;
        q.Message = KeyText("SETUP_LANG", "Language not supported by current service.");
        q.Detail = KeyText("SETUP_LANG_QUERY", "Would you like to switch to the next service that does?");
        q.Icon = miQuestion;
        q.Caption = KeyText("SETUP_LANGUAGE", "Setup - Language");
        RequestMessage(q);
    }
    if (hasSettings()) service_->Settings()->WriteString("Options", "Language", service_->GetLanguage());
    setOptionsModified();
}
