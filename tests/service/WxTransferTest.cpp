#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>

#include "app/IniSettings.h"
#include "dialogs/MsgHook.h"
#include "platform/Paths.h"
#include "service/HttpClient.h"
#include "support/TestSupport.h"
#include "TestService.h"

namespace fs = std::filesystem;

namespace {
const std::string kGif = std::string("GIF89a") + std::string(20, '\x01');

// A service with a location, connected to a local server, logging what it reports.
struct WxTransfer : ::testing::Test {
    TempProfile profile;
    LocalHttpServer http;
    TIniSettings ini;
    std::unique_ptr<TTestWxService> svc;
    std::vector<std::string> ok, failed;
    std::atomic<int> hits{0};

    void SetUp() override {
        ini.SetStrings({"[Service0]", "Name=Test", "Location=KSEA"});
        svc = CreateWxService<TTestWxService>(nullptr, 0, &ini);
        svc->OnConnectSuccess = [this](const std::string &cap, const std::string &m) {
            EXPECT_EQ(cap, "Connect Success!");
            ok.push_back(m);
        };
        svc->OnConnectFailure = [this](const std::string &cap, const std::string &m) {
            EXPECT_EQ(cap, "Connect Failure");
            failed.push_back(m);
        };
        http.Server().set_pre_routing_handler([this](const httplib::Request &, httplib::Response &) {
            ++hits;
            return httplib::Server::HandlerResponse::Unhandled;
        });
    }
    void TearDown() override {
        svc.reset();
        SetProgramPath("");
        ClearMsgQueue();
        ClearMsgHistory();
    }
    void start() {
        http.Start();
        svc->SetConnected(true);
    }
    std::string cache(const std::string &name) { return profile.Profile() + "Cache/" + name; }
};
}  // namespace

TEST_F(WxTransfer, StatusDecidesResultAndWhatStaysInTheCache) {
    http.Server().Get("/ok.xml", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("<a/>", "text/xml");
    });
    http.Server().Get("/203.xml", [](const httplib::Request &, httplib::Response &r) {
        r.status = 203;
        r.set_content("<partial/>", "text/xml");
    });
    http.Server().Get("/empty.xml", [](const httplib::Request &, httplib::Response &r) { r.set_content("", "text/xml"); });
    http.Server().Get("/404.xml", [](const httplib::Request &, httplib::Response &r) {
        r.status = 404;
        r.set_content("<html>not here</html>", "text/html");
    });
    start();

    EXPECT_TRUE(svc->DownloadToFile(http.Url("/ok.xml"), "Cache\\", "ok.xml"));
    EXPECT_EQ(ReadFile(cache("ok.xml")), "<a/>");

    EXPECT_FALSE(svc->DownloadToFile(http.Url("/203.xml"), "Cache\\", "203.xml"));
    EXPECT_EQ(ReadFile(cache("203.xml")), "<partial/>");
    ASSERT_EQ(ok.size(), 2u);
    EXPECT_EQ(ok[1], http.Url("/203.xml") + " : HTTP/1.1 203 Non-Authoritative Information");

    EXPECT_FALSE(svc->DownloadToFile(http.Url("/empty.xml"), "Cache\\", "empty.xml"));
    EXPECT_FALSE(FileExists(cache("empty.xml")));

    EXPECT_FALSE(svc->DownloadToFile(http.Url("/404.xml"), "Cache\\", "404.xml"));
    EXPECT_FALSE(FileExists(cache("404.xml")));
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0], http.Url("/404.xml") + " : HTTP/1.1 404 Not Found");
    // No temporary files are left behind.
    int files = 0;
    for (auto &e : fs::directory_iterator(cache(""))) files += e.is_regular_file();
    EXPECT_EQ(files, 2);
}

TEST_F(WxTransfer, RefusedWithoutConnectionOrLocation) {
    http.Server().Get("/ok.xml", [](const httplib::Request &, httplib::Response &r) { r.set_content("x", "text/plain"); });
    http.Start();
    EXPECT_FALSE(svc->DownloadToFile(http.Url("/ok.xml"), "Cache\\", "ok.xml"));  // not connected
    std::vector<std::string> form{"a=1"};
    EXPECT_FALSE(svc->PostForm(http.Url("/ok.xml"), form));
    svc->SetConnected(true);
    ini.WriteString("Service0", "Location", "");
    EXPECT_FALSE(svc->DownloadToFile(http.Url("/ok.xml"), "Cache\\", "ok.xml"));
    EXPECT_EQ(hits.load(), 0);
    EXPECT_FALSE(FileExists(cache("ok.xml")));
}

TEST_F(WxTransfer, FailedOrCutOffTransfersKeepTheOldFile) {
    http.Server().Get("/cut.xml", [](const httplib::Request &, httplib::Response &r) {
        r.set_content_provider(100000, "text/xml", [](size_t offset, size_t, httplib::DataSink &sink) {
            if (offset > 0) return false;  // drop the connection half way
            std::string part(50000, 'x');
            sink.write(part.data(), part.size());
            return true;
        });
    });
    http.Server().Get("/500.xml", [](const httplib::Request &, httplib::Response &r) {
        r.status = 500;
        r.set_content("oops", "text/plain");
    });
    http.Server().Get("/big.xml", [](const httplib::Request &, httplib::Response &r) {
        r.set_content(std::string(5000, 'y'), "text/xml");
    });
    start();
    for (const char *path : {"/cut.xml", "/500.xml"}) {
        WriteFile(cache("NWSCurrent.xml"), "<good/>");
        EXPECT_FALSE(svc->DownloadToFile(http.Url(path), "Cache\\", "NWSCurrent.xml")) << path;
        EXPECT_EQ(ReadFile(cache("NWSCurrent.xml")), "<good/>") << path;
    }
    EXPECT_EQ(failed.size(), 2u);

    // Replies over the cap are refused the same way.
    THttpOptions small;
    small.MaxBytes = 1000;
    THttpResult r = HttpGetToFile(http.Url("/big.xml"), cache("NWSCurrent.xml"), small);
    EXPECT_FALSE(r.Completed);
    EXPECT_EQ(ReadFile(cache("NWSCurrent.xml")), "<good/>");
}

TEST_F(WxTransfer, EightRedirectsAreFollowedNineAreNot) {
    http.Server().Get(R"(/hop/(\d+))", [](const httplib::Request &q, httplib::Response &r) {
        int n = std::stoi(q.matches[1]);
        if (n == 0) r.set_content("<end/>", "text/xml");
        else r.set_redirect("/hop/" + std::to_string(n - 1));
    });
    http.Server().Get("/agent", [](const httplib::Request &q, httplib::Response &r) {
        r.set_content(q.get_header_value("User-Agent"), "text/plain");
    });
    start();
    EXPECT_TRUE(svc->DownloadToFile(http.Url("/hop/8"), "Cache\\", "r8.xml"));
    EXPECT_EQ(ReadFile(cache("r8.xml")), "<end/>");
    EXPECT_FALSE(svc->DownloadToFile(http.Url("/hop/9"), "Cache\\", "r9.xml"));
    EXPECT_FALSE(FileExists(cache("r9.xml")));
    EXPECT_EQ(failed.size(), 1u);

    std::vector<std::string> lines;
    svc->SetAllowTemp(true);
    EXPECT_TRUE(svc->DownloadToList(http.Url("/agent"), "agent.txt", lines));
    EXPECT_EQ(lines, std::vector<std::string>{"Mozilla/4.0 (compatible, Orv WxAgent:2.0)"});
    EXPECT_TRUE(FileExists(cache("agent.txt")));  // kept with AllowTemp
    svc->SetAllowTemp(false);
    EXPECT_TRUE(svc->DownloadToList(http.Url("/agent"), "agent.txt", lines));
    EXPECT_FALSE(FileExists(cache("agent.txt")));
}

TEST_F(WxTransfer, ServerFileNamesStayInsideTheirFolder) {
    http.Server().Get("/x.gif", [](const httplib::Request &, httplib::Response &r) { r.set_content(kGif, "image/gif"); });
    start();
    EXPECT_TRUE(svc->DownloadToFile(http.Url("/x.gif"), "Cache\\", "../x.gif"));
    EXPECT_TRUE(FileExists(cache("x.gif")));
    EXPECT_FALSE(FileExists(profile.Profile() + "x.gif"));
    EXPECT_FALSE(svc->DownloadToFile(http.Url("/x.gif"), "Cache\\..\\..\\", "x.gif"));
    EXPECT_FALSE(svc->DownloadToFile(http.Url("/x.gif"), "Cache\\", ".."));

    std::string path;
    EXPECT_FALSE(svc->LoadPicture(http.Url("/"), "..\\..\\x.gif", path));
    EXPECT_TRUE(svc->LoadPicture(http.Url("/"), "../x.gif", path));
    EXPECT_EQ(path, profile.Profile() + "Images/Test/x.gif");
}

TEST_F(WxTransfer, PumpRunsDuringALargeTransfer) {
    http.Server().Get("/big.gif", [](const httplib::Request &, httplib::Response &r) {
        r.set_content(std::string(2 * 1024 * 1024, 'z'), "image/gif");
    });
    start();
    int pumped = 0;
    int64_t lastWork = 0, expected = 0;
    int ends = 0;
    auto old = SetTransferPump([&] { ++pumped; });
    svc->OnWorkBegin = [&](TCustomWxService &, TWorkMode, int64_t n) { expected = n; };
    svc->OnWork = [&](TCustomWxService &, TWorkMode, int64_t n) { lastWork = n; };
    svc->OnWorkEnd = [&](TCustomWxService &, TWorkMode) { ++ends; };
    EXPECT_TRUE(svc->DownloadToFile(http.Url("/big.gif"), "Cache\\", "big.gif"));
    SetTransferPump(old);
    EXPECT_GT(pumped, 0);
    EXPECT_EQ(expected, 2 * 1024 * 1024);
    EXPECT_EQ(lastWork, 2 * 1024 * 1024);
    EXPECT_EQ(ends, 1);
}

TEST_F(WxTransfer, ConnectionTestHostRules) {
    start();
    svc->SetConnected(true);
    EXPECT_FALSE(svc->TestConnection("nohost"));
    EXPECT_FALSE(svc->Connected());
    EXPECT_TRUE(ok.empty());
    EXPECT_TRUE(failed.empty());

    svc->SetConnected(true);
    EXPECT_FALSE(svc->TestConnection(""));
    EXPECT_TRUE(svc->Connected());  // an empty address leaves it as it was

    EXPECT_TRUE(svc->TestConnection(http.Url("/")));
    EXPECT_TRUE(svc->Connected());
    ASSERT_EQ(ok.size(), 1u);
    EXPECT_EQ(ok[0], http.Url("/") + ": good");

    // A port nobody listens on: reported as a failure.
    LocalHttpServer closed;
    closed.Start();
    std::string url = closed.Url("/");
    closed.Stop();
    EXPECT_FALSE(svc->TestConnection(url));
    EXPECT_FALSE(svc->Connected());
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0], url + ": fail");
}

TEST_F(WxTransfer, HeadLengthAndPostForm) {
    http.Server().Get("/img.gif", [](const httplib::Request &, httplib::Response &r) { r.set_content(kGif, "image/gif"); });
    http.Server().Post("/form", [](const httplib::Request &q, httplib::Response &r) {
        r.set_content(q.get_header_value("Content-Type") + "\n" + q.body + "\r\nline 3", "text/html");
    });
    start();
    for (const char *u : {"/img.gif?x=1", "/data/current_obs/KSEA.xml", "/SOAP_server/a.php"})
        EXPECT_EQ(svc->HeadLength(http.Url(u)), -1) << u;
    EXPECT_EQ(svc->HeadLength(""), -1);
    EXPECT_EQ(hits.load(), 0);
    EXPECT_EQ(svc->HeadLength(http.Url("/img.gif")), static_cast<int64_t>(kGif.size()));
    EXPECT_EQ(svc->HeadText(), std::vector<std::string>{"HTTP/1.1 200 OK"});
    EXPECT_FALSE(svc->RemoteFileExists(http.Url("/none.gif")));
    EXPECT_EQ(failed.size(), 1u);

    std::vector<std::string> form{"FFX=1", "place=State College, PA", "xxy=2024"};
    ASSERT_TRUE(svc->PostForm(http.Url("/form"), form));
    EXPECT_EQ(form, (std::vector<std::string>{"application/x-www-form-urlencoded",
                                              "FFX=1&place=State+College%2C+PA&xxy=2024", "line 3"}));
}

TEST_F(WxTransfer, LoadPicturePrefersLocalCopies) {
    http.Server().Get(R"(/icons/(.*))", [](const httplib::Request &, httplib::Response &r) {
        r.set_content(kGif, "image/gif");
    });
    start();
    std::string app = profile.Root() + "app/";
    SetProgramPath(app);
    WriteFile(app + "Images/Test/PNG/07.png", "\x89PNG\r\n\x1a\n....");
    WriteFile(profile.Profile() + "Images/Test/sct.gif", kGif);

    std::string path;
    EXPECT_TRUE(svc->LoadPicture(http.Url("/icons/"), "PNG\\07.png", path));
    EXPECT_EQ(path, app + "Images/Test/PNG/07.png");
    EXPECT_TRUE(svc->LoadPicture(http.Url("/icons/"), "sct.gif", path));
    EXPECT_EQ(path, profile.Profile() + "Images/Test/sct.gif");
    EXPECT_EQ(hits.load(), 0);

    EXPECT_TRUE(svc->LoadPicture(http.Url("/icons/"), "ra.gif", path));
    EXPECT_EQ(path, profile.Profile() + "Images/Test/ra.gif");
    EXPECT_EQ(hits.load(), 1);
    EXPECT_TRUE(svc->LoadPicture(http.Url("/icons/"), "ra.gif", path));  // reused, not fetched again
    EXPECT_EQ(hits.load(), 1);
    EXPECT_TRUE(MsgHistory().empty());
}

TEST_F(WxTransfer, DamagedPictureIsReportedRemovedAndReplacedByThePlaceholder) {
    start();  // nothing to download: the server answers 404
    std::string app = profile.Root() + "app/";
    SetProgramPath(app);
    WriteFile(app + "Images/Test/na.jpg", "\xFF\xD8\xFF\xE0 jpeg");
    WriteFile(profile.Profile() + "Images/Test/bad.png", "<html>error</html>");
    QueueMsgAnswer(1);
    std::string path;
    EXPECT_FALSE(svc->LoadPicture(http.Url("/"), "bad.png", path));
    EXPECT_EQ(path, app + "Images/Test/na.jpg");
    ASSERT_EQ(MsgHistory().size(), 1u);
    EXPECT_EQ(MsgHistory()[0].Message, "An error occured loading an Image.");
    EXPECT_EQ(MsgHistory()[0].Caption, "Get Graphic Error");
    EXPECT_EQ(MsgHistory()[0].Icon, miStop);
    EXPECT_FALSE(FileExists(profile.Profile() + "Images/Test/bad.png"));

    EXPECT_FALSE(svc->LoadPicture(http.Url("/"), "gone.png", path));  // download fails: placeholder, no message
    EXPECT_EQ(path, app + "Images/Test/na.jpg");
    EXPECT_EQ(MsgHistory().size(), 1u);
}

TEST_F(WxTransfer, ClearCacheKeepsTheStationListAndFolders) {
    WriteFile(cache("NWSCurrent.xml"), "a");
    WriteFile(cache("NWSStations.xml"), "b");
    WriteFile(cache("Images/FTG_Thumb.gif"), "c");
    svc->SetAllowTemp(true);
    svc->ClearCache();
    EXPECT_TRUE(FileExists(cache("NWSCurrent.xml")));
    svc->SetAllowTemp(false);
    svc.reset();  // the service clears its cache as it goes
    EXPECT_FALSE(FileExists(cache("NWSCurrent.xml")));
    EXPECT_TRUE(FileExists(cache("NWSStations.xml")));
    EXPECT_TRUE(FileExists(cache("Images/FTG_Thumb.gif")));
}
