#include "mainwindow/PrintPreview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "controls/nSpin.h"
#include "dialogs/MsgHook.h"
#include "platform/Shell.h"

namespace {

constexpr int kMinScale = 30, kMaxScale = 150;

// Runs the event loop for about ms milliseconds, as the printing steps ask.
void Wait(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    } while (t.elapsed() < ms);
}

void showMessage(const std::string &text, const std::string &caption, int icon) {
    TMsgRequest r;
    r.Message = text;
    r.Icon = icon;
    r.Button2 = "btnHidden";
    r.Caption = caption;
    RequestMessage(r);
}

}  // namespace

int PreviewZoomScale(int position) { return 2 * position + 30; }
int PreviewZoomPosition(int scale) { return (scale - 30) / 2; }

int PreviewWheelScale(int scale, bool up) {
    if (up) return scale < kMaxScale ? scale + 2 : scale;
    return scale > kMinScale ? scale - 2 : scale;
}

int PickFontIndex(const QStringList &fonts, const QString &wanted) {
    if (fonts.isEmpty()) return -1;
    for (int i = 0; i < fonts.size(); ++i)
        if (fonts[i].compare(wanted, Qt::CaseInsensitive) == 0) return i;
    for (int i = 0; i < fonts.size(); ++i)
        if (fonts[i].compare(QLatin1String("tahoma"), Qt::CaseInsensitive) == 0) return i;
    return 0;
}

QString AdvisoryMailLink(const QStringList &lines) {
    const QString body = lines.join(QLatin1Char('\n'));
    return QStringLiteral("mailto:?subject=") + QString::fromLatin1(QUrl::toPercentEncoding("Weather Advisory")) +
           QStringLiteral("&body=") + QString::fromLatin1(QUrl::toPercentEncoding(body));
}

QStringList AdvisoryPrintLines(const QString &title, const QString &effective, const QString &expires,
                               const QString &description) {
    QStringList lines{QString(), title, QString(),
                      QStringLiteral("Effective Date: ") + effective + QStringLiteral("  Expires Date: ") + expires,
                      QString()};
    QString text = description;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!text.isEmpty()) lines += text.split(QLatin1Char('\n'));
    return lines;
}

QRect TPageGeometry::TextRect() const {
    const int x0 = (PaperWidth - PrintableWidth) / 2, y0 = (PaperHeight - PrintableHeight) / 2;
    return QRect(x0 + LeftMargin, y0 + TopMargin, PrintableWidth - LeftMargin - RightMargin,
                 PrintableHeight - TopMargin - BottomMargin);
}

QFont RendererFont(const QString &family, int pointSize) {
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * TPageGeometry::Dpi / 72.0))));
    return f;
}

QList<QStringList> LayoutPages(const QStringList &lines, const QFont &font, const TPageGeometry &geometry) {
    const QRect area = geometry.TextRect();
    const QFontMetricsF fm(font);
    const double width = area.width();
    QStringList wrapped;
    for (const QString &line : lines) {
        QString rest = line;
        rest.remove(QLatin1Char('\r'));
        rest.remove(QLatin1Char('\n'));
        if (fm.horizontalAdvance(rest) <= width) {
            wrapped += rest;
            continue;
        }
        while (!rest.isEmpty()) {
            if (fm.horizontalAdvance(rest) <= width) {
                wrapped += rest;
                break;
            }
            // The longest head that fits, broken at its last blank when it has one.
            int fit = 1;
            while (fit < rest.size() && fm.horizontalAdvance(rest.left(fit + 1)) <= width) ++fit;
            const int blank = rest.left(fit + 1).lastIndexOf(QLatin1Char(' '));
            const int cut = blank > 0 ? blank : fit;
            wrapped += rest.left(cut);
            rest = rest.mid(cut);
            if (blank > 0) rest = rest.mid(1);
        }
    }
    const int perPage = std::max(1, static_cast<int>(area.height() / std::max(1.0, fm.lineSpacing())));
    QList<QStringList> pages;
    for (int i = 0; i < wrapped.size(); i += perPage) pages += wrapped.mid(i, perPage);
    return pages;
}

TPrintPreview::TPrintPreview(QWidget *parent) : QDialog(parent), preview_(QPrinter::HighResolution) {
    setWindowTitle(QStringLiteral("Print Preview"));
    resize(540, 656);
    if (QScreen *s = screen()) move(s->availableGeometry().center() - rect().center());
    preview_.setResolution(TPageGeometry::Dpi);
    preview_.setFullPage(true);
    preview_.setPageSize(QPageSize(QSize(TPageGeometry::PaperWidth * 72 / TPageGeometry::Dpi,
                                         TPageGeometry::PaperHeight * 72 / TPageGeometry::Dpi),
                                   QPageSize::Point, QString(), QPageSize::ExactMatch));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *tools = new QToolBar(this);
    auto button = [tools](const QString &text) {
        auto *b = new QToolButton(tools);
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        tools->addWidget(b);
        return b;
    };
    iBtnClose = button(QStringLiteral("Close"));
    iBtnEmail = button(QStringLiteral("E-Mail"));
    iBtnPrint = button(QStringLiteral("Print"));
    iBtnPrinterSetup = button(QStringLiteral("Printer"));
    tools->addSeparator();
    Fonts = new QComboBox(tools);
    Fonts->setMinimumWidth(150);
    Fonts->setEditable(false);
    tools->addWidget(Fonts);
    eFontSize = new QLineEdit(QStringLiteral("10"), tools);
    eFontSize->setFixedWidth(32);
    tools->addWidget(eFontSize);
    sBtnFontSize = new TnSpinButton(tools);
    sBtnFontSize->SetFocusControl(eFontSize);
    sBtnFontSize->SetMin(8);
    sBtnFontSize->SetMax(64);
    sBtnFontSize->SetIncrement(1);
    tools->addWidget(sBtnFontSize);
    layout->addWidget(tools);

    Body = new QPrintPreviewWidget(&preview_, this);
    Body->setViewMode(QPrintPreviewWidget::SinglePageView);
    Body->setZoomMode(QPrintPreviewWidget::CustomZoom);
    layout->addWidget(Body, 1);
    for (QGraphicsView *v : Body->findChildren<QGraphicsView *>()) v->viewport()->installEventFilter(this);

    auto *status = new QWidget(this);
    auto *row = new QHBoxLayout(status);
    row->setContentsMargins(4, 2, 4, 2);
    lblPrinter = new QLabel(QStringLiteral("Printer: "), status);
    lblWidth = new QLabel(QStringLiteral("Width:"), status);
    lblHeight = new QLabel(QStringLiteral("Height: "), status);
    PageTotal = new QLabel(QStringLiteral("Total Pages:"), status);
    ZoomBar = new QSlider(Qt::Horizontal, status);
    ZoomBar->setRange(0, 60);
    ZoomBar->setValue(12);
    ZoomBar->setFixedWidth(120);
    ZoomBar->setToolTip(QStringLiteral("Mouse Wheel: +/- Zoom\nLeft Mouse:     +/- Zoom"));
    PrintImage = new QLabel(status);
    PrintImage->setFixedSize(16, 16);
    PrintImage->hide();
    row->addWidget(lblPrinter, 1);
    row->addWidget(lblWidth);
    row->addWidget(lblHeight);
    row->addWidget(PageTotal);
    row->addWidget(ZoomBar);
    row->addWidget(PrintImage);
    layout->addWidget(status);

    busyTimer_ = new QTimer(this);
    busyTimer_->setInterval(100);
    connect(busyTimer_, &QTimer::timeout, this, [this] {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 8; ++i) {
            const double a = (i + busyFrame_) * M_PI / 4;
            p.setBrush(QColor(40, 70, 140, 60 + 24 * i));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(8 + 5.5 * std::cos(a), 8 + 5.5 * std::sin(a)), 1.6, 1.6);
        }
        PrintImage->setPixmap(pm);
        busyFrame_ = (busyFrame_ + 1) % 8;
    });

    connect(iBtnClose, &QToolButton::clicked, this, &QDialog::reject);
    connect(iBtnEmail, &QToolButton::clicked, this, [this] { iBtnEmailClick(); });
    connect(iBtnPrint, &QToolButton::clicked, this, [this] { iBtnPrintClick(); });
    connect(iBtnPrinterSetup, &QToolButton::clicked, this, [this] { iBtnPrinterSetupClick(); });
    connect(Fonts, &QComboBox::activated, this, [this](int) { FontsChange(); });
    connect(eFontSize, &QLineEdit::textChanged, this, [this] { eFontSizeChange(); });
    connect(ZoomBar, &QSlider::valueChanged, this, [this](int p) { ZoomBarChange(p); });
    connect(Body, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *p) { paintPages(p, false); });

    SetScale(54);
    PrinterSetup();
}

TPrintPreview::~TPrintPreview() = default;

void TPrintPreview::SetLines(const QStringList &lines) {
    lines_ = lines;
    Render();
}

void TPrintPreview::SetScale(int percent) {
    scale_ = std::clamp(percent, kMinScale, kMaxScale);
    Body->setZoomFactor(scale_ / 100.0);
}

void TPrintPreview::ZoomBarChange(int position) { SetScale(PreviewZoomScale(position)); }

void TPrintPreview::Render() {
    pages_ = LayoutPages(lines_, RendererFont(fontName_, fontSize_), Geometry);
    PageTotal->setText(QStringLiteral("Total Pages: ") + QString::number(pages_.size()));
    Body->updatePreview();
}

void TPrintPreview::paintPages(QPrinter *printer, bool waits) {
    QPainter p;
    if (!p.begin(printer)) return;
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const QRect area = Geometry.TextRect();
    const QFont font = RendererFont(fontName_, fontSize_);
    const double lineHeight = QFontMetricsF(font).lineSpacing();
    const double ascent = QFontMetricsF(font).ascent();
    for (int i = 0; i < pages_.size(); ++i) {
        if (i > 0) printer->newPage();
        if (waits) Wait(128);
        p.save();
        // The 300 dpi page stretched over the printer's page.
        p.scale(double(page.width()) / TPageGeometry::PaperWidth, double(page.height()) / TPageGeometry::PaperHeight);
        p.fillRect(QRect(0, 0, TPageGeometry::PaperWidth, TPageGeometry::PaperHeight), Qt::white);
        p.setFont(font);
        p.setPen(Qt::black);
        double y = area.top() + ascent;
        for (const QString &line : pages_[i]) {
            if (!line.isEmpty()) p.drawText(QPointF(area.left(), y), line);
            y += lineHeight;
        }
        p.restore();
    }
    p.end();
}

void TPrintPreview::busy(bool on) {
    ZoomBar->setVisible(!on);
    PrintImage->setVisible(on);
    if (on) busyTimer_->start();
    else busyTimer_->stop();
}

bool TPrintPreview::PrintTo(QPrinter &printer) {
    if (printing_) return false;
    printing_ = true;
    busy(true);
    bool ok = true;
    if (PageCount() > 0) {
        printer.setDocName(FileName);
        Wait(32);
        paintPages(&printer, true);
        if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
            ok = false;
            showMessage("The printer reported an error while printing.", "Printer Error", miStop);
        }
    }
    busy(false);
    printing_ = false;
    return ok;
}

void TPrintPreview::iBtnPrintClick() {
    if (!hasPrinter_) return;
    PrintTo(printer_);
}

void TPrintPreview::iBtnEmailClick() {
    if (!ShellOpen(AdvisoryMailLink(lines_).toStdString()))
        showMessage("An error occured starting your E-Mail application.You need a default Mail application "
                    "configured for this function.",
                    "Execute E-Mail application.", miInformation);
}

void TPrintPreview::iBtnPrinterSetupClick() {
    if (!hasPrinter_) return;
    QPrintDialog dlg(&printer_, this);
    if (dlg.exec() == QDialog::Accepted) describePrinter();
}

void TPrintPreview::PrinterSetup() {
    lblPrinter->setText(QStringLiteral("Printer: "));
    Fonts->clear();
    hasPrinter_ = false;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return;
    printer_.setPrinterName(info.printerName());
    if (!printer_.isValid()) {
        showMessage(QStringLiteral("The printer %1 cannot be used.").arg(info.printerName()).toStdString(),
                    "Printer Setup", miStop);
        return;
    }
    hasPrinter_ = true;
    describePrinter();
}

void TPrintPreview::describePrinter() {
    const QPrinterInfo info(printer_);
    const QString name = info.description().isEmpty() ? printer_.printerName() : info.description();
    lblPrinter->setText(QStringLiteral("Printer: ") + name + QStringLiteral(", ") + info.location());
    const QRect page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    lblWidth->setText(QStringLiteral("Width: ") + QString::number(page.width()));
    lblHeight->setText(QStringLiteral("Height: ") + QString::number(page.height()));
    FillFonts(QFontDatabase::families());
}

void TPrintPreview::FillFonts(const QStringList &fonts) {
    Fonts->clear();
    Fonts->addItems(fonts);
    const int i = PickFontIndex(fonts, fontName_);
    if (i < 0) return;
    Fonts->setCurrentIndex(i);
    fontName_ = fonts[i];
    Render();
}

void TPrintPreview::FontsChange() {
    const QString name = Fonts->currentText();
    if (name.isEmpty() || name == fontName_) return;
    fontName_ = name;
    Render();
}

void TPrintPreview::eFontSizeChange() {
    const QString text = eFontSize->text().trimmed();
    if (text.isEmpty()) return;  // half-typed; the size stays
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok || size < 1) {
        showMessage(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString(), "Print Preview",
                    miStop);
        return;
    }
    if (size == fontSize_) return;
    fontSize_ = size;
    Render();
}

bool TPrintPreview::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Wheel) {
        auto *w = static_cast<QWheelEvent *>(event);
        const int delta = w->angleDelta().y();
        if (delta != 0) {
            const int scale = PreviewWheelScale(scale_, delta > 0);
            ZoomBar->setValue(PreviewZoomPosition(scale));
            SetScale(scale);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PrintButtonClick(QWidget *owner, const TPrintRequest &request) {
    auto tr = [&request](const char *text) {
        const QString t = QString::fromUtf8(text);
        return request.Translate ? request.Translate(t) : t;
    };
    auto info = [&tr](const QString &text) {
        showMessage(text.toStdString(), tr("Print Preview").toStdString(), miInformation);
    };
    switch (request.Page) {
    case TPrintPage::Advisory: {
        if (!request.HasAlerts) {
            info(tr("There are no %s to Print.").replace(QLatin1String("%s"), request.AdvisoryCaption));
            return;
        }
        TPrintPreview preview(owner);
        preview.SetLines(AdvisoryPrintLines(request.AlertTitle, request.Effective, request.Expires,
                                            request.Description));
        preview.exec();
        return;
    }
    case TPrintPage::Imagery:
        info(tr("%s printing is not available.").replace(QLatin1String("%s"), request.ImageryCaption));
        return;
    case TPrintPage::Current:
        info(tr("%s printing is not available.")
                 .replace(QLatin1String("%s"), request.TitleText + QStringLiteral(", ") + request.ForecastText));
        return;
    }
}
