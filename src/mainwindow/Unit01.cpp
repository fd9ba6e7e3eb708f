#include "mainwindow/Unit01.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTextBrowser>
#include <QTimer>
#include <QThread>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "controls/WinCtrls.h"
#include "controls/nGauges.h"
#include "dialogs/MsgHook.h"
#include "dialogs/MsgUnit.h"
#include "dialogs/Progress.h"
#include "dialogs/Splash.h"
#include "mainwindow/ForecastView.h"
#include "mainwindow/IconLibrary.h"
#include "mainwindow/WxFormCalc.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "platform/Instance.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "service/DataMod.h"
#include "service/HttpClient.h"
#include "service/ServiceFactory.h"
#include "service/Servers.h"

namespace {
QString q(const std::string &s) { return QString::fromStdString(s); }
std::string s8(const QString &s) { return s.toStdString(); }

QPointer<QWidget> &startupSplash() {
    static QPointer<QWidget> splash;
    return splash;
}

constexpr int kTabAcross = 32;
constexpr int kTabAlong = 88;
constexpr int kThreshold = 430080;
constexpr int kSetupThreshold = 48000;
constexpr TColor kGreen = 0x008000, kRed = 0x0000FF;

QFont uiFont(int points, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"), points);
    f.setBold(bold);
    return f;
}

TgLabel *panelLabel(QWidget *parent, const char *name, const QString &text, int points, bool bold = false) {
    auto *l = new TgLabel(parent);
    l->setObjectName(name);
    l->setFont(uiFont(points, bold));
    l->SetTransparent(true);
    l->SetFontColor(clWhite);
    l->SetDropShadow(true);
    l->SetShadowColor(0x301000);
    l->SetShadowWidth(1);
    l->SetCaption(text);
    return l;
}

QLabel *pictureLabel(QWidget *parent, const char *name, QSize size) {
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(size);
    l->setAlignment(Qt::AlignCenter);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

bool isNwsName(const std::string &name) { return LowerCase(name) == "nws"; }

// Long station names get a smaller font (down to 7 points) before they are cut.
void setFittedText(QLabel *label, const QString &text, int points) {
    QFont f = label->font();
    for (int pt = points; pt >= 7; --pt) {
        f.setPointSize(pt);
        if (QFontMetrics(f).horizontalAdvance(text) <= label->width() || pt == 7) break;
    }
    label->setFont(f);
    label->setText(QFontMetrics(f).elidedText(text, Qt::ElideMiddle, label->width()));
    label->setToolTip(text);
}
}  // namespace

// The program's condition picture for a service icon and its words (condition table, then words).
QPixmap ProgramIconPicture(TIconLibrary &lib, const std::string &iconName, const std::string &words);

// ---------------------------------------------------------------- tab bar

TnTabBar::TnTabBar(QWidget *parent) : QTabBar(parent) {
    setObjectName("nTabs");
    setDrawBase(false);
    setExpanding(false);
    setFont(uiFont(8, true));
}

QSize TnTabBar::tabSizeHint(int) const { return QSize(kTabAcross, kTabAlong); }

void TnTabBar::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i)) continue;
        const QRect r = tabRect(i).adjusted(1, 1, -1, -1);
        const bool sel = i == currentIndex();
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, sel ? QColor(255, 255, 255) : QColor(200, 214, 236));
        g.setColorAt(1, sel ? QColor(166, 202, 240) : QColor(120, 140, 180));
        QPainterPath path;
        path.addRoundedRect(QRectF(r).adjusted(-8, 0, 0, 0), 7, 7);
        p.save();
        p.setClipRect(r);
        p.fillPath(path, g);
        p.setPen(QColor(0, 0, 0x60));
        p.drawPath(path);
        p.restore();
        const int glyph = i < int(Glyphs.size()) ? Glyphs[size_t(i)] : -1;
        if (glyph >= 0) p.drawPixmap(r.left() + (r.width() - 24) / 2, r.top() + 4, Art::Glyph(glyph));
        p.save();
        p.translate(r.left() + r.width() / 2 + 4, r.top() + 32);
        p.rotate(90);
        p.setPen(sel ? QColor(0, 0, 0x80) : QColor(0x20, 0x20, 0x40));
        p.drawText(QRect(0, -10, r.height() - 34, 20), Qt::AlignLeft | Qt::AlignVCenter, tabText(i));
        p.restore();
    }
}

TnPageControl::TnPageControl(QWidget *parent) : QTabWidget(parent), tabs_(new TnTabBar) {
    setTabBar(tabs_);
    setTabPosition(QTabWidget::East);
    setDocumentMode(true);
}

int TnPageControl::TabsBottom() const {
    int bottom = 0;
    for (int i = 0; i < count(); ++i)
        if (tabs_->isTabVisible(i)) bottom = std::max(bottom, tabs_->tabRect(i).bottom() + 1);
    return tabs_->mapTo(this, QPoint(0, bottom)).y();
}

// ---------------------------------------------------------------- busy image

TBusyImage::TBusyImage(QWidget *parent) : QWidget(parent), timer_(new QTimer(this)) {
    setObjectName("WorkImage");
    setFixedSize(24, 24);
    timer_->setInterval(80);
    connect(timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % 8;
        update();
    });
}

void TBusyImage::Start() {
    if (running_) return;
    running_ = true;
    timer_->start();
    update();
}

void TBusyImage::Stop() {
    if (!running_) return;
    running_ = false;
    timer_->stop();
    update();
}

void TBusyImage::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width() / 2.0, height() / 2.0);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        const int age = (frame_ - i + 8) % 8;
        QColor col(255, 255, 255, running_ ? 255 - age * 28 : 70);
        p.setBrush(col);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c + QPointF(std::cos(a) * 8, std::sin(a) * 8), 2.2, 2.2);
    }
}

// ---------------------------------------------------------------- window

TImageSetLookup &TWxForm::ImageSetLookup() {
    static TImageSetLookup lookup;
    return lookup;
}

TWxFormHooks &TWxForm::DefaultHooks() {
    static TWxFormHooks hooks;
    return hooks;
}

void TWxForm::SetStartupSplash(QWidget *splash) { startupSplash() = splash; }

bool &TWxForm::UseDialogPictures() {
    static bool on = false;
    return on;
}

TWxForm::TWxForm(QWidget *parent) : QMainWindow(parent), Hooks(DefaultHooks()) {
    setObjectName("WxForm");
    setWindowTitle(DisplayName());
    splash_ = startupSplash();
    buildLayout();
    InstallSetupHooks();
    BuildAlertsTrayImagery();
    setFixedSize(621, 490);
    if (QScreen *scr = QGuiApplication::primaryScreen())
        move(scr->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    // Long downloads keep the window alive.
    SetTransferPump([] { QCoreApplication::processEvents(); });
    RegisterBuiltInServices();

    settings_.SetFileName(ProfilePath() + SettingsFileName());
    settings_.Reload();
    LoadServerOverrides(settings_);
    progressThreshold_ = kThreshold;
    applyColours();
    startup_ = RunSettingsStartup(settings_, TFormatSettings::Global().LocaleId);
    LoadService();

    // Without language data the first refreshes would wait for the timers
    // (15 minutes and more); run them now instead.
    if (!firstRefreshDone_ && service_) RefreshActivePage();
    constructing_ = false;
    // The alert timer runs even with AlAuto off: its first round switches it off.
    for (QTimer *t : {CurrentTimer, ForecastTimer, AlertTimer, InsetTimer}) t->start();

    // The end of the session closes without the minimise offer.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { closing_ = true; });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { closing_ = true; });

    // Other starts of the program look for this marker.
    marker_ = std::make_unique<TWindowMarker>();
    if (marker_->Create()) {
        markerNotifier_ = new QSocketNotifier(marker_->Fd(), QSocketNotifier::Read, this);
        connect(markerNotifier_, &QSocketNotifier::activated, this, [this] { marker_->DrainPending(); });
    }
}

TWxForm::~TWxForm() {
    closing_ = true;
    for (QTimer *t : {CurrentTimer, ForecastTimer, AlertTimer, InsetTimer, DurationTimer}) {
        t->disconnect();
        t->stop();
    }
    FreeImagery();
    freeService();
    SetTransferPump(nullptr);
    if (markerNotifier_) markerNotifier_->setEnabled(false);
    marker_.reset();
    settings_.UpdateFile();
    EmptyCaches(ProgramPath(), ProfilePath());
}

std::string TWxForm::ProgramPath() const { return ::ProgramPath(); }
std::string TWxForm::ProfilePath() const { return ::ProfilePath(); }

// ---------------------------------------------------------------- layout

void TWxForm::buildLayout() {
    auto *central = new QWidget(this);
    central->setObjectName("Client");
    setCentralWidget(central);

    nHeader = new TnControl(central);
    nHeader->setObjectName("nHeader");
    nHeader->setGeometry(0, 0, 621, 57);
    nHeader->SetGradient(true);
    nHeader->SetVertical(true);
    glTitle = new QLabel("Current Conditions", nHeader);
    glTitle->setObjectName("glTitle");
    glTitle->setFont(uiFont(15, true));
    glTitle->setGeometry(10, 4, 224, 28);
    glService = new QLabel(nHeader);
    glService->setObjectName("glService");
    glService->setFont(uiFont(8));
    glService->setGeometry(12, 33, 222, 18);
    glService->setCursor(Qt::PointingHandCursor);
    Logo1 = new QLabel(nHeader);
    Logo1->setObjectName("Logo1");
    Logo1->setGeometry(236, 4, 64, 49);
    Logo1->setAlignment(Qt::AlignCenter);
    Logo1->setCursor(Qt::PointingHandCursor);
    glLocation = new QLabel(nHeader);
    glLocation->setObjectName("glLocation");
    glLocation->setFont(uiFont(9, true));
    glLocation->setGeometry(304, 6, 254, 20);
    glLocation->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    glLocation->setCursor(Qt::PointingHandCursor);
    glLatitude = new QLabel(nHeader);
    glLatitude->setObjectName("glLatitude");
    glLatitude->setFont(uiFont(7));
    glLatitude->setGeometry(304, 28, 254, 12);
    glLatitude->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    glLongitude = new QLabel(nHeader);
    glLongitude->setObjectName("glLongitude");
    glLongitude->setFont(uiFont(7));
    glLongitude->setGeometry(304, 40, 254, 12);
    glLongitude->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    iBtnHelp = pictureLabel(nHeader, "iBtnHelp", QSize(24, 24));
    iBtnHelp->move(590, 4);
    iBtnHelp->setPixmap(Art::Glyph(5));
    iBtnHelp->setToolTip("About / Help");
    iBtnSetup = pictureLabel(nHeader, "iBtnSetup", QSize(24, 24));
    iBtnSetup->move(564, 4);
    iBtnSetup->setPixmap(Art::Glyph(4));
    iBtnSetup->setToolTip("Preferences");
    for (QLabel *l : {glTitle, glService, glLocation, glLatitude, glLongitude}) {
        l->setTextFormat(Qt::PlainText);
        l->setAttribute(Qt::WA_TranslucentBackground);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
    }

    nPageControl = new TnPageControl(central);
    nPageControl->setObjectName("nPageControl");
    nPageControl->setGeometry(0, 57, 621, 405);
    CurrentTab = new QWidget;
    CurrentTab->setObjectName("CurrentTab");
    AdvisoryTab = new QWidget;
    AdvisoryTab->setObjectName("AdvisoryTab");
    ImageryTab = new QWidget;
    ImageryTab->setObjectName("ImageryTab");
    nPageControl->addTab(CurrentTab, "Current");
    nPageControl->addTab(AdvisoryTab, "Advisory");
    nPageControl->addTab(ImageryTab, "Imagery");
    nPageControl->Tabs()->Glyphs = {0, 1, 2};
    for (QWidget *page : {AdvisoryTab, ImageryTab}) {
        auto *lay = new QVBoxLayout(page);
        lay->setContentsMargins(0, 0, 0, 0);
        auto *body = new QWidget(page);
        lay->addWidget(body);
        (page == AdvisoryTab ? nAdvisory : nImagery) = body;
    }
    nAdvisory->setObjectName("nAdvisory");
    nImagery->setObjectName("nImagery");
    connect(nPageControl->Tabs(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index != nPageControl->currentIndex()) nPageControlChanging(nPageControl->currentIndex());
    });
    connect(nPageControl, &QTabWidget::currentChanged, this, [this](int i) { Guarded([&] { nPageControlChange(i); }); });
    buildConditions();
    buildStatus();

    nUtility = new QWidget(central);
    nUtility->setObjectName("nUtility");
    auto *utility = new QVBoxLayout(nUtility);
    utility->setContentsMargins(4, 4, 4, 4);
    utility->setSpacing(6);
    WorkImage = new TBusyImage(nUtility);
    iBtnHistory = pictureLabel(nUtility, "iBtnHistory", QSize(24, 24));
    iBtnHistory->setPixmap(Art::Glyph(9));
    iBtnHistory->setToolTip("History");
    iBtnHistory->setCursor(Qt::PointingHandCursor);
    iBtnHistory->setEnabled(false);
    iBtnPrint = pictureLabel(nUtility, "iBtnPrint", QSize(24, 24));
    iBtnPrint->setPixmap(Art::Glyph(7));
    iBtnPrint->setToolTip("Print");
    iBtnPrint->setCursor(Qt::PointingHandCursor);
    for (QWidget *w : {static_cast<QWidget *>(WorkImage), static_cast<QWidget *>(iBtnHistory),
                       static_cast<QWidget *>(iBtnPrint)})
        utility->addWidget(w, 0, Qt::AlignHCenter);
    nUtility->setFixedWidth(kTabAcross);
    nUtility->adjustSize();
    TabHideShow();

    auto timer = [this](const char *name, int ms, bool single = false) {
        auto *t = new QTimer(this);
        t->setObjectName(name);
        t->setInterval(ms);
        t->setSingleShot(single);
        return t;
    };
    CurrentTimer = timer("CurrentTimer", 300000);
    ForecastTimer = timer("ForecastTimer", 900000);
    AlertTimer = timer("AlertTimer", 120000);
    InsetTimer = timer("InsetTimer", 300000);
    DurationTimer = timer("DurationTimer", 30000, true);
    connect(CurrentTimer, &QTimer::timeout, this, [this] { Guarded([this] { RefreshCurrentView(); }); });
    connect(ForecastTimer, &QTimer::timeout, this, [this] { Guarded([this] { RefreshForecastView(); }); });
    connect(AlertTimer, &QTimer::timeout, this, [this] { Guarded([this] { RefreshAlertsView(); }); });
    connect(InsetTimer, &QTimer::timeout, this, [this] {
        if (ForecastStrip) ForecastStrip->InsetTimerTick(service_.get());
    });

    for (QWidget *w : {static_cast<QWidget *>(glService), static_cast<QWidget *>(Logo1),
                       static_cast<QWidget *>(glLocation), static_cast<QWidget *>(iBtnSetup),
                       static_cast<QWidget *>(iBtnHelp), static_cast<QWidget *>(iBtnHistory),
                       static_cast<QWidget *>(OrvLogo)})
        w->installEventFilter(this);
}

void TWxForm::buildConditions() {
    nConditions = new TnControl(CurrentTab);
    nConditions->setObjectName("nConditions");
    nConditions->setGeometry(0, 0, 589, 230);
    nConditions->SetGradient(true);
    nConditions->SetVertical(true);
    nForecast = new TnControl(CurrentTab);
    nForecast->setObjectName("nForecast");
    nForecast->setGeometry(0, 230, 589, 175);
    nForecast->SetGradient(true);
    nForecast->SetVertical(true);
    ForecastStrip = new TForecastStrip(nForecast);
    ForecastStrip->setGeometry(0, 0, 589, 175);

    QWidget *p = nConditions;
    Temperature = new TTemperature(p);
    Temperature->setObjectName("Temperature");
    Temperature->SetPicture(LoadGaugeResource(QStringLiteral("THERMOMETER00.PNG")));
    Temperature->SetStretch(true);
    Temperature->setGeometry(2, 2, 106, 224);
    Temperature->SetMin(-40);
    Temperature->SetMax(120);
    Temperature->SetStep(20);
    Temperature->SetSlideX(42);
    Temperature->SetSlideY(17);
    Temperature->SetSlideWidth(18);
    Temperature->SetSlideLength(178);
    Temperature->SetTikLength(18);
    Temperature->SetTiks(3);
    Temperature->SetItemOffset(6);
    Temperature->SetAlphaSize(6);
    Temperature->SetBetaSize(6);
    Temperature->SetPostfix(QStringLiteral("°"));
    Temperature->SetColor(clLime);
    Temperature->SetColor2(clRed);
    Temperature->SetColorA(clRed);
    Temperature->SetColorB(clMaroon);
    Temperature->SetTikColor(clSkyBlue);
    Temperature->SetFontColor(clSkyBlue);
    Temperature->setFont(uiFont(7));

    Scale = new TgLabel(p);
    Scale->setObjectName("Scale");
    Scale->setFont(uiFont(8));
    Scale->SetTransparent(true);
    Scale->SetAngle(90);
    Scale->SetFontColor(clSkyBlue);
    Scale->SetCaption("Farhenheit");
    Scale->move(108, 70);
    Scale->setCursor(Qt::PointingHandCursor);

    glTemperature = panelLabel(p, "glTemperature", "0", 26, true);
    glTemperature->move(132, 2);
    glHeatIndex = panelLabel(p, "glHeatIndex", "Feels Like", 9);
    glHeatIndex->move(136, 46);
    CurrentPic = pictureLabel(p, "CurrentPic", QSize(84, 84));
    CurrentPic->move(136, 66);
    glWeather = panelLabel(p, "glWeather", "Summary", 9, true);
    glWeather->SetAutoSize(false);
    glWeather->SetWordWrap(true);
    glWeather->setGeometry(132, 150, 124, 36);
    glVisibility = panelLabel(p, "glVisibility", "Visibility", 8);
    glVisibility->move(134, 188);
    glWind = panelLabel(p, "glWind", "", 8);
    glWind->hide();
    glForecast = panelLabel(p, "glForecast", "Forecast", 9, true);
    glForecast->move(134, 208);
    glForecast->setCursor(Qt::PointingHandCursor);
    glForecast->setToolTip("Update the Forecast, (updated once an hour)");

    HumidityGauge = new TImageGauge(p);
    HumidityGauge->setObjectName("HumidityGauge");
    HumidityGauge->resize(128, 128);
    HumidityGauge->move(258, 0);
    HumidityGauge->SetBackResource(QStringLiteral("GAUGEBACK03.PNG"));
    HumidityGauge->SetForeResource(QStringLiteral("GAUGELENSE01.PNG"));
    HumidityGauge->SetStyle(TGaugeStyles(gsElipse) | gsDefaultBack | gsDefaultPicture);
    HumidityGauge->SetMin(0);
    HumidityGauge->SetMax(100);
    HumidityGauge->SetDegreeOffset(200);
    HumidityGauge->SetSlideLength(296);
    HumidityGauge->SetSlideX(8);
    HumidityGauge->SetSlideWidth(14);
    HumidityGauge->SetStep(14);
    HumidityGauge->SetTikLength(18);
    HumidityGauge->SetItemOffset(14);
    HumidityGauge->SetPostfix(QStringLiteral("%"));
    HumidityGauge->SetAlphaSize(32);
    HumidityGauge->SetBetaSize(0);
    HumidityGauge->SetColor(clAqua);
    HumidityGauge->SetColor2(clFuchsia);
    HumidityGauge->SetTikColor(0x0000F0);
    HumidityGauge->SetBackColor(clNavy);
    HumidityGauge->SetMargin(1);
    HumidityGauge->setFont(uiFont(7));
    glHumidity = panelLabel(p, "glHumidity", "", 9, true);
    glHumidity->move(266, 128);
    auto *dewCaption = panelLabel(p, "lblDewPoint", "Dew point", 7);
    dewCaption->move(266, 150);
    glDewPoint = panelLabel(p, "glDewPoint", "", 8, true);
    glDewPoint->move(322, 148);
    auto *baroCaption = panelLabel(p, "lblBarometer", "Barometer", 7);
    baroCaption->move(266, 168);
    glBarometer = panelLabel(p, "glBarometer", "00.00 in.", 9, true);
    glBarometer->move(266, 180);
    iPressure = pictureLabel(p, "iPressure", QSize(24, 24));
    iPressure->move(glBarometer->geometry().right() + 5, 176);
    auto *precipCaption = panelLabel(p, "lblPrecip", "Precipitation", 7);
    precipCaption->move(266, 200);
    glPrecipAmount = panelLabel(p, "glPrecipAmount", "0.00", 9, true);
    glPrecipAmount->move(266, 212);

    Compass = new TCompass(p);
    Compass->setObjectName("Compass");
    Compass->resize(128, 128);
    Compass->move(388, 0);
    Compass->SetStyle(TGaugeStyles(gsElipse) | gsDefaultBack | gsDefaultPicture);
    Compass->SetMin(0);
    Compass->SetMax(359);
    Compass->SetStep(45);
    Compass->SetPointerSize(32);
    Compass->SetGradient(false);
    Compass->SetSlideWidth(3);
    Compass->SetTikLength(16);
    Compass->SetItemOffset(8);
    Compass->SetColor2(clYellow);
    Compass->SetTikColor(0x0000F0);
    Compass->SetMargin(2);
    Compass->setFont(uiFont(7));
    Compass->SetValue(0);
    glWindSpeed = panelLabel(p, "glWindSpeed", "", 9, true);
    glWindSpeed->move(396, 128);
    glWindSpeed->setToolTip("Choose mph or kph");
    glWindSpeed->setCursor(Qt::PointingHandCursor);
    WindGustLabel = panelLabel(p, "WindGustLabel", "Gusts to: ", 7);
    WindGustLabel->move(396, 148);
    glWindGust = panelLabel(p, "glWindGust", "", 8, true);
    glWindGust->move(396, 162);
    glSunRise = panelLabel(p, "glSunRise", "0:00 am", 8);
    glSunDown = panelLabel(p, "glSunDown", "0:00 pm", 8);
    auto *riseCaption = panelLabel(p, "lblSunRise", "Sunrise", 7);
    auto *setCaption = panelLabel(p, "lblSunDown", "Sunset", 7);
    riseCaption->move(524, 112);
    glSunRise->move(524, 124);
    setCaption->move(524, 146);
    glSunDown->move(524, 158);

    iMoon = pictureLabel(p, "iMoon", QSize(64, 64));
    iMoon->move(521, 6);
    glMoonPhase = panelLabel(p, "glMoonPhase", "Waxing Gibbous", 8);
    glMoonPhase->SetAutoSize(false);
    glMoonPhase->SetWordWrap(true);
    glMoonPhase->SetAlignment(Qt::AlignHCenter);
    glMoonPhase->setGeometry(516, 72, 72, 34);
    iLanguage = panelLabel(p, "iLanguage", "ENU", 7, true);
    iLanguage->setToolTip("English (United State)");
    iLanguage->move(556, 212);

    for (QWidget *w : std::initializer_list<QWidget *>{
             Temperature, Scale, glTemperature, glHeatIndex, CurrentPic, glWeather, glVisibility, HumidityGauge,
             glHumidity, Compass, glWindSpeed, glForecast, nConditions})
        w->installEventFilter(this);
}

void TWxForm::buildStatus() {
    nStatus = new TnControl(centralWidget());
    nStatus->setObjectName("nStatus");
    nStatus->setGeometry(0, 462, 621, 28);
    static_cast<TnControl *>(nStatus)->SetGradient(true);
    static_cast<TnControl *>(nStatus)->SetVertical(true);
    OrvLogo = pictureLabel(nStatus, "OrvLogo", QSize(48, 26));
    OrvLogo->move(4, 1);
    OrvLogo->setPixmap(Art::MakerLogo().scaled(48, 26, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    OrvLogo->setCursor(Qt::PointingHandCursor);
    glCurrentTime = new QLabel("Current Date Time", nStatus);
    glCurrentTime->setObjectName("glCurrentTime");
    glCurrentTime->setGeometry(58, 4, 250, 20);
    glForecastTime = new QLabel("Forecast Unavailable", nStatus);
    glForecastTime->setObjectName("glForecastTime");
    glForecastTime->setGeometry(312, 4, 210, 20);
    iConnected = new QLabel("Internet", nStatus);
    iConnected->setObjectName("iConnected");
    iConnected->setGeometry(526, 2, 92, 24);
    for (QLabel *l : {glCurrentTime, glForecastTime, iConnected}) {
        l->setFont(uiFont(8));
        l->setTextFormat(Qt::PlainText);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(0x10, 0x10, 0x30));
        l->setPalette(pal);
    }
}

void TWxForm::TabHideShow() {
    if (!nUtility || !nPageControl) return;
    const int top = nPageControl->geometry().top() + nPageControl->TabsBottom() + 4;
    const QRect bar = nPageControl->Tabs()->geometry();
    const QPoint left = nPageControl->mapTo(centralWidget(), bar.topLeft());
    nUtility->move(left.x(), top);
    nUtility->raise();
}

// ---------------------------------------------------------------- colours

void TWxForm::SetColor(std::uint32_t c) {
    color_ = c;
    dayFontColor_ = ColourBlend(c, 0xFF000009, 16);
    detailShadowColor_ = ColourBlend(nForecast ? nForecast->ClientColor() : c, 0xFF000014, 10);
    applyColours();
    if (ForecastStrip) ForecastStrip->ApplyDayFontColor(dayFontColor_, detailShadowColor_);
}

void TWxForm::SetColor1(std::uint32_t c) {
    color1_ = c;
    dayLabelColor2_ = ColourBlend(0xFFFFFF, c, 11);
    const std::uint32_t gaugeFont = ColourBlend(dayLabelColor2_, c, 12);
    if (HumidityGauge) HumidityGauge->SetFontColor(gaugeFont);
    if (Compass) Compass->SetFontColor(gaugeFont);
    applyColours();
}

void TWxForm::SetColor2(std::uint32_t c) {
    color2_ = c;
    applyColours();
}

void TWxForm::applyColours() {
    if (!nHeader) return;
    QPalette pal = centralWidget()->palette();
    pal.setColor(QPalette::Window, ToQColor(color_));
    centralWidget()->setPalette(pal);
    centralWidget()->setAutoFillBackground(true);
    nHeader->SetClientColor(ColourBlend(color_, 0x000000, 8));
    nHeader->SetClientColor2(color_);
    nConditions->SetClientColor(color_);
    nConditions->SetClientColor2(ColourBlend(color_, color1_, 9));
    nForecast->SetClientColor(color1_);
    nForecast->SetClientColor2(color2_);
    auto *status = static_cast<TnControl *>(nStatus);
    status->SetClientColor(0xF0F0F0);
    status->SetClientColor2(color2_);
    HumidityGauge->SetBackColor(color_);
    Compass->SetBackColor(color_);
    Temperature->SetBackColor(color_);
}

// ---------------------------------------------------------------- language

std::string TWxForm::LangValue(const std::string &key) const {
    const std::string prefix = key + "=";
    for (const std::string &line : language_)
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    return {};
}

std::string TWxForm::LangText(const std::string &key, const std::string &builtIn) const {
    if (language_.size() < 11) return builtIn;
    return LangValue(key);
}

bool TWxForm::LoadLanguage(const std::string &code) {
    std::vector<std::string> table;
    const bool applied = Hooks.LoadLanguageData && Hooks.LoadLanguageData(code, table) && table.size() > 10;
    if (!applied) return false;
    language_ = std::move(table);
    ShowLanguageIndicator(code);
    setServiceCaption();
    RefreshActivePage();
    return true;
}

// ---------------------------------------------------------------- service

void TWxForm::freeService() {
    if (!service_) return;
    TCustomWxService *svc = service_.get();
    svc->OnCurrent = nullptr;
    svc->OnForecast = nullptr;
    svc->OnAlerts = nullptr;
    svc->OnSetupRequest = nullptr;
    svc->OnConnectFailure = nullptr;
    svc->OnLanguageChanged = nullptr;
    svc->OnSettingsChanged = nullptr;
    svc->OnWorkBegin = nullptr;
    svc->OnWork = nullptr;
    svc->OnWorkEnd = nullptr;
    service_.reset();
}

void TWxForm::setServiceCaption() {
    const std::string templ = LangText("glService", "From %s");
    const std::string name = service_ ? service_->GetDescription() : std::string();
    std::string display = settings_.ReadString("Services", startup_.ActiveSection, "");
    if (display.empty()) display = name;
    glService->setText(q(FillTemplate(templ.empty() ? "From %s" : templ, display)));
}

void TWxForm::wireService() {
    TCustomWxService *svc = service_.get();
    svc->OnCurrent = [this](TCustomWxService &) { Guarded([this] { ShowCurrentConditions(); }); };
    svc->OnForecast = [this](TCustomWxService &) { Guarded([this] { ShowForecast(); }); };
    svc->OnAlerts = [this](TCustomWxService &) { Guarded([this] { ShowAlerts(); }); };
    svc->OnSetupRequest = [this](int page, int) { ShowSetup(page); };
    svc->OnConnectFailure = [this](const std::string &caption, const std::string &detail) {
        ReportConnectFailure(caption, detail);
    };
    svc->OnLanguageChanged = [this](TCustomWxService &, const std::string &code) { LoadLanguage(code); };
    svc->OnSettingsChanged = [this](TCustomWxService &) { ServiceSettingsChanged(); };
    svc->OnWorkBegin = [this](TCustomWxService &, TWorkMode m, std::int64_t n) { ProgressBegin(m, n); };
    svc->OnWork = [this](TCustomWxService &, TWorkMode m, std::int64_t n) { ProgressWork(m, n); };
    svc->OnWorkEnd = [this](TCustomWxService &, TWorkMode m) { ProgressEnd(m); };
}

void TWxForm::LoadService() {
    if (ForecastStrip) ForecastStrip->ClearInset();
    CurrentPic->clear();
    if (!settings_.SectionExists("Service")) {
        startup_ = RunSettingsStartup(settings_, TFormatSettings::Global().LocaleId);
    }
    if (settings_.ValueExists("Service", "Default")) {
        startup_ = RunSettingsStartup(settings_, TFormatSettings::Global().LocaleId);
        setServiceCaption();
        const std::string section = startup_.ActiveSection;
        const std::string name = settings_.ReadString(section, "Name", "NWS");
        const int number = startup_.ServiceNumber < 0 ? 0 : startup_.ServiceNumber;
        try {
            freeService();
            service_ = CreateServiceFor(name, std::uint8_t(number), &settings_, this);
            if (service_) {
                service_->SetName(name);
                service_->CheckConnection();
            }
        } catch (const std::exception &e) {
            TMsgRequest r;
            r.Message = e.what();
            r.Icon = miCaution;
            r.Button2 = "btnHidden";
            r.Caption = "Load Service";
            RequestMessage(r);
        }
        if (service_) {
            if (Data) {
                try {
                    TDataSet &options = Data->OptionSet();
                    if (options.Locate("Key", TValue(int64_t(isNwsName(name) || LowerCase(name) == "nwsapi" ? 0 : 1)))) {
                        const TValue filterKey = options.Value("Filter");
                        if (Data->FilterSet().Locate("Key", filterKey)) {
                            Data->ImageSet().SetFilter(Data->FilterSet().AsString("Filter"));
                            Data->ImageSet().SetFiltered(true);
                        }
                    }
                } catch (const std::exception &) {
                    // A broken table leaves the image sets unfiltered.
                }
            }
            wireService();
            ConvertRadarSetting(settings_, section, number, ImageSetLookup());
            Logo1->clear();
            if (TWxPicture *logo = service_->GetLogo(); logo && logo->HasImage()) {
                Logo1->setPixmap(QPixmap(q(logo->FileName)).scaled(Logo1->size(), Qt::KeepAspectRatio,
                                                                    Qt::SmoothTransformation));
            } else {
                TIconLibrary library;
                const QPixmap drawn =
                    library.Load() ? library.Resource(isNwsName(name) ? "LOGO_NWS.PNG" : "LOGO_ACU.PNG") : QPixmap();
                if (!drawn.isNull())
                    Logo1->setPixmap(drawn.scaled(Logo1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
            }
            glLatitude->setText(q(FillTemplate(LangText("glLatitude", "Latitude: %s"), service_->GetLatitude())));
            glLongitude->setText(
                q(FillTemplate(LangText("glLongitude", "Longitude: %s"), service_->GetLongitude())));
            nPageControl->setTabVisible(2, service_->GetRadarIndex() != 0);
            TabHideShow();
            service_->SetAllowTemp(settings_.ReadBool("Options", "AllowTemp", false));
            LoadLanguage(service_->GetLanguage());
        }
        LoadImagery(service_ ? name : std::string());
    }
    LoadDisplaySettings();
}

void TWxForm::LoadDisplaySettings() {
    SelectRadarImage();
    // A missing [Wx] gets its defaults, which then apply like read ones.
    if (!settings_.SectionExists("Wx")) WriteWxDefaults(settings_);
    if (settings_.SectionExists("Wx")) {
        CurrentTimer->setInterval(settings_.ReadInteger("Wx", "ccInterval", 15) * 60000);
        ForecastTimer->setInterval(settings_.ReadInteger("Wx", "fcInterval", 60) * 60000);
        LoadAlertOptions();
        Scale->SetCaption(service_ && service_->GetScale() == 1 ? "Celsius" : "Fahrenheit");
    }
    if (settings_.SectionExists("Options")) {
        SetColor(std::uint32_t(settings_.ReadInteger("Options", "Color1", 0x800000)));
        SetColor1(std::uint32_t(settings_.ReadInteger("Options", "Color2", 0xF0CAA6)));
        SetColor2(std::uint32_t(settings_.ReadInteger("Options", "Color3", 0xC0DCC0)));
        cNotifySound = settings_.ReadBool("Options", "cNotifySound", true);
        fNotifySound = settings_.ReadBool("Options", "fNotifySound", false);
        ServiceIcons = settings_.ReadBool("Options", "ServiceIcons", false);
        LoadTrayOptions();
    } else {
        SetColor(0x800000);
        SetColor1(0xF0CAA6);
        SetColor2(0xC0DCC0);
    }
    display_ = ReadDisplaySettings(settings_);
}

void TWxForm::LoadAlertOptions() {
    if (!settings_.ReadBool("Wx", "AlAuto", true)) AlertTimer->stop();
    else if (!AlertTimer->isActive() && !constructing_ && !setupOpen_) AlertTimer->start();
    AlRestore = settings_.ReadBool("Wx", "AlRestore", false);
    AlSwitch = settings_.ReadBool("Wx", "AlSwitch", true);
    AlSound = settings_.ReadBool("Wx", "AlSound", false);
    AlSoundAny = settings_.ReadBool("Wx", "AlSoundAny", false);
    AlAnimate = settings_.ReadBool("Wx", "AlAnimate", false);
}

// ---------------------------------------------------------------- refreshes

void TWxForm::BusyStart() {
    WorkImage->Start();
    QCoreApplication::processEvents();
}

void TWxForm::BusyStop() {
    WorkImage->Stop();
    QCoreApplication::processEvents();
}

void TWxForm::Wait(int ms) {
    try {
        if (ms <= 0) {
            QCoreApplication::processEvents();
            return;
        }
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, int(ms - t.elapsed()));
            if (t.elapsed() < ms) QThread::msleep(std::min<qint64>(5, ms - t.elapsed()));
        }
    } catch (...) {
        // A failing handler must not end the wait's caller.
    }
}

void TWxForm::setConnected(bool on) {
    ConnectedGlyph = on ? 16 : 19;
    iConnected->setText("Internet");
    QPalette pal = iConnected->palette();
    pal.setColor(QPalette::WindowText, ToQColor(on ? kGreen : kRed));
    iConnected->setPalette(pal);
    QPixmap pm = Art::Glyph(ConnectedGlyph).scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    iConnected->setPixmap(QPixmap());
    // The glyph in front of the text.
    QPixmap both(92, 24);
    both.fill(Qt::transparent);
    QPainter p(&both);
    p.drawPixmap(0, 4, pm);
    p.setPen(ToQColor(on ? kGreen : kRed));
    p.setFont(uiFont(8, true));
    p.drawText(QRect(20, 0, 72, 24), Qt::AlignVCenter | Qt::AlignLeft, "Internet");
    p.end();
    iConnected->setPixmap(both);
}

bool TWxForm::UpdateConnectionIndicator() {
    if (!service_) return false;
    const bool on = service_->CheckConnection();
    setConnected(on);
    return on;
}

void TWxForm::RefreshCurrentView() {
    if (currentBusy_) return;
    currentBusy_ = true;
    struct TReset {
        bool &flag;
        ~TReset() { flag = false; }
    } reset{currentBusy_};
    BusyStart();
    if (service_ && UpdateConnectionIndicator()) service_->RefreshCurrent();
    if (Hooks.DailyUpdateCheck) Hooks.DailyUpdateCheck(false);
    BusyStop();
    currentBusy_ = false;
    runPendingSettingsRefresh();
}

void TWxForm::ArmForecastTimer(int offsetMinutes) {
    const TDateTime now = Clock::Now();
    const double dayPart = now - std::floor(now);
    const int minuteOfDay = int(std::floor(dayPart * 1440.0 + 1e-6));
    const int fc = settings_.ReadInteger("Wx", "fcInterval", 60);
    const bool active = ForecastTimer->isActive();
    ForecastTimer->setInterval(ForecastTimerInterval(minuteOfDay % 60, fc, offsetMinutes));
    if (active) ForecastTimer->start();
}

void TWxForm::RefreshForecastView() {
    if (forecastBusy_) return;
    forecastBusy_ = true;
    struct TReset {
        bool &flag;
        ~TReset() { flag = false; }
    } reset{forecastBusy_};
    if (!handedOver_) {
        handedOver_ = true;
        if (splash_) {
            QElapsedTimer guard;
            guard.start();
            while (splash_ && splash_->isVisible() && guard.elapsed() < 20000) Wait(20);
        }
        if (everActivated_ || isVisible()) {
            show();
        } else if (settings_.ReadBool("Options", "Minimize", false)) {
            MinimizeToTray();
        } else {
            show();
        }
        if (splash_) splash_->deleteLater();
        splash_ = nullptr;
        startupSplash() = nullptr;
    }
    if (!service_) return;
    BusyStart();
    ArmForecastTimer(15);
    QCoreApplication::processEvents();
    service_->RefreshForecast();
    if (ForecastStrip) ForecastStrip->KeepOpenInsetWide();
    BusyStop();
    forecastBusy_ = false;
    runPendingSettingsRefresh();
}

void TWxForm::RefreshAlertsView() {
    if (QCoreApplication::closingDown() || closing_ || alertsBusy_) return;
    alertsBusy_ = true;
    LoadAlertOptions();
    if (service_) {
        BusyStart();
        if (Hooks.UpdateSeenAlerts) Hooks.UpdateSeenAlerts();
        TAlerts *alerts = service_->Alerts();
        if (!alerts || Clock::Now() - alerts->LastUpdate > 2.0 / 1440.0) service_->RefreshAlerts();
        nPageControl->setTabVisible(1, service_ && service_->Alerts() != nullptr);
        BusyStop();
    } else {
        nPageControl->setTabVisible(1, false);
    }
    TabHideShow();
    alertsBusy_ = false;
    runPendingSettingsRefresh();
}

void TWxForm::RefreshImageryView() {
    if (imageryBusy_) return;
    imageryBusy_ = true;
    if (Hooks.RefreshImagery) Hooks.RefreshImagery();
    imageryBusy_ = false;
}

void TWxForm::RefreshActivePage() {
    firstRefreshDone_ = true;
    switch (pageIndex_) {
    case 2:
        RefreshImageryView();
        break;
    case 1:
        RefreshAlertsView();
        break;
    default:
        RefreshCurrentView();
        RefreshForecastView();
        RefreshAlertsView();
        break;
    }
}

void TWxForm::ServiceSettingsChanged() {
    if (setupOpen_) return;
    settings_.UpdateFile();
    // A service changes its settings while it reads a document (the
    // coordinates of the reply); refreshing from inside that read would
    // release the document under it. Run the refreshes once it is done.
    if (currentBusy_ || forecastBusy_ || alertsBusy_) {
        settingsRefreshPending_ = true;
        return;
    }
    RefreshCurrentView();
    RefreshForecastView();
}

void TWxForm::runPendingSettingsRefresh() {
    if (!settingsRefreshPending_ || currentBusy_ || forecastBusy_ || alertsBusy_) return;
    settingsRefreshPending_ = false;
    QTimer::singleShot(0, this, [this] {
        Guarded([this] {
            RefreshCurrentView();
            RefreshForecastView();
        });
    });
}

QPixmap ProgramIconPicture(TIconLibrary &lib, const std::string &iconName, const std::string &words) {
    TConditionLookup lookup;
    if (Data) {
        lookup = [](const std::string &base) -> std::string {
            try {
                TDataSet &set = Data->ConditionSet();
                if (set.Locate("Icon", TValue(base), true) || set.Locate("Alternate", TValue(base), true))
                    return set.AsString("UserIcon");
            } catch (const std::exception &) {
                // A broken table counts as closed.
            }
            return {};
        };
    }
    return lib.Resource(q(ProgramIconName(iconName, words, lookup)));
}

void TWxForm::ShowForecast() {
    if (Hooks.ShowForecast) {
        Hooks.ShowForecast();
    } else if (ForecastStrip && service_) {
        TForecastOptions o = TForecastOptions::WithColours(color_, color1_, color2_);
        o.ServiceIcons = ServiceIcons;
        o.NotifySound = fNotifySound;
        o.AlertRunning = Hooks.AlertNotifying && Hooks.AlertNotifying();
        o.BalloonAlpha = settings_.ReadInteger("Wx", "fbTransparency", 212);
        o.Lang = TLangView(&language_);
        o.ProgramIcon = ProgramIconPicture;
        const QString caption = ForecastStrip->ShowForecast(*service_, o);
        if (!caption.isEmpty()) glForecastTime->setText(caption);
        return;
    }
    if (pageIndex_ == 0) updateStatusForCurrent();
}

void TWxForm::ShowAlerts() {
    if (Hooks.ShowAlerts) Hooks.ShowAlerts();
}

// ---------------------------------------------------------------- progress

void TWxForm::ProgressBegin(TWorkMode mode, std::int64_t size) {
    BusyStart();
    if (mode != TWorkMode::Read || !isActiveWindow() || !(size > progressThreshold_ || size < 80)) return;
    if (!progress_) return;
    const std::string info = LangText("PROGRESS_INFO", "Retrieving information...");
    progress_->SetMessage(size <= 80 ? q(info) : q(info + " bytes:") + QString::number(size));
    progress_->SetMin(0);
    progress_->SetMax(int(std::max<std::int64_t>(0, std::min<std::int64_t>(size, INT32_MAX))));
    progress_->SetPosition(0);
    if (!progress_->isVisible() && isActiveWindow() && isVisible()) progress_->show();
}

void TWxForm::ProgressWork(TWorkMode mode, std::int64_t count) {
    BusyStart();
    if (mode == TWorkMode::Read && progress_ && progress_->isVisible())
        progress_->SetPosition(int(std::min<std::int64_t>(count, INT32_MAX)));
}

void TWxForm::ProgressEnd(TWorkMode mode) {
    if (mode == TWorkMode::Read && progress_) progress_->hide();
    BusyStop();
}

// ---------------------------------------------------------------- failures

void TWxForm::ReportConnectFailure(const std::string &caption, const std::string &detail) {
    if (hiddenInTray_ && settings_.ReadBool("Options", "Notify", true) && !setupOpen_) {
        if (Hooks.TrayPopUp)
            Hooks.TrayPopUp(std::string(DisplayName()) + "\n" + caption, "Could not connect to the Remote Server. ");
        return;
    }
    // The program's own dialog shows the download picture; elsewhere (tests)
    // the installed handler answers as for any message.
    const QPixmap picture = Art::ProgramPicture("DOWNLOAD02.PNG");
    TMsgHandler previous;
    if (UseDialogPictures()) previous = SetMsgHandler([this, &picture](const TMsgRequest &r) {
        TMsgAnswer a;
        a.Result = ShowMsgDialog(this, r.Message, r.Detail, nullptr, picture, r.Button2, r.Button1, r.Caption);
        return a;
    });
    struct TRestore {
        TMsgHandler &h;
        ~TRestore() {
            if (UseDialogPictures()) SetMsgHandler(h);
        }
    } restore{previous};
    TMsgRequest r;
    r.Message = "Could not connect to the Remote Server. ";
    r.Detail = " It's Possible the Server may be temporarily out of service. Make sure you have a valid Network "
               "connection.";
    r.Button2 = "Details";
    r.Button1 = "&Ok";
    r.Caption = caption;
    if (RequestMessage(r).Result != 2) return;
    TMsgRequest d;
    d.Message = ConnectFailureDetailText(detail);
    d.Button2 = "btnHidden";
    d.Caption = caption;
    RequestMessage(d);
}

void TWxForm::ShowApplicationError(const std::string &text) {
    TMsgRequest r;
    r.Message = text;
    r.Icon = miCaution;
    r.Button2 = "btnHidden";
    r.Caption = DisplayName();
    RequestMessage(r);
}

void TWxForm::Guarded(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const std::exception &e) {
        ShowApplicationError(e.what());
    } catch (...) {
        ShowApplicationError("Unknown error.");
    }
}

// ---------------------------------------------------------------- current conditions

void TWxForm::showConditionPicture() {
    CurrentPic->clear();
    TWxPicture *pic = service_->GetConditionsPicture();
    auto showProgramIcon = [this](const std::string &file, const std::string &words) {
        TIconLibrary library;
        if (library.Load()) {
            const QPixmap pm = ProgramIconPicture(library, file, words);
            if (!pm.isNull())
                CurrentPic->setPixmap(pm.scaled(CurrentPic->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
        library.Free();
    };
    if (ServiceIcons && pic) {
        if (pic->HasImage()) {
            CurrentPic->setPixmap(QPixmap(q(pic->FileName)).scaled(CurrentPic->size(), Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation));
        } else if (!service_->IconBase.empty()) {
            TWxPicture loaded;
            if (service_->LoadPicture(service_->IconBase, service_->IconName, loaded) && loaded.HasImage())
                CurrentPic->setPixmap(QPixmap(q(loaded.FileName))
                                          .scaled(CurrentPic->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    } else if (pic) {
        TForecasts &fc = service_->Forecasts();
        const std::string words = fc.Count() > 0 ? fc.Items(0)->Detail : service_->GetConditions();
        showProgramIcon(service_->IconName, words);
    } else {
        showProgramIcon("54.png", service_->GetConditions());
    }
    if (pic) pic->FileName.clear();
}

void TWxForm::showTemperature(int t, int f) {
    glTemperature->SetCaption(QString::number(t) + QStringLiteral("°"));
    Temperature->SetValue(t);
    Temperature->SetAlpha(t);
    Temperature->SetBeta(f);
    const std::string prefix = language_.empty() ? "Feels Like " : LangValue("glHeatIndex") + " ";
    glHeatIndex->SetCaption(q(prefix) + QString::number(FeelsLikeMean(t, f)) + QStringLiteral("°"));
}

void TWxForm::showWind(int d, const std::string &s, const std::string &g) {
    const char *unit = service_->GetSpeedUnit() == 1 ? " kph" : " mph";
    Compass->SetDegree(d);
    glWindSpeed->SetCaption(q(s + unit));
    const bool gusting = g != "0";
    WindGustLabel->SetCaption(q(GustCaption(LangValue("WindGustLabel"), gusting)));
    glWindGust->SetCaption(gusting ? q(g + unit) : QString());
}

void TWxForm::showHumidity(int h, const std::string &w, const std::string &b) {
    HumidityGauge->SetValue(h);
    HumidityGauge->SetAlpha(h);
    glHumidity->SetCaption(QString::number(h) + "%");
    glDewPoint->SetCaption(q(DewPointText(w)));
    const double p = ParseBarometer(s8(glBarometer->Caption()));
    const double n = ParseBarometer(b);
    setPressureGlyph(BarometerTrend(p, n, b));
    glBarometer->SetCaption(q(BarometerText(n)));
    iPressure->move(glBarometer->geometry().right() + 5, iPressure->y());
    glPrecipAmount->SetCaption(q(service_->GetPrecipitation()));
}

void TWxForm::setPressureGlyph(int glyph) {
    PressureGlyph = glyph;
    iPressure->setPixmap(Art::Glyph(glyph));
}

void TWxForm::setMoonPicture(int index) {
    MoonPicture = index;
    iMoon->setPixmap(Art::Moon(index));
}

void TWxForm::showMoon() {
    const std::string text = service_->GetMoonPhase();
    if (text.empty()) return;
    const int row = MoonPhaseRow(text);
    if (row < 0) {
        glMoonPhase->SetCaption(q(text));
        return;
    }
    setMoonPicture(row);
    glMoonPhase->SetCaption(q(language_.empty() ? std::string(MoonPhaseBuiltIn(row)) : LangValue(MoonPhaseKey(row))));
}

void TWxForm::ShowCurrentConditions() {
    if (!service_) return;
    TCustomWxService &svc = *service_;
    // 1. header
    glLatitude->setText(q(FillTemplate(LangText("glLatitude", "Latitude: %s"), svc.GetLatitude())));
    glLongitude->setText(q(FillTemplate(LangText("glLongitude", "Longitude: %s"), svc.GetLongitude())));
    setServiceCaption();
    setFittedText(glLocation, q(FillTemplate(LangText("glLocation", "For %s"), svc.GetLocationCaption())), 9);
    // 2. picture
    showConditionPicture();
    // 3.-5.
    showTemperature(svc.GetTemperature(), svc.GetFeelsLike());
    if (Hooks.DrawTrayIcon) Hooks.DrawTrayIcon();
    if (cNotifySound && !(Hooks.AlertNotifying && Hooks.AlertNotifying()))
        PlaySoundFile(NativePath(DataPath() + "Sound\\Connect.wav"));
    // 6.-8.
    showWind(svc.GetWindDirection(), svc.GetWindSpeed(), svc.GetWindGust());
    showHumidity(svc.GetHumidity(), svc.GetDewPoint(), svc.GetPressure());
    glWeather->SetCaption(q(svc.GetConditions()));
    glWind->SetCaption(q(svc.GetWindText()));
    // 9.-10.
    const std::string prefix = language_.empty() ? "Visibility: " : LangValue("glVisibility") + ": ";
    glVisibility->SetCaption(q(prefix + svc.GetVisibility() + (svc.GetSpeedUnit() == 1 ? " km." : " mi.")));
    glSunRise->SetCaption(q(svc.GetSunrise()));
    glSunDown->SetCaption(q(svc.GetSunset()));
    // 11.-13.
    showMoon();
    glCurrentTime->setText(nPageControl->tabText(0) + ": " + q(svc.GetObservationTime()));
    iBtnHistory->setEnabled(!svc.GetHistoryURL().empty());
}

void TWxForm::ScaleClick() {
    if (!service_) return;
    if (service_->GetScale() == 1) {
        service_->SetScale(0);
        Scale->SetCaption("Fahrenheit");
    } else {
        service_->SetScale(1);
        Scale->SetCaption("Celsius");
    }
    RefreshCurrentView();
}

void TWxForm::WindSpeedClick() {
    if (!service_) return;
    service_->SetSpeedUnit(service_->GetSpeedUnit() == 1 ? 0 : 1);
    Scale->SetCaption(service_->GetScale() == 1 ? "Celsius" : "Fahrenheit");
    RefreshCurrentView();
}

// ---------------------------------------------------------------- pages and links

void TWxForm::updateStatusForCurrent() {
    if (!service_) return;
    glCurrentTime->setText(nPageControl->tabText(0) + ": " + q(service_->GetObservationTime()));
    const std::string fcTime = service_->GetForecastTime();
    if (fcTime.empty()) return;
    // "2026-12-11T13:00:00-05:00": the local time of that instant.
    const QDateTime dt = QDateTime::fromString(q(fcTime), Qt::ISODate);
    if (!dt.isValid()) return;
    const std::string local = s8(dt.toLocalTime().toString("M/d/yyyy h:mm AP"));
    std::string text = FillTemplate(LangValue("glForecastTime"), local);
    if (LangValue("glForecastTime").empty()) text = "Forecast for " + local;
    glForecastTime->setText(q(text));
}

void TWxForm::nPageControlChange(int index) {
    pageIndex_ = index;
    switch (index) {
    case 0:
        if (Hooks.StopImageryAnimation) Hooks.StopImageryAnimation();
        glForecastTime->show();
        glTitle->setText(q(LangText("glTitle", "Current Conditions")));
        updateStatusForCurrent();
        break;
    case 1:
        if (Hooks.StopImageryAnimation) Hooks.StopImageryAnimation();
        if (service_ && service_->Alerts()) {
            glForecastTime->hide();
            const std::string title = LangText("nAdvisories", "Advisories");
            glTitle->setText(q(title));
            Wait(1);
            RefreshAlertsView();
            if (service_ && service_->Alerts())
                glCurrentTime->setText(
                    q(title + ": " + FormatDateTime("mmmmm dd, h:nn AM/PM ", service_->Alerts()->LastUpdate)));
        } else {
            nPageControl->setTabVisible(1, false);
        }
        break;
    case 2:
        glForecastTime->hide();
        glTitle->setText(q(LangText("ImageryTab", "Imagery")));
        RefreshImageryView();
        break;
    default:
        break;
    }
}

void TWxForm::nPageControlChanging(int leaving) {
    if (leaving == 2) setServiceCaption();
}

int TWxForm::OpenLink(const std::string &target) {
    if (QCoreApplication::closingDown() || closing_ || !LinkTargetOpenable(target)) return 2;
    return ShellOpen(target) ? 42 : 0;
}

std::string TWxForm::imageryPage() const { return Hooks.ImagerySourcePage ? Hooks.ImagerySourcePage() : ""; }

void TWxForm::ServiceOpenURL() {
    std::string target;
    switch (pageIndex_) {
    case 0:
        if (service_) target = service_->GetWebPageURL();
        break;
    case 1:
        target = Hooks.AdvisoryLink ? Hooks.AdvisoryLink() : "";
        break;
    case 2:
        target = imageryPage();
        break;
    default:
        target = settings_.ReadString(startup_.ActiveSection, "httpBase", "");
        break;
    }
    if (!target.empty()) OpenLink(target);
}

void TWxForm::ShowHistory() {
    if (!service_) return;
    const std::string url = service_->GetHistoryURL();
    if (url.empty()) return;
    QDialog dlg(this);
    dlg.setWindowTitle(DisplayName());
    dlg.resize(700, 500);
    auto *lay = new QVBoxLayout(&dlg);
    lay->setContentsMargins(0, 0, 0, 0);
    auto *browser = new QTextBrowser(&dlg);
    browser->setOpenExternalLinks(false);
    lay->addWidget(browser);
    browser->setPlainText("Retrieving information...");
    dlg.show();
    std::string body;
    THttpOptions opt;
    const THttpResult res = HttpGet(url, body, opt);
    if (res.Delivered()) browser->setHtml(q(body));
    else browser->setPlainText("Could not connect to the Remote Server. ");
    dlg.exec();
}

// ---------------------------------------------------------------- events

void TWxForm::ShowAboutWindow() {
    TSplashScreen *about = qobject_cast<TSplashScreen *>(splash_.data());
    const bool startup = about != nullptr;
    ShowAbout(about, this, [] {});
    if (startup) splash_ = nullptr;
}

bool TWxForm::event(QEvent *e) {
    if (e->type() == QEvent::WindowActivate) everActivated_ = true;
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F1) {
        Guarded([this] { ShowAboutWindow(); });
        return true;
    }
    return QMainWindow::event(e);
}

bool TWxForm::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() != QEvent::MouseButtonRelease) return QMainWindow::eventFilter(watched, e);
    auto *me = static_cast<QMouseEvent *>(e);
    if (me->button() != Qt::LeftButton) return false;
    Guarded([&] {
        if (watched == Scale) ScaleClick();
        else if (watched == glWindSpeed) WindSpeedClick();
        else if (watched == glForecast) RefreshForecastView();
        else if (watched == glLocation) ShowSetup(0);
        else if (watched == iBtnSetup) ShowSetup(1);
        else if (watched == glService || watched == Logo1) ServiceOpenURL();
        else if (watched == iBtnHistory) ShowHistory();
        else if (watched == iBtnPrint) PrintClick();
        else if (watched == OrvLogo) OpenLink(DefaultUpdateUrl());
        else if (watched == iBtnHelp) ShowAboutWindow();
        else RefreshCurrentView();
    });
    return false;
}

// ---------------------------------------------------------------- closing and tray

bool TWxForm::CloseQuery() {
    if (!closing_ && !hiddenInTray_ && isVisible()) {
        TMsgRequest r;
        r.Message = "While minimized, this program uses few System resources.";
        r.Detail = "It will still provide Condition and Alert Information. Would you like to minimize it?";
        r.Icon = miQuestion;
        r.Button1 = "Yes";
        r.Button2 = "No";
        r.Caption = std::string(DisplayName()) + " Interface";
        TMsgDialogSettings &s = MsgDialogSettings();
        s.AutoCloseInterval = 8000;
        const TMsgAnswer a = RequestMessage(r);
        s.AutoCloseInterval = 30000;
        if (a.Result == 2) {
            closing_ = true;
            show();
        } else {
            MinimizeToTray();
        }
    }
    return closing_;
}

void TWxForm::closeEvent(QCloseEvent *event) {
    if (CloseQuery()) {
        StopImageryAnimation();
        event->accept();
    }
    else event->ignore();
}

void TWxForm::ExitClick() {
    closing_ = true;
    QApplication::quit();
}

void TWxForm::MinimizeToTray() {
    // Without a notification area a hidden window could not be brought back.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
        return;
    }
    hiddenInTray_ = true;
    hide();
}

void TWxForm::RestoreFromTray() {
    hiddenInTray_ = false;
    showNormal();
    raise();
    activateWindow();
}
