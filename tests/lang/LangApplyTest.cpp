#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QWidget>

#include "app/IniSettings.h"
#include "lang/LangApply.h"
#include "lang/LangTable.h"
#include "lang/ResourceMap.h"
#include "lang/StringKeys.h"
#include "support/TestSupport.h"

namespace {
const std::string kShippedBase = std::string(TOLVU_SOURCE_DIR) + "/data/lang/Data";

// A small main window and setup dialog with components the map names.
struct TWindows {
    QWidget main;
    QDialog *setup;
    QLabel *service, *image, *unnamed;
    QTabWidget *pages;
    QWidget *current;
    QLineEdit *url;
    QPlainTextEdit *advisory;
    QAction *exit;
    QLabel *settings;

    TWindows() {
        main.setObjectName("WxForm");
        main.setWindowTitle("Weather");
        service = label(&main, "glService", "From %s");
        image = label(&main, "FWxImage", "");
        unnamed = label(&main, "", "keep");
        pages = new QTabWidget(&main);
        current = new QWidget;
        current->setObjectName("CurrentTab");
        pages->addTab(current, "Current");
        advisory = new QPlainTextEdit("No Current Advisory. . .", &main);
        advisory->setObjectName("mAdvisory");
        exit = new QAction("Exit", &main);
        exit->setObjectName("mExit");
        setup = new QDialog(&main);
        setup->setObjectName("WxSetupDlg");
        settings = label(setup, "glSettings", "General Settings");
        url = new QLineEdit("old", setup);
        url->setObjectName("URL");
    }
    static QLabel *label(QWidget *parent, const char *name, const char *text) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(name);
        return l;
    }
};
}  // namespace

TEST(LangApply, FrenchTranslatesTheWindowsAndIsRemembered) {
    ResetStringKeys();
    TWindows w;
    TIniSettings ini;
    TLanguageTable table;
    ASSERT_TRUE(ApplyLanguage(table, &ini, "FRA", w.setup, &w.main, kShippedBase));
    EXPECT_EQ(ini.ReadString("Options", "Language", ""), "FRA");

    EXPECT_EQ(w.main.windowTitle(), "Tolvu");                      // 1024
    EXPECT_EQ(w.setup->windowTitle(), "Configuration météo");      // 1077
    EXPECT_EQ(w.settings->text(), "Paramètres généraux");          // 1094
    EXPECT_EQ(w.service->text(), "Données de %s");                 // caption 1028 ...
    EXPECT_EQ(w.service->toolTip(), "Visiter le site web du service");  // ... and hint 3028
    EXPECT_EQ(w.pages->tabText(0), "Actuel");
    EXPECT_EQ(w.advisory->toPlainText(), "Aucune alerte en cours. . .");
    EXPECT_EQ(w.url->text(), "https://tolvu.app/");
    EXPECT_EQ(w.exit->text(), "Quitter");
    EXPECT_EQ(w.unnamed->text(), "keep");
    // "/n" in a hint becomes a line break.
    EXPECT_EQ(w.image->toolTip().count('\n'), 2);
    EXPECT_FALSE(w.image->toolTip().contains("/n"));
    EXPECT_EQ(StrKey(TStrKey::SETUP_CAPTION), "Configuration");
    ResetStringKeys();
}

TEST(LangApply, HintsSplitAtEachLineMark) {
    TempProfile profile;
    WriteFile(profile.Root() + "Data.DEU", "1028=Von %s\n3028=Erste Zeile/nZweite Zeile\n");
    TWindows w;
    ApplyLanguageToForm(ResourceMap(), profile.Root() + "Data", "DEU", &w.main);
    EXPECT_EQ(w.service->text(), "Von %s");
    EXPECT_EQ(w.service->toolTip(), "Erste Zeile\nZweite Zeile");
    // Strings the file lacks read as empty.
    EXPECT_EQ(w.settings->text(), "");
}

TEST(LangApply, NothingChangesWithoutADataFile) {
    TWindows w;
    TIniSettings ini;
    TLanguageTable table;
    EXPECT_FALSE(ApplyLanguage(table, &ini, "ENU", w.setup, &w.main, "/nonexistent/Lang/Data"));
    EXPECT_EQ(w.main.windowTitle(), "Weather");
    EXPECT_EQ(w.service->text(), "From %s");
    EXPECT_FALSE(ini.ValueExists("Options", "Language"));
    ApplyLanguageToForm(ResourceMap(), kShippedBase, "FRA", nullptr);  // no window: no crash
}

TEST(LangApply, FlagAndLanguageNameForTheIndicator) {
    TempProfile profile;
    QPixmap flag(16, 11);
    flag.fill(Qt::red);
    ASSERT_TRUE(flag.save(QString::fromStdString(profile.Root() + "fr.png")));
    WriteFile(profile.Root() + "Data.FRA", "Locale=fr_FR\nFlag=fr.png\n1024=Tolvu\n");
    TLanguageFlag f = LoadLanguageFlag(profile.Root() + "Data", "FRA");
    ASSERT_TRUE(f.Valid);
    EXPECT_EQ(f.Code, "FRA");
    EXPECT_EQ(f.Picture.size(), QSize(16, 11));
    EXPECT_TRUE(f.DisplayName.startsWith("fran", Qt::CaseInsensitive)) << f.DisplayName.toStdString();
    EXPECT_FALSE(LoadLanguageFlag(profile.Root() + "Data", "DEU").Valid);
}
