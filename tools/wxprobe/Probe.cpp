#include "Probe.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ReplayServer.h"
#include "nws/XmlDateTime.h"
#include "platform/Clock.h"
#include "platform/FormatSettings.h"
#include "service/Servers.h"
#include "service/WxService.h"

namespace fs = std::filesystem;

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

int IntArg(const std::vector<std::string> &args, const std::string &name, int def) {
    const std::string v = ArgValue(args, name);
    if (v.empty()) return def;
    try {
        return std::stoi(v);
    } catch (...) {
        return def;
    }
}

void StripBase(nlohmann::json &j, const std::string &base) {
    if (base.empty()) return;
    if (j.is_string()) {
        const std::string &text = j.get_ref<const std::string &>();
        if (text.rfind(base, 0) == 0) j = text.substr(base.size());
    } else if (j.is_structured()) {
        for (auto &item : j) StripBase(item, base);
    }
}

std::string IsoText(double dt) { return dt == 0 ? std::string() : FormatDateTime("yyyy-mm-dd'T'hh:nn:ss", dt); }

nlohmann::json ForecastItemsJson(TCustomWxService &s) {
    nlohmann::json items = nlohmann::json::array();
    TForecasts &f = s.Forecasts();
    for (int i = 0; i < f.Count(); ++i) {
        const TForecastItem *it = f.Items(i);
        items.push_back({{"name", it->Name},
                         {"date", IsoText(it->Date)},
                         {"high", it->HighTemp},
                         {"low", it->LowTemp},
                         {"summary", it->Summary},
                         {"precipText", it->PrecipText},
                         {"iconBase", it->IconBase},
                         {"iconName", it->IconName},
                         {"detail", it->Detail}});
    }
    return items;
}

nlohmann::json AlertItemsJson(TCustomWxService &s) {
    nlohmann::json items = nlohmann::json::array();
    TAlerts *a = s.Alerts();
    for (int i = 0; a && i < a->Count(); ++i) {
        const TCustomAlertItem *it = a->Items(i);
        items.push_back({{"event", it->GetEvent()},
                         {"headline", it->GetHeadline()},
                         {"description", it->GetDescription()},
                         {"effective", IsoText(it->GetEffective())},
                         {"expires", IsoText(it->GetExpires())},
                         {"web", it->GetWeb()},
                         {"areaDesc", it->GetAreaDesc(0)},
                         {"geocode", it->GetGeocode(0)}});
    }
    return items;
}

TProbeClock::TProbeClock(const std::string &now) {
    if (now.empty()) return;
    TDateTime t = 0;
    valid_ = XmlDateTimeWritten(now, t);
    if (!valid_) return;
    Clock::Set(t);
    set_ = true;
}

TProbeClock::~TProbeClock() {
    if (set_) Clock::UseSystem();
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
                      TServer::NWSRegion, TServer::AccuData, TServer::AccuWeb, TServer::AccuIcons})
        SetServerOverride(s, Base());
    return true;
}

std::string TProbeSite::Base() const { return server_ ? "http://127.0.0.1:" + std::to_string(server_->Port()) : ""; }
