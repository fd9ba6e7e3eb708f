#pragma once
// Reads AccuWeather's watch and warning web page. Each alert block on the
// page is a marked headline line, a date line, the "awx-story" marker and the
// story lines up to the next "</div>"; each block becomes one record.
#include <memory>
#include <string>
#include <vector>

#include "accuweather/Parse.h"
#include "platform/Clock.h"

namespace AccuAlert {
extern const char *const Markers[2];       // "warning-body-content", "awx-story"
extern const char *const AlertKeywords[8];  // tried in this order
extern const char *const WeekDays[7];
extern const char *const Months[12];
}  // namespace AccuAlert

struct TAcuAlertItemRec {
    std::string Title;     // headline in title case
    std::string Headline;  // headline line without tags
    std::vector<std::string> Story;
    TDateTime Issued = 0;  // zero when the page gave no date
    // The story lines, each followed by CR LF (the alert description).
    std::string Text() const;
};

class TAcuAlertList : public TCustomParse {
public:
    // Parses the page at once. The lines are only read during construction.
    explicit TAcuAlertList(const TParseLines &lines);

    int Count() const { return static_cast<int>(Records.size()); }
    // Null for an index outside 0 .. Count()-1.
    const TAcuAlertItemRec *Record(int index) const;

    int State = 0;  // 0 headline, 1 date, 2 story marker, 3 story
    std::vector<std::unique_ptr<TAcuAlertItemRec>> Records;

private:
    void AlertLine(int index, std::string &line, bool &accept);
    // Adds a record when the line names a kind of alert; false otherwise.
    bool ClassifyAndAdd(const std::string &line);
};

namespace AccuAlert {

// Trims, then removes tags from the front; a paragraph end or "</div>"
// becomes LF CR. Stops at the first ">" that comes before any "<".
std::string StripTags(const std::string &text);
// Lower case with each word's first letter raised, except the last character.
std::string TitleCase(const std::string &text);
// Reads a date line such as "Mon Jan 5, 3:45 PM" into rec.Issued, with the
// current year and the global date order. The line is returned stripped of
// tags. False when the line holds no weekday, month, comma or valid date.
bool ParseIssued(TAcuAlertItemRec &rec, std::string &line);

}  // namespace AccuAlert
