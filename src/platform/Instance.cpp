#include "platform/Instance.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <uuid/uuid.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Version.h"

const char *const kDefaultNodeId = "000000000000";

std::string MakeNodeId() {
    uuid_t id;
    if (uuid_generate_time_safe(id) < 0) {
        // Not guaranteed unique across processes, but still a time-based UUID.
        uuid_generate_time(id);
    }
    char text[37];
    uuid_unparse_upper(id, text);
    // 8-4-4-4-12: the last group starts at offset 24.
    std::string node(text + 24, 12);
    return node.size() == 12 ? node : std::string();
}

std::string FileVersionText() {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", TOLVU_VERSION_MAJOR, TOLVU_VERSION_MINOR, TOLVU_VERSION_PATCH,
                  TOLVU_VERSION_BUILD);
    return buf;
}

std::string MakeInstanceKey(const std::string &nodeId, const std::string &version) {
    if (nodeId.empty() || version.empty()) return "";
    return nodeId + " " + version;
}

std::string InstanceDir() {
    std::string dir;
    const char *rt = std::getenv("XDG_RUNTIME_DIR");
    if (rt && *rt) {
        dir = std::string(rt);
        if (dir.back() != '/') dir += '/';
        dir += "Tolvu/";
    } else {
        dir = "/tmp/Tolvu-" + std::to_string(static_cast<unsigned long>(getuid())) + "/";
    }
    ::mkdir(dir.c_str(), 0700);
    return dir;
}

std::string InstanceLockPath(const std::string &key) {
    // FNV-1a, 64 bits: stable between versions of the program.
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : key) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "instance-%016llx.lock", static_cast<unsigned long long>(h));
    return InstanceDir() + buf;
}

namespace {
int openLock(const std::string &key) {
    return ::open(InstanceLockPath(key).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}
}  // namespace

TInstanceLock::~TInstanceLock() { Release(); }

bool TInstanceLock::Acquire(const std::string &key) {
    Release();
    int fd = openLock(key);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void TInstanceLock::Release() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the flock
    fd_ = -1;
}

bool InstanceLockHeld(const std::string &key) {
    int fd = openLock(key);
    if (fd < 0) return false;
    bool held = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        held = errno == EWOULDBLOCK;
    else
        ::flock(fd, LOCK_UN);
    ::close(fd);
    return held;
}

namespace {
const char kMarkerPrefix[] = "TWxForm.";

bool fillAddress(const std::string &path, sockaddr_un &addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Answers: listening (connected or its queue is full). Refused: nobody listens.
enum class Probe { Answers, Dead, Unknown };

Probe probe(const std::string &path) {
    sockaddr_un addr;
    if (!fillAddress(path, addr)) return Probe::Unknown;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return Probe::Unknown;
    Probe r = Probe::Unknown;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 || errno == EAGAIN ||
        errno == EINPROGRESS)
        r = Probe::Answers;
    else if (errno == ECONNREFUSED || errno == ENOENT)
        r = Probe::Dead;
    ::close(fd);
    return r;
}
}  // namespace

TWindowMarker::~TWindowMarker() { Close(); }

bool TWindowMarker::Create() {
    Close();
    std::string path = InstanceDir() + kMarkerPrefix + std::to_string(static_cast<long>(getpid()));
    sockaddr_un addr;
    if (!fillAddress(path, addr)) return false;
    ::unlink(path.c_str());  // a dead copy with our pid
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    return true;
}

void TWindowMarker::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(path_.c_str());
    fd_ = -1;
    path_.clear();
}

void TWindowMarker::DrainPending() {
    if (fd_ < 0) return;
    for (;;) {
        int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0) break;
        ::close(c);
    }
}

bool MainWindowExists() {
    const std::string dir = InstanceDir();
    DIR *d = ::opendir(dir.c_str());
    if (!d) return false;
    bool found = false;
    while (dirent *e = ::readdir(d)) {
        if (std::strncmp(e->d_name, kMarkerPrefix, sizeof kMarkerPrefix - 1) != 0) continue;
        const std::string path = dir + e->d_name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) continue;
        Probe p = probe(path);
        if (p == Probe::Answers) found = true;
        else if (p == Probe::Dead) ::unlink(path.c_str());
    }
    ::closedir(d);
    return found;
}

bool AnotherCopyRuns(const std::string &key) {
    if (!MainWindowExists()) return false;
    return key.empty() || InstanceLockHeld(key);
}
