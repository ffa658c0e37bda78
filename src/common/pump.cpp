#include "common/pump.h"

#include <time.h>

#include <cstdint>

namespace {

std::function<void()> g_callback;
int64_t g_intervalNs = 0;
int64_t g_lastRunNs = INT64_MIN / 2;
bool g_running = false;

// A cheap monotonic clock: the coarse clock costs a few nanoseconds, which matters
// because the digit primitives call the pump millions of times.
int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
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
