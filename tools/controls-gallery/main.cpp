// Shows every owner-drawn control on the program's navy background, set up as
// the windows use them. With --shot FILE it saves a picture and quits.
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "controls/GrphCtrls.h"
#include "controls/Lists.h"
#include "controls/WinCtrls.h"
#include "controls/nGauges.h"
#include "controls/nSpin.h"

namespace {

class TBackdrop : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        FillGradient(p, rect(), 0x400000, clNavy, true, true);
    }
};

void SetUpTemperature(TTemperature &t) {
    t.SetPicture(LoadGaugeResource(QStringLiteral("THERMOMETER00.PNG")));
    t.resize(116, 240);
    t.SetMin(-40);
    t.SetMax(120);
    t.SetStep(20);
    t.SetSlideX(46);
    t.SetSlideY(18);
    t.SetSlideWidth(20);
    t.SetSlideLength(192);
    t.SetTikLength(20);
    t.SetTiks(3);
    t.SetItemOffset(8);
    t.SetAlphaSize(6);
    t.SetBeta(10);
    t.SetBetaSize(6);
    t.SetColor(clLime);
    t.SetColor2(clRed);
    t.SetColorA(clRed);
    t.SetColorB(clMaroon);
    t.SetTikColor(clSkyBlue);
    t.SetFontColor(clSkyBlue);
    QFont f(QStringLiteral("Arial"), 10);
    t.setFont(f);
    t.SetValue(72);
    t.SetAlpha(72);
    t.SetBeta(65);
}

void SetUpHumidity(TImageGauge &g) {
    g.resize(128, 128);
    g.SetBackResource(QStringLiteral("GAUGEBACK03.PNG"));
    g.SetForeResource(QStringLiteral("GAUGELENSE01.PNG"));
    g.SetStyle(TGaugeStyles(gsElipse) | gsDefaultBack | gsDefaultPicture);
    g.SetDegreeOffset(200);
    g.SetSlideLength(296);
    g.SetSlideX(8);
    g.SetSlideWidth(14);
    g.SetStep(14);
    g.SetTikLength(18);
    g.SetItemOffset(14);
    g.SetPostfix(QStringLiteral("%"));
    g.SetAlphaSize(32);
    g.SetBetaSize(0);
    g.SetColor(clAqua);
    g.SetColor2(clFuchsia);
    g.SetTikColor(0x0000F0);
    g.SetBackColor(clNavy);
    g.SetMargin(1);
    g.SetFontColor(clSkyBlue);
    g.setFont(QFont(QStringLiteral("Arial"), 9));
    g.SetValue(75);
    g.SetAlpha(75);
}

void SetUpCompass(TCompass &c) {
    c.SetStyle(TGaugeStyles(gsElipse) | gsDefaultBack | gsDefaultPicture);
    c.SetDegree(300);
    c.SetPointerSize(32);
    c.SetGradient(false);
    c.SetSlideWidth(3);
    c.SetTikLength(16);
    c.SetItemOffset(8);
    c.SetColor2(clYellow);
    c.SetTikColor(0x0000F0);
    c.SetMargin(2);
    c.setFont(QFont(QStringLiteral("Arial"), 8));
    c.SetValue(0);
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TBackdrop win;
    win.setWindowTitle(QStringLiteral("Tolvu controls"));
    win.resize(760, 520);

    auto *temp = new TTemperature(&win);
    SetUpTemperature(*temp);
    temp->move(16, 16);
    auto *hum = new TImageGauge(&win);
    SetUpHumidity(*hum);
    hum->move(150, 20);
    auto *compass = new TCompass(&win);
    SetUpCompass(*compass);
    compass->move(150, 160);

    auto *panel = new TnControl(&win);
    panel->setGeometry(300, 16, 200, 120);
    panel->SetRoundCorners(true);
    panel->SetClientColor(0xF0CAA6);
    panel->SetClientColor2(clNavy);
    panel->SetBorderWidth(2);
    panel->SetBevelKind(TBevelKind::Raised);
    auto *tile = new TnLabel(panel);
    tile->setGeometry(12, 12, 84, 96);
    tile->SetCaption(QStringLiteral("Tonight\n41°"));
    tile->SetAlignment(Qt::AlignHCenter);
    tile->SetLayout(TTextLayout::Center);
    tile->SetWordWrap(true);
    tile->SetClientColor(0x804000);
    tile->SetClientColor2(0x200000);
    tile->SetFontColor(clWhite);
    tile->SetDropshadow(true);
    tile->SetShadowColor(clBlack);
    tile->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    auto *tile2 = new TnLabel(panel);
    tile2->setGeometry(104, 12, 84, 96);
    tile2->SetCaption(QStringLiteral("Friday\n63°"));
    tile2->SetAlignment(Qt::AlignHCenter);
    tile2->SetLayout(TTextLayout::Center);
    tile2->SetWordWrap(true);
    tile2->SetClientColor(0x804000);
    tile2->SetClientColor2(0x200000);
    tile2->SetSelectColor(0x00C0FF);
    tile2->SetSelected(true);
    tile2->SetFontColor(clWhite);
    tile2->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));

    auto *title = new TgLabel(&win);
    title->SetCaption(QStringLiteral("Boston, Massachusetts"));
    title->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    title->SetColor(0x804000);
    title->SetColor2(clNavy);
    title->SetVertical(false);
    title->SetRoundCorners(rcLeft | rcRight);
    title->SetRadius(20);
    title->SetMargin(6);
    title->SetFontColor(clWhite);
    title->SetDropShadow(true);
    title->SetShadowColor(clBlack);
    title->SetShadowWidth(2);
    title->move(300, 150);
    auto *glow = new TgLabel(&win);
    glow->SetCaption(QStringLiteral("Glowing caption"));
    glow->setFont(QFont(QStringLiteral("Arial"), 12));
    glow->SetTransparent(true);
    glow->SetCaptionGlow(true);
    glow->SetGlowColor(clSkyBlue);
    glow->SetFontColor(clNavy);
    glow->move(300, 195);
    auto *scale = new TgLabel(&win);
    scale->SetCaption(QStringLiteral("Fahrenheit"));
    scale->setFont(QFont(QStringLiteral("Arial"), 9));
    scale->SetTransparent(true);
    scale->SetAngle(90);
    scale->SetFontColor(clSkyBlue);
    scale->move(2, 280);
    auto *check = new TgCheckLabel(&win);
    check->SetCaption(QStringLiteral("Play alert sounds"));
    check->setFont(QFont(QStringLiteral("Arial"), 10));
    check->SetChecked(true);
    check->SetColor(clWhite);
    check->SetColor2(clSkyBlue);
    check->move(300, 230);
    auto *flat = new TgCheckLabel(&win);
    flat->SetCaption(QStringLiteral("Flat check, grayed"));
    flat->setFont(QFont(QStringLiteral("Arial"), 10));
    flat->SetFlat(true);
    flat->SetGrayed(true);
    flat->SetChecked(true);
    flat->SetTransparent(true);
    flat->SetFontColor(clWhite);
    flat->move(300, 260);

    auto *edit = new QLineEdit(QStringLiteral("15"), &win);
    edit->setGeometry(520, 16, 50, 22);
    auto *spin = new TnSpinButton(&win);
    spin->setGeometry(570, 16, 17, 22);
    spin->SetFocusControl(edit);
    spin->SetMin(1);
    spin->SetIncrement(5);
    spin->SetMax(60);

    auto *list = new TclListBox(&win);
    list->setGeometry(300, 300, 220, 110);
    std::vector<QPixmap> icons;
    for (QColor c : {QColor(230, 60, 60), QColor(240, 180, 40), QColor(80, 160, 240)}) {
        QPixmap pm(14, 14);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 1, 12, 12);
        icons.push_back(pm);
    }
    list->SetImageList(icons);
    list->SetImages(true);
    list->SetLines({"Tornado Warning=0", "Winter Storm Watch=1", "Flood Advisory=2", "Special Statement=2",
                    "Heat Advisory=1"});
    list->item(1)->setSelected(true);

    auto *checks = new TclCheckListBox(&win);
    checks->setGeometry(530, 160, 210, 150);
    checks->SetHasHeader(true);
    checks->SetHeaderText(QStringLiteral("Image layers"));
    checks->AddItem(QStringLiteral("Radar"));
    checks->AddItem(QStringLiteral("Base reflectivity"), true);
    checks->AddItem(QStringLiteral("Storm tracks"));
    checks->AddItem(QStringLiteral("Overlays"));
    checks->AddItem(QStringLiteral("Counties"), true);
    checks->AddItem(QStringLiteral("Highways"));
    checks->SetHeaderGroups({0, 3});

    win.show();
    const QStringList args = app.arguments();
    const int shot = args.indexOf(QStringLiteral("--shot"));
    if (shot >= 0 && shot + 1 < args.size()) {
        QTimer::singleShot(300, [&] {
            win.grab().save(args[shot + 1]);
            app.quit();
        });
    }
    return app.exec();
}
