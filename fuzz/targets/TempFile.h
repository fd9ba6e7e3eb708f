#pragma once
// A file in a private temporary folder, rewritten for each input of targets
// whose reader takes a file name.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzz {

inline const std::string &TempFolder() {
    static std::string folder = [] {
        char pattern[] = "/tmp/tolvu-fuzz-XXXXXX";
        const char *made = ::mkdtemp(pattern);
        if (!made) std::abort();
        return std::string(made) + "/";
    }();
    return folder;
}

inline std::string WriteTemp(const std::string &name, std::string_view bytes) {
    const std::string path = TempFolder() + name;
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

}  // namespace fuzz
