#include "mainwindow/UpdateCheck.h"

#include <curl/curl.h>

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "app/IniSettings.h"
#include "app/SettingsStartup.h"
#include "app/Startup.h"
#include "dialogs/MsgUnit.h"
#include "dialogs/Splash.h"
#include "mainwindow/IconLibrary.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "service/HttpClient.h"
#include "service/Servers.h"

namespace {

// The installer is the largest thing these downloads fetch.
constexpr std::int64_t kMaxWindowDownload = 128ll * 1024 * 1024;

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Sink {
    TWindowDownloads *owner = nullptr;
    const std::function<void(std::int64_t)> *onBegin = nullptr, *onWork = nullptr;
    CURL *curl = nullptr;
    std::FILE *file = nullptr;
    std::string *memory = nullptr;
    std::int64_t bytes = 0;
    bool begun = false, failed = false;

    void begin() {
        if (begun) return;
        begun = true;
        curl_off_t len = -1;
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &len);
        if (onBegin && *onBegin) (*onBegin)(len);
    }
};

size_t onBody(char *data, size_t size, size_t n, void *user) {
    auto *s = static_cast<Sink *>(user);
    const size_t len = size * n;
    s->begin();
    if (s->bytes + static_cast<std::int64_t>(len) > kMaxWindowDownload) {
        s->failed = true;
        return 0;
    }
    if (s->file && std::fwrite(data, 1, len, s->file) != len) {
        s->failed = true;
        return 0;
    }
    if (s->memory) s->memory->append(data, len);
    s->bytes += static_cast<std::int64_t>(len);
    if (s->onWork && *s->onWork) (*s->onWork)(s->bytes);
    return len;
}

int onProgress(void *, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    RunTransferPump();
    return 0;
}

}  // namespace

struct TWindowDownloads::Impl {
    CURLSH *cookies = nullptr;

    Impl() {
        initCurl();
        cookies = curl_share_init();
        if (cookies) curl_share_setopt(cookies, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
    ~Impl() {
        if (cookies) curl_share_cleanup(cookies);
    }

    bool get(TWindowDownloads &w, const std::string &url, const std::string &userName, const std::string &agent,
             Sink &sink) {
        CURL *c = curl_easy_init();
        if (!c) return false;
        sink.curl = c;
        sink.onBegin = &w.OnBegin;
        sink.onWork = &w.OnWork;
        curl_easy_setopt(c, CURLOPT_URL, url.c_str());
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
#if LIBCURL_VERSION_NUM >= 0x075500
        // A notice line names the promotion's address: web addresses only.
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#endif
        curl_easy_setopt(c, CURLOPT_USERAGENT, agent.c_str());
        curl_easy_setopt(c, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(c, CURLOPT_USERNAME, userName.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, "");
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 8L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, 9000L);
        if (cookies) curl_easy_setopt(c, CURLOPT_SHARE, cookies);
        curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // cookies in memory only
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
        const CURLcode rc = curl_easy_perform(c);
        long status = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        sink.begin();
        if (w.OnEnd) w.OnEnd();
        curl_easy_cleanup(c);
        return rc == CURLE_OK && !sink.failed && status >= 200 && status <= 202;
    }
};

TWindowDownloads::TWindowDownloads() : d_(std::make_unique<Impl>()) {}
TWindowDownloads::~TWindowDownloads() = default;

bool TWindowDownloads::ToFile(const std::string &url, const std::string &subFolder, const std::string &userName,
                              const std::string &userAgent, const std::string &fileName) {
    if (Refuse && Refuse()) return false;
    const std::string name = SafeFileName(fileName);
    if (name.empty()) return false;
    const std::string folder = ProfilePath() + NativePath(subFolder);
    if (!ForceDirectories(folder)) return false;
    const std::string target = folder + name;
    std::string tmpl = target + ".XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    std::FILE *f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return false;
    }
    Sink sink;
    sink.file = f;
    bool ok = d_->get(*this, url, userName, userAgent, sink);
    ok = std::fclose(f) == 0 && ok;
    if (ok && sink.bytes > 0) {
        ::chmod(tmpl.c_str(), 0644);
        if (std::rename(tmpl.c_str(), target.c_str()) == 0) return true;
        ok = false;
    }
    ::unlink(tmpl.c_str());
    // An empty success still counts, but leaves no file behind.
    if (ok) ::unlink(target.c_str());
    return ok;
}

bool TWindowDownloads::ToMemory(const std::string &url, const std::string &userName, const std::string &userAgent,
                                std::string &buffer) {
    std::string body;
    Sink sink;
    sink.memory = &body;
    if (!d_->get(*this, url, userName, userAgent, sink)) return false;
    buffer = std::move(body);
    return true;
}

TVersionAnswer AskVersionDialog(QWidget *owner, const TMsgRequest &request) {
    TMsgDialog dlg(owner);
    dlg.Prepare(request.Message, request.Detail, request.ShowAsk, request.Icon,
                Art::ProgramPicture(QStringLiteral("DOWNLOAD00.PNG")), request.Button2, request.Button1,
                request.Caption);
    // The dialog's time-out would press the first button, which here means "install".
    bool timedOut = false;
    QObject::disconnect(dlg.Timer, nullptr, nullptr, nullptr);
    QObject::connect(dlg.Timer, &QTimer::timeout, &dlg, [&dlg, &timedOut] {
        timedOut = true;
        dlg.done(2);
    });
    const int result = dlg.Run();
    TVersionAnswer a;
    a.DontAsk = dlg.AskChecked();
    a.Reply = timedOut ? TVersionReply::TimedOut : result == 1 ? TVersionReply::Yes : TVersionReply::No;
    return a;
}

TUpdateCheck::TUpdateCheck(TUpdateHost host) : host_(std::move(host)) {
    downloads_.Refuse = [this] {
        if (host_.Closing && host_.Closing()) return true;
        return host_.ConnectionTest && !host_.ConnectionTest();
    };
}

std::string TUpdateCheck::UpdateAddress() const {
    std::string url = host_.Settings ? host_.Settings->ReadString("Options", "URL", DefaultUpdateUrl())
                                     : DefaultUpdateUrl();
    return url;
}

std::string TUpdateCheck::UserAgent() const {
    const std::string language = host_.Language ? host_.Language() : std::string("ENU");
    return UpdateUserAgent(WindowDownloadVersion(ProgramFileVersion(), BuildLetter(), language));
}

std::string TUpdateCheck::PromotionUserAgent() const { return UpdateUserAgent(ProgramFileVersion()); }

std::string TUpdateCheck::UserName() const { return UpdateUserName(host_.Location ? host_.Location() : ""); }

TSplashScreen *TUpdateCheck::splash() const { return host_.Splash ? host_.Splash() : nullptr; }

void TUpdateCheck::DailyUpdateCheck() {
    if (DailyCheckDue(LastCheck, Clock::Now())) CheckForUpdate(true);
}

void TUpdateCheck::UpdateNow() {
    if (host_.Settings) host_.Settings->WriteBool("Options", "Update", true);
    CheckForUpdate(false);
}

void TUpdateCheck::CheckForUpdate(bool silent) {
    if (TSplashScreen *s = splash()) s->StopTimer();
    const std::string profile = ProfilePath();
    if (downloads_.ToFile(UpdateAddress() + kUpdateVersionFile, "", UserName(), UserAgent(), kUpdateVersionFile)) {
        ::unlink((profile + kUpdateInstallerFile).c_str());
        const bool wanted = host_.Settings ? host_.Settings->ReadBool("Options", "Update", true) : true;
        notice_ = ReadUpdateNoticeFile(profile + kUpdateVersionFile, wanted);
        switch (NoticeActionOf(notice_.Action)) {
        case TNoticeAction::NewVersion: offerNewVersion(); break;
        case TNoticeAction::Promotion: showPromotion(); break;
        case TNoticeAction::Message: messageNotice(); break;
        case TNoticeAction::Nothing: break;
        case TNoticeAction::NoUpdate:
            if (!silent) {
                TMsgRequest r;
                r.Message = "The Update could not be obtained... ";
                r.Detail = "There are no updates currently available for this version.";
                r.Icon = miInformation;
                r.Button2 = kBtnHidden;
                r.Caption = kUpdateCaption;
                RequestMessage(r);
            }
            break;
        }
    }
    // The dialogs may have outlived the splash window; ask again.
    if (TSplashScreen *s = splash()) s->Timer->start();
}

void TUpdateCheck::offerNewVersion() {
    TMsgRequest r;
    r.Message = "There is a newer version available. ";
    r.Detail = "Would you like to download it?\n\nThe latest release can also be downloaded from " +
               UpdateAddress() + " at any time.";
    r.Icon = miPlain;
    r.Button1 = "Yes";
    r.Button2 = "No Thanks!";
    r.Caption = kUpdateCaption;
    r.ShowAsk = true;
    const TVersionAnswer a = AskVersion ? AskVersion(r) : AskVersionDialog(host_.Owner, r);
    if (a.Reply != TVersionReply::Yes) {
        if (host_.Settings) host_.Settings->WriteBool("Options", "Update", !a.DontAsk);
        return;
    }
    TMsgRequest e;
    e.Button2 = kBtnHidden;
    e.Caption = kUpdateCaption;
    if (downloads_.ToFile(UpdateAddress() + kUpdateInstallerFile, "", UserName(), UserAgent(),
                          kUpdateInstallerFile)) {
        const std::string path = ProfilePath() + kUpdateInstallerFile;
        const int rc = host_.OpenLink ? host_.OpenLink(path) : (ShellOpen(path) ? 33 : 2);
        if (rc > 32) {
            if (host_.CloseProgram) host_.CloseProgram();
            return;
        }
        e.Message = "An error ocurred while attempting to run the Update..";
        e.Detail = std::string("The program did not execute properly ") + ": " + path;
        e.Icon = miCaution;
    } else {
        e.Message = "The Update could not be obtained... ";
        e.Detail = "You can try restarting the application or entering setup and updating from the Options Tab.";
        e.Icon = miInformation;
    }
    RequestMessage(e);
}

void TUpdateCheck::showPromotion() {
    TSplashScreen *s = splash();
    if (!s || notice_.Line2.empty()) return;
    if (!downloads_.ToFile(notice_.Line2, "", UserName(), PromotionUserAgent(), kUpdatePromoFile)) return;
    QPixmap picture(QString::fromStdString(ProfilePath() + kUpdatePromoFile));
    s = splash();  // the download pumped messages
    if (!s || picture.isNull()) return;
    std::string caption, target;
    SplitPromotionLink(notice_.Line3, caption, target);
    s->Ad->setPixmap(picture);
    s->Ad->show();
    s->PromoLink->setText(QString::fromStdString(caption));
    s->PromoTarget = QString::fromStdString(target);
    s->PromoLink->show();
    s->CloseInterval = 24000;
    s->Timer->setInterval(24000);
}

void TUpdateCheck::messageNotice() {
    if (notice_.Action != 21) return;
    std::string body;
    if (!downloads_.ToMemory(UpdateAddress() + kUpdateMessageFile, UserName(), UserAgent(), body)) return;
    const TMessageNotice m = ReadMessageNotice(body);
    if (!m.Show) return;
    TMsgRequest r;
    r.Message = m.Text;
    r.Caption = m.Caption;
    r.Icon = miInformation;
    r.Button2 = kBtnHidden;
    RequestMessage(r);
}
