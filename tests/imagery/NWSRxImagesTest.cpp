#include <gtest/gtest.h>

#include "imagery/GifWriter.h"
#include "imagery/NWSRxImages.h"
#include "nws/NWSService.h"
#include "imagery/ImageryServer.h"
#include "dialogs/MsgHook.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "service/Servers.h"

namespace {

struct NWSImagery : ::testing::Test {
    TempProfile profile;
    TImageryServer server;
    TData data;

    void Serve() {
        server.Start();
        SetServerOverride(TServer::NWSRadar, server.Base());
        SetServerOverride(TServer::NWSWeb, server.Base());
    }
    void TearDown() override { ClearServerOverrides(); }
    // Makes the image set current the way the page does: its filter row, then the row.
    void Choose(int key) {
        TDataSet &images = data.ImageSet();
        images.SetFiltered(false);
        ASSERT_TRUE(images.Locate("Key", TValue(int64_t(key))));
        const std::string region = images.AsString("Region");
        ASSERT_TRUE(data.FilterSet().Locate("Region", TValue(region), true));
        images.SetFilter(data.FilterSet().AsString("Filter"));
        images.SetFiltered(true);
        ASSERT_TRUE(images.Locate("Key", TValue(int64_t(key))));
    }
    std::string Name() { return data.ImageSet().AsString("Name"); }
};

}  // namespace

TEST_F(NWSImagery, OptionsAndTheirStartingStates) {
    Serve();
    TNWSRxImages rx(&data);
    EXPECT_TRUE(rx.Connected);
    const std::vector<std::string> names{"BackGround", "Topography", "Lakes/Rivers", "Radar", "Counties",
                                         "Highways",   "Cities",     "Warnings",     "Animate"};
    ASSERT_EQ(rx.GetOptions(), names);
    for (const std::string &n : names) EXPECT_EQ(rx.OptionChecked(n), n != "Warnings" && n != "Animate") << n;
    EXPECT_TRUE(rx.OptionChecked("lakes/rivers"));
    EXPECT_EQ(rx.GetViewOptions(), std::vector<std::string>{"Local"});
}

TEST_F(NWSImagery, LocalSiteStillFrameAddressAndCachePath) {
    server.Files["/RadarImg/NCR/FTG_NCR_0.gif"] = EncodeGif({{BlockImage(600, 550, Qt::black, Qt::green), 0}});
    Serve();
    TNWSRxImages rx(&data);
    QImage target;
    rx.SetTargetPicture(&target);
    Choose(24);
    rx.SetImageName(Name());
    EXPECT_TRUE(server.Asked("/RadarImg/NCR/FTG_NCR_0.gif"));
    ASSERT_EQ(rx.Frames().size(), 1u);
    EXPECT_EQ(rx.Frames()[0], rx.GetCacheRoot() + "Cache/Images/FTG_NCR_0.gif");
    // Every site layer was asked for below the overlay folders.
    for (const char *p : {"/Overlays/Topo/Short/FTG_Topo_Short.jpg", "/Overlays/Rivers/Short/FTG_Rivers_Short.gif",
                          "/Overlays/County/Short/FTG_County_Short.gif",
                          "/Overlays/Highways/Short/FTG_Highways_Short.gif", "/Overlays/Cities/Short/FTG_City_Short.gif"})
        EXPECT_TRUE(server.Asked(p)) << p;
    ASSERT_EQ(rx.Overlays().size(), 6u);  // missing layers keep their places
    EXPECT_EQ(rx.GetSourcePage(), server.Base() + "/ridge/radar.php?rid=FTG");
    EXPECT_EQ(target.size(), QSize(600, 550));
}

TEST_F(NWSImagery, NationalAndRegionalFileNames) {
    Serve();
    TNWSRxImages rx(&data);
    struct Case {
        int key;
        bool animate;
        std::string path, file;
    } cases[] = {
        {156, true, "/Conus/Loop/", "northeast_loop.gif"},
        {156, false, "/ridge/Conus/RadarImg/", "northeast.gif"},
        {149, true, "/Conus/Loop/", "NatLoop_Small.gif"},
        {150, true, "/Conus/Loop/", "NatLoop.gif"},
        {150, false, "/ridge/Conus/RadarImg/", "latest.gif"},
    };
    for (const Case &c : cases) {
        Choose(c.key);
        rx.FindOption("Animate")->Checked = c.animate;  // the file list alone, no loop
        rx.SetImageName(Name());
        std::string folder, url, file;
        int index = 0;
        rx.GetFrameURL(Name(), folder, url, index, file);
        EXPECT_EQ(index, 1);
        EXPECT_EQ(url, server.Base() + c.path) << c.key;
        EXPECT_EQ(file, c.file) << c.key;
        EXPECT_EQ(folder, "Cache\\Images\\");
        EXPECT_TRUE(rx.Overlays().empty());
        EXPECT_EQ(rx.GetSourcePage(), server.Base() + "/ridge/Conus/");
    }
}

TEST_F(NWSImagery, LoopListingNamesStayInsideTheCache) {
    const std::string frame = EncodeGif({{BlockImage(20, 20, Qt::black, Qt::green), 0}});
    server.Files["/RadarImg/NCR/LWX_NCR_0.gif"] = frame;
    server.Files["/RadarImg/NCR/LWX/"] =
        "<html><body><pre>\n"
        "<a href=\"LWX_20240501_1200_NCR.gif\">LWX_20240501_1200_NCR.gif</a>  01-May-2024 12:00  12K\n"
        "<a href=\"LWX_20240501_1210_NCR.gif\"> LWX_20240501_1210_NCR.gif</a>  01-May-2024 12:10  12K\n"
        "LWX <a href=\"../../x.gif\">../../x.gif</a>\n"
        "<a href=\"readme.txt\">readme.txt</a> lwx\n"
        "<a href=\"LWX_bad.gif\"></a>\n"
        "</pre></body></html>\n";
    server.Files["/RadarImg/NCR/LWX/LWX_20240501_1200_NCR.gif"] = frame;
    server.Files["/RadarImg/NCR/LWX/LWX_20240501_1210_NCR.gif"] = frame;
    server.Files["/RadarImg/NCR/LWX/x.gif"] = frame;
    Serve();
    TNWSRxImages rx(&data);
    Choose(27);
    rx.FindOption("Animate")->Checked = true;
    rx.SetImageName(Name());
    EXPECT_EQ(rx.FileList(), (std::vector<std::string>{"LWX_NCR_0.gif", "LWX_20240501_1200_NCR.gif",
                                                        "LWX_20240501_1210_NCR.gif", "x.gif"}));
    const std::string dir = rx.GetCacheRoot() + "Cache/Images/";
    EXPECT_EQ(rx.Frames(), (std::vector<std::string>{dir + "LWX_NCR_0.gif", dir + "LWX_20240501_1200_NCR.gif",
                                                      dir + "LWX_20240501_1210_NCR.gif", dir + "x.gif"}));
    EXPECT_FALSE(FileExists(rx.GetCacheRoot() + "x.gif"));
    EXPECT_FALSE(FileExists(profile.Root() + "x.gif"));
    EXPECT_TRUE(server.Asked("/RadarImg/NCR/LWX/x.gif"));
}

TEST_F(NWSImagery, LayersUnderAndOverTheRadar) {
    // Topography green; counties a red line on a transparent picture; radar a
    // yellow echo on black (the key colour, transparent below full opacity).
    server.Files["/Overlays/Topo/Short/LWX_Topo_Short.jpg"] = PngBytes(BlockImage(40, 40, Qt::green, Qt::green));
    QImage county(40, 40, QImage::Format_ARGB32);
    county.fill(Qt::transparent);
    for (int x = 0; x < 40; ++x) county.setPixelColor(x, 2, Qt::red);
    server.Files["/Overlays/County/Short/LWX_County_Short.gif"] = EncodeGif({{county, 0}});
    server.Files["/RadarImg/NCR/LWX_NCR_0.gif"] = EncodeGif({{BlockImage(40, 40, Qt::black, Qt::yellow), 0}});
    server.Files["/Warnings/Short/LWX_Warnings_0.gif"] = std::string(2000, 'x');  // unreadable
    Serve();
    TNWSRxImages rx(&data);
    QImage target;
    rx.SetTargetPicture(&target);
    Choose(27);
    rx.SetImageName(Name());
    rx.SetOpacity(100);
    const QColor echo = target.pixelColor(20, 20);
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::green));  // radar key colour shows the map
    EXPECT_EQ(target.pixelColor(5, 2), QColor(Qt::red));    // counties over everything
    EXPECT_GT(echo.red(), 60);
    EXPECT_LT(echo.red(), 140);

    rx.FindOption("Radar")->Checked = false;
    rx.DrawFrame();
    EXPECT_EQ(target.pixelColor(20, 20), QColor(Qt::green));
    EXPECT_EQ(target.pixelColor(5, 2), QColor(Qt::red));

    // A warnings file that cannot be read is reported and does not become a layer.
    ClearMsgHistory();
    rx.FindOption("Warnings")->Checked = true;
    rx.ReloadFrames();
    EXPECT_EQ(rx.WarningsIndex(), 6);
    ASSERT_FALSE(MsgHistory().empty());
    EXPECT_EQ(MsgHistory().back().Caption, "Overlay Error");
    EXPECT_TRUE(rx.Overlays()[6].Picture.isNull());
    rx.ReloadFrames();  // asked again: the old layer is replaced, not stacked
    EXPECT_EQ(rx.Overlays().size(), 7u);
}

TEST(NWSRegion, StatesToRegions) {
    EXPECT_EQ(TNWxService::RegionOfState("co"), "crh");
    EXPECT_EQ(TNWxService::RegionOfState("TX"), "srh");
    EXPECT_EQ(TNWxService::RegionOfState("WA"), "wrh");
    EXPECT_EQ(TNWxService::RegionOfState("DC"), "crh");
    EXPECT_EQ(TNWxService::RegionOfState("PA"), "erh");
    EXPECT_EQ(TNWxService::RegionOfState("HI"), "prh");
    EXPECT_EQ(TNWxService::RegionOfState("AK"), "arh");
}
