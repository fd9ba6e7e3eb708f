#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <map>
#include <mutex>

#include "app/IniSettings.h"
#include "dialogs/MsgHook.h"
#include "dialogs/MsgUnit.h"
#include "dialogs/Splash.h"
#include "mainwindow/UpdateCheck.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

std::string demoFile(const std::string &name) {
    return ReadFile(std::string(TOLVU_SOURCE_DIR) + "/data/demo/update/" + name);
}

// An update server answering from the demo folder unless a test replaces a file.
struct UpdateCheckTest : ::testing::Test {
    TempProfile profile;
    LocalHttpServer http;
    TIniSettings ini;
    std::mutex lock;
    std::map<std::string, std::pair<int, std::string>> files;  // name -> status, body
    std::vector<std::string> requests;
    std::vector<httplib::Headers> headers;
    bool connected = true, closing = false;
    std::vector<std::string> opened;
    int openResult = 42;
    int closed = 0;
    std::unique_ptr<TUpdateCheck> check;
    TSplashScreen *splashWindow = nullptr;

    void SetUp() override {
        ClearMsgQueue();
        ClearMsgHistory();
        http.Server().Get(R"(/upd/(.*))", [this](const httplib::Request &rq, httplib::Response &r) {
            std::lock_guard<std::mutex> g(lock);
            const std::string name = rq.matches[1];
            requests.push_back(name);
            headers.push_back(rq.headers);
            if (name == "Version.txt") r.set_header("Set-Cookie", "visit=1; Path=/");
            auto it = files.find(name);
            if (it != files.end()) {
                r.status = it->second.first;
                r.set_content(it->second.second, "application/octet-stream");
                return;
            }
            const std::string body = demoFile(name);
            if (body.empty()) r.status = 404;
            else r.set_content(body, "application/octet-stream");
        });
        http.Start();
        ini.SetStrings({"[Options]", "URL=" + http.Url("/upd/"), "Update=1"});
        TUpdateHost host;
        host.Settings = &ini;
        host.Closing = [this] { return closing; };
        host.ConnectionTest = [this] { return connected; };
        host.Location = [] { return std::string("KDCA"); };
        host.Language = [] { return std::string("ENU"); };
        host.Splash = [this] { return splashWindow; };
        host.OpenLink = [this](const std::string &t) {
            opened.push_back(t);
            return openResult;
        };
        host.CloseProgram = [this] { ++closed; };
        check = std::make_unique<TUpdateCheck>(host);
    }
    void TearDown() override {
        ClearMsgQueue();
        ClearMsgHistory();
        MsgDialogSettings() = TMsgDialogSettings();
    }
    void serve(const std::string &name, const std::string &body, int status = 200) {
        std::lock_guard<std::mutex> g(lock);
        files[name] = {status, body};
    }
    int requested(const std::string &name) {
        std::lock_guard<std::mutex> g(lock);
        return static_cast<int>(std::count(requests.begin(), requests.end(), name));
    }
    // Answers the version question and counts how often it came.
    int asked = 0;
    void answer(TVersionReply reply, bool dontAsk) {
        check->AskVersion = [this, reply, dontAsk](const TMsgRequest &r) {
            ++asked;
            EXPECT_EQ(r.Message, "There is a newer version available. ");
            EXPECT_EQ(r.Button1, "Yes");
            EXPECT_EQ(r.Button2, "No Thanks!");
            EXPECT_TRUE(r.ShowAsk);
            return TVersionAnswer{reply, dontAsk};
        };
    }
    std::string lastMessage() const { return MsgHistory().empty() ? std::string() : MsgHistory().back().Message; }
};

}  // namespace

TEST_F(UpdateCheckTest, DownloadsCarryTheWindowsIdentityAndCookies) {
    serve("Version.txt", "1.0.0.50 quiet\r\n");
    check->CheckForUpdate(true);
    check->CheckForUpdate(true);
    ASSERT_EQ(requested("Version.txt"), 2);
    const httplib::Headers &h = headers.back();
    auto value = [&h](const char *key) {
        auto it = h.find(key);
        return it == h.end() ? std::string() : it->second;
    };
    EXPECT_EQ(value("User-Agent").rfind("Mozilla/3.0 (compatible; Tolvu:", 0), 0u) << value("User-Agent");
    EXPECT_NE(value("User-Agent").find("-ENU)"), std::string::npos) << value("User-Agent");
    // Basic authentication with "Tolvu&KDCA" and no password.
    EXPECT_EQ(value("Authorization"), "Basic " + QByteArray("Tolvu&KDCA:").toBase64().toStdString());
    EXPECT_NE(value("Cookie").find("visit=1"), std::string::npos);
    EXPECT_TRUE(FileExists(profile.Profile() + "Version.txt"));
}

TEST_F(UpdateCheckTest, RefusedWithoutConnectionOrWhileClosing) {
    connected = false;
    check->CheckForUpdate(false);
    connected = true;
    closing = true;
    check->CheckForUpdate(false);
    EXPECT_EQ(requested("Version.txt"), 0);
    EXPECT_TRUE(MsgHistory().empty());
}

TEST_F(UpdateCheckTest, EmptySuccessLeavesNoFile) {
    serve("Promo.png", "");
    EXPECT_TRUE(check->Downloads().ToFile(http.Url("/upd/Promo.png"), "", "u&x", "agent", "Promo.png"));
    EXPECT_FALSE(FileExists(profile.Profile() + "Promo.png"));
    serve("Promo.png", "<html>gone</html>", 404);
    EXPECT_FALSE(check->Downloads().ToFile(http.Url("/upd/Promo.png"), "", "u&x", "agent", "Promo.png"));
    EXPECT_FALSE(FileExists(profile.Profile() + "Promo.png"));
}

TEST_F(UpdateCheckTest, NewVersionNoticeFollowsTheUpdateSetting) {
    serve("Version.txt", "1.0.0.1 word\r\n");
    answer(TVersionReply::No, false);
    ini.WriteBool("Options", "Update", false);
    check->CheckForUpdate(false);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(check->Notice().Action, 0);
    ini.WriteBool("Options", "Update", true);
    check->CheckForUpdate(false);
    EXPECT_EQ(asked, 1);
}

TEST_F(UpdateCheckTest, NoThanksStoresTheDontAskBox) {
    serve("Version.txt", "1.0.0.1 word\r\n");
    for (bool dontAsk : {true, false}) {
        ini.WriteBool("Options", "Update", true);
        answer(TVersionReply::No, dontAsk);
        check->CheckForUpdate(true);
        EXPECT_EQ(ini.ReadBool("Options", "Update", !dontAsk), !dontAsk) << dontAsk;
    }
    EXPECT_EQ(requested("Update.exe"), 0);
    EXPECT_TRUE(opened.empty());
}

TEST_F(UpdateCheckTest, YesFetchesAndStartsTheInstaller) {
    serve("Version.txt", "1.0.0.1 word\r\n");
    serve("Update.exe", "#!/bin/sh\necho installing\n");
    answer(TVersionReply::Yes, false);
    check->CheckForUpdate(true);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], profile.Profile() + "Update.exe");
    EXPECT_EQ(ReadFile(opened[0]), "#!/bin/sh\necho installing\n");
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(MsgHistory().empty());

    // The shell could not run it.
    openResult = 2;
    check->CheckForUpdate(true);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(lastMessage(), "An error ocurred while attempting to run the Update..");
    EXPECT_EQ(MsgHistory().back().Detail, "The program did not execute properly : " + profile.Profile() + "Update.exe");
    EXPECT_EQ(MsgHistory().back().Icon, miCaution);

    // No installer on the server.
    serve("Update.exe", "", 404);
    opened.clear();
    check->CheckForUpdate(true);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(lastMessage(), "The Update could not be obtained... ");
    EXPECT_EQ(MsgHistory().back().Caption, "Version Update ");
}

TEST_F(UpdateCheckTest, UnansweredOfferNeverInstalls) {
    serve("Version.txt", "1.0.0.1 word\r\n");
    serve("Update.exe", "binary");
    MsgDialogSettings().AutoCloseInterval = 30;
    MsgDialogSettings().PlaySounds = false;
    check->CheckForUpdate(true);  // the real dialog, closed by its timer
    EXPECT_EQ(requested("Update.exe"), 0);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(closed, 0);
    EXPECT_TRUE(ini.ReadBool("Options", "Update", false));
}

TEST_F(UpdateCheckTest, RealDialogButtons) {
    serve("Version.txt", "1.0.0.1 word\r\n");
    serve("Update.exe", "binary");
    MsgDialogSettings().AutoClose = false;
    MsgDialogSettings().PlaySounds = false;
    auto press = [](bool yes, bool dontAsk) {
        QTimer::singleShot(20, [yes, dontAsk] {
            auto *dlg = qobject_cast<TMsgDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            EXPECT_EQ(dlg->Button2->text(), "No Thanks!");
            dlg->cbAsk->setChecked(dontAsk);
            (yes ? dlg->Button1 : dlg->Button2)->click();
        });
    };
    press(false, true);
    check->CheckForUpdate(true);
    EXPECT_FALSE(ini.ReadBool("Options", "Update", true));
    EXPECT_TRUE(opened.empty());

    press(true, false);
    check->UpdateNow();  // wants updates again, then asks
    EXPECT_TRUE(ini.ReadBool("Options", "Update", false));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(UpdateCheckTest, UnknownCodeOnlyTellsAVisibleCheck) {
    serve("Version.txt", "1.0.0.1 word. more\r\n");
    WriteFile(profile.Profile() + "Update.exe", "old installer");
    check->CheckForUpdate(true);
    EXPECT_TRUE(MsgHistory().empty());
    EXPECT_FALSE(FileExists(profile.Profile() + "Update.exe"));  // gone at every successful check
    check->CheckForUpdate(false);
    ASSERT_EQ(MsgHistory().size(), 1u);
    EXPECT_EQ(lastMessage(), "The Update could not be obtained... ");
    EXPECT_EQ(MsgHistory().back().Detail, "There are no updates currently available for this version.");
    EXPECT_EQ(MsgHistory().back().Button2, "btnHidden");

    // A server error shows nothing, even to a visible check.
    ClearMsgHistory();
    serve("Version.txt", "oops", 500);
    check->CheckForUpdate(false);
    EXPECT_TRUE(MsgHistory().empty());
}

TEST_F(UpdateCheckTest, MessageOfTheDayFromTheDemoServer) {
    check->CheckForUpdate(true);  // the demo notice asks for Message.txt
    EXPECT_EQ(check->Notice().Action, 21);
    ASSERT_EQ(MsgHistory().size(), 1u);
    EXPECT_EQ(MsgHistory()[0].Caption, "Tolvu News");
    EXPECT_EQ(MsgHistory()[0].Message.rfind("The demo update server is running", 0), 0u);
    EXPECT_EQ(MsgHistory()[0].Icon, miInformation);
}

TEST_F(UpdateCheckTest, PromotionOnTheSplashWindow) {
    serve("Version.txt", "1.0.0.10 promotion\r\n" + http.Url("/upd/Promo.png") + "\r\nNew radar=http://example.invalid/radar\r\n");
    check->CheckForUpdate(true);  // no splash window: nothing fetched
    EXPECT_EQ(requested("Promo.png"), 0);

    TSplashScreen splash;
    splashWindow = &splash;
    check->CheckForUpdate(true);
    EXPECT_EQ(requested("Promo.png"), 1);
    ASSERT_FALSE(splash.Ad->pixmap().isNull());
    EXPECT_EQ(splash.Ad->pixmap().width(), 360);
    EXPECT_EQ(splash.PromoLink->text(), "New radar");
    EXPECT_EQ(splash.PromoTarget, "http://example.invalid/radar");
    EXPECT_FALSE(splash.PromoLink->isHidden());
    EXPECT_EQ(splash.Timer->interval(), 24000);
    EXPECT_TRUE(splash.Timer->isActive());
    // The promotion sends the plain version.
    auto it = headers.back().find("User-Agent");
    ASSERT_NE(it, headers.back().end());
    EXPECT_EQ(it->second.find("-ENU"), std::string::npos) << it->second;
    splashWindow = nullptr;
}

TEST_F(UpdateCheckTest, DailyTrigger) {
    serve("Version.txt", "1.0.0.50 quiet\r\n");
    Clock::Set(EncodeDate(2011, 5, 9) + 0.4);
    check->DailyUpdateCheck();
    check->DailyUpdateCheck();
    Clock::Advance(0.9);
    check->DailyUpdateCheck();
    EXPECT_EQ(requested("Version.txt"), 1);
    Clock::Advance(0.2);
    check->DailyUpdateCheck();
    EXPECT_EQ(requested("Version.txt"), 2);
    Clock::UseSystem();
}
