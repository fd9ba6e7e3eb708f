#pragma once
// Progress of large downloads. Closing the window only hides it; the
// download goes on.
#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

// "0%" below position 1 (and for an unknown maximum), else the truncated
// share of the maximum, never above "100%".
QString ProgressPercentText(qint64 position, qint64 maximum);

class TProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit TProgressDlg(QWidget *parent = nullptr);
    void SetMessage(const QString &text);
    void SetMin(int value);
    void SetMax(int value);
    int GetMax() const;
    void SetPosition(int value);

    QPointer<QLabel> FMessage;
    QPointer<QLabel> FPercentage;
    QPointer<QProgressBar> FProgressBar;
    QPointer<QPushButton> Button;
};
