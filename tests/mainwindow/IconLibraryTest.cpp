// The shipped pictures and sounds, read through the icon library the way the windows read them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>
#include <algorithm>

#include "mainwindow/IconLibrary.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

const char *const kBin = TOLVU_BIN_DIR "/";

// Every picture the condition table can name (its UserIcon column, all services).
QStringList ConditionPictureNames() {
    QStringList names;
    for (int i = 0; i <= 54; ++i) names << QString::number(i);
    names << "30A" << "31A" << "32A";
    return names;
}

// Share of pixels that are visible, and of those that are opaque near-black: a picture that did
// not rasterise is empty, one whose masks failed is a black box.
struct Coverage { double visible = 0, black = 0; };
Coverage Measure(const QPixmap &pm) {
    const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    int visible = 0, black = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) < 32) continue;
            ++visible;
            if (qAlpha(c) > 200 && qRed(c) < 24 && qGreen(c) < 24 && qBlue(c) < 24) ++black;
        }
    const double all = double(img.width()) * img.height();
    return {all > 0 ? visible / all : 0, visible > 0 ? double(black) / visible : 0};
}

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override { old_ = ProgramPath(); }
    void TearDown() override { SetProgramPath(old_); }
    std::string old_;
};

}  // namespace

using IconLibraryTest = ProgramFolder;

TEST_F(IconLibraryTest, LoadsEveryConditionPictureAndFreesThem) {
    SetProgramPath(kBin);
    TIconLibrary lib;
    ASSERT_TRUE(lib.Load()) << lib.FileName().toStdString();
    EXPECT_TRUE(lib.Load()) << "loading twice keeps it loaded";

    for (const QString &name : ConditionPictureNames()) {
        SCOPED_TRACE(name.toStdString());
        const QPixmap pm = lib.Resource(name + ".PNG");
        ASSERT_FALSE(pm.isNull());
        EXPECT_EQ(pm.size(), QSize(TIconLibrary::PictureSize, TIconLibrary::PictureSize));
        const Coverage c = Measure(pm);
        EXPECT_GT(c.visible, 0.05);
        EXPECT_LT(c.black, 0.2);
    }
    for (const char *logo : {"LOGO_NWS.PNG", "LOGO_ACU.PNG", "LOGO_TOLVU.PNG"})
        EXPECT_FALSE(lib.Resource(logo).isNull()) << logo;

    // The names the condition table hands over arrive in several spellings.
    EXPECT_TRUE(lib.Contains("54.PNG"));
    EXPECT_TRUE(lib.Contains("30a.png"));
    EXPECT_TRUE(lib.Contains("PNG\\36.png"));
    EXPECT_FALSE(lib.Contains("55.PNG"));
    EXPECT_TRUE(lib.Resource("55.PNG").isNull());

    lib.Free();
    EXPECT_FALSE(lib.Loaded());
    EXPECT_FALSE(QFile::exists(TIconLibrary::ResourcePath("54.PNG")));
    EXPECT_TRUE(lib.Resource("54.PNG").isNull());
    // A second library object can load the same file again after a free.
    TIconLibrary again;
    EXPECT_TRUE(again.Load());
    EXPECT_TRUE(again.Contains("0.PNG"));
}

TEST_F(IconLibraryTest, MissingOrDamagedLibraryDrawsPictures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetProgramPath(dir.path().toStdString() + "/");
    TIconLibrary missing;
    EXPECT_FALSE(missing.Load());
    EXPECT_TRUE(missing.Resource("54.PNG").isNull());

    WriteFile(dir.path().toStdString() + "/Services.rcc", "not a resource file");
    TIconLibrary damaged;
    EXPECT_FALSE(damaged.Load());

    for (const QString &name : {QString("0.PNG"), QString("33.PNG"), QString("54.PNG"), QString("x.PNG")}) {
        const QPixmap pm = damaged.Picture(name);
        EXPECT_EQ(pm.size(), QSize(128, 128)) << name.toStdString();
        EXPECT_GT(Measure(pm).visible, 0.02) << name.toStdString();
    }
    EXPECT_EQ(damaged.Picture("12.PNG", QSize(84, 84)).size(), QSize(84, 84));
}

// Shipped files and their drawn stand-ins must have the sizes the windows lay out.
TEST_F(IconLibraryTest, PictureFilesHaveTheirSizesShippedOrDrawn) {
    struct Case { const char *what; std::function<QPixmap()> get; QSize size; };
    const std::vector<Case> cases = {
        {"glyph 16", [] { return Art::Glyph(16); }, {24, 24}},
        {"glyph 19", [] { return Art::Glyph(19); }, {24, 24}},
        {"glyph 20", [] { return Art::Glyph(20); }, {24, 24}},
        {"glyph 21", [] { return Art::Glyph(21); }, {24, 24}},
        {"glyph 22", [] { return Art::Glyph(22); }, {24, 24}},
        {"moon 0", [] { return Art::Moon(0); }, {64, 64}},
        {"moon 4", [] { return Art::Moon(4); }, {64, 64}},
        {"moon 7", [] { return Art::Moon(7); }, {64, 64}},
        {"dialog 0", [] { return Art::DialogPicture(0); }, {56, 56}},
        {"dialog 4", [] { return Art::DialogPicture(4); }, {56, 56}},
        {"flag 0", [] { return Art::Flag(0); }, {16, 11}},
        {"flag 3", [] { return Art::Flag(3); }, {16, 11}},
        {"close D", [] { return Art::ProgramPicture("BTNCLOSED.PNG"); }, {16, 16}},
        {"close P", [] { return Art::ProgramPicture("btnclosep.png"); }, {16, 16}},
        {"splash", [] { return Art::Splash(); }, {500, 320}},
        {"maker logo", [] { return Art::MakerLogo(); }, {120, 64}},
    };
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    for (const std::string &folder : {std::string(kBin), empty.path().toStdString() + "/"}) {
        SetProgramPath(folder);
        for (const Case &c : cases) {
            SCOPED_TRACE(folder + " " + c.what);
            const QPixmap pm = c.get();
            ASSERT_FALSE(pm.isNull());
            EXPECT_EQ(pm.size(), c.size);
        }
    }
    SetProgramPath(kBin);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(QFile::exists(QString(kBin) + "Images/moon/" + QString::number(i) + ".png")) << i;
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(QFile::exists(QString(kBin) + "Images/dialog/" + QString::number(i) + ".png")) << i;
    EXPECT_EQ(Art::ProgramPicture("DOWNLOAD02.PNG").size(), QSize(56, 56));
    EXPECT_EQ(Art::ProgramPicture("MENUIMG00.PNG").size(), QSize(96, 32));
    EXPECT_TRUE(Art::Flag(4).isNull());
    EXPECT_TRUE(Art::ProgramPicture("NOSUCH.PNG").isNull());
    // The services read their logos from subfolders; nothing outside Images/ is reachable.
    EXPECT_EQ(Art::ProgramPicture("NWS\\xml_logo.png").size(), QSize(96, 56));
    EXPECT_EQ(Art::ProgramPicture("Acu/accuweather_logomark_color-sm.png").size(), QSize(80, 56));
    EXPECT_TRUE(Art::ProgramPicture("../Images/splash.png").isNull());
    EXPECT_TRUE(Art::ProgramPicture("NWS/../../Images/splash.png").isNull());
    EXPECT_TRUE(Art::ProgramPicture(QString(kBin) + "Images/splash.png").isNull());
}

TEST(DrawnArt, MoonPhasesGrowAndShrinkOnTheRightSides) {
    // Lit share of the disc per index, and which half holds more light (waxing: right).
    auto lit = [](const QPixmap &pm, bool rightHalf) {
        const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = rightHalf ? img.width() / 2 : 0; x < (rightHalf ? img.width() : img.width() / 2); ++x)
                if (qRed(img.pixel(x, y)) > 200 && qAlpha(img.pixel(x, y)) > 200) ++n;
        return n;
    };
    int left[8], right[8];
    for (int i = 0; i < 8; ++i) {
        const QPixmap pm = Art::DrawnMoon(i);
        left[i] = lit(pm, false);
        right[i] = lit(pm, true);
    }
    EXPECT_EQ(left[0] + right[0], 0);
    EXPECT_LT(left[1] + right[1], left[3] + right[3]);
    EXPECT_LT(left[3] + right[3], left[4] + right[4]);
    EXPECT_NEAR(left[4], right[4], right[4] / 20);
    for (int i : {1, 2, 3}) EXPECT_GT(right[i], left[i]) << i;
    for (int i : {5, 6, 7}) EXPECT_GT(left[i], right[i]) << i;
}

// The two sounds must be PCM wave files that Qt and libcanberra play, short and loud enough.
TEST(ShippedSounds, AreShortAudiblePcmWaves) {
    for (const char *name : {"Connect.wav", "Warning.wav"}) {
        SCOPED_TRACE(name);
        const std::string data = ReadFile(std::string(kBin) + "Sound/" + name);
        ASSERT_GT(data.size(), 44u);
        ASSERT_EQ(data.compare(0, 4, "RIFF"), 0);
        ASSERT_EQ(data.compare(8, 4, "WAVE"), 0);
        // Walk the chunks for "fmt " and "data".
        uint16_t format = 0, channels = 0, bits = 0;
        uint32_t rate = 0;
        const char *samples = nullptr;
        uint32_t bytes = 0;
        for (size_t pos = 12; pos + 8 <= data.size();) {
            uint32_t len;
            std::memcpy(&len, data.data() + pos + 4, 4);
            const std::string id = data.substr(pos, 4);
            if (id == "fmt " && len >= 16) {
                std::memcpy(&format, data.data() + pos + 8, 2);
                std::memcpy(&channels, data.data() + pos + 10, 2);
                std::memcpy(&rate, data.data() + pos + 12, 4);
                std::memcpy(&bits, data.data() + pos + 22, 2);
            } else if (id == "data") {
                samples = data.data() + pos + 8;
                bytes = std::min<uint32_t>(len, uint32_t(data.size() - pos - 8));
            }
            pos += 8 + len + (len & 1);
        }
        ASSERT_EQ(format, 1) << "PCM";
        ASSERT_EQ(bits, 16);
        ASSERT_GT(channels, 0);
        ASSERT_NE(samples, nullptr);
        const double seconds = double(bytes) / (rate * channels * 2);
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 3.0);
        int peak = 0;
        for (uint32_t i = 0; i + 1 < bytes; i += 2) {
            int16_t s;
            std::memcpy(&s, samples + i, 2);
            peak = std::max(peak, std::abs(int(s)));
        }
        EXPECT_GT(20 * std::log10(peak / 32768.0), -20.0);
    }
}

// With both registries out of reach the art build still succeeds and leaves a complete library of
// drawn pictures, so the program never starts without its condition pictures.
TEST_F(IconLibraryTest, ArtBuildWithoutRegistriesDrawsACompleteLibrary) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString();
    const std::string shims = root + "/offline";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(shims)));
    for (const char *tool : {"apt-get", "npm"}) {
        const std::string path = shims + "/" + tool;
        WriteFile(path, "#!/bin/sh\nexit 100\n");
        QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const std::string cmd = "PATH='" + shims + "':\"$PATH\" bash '" TOLVU_SOURCE_DIR "/scripts/build-art.sh' '" +
                            root + "/bin' '" + root + "/work' >'" + root + "/log' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << ReadFile(root + "/log");
    EXPECT_NE(ReadFile(root + "/log").find("warning"), std::string::npos) << "the fallback is reported";
    EXPECT_NE(ReadFile(root + "/work/art.stamp").find("fallback"), std::string::npos);

    SetProgramPath(root + "/bin/");
    TIconLibrary lib;
    ASSERT_TRUE(lib.Load());
    for (const QString &name : ConditionPictureNames()) {
        const QPixmap pm = lib.Resource(name + ".PNG");
        ASSERT_FALSE(pm.isNull()) << name.toStdString();
        EXPECT_GT(Measure(pm).visible, 0.02) << name.toStdString();
    }
    for (int i : {16, 19, 20, 21, 22})
        EXPECT_TRUE(QFile::exists(QString::fromStdString(root) + "/bin/Images/glyphs/" + QString::number(i) + ".png")) << i;
    for (const char *f : {"Images/dialog/3.png", "Images/flags/us.png", "Images/moon/2.png", "Images/splash.png",
                          "Images/BTNCLOSEE.PNG", "Sound/Connect.wav", "Sound/Warning.wav"})
        EXPECT_TRUE(QFile::exists(QString::fromStdString(root) + "/bin/" + f)) << f;
}
