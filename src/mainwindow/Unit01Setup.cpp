// The main window's setup dialog, language packs, update check and Print button.
#include "mainwindow/Unit01.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QList>
#include <QTimer>

#include "controls/GrphCtrls.h"
#include "controls/Lists.h"
#include "dialogs/Splash.h"
#include "lang/LangApply.h"
#include "lang/LangTable.h"
#include "lang/ResourceMap.h"
#include "mainwindow/AdvisoryView.h"
#include "mainwindow/IconLibrary.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/UpdateCheck.h"
#include "platform/Clock.h"
#include "service/DataMod.h"
#include "setup/SetupRun.h"
#include "setup/WxSetup.h"

namespace {
constexpr int kNormalThreshold = 430080;
constexpr int kDialogThreshold = 48000;

const QList<QIcon> &FormGlyphs() {
    static const QList<QIcon> glyphs = [] {
        QList<QIcon> list;
        for (int i = 0; i < Art::GlyphCount; ++i) list.append(QIcon(Art::Glyph(i)));
        return list;
    }();
    return glyphs;
}

QString q(const std::string &s) { return QString::fromStdString(s); }
}  // namespace

void TWxForm::InstallSetupHooks() {
    if (!UpdateChecker) {
        TUpdateHost host;
        host.Settings = &settings_;
        host.Closing = [this] { return closing_; };
        host.ConnectionTest = [this] { return UpdateConnectionIndicator(); };
        host.Location = [this] { return service_ ? service_->GetLocation() : std::string(); };
        host.Language = [this] { return iLanguage ? iLanguage->Caption().toStdString() : std::string("ENU"); };
        host.Splash = [this] { return qobject_cast<TSplashScreen *>(splash_.data()); };
        host.OpenLink = [this](const std::string &target) { return OpenLink(target); };
        host.CloseProgram = [this] {
            closing_ = true;
            close();
        };
        host.Owner = this;
        UpdateChecker = std::make_shared<TUpdateCheck>(std::move(host));
    }
    if (!Hooks.DailyUpdateCheck)
        Hooks.DailyUpdateCheck = [this](bool) {
            if (UpdateChecker) UpdateChecker->DailyUpdateCheck();
        };
    if (!Hooks.LoadLanguageData)
        Hooks.LoadLanguageData = [this](const std::string &code, std::vector<std::string> &table) {
            return LoadLanguageFiles(code, table);
        };
    if (!Hooks.RunSetup) Hooks.RunSetup = [this](int page) { return RunSetupFromForm(page); };
    if (iBtnPrint) iBtnPrint->installEventFilter(this);
}

// ---------------------------------------------------------------- setup

void TWxForm::ShowSetup(int page) {
    if (closing_ || setupOpen_ || !Hooks.RunSetup) return;
    try {
        Hooks.RunSetup(page);
    } catch (const std::exception &e) {
        ShowApplicationError(e.what());
    }
}

bool TWxForm::RunSetupFromForm(int page) {
    TSetupHost host;
    host.Parent = this;
    host.Settings = &settings_;
    host.Data = Data;
    host.Service = [this] { return service_.get(); };
    host.Glyphs = &FormGlyphs();
    host.TemperatureText = glTemperature ? glTemperature->Caption() : QString();
    host.Closing = closing_;
    host.SplashUp = [this] { return startup_.FirstStart && !splash_.isNull(); };
    host.SetupOpen = [this](bool open) {
        setupOpen_ = open;
        if (open) {
            CurrentTimer->stop();
            AlertTimer->stop();
            progressThreshold_ = kDialogThreshold;
        } else {
            progressThreshold_ = kNormalThreshold;
            // After Cancel too: the refreshes would otherwise stop for good.
            if (!closing_)
                for (QTimer *t : {CurrentTimer, ForecastTimer, AlertTimer}) t->start();
        }
    };
    host.ApplyLanguage = [this](TWxSetupDlg &dlg) {
        SetupDialog = &dlg;
        if (service_ && !language_.empty())
            ApplyLanguageToForm(ResourceMap(), LanguageBasePath(), service_->GetLanguage(), &dlg);
    };
    host.HideSplash = [this] {
        if (splash_) splash_->hide();
    };
    host.ShowSplashAgain = [this] {
        if (splash_) splash_->show();
    };
    host.EndProgram = [this] {
        closing_ = true;
        close();
    };
    host.Color = color_;
    host.Color1 = color1_;
    host.Color2 = color2_;
    host.ApplyColours = [this](TColor c, TColor c1, TColor c2) {
        SetColor(c);
        SetColor1(c1);
        SetColor2(c2);
    };
    host.FlushSettings = [this] { settings_.UpdateFile(); };
    host.MarkUpdateCheckDue = [this] {
        if (UpdateChecker) UpdateChecker->LastCheck = Clock::Now() - 1;
    };
    host.LoadService = [this] { LoadService(); };
    host.RefreshCurrent = [this] { RefreshCurrentView(); };
    host.RefreshForecast = [this] { RefreshForecastView(); };
    host.RefreshAlerts = [this] { RefreshAlertsView(); };
    host.RefreshImagery = [this] { RefreshImageryView(); };
    host.ApplyImageFilter = [this] { RefreshImageryView(); };
    host.LoadDisplaySettings = [this] { LoadDisplaySettings(); };
    host.RedrawTray = [this] {
        if (Hooks.DrawTrayIcon) Hooks.DrawTrayIcon();
    };
    host.InsetCheck = [this] { RefreshActivePage(); };
    host.RunUpdateCheck = [this] {
        if (UpdateChecker) UpdateChecker->UpdateNow();
    };
    const int result = RunSetupDialog(host, page, SetupExec ? SetupExec : DefaultSetupExec());
    SetupDialog = nullptr;
    return result == QDialog::Accepted;
}

// ---------------------------------------------------------------- language

bool TWxForm::LoadLanguageFiles(const std::string &code, std::vector<std::string> &table) {
    if (Data) {
        std::vector<TResourceEntry> rows;
        for (const TResourceRow &r : ResourceMap()) rows.push_back({r.Name, r.ID});
        Data->LoadResourceRows(rows);
    }
    TLanguageTable &shared = ::LanguageTable();
    if (!ApplyLanguage(shared, &settings_, code, SetupDialog.data(), this, LanguageBasePath())) return false;
    table = shared.Lines();
    return true;
}

void TWxForm::ShowLanguageIndicator(const std::string &code) {
    iLanguage->SetCaption(q(code));
    const TLanguageFlag flag = LoadLanguageFlag(LanguageBasePath(), code);
    if (!flag.Valid) return;
    if (!flag.DisplayName.isEmpty()) iLanguage->setToolTip(flag.DisplayName);
}

// ---------------------------------------------------------------- print

TPrintRequest TWxForm::PrintRequest() const {
    TPrintRequest r;
    switch (pageIndex_) {
    case 1: r.Page = TPrintPage::Advisory; break;
    case 2: r.Page = TPrintPage::Imagery; break;
    default: r.Page = TPrintPage::Current; break;
    }
    r.AdvisoryCaption = nPageControl->tabText(1);
    r.ImageryCaption = nPageControl->tabText(2);
    r.TitleText = q(LangText("glTitle", "Current Conditions"));
    r.ForecastText = glForecast ? glForecast->Caption() : QString();
    if (auto *view = findChild<TAdvisoryView *>()) {
        r.HasAlerts = view->clbAdvisories && view->clbAdvisories->count() > 0;
        r.AlertTitle = view->CurrentHeadline();
        r.Effective = view->glEffective ? view->glEffective->text() : QString();
        r.Expires = view->glExpires ? view->glExpires->text() : QString();
        r.Description = view->mAdvisory ? view->mAdvisory->toPlainText() : QString();
    }
    r.Translate = [this](const QString &english) {
        const std::string t = ::LanguageTable().TextOr(english.toStdString(), english.toStdString());
        return q(t);
    };
    return r;
}

void TWxForm::PrintClick() { PrintButtonClick(this, PrintRequest()); }

std::function<int(TWxSetupDlg &)> &TWxForm::DefaultSetupExec() {
    static std::function<int(TWxSetupDlg &)> exec;
    return exec;
}
