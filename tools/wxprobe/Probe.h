#pragma once
// wxprobe: a service run against documents named on the command line, served
// by an in-process replay server on 127.0.0.1, so the real download, cache and
// parse path runs. Each probe returns what the getters gave as one JSON object.
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

class TReplayServer;

// One sub-command: `command` plus a flag naming its service ("current --nws").
struct TProbeCommand {
    const char *Command;
    const char *Flag;
    const char *Usage;
    // Fills out (or sets out["error"]) and returns the exit code.
    int (*Run)(const std::vector<std::string> &args, nlohmann::json &out);
};

// The table main dispatches on; each probe_*.cpp adds its rows here.
const std::vector<TProbeCommand> &ProbeCommands();
int RunNwsCurrentCommand(const std::vector<std::string> &args, nlohmann::json &out);
int RunNwsForecastCommand(const std::vector<std::string> &args, nlohmann::json &out);
int RunNwsAlertsCommand(const std::vector<std::string> &args, nlohmann::json &out);

// ---- argument helpers ----
// The value after `name`, or def.
std::string ArgValue(const std::vector<std::string> &args, const std::string &name, const std::string &def = "");
// Every value after each occurrence of `name` ("--alert A --alert B", or "--alert A B").
std::vector<std::string> ArgValues(const std::vector<std::string> &args, const std::string &name);
bool HasArg(const std::vector<std::string> &args, const std::string &name);

// A private profile folder and a replay server over a folder of copied
// documents; both go away with the object.
class TProbeSite {
public:
    TProbeSite();
    ~TProbeSite();
    TProbeSite(const TProbeSite &) = delete;
    TProbeSite &operator=(const TProbeSite &) = delete;
    // Copies source into the document folder as `name` and routes GET `path` to it.
    bool Add(const std::string &path, const std::string &name, const std::string &source);
    // Writes text as document `name` and routes GET `path` to it.
    bool AddText(const std::string &path, const std::string &name, const std::string &text);
    // Starts the server and points every NWS server at it. False when it cannot bind.
    bool Start();
    std::string Base() const;  // "http://127.0.0.1:port"
    const std::string &Error() const { return error_; }

private:
    std::string root_, docs_, routes_, error_, oldXdg_;
    bool hadXdg_ = false;
    std::unique_ptr<TReplayServer> server_;
};

// ---- the NWS probes, for tests ----
nlohmann::json ProbeNwsCurrent(const std::string &file, int scale, int speed);
struct TNwsForecastProbe {
    std::string Ndfd, Text;
    bool Periods12 = true;
    int Scale = 0, NumDays = 7;
    std::string Now;  // "YYYY-MM-DDThh:mm:ss" local; empty: the system clock
};
nlohmann::json ProbeNwsForecast(const TNwsForecastProbe &p);
nlohmann::json ProbeNwsAlerts(const std::string &index, const std::vector<std::string> &alerts,
                              const std::string &county, const std::string &state);
