#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSlider>
#include <QUrl>
#include <QWheelEvent>
#include <cstdio>

#include "dialogs/MsgHook.h"
#include "mainwindow/PrintPreview.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"

namespace {

std::string pdfText(const std::string &pdf) {
    const std::string txt = pdf + ".txt";
    const std::string cmd = "pdftotext -layout '" + pdf + "' '" + txt + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return "<pdftotext failed>";
    return ReadFile(txt);
}

QStringList advisory(int descriptionLines = 3) {
    QStringList d;
    for (int i = 0; i < descriptionLines; ++i) d << QStringLiteral("Line %1 of the statement & more #%1.").arg(i + 1);
    return AdvisoryPrintLines(QStringLiteral("Heat Advisory"), QStringLiteral("5/9/2011 12:00:00 PM"),
                              QStringLiteral("5/9/2011 8:00:00 PM"), d.join(QStringLiteral("\r\n")));
}

void wheel(QWidget *target, int delta) {
    QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

}  // namespace

TEST(PrintPreviewZoom, BarAndWheelLimits) {
    struct Case { int position, scale; };
    for (Case c : {Case{0, 30}, Case{12, 54}, Case{60, 150}}) {
        EXPECT_EQ(PreviewZoomScale(c.position), c.scale);
        EXPECT_EQ(PreviewZoomPosition(c.scale), c.position);
    }
    EXPECT_EQ(PreviewWheelScale(30, false), 30);
    EXPECT_EQ(PreviewWheelScale(32, false), 30);
    EXPECT_EQ(PreviewWheelScale(150, true), 150);

    TPrintPreview p;
    EXPECT_EQ(p.Scale(), 54);
    EXPECT_EQ(p.ZoomBar->value(), 12);
    p.ZoomBar->setValue(0);
    EXPECT_EQ(p.Scale(), 30);
    p.ZoomBar->setValue(60);
    EXPECT_EQ(p.Scale(), 150);
    EXPECT_NEAR(p.Body->zoomFactor(), 1.5, 1e-9);
    QGraphicsView *view = p.Body->findChild<QGraphicsView *>();
    ASSERT_NE(view, nullptr);
    wheel(view->viewport(), 120);
    EXPECT_EQ(p.Scale(), 150);
    for (int i = 0; i < 70; ++i) wheel(view->viewport(), -120);
    EXPECT_EQ(p.Scale(), 30);
    EXPECT_EQ(p.ZoomBar->value(), 0);
    wheel(view->viewport(), 120);
    EXPECT_EQ(p.Scale(), 32);
    EXPECT_EQ(p.ZoomBar->value(), 1);
}

TEST(PrintPreviewFonts, PickFromThePrintersList) {
    const QStringList list{"DejaVu Sans", "TAHOMA", "Noto Serif"};
    EXPECT_EQ(PickFontIndex(list, "noto serif"), 2);
    EXPECT_EQ(PickFontIndex(list, "Verdana"), 1);
    EXPECT_EQ(PickFontIndex({"Noto Serif", "DejaVu Sans"}, "Tahoma"), 0);
    EXPECT_EQ(PickFontIndex({}, "Tahoma"), -1);

    TPrintPreview p;
    p.FillFonts({"Noto Serif", "DejaVu Sans"});
    EXPECT_EQ(p.FontName(), "Noto Serif");
    EXPECT_EQ(p.Fonts->currentText(), "Noto Serif");
}

TEST(PrintPreviewLayout, AdvisoryLinesAndPages) {
    const QStringList lines = advisory();
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "Heat Advisory");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Effective Date: 5/9/2011 12:00:00 PM  Expires Date: 5/9/2011 8:00:00 PM");
    EXPECT_EQ(lines[5], "Line 1 of the statement & more #1.");

    TPrintPreview p;
    p.FillFonts({"DejaVu Sans"});
    p.SetLines(lines);
    ASSERT_EQ(p.PageCount(), 1);
    EXPECT_EQ(p.Pages()[0][0], "");
    EXPECT_EQ(p.Pages()[0][1], "Heat Advisory");
    EXPECT_EQ(p.PageTotal->text(), "Total Pages: 1");

    // A long statement runs onto more pages; a long line wraps within the margins.
    p.SetLines(advisory(400) << QString(300, QLatin1Char('x')));
    EXPECT_GT(p.PageCount(), 1);
    EXPECT_EQ(p.PageTotal->text(), QStringLiteral("Total Pages: %1").arg(p.PageCount()));
    const QFontMetricsF fm(RendererFont(p.FontName(), p.FontSize()));
    int total = 0;
    for (const QStringList &page : p.Pages())
        for (const QString &l : page) {
            EXPECT_LE(fm.horizontalAdvance(l), p.Geometry.TextRect().width()) << l.toStdString();
            total += l.count(QLatin1Char('x')) == l.size() ? l.size() : 0;
        }
    EXPECT_EQ(total, 300);  // nothing lost in the cut

    // A larger font needs more pages; a size that is no number keeps the old one.
    const int pages10 = p.PageCount();
    p.eFontSize->setText("20");
    EXPECT_EQ(p.FontSize(), 20);
    EXPECT_GT(p.PageCount(), pages10);
    ClearMsgHistory();
    p.eFontSize->setText("2O");
    EXPECT_EQ(p.FontSize(), 20);
    ASSERT_FALSE(MsgHistory().empty());
    EXPECT_NE(MsgHistory().back().Message.find("not a valid integer"), std::string::npos);
    ClearMsgHistory();
}

TEST(PrintPreviewPrint, PdfOfAnAdvisory) {
    TempProfile profile;
    TPrintPreview p;
    p.FillFonts({"DejaVu Sans"});
    p.FileName = "Heat Advisory";
    p.SetLines(advisory());
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    const std::string file = profile.Root() + "advisory.pdf";
    pdf.setOutputFileName(QString::fromStdString(file));
    ASSERT_TRUE(p.PrintTo(pdf));
    EXPECT_FALSE(p.ZoomBar->isHidden());  // back after the busy picture
    EXPECT_TRUE(p.PrintImage->isHidden());
    const std::string text = pdfText(file);
    // The first printed line is empty, then comes the title.
    size_t first = text.find_first_not_of(" \n\f");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_EQ(text.compare(first, 13, "Heat Advisory"), 0) << text;
    // pdftotext joins "ff" into a ligature and blanks into one; the line itself is checked above.
    const size_t expires = text.find("Expires Date: 5/9/2011 8:00:00 PM");
    ASSERT_NE(expires, std::string::npos) << text;
    const size_t lineStart = text.rfind('\n', expires);
    EXPECT_NE(text.substr(lineStart + 1, expires - lineStart).find("ective Date: 5/9/2011 12:00:00 PM"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Line 3 of the statement & more #3."), std::string::npos) << text;
}

TEST(PrintPreviewMail, PercentEncodedLink) {
    const QString link = AdvisoryMailLink(advisory(1));
    EXPECT_TRUE(link.startsWith("mailto:?subject=Weather%20Advisory&body="));
    const QString body = link.mid(link.indexOf("&body=") + 6);
    EXPECT_FALSE(body.contains('&'));
    EXPECT_FALSE(body.contains('#'));
    EXPECT_FALSE(body.contains(' '));
    EXPECT_EQ(QUrl::fromPercentEncoding(body.toLatin1()), advisory(1).join('\n'));

    TPrintPreview p;
    p.SetLines(advisory(1));
    ClearShellOpenHistory();
    ClearMsgHistory();
    TShellOpener old = SetShellOpener([](const std::string &) { return false; });
    p.iBtnEmailClick();
    SetShellOpener(old);
    ASSERT_EQ(ShellOpenHistory().size(), 1u);
    EXPECT_EQ(ShellOpenHistory()[0], link.toStdString());
    ASSERT_EQ(MsgHistory().size(), 1u);
    EXPECT_EQ(MsgHistory()[0].Caption, "Execute E-Mail application.");
    ClearMsgHistory();
}

TEST(PrintButton, PagesThatDoNotPrint) {
    struct Case { TPrintPage page; bool alerts; const char *message; };
    const Case cases[] = {
        {TPrintPage::Advisory, false, "There are no Advisory to Print."},
        {TPrintPage::Imagery, false, "Imagery printing is not available."},
        {TPrintPage::Current, false, "Washington, DC, Forecast printing is not available."},
    };
    for (const Case &c : cases) {
        ClearMsgHistory();
        TPrintRequest r;
        r.Page = c.page;
        r.HasAlerts = c.alerts;
        r.TitleText = "Washington, DC";
        r.ForecastText = "Forecast";
        PrintButtonClick(nullptr, r);
        ASSERT_EQ(MsgHistory().size(), 1u);
        EXPECT_EQ(MsgHistory()[0].Message, c.message);
        EXPECT_EQ(MsgHistory()[0].Caption, "Print Preview");
        EXPECT_EQ(MsgHistory()[0].Icon, miInformation);
    }
    ClearMsgHistory();
}
