#pragma once
// Opening web pages, mail links and files with the desktop's handler. Core
// calls ShellOpen; the app installs the real opener, tests record the calls.
#include <functional>
#include <string>
#include <vector>

using TShellOpener = std::function<bool(const std::string &target)>;

// Replaces the opener; returns the previous one.
TShellOpener SetShellOpener(TShellOpener opener);
// False when no opener is installed or it failed.
bool ShellOpen(const std::string &target);
// Every target asked for, newest last (tests).
const std::vector<std::string> &ShellOpenHistory();
void ClearShellOpenHistory();
