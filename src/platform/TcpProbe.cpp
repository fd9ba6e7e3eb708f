#include "platform/TcpProbe.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Waits for one non-blocking connect; true when it succeeded.
bool waitConnect(int fd, std::chrono::steady_clock::time_point deadline, const std::function<void()> &pump) {
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, POLLOUT, 0};
        // Short slices so the pump keeps the window alive while we wait.
        int slice = static_cast<int>(left.count() < 50 ? left.count() : 50);
        int n = ::poll(&p, 1, slice);
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) {
            int err = 0;
            socklen_t len = sizeof err;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) return false;
            return err == 0;
        }
        if (pump) pump();
    }
}
}  // namespace

TTcpProbeResult TcpProbe(const std::string &host, int port, int timeoutMs, const std::function<void()> &pump) {
    if (host.empty() || port <= 0 || port > 65535) return TTcpProbeResult::Error;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *list = nullptr;
    std::string service = std::to_string(port);
    if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &list) != 0 || !list) return TTcpProbeResult::Error;

    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    TTcpProbeResult result = TTcpProbeResult::Error;
    for (addrinfo *a = list; a; a = a->ai_next) {
        int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        result = TTcpProbeResult::NotConnected;
        bool ok = false;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) ok = true;
        else if (errno == EINPROGRESS) ok = waitConnect(fd, deadline, pump);
        ::close(fd);
        if (ok) {
            result = TTcpProbeResult::Connected;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    ::freeaddrinfo(list);
    return result;
}
