#include "service/DataMod.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lang/ResourceMap.h"
#include "support/TestSupport.h"

namespace {

// A tiny station table: two inside the box around Washington, one far away,
// one without coordinates.
const char *kStations =
    "TOLVU-TABLE 1\n"
    "ID\tState\tName\tLatitude\tLongitude\n"
    "KFAR\tCA\tFar Away\t34.0\t-118.0\n"
    "KBBB\tVA\tSecond\t38.95\t-77.03\n"
    "KNUL\tDC\tNo Position\t\\N\t\\N\n"
    "KAAA\tDC\tFirst\t38.86\t-77.03\n";

std::vector<std::string> Column(TDataSet &set, const std::string &field)
{
    std::vector<std::string> out;
    for (set.First(); !set.Eof(); set.Next())
        out.push_back(set.AsString(field));
    return out;
}

}  // namespace

TEST(GeoDistance, EquirectangularRoundedToCents)
{
    struct Case {
        bool km;
        double lat1, lon1, lat2, lon2, expected;
    } cases[] = {
        {false, 38.85, -77.03, 39.85, -77.03, 69.10},  // one degree of latitude: 69.0976 mi
        {true, 0, 0, 1, 0, 111.19},                    // 6371 x pi / 180 = 111.1949 km
        {false, 10, 20, 10, 20, 0.0},
        {false, 60, 0, 60, 1, 34.55},  // a degree of longitude shrinks with cos(60)
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(GeoDistance(c.km, c.lat1, c.lon1, c.lat2, c.lon2), c.expected)
            << c.lat1 << "," << c.lon1 << " -> " << c.lat2 << "," << c.lon2;
}

TEST(DataGeo, BoxAroundCentreAndUnchangedCentre)
{
    TData data("");
    EXPECT_EQ(data.MinLat, -90);
    EXPECT_EQ(data.MaxLon, 180);
    EXPECT_EQ(data.Radius, 32);

    data.SetCentre(38.85, -77.03);
    EXPECT_NEAR(data.MaxLat - 38.85, 0.4631, 0.0005);
    EXPECT_NEAR(38.85 - data.MinLat, 0.4631, 0.0005);
    EXPECT_NEAR(data.MaxLon + 77.03, 0.5945, 0.0005);
    EXPECT_NEAR(-77.03 - data.MinLon, 0.5945, 0.0005);

    // The same centre again does not recompute, even with another radius.
    double maxLat = data.MaxLat;
    data.Radius = 64;
    data.SetCentre(38.85, -77.03);
    EXPECT_EQ(data.MaxLat, maxLat);
    data.SetCentre(38.85, -77.0);
    EXPECT_NEAR(data.MaxLat - 38.85, 0.9262, 0.001);

    // A latitude whose cosine cannot be taken makes the box unbounded east-west.
    data.SetCentre(1e300, 0);
    EXPECT_TRUE(std::isinf(data.MaxLon));
}

TEST(DataGeo, FilterKeepsStationsInsideTheBoxWithCoordinates)
{
    TempProfile profile;
    std::string path = profile.Root() + "Station.dat";
    WriteFile(path, kStations);
    TData data("");
    TDataSet &st = data.Station();
    EXPECT_FALSE(st.Active());
    EXPECT_EQ(st.RecordCount(), 0);
    st.LoadFromFile(path);
    ASSERT_EQ(st.RecordCount(), 4);

    // A new module's box is the whole world: only the row without position is left out.
    st.SetFiltered(true);
    EXPECT_EQ(st.RecordCount(), 3);

    data.SetCentre(38.85, -77.03);
    data.ComputeStationDistances();
    EXPECT_EQ(Column(st, "ID"), (std::vector<std::string>{"KAAA", "KBBB"}));
    EXPECT_EQ(Column(st, "Distance"), (std::vector<std::string>{"0.69", "6.91"}));

    // A filter text takes over from the box.
    st.SetFilter("State='CA'");
    EXPECT_EQ(Column(st, "ID"), (std::vector<std::string>{"KFAR"}));
}

TEST(DataGeo, NearestFirstTiesByState)
{
    TempProfile profile;
    std::string path = profile.Root() + "Station.dat";
    WriteFile(path,
              "TOLVU-TABLE 1\nID\tState\tLatitude\tLongitude\n"
              "KTX1\tTX\t30.1\t-97\nKAL1\tAL\t30.1\t-97\nKNEA\tZZ\t30.0\t-97\n");
    TData data("");
    data.Station().LoadFromFile(path);
    data.Station().SetFiltered(true);
    data.SetCentre(30, -97);
    data.ComputeStationDistances();
    EXPECT_EQ(Column(data.Station(), "ID"), (std::vector<std::string>{"KNEA", "KAL1", "KTX1"}));
    EXPECT_EQ(data.Station().RecNo(), 2);  // walked to the end
    data.ComputeStationDistances();
    EXPECT_EQ(data.Station().AsString("ID"), "KNEA");  // left on the nearest
}

TEST(DataSets, ShippedRows)
{
    TData data("");
    EXPECT_EQ(Column(data.RegionSet(), "ID"),
              (std::vector<std::string>{"erh", "wrh", "crh", "srh", "prh", "arh"}));

    TDataSet &img = data.ImageSet();
    ASSERT_TRUE(img.Locate("Key", int64_t(24)));
    EXPECT_EQ(img.AsString("ID"), "FTG");
    EXPECT_EQ(img.AsString("Name"), "Front Range AP/Denver");
    ASSERT_TRUE(img.Locate("Key", int64_t(109)));
    EXPECT_EQ(img.AsString("Name"), "Moshannon St Forest/State Colleg");
    ASSERT_TRUE(img.Locate("Key", int64_t(0)));
    EXPECT_EQ(img.AsString("Name"), "Not Assigned");
    EXPECT_TRUE(img.IsNull("Service"));
    ASSERT_TRUE(img.Locate("Name", std::string("Pennsylvania")));
    EXPECT_EQ(img.AsString("ID"), "PA");
    EXPECT_EQ(img.AsString("Region"), "State");
    ASSERT_TRUE(img.Locate("Key", int64_t(391)));
    EXPECT_NE(img.AsString("URL").find("/sat_mosaic_640x480_public/IR/isawmerc"), std::string::npos);

    struct Count {
        const char *filter;
        int rows;
    } counts[] = {
        {"Service=0 and Region='Local'", 149}, {"Service=0 and Region='National'", 2},
        {"Service=0 and Region='Regional'", 12}, {"Service=1", 116},
        {"Service=1 and Region='Region'", 4},  {"Service=1 and Region='State' and Country='US'", 56},
        {"Service IS NULL", 1},
    };
    img.SetFiltered(true);
    for (const Count &c : counts) {
        img.SetFilter(c.filter);
        EXPECT_EQ(img.RecordCount(), c.rows) << c.filter;
    }

    TDataSet &opt = data.OptionSet();
    ASSERT_EQ(opt.RecordCount(), 3);
    opt.First();
    EXPECT_EQ(opt.AsString("Key"), "0");
    EXPECT_EQ(opt.AsInteger("Location"), 24);
    EXPECT_EQ(opt.AsString("ID"), "FTG");
}

TEST(DataSets, FilterTextsAreSqlAndCannotEscape)
{
    TData data("");
    TDataSet &img = data.ImageSet();
    img.SetFiltered(true);
    img.SetFilter("Service=1 and Region='Region' and ID='RE'");
    ASSERT_EQ(img.RecordCount(), 1);
    EXPECT_EQ(img.AsInteger("Key"), 428);

    // A broken expression fails loudly; one that would break out of its
    // brackets or add a statement is refused and the table is untouched.
    for (const char *bad : {"Service = = 1", "1) OR (1", "1; DELETE FROM ImageSet", "1 -- )"}) {
        img.SetFilter(bad);
        EXPECT_THROW(img.RecordCount(), TDataError) << bad;
    }
    img.SetFiltered(false);
    EXPECT_EQ(img.RecordCount(), 507 - 227);

    // FilterSet compares texts without case.
    TDataSet &flt = data.FilterSet();
    flt.SetMaster(nullptr, "", "");
    flt.SetFiltered(true);
    flt.SetFilter("Name='local'");
    ASSERT_EQ(flt.RecordCount(), 1);
    EXPECT_EQ(flt.AsString("Filter"), "Service=0 and Region='Local'");
}

TEST(DataSets, DetailsFollowTheCurrentOption)
{
    TData data("");
    TDataSet &opt = data.OptionSet();
    TDataSet &flt = data.FilterSet();
    TDataSet &cond = data.ConditionSet();

    opt.First();
    EXPECT_EQ(Column(flt, "Name"), (std::vector<std::string>{"Local", "Regional", "National"}));
    ASSERT_TRUE(cond.Locate("Icon", std::string("sn50")));
    EXPECT_EQ(cond.AsString("UserIcon"), "32");
    ASSERT_TRUE(cond.Locate("Icon", std::string("snowshowers")));
    EXPECT_EQ(cond.AsString("UserIcon"), "30A");
    EXPECT_FALSE(cond.Locate("Icon", std::string("33")));  // an AccuWeather code

    ASSERT_TRUE(opt.Locate("Key", std::string("1")));
    EXPECT_EQ(flt.RecordCount(), 8);
    ASSERT_TRUE(cond.Locate("Icon", std::string("20")));
    EXPECT_EQ(cond.AsString("UserIcon"), "30A");
    ASSERT_TRUE(cond.Locate("Icon", std::string("00")));
    EXPECT_EQ(cond.AsString("UserIcon"), "54");

    // A new detail row takes the master's key.
    data.LocationSet().Append();
    data.LocationSet().SetValue("Name", std::string("Home"));
    data.LocationSet().Post();
    EXPECT_EQ(data.LocationSet().AsInteger("Service"), 1);
    opt.First();
    EXPECT_EQ(data.LocationSet().RecordCount(), 0);
}

TEST(DataSets, CursorEditPostCancelDelete)
{
    TData data("");
    TDataSet &reg = data.RegionSet();
    EXPECT_THROW(reg.SetValue("Name", std::string("x")), TDataError);  // not editing

    ASSERT_TRUE(reg.Locate("ID", std::string("WRH"), true));
    reg.Edit();
    reg.SetValue("Name", std::string(70, 'W'));  // longer than the column
    reg.Post();
    reg.Refresh();
    ASSERT_TRUE(reg.Locate("ID", std::string("wrh")));
    EXPECT_EQ(reg.AsString("Name"), std::string(64, 'W'));

    reg.Edit();
    reg.SetValue("Name", std::string("discarded"));
    EXPECT_EQ(reg.AsString("Name"), "discarded");
    reg.Cancel();
    EXPECT_EQ(reg.AsString("Name"), std::string(64, 'W'));

    reg.Append();
    reg.SetValue("ID", std::string("nrh"));
    reg.Post();
    EXPECT_EQ(reg.AsInteger("Key"), 6);  // next auto-increment value
    EXPECT_EQ(reg.RecordCount(), 7);
    reg.Delete();
    EXPECT_EQ(reg.RecordCount(), 6);
    EXPECT_FALSE(reg.Locate("ID", std::string("nrh")));

    EXPECT_THROW(reg.Value("NoSuchField"), TDataError);
    reg.Edit();
    EXPECT_THROW(reg.SetValue("Key", std::string("seven")), TDataError);
    reg.Cancel();

    // Navigation ends.
    reg.Last();
    reg.Next();
    EXPECT_TRUE(reg.Eof());
    reg.First();
    reg.Prior();
    EXPECT_TRUE(reg.Bof());
    EXPECT_EQ(reg.RecNo(), 0);
}

TEST(DataSets, StoredSetsReplaceShippedRowsUnlessDamaged)
{
    TempProfile profile;
    std::string dir = profile.Root();
    WriteFile(dir + "FilterSet.wxd",
              "TOLVU-TABLE 1\nKey\tService\tName\tFilter\tExtraColumn\n"
              "40\t0\tAdvisory\tService=0 and Region='Local'\tignored\n");
    WriteFile(dir + "RegionSet.wxd", "TOLVU-TABLE 1\nKey\tID\tName\n9\txx\n");  // short row
    WriteFile(dir + "ImageSet.wxd", "TOLVU-TABLE 1\nKey\tService\n1\tnot a number\n");

    TData data(dir);
    data.FilterSet().SetMaster(nullptr, "", "");
    ASSERT_EQ(data.FilterSet().RecordCount(), 1);
    EXPECT_EQ(data.FilterSet().AsString("Name"), "Advisory");
    EXPECT_EQ(data.RegionSet().RecordCount(), 6);
    EXPECT_EQ(data.ImageSet().RecordCount(), 507 - 227);  // shipped rows, no third-provider rows
}

TEST(DataSets, TableFileRoundTrip)
{
    TempProfile profile;
    std::string path = profile.Root() + "LocationSet.wxd";
    {
        TData data("");
        data.LocationSet().SetMaster(nullptr, "", "");
        data.LocationSet().Append();
        data.LocationSet().SetValue("Name", std::string("Tab\there\nand \\N"));
        data.LocationSet().SetValue("Service", int64_t(1));
        data.LocationSet().Post();
        data.LocationSet().Append();
        data.LocationSet().SetValue("Name", std::string(""));
        data.LocationSet().Post();
        data.LocationSet().SaveToFile(path);
    }
    TData data(profile.Root());
    TDataSet &loc = data.LocationSet();
    loc.SetMaster(nullptr, "", "");
    ASSERT_EQ(loc.RecordCount(), 2);
    loc.First();
    EXPECT_EQ(loc.AsString("Name"), "Tab\there\nand \\N");
    EXPECT_EQ(loc.AsInteger("Service"), 1);
    loc.Next();
    EXPECT_FALSE(loc.IsNull("Name"));
    EXPECT_TRUE(loc.IsNull("Service"));
}

// The data module's resource rows and the language map's rows are different
// types; one name for both let the linker mix their layouts and corrupt the
// heap. Both headers in one file keep them apart.
TEST(DataSets, ResourceRowsLoadFromList)
{
    const TResourceRow mapRow{"SCurrent", 100};
    const std::vector<TResourceEntry> rows{{mapRow.Name, mapRow.ID}};
    EXPECT_EQ(rows[0].Name, "SCurrent");
    TData data("");
    EXPECT_EQ(data.ResourceSet().RecordCount(), 0);
    data.LoadResourceRows({{"SCurrent", 100}, {"SForecast", 101}});
    EXPECT_EQ(Column(data.ResourceSet(), "Name"), (std::vector<std::string>{"SCurrent", "SForecast"}));
    data.LoadResourceRows({{"SAlerts", 7}});
    ASSERT_EQ(data.ResourceSet().RecordCount(), 1);
    EXPECT_EQ(data.ResourceSet().AsInteger("ID"), 7);
}
