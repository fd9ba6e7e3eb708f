#include "platform/Sound.h"

#include <canberra.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace {
const char *const kEventIds[] = {"message", "dialog-error", "dialog-information", "dialog-question",
                                 "dialog-warning"};
const char *const kAliases[] = {"SystemNotification", "SystemHand", "SystemAsterisk", "SystemQuestion",
                                "SystemExclamation"};
constexpr std::uint32_t kPlayId = 1;

std::atomic<bool> g_enabled{true};
std::mutex g_mutex;
ca_context *g_ctx = nullptr;
bool g_failed = false;

ca_context *context() {
    if (g_ctx || g_failed) return g_ctx;
    if (ca_context_create(&g_ctx) != CA_SUCCESS) {
        g_ctx = nullptr;
        g_failed = true;
        return nullptr;
    }
    ca_context_change_props(g_ctx, CA_PROP_APPLICATION_NAME, "Tolvu", CA_PROP_APPLICATION_ID, "app.tolvu.Tolvu",
                            nullptr);
    if (ca_context_open(g_ctx) != CA_SUCCESS) {
        ca_context_destroy(g_ctx);
        g_ctx = nullptr;
        g_failed = true;
    }
    return g_ctx;
}

bool busy(ca_context *ctx) {
    int playing = 0;
    return ca_context_playing(ctx, kPlayId, &playing) == CA_SUCCESS && playing;
}

bool play(const char *prop, const std::string &value) {
    if (!g_enabled || value.empty()) return false;
    std::lock_guard<std::mutex> lock(g_mutex);
    ca_context *ctx = context();
    if (!ctx || busy(ctx)) return false;
    return ca_context_play(ctx, kPlayId, prop, value.c_str(), CA_PROP_CANBERRA_CACHE_CONTROL, "volatile",
                           nullptr) == CA_SUCCESS;
}
}  // namespace

const char *SchemeEventId(TSchemeSound s) { return kEventIds[static_cast<int>(s)]; }

std::string EventIdForAlias(const std::string &alias) {
    for (int i = 0; i < 5; ++i)
        if (strcasecmp(alias.c_str(), kAliases[i]) == 0) return kEventIds[i];
    return alias;
}

bool PlayEventSound(const std::string &eventId) { return play(CA_PROP_EVENT_ID, eventId); }
bool PlaySoundFile(const std::string &path) { return play(CA_PROP_MEDIA_FILENAME, path); }

bool SoundPlaying() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_ctx && busy(g_ctx);
}

void SetSoundOutputEnabled(bool on) { g_enabled = on; }
bool SoundOutputEnabled() { return g_enabled; }
