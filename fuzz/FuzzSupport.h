#pragma once
// Shared set-up for the fuzz targets.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/FormatSettings.h"

namespace fuzz {

// A fixed clock and en-US formats, so a run does not depend on the machine.
inline void Init() {
    static bool done = false;
    if (done) return;
    done = true;
    Clock::Set(EncodeDate(2022, 6, 20) + 14.5 / 24.0);
    TFormatSettings::ResetToDefaults();
}

inline std::string_view View(const uint8_t *data, size_t size) {
    return {reinterpret_cast<const char *>(data), size};
}

// Targets that read two documents take them from one input, split at this line.
inline constexpr std::string_view kSplit = "\n=====\n";
inline std::pair<std::string_view, std::string_view> Split(std::string_view in) {
    size_t at = in.find(kSplit);
    if (at == std::string_view::npos) return {in, {}};
    return {in.substr(0, at), in.substr(at + kSplit.size())};
}

// Lines as the program reads a downloaded page: LF, CR LF or CR ends a line.
inline std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

// Keeps the optimiser from dropping reads whose result is unused.
template <class T> inline void Use(const T &value) { asm volatile("" : : "g"(&value) : "memory"); }

}  // namespace fuzz
