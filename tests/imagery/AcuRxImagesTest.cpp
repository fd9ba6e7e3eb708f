#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "imagery/AcuRxImages.h"
#include "imagery/GifWriter.h"
#include "imagery/ImageryServer.h"
#include "platform/Paths.h"
#include "service/DataMod.h"
#include "service/Servers.h"

namespace {

constexpr const char *kWorldStill = "/sat_mosaic_640x480_public/IR/iswmerc.jpg";
constexpr const char *kWorldLoop = "/sat_mosaic_640x480_public/IR/isawmerc.gif";

std::string JpegBytes(const QImage &img) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG", 95);
    return bytes.toStdString();
}

struct AcuImagery : ::testing::Test {
    TempProfile profile;
    TImageryServer server;
    std::unique_ptr<TData> data;  // after the servers: its rows hold absolute addresses

    void Serve() {
        server.Start();
        SetServerOverride(TServer::AccuImages, server.Base());
        // The surface maps' server, told apart by a path of its own.
        SetServerOverride(TServer::AccuWeb, server.Base() + "/web");
        data = std::make_unique<TData>();
    }
    void TearDown() override { ClearServerOverrides(); }
    TDataSet &Images() { return data->ImageSet(); }
    // Makes a row current the way the imagery page does: its kind's filter, then the row.
    void Choose(const std::string &field, const TValue &value) {
        Images().SetFiltered(false);
        ASSERT_TRUE(Images().Locate(field, value));
        const std::string where = "Service=1 and Region='" + Images().AsString("Region") + "'";
        const int64_t key = Images().AsInteger("Key");
        Images().SetFilter(where);
        Images().SetFiltered(true);
        ASSERT_TRUE(Images().Locate("Key", TValue(key)));
    }
    void Choose(int key) { Choose("Key", TValue(int64_t(key))); }
    std::string Name() { return Images().AsString("Name"); }
    // Requests for a path (a download asks twice: its size, then the file).
    int Asks(const std::string &path) {
        int n = 0;
        for (const std::string &p : server.Seen()) n += p == path;
        return n;
    }
    // Runs the animation for the given number of steps.
    void Animate(TAcuRxImages &rx, int steps) {
        int n = 0;
        auto step = rx.OnAnimate;
        rx.OnAnimate = [&](TCustomRxImage &r) {
            step(r);
            if (++n == steps) r.SetOption("Animate", false);
        };
        rx.SetOption("Animate", true);
        rx.OnAnimate = step;
    }
};

std::string StillFile(TAcuRxImages &rx, std::string &url) {
    std::string folder, file;
    int index = 0;
    rx.GetFrameURL(rx.ImageName(), folder, url, index, file);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(folder, "Cache\\Images\\");
    return file;
}

}  // namespace

TEST_F(AcuImagery, StillPictureAddresses) {
    Serve();
    TAcuRxImages rx(data.get());
    EXPECT_EQ(rx.GetOptions(), std::vector<std::string>{"Animate"});
    EXPECT_FALSE(rx.OptionChecked("Animate"));
    struct Case {
        const char *field;
        TValue value;
        std::string folder, file;
    } cases[] = {
        {"Key", int64_t(391), "/sat_mosaic_640x480_public/IR/", "iswmerc.jpg"},
        {"Key", int64_t(418), "/nx_mosaic_640x480_public/sir/", "inmSIRUS_.gif"},
        {"Name", std::string("Pennsylvania"), "/nx_mosaic_640x480c/RE/", "inmREPA_.gif"},
        {"Name", std::string("Northeast Satelite"), "/sat_mosaic_640x480_public/rs/", "isrNE.jpg"},
        {"Name", std::string("British Columbia"), "/nx_mosaic_640x480_public/sir/", "inmSIRBC_.gif"},
        {"Name", std::string("Northeast Radar"), "/nx_mosaic_640x480_public/sir/", "inmSIRNE.gif"},
        {"Key", int64_t(417), "/web/publicgfx/", "ussu0000.jpg"},
    };
    for (const Case &c : cases) {
        Choose(c.field, c.value);
        const std::string filter = Images().Filter();
        const int64_t key = Images().AsInteger("Key");
        rx.SetImageName(Name());
        std::string url;
        EXPECT_EQ(StillFile(rx, url), c.file) << key;
        EXPECT_EQ(url, server.Base() + c.folder) << key;
        EXPECT_EQ(rx.FileList(), std::vector<std::string>{c.file});
        // Looking up the address template leaves the page's list where it was.
        EXPECT_EQ(Images().Filter(), filter);
        EXPECT_TRUE(Images().Filtered());
        EXPECT_EQ(Images().AsInteger("Key"), key);
    }
}

TEST_F(AcuImagery, RowsWithoutAKindAndRepeatedNames) {
    Serve();
    TAcuRxImages rx(data.get());
    // A template row shows the world picture.
    Choose(426);
    rx.SetImageName(Name());
    EXPECT_EQ(rx.ImageName(), "World");
    EXPECT_EQ(rx.Region(), "global");
    std::string url;
    EXPECT_EQ(StillFile(rx, url), "iswmerc.jpg");
    EXPECT_EQ(url, server.Base() + "/sat_mosaic_640x480_public/IR/");

    // "Radar" of the United States, then "Radar" of Canada.
    Choose(418);
    rx.SetImageName(Name());
    EXPECT_EQ(StillFile(rx, url), "inmSIRUS_.gif");
    Choose(423);
    ASSERT_EQ(Name(), rx.ImageName());
    rx.SetImageName(Name());
    EXPECT_EQ(StillFile(rx, url), "inmSIRCNC.gif");
    EXPECT_TRUE(server.Asked("/nx_mosaic_640x480_public/SIR/inmSIRCNC.gif"));
}

TEST_F(AcuImagery, StillIntoTheCacheAndAFailedRefreshKeepsIt) {
    const std::string still = JpegBytes(BlockImage(64, 48, Qt::blue, Qt::white));
    server.Files[kWorldStill] = still;
    Serve();
    TAcuRxImages rx(data.get());
    EXPECT_TRUE(rx.Connected);
    EXPECT_EQ(rx.GetSourcePage(), server.Base() + "/web");
    QImage target;
    rx.SetTargetPicture(&target);
    Choose(391);
    rx.SetImageName(Name());

    const std::string path = rx.GetCacheRoot() + "Cache/Images/iswmerc.jpg";
    ASSERT_EQ(rx.Frames(), std::vector<std::string>{path});
    EXPECT_EQ(ReadFile(path), still);
    ASSERT_EQ(target.size(), QSize(64, 48));
    EXPECT_LT(target.pixelColor(2, 2).red(), 40);
    EXPECT_GT(target.pixelColor(2, 2).blue(), 200);
    EXPECT_GT(target.pixelColor(32, 24).red(), 200);

    // The refresh button: the server now fails.
    server.Status[kWorldStill] = 503;
    const QImage before = target.copy();
    const int asked = Asks(kWorldStill);
    rx.ForceReload = true;
    rx.Reload();
    EXPECT_GT(Asks(kWorldStill), asked);
    EXPECT_FALSE(rx.ForceReload);
    EXPECT_EQ(ReadFile(path), still);
    EXPECT_EQ(target, before);
    EXPECT_EQ(rx.Frames(), std::vector<std::string>{path});
}

TEST_F(AcuImagery, LoopFetchedAndSteppedWhileAnimating) {
    std::vector<TGifFrame> loop;
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::yellow)})
        loop.push_back({BlockImage(40, 30, Qt::black, c), 20});
    const std::string gif = EncodeGif(loop);
    struct Case {
        int key;
        std::string still, loop;
    } cases[] = {
        {391, kWorldStill, kWorldLoop},
        {418, "/nx_mosaic_640x480_public/sir/inmSIRUS_.gif", "/nx_mosaic_640x480_public/sir/inmaSIRUS_.gif"},
    };
    for (const Case &c : cases) {
        server.Files[c.still] = EncodeGif({{BlockImage(40, 30, Qt::black, Qt::blue), 0}});
        server.Files[c.loop] = gif;
    }
    Serve();
    for (const Case &c : cases) {
        TAcuRxImages rx(data.get());
        QImage target;
        rx.SetTargetPicture(&target);
        Choose(c.key);
        rx.SetImageName(Name());
        ASSERT_EQ(rx.Frames().size(), 1u) << c.key;

        std::vector<QRgb> shown;
        rx.OnDrawn = [&](TCustomRxImage &) { shown.push_back(target.pixel(20, 15)); };
        Animate(rx, 4);
        EXPECT_FALSE(rx.Animating());
        EXPECT_TRUE(server.Asked(c.loop)) << c.key;
        const std::string file = c.loop.substr(c.loop.rfind('/') + 1);
        EXPECT_EQ(rx.FileList(), std::vector<std::string>{file});
        ASSERT_EQ(rx.Frames(), std::vector<std::string>{rx.GetCacheRoot() + "Cache/Images/" + file});
        ASSERT_NE(rx.FrameGif(), nullptr);
        EXPECT_EQ(rx.FrameGif()->Frames.size(), 3u);
        EXPECT_EQ(rx.FrameInterval(), 100);
        // The loop's own frames were shown in turn.
        auto seen = [&](QRgb rgb) { return std::find(shown.begin(), shown.end(), rgb) != shown.end(); };
        EXPECT_TRUE(seen(qRgb(255, 0, 0)) && seen(qRgb(0, 255, 0)) && seen(qRgb(255, 255, 0))) << c.key;

        // Switched off and shown again: the still picture comes back.
        rx.Reload();
        EXPECT_EQ(target.pixel(20, 15), qRgb(0, 0, 255)) << c.key;
    }
}

TEST_F(AcuImagery, MissingLoopIsAskedForOnceAndTheStillStays) {
    server.Files[kWorldStill] = JpegBytes(BlockImage(64, 48, Qt::blue, Qt::white));
    Serve();
    TAcuRxImages rx(data.get());
    QImage target;
    rx.SetTargetPicture(&target);
    Choose(391);
    rx.SetImageName(Name());
    const QImage before = target.copy();
    Animate(rx, 5);
    EXPECT_EQ(Asks(kWorldLoop), Asks(kWorldStill));  // one download's worth
    EXPECT_EQ(target, before);
    EXPECT_FALSE(FileExists(rx.GetCacheRoot() + "Cache/Images/isawmerc.gif"));
}
