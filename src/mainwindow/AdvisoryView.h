#pragma once
// The Advisory page: the list of active watches, warnings and advisories for
// the location and the details of the selected one. The main window hosts it
// on its Advisory tab, runs ShowAlerts from the service's OnAlerts event and
// then its own NotifyAlerts.
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "controls/WinColors.h"
#include "platform/Clock.h"

class QLabel;
class QPlainTextEdit;
class TclListBox;
class TCustomWxService;

// "INFORMATION" for an empty headline; past 52 characters the first 53 and "...".
QString AdvisoryHeadline(const QString &upperHeadline);
// "0" for a zero date, else the local date-time text.
QString AdvisoryDateText(TDateTime dt);
// The link from its address ("http", else the first "h") on; "No Advisory Link"
// when there is none.
QString AdvisoryLinkText(const QString &link);
extern const char *const kNoAdvisoryLink;
extern const char *const kNoAlertsText;

class TAdvisoryView : public QWidget {
    Q_OBJECT
public:
    static constexpr TColor RowColor1 = 0xDAEBDA, RowColor2 = 0xF8E6D6;

    explicit TAdvisoryView(QWidget *parent = nullptr);

    TclListBox *clbAdvisories = nullptr;
    QLabel *gLabel7 = nullptr;
    QLabel *glStartTime = nullptr, *glEffective = nullptr;
    QLabel *gLabel12 = nullptr, *glExpires = nullptr;
    QLabel *glAlertLink = nullptr;
    QLabel *glHeadline = nullptr;
    QPlainTextEdit *mAdvisory = nullptr;

    // What the page asks of the window.
    std::function<TCustomWxService *()> CurrentService;
    std::function<bool()> IsPageActive;                     // the Advisory tab is showing
    std::function<void(const QString &)> OnCurrentTime;     // text for glCurrentTime
    std::function<int(const std::string &)> OpenLink;
    QString TabCaption = QStringLiteral("Advisory");

    // The window's colours: edge labels in Color, caption backgrounds in
    // Color1 blending to Color2.
    void SetColors(TColor color, TColor color1, TColor color2);

    void Clear();
    void ShowAlert(const QString &headline, const QString &description, TDateTime expires, TDateTime effective,
                   TDateTime sent, const QString &link);
    // OnAlerts: the list from the service's alert collection, the first alert
    // shown and selected. Only clears without a collection.
    void ShowAlerts(TCustomWxService *service);
    void clbAdvisoriesClick();
    void glAlertLinkClick();

    // The shown headline in upper case, before shortening (empty: none).
    QString CurrentHeadline() const { return headline_; }
    // The alert item index of each list entry, in list order.
    std::vector<int> ListedItems() const;

signals:
    // A mouse button went down on the page, its list or its memo.
    void PagePressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showItem(TCustomWxService *service, int index);

    QString headline_;
    bool filling_ = false;
};
