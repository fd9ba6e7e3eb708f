#include "dialogs/Progress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

QString ProgressPercentText(qint64 position, qint64 maximum) {
    // Integer arithmetic: 29 of 100 is 29%, not the 28% a floating-point
    // quotient truncates to. A download whose size is unknown (maximum 0)
    // or that runs past its announced size stays within 0..100.
    if (position < 1 || maximum <= 0) return QStringLiteral("0%");
    const qint64 percent = std::min<qint64>(100, position * 100 / maximum);
    return QString::number(percent) + '%';
}

TProgressDlg::TProgressDlg(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("    Progress    "));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(370, 90);

    FMessage = new QLabel(this);
    QFont bold = FMessage->font();
    bold.setBold(true);
    FMessage->setFont(bold);
    FMessage->setGeometry(12, 8, 290, 18);
    FPercentage = new QLabel(QStringLiteral("0%"), this);
    FPercentage->setGeometry(306, 8, 52, 18);
    FPercentage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FProgressBar = new QProgressBar(this);
    FProgressBar->setGeometry(12, 30, 346, 18);
    FProgressBar->setTextVisible(false);
    FProgressBar->setRange(0, 100);
    FProgressBar->setValue(0);
    Button = new QPushButton(QStringLiteral("&Close"), this);
    Button->setGeometry(283, 56, 75, 25);
    connect(Button, &QPushButton::clicked, this, &QWidget::hide);

    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TProgressDlg::SetMessage(const QString &text) {
    if (FMessage && FMessage->text() != text) FMessage->setText(text);
}

void TProgressDlg::SetMin(int value) {
    if (FProgressBar && FProgressBar->minimum() != value) FProgressBar->setMinimum(value);
}

void TProgressDlg::SetMax(int value) {
    if (FProgressBar && FProgressBar->maximum() != value) FProgressBar->setMaximum(value);
}

int TProgressDlg::GetMax() const { return FProgressBar ? FProgressBar->maximum() : 0; }

void TProgressDlg::SetPosition(int value) {
    if (!FProgressBar) return;
    if (FProgressBar->value() != value) FProgressBar->setValue(value);
    if (FPercentage) FPercentage->setText(ProgressPercentText(value, FProgressBar->maximum()));
}
