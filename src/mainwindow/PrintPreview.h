#pragma once
// Printing and mailing the advisory on show: the print preview window and
// the main window's Print button.
#include <QDialog>
#include <QFont>
#include <QList>
#include <QPrinter>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QSlider;
class QTimer;
class QToolButton;
class TnSpinButton;

// Zoom bar position 0..60 to the scale 30..150 % and back.
int PreviewZoomScale(int position);
int PreviewZoomPosition(int scale);
// One wheel notch: down lowers the scale by 2 while above 30, up raises it
// by 2 while below 150.
int PreviewWheelScale(int scale, bool up);
// The font to use from a printer's list: the one named like `wanted` (any
// case), else the first "Tahoma" (any case), else the first; -1 for no fonts.
int PickFontIndex(const QStringList &fonts, const QString &wanted);
// "mailto:?subject=Weather%20Advisory&body=" + the lines joined with line
// breaks, percent-encoded so a '&' or '#' in the text cannot end the body.
QString AdvisoryMailLink(const QStringList &lines);
// The printed advisory: an empty line, the title, an empty line, the
// effective and expiry line, an empty line, then the description's lines.
QStringList AdvisoryPrintLines(const QString &title, const QString &effective, const QString &expires,
                               const QString &description);

// The rendered page: 300 dpi, 2480 x 3507 with a 2400 x 3281 printable part
// in the middle; text goes inside the margins of the printable part.
struct TPageGeometry {
    static constexpr int Dpi = 300;
    static constexpr int PaperWidth = 2480, PaperHeight = 3507;
    static constexpr int PrintableWidth = 2400, PrintableHeight = 3281;
    int LeftMargin = 54, TopMargin = 64, RightMargin = 54, BottomMargin = 54;
    QRect TextRect() const;
};
// Wraps the lines at blanks (a word wider than the line is cut) and breaks
// them into pages of whole lines. Always at least one page when there are lines.
QList<QStringList> LayoutPages(const QStringList &lines, const QFont &font, const TPageGeometry &geometry);
// The font of the renderer: name and point size at 300 dpi, in page pixels.
QFont RendererFont(const QString &family, int pointSize);

class TPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget *parent = nullptr);
    ~TPrintPreview() override;

    QString FileName;  // the print job's title
    QStringList Lines() const { return lines_; }
    void SetLines(const QStringList &lines);
    TPageGeometry Geometry;  // margins in page pixels
    int Scale() const { return scale_; }
    void SetScale(int percent);

    QString FontName() const { return fontName_; }
    int FontSize() const { return fontSize_; }
    const QList<QStringList> &Pages() const { return pages_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    bool HasPrinter() const { return hasPrinter_; }

    // Lays the lines out again and refreshes the preview and the page count.
    void Render();
    // Reads the system's current printer into the labels and the font list.
    void PrinterSetup();
    // Step 4 of the printer set-up on a given font list.
    void FillFonts(const QStringList &fonts);
    // Prints every page, stretched over the printer's page; false after an
    // error (shown). The busy picture runs meanwhile.
    bool PrintTo(QPrinter &printer);

    // Handlers.
    void iBtnPrintClick();
    void iBtnEmailClick();
    void iBtnPrinterSetupClick();
    void FontsChange();
    void eFontSizeChange();
    void ZoomBarChange(int position);

    QPrintPreviewWidget *Body = nullptr;
    QToolButton *iBtnClose = nullptr, *iBtnEmail = nullptr, *iBtnPrint = nullptr, *iBtnPrinterSetup = nullptr;
    QComboBox *Fonts = nullptr;
    QLineEdit *eFontSize = nullptr;
    TnSpinButton *sBtnFontSize = nullptr;
    QLabel *lblPrinter = nullptr, *lblWidth = nullptr, *lblHeight = nullptr, *PageTotal = nullptr;
    QSlider *ZoomBar = nullptr;
    QLabel *PrintImage = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void describePrinter();
    void paintPages(QPrinter *printer, bool waits);
    void busy(bool on);

    QStringList lines_;
    QList<QStringList> pages_;
    QString fontName_ = QStringLiteral("Tahoma");
    int fontSize_ = 10;
    int scale_ = 54;
    bool hasPrinter_ = false;
    QPrinter printer_;     // the system's printer once found
    QPrinter preview_;     // the page the preview shows
    QTimer *busyTimer_ = nullptr;
    int busyFrame_ = 0;
    bool printing_ = false;
};

// The main window's Print button.
enum class TPrintPage { Current, Advisory, Imagery };
struct TPrintRequest {
    TPrintPage Page = TPrintPage::Current;
    QString AdvisoryCaption = QStringLiteral("Advisory");  // the tab captions
    QString ImageryCaption = QStringLiteral("Imagery");
    QString TitleText, ForecastText;                       // the Current page's labels
    bool HasAlerts = false;
    QString AlertTitle, Effective, Expires, Description;   // the shown advisory
    // Language table lookup of a built-in English text; the text itself when unset.
    std::function<QString(const QString &)> Translate;
};
// Shows the preview of the advisory, or the message why the page does not print.
void PrintButtonClick(QWidget *owner, const TPrintRequest &request);
