#include <gtest/gtest.h>

#include <QLabel>
#include <QTabWidget>

#include <filesystem>

#include "app/IniSettings.h"
#include "app/Startup.h"
#include "dialogs/MsgHook.h"
#include "dialogs/MsgUnit.h"
#include "mainwindow/Unit01.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
// Answers the next message requests through a handler that also notes the
// dialog's automatic-close interval at the moment of asking.
struct RecordingHandler {
    std::vector<int> intervals;
    std::vector<TMsgRequest> requests;
    int answer = 1;
    TMsgHandler previous;
    RecordingHandler() {
        previous = SetMsgHandler([this](const TMsgRequest &r) {
            intervals.push_back(MsgDialogSettings().AutoCloseInterval);
            requests.push_back(r);
            TMsgAnswer a;
            a.Result = answer;
            return a;
        });
    }
    ~RecordingHandler() { SetMsgHandler(previous); }
};

// Every server at a closed local port, so no test reaches for the public ones.
void WriteClosedServers() {
    TIniSettings ini(ProfilePath() + SettingsFileName());
    for (const char *key : {"NWSWeb", "NWSForecast", "NWSAlerts", "NWSRadar", "USNO", "AccuData", "AccuWeb",
                            "AccuIcons", "AccuImages", "Update", "NWSApi", "NWSRegion"})
        ini.WriteString("Servers", key, "http://127.0.0.1:1");
    ini.UpdateFile();
}
}  // namespace

TEST(WxForm, FirstStartLaysOutTheWindowAndWritesTheSettings) {
    TempProfile p;
    ForceDirectories(ProfilePath());
    WriteClosedServers();
    TFormatSettings::Global().LocaleId = 1033;
    {
        TWxForm form;
        EXPECT_EQ(form.size(), QSize(621, 490));
        EXPECT_EQ(form.nPageControl->tabPosition(), QTabWidget::East);
        ASSERT_EQ(form.nPageControl->count(), 3);
        EXPECT_EQ(form.nPageControl->tabText(0), "Current");
        EXPECT_EQ(form.nPageControl->tabText(2), "Imagery");
        // Under US English a first start picks the live web-API service.
        EXPECT_EQ(form.glService->text(), "From The US National Weather Service (live)");
        EXPECT_EQ(form.StartupState().ActiveSection, "Service2");
        EXPECT_EQ(form.ProfilePath(), p.Profile());
        EXPECT_FALSE(form.Closing());
        WriteFile(p.Profile() + "Cache/NWSCurrent.xml", "x");
        WriteFile(p.Profile() + "Cache/NWSStations.xml", "<stations/>");
    }
    // Destroying the window flushed the settings and emptied the cache.
    TIniSettings disk(p.Profile() + SettingsFileName());
    EXPECT_EQ(disk.ReadString("Service", "Default", ""), "Service2");
    EXPECT_FALSE(fs::exists(p.Profile() + "Cache/NWSCurrent.xml"));
    EXPECT_TRUE(fs::exists(p.Profile() + "Cache/NWSStations.xml"));
}

TEST(WxForm, CloseQueryMakesTheMinimiseOffer) {
    TempProfile p;
    ForceDirectories(ProfilePath());
    WriteClosedServers();
    MsgDialogSettings().AutoCloseInterval = 30000;

    {   // "No" closes the program.
        TWxForm form;
        form.show();
        RecordingHandler h;
        h.answer = 2;
        EXPECT_TRUE(form.CloseQuery());
        EXPECT_TRUE(form.Closing());
        ASSERT_EQ(h.requests.size(), 1u);
        EXPECT_EQ(h.requests[0].Caption, "Tolvu Interface");
        EXPECT_EQ(h.requests[0].Button1, "Yes");
        EXPECT_EQ(h.requests[0].Button2, "No");
        EXPECT_EQ(h.requests[0].Icon, miQuestion);
        EXPECT_EQ(h.intervals[0], 8000);
        EXPECT_EQ(MsgDialogSettings().AutoCloseInterval, 30000);
        // Once closing, no more questions.
        EXPECT_TRUE(form.CloseQuery());
        EXPECT_EQ(h.requests.size(), 1u);
    }
    {   // "Yes" (also the automatic close) keeps it running.
        TWxForm form;
        form.show();
        RecordingHandler h;
        h.answer = 1;
        EXPECT_FALSE(form.CloseQuery());
        EXPECT_FALSE(form.Closing());
        EXPECT_EQ(h.requests.size(), 1u);
    }
    {   // Hidden and not closing: refused without a question.
        TWxForm form;
        form.hide();  // the first forecast refresh showed it
        RecordingHandler h;
        EXPECT_FALSE(form.CloseQuery());
        EXPECT_TRUE(h.requests.empty());
        form.ExitClick();
        EXPECT_TRUE(form.Closing());
        EXPECT_TRUE(form.CloseQuery());
    }
}
