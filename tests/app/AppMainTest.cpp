#include <gtest/gtest.h>

#include <QLocale>

#include "app/AppMain.h"
#include "platform/FormatSettings.h"

TEST(AppLocale, FormatSettingsFollowTheSystemLocale) {
    TFormatSettings us;
    FillFormatSettings(us, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.LocaleId, 1033);
    EXPECT_EQ(us.DateSeparator, '/');
    EXPECT_EQ(us.LongMonthNames[0], "January");
    EXPECT_EQ(us.ShortDayNames[0], "Sun");
    EXPECT_EQ(us.ShortDateFormat.find('M'), std::string::npos);  // months are "m" in our formats
    EXPECT_NE(us.ShortTimeFormat.find("AMPM"), std::string::npos);

    TFormatSettings de;
    FillFormatSettings(de, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.LocaleId, 1031);
    EXPECT_EQ(de.DateSeparator, '.');
    EXPECT_EQ(de.DecimalSeparator, ',');
    EXPECT_EQ(de.ShortTimeFormat.find("AMPM"), std::string::npos);

    TFormatSettings other;
    FillFormatSettings(other, QLocale(QLocale::Swahili, QLocale::Kenya));
    EXPECT_NE(other.LocaleId, 1033);
}
