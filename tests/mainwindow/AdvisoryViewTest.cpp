#include "mainwindow/AdvisoryView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "controls/Lists.h"
#include "mainwindow/AlertTestService.h"
#include "platform/FormatSettings.h"

namespace {

TEST(AdvisoryText, HeadlineIsCutAfter53CharactersPast52) {
    const QString s52(52, QLatin1Char('A')), s53(53, QLatin1Char('B')), s60(60, QLatin1Char('C'));
    EXPECT_EQ(AdvisoryHeadline(""), "INFORMATION");
    EXPECT_EQ(AdvisoryHeadline("FLOOD WATCH"), "FLOOD WATCH");
    EXPECT_EQ(AdvisoryHeadline(s52), s52);
    EXPECT_EQ(AdvisoryHeadline(s53), s53 + "...");
    EXPECT_EQ(AdvisoryHeadline(s60), s60.left(53) + "...");
}

TEST(AdvisoryText, LinkFromItsAddress) {
    EXPECT_EQ(AdvisoryLinkText(""), "No Advisory Link");
    EXPECT_EQ(AdvisoryLinkText("Full text at http://alerts.weather.gov/cap/wwacapget.php?x=1"),
              "http://alerts.weather.gov/cap/wwacapget.php?x=1");
    EXPECT_EQ(AdvisoryLinkText("https://api.weather.gov/alerts/1"), "https://api.weather.gov/alerts/1");
    // An "h" in the words before the address does not cut the address.
    EXPECT_EQ(AdvisoryLinkText("Read the http://x"), "http://x");
    EXPECT_EQ(AdvisoryLinkText("see hazards.gov"), "hazards.gov");
    EXPECT_EQ(AdvisoryLinkText("www.example.org"), "www.example.org");
}

class AdvisoryViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::ResetToDefaults();
        view.CurrentService = [this] { return &svc; };
        view.OpenLink = [this](const std::string &t) {
            opened.push_back(t);
            return 0;
        };
    }
    TAlertTestService svc{nullptr};
    TAdvisoryView view;
    std::vector<std::string> opened;
};

TEST_F(AdvisoryViewTest, ListsEveryAlertAndShowsTheFirst) {
    const TDateTime effective = EncodeDate(2024, 5, 1) + EncodeTime(18, 40, 0);
    TMemAlertItem *a = svc.Mem()->AddAlert("Tornado Warning", effective + 1.0 / 24);
    a->Effective = effective;
    a->Headline = "Tornado Warning issued May 1 at 6:40PM CDT until May 1 at 7:45PM CDT by NWS Austin";
    a->Description = "At 640 PM CDT, a severe thunderstorm capable of producing a tornado was located near Austin.";
    a->Web = "http://alerts.weather.gov/cap/wwacapget.php?x=TX1";
    TMemAlertItem *b = svc.Mem()->AddAlert("Flood Watch", 0);
    b->Headline = "Flood Watch";
    b->Description = "Heavy rain may cause flooding.";
    svc.Mem()->Sent = effective;

    QString status;
    view.IsPageActive = [] { return true; };
    view.OnCurrentTime = [&](const QString &t) { status = t; };
    view.ShowAlerts(&svc);

    ASSERT_EQ(view.clbAdvisories->count(), 2);
    EXPECT_EQ(view.clbAdvisories->Name(0), "Tornado Warning");
    EXPECT_EQ(view.clbAdvisories->Name(1), "Flood Watch");
    EXPECT_EQ(view.clbAdvisories->currentRow(), 0);
    EXPECT_EQ(view.ListedItems(), (std::vector<int>{0, 1}));
    EXPECT_EQ(view.glHeadline->text(), "TORNADO WARNING ISSUED MAY 1 AT 6:40PM CDT UNTIL MAY ...");
    EXPECT_EQ(view.CurrentHeadline(), QString::fromStdString(a->Headline).toUpper());
    EXPECT_EQ(view.glEffective->text(), "5/1/2024 6:40:00 PM");
    EXPECT_EQ(view.glExpires->text(), "5/1/2024 7:40:00 PM");
    EXPECT_EQ(view.glAlertLink->text(), QString::fromStdString(a->Web));
    EXPECT_EQ(view.mAdvisory->toPlainText(), QString::fromStdString(a->Description));
    EXPECT_EQ(status, "Advisory: May 01, 6:40 PM ");

    // Selecting the second entry shows it; its missing expiry reads "0".
    view.clbAdvisories->setCurrentRow(1);
    EXPECT_EQ(view.glHeadline->text(), "FLOOD WATCH");
    EXPECT_EQ(view.glExpires->text(), "0");
    EXPECT_EQ(view.glAlertLink->text(), "No Advisory Link");
    EXPECT_EQ(view.mAdvisory->toPlainText(), "Heavy rain may cause flooding.");

    // The collection shrank under the list: a stale entry shows nothing new.
    svc.Mem()->Delete(1);
    view.clbAdvisoriesClick();
    EXPECT_EQ(view.glHeadline->text(), "FLOOD WATCH");
}

TEST_F(AdvisoryViewTest, EmptyCollectionSaysSoAndMissingCollectionClears) {
    svc.Mem()->References = "See http://alerts.weather.gov/cap/tx.php?x=0";
    view.ShowAlerts(&svc);
    EXPECT_EQ(view.clbAdvisories->count(), 0);
    EXPECT_EQ(view.glHeadline->text(), "INFORMATION");
    EXPECT_EQ(view.mAdvisory->toPlainText(), "There are no active watches, warnings or advisories.");
    EXPECT_EQ(view.glEffective->text(), "0");
    EXPECT_EQ(view.glAlertLink->text(), "http://alerts.weather.gov/cap/tx.php?x=0");

    TAlertTestService none(nullptr, false);
    view.ShowAlerts(&none);
    EXPECT_EQ(view.mAdvisory->toPlainText(), "");
    EXPECT_EQ(view.glAlertLink->text(), "No Advisory Link");
    view.ShowAlerts(nullptr);
    EXPECT_EQ(view.clbAdvisories->count(), 0);
}

TEST_F(AdvisoryViewTest, LinkOpensOnlyWhenThereIsOneAndPressesAreReported) {
    int presses = 0;
    QObject::connect(&view, &TAdvisoryView::PagePressed, [&] { ++presses; });
    view.glAlertLinkClick();
    EXPECT_TRUE(opened.empty());

    svc.Mem()->AddAlert("Heat Advisory", 0)->Web = "http://example.org/a";
    view.ShowAlerts(&svc);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(view.glAlertLink, &release);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.org/a"}));

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view.clbAdvisories->viewport(), &press);
    QApplication::sendEvent(view.mAdvisory->viewport(), &press);
    EXPECT_EQ(presses, 2);
}

}  // namespace
