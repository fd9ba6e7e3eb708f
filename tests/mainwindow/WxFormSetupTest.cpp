#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include "app/IniSettings.h"
#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "dialogs/MsgHook.h"
#include "lang/LangTable.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/Unit01.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "setup/WxSetup.h"
#include "support/TestSupport.h"

namespace {
void WriteClosedServers() {
    TIniSettings ini(ProfilePath() + SettingsFileName());
    for (const char *key : {"NWSWeb", "NWSForecast", "NWSAlerts", "NWSRadar", "USNO", "AccuData", "AccuWeb",
                            "AccuIcons", "AccuImages", "Update", "NWSApi", "NWSRegion"})
        ini.WriteString("Servers", key, "http://127.0.0.1:1");
    ini.WriteBool("Options", "Update", false);
    ini.UpdateFile();
}

// A fresh profile with every server closed, and the program's own language files.
struct FormFixture : ::testing::Test {
    TempProfile profile;
    std::string oldProgramPath = ProgramPath();
    void SetUp() override {
        SetProgramPath(TOLVU_BIN_DIR);
        ForceDirectories(ProfilePath());
        WriteClosedServers();
        TFormatSettings::Global().LocaleId = 1033;
    }
    void TearDown() override {
        LanguageTable().Clear();
        SetProgramPath(oldProgramPath);
    }
};

struct CapturedMessages {
    std::vector<TMsgRequest> requests;
    TMsgHandler previous;
    CapturedMessages() {
        previous = SetMsgHandler([this](const TMsgRequest &r) {
            requests.push_back(r);
            return TMsgAnswer{};
        });
    }
    ~CapturedMessages() { SetMsgHandler(previous); }
};
}  // namespace

using WxFormSetup = FormFixture;

TEST_F(WxFormSetup, CancelledSetupRestoresTheSettingsAndTheTimers) {
    TWxForm form;
    const std::vector<std::string> before = form.Settings().GetStrings();
    int runs = 0;
    bool timersStoppedMeanwhile = false;
    form.SetupExec = [&](TWxSetupDlg &dlg) {
        ++runs;
        timersStoppedMeanwhile = !form.CurrentTimer->isActive() && !form.AlertTimer->isActive();
        EXPECT_EQ(dlg.parentWidget(), &form);
        form.Settings().WriteString("Options", "URL", "http://127.0.0.1:1/elsewhere/");
        form.Settings().WriteString("Service", "Default", "Service1");
        return static_cast<int>(QDialog::Rejected);
    };
    form.ShowSetup(1);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(timersStoppedMeanwhile);
    EXPECT_EQ(form.Settings().GetStrings(), before);
    // Cancel must not leave the refreshes switched off.
    EXPECT_TRUE(form.CurrentTimer->isActive());
    EXPECT_TRUE(form.AlertTimer->isActive());
    EXPECT_TRUE(form.ForecastTimer->isActive());

    // The location label opens it too; a closing window does not.
    form.ShowSetup(0);
    EXPECT_EQ(runs, 2);
    form.SetClosing(true);
    form.ShowSetup(0);
    EXPECT_EQ(runs, 2);
    form.SetClosing(false);
}

TEST_F(WxFormSetup, FrenchReachesTheWindowAndIsRemembered) {
    TWxForm form;
    form.setWindowTitle("stale caption");
    ASSERT_TRUE(form.LoadLanguage("FRA"));
    EXPECT_EQ(form.windowTitle(), "Tolvu");
    EXPECT_EQ(form.Settings().ReadString("Options", "Language", ""), "FRA");
    // Gradient labels carry their text as a caption.
    EXPECT_EQ(form.glForecast->Caption(), QString::fromUtf8("Prévisions"));
    EXPECT_EQ(form.glTitle->text(), "Conditions actuelles");
    EXPECT_EQ(form.iLanguage->Caption(), "FRA");
    EXPECT_TRUE(form.iLanguage->toolTip().startsWith(QString::fromUtf8("français")));

    // An unknown code changes nothing.
    EXPECT_FALSE(form.LoadLanguage("XXX"));
    EXPECT_EQ(form.iLanguage->Caption(), "FRA");
}

TEST_F(WxFormSetup, PrintOnTheCurrentPageExplainsItDoesNotPrint) {
    TWxForm form;
    form.nPageControl->setCurrentIndex(0);
    const TPrintRequest r = form.PrintRequest();
    EXPECT_EQ(r.Page, TPrintPage::Current);
    EXPECT_EQ(r.TitleText, "Current Conditions");
    EXPECT_EQ(r.AdvisoryCaption, form.nPageControl->tabText(1));
    EXPECT_FALSE(r.HasAlerts);

    CapturedMessages messages;
    form.PrintClick();
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Message,
              "Current Conditions, " + form.glForecast->Caption().toStdString() + " printing is not available.");
}
