// setup-gallery OUTDIR: renders the setup dialog's three pages with an NWS
// service and the Location page after a search for a Washington ZIP code.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <memory>

#include "app/IniSettings.h"
#include "controls/GrphCtrls.h"
#include "nws/NWSRegister.h"
#include "nws/Stations.h"
#include "accuweather/AcuRegister.h"
#include "service/DataMod.h"
#include "service/WxService.h"
#include "setup/WxSetup.h"

namespace {

// The NWS station search over the shipped tables.
class TStationService : public TCustomWxService {
public:
    TStationService(TData *data) : TCustomWxService(nullptr), data_(data) {
        SetDescription("The US National Weather Service");
    }
    void SearchLocations(const std::string &text) override {
        TCustomWxService::SearchLocations(text);
        TStationSearch r;
        ::SearchLocations(data_, text, GetLatitude(), GetLongitude(), r);
        for (size_t i = 0; i < r.Lines.size(); ++i) AddSearchResult(r.Lines[i], r.Ids[i]);
    }
    TWxLocationRec LookupLocation(const std::string &id) override {
        TStationRec s;
        ::LookupLocation(data_, id, s);
        return {s.Name, s.ID, s.Latitude, s.Longitude, s.CityState, s.County, s.State, s.ZipCode, s.Extra};
    }

private:
    TData *data_;
};

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TData data("");
    TIniSettings ini;
    RegisterNwsService(ini);
    RegisterAcuService(ini);
    ini.WriteString("Service", "Default", "Service0");
    ini.WriteString("Service0", "Radar", "24");
    TStationService svc(&data);
    svc.Attach(0, &ini);

    TWxSetupDlg dlg(nullptr, &data);
    dlg.SetService(&svc);
    dlg.PageControlChange();
    dlg.glTempColor->SetCaption(QStringLiteral("72°"));
    dlg.show();

    auto grab = [&](const char *name) {
        QApplication::processEvents();
        const QString file = out + QLatin1Char('/') + QLatin1String(name);
        const bool ok = dlg.grab().save(file);
        std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.toLocal8Bit().constData());
    };
    dlg.SelectPage(TWxSetupDlg::WeatherPage);
    grab("setup-weather.png");
    dlg.tvWeather->setCurrentItem(dlg.tvWeather->topLevelItem(1));
    grab("setup-advisories.png");
    dlg.tvWeather->setCurrentItem(dlg.tvWeather->topLevelItem(1)->child(3));
    grab("setup-warnings.png");
    dlg.tvWeather->setCurrentItem(dlg.tvWeather->topLevelItem(2));
    grab("setup-imagery.png");
    dlg.SelectPage(TWxSetupDlg::OptionsPage);
    grab("setup-options.png");
    dlg.SelectPage(TWxSetupDlg::LocationPage);
    grab("setup-location.png");
    dlg.Search->setEditText(QStringLiteral("20001"));
    dlg.btnSearchClick();
    dlg.cbLocations->hidePopup();
    dlg.Search->hidePopup();
    grab("setup-location-search.png");
    return 0;
}
