// The reply is posted back by an in-process replay server, so the form, the
// post and the scan all run as they do in the program.
#include "probe_sunmoon.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>

#include "ReplayServer.h"
#include "app/IniSettings.h"
#include "nws/NWSSunMoon.h"
#include "service/Servers.h"
#include "service/WxService.h"

namespace {

class TSunMoonProbeService : public TCustomWxService {
public:
    explicit TSunMoonProbeService(void *owner) : TCustomWxService(owner) { name_ = "Probe"; }
};

struct TempFolder {
    std::string path;
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "wxprobe-sunmoon-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path = tmpl;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};

}  // namespace

nlohmann::json ProbeSunMoon(const std::string &file) {
    nlohmann::json out;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        out["error"] = "cannot read " + file;
        return out;
    }
    TempFolder folder;
    if (folder.path.empty()) {
        out["error"] = "cannot make a temporary folder";
        return out;
    }
    {
        std::ofstream doc(folder.path + "/sunmoon.html", std::ios::binary);
        doc << in.rdbuf();
        std::ofstream routes(folder.path + "/routes.txt", std::ios::binary);
        routes << "POST /cgi-bin/aa_pap.pl -> sunmoon.html text/html\n";
    }
    TReplayServer server(folder.path);
    if (!server.Start(0, "127.0.0.1")) {
        out["error"] = "the replay server could not start";
        return out;
    }
    const std::string before = ServerBase(TServer::USNO);
    SetServerOverride(TServer::USNO, "http://127.0.0.1:" + std::to_string(server.Port()));
    TIniSettings ini;
    ini.SetStrings({"[Service0]", "Name=Probe", "Location=KDCA", "Latitude=38.85", "Longitude=-77.03"});
    auto svc = CreateWxService<TSunMoonProbeService>(nullptr, 0, &ini);
    svc->SetConnected(true);
    TSunMoonTexts t;
    const bool ok = RefreshSunMoonTable(*svc, t);
    SetServerOverride(TServer::USNO, before);
    server.Stop();
    if (!ok) {
        out["error"] = "the sun and moon form was not answered";
        return out;
    }
    // The NWS getters' fallbacks when a reply supplies nothing.
    out["sunrise"] = t.Sunrise.empty() ? "0:00 am" : t.Sunrise;
    out["sunset"] = t.Sunset.empty() ? "0:00 pm" : t.Sunset;
    out["moonPhase"] = t.MoonPhase.empty() ? "Waxing Gibbous" : t.MoonPhase;
    return out;
}

int RunSunMoonCommand(const std::vector<std::string> &args, nlohmann::json &out) {
    if (args.empty()) {
        out["error"] = "usage: sunmoon FILE";
        return 2;
    }
    out = ProbeSunMoon(args.back());
    return out.contains("error") ? 1 : 0;
}
