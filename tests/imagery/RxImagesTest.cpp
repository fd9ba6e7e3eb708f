#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "imagery/GifWriter.h"
#include "imagery/ImageIO.h"
#include "imagery/RxImages.h"
#include "platform/Paths.h"
#include "imagery/ImageryServer.h"

namespace {

// A component whose frames are a fixed list of names below one server folder.
class TListImages : public TCustomRxImage {
public:
    TListImages(std::string base, std::vector<std::string> files) : files_(std::move(files)) {
        OnGetURL = [this, base](TCustomRxImage &, const std::string &, int &index, std::string &file,
                                std::string &folder) {
            folder = "Cache\\Images\\";
            SetURLBase(base);
            SetURLPath("/loop/");
            if (index >= 0 && index < int(files_.size())) file = files_[index];
            index = int(files_.size());
        };
        Connected = true;
    }
    std::string CachePath(const std::string &file) const { return GetCacheRoot() + "Cache/Images/" + file; }

private:
    std::vector<std::string> files_;
};

QColor At(const QImage &img, int x, int y) { return img.pixelColor(x, y); }

}  // namespace

TEST(RxImages, LoopWithAFailedFrameKeepsTheOthersAndSteps) {
    TempProfile profile;
    TImageryServer server;
    server.Files["/loop/a.png"] = PngBytes(BlockImage(8, 8, Qt::white, Qt::red));
    server.Files["/loop/c.png"] = PngBytes(BlockImage(8, 8, Qt::white, Qt::blue));
    server.Status["/loop/b.png"] = 500;
    server.Start();

    TListImages rx(server.Base(), {"a.png", "b.png", "c.png"});
    QImage target;
    rx.SetTargetPicture(&target);
    rx.SetImageName("loop");
    ASSERT_EQ(rx.Frames(), (std::vector<std::string>{rx.CachePath("a.png"), rx.CachePath("c.png")}));
    EXPECT_FALSE(FileExists(rx.CachePath("b.png")));
    EXPECT_EQ(rx.FrameIndex(), 0);
    EXPECT_EQ(At(target, 4, 4), QColor(Qt::red));

    rx.SetFrame(1);
    EXPECT_EQ(At(target, 4, 4), QColor(Qt::blue));
    rx.SetFrame(-1);
    EXPECT_EQ(rx.FrameIndex(), 1);
    rx.SetFrame(2);  // the count wraps to the first frame
    EXPECT_EQ(rx.FrameIndex(), 0);
    EXPECT_EQ(At(target, 4, 4), QColor(Qt::red));

    // The same name again does nothing; ForceReload fetches it again.
    const size_t asked = server.Seen().size();
    rx.SetImageName("loop");
    EXPECT_EQ(server.Seen().size(), asked);
    rx.ForceReload = true;
    rx.SetImageName("loop");
    EXPECT_GT(server.Seen().size(), asked);
}

TEST(RxImages, OpacityKeysTheTopLeftColourBelowFull) {
    TempProfile profile;
    TImageryServer server;
    server.Files["/loop/a.png"] = PngBytes(BlockImage(8, 8, Qt::white, Qt::red));
    server.Start();
    TListImages rx(server.Base(), {"a.png"});
    QImage target(8, 8, QImage::Format_RGB32);
    target.fill(Qt::green);
    rx.SetTargetPicture(&target);  // draws at full opacity: unchanged
    rx.SetImageName("a");
    EXPECT_EQ(At(target, 0, 0), QColor(Qt::white));
    EXPECT_EQ(At(target, 4, 4), QColor(Qt::red));

    target.fill(Qt::green);
    rx.SetOpacity(100);  // transparency position 4
    EXPECT_EQ(At(target, 0, 0), QColor(Qt::green));  // the key colour is fully transparent
    const QColor mixed = At(target, 4, 4);
    EXPECT_NEAR(mixed.red(), 100, 2);
    EXPECT_NEAR(mixed.green(), 155, 2);
    EXPECT_EQ(mixed.blue(), 0);
}

TEST(RxImages, KeyedFrameKeepsAPicturesOwnTransparency) {
    QImage img(4, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(255, 0, 0, 255));
    img.setPixel(1, 0, qRgba(255, 0, 0, 255));
    img.setPixel(2, 0, qRgba(0, 0, 255, 0));
    img.setPixel(3, 0, qRgba(0, 255, 0, 255));
    const QImage k = KeyedFrame(img, 100, 0).convertToFormat(QImage::Format_ARGB32);
    // Own alpha wins over the top-left key; the opacity scales it.
    EXPECT_EQ(qAlpha(k.pixel(0, 0)), 100);
    EXPECT_EQ(qAlpha(k.pixel(2, 0)), 0);
    EXPECT_EQ(qAlpha(k.pixel(3, 0)), 100);
}

TEST(RxImages, FailedOrEmptyDownloadKeepsTheCachedFile) {
    TempProfile profile;
    TImageryServer server;
    server.Status["/loop/a.png"] = 503;
    server.Files["/loop/empty.png"] = "";
    server.Start();
    TListImages rx(server.Base(), {"a.png"});
    const std::string good = PngBytes(BlockImage(4, 4, Qt::white, Qt::red));
    ForceDirectories(rx.GetCacheRoot() + "Cache/Images/");
    WriteFile(rx.CachePath("a.png"), good);

    rx.ForceReload = true;
    EXPECT_FALSE(rx.LoadFrame("a"));
    EXPECT_EQ(ReadFile(rx.CachePath("a.png")), good);

    EXPECT_FALSE(rx.Download(server.Base() + "/loop/", "Cache\\Images\\", "", "", "empty.png"));
    EXPECT_FALSE(FileExists(rx.CachePath("empty.png")));
    // A name that is not a plain file name is refused.
    EXPECT_FALSE(rx.Download(server.Base() + "/loop/", "Cache\\Images\\", "", "", "../x.png"));

    rx.Connected = false;  // offline: the cached frame is still used
    rx.ForceReload = false;
    EXPECT_TRUE(rx.LoadFrame("a"));
    EXPECT_EQ(rx.Frames().size(), 1u);
}

TEST(RxImages, GifLoopAnimatesUntilStoppedFromTheEventLoop) {
    TempProfile profile;
    std::vector<TGifFrame> frames;
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)})
        frames.push_back({BlockImage(6, 6, Qt::white, c), 10});
    TImageryServer server;
    server.Files["/loop/l.gif"] = EncodeGif(frames);
    server.Start();
    TListImages rx(server.Base(), {"l.gif"});
    QImage target;
    rx.SetTargetPicture(&target);
    ASSERT_NE(rx.FrameGif(), nullptr);
    EXPECT_EQ(rx.FrameCount(), 3);
    EXPECT_EQ(rx.FrameInterval(), 50);  // half of the stored 10/100 s
    EXPECT_EQ(At(target, 3, 3), QColor(Qt::red));

    std::vector<QColor> shown;
    rx.OnAnimate = [&](TCustomRxImage &self) {
        self.SetFrame(self.FrameIndex() + 1);
        shown.push_back(At(target, 3, 3));
        if (shown.size() == 4) QTimer::singleShot(0, [&] { self.SetAnimating(false); });
    };
    rx.SetAnimating(true);  // returns once the timer above stops it
    EXPECT_FALSE(rx.Animating());
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0], QColor(Qt::green));
    EXPECT_EQ(shown[1], QColor(Qt::blue));
    EXPECT_EQ(shown[2], QColor(Qt::red));
    EXPECT_EQ(At(target, 3, 3), QColor(Qt::blue));  // stopping shows the last frame
}

TEST(RxImages, OptionsAreFoundIgnoringCase) {
    TListImages rx("http://127.0.0.1:1", {});
    std::string value = "x";
    EXPECT_FALSE(rx.GetOptionValue("Radar", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(rx.GetViewOptions(), std::vector<std::string>{"No View Options"});
    EXPECT_EQ(rx.GetOption(0), "");
}
