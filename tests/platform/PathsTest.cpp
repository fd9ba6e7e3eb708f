#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "support/TestSupport.h"

// Shipped data beside the program wins; an installed program finds it in
// share/tolvu/ beside its bin/; with neither, the program folder stands.
TEST(DataPathTest, FindsDataBesideOrInstalled) {
    TempProfile tmp;
    const std::string root = tmp.Root();

    ASSERT_TRUE(ForceDirectories(root + "tree/bin/Lang"));
    ASSERT_TRUE(ForceDirectories(root + "tree/share/tolvu"));
    EXPECT_EQ(DataPathFor(root + "tree/bin"), root + "tree/bin/");  // a build tree beside an install

    ASSERT_TRUE(ForceDirectories(root + "usr/bin"));
    ASSERT_TRUE(ForceDirectories(root + "usr/share/tolvu"));
    EXPECT_EQ(DataPathFor(root + "usr/bin/"), root + "usr/share/tolvu/");

    ASSERT_TRUE(ForceDirectories(root + "bare/bin"));
    EXPECT_EQ(DataPathFor(root + "bare/bin/"), root + "bare/bin/");

    WriteFile(root + "copy/Station.dat", "x");
    ASSERT_TRUE(ForceDirectories(root + "share/tolvu"));
    EXPECT_EQ(DataPathFor(root + "copy/"), root + "copy/");
}

TEST(DataPathTest, AFolderSetByATestIsTakenAsItStands) {
    TempProfile tmp;
    SetProgramPath(tmp.Root() + "empty");
    EXPECT_EQ(DataPath(), tmp.Root() + "empty/");
    SetProgramPath("");
}
