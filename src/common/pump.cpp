#include "common/pump.h"

#include <chrono>
#include <cstdint>
#include <ctime>

namespace {

std::function<void()> g_callback;
int64_t g_intervalNs = 0;
int64_t g_lastRunNs = INT64_MIN / 2;
bool g_running = false;

// A monotonic clock in nanoseconds, read on every pump call while a callback is
// registered. The coarse clock (a few milliseconds of resolution) costs a fraction of
// the precise one, and the pump only needs to space its runs by milliseconds.
int64_t NowNs() {
#ifdef CLOCK_MONOTONIC_COARSE
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
#else
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
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
