// replay-server: serves recorded weather documents from a folder.
//   replay-server --root DIR [--port N] [--host H] [--mode TEXT] [--route-mode PATH:TEXT]...
#include <csignal>
#include <pthread.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ReplayServer.h"

namespace {
int usage() {
    std::fprintf(stderr,
                 "usage: replay-server --root DIR [--port N] [--host 127.0.0.1] [--mode TEXT]\n"
                 "                     [--route-mode PATH:TEXT]...\n"
                 "modes: normal status=N empty delay=MS stall[=MS] redirects=N html truncate\n");
    return 2;
}
}  // namespace

int main(int argc, char **argv) {
    std::string root, host = "127.0.0.1";
    int port = 8080;
    TReplayMode global;
    std::vector<std::pair<std::string, TReplayMode>> routeModes;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
        const char *v = nullptr;
        if (a == "--root" && (v = next())) root = v;
        else if (a == "--port" && (v = next())) port = std::atoi(v);
        else if (a == "--host" && (v = next())) host = v;
        else if (a == "--mode" && (v = next())) {
            if (!ParseReplayMode(v, global)) return usage();
        } else if (a == "--route-mode" && (v = next())) {
            std::string s = v;
            size_t colon = s.rfind(':');
            TReplayMode m;
            if (colon == std::string::npos || !ParseReplayMode(s.substr(colon + 1), m)) return usage();
            routeModes.emplace_back(s.substr(0, colon), m);
        } else return usage();
    }
    if (root.empty()) return usage();
    TReplayServer server(root);
    server.SetMode(global);
    for (auto &[route, m] : routeModes) server.SetRouteMode(route, m);
    // Block the stop signals before the server thread starts, then wait for one here.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    if (!server.Start(port, host)) {
        std::fprintf(stderr, "replay-server: cannot listen on %s:%d\n", host.c_str(), port);
        return 1;
    }
    std::printf("replay-server: serving %s on http://%s:%d/\n", root.c_str(), host.c_str(), server.Port());
    std::fflush(stdout);
    int sig = 0;
    sigwait(&stop, &sig);
    server.Stop();
    return 0;
}
