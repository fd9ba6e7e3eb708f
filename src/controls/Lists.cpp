#include "controls/Lists.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

QString ItemName(const QString &line, QChar sep) {
    const int i = line.indexOf(sep);
    return i < 0 ? line : line.left(i);
}

QString ItemValue(const QString &line, QChar sep) {
    const int i = line.indexOf(sep);
    return i < 0 ? QString() : line.mid(i + 1);
}

QString WithItemValue(const QString &line, QChar sep, const QString &value) {
    const int i = line.indexOf(sep);
    return (i < 0 ? line : line.left(i)) + sep + value;
}

int ItemImageIndex(const QString &line, QChar sep) {
    const int i = line.indexOf(sep);
    if (i <= 0 || i == line.size() - 1) return -1;
    bool ok = false;
    const int v = line.mid(i + 1).trimmed().toInt(&ok);
    return ok && v >= 0 ? v : -1;
}

TRowColors RowColors(const TRowPalette &pal, int row, bool selected) {
    if (selected) return {clHighlight, clHighlightText};
    return row % 2 == 0 ? TRowColors{pal.color1, pal.textColor1} : TRowColors{pal.color2, pal.textColor2};
}

// ---------------------------------------------------------------- TclListBox

class TclItemDelegate : public QStyledItemDelegate {
public:
    explicit TclItemDelegate(TclListBox *list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem &opt, const QModelIndex &idx) const override {
        int w = opt.rect.width();
        if (list_->HScrollBar()) {
            w = opt.fontMetrics.horizontalAdvance(list_->Name(idx.row())) + 4;
            const int img = list_->ImageIndexOf(idx.row());
            if (img >= 0) w += list_->ImageList()[size_t(img)].width();
        }
        return QSize(w, list_->ItemHeight());
    }

    void paint(QPainter *p, const QStyleOptionViewItem &opt, const QModelIndex &idx) const override {
        const int row = idx.row();
        const bool selected = opt.state & QStyle::State_Selected;
        const QRect r = opt.rect;
        if (list_->OnDrawItem) {
            list_->OnDrawItem(list_, *p, row, r, opt.state);
            return;
        }
        const TRowColors c = RowColors(list_->RowPalette(), row, selected);
        p->save();
        p->fillRect(r, ToQColor(c.background));
        const bool rtl = opt.direction == Qt::RightToLeft;
        int textLeft = r.left() + 2, textRight = r.right() - 2;
        const int img = list_->ImageIndexOf(row);
        if (img >= 0) {
            const QPixmap &pm = list_->ImageList()[size_t(img)];
            const int y = r.top() + (r.height() - pm.height()) / 2;
            const bool bright = selected || (opt.state & QStyle::State_HasFocus);
            p->setOpacity(bright ? 1.0 : 0.6);
            p->drawPixmap(rtl ? r.right() - pm.width() + 1 : r.left(), y, pm);
            p->setOpacity(1.0);
            if (rtl)
                textRight -= pm.width();
            else
                textLeft += pm.width();
        }
        const QString text = list_->Name(row);
        p->setPen(ToQColor(c.text));
        p->setFont(opt.font);
        const QRect tr(QPoint(textLeft, r.top()), QPoint(textRight, r.bottom()));
        p->drawText(tr, Qt::AlignVCenter | Qt::TextSingleLine | (rtl ? Qt::AlignRight : Qt::AlignLeft), text);
        p->restore();
        if (list_->HScrollBar()) list_->NoteTextWidth(opt.fontMetrics.horizontalAdvance(text) + 4);
    }

private:
    TclListBox *list_;
};

TclListBox::TclListBox(QWidget *parent) : QListWidget(parent) {
    setItemDelegate(new TclItemDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    itemHeight_ = std::max(16, fontMetrics().height() + 2);
}

void TclListBox::SetColor1(TColor c) { pal_.color1 = c; viewport()->update(); }
void TclListBox::SetColor2(TColor c) { pal_.color2 = c; viewport()->update(); }
void TclListBox::SetTextColor1(TColor c) { pal_.textColor1 = c; viewport()->update(); }
void TclListBox::SetTextColor2(TColor c) { pal_.textColor2 = c; viewport()->update(); }
void TclListBox::SetImages(bool on) { images_ = on; viewport()->update(); }
void TclListBox::SetImageList(std::vector<QPixmap> images) {
    imageList_ = std::move(images);
    viewport()->update();
}
void TclListBox::SetHScrollBar(bool on) {
    hScroll_ = on;
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    doItemsLayout();
}
void TclListBox::SetNameValueSeperator(QChar c) {
    separator_ = c;
    for (int i = 0; i < count(); ++i) item(i)->setText(Name(i));
    viewport()->update();
}
void TclListBox::SetItemHeight(int h) {
    itemHeight_ = std::max(1, h);
    doItemsLayout();
}

void TclListBox::AddItem(const QString &line) {
    auto *it = new QListWidgetItem(ItemName(line, separator_));
    it->setData(Qt::UserRole, line);
    addItem(it);
}

void TclListBox::SetLines(const QStringList &lines) {
    clear();
    scrollWidth_ = 0;
    for (const QString &l : lines) AddItem(l);
}

QStringList TclListBox::Lines() const {
    QStringList out;
    for (int i = 0; i < count(); ++i) out << Line(i);
    return out;
}

QString TclListBox::Line(int row) const {
    const QListWidgetItem *it = item(row);
    return it ? it->data(Qt::UserRole).toString() : QString();
}

void TclListBox::SetValue(int row, const QString &value) {
    QListWidgetItem *it = item(row);
    if (!it) return;
    const QString line = WithItemValue(Line(row), separator_, value);
    it->setData(Qt::UserRole, line);
    it->setText(ItemName(line, separator_));
    viewport()->update(visualItemRect(it));
}

void TclListBox::SetDelimitedText(const QString &text) { SetLines(text.split(delimiter_)); }
QString TclListBox::DelimitedText() const { return Lines().join(delimiter_); }

int TclListBox::ImageIndexOf(int row) const {
    if (!images_ || imageList_.empty()) return -1;
    const int i = OnGetImageIndex ? OnGetImageIndex(const_cast<TclListBox *>(this), row)
                                  : ItemImageIndex(Line(row), separator_);
    return i >= 0 && size_t(i) < imageList_.size() ? i : -1;
}

void TclListBox::NoteTextWidth(int w) {
    if (w <= scrollWidth_) return;
    scrollWidth_ = w;
}

// ---------------------------------------------------------------- TclCheckListBox

class TclCheckDelegate : public QStyledItemDelegate {
public:
    explicit TclCheckDelegate(TclCheckListBox *list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem &opt, const QModelIndex &idx) const override {
        int w = opt.rect.width();
        if (list_->HScrollBar())
            w = opt.fontMetrics.horizontalAdvance(idx.data().toString()) + BoxWidth() + 8;
        return QSize(w, list_->ItemHeight());
    }

    void paint(QPainter *p, const QStyleOptionViewItem &opt, const QModelIndex &idx) const override {
        const int row = idx.row();
        const QRect r = opt.rect;
        if (list_->BeforeDrawItem) list_->BeforeDrawItem(list_, row, r, opt.state);
        p->save();
        if (list_->HeaderGroups().contains(row)) {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, ToQColor(clHighlight).lighter(130));
            g.setColorAt(1, ToQColor(clHighlight));
            p->fillRect(r, g);
            QFont f = opt.font;
            f.setBold(true);
            p->setFont(f);
            p->setPen(ToQColor(clHighlightText));
            p->drawText(r.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::TextSingleLine, idx.data().toString());
            p->restore();
            return;
        }
        const bool selected = opt.state & QStyle::State_Selected;
        const TRowColors c = RowColors(list_->RowPalette(), row, selected);
        p->fillRect(r, ToQColor(c.background));
        QStyleOptionButton box;
        box.rect = QRect(r.left() + 2, r.top() + (r.height() - BoxWidth()) / 2, BoxWidth(), BoxWidth());
        box.state = QStyle::State_Enabled;
        if (!(opt.state & QStyle::State_Enabled)) box.state &= ~QStyle::State_Enabled;
        box.state |= idx.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        list_->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p, list_);
        p->setPen(ToQColor(c.text));
        p->setFont(opt.font);
        p->drawText(r.adjusted(BoxWidth() + 6, 0, -2, 0), Qt::AlignVCenter | Qt::TextSingleLine,
                    idx.data().toString());
        p->restore();
    }

    bool editorEvent(QEvent *e, QAbstractItemModel *model, const QStyleOptionViewItem &opt,
                     const QModelIndex &idx) override {
        if (list_->HeaderGroups().contains(idx.row())) return false;
        if (e->type() == QEvent::MouseButtonRelease) {
            auto *me = static_cast<QMouseEvent *>(e);
            const QRect box(opt.rect.left() + 2, opt.rect.top(), BoxWidth() + 2, opt.rect.height());
            if (me->button() == Qt::LeftButton && box.contains(me->position().toPoint())) {
                const bool on = idx.data(Qt::CheckStateRole).toInt() == Qt::Checked;
                model->setData(idx, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(e, model, opt, idx);
    }

private:
    int BoxWidth() const { return list_->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list_); }
    TclCheckListBox *list_;
};

namespace {
class THeaderBand : public QWidget {
public:
    explicit THeaderBand(TclCheckListBox *list) : QWidget(list), list_(list) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, ToQColor(clBtnHighlight));
        g.setColorAt(1, ToQColor(clBtnFace));
        p.fillRect(rect(), g);
        p.setPen(ToQColor(clBtnShadow));
        p.drawLine(0, height() - 1, width(), height() - 1);
        QFont f = list_->font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(ToQColor(clBtnText));
        p.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::TextSingleLine, list_->HeaderText());
    }

private:
    TclCheckListBox *list_;
};
}  // namespace

TclCheckListBox::TclCheckListBox(QWidget *parent) : QListWidget(parent) {
    setItemDelegate(new TclCheckDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    itemHeight_ = std::max(18, fontMetrics().height() + 4);
}

void TclCheckListBox::SetColor1(TColor c) { pal_.color1 = c; viewport()->update(); }
void TclCheckListBox::SetColor2(TColor c) { pal_.color2 = c; viewport()->update(); }
void TclCheckListBox::SetTextColor1(TColor c) { pal_.textColor1 = c; viewport()->update(); }
void TclCheckListBox::SetTextColor2(TColor c) { pal_.textColor2 = c; viewport()->update(); }
void TclCheckListBox::SetHScrollBar(bool on) {
    hScroll_ = on;
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    doItemsLayout();
}
void TclCheckListBox::SetHasHeader(bool on) {
    hasHeader_ = on;
    UpdateHeader();
}
void TclCheckListBox::SetHeaderText(const QString &t) {
    headerText_ = t;
    if (header_) header_->update();
}
void TclCheckListBox::SetHeaderGroups(const QList<int> &rows) {
    headerGroups_ = rows;
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *it = item(i);
        if (rows.contains(i)) {
            it->setFlags(it->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsSelectable));
            it->setData(Qt::CheckStateRole, QVariant());
        }
    }
    viewport()->update();
}

void TclCheckListBox::AddItem(const QString &text, bool checked) {
    auto *it = new QListWidgetItem(text);
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    addItem(it);
}

bool TclCheckListBox::Checked(int row) const {
    const QListWidgetItem *it = item(row);
    return it && it->checkState() == Qt::Checked;
}

void TclCheckListBox::SetChecked(int row, bool on) {
    if (QListWidgetItem *it = item(row)) it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void TclCheckListBox::UpdateHeader() {
    const int h = hasHeader_ ? itemHeight_ + 2 : 0;
    setViewportMargins(0, h, 0, 0);
    if (hasHeader_ && !header_) header_ = new THeaderBand(this);
    if (header_) {
        header_->setVisible(hasHeader_);
        const QRect cr = contentsRect();
        header_->setGeometry(cr.left(), cr.top(), cr.width(), h);
    }
}

void TclCheckListBox::resizeEvent(QResizeEvent *e) {
    QListWidget::resizeEvent(e);
    UpdateHeader();
}
