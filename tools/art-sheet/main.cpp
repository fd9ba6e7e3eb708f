// art-sheet [out.png] [program folder]: draws every shipped picture, and the drawn stand-in beside
// the conditions, on the main window's navy background, so the art can be checked by eye.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

#include "mainwindow/IconLibrary.h"
#include "platform/Paths.h"

namespace {

constexpr int kWidth = 1240;
constexpr int kMargin = 12;

struct Sheet {
    QImage image{kWidth, 2400, QImage::Format_ARGB32};
    QPainter p;
    int x = kMargin, y = kMargin, rowHeight = 0;

    Sheet() {
        image.fill(QColor(0x00, 0x00, 0x80));  // 0x800000 as the window stores it (BBGGRR)
        p.begin(&image);
        p.setRenderHint(QPainter::Antialiasing);
    }
    void Heading(const QString &text) {
        NewRow();
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(14);
        p.setFont(f);
        p.setPen(QColor(0xff, 0xe5, 0x8a));
        p.drawText(kMargin, y + 14, text);
        y += 22;
    }
    void NewRow() {
        if (x > kMargin) y += rowHeight + 6;
        x = kMargin;
        rowHeight = 0;
    }
    // A picture in a cell with a thin frame showing its size, and its label below.
    void Cell(const QPixmap &pm, const QString &label, int cellWidth = 0) {
        const int w = std::max({cellWidth, pm.width() + 8, 40});
        if (x + w > kWidth - kMargin) NewRow();
        p.setPen(QColor(0x40, 0x40, 0xc0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(x + (w - pm.width()) / 2 - 1, y - 1, pm.width() + 1, pm.height() + 1);
        if (pm.isNull()) {
            p.setPen(Qt::red);
            p.drawText(x, y + 12, QStringLiteral("missing"));
        } else {
            p.drawPixmap(x + (w - pm.width()) / 2, y, pm);
        }
        QFont f = p.font();
        f.setBold(false);
        f.setPixelSize(10);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(x, y + pm.height() + 2, w, 14), Qt::AlignHCenter, label);
        rowHeight = std::max(rowHeight, pm.height() + 18);
        x += w + 6;
    }
};

}  // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("art-sheet.png");
    if (argc > 2) SetProgramPath(std::string(argv[2]) + "/");

    QStringList names;
    for (int i = 0; i <= 54; ++i) {
        names << QString::number(i);
        if (i >= 30 && i <= 32) names << QString::number(i) + "A";
    }

    Sheet s;
    TIconLibrary lib;
    const bool loaded = lib.Load();
    s.Heading(QStringLiteral("Icon library %1 (84 x 84 as on the Current page)")
                  .arg(loaded ? lib.FileName() : QStringLiteral("NOT LOADED")));
    for (const QString &n : names) s.Cell(lib.Resource(n).scaled(84, 84, Qt::KeepAspectRatio, Qt::SmoothTransformation), n, 84);
    s.Heading(QStringLiteral("Library pictures at full size: logos"));
    for (const char *n : {"LOGO_NWS.PNG", "LOGO_ACU.PNG", "LOGO_TOLVU.PNG"}) s.Cell(lib.Resource(n), n);
    s.Cell(lib.Resource("36.PNG"), QStringLiteral("36 at 128"));
    s.Cell(lib.Resource("44.PNG"), QStringLiteral("44 at 128"));
    lib.Free();

    s.Heading(QStringLiteral("Drawn stand-ins for the condition pictures"));
    for (const QString &n : names) s.Cell(Art::DrawnCondition(n, 56), n, 56);

    s.Heading(QStringLiteral("Glyph list (24 x 24) and drawn stand-ins of 16, 19-22"));
    for (int i = 0; i < Art::GlyphCount; ++i) s.Cell(Art::Glyph(i), QString::number(i));
    for (int i : {16, 19, 20, 21, 22}) s.Cell(Art::DrawnGlyph(i), QStringLiteral("d%1").arg(i));

    s.Heading(QStringLiteral("Moon (64 x 64), shipped and drawn"));
    for (int i = 0; i < 8; ++i) s.Cell(Art::Moon(i), QString::number(i));
    for (int i = 0; i < 8; ++i) s.Cell(Art::DrawnMoon(i), QStringLiteral("d%1").arg(i));

    s.Heading(QStringLiteral("Dialog pictures (56 x 56), flags (16 x 11), close button (16 x 16)"));
    for (int i = 0; i < 5; ++i) s.Cell(Art::DialogPicture(i), QString::number(i));
    for (int i = 0; i < 4; ++i) s.Cell(Art::Flag(i), QStringLiteral("flag %1").arg(i));
    for (const char *n : {"BTNCLOSED.PNG", "BTNCLOSEE.PNG", "BTNCLOSEF.PNG", "BTNCLOSEP.PNG"})
        s.Cell(Art::ProgramPicture(n), QString::fromLatin1(n).mid(8, 1));
    for (const char *n : {"DOWNLOAD00.PNG", "DOWNLOAD01.PNG", "DOWNLOAD02.PNG", "MENUIMG00.PNG"})
        s.Cell(Art::ProgramPicture(n), QString::fromLatin1(n).section('.', 0, 0), 90);
    s.Cell(Art::ProgramPicture("NWS/xml_logo.png"), QStringLiteral("NWS logo file"));
    s.Cell(Art::ProgramPicture("Acu/accuweather_logomark_color-sm.png"), QStringLiteral("Acu logo file"));
    s.Cell(Art::MakerLogo(), QStringLiteral("maker logo"));

    s.Heading(QStringLiteral("Splash background (500 x 320)"));
    s.Cell(Art::Splash(), QStringLiteral("splash"));

    s.NewRow();
    s.p.end();
    const QImage cropped = s.image.copy(0, 0, kWidth, std::min(s.image.height(), s.y + kMargin));
    if (!cropped.save(out)) {
        std::fprintf(stderr, "art-sheet: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s\n", qPrintable(out));
    return 0;
}
