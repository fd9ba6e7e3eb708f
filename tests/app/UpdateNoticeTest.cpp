#include <gtest/gtest.h>

#include "app/UpdateNotice.h"

TEST(UpdateNotice, ActionCodeBetweenLastDotAndFirstBlank) {
    struct Case { const char *line; int code; };
    const Case cases[] = {
        {"1.0.0.1 word", 1},
        {"2.0.0.10 a newer build is out", 10},
        {"1.0.0.21 Message of the day", 21},
        {"1.0.0.1 word. more", 0},  // the last '.' lies beyond the blank
        {"1.0.0.21", 0},            // no blank
        {"1.0.0.x word", 0},
        {"1.0.0. word", 0},
        {"", 0},
        {"7 plain", 7},
    };
    for (const Case &c : cases) EXPECT_EQ(NoticeActionCode(c.line), c.code) << c.line;
}

TEST(UpdateNotice, NewVersionOnlyWhileUpdatesAreWanted) {
    EXPECT_EQ(ReadUpdateNotice({"1.0.0.1 word"}, false).Action, 0);
    EXPECT_EQ(ReadUpdateNotice({"1.0.0.1 word"}, true).Action, 1);
    // Lines 2 and 3 belong to the codes above 1.
    TUpdateNotice v = ReadUpdateNotice({"1.0.0.1 word", "x", "y"}, true);
    EXPECT_TRUE(v.Line2.empty());
    TUpdateNotice p = ReadUpdateNotice({"1.0.0.10 promo", "http://h/Promo.png", "See more=http://h/"}, false);
    EXPECT_EQ(p.Action, 10);
    EXPECT_EQ(p.Line2, "http://h/Promo.png");
    EXPECT_EQ(p.Line3, "See more=http://h/");
    EXPECT_EQ(ReadUpdateNotice({"1.0.0.10 promo"}, true).Line2, "");
    EXPECT_EQ(ReadUpdateNoticeFile("/nonexistent/Version.txt", true).Action, 0);
}

TEST(UpdateNotice, ActionRanges) {
    struct Case { int code; TNoticeAction action; };
    const Case cases[] = {
        {1, TNoticeAction::NewVersion}, {10, TNoticeAction::Promotion}, {2, TNoticeAction::Nothing},
        {20, TNoticeAction::Nothing},   {21, TNoticeAction::Message},   {22, TNoticeAction::Nothing},
        {41, TNoticeAction::Nothing},   {60, TNoticeAction::Nothing},   {0, TNoticeAction::NoUpdate},
        {61, TNoticeAction::NoUpdate},  {-3, TNoticeAction::NoUpdate},
    };
    for (const Case &c : cases) EXPECT_EQ(NoticeActionOf(c.code), c.action) << c.code;
}

TEST(UpdateNotice, DownloadIdentity) {
    EXPECT_EQ(UpdateUserAgent(WindowDownloadVersion(FileVersionText(1, 2, 3, 4), "c", "ENU")),
              "Mozilla/3.0 (compatible; Tolvu:1.2.3.4c-ENU)");
    EXPECT_EQ(UpdateUserAgent(FileVersionText(1, 0, 0, 0)), "Mozilla/3.0 (compatible; Tolvu:1.0.0.0)");
    EXPECT_EQ(UpdateUserName("KDCA"), "Tolvu&KDCA");
}

TEST(UpdateNotice, OnceADay) {
    TDateTime last = 0;
    const TDateTime now = EncodeDate(2011, 5, 9) + 0.5;
    EXPECT_TRUE(DailyCheckDue(last, now));
    EXPECT_EQ(last, now);
    EXPECT_FALSE(DailyCheckDue(last, now));
    EXPECT_FALSE(DailyCheckDue(last, now + 0.99));
    EXPECT_TRUE(DailyCheckDue(last, now + 1.01));
    // The setup dialog's "a day ago" makes the next refresh check.
    last = now + 2 - 1;
    EXPECT_TRUE(DailyCheckDue(last, now + 2 + 1e-6));
}

TEST(UpdateNotice, MessageFile) {
    TMessageNotice two = ReadMessageNotice("Tolvu News\r\nRadar loops are faster now.\r\n");
    EXPECT_TRUE(two.Show);
    EXPECT_EQ(two.Caption, "Tolvu News");
    EXPECT_EQ(two.Text, "Radar loops are faster now.");
    EXPECT_FALSE(ReadMessageNotice("Hi\r\nthere").Show);  // 10 bytes or fewer
    TMessageNotice one = ReadMessageNotice("A single line of news");
    EXPECT_TRUE(one.Show);
    EXPECT_EQ(one.Text, "A single line of news");
    EXPECT_EQ(one.Caption, "Tolvu");
}

TEST(UpdateNotice, PromotionLink) {
    std::string caption, target;
    SplitPromotionLink("See the new radar=http://example.invalid/a=b", caption, target);
    EXPECT_EQ(caption, "See the new radar");
    EXPECT_EQ(target, "http://example.invalid/a=b");
    SplitPromotionLink("no target", caption, target);
    EXPECT_EQ(caption, "no target");
    EXPECT_EQ(target, "");
}
