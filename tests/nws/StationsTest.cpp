#include "nws/Stations.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Paths.h"
#include "service/DataMod.h"
#include "support/TestSupport.h"

namespace {

// Points the program folder at the built tables (or another folder) for one test.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string &dir) : old_(ProgramPath()) { SetProgramPath(dir); }
    ~ProgramFolder() { SetProgramPath(old_); }

private:
    std::string old_;
};

double LeadingMiles(const std::string &line)
{
    return std::strtod(line.c_str(), nullptr);
}

}  // namespace

TEST(StationSearch, StationIdLooksUpDirectly)
{
    ProgramFolder folder(TOLVU_BIN_DIR "/");
    TData data("");
    TStationSearch r;
    ASSERT_EQ(SearchLocations(&data, "kdca", "", "", r), 1);
    EXPECT_EQ(r.Lines[0], "Washington DC, Reagan National Airport");
    EXPECT_EQ(r.Ids[0], "kdca");

    TStationRec rec;
    ASSERT_TRUE(GetSearchResult(&data, r, 0, rec));
    EXPECT_EQ(rec.ID, "KDCA");
    EXPECT_EQ(rec.Latitude, "38.86");
    EXPECT_EQ(rec.Longitude, "-77.03");
    EXPECT_EQ(rec.State, "VA");
    EXPECT_EQ(rec.CityState, "Arlington, VA");
    EXPECT_EQ(rec.County, "Arlington");  // the station's own county: no place search ran
    EXPECT_EQ(rec.ZipCode, "22243");
    EXPECT_FALSE(GetSearchResult(&data, r, 1, rec));

    // An unknown ID is listed as such.
    ASSERT_EQ(SearchLocations(&data, "QQQQ", "", "", r), 1);
    EXPECT_EQ(r.Lines[0], "Invalid Station");
}

TEST(StationSearch, InvalidIdsLeaveTheRecordAlone)
{
    ProgramFolder folder(TOLVU_BIN_DIR "/");
    TData data("");
    for (const char *id : {"KDCAXYZ", "", "KNOWHERE"}) {
        TStationRec rec;
        rec.ID = "keep";
        rec.Latitude = "1.5";
        EXPECT_FALSE(LookupLocation(&data, id, rec)) << id;
        EXPECT_EQ(rec.Name, "Invalid Station");
        EXPECT_EQ(rec.ID, "keep");
        EXPECT_EQ(rec.Latitude, "1.5");
    }
    TStationRec rec;
    EXPECT_FALSE(LookupLocation(nullptr, "KDCA", rec));
    EXPECT_EQ(rec.Name, "Invalid Station");
}

TEST(StationSearch, PlaceSearchListsNearestFirstAndPicksTheZone)
{
    ProgramFolder folder(TOLVU_BIN_DIR "/");
    TData data("");
    TStationSearch r;
    int n = SearchLocations(&data, "Washington", "38.85", "-77.03", r);
    ASSERT_GT(n, 1);
    ASSERT_EQ(r.Ids.size(), r.Lines.size());
    EXPECT_EQ(r.Ids[0], "KDCA");
    EXPECT_EQ(r.Lines[0], "0.69 mi., Washington DC, Reagan National Airport");
    for (size_t i = 1; i < r.Lines.size(); ++i) {
        EXPECT_LE(LeadingMiles(r.Lines[i - 1]), LeadingMiles(r.Lines[i])) << r.Lines[i];
        EXPECT_LE(LeadingMiles(r.Lines[i]), 32 * 1.5) << r.Lines[i];  // box corners reach sqrt(2) x radius
        EXPECT_NE(r.Lines[i].find(" mi., "), std::string::npos);
    }

    // After a place search the county comes from the nearest zone.
    TStationRec rec;
    ASSERT_TRUE(GetSearchResult(&data, r, 0, rec));
    EXPECT_EQ(rec.County, data.Zone().AsString("COUNTYNAME"));
    EXPECT_FALSE(rec.County.empty());

    // An ID search afterwards still finds stations outside that box.
    ASSERT_EQ(SearchLocations(&data, "KLAX", "", "", r), 1);
    EXPECT_NE(r.Lines[0], "Invalid Station");
}

TEST(StationSearch, EmptyBoxBadCoordinatesAndMissingTables)
{
    {
        ProgramFolder folder(TOLVU_BIN_DIR "/");
        TData data("");
        TStationSearch r;
        r.Lines = {"stale"};
        r.Ids = {"stale"};
        EXPECT_EQ(SearchLocations(&data, "middle of the ocean", "0", "-150", r), 0);
        EXPECT_TRUE(r.Lines.empty());
        EXPECT_TRUE(r.Ids.empty());
        EXPECT_EQ(SearchLocations(&data, "somewhere", "north", "-77", r), 0);
        EXPECT_EQ(SearchLocations(nullptr, "somewhere", "38.85", "-77.03", r), 0);
    }
    TempProfile empty;
    ProgramFolder folder(empty.Root());
    TData data("");
    TStationSearch r;
    EXPECT_EQ(SearchLocations(&data, "KDCA", "", "", r), 0);
    EXPECT_EQ(SearchLocations(&data, "Washington", "38.85", "-77.03", r), 0);
}
