#include "dialogs/MsgHook.h"

#include <cstdio>

namespace {
TMsgHandler g_handler;
std::deque<TMsgAnswer> g_queue;
std::vector<TMsgRequest> g_history;
}  // namespace

TMsgHandler SetMsgHandler(TMsgHandler handler) {
    TMsgHandler old = std::move(g_handler);
    g_handler = std::move(handler);
    return old;
}

TMsgAnswer RequestMessage(const TMsgRequest &request) {
    g_history.push_back(request);
    if (g_history.size() > 200) g_history.erase(g_history.begin());
    if (!g_queue.empty()) {
        TMsgAnswer a = g_queue.front();
        g_queue.pop_front();
        return a;
    }
    if (g_handler) return g_handler(request);
    std::fprintf(stderr, "%s: %s%s%s\n", request.Caption.c_str(), request.Message.c_str(),
                 request.Detail.empty() ? "" : " - ", request.Detail.c_str());
    return TMsgAnswer{};
}

void QueueMsgAnswer(int result, bool asked) { g_queue.push_back(TMsgAnswer{result, asked}); }
void ClearMsgQueue() { g_queue.clear(); }
const std::vector<TMsgRequest> &MsgHistory() { return g_history; }
void ClearMsgHistory() { g_history.clear(); }
