#include "engine/number/cancel.h"

#include <chrono>

namespace {

// A monotonic clock in nanoseconds; read only while a watch with an interval is set.
int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void T取消要求::f監視設定(std::function<void()> f, int intervalMs) {
    f監視_ = std::move(f);
    l間隔ns_ = int64_t{intervalMs < 0 ? 0 : intervalMs} * 1000000;
    l前回ns_ = INT64_MIN / 2;
}

void T取消要求::f監視() const {
    if (!f監視_ || b監視中_) return;
    if (l間隔ns_ > 0) {
        const int64_t now = NowNs();
        if (now - l前回ns_ < l間隔ns_) return;
        l前回ns_ = now;
    }
    b監視中_ = true;
    struct Reset {
        bool& b;
        ~Reset() { b = false; }
    } reset{b監視中_};
    f監視_();
}
