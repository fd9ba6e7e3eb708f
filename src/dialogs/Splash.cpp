#include "dialogs/Splash.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "platform/Paths.h"
#include "platform/Version.h"
#include "service/Servers.h"

namespace {

constexpr int kLogo1Left = 388;
constexpr int kLogo2Left = 396;

void DrawCloud(QPainter &p, const QRectF &r) {
    QPainterPath cloud;
    const qreal w = r.width(), h = r.height();
    cloud.addRoundedRect(QRectF(r.x(), r.y() + h * 0.45, w, h * 0.55), h * 0.27, h * 0.27);
    cloud.addEllipse(QRectF(r.x() + w * 0.12, r.y() + h * 0.22, w * 0.42, h * 0.62));
    cloud.addEllipse(QRectF(r.x() + w * 0.38, r.y(), w * 0.5, h * 0.8));
    cloud.setFillRule(Qt::WindingFill);
    cloud = cloud.simplified();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(200, 210, 225));
    p.setPen(QPen(QColor(120, 130, 150), 1));
    p.setBrush(g);
    p.drawPath(cloud);
}

void DrawSun(QPainter &p, const QPointF &c, qreal radius) {
    p.save();
    p.setPen(QPen(QColor(255, 190, 40), std::max<qreal>(1.5, radius / 6), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45);
        p.drawLine(QPointF(radius * 1.2, 0), QPointF(radius * 1.6, 0));
        p.restore();
    }
    QRadialGradient g(c, radius);
    g.setColorAt(0, QColor(255, 236, 120));
    g.setColorAt(1, QColor(255, 160, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, radius, radius);
    p.restore();
}

// Logos share one spot and cover each other, so each sits on its own card.
void DrawBadge(QPainter &p, const QSize &size) {
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(QColor(0x44, 0x45, 0x49));
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 8, 8);
}

QPixmap DrawNWSLogo() {
    QPixmap pm(96, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    DrawBadge(p, pm.size());
    const QRectF disc(2, 2, 52, 52);
    QRadialGradient g(disc.center() - QPointF(8, 8), 34);
    g.setColorAt(0, QColor(70, 140, 230));
    g.setColorAt(1, QColor(10, 50, 130));
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(g);
    p.drawEllipse(disc);
    p.setPen(QPen(QColor(220, 30, 40), 3));
    p.drawArc(disc.adjusted(6, 6, -6, -6), 200 * 16, 140 * 16);
    QFont f("DejaVu Sans", 9, QFont::Bold);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(disc, Qt::AlignCenter, "NWS");
    f.setPointSize(7);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(220, 225, 235));
    p.drawText(QRectF(56, 8, 40, 40), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, "National Weather Service");
    return pm;
}

QPixmap DrawAccuLogo() {
    QPixmap pm(80, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    DrawBadge(p, pm.size());
    DrawSun(p, QPointF(40, 20), 12);
    QFont f("DejaVu Sans", 7, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(255, 140, 30));
    p.drawText(QRectF(0, 40, 80, 14), Qt::AlignCenter, "AccuWeather");
    return pm;
}

QPixmap LoadBackground(QSize size, QColor base) {
    QPixmap file(QString::fromStdString(DataPath()) + "Images/splash.png");
    if (!file.isNull()) return file.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(0.55, base);
    g.setColorAt(1, base.darker(150));
    p.fillRect(pm.rect(), g);
    // A faint horizon line keeps the large empty middle from looking flat.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawLine(16, 270, size.width() - 16, 270);
    const QPixmap mark = TSplashScreen::DrawMark(QSize(150, 110), false);
    p.drawPixmap(90, 110, mark);
    QFont f("DejaVu Sans", 44, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRect(252, 127, 220, 80), Qt::AlignLeft | Qt::AlignVCenter, "Tolvu");
    p.setPen(QColor(240, 242, 248));
    p.drawText(QRect(250, 125, 220, 80), Qt::AlignLeft | Qt::AlignVCenter, "Tolvu");
    return pm;
}

QPixmap DrawMakerLogo(QSize size, bool badge) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (badge) DrawBadge(p, size);
    const QPixmap mark = TSplashScreen::DrawMark(QSize(size.height(), size.height() * 3 / 4), false);
    p.drawPixmap(2, size.height() / 8, mark);
    QFont f("DejaVu Sans", 1, QFont::Bold);
    f.setPixelSize(size.height() * 3 / 8);
    p.setFont(f);
    p.setPen(QColor(240, 242, 248));
    const QRectF text(size.height() + 2, 0, size.width() - size.height() - 4, size.height() * 0.62);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, "Orv");
    f.setPixelSize(std::max(8, size.height() / 6));
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(200, 204, 214));
    p.drawText(QRectF(text.x(), text.bottom(), text.width(), size.height() * 0.3), Qt::AlignLeft | Qt::AlignTop,
               "Software");
    return pm;
}

void OpenSite(const std::string &address) {
    if (!address.empty()) QDesktopServices::openUrl(QUrl(QString::fromStdString(address) + "/"));
}

}  // namespace

QString SplashVersionText(int major, int minor, int release, int build) {
    if (major < 0 || minor < 0 || release < 0 || build < 0) return QStringLiteral("0.0.0.0");
    return QString::asprintf("Version: %d.%d.%d.%d", major, minor, release, build);
}

QPixmap TSplashScreen::DrawMark(QSize size, bool withName) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal markW = withName ? size.height() * 1.3 : size.width();
    const qreal h = size.height();
    DrawSun(p, QPointF(markW * 0.38, h * 0.36), h * 0.2);
    DrawCloud(p, QRectF(markW * 0.18, h * 0.34, markW * 0.78, h * 0.56));
    if (withName) {
        QFont f("DejaVu Sans", 1, QFont::Bold);
        f.setPixelSize(int(h * 0.42));
        p.setFont(f);
        p.setPen(QColor(240, 242, 248));
        p.drawText(QRectF(markW + 2, 0, size.width() - markW - 2, h), Qt::AlignLeft | Qt::AlignVCenter, "Tolvu");
    }
    return pm;
}

TSplashScreen::TSplashScreen(QWidget *parent) : QDialog(parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(500, 320);
    const QColor base(0x36, 0x37, 0x3A);  // 0x3A3736 as 0x00BBGGRR
    QPalette pal = palette();
    pal.setColor(QPalette::Window, base);
    pal.setColor(QPalette::WindowText, QColor(230, 232, 238));
    setPalette(pal);
    setAutoFillBackground(true);

    auto label = [this](const QRect &r, const QPixmap &pm = QPixmap()) {
        auto *l = new QLabel(this);
        l->setGeometry(r);
        if (!pm.isNull()) l->setPixmap(pm);
        return l;
    };
    iBackground = label(QRect(0, 0, 500, 320), LoadBackground(QSize(500, 320), base));
    Ad = label(QRect(72, 80, 360, 180));
    Ad->setScaledContents(true);
    iLogo3 = label(QRect(396, 12, 96, 56), DrawMakerLogo(QSize(96, 56), true));
    iLogo2 = label(QRect(kLogo2Left, 12, 80, 56), DrawAccuLogo());
    iLogo2->hide();
    iLogo1 = label(QRect(kLogo1Left, 12, 96, 56), DrawNWSLogo());
    OrvLogo = label(QRect(16, 10, 120, 64), DrawMakerLogo(QSize(120, 64), false));
    for (QLabel *l : {iLogo1, iLogo2, iLogo3, OrvLogo}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }

    glVersion = label(QRect(16, 296, 240, 16));
    glVersion->setText(SplashVersionText(TOLVU_VERSION_MAJOR, TOLVU_VERSION_MINOR, TOLVU_VERSION_PATCH,
                                         TOLVU_VERSION_BUILD));
    PromoLink = label(QRect(72, 262, 360, 18));
    PromoLink->setText(QStringLiteral(" Promotion Link "));
    PromoLink->setAlignment(Qt::AlignCenter);
    PromoLink->setStyleSheet("color: #0000ff;");
    PromoLink->setCursor(Qt::PointingHandCursor);
    PromoLink->installEventFilter(this);
    PromoLink->hide();

    btnHelp = new QPushButton(QStringLiteral("Help"), this);
    btnHelp->setGeometry(326, 288, 75, 24);
    btnHelp->hide();
    connect(btnHelp, &QPushButton::clicked, this, [this] { done(1); });
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setGeometry(409, 288, 75, 24);
    btnClose->hide();
    connect(btnClose, &QPushButton::clicked, this, [this] { done(2); });

    Timer = new QTimer(this);
    Timer->setInterval(40);
    connect(Timer, &QTimer::timeout, this, &TSplashScreen::OnTimer);

    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - QPoint(width() / 2, height() / 2));
    UpdateRegion();
}

void TSplashScreen::SetRoundCorners(bool on) {
    roundCorners_ = on;
    UpdateRegion();
}

void TSplashScreen::SetRadius(int radius) {
    radius_ = radius;
    UpdateRegion();
}

void TSplashScreen::UpdateRegion() {
    if (!roundCorners_ || radius_ <= 0) {
        setMask(QRegion(rect()));
        return;
    }
    QPainterPath path;
    // The corner size is the ellipse's width, so the radius is half of it.
    path.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), radius_ / 2.0, radius_ / 2.0);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void TSplashScreen::StopTimer() { Timer->stop(); }

void TSplashScreen::RestartTimer(int ms) {
    Timer->stop();
    Timer->setInterval(ms);
    Timer->start();
}

void TSplashScreen::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    Timer->start();
}

void TSplashScreen::hideEvent(QHideEvent *e) {
    iLogo1->move(kLogo1Left, iLogo1->y());
    iLogo2->move(kLogo2Left, iLogo2->y());
    iLogo2->hide();
    QDialog::hideEvent(e);
}

void TSplashScreen::OnTimer() {
    if (closingNext_) ClosingTick();
    else SlideTick();
}

void TSplashScreen::SlideTick() {
    Timer->stop();
    QPointer<TSplashScreen> self(this);
    for (int i = 0; i < 12; ++i) {
        iLogo1->move(iLogo1->x() - 8, iLogo1->y());
        QElapsedTimer t;
        t.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 3);
            // The nested loop may have closed and freed the window.
            if (!self) return;
        } while (t.elapsed() < 3);
        if (!isVisible()) return;
    }
    iLogo2->show();
    iLogo2->raise();
    Timer->setInterval(CloseInterval);
    closingNext_ = true;
    Timer->start();
}

void TSplashScreen::ClosingTick() {
    Timer->stop();
    done(2);
}

bool TSplashScreen::eventFilter(QObject *watched, QEvent *event) {
    if (watched == PromoLink) {
        if (event->type() == QEvent::Enter) PromoLink->setStyleSheet("color: #00ffff;");
        else if (event->type() == QEvent::Leave) PromoLink->setStyleSheet("color: #0000ff;");
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == iLogo1) OpenSite(ServerBase(TServer::NWSWeb));
        else if (watched == iLogo2) OpenSite(ServerBase(TServer::AccuWeb));
        else if (watched == iLogo3 || watched == OrvLogo) OpenSite(ServerBase(TServer::Update));
        else if (watched == PromoLink && !PromoTarget.isEmpty()) QDesktopServices::openUrl(QUrl(PromoTarget));
    }
    return QDialog::eventFilter(watched, event);
}

int TSplashScreen::ExecAbout() {
    btnHelp->show();
    btnClose->show();
    btnClose->setDefault(true);
    return exec();
}

void ShowAbout(TSplashScreen *&splash, QWidget *owner, const std::function<void()> &openHelp) {
    if (!splash) splash = new TSplashScreen(owner);
    const int result = splash->ExecAbout();
    if (result == 1 && openHelp) openHelp();
    splash->hide();
    delete splash;
    splash = nullptr;
}
