#pragma once
// The language chooser: four languages with their flags; shows its own texts
// in the highlighted language and returns the chosen three-letter code.
#include <string>

#include <QComboBox>
#include <QDialog>
#include <QList>
#include <QPixmap>

class QLabel;
class QPainter;
class QPushButton;

// Where an item "name=imageIndex" is drawn inside its rectangle.
struct TLanguageItemLayout {
    QString Text;          // what is written: the name, or the whole item without a flag
    int ImageIndex = -1;   // the flag drawn, -1 for none
    QPoint ImagePos;
    QPoint TextPos;
};
TLanguageItemLayout LayoutLanguageItem(const QString &item, const QRect &rect, int imageCount, int imageWidth);

// The owner-drawn list of languages.
class TLanguageList : public QComboBox {
    Q_OBJECT
public:
    explicit TLanguageList(QWidget *parent = nullptr);
    void SetImages(const QList<QPixmap> &images) { images_ = images; }
    const QList<QPixmap> &Images() const { return images_; }
    // Paints one item text with its flag into rect.
    void DrawItem(QPainter &p, const QString &item, const QRect &rect, const QColor &brush, const QColor &pen) const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QList<QPixmap> images_;
};

class TLanguageDlg : public QDialog {
    Q_OBJECT
public:
    explicit TLanguageDlg(QWidget *parent = nullptr);

    // Makes code the chosen one when it differs and is one of the four.
    void Preset(const std::string &code);
    const std::string &LanguageCode() const { return code_; }
    // Selects position 0-3 and shows the dialog's texts in that language.
    void SelectLanguage(int position);

    TLanguageList *Languages() const { return languages_; }
    QLabel *Query() const { return query_; }
    QLabel *Note() const { return note_; }

    static const char *CodeAt(int position);  // "DEU", "ENU", "ESN", "FRA"; nullptr outside 0-3

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void FormCreate();
    void LanguagesCloseUp();

    std::string code_ = "ENU";
    TLanguageList *languages_ = nullptr;
    QLabel *query_ = nullptr;
    QLabel *note_ = nullptr;
    QLabel *globe_ = nullptr;
    QPushButton *ok_ = nullptr;
};
