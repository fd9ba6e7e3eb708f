#pragma once
// A stand-in for the public weather servers: answers from a folder of
// documents, with switchable error behaviour.
//
// Documents: "routes.txt" in the folder maps requests to files, one per line
//     GET /path?query -> file [content-type]
// (methods GET, HEAD, POST or ANY; '#' starts a comment). A request is matched
// by method + path + query, then by path alone; failing both, the file at the
// request's path inside the folder is sent. HEAD answers like GET without a body.
//
// Modes, global or per route (a path, or path?query): a text of tokens separated
// by ',' or spaces: "normal", "status=N", "empty", "delay=MS" (slow reply),
// "stall[=MS]" (half the body, then silence), "redirects=N" (a chain of N),
// "html" (an HTML page instead of the document), "truncate" (half the body, then
// the connection drops). While running, POST /__control with the form fields
// mode=TEXT and optionally route=PATH sets a mode; clear=1 drops them all.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib { class Server; struct Request; struct Response; }

struct TReplayMode {
    int Status = 0;     // 0: the document's own status
    bool Empty = false;
    int DelayMs = 0;
    int StallMs = 0;    // > 0: stall this long after half the body
    int Redirects = 0;
    bool Html = false;
    bool Truncate = false;
    bool IsNormal() const {
        return !Status && !Empty && !DelayMs && !StallMs && !Redirects && !Html && !Truncate;
    }
};

// Parses a mode text; false (and out untouched) on an unknown token.
bool ParseReplayMode(const std::string &text, TReplayMode &out);

class TReplayServer {
public:
    explicit TReplayServer(std::string folder);
    ~TReplayServer();
    TReplayServer(const TReplayServer &) = delete;
    TReplayServer &operator=(const TReplayServer &) = delete;

    // Binds (port 0: the system picks) and serves on a thread of its own.
    bool Start(int port = 0, const std::string &host = "127.0.0.1");
    // Serves on the calling thread until Stop.
    bool Run(int port, const std::string &host);
    void Stop();
    int Port() const { return port_; }
    std::string Url(const std::string &pathAndQuery = "/") const;

    bool LoadRoutes();  // re-reads routes.txt; Start does it too
    void SetMode(const TReplayMode &mode);                            // global
    void SetRouteMode(const std::string &route, const TReplayMode &mode);
    void ClearModes();
    // Requests seen, "GET /path?query", oldest first.
    std::vector<std::string> Requests() const;
    int Hits(const std::string &path) const;  // by path, any method

private:
    struct Route { std::string method, path, query, file, type; };
    void install();
    void handle(const httplib::Request &req, httplib::Response &res);
    void control(const httplib::Request &req, httplib::Response &res);
    bool find(const std::string &method, const std::string &path, const std::string &query, std::string &file,
              std::string &type) const;
    TReplayMode modeFor(const std::string &path, const std::string &query) const;

    std::string folder_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<Route> routes_;
    TReplayMode global_;
    std::map<std::string, TReplayMode> routeModes_;
    std::vector<std::string> requests_;
};
