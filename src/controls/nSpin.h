#pragma once
// TnSpinButton: up and down arrows that step the integer in an edit.
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

struct TSpinLimits {
    int increment = 1, min = 0, max = 1000, places = 0;
};

// The edit text after one click; nullopt when the text is not an integer
// (the edit is then left as it is).
std::optional<QString> SpinText(const QString &text, bool up, const TSpinLimits &limits);

class TnSpinButton : public QWidget {
    Q_OBJECT
public:
    using TNotify = std::function<void(TnSpinButton *sender)>;

    explicit TnSpinButton(QWidget *parent = nullptr);

    QLineEdit *FocusControl() const { return edit_; }
    void SetFocusControl(QLineEdit *edit) { edit_ = edit; }
    int Increment() const { return limits_.increment; }
    void SetIncrement(int v) { limits_.increment = v; }
    int Min() const { return limits_.min; }
    void SetMin(int v) { limits_.min = v; }
    int Max() const { return limits_.max; }
    void SetMax(int v) { limits_.max = v; }
    // With an input mask on the edit, the digits of the mask.
    int Places() const;
    void SetPlaces(int n);

    void UpClick() { Step(true); }
    void DownClick() { Step(false); }

    TNotify OnIncrement;

    QSize sizeHint() const override { return QSize(17, 22); }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void Step(bool up);

    QPointer<QLineEdit> edit_;
    TSpinLimits limits_;
    int pressed_ = 0;  // 1 up, -1 down
};
