#include "lang/LangDlg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "platform/Paths.h"

namespace {
struct TDlgTexts {
    const char *Key;  // looked for in the item text
    const char *Code;
    const char *Caption;
    const char *Query;
    const char *Note;
};

constexpr TDlgTexts kTexts[] = {
    {"Deu", "DEU", "Sprache", "Wählen Sie bitte eine Sprache. . .",
     "Note: Verzeichnete Sprachen werden durch alle Dienstleistungen nicht unterstützt. Siehe Hilfe für "
     "Informationen."},
    {"Eng", "ENU", "Language", "Please select a language. . .",
     "Note: These languages are not supported by all services. See help for information."},
    {"Esp", "ESN", "Lengua", "Escoja una lengua por favor. . .",
     "Note: Estas lenguas no son apoyadas por todos los servicios.Consulte la ayuda de la información."},
    {"Fra", "FRA", "Langue", "S'il vous plaît, choisissez une langue. . .",
     "Note: Ces langues ne sont pas supportées par tous les services. Voir l'aide pour des informations."},
};

const char *const kItems[] = {"Deutsch (Deutschland)=0", "English (United States)=1", "Español (Internacional)=2",
                              "Français (France)=3"};
const char *const kFlags[] = {"de", "us", "es", "fr"};
constexpr QSize kFlagSize(16, 11);

// A plain stand-in flag when the picture is missing, so the list still lines up.
QPixmap loadFlag(const char *name) {
    QPixmap p;
    QString file = QString::fromStdString(DataPath() + "Images/flags/") + name + ".png";
    if (QFile::exists(file)) p.load(file);
    if (p.isNull()) {
        p = QPixmap(kFlagSize);
        p.fill(QColor(0xC0, 0xC0, 0xC0));
    } else if (p.size() != kFlagSize) {
        p = p.scaled(kFlagSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return p;
}

QPixmap drawGlobe() {
    QPixmap p(64, 64);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(QPointF(24, 22), 40);
    sea.setColorAt(0, QColor(0x7F, 0xB8, 0xF0));
    sea.setColorAt(1, QColor(0x1F, 0x4F, 0x9F));
    g.setBrush(sea);
    g.setPen(QPen(QColor(0x10, 0x30, 0x70), 1.5));
    g.drawEllipse(QRectF(4, 4, 56, 56));
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(255, 255, 255, 150), 1));
    g.drawEllipse(QRectF(18, 4, 28, 56));
    g.drawLine(QPointF(32, 4), QPointF(32, 60));
    g.drawLine(QPointF(4, 32), QPointF(60, 32));
    g.drawLine(QPointF(8, 19), QPointF(56, 19));
    g.drawLine(QPointF(8, 45), QPointF(56, 45));
    return p;
}

class TLanguageDelegate : public QStyledItemDelegate {
public:
    explicit TLanguageDelegate(TLanguageList *list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter *p, const QStyleOptionViewItem &opt, const QModelIndex &index) const override {
        bool sel = opt.state & QStyle::State_Selected;
        QColor brush = sel ? opt.palette.color(QPalette::Highlight) : opt.palette.color(QPalette::Base);
        QColor pen = sel ? opt.palette.color(QPalette::HighlightedText) : opt.palette.color(QPalette::Text);
        list_->DrawItem(*p, index.data().toString(), opt.rect, brush, pen);
    }
    QSize sizeHint(const QStyleOptionViewItem &opt, const QModelIndex &index) const override {
        QSize s = QStyledItemDelegate::sizeHint(opt, index);
        return {s.width() + kFlagSize.width() + 4, std::max(s.height(), kFlagSize.height() + 4)};
    }

private:
    TLanguageList *list_;
};
}  // namespace

TLanguageItemLayout LayoutLanguageItem(const QString &item, const QRect &rect, int imageCount, int imageWidth) {
    TLanguageItemLayout l;
    l.Text = item;
    l.TextPos = QPoint(rect.left() + 2, rect.top());
    int eq = item.indexOf(QLatin1Char('='));
    if (eq < 0) return l;
    QString after = item.mid(eq + 1);
    if (after.isEmpty()) return l;
    bool ok = false;
    int index = after.toInt(&ok);
    if (!ok) return l;  // drawing it would fail: the whole text goes out instead
    l.Text = item.left(eq);
    if (index >= 0 && index < imageCount) {
        l.ImageIndex = index;
        l.ImagePos = QPoint(rect.left() + 2, rect.top() + 2);
        l.TextPos.setX(l.TextPos.x() + imageWidth + 4);
    }
    return l;
}

TLanguageList::TLanguageList(QWidget *parent) : QComboBox(parent) {
    setItemDelegate(new TLanguageDelegate(this));
}

void TLanguageList::DrawItem(QPainter &p, const QString &item, const QRect &rect, const QColor &brush,
                             const QColor &pen) const {
    p.save();
    p.setPen(brush);
    p.setBrush(brush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    int width = images_.isEmpty() ? 0 : images_.first().width();
    TLanguageItemLayout l = LayoutLanguageItem(item, rect, images_.size(), width);
    if (l.ImageIndex >= 0) p.drawPixmap(l.ImagePos, images_[l.ImageIndex]);
    p.setPen(pen);
    p.setBackgroundMode(Qt::TransparentMode);
    QRect textRect(l.TextPos, QPoint(rect.right(), rect.bottom()));
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, l.Text);
    p.restore();
}

void TLanguageList::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    DrawItem(p, currentText(), r, palette().color(QPalette::Button), palette().color(QPalette::ButtonText));
}

TLanguageDlg::TLanguageDlg(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LanguageDlg"));
    setWindowTitle(QStringLiteral("Language"));
    setFixedSize(372, 126);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    globe_ = new QLabel(this);
    globe_->setGeometry(8, 8, 64, 64);
    QString globeFile = QString::fromStdString(DataPath() + "Images/globe.png");
    QPixmap globe;
    if (QFile::exists(globeFile)) globe.load(globeFile);
    globe_->setPixmap(globe.isNull() ? drawGlobe() : globe.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    query_ = new QLabel(QStringLiteral("Please choose a language. . ."), this);
    query_->setObjectName(QStringLiteral("Query"));
    QFont qf(QStringLiteral("Tahoma"));
    qf.setPointSize(10);
    query_->setFont(qf);
    query_->setGeometry(84, 8, 280, 20);

    languages_ = new TLanguageList(this);
    languages_->setObjectName(QStringLiteral("Languages"));
    for (const char *item : kItems) languages_->addItem(QString::fromUtf8(item));
    QList<QPixmap> flags;
    for (const char *f : kFlags) flags << loadFlag(f);
    languages_->SetImages(flags);
    languages_->setGeometry(84, 32, 200, 22);

    note_ = new QLabel(
        QStringLiteral("Note: These languages are not supported by all services. See help for more information."), this);
    note_->setObjectName(QStringLiteral("Note"));
    note_->setWordWrap(true);
    note_->setGeometry(84, 58, 280, 32);

    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setObjectName(QStringLiteral("btnOK"));
    ok_->setDefault(true);
    ok_->setGeometry(372 - 84, 126 - 32, 76, 25);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(languages_, qOverload<int>(&QComboBox::activated), this, [this](int) { LanguagesCloseUp(); });

    FormCreate();
}

const char *TLanguageDlg::CodeAt(int position) {
    return position >= 0 && position < int(std::size(kTexts)) ? kTexts[position].Code : nullptr;
}

void TLanguageDlg::FormCreate() {
    code_ = "ENU";
    languages_->setCurrentIndex(1);
}

void TLanguageDlg::LanguagesCloseUp() { SelectLanguage(languages_->currentIndex()); }

void TLanguageDlg::SelectLanguage(int position) {
    if (position < 0 || position > 3 || position >= languages_->count()) return;
    languages_->setCurrentIndex(position);
    const QString item = languages_->itemText(position);
    for (const TDlgTexts &t : kTexts) {
        if (!item.contains(QLatin1String(t.Key))) continue;
        code_ = t.Code;
        setWindowTitle(QString::fromUtf8(t.Caption));
        query_->setText(QString::fromUtf8(t.Query));
        note_->setText(QString::fromUtf8(t.Note));
        break;
    }
}

void TLanguageDlg::Preset(const std::string &code) {
    if (code == code_) return;
    for (int i = 0; i < int(std::size(kTexts)); ++i)
        if (code == kTexts[i].Code) {
            SelectLanguage(i);
            return;
        }
}

void TLanguageDlg::paintEvent(QPaintEvent *) {
    // The dialog's background is a gradient, as the program's panels are.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0xF8, 0xF8, 0xFF));
    g.setColorAt(1, QColor(0xA6, 0xCA, 0xF0));
    p.fillRect(rect(), g);
}
