#pragma once
// The one message dialog of the program, and the small functions around it.
#include <QDialog>
#include <QPixmap>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

// Process-wide dialog settings, changeable at run time.
struct TMsgDialogSettings {
    bool AutoClose = true;
    int AutoCloseInterval = 30000;  // ms
    bool PlaySounds = true;
};
TMsgDialogSettings &MsgDialogSettings();

// The caption that hides a button.
extern const char *const kBtnHidden;  // "btnHidden"

// Scheme sounds, index 0..6: Notification x3, Hand, Asterisk, Question,
// Exclamation; each entry is a desktop event id, empty plays nothing.
const std::string &SchemeSound(int index);
// Fills the table (once at start-up; again to restore after a test changed it).
void LoadSchemeSounds();
void SetSchemeSound(int index, const std::string &eventId);

// Picture (0..4) and scheme-sound index of an icon code; false when the code
// is not one of 0, 16, 32, 48, 64.
bool MsgIconLookup(int code, int &picture, int &soundIndex);

// Inserts blanks so the label's own word wrap can break long words: the
// budget is labelWidth / (firstCharWidth + 2) characters.
std::string WrapForLabel(const std::string &text, int labelWidth, int firstCharWidth);

// Picture n (0 generic, 1 question, 2 information, 3 stop, 4 caution), 56 x 56.
// Prefers ProgramPath() + "Images/dialog/<n>.png", then the resource
// ":/dialog/<n>.png", and draws it itself when neither exists.
QPixmap MsgDialogPicture(int n);

class TMsgDialog : public QDialog {
    Q_OBJECT
public:
    explicit TMsgDialog(QWidget *owner = nullptr);

    // Steps 2 to 5 of showing: texts, ask box, captions and picture. A null
    // picture means "use the icon code".
    void Prepare(const std::string &message, const std::string &detail, bool showAsk, int icon,
                 const QPixmap &picture, const std::string &button2, const std::string &button1,
                 const std::string &caption);
    // Arms the timer and plays the sound; then exec().
    int Run();
    bool AskChecked() const;
    int SoundIndex() const { return soundIndex_; }

    QLabel *Image = nullptr;
    QLabel *Message = nullptr;
    QLabel *Detail = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QCheckBox *cbAsk = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QTimer *Timer = nullptr;

public slots:
    void reject() override;  // Escape and the close box answer 2

private:
    int soundIndex_ = -1;
};

// Returns 1 (first button or time-out) or 2 (second button, Escape, close).
// `ask` on entry: show "Don't ask again."; on return: whether it was checked.
int ShowMsgDialog(QWidget *owner, const std::string &message, const std::string &detail, bool *ask, int icon,
                  const std::string &button2, const std::string &button1, const std::string &caption);
int ShowMsgDialog(QWidget *owner, const std::string &message, const std::string &detail, bool *ask,
                  const QPixmap &picture, const std::string &button2, const std::string &button1,
                  const std::string &caption);
int MsgBox(QWidget *owner, const std::string &message, const std::string &caption, int icon = 0,
           const std::string &button2 = "", const std::string &button1 = "");
int MsgBoxDetail(QWidget *owner, const std::string &message, const std::string &detail, int icon = 0,
                 const std::string &button2 = "", const std::string &button1 = "", const std::string &caption = "");
int MsgBoxAsk(QWidget *owner, const std::string &message, const std::string &detail, bool &ask, int icon = 0,
              const std::string &button2 = "", const std::string &button1 = "", const std::string &caption = "");

// Makes this dialog the handler of core's message requests.
void InstallMsgDialogHandler();
