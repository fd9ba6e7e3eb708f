#include "setup/SetupRun.h"

#include "app/IniSettings.h"
#include "controls/GrphCtrls.h"
#include "service/WxService.h"
#include "setup/WxSetup.h"

#include <QLineEdit>

namespace {

void Call(const std::function<void()> &f) {
    if (f) f();
}

void Apply(TSetupHost &host, const TWxSetupDlg &dlg) {
    const TSetupFlags &flags = dlg.Flags();
    if (host.SplashUp && host.SplashUp()) Call(host.ShowSplashAgain);

    const TColor color = dlg.glColor1->Color(), color1 = dlg.glColor2->Color(), color2 = dlg.glColor3->Color2();
    if (color != host.Color || color1 != host.Color1 || color2 != host.Color2) {
        if (host.ApplyColours)
            host.ApplyColours(color != host.Color ? color : host.Color, color1 != host.Color1 ? color1 : host.Color1,
                              color2 != host.Color2 ? color2 : host.Color2);
        host.Color = color;
        host.Color1 = color1;
        host.Color2 = color2;
    }

    for (TSetupAction a : SetupActions(flags)) {
        switch (a) {
        case TSetupAction::FlushSettings: Call(host.FlushSettings); break;
        case TSetupAction::MarkUpdateCheckDue: Call(host.MarkUpdateCheckDue); break;
        case TSetupAction::LoadService: Call(host.LoadService); break;
        case TSetupAction::ApplyImageFilter: Call(host.ApplyImageFilter); break;
        case TSetupAction::RefreshForecast: Call(host.RefreshForecast); break;
        case TSetupAction::RefreshAlerts: Call(host.RefreshAlerts); break;
        case TSetupAction::RefreshCurrent: Call(host.RefreshCurrent); break;
        case TSetupAction::LoadDisplaySettings: Call(host.LoadDisplaySettings); break;
        case TSetupAction::RedrawTray: Call(host.RedrawTray); break;
        case TSetupAction::InsetCheck: Call(host.InsetCheck); break;
        case TSetupAction::RefreshImagery: Call(host.RefreshImagery); break;
        case TSetupAction::RequestUpdate:
            if (host.Settings) host.Settings->WriteBool("Options", "Update", true);
            Call(host.RunUpdateCheck);
            break;
        }
    }
}

}  // namespace

int RunSetupDialog(TSetupHost &host, int page, const std::function<int(TWxSetupDlg &)> &exec) {
    static bool open = false;
    if (host.Closing || open) return -1;
    open = true;
    if (host.SetupOpen) host.SetupOpen(true);

    int result = QDialog::Rejected;
    // Everything the dialog writes goes into the live settings from here on.
    const std::vector<std::string> snapshot = host.Settings ? host.Settings->GetStrings() : std::vector<std::string>();
    {
        bool dirty = false;
        TWxSetupDlg dlg(host.Parent, host.Data);
        dlg.SelectPage(page);
        if (host.ApplyLanguage) host.ApplyLanguage(dlg);
        TCustomWxService *service = host.Service ? host.Service() : nullptr;
        dlg.SetService(service);
        dlg.PageControlChange();
        bool serviceSwitched = false;
        dlg.OnServiceChange = [&host, &serviceSwitched](TWxSetupDlg &d) {
            serviceSwitched = true;
            if (d.OptionsModified()) Call(host.FlushSettings);
            d.SetService(nullptr);
            Call(host.LoadService);
            d.SetService(host.Service ? host.Service() : nullptr);
        };
        dlg.glTempColor->SetCaption(host.TemperatureText);
        if (host.Settings) dlg.URL->setText(QString::fromStdString(
                               host.Settings->ReadString("Options", "URL", dlg.URL->text().toStdString())));
        if (host.SplashUp && host.SplashUp()) Call(host.HideSplash);
        dlg.SetImages(host.Glyphs);

        result = exec ? exec(dlg) : dlg.exec();
        dirty = dlg.Flags().Any();

        if (result == QDialog::Accepted) {
            Apply(host, dlg);
        } else if (host.Settings) {
            host.Settings->SetStrings(snapshot);
            // The dialog may have saved its changes before closing; put the
            // file back as well, and the service that was active before.
            if (dirty) Call(host.FlushSettings);
            if (serviceSwitched) Call(host.LoadService);
        }
    }
    const bool firstStart = host.SplashUp && host.SplashUp();
    if (host.SetupOpen) host.SetupOpen(false);
    open = false;
    if (result != QDialog::Accepted && firstStart) Call(host.EndProgram);
    return result;
}
