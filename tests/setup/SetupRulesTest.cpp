#include "setup/SetupRules.h"

#include <gtest/gtest.h>

using A = TSetupAction;

TEST(SetupRules, ActionsFollowTheFlags) {
    struct Case {
        const char *name;
        TSetupFlags flags;
        std::vector<A> actions;
    } cases[] = {
        {"nothing", {}, {}},
        {"forecast only", {false, false, true, false, false, false}, {A::LoadService, A::RefreshForecast}},
        {"current and alerts",
         {false, true, false, true, false, false},
         {A::LoadService, A::RefreshCurrent, A::RefreshAlerts}},
        // A location change refreshes everything and ignores the finer flags.
        {"location",
         {true, true, true, false, false, false},
         {A::MarkUpdateCheckDue, A::LoadService, A::ApplyImageFilter, A::RefreshForecast, A::RefreshAlerts,
          A::RefreshCurrent}},
        // Colours and tray options download nothing but the imagery.
        {"options",
         {false, false, false, false, true, false},
         {A::FlushSettings, A::LoadDisplaySettings, A::RedrawTray, A::InsetCheck, A::RefreshImagery}},
        {"update", {false, false, false, false, false, true}, {A::RequestUpdate}},
    };
    for (const Case &c : cases) EXPECT_EQ(SetupActions(c.flags), c.actions) << c.name;
}

TEST(SetupRules, SupportMailLinkIsEncoded) {
    EXPECT_EQ(SupportMailLink("help@example.org"),
              "mailto:help@example.org?subject=Update&body=Inquiring%20about%20updates.");
    // Text typed into the address box cannot add headers or parameters.
    EXPECT_EQ(SupportMailLink("a@b.c?cc=x&bcc=y"), "mailto:a@b.c%3Fcc%3Dx%26bcc%3Dy?subject=Update&body=Inquiring%20about%20updates.");
}

TEST(SetupRules, SpinRanges) {
    TSetupSpin s;
    ASSERT_TRUE(SetupSpinRange("NumDays", "Acu", 5, s));
    EXPECT_EQ(s.Min, 5);
    EXPECT_EQ(s.Max, 5);
    ASSERT_TRUE(SetupSpinRange("NumDays", "NWS", 7, s));
    EXPECT_EQ(s.Min, 1);
    EXPECT_EQ(s.Max, 7);
    // Only the exact name counts.
    ASSERT_TRUE(SetupSpinRange("NumDays", "acu", 7, s));
    EXPECT_EQ(s.Min, 1);
    EXPECT_FALSE(SetupSpinRange("URL", "NWS", 7, s));
}
