#include "Probe.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ReplayServer.h"
#include "service/Servers.h"

namespace fs = std::filesystem;

const std::vector<TProbeCommand> &ProbeCommands() {
    static const std::vector<TProbeCommand> table = {
        {"current", "--nws", "current --nws FILE [--scale 0|1] [--speed 0|1]", RunNwsCurrentCommand},
        {"forecast", "--ndfd",
         "forecast --ndfd FILE [--text FILE] --periods 12|24 [--scale 0|1] [--numdays N] [--now YYYY-MM-DDThh:mm:ss]",
         RunNwsForecastCommand},
        {"alerts", "--index", "alerts --index FILE [--alert FILE ...] [--county NAME] [--state XX]",
         RunNwsAlertsCommand},
    };
    return table;
}

std::string ArgValue(const std::vector<std::string> &args, const std::string &name, const std::string &def) {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name) return args[i + 1];
    return def;
}

std::vector<std::string> ArgValues(const std::vector<std::string> &args, const std::string &name) {
    std::vector<std::string> values;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        for (size_t j = i + 1; j < args.size() && args[j].rfind("--", 0) != 0; ++j) values.push_back(args[j]);
    }
    return values;
}

bool HasArg(const std::vector<std::string> &args, const std::string &name) {
    for (const auto &a : args)
        if (a == name) return true;
    return false;
}

TProbeSite::TProbeSite() {
    std::string tmpl = (fs::temp_directory_path() / "wxprobe-XXXXXX").string();
    if (char *made = ::mkdtemp(tmpl.data())) root_ = std::string(made) + "/";
    docs_ = root_ + "docs/";
    std::error_code ec;
    fs::create_directories(docs_, ec);
    fs::create_directories(root_ + "data", ec);
    // The service's cache goes to a private profile, never the user's.
    if (const char *old = std::getenv("XDG_DATA_HOME")) {
        hadXdg_ = true;
        oldXdg_ = old;
    }
    ::setenv("XDG_DATA_HOME", (root_ + "data").c_str(), 1);
}

TProbeSite::~TProbeSite() {
    if (server_) server_->Stop();
    server_.reset();
    ClearServerOverrides();
    if (hadXdg_) ::setenv("XDG_DATA_HOME", oldXdg_.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
    std::error_code ec;
    if (!root_.empty()) fs::remove_all(root_, ec);
}

bool TProbeSite::AddText(const std::string &path, const std::string &name, const std::string &text) {
    std::ofstream out(docs_ + name, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        error_ = "cannot write " + docs_ + name;
        return false;
    }
    routes_ += "GET " + path + " -> " + name + "\n";
    return true;
}

bool TProbeSite::Add(const std::string &path, const std::string &name, const std::string &source) {
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        error_ = "cannot read " + source;
        return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return AddText(path, name, text);
}

bool TProbeSite::Start() {
    {
        std::ofstream out(docs_ + "routes.txt", std::ios::binary | std::ios::trunc);
        out << routes_;
    }
    server_ = std::make_unique<TReplayServer>(docs_);
    if (!server_->Start(0, "127.0.0.1")) {
        error_ = "the replay server could not start";
        return false;
    }
    for (TServer s : {TServer::NWSWeb, TServer::NWSForecast, TServer::NWSAlerts, TServer::NWSRadar, TServer::USNO,
                      TServer::NWSRegion})
        SetServerOverride(s, Base());
    return true;
}

std::string TProbeSite::Base() const { return server_ ? "http://127.0.0.1:" + std::to_string(server_->Port()) : ""; }
