#pragma once
// Core code asks questions and reports errors through this hook; the app
// installs the real message dialog, tests queue answers.
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Icon codes of the message dialog.
enum TMsgIcon { miPlain = 0, miCaution = 16, miQuestion = 32, miStop = 48, miInformation = 64 };

struct TMsgRequest {
    std::string Message;
    std::string Detail;
    int Icon = miPlain;
    std::string Button2;   // "" keeps "&Cancel", "btnHidden" hides it
    std::string Button1;   // "" keeps "&Ok"
    std::string Caption;
    bool ShowAsk = false;  // show "Don't ask again."
};

struct TMsgAnswer {
    int Result = 1;        // 1 first button or time-out, 2 second button, Escape or close
    bool Asked = false;    // state of "Don't ask again."
};

using TMsgHandler = std::function<TMsgAnswer(const TMsgRequest &)>;

// Replaces the handler; returns the previous one.
TMsgHandler SetMsgHandler(TMsgHandler handler);
// Shows a message through the handler. Queued answers win over the handler;
// with neither, the message goes to stderr and the answer is 1.
TMsgAnswer RequestMessage(const TMsgRequest &request);
// Tests: the next dialogs return these answers, in order.
void QueueMsgAnswer(int result, bool asked = false);
void ClearMsgQueue();
// Tests: every request seen, newest last.
const std::vector<TMsgRequest> &MsgHistory();
void ClearMsgHistory();
