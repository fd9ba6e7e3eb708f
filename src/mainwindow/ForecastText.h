#pragma once
// The texts of the forecast strip: period names, ordinal days, tile summaries,
// temperature captions, the inset text and the forecast balloon's header.
// No Qt here, so every rule can be checked alone.
#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"

class TForecasts;
class TForecastItem;

// Read access to the window's language table (name=value lines). An empty
// table means "use the built-in English texts".
class TLangView {
public:
    using TLookup = std::function<std::string(const std::string &key)>;

    TLangView() = default;
    // Not owned; must outlive the view. Names match case-insensitively, the
    // first matching line wins.
    explicit TLangView(const std::vector<std::string> *lines) : lines_(lines) {}
    // For tables kept elsewhere: `empty` tells whether the table has no lines.
    TLangView(TLookup lookup, bool empty) : lookup_(std::move(lookup)), empty_(empty) {}

    bool Empty() const;
    // The value for key, empty when the key is missing.
    std::string Value(const std::string &key) const;
    // The value while the table has lines, else the built-in text.
    std::string Text(const std::string &key, const std::string &builtIn) const;
    // The value, or the built-in text when the value is empty too.
    std::string TextOr(const std::string &key, const std::string &builtIn) const;

private:
    const std::vector<std::string> *lines_ = nullptr;
    TLookup lookup_;
    bool empty_ = true;
};

// "1st", "2nd", "3rd", "4th" ... "11th", "21st", "22nd", "31st".
std::string OrdinalSuffix(int dayOfMonth);
std::string OrdinalDay(TDateTime dt);

// The name of a period starting at x, seen from the day of `now`.
struct TPeriodName {
    std::string Key;      // language key: "TODAY", "Monday", ...
    std::string BuiltIn;  // English text
    bool Night = false;
};
TPeriodName NamePeriod(TDateTime x, TDateTime now);
// The name as the tile shows it.
std::string PeriodText(const TPeriodName &name, const TLangView &lang);

// Shortens Spanish summaries so they fit a tile.
std::string ShortenSummary(const std::string &text);

// Worded forecast of the first period with a detail, followed by the next
// period's when 12-hour periods are used and that one starts after today.
// Empty when there is nothing to show.
std::string InsetText(const TForecasts &forecasts, bool periods12, TDateTime today);

// The high and low captions of a tile.
enum class TTempAlign { Left, Center, Right };
struct TTempCaption {
    bool Visible = false;
    TTempAlign Align = TTempAlign::Left;
    std::string Text;
};
struct TTempCaptions {
    TTempCaption High, Low;
};
TTempCaptions TemperatureCaptions(const TForecastItem &period, bool periods12, const TLangView &lang);

// The forecast balloon before it shows hint text T: the header line and the
// text the balloon shows below it.
struct TBalloonText {
    std::string Header;
    std::string Body;
};
TBalloonText ForecastBalloonText(const std::string &hint, const TLangView &lang);

// glForecastTime from the service's forecast time (an XML Schema date-time);
// empty when the time is empty or cannot be read.
std::string ForecastTimeCaption(const std::string &xmlTime, const TLangView &lang);

// Inset label placement for a label of labelHeight in a client area.
struct TInsetScroll {
    bool BarVisible = false;
    int BarMax = 0;
    int LabelTop = 0;
    int LabelWidth = 0;
};
// position is the bar's position; border the inset's border width.
TInsetScroll InsetScrollLayout(int labelHeight, int clientHeight, int clientWidth, int barWidth, int position,
                               int border);
