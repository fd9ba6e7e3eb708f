#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <vector>

#include "controls/WaitFor.h"
#include "controls/nPopUp.h"

namespace {

// 7 pixels per character, 14 per line, wrapping at the given width.
QSize FixedMeasure(const QString &text, int width) {
    const int chars = int(text.size());
    const int full = chars * 7;
    if (full <= width) return {full, 14};
    const int lines = (full + width - 1) / width;
    return {width, lines * 14};
}

TPopUpLayoutParams Params(int layoutWidth, const QString &header, const QString &body) {
    TPopUpLayoutParams p;
    p.LayoutWidth = layoutWidth;
    p.Header = header;
    p.Body = body;
    p.MeasureHeader = FixedMeasure;
    p.MeasureBody = FixedMeasure;
    return p;
}

}  // namespace

TEST(PopUpLayout, HeaderWithIconAndCloseButtonAboveWrappedBody) {
    TPopUpLayoutParams p = Params(300, "Alert", QString(40, 'x'));
    p.HasIcon = true;
    p.ButtonWidth = 16;
    const TPopUpLayout l = CalcPopUpLayout(p);
    // 8 + 35 text + (16 + 8) icon + (16 + 8) button, then 32 more.
    EXPECT_EQ(l.HeaderRect, QRect(8, 8, 123 - 8, 26));  // icon height 16 + 4 beats the text's 14, then + 6
    EXPECT_EQ(l.HeaderHeight, 34);
    // 280 pixels of body do not fit 300 - 24: two lines at 276.
    EXPECT_EQ(l.BodyRect, QRect(12, 8, 276 + 12, 28));
    EXPECT_EQ(l.Bounds, QRect(0, 0, 300, 34 + 36));
}

TEST(PopUpLayout, LongHeaderIsCappedAtLayoutWidthBeforeItsMargin) {
    TPopUpLayoutParams p = Params(200, QString(100, 'h'), "");
    p.HasIcon = true;
    p.ButtonWidth = 16;
    const TPopUpLayout l = CalcPopUpLayout(p);
    EXPECT_EQ(l.HeaderRect.x() + l.HeaderRect.width(), 200 + 32);
    EXPECT_TRUE(l.BodyRect.isEmpty());
    EXPECT_EQ(l.Bounds.height(), l.HeaderHeight);
}

TEST(PopUpLayout, NoHeaderLeavesTwelvePixelsAndStemAddsHeight) {
    TPopUpLayoutParams p = Params(400, "", "abc");
    p.Stem = ssNormal;
    const TPopUpLayout l = CalcPopUpLayout(p);
    EXPECT_TRUE(l.HeaderRect.isEmpty());
    EXPECT_EQ(l.HeaderHeight, 12);
    EXPECT_EQ(l.Bounds.size(), QSize(12 + 21 + 12, 12 + 22 + 16));
}

TEST(PopUpLayout, StemOffsetPerCorner) {
    const QSize size(200, 100);
    const TStemMetrics normal = StemMetricsOf(ssNormal);
    struct Case { int corner; QPoint offset; };
    const std::vector<Case> cases = {
        {0, {0, 0}},
        {1, {15 - 200, 0}},
        {2, {-15, 0}},
        {3, {15 - 200, -(100 + 32)}},
        {4, {-15, -(100 + 32)}},
    };
    for (const Case &c : cases) EXPECT_EQ(StemOffset(c.corner, size, normal), c.offset) << "corner " << c.corner;
    // The offset shows up in the laid-out bounds.
    TPopUpLayoutParams p = Params(400, "", "abc");
    p.Stem = ssSmall;
    p.Corner = 3;
    const TPopUpLayout l = CalcPopUpLayout(p);
    EXPECT_EQ(l.Bounds.topLeft(), QPoint(16 - l.Bounds.width(), -(l.Bounds.height() + 32)));
}

TEST(PopUpLayout, LayoutWidthRule) {
    struct Case { int arg, prop; bool icon; int iconWidth; int expected; };
    const std::vector<Case> cases = {
        {0, 0, false, 0, 640},      // neither: half the screen
        {300, 0, false, 0, 300},
        {900, 0, false, 0, 640},    // the argument is capped at half the screen
        {0, 280, false, 0, 280},    // the property alone is not capped
        {200, 280, false, 0, 200},  // the property is capped by the argument
        {10, 0, true, 56, 68},      // an icon needs its width + 12
    };
    for (const Case &c : cases)
        EXPECT_EQ(PopUpLayoutWidth(c.arg, c.prop, 1280, c.icon, c.iconWidth), c.expected)
            << c.arg << "/" << c.prop;
}

TEST(PopUpPlacement, QuadrantOfTheWorkAreaPicksTheCorner) {
    const QRect work(0, 0, 1920, 1040);
    const QSize size(300, 70);
    const TStemMetrics none = StemMetricsOf(ssNone);
    struct Case { QPoint anchor; int corner; QPoint topLeft; };
    const std::vector<Case> cases = {
        {{100, 100}, 2, {100, 100}},
        {{1800, 100}, 1, {1800 - 300, 100}},
        {{100, 900}, 4, {100, 900 - 70 - 32}},
        {{1800, 900}, 3, {1800 - 300, 900 - 70 - 32}},
    };
    for (const Case &c : cases) {
        const TStemPlacement r = PlaceStem(QRect(c.anchor, size), 0, none, work);
        EXPECT_EQ(r.Corner, c.corner) << c.anchor.x() << "," << c.anchor.y();
        EXPECT_EQ(r.Rect, QRect(c.topLeft, size));
    }
}

TEST(PopUpPlacement, PointNearBottomRightOfWorkAreaStaysInside) {
    // Pointer over a tray icon in a bottom panel, below the work area.
    const QRect work(0, 0, 1920, 1040);
    const QPoint pointer(1910, 1060);
    for (TStemSize stem : {ssNone, ssNormal, ssLarge}) {
        const TStemMetrics m = StemMetricsOf(stem);
        TPopUpLayoutParams p = Params(280, "Weather", "Temperature 21\nHumidity 40%");
        p.Stem = stem;
        QRect r = CalcPopUpLayout(p).Bounds.translated(pointer + QPoint(8, 12));
        TStemPlacement placed = PlaceStem(r, 0, m, work);
        EXPECT_EQ(placed.Corner, 3) << stem;
        const QRect inside = KeepInside(placed.Rect.adjusted(0, 0, 0, 4), work);
        EXPECT_TRUE(work.contains(inside)) << stem;
        EXPECT_EQ(inside.size(), placed.Rect.size() + QSize(0, 4));
        // Placed again from its new corner, it keeps that corner.
        EXPECT_EQ(PlaceStem(placed.Rect, placed.Corner, m, work).Rect, placed.Rect);
    }
}

TEST(PopUpPlacement, KeepInsideNeverPassesTheOrigin) {
    const QRect area(10, 20, 500, 400);
    EXPECT_EQ(KeepInside(QRect(450, 380, 100, 100), area), QRect(410, 320, 100, 100));
    EXPECT_EQ(KeepInside(QRect(0, 0, 100, 100), area), QRect(10, 20, 100, 100));
    // Larger than the area: pinned at its origin rather than pushed off the top-left.
    EXPECT_EQ(KeepInside(QRect(300, 300, 800, 800), area).topLeft(), QPoint(10, 20));
}

TEST(PopUpShape, StemSitsAtTheChosenCorner) {
    const QSize size(200, 100);
    const TStemMetrics m = StemMetricsOf(ssNormal);
    // Points beside the rounded body, where only a stem can cover them.
    const QPointF topRight(183, 4), topLeft(17, 4), bottomRight(183, 96), bottomLeft(17, 96);
    struct Case { int corner; QPointF inStem; std::vector<QPointF> outside; };
    const std::vector<Case> cases = {
        {1, topRight, {topLeft, QPointF(183, 99)}},
        {2, topLeft, {topRight}},
        {3, bottomRight, {bottomLeft, QPointF(183, 0.5)}},
        {4, bottomLeft, {bottomRight}},
    };
    for (const Case &c : cases) {
        const QPainterPath shape = PopUpShape(size, c.corner, m);
        EXPECT_TRUE(shape.contains(c.inStem)) << "corner " << c.corner;
        for (const QPointF &o : c.outside) EXPECT_FALSE(shape.contains(o)) << "corner " << c.corner;
    }
    // Without a stem the corners are rounded off.
    const QPainterPath plain = PopUpShape(size, 1, StemMetricsOf(ssNone));
    EXPECT_FALSE(plain.contains(QPointF(1.5, 1.5)));
    EXPECT_TRUE(plain.contains(QPointF(100, 50)));
}

TEST(PopUpRules, SlideAnimationOnlyForShortTextsAfterAPause) {
    struct Case { qint64 since; int length; bool animates; bool expected; };
    const std::vector<Case> cases = {
        {1000, 10, true, true}, {251, 399, true, true}, {250, 10, true, false},
        {1000, 400, true, false}, {1000, 10, false, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(UseSlideAnimation(c.since, c.length, c.animates), c.expected) << c.since << "/" << c.length;
}

TEST(PopUpRules, AutoGlowAndSettingsColours) {
    EXPECT_EQ(AutoGlowColor(QColor(0, 0, 0)), QColor(106, 106, 106));
    EXPECT_EQ(AutoGlowColor(QColor(240, 24, 255)), QColor(246, 120, 255));
    EXPECT_EQ(ColorFromBGR(0x494949), QColor(0x49, 0x49, 0x49));
    EXPECT_EQ(ColorFromBGR(0x95CAFF), QColor(0xFF, 0xCA, 0x95));
}

// ---------------------------------------------------------------------------

class PopUpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        sounds.clear();
        old = SetIconSoundPlayer([this](TIconKind k) { sounds.push_back(k); });
    }
    void TearDown() override { SetIconSoundPlayer(old); }
    QRect Work() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
    std::vector<TIconKind> sounds;
    TIconSoundPlayer old;
};

TEST_F(PopUpWindowTest, NothingToShow) {
    TnPopUp popup;
    EXPECT_FALSE(popup.Show("", QPoint(10, 10), 1000));
    EXPECT_FALSE(popup.isVisible());
    EXPECT_FALSE(popup.HideTimerPending());
    EXPECT_TRUE(sounds.empty());
    // A header alone is enough.
    popup.SetHeader("Connection failed");
    EXPECT_TRUE(popup.ShowHeader());
    EXPECT_TRUE(popup.Show("", QPoint(10, 10), 0));
    popup.SetHeader("");
    EXPECT_FALSE(popup.ShowHeader());
}

TEST_F(PopUpWindowTest, ShowNearBottomRightPlaysSoundAndStaysInWorkArea) {
    TnPopUp popup;
    popup.SetIcon(ikWarning);
    popup.SetHeader("Tornado Warning");
    const QRect work = Work();
    ASSERT_TRUE(popup.Show("Take cover now.", work.bottomRight() - QPoint(4, 4), 0));
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.Corner(), 3);
    EXPECT_TRUE(work.contains(popup.geometry())) << popup.geometry().x() << "," << popup.geometry().y();
    EXPECT_EQ(popup.AlphaValue(), 220);
    EXPECT_EQ(popup.StemSize(), ssNone);
    ASSERT_NE(popup.CloseButton(), nullptr);
    EXPECT_TRUE(popup.CloseButton()->isVisible());
    EXPECT_EQ(popup.CloseButton()->pos(), QPoint(popup.width() - 16 - 6, 8));
    EXPECT_EQ(sounds, std::vector<TIconKind>{ikWarning});

    popup.Hide();
    popup.SetPlaySound(false);
    popup.Show("Again", QPoint(50, 50), 0);
    EXPECT_EQ(popup.Corner(), 2);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(PopUpWindowTest, OnShowMayRewriteTheBody) {
    TnPopUp popup;
    popup.OnShow = [](QObject *, QString &text, void *, bool &) { text = text.toUpper(); };
    popup.Show("quiet", QPoint(100, 100), 0);
    EXPECT_EQ(popup.BodyText(), "QUIET");
}

TEST_F(PopUpWindowTest, DurationZeroStaysUntilTheCloseButton) {
    TnPopUp popup;
    bool hiddenSignal = false;
    QObject::connect(&popup, &TCustomPopUp::Hidden, [&] { hiddenSignal = true; });
    // An earlier timed pop-up must not cut the next, untimed one short.
    popup.Show("first", QPoint(100, 100), 30);
    EXPECT_TRUE(popup.HideTimerPending());
    popup.Show("second", QPoint(100, 100), 0);
    EXPECT_FALSE(popup.HideTimerPending());
    WaitFor([] { return false; }, 120);
    EXPECT_TRUE(popup.isVisible());

    TPopUpButton *b = popup.CloseButton();
    ASSERT_NE(b, nullptr);
    QEnterEvent enter(QPointF(8, 8), QPointF(8, 8), b->mapToGlobal(QPointF(8, 8)));
    QApplication::sendEvent(b, &enter);
    EXPECT_EQ(b->State(), TCustomPopUpButton::bsHovered);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(8, 8), b->mapToGlobal(QPointF(8, 8)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &press);
    EXPECT_EQ(b->State(), TCustomPopUpButton::bsPressed);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(8, 8), b->mapToGlobal(QPointF(8, 8)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b, &release);
    EXPECT_EQ(b->State(), TCustomPopUpButton::bsNormal);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_TRUE(hiddenSignal);
}

TEST_F(PopUpWindowTest, TimedPopUpHidesItself) {
    TnPopUp popup;
    popup.Show("brief", QPoint(100, 100), 20);
    EXPECT_TRUE(WaitFor([&] { return !popup.isVisible(); }, 3000));
    EXPECT_FALSE(popup.HideTimerPending());
}

TEST_F(PopUpWindowTest, DisabledCloseButtonIgnoresTheMouse) {
    TnPopUp popup;
    popup.Show("x", QPoint(100, 100), 0);
    TPopUpButton *b = popup.CloseButton();
    b->setEnabled(false);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(8, 8), b->mapToGlobal(QPointF(8, 8)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(8, 8), b->mapToGlobal(QPointF(8, 8)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b, &release);
    EXPECT_TRUE(popup.isVisible());
}

TEST_F(PopUpWindowTest, SecondPopUpWithinAQuarterSecondOrLongTextDoesNotSlide) {
    const bool general = QApplication::isEffectEnabled(Qt::UI_General);
    const bool tips = QApplication::isEffectEnabled(Qt::UI_AnimateTooltip);
    QApplication::setEffectEnabled(Qt::UI_General, true);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, true);
    if (!QApplication::isEffectEnabled(Qt::UI_AnimateTooltip)) GTEST_SKIP() << "platform refuses animations";

    TnPopUp popup;
    popup.Show("first", QPoint(100, 100), 0);
    EXPECT_TRUE(popup.Animated());
    popup.Show("second", QPoint(100, 100), 0);
    EXPECT_FALSE(popup.Animated());

    TnPopUp other;
    other.Show(QString(400, 'w'), QPoint(100, 100), 0);
    EXPECT_FALSE(other.Animated());

    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, tips);
    QApplication::setEffectEnabled(Qt::UI_General, general);
}
