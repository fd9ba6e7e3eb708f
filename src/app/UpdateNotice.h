#pragma once
// The decisions of the update check, away from windows and sockets: the
// notice file "Version.txt", the message file, the identity the window's own
// downloads send, and the once-a-day trigger.
#include <string>
#include <vector>

#include "platform/Clock.h"

constexpr const char *kUpdateCaption = "Version Update ";

// Action code of the notice's first line: the integer between the line's last
// '.' and its first blank ("2.0.0.10 words" gives 10). 0 when the line has no
// blank after its first character, when the '.' lies beyond the blank, or when
// no integer stands there.
int NoticeActionCode(const std::string &firstLine);

struct TUpdateNotice {
    int Action = 0;
    std::string Line2, Line3;
};

// Reads the notice lines. A new-version code (1) counts only while updates
// are wanted ([Options] Update); lines 2 and 3 are read for codes above 1.
TUpdateNotice ReadUpdateNotice(const std::vector<std::string> &lines, bool updateWanted);
// The same from a file; a missing or unreadable file gives code 0.
TUpdateNotice ReadUpdateNoticeFile(const std::string &path, bool updateWanted);

enum class TNoticeAction {
    Nothing,      // a known code with nothing to do
    NewVersion,   // 1: offer the installer
    Promotion,    // 10: picture and link on the splash window
    Message,      // 21: the message of the day
    NoUpdate,     // no known code: "no updates" when the check is visible
};
TNoticeAction NoticeActionOf(int code);

// "%d.%d.%d.%d".
std::string FileVersionText(int major, int minor, int release, int build);
// The program's own version from the build.
std::string ProgramFileVersion();
// "Mozilla/3.0 (compatible; Tolvu:" + version + ")".
std::string UpdateUserAgent(const std::string &version);
// The version text of the window's downloads: file version + build letter + "-" + language.
std::string WindowDownloadVersion(const std::string &fileVersion, const std::string &buildLetter,
                                  const std::string &language);
// HTTP user name of the window's downloads: "Tolvu&" + the service's Location.
std::string UpdateUserName(const std::string &location);

// The once-a-day rule: true (and lastCheck moved to now) when more than a day
// has passed since lastCheck; a lastCheck of 0 makes the first call due.
bool DailyCheckDue(TDateTime &lastCheck, TDateTime now);

// Line 3 of a promotion: the link caption before the first '=', the target after it.
void SplitPromotionLink(const std::string &line3, std::string &caption, std::string &target);

struct TMessageNotice {
    bool Show = false;
    std::string Caption, Text;
};
// The message file: more than 10 bytes, first line the caption, second the
// text. A file of one line shows that line under the program's name.
TMessageNotice ReadMessageNotice(const std::string &body);

// Splits text at CR LF, LF or CR.
std::vector<std::string> SplitNoticeLines(const std::string &text);
