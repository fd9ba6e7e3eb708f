#pragma once
// Identity of this copy of the program and the test for another running copy.
//
// The key is "<12 hex node id> <version>". A copy that runs holds a lock file
// named after a hash of its key (flock, so a killed copy releases it) and
// listens on a per-user socket "TWxForm.<pid>" while its main window exists.
// Another copy runs when some main-window socket answers and either the key is
// empty or the lock of the key is held.
#include <string>

// "000000000000" until a UUID could be made.
extern const char *const kDefaultNodeId;

// The last group of a time-based UUID (the adapter address); empty on failure.
std::string MakeNodeId();
// "%d.%d.%d.%d" from the build's version.
std::string FileVersionText();
// node + " " + version; empty when either part is empty.
std::string MakeInstanceKey(const std::string &nodeId, const std::string &version);

// Per-user folder of the lock files and window sockets, ending in '/'. Uses
// $XDG_RUNTIME_DIR/Tolvu/ when set, else /tmp/Tolvu-<uid>/; created 0700.
std::string InstanceDir();
// Lock-file path of a key (hash of the key, so any text is safe).
std::string InstanceLockPath(const std::string &key);

// Held by the running copy from start-up until the message loop ends.
class TInstanceLock {
public:
    TInstanceLock() = default;
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock &) = delete;
    TInstanceLock &operator=(const TInstanceLock &) = delete;
    // Takes the lock of the key; false when another process holds it.
    bool Acquire(const std::string &key);
    void Release();
    bool Held() const { return fd_ >= 0; }
private:
    int fd_ = -1;
};

// True when a live process holds the lock of the key.
bool InstanceLockHeld(const std::string &key);

// The main window's marker: a listening Unix socket; the socket file goes
// away with the object, and a killed copy leaves only a dead file.
class TWindowMarker {
public:
    TWindowMarker() = default;
    ~TWindowMarker();
    TWindowMarker(const TWindowMarker &) = delete;
    TWindowMarker &operator=(const TWindowMarker &) = delete;
    bool Create();
    void Close();
    // The listening descriptor; the app accepts and drops probe connections on it.
    int Fd() const { return fd_; }
    // Accepts and closes every pending connection (non-blocking).
    void DrainPending();
private:
    int fd_ = -1;
    std::string path_;
};

// True when some main-window socket of this user answers. Dead socket files
// are removed on the way.
bool MainWindowExists();

// The whole test of the start-up: another copy of this key runs.
bool AnotherCopyRuns(const std::string &key);
