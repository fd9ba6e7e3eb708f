#pragma once
// Runs the program: start-up, message loop, shut-down. Returns the exit code.
#include <string>

class QLocale;
struct TFormatSettings;

int RunTolvu(int argc, char **argv);

// Date and time texts and the locale id from a Qt locale (1033 for en_US).
void FillFormatSettings(TFormatSettings &fs, const QLocale &locale);
// Windows locale identifier of a Qt locale; 1033 for en_US, 0 when unknown.
int WindowsLocaleId(const QLocale &locale);
// The program's shell "Open": QDesktopServices for addresses and files.
bool OpenWithDesktop(const std::string &target);
