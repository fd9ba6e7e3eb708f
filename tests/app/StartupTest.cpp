#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/Startup.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

TEST(Startup, SeedCopiesOnlyIntoAnEmptyProfile) {
    TempProfile p;
    const std::string prog = p.Root() + "prog/", prof = p.Root() + "prof/";
    fs::create_directories(prof);
    WriteFile(prog + "Tolvu.ini", "[Wx]\nNumDays=3\n");
    EXPECT_TRUE(SeedSettingsFile(prog, prof, "Tolvu.ini"));
    EXPECT_EQ(ReadFile(prof + "Tolvu.ini"), "[Wx]\nNumDays=3\n");
    WriteFile(prog + "Tolvu.ini", "[Wx]\nNumDays=9\n");
    EXPECT_FALSE(SeedSettingsFile(prog, prof, "Tolvu.ini"));
    EXPECT_EQ(ReadFile(prof + "Tolvu.ini"), "[Wx]\nNumDays=3\n");
    EXPECT_FALSE(SeedSettingsFile(prog + "none/", prof + "x/", "Tolvu.ini"));
}

TEST(Startup, CacheEmptyingKeepsStationListAndNeverFollowsLinks) {
    TempProfile t;
    const std::string prog = t.Root() + "prog/", prof = t.Root() + "prof/", outside = t.Root() + "outside/";
    WriteFile(outside + "precious.txt", "keep");
    WriteFile(outside + "dir/inner.txt", "keep");
    WriteFile(prof + "Cache/NWSStations.xml", "<stations/>");
    WriteFile(prof + "Cache/NWSCurrent.xml", "x");
    WriteFile(prof + "Cache/Sub/deep.xml", "sub-folders are not descended into");
    WriteFile(prof + "Cache/Images/radar.gif", "x");
    WriteFile(prog + "Cache/Radar/frame1.gif", "x");
    ASSERT_EQ(symlink((outside + "precious.txt").c_str(), (prof + "Cache/link.txt").c_str()), 0);
    ASSERT_EQ(symlink(outside.c_str(), (prof + "Cache/linkdir").c_str()), 0);

    EmptyCaches(prog, prof);

    EXPECT_TRUE(fs::exists(prof + "Cache/NWSStations.xml"));
    EXPECT_FALSE(fs::exists(prof + "Cache/NWSCurrent.xml"));
    EXPECT_FALSE(fs::exists(prof + "Cache/Images"));
    EXPECT_FALSE(fs::exists(prog + "Cache/Radar"));
    EXPECT_TRUE(fs::exists(prof + "Cache/Sub/deep.xml"));
    EXPECT_FALSE(fs::is_symlink(prof + "Cache/link.txt"));
    EXPECT_FALSE(fs::is_symlink(prof + "Cache/linkdir"));
    EXPECT_EQ(ReadFile(outside + "precious.txt"), "keep");
    EXPECT_EQ(ReadFile(outside + "dir/inner.txt"), "keep");
}

TEST(Startup, CacheFolderThatIsALinkIsLeftAlone) {
    TempProfile t;
    const std::string prof = t.Root() + "prof/", outside = t.Root() + "outside/";
    WriteFile(outside + "Images/photo.jpg", "keep");
    WriteFile(outside + "notes.txt", "keep");
    fs::create_directories(prof);
    ASSERT_EQ(symlink(outside.c_str(), (prof + "Cache").c_str()), 0);
    EmptyCaches(t.Root() + "prog/", prof);
    EXPECT_EQ(ReadFile(outside + "notes.txt"), "keep");
    EXPECT_EQ(ReadFile(outside + "Images/photo.jpg"), "keep");
}
