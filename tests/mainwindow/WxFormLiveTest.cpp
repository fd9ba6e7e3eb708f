// The real window with the real NWS service against the replay server and
// the demo documents: the Current page must come up filled.
#include <gtest/gtest.h>

#include <QLabel>

#include "ReplayServer.h"
#include "app/IniSettings.h"
#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "controls/nGauges.h"
#include "dialogs/MsgHook.h"
#include "mainwindow/Unit01.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "service/Servers.h"
#include "support/TestSupport.h"

TEST(WxFormLive, NwsDemoDocumentsFillTheCurrentPage) {
    TempProfile profile;
    SetSoundOutputEnabled(false);
    TReplayServer server(std::string(TOLVU_SOURCE_DIR) + "/data/demo/nws");
    ASSERT_TRUE(server.Start(0));
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());

    ForceDirectories(ProfilePath());
    TIniSettings ini(ProfilePath() + SettingsFileName());
    for (const char *key : {"NWSWeb", "NWSForecast", "NWSAlerts", "NWSRadar", "USNO", "NWSApi", "NWSRegion", "Update"})
        ini.WriteString("Servers", key, base);
    ini.WriteString("Service", "Default", "Service0");
    ini.WriteString("Services", "Service0", "The US National Weather Service");
    for (const auto &[key, value] : std::initializer_list<std::pair<const char *, std::string>>{
             {"Name", "NWS"}, {"httpBase", base}, {"Port", "80"}, {"XML", "/data/current_obs"}, {"HTML", base},
             {"Seek", "/index.xml"}, {"Location", "KDCA"}, {"Latitude", "38.85"}, {"Longitude", "-77.03"},
             {"CityName", "Washington"}, {"StateCode", "DC"}, {"CountyCode", "DCC001"}, {"Site", "lwx"}})
        ini.WriteString("Service0", key, value);
    ini.WriteString("Options", "Update", "0");
    ini.UpdateFile();
    for (int i = 0; i < 4; ++i) QueueMsgAnswer(1);  // whatever a failing side request asks

    {
        TWxForm form;
        ASSERT_NE(form.Service(), nullptr);
        EXPECT_EQ(form.ConnectedGlyph, 16);
        EXPECT_GE(server.Hits("/data/current_obs/KDCA.xml"), 1);
        EXPECT_EQ(form.glTemperature->Caption(), "38°");
        EXPECT_EQ(form.Temperature->Value(), 38);
        EXPECT_EQ(form.glWeather->Caption(), "Mostly Cloudy");
        EXPECT_TRUE(form.glHeatIndex->Caption().startsWith("Feels Like "));
        EXPECT_TRUE(form.glWindSpeed->Caption().endsWith(" mph"));
        EXPECT_NE(form.glBarometer->Caption(), "00.00 in.");
        EXPECT_TRUE(form.glBarometer->Caption().endsWith(" in."));
        EXPECT_FALSE(form.glHumidity->Caption().isEmpty());
        EXPECT_TRUE(form.glVisibility->Caption().startsWith("Visibility: "));
        EXPECT_TRUE(form.glCurrentTime->text().startsWith("Current: "));
        EXPECT_NE(form.glLocation->text(), "");
    }
    server.Stop();
    ClearMsgQueue();
    ClearServerOverrides();
}
