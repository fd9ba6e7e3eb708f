#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "dialogs/MsgUnit.h"

namespace {
// Quiet, and with a short automatic close, for the duration of one test.
class DialogSettingsScope {
public:
    DialogSettingsScope(bool autoClose, int interval) : saved_(MsgDialogSettings()) {
        MsgDialogSettings().AutoClose = autoClose;
        MsgDialogSettings().AutoCloseInterval = interval;
        MsgDialogSettings().PlaySounds = false;
    }
    ~DialogSettingsScope() { MsgDialogSettings() = saved_; }
private:
    TMsgDialogSettings saved_;
};

// Runs `act` on the first message dialog that shows up.
void OnDialog(std::function<void(TMsgDialog *)> act) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<TMsgDialog *>(w); d && d->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(d);
                return;
            }
    });
    poll->start(5);
}
}  // namespace

TEST(MsgDialog, UnansweredDialogClosesWithTheFirstButtonsResult) {
    DialogSettingsScope scope(true, 40);
    EXPECT_EQ(MsgBox(nullptr, "Nobody answers", "Test", 48, kBtnHidden, ""), 1);
    bool ask = true;
    EXPECT_EQ(MsgBoxAsk(nullptr, "Question", "Detail", ask, 32, "No", "Yes", "Test"), 1);
    EXPECT_FALSE(ask);
}

TEST(MsgDialog, EscapeCloseBoxAndSecondButtonAnswerTwo) {
    DialogSettingsScope scope(false, 30000);
    OnDialog([](TMsgDialog *d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(d, &esc);
    });
    EXPECT_EQ(MsgBox(nullptr, "Escape", "Test", 64), 2);
    OnDialog([](TMsgDialog *d) { d->close(); });
    EXPECT_EQ(MsgBox(nullptr, "Close box", "Test", 0), 2);
    OnDialog([](TMsgDialog *d) { d->Button2->click(); });
    EXPECT_EQ(MsgBoxDetail(nullptr, "Second", "button", 16, "No", "Yes", "Test"), 2);
    bool ask = true;
    OnDialog([](TMsgDialog *d) {
        EXPECT_TRUE(d->cbAsk->isVisible());
        d->cbAsk->setChecked(true);
        d->Button1->click();
    });
    EXPECT_EQ(MsgBoxAsk(nullptr, "Ask", "me", ask, 32, "No", "Yes", "Test"), 1);
    EXPECT_TRUE(ask);
}

TEST(MsgDialog, CaptionsHiddenButtonsIconsAndSounds) {
    struct Case { std::string b2, b1; bool show2; QString text1, text2; };
    const Case cases[] = {
        {kBtnHidden, "", false, "&Ok", "&Cancel"},
        {"", "", true, "&Ok", "&Cancel"},
        {"No", "Yes", true, "Yes", "No"},
    };
    for (const Case &c : cases) {
        TMsgDialog d;
        d.Prepare("Text", "", false, 48, QPixmap(), c.b2, c.b1, "Caption");
        d.show();
        EXPECT_TRUE(d.Button1->isVisible());
        EXPECT_EQ(d.Button2->isVisible(), c.show2);
        EXPECT_EQ(d.Button1->text(), c.text1);
        if (c.show2) {
            EXPECT_EQ(d.Button2->text(), c.text2);
        }
        EXPECT_FALSE(d.cbAsk->isVisible());
        EXPECT_FALSE(d.Detail->isVisible());
        EXPECT_EQ(d.windowTitle(), "Caption");
    }
    // Stop icon: the stop picture with the hand sound; a picture object plays nothing.
    struct Icon { int code, picture, sound; const char *event; };
    for (Icon i : {Icon{0, 0, 2, "message"}, Icon{16, 4, 6, "dialog-warning"}, Icon{32, 1, 5, "dialog-question"},
                   Icon{48, 3, 3, "dialog-error"}, Icon{64, 2, 4, "dialog-information"}}) {
        int pic = -1, snd = -1;
        ASSERT_TRUE(MsgIconLookup(i.code, pic, snd)) << i.code;
        EXPECT_EQ(pic, i.picture) << i.code;
        EXPECT_EQ(snd, i.sound) << i.code;
        EXPECT_EQ(SchemeSound(snd), i.event) << i.code;
    }
    int pic, snd;
    EXPECT_FALSE(MsgIconLookup(17, pic, snd));
    TMsgDialog d;
    QPixmap own(20, 20);
    own.fill(Qt::red);
    d.Prepare("Text", "Detail", false, 0, own, "", "", "");
    EXPECT_EQ(d.SoundIndex(), -1);
    for (int n = 0; n < 5; ++n) EXPECT_EQ(MsgDialogPicture(n).size(), QSize(56, 56)) << n;
}

TEST(MsgDialog, WrapInsertsBlanksForLongWords) {
    struct Case { std::string text; int width, first; std::string expected; };
    const std::string address = "http://www.example.com/alerts/cap/ab.xml";  // 40 characters
    ASSERT_EQ(address.size(), 40u);
    const Case cases[] = {
        {address, 260, 7, address.substr(0, 28) + " " + address.substr(28) + " "},
        {"short text", 260, 7, "short text"},
        {"", 260, 7, ""},
        // Pieces end at their last blank; the rest continues right after it.
        {"aaaa bbbbbbbb cc", 60, 8, "aaaa bbbbbb bb cc "},
        // A label narrower than one character still finishes.
        {"abc", 1, 7, "a b c "},
    };
    for (const Case &c : cases) EXPECT_EQ(WrapForLabel(c.text, c.width, c.first), c.expected) << c.text;
}
