#include "mainwindow/Unit01.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Startup.h"
#include "dialogs/MsgHook.h"
#include "dialogs/MsgUnit.h"
#include "platform/FormatSettings.h"
#include "platform/Instance.h"
#include "platform/Paths.h"
#include "service/Servers.h"

namespace {
QString q(const std::string &s) { return QString::fromStdString(s); }

QColor fromBgr(std::uint32_t c, const QColor &fallback) {
    if ((c >> 24) != 0) return fallback;  // system and default colours
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
}  // namespace

TImageSetLookup &TWxForm::ImageSetLookup() {
    static TImageSetLookup lookup;
    return lookup;
}

TWxForm::TWxForm(QWidget *parent) : QMainWindow(parent) {
    setObjectName("WxForm");
    setWindowTitle(DisplayName());
    resize(621, 490);
    buildLayout();

    settings_.SetFileName(ProfilePath() + SettingsFileName());
    settings_.Reload();
    LoadServerOverrides(settings_);
    startup_ = RunSettingsStartup(settings_, TFormatSettings::Global().LocaleId);
    LoadService();
    ConvertRadarSetting(settings_, startup_.ActiveSection, startup_.ServiceNumber, ImageSetLookup());
    EnsureWxDefaults(settings_);
    display_ = ReadDisplaySettings(settings_);
    applyHeader();

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
    for (QTimer *t : {CurrentTimer, AlertTimer, ForecastTimer}) {
        t->disconnect();
        t->stop();
    }
    if (markerNotifier_) markerNotifier_->setEnabled(false);
    marker_.reset();
    settings_.UpdateFile();
    EmptyCaches(ProgramPath(), ProfilePath());
}

std::string TWxForm::ProgramPath() const { return ::ProgramPath(); }
std::string TWxForm::ProfilePath() const { return ::ProfilePath(); }

void TWxForm::buildLayout() {
    auto *central = new QWidget(this);
    auto *root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    nHeader = new QWidget(central);
    nHeader->setObjectName("nHeader");
    nHeader->setAutoFillBackground(true);
    nHeader->setFixedHeight(64);
    auto *header = new QHBoxLayout(nHeader);
    auto *left = new QVBoxLayout;
    glTitle = new QLabel(DisplayName(), nHeader);
    glTitle->setObjectName("glTitle");
    QFont tf = glTitle->font();
    tf.setPointSize(16);
    tf.setBold(true);
    glTitle->setFont(tf);
    glService = new QLabel(nHeader);
    glService->setObjectName("glService");
    left->addWidget(glTitle);
    left->addWidget(glService);
    auto *right = new QVBoxLayout;
    glLocation = new QLabel(nHeader);
    glLocation->setObjectName("glLocation");
    glLatitude = new QLabel(nHeader);
    glLatitude->setObjectName("glLatitude");
    glLongitude = new QLabel(nHeader);
    glLongitude->setObjectName("glLongitude");
    auto *coords = new QHBoxLayout;
    coords->addWidget(glLatitude);
    coords->addWidget(glLongitude);
    right->addWidget(glLocation, 0, Qt::AlignRight);
    right->addLayout(coords);
    header->addLayout(left, 1);
    header->addLayout(right);
    for (QLabel *l : {glTitle, glService, glLocation, glLatitude, glLongitude}) l->setTextFormat(Qt::PlainText);
    root->addWidget(nHeader);

    nPageControl = new QTabWidget(central);
    nPageControl->setObjectName("nPageControl");
    nPageControl->setTabPosition(QTabWidget::East);
    CurrentTab = new QWidget;
    CurrentTab->setObjectName("CurrentTab");
    AdvisoryTab = new QWidget;
    AdvisoryTab->setObjectName("AdvisoryTab");
    ImageryTab = new QWidget;
    ImageryTab->setObjectName("ImageryTab");
    nPageControl->addTab(CurrentTab, "Current");
    nPageControl->addTab(AdvisoryTab, "Advisory");
    nPageControl->addTab(ImageryTab, "Imagery");
    connect(nPageControl, &QTabWidget::currentChanged, this, &TWxForm::nPageControlChange);
    root->addWidget(nPageControl, 1);

    nUtility = new QWidget(central);
    nUtility->setObjectName("nUtility");
    nUtility->setFixedHeight(28);
    auto *utility = new QHBoxLayout(nUtility);
    utility->setContentsMargins(4, 2, 4, 2);
    utility->addStretch();
    root->addWidget(nUtility);
    setCentralWidget(central);

    nStatus = new QWidget(this);
    nStatus->setObjectName("nStatus");
    auto *status = new QHBoxLayout(nStatus);
    status->setContentsMargins(4, 0, 4, 0);
    glCurrentTime = new QLabel(nStatus);
    glCurrentTime->setObjectName("glCurrentTime");
    glForecastTime = new QLabel(nStatus);
    glForecastTime->setObjectName("glForecastTime");
    iConnected = new QLabel(nStatus);
    iConnected->setObjectName("iConnected");
    iConnected->setFixedSize(14, 14);
    iConnected->setStyleSheet("background: gray; border-radius: 7px;");
    status->addWidget(glCurrentTime, 1);
    status->addWidget(glForecastTime, 1);
    status->addWidget(iConnected);
    statusBar()->addWidget(nStatus, 1);
    statusBar()->setSizeGripEnabled(false);

    CurrentTimer = new QTimer(this);
    CurrentTimer->setObjectName("CurrentTimer");
    AlertTimer = new QTimer(this);
    AlertTimer->setObjectName("AlertTimer");
    ForecastTimer = new QTimer(this);
    ForecastTimer->setObjectName("ForecastTimer");
}

void TWxForm::applyHeader() {
    QPalette pal = nHeader->palette();
    pal.setColor(QPalette::Window, fromBgr(display_.Color1, QColor(0, 0, 0x80)));
    pal.setColor(QPalette::WindowText, Qt::white);
    nHeader->setPalette(pal);
    const std::string name = settings_.ReadString("Services", startup_.ActiveSection, "");
    glService->setText(QString("From %1").arg(q(name)));
    glLocation->setText(q(settings_.ReadString(startup_.ActiveSection, "CityName", "")));
    glLatitude->setText(q(settings_.ReadString(startup_.ActiveSection, "Latitude", "")));
    glLongitude->setText(q(settings_.ReadString(startup_.ActiveSection, "Longitude", "")));
    ImageryTab->setEnabled(settings_.ReadInteger(startup_.ActiveSection, "Radar", 0) != 0);
}

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
    if (CloseQuery()) event->accept();
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

void TWxForm::LoadService() {}
void TWxForm::RefreshCurrentView() {}
void TWxForm::RefreshForecastView() {}
void TWxForm::RefreshAlertsView() {}
void TWxForm::RefreshImageryView() {}
void TWxForm::nPageControlChange(int) {}
