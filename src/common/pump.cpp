#include "common/pump.h"

#include <chrono>
#include <cstdint>

namespace {

std::function<void()> g_callback;
int64_t g_intervalNs = 0;
int64_t g_lastRunNs = INT64_MIN / 2;
bool g_running = false;

// A monotonic clock in nanoseconds. Only read when a callback is registered.
int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void SetMessagePump(std::function<void()> callback, int intervalMs) {
    g_callback = std::move(callback);
    g_intervalNs = int64_t{intervalMs < 0 ? 0 : intervalMs} * 1000000;
    g_lastRunNs = INT64_MIN / 2;
}

void ProcessMessages() {
    if (!g_callback || g_running) return;
    if (g_intervalNs > 0) {
        const int64_t now = NowNs();
        if (now - g_lastRunNs < g_intervalNs) return;
        g_lastRunNs = now;
    }
    g_running = true;
    struct Reset {
        ~Reset() { g_running = false; }
    } reset;
    g_callback();
}
