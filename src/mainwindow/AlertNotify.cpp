#include "mainwindow/AlertNotify.h"

#include <algorithm>

#include "app/IniSettings.h"
#include "platform/FormatSettings.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "service/WxService.h"

TAlertOptions ReadAlertOptions(const TIniSettings &ini) {
    TAlertOptions o;
    o.AlAuto = ini.ReadBool("Wx", "AlAuto", o.AlAuto);
    o.AlRestore = ini.ReadBool("Wx", "AlRestore", o.AlRestore);
    o.AlSwitch = ini.ReadBool("Wx", "AlSwitch", o.AlSwitch);
    o.AlSound = ini.ReadBool("Wx", "AlSound", o.AlSound);
    o.AlSoundAny = ini.ReadBool("Wx", "AlSoundAny", o.AlSoundAny);
    o.AlAnimate = ini.ReadBool("Wx", "AlAnimate", o.AlAnimate);
    o.AlSoundFile = ini.ReadString("Wx", "AlSoundFile", o.AlSoundFile);
    o.Notify = ini.ReadBool("Options", "Notify", o.Notify);
    return o;
}

std::vector<TAlertIdentity> ListedAlerts(const TAlerts *alerts, const std::vector<int> &itemIndexes) {
    std::vector<TAlertIdentity> out;
    if (!alerts) return out;
    for (int i : itemIndexes) {
        const TCustomAlertItem *item = alerts->Items(i);
        if (!item) continue;
        out.push_back({item->GetEvent(), item->GetExpires(), item->GetGeocode(0)});
    }
    return out;
}

namespace {
std::string keyWithDate(const TAlertIdentity &a, const std::string &dateText, const std::string &city) {
    return a.Event + "," + dateText + "," + a.Geocode + " " + city;
}
}  // namespace

std::string AlertKey(const TAlertIdentity &alert, const std::string &cityName) {
    return keyWithDate(alert, DateTimeToStr(alert.Expires), cityName);
}

void TSeenAlerts::Upkeep(const std::vector<TAlertIdentity> &shown, const std::string &cityName, TDateTime now) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [now](const TEntry &e) { return now - e.Stamp > 1.0; }),
                   entries_.end());
    for (const TAlertIdentity &a : shown) {
        std::string dateText = DateTimeToStr(a.Expires);
        TDateTime stamp = a.Expires;
        if (dateText.find("1899") != std::string::npos) {
            dateText = DateTimeToStr(now);
            stamp = now;
        }
        const std::string key = keyWithDate(a, dateText, cityName);
        if (!Contains(key)) entries_.push_back({key, stamp});
    }
}

bool TSeenAlerts::HasNew(const std::vector<TAlertIdentity> &listed, const std::string &cityName) const {
    if (listed.empty()) return false;
    if (entries_.empty()) return true;
    return std::any_of(listed.begin(), listed.end(),
                       [&](const TAlertIdentity &a) { return !Contains(AlertKey(a, cityName)); });
}

void TSeenAlerts::Add(const std::string &key, TDateTime stamp) {
    if (!Contains(key)) entries_.push_back({key, stamp});
}

bool TSeenAlerts::Contains(const std::string &key) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const TEntry &e) { return e.Key == key; });
}

std::vector<std::string> TSeenAlerts::Keys() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const TEntry &e : entries_) out.push_back(e.Key);
    return out;
}

bool NewAlertFound(TCustomWxService *service, const std::vector<int> &listedItems, const TSeenAlerts &seen) {
    if (!service || !service->Alerts() || listedItems.empty()) return false;
    const std::vector<TAlertIdentity> listed = ListedAlerts(service->Alerts(), listedItems);
    if (listed.empty()) return false;
    return seen.HasNew(listed, service->GetCityName());
}

// ---------------------------------------------------------------------------

TAlertSound AlertSoundFor(const std::string &soundFile, const std::string &programPath) {
    TAlertSound s;
    const auto last = soundFile.rfind('*');
    if (last != std::string::npos) {
        // From the second character up to the one before the last asterisk.
        if (last > 1) {
            s.Kind = TAlertSound::Alias;
            s.Name = soundFile.substr(1, last - 1);
        }
        return s;
    }
    if (soundFile.empty()) return s;
    s.Kind = TAlertSound::File;
    s.Name = programPath + NativePath("Sound\\" + soundFile + ".wav");
    return s;
}

bool AlertSoundWanted(const TAlertOptions &options, bool newAlert) {
    return options.AlSound && (newAlert != options.AlSoundAny);
}

bool PlayAlertSound(const TAlertSound &sound) {
    try {
        switch (sound.Kind) {
        case TAlertSound::Alias: return PlayEventSound(EventIdForAlias(sound.Name));
        case TAlertSound::File: return PlaySoundFile(sound.Name);
        case TAlertSound::None: break;
        }
    } catch (...) {
        // A sound never stops a notification.
    }
    return false;
}

// ---------------------------------------------------------------------------

TNotifyPlan TAlertNotification::Notify(bool listEmpty, bool newAlert, bool hiddenInTray, bool trayPositionKnown,
                                       int currentPage, const TAlertOptions &options) {
    TNotifyPlan p;
    if (listEmpty || running_) return p;
    p.NewAlert = newAlert;
    if (newAlert) {
        if (hiddenInTray) {
            if (options.AlRestore)
                p.RestoreWindow = true;
            else if (options.Notify && trayPositionKnown)
                p.ShowPopUp = true;
        }
        if (options.AlSwitch) {
            p.SwitchToAdvisory = true;
            p.StartDuration = true;
            returnPage_ = currentPage;
        }
    }
    p.PlaySound = AlertSoundWanted(options, newAlert);
    if (options.AlAnimate) {
        p.Animate = true;
        p.StartDuration = true;
        animated_ = true;
    }
    if (p.StartDuration) running_ = true;
    return p;
}

TEndPlan TAlertNotification::End(TEndCause cause, const TAlertOptions &options) {
    TEndPlan e;
    if (!running_) return e;
    running_ = false;
    e.Ended = true;
    if (options.AlSwitch && cause == ecTimer && returnPage_ >= 0) {
        e.SwitchBack = true;
        e.Page = returnPage_;
    }
    returnPage_ = -1;
    // An animation started by this notification stops even if the option
    // was switched off meanwhile.
    e.StopAnimation = options.AlAnimate || animated_;
    animated_ = false;
    return e;
}

// ---------------------------------------------------------------------------

void TTrayAnimation::Start(int frameCount) {
    frames_ = std::max(0, frameCount);
    cycles_ = 0;
    running_ = frames_ > 0;
    index_ = running_ ? 0 : -1;
}

bool TTrayAnimation::Step() {
    if (!running_) return false;
    index_ = (index_ + 1) % frames_;
    if (index_ == frames_ - 1 && ++cycles_ >= MaxCycles) {
        running_ = false;
        cycles_ = 0;
    }
    return true;
}

void TTrayAnimation::Stop() {
    running_ = false;
    index_ = -1;
    frames_ = 0;
    cycles_ = 0;
}
