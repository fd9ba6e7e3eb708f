#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

#include "platform/Instance.h"
#include "support/TestSupport.h"

namespace {
// Points the per-user instance folder at a fresh place for one test.
class InstanceDirScope {
public:
    InstanceDirScope() {
        const char *old = std::getenv("XDG_RUNTIME_DIR");
        had_ = old != nullptr;
        if (had_) old_ = old;
        setenv("XDG_RUNTIME_DIR", profile_.Root().c_str(), 1);
    }
    ~InstanceDirScope() {
        if (had_) setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
    }
private:
    TempProfile profile_;
    std::string old_;
    bool had_ = false;
};

// A child that runs like a started copy: holds the key's lock and a main-window marker.
pid_t StartCopy(const std::string &key) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        TInstanceLock lock;
        TWindowMarker marker;
        char ok = lock.Acquire(key) && marker.Create() ? '1' : '0';
        if (write(ready[1], &ok, 1) != 1) _exit(1);
        for (;;) pause();
    }
    close(ready[1]);
    char ok = 0;
    if (read(ready[0], &ok, 1) != 1) ok = 0;
    close(ready[0]);
    return ok == '1' ? pid : -1;
}

void Kill(pid_t pid) {
    kill(pid, SIGKILL);
    int status;
    waitpid(pid, &status, 0);
}
}  // namespace

TEST(Instance, KeyIsNodeAndVersion) {
    const std::string node = MakeNodeId();
    ASSERT_EQ(node.size(), 12u);
    EXPECT_EQ(node.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(MakeInstanceKey(node, FileVersionText()), node + " " + FileVersionText());
    EXPECT_EQ(MakeInstanceKey("", "1.0.0.0"), "");
    EXPECT_EQ(MakeInstanceKey(node, ""), "");
    const std::string v = FileVersionText();
    EXPECT_EQ(std::count(v.begin(), v.end(), '.'), 3);
}

TEST(Instance, SameVersionIsRefusedOtherVersionAndKilledCopyAreNot) {
    InstanceDirScope scope;
    const std::string key = "0A1B2C3D4E5F 1.0.0.0", other = "0A1B2C3D4E5F 1.0.1.0";
    EXPECT_FALSE(AnotherCopyRuns(key));

    pid_t copy = StartCopy(key);
    ASSERT_GT(copy, 0);
    EXPECT_TRUE(MainWindowExists());
    EXPECT_TRUE(AnotherCopyRuns(key));
    EXPECT_FALSE(AnotherCopyRuns(other));
    EXPECT_TRUE(AnotherCopyRuns(""));  // without a key any main window counts

    // The other version starts beside it and takes its own lock.
    TInstanceLock mine;
    EXPECT_TRUE(mine.Acquire(other));
    EXPECT_FALSE(TInstanceLock().Acquire(key));

    // A killed copy leaves its lock file and socket file behind; neither blocks.
    Kill(copy);
    EXPECT_FALSE(MainWindowExists());
    EXPECT_FALSE(AnotherCopyRuns(key));
    TInstanceLock again;
    EXPECT_TRUE(again.Acquire(key));
}

TEST(Instance, LockHeldWithoutWindowDoesNotBlock) {
    // A copy still starting up (or one whose window is gone) holds only the lock.
    InstanceDirScope scope;
    const std::string key = "000000000000 1.0.0.0";
    TInstanceLock held;
    ASSERT_TRUE(held.Acquire(key));
    EXPECT_TRUE(InstanceLockHeld(key));
    EXPECT_FALSE(AnotherCopyRuns(key));
    TWindowMarker window;
    ASSERT_TRUE(window.Create());
    window.DrainPending();
    EXPECT_TRUE(AnotherCopyRuns(key));
    window.Close();
    held.Release();
    EXPECT_FALSE(InstanceLockHeld(key));
}
