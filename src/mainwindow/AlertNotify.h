#pragma once
// Decisions behind the new-alert notification: which alerts were seen, whether
// a refresh brought a new one, what the window does about it and how it ends.
// No Qt here; the window owns the timers and widgets and asks these functions.
#include <string>
#include <vector>

#include "platform/Clock.h"

class TAlerts;
class TCustomWxService;
class TIniSettings;

// The alert keys of [Wx] and [Options] Notify, with their defaults.
struct TAlertOptions {
    bool AlAuto = true;
    bool AlRestore = false;
    bool AlSwitch = true;
    bool AlSound = false;
    bool AlSoundAny = false;
    bool AlAnimate = false;
    std::string AlSoundFile = "Warning";
    bool Notify = true;
};
TAlertOptions ReadAlertOptions(const TIniSettings &ini);

// What makes one alert the same alert on the next refresh.
struct TAlertIdentity {
    std::string Event;
    TDateTime Expires = 0;
    std::string Geocode;  // the first geocode
};

// Identities of the alert items behind the advisory list entries, in list
// order. Indexes that no longer name an item are skipped.
std::vector<TAlertIdentity> ListedAlerts(const TAlerts *alerts, const std::vector<int> &itemIndexes);

// Event + "," + expiry as local date-time text + "," + geocode + " " + city.
std::string AlertKey(const TAlertIdentity &alert, const std::string &cityName);

// The alerts already announced during this run (never saved).
class TSeenAlerts {
public:
    // Before the service is asked again: forget keys whose date lies more than
    // a day before now, then remember every alert shown since the last refresh.
    // A shown alert without expiry is remembered with now as its date.
    void Upkeep(const std::vector<TAlertIdentity> &shown, const std::string &cityName, TDateTime now);
    // True when the list is not empty and one of its keys was not seen yet
    // (always, while nothing has been seen). An alert without expiry never
    // matches a remembered key, so it counts as new every time.
    bool HasNew(const std::vector<TAlertIdentity> &listed, const std::string &cityName) const;

    void Add(const std::string &key, TDateTime stamp);
    bool Contains(const std::string &key) const;
    std::vector<std::string> Keys() const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

private:
    // The date goes beside the key: read back out of the key text it would be
    // lost whenever an event or city name holds a comma ("Austin, TX").
    struct TEntry {
        std::string Key;
        TDateTime Stamp = 0;
    };
    std::vector<TEntry> entries_;
};

// The whole new-alert test: false without a service, without an alert
// collection or with an empty advisory list.
bool NewAlertFound(TCustomWxService *service, const std::vector<int> &listedItems, const TSeenAlerts &seen);

// ---------------------------------------------------------------------------
// Sound

struct TAlertSound {
    enum TKind { None, Alias, File };
    TKind Kind = None;
    std::string Name;  // desktop sound alias, or the wave file's native path
};
// "*SystemExclamation*" names a scheme sound; anything else is a wave file in
// the program's Sound folder.
TAlertSound AlertSoundFor(const std::string &soundFile, const std::string &programPath);
// The sound plays for a new alert or for every listed refresh (AlSoundAny),
// but not both: with AlSoundAny a new alert stays silent.
bool AlertSoundWanted(const TAlertOptions &options, bool newAlert);
// Asynchronous; yields to a sound already playing. False when nothing started.
bool PlayAlertSound(const TAlertSound &sound);

// ---------------------------------------------------------------------------
// Notification state

struct TNotifyPlan {
    bool NewAlert = false;
    bool RestoreWindow = false;    // hidden in the tray with AlRestore
    bool ShowPopUp = false;        // alert pop-up beside the tray icon
    bool SwitchToAdvisory = false; // remember the page, show the Advisory page
    bool PlaySound = false;
    bool Animate = false;          // animated tray icon
    bool StartDuration = false;    // start the 30-second notification timer
};

struct TEndPlan {
    bool Ended = false;            // false: no notification was running
    bool SwitchBack = false;
    int Page = -1;                 // page to switch back to
    bool StopAnimation = false;    // redraw the temperature icon, stop animating
};

// Idle, or a notification running (its timer on) with the page to return to.
class TAlertNotification {
public:
    static constexpr int DurationMs = 30000;
    enum TEndCause { ecTimer, ecMousePress };

    bool Running() const { return running_; }
    int ReturnPage() const { return returnPage_; }

    // NotifyAlerts after a list was shown. Nothing happens for an empty list
    // or while a notification runs; the plan says what the window does, and a
    // plan that starts the timer makes the notification running.
    TNotifyPlan Notify(bool listEmpty, bool newAlert, bool hiddenInTray, bool trayPositionKnown, int currentPage,
                       const TAlertOptions &options);
    // The timer fired or the user pressed a mouse button on the page. Only the
    // timer switches back, and only to a page remembered by this notification.
    TEndPlan End(TEndCause cause, const TAlertOptions &options);

private:
    bool running_ = false;
    bool animated_ = false;
    int returnPage_ = -1;
};

// The tray animation: frame 0 shows at the start, each step shows the next
// frame, and having shown the last frame four times it stops by itself.
class TTrayAnimation {
public:
    static constexpr int DelayMs = 192;
    static constexpr int MaxCycles = 4;

    void Start(int frameCount);
    // The next frame; false (and stopped) when nothing more is to be shown.
    bool Step();
    void Stop();  // index -1, no frames

    bool Running() const { return running_; }
    int Index() const { return index_; }
    int Cycles() const { return cycles_; }
    int FrameCount() const { return frames_; }

private:
    bool running_ = false;
    int index_ = -1;
    int cycles_ = 0;
    int frames_ = 0;
};
