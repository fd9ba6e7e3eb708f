#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include "app/IniSettings.h"
#include "support/TestSupport.h"

TEST(IniSettings, ReadRules) {
    TIniSettings ini;
    ini.SetStrings({"[Options]", "Color1=0x800000", "Tray=True", "Notify=0", "Body=-16777196", "[wx]", "Periods=abc"});
    EXPECT_EQ(ini.ReadColor("options", "COLOR1", 0), 0x800000u);     // navy, names without case
    EXPECT_TRUE(ini.ReadBool("Options", "Tray", true));              // non-integer: the default
    EXPECT_FALSE(ini.ReadBool("Options", "Tray", false));
    EXPECT_FALSE(ini.ReadBool("Options", "Notify", true));
    EXPECT_EQ(ini.ReadColor("Options", "Body", 0), 0xFF000014u);     // system colour 20
    EXPECT_EQ(ini.ReadInteger("Wx", "Periods", 12), 12);
    EXPECT_EQ(ini.ReadString("Wx", "Missing", "dflt"), "dflt");
}

TEST(IniSettings, RoundTripKeepsOrderAndSnapshotRestores) {
    TempProfile p;
    std::string file = p.Root() + "Tolvu.ini";
    TIniSettings ini(file);
    ini.WriteString("Services", "Service0", "The US National Weather Service");
    ini.WriteString("Service0", "Name", "NWS");
    ini.WriteInteger("Wx", "NumDays", 5);
    auto snap = ini.GetStrings();
    ini.WriteString("Service", "Default", "Service1");
    ini.EraseSection("Wx");
    ini.SetStrings(snap);
    EXPECT_FALSE(ini.SectionExists("Service"));
    EXPECT_EQ(ini.ReadInteger("Wx", "NumDays", 0), 5);
    ASSERT_TRUE(ini.UpdateFile());
    TIniSettings again(file);
    EXPECT_EQ(again.ReadSections(), (std::vector<std::string>{"Services", "Service0", "Wx"}));
    EXPECT_EQ(again.Text(), ini.Text());
}

TEST(IniSettings, FailedWriteLeavesOldFile) {
    TempProfile p;
    std::string file = p.Root() + "Tolvu.ini";
    TIniSettings ini(file);
    ini.WriteString("Service", "Default", "Service0");
    ASSERT_TRUE(ini.UpdateFile());
    const std::string before = ReadFile(file);

    // A child with a tiny file-size limit stands in for a full disk.
    pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{16, 16};
        setrlimit(RLIMIT_FSIZE, &lim);
        TIniSettings big(file);
        big.WriteString("Wx", "Filler", std::string(4096, 'x'));
        _exit(big.UpdateFile() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should have been refused";
    EXPECT_EQ(ReadFile(file), before);
}
