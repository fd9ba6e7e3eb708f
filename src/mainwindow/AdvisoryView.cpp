#include "mainwindow/AdvisoryView.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidgetItem>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "controls/Lists.h"
#include "platform/FormatSettings.h"
#include "service/WxService.h"

const char *const kNoAdvisoryLink = "No Advisory Link";
const char *const kNoAlertsText = "There are no active watches, warnings or advisories.";

namespace {
QString q(const std::string &s) { return QString::fromStdString(s); }
constexpr int kItemRole = Qt::UserRole + 1;
constexpr int kHeadlineMax = 52, kHeadlineCut = 53;
}  // namespace

QString AdvisoryHeadline(const QString &upperHeadline) {
    if (upperHeadline.isEmpty()) return QStringLiteral("INFORMATION");
    if (upperHeadline.size() > kHeadlineMax) return upperHeadline.left(kHeadlineCut) + QStringLiteral("...");
    return upperHeadline;
}

QString AdvisoryDateText(TDateTime dt) { return dt == 0 ? QStringLiteral("0") : q(DateTimeToStr(dt)); }

QString AdvisoryLinkText(const QString &link) {
    if (link.isEmpty()) return QString::fromLatin1(kNoAdvisoryLink);
    // From the address itself when there is one: words before it may hold an
    // "h" of their own ("Read the http://...").
    int h = link.indexOf(QLatin1String("http"));
    if (h < 0) h = link.indexOf(QLatin1Char('h'));
    return h < 0 ? link : link.mid(h);
}

TAdvisoryView::TAdvisoryView(QWidget *parent) : QWidget(parent) {
    setObjectName("AdvisoryView");
    setAutoFillBackground(true);

    gLabel7 = new QLabel(QStringLiteral("For Your AREA"), this);
    gLabel7->setObjectName("gLabel7");
    clbAdvisories = new TclListBox(this);
    clbAdvisories->setObjectName("clbAdvisories");
    clbAdvisories->SetColor1(RowColor1);
    clbAdvisories->SetColor2(RowColor2);
    // Titles may hold any character; none of them should split the entry.
    clbAdvisories->SetNameValueSeperator(QChar(0x1F));
    clbAdvisories->setFixedWidth(190);

    glStartTime = new QLabel(QStringLiteral("Effective: "), this);
    glStartTime->setObjectName("glStartTime");
    glEffective = new QLabel(QStringLiteral("0"), this);
    glEffective->setObjectName("glEffective");
    gLabel12 = new QLabel(QStringLiteral("Expires: "), this);
    gLabel12->setObjectName("gLabel12");
    glExpires = new QLabel(QStringLiteral("0"), this);
    glExpires->setObjectName("glExpires");
    glAlertLink = new QLabel(QString::fromLatin1(kNoAdvisoryLink), this);
    glAlertLink->setObjectName("glAlertLink");
    glAlertLink->setCursor(Qt::PointingHandCursor);
    glHeadline = new QLabel(QStringLiteral("INFORMATION"), this);
    glHeadline->setObjectName("glHeadline");
    mAdvisory = new QPlainTextEdit(this);
    mAdvisory->setObjectName("mAdvisory");
    mAdvisory->setReadOnly(true);
    mAdvisory->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mAdvisory->setPlainText(QStringLiteral("No Current Advisory. . ."));

    for (QLabel *l : {gLabel7, glStartTime, glEffective, gLabel12, glExpires, glAlertLink, glHeadline}) {
        l->setTextFormat(Qt::PlainText);
        l->setAutoFillBackground(true);
        l->setContentsMargins(6, 2, 6, 2);
    }
    QFont bold = font();
    bold.setBold(true);
    for (QLabel *l : {gLabel7, glStartTime, gLabel12, glHeadline}) l->setFont(bold);
    QFont big = bold;
    big.setPointSize(big.pointSize() + 2);
    glHeadline->setFont(big);
    glAlertLink->setMinimumWidth(1);
    glAlertLink->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont link = font();
    link.setUnderline(true);
    glAlertLink->setFont(link);

    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(6);
    auto *left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(gLabel7);
    left->addWidget(clbAdvisories, 1);
    root->addLayout(left);

    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    auto *times = new QGridLayout;
    times->setHorizontalSpacing(0);
    times->setVerticalSpacing(2);
    times->addWidget(glStartTime, 0, 0);
    times->addWidget(glEffective, 0, 1);
    times->addWidget(gLabel12, 1, 0);
    times->addWidget(glExpires, 1, 1);
    times->setColumnStretch(1, 1);
    right->addLayout(times);
    right->addWidget(glAlertLink);
    right->addWidget(glHeadline);
    right->addWidget(mAdvisory, 1);
    root->addLayout(right, 1);

    connect(clbAdvisories, &QListWidget::currentRowChanged, this, [this](int) {
        if (!filling_) clbAdvisoriesClick();
    });
    for (QObject *o : {static_cast<QObject *>(clbAdvisories->viewport()), static_cast<QObject *>(mAdvisory->viewport()),
                       static_cast<QObject *>(glAlertLink)})
        o->installEventFilter(this);

    SetColors(0x800000, 0xF0CAA6, 0xC0DCC0);
}

void TAdvisoryView::SetColors(TColor color, TColor color1, TColor color2) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(color1));
    setPalette(pal);
    auto paint = [](QLabel *l, TColor bg, const QColor &fg) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, ToQColor(bg));
        p.setColor(QPalette::WindowText, fg);
        l->setPalette(p);
    };
    const QColor light(Qt::white), dark(Qt::black);
    paint(gLabel7, color, light);
    paint(glStartTime, color, light);
    paint(gLabel12, color, light);
    paint(glEffective, color2, dark);
    paint(glExpires, color2, dark);
    paint(glAlertLink, color2, QColor(0, 0, 160));
    paint(glHeadline, color, QColor(255, 230, 120));
}

void TAdvisoryView::Clear() {
    filling_ = true;
    clbAdvisories->clear();
    filling_ = false;
    mAdvisory->clear();
    glEffective->setText(QStringLiteral("0"));
    glExpires->setText(QStringLiteral("0"));
    glAlertLink->setText(QString::fromLatin1(kNoAdvisoryLink));
}

void TAdvisoryView::ShowAlert(const QString &headline, const QString &description, TDateTime expires,
                              TDateTime effective, TDateTime sent, const QString &link) {
    if (IsPageActive && IsPageActive() && OnCurrentTime)
        OnCurrentTime(TabCaption + QStringLiteral(": ") + q(FormatDateTime("mmmmm dd, h:nn AM/PM ", sent)));
    glEffective->setText(AdvisoryDateText(effective));
    glExpires->setText(AdvisoryDateText(expires));
    headline_ = headline.toUpper();
    glHeadline->setText(AdvisoryHeadline(headline_));
    mAdvisory->setPlainText(description);
    glAlertLink->setText(AdvisoryLinkText(link));
}

void TAdvisoryView::showItem(TCustomWxService *service, int index) {
    TAlerts *alerts = service ? service->Alerts() : nullptr;
    const TCustomAlertItem *a = alerts ? alerts->Items(index) : nullptr;
    if (!a) return;
    ShowAlert(q(a->GetHeadline()), q(a->GetDescription()), a->GetExpires(), a->GetEffective(), alerts->GetSent(),
              q(a->GetWeb()));
}

void TAdvisoryView::ShowAlerts(TCustomWxService *service) {
    Clear();
    TAlerts *alerts = service ? service->Alerts() : nullptr;
    if (!alerts) return;
    if (alerts->Count() == 0) {
        ShowAlert(QString(), QString::fromLatin1(kNoAlertsText), 0, 0, alerts->GetSent(), q(alerts->GetReferences()));
        return;
    }
    filling_ = true;
    for (int i = 0; i < alerts->Count(); ++i) {
        const TCustomAlertItem *a = alerts->Items(i);
        clbAdvisories->AddItem(q(a->GetEvent()));
        clbAdvisories->item(clbAdvisories->count() - 1)->setData(kItemRole, i);
        if (i == 0) {
            showItem(service, 0);
            clbAdvisories->setCurrentRow(0);
        }
    }
    filling_ = false;
}

void TAdvisoryView::clbAdvisoriesClick() {
    TCustomWxService *service = CurrentService ? CurrentService() : nullptr;
    TAlerts *alerts = service ? service->Alerts() : nullptr;
    if (!alerts || alerts->Count() == 0 || clbAdvisories->count() == 0) return;
    const QListWidgetItem *it = clbAdvisories->currentItem();
    if (!it) return;
    bool ok = false;
    const int index = it->data(kItemRole).toInt(&ok);
    if (ok && index >= 0 && index < alerts->Count()) showItem(service, index);
}

void TAdvisoryView::glAlertLinkClick() {
    const QString t = glAlertLink->text();
    if (t != QLatin1String(kNoAdvisoryLink) && OpenLink) OpenLink(t.toStdString());
}

std::vector<int> TAdvisoryView::ListedItems() const {
    std::vector<int> out;
    for (int r = 0; r < clbAdvisories->count(); ++r) {
        bool ok = false;
        const int i = clbAdvisories->item(r)->data(kItemRole).toInt(&ok);
        if (ok) out.push_back(i);
    }
    return out;
}

bool TAdvisoryView::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress && watched != glAlertLink) emit PagePressed();
    if (watched == glAlertLink && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        glAlertLinkClick();
    return QWidget::eventFilter(watched, event);
}

void TAdvisoryView::mousePressEvent(QMouseEvent *event) {
    emit PagePressed();
    QWidget::mousePressEvent(event);
}
