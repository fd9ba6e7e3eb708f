#include "platform/Shell.h"

namespace {
TShellOpener g_opener;
std::vector<std::string> g_history;
}  // namespace

TShellOpener SetShellOpener(TShellOpener opener) {
    TShellOpener old = std::move(g_opener);
    g_opener = std::move(opener);
    return old;
}

bool ShellOpen(const std::string &target) {
    g_history.push_back(target);
    return g_opener ? g_opener(target) : false;
}

const std::vector<std::string> &ShellOpenHistory() { return g_history; }
void ClearShellOpenHistory() { g_history.clear(); }
