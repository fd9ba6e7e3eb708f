#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <vector>

#include "controls/WaitFor.h"
#include "dialogs/Progress.h"
#include "dialogs/Splash.h"
#include "platform/Version.h"

TEST(Progress, PercentageText) {
    struct Case { qint64 position, maximum; const char *text; };
    const std::vector<Case> cases = {
        {250000, 1000000, "25%"}, {0, 1000000, "0%"},  {-5, 100, "0%"},
        {29, 100, "29%"},         {1, 3, "33%"},       {1000000, 1000000, "100%"},
        {5, 0, "0%"},             {150, 100, "100%"},  // unknown size, overrun
    };
    for (const Case &c : cases)
        EXPECT_EQ(ProgressPercentText(c.position, c.maximum), c.text) << c.position << "/" << c.maximum;
}

TEST(Progress, WindowFollowsThePosition) {
    TProgressDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "    Progress    ");
    dlg.SetMessage("Downloading radar");
    dlg.SetMax(1000000);
    EXPECT_EQ(dlg.GetMax(), 1000000);
    dlg.SetPosition(250000);
    EXPECT_EQ(dlg.FProgressBar->value(), 250000);
    EXPECT_EQ(dlg.FPercentage->text(), "25%");
    EXPECT_EQ(dlg.FMessage->text(), "Downloading radar");
    dlg.SetPosition(0);
    EXPECT_EQ(dlg.FPercentage->text(), "0%");

    dlg.show();
    dlg.Button->click();
    EXPECT_FALSE(dlg.isVisible());

    // Missing controls are skipped, not dereferenced.
    delete dlg.FPercentage;
    delete dlg.FProgressBar;
    dlg.SetPosition(10);
    dlg.SetMax(5);
    EXPECT_EQ(dlg.GetMax(), 0);
}

TEST(Splash, VersionAndRegion) {
    TSplashScreen splash;
    EXPECT_EQ(splash.glVersion->text(),
              SplashVersionText(TOLVU_VERSION_MAJOR, TOLVU_VERSION_MINOR, TOLVU_VERSION_PATCH, TOLVU_VERSION_BUILD));
    EXPECT_EQ(SplashVersionText(2, 1, 0, 7), "Version: 2.1.0.7");
    EXPECT_EQ(SplashVersionText(-1, 0, 0, 0), "0.0.0.0");

    EXPECT_EQ(splash.Radius(), 48);
    EXPECT_TRUE(splash.RoundCorners());
    splash.StopTimer();
    splash.show();
    splash.StopTimer();
    EXPECT_FALSE(splash.mask().contains(QPoint(3, 3)));
    EXPECT_TRUE(splash.mask().contains(QPoint(250, 160)));
    splash.SetRadius(8);  // replaced at once on the shown window
    EXPECT_TRUE(splash.mask().contains(QPoint(3, 3)));
    splash.SetRadius(48);
    splash.SetRoundCorners(false);
    EXPECT_TRUE(splash.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(splash.mask().contains(QPoint(499, 319)));
}

TEST(Splash, SlidesTheLogoThenClosesItself) {
    TSplashScreen splash;
    splash.CloseInterval = 30;
    int result = -1;
    QObject::connect(&splash, &QDialog::finished, [&](int r) { result = r; });
    splash.show();
    EXPECT_TRUE(WaitFor([&] { return splash.iLogo2->isVisible(); }, 3000));
    EXPECT_EQ(splash.iLogo1->x(), 388 - 12 * 8);
    EXPECT_TRUE(WaitFor([&] { return result != -1; }, 3000));
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(splash.isVisible());
    // Hiding puts the logos back, so the next showing starts from there.
    EXPECT_EQ(splash.iLogo1->x(), 388);
    EXPECT_EQ(splash.iLogo2->x(), 396);
    EXPECT_TRUE(splash.iLogo2->isHidden());
}

TEST(Splash, StoppedTimerKeepsTheSplashOpen) {
    TSplashScreen splash;
    splash.CloseInterval = 10;
    splash.show();
    splash.StopTimer();
    WaitFor([] { return false; }, 100);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.iLogo1->x(), 388);
    splash.RestartTimer(10);
    EXPECT_TRUE(WaitFor([&] { return !splash.isVisible(); }, 3000));
}

TEST(Splash, AboutOffersHelpAndFreesTheWindow) {
    struct Case { bool help; int helpCalls; };
    for (const Case c : {Case{true, 1}, Case{false, 0}}) {
        TSplashScreen *splash = new TSplashScreen;
        int helpCalls = 0;
        QTimer::singleShot(50, splash, [splash, c] {
            EXPECT_TRUE(splash->btnHelp->isVisible());
            EXPECT_TRUE(splash->btnClose->isVisible());
            (c.help ? splash->btnHelp : splash->btnClose)->click();
        });
        ShowAbout(splash, nullptr, [&] { ++helpCalls; });
        EXPECT_EQ(splash, nullptr);
        EXPECT_EQ(helpCalls, c.helpCalls);
    }
}
