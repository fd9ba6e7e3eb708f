#pragma once
// The main window's own downloads and the update check that uses them:
// the daily notice file, the new-version offer, the splash promotion and the
// message of the day. The window lends what the check needs through TUpdateHost.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/UpdateNotice.h"
#include "dialogs/MsgHook.h"

class QWidget;
class TIniSettings;
class TSplashScreen;

// Blocking GETs with the window's identity: its user agent, an HTTP user name
// sent with basic authentication, one cookie store for all of them, 8
// redirects, 9000 ms to connect. Only 200 to 202 count as success.
class TWindowDownloads {
public:
    TWindowDownloads();
    ~TWindowDownloads();
    TWindowDownloads(const TWindowDownloads &) = delete;
    TWindowDownloads &operator=(const TWindowDownloads &) = delete;

    // Into ProfilePath() + subFolder + fileName (subFolder logical, "" or "Cache\").
    // Refused while Refuse() says so. A success without a byte leaves no file;
    // a failure leaves any earlier file as it was.
    bool ToFile(const std::string &url, const std::string &subFolder, const std::string &userName,
                const std::string &userAgent, const std::string &fileName);
    bool ToMemory(const std::string &url, const std::string &userName, const std::string &userAgent,
                  std::string &buffer);

    // True while downloads must not start (closing, no connection).
    std::function<bool()> Refuse;
    // Progress: expected size or -1, bytes so far, end.
    std::function<void(std::int64_t)> OnBegin, OnWork;
    std::function<void()> OnEnd;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

enum class TVersionReply { Yes, No, TimedOut };
struct TVersionAnswer {
    TVersionReply Reply = TVersionReply::No;
    bool DontAsk = false;
};

// The new-version question in the message dialog. Its automatic close is told
// apart from the first button, so nobody installs by walking away.
TVersionAnswer AskVersionDialog(QWidget *owner, const TMsgRequest &request);

// What the main window lends the update check.
struct TUpdateHost {
    TIniSettings *Settings = nullptr;
    std::function<bool()> Closing;          // the window's closing flag
    std::function<bool()> ConnectionTest;   // the service's test; also colours the indicator
    std::function<std::string()> Location;  // the active service's Location
    std::function<std::string()> Language;  // the code on the language indicator ("ENU")
    std::function<TSplashScreen *()> Splash;             // null once it has gone
    std::function<int(const std::string &)> OpenLink;    // shell result, > 32 on success
    std::function<void()> CloseProgram;     // set the closing flag and close the window
    QWidget *Owner = nullptr;               // parent of the dialogs
};

class TUpdateCheck {
public:
    explicit TUpdateCheck(TUpdateHost host);

    // [Options] URL, ending in '/'.
    std::string UpdateAddress() const;
    // The identity of the window's downloads; the promotion sends the plain file version.
    std::string UserAgent() const;
    std::string PromotionUserAgent() const;
    std::string UserName() const;

    // At the end of every current-conditions view refresh.
    void DailyUpdateCheck();
    void CheckForUpdate(bool silent);
    // The setup dialog's Update Now: updates wanted again, then a visible check.
    void UpdateNow();

    // 0 at start; the setup dialog moves it a day back after a service or location change.
    TDateTime LastCheck = 0;
    const TUpdateNotice &Notice() const { return notice_; }
    TWindowDownloads &Downloads() { return downloads_; }

    // The new-version question; AskVersionDialog unless replaced (tests).
    std::function<TVersionAnswer(const TMsgRequest &)> AskVersion;

private:
    void offerNewVersion();
    void showPromotion();
    void messageNotice();
    TSplashScreen *splash() const;

    TUpdateHost host_;
    TWindowDownloads downloads_;
    TUpdateNotice notice_;
};
