// The main window's Advisory page, new-alert notification and tray icon.
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/GrphCtrls.h"
#include "mainwindow/AdvisoryView.h"
#include "mainwindow/AlertNotify.h"
#include "mainwindow/ImageryView.h"
#include "mainwindow/Tray.h"
#include "mainwindow/TrayRules.h"
#include "mainwindow/Unit01.h"
#include "platform/Clock.h"
#include "service/WxService.h"

namespace {

std::string s8(const QString &s) { return s.toStdString(); }

void fillBody(QWidget *container, QWidget *body) {
    auto *lay = new QVBoxLayout(container);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(body);
}

}  // namespace

void TWxForm::BuildAlertsTrayImagery() {
    AdvisoryView = new TAdvisoryView(nAdvisory);
    AdvisoryView->setObjectName("AdvisoryView");
    fillBody(nAdvisory, AdvisoryView);
    AdvisoryView->CurrentService = [this] { return service_.get(); };
    AdvisoryView->IsPageActive = [this] { return pageIndex_ == 1; };
    AdvisoryView->OnCurrentTime = [this](const QString &t) { glCurrentTime->setText(t); };
    AdvisoryView->OpenLink = [this](const std::string &target) { return OpenLink(target); };
    connect(AdvisoryView, &TAdvisoryView::PagePressed, this,
            [this] { Guarded([this] { DoDurationTimer(TAlertNotification::ecMousePress); }); });
    connect(DurationTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { DoDurationTimer(TAlertNotification::ecTimer); }); });

    Tray = new TTray(this);
    Tray->IsHidden = [this] { return hiddenInTray_; };
    Tray->IsClosing = [this] { return closing_; };
    Tray->LoadPopUpColours = [this] { return ReadPopUpColours(settings_); };
    Tray->Summary = [this] {
        TTraySummary s;
        TTraySummaryFields &f = s.Fields;
        f.TabCaption = s8(nPageControl->tabText(0));
        f.Weather = s8(glWeather->Caption());
        f.HeatIndex = s8(glHeatIndex->Caption());
        f.HumidityLabel = LangText("HumidityLabel", "Humidity");
        f.Humidity = s8(glHumidity->Caption());
        f.BarometerLabel = LangText("BarometerLabel", "Barometer");
        f.Barometer = s8(glBarometer->Caption());
        f.SunRiseLabel = LangText("SunRiseLabel", "Sunrise");
        f.SunRise = s8(glSunRise->Caption());
        f.SunsetLabel = LangText("SunsetLabel", "Sunset");
        f.SunDown = s8(glSunDown->Caption());
        f.Wind = s8(glWind->Caption());
        f.ForecastFor = LangText("ForecastFor", "Forecast for ");
        f.Location = service_ ? service_->GetLocationCaption() : std::string();
        s.Temperature = s8(glTemperature->Caption());
        s.ScaleCaption = s8(Scale->Caption());
        if (!CurrentPic->pixmap().isNull()) s.ConditionPicture = CurrentPic->pixmap();
        return s;
    };
    connect(Tray, &TTray::MinimizeClicked, this, [this] { Guarded([this] { MinimizeToTray(); }); });
    connect(Tray, &TTray::RestoreClicked, this, [this] { Guarded([this] { RestoreFromTray(); }); });
    connect(Tray, &TTray::RestoreRequested, this, [this] { Guarded([this] { RestoreFromTray(); }); });
    connect(Tray, &TTray::AboutClicked, this, [this] { Guarded([this] { ShowAboutWindow(); }); });
    connect(Tray, &TTray::PreferencesClicked, this, [this] { Guarded([this] { ShowSetup(1); }); });
    connect(Tray, &TTray::ExitClicked, this, [this] { Guarded([this] { ExitClick(); }); });

    ImageryView = new TImageryView(nImagery);
    ImageryView->setObjectName("ImageryView");
    fillBody(nImagery, ImageryView);
    ImageryView->OnTabVisible = [this](bool visible) {
        nPageControl->setTabVisible(2, visible);
        TabHideShow();
    };
    ImageryView->OnCurrentTime = [this](const QString &t) { glCurrentTime->setText(t); };
    BuildImageryOptions();

    // Hooks a caller set before the window was made stay as they are.
    TWxFormHooks &h = Hooks;
    if (!h.ShowAlerts)
        h.ShowAlerts = [this] {
            AdvisoryView->ShowAlerts(service_.get());
            NotifyAlerts();
        };
    if (!h.UpdateSeenAlerts)
        h.UpdateSeenAlerts = [this] {
            if (!service_) return;
            SeenAlerts.Upkeep(ListedAlerts(service_->Alerts(), AdvisoryView->ListedItems()), service_->GetCityName(),
                              Clock::Now());
        };
    if (!h.AdvisoryLink)
        h.AdvisoryLink = [this] {
            const QString link = AdvisoryView->glAlertLink->text();
            return link == QLatin1String(kNoAdvisoryLink) ? std::string() : s8(link);
        };
    if (!h.AlertNotifying) h.AlertNotifying = [this] { return AlertNotification.Running(); };
    if (!h.DrawTrayIcon) h.DrawTrayIcon = [this] { DrawTrayIcon(); };
    if (!h.TrayPopUp)
        h.TrayPopUp = [this](const std::string &header, const std::string &) {
            // The header is the display name, a line break and the caption.
            const size_t nl = header.find('\n');
            const std::string caption = nl == std::string::npos ? header : header.substr(nl + 1);
            return Tray->ConnectFailurePopUp(QString::fromStdString(caption), false);
        };
    if (!h.RefreshImagery) h.RefreshImagery = [this] { ImageryView->RefreshImageryView(); };
    if (!h.StopImageryAnimation) h.StopImageryAnimation = [this] { StopImageryAnimation(); };
    if (!h.ImagerySourcePage) h.ImagerySourcePage = [this] { return ImagerySourcePage(); };
}

void TWxForm::LoadTrayOptions() {
    if (!Tray) return;
    Tray->SetActive(settings_.ReadBool("Options", "Tray", true));
    Tray->SetNotify(settings_.ReadBool("Options", "Notify", true));
    Tray->SetPopUpColours(ReadPopUpColours(settings_));
}

void TWxForm::DrawTrayIcon() {
    if (!Tray || !glTemperature) return;
    QFont font = glTemperature->font();
    font.setBold(true);
    Tray->UpdateTemperatureIcon(glTemperature->Caption(), service_.get(), color_, font);
}

void TWxForm::NotifyAlerts() {
    if (!AdvisoryView || closing_) return;
    const std::vector<int> listed = AdvisoryView->ListedItems();
    if (listed.empty() || AlertNotification.Running()) return;
    const TAlertOptions options = ReadAlertOptions(settings_);
    const bool newAlert = NewAlertFound(service_.get(), listed, SeenAlerts);
    QPoint pos;
    const bool known = Tray && Tray->TrayPosition(pos);
    const TNotifyPlan plan =
        AlertNotification.Notify(false, newAlert, hiddenInTray_, known, pageIndex_, options);
    if (plan.RestoreWindow) RestoreFromTray();
    // Without a known icon position the desktop notification still tells.
    if (Tray && newAlert && hiddenInTray_ && !plan.RestoreWindow && options.Notify)
        Tray->AlertNotice(nPageControl->tabText(1), AdvisoryHeadline(AdvisoryView->CurrentHeadline()));
    if (plan.StartDuration) DurationTimer->start(TAlertNotification::DurationMs);
    if (plan.SwitchToAdvisory && pageIndex_ != 1) {
        if (!nPageControl->isTabVisible(1)) nPageControl->setTabVisible(1, true);
        nPageControl->setCurrentIndex(1);
    }
    if (plan.PlaySound) {
        PlayAlertSound(AlertSoundFor(options.AlSoundFile, ProgramPath()));
        Wait(200);
    }
    if (plan.Animate && Tray) Tray->StartAnimation();
}

void TWxForm::DoDurationTimer(TAlertNotification::TEndCause cause) {
    DurationTimer->stop();
    const TEndPlan end = AlertNotification.End(cause, ReadAlertOptions(settings_));
    if (!end.Ended) return;
    if (end.SwitchBack && end.Page >= 0 && end.Page < nPageControl->count() && end.Page != pageIndex_)
        nPageControl->setCurrentIndex(end.Page);
    if (end.StopAnimation && Tray) {
        DrawTrayIcon();
        Tray->StopAnimation();
    }
}
