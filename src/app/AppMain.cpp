#include "app/AppMain.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QDesktopServices>
#include <QLocale>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/AppFactories.h"
#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "dialogs/MsgHook.h"
#include "dialogs/MsgUnit.h"
#include "mainwindow/Unit01.h"
#include "platform/FormatSettings.h"
#include "platform/Instance.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

namespace {
std::string str(const QString &s) { return s.toStdString(); }

void stopMessage(const std::string &text, const char *caption) {
    TMsgRequest r;
    r.Message = text;
    r.Icon = miStop;
    r.Button2 = "btnHidden";
    r.Caption = caption;
    RequestMessage(r);
}

// Delphi-style formats from Qt's ("M/d/yyyy" -> "m/d/yyyy", "h:mm AP" -> "h:nn AMPM").
std::string delphiFormat(const QString &qt, bool time) {
    std::string out;
    const std::string s = str(qt);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == 'M' && !time) out += 'm';
        else if (c == 'm' && time) out += 'n';
        else if ((c == 'A' || c == 'a') && i + 1 < s.size() && (s[i + 1] == 'P' || s[i + 1] == 'p')) {
            out += "AMPM";
            ++i;
        } else if (c == '\'') out += '"';
        else out += c;
    }
    return out;
}

char firstChar(const QString &s, char def) {
    const QByteArray b = s.toLatin1();
    return b.isEmpty() ? def : b[0];
}

// TOLVU_EXIT_AFTER_PAINT (start-up measurement): quit once the temperature
// label has been painted with a reading, printing the milliseconds since
// launch: since the epoch time (ms) the variable holds, else since RunTolvu began.
class TExitAfterPaint : public QObject {
public:
    TExitAfterPaint(TgLabel *label, std::int64_t launchEpochMs, const QElapsedTimer &since)
        : label_(label), launch_(launchEpochMs), since_(since) {}
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!done_ && watched == label_ && event->type() == QEvent::Paint) {
            if (label_->Caption().endsWith(QChar(0xB0))) {
                done_ = true;
                const std::int64_t ms =
                    launch_ > 1000000000000LL ? QDateTime::currentMSecsSinceEpoch() - launch_ : since_.elapsed();
                std::printf("first-paint-ms %lld\n", static_cast<long long>(ms));
                std::fflush(stdout);
                QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
            }
        }
        return false;
    }

private:
    TgLabel *label_;
    std::int64_t launch_;
    QElapsedTimer since_;  // started when RunTolvu began
    bool done_ = false;
};
}  // namespace

int WindowsLocaleId(const QLocale &locale) {
    struct Entry { QLocale::Language lang; QLocale::Territory territory; int id; };
    static const Entry table[] = {
        {QLocale::English, QLocale::UnitedStates, 1033}, {QLocale::English, QLocale::UnitedKingdom, 2057},
        {QLocale::English, QLocale::Canada, 4105},       {QLocale::English, QLocale::Australia, 3081},
        {QLocale::German, QLocale::Germany, 1031},       {QLocale::French, QLocale::France, 1036},
        {QLocale::French, QLocale::Canada, 3084},        {QLocale::Spanish, QLocale::Spain, 3082},
        {QLocale::Spanish, QLocale::Mexico, 2058},       {QLocale::Italian, QLocale::Italy, 1040},
        {QLocale::Dutch, QLocale::Netherlands, 1043},    {QLocale::Portuguese, QLocale::Brazil, 1046},
        {QLocale::Icelandic, QLocale::Iceland, 1039},    {QLocale::Japanese, QLocale::Japan, 1041},
    };
    for (const Entry &e : table)
        if (locale.language() == e.lang && locale.territory() == e.territory) return e.id;
    return 0;
}

void FillFormatSettings(TFormatSettings &fs, const QLocale &locale) {
    fs = TFormatSettings();
    fs.LocaleId = WindowsLocaleId(locale);
    if (locale.language() == QLocale::C) return;  // keep the en-US texts
    fs.ShortDateFormat = delphiFormat(locale.dateFormat(QLocale::ShortFormat), false);
    fs.LongDateFormat = delphiFormat(locale.dateFormat(QLocale::LongFormat), false);
    fs.ShortTimeFormat = delphiFormat(locale.timeFormat(QLocale::ShortFormat), true);
    fs.LongTimeFormat = delphiFormat(locale.timeFormat(QLocale::LongFormat), true);
    fs.TimeAMString = str(locale.amText());
    fs.TimePMString = str(locale.pmText());
    for (int m = 0; m < 12; ++m) {
        fs.ShortMonthNames[m] = str(locale.monthName(m + 1, QLocale::ShortFormat));
        fs.LongMonthNames[m] = str(locale.monthName(m + 1, QLocale::LongFormat));
    }
    for (int d = 0; d < 7; ++d) {
        const int qd = d == 0 ? 7 : d;  // Qt counts Monday as 1
        fs.ShortDayNames[d] = str(locale.dayName(qd, QLocale::ShortFormat));
        fs.LongDayNames[d] = str(locale.dayName(qd, QLocale::LongFormat));
    }
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    for (QChar c : shortDate)
        if (!c.isLetter()) { fs.DateSeparator = firstChar(QString(c), '/'); break; }
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    for (QChar c : shortTime)
        if (!c.isLetter()) { fs.TimeSeparator = firstChar(QString(c), ':'); break; }
    fs.DecimalSeparator = firstChar(locale.decimalPoint(), '.');
}

bool OpenWithDesktop(const std::string &target) {
    const QString t = QString::fromStdString(target);
    QUrl url = QUrl::fromUserInput(t);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

int RunTolvu(int argc, char **argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    SetBuildLetter("c");

    // The key decides whether this copy may run at all; nothing is shown before.
    std::string key;
    try {
        std::string node = MakeNodeId();
        if (node.empty()) node = kDefaultNodeId;
        key = MakeInstanceKey(node, FileVersionText());
    } catch (const std::exception &e) {
        stopMessage(e.what(), "Application ID Creation Error.");
    }
    SetInstanceKey(key);
    bool running = false;
    try {
        running = AnotherCopyRuns(key);
    } catch (const std::exception &e) {
        stopMessage(e.what(), "Find Form Instance.");
    }
    if (running) return 0;
    TInstanceLock instanceLock;
    if (!key.empty()) instanceLock.Acquire(key);  // held until the loop ends

    QApplication app(argc, argv);
    InstallMsgDialogHandler();
    TWxForm::UseDialogPictures() = true;
    SetShellOpener(OpenWithDesktop);
    FillFormatSettings(TFormatSettings::Global(), QLocale::system());

    TAppFactories factories;
    InstallAppFactories(factories);
    // The main window's first forecast refresh waits for the splash and frees it.
    QPointer<QWidget> splash = factories.CreateSplash ? factories.CreateSplash() : nullptr;
    if (splash) splash->show();
    TWxForm::SetStartupSplash(splash);

    ForceDirectories(ProfilePath());
    SeedSettingsFile(DataPath(), ProfilePath(), SettingsFileName());

    SetApplicationTitle("Weather");
    SetApplicationHelpFile("Tolvu.chm");
    QApplication::setApplicationName("Weather");

    std::shared_ptr<void> dataModule = factories.CreateDataModule ? factories.CreateDataModule() : nullptr;
    int rc = 0;
    {
        TWxForm mainForm;
        std::unique_ptr<QWidget> progress(factories.CreateProgressWindow ? factories.CreateProgressWindow(mainForm)
                                                                         : nullptr);
        std::unique_ptr<QWidget> imageryOptions(
            factories.CreateImageryOptions ? factories.CreateImageryOptions(mainForm) : nullptr);
        std::unique_ptr<TExitAfterPaint> exitAfterPaint;
        if (const char *v = std::getenv("TOLVU_EXIT_AFTER_PAINT")) {
            exitAfterPaint = std::make_unique<TExitAfterPaint>(mainForm.glTemperature, std::atoll(v), sinceStart);
            mainForm.glTemperature->installEventFilter(exitAfterPaint.get());
            mainForm.glTemperature->update();
        }
        // The first forecast refresh decides between window and tray; without one the window shows.
        if (!mainForm.HandedOver()) mainForm.show();
        rc = QApplication::exec();
        imageryOptions.reset();
        progress.reset();
        delete splash.data();  // still there when no forecast refresh ever ran
    }
    dataModule.reset();
    SetShellOpener(nullptr);
    SetMsgHandler(nullptr);
    return rc;
}
