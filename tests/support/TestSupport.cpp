#include "support/TestSupport.h"

#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <chrono>

namespace fs = std::filesystem;

namespace {
std::string makeTempDir(const char *prefix) {
    std::string tmpl = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    return tmpl + "/";
}
}  // namespace

void PrepareTestProcess() {
    static std::string base = makeTempDir("tolvu-test-");
    setenv("XDG_DATA_HOME", (base + "data").c_str(), 1);
    setenv("HOME", base.c_str(), 1);
    setenv("LC_ALL", "C", 1);
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(base, ec);
    });
}

std::string FixturePath(const std::string &relative) { return std::string(TOLVU_FIXTURES) + "/" + relative; }

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string &path, const std::string &content) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

TempProfile::TempProfile() {
    root_ = makeTempDir("tolvu-profile-");
    if (const char *old = std::getenv("XDG_DATA_HOME")) { hadXdg_ = true; oldXdg_ = old; }
    setenv("XDG_DATA_HOME", (root_ + "data").c_str(), 1);
}

TempProfile::~TempProfile() {
    if (hadXdg_) setenv("XDG_DATA_HOME", oldXdg_.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
    std::error_code ec;
    fs::remove_all(root_, ec);
}

std::string TempProfile::Profile() const { return root_ + "data/Tolvu/"; }

LocalHttpServer::LocalHttpServer() : server_(std::make_unique<httplib::Server>()) {}

LocalHttpServer::~LocalHttpServer() { Stop(); }

httplib::Server &LocalHttpServer::Server() { return *server_; }

void LocalHttpServer::Start() {
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("cannot bind a local port");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void LocalHttpServer::Stop() {
    if (thread_.joinable()) {
        server_->stop();
        thread_.join();
    }
}
