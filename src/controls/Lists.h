#pragma once
// Owner-drawn lists with alternating row colours. Items are lines of the form
// name, separator, value: the list shows the name and keeps the value.
#include <QListWidget>
#include <QPixmap>
#include <QString>
#include <QStyle>
#include <functional>
#include <vector>

#include "controls/WinColors.h"

QString ItemName(const QString &line, QChar sep);
QString ItemValue(const QString &line, QChar sep);
// Line with its value replaced (or separator and value appended).
QString WithItemValue(const QString &line, QChar sep, const QString &value);
// The integer after the separator; -1 when there is none.
int ItemImageIndex(const QString &line, QChar sep);

struct TRowColors {
    TColor background = 0, text = 0;
};
struct TRowPalette {
    TColor color1 = 0xC0DCC0, color2 = 0xF0CAA6;
    TColor textColor1 = clWindowText, textColor2 = clWindowText;
};
TRowColors RowColors(const TRowPalette &pal, int row, bool selected);

class TclListBox : public QListWidget {
    Q_OBJECT
public:
    using TImageIndexEvent = std::function<int(TclListBox *sender, int row)>;
    using TDrawItemEvent = std::function<void(TclListBox *sender, QPainter &canvas, int row, QRect rect,
                                              QStyle::State state)>;

    explicit TclListBox(QWidget *parent = nullptr);

    TColor Color1() const { return pal_.color1; }
    void SetColor1(TColor c);
    TColor Color2() const { return pal_.color2; }
    void SetColor2(TColor c);
    TColor TextColor1() const { return pal_.textColor1; }
    void SetTextColor1(TColor c);
    TColor TextColor2() const { return pal_.textColor2; }
    void SetTextColor2(TColor c);
    const TRowPalette &RowPalette() const { return pal_; }
    bool Images() const { return images_; }
    void SetImages(bool on);
    const std::vector<QPixmap> &ImageList() const { return imageList_; }
    void SetImageList(std::vector<QPixmap> images);
    bool HScrollBar() const { return hScroll_; }
    void SetHScrollBar(bool on);
    QChar Delimiter() const { return delimiter_; }
    void SetDelimiter(QChar c) { delimiter_ = c; }
    QChar NameValueSeperator() const { return separator_; }
    void SetNameValueSeperator(QChar c);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);

    void AddItem(const QString &line);
    void SetLines(const QStringList &lines);
    QStringList Lines() const;
    QString Line(int row) const;
    QString Name(int row) const { return ItemName(Line(row), separator_); }
    QString Value(int row) const { return ItemValue(Line(row), separator_); }
    void SetValue(int row, const QString &value);
    // Items separated by Delimiter.
    void SetDelimitedText(const QString &text);
    QString DelimitedText() const;

    // The image a row shows, -1 for none.
    int ImageIndexOf(int row) const;
    int ScrollWidth() const { return scrollWidth_; }

    TImageIndexEvent OnGetImageIndex;
    TDrawItemEvent OnDrawItem;

private:
    friend class TclItemDelegate;
    void NoteTextWidth(int w);

    TRowPalette pal_;
    bool images_ = false, hScroll_ = false;
    std::vector<QPixmap> imageList_;
    QChar delimiter_ = QLatin1Char(','), separator_ = QLatin1Char('=');
    int itemHeight_ = 18;
    int scrollWidth_ = 0;
};

class TclCheckListBox : public QListWidget {
    Q_OBJECT
public:
    using TBeforeDrawItem = std::function<void(TclCheckListBox *sender, int row, QRect rect, QStyle::State state)>;

    explicit TclCheckListBox(QWidget *parent = nullptr);

    TColor Color1() const { return pal_.color1; }
    void SetColor1(TColor c);
    TColor Color2() const { return pal_.color2; }
    void SetColor2(TColor c);
    TColor TextColor1() const { return pal_.textColor1; }
    void SetTextColor1(TColor c);
    TColor TextColor2() const { return pal_.textColor2; }
    void SetTextColor2(TColor c);
    const TRowPalette &RowPalette() const { return pal_; }
    bool HScrollBar() const { return hScroll_; }
    void SetHScrollBar(bool on);
    bool HasHeader() const { return hasHeader_; }
    void SetHasHeader(bool on);
    QString HeaderText() const { return headerText_; }
    void SetHeaderText(const QString &t);
    // Rows drawn as group headings (no check box).
    QList<int> HeaderGroups() const { return headerGroups_; }
    void SetHeaderGroups(const QList<int> &rows);
    int ItemHeight() const { return itemHeight_; }

    void AddItem(const QString &text, bool checked = false);
    bool Checked(int row) const;
    void SetChecked(int row, bool on);

    TBeforeDrawItem BeforeDrawItem;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    friend class TclCheckDelegate;
    void UpdateHeader();

    TRowPalette pal_;
    bool hScroll_ = false, hasHeader_ = false;
    QString headerText_;
    QList<int> headerGroups_;
    int itemHeight_ = 18;
    QWidget *header_ = nullptr;
};
