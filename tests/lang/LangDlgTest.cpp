#include <gtest/gtest.h>

#include <QLabel>

#include "lang/LangDlg.h"

TEST(LanguageDlg, StartsInEnglishWithTheDesignTexts) {
    TLanguageDlg dlg;
    EXPECT_EQ(dlg.objectName(), "LanguageDlg");
    EXPECT_EQ(dlg.LanguageCode(), "ENU");
    EXPECT_EQ(dlg.Languages()->currentIndex(), 1);
    EXPECT_EQ(dlg.Languages()->count(), 4);
    EXPECT_EQ(dlg.windowTitle(), "Language");
    EXPECT_EQ(dlg.Query()->text(), "Please choose a language. . .");
    EXPECT_EQ(dlg.Languages()->Images().size(), 4);
    EXPECT_EQ(dlg.Languages()->Images().first().size(), QSize(16, 11));
}

TEST(LanguageDlg, PresetSelectsAKnownCodeOnly) {
    TLanguageDlg dlg;
    dlg.Preset("FRA");
    EXPECT_EQ(dlg.LanguageCode(), "FRA");
    EXPECT_EQ(dlg.Languages()->currentText(), "Français (France)=3");
    EXPECT_EQ(dlg.windowTitle(), "Langue");
    EXPECT_EQ(dlg.Query()->text(), "S'il vous plaît, choisissez une langue. . .");

    dlg.Preset("ITA");
    EXPECT_EQ(dlg.LanguageCode(), "FRA");
    EXPECT_EQ(dlg.Languages()->currentIndex(), 3);

    dlg.Preset("DEU");
    EXPECT_EQ(dlg.LanguageCode(), "DEU");
    EXPECT_EQ(dlg.windowTitle(), "Sprache");
    EXPECT_TRUE(dlg.Note()->text().contains("unterstützt"));
}

TEST(LanguageDlg, PickingFromTheListChangesCodeAndTexts) {
    TLanguageDlg dlg;
    dlg.Languages()->setCurrentIndex(2);
    emit dlg.Languages()->activated(2);
    EXPECT_EQ(dlg.LanguageCode(), "ESN");
    EXPECT_EQ(dlg.windowTitle(), "Lengua");
    dlg.SelectLanguage(7);  // outside the list: nothing happens
    EXPECT_EQ(dlg.LanguageCode(), "ESN");
    EXPECT_EQ(dlg.Languages()->currentIndex(), 2);
}

TEST(LanguageDlg, ItemLayoutPlacesFlagAndText) {
    const QRect r(10, 20, 200, 16);
    struct Case {
        const char *item;
        int image;
        const char *text;
        int textX;
    } cases[] = {
        {"Deutsch (Deutschland)=0", 0, "Deutsch (Deutschland)", 10 + 2 + 16 + 4},
        {"Plain item", -1, "Plain item", 12},     // no "=": whole text, no flag
        {"Name=", -1, "Name=", 12},               // nothing after "="
        {"Name=9", -1, "Name", 12},               // index outside the image list
        {"Name=x", -1, "Name=x", 12},             // not a number: drawn as it stands
    };
    for (const Case &c : cases) {
        TLanguageItemLayout l = LayoutLanguageItem(QString::fromUtf8(c.item), r, 4, 16);
        EXPECT_EQ(l.ImageIndex, c.image) << c.item;
        EXPECT_EQ(l.Text, QString::fromUtf8(c.text)) << c.item;
        EXPECT_EQ(l.TextPos, QPoint(c.textX, 20)) << c.item;
        if (c.image >= 0) {
            EXPECT_EQ(l.ImagePos, QPoint(12, 22)) << c.item;
        }
    }
}
