#pragma once
// Running the setup dialog for the main window: snapshot the settings, show
// the dialog, then undo everything on Cancel or apply what changed on OK.
// The window supplies its reactions as callbacks; any left empty is skipped.
#include <QIcon>
#include <QList>
#include <QString>
#include <functional>

#include "controls/WinColors.h"

class QWidget;
class TCustomWxService;
class TData;
class TIniSettings;
class TWxSetupDlg;

struct TSetupHost {
    QWidget *Parent = nullptr;
    TIniSettings *Settings = nullptr;
    TData *Data = nullptr;                        // nullptr: the global data module
    std::function<TCustomWxService *()> Service;  // the current service (may change while the dialog runs)
    const QList<QIcon> *Glyphs = nullptr;
    QString TemperatureText;                      // shown in the tray-colour sample

    bool Closing = false;                         // the window is shutting down
    std::function<bool()> SplashUp;               // first start: the splash window still exists

    // Before and after the dialog.
    // open: stop the current and alert timers, balloon header, progress threshold 48000;
    // closed: all timers back on (after Cancel too, or refreshes would stop for good).
    std::function<void(bool open)> SetupOpen;
    std::function<void(TWxSetupDlg &)> ApplyLanguage;  // the service's language onto the dialog
    std::function<void()> HideSplash;
    std::function<void()> ShowSplashAgain;        // OK on a first start
    std::function<void()> EndProgram;             // Cancel on a first start

    // The window's colours: its own colour and its two gradient colours.
    TColor Color = 0, Color1 = 0, Color2 = 0;
    std::function<void(TColor color, TColor color1, TColor color2)> ApplyColours;

    std::function<void()> FlushSettings;          // write the settings file
    std::function<void()> MarkUpdateCheckDue;     // last update check := now - 1 day
    std::function<void()> LoadService;            // re-create the service from the settings
    std::function<void()> ApplyImageFilter;
    std::function<void()> RefreshCurrent, RefreshForecast, RefreshAlerts, RefreshImagery;
    std::function<void()> LoadDisplaySettings, RedrawTray, InsetCheck;
    std::function<void()> RunUpdateCheck;         // the visible update check
};

// Runs the dialog on the given page (0 location, 1 weather). exec shows it
// and returns its result; empty runs it modally. Returns the dialog's result,
// or -1 when it did not open.
int RunSetupDialog(TSetupHost &host, int page, const std::function<int(TWxSetupDlg &)> &exec = {});
