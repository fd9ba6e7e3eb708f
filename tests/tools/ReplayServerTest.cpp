#include <gtest/gtest.h>

#include "ReplayServer.h"
#include "service/HttpClient.h"
#include "support/TestSupport.h"

namespace {
struct Replay : ::testing::Test {
    TempProfile dir;
    std::unique_ptr<TReplayServer> server;
    void SetUp() override {
        WriteFile(dir.Root() + "docs/routes.txt",
                  "# NWS alerts\n"
                  "GET /cap/md.php?x=MD -> cap/md.cap\n"
                  "GET /cap/md.php -> cap/other.cap text/plain\n"
                  "POST /cgi-bin/aa_pap.pl -> usno.html\n");
        WriteFile(dir.Root() + "docs/cap/md.cap", "<feed>md</feed>");
        WriteFile(dir.Root() + "docs/cap/other.cap", "other");
        WriteFile(dir.Root() + "docs/usno.html", "<pre>Sunrise 6:12</pre>");
        WriteFile(dir.Root() + "docs/data/current_obs/KSEA.xml", "<current_observation/>");
        WriteFile(dir.Root() + "secret.txt", "outside");
        server = std::make_unique<TReplayServer>(dir.Root() + "docs");
        ASSERT_TRUE(server->Start());
    }
    THttpResult get(const std::string &target, std::string &body) {
        body.clear();
        return HttpGet(server->Url(target), body);
    }
    void control(const std::vector<std::string> &fields) {
        std::string body;
        ASSERT_EQ(HttpPostForm(server->Url("/__control"), fields, body).Status, 200) << body;
    }
};
}  // namespace

TEST_F(Replay, RoutesByQueryThenPathThenFile) {
    std::string body;
    EXPECT_EQ(get("/cap/md.php?x=MD", body).Status, 200);
    EXPECT_EQ(body, "<feed>md</feed>");
    EXPECT_EQ(get("/cap/md.php?x=VA", body).Status, 200);
    EXPECT_EQ(body, "other");
    EXPECT_EQ(get("/data/current_obs/KSEA.xml", body).Status, 200);
    EXPECT_EQ(body, "<current_observation/>");
    EXPECT_EQ(get("/data/current_obs/KBOS.xml", body).Status, 404);
    EXPECT_EQ(get("/../secret.txt", body).Status, 404);
    EXPECT_EQ(get("/%2e%2e/secret.txt", body).Status, 404);

    std::string reply;
    EXPECT_TRUE(HttpPostForm(server->Url("/cgi-bin/aa_pap.pl"), {"FFX=1", "ID=AA"}, reply).Delivered());
    EXPECT_EQ(reply, "<pre>Sunrise 6:12</pre>");
    THttpResult head = HttpHead(server->Url("/cap/md.php?x=MD"));
    EXPECT_EQ(head.Status, 200);
    EXPECT_EQ(head.ContentLength, 15);
    EXPECT_EQ(server->Hits("/cap/md.php"), 3);
}

TEST_F(Replay, ModesSwitchWhileRunning) {
    std::string body;
    control({"mode=status=503", "route=/data/current_obs/KSEA.xml"});
    EXPECT_EQ(get("/data/current_obs/KSEA.xml", body).Status, 503);
    EXPECT_EQ(get("/cap/md.php?x=MD", body).Status, 200);  // other routes unaffected

    control({"mode=html"});
    EXPECT_TRUE(get("/cap/md.php?x=MD", body).Delivered());
    EXPECT_NE(body.find("<html>"), std::string::npos);

    control({"clear=1", "mode=redirects=8"});
    EXPECT_TRUE(get("/cap/md.php?x=MD", body).Delivered());
    EXPECT_EQ(body, "<feed>md</feed>");
    control({"mode=redirects=9"});
    EXPECT_FALSE(get("/cap/md.php?x=MD", body).Completed);

    control({"mode=truncate"});
    EXPECT_FALSE(get("/cap/md.php?x=MD", body).Completed);
    control({"mode=empty"});
    THttpResult r = get("/cap/md.php?x=MD", body);
    EXPECT_EQ(r.Status, 200);
    EXPECT_TRUE(body.empty());

    std::string reply;
    EXPECT_EQ(HttpPostForm(server->Url("/__control"), {"mode=bogus"}, reply).Status, 400);
    TReplayMode m;
    EXPECT_TRUE(ParseReplayMode("status=500, delay=20 stall", m));
    EXPECT_EQ(m.Status, 500);
    EXPECT_EQ(m.DelayMs, 20);
    EXPECT_EQ(m.StallMs, 30000);
}
