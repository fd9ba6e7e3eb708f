#include "service/HttpClient.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Paths.h"

namespace {
TTransferPump g_pump;

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    const THttpOptions *opt = nullptr;
    CURL *curl = nullptr;
    std::FILE *file = nullptr;     // body target, or
    std::string *memory = nullptr;  // this
    std::string statusLine;
    std::int64_t bytes = 0;
    bool begun = false;
    bool tooLarge = false;
    bool writeFailed = false;
    THttpExchange *exchange = nullptr;  // set by HttpGetExchange only

    void begin() {
        if (begun) return;
        begun = true;
        curl_off_t len = -1;
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &len);
        if (opt->OnBegin) opt->OnBegin(len);
    }
};

size_t onHeader(char *data, size_t size, size_t n, void *user) {
    auto *t = static_cast<Transfer *>(user);
    size_t len = size * n;
    std::string line(data, len);
    if (line.compare(0, 5, "HTTP/") == 0) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ')) line.pop_back();
        t->statusLine = line;  // the last status line wins (redirects, 100 Continue)
        if (t->exchange) t->exchange->ReplyHeaders.clear();
    } else if (t->exchange) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (!line.empty()) t->exchange->ReplyHeaders.push_back(line);
    }
    return len;
}

size_t onBody(char *data, size_t size, size_t n, void *user) {
    auto *t = static_cast<Transfer *>(user);
    size_t len = size * n;
    t->begin();
    long status = 0;
    curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400 && !t->exchange) return len;  // error pages are not the document asked for
    if (t->bytes + static_cast<std::int64_t>(len) > t->opt->MaxBytes) {
        t->tooLarge = true;
        return 0;
    }
    if (t->file) {
        if (std::fwrite(data, 1, len, t->file) != len) {
            t->writeFailed = true;
            return 0;
        }
    } else if (t->memory) {
        t->memory->append(data, len);
    }
    t->bytes += static_cast<std::int64_t>(len);
    if (t->opt->OnWork) t->opt->OnWork(t->bytes);
    return len;
}

int onProgress(void *, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    RunTransferPump();
    return 0;
}

enum class Method { Get, Post, Head };

THttpResult perform(Method method, const std::string &url, Transfer &t, const std::string *postData) {
    initCurl();
    THttpResult r;
    CURL *c = curl_easy_init();
    if (!c) {
        r.Error = "cannot create an HTTP client";
        return r;
    }
    t.curl = c;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // Servers only ever send us to other web addresses, never to files or other schemes.
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#endif
    if (t.opt->Shared) {
        curl_easy_setopt(c, CURLOPT_USERAGENT, kWxUserAgent);
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 8L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, 9000L);
    }
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
    if (method == Method::Head) curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    if (method == Method::Post && postData) {
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, static_cast<long>(postData->size()));
        curl_easy_setopt(c, CURLOPT_COPYPOSTFIELDS, postData->c_str());
    }
    struct curl_slist *headers = nullptr;
    if (method == Method::Post) headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    if (t.exchange) {
        if (!t.exchange->UserAgent.empty()) curl_easy_setopt(c, CURLOPT_USERAGENT, t.exchange->UserAgent.c_str());
        for (const std::string &h : t.exchange->Headers) headers = curl_slist_append(headers, h.c_str());
    }
    if (headers) curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);

    CURLcode rc = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_off_t len = -1;
    curl_easy_getinfo(c, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &len);
    r.Status = static_cast<int>(status);
    r.StatusText = t.statusLine;
    r.ContentLength = len;
    r.BodyBytes = t.bytes;
    if (rc == CURLE_OK) {
        r.Completed = true;
        if (status >= 300 && status < 400 && !(status == 304 && t.exchange)) {
            // A redirect that was not (or could not be) followed delivers nothing.
            r.Completed = false;
            r.Error = "redirect not followed";
        }
    } else if (t.tooLarge) {
        r.Error = "reply larger than " + std::to_string(t.opt->MaxBytes) + " bytes";
    } else if (t.writeFailed) {
        r.Error = "cannot write the downloaded file";
    } else {
        r.Error = curl_easy_strerror(rc);
    }
    if (!r.Completed && r.Status >= 300 && r.Status < 400) r.StatusText.clear();  // the log shows the error instead
    t.begin();
    if (t.opt->OnEnd) t.opt->OnEnd();
    curl_slist_free_all(headers);
    curl_easy_cleanup(c);
    return r;
}
}  // namespace

TTransferPump SetTransferPump(TTransferPump pump) {
    TTransferPump old = std::move(g_pump);
    g_pump = std::move(pump);
    return old;
}

void RunTransferPump() {
    if (g_pump) g_pump();
}

THttpResult HttpGetToFile(const std::string &url, const std::string &target, const THttpOptions &opt) {
    std::string native = NativePath(target);
    std::string tmpl = native + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    THttpResult r;
    if (fd < 0) {
        r.Error = "cannot create " + native;
        return r;
    }
    std::FILE *f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        r.Error = "cannot create " + native;
        return r;
    }
    Transfer t;
    t.opt = &opt;
    t.file = f;
    r = perform(Method::Get, url, t, nullptr);
    bool closed = std::fclose(f) == 0;
    bool keep = closed && r.Completed && !r.Failed() && r.BodyBytes > 0;
    if (keep) {
        ::chmod(tmpl.c_str(), 0644);
        if (std::rename(tmpl.c_str(), native.c_str()) != 0) {
            r.Completed = false;
            r.Error = "cannot replace " + native;
            keep = false;
        }
    }
    if (!keep) ::unlink(tmpl.c_str());
    return r;
}

THttpResult HttpGet(const std::string &url, std::string &body, const THttpOptions &opt) {
    Transfer t;
    t.opt = &opt;
    t.memory = &body;
    return perform(Method::Get, url, t, nullptr);
}

THttpResult HttpPostForm(const std::string &url, const std::vector<std::string> &fields, std::string &body,
                         const THttpOptions &opt) {
    std::string data;
    for (const std::string &f : fields) {
        if (!data.empty()) data += '&';
        size_t eq = f.find('=');
        if (eq == std::string::npos) data += FormEncode(f);
        else data += FormEncode(f.substr(0, eq)) + "=" + FormEncode(f.substr(eq + 1));
    }
    Transfer t;
    t.opt = &opt;
    t.memory = &body;
    return perform(Method::Post, url, t, &data);
}

THttpResult HttpHead(const std::string &url, const THttpOptions &opt) {
    THttpOptions o = opt;
    o.Shared = false;
    Transfer t;
    t.opt = &o;
    return perform(Method::Head, url, t, nullptr);
}

THttpResult HttpGetExchange(const std::string &url, std::string &body, THttpExchange &exchange,
                            const THttpOptions &opt) {
    exchange.ReplyHeaders.clear();
    Transfer t;
    t.opt = &opt;
    t.memory = &body;
    t.exchange = &exchange;
    return perform(Method::Get, url, t, nullptr);
}

std::string HttpHeaderValue(const std::vector<std::string> &headers, const std::string &name) {
    for (const std::string &h : headers) {
        size_t colon = h.find(':');
        if (colon != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < colon && same; ++i)
            same = std::tolower(static_cast<unsigned char>(h[i])) == std::tolower(static_cast<unsigned char>(name[i]));
        if (!same) continue;
        size_t b = h.find_first_not_of(" \t", colon + 1);
        if (b == std::string::npos) return {};
        size_t e = h.find_last_not_of(" \t");
        return h.substr(b, e - b + 1);
    }
    return {};
}

std::string FormEncode(const std::string &text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char ch : text) {
        if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-' ||
            ch == '_' || ch == '.' || ch == '*') {
            out += static_cast<char>(ch);
        } else if (ch == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[ch >> 4];
            out += hex[ch & 15];
        }
    }
    return out;
}
