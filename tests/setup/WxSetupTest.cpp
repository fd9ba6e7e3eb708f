#include "setup/WxSetup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "accuweather/AcuService.h"
#include "app/IniSettings.h"
#include "controls/GrphCtrls.h"
#include "controls/nSpin.h"
#include "dialogs/MsgHook.h"
#include "nws/NWSRegister.h"
#include "nws/Stations.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "service/WxService.h"
#include "setup/SetupRun.h"
#include "support/TestSupport.h"

namespace {

// The NWS service's location search over the built station tables.
class TStationService : public TCustomWxService {
public:
    TStationService(void *owner, TData *data) : TCustomWxService(owner), data_(data) {
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

// The city and ZIP lookup answering with fixed places.
class TFixedCityZip : public TCityZipSource {
public:
    explicit TFixedCityZip(std::vector<TCityMatch> m) : matches_(std::move(m)) {}
    bool Connect() override { return true; }
    int Lookup(const std::string &, std::vector<TCityMatch> &out) override {
        out = matches_;
        return int(out.size());
    }

private:
    std::vector<TCityMatch> matches_;
};

class ProgramFolder {
public:
    explicit ProgramFolder(const std::string &dir) : old_(ProgramPath()) { SetProgramPath(dir); }
    ~ProgramFolder() { SetProgramPath(old_); }

private:
    std::string old_;
};

const TCityMatch kWashington{"20001", "WASHINGTON", "DC", 38.9122, -77.0177};
const TCityMatch kArlington{"22201", "ARLINGTON", "VA", 38.8868, -77.0947};

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMsgQueue();
        ClearMsgHistory();
        savedFactory_ = TWxSetupDlg::CityZipFactory();
        ASSERT_TRUE(ForceDirectories(profile.Profile()));
        ini.SetFileName(profile.Profile() + "Tolvu.ini");
        ASSERT_EQ(RegisterNwsService(ini), "Service0");
        ASSERT_EQ(RegisterAcuService(ini), "Service1");
        ini.WriteString("Service", "Default", "Service0");
        LoadService();
    }
    void TearDown() override {
        TWxSetupDlg::CityZipFactory() = savedFactory_;
        ClearMsgQueue();
    }

    // The main window's LoadService: the service named by [Service] Default.
    void LoadService() {
        svc.reset();
        if (ini.ReadString("Service", "Default", "") == "Service1") {
            svc = CreateWxService<TAcuService>(nullptr, 1, &ini);
        } else {
            auto s = std::make_unique<TStationService>(nullptr, &data);
            s->Attach(0, &ini);
            svc = std::move(s);
        }
    }

    std::unique_ptr<TWxSetupDlg> OpenDialog() {
        auto dlg = std::make_unique<TWxSetupDlg>(nullptr, &data);
        dlg->SetService(svc.get());
        dlg->PageControlChange();
        dlg->show();
        return dlg;
    }

    void UseCities(std::vector<TCityMatch> m) {
        TWxSetupDlg::CityZipFactory() = [m] { return std::make_unique<TFixedCityZip>(m); };
    }

    TempProfile profile;
    ProgramFolder folder{TOLVU_BIN_DIR "/"};
    TIniSettings ini;
    TData data{""};
    std::unique_ptr<TCustomWxService> svc;
    TWxSetupDlg::TCityZipFactory savedFactory_;
};

std::vector<std::string> Steps(QLineEdit *edit, TnSpinButton *spin, const char *start, bool up, int clicks) {
    edit->setText(QString::fromLatin1(start));
    std::vector<std::string> seen;
    for (int i = 0; i < clicks; ++i) {
        up ? spin->UpClick() : spin->DownClick();
        seen.push_back(edit->text().toStdString());
    }
    return seen;
}

}  // namespace

TEST_F(SetupTest, SpinButtonsStepWithinTheirRanges) {
    auto dlg = OpenDialog();
    EXPECT_EQ(Steps(dlg->fbTransparency, dlg->fbTransparencySpin, "128", true, 17),
              (std::vector<std::string>{"136", "144", "152", "160", "168", "176", "184", "192", "200", "208", "216",
                                        "224", "232", "240", "248", "254", "254"}));
    EXPECT_EQ(Steps(dlg->Periods, dlg->PeriodsSpin, "12", true, 2), (std::vector<std::string>{"24", "24"}));
    EXPECT_EQ(Steps(dlg->Periods, dlg->PeriodsSpin, "24", false, 2), (std::vector<std::string>{"12", "12"}));
    EXPECT_EQ(dlg->NumDaysSpin->Min(), 1);
    EXPECT_EQ(dlg->NumDaysSpin->Max(), 7);
    // Each step is written through at once.
    EXPECT_EQ(ini.ReadString("Wx", "Periods", ""), "12");

    ini.WriteString("Service", "Default", "Service1");
    LoadService();
    dlg = OpenDialog();
    EXPECT_EQ(Steps(dlg->NumDays, dlg->NumDaysSpin, "05", true, 1), std::vector<std::string>{"05"});
    EXPECT_EQ(Steps(dlg->NumDays, dlg->NumDaysSpin, "05", false, 1), std::vector<std::string>{"05"});
}

TEST_F(SetupTest, ControlsReadAndWriteTheirKeysAndFlags) {
    ini.WriteBool("Options", "cNotifySound", false);
    ini.WriteString("Wx", "ccInterval", "20");
    auto dlg = OpenDialog();
    EXPECT_FALSE(dlg->cNotify->Checked());
    EXPECT_EQ(dlg->ccInterval->text(), "20");
    EXPECT_EQ(dlg->fcInterval->text(), "60");  // missing: the dialog's own default
    EXPECT_TRUE(dlg->AlAuto->Checked());
    EXPECT_FALSE(dlg->btnOK->isEnabled());

    struct Case {
        TgCheckLabel *box;
        const char *section, *key;
        bool TSetupFlags::*flag;
    } cases[] = {
        {dlg->cNotify, "Options", "cNotifySound", &TSetupFlags::OptionsModified},
        {dlg->fNotify, "Options", "fNotifySound", &TSetupFlags::OptionsModified},
        {dlg->AlSound, "Wx", "AlSound", &TSetupFlags::AdvisoryModified},
        {dlg->WebImages, "Wx", "WebImages", &TSetupFlags::CurrentModified},
    };
    for (const Case &c : cases) {
        const bool before = c.box->Checked();
        c.box->SetChecked(!before);
        dlg->ControlChange(c.box);
        EXPECT_EQ(ini.ReadBool(c.section, c.key, before), !before) << c.key;
        EXPECT_TRUE(dlg->Flags().*c.flag) << c.key;
    }
    EXPECT_TRUE(dlg->AlSoundAny->isEnabled());
    EXPECT_TRUE(dlg->btnOK->isEnabled());

    dlg->ccInterval->setText("35");
    EXPECT_EQ(ini.ReadString("Wx", "ccInterval", ""), "35");
    EXPECT_TRUE(dlg->CurrentModified());
}

TEST_F(SetupTest, ServiceChoiceWritesTheDefaultAndShowsWebImagesForTheSecond) {
    auto dlg = OpenDialog();
    ASSERT_EQ(dlg->cbServices->count(), 2);
    EXPECT_EQ(dlg->cbServices->currentIndex(), 0);
    dlg->cbServicesChange(1);
    EXPECT_EQ(ini.ReadString("Service", "Default", ""), "Service1");
    EXPECT_FALSE(dlg->WebImages->isHidden());
    EXPECT_TRUE(dlg->LocationModified());
    EXPECT_EQ(dlg->PageControl->currentIndex(), TWxSetupDlg::LocationPage);
    dlg->cbServicesChange(0);
    EXPECT_TRUE(dlg->WebImages->isHidden());
}

TEST_F(SetupTest, DefaultImageQuestionOnClose) {
    struct Case {
        const char *service;
        int radar;
        bool asks;
    } cases[] = {{"Service0", 0, true}, {"Service1", 0, true}, {"Service1", 50, true},
                 {"Service0", 24, false}, {"Service0", 130, false}, {"Service1", 391, false}};
    for (const Case &c : cases) {
        ini.WriteString("Service", "Default", c.service);
        ini.WriteInteger(c.service, "Radar", c.radar);
        LoadService();
        auto dlg = OpenDialog();
        ClearMsgHistory();
        QueueMsgAnswer(2);  // No
        dlg->Tray->SetChecked(!dlg->Tray->Checked());
        dlg->ControlChange(dlg->Tray);
        EXPECT_TRUE(dlg->CloseWith(QDialog::Accepted)) << c.service << " " << c.radar;
        EXPECT_EQ(MsgHistory().size(), c.asks ? 1u : 0u) << c.service << " " << c.radar;
        ClearMsgQueue();
        // No still stores the image row shown as the default.
        if (c.asks) EXPECT_NE(ini.ReadInteger(c.service, "Radar", 0), c.radar) << c.service;
        else EXPECT_EQ(ini.ReadInteger(c.service, "Radar", 0), c.radar);
    }
    // Nothing changed: no question.
    ini.WriteString("Service", "Default", "Service0");
    ini.WriteInteger("Service0", "Radar", 0);
    LoadService();
    ClearMsgHistory();
    EXPECT_TRUE(OpenDialog()->CloseWith(QDialog::Rejected));
    EXPECT_TRUE(MsgHistory().empty());
}

TEST_F(SetupTest, YesToTheImageQuestionKeepsTheDialogOnTheImageryNode) {
    ini.WriteInteger("Service0", "Radar", 0);
    LoadService();
    auto dlg = OpenDialog();
    dlg->SetColor1(0x112233);
    QueueMsgAnswer(1);
    EXPECT_FALSE(dlg->CloseWith(QDialog::Accepted));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->PageControl->currentIndex(), TWxSetupDlg::WeatherPage);
    EXPECT_EQ(dlg->tvWeather->currentItem(), dlg->tvWeather->topLevelItem(2));
    EXPECT_FALSE(dlg->gbRadar->isHidden());
    ASSERT_GT(dlg->dblRxImagery->count(), 0);
    EXPECT_EQ(ini.ReadInteger("Service0", "Radar", 0), dlg->dblRxImagery->itemData(0).toInt());
    EXPECT_NE(ini.ReadInteger("Service0", "Radar", 0), 0);
}

TEST_F(SetupTest, OneCityMatchGoesStraightOnToTheStationSearch) {
    UseCities({kWashington});
    auto dlg = OpenDialog();
    ASSERT_TRUE(dlg->HasCityZip());
    dlg->Search->setEditText("20001");
    dlg->btnSearchClick();

    EXPECT_EQ(dlg->Search->currentText(), "WASHINGTON, DC - 20001");
    EXPECT_EQ(dlg->CityName->text(), "WASHINGTON, DC - 20001");
    EXPECT_EQ(svc->GetCityName(), "WASHINGTON, DC - 20001");
    EXPECT_EQ(svc->GetLatitude(), "38.9122");
    EXPECT_EQ(svc->GetLongitude(), "-77.0177");
    EXPECT_FALSE(svc->GetCountyCode().empty());
    EXPECT_EQ(ini.ReadString("Service0", "Site", ""), "lwx");
    ASSERT_GT(dlg->cbLocations->count(), 1);
    EXPECT_TRUE(dlg->OptionsModified());
    EXPECT_TRUE(dlg->LocationModified());

    // Picking a station: the name stays the searched place, only the ID changes.
    const std::string county = svc->GetCountyCode();
    dlg->cbLocations->setCurrentIndex(0);
    dlg->cbLocationsSelect(0);
    const std::string id = dlg->Location->text().toStdString();
    EXPECT_FALSE(id.empty());
    EXPECT_NE(id, "20001");
    EXPECT_EQ(svc->GetLocation(), id);
    EXPECT_EQ(dlg->CityName->text(), "WASHINGTON, DC - 20001");
    EXPECT_EQ(svc->GetLatitude(), "38.9122");
    EXPECT_EQ(svc->GetCountyCode(), county);
}

TEST_F(SetupTest, SeveralCityMatchesWaitForAPick) {
    UseCities({kWashington, kArlington});
    auto dlg = OpenDialog();
    dlg->Search->setEditText("20001");
    dlg->btnSearchClick();
    ASSERT_EQ(dlg->Search->count(), 2);
    EXPECT_EQ(dlg->Search->itemText(0), "ARLINGTON, VA - 22201");  // sorted
    EXPECT_EQ(dlg->cbLocations->count(), 0);
    EXPECT_EQ(svc->GetLatitude(), "38.8868");  // the first entry is taken meanwhile

    dlg->Search->setCurrentIndex(1);
    dlg->SearchSelect(1);
    EXPECT_EQ(svc->GetLatitude(), "38.9122");
    EXPECT_EQ(svc->GetCityName(), "WASHINGTON, DC - 20001");
    EXPECT_GT(dlg->cbLocations->count(), 1);
}

TEST_F(SetupTest, NoCityLookupLeavesTheFieldsAlone) {
    TWxSetupDlg::CityZipFactory() = [] { return std::unique_ptr<TCityZipSource>(); };
    ini.WriteString("Service0", "Latitude", "40");
    auto dlg = OpenDialog();
    EXPECT_FALSE(dlg->HasCityZip());
    dlg->Search->setEditText("Denver");
    EXPECT_EQ(dlg->LookupUSCity("Denver"), 0);
    EXPECT_EQ(svc->GetLatitude(), "40");
    EXPECT_EQ(dlg->Search->count(), 0);
}

TEST_F(SetupTest, ZipCodeThroughTheShippedLookup) {
    auto dlg = OpenDialog();
    ASSERT_TRUE(dlg->HasCityZip());
    dlg->Search->setEditText("80202");
    dlg->btnSearchClick();
    EXPECT_EQ(dlg->Search->count(), 1);
    EXPECT_EQ(dlg->Search->currentText().left(11), "DENVER, CO ");
    EXPECT_EQ(ini.ReadString("Service0", "Site", ""), "bou");
    EXPECT_FALSE(svc->GetCountyCode().empty());
    EXPECT_GT(dlg->cbLocations->count(), 0);
}

// ---------------------------------------------------------------- RunSetupDialog

namespace {

struct Recorder {
    std::vector<std::string> calls;
    std::function<void()> Log(const char *name) {
        return [this, name] { calls.push_back(name); };
    }
};

}  // namespace

class SetupRunTest : public SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        host.Settings = &ini;
        host.Data = &data;
        host.Service = [this] { return svc.get(); };
        host.Color = 0x800000;
        host.Color1 = 0xF0CAA6;
        host.Color2 = 0xC0DCC0;
        host.LoadService = [this] {
            rec.calls.push_back("LoadService");
            LoadService();
        };
        host.FlushSettings = [this] {
            rec.calls.push_back("Flush");
            ini.UpdateFile();
        };
        host.ApplyColours = [this](TColor, TColor, TColor) { rec.calls.push_back("Colours"); };
        host.MarkUpdateCheckDue = rec.Log("UpdateDue");
        host.ApplyImageFilter = rec.Log("ImageFilter");
        host.RefreshCurrent = rec.Log("Current");
        host.RefreshForecast = rec.Log("Forecast");
        host.RefreshAlerts = rec.Log("Alerts");
        host.RefreshImagery = rec.Log("Imagery");
        host.LoadDisplaySettings = rec.Log("Display");
        host.RedrawTray = rec.Log("Tray");
        host.InsetCheck = rec.Log("Inset");
        host.RunUpdateCheck = rec.Log("UpdateCheck");
        host.EndProgram = rec.Log("End");
    }
    TSetupHost host;
    Recorder rec;
};

TEST_F(SetupRunTest, CancelRestoresEveryKeyAndTheActiveService) {
    ini.WriteString("Service0", "Location", "KDCA");
    ini.WriteString("Service0", "Latitude", "38.86");
    ini.WriteString("Service0", "Longitude", "-77.03");
    ini.WriteInteger("Service0", "Radar", 24);
    ASSERT_TRUE(ini.UpdateFile());
    LoadService();
    const std::vector<std::string> before = ini.GetStrings();

    const int result = RunSetupDialog(host, 1, [&](TWxSetupDlg &dlg) {
        dlg.show();
        dlg.ccInterval->setText("45");
        dlg.fcInterval->setText("75");
        dlg.AlAuto->SetChecked(false);
        dlg.ControlChange(dlg.AlAuto);
        dlg.SetColor1(0x123456);
        dlg.PageControl->setCurrentIndex(TWxSetupDlg::LocationPage);
        dlg.Location->setText("KBWI");
        dlg.cbServicesChange(1);  // AccuWeather becomes the service
        EXPECT_EQ(svc->GetName(), "Acu");
        QueueMsgAnswer(2);        // no default image for AccuWeather: "No"
        EXPECT_TRUE(dlg.CloseWith(QDialog::Rejected));
        return QDialog::Rejected;
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(ini.GetStrings(), before);
    EXPECT_EQ(TIniSettings(ini.FileName()).GetStrings(), before);  // the file too
    ASSERT_TRUE(svc);
    EXPECT_EQ(svc->GetName(), "NWS");
    EXPECT_EQ(svc->GetLocation(), "KDCA");
    EXPECT_EQ(std::count(rec.calls.begin(), rec.calls.end(), "End"), 0);
    for (const char *refresh : {"Current", "Forecast", "Alerts", "Imagery", "Colours"})
        EXPECT_EQ(std::count(rec.calls.begin(), rec.calls.end(), refresh), 0) << refresh;
}

TEST_F(SetupRunTest, CancelOnTheFirstStartEndsTheProgram) {
    host.SplashUp = [] { return true; };
    RunSetupDialog(host, 0, [](TWxSetupDlg &dlg) {
        dlg.CloseWith(QDialog::Rejected);
        return QDialog::Rejected;
    });
    EXPECT_EQ(rec.calls, std::vector<std::string>{"End"});
}

TEST_F(SetupRunTest, OkRefreshesExactlyWhatChanged) {
    ini.WriteInteger("Service0", "Radar", 24);
    struct Case {
        const char *name;
        std::function<void(TWxSetupDlg &)> change;
        std::vector<std::string> calls;
    } cases[] = {
        {"forecast only", [](TWxSetupDlg &d) { d.fcInterval->setText("75"); }, {"LoadService", "Forecast"}},
        {"colour only",
         [](TWxSetupDlg &d) { d.SetColor3(0x00FF00); },
         {"Colours", "Flush", "Display", "Tray", "Inset", "Imagery"}},
        {"update now", [](TWxSetupDlg &d) { d.btnUpdateClick(); }, {"UpdateCheck"}},
    };
    for (const Case &c : cases) {
        rec.calls.clear();
        const int result = RunSetupDialog(host, 1, [&](TWxSetupDlg &dlg) {
            dlg.show();
            c.change(dlg);
            if (dlg.isVisible()) {
                EXPECT_TRUE(dlg.CloseWith(QDialog::Accepted));
            }
            return QDialog::Accepted;
        });
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_EQ(rec.calls, c.calls) << c.name;
    }
    EXPECT_TRUE(ini.ReadBool("Options", "Update", false));
    EXPECT_EQ(ini.ReadString("Wx", "fcInterval", ""), "75");
}
