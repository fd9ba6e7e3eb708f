#include "app/Startup.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "platform/Paths.h"

namespace {
std::string g_buildLetter;
std::string g_title;
std::string g_helpFile;
std::string g_instanceKey;

bool isRealDirectory(const std::string &folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

const std::string &BuildLetter() { return g_buildLetter; }
void SetBuildLetter(const std::string &letter) { g_buildLetter = letter; }
const std::string &ApplicationTitle() { return g_title; }
void SetApplicationTitle(const std::string &title) { g_title = title; }
const std::string &ApplicationHelpFile() { return g_helpFile; }
void SetApplicationHelpFile(const std::string &name) { g_helpFile = name; }
const std::string &InstanceKey() { return g_instanceKey; }
void SetInstanceKey(const std::string &key) { g_instanceKey = key; }

std::string SettingsFileName() { return ProgramFileName() + ".ini"; }

bool SeedSettingsFile(const std::string &programPath, const std::string &profilePath, const std::string &name) {
    const std::string from = programPath + name, to = profilePath + name;
    if (!FileExists(from) || FileExists(to)) return false;
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    // Through a temporary name, so a half copy never passes for a settings file.
    const std::string tmp = to + ".seed";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
        if (!out.good()) {
            ::unlink(tmp.c_str());
            return false;
        }
    }
    if (::link(tmp.c_str(), to.c_str()) != 0) {  // fails when the file appeared meanwhile
        ::unlink(tmp.c_str());
        return false;
    }
    ::unlink(tmp.c_str());
    return true;
}

const char *const kKeptCacheFile = "NWSStations.xml";

int DeleteFolderFiles(const std::string &folder) {
    if (!isRealDirectory(folder)) return 0;
    std::string dir = folder;
    if (dir.back() != '/') dir += '/';
    DIR *d = ::opendir(dir.c_str());
    if (!d) return 0;
    int deleted = 0;
    while (dirent *e = ::readdir(d)) {
        const char *n = e->d_name;
        if (std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0 || std::strcmp(n, kKeptCacheFile) == 0) continue;
        const std::string path = dir + n;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
        if (::unlink(path.c_str()) == 0) ++deleted;  // a link goes, its target stays
    }
    ::closedir(d);
    return deleted;
}

void EmptyCaches(const std::string &programPath, const std::string &profilePath) {
    auto emptyAndRemove = [](const std::string &folder) {
        if (!isRealDirectory(folder)) return;
        DeleteFolderFiles(folder);
        ::rmdir(folder.c_str());
    };
    if (isRealDirectory(NativePath(programPath + "Cache\\")))
        emptyAndRemove(NativePath(programPath + "Cache\\Radar\\"));
    const std::string cache = NativePath(profilePath + "Cache\\");
    if (!isRealDirectory(cache)) return;
    emptyAndRemove(NativePath(profilePath + "Cache\\Images\\"));
    DeleteFolderFiles(cache);
}
