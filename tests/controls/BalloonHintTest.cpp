#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QWidget>

#include "controls/WaitFor.h"
#include "controls/nBalloonHint.h"

namespace {

// A form with the component on it; every test starts with fresh singletons.
class BalloonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(TBalloonHints::Instance(), nullptr);
        ASSERT_EQ(TBalloonHint::Instance(), nullptr);
        form = new QWidget;
        hints = TBalloonHints::Create(form);
    }
    void TearDown() override {
        delete form;  // owns the component
        delete TBalloonHint::Instance();
    }
    QWidget *form = nullptr;
    TBalloonHints *hints = nullptr;
};

}  // namespace

TEST_F(BalloonTest, OneComponentAndOneBalloon) {
    EXPECT_EQ(TBalloonHints::Create(nullptr), hints);
    EXPECT_TRUE(hints->BalloonsEnabled());
    TBalloonHint *a = TBalloonHint::Create();
    EXPECT_EQ(TBalloonHint::Create(), a);
    delete a;
    EXPECT_EQ(TBalloonHint::Instance(), nullptr);
}

TEST_F(BalloonTest, PreparationGivesTheCommonLook) {
    hints->Header = "Click here to. . .";
    hints->AlphaValue = 212;
    hints->FrameColor = QColor(0x49, 0x49, 0x49);
    hints->Icon = ikInformation;
    hints->ShowHeader = true;
    hints->ShowIcon = true;
    hints->HeaderGlow = QColor(0, 255, 255);
    hints->StemSize = ssLarge;

    TCustomHintWindow plain, ownHeader;
    ownHeader.SetHeader("Forecast");
    const QColor ownColor = plain.Color();
    for (TCustomHintWindow *b : {&plain, &ownHeader}) {
        QString text = "tip";
        bool handled = false;
        hints->PrepareHint(b, text, nullptr, handled);
        EXPECT_TRUE(handled);
        EXPECT_EQ(hints->Current(), b);
        EXPECT_EQ(b->AlphaValue(), 212);
        EXPECT_EQ(b->FrameColor(), QColor(0x49, 0x49, 0x49));
        EXPECT_EQ(b->Icon(), ikInformation);
        EXPECT_EQ(b->StemSize(), ssLarge);
        EXPECT_TRUE(b->ShowHeader());
        EXPECT_FALSE(b->PlaySound());
        EXPECT_EQ(b->HeaderGlow(), QColor(0, 255, 255));
    }
    EXPECT_EQ(plain.Header(), "Click here to. . .");
    EXPECT_EQ(ownHeader.Header(), "Forecast");

    // The info-background colour leaves each balloon's own; any other wins.
    plain.SetColor(QColor(1, 2, 3));
    hints->SetColor(TBalloonHints::InfoBackground());
    QString text = "tip";
    bool handled = false;
    hints->PrepareHint(&plain, text, nullptr, handled);
    EXPECT_EQ(plain.Color(), QColor(1, 2, 3));
    hints->SetColor(QColor(250, 240, 200));
    hints->PrepareHint(&plain, text, nullptr, handled);
    EXPECT_EQ(plain.Color(), QColor(250, 240, 200));
    EXPECT_NE(ownColor, QColor());

    // Glow 0 keeps the balloon's glow.
    plain.SetHeaderGlow(QColor(9, 9, 9));
    hints->HeaderGlow = QColor(0, 0, 0);
    hints->PrepareHint(&plain, text, nullptr, handled);
    EXPECT_EQ(plain.HeaderGlow(), QColor(9, 9, 9));
}

TEST_F(BalloonTest, HandledByTheHintShowEventKeepsTheBalloonsSettings) {
    hints->AlphaValue = 100;
    hints->Header = "H";
    int calls = 0;
    hints->OnHintShow = [&](QObject *sender, QString &text, void *, bool &handled) {
        ++calls;
        auto *b = static_cast<TCustomHintWindow *>(sender);
        b->SetMaxWidth(200);
        text += "!";
        handled = text.startsWith("mine");
    };
    TCustomHintWindow b;
    QString text = "mine";
    bool handled = false;
    hints->PrepareHint(&b, text, nullptr, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(text, "mine!");
    EXPECT_EQ(b.AlphaValue(), 255);
    EXPECT_EQ(b.Header(), "");
    EXPECT_EQ(b.MaxWidth(), 200);

    text = "other";
    hints->PrepareHint(&b, text, nullptr, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(b.AlphaValue(), 100);
    EXPECT_EQ(calls, 2);
}

TEST_F(BalloonTest, ShowBalloonAndHideBalloon) {
    hints->ShowBalloon(QPoint(100, 100), 200, false, nullptr, "");
    EXPECT_TRUE(hints->Balloon() == nullptr || !hints->Balloon()->isVisible());
    EXPECT_FALSE(hints->BalloonTimerActive());

    hints->Header = "Tonight";
    hints->ShowHeader = true;
    hints->ShowBalloon(QPoint(100, 100), 200, true, nullptr, "Clear, low 41.");
    TCustomHintWindow *b = hints->Balloon();
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->BodyText(), "Clear, low 41.");
    EXPECT_EQ(b->Header(), "Tonight");  // taken over through the balloon's OnShow
    EXPECT_TRUE(hints->BalloonTimerActive());
    EXPECT_NE(b->Corner(), 0);
    EXPECT_FALSE(b->Animated());

    const QRect where = b->geometry();
    hints->ShowBalloon(QPoint(400, 300), 200, false, nullptr, "Elsewhere");
    EXPECT_EQ(b->geometry(), where);
    EXPECT_EQ(b->BodyText(), "Clear, low 41.");

    hints->HideBalloon();
    EXPECT_FALSE(b->isVisible());
    EXPECT_FALSE(hints->BalloonTimerActive());
    EXPECT_EQ(hints->Balloon(), nullptr);
}

TEST_F(BalloonTest, BalloonHidesAfterTheHintPause) {
    const int old = TBalloonHints::HintHidePause;
    TBalloonHints::HintHidePause = 20;
    hints->ShowBalloon(QPoint(100, 100), 200, false, nullptr, "short");
    TCustomHintWindow *b = hints->Balloon();
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(WaitFor([&] { return !b->isVisible(); }, 3000));
    TBalloonHints::HintHidePause = old;
}

TEST_F(BalloonTest, ControlToolTipsBecomeBalloons) {
    hints->ShowIcon = true;
    hints->Icon = ikInformation;
    QPushButton button("Go", form);
    button.setToolTip("Refresh now");
    form->show();
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&button, &tip);

    TBalloonHint *b = TBalloonHint::Instance();
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->BodyText(), "Refresh now");
    EXPECT_EQ(b->Data(), &button);
    EXPECT_EQ(b->StemSize(), ssNormal);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(b->isVisible());
}
