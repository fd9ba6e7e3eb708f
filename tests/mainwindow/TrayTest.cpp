#include "mainwindow/Tray.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "app/IniSettings.h"
#include "controls/nPopUp.h"
#include "mainwindow/AlertTestService.h"

namespace {

TTraySummaryFields sampleFields() {
    TTraySummaryFields f;
    f.TabCaption = "Current";
    f.Weather = "Partly Cloudy";
    f.HeatIndex = "Feels like 75";
    f.HumidityLabel = "  Humidity ";
    f.Humidity = "40%";
    f.BarometerLabel = "Barometer";
    f.Barometer = "30.02 in";
    f.SunRiseLabel = "Sunrise";
    f.SunRise = "6:42 AM";
    f.SunsetLabel = "Sunset";
    f.SunDown = "8:11 PM";
    f.Wind = "Wind: S at 10 mph";
    f.Detail = "Sunny, with a high near 88.\r\nSouth wind around 10 mph.";
    f.ForecastFor = "Forecast for ";
    f.Location = "Austin, TX";
    return f;
}

TEST(TraySummary, BodyAndHeaderAsLaidOut) {
    EXPECT_EQ(TraySummaryBody(sampleFields()),
              "Current:    \tPartly Cloudy\n\t\tFeels like 75"
              "\nHumidity    \t40%"
              "\nBarometer\t30.02 in"
              "\nSunrise:\t\t6:42 AM"
              "\nSunset:\t\t8:11 PM"
              "\n Wind: S at 10 mph"
              "\n\n Forecast for Sunny, with a high near 88."
              "\n\nAustin, TX\n\nTolvu - Orv Software.");
    TTraySummaryFields f = sampleFields();
    f.Detail = "Forecast Not Available";
    EXPECT_EQ(TraySummaryBody(f).find("Forecast for"), std::string::npos);
    EXPECT_EQ(TraySummaryHeader("72\xC2\xB0", "Fahrenheit"), " 72\xC2\xB0 F");
}

TEST(TraySummary, SunCaptionsLineUpWithTabs) {
    const struct {
        const char *value;
        std::string rise, set;
    } cases[] = {
        {"", "Sunrise:\t\t", "Sunset:\t\t"},
        {"Sunset1", "Sunset1:\t\t", "Sunset1:\t"},                      // 8 characters
        {"Sonnenaufgang", "Sonnenaufgang:\t", "Sonnenaufgang:\t"},      // 14
        {"Lever du soleil!", "Lever du soleil!:", "Lever du soleil!:"},  // 17
        {"Aufgang \xC3\xBC", "Aufgang \xC3\xBC:\t", "Aufgang \xC3\xBC:\t"},  // 10 characters, 11 bytes
    };
    for (const auto &c : cases) {
        EXPECT_EQ(SunriseCaption(c.value), c.rise) << c.value;
        EXPECT_EQ(SunsetCaption(c.value), c.set) << c.value;
    }
}

TEST(TrayIconNumber, NumberBeforeDegreeSign) {
    const struct {
        const char *text;
        bool service;
        int svcTemp;
        std::string out;
        bool small, badge;
    } cases[] = {
        {"72\xC2\xB0" "F", true, 0, "72", false, false},
        {"105\xC2\xB0" "F", true, 0, "5", false, true},
        {"100\xB0", true, 0, "0", false, true},
        {"-12\xC2\xB0" "F", true, 0, "-12", true, false},
        {"\xC2\xB0" "F", true, 41, "41", false, false},
        {"0", true, 0, "0", false, false},
        {"N/A", true, 0, "N/A", false, false},
        {"72\xC2\xB0" "F", false, 0, "A+", false, false},
    };
    for (const auto &c : cases) {
        const TTrayNumber n = TrayIconNumber(c.text, c.service, c.svcTemp);
        EXPECT_EQ(n.Text, c.out) << c.text;
        EXPECT_EQ(n.SmallFont, c.small) << c.text;
        EXPECT_EQ(n.Badge, c.badge) << c.text;
    }
}

// Bounding box of the pixels in the text colour.
QRect textBox(const QImage &img, QRgb text) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == text) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(TrayPicture, HundredAndAboveOnRoundedRectangleBelowZeroSmaller) {
    QFont font("DejaVu Sans", 26, QFont::Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    const QColor ink(0, 0, 128);

    const QImage hot = DrawTrayTemperature(TrayIconNumber("105\xC2\xB0", true, 0), font, ink);
    ASSERT_EQ(hot.size(), QSize(64, 64));
    const QRgb orange = qRgb(0xFF, 0xCA, 0x95);
    EXPECT_EQ(hot.pixel(4, 32), orange);
    EXPECT_EQ(hot.pixel(32, 4), orange);
    EXPECT_EQ(hot.pixel(32, 59), orange);
    EXPECT_EQ(qAlpha(hot.pixel(1, 32)), 0);   // outside the rectangle
    EXPECT_EQ(qAlpha(hot.pixel(62, 62)), 0);
    EXPECT_EQ(qAlpha(hot.pixel(2, 2)), 0);    // a rounded corner
    // One digit, centred: far narrower than three.
    const QRect five = textBox(hot, ink.rgb());
    ASSERT_TRUE(five.isValid());
    EXPECT_LT(five.width(), QFontMetrics(font).horizontalAdvance("10"));
    EXPECT_NEAR(five.center().x(), 32, 4);

    const QImage mild = DrawTrayTemperature(TrayIconNumber("12\xC2\xB0", true, 0), font, ink);
    const QImage cold = DrawTrayTemperature(TrayIconNumber("-12\xC2\xB0", true, 0), font, ink);
    EXPECT_EQ(qAlpha(mild.pixel(4, 32)), 0);
    const QRect h12 = textBox(mild, ink.rgb()), hm12 = textBox(cold, ink.rgb());
    ASSERT_TRUE(h12.isValid() && hm12.isValid());
    EXPECT_LT(hm12.height(), h12.height());
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        tray = std::make_unique<TTray>(&window);
        tray->IsHidden = [this] { return hidden; };
        tray->Summary = [this] {
            ++summaries;
            TTraySummary s;
            s.Fields = sampleFields();
            s.Temperature = "72\xC2\xB0";
            s.ScaleCaption = "Fahrenheit";
            return s;
        };
    }
    void TearDown() override { tray.reset(); }

    // Moves until the summary shows; the count of moves, or -1 within the limit.
    int movesToSummary(int limit) {
        for (int i = 1; i <= limit; ++i) {
            tray->MouseMove(QPoint(900, 700));
            if (tray->PopUpVisible()) return i;
        }
        return -1;
    }

    QWidget window;
    std::unique_ptr<TTray> tray;
    bool hidden = true;
    int summaries = 0;
};

TEST_F(TrayTest, SummaryOnThe25thMoveThenEvery33rd) {
    EXPECT_EQ(movesToSummary(100), 25);
    EXPECT_EQ(tray->PopUp()->Header(), " 72\xC2\xB0 F");
    EXPECT_EQ(tray->PopUp()->Icon(), ikCustom);
    EXPECT_EQ(tray->PopUp()->HeaderFont().pointSize(), 24);
    EXPECT_TRUE(tray->PopUp()->HideTimerPending());
    tray->HidePopUp();
    EXPECT_EQ(movesToSummary(100), 33);
    tray->HidePopUp();
    EXPECT_EQ(movesToSummary(100), 33);
    tray->HidePopUp();

    // Never while the window is visible or a menu is open; the count goes on
    // and the first move allowed again shows it.
    hidden = false;
    EXPECT_EQ(movesToSummary(40), -1);
    hidden = true;
    QMenu other;
    other.popup(QPoint(10, 10));
    ASSERT_TRUE(tray->MenuOpen());
    EXPECT_EQ(movesToSummary(10), -1);
    other.hide();
    EXPECT_FALSE(tray->MenuOpen());
    EXPECT_EQ(movesToSummary(1), 1);
}

TEST_F(TrayTest, MenuOpeningResetsCounterAndNamesTheToggle) {
    QStringList captions;
    for (QAction *a : tray->PopupMenu()->actions()) captions << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(captions, (QStringList{"Weather", "Minimize", "About", "Preferences", "-", "Exit"}));

    int minimize = 0, restore = 0;
    QObject::connect(tray.get(), &TTray::MinimizeClicked, [&] { ++minimize; });
    QObject::connect(tray.get(), &TTray::RestoreClicked, [&] { ++restore; });
    tray->MenuPopup();
    EXPECT_EQ(tray->mMinMax->text(), "Restore");
    EXPECT_EQ(tray->HoverCounter().Count(), 0);
    tray->mMinMax->trigger();
    hidden = false;
    tray->MenuPopup();
    EXPECT_EQ(tray->mMinMax->text(), "Minimize");
    tray->mMinMax->trigger();
    EXPECT_EQ(restore, 1);
    EXPECT_EQ(minimize, 1);
}

TEST_F(TrayTest, ClickRestoresOnlyWhenHidden) {
    int restores = 0;
    QObject::connect(tray.get(), &TTray::RestoreRequested, [&] {
        ++restores;
        tray->IconClick();  // a second click while the first is handled
    });
    tray->IconClick();
    EXPECT_EQ(restores, 1);
    hidden = false;
    tray->IconClick();
    EXPECT_EQ(restores, 1);
}

TEST_F(TrayTest, ConnectFailureAndAlertStyles) {
    // Visible window, or a setup dialog: the window shows its message dialog.
    hidden = false;
    EXPECT_FALSE(tray->ConnectFailurePopUp("Connect Failure", false));
    hidden = true;
    EXPECT_FALSE(tray->ConnectFailurePopUp("Connect Failure", true));
    // Hidden, but the tray does not say where it is: taken, nothing shown.
    EXPECT_TRUE(tray->ConnectFailurePopUp("Connect Failure", false));
    EXPECT_EQ(tray->PopUp(), nullptr);

    tray->SetFixedTrayPosition(QPoint(980, 740));
    ASSERT_TRUE(tray->ConnectFailurePopUp("Connect Failure", false));
    TnPopUp *p = tray->PopUp();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(p->Header(), "Tolvu\nConnect Failure");
    EXPECT_EQ(p->BodyText(), "Could not connect to the Remote Server. ");
    EXPECT_EQ(p->Icon(), ikError);
    EXPECT_EQ(p->HeaderFont().pointSize(), 11);
    EXPECT_TRUE(p->HideTimerPending());

    EXPECT_TRUE(tray->AlertNotice("Advisory", "TORNADO WARNING"));
    EXPECT_EQ(tray->PopUp(), p);  // the one pop-up, reused
    EXPECT_EQ(p->Header(), "Tolvu Advisory");
    EXPECT_EQ(p->BodyText(), " TORNADO WARNING");
    EXPECT_EQ(p->Icon(), ikWarning);
    EXPECT_EQ(p->Color(), ToQColor(0x000064));
    EXPECT_FALSE(p->HideTimerPending());  // stays until closed

    // Nothing to show, or closing: no pop-up.
    EXPECT_FALSE(tray->ShowPopUp(QPoint(10, 10), "", "Header", psAlert, 296));
    tray->IsClosing = [] { return true; };
    EXPECT_FALSE(tray->ShowPopUp(QPoint(10, 10), "Body", "Header", psAlert, 296));
}

TEST_F(TrayTest, ZeroPopUpColourReadsTheColoursAgain) {
    TIniSettings ini;
    ini.WriteString("Options", "wPopUpColor", "0x404000");
    TPopUpColours zero;
    zero.PopUp = 0;
    tray->SetPopUpColours(zero);
    tray->LoadPopUpColours = [&] { return ReadPopUpColours(ini); };
    tray->SetFixedTrayPosition(QPoint(500, 500));
    ASSERT_TRUE(tray->AlertNotice("Advisory", "FLOOD WATCH"));
    EXPECT_EQ(tray->PopUpColours().PopUp, 0x907D7Du);
    EXPECT_EQ(tray->PopUp()->Color(), ToQColor(0x404000));
}

TEST_F(TrayTest, AnimationRunsItsRoundsAndGivesTheTemperatureIconBack) {
    TAlertTestService svc(nullptr);
    EXPECT_FALSE(tray->UpdateTemperatureIcon("", &svc, 0x000080, QFont()));
    ASSERT_TRUE(tray->UpdateTemperatureIcon("0", &svc, 0x000080, QFont()));
    const QImage temp = tray->TemperatureImage();

    tray->StartAnimation();
    ASSERT_EQ(tray->AnimationFrameCount(), 4);
    EXPECT_TRUE(tray->Animation().Running());
    int steps = 0;
    while (tray->Animation().Running() && steps < 100) {
        tray->AnimationStep();
        ++steps;
    }
    EXPECT_EQ(steps, 4 * 4 - 1);
    // A redraw while the animation is on keeps the picture for later.
    tray->UpdateTemperatureIcon("105\xC2\xB0", &svc, 0x000080, QFont());
    EXPECT_NE(tray->TemperatureImage(), temp);
    tray->StopAnimation();
    EXPECT_EQ(tray->Animation().Index(), -1);
    EXPECT_EQ(tray->AnimationFrameCount(), 0);
    EXPECT_FALSE(tray->TrayIcon()->icon().isNull());
}

TEST_F(TrayTest, ToolTipCarriesTheSummaryWhileHidden) {
    tray->RefreshToolTip();
    EXPECT_TRUE(tray->TrayIcon()->toolTip().startsWith("72\xC2\xB0 F\nCurrent:"));
    EXPECT_TRUE(tray->TrayIcon()->toolTip().endsWith("Tolvu - Orv Software."));
    hidden = false;
    tray->RefreshToolTip();
    EXPECT_EQ(tray->TrayIcon()->toolTip(), "Tolvu");
    hidden = true;
    tray->SetNotify(false);
    tray->RefreshToolTip();
    EXPECT_EQ(tray->TrayIcon()->toolTip(), "Tolvu");
}

}  // namespace
