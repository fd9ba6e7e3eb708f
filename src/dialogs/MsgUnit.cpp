#include "dialogs/MsgUnit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/MsgHook.h"
#include "platform/Paths.h"
#include "platform/Sound.h"

namespace {
std::string g_schemeSounds[7];
bool g_schemeLoaded = false;

QString q(const std::string &s) { return QString::fromStdString(s); }

void applyCaption(QPushButton *b, const std::string &caption) {
    if (caption == kBtnHidden) b->hide();
    else if (!caption.empty()) b->setText(q(caption));
}

void drawBadge(QPainter &p, const QColor &fill, const QString &glyph) {
    QRadialGradient g(QPointF(22, 20), 34);
    g.setColorAt(0, fill.lighter(160));
    g.setColorAt(1, fill);
    p.setPen(QPen(fill.darker(160), 2));
    p.setBrush(g);
    p.drawEllipse(QRectF(4, 4, 48, 48));
    QFont f("DejaVu Sans", 26, QFont::Bold);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 48, 48), Qt::AlignCenter, glyph);
}

QPixmap drawPicture(int n) {
    QPixmap pm(56, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (n) {
    case 1: drawBadge(p, QColor(0x1E, 0x5A, 0xC8), "?"); break;
    case 2: drawBadge(p, QColor(0x1E, 0x78, 0xD2), "i"); break;
    case 3: drawBadge(p, QColor(0xC8, 0x1E, 0x1E), "!"); break;
    case 4: {
        QPainterPath tri;
        tri.moveTo(28, 4);
        tri.lineTo(53, 50);
        tri.lineTo(3, 50);
        tri.closeSubpath();
        p.setPen(QPen(QColor(0x80, 0x60, 0x00), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xFF, 0xD0, 0x20));
        p.drawPath(tri);
        p.setFont(QFont("DejaVu Sans", 24, QFont::Bold));
        p.setPen(Qt::black);
        p.drawText(QRectF(3, 14, 50, 36), Qt::AlignCenter, "!");
        break;
    }
    default: {  // a plain window
        p.setPen(QPen(QColor(0x30, 0x30, 0x50), 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5, 9, 46, 38), 3, 3);
        p.setBrush(QColor(0x20, 0x40, 0x90));
        p.drawRect(QRectF(5, 9, 46, 9));
        p.setPen(QPen(QColor(0x90, 0x90, 0xA0), 2));
        for (int y = 25; y <= 39; y += 7) p.drawLine(11, y, 45, y);
        break;
    }
    }
    return pm;
}
}  // namespace

const char *const kBtnHidden = "btnHidden";

TMsgDialogSettings &MsgDialogSettings() {
    static TMsgDialogSettings s;
    return s;
}

void LoadSchemeSounds() {
    const char *n = SchemeEventId(TSchemeSound::Notification);
    g_schemeSounds[0] = g_schemeSounds[1] = g_schemeSounds[2] = n;
    g_schemeSounds[3] = SchemeEventId(TSchemeSound::Hand);
    g_schemeSounds[4] = SchemeEventId(TSchemeSound::Asterisk);
    g_schemeSounds[5] = SchemeEventId(TSchemeSound::Question);
    g_schemeSounds[6] = SchemeEventId(TSchemeSound::Exclamation);
    g_schemeLoaded = true;
}

const std::string &SchemeSound(int index) {
    static const std::string empty;
    if (!g_schemeLoaded) LoadSchemeSounds();
    return index >= 0 && index < 7 ? g_schemeSounds[index] : empty;
}

void SetSchemeSound(int index, const std::string &eventId) {
    if (!g_schemeLoaded) LoadSchemeSounds();
    if (index >= 0 && index < 7) g_schemeSounds[index] = eventId;
}

bool MsgIconLookup(int code, int &picture, int &soundIndex) {
    switch (code) {
    case 0: picture = 0; soundIndex = 2; return true;
    case 16: picture = 4; soundIndex = 6; return true;
    case 32: picture = 1; soundIndex = 5; return true;
    case 48: picture = 3; soundIndex = 3; return true;
    case 64: picture = 2; soundIndex = 4; return true;
    default: return false;
    }
}

std::string WrapForLabel(const std::string &text, int labelWidth, int firstCharWidth) {
    if (text.empty()) return text;
    // A label narrower than one character would otherwise give a budget of 0 and never finish.
    const std::size_t n = static_cast<std::size_t>(std::max(1, labelWidth / (std::max(0, firstCharWidth) + 2)));
    if (text.size() <= n) return text;
    std::string out;
    out.reserve(text.size() + text.size() / n + 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::string piece = text.substr(pos, n);
        const std::size_t blank = piece.rfind(' ');
        if (blank != std::string::npos) {
            piece.resize(blank + 1);
        } else {
            piece += ' ';
        }
        pos += blank != std::string::npos ? blank + 1 : n;
        out += piece;
    }
    return out;
}

QPixmap MsgDialogPicture(int n) {
    const QString name = QString("dialog/%1.png").arg(n);
    QPixmap pm;
    const QString file = q(DataPath()) + "Images/" + name;
    if (QFile::exists(file) && pm.load(file)) return pm;
    if (QFile::exists(":/" + name) && pm.load(":/" + name)) return pm;
    return drawPicture(n);
}

TMsgDialog::TMsgDialog(QWidget *owner) : QDialog(owner) {
    setWindowTitle("Message");
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont f("Tahoma");
    f.setPointSize(8);
    setFont(f);
    setFixedSize(372, 142);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(4);
    auto *top = new QHBoxLayout;
    root->addLayout(top, 1);

    Image = new QLabel(this);
    Image->setObjectName("Image");
    Image->setFixedSize(56, 56);
    top->addWidget(Image, 0, Qt::AlignTop);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setFixedWidth(280);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(true);
    auto *inner = new QWidget;
    auto *texts = new QVBoxLayout(inner);
    texts->setContentsMargins(0, 0, 0, 0);
    Message = new QLabel(inner);
    Message->setObjectName("Message");
    QFont mf = Message->font();
    mf.setPixelSize(13);
    Message->setFont(mf);
    Detail = new QLabel("Details", inner);
    Detail->setObjectName("Detail");
    for (QLabel *l : {Message, Detail}) {
        l->setTextFormat(Qt::PlainText);  // server texts are never markup
        l->setWordWrap(true);
        l->setFixedWidth(260);
        l->setMinimumHeight(39);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        texts->addWidget(l);
    }
    texts->addStretch();
    ScrollBox->setWidget(inner);
    top->addWidget(ScrollBox, 1);

    auto *bottom = new QHBoxLayout;
    root->addLayout(bottom);
    cbAsk = new QCheckBox("Don't ask again.", this);
    cbAsk->setObjectName("cbAsk");
    cbAsk->hide();
    bottom->addWidget(cbAsk);
    bottom->addStretch();
    Button1 = new QPushButton("&Ok", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("&Cancel", this);
    Button2->setObjectName("Button2");
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    connect(Button1, &QPushButton::clicked, this, [this] { done(1); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(2); });

    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(MsgDialogSettings().AutoCloseInterval);
    connect(Timer, &QTimer::timeout, this, [this] { done(1); });
}

void TMsgDialog::reject() { done(2); }

void TMsgDialog::Prepare(const std::string &message, const std::string &detail, bool showAsk, int icon,
                         const QPixmap &picture, const std::string &button2, const std::string &button1,
                         const std::string &caption) {
    const QFontMetrics fm(font());
    auto wrap = [&](QLabel *label, const std::string &text) {
        const int first = text.empty() ? 0 : fm.horizontalAdvance(QChar(static_cast<unsigned char>(text[0])));
        return q(WrapForLabel(text, label->width(), first));
    };
    if (!detail.empty()) {
        Detail->setText(wrap(Detail, detail));
        Message->setText(q(message));
    } else {
        Detail->hide();
        Message->setMinimumHeight(78);
        QFont f = Message->font();
        f.setPointSize(10);
        Message->setFont(f);
        Message->setAutoFillBackground(true);
        Message->setText(wrap(Message, message));
    }
    cbAsk->setVisible(showAsk);
    applyCaption(Button2, button2);
    applyCaption(Button1, button1);
    setWindowTitle(q(caption));

    int pictureIndex = 0;
    soundIndex_ = -1;
    if (!picture.isNull()) {
        Image->setPixmap(picture.scaled(56, 56, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        if (!MsgIconLookup(icon, pictureIndex, soundIndex_)) soundIndex_ = -1;
        Image->setPixmap(MsgDialogPicture(pictureIndex));
    }
}

int TMsgDialog::Run() {
    const TMsgDialogSettings &s = MsgDialogSettings();
    Timer->setInterval(s.AutoCloseInterval);
    if (s.AutoClose) Timer->start();
    if (s.PlaySounds && soundIndex_ >= 0 && !SchemeSound(soundIndex_).empty()) PlayEventSound(SchemeSound(soundIndex_));
    raise();
    activateWindow();
    return exec();
}

bool TMsgDialog::AskChecked() const { return cbAsk->isChecked(); }

namespace {
int show(QWidget *owner, const std::string &message, const std::string &detail, bool *ask, int icon,
         const QPixmap &picture, const std::string &button2, const std::string &button1, const std::string &caption) {
    TMsgDialog dlg(owner);
    const bool showAsk = ask && *ask;
    if (ask) *ask = false;
    dlg.Prepare(message, detail, showAsk, icon, picture, button2, button1, caption);
    const int result = dlg.Run();
    if (ask) *ask = dlg.AskChecked();
    return result;
}
}  // namespace

int ShowMsgDialog(QWidget *owner, const std::string &message, const std::string &detail, bool *ask, int icon,
                  const std::string &button2, const std::string &button1, const std::string &caption) {
    return show(owner, message, detail, ask, icon, QPixmap(), button2, button1, caption);
}

int ShowMsgDialog(QWidget *owner, const std::string &message, const std::string &detail, bool *ask,
                  const QPixmap &picture, const std::string &button2, const std::string &button1,
                  const std::string &caption) {
    return show(owner, message, detail, ask, 0, picture, button2, button1, caption);
}

int MsgBox(QWidget *owner, const std::string &message, const std::string &caption, int icon,
           const std::string &button2, const std::string &button1) {
    return ShowMsgDialog(owner, message, "", nullptr, icon, button2, button1, caption);
}

int MsgBoxDetail(QWidget *owner, const std::string &message, const std::string &detail, int icon,
                 const std::string &button2, const std::string &button1, const std::string &caption) {
    return ShowMsgDialog(owner, message, detail, nullptr, icon, button2, button1, caption);
}

int MsgBoxAsk(QWidget *owner, const std::string &message, const std::string &detail, bool &ask, int icon,
              const std::string &button2, const std::string &button1, const std::string &caption) {
    return ShowMsgDialog(owner, message, detail, &ask, icon, button2, button1, caption);
}

void InstallMsgDialogHandler() {
    LoadSchemeSounds();
    SetMsgHandler([](const TMsgRequest &r) {
        TMsgAnswer a;
        bool ask = r.ShowAsk;
        a.Result = ShowMsgDialog(QApplication::activeWindow(), r.Message, r.Detail, &ask, r.Icon, r.Button2,
                                 r.Button1, r.Caption);
        a.Asked = ask;
        return a;
    });
}
