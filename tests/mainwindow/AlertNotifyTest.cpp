#include "mainwindow/AlertNotify.h"

#include <gtest/gtest.h>

#include "app/IniSettings.h"
#include "mainwindow/AlertTestService.h"
#include "platform/FormatSettings.h"

namespace {

class AlertNotifyTest : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::ResetToDefaults();
        Clock::Set(EncodeDate(2024, 5, 1) + EncodeTime(18, 0, 0));
    }
    void TearDown() override { Clock::UseSystem(); }

    // The advisory list after a ShowAlerts: one entry per item.
    static std::vector<int> allItems(const TAlerts &alerts) {
        std::vector<int> v;
        for (int i = 0; i < alerts.Count(); ++i) v.push_back(i);
        return v;
    }
    // RefreshAlertsView's upkeep, run over what the list showed last time.
    static void upkeep(TSeenAlerts &seen, TAlertTestService &svc, const std::vector<int> &shown) {
        seen.Upkeep(ListedAlerts(svc.Alerts(), shown), svc.GetCityName(), Clock::Now());
    }
};

TEST_F(AlertNotifyTest, KeyHoldsEventExpiryGeocodeAndCity) {
    const TDateTime exp = EncodeDate(2024, 5, 1) + EncodeTime(19, 45, 0);
    EXPECT_EQ(AlertKey({"Tornado Warning", exp, "TXC453"}, "Austin, TX"),
              "Tornado Warning,5/1/2024 7:45:00 PM,TXC453 Austin, TX");
    EXPECT_EQ(AlertKey({"Flood Watch", 0, ""}, "Austin, TX"), "Flood Watch,12/30/1899, Austin, TX");
}

TEST_F(AlertNotifyTest, AlertSeenInOneRefreshIsNotNewInTheNext) {
    TAlertTestService svc(nullptr);
    TSeenAlerts seen;
    const TDateTime exp = Clock::Now() + 0.1;

    // First refresh: nothing shown before, the service lists one alert.
    upkeep(seen, svc, {});
    svc.Mem()->AddAlert("Tornado Warning", exp);
    EXPECT_TRUE(NewAlertFound(&svc, allItems(*svc.Alerts()), seen));

    // Second refresh: the upkeep remembers it, the service lists it again.
    upkeep(seen, svc, allItems(*svc.Alerts()));
    EXPECT_EQ(seen.Count(), 1);
    EXPECT_FALSE(NewAlertFound(&svc, allItems(*svc.Alerts()), seen));

    // A third refresh adds a second alert: new again, whatever its position.
    Clock::AdvanceSeconds(120);
    upkeep(seen, svc, allItems(*svc.Alerts()));
    svc.Mem()->Clear();
    svc.Mem()->AddAlert("Flood Watch", exp, "TXC209");
    svc.Mem()->AddAlert("Tornado Warning", exp);
    EXPECT_TRUE(NewAlertFound(&svc, allItems(*svc.Alerts()), seen));
    EXPECT_EQ(seen.Count(), 1);  // the same key is not added twice
}

TEST_F(AlertNotifyTest, AlertWithoutExpiryIsNewAtEveryRefresh) {
    TAlertTestService svc(nullptr);
    TSeenAlerts seen;
    svc.Mem()->AddAlert("Special Weather Statement", 0);
    for (int refresh = 0; refresh < 3; ++refresh) {
        upkeep(seen, svc, allItems(*svc.Alerts()));
        EXPECT_TRUE(NewAlertFound(&svc, allItems(*svc.Alerts()), seen)) << refresh;
        Clock::AdvanceSeconds(120);
    }
    // Each upkeep remembered it under that moment's date.
    EXPECT_EQ(seen.Count(), 3);
    EXPECT_NE(seen.Keys()[0].find("5/1/2024 6:00:00 PM"), std::string::npos);
}

TEST_F(AlertNotifyTest, UpkeepDropsEveryKeyOlderThanADay) {
    TSeenAlerts seen;
    const TDateTime now = Clock::Now();
    // Stale keys first, last, and side by side, around fresh ones. The city
    // holds a comma, so the date cannot be read back out of the key text.
    const struct {
        const char *key;
        double age;
        bool kept;
    } cases[] = {
        {"A,x,1 Austin, TX", 1.5, false}, {"B,x,2 Austin, TX", 0.5, true},  {"C,x,3 Austin, TX", 3, false},
        {"D,x,4 Austin, TX", 2, false},   {"E,x,5 Austin, TX", 0.99, true}, {"F,x,6 Austin, TX", -2, true},
        {"G,x,7 Austin, TX", 10, false},
    };
    for (const auto &c : cases) seen.Add(c.key, now - c.age);
    seen.Upkeep({}, "Austin, TX", now);
    for (const auto &c : cases) EXPECT_EQ(seen.Contains(c.key), c.kept) << c.key;
    EXPECT_EQ(seen.Count(), 3);
}

TEST_F(AlertNotifyTest, ExpiredAlertListedAgainAfterUpkeepNotifiesAgain) {
    TAlertTestService svc(nullptr);
    TSeenAlerts seen;
    svc.Mem()->AddAlert("Winter Storm Warning", Clock::Now() - 0.5);
    upkeep(seen, svc, allItems(*svc.Alerts()));
    EXPECT_FALSE(NewAlertFound(&svc, allItems(*svc.Alerts()), seen));

    // A refresh that listed nothing, a day later.
    Clock::Advance(1.0);
    upkeep(seen, svc, {});
    EXPECT_EQ(seen.Count(), 0);
    EXPECT_TRUE(NewAlertFound(&svc, allItems(*svc.Alerts()), seen));
}

TEST_F(AlertNotifyTest, NoNewAlertWithoutServiceCollectionOrList) {
    TSeenAlerts seen;
    TAlertTestService none(nullptr, false);
    TAlertTestService svc(nullptr);
    EXPECT_FALSE(NewAlertFound(nullptr, {0}, seen));
    EXPECT_FALSE(NewAlertFound(&none, {0}, seen));
    EXPECT_FALSE(NewAlertFound(&svc, {}, seen));
    EXPECT_FALSE(NewAlertFound(&svc, {0}, seen));  // an index that names no item
    svc.Mem()->AddAlert("Heat Advisory", Clock::Now() + 1);
    EXPECT_TRUE(NewAlertFound(&svc, {0}, seen));
}

TEST(AlertSound, PlaysOnNewAlertOrOnEveryRefreshButNotBoth) {
    const struct {
        bool sound, any, isNew, plays;
    } cases[] = {
        {true, false, true, true},  {true, false, false, false}, {true, true, false, true},
        {true, true, true, false},  {false, false, true, false}, {false, true, false, false},
    };
    for (const auto &c : cases) {
        TAlertOptions o;
        o.AlSound = c.sound;
        o.AlSoundAny = c.any;
        EXPECT_EQ(AlertSoundWanted(o, c.isNew), c.plays) << c.sound << c.any << c.isNew;
    }
}

TEST(AlertSound, AsteriskNamesSchemeSoundElseWaveFile) {
    const struct {
        const char *value;
        TAlertSound::TKind kind;
        const char *name;
    } cases[] = {
        {"*SystemExclamation*", TAlertSound::Alias, "SystemExclamation"},
        {"Warning", TAlertSound::File, "/opt/tolvu/Sound/Warning.wav"},
        {"*", TAlertSound::None, ""},
        {"", TAlertSound::None, ""},
    };
    for (const auto &c : cases) {
        const TAlertSound s = AlertSoundFor(c.value, "/opt/tolvu/");
        EXPECT_EQ(s.Kind, c.kind) << c.value;
        EXPECT_EQ(s.Name, c.name) << c.value;
    }
}

TEST(AlertOptions, DefaultsAndStoredValues) {
    TIniSettings ini;
    TAlertOptions o = ReadAlertOptions(ini);
    EXPECT_TRUE(o.AlAuto && o.AlSwitch && o.Notify);
    EXPECT_FALSE(o.AlRestore || o.AlSound || o.AlSoundAny || o.AlAnimate);
    EXPECT_EQ(o.AlSoundFile, "Warning");
    ini.WriteBool("Wx", "AlSoundAny", true);
    ini.WriteBool("Options", "Notify", false);
    ini.WriteString("Wx", "AlSoundFile", "*SystemHand*");
    o = ReadAlertOptions(ini);
    EXPECT_TRUE(o.AlSoundAny);
    EXPECT_FALSE(o.Notify);
    EXPECT_EQ(o.AlSoundFile, "*SystemHand*");
}

TEST(AlertNotification, PlanFollowsWindowStateAndOptions) {
    TAlertOptions restore;
    restore.AlRestore = true;
    TAlertOptions quiet;
    quiet.Notify = false;
    TAlertOptions noSwitch;
    noSwitch.AlSwitch = false;
    const struct {
        const char *name;
        TAlertOptions o;
        bool isNew, hidden, posKnown;
        bool restore, popUp, sw;
    } cases[] = {
        {"hidden, pop-up", TAlertOptions{}, true, true, true, false, true, true},
        {"hidden, restore wins", restore, true, true, true, true, false, true},
        {"hidden, no tray position", TAlertOptions{}, true, true, false, false, false, true},
        {"hidden, Notify off", quiet, true, true, true, false, false, true},
        {"visible", TAlertOptions{}, true, false, true, false, false, true},
        {"no switch", noSwitch, true, true, true, false, true, false},
        {"nothing new", TAlertOptions{}, false, true, true, false, false, false},
    };
    for (const auto &c : cases) {
        TAlertNotification n;
        const TNotifyPlan p = n.Notify(false, c.isNew, c.hidden, c.posKnown, 0, c.o);
        EXPECT_EQ(p.RestoreWindow, c.restore) << c.name;
        EXPECT_EQ(p.ShowPopUp, c.popUp) << c.name;
        EXPECT_EQ(p.SwitchToAdvisory, c.sw) << c.name;
        EXPECT_EQ(p.StartDuration, c.sw) << c.name;
        EXPECT_EQ(n.Running(), c.sw) << c.name;
    }
}

TEST(AlertNotification, RunningNotificationBlocksTheNextAndEndsByTimerOrPress) {
    TAlertOptions o;
    o.AlAnimate = true;
    o.AlSound = true;

    TAlertNotification n;
    TNotifyPlan p = n.Notify(true, true, false, false, 0, o);  // empty list
    EXPECT_FALSE(p.StartDuration || p.PlaySound || n.Running());

    p = n.Notify(false, true, false, false, 0, o);
    EXPECT_TRUE(p.SwitchToAdvisory && p.Animate && p.PlaySound && n.Running());
    EXPECT_EQ(n.ReturnPage(), 0);
    // A refresh during the notification shows the list but does nothing else.
    p = n.Notify(false, true, false, false, 1, o);
    EXPECT_FALSE(p.SwitchToAdvisory || p.Animate || p.PlaySound);

    TEndPlan e = n.End(TAlertNotification::ecTimer, o);
    EXPECT_TRUE(e.Ended && e.SwitchBack && e.StopAnimation);
    EXPECT_EQ(e.Page, 0);
    EXPECT_FALSE(n.Running());
    EXPECT_FALSE(n.End(TAlertNotification::ecTimer, o).Ended);

    // A mouse press ends it where it is.
    n.Notify(false, true, false, false, 2, o);
    e = n.End(TAlertNotification::ecMousePress, o);
    EXPECT_TRUE(e.Ended && e.StopAnimation);
    EXPECT_FALSE(e.SwitchBack);

    // Animation alone also runs for a refresh with nothing new.
    o.AlSwitch = false;
    p = n.Notify(false, false, false, false, 0, o);
    EXPECT_TRUE(p.Animate && p.StartDuration && !p.SwitchToAdvisory);
    e = n.End(TAlertNotification::ecTimer, o);
    EXPECT_FALSE(e.SwitchBack);
    EXPECT_TRUE(e.StopAnimation);
}

TEST(TrayAnimation, StopsAfterShowingTheLastFrameFourTimes) {
    for (int frames : {3, 4}) {
        TTrayAnimation a;
        a.Start(frames);
        EXPECT_EQ(a.Index(), 0);
        int steps = 0, lastShown = 0;
        while (a.Step()) {
            ++steps;
            lastShown = a.Index();
            ASSERT_LT(steps, 100);
        }
        // Frame 0 was shown at the start, then 4 full rounds less that one.
        EXPECT_EQ(steps, 4 * frames - 1) << frames;
        EXPECT_EQ(lastShown, frames - 1);
        EXPECT_FALSE(a.Running());
        EXPECT_EQ(a.Cycles(), 0);
    }
    TTrayAnimation a;
    a.Start(4);
    a.Step();
    a.Stop();
    EXPECT_EQ(a.Index(), -1);
    EXPECT_FALSE(a.Step());
}

}  // namespace
