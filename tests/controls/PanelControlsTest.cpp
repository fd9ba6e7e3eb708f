#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "controls/GrphCtrls.h"
#include "controls/Lists.h"
#include "controls/WinCtrls.h"
#include "controls/nSpin.h"

namespace {

QImage Render(QWidget &w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w.render(&img);
    return img;
}

void Click(QWidget &w, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(w.mapToGlobal(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(w.mapToGlobal(at)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &release);
}

}  // namespace

TEST(SpinButton, StepsWithinLimitsAndPadsToPlaces) {
    struct Case {
        int min, max, inc, places;
        const char *text;
        bool up;
        const char *expect;
    } cases[] = {
        {1, 1000, 5, 0, "1", true, "5"},     // counts from 0 when the range starts at 1
        {1, 1000, 5, 0, "5", true, "10"},
        {0, 1000, 5, 0, "1", true, "6"},
        {0, 10, 1, 0, "10", true, "10"},     // stays at Max
        {0, 100, 1, 2, "6", false, "05"},    // two places
        {3, 100, 5, 0, "4", false, "3"},     // not below Min
        {0, 100, 1, 0, " 7 ", true, "8"},
    };
    for (const Case &c : cases) {
        QLineEdit edit(QString::fromLatin1(c.text));
        TnSpinButton spin;
        spin.SetFocusControl(&edit);
        spin.SetMin(c.min);
        spin.SetMax(c.max);
        spin.SetIncrement(c.inc);
        spin.SetPlaces(c.places);
        int raised = 0;
        spin.OnIncrement = [&](TnSpinButton *) { ++raised; };
        c.up ? spin.UpClick() : spin.DownClick();
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.expect)) << c.text;
        EXPECT_EQ(raised, 1);
    }

    // Text that is not a number is left alone and nothing is announced.
    QLineEdit edit(QStringLiteral("abc"));
    TnSpinButton spin;
    spin.SetFocusControl(&edit);
    int raised = 0;
    spin.OnIncrement = [&](TnSpinButton *) { ++raised; };
    spin.UpClick();
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
    EXPECT_EQ(raised, 0);

    // A click on the upper half steps up.
    edit.setText(QStringLiteral("4"));
    spin.resize(17, 22);
    Click(spin, QPoint(8, 3));
    EXPECT_EQ(edit.text(), QStringLiteral("5"));
    Click(spin, QPoint(8, 19));
    EXPECT_EQ(edit.text(), QStringLiteral("4"));
}

TEST(SpinButton, PlacesFollowTheEditMask) {
    QLineEdit edit;
    edit.setInputMask(QStringLiteral("00; "));
    TnSpinButton spin;
    spin.SetFocusControl(&edit);
    EXPECT_EQ(spin.Places(), 2);
    spin.SetPlaces(3);
    EXPECT_EQ(spin.Places(), 3);
    edit.setText(QStringLiteral("8"));
    spin.UpClick();
    EXPECT_EQ(edit.text(), QStringLiteral("009"));
}

TEST(PanelControl, RoundedCornersKeepTheirRadiusAfterResize) {
    TnControl c;
    c.SetRoundCorners(true);
    c.SetRadius(16);
    c.show();
    for (QSize size : {QSize(100, 50), QSize(220, 90)}) {
        c.resize(size);
        const QRegion m = c.mask();
        const int w = size.width(), h = size.height();
        EXPECT_FALSE(m.contains(QPoint(1, 1))) << w;
        EXPECT_TRUE(m.contains(QPoint(9, 1))) << w;
        EXPECT_TRUE(m.contains(QPoint(w / 2, h / 2)));
        EXPECT_FALSE(m.contains(QPoint(w - 1, h - 1))) << w;
        EXPECT_TRUE(m.contains(QPoint(w - 9, h - 1))) << w;
    }
    c.SetRoundCorners(false);
    EXPECT_TRUE(c.mask().isEmpty());
}

TEST(PanelControl, BorderAreaAndClientGradient) {
    TnControl c;
    c.resize(60, 40);
    c.SetBorderWidth(3);
    c.SetColor(clRed);
    c.SetColor2(clRed);
    c.SetClientColor(clNavy);
    c.SetClientColor2(clAqua);
    EXPECT_EQ(c.ClientRect(), QRect(3, 3, 54, 34));
    EXPECT_EQ(c.contentsMargins().left(), 3);
    const QImage img = Render(c);
    EXPECT_EQ(QColor(img.pixel(1, 20)), QColor(Qt::red));
    const QColor top(img.pixel(30, 3)), bottom(img.pixel(30, 36));
    EXPECT_LT(top.green(), 40);      // navy at the top
    EXPECT_GT(bottom.green(), 200);  // aqua at the bottom
}

TEST(PanelControl, HintLookAndSelectedBlend) {
    struct Case {
        THintLook control;
        THintLook expect;
    } cases[] = {
        {{0, 0, 0}, {0x111111, 200, 2000}},
        {{0x00FF00, 24, 500}, {0x00FF00, 200, 2000}},
        {{0x00FF00, 25, 501}, {0x00FF00, 25, 501}},
    };
    for (const Case &c : cases) {
        const THintLook h = EffectiveHint(c.control, {0x111111, 200, 2000});
        EXPECT_EQ(h.color, c.expect.color);
        EXPECT_EQ(h.maxWidth, c.expect.maxWidth);
        EXPECT_EQ(h.timeOut, c.expect.timeOut);
    }

    TnLabel l;
    EXPECT_EQ(l.size(), QSize(64, 32));
    l.SetClientColor2(0x000000);
    l.SetSelectColor(0xF0F0F0);
    l.SetSelected(true);
    EXPECT_EQ(l.ClientColor2(), 0xC8C8C8u);  // 20/24 of the way
    l.SetSelected(false);
    EXPECT_EQ(l.ClientColor2(), 0x000000u);
}

TEST(GraphicLabel, DropShadowDrawsOneCopyPerPixelOfWidth) {
    TgLabel l;
    QFont f(QStringLiteral("DejaVu Sans"), 20);
    f.setStyleStrategy(QFont::NoAntialias);
    l.setFont(f);
    l.SetTransparent(true);
    l.SetFontColor(clBlack);
    l.SetShadowColor(clRed);
    l.SetShadowWidth(3);
    l.SetCaption(QStringLiteral("I"));
    l.SetDropShadow(true);
    const QImage img = Render(l);
    // The text's lowest right corner: the pixel with the largest x + y that is black.
    QPoint corner(-1, -1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(0, 0, 0) && x + y > corner.x() + corner.y()) corner = QPoint(x, y);
    ASSERT_GE(corner.x(), 0);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(img.pixel(corner + QPoint(k, k)), qRgb(255, 0, 0)) << k;
    const QRgb beyond = img.pixel(corner + QPoint(4, 4));
    EXPECT_LT(qRed(beyond) - qGreen(beyond), 30);  // no fourth copy
}

TEST(GraphicLabel, CaptionChangeRaisesEvents) {
    TgLabel l;
    QStringList seen;
    l.OnChanging = [&](QWidget *, const QString &m) { seen << "changing:" + m; };
    l.OnChange = [&](QWidget *, const QString &m) { seen << "change:" + m; };
    l.SetCaption(QStringLiteral("Boston"));
    l.SetCaption(QStringLiteral("Boston"));
    EXPECT_EQ(seen, QStringList({"changing:Boston", "change:Boston"}));
    const int narrow = l.width();
    l.SetCaption(QStringLiteral("Boston, Massachusetts"));
    EXPECT_GT(l.width(), narrow);  // automatic sizing
}

TEST(CheckLabel, OnlyTheBoxToggles) {
    TgCheckLabel l;
    l.SetCaption(QStringLiteral("Play a sound"));
    int checks = 0;
    l.OnCheck = [&](QWidget *) { ++checks; };
    const QSize box = l.BoxSize();
    EXPECT_GE(l.width(), 2 * box.width() + QFontMetrics(l.font()).horizontalAdvance(l.Caption()));

    Click(l, QPoint(l.width() - 3, l.height() / 2));  // on the text
    EXPECT_FALSE(l.Checked());
    EXPECT_EQ(checks, 0);
    Click(l, l.BoxRect().center());
    EXPECT_TRUE(l.Checked());
    EXPECT_EQ(checks, 1);
    l.SetChecked(false);  // by code: no event
    EXPECT_EQ(checks, 1);

    EXPECT_TRUE(CheckBoxHit(QPoint(box.width() / 2, 10), 20, box));
    EXPECT_FALSE(CheckBoxHit(QPoint(box.width() / 2 - 1, 10), 20, box));
    EXPECT_FALSE(CheckBoxHit(QPoint(box.width(), 20 - (20 - box.height()) / 2), 20, box));
}

TEST(ListBox, NameValueItemsImagesAndRowColours) {
    struct Case {
        const char *line;
        int image;
        const char *name;
    } cases[] = {{"Storm=3", 3, "Storm"}, {"Calm", -1, "Calm"}, {"=3", -1, ""}, {"Wind=", -1, "Wind"},
                 {"Fog=x", -1, "Fog"}};
    for (const Case &c : cases) {
        EXPECT_EQ(ItemImageIndex(QString::fromLatin1(c.line), '='), c.image) << c.line;
        EXPECT_EQ(ItemName(QString::fromLatin1(c.line), '='), QString::fromLatin1(c.name));
    }
    EXPECT_EQ(WithItemValue("Calm", '=', "2"), QStringLiteral("Calm=2"));
    EXPECT_EQ(WithItemValue("Storm=3", '=', "7"), QStringLiteral("Storm=7"));

    TclListBox list;
    list.resize(200, 120);
    std::vector<QPixmap> images;
    for (QColor c : {Qt::red, Qt::green, Qt::blue, Qt::magenta}) {
        QPixmap pm(16, 16);
        pm.fill(c);
        images.push_back(pm);
    }
    list.SetImageList(images);
    list.SetImages(true);
    list.SetLines({"Storm=3", "Calm", "Wind=1"});
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Storm"));
    EXPECT_EQ(list.Value(0), QStringLiteral("3"));
    EXPECT_EQ(list.ImageIndexOf(0), 3);
    EXPECT_EQ(list.ImageIndexOf(1), -1);
    list.SetValue(1, QStringLiteral("0"));
    EXPECT_EQ(list.Line(1), QStringLiteral("Calm=0"));
    EXPECT_EQ(list.ImageIndexOf(1), 0);

    list.show();
    QApplication::processEvents();
    auto pixelIn = [&](int row, int x) {
        const QRect r = list.visualItemRect(list.item(row));
        const QImage img = list.viewport()->grab().toImage();
        return QColor(img.pixel(r.left() + x, r.center().y()));
    };
    EXPECT_EQ(pixelIn(0, 150), ToQColor(list.Color1()));
    EXPECT_EQ(pixelIn(1, 150), ToQColor(list.Color2()));
    EXPECT_EQ(pixelIn(2, 150), ToQColor(list.Color1()));
    list.item(0)->setSelected(true);
    EXPECT_EQ(pixelIn(0, 8), QColor(Qt::magenta));  // image 3, undimmed when selected
    EXPECT_EQ(pixelIn(0, 150), ToQColor(clHighlight));
}

TEST(CheckListBox, AlternatingRowsHeaderAndChecks) {
    TclCheckListBox list;
    list.resize(200, 140);
    list.AddItem(QStringLiteral("Watches"));
    list.AddItem(QStringLiteral("Tornado Watch"), true);
    list.AddItem(QStringLiteral("Flood Watch"));
    list.SetHeaderGroups({0});
    list.SetHasHeader(true);
    list.SetHeaderText(QStringLiteral("Alerts"));
    EXPECT_TRUE(list.Checked(1));
    EXPECT_FALSE(list.Checked(2));
    EXPECT_FALSE(list.item(0)->flags() & Qt::ItemIsUserCheckable);
    list.show();
    QApplication::processEvents();
    EXPECT_GT(list.viewport()->geometry().top(), list.contentsRect().top());  // room for the header band
    const QImage img = list.viewport()->grab().toImage();
    const QRect r2 = list.visualItemRect(list.item(2));
    EXPECT_EQ(QColor(img.pixel(180, r2.center().y())), ToQColor(list.Color1()));
}
