#pragma once
// A plain TCP connect with a bounded wait; the wait runs the given pump.
#include <functional>
#include <string>

enum class TTcpProbeResult {
    Connected,
    NotConnected,  // refused, unreachable or timed out
    Error          // the host name cannot be resolved or no socket could be made
};

TTcpProbeResult TcpProbe(const std::string &host, int port, int timeoutMs,
                         const std::function<void()> &pump = {});
