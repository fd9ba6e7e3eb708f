#include "controls/nSpin.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

std::optional<QString> SpinText(const QString &text, bool up, const TSpinLimits &l) {
    bool ok = false;
    int value = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    int next;
    if (up) {
        // A range that starts at 1 counts in whole increments: 1 → 5 → 10, not 6.
        if (l.min == 1 && l.increment > 1 && value == 1) value = 0;
        next = std::min(value + l.increment, l.max);
    } else {
        next = std::max(value - l.increment, l.min);
    }
    return QStringLiteral("%1").arg(next, std::max(0, l.places), 10, QLatin1Char('0'));
}

TnSpinButton::TnSpinButton(QWidget *parent) : QWidget(parent) { resize(sizeHint()); }

int TnSpinButton::Places() const {
    if (edit_ && !edit_->inputMask().isEmpty()) {
        const QString mask = edit_->inputMask();
        const int semi = mask.indexOf(QLatin1Char(';'));
        return semi < 0 ? int(mask.size()) : semi;
    }
    return limits_.places;
}

void TnSpinButton::SetPlaces(int n) {
    limits_.places = std::max(0, n);
    // Qt's mask digit that may stay blank is '0'; the blank is a space.
    if (edit_ && !edit_->inputMask().isEmpty())
        edit_->setInputMask(QString(limits_.places, QLatin1Char('0')) + QStringLiteral("; "));
}

void TnSpinButton::Step(bool up) {
    if (!edit_) return;
    TSpinLimits l = limits_;
    l.places = Places();
    const std::optional<QString> next = SpinText(edit_->text(), up, l);
    if (!next) return;
    edit_->setText(*next);
    if (OnIncrement) OnIncrement(this);
}

void TnSpinButton::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = e->position().y() < height() / 2.0 ? 1 : -1;
    update();
    Step(pressed_ > 0);
}

void TnSpinButton::mouseReleaseEvent(QMouseEvent *) {
    pressed_ = 0;
    update();
}

void TnSpinButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int h = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), h), QRect(0, h, width(), height() - h)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton b;
        b.initFrom(this);
        b.rect = halves[i];
        const bool down = (i == 0 && pressed_ > 0) || (i == 1 && pressed_ < 0);
        b.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &b, &p, this);
        QStyleOption a;
        a.initFrom(this);
        a.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &a, &p, this);
    }
}
