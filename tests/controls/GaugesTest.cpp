#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "controls/nGauges.h"

namespace {

// The humidity dial of the Current page.
TGaugeParams HumidityParams() {
    TGaugeParams p;
    p.style = TGaugeStyles(gsElipse) | gsDefaultBack | gsDefaultPicture;
    p.degreeOffset = 200;
    p.slideLength = 296;
    p.slideX = 8;
    p.slideWidth = 14;
    p.min = 0;
    p.max = 100;
    p.step = 14;
    p.tikLength = 18;
    p.tiks = 3;
    p.itemOffset = 14;
    p.alpha = 75;
    p.alphaSize = 32;
    p.margin = 1;
    return p;
}

// The thermometer of the Current page.
TGaugeParams ThermometerParams() {
    TGaugeParams p;
    p.style = TGaugeStyles(gsVertical) | gsArrow;
    p.min = -40;
    p.max = 120;
    p.step = 20;
    p.slideX = 46;
    p.slideY = 18;
    p.slideWidth = 20;
    p.slideLength = 192;
    p.tikLength = 20;
    p.tiks = 3;
    p.itemOffset = 8;
    return p;
}

QImage Render(QWidget &w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

bool IsColor(QRgb px, TColor c, int tolerance = 40) {
    const QColor q = ToQColor(c);
    return std::abs(qRed(px) - q.red()) <= tolerance && std::abs(qGreen(px) - q.green()) <= tolerance &&
           std::abs(qBlue(px) - q.blue()) <= tolerance;
}

}  // namespace

TEST(GaugeValue, ReadsClampedAndRefusesChangesOnEmptyRange) {
    TTemperature t;
    t.SetMin(-40);
    t.SetMax(120);
    t.SetValue(500);
    EXPECT_EQ(t.Value(), 120);
    t.SetValue(-100);
    EXPECT_EQ(t.Value(), -40);
    t.SetValue(72);
    EXPECT_EQ(t.Value(), 72);

    // Min = Max = Value: the setter refuses, and nothing divides by zero.
    TImageGauge g;
    g.SetMin(10);
    g.SetMax(10);
    g.SetValue(10);
    g.SetValue(50);
    EXPECT_EQ(g.Value(), 10);
    g.resize(128, 128);
    g.SetStyle(TGaugeStyles(gsElipse));
    g.SetAlpha(10);
    g.SetAlphaSize(20);
    EXPECT_FALSE(Render(g).isNull());

    TCompass c;
    EXPECT_EQ(c.Value(), 359);  // stored 360, read within the range
}

TEST(RoundGeometry, HumidityLabelsRunClockwiseFromEightOClock) {
    const TGaugeParams p = HumidityParams();
    const auto marks = RoundScaleMarks(p);
    ASSERT_EQ(marks.size(), 8u);
    for (size_t k = 0; k < marks.size(); ++k) {
        EXPECT_EQ(marks[k].value, int(14 * k));
        EXPECT_EQ(marks[k].angle, int(41 * k));
    }
    const TScaleGeometry g = RoundScale(p, 128, false);
    ASSERT_EQ(g.labels.size(), 8u);
    const QPoint c = RoundCentre(128);
    EXPECT_EQ(c, QPoint(64, 65));
    // 0 % lies left of and below the centre; the next labels climb the left side.
    EXPECT_LT(g.labels[0].anchor.x(), c.x());
    EXPECT_GT(g.labels[0].anchor.y(), c.y());
    EXPECT_LT(g.labels[1].anchor.y(), g.labels[0].anchor.y());
    EXPECT_LT(g.labels[2].anchor.y(), g.labels[1].anchor.y());
    // 98 % ends on the right, below the centre.
    EXPECT_GT(g.labels[7].anchor.x(), c.x());
    EXPECT_GT(g.labels[7].anchor.y(), c.y());
}

TEST(RoundGeometry, CompassPointsAndNeedle) {
    TCompass compass;
    EXPECT_EQ(compass.size(), QSize(128, 128));
    EXPECT_EQ(compass.Max(), 359);
    EXPECT_EQ(compass.DegreeOffset(), 90);
    const QPoint c = RoundCentre(128);
    const TScaleGeometry g = RoundScale(compass.Params(), 128, false);
    ASSERT_EQ(g.labels.size(), 8u);
    const char *names[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(CompassPointName(g.labels[size_t(k)].value), QString(names[k]));
    // N on top, E right, S below, W left.
    EXPECT_LT(g.labels[0].anchor.y(), c.y() - 30);
    EXPECT_NEAR(g.labels[0].anchor.x(), c.x(), 1);
    EXPECT_GT(g.labels[2].anchor.x(), c.x() + 30);
    EXPECT_GT(g.labels[4].anchor.y(), c.y() + 30);
    EXPECT_LT(g.labels[6].anchor.x(), c.x() - 30);

    compass.SetDegree(90);
    EXPECT_EQ(ValueAngle(360, 90, 0, 359), 90);
    const auto needle = NeedlePoints(compass.Params(), 128);
    ASSERT_EQ(needle.size(), 3u);
    EXPECT_EQ(needle[1], QPoint(c.x() + 32, c.y()));  // the tip, PointerSize out to the right
    compass.SetPointerSize(0);
    EXPECT_TRUE(NeedlePoints(compass.Params(), 128).empty());
}

TEST(VerticalGeometry, ThermometerMarksEvery24Pixels) {
    const TGaugeParams p = ThermometerParams();
    const TSlide s = SlideRect(p, QSize(116, 240), QSize(116, 240), false);
    const TScaleGeometry g = VerticalScale(p, s, false);
    ASSERT_EQ(g.labels.size(), 9u);
    for (size_t k = 0; k < g.labels.size(); ++k) {
        EXPECT_EQ(g.labels[k].value, 120 - 20 * int(k));
        EXPECT_EQ(g.labels[k].anchor, QPoint(46 + 20 + 20 + 8, 18 + 24 * int(k)));
        EXPECT_EQ(g.major[k], QLine(66, 18 + 24 * int(k), 86, 18 + 24 * int(k)));
    }
    // Three unlabelled marks 6 pixels apart in each gap, none below the column.
    ASSERT_EQ(g.minor.size(), 24u);
    EXPECT_EQ(g.minor[0], QLine(66, 24, 78, 24));
    EXPECT_EQ(g.minor[2].y1(), 36);
    EXPECT_EQ(g.minor[3].y1(), 48);
    EXPECT_LE(g.minor.back().y1(), 18 + 192);

    // A bold font doubles each labelled mark one pixel lower.
    const TScaleGeometry bold = VerticalScale(p, s, true);
    ASSERT_EQ(bold.major.size(), 18u);
    EXPECT_EQ(bold.major[1].y1(), bold.major[0].y1() + 1);
    EXPECT_EQ(RoundScale(HumidityParams(), 128, true).major.size(), 3 * 8u);

    EXPECT_EQ(VerticalFill(p, s).top, 18 + 192 * (120 - 50) / 160);
}

TEST(VerticalGeometry, MarkersPointAtTheColumn) {
    TGaugeParams p = ThermometerParams();
    const TSlide s = SlideRect(p, QSize(116, 240), {}, false);
    // Value 120 sits at the top: the tip (0,1)·size touches the column's right edge there.
    const auto right = VerticalMarkerTriangle(p, s, 120, 6);
    EXPECT_EQ(right[1], QPoint(66, 18));
    EXPECT_EQ(right[0], QPoint(72, 12));
    p.alignment = TGaugeAlignment::Left;
    const auto left = VerticalMarkerTriangle(p, s, -40, 6);
    EXPECT_EQ(left[1], QPoint(46, 210));
    EXPECT_EQ(left[0], QPoint(40, 204));
}

TEST(GaugeGuards, DegenerateRangesAndStepsDrawNothingAndNeverHang) {
    struct Case {
        int min, max, step, tiks;
    } cases[] = {{10, 10, 20, 3}, {0, 100, 0, 3}, {0, 100, -5, 3}, {0, 1000, 1, 3}, {0, 100, 10, -1}};
    for (const Case &c : cases) {
        TGaugeParams p = ThermometerParams();
        p.min = c.min;
        p.max = c.max;
        p.step = c.step;
        p.tiks = c.tiks;
        const TSlide s = SlideRect(p, QSize(116, 240), {}, false);
        const TScaleGeometry v = VerticalScale(p, s, false);
        if (c.min == c.max || c.step <= 0 || c.step == 1) {
            EXPECT_TRUE(v.labels.empty()) << c.min << " " << c.step;
        }
        if (c.tiks < 0) {
            EXPECT_TRUE(v.minor.empty());
        }
        p.style = TGaugeStyles(gsElipse);
        if (c.min == c.max || c.step <= 0) {
            EXPECT_TRUE(RoundScaleMarks(p).empty());
        }
    }
    EXPECT_EQ(ValueAngle(296, 50, 7, 7), 0);
    EXPECT_EQ(VerticalOffset(192, 7, 7, 7), 0);
    EXPECT_EQ(ArcColor(clRed, clLime, 0, 0), clRed);
    EXPECT_EQ(SlideRect(ThermometerParams(), QSize(232, 480), QSize(0, 0), true).left, 46);
}

TEST(GaugeGeometry, StretchScalesTheSlideAndRoundDialsUseTheDiameter) {
    const TSlide s = SlideRect(ThermometerParams(), QSize(232, 480), QSize(116, 240), true);
    EXPECT_EQ(s.left, 92);
    EXPECT_EQ(s.width, 40);
    EXPECT_EQ(s.top, 36);
    EXPECT_EQ(s.length, 384);
    EXPECT_EQ(SlideRect(HumidityParams(), QSize(128, 128), {}, false).width, 126);
    const TArcGeometry a = RoundArc(HumidityParams(), 128);
    EXPECT_EQ(a.outer, 126 / 2 - 8);
    EXPECT_EQ(a.inner, a.outer - 14);
    EXPECT_EQ(ArcColor(0x000000, 0x0000FF, 50, 100), 0x00007F);
}

TEST(GaugeStyle, ExclusiveLayoutsAndDefaultLayers) {
    struct Case {
        TGaugeStyles from, to, expect;
    } cases[] = {
        {TGaugeStyles(gsVertical), TGaugeStyles(gsVertical) | gsElipse, TGaugeStyles(gsElipse)},
        {TGaugeStyles(gsElipse), TGaugeStyles(gsElipse) | gsVertical, TGaugeStyles(gsVertical)},
        {TGaugeStyles(gsVertical), TGaugeStyles(gsVertical) | gsHorizontal, TGaugeStyles(gsHorizontal)},
        {TGaugeStyles(gsVertical) | gsArrow, TGaugeStyles(gsVertical), TGaugeStyles(gsVertical)},
    };
    for (const Case &c : cases) {
        TImageGauge g;
        g.SetStyle(c.from);
        g.SetStyle(c.to);
        EXPECT_EQ(g.Style(), c.expect) << int(c.to);
    }

    TImageGauge g;
    g.SetBackResource(QStringLiteral("GAUGEBACK03.PNG"));
    g.SetForeResource(QStringLiteral("NO-SUCH-PICTURE.PNG"));
    g.SetStyle(TGaugeStyles(gsElipse) | gsDefaultBack | gsDefaultPicture);
    EXPECT_TRUE(g.Transparent());
    EXPECT_EQ(g.Background().size(), QSize(128, 128));
    EXPECT_TRUE(g.Picture().isNull());  // a missing resource leaves the layer empty
    g.SetStyle(TGaugeStyles(gsElipse));
    EXPECT_TRUE(g.Background().isNull());
    EXPECT_FALSE(g.Transparent());

    TCompass c;
    c.SetStyle(TGaugeStyles(gsVertical) | gsDefaultBack);
    EXPECT_FALSE(c.Style().testFlag(gsVertical));
    EXPECT_EQ(c.FontColor(), clSkyBlue);
    c.SetStyle(TGaugeStyles(gsElipse));
    EXPECT_EQ(c.FontColor(), clBlack);

    TTemperature t;
    t.SetStyle(TGaugeStyles(gsVertical) | gsArrow | gsDefaultPicture);
    EXPECT_EQ(t.Picture().size(), QSize(116, 240));
    EXPECT_EQ(t.size(), QSize(116, 240));
    EXPECT_EQ(t.SlideX(), 48);
    EXPECT_EQ(t.SlideY(), 36);
    EXPECT_EQ(t.SlideWidth(), 18);
    EXPECT_EQ(t.Postfix(), QStringLiteral("°"));
}

TEST(GaugeResources, ProgramLoaderWinsOverDrawnPictures) {
    EXPECT_TRUE(LoadGaugeResource(QString()).isNull());
    EXPECT_TRUE(LoadGaugeResource(QStringLiteral("UNKNOWN.PNG")).isNull());
    EXPECT_EQ(LoadGaugeResource(QStringLiteral("GAUGELENSE01.PNG")).size(), QSize(128, 128));
    QImage art(128, 128, QImage::Format_ARGB32);
    art.fill(Qt::magenta);
    SetGaugeResourceLoader([&](const QString &name) {
        return name == QLatin1String("GAUGEBACK03.PNG") ? art : QImage();
    });
    TCompass c;
    c.SetStyle(c.Style() | gsDefaultBack);
    EXPECT_EQ(c.Background().pixel(5, 5), art.pixel(5, 5));
    EXPECT_EQ(LoadGaugeResource(QStringLiteral("GAUGELENSE01.PNG")).size(), QSize(128, 128));
    SetGaugeResourceLoader({});
}

TEST(GaugePainting, StagesScaleLabelsAndNeedleTip) {
    TCompass c;
    c.SetStyle(TGaugeStyles(gsElipse));  // no pictures: the face and the needle alone
    c.resize(128, 128);
    c.SetBackColor(clNavy);
    c.SetColorA(clRed);
    c.SetValue(0);
    c.SetDegree(90);
    std::vector<int> phases;
    c.OnPaint = [&](TOverlayImage *, QPainter &, int phase) { phases.push_back(phase); };
    std::vector<int> labelled;
    c.OnDrawItem = [&](TCustomGauge *, QPainter &, int value, QRect) { labelled.push_back(value); };
    const QImage img = Render(c);
    EXPECT_EQ(phases, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(labelled, (std::vector<int>{0, 45, 90, 135, 180, 225, 270, 315}));
    const QPoint centre = RoundCentre(128);
    EXPECT_TRUE(IsColor(img.pixel(centre.x() + 20, centre.y()), clRed));   // towards the tip
    EXPECT_TRUE(IsColor(img.pixel(centre.x() - 20, centre.y()), clNavy));  // the other side is face
    EXPECT_TRUE(IsColor(img.pixel(1, 1), clWhite));                         // outside the dial
}

TEST(GaugePainting, ColumnFillAndBetaMarkerSize) {
    TTemperature t;
    t.resize(116, 240);
    t.SetMin(-40);
    t.SetMax(120);
    t.SetStep(20);
    t.SetSlideX(46);
    t.SetSlideY(18);
    t.SetSlideWidth(20);
    t.SetSlideLength(192);
    t.SetGradient(false);
    t.SetColor(clLime);
    t.SetColorB(clMaroon);
    t.SetValue(40);  // offset 96: filled from y 114 down
    t.SetBeta(80);   // marker tip at y 18 + 48
    t.SetBetaSize(6);
    t.SetAlphaSize(0);
    QImage img = Render(t);
    EXPECT_TRUE(IsColor(img.pixel(56, 120), clLime));
    EXPECT_TRUE(IsColor(img.pixel(56, 108), clWhite));
    EXPECT_TRUE(IsColor(img.pixel(70, 64), clMaroon));
    t.SetBetaSize(0);
    img = Render(t);
    EXPECT_TRUE(IsColor(img.pixel(70, 64), clWhite));
}

TEST(GaugePainting, ArcStopsAtTheValue) {
    TImageGauge g;
    g.resize(128, 128);
    TGaugeParams p = HumidityParams();
    g.SetStyle(TGaugeStyles(gsElipse));
    g.SetDegreeOffset(p.degreeOffset);
    g.SetSlideLength(p.slideLength);
    g.SetSlideX(p.slideX);
    g.SetSlideWidth(p.slideWidth);
    g.SetMargin(1);
    g.SetTikLength(0);
    g.SetAlphaSize(0);
    g.SetBackColor(clNavy);
    g.SetGradient(false);
    g.SetColor(clAqua);
    g.SetValue(50);  // angle 148
    const QImage img = Render(g);
    const TArcGeometry a = RoundArc(g.Params(), 128);
    const double mid = (a.inner + a.outer) / 2.0;
    const QPoint on = RoundPoint(RoundCentre(128), mid, 74, p.degreeOffset);
    const QPoint off = RoundPoint(RoundCentre(128), mid, 220, p.degreeOffset);
    EXPECT_TRUE(IsColor(img.pixel(on), clAqua));
    EXPECT_TRUE(IsColor(img.pixel(off), clNavy));
}
