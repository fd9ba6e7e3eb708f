#include "platform/Paths.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#include <system_error>
#include <filesystem>

namespace {
std::string g_programPath;

std::string withSlash(std::string s) {
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}
}  // namespace

std::string ProgramPath() {
    if (!g_programPath.empty()) return g_programPath;
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    buf[n] = 0;
    std::string p(buf);
    return withSlash(p.substr(0, p.rfind('/')));
}

std::string DataPathFor(const std::string &programFolder) {
    const std::string program = withSlash(programFolder);
    if (FileExists(program + "Station.dat") || FileExists(program + "Services.rcc") ||
        DirectoryExists(program + "Lang"))
        return program;
    // Installed: the program sits in <prefix>/bin/ and its data in <prefix>/share/tolvu/.
    // A relative step keeps a moved prefix (a DESTDIR tree, /opt) working.
    std::error_code ec;
    std::filesystem::path installed =
        std::filesystem::weakly_canonical(std::filesystem::path(program) / "../share/tolvu", ec);
    if (!ec && DirectoryExists(installed.string())) return withSlash(installed.string());
    return program;
}

std::string DataPath() {
    // A folder set by a test or tool is taken as it stands.
    if (!g_programPath.empty()) return g_programPath;
    return DataPathFor(ProgramPath());
}

void SetProgramPath(const std::string &folder) { g_programPath = folder.empty() ? folder : withSlash(folder); }

std::string ProgramFileName() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "Tolvu";
    buf[n] = 0;
    std::string p(buf);
    return p.substr(p.rfind('/') + 1);
}

std::string ProfilePath() {
    const char *xdg = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (xdg && *xdg) base = xdg;
    else {
        const char *home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.local/share";
    }
    return withSlash(base) + "Tolvu/";
}

std::string NativePath(const std::string &logical) {
    std::string r = logical;
    for (char &c : r)
        if (c == '\\') c = '/';
    return r;
}

bool ForceDirectories(const std::string &folder) {
    std::error_code ec;
    std::filesystem::create_directories(NativePath(folder), ec);
    return DirectoryExists(folder);
}

bool FileExists(const std::string &path) {
    struct stat st{};
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string &path) {
    struct stat st{};
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string SafeFileName(const std::string &name) {
    std::string s = name;
    // Drop any query or fragment a server may have left on a link.
    size_t q = s.find_first_of("?#");
    if (q != std::string::npos) s = s.substr(0, q);
    size_t cut = s.find_last_of("/\\");
    if (cut != std::string::npos) s = s.substr(cut + 1);
    if (s.empty() || s == "." || s == "..") return "";
    for (char c : s)
        if (c == 0) return "";
    return s;
}
