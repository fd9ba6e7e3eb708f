// Keyed frames are kept between draws; these check that a kept frame never
// stands in for a picture, frame or alpha it was not made from.
#include <gtest/gtest.h>

#include "imagery/ImageryServer.h"
#include "imagery/RxImages.h"

namespace {

class TComposer : public TCustomRxImage {
public:
    void Compose(const QImage &graphic, std::uint8_t opacity, std::uint8_t keyAlpha) {
        ComposeFrame(graphic, opacity, keyAlpha);
    }
    void UseGif(const std::vector<QImage> &frames) {
        frameGif_ = std::make_unique<TRxGif>();
        frameGif_->Frames = frames;
        frameGif_->DelaysMs.assign(frames.size(), 100);
    }
    void ShowGifFrame(int i) { frameGif_->Current = i; }
};

struct ComposeCache : ::testing::Test {
    QImage target{8, 8, QImage::Format_RGB32};
    TComposer rx;
    void SetUp() override { rx.SetTargetPicture(&target); }
    // Draws graphic over a green target and gives the colour at the block's centre and corner.
    std::pair<QColor, QColor> draw(const QImage &graphic, std::uint8_t opacity, std::uint8_t keyAlpha = 0) {
        target.fill(Qt::green);
        rx.Compose(graphic, opacity, keyAlpha);
        return {target.pixelColor(4, 4), target.pixelColor(0, 0)};
    }
};

void ExpectNear(const QColor &actual, const QColor &expected) {
    EXPECT_NEAR(actual.red(), expected.red(), 2) << actual.name().toStdString();
    EXPECT_NEAR(actual.green(), expected.green(), 2) << actual.name().toStdString();
    EXPECT_NEAR(actual.blue(), expected.blue(), 2) << actual.name().toStdString();
}

}  // namespace

TEST_F(ComposeCache, NewPictureOrOpacityIsDrawnNotTheKeptOne) {
    const QImage red = BlockImage(8, 8, Qt::white, Qt::red);
    auto [centre, corner] = draw(red, 100);
    ExpectNear(centre, QColor(100, 155, 0));
    ExpectNear(corner, Qt::green);  // the key colour lets the target through

    // Another opacity of the same picture.
    ExpectNear(draw(red, 200).first, QColor(200, 55, 0));

    // A picture with the same size (a reloaded frame) is keyed anew, and so is
    // a picture changed in place.
    QImage blue = BlockImage(8, 8, Qt::white, Qt::blue);
    ExpectNear(draw(blue, 200).first, QColor(0, 55, 200));
    blue.setPixelColor(4, 4, Qt::black);
    ExpectNear(draw(blue, 200).first, QColor(0, 55, 0));

    // A key alpha above zero is part of the keyed picture: changing it re-keys.
    ExpectNear(draw(red, 100, 0).second, Qt::green);
    ExpectNear(draw(red, 100, 128).second, QColor(128, 255, 128));  // white over green at alpha 128
    ExpectNear(draw(red, 100, 0).second, Qt::green);
}

TEST_F(ComposeCache, EachGifFrameKeepsItsOwnKeyedPicture) {
    const std::vector<QImage> frames = {BlockImage(8, 8, Qt::white, Qt::red), BlockImage(8, 8, Qt::white, Qt::blue),
                                        BlockImage(8, 8, Qt::white, Qt::black)};
    rx.UseGif(frames);
    const QColor expected[] = {QColor(200, 55, 0), QColor(0, 55, 200), QColor(0, 55, 0)};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "pass " << pass << " frame " << i);
            rx.ShowGifFrame(i);
            ExpectNear(draw(frames[size_t(i)], 200).first, expected[i]);
        }
    // A new GIF with the same frame count replaces the kept pictures.
    const std::vector<QImage> other = {BlockImage(8, 8, Qt::white, Qt::yellow), frames[1], frames[2]};
    rx.UseGif(other);
    rx.ShowGifFrame(0);
    ExpectNear(draw(other[0], 200).first, QColor(200, 255, 0));
}
