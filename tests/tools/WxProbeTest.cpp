// The probe's JSON for the real current observations, in every unit mode,
// against saved expected files. Regenerate one with
//   build/bin/wxprobe current --nws FILE --scale S --speed V
#include <gtest/gtest.h>

#include "Probe.h"
#include "support/TestSupport.h"

TEST(WxProbe, CurrentObservationsMatchTheGoldenFiles) {
    TempProfile profile;
    const char *const stations[][2] = {
        {"KNYC", "KNYC_2022-06-20_https-era.xml"},
        {"KSGF", "KSGF_2013-08-12_mixed-CRLF.xml"},
        {"KVAY", "KVAY_2008-12-23_NA-values.xml"},
    };
    for (const auto &[station, file] : stations) {
        for (int scale = 0; scale <= 1; ++scale) {
            for (int speed = 0; speed <= 1; ++speed) {
                const std::string golden = std::string("golden/current_") + station + "_" + std::to_string(scale) +
                                           std::to_string(speed) + ".json";
                SCOPED_TRACE(golden);
                const nlohmann::json actual =
                    ProbeNwsCurrent(FixturePath(std::string("nws/current_obs/") + file), scale, speed);
                const nlohmann::json expected = nlohmann::json::parse(ReadFile(FixturePath(golden)), nullptr, false);
                ASSERT_FALSE(expected.is_discarded()) << "unreadable " << golden;
                EXPECT_EQ(actual, expected) << "actual:\n" << actual.dump(2);
            }
        }
    }
}

TEST(WxProbe, UnreadableDocumentIsAnError) {
    TempProfile profile;
    WriteFile(profile.Root() + "page.xml", "<html><body>Moved</body></html>");
    const nlohmann::json out = ProbeNwsCurrent(profile.Root() + "page.xml", 0, 0);
    EXPECT_TRUE(out.contains("error")) << out.dump();
    EXPECT_FALSE(out.contains("temperature"));
}
