#include "ReplayServer.h"

#include <httplib.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace {
std::string trim(const std::string &s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string contentTypeFor(const std::string &file) {
    size_t dot = file.rfind('.');
    std::string ext = dot == std::string::npos ? "" : file.substr(dot + 1);
    for (char &c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "xml" || ext == "cap" || ext == "dwml") return "text/xml";
    if (ext == "json") return "application/geo+json";
    if (ext == "htm" || ext == "html" || ext == "php") return "text/html";
    if (ext == "txt") return "text/plain";
    if (ext == "gif") return "image/gif";
    if (ext == "png") return "image/png";
    if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
    return "application/octet-stream";
}

// Paths from requests never leave the document folder.
bool safePath(const std::string &path) {
    if (path.empty() || path[0] != '/') return false;
    std::stringstream ss(path);
    std::string part;
    while (std::getline(ss, part, '/'))
        if (part == ".." || part.find('\\') != std::string::npos) return false;
    return true;
}

bool readAll(const std::string &file, std::string &out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

std::string queryOf(const std::string &target) {
    size_t q = target.find('?');
    return q == std::string::npos ? std::string() : target.substr(q + 1);
}

const char *const kHtmlPage =
    "<!DOCTYPE html>\n<html><head><title>Service Unavailable</title></head>\n"
    "<body><h1>Service Unavailable</h1><p>The server is down for maintenance.</p></body></html>\n";
}  // namespace

bool ParseReplayMode(const std::string &text, TReplayMode &out) {
    TReplayMode m;
    std::string norm = text;
    for (char &c : norm)
        if (c == ',') c = ' ';
    std::stringstream ss(norm);
    std::string tok;
    try {
        while (ss >> tok) {
            size_t eq = tok.find('=');
            std::string key = tok.substr(0, eq);
            std::string val = eq == std::string::npos ? "" : tok.substr(eq + 1);
            auto num = [&](int def) { return val.empty() ? def : std::stoi(val); };
            if (key == "normal") m = TReplayMode{};
            else if (key == "status") m.Status = num(0);
            else if (key == "empty") m.Empty = true;
            else if (key == "delay" || key == "slow") m.DelayMs = num(2000);
            else if (key == "stall") m.StallMs = num(30000);
            else if (key == "redirects") m.Redirects = num(1);
            else if (key == "html") m.Html = true;
            else if (key == "truncate") m.Truncate = true;
            else return false;
        }
    } catch (...) {
        return false;
    }
    out = m;
    return true;
}

TReplayServer::TReplayServer(std::string folder) : folder_(std::move(folder)), server_(std::make_unique<httplib::Server>()) {
    if (!folder_.empty() && folder_.back() == '/') folder_.pop_back();
    install();
}

TReplayServer::~TReplayServer() { Stop(); }

std::string TReplayServer::Url(const std::string &pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
}

bool TReplayServer::LoadRoutes() {
    std::ifstream in(folder_ + "/routes.txt");
    std::vector<Route> routes;
    std::string line;
    while (std::getline(in, line)) {
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        line = trim(line);
        size_t arrow = line.find("->");
        if (line.empty() || arrow == std::string::npos) continue;
        std::stringstream left(line.substr(0, arrow)), right(line.substr(arrow + 2));
        Route r;
        std::string target;
        if (!(left >> r.method >> target) || !(right >> r.file)) continue;
        right >> r.type;
        size_t q = target.find('?');
        r.path = target.substr(0, q);
        r.query = q == std::string::npos ? "" : target.substr(q + 1);
        if (r.type.empty()) r.type = contentTypeFor(r.file);
        routes.push_back(r);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    routes_ = std::move(routes);
    return true;
}

void TReplayServer::SetMode(const TReplayMode &mode) {
    std::lock_guard<std::mutex> lock(mutex_);
    global_ = mode;
}

void TReplayServer::SetRouteMode(const std::string &route, const TReplayMode &mode) {
    std::lock_guard<std::mutex> lock(mutex_);
    routeModes_[route] = mode;
}

void TReplayServer::ClearModes() {
    std::lock_guard<std::mutex> lock(mutex_);
    global_ = TReplayMode{};
    routeModes_.clear();
}

std::vector<std::string> TReplayServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int TReplayServer::Hits(const std::string &path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (const std::string &r : requests_) {
        std::string p = r.substr(r.find(' ') + 1);
        if (p.substr(0, p.find('?')) == path) ++n;
    }
    return n;
}

TReplayMode TReplayServer::modeFor(const std::string &path, const std::string &query) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!query.empty()) {
        auto it = routeModes_.find(path + "?" + query);
        if (it != routeModes_.end()) return it->second;
    }
    auto it = routeModes_.find(path);
    return it != routeModes_.end() ? it->second : global_;
}

bool TReplayServer::find(const std::string &method, const std::string &path, const std::string &query,
                         std::string &file, std::string &type) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto methodOk = [&](const Route &r) {
        return r.method == "ANY" || r.method == method || (method == "HEAD" && r.method == "GET");
    };
    for (int pass = 0; pass < 2; ++pass)
        for (const Route &r : routes_) {
            if (!methodOk(r) || r.path != path) continue;
            if (pass == 0 ? r.query != query : !r.query.empty()) continue;
            file = folder_ + "/" + r.file;
            type = r.type;
            return true;
        }
    if (!safePath(path)) return false;
    file = folder_ + path;
    type = contentTypeFor(path);
    return true;
}

void TReplayServer::install() {
    auto &s = *server_;
    s.Post("/__control", [this](const httplib::Request &q, httplib::Response &r) { control(q, r); });
    auto h = [this](const httplib::Request &q, httplib::Response &r) { handle(q, r); };
    s.Get(".*", h);
    s.Post(".*", h);
}

void TReplayServer::control(const httplib::Request &req, httplib::Response &res) {
    if (req.has_param("clear")) ClearModes();
    if (req.has_param("mode")) {
        TReplayMode m;
        if (!ParseReplayMode(req.get_param_value("mode"), m)) {
            res.status = 400;
            res.set_content("unknown mode\n", "text/plain");
            return;
        }
        if (req.has_param("route") && !req.get_param_value("route").empty())
            SetRouteMode(req.get_param_value("route"), m);
        else SetMode(m);
    }
    if (req.has_param("reload")) LoadRoutes();
    res.set_content("ok\n", "text/plain");
}

void TReplayServer::handle(const httplib::Request &req, httplib::Response &res) {
    std::string path = req.path;
    std::string query = queryOf(req.target);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(req.method + " " + req.target);
    }

    // A hop of a redirect chain: /__redirect/<left>/<original target>.
    bool hop = false;
    if (path.rfind("/__redirect/", 0) == 0) {
        size_t slash = path.find('/', 12);
        int left = std::atoi(path.substr(12, slash - 12).c_str());
        std::string original = slash == std::string::npos ? "/" : path.substr(slash);
        std::string tail = query.empty() ? "" : "?" + query;
        if (left > 0) {
            res.set_redirect("/__redirect/" + std::to_string(left - 1) + original + tail);
            return;
        }
        path = original;
        hop = true;
    }

    TReplayMode mode = modeFor(path, query);
    if (mode.DelayMs > 0) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(mode.DelayMs);
        while (!stopping_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!hop && mode.Redirects > 0) {
        res.set_redirect("/__redirect/" + std::to_string(mode.Redirects - 1) + path +
                         (query.empty() ? "" : "?" + query));
        return;
    }

    std::string body, type, file;
    int status = 200;
    if (mode.Html) {
        body = kHtmlPage;
        type = "text/html";
    } else if (!find(req.method, path, query, file, type) || !readAll(file, body)) {
        status = 404;
        body = "<html><body>404 Not Found</body></html>";
        type = "text/html";
    }
    if (mode.Status) status = mode.Status;
    if (mode.Empty) body.clear();
    res.status = status;

    if ((mode.Truncate || mode.StallMs > 0) && body.size() > 1) {
        auto shared = std::make_shared<std::string>(std::move(body));
        int stallMs = mode.StallMs;
        res.set_content_provider(shared->size(), type,
                                 [this, shared, stallMs](size_t offset, size_t, httplib::DataSink &sink) {
                                     if (offset > 0) return false;
                                     sink.write(shared->data(), shared->size() / 2);
                                     auto until =
                                         std::chrono::steady_clock::now() + std::chrono::milliseconds(stallMs);
                                     while (!stopping_ && std::chrono::steady_clock::now() < until)
                                         std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                     return false;  // the connection drops before the rest
                                 });
        return;
    }
    res.set_content(body, type);
}

bool TReplayServer::Start(int port, const std::string &host) {
    LoadRoutes();
    stopping_ = false;
    port_ = port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (port_ <= 0) return false;
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

bool TReplayServer::Run(int port, const std::string &host) {
    LoadRoutes();
    stopping_ = false;
    port_ = port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (port_ <= 0) return false;
    return server_->listen_after_bind();
}

void TReplayServer::Stop() {
    stopping_ = true;
    server_->stop();
    if (thread_.joinable()) thread_.join();
}
