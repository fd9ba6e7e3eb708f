#include "app/UpdateNotice.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/Version.h"

int NoticeActionCode(const std::string &firstLine) {
    if (firstLine.size() < 2) return 0;
    const size_t blank = firstLine.find(' ', 1);
    if (blank == std::string::npos) return 0;
    const size_t dot = firstLine.rfind('.');
    const size_t from = dot == std::string::npos ? 0 : dot + 1;
    if (from > blank) return 0;
    const std::string digits = firstLine.substr(from, blank - from);
    size_t i = 0;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) ++i;
    if (i == digits.size() || digits.size() - i > 9) return 0;
    for (size_t k = i; k < digits.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(digits[k]))) return 0;
    return std::stoi(digits);
}

std::vector<std::string> SplitNoticeLines(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(line);
            line.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += ch;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TUpdateNotice ReadUpdateNotice(const std::vector<std::string> &lines, bool updateWanted) {
    TUpdateNotice n;
    if (lines.empty()) return n;
    n.Action = NoticeActionCode(lines[0]);
    if (n.Action == 1 && !updateWanted) n.Action = 0;
    if (n.Action > 1) {
        if (lines.size() > 1) n.Line2 = lines[1];
        if (lines.size() > 2) n.Line3 = lines[2];
    }
    return n;
}

TUpdateNotice ReadUpdateNoticeFile(const std::string &path, bool updateWanted) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream s;
    s << in.rdbuf();
    return ReadUpdateNotice(SplitNoticeLines(s.str()), updateWanted);
}

TNoticeAction NoticeActionOf(int code) {
    if (code >= 1 && code <= 20) {
        if (code == 1) return TNoticeAction::NewVersion;
        if (code == 10) return TNoticeAction::Promotion;
        return TNoticeAction::Nothing;
    }
    if (code >= 21 && code <= 40) return code == 21 ? TNoticeAction::Message : TNoticeAction::Nothing;
    if (code >= 41 && code <= 60) return TNoticeAction::Nothing;
    return TNoticeAction::NoUpdate;
}

std::string FileVersionText(int major, int minor, int release, int build) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", major, minor, release, build);
    return buf;
}

std::string ProgramFileVersion() {
    return FileVersionText(TOLVU_VERSION_MAJOR, TOLVU_VERSION_MINOR, TOLVU_VERSION_PATCH, TOLVU_VERSION_BUILD + 0);
}

std::string UpdateUserAgent(const std::string &version) {
    std::string agent = "Mozilla/3.0 (compatible; Tolvu:)";
    const size_t at = agent.find(":)");
    agent.replace(at, 2, ":" + version + ")");
    return agent;
}

std::string WindowDownloadVersion(const std::string &fileVersion, const std::string &buildLetter,
                                  const std::string &language) {
    return fileVersion + buildLetter + "-" + language;
}

std::string UpdateUserName(const std::string &location) { return std::string("Tolvu&") + location; }

bool DailyCheckDue(TDateTime &lastCheck, TDateTime now) {
    if (now - 1.0 <= lastCheck) return false;
    lastCheck = now;
    return true;
}

void SplitPromotionLink(const std::string &line3, std::string &caption, std::string &target) {
    const size_t eq = line3.find('=');
    if (eq == std::string::npos) {
        caption = line3;
        target.clear();
        return;
    }
    caption = line3.substr(0, eq);
    target = line3.substr(eq + 1);
}

TMessageNotice ReadMessageNotice(const std::string &body) {
    TMessageNotice m;
    if (body.size() <= 10) return m;
    const std::vector<std::string> lines = SplitNoticeLines(body);
    if (lines.size() <= 1 && (lines.empty() || lines[0].size() < 2)) return m;
    m.Show = true;
    if (lines.size() >= 2) {
        m.Caption = lines[0];
        m.Text = lines[1];
    } else {
        m.Caption = "Tolvu";
        m.Text = lines[0];
    }
    return m;
}
