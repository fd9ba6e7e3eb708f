#include <gtest/gtest.h>

#include "platform/FormatSettings.h"
#include "probe_sunmoon.h"
#include "support/TestSupport.h"

TEST(SunMoonProbe, PrintsTheThreeTextsOfAReply) {
    TFormatSettings::ResetToDefaults();
    nlohmann::json out;
    ASSERT_EQ(RunSunMoonCommand({FixturePath("usno/primary-phase-2011-05-02.html")}, out), 0) << out.dump();
    EXPECT_EQ(out["sunrise"].get<std::string>(), "6:10 AM");
    EXPECT_EQ(out["sunset"].get<std::string>(), "6:03 PM");
    EXPECT_EQ(out["moonPhase"].get<std::string>(), "New Moon on 3 May 2011 at 02:51 (Eastern Daylight Time).");

    // A reply without a table shows the getters' fallbacks; a missing file is an error.
    const std::string empty = FixturePath("usno/bad-sunrise.html");
    ASSERT_EQ(RunSunMoonCommand({empty}, out), 0);
    EXPECT_EQ(out["sunrise"].get<std::string>(), "0:00 am");
    EXPECT_EQ(RunSunMoonCommand({"/nonexistent/reply.html"}, out), 1);
    EXPECT_TRUE(out.contains("error"));
}
