#pragma once
// Shared test helpers: a private profile folder per test, fixture paths and an
// HTTP server on 127.0.0.1 with a port the system picks.
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace httplib { class Server; }

// Points XDG_DATA_HOME (and HOME) at fresh temporary folders for the whole process.
void PrepareTestProcess();

std::string FixturePath(const std::string &relative);
std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &content);

// A fresh, empty folder for one test; removed when the object goes away.
// While alive, XDG_DATA_HOME points at <folder>/data, so ProfilePath() is
// <folder>/data/Tolvu/.
class TempProfile {
public:
    TempProfile();
    ~TempProfile();
    TempProfile(const TempProfile &) = delete;
    TempProfile &operator=(const TempProfile &) = delete;
    const std::string &Root() const { return root_; }  // ends in '/'
    std::string Profile() const;                         // ProfilePath()
private:
    std::string root_;
    std::string oldXdg_;
    bool hadXdg_ = false;
};

// cpp-httplib server on 127.0.0.1 running on its own thread. Register
// handlers on Server() before Start().
class LocalHttpServer {
public:
    LocalHttpServer();
    ~LocalHttpServer();
    httplib::Server &Server();
    void Start();
    void Stop();
    int Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string Url(const std::string &path = "/") const { return "http://" + Host() + path; }
private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
};
