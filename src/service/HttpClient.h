#pragma once
// Blocking HTTP transfers on libcurl, one easy handle per transfer. The
// progress callback runs the process-wide pump so the window keeps painting.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Installed by the app (QCoreApplication::processEvents); nothing by default.
using TTransferPump = std::function<void()>;
TTransferPump SetTransferPump(TTransferPump pump);  // returns the previous pump
void RunTransferPump();

constexpr const char *kWxUserAgent = "Mozilla/4.0 (compatible, Orv WxAgent:2.0)";
constexpr std::int64_t kMaxReplyBytes = 32ll * 1024 * 1024;

struct THttpOptions {
    bool Shared = true;  // user agent, 8 redirects, 9000 ms connect time-out
    std::int64_t MaxBytes = kMaxReplyBytes;
    // Progress: begin(expected size or -1), work(bytes so far), end().
    std::function<void(std::int64_t)> OnBegin;
    std::function<void(std::int64_t)> OnWork;
    std::function<void()> OnEnd;
};

struct THttpResult {
    bool Completed = false;      // a final reply arrived in full
    int Status = 0;              // 0 without a reply
    std::string StatusText;      // the reply's status line, "HTTP/1.1 200 OK"
    std::string Error;           // transport error or refusal, empty when completed
    std::int64_t ContentLength = -1;
    std::int64_t BodyBytes = 0;
    bool Delivered() const { return Completed && Status >= 200 && Status <= 202; }
    // An error reply (4xx/5xx) or no complete reply at all.
    bool Failed() const { return !Completed || Status >= 400; }
    // What the logs print after the URL.
    std::string LogText() const { return StatusText.empty() ? Error : StatusText; }
};

// GET into a file. The body goes to a temporary file beside target and
// replaces target only when the reply completed without an error status and
// has content; otherwise target is left as it was.
THttpResult HttpGetToFile(const std::string &url, const std::string &target, const THttpOptions &opt = {});
// GET into memory.
THttpResult HttpGet(const std::string &url, std::string &body, const THttpOptions &opt = {});
// POST form fields ("name=value"; names and values are form-encoded here).
THttpResult HttpPostForm(const std::string &url, const std::vector<std::string> &fields, std::string &body,
                         const THttpOptions &opt = {});
// HEAD with curl's defaults (no user agent, no redirects).
THttpResult HttpHead(const std::string &url, const THttpOptions &opt = {});

// A GET that sends headers of its own and hands back the reply's headers, for
// web APIs that ask for an identifying user agent and conditional requests.
struct THttpExchange {
    std::string UserAgent;                  // replaces the shared one when set
    std::vector<std::string> Headers;       // "Name: value" lines to send
    std::vector<std::string> ReplyHeaders;  // out: header lines of the final reply
};
// GET into memory. Unlike HttpGet, the body of an error reply is kept too
// (such APIs explain their errors in it); a 304 reply completes with an empty body.
THttpResult HttpGetExchange(const std::string &url, std::string &body, THttpExchange &exchange,
                            const THttpOptions &opt = {});
// The value of the first header line named `name` (any case), trimmed; empty when absent.
std::string HttpHeaderValue(const std::vector<std::string> &headers, const std::string &name);

// application/x-www-form-urlencoded encoding of one text.
std::string FormEncode(const std::string &text);
