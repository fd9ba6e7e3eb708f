#pragma once
// The main window's arithmetic and text rules, free of Qt so they can be
// checked alone: colour blending, the forecast timer's hour alignment, the
// current-conditions texts and the program icon choice.
#include <cstdint>
#include <functional>
#include <string>

// Moves colour a toward b by step twentieths, channel by channel (0x00BBGGRR).
// High bytes are ignored, so a system colour enters with its low three bytes.
std::uint32_t ColourBlend(std::uint32_t a, std::uint32_t b, int step);

// Milliseconds until the next forecast refresh for a refresh running at the
// given minute of the hour: up to the next full hour when the minute is 1..58,
// else fcInterval minutes; offset minutes are added to both.
int ForecastTimerInterval(int minuteOfHour, int fcIntervalMinutes, int offsetMinutes);

// "%s" replaced by value (first occurrence).
std::string FillTemplate(const std::string &templ, const std::string &value);

// The feels-like value shown: the mean of temperature and feels-like,
// truncated toward zero; a feels-like of 0 counts as the temperature.
int FeelsLikeMean(int temperature, int feelsLike);

// Dew point text up to its first "(".
std::string DewPointText(const std::string &text);

// Barometer text ("30.01 in.", "1013 mb") to inches; 0 when not parseable.
double ParseBarometer(const std::string &text);
// Glyph indices of the window's glyph list.
enum TPressureGlyph { pgRising = 20, pgFalling = 21, pgSteady = 22 };
// Trend from the previous and the new value and the new text's words.
int BarometerTrend(double previous, double current, const std::string &text);
// "29.91 in.", "30 in.".
std::string BarometerText(double inches);

// Gust caption: the gusting part (after "/") or the steady part (before the
// character in front of "/") of the language value, with ":" appended;
// built-in texts when the value is empty.
std::string GustCaption(const std::string &languageValue, bool gusting);

// Moon phase row for a phase text: 0..7 in the table's order, -1 when none
// matches (or the text is empty).
int MoonPhaseRow(const std::string &text);
const char *MoonPhaseKey(int row);      // "MOON_NEW" ...
const char *MoonPhaseBuiltIn(int row);  // "New Moon" ...

// The condition table's answer for an icon base name: its UserIcon, or empty
// when no row's Icon or Alternate matches.
using TConditionLookup = std::function<std::string(const std::string &baseName)>;
// The program picture for a service icon file name and the words describing
// the weather ("36.PNG"); lookup may be empty (table closed).
std::string ProgramIconName(const std::string &iconFileName, const std::string &words,
                            const TConditionLookup &lookup);

// The second connection-failure dialog's text for a failure text.
std::string ConnectFailureDetailText(const std::string &failure);

// A target OpenLink may hand to the shell: an existing file or text with "http".
bool LinkTargetOpenable(const std::string &target);
