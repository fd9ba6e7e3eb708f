#pragma once
// Putting a language's texts on windows.
#include <span>
#include <string>

#include <QPixmap>
#include <QString>

#include "lang/ResourceMap.h"

class QWidget;
class QObject;
class TIniSettings;
class TLanguageTable;

// Replaces the texts of one window's named components (widgets and actions
// found by objectName) with the data file's strings: identifiers below 2000
// set the caption (window title, tab text, group title, "caption" or "text"
// property), 2000-2999 the "text" property or else the plain text of an
// editor, 3000-3999 the tool tip with "/n" turned into a line break. Does
// nothing unless the window and the data file exist.
void ApplyLanguageToForm(std::span<const TResourceRow> map, const std::string &basePath, const std::string &code,
                         QWidget *window);

// One string on one object, by the identifier's range (used by the above).
void ApplyLanguageString(QObject *target, int id, const QString &text);

// The whole application of a language: rebuilds the table, writes
// "Options"/"Language", translates the setup dialog (when open) and the main
// window, and loads the string keys. False when the language did not load.
bool ApplyLanguage(TLanguageTable &table, TIniSettings *settings, const std::string &code, QWidget *setupDialog,
                   QWidget *mainWindow, const std::string &basePath);

struct TLanguageFlag {
    bool Valid = false;
    QPixmap Picture;
    QString DisplayName;  // the language's own name, e.g. "français (France)"
    QString Code;
};
// The flag and name of a language, for the main window's language indicator.
TLanguageFlag LoadLanguageFlag(const std::string &basePath, const std::string &code);
