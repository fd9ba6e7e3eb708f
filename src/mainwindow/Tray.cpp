#include "mainwindow/Tray.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QTimer>
#include <QWidgetAction>

#include "controls/nPopUp.h"
#include "mainwindow/IconLibrary.h"
#include "service/WxService.h"

namespace {
QString q(const std::string &s) { return QString::fromStdString(s); }
constexpr TColor clMenuHighlight = 0xFF00001Du;
constexpr TColor kFrame = 0x494949;
constexpr int kTitleWidth = 96, kTitleHeight = 32;
}  // namespace

QColor TrayColor(TColor c) {
    if (c == clMenuHighlight) return QGuiApplication::palette().color(QPalette::Highlight);
    return ToQColor(c);
}

QImage DrawTrayTemperature(const TTrayNumber &number, const QFont &font, const QColor &color, bool highColor) {
    QImage img(kTrayBitmapSize, kTrayBitmapSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f = font;
    if (number.SmallFont) {
        if (f.pointSizeF() > 0)
            f.setPointSizeF(std::max(1.0, f.pointSizeF() - 2));
        else
            f.setPixelSize(std::max(1, f.pixelSize() - 3));  // about two points at 96 dpi
    }
    if (number.Badge) {
        p.setPen(Qt::NoPen);
        p.setBrush(highColor ? ToQColor(0x95CAFF) : ToQColor(0x00FFFF));
        // From (2, 2) to (width - 3, height - 3), corners 12 x 12.
        p.drawRoundedRect(QRectF(2, 2, kTrayBitmapSize - 5, kTrayBitmapSize - 5), 6, 6);
    }
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRect(0, 0, kTrayBitmapSize, kTrayBitmapSize), Qt::AlignCenter, q(number.Text));
    return img;
}

QList<QPixmap> AlertTrayFrames() {
    // A warning sign that flashes: bright, fading, dark, fading back.
    const QColor fills[] = {QColor(255, 214, 0), QColor(255, 150, 0), QColor(210, 40, 20), QColor(255, 150, 0)};
    QList<QPixmap> out;
    for (const QColor &fill : fills) {
        QPixmap pm(32, 32);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath tri;
        tri.moveTo(16, 2);
        tri.lineTo(30.5, 29);
        tri.lineTo(1.5, 29);
        tri.closeSubpath();
        p.setPen(QPen(QColor(60, 20, 0), 1.5));
        p.setBrush(fill);
        p.drawPath(tri);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 10, 0));
        p.drawRoundedRect(QRectF(14.5, 10, 3, 11), 1.5, 1.5);
        p.drawEllipse(QRectF(14.3, 23, 3.4, 3.4));
        out << pm;
    }
    return out;
}

// ---------------------------------------------------------------------------

TTray::TTray(QWidget *window) : QObject(window), window_(window) {
    icon_ = new QSystemTrayIcon(this);
    icon_->setToolTip(QStringLiteral("Tolvu"));
    buildMenu();
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, &TTray::onActivated);

    animTimer_ = new QTimer(this);
    animTimer_->setInterval(TTrayAnimation::DelayMs);
    connect(animTimer_, &QTimer::timeout, this, &TTray::AnimationStep);

    // Any menu of the program counts as open, and the X11 tray widget is
    // the one place pointer moves over the icon can be seen.
    qApp->installEventFilter(this);
    if (window) window->installEventFilter(this);
    SetActive(true);
}

TTray::~TTray() {
    qApp->removeEventFilter(this);
    if (animTimer_) animTimer_->stop();
    if (icon_) icon_->hide();
    delete popUp_.data();
    delete menu_;
}

void TTray::buildMenu() {
    menu_ = new QMenu();
    menu_->setObjectName("PopupMenu");

    auto *title = new QWidgetAction(menu_);
    title->setObjectName("mTitle");
    title->setText(QStringLiteral("Weather"));
    auto *pic = new QLabel;
    pic->setFixedSize(kTitleWidth, kTitleHeight);
    pic->setScaledContents(true);  // stretched over the item
    pic->setPixmap(Art::ProgramPicture(QStringLiteral("MENUIMG00.PNG")));
    title->setDefaultWidget(pic);
    menu_->addAction(title);
    mTitle = title;

    mMinMax = menu_->addAction(QStringLiteral("Minimize"));
    mMinMax->setObjectName("mMinMax");
    mAbout = menu_->addAction(QStringLiteral("About"));
    mAbout->setObjectName("mAbout");
    mSetup = menu_->addAction(QStringLiteral("Preferences"));
    mSetup->setObjectName("mSetup");
    menu_->addSeparator()->setObjectName("N2");
    mExit = menu_->addAction(QStringLiteral("Exit"));
    mExit->setObjectName("mExit");

    connect(mMinMax, &QAction::triggered, this, [this] {
        if (hidden())
            emit RestoreClicked();
        else
            emit MinimizeClicked();
    });
    connect(mAbout, &QAction::triggered, this, &TTray::AboutClicked);
    connect(mSetup, &QAction::triggered, this, &TTray::PreferencesClicked);
    connect(mExit, &QAction::triggered, this, [this] {
        hover_.Reset();
        emit ExitClicked();
    });
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        openMenus_.insert(menu_);
        MenuPopup();
    });
    connect(menu_, &QMenu::aboutToHide, this, [this] { openMenus_.remove(menu_); });
}

void TTray::SetActive(bool on) {
    active_ = on;
    icon_->setVisible(on && QSystemTrayIcon::isSystemTrayAvailable());
}

bool TTray::UpdateTemperatureIcon(const QString &temperatureText, TCustomWxService *service, TColor color,
                                  const QFont &font) {
    if (temperatureText.isEmpty()) return false;
    const TTrayNumber n =
        TrayIconNumber(temperatureText.toStdString(), service != nullptr, service ? service->GetTemperature() : 0);
    tempImage_ = DrawTrayTemperature(n, font, TrayColor(color));
    if (!anim_.Running()) icon_->setIcon(QIcon(QPixmap::fromImage(tempImage_)));
    RefreshToolTip();
    return true;
}

bool TTray::TrayPosition(QPoint &pos) const {
    if (fixedPos_) {
        pos = *fixedPos_;
        return true;
    }
    if (!icon_->isVisible()) return false;
    const QRect g = icon_->geometry();
    if (!g.isValid() || g.isEmpty()) return false;
    pos = g.topLeft();
    return true;
}

void TTray::applyStyle(TPopUpStyle style) {
    TnPopUp &u = *popUp_;
    QFont hf = u.HeaderFont(), bf = u.BodyFont();
    switch (style) {
    case psSummary:
        u.SetColor(TrayColor(colours_.PopUp));
        u.SetFrameColor(ToQColor(kFrame));
        hf.setPointSize(24);
        bf.setPointSize(10);
        u.SetHeaderColor(TrayColor(colours_.Header));
        u.SetBodyColor(TrayColor(colours_.Body));
        u.SetHeaderGlow(TrayColor(colours_.HeaderGlow));
        u.SetIcon(ikCustom);
        break;
    case psError:
        u.SetColor(TrayColor(colours_.ePopUp));
        u.SetFrameColor(ToQColor(kFrame));
        hf.setPointSize(11);
        bf.setPointSize(8);
        bf.setBold(false);
        u.SetHeaderColor(TrayColor(colours_.eHeader));
        u.SetBodyColor(TrayColor(colours_.eBody));
        u.SetHeaderGlow(TrayColor(colours_.eHeaderGlow));
        u.SetImage(QPixmap());
        u.SetIcon(ikError);
        break;
    case psAlert:
        u.SetColor(TrayColor(colours_.wPopUpColor));
        // No outline: drawn in the background colour.
        u.SetFrameColor(TrayColor(colours_.wPopUpColor));
        hf.setPointSize(12);
        bf.setPointSize(10);
        bf.setBold(false);
        u.SetHeaderColor(TrayColor(colours_.wHeader));
        u.SetBodyColor(TrayColor(colours_.wBody));
        u.SetHeaderGlow(TrayColor(colours_.wHeaderGlow));
        u.SetImage(QPixmap());
        u.SetIcon(ikWarning);
        break;
    }
    u.SetHeaderFont(hf);
    u.SetBodyFont(bf);
}

bool TTray::ShowPopUp(QPoint pos, const QString &body, const QString &header, TPopUpStyle style, int maxWidth) {
    if (body.isEmpty() || closing() || !window_) return false;
    if (colours_.PopUp == 0 && LoadPopUpColours) colours_ = LoadPopUpColours();
    if (popUp_)
        popUp_->Hide();
    else
        popUp_ = new TnPopUp(window_);
    applyStyle(style);
    if (style == psSummary && Summary) popUp_->SetPicture(Summary().ConditionPicture);
    popUp_->SetMaxWidth(maxWidth);
    popUp_->SetHeader(header);
    const int time = style == psSummary ? SummaryTime : style == psError ? ErrorTime : 0;
    return popUp_->Show(body, pos, time);
}

void TTray::HidePopUp() {
    if (popUp_) popUp_->Hide();
}

bool TTray::PopUpVisible() const { return popUp_ && popUp_->isVisible(); }

bool TTray::ConnectFailurePopUp(const QString &caption, bool setupOpen) {
    if (!hidden() || !notify_ || setupOpen) return false;
    QPoint pos;
    if (!TrayPosition(pos)) return true;
    ShowPopUp(pos + QPoint(8, 0), QStringLiteral("Could not connect to the Remote Server. "),
              QStringLiteral("Tolvu\n") + caption, psError, NoticeWidth);
    return true;
}

bool TTray::AlertNotice(const QString &advisoryCaption, const QString &headline) {
    const QString header = QStringLiteral("Tolvu ") + advisoryCaption;
    const QString body = QStringLiteral(" ") + headline;
    bool shown = false;
    QPoint pos;
    if (TrayPosition(pos)) shown = ShowPopUp(pos + QPoint(8, 0), body, header, psAlert, NoticeWidth);
    if (icon_->isVisible() && QSystemTrayIcon::supportsMessages()) {
        icon_->showMessage(header, headline, QSystemTrayIcon::Warning, TAlertNotification::DurationMs);
        lastMessage_ = header + QLatin1Char('\n') + headline;
        shown = true;
    }
    return shown;
}

// ---------------------------------------------------------------------------

QString TTray::SummaryHeader() const {
    if (!Summary) return {};
    const TTraySummary s = Summary();
    return q(TraySummaryHeader(s.Temperature, s.ScaleCaption));
}

QString TTray::SummaryBody() const {
    if (!Summary) return {};
    return q(TraySummaryBody(Summary().Fields));
}

void TTray::MouseMove(QPoint pos) {
    if (closing() && QCoreApplication::closingDown()) return;
    const bool mayShow = !MenuOpen() && !PopUpVisible() && hidden() && notify_;
    if (!hover_.Move(mayShow)) return;
    if (!Summary) return;
    const TTraySummary s = Summary();
    ShowPopUp(pos, q(TraySummaryBody(s.Fields)), q(TraySummaryHeader(s.Temperature, s.ScaleCaption)), psSummary,
              SummaryWidth);
}

void TTray::RefreshToolTip() {
    QString tip = QStringLiteral("Tolvu");
    if (hidden() && notify_ && Summary) {
        const TTraySummary s = Summary();
        tip = q(TraySummaryHeader(s.Temperature, s.ScaleCaption)).trimmed() + QLatin1Char('\n') +
              q(TraySummaryBody(s.Fields));
    }
    icon_->setToolTip(tip);
}

void TTray::StartAnimation() {
    frames_ = AlertTrayFrames();
    anim_.Start(int(frames_.size()));
    if (!anim_.Running()) return;
    icon_->setIcon(QIcon(frames_[0]));
    animTimer_->start();
}

void TTray::AnimationStep() {
    if (!anim_.Step()) {
        animTimer_->stop();
        return;
    }
    icon_->setIcon(QIcon(frames_[anim_.Index()]));
    if (!anim_.Running()) animTimer_->stop();
}

void TTray::StopAnimation() {
    animTimer_->stop();
    anim_.Stop();
    frames_.clear();
    if (!tempImage_.isNull()) icon_->setIcon(QIcon(QPixmap::fromImage(tempImage_)));
}

void TTray::IconClick() {
    if (clicking_ || !hidden()) return;
    clicking_ = true;
    emit RestoreRequested();
    clicking_ = false;
}

void TTray::MenuPopup() {
    hover_.Reset();
    mMinMax->setText(hidden() ? QStringLiteral("Restore") : QStringLiteral("Minimize"));
    if (PopUpVisible()) HidePopUp();
}

void TTray::onActivated(QSystemTrayIcon::ActivationReason reason) {
    // Any button on the icon puts the pop-up away.
    HidePopUp();
    if (reason == QSystemTrayIcon::Trigger) IconClick();
}

bool TTray::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::Show:
        if (qobject_cast<QMenu *>(watched)) openMenus_.insert(watched);
        if (watched == window_) RefreshToolTip();
        break;
    case QEvent::Hide:
        if (qobject_cast<QMenu *>(watched)) openMenus_.remove(watched);
        if (watched == window_) RefreshToolTip();
        break;
    case QEvent::Destroy:
        openMenus_.remove(watched);
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverMove:
    case QEvent::ToolTip:
        if (watched->inherits("QSystemTrayIconSys")) MouseMove(QCursor::pos());
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
