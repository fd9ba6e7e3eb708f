#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "setup/USPSData.h"
#include "support/TestSupport.h"

namespace {
const std::string kTable = std::string(TOLVU_BIN_DIR) + "/USCtyZip.csv";

class CityZip : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(zip.Connect(kTable)); }
    int Lookup(const std::string &q) {
        int count = -1;
        int r = zip.Lookup(q, count);
        if (r > 0) {
            EXPECT_EQ(count, r) << q;
        }
        EXPECT_EQ(r, zip.RecordCount()) << q;
        return r;
    }
    TUSCityZip zip;
};
}  // namespace

TEST_F(CityZip, ZipCodeFindsDenver) {
    ASSERT_EQ(Lookup("80202"), 1);
    const TCityZipRecord *r = zip.Current();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(zip.RecNo(), 1);
    EXPECT_EQ(r->Code, "80202");
    EXPECT_EQ(r->City, "DENVER");
    EXPECT_EQ(r->State, "CO");
    EXPECT_DOUBLE_EQ(r->Latitude, 39.7491);
    EXPECT_DOUBLE_EQ(r->Longitude, -104.9946);
    EXPECT_FALSE(r->Distance.has_value());
}

TEST_F(CityZip, CityNameFindsEachPlaceOnceWithExactNamesFirst) {
    int n = Lookup("Denver");
    ASSERT_GT(n, 1);
    const TCityZipRecord &first = zip.Record(1);
    EXPECT_EQ(first.City, "DENVER");
    EXPECT_EQ(first.State, "CO");
    EXPECT_EQ(first.Code.substr(0, 3), "802");
    EXPECT_NEAR(first.Latitude, 39.75, 0.3);
    EXPECT_NEAR(first.Longitude, -104.99, 0.3);
    bool prefixSeen = false;
    for (int i = 1; i <= n; ++i) {
        const TCityZipRecord &r = zip.Record(i);
        EXPECT_EQ(r.City.rfind("DENVER", 0), 0u) << r.City;
        if (r.City != "DENVER") prefixSeen = true;
        else EXPECT_FALSE(prefixSeen) << "exact name after a longer one: " << r.City << ", " << r.State;
        if (i > 1 && r.City == "DENVER") {
            EXPECT_NE(r.State, "CO");  // one record per city and state
        }
    }
    EXPECT_TRUE(prefixSeen);  // DENVER CITY, TX
}

TEST_F(CityZip, QueryForms) {
    struct Case {
        const char *query;
        const char *state;  // every record in this state, or "" for no check
        const char *codePrefix;
        const char *city;   // some record has this city, or ""
    } cases[] = {
        {"denver, co", "CO", "802", "DENVER"},
        {"  Denver   CO ", "CO", "802", "DENVER"},
        {"CO", "CO", "8", "DENVER"},
        {"802", "CO", "802", ""},
        {"80202-1234", "CO", "80202", "DENVER"},
        {"San Fran", "CA", "941", "SAN FRANCISCO"},
        {"St Louis, MO", "MO", "631", "SAINT LOUIS"},
        {"Ft. Collins", "CO", "805", "FORT COLLINS"},
    };
    for (const Case &c : cases) {
        int n = Lookup(c.query);
        ASSERT_GT(n, 0) << c.query;
        bool cityFound = !*c.city;
        for (int i = 1; i <= n; ++i) {
            const TCityZipRecord &r = zip.Record(i);
            if (*c.state) {
                EXPECT_EQ(r.State, c.state) << c.query;
            }
            cityFound |= r.City == c.city;
        }
        EXPECT_EQ(zip.Record(1).Code.rfind(c.codePrefix, 0), 0u) << c.query << " " << zip.Record(1).Code;
        EXPECT_TRUE(cityFound) << c.query;
    }
    EXPECT_GT(Lookup("CA"), 1000);
}

TEST_F(CityZip, NothingFoundLeavesAnEmptyTable) {
    ASSERT_EQ(Lookup("80202"), 1);
    int count = 7;
    EXPECT_EQ(zip.Lookup("", count), 0);  // no query: the table stays as it is
    EXPECT_EQ(zip.RecordCount(), 1);
    EXPECT_EQ(count, 7);
    for (const char *q : {"Qqqqzz", "12", "1234567", "99999", "80202x", ",", "ZZ"}) {
        EXPECT_EQ(Lookup(q), 0) << q;
        EXPECT_EQ(zip.Current(), nullptr) << q;
    }
}

TEST_F(CityZip, SecondLookupReplacesTheFirst) {
    ASSERT_GT(Lookup("Boulder"), 1);
    ASSERT_EQ(Lookup("10001"), 1);
    EXPECT_EQ(zip.Record(1).City, "NEW YORK");
    EXPECT_EQ(zip.Record(1).State, "NY");
}

TEST_F(CityZip, RecordNumbersHoldWhileWalking) {
    int n = Lookup("Springfield");
    ASSERT_GT(n, 5);
    zip.First();
    int seen = 0;
    do ++seen;
    while (zip.Next());
    EXPECT_EQ(seen, n);
    EXPECT_TRUE(zip.Eof());
    ASSERT_TRUE(zip.SetRecNo(3));
    EXPECT_FALSE(zip.Eof());
    EXPECT_EQ(zip.Current(), &zip.Record(3));
    EXPECT_FALSE(zip.SetRecNo(n + 1));
    EXPECT_FALSE(zip.SetRecNo(0));
    EXPECT_EQ(zip.RecNo(), 3);
}

TEST(CityZipRecord, AddRecordTakesFiveFields) {
    TUSCityZip zip;
    struct Case {
        const char *text;
        bool added;
        const char *code, *city, *state;
        double lat, lon;
    } cases[] = {
        {"80202,DENVER,CO,39.75,-104.99", true, "80202", "DENVER", "CO", 39.75, -104.99},
        {"94101,SAN FRANCISCO,CA,37.77,-122.41", true, "94101", "SAN FRANCISCO", "CA", 37.77, -122.41},
        {"59001,ABSAROKEE,MT, 45.52 ,-109.44,extra,fields", true, "59001", "ABSAROKEE", "MT", 45.52, -109.44},
        {"80202,DENVER,CO,39.75", false, "", "", "", 0, 0},
        {"80202,DENVER,CO,north,-104.99", false, "", "", "", 0, 0},
        {"80202,DENVER,CO,39.75,-104.99x", false, "", "", "", 0, 0},
        {"80202,DENVER,CO,139.75,-104.99", false, "", "", "", 0, 0},
        {"", false, "", "", "", 0, 0},
    };
    int expected = 0;
    for (const Case &c : cases) {
        zip.AddRecord(c.text);
        if (!c.added) {
            EXPECT_EQ(zip.RecordCount(), expected) << c.text;
            continue;
        }
        ASSERT_EQ(zip.RecordCount(), ++expected) << c.text;
        const TCityZipRecord &r = zip.Record(expected);
        EXPECT_EQ(r.Code, c.code);
        EXPECT_EQ(r.City, c.city);
        EXPECT_EQ(r.State, c.state);
        EXPECT_DOUBLE_EQ(r.Latitude, c.lat);
        EXPECT_DOUBLE_EQ(r.Longitude, c.lon);
    }
    EXPECT_EQ(TUSCityZip::Fields().size(), 6u);
    EXPECT_STREQ(TUSCityZip::Fields()[5].Name, "DISTANCE");
}

TEST(CityZipTable, MissingOrBrokenTableConnectsNot) {
    TempProfile profile;
    TUSCityZip zip;
    EXPECT_FALSE(zip.Connect(profile.Root() + "none.csv"));
    int count = 0;
    EXPECT_EQ(zip.Lookup("80202", count), 0);

    // Bad rows are skipped, good ones still load.
    WriteFile(profile.Root() + "t.csv",
              "CODE,CITY,STATE,LATITUDE,LONGITUDE\n"
              "80202,Denver,CO,39.7491,-104.9946\r\n"
              "x1,Bad,CO,1,1\n80203,Nowhere,C,1,1\n80204,Far,CO,95,1\nshort,line\n"
              "80205,Denver,CO,39.7590,-104.9661");
    TCityZipIndex index;
    ASSERT_TRUE(index.Load(profile.Root() + "t.csv"));
    EXPECT_EQ(index.Size(), 2u);
    std::vector<std::string> reports;
    EXPECT_EQ(index.LookUp("denver", TCityZipIndex::kAll, [&](const std::string &t) { reports.push_back(t); }), 1);
    EXPECT_EQ(reports, (std::vector<std::string>{"80202,DENVER,CO,39.7540,-104.9804"}));
    EXPECT_EQ(index.LookUp("80205", TCityZipIndex::kCity, [](const std::string &) {}), 0);

    WriteFile(profile.Root() + "empty.csv", "CODE,CITY,STATE,LATITUDE,LONGITUDE\n");
    EXPECT_FALSE(zip.Connect(profile.Root() + "empty.csv"));
}

TEST(CityZipJson, PrintsTheRecords) {
    auto j = nlohmann::json::parse(ZipLookupJson("80202", kTable));
    ASSERT_EQ(j.size(), 1u);
    EXPECT_EQ(j[0]["city"], "DENVER");
    EXPECT_EQ(j[0]["state"], "CO");
    EXPECT_DOUBLE_EQ(j[0]["latitude"].get<double>(), 39.7491);
    EXPECT_EQ(nlohmann::json::parse(ZipLookupJson("80202", "/nonexistent.csv")).size(), 0u);
}
