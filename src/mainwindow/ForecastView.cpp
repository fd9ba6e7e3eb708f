#include "mainwindow/ForecastView.h"
#include "mainwindow/WxFormCalc.h"

#include <malloc.h>

#include <QFileInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cctype>
#include <exception>

#include "dialogs/MsgHook.h"
#include "mainwindow/IconLibrary.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "service/WxService.h"

namespace {

QString Q(const std::string &s) { return QString::fromUtf8(s.c_str(), int(s.size())); }
std::string S(const QString &s) { return s.toUtf8().toStdString(); }

std::string Lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

constexpr TColor kNightGray = 0x494949;
constexpr TColor kNightFont = 0xF0F0F0;
constexpr TColor kGlow = 0xFFFF00;
constexpr TColor kBalloonColor = 0xF9E9DB;

const QString kOpenMarker = QStringLiteral("   \u00BB   ");
const QString kClosedMarker = QStringLiteral("   \u00AB   ");

Qt::Alignment ToAlign(TTempAlign a) {
    switch (a) {
    case TTempAlign::Center: return Qt::AlignHCenter;
    case TTempAlign::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

TgLabel *MakeLabel(QWidget *parent, const char *name, const QFont &font) {
    auto *l = new TgLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->SetAutoSize(false);
    l->SetTransparent(true);
    l->setFont(font);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

QPixmap DrawnBalloonPicture() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 40));
    p.drawEllipse(QRectF(3, 3, 16, 16));
    p.setBrush(QColor(250, 250, 255));
    p.setPen(QPen(QColor(90, 110, 140), 1.2));
    QPainterPath cloud;
    cloud.addEllipse(QRectF(8, 13, 12, 11));
    cloud.addEllipse(QRectF(14, 9, 13, 14));
    cloud.addRoundedRect(QRectF(6, 18, 24, 9), 4.5, 4.5);
    p.drawPath(cloud.simplified());
    return pm;
}

}  // namespace

// ---------------------------------------------------------------------------

TForecastOptions TForecastOptions::WithColours(TColor window, TColor centre, TColor bottom) {
    TForecastOptions o;
    o.WindowColor = window;
    o.CentreColor = centre;
    o.BottomColor = bottom;
    o.TileFontColor = ColourBlend(window, clBtnText, 12);
    o.DetailFontColor = ColourBlend(window, 0xFF000009u, 16);
    o.DetailShadowColor = ColourBlend(centre, clBtnHighlight, 10);
    return o;
}

std::string ChooseByWords(const std::string &pictureName, const std::string &words) {
    const bool day = pictureName.find("40") != std::string::npos;
    const bool night = pictureName.find("41") != std::string::npos;
    if (words.empty() || (!day && !night)) return pictureName;
    const std::string w = Lower(words);
    int n = 40;
    if (w.find("rain") != std::string::npos) n = 36;
    else if (w.find("snow") != std::string::npos || w.find("flur") != std::string::npos) n = 34;
    else if (w.find("cloud") != std::string::npos || w.find("blust") != std::string::npos) n = 38;
    if (night) ++n;
    return std::to_string(n) + ".PNG";
}

QPixmap DefaultProgramIcon(TIconLibrary &lib, const std::string &iconName, const std::string &words) {
    std::string base = iconName;
    const size_t slash = base.find_last_of("/\\");
    if (slash != std::string::npos) base = base.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) base = base.substr(0, dot);
    std::string name = "54.PNG";
    if (!base.empty() && lib.Contains(Q(base + ".PNG"))) {
        name = base + ".PNG";
        for (char &c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    name = ChooseByWords(name, words);
    return lib.Resource(Q(name));
}

// ---------------------------------------------------------------------------

TPictureBox::TPictureBox(QWidget *parent) : QWidget(parent) {}

void TPictureBox::SetPicture(const QPixmap &p) {
    picture_ = p;
    update();
}

void TPictureBox::paintEvent(QPaintEvent *) {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QSize s = picture_.size();
    if (Stretch) s.scale(size(), Proportional ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
    const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    p.drawPixmap(r, picture_);
}

// ---------------------------------------------------------------------------

TForecastBalloon::TForecastBalloon(QWidget *owner) : TCustomHintWindow(owner) {
    SetColor(ColorFromBGR(kBalloonColor));
    SetIcon(ikCustom);
    SetShowIcon(true);
    QFont hf = HeaderFont();
    hf.setPointSize(10);
    SetHeaderFont(hf);
    SetHeaderColor(ColorFromBGR(clNavy));
    SetFrameColor(ColorFromBGR(0x494949));
    SetPlaySound(true);
    SetShowHeader(true);
    OnShow = [this](QObject *, QString &text, void *, bool &handled) {
        FormatHint(text);
        handled = true;
    };
}

void TForecastBalloon::SetOpacity(int fbTransparency) { opacity_ = fbTransparency & 0xFF; }

void TForecastBalloon::FormatHint(QString &text) {
    try {
        static const TLangView kNone;
        SetShowIcon(true);
        const TBalloonText t = ForecastBalloonText(S(text), lang_ ? *lang_ : kNone);
        SetHeader(Q(t.Header));
        text = Q(t.Body);
        SetShowHeader(true);
        SetAlphaValue(opacity_);
        SetHeaderGlow(ColorFromBGR(kGlow));
    } catch (const std::exception &e) {
        TMsgRequest r;
        r.Message = e.what();
        r.Icon = miCaution;
        r.Button2 = "btnHidden";
        r.Caption = "Hint method";
        RequestMessage(r);
    }
}

void TForecastBalloon::ShowHintAt(const QPoint &globalPos, const QString &text, int maxWidth, int timeOut) {
    SetMaxWidth(maxWidth);
    QRect r = CalcHintRect(maxWidth, text);
    r.translate(globalPos + QPoint(8, 24));
    ActivateHint(r, text);
    if (timeOut > 0) StartHideTimer(timeOut);
}

void TForecastBalloon::HideHint() {
    StopHideTimer();
    if (isVisible()) hide();
}

// ---------------------------------------------------------------------------

TDayControl::TDayControl(TForecastStrip *strip, QWidget *parent) : TnLabel(parent), strip_(strip) {
    resize(114, 156);
    move(TForecastStrip::FirstLeft, 2);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(9);
    setFont(f);
    SetBevelKind(TBevelKind::Raised);
    SetBevelEdges(beLeft | beRight | beBottom);
    SetBorderWidth(1);
    SetAlignment(Qt::AlignHCenter);
    SetLayout(TTextLayout::Bottom);
    SetRadius(20);
    SetRoundCorners(true);
    SetHintColor(clBtnHighlight);
    SetHintTimeOut(30000);
    SetHintMaxWidth(232);

    image_ = new TPictureBox(this);
    image_->setObjectName(QStringLiteral("FImage"));
    image_->setAttribute(Qt::WA_TransparentForMouseEvents);

    QFont dateFont = f;
    dateFont.setPointSize(14);
    dateFont.setBold(true);
    dateText_ = MakeLabel(this, "FDateText", dateFont);
    dateText_->SetAlignment(Qt::AlignRight);
    dateText_->SetLayout(TTextLayout::Center);
    dateText_->SetFontColor(clWhite);
    dateText_->SetDropShadow(true);

    QFont weekFont = f;
    weekFont.setPointSize(11);
    ofWeek_ = MakeLabel(this, "FOfWeek", weekFont);
    ofWeek_->SetTransparent(false);
    ofWeek_->SetAlignment(Qt::AlignHCenter);
    ofWeek_->SetLayout(TTextLayout::Center);
    ofWeek_->SetCaptionGlow(true);
    ofWeek_->SetShadowColor(kGlow);
    ofWeek_->SetGlowColor(kGlow);
    ofWeek_->SetRoundCorners(rcBottom);
    ofWeek_->SetRadius(20);
    ofWeek_->SetCaption(QStringLiteral("Today"));

    info_ = MakeLabel(this, "FInfo", f);
    info_->SetAlignment(Qt::AlignHCenter);
    info_->SetLayout(TTextLayout::Center);

    QFont summaryFont = f;
    summaryFont.setPointSize(8);
    summary_ = MakeLabel(this, "FSummary", summaryFont);
    summary_->SetDropShadow(true);
    summary_->SetAlignment(Qt::AlignHCenter);
    summary_->SetWordWrap(true);
    summary_->SetCaption(QStringLiteral("Summary"));

    high_ = MakeLabel(this, "FHigh", f);
    high_->SetDropShadow(true);
    high_->SetAlignment(Qt::AlignLeft);
    high_->SetCaption(QStringLiteral("High"));

    low_ = MakeLabel(this, "FLow", f);
    low_->SetDropShadow(true);
    low_->SetAlignment(Qt::AlignRight);
    low_->SetCaption(QStringLiteral("Low"));

    edge_ = new TPictureBox(this);
    edge_->setObjectName(QStringLiteral("FEdge"));
    edge_->Proportional = false;
    edge_->setAttribute(Qt::WA_TransparentForMouseEvents);

    Arrange();
}

void TDayControl::Arrange() {
    const QRect c = ClientRect();
    const int w = width();
    const int imageHeight = 72;
    image_->setGeometry(c.left(), c.top() + 4, c.width(), imageHeight);
    dateText_->setGeometry(w - 56, 4, 48, 24);
    ofWeek_->setGeometry(c.left(), c.bottom() + 1 - 20, c.width(), 20);
    info_->setGeometry(c.left(), ofWeek_->y() - 16, c.width(), 16);
    summary_->setGeometry(7, imageHeight + 15, w - 16, 32);
    high_->setGeometry(8, imageHeight, w - 24, 18);
    low_->setGeometry(8, imageHeight, w - 24, 18);
    edge_->setGeometry(rect());
    edge_->raise();
}

void TDayControl::resizeEvent(QResizeEvent *e) {
    TnLabel::resizeEvent(e);
    Arrange();
}

QString TDayControl::Summary() const { return summary_->Caption(); }
void TDayControl::SetSummary(const QString &text) { summary_->SetCaption(Q(ShortenSummary(S(text)))); }
QString TDayControl::High() const { return high_->Caption(); }
void TDayControl::SetHigh(const QString &text) { high_->SetCaption(text); }
QString TDayControl::Low() const { return low_->Caption(); }
void TDayControl::SetLow(const QString &text) { low_->SetCaption(text); }
QString TDayControl::Info() const { return info_->Caption(); }
void TDayControl::SetInfo(const QString &text) { info_->SetCaption(text); }
TColor TDayControl::TagColor() const { return ofWeek_->FontColor(); }
void TDayControl::SetTagColor(TColor c) { ofWeek_->SetFontColor(c); }

void TDayControl::SetDateTime(TDateTime x) {
    dateTime_ = x;
    const TLangView &lang = strip_->Options().Lang;
    const TPeriodName name = NamePeriod(x, Clock::Now());
    ofWeek_->SetCaption(Q(PeriodText(name, lang)));
    night_ = name.Night;
    SetNight(night_);
}

void TDayControl::SetNight(bool night) {
    night_ = night;
    // Labels drawn in the tile's font follow it.
    auto tileFont = [this](TColor c) {
        SetFontColor(c);
        summary_->SetFontColor(c);
        high_->SetFontColor(c);
        low_->SetFontColor(c);
        info_->SetFontColor(c);
    };
    if (night) {
        SetClientColor2(kNightGray);
        SetColor2(kNightGray);
        ofWeek_->SetColor(kNightGray);
        ofWeek_->SetShadowColor(kGlow);
        ofWeek_->SetGlowColor(kGlow);
        ofWeek_->SetCaptionGlow(true);
        tileFont(kNightFont);
        summary_->SetShadowColor(clBlack);
        low_->SetShadowColor(clBlack);
        info_->SetShadowColor(clBlack);
        SetTagColor(clBtnHighlight);
        dateText_->SetShadowColor(clGray);
        const bool first = strip_->Tile(0) == this;
        const QString tonight = Q(strip_->Options().Lang.Value("TONIGHT"));
        dateText_->SetCaption(first && ofWeek_->Caption() == tonight ? Q(OrdinalDay(dateTime_)) : QString());
    } else {
        SetClientColor2(clBtnFace);
        SetColor2(clBtnFace);
        ofWeek_->SetColor(clBtnFace);
        ofWeek_->SetCaptionGlow(false);
        tileFont(ofWeek_->Color2());
        summary_->SetShadowColor(clGray);
        high_->SetShadowColor(clGray);
        info_->SetShadowColor(clGray);
        SetTagColor(clSkyBlue);
        dateText_->SetShadowColor(ofWeek_->Color2());
        dateText_->SetCaption(Q(OrdinalDay(dateTime_)));
    }
}

bool TDayControl::event(QEvent *e) {
    switch (e->type()) {
    case QEvent::ToolTip:
        if (ShowHints && !hint_.isEmpty()) {
            if (TForecastBalloon *b = strip_->Balloon()) {
                auto *he = static_cast<QHelpEvent *>(e);
                b->ShowHintAt(he->globalPos(), hint_, HintMaxWidth(), HintTimeOut());
                return true;
            }
        }
        break;
    case QEvent::Leave:
        if (TForecastBalloon *b = strip_->Balloon()) b->HideHint();
        break;
    default:
        break;
    }
    return TnLabel::event(e);
}

// ---------------------------------------------------------------------------

TForecastInset::TForecastInset(TForecastStrip *strip) : QWidget(strip), strip_(strip), tabText_(kOpenMarker) {
    setObjectName(QStringLiteral("nInset"));
    QFont f = font();
    f.setPointSize(12);
    setFont(f);
}

void TForecastInset::SetBodyWidth(int w) {
    if (w == bodyWidth_) return;
    bodyWidth_ = w;
    update();
}

QRect TForecastInset::TabRect() const { return QRect(0, 0, TabWidth, height()); }

QRect TForecastInset::ClientRect() const {
    return QRect(TabWidth + Border, Border, std::max(0, bodyWidth_ - 2 * Border), std::max(0, height() - 2 * Border));
}

void TForecastInset::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const TForecastOptions &o = strip_->Options();
    // The tab: a soft-bevelled handle in the button-shadow colour.
    const QRectF tab = QRectF(TabRect()).adjusted(0.5, 8.5, -0.5, -8.5);
    QPainterPath tp;
    tp.addRoundedRect(tab, 6, 6);
    p.fillPath(tp, ToQColor(clBtnShadow));
    p.setPen(QPen(ToQColor(clBtnHighlight), 1));
    p.drawPath(tp);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(TabRect(), Qt::AlignCenter, tabText_.trimmed());

    const QRect body(TabWidth, 0, bodyWidth_, height());
    if (body.width() <= 0) return;
    FillGradient(p, body, o.CentreColor, o.BottomColor, true, true);
    if (!Picture.isNull()) p.drawPixmap(body, Picture);
    p.setPen(QPen(ToQColor(o.WindowColor), Border));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5));
}

void TForecastInset::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && TabRect().contains(e->position().toPoint())) strip_->ToggleInset();
    QWidget::mousePressEvent(e);
}

// ---------------------------------------------------------------------------

TForecastStrip::TForecastStrip(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("nForecastStrip"));
    options_ = TForecastOptions::WithColours(0x800000, 0xF0CAA6, 0xC0DCC0);
    resize(585, 175);

    nForecasts = new QScrollArea(this);
    nForecasts->setObjectName(QStringLiteral("nForecasts"));
    nForecasts->setFrameShape(QFrame::NoFrame);
    nForecasts->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    nForecasts->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    nForecasts->setWidgetResizable(false);
    nForecasts->viewport()->setAutoFillBackground(false);
    nForecasts->setAutoFillBackground(false);
    tileHost_ = new QWidget;
    tileHost_->setAutoFillBackground(false);
    tileHost_->resize(10, 160);
    nForecasts->setWidget(tileHost_);

    spacer_ = new QWidget(this);
    spacer_->setObjectName(QStringLiteral("Spacer"));

    nInset = new TForecastInset(this);
    detailClip_ = new QWidget(nInset);
    detailClip_->setObjectName(QStringLiteral("DetailClip"));
    glDetail = new TgLabel(detailClip_);
    glDetail->setObjectName(QStringLiteral("glDetail"));
    glDetail->SetAutoSize(false);
    glDetail->SetTransparent(true);
    glDetail->SetWordWrap(true);
    glDetail->SetFontColor(clNavy);
    QFont df(QStringLiteral("Arial"));
    df.setPointSize(9);
    glDetail->setFont(df);
    InsetScrollBar = new QScrollBar(Qt::Vertical, nInset);
    InsetScrollBar->setObjectName(QStringLiteral("InsetScrollBar"));
    InsetScrollBar->hide();
    connect(InsetScrollBar, &QScrollBar::valueChanged, this, &TForecastStrip::InsetScrolled);

    balloon_ = new TForecastBalloon(this);
    balloon_->SetLang(&options_.Lang);
    balloon_->SetPicture(DrawnBalloonPicture());
    balloon_->SetOpacity(options_.BalloonAlpha);

    Arrange();
}

TForecastStrip::~TForecastStrip() {
    // The balloon is a top-level window of its own.
    delete balloon_;
}

void TForecastStrip::SetOptions(const TForecastOptions &options) {
    options_ = options;
    balloon_->SetLang(&options_.Lang);
    balloon_->SetOpacity(options_.BalloonAlpha);
    balloon_->SetFrameColor(ColorFromBGR(options_.BalloonFrameColor));
    balloon_->SetPicture(options_.BalloonPicture.isNull() ? DrawnBalloonPicture() : options_.BalloonPicture);
    glDetail->SetFontColor(options_.DetailFontColor);
    glDetail->SetShadowColor(options_.DetailShadowColor);
    update();
    nInset->update();
}

int TForecastStrip::TileCount() const {
    int n = 0;
    while (Tile(n)) ++n;
    return n;
}

TDayControl *TForecastStrip::Tile(int i) const {
    if (i < 0) return nullptr;
    return tileHost_->findChild<TDayControl *>(QStringLiteral("Day%1").arg(i), Qt::FindDirectChildrenOnly);
}

QPixmap TForecastStrip::EdgePicture() const {
    if (!options_.EdgePicture.isNull()) return options_.EdgePicture;
    if (drawnEdge_.isNull()) {
        // A soft light rim over the tile's rounded shape.
        drawnEdge_ = QPixmap(114, 156);
        drawnEdge_.fill(Qt::transparent);
        QPainter p(&drawnEdge_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
        p.drawRoundedRect(QRectF(1.5, 1.5, 111, 153), 9, 9);
        QLinearGradient g(0, 0, 0, 40);
        g.setColorAt(0, QColor(255, 255, 255, 70));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        QPainterPath top;
        top.addRoundedRect(QRectF(2, 2, 110, 60), 8, 8);
        p.fillPath(top, g);
    }
    return drawnEdge_;
}

TDayControl *TForecastStrip::GetTile(int i) {
    if (TDayControl *t = Tile(i)) return t;
    // Tiles are made in order, so the one before exists.
    if (i > 0 && !Tile(i - 1)) GetTile(i - 1);
    auto *t = new TDayControl(this, tileHost_);
    t->setObjectName(QStringLiteral("Day%1").arg(i));
    t->SetColor(options_.CentreColor);
    t->SetClientColor(options_.CentreColor);
    t->SetColor2(clBtnFace);
    t->SetClientColor2(clBtnFace);
    t->SetFontColor(options_.TileFontColor);
    t->OfWeek()->SetColor2(options_.WindowColor);
    if (i > 0) {
        const TDayControl *prev = Tile(i - 1);
        t->move(prev->x() + prev->width() + TileGap, prev->y());
    }
    t->EdgeImage()->SetPicture(EdgePicture());
    t->show();
    ResizeTileHost();
    return t;
}

void TForecastStrip::FillTile(int i, TCustomWxService &svc, TIconLibrary &lib) {
    TDayControl *t = Tile(i);
    TForecastItem *p = svc.Forecasts().Items(i);
    if (!t || !p) return;
    t->SetColor(options_.CentreColor);
    t->SetClientColor(options_.CentreColor);
    t->Image()->Clear();

    if (options_.ServiceIcons) {
        if (lib.Loaded()) lib.Free();
        std::string path;
        if (svc.LoadPicture(p->IconBase, p->IconName, path) && !path.empty()) t->Image()->SetPicture(QPixmap(Q(path)));
        else if (!path.empty()) t->Image()->SetPicture(QPixmap(Q(path)));
    } else {
        const std::string words =
            p->Detail.empty() || p->Detail.find("avail") != std::string::npos ? p->Summary : p->Detail;
        lib.Load();
        t->Image()->SetPicture(options_.ProgramIcon ? options_.ProgramIcon(lib, p->IconName, words)
                                                    : DefaultProgramIcon(lib, p->IconName, words));
    }

    t->SetSummary(Q(p->Summary));
    t->SetInfo(Q(p->PrecipText));
    t->SetDateTime(p->Date);
    t->SetHint(p->Detail.empty() ? QStringLiteral("Forecast Detail not available.") : Q(p->Detail));

    const TTempCaptions c = TemperatureCaptions(*p, periods12_, options_.Lang);
    t->HighLabel()->setVisible(c.High.Visible);
    t->LowLabel()->setVisible(c.Low.Visible);
    if (c.High.Visible) {
        t->HighLabel()->SetAlignment(ToAlign(c.High.Align));
        t->SetHigh(Q(c.High.Text));
    }
    if (c.Low.Visible) {
        t->LowLabel()->SetAlignment(ToAlign(c.Low.Align));
        t->SetLow(Q(c.Low.Text));
    }
}

QString TForecastStrip::ShowForecast(TCustomWxService &svc, const TForecastOptions &options) {
    SetOptions(options);
    return ShowForecast(svc);
}

QString TForecastStrip::ShowForecast(TCustomWxService &svc) {
    TForecasts &fc = svc.Forecasts();
    if (fc.Count() < 1) return {};
    periods12_ = svc.GetPeriods12();

    // 1. The inset.
    InsetScrollBar->setValue(0);
    const std::string detail = InsetText(fc, periods12_, Clock::Today());
    SetDetailText(detail.empty() ? Q(options_.Lang.Value("glDetail")) : Q(detail));

    // 2. The tiles.
    {
        TIconLibrary lib(options_.IconLibraryFile);
        for (int i = 0; i < fc.Count(); ++i) {
            GetTile(i);
            FillTile(i, svc, lib);
        }
    }

    // 3. The forecast sound (AccuWeather's forecast comes with its current conditions).
    if (svc.GetName() != "Acu" && options_.NotifySound && !options_.AlertRunning) {
        const std::string path = DataPath() + NativePath("Sound\\Connect.wav");
        if (options_.PlaySound) options_.PlaySound(path);
        else PlaySoundFile(path);
    }

    // 4. Tiles beyond the periods go.
    for (int i = TileCount() - 1; i >= fc.Count(); --i) delete Tile(i);
    ResizeTileHost();

    // 6. The tiles' pictures are decoded and freed on every refresh; give the heap back.
    malloc_trim(0);

    // 5. The caption for glForecastTime.
    return Q(ForecastTimeCaption(svc.GetForecastTime(), options_.Lang));
}

void TForecastStrip::InsetTimerTick(TCustomWxService *svc) {
    nInset->setVisible(svc && svc->HasInset());
    Arrange();
}

bool TForecastStrip::InsetOpen() const { return nInset->TabText() == kOpenMarker; }

void TForecastStrip::KeepOpenInsetWide() {
    if (InsetOpen()) {
        nInset->SetBodyWidth(TForecastInset::OpenWidth);
        Arrange();
    }
}

void TForecastStrip::ToggleInset() {
    if (nInset->BodyWidth() < 5) {
        nInset->SetTabText(kOpenMarker);
        nInset->SetBodyWidth(TForecastInset::OpenWidth);
    } else {
        nInset->SetTabText(kClosedMarker);
        nInset->SetBodyWidth(TForecastInset::ClosedWidth);
    }
    Arrange();
}

void TForecastStrip::SetInsetPicture(const QPixmap &p) {
    nInset->Picture = p;
    nInset->update();
}

void TForecastStrip::ClearInset() {
    SetInsetPicture(QPixmap());
    SetDetailText(QString());
}

void TForecastStrip::ApplyDayFontColor(TColor f, TColor detailShadow) {
    for (int i = 0; TDayControl *t = Tile(i); ++i) {
        if (t->Night()) continue;
        t->SetFontColor(f);
        t->SummaryLabel()->SetFontColor(f);
        t->HighLabel()->SetFontColor(f);
        t->LowLabel()->SetFontColor(f);
        t->InfoLabel()->SetFontColor(f);
    }
    options_.DetailFontColor = f;
    options_.DetailShadowColor = detailShadow;
    glDetail->SetFontColor(f);
    glDetail->SetShadowColor(detailShadow);
}

void TForecastStrip::SetDetailText(const QString &text) {
    glDetail->SetCaption(text);
    UpdateInsetScroll();
}

void TForecastStrip::UpdateInsetScroll() {
    const QRect client = nInset->ClientRect();
    detailClip_->setGeometry(client);
    const int fullWidth = std::max(1, client.width() - 4);
    auto heightAt = [this](int w) {
        const QFontMetrics fm(glDetail->font());
        return fm.boundingRect(QRect(0, 0, w, 100000), Qt::TextWordWrap, glDetail->Caption()).height() + 4;
    };
    const int barWidth = InsetScrollBar->sizeHint().width();
    int h = heightAt(fullWidth);
    TInsetScroll s = InsetScrollLayout(h, client.height(), fullWidth, barWidth, InsetScrollBar->value(), 0);
    if (s.BarVisible) {
        h = heightAt(std::max(1, s.LabelWidth));
        s = InsetScrollLayout(h, client.height(), fullWidth, barWidth, InsetScrollBar->value(), 0);
        const QSignalBlocker block(InsetScrollBar);
        InsetScrollBar->setRange(0, s.BarMax);
        InsetScrollBar->setPageStep(std::max(1, client.height()));
        InsetScrollBar->setGeometry(client.right() + 1 - barWidth, client.top(), barWidth, client.height());
        InsetScrollBar->show();
    } else {
        const QSignalBlocker block(InsetScrollBar);
        InsetScrollBar->setValue(0);
        InsetScrollBar->hide();
    }
    glDetail->setGeometry(2, s.LabelTop, std::max(1, s.LabelWidth), h);
}

void TForecastStrip::InsetScrolled(int position) { glDetail->move(glDetail->x(), -position); }

void TForecastStrip::ResizeTileHost() {
    int right = 0;
    for (int i = 0; TDayControl *t = Tile(i); ++i) right = std::max(right, t->x() + t->width());
    tileHost_->resize(right + FirstLeft, 160);
}

void TForecastStrip::Arrange() {
    const bool insetShown = !nInset->isHidden();
    const int iw = insetShown ? TForecastInset::TabWidth + nInset->BodyWidth() : 0;
    const int tilesWidth = std::max(0, width() - (insetShown ? TileGap + iw : 0));
    nForecasts->setGeometry(0, 0, tilesWidth, height());
    spacer_->setGeometry(tilesWidth, 0, insetShown ? TileGap : 0, height());
    nInset->setGeometry(width() - iw, 0, iw, height());
    UpdateInsetScroll();
}

void TForecastStrip::resizeEvent(QResizeEvent *) { Arrange(); }

void TForecastStrip::paintEvent(QPaintEvent *) {
    QPainter p(this);
    FillGradient(p, rect(), options_.CentreColor, options_.BottomColor, true, true);
}
