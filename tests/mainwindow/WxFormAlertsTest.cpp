// The real window with the NWS service against the replay server and the demo
// documents: the Advisory page, the new-alert notification and the Imagery tab.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>

#include "ReplayServer.h"
#include "app/IniSettings.h"
#include "app/Startup.h"
#include "dialogs/MsgHook.h"
#include "mainwindow/AdvisoryView.h"
#include "mainwindow/Unit01.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "service/Servers.h"
#include "support/TestSupport.h"

namespace {

// The demo profile for Washington DC; radar is the Radar key.
void WriteDemoProfile(const std::string &base, int radar) {
    ForceDirectories(ProfilePath());
    TIniSettings ini(ProfilePath() + SettingsFileName());
    for (const char *key : {"NWSWeb", "NWSForecast", "NWSAlerts", "NWSRadar", "USNO", "NWSApi", "NWSRegion", "Update"})
        ini.WriteString("Servers", key, base);
    ini.WriteString("Service", "Default", "Service0");
    ini.WriteString("Services", "Service0", "The US National Weather Service");
    for (const auto &[key, value] : std::initializer_list<std::pair<const char *, std::string>>{
             {"Name", "NWS"}, {"httpBase", base}, {"Port", "80"}, {"XML", "/data/current_obs"}, {"HTML", base},
             {"Seek", "/index.xml"}, {"Location", "KDCA"}, {"Latitude", "38.85"}, {"Longitude", "-77.03"},
             {"CityName", "Washington"}, {"StateCode", "DC"}, {"CountyCode", "District of Columbia"},
             {"Site", "lwx"}, {"Radar", std::to_string(radar)}})
        ini.WriteString("Service0", key, value);
    ini.WriteString("Options", "Update", "0");
    ini.UpdateFile();
}

class WxFormAlerts : public ::testing::Test {
protected:
    void SetUp() override {
        SetSoundOutputEnabled(false);
        // The demo alerts run from 11 to 13 December 2026.
        Clock::Set(EncodeDate(2026, 12, 11) + 10.0 / 24.0);
        ASSERT_TRUE(server.Start(0));
        base = "http://127.0.0.1:" + std::to_string(server.Port());
        for (int i = 0; i < 8; ++i) QueueMsgAnswer(1);  // whatever a failing side request asks
    }
    void TearDown() override {
        server.Stop();
        ClearMsgQueue();
        ClearServerOverrides();
        Clock::UseSystem();
    }
    TempProfile profile;
    TReplayServer server{std::string(TOLVU_SOURCE_DIR) + "/data/demo/nws"};
    std::string base;
};

}  // namespace

TEST_F(WxFormAlerts, ImageryTabFollowsTheRadarKey) {
    for (const auto &[radar, visible] : {std::pair{27, true}, std::pair{0, false}}) {
        SCOPED_TRACE(radar);
        WriteDemoProfile(base, radar);
        TWxForm form;
        ASSERT_NE(form.Service(), nullptr);
        EXPECT_NE(form.RxImages(), nullptr);
        EXPECT_EQ(form.nPageControl->isTabVisible(2), visible);
    }
}
