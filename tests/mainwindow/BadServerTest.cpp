// The real window with the real NWS service against a replay server that
// misbehaves in every way we have seen: after each fault the window must keep
// answering, keep showing the last good conditions, leave no half-written file
// in its cache and leave the settings file as it was.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "ReplayServer.h"
#include "app/IniSettings.h"
#include "app/Startup.h"
#include "controls/GrphCtrls.h"
#include "controls/nGauges.h"
#include "dialogs/MsgHook.h"
#include "mainwindow/Unit01.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "service/Servers.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
constexpr const char *kObsPath = "/data/current_obs/KDCA.xml";
constexpr const char *kNdfdPath = "/forecasts/xml/SOAP_server/ndfdSOAPclientByDay.php";

// The demo routes with one document swapped for another file of the folder.
void swapRoute(const std::string &folder, const std::string &path, const std::string &file) {
    std::ifstream in(folder + "/routes.txt");
    std::string line, out;
    while (std::getline(in, line)) {
        if (line.rfind("GET " + path + " ", 0) == 0) line = "GET " + path + " -> " + file + " text/xml";
        out += line + "\n";
    }
    WriteFile(folder + "/routes.txt", out);
}

void dropRoutesTo(const std::string &folder, const std::string &path) {
    std::ifstream in(folder + "/routes.txt");
    std::string line, out;
    while (std::getline(in, line))
        if (line.rfind("GET " + path, 0) != 0) out += line + "\n";
    WriteFile(folder + "/routes.txt", out);
}

// The demo observation as UTF-16 while its declaration still says ISO-8859-1.
std::string utf16Copy(const std::string &latin1) {
    std::string out = "\xFF\xFE";
    for (char c : latin1) {
        out += c;
        out += '\0';
    }
    return out;
}

// A well-formed start, then padding until the body is over the reply cap.
void writeOversized(const std::string &file, std::size_t bytes) {
    std::ofstream out(file, std::ios::binary);
    const std::string head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<current_observation>\n<!--";
    out << head;
    const std::string pad(64 * 1024, 'x');
    for (std::size_t n = head.size(); n < bytes; n += pad.size()) out << pad;
    out << "-->\n</current_observation>\n";
}

const char *const kSoapFault =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\">\n"
    "<SOAP-ENV:Body><SOAP-ENV:Fault><faultcode>SOAP-ENV:Server</faultcode>\n"
    "<faultstring>processing failed</faultstring><detail><soapVal>No data for the point</soapVal></detail>\n"
    "</SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>\n";

struct TShown {
    QString temperature, weather, barometer, humidity, visibility, windSpeed;
    int gauge = 0;
    bool operator==(const TShown &) const = default;
};

TShown shown(TWxForm &form) {
    return {form.glTemperature->Caption(), form.glWeather->Caption(), form.glBarometer->Caption(),
            form.glHumidity->Caption(),    form.glVisibility->Caption(), form.glWindSpeed->Caption(),
            form.Temperature->Value()};
}

// Files a transfer writes before it knows the reply is whole ("name.ext.XXXXXX"),
// and anything over the reply cap.
std::vector<std::string> leftovers(const std::string &root) {
    static const std::regex temp(R"(^.+\.[A-Za-z0-9]+\.[A-Za-z0-9_]{6}$)");
    std::vector<std::string> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (ec) break;
        if (!it->is_regular_file()) continue;
        const std::string name = it->path().filename().string();
        if (std::regex_match(name, temp) || it->file_size() > 32ull * 1024 * 1024) found.push_back(it->path().string());
    }
    return found;
}

// True when a zero-time timer fires within a few seconds of event processing.
bool timerFires() {
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    QElapsedTimer t;
    t.start();
    while (!fired && t.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return fired;
}

struct TBadCase {
    const char *name;
    std::string mode;                                  // global replay mode
    std::function<void(const std::string &)> prepare;  // edits the served folder
};
}  // namespace

TEST(BadServer, WindowSurvivesEveryServerFault) {
    TempProfile profile;
    SetSoundOutputEnabled(false);
    const std::string folder = profile.Root() + "served";
    fs::copy(std::string(TOLVU_SOURCE_DIR) + "/data/demo/nws", folder, fs::copy_options::recursive);
    const std::string pristineRoutes = ReadFile(folder + "/routes.txt");
    WriteFile(folder + "/fault.xml", kSoapFault);
    WriteFile(folder + "/KDCA-utf16.xml", utf16Copy(ReadFile(folder + "/KDCA.xml")));

    TReplayServer server(folder);
    ASSERT_TRUE(server.Start(0));
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());

    ForceDirectories(ProfilePath());
    const std::string iniPath = ProfilePath() + SettingsFileName();
    {
        TIniSettings ini(iniPath);
        for (const char *key : {"NWSWeb", "NWSForecast", "NWSAlerts", "NWSRadar", "USNO", "NWSApi", "NWSRegion", "Update"})
            ini.WriteString("Servers", key, base);
        ini.WriteString("Service", "Default", "Service0");
        ini.WriteString("Services", "Service0", "The US National Weather Service");
        for (const auto &[key, value] : std::initializer_list<std::pair<const char *, std::string>>{
                 {"Name", "NWS"}, {"httpBase", base}, {"Port", "80"}, {"XML", "/data/current_obs"}, {"HTML", base},
                 {"Seek", "/index.xml"}, {"Location", "KDCA"}, {"Latitude", "38.85"}, {"Longitude", "-77.03"},
                 {"CityName", "Washington"}, {"StateCode", "DC"}, {"CountyCode", "DCC001"}, {"Site", "lwx"}})
            ini.WriteString("Service0", key, value);
        ini.WriteString("Options", "Update", "0");
        ini.UpdateFile();
    }

    const std::vector<TBadCase> cases = {
        {"HTTP 500", "status=500", nullptr},
        {"HTTP 203", "status=203", nullptr},
        {"empty body", "empty", nullptr},
        {"truncated body", "truncate", nullptr},
        {"stalled reply", "stall=1500", nullptr},
        {"nine redirects", "redirects=9", nullptr},
        {"HTML page", "html", nullptr},
        {"SOAP fault", "normal", [](const std::string &f) { swapRoute(f, kNdfdPath, "fault.xml"); }},
        {"body over the cap", "normal",
         [](const std::string &f) {
             writeOversized(f + "/big.xml", 40u * 1024 * 1024);
             swapRoute(f, kObsPath, "big.xml");
         }},
        {"wrong encoding", "normal", [](const std::string &f) { swapRoute(f, kObsPath, "KDCA-utf16.xml"); }},
        {"missing alert documents", "normal", [](const std::string &f) { dropRoutesTo(f, "/cap/wwacapget.php"); }},
    };

    {
        TWxForm form;
        ASSERT_NE(form.Service(), nullptr);
        const TShown good = shown(form);
        ASSERT_EQ(good.temperature, "38°");
        ASSERT_EQ(good.weather, "Mostly Cloudy");
        QCoreApplication::processEvents();
        const std::string settings = ReadFile(iniPath);
        ASSERT_FALSE(settings.empty());

        for (const TBadCase &c : cases) {
            SCOPED_TRACE(c.name);
            WriteFile(folder + "/routes.txt", pristineRoutes);
            if (c.prepare) c.prepare(folder);
            server.LoadRoutes();
            TReplayMode mode;
            ASSERT_TRUE(ParseReplayMode(c.mode, mode));
            server.SetMode(mode);
            ClearMsgHistory();
            const std::size_t before = server.Requests().size();

            QElapsedTimer clock;
            clock.start();
            form.RefreshCurrentView();
            form.RefreshForecastView();
            form.RefreshAlertsView();
            // A hang guard, far above any honest failure path.
            EXPECT_LT(clock.elapsed(), 30000);
            EXPECT_GT(server.Requests().size(), before) << "the refreshes never reached the server";

            EXPECT_TRUE(timerFires());
            EXPECT_FALSE(form.CurrentRefreshing() || form.ForecastRefreshing() || form.AlertsRefreshing());
            EXPECT_TRUE(shown(form) == good) << "now " << form.glTemperature->Caption().toStdString() << " / "
                                             << form.glWeather->Caption().toStdString();
            EXPECT_EQ(leftovers(ProfilePath()), std::vector<std::string>{});
            EXPECT_EQ(ReadFile(iniPath), settings);
            if (std::string(c.name) == "SOAP fault") {
                bool told = false;
                for (const TMsgRequest &m : MsgHistory()) told |= m.Message.rfind("Fault from", 0) == 0;
                EXPECT_TRUE(told) << "the fault never reached the user";
            }
            std::error_code ec;
            fs::remove(folder + "/big.xml", ec);
        }

        // Once the server behaves again the window picks up where it was.
        WriteFile(folder + "/routes.txt", pristineRoutes);
        server.LoadRoutes();
        server.ClearModes();
        const int hits = server.Hits(kObsPath);
        form.RefreshCurrentView();
        EXPECT_GT(server.Hits(kObsPath), hits);
        EXPECT_TRUE(shown(form) == good);
    }
    server.Stop();
    ClearMsgQueue();
    ClearMsgHistory();
    ClearServerOverrides();
}
