#include "cli/interrupt.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the handler needs lock-free flags");

std::atomic<bool> g割込み{false};
std::atomic<bool> g停止要求{false};
std::atomic<bool> g評価中{false};
std::atomic<bool> g停止可{false};

// Only async-signal-safe work: lock-free atomic flags.
void f割込みハンドラ(int) {
    if (g停止可.load() && !g評価中.load()) {
        g停止要求.store(true);
    } else {
        g割込み.store(true);
    }
}

}  // namespace

void f割込み設定(bool b停止可) {
    g停止可.store(b停止可);
    struct sigaction sa {};
    sa.sa_handler = f割込みハンドラ;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
}

bool f割込み取得() {
    return g割込み.exchange(false);
}

void f割込み破棄() {
    g割込み.store(false);
}

void f評価中設定(bool b評価中) {
    g評価中.store(b評価中);
}

bool f停止要求() {
    return g停止要求.load();
}

void f割込み終了() {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
    std::_Exit(130);  // not reached unless SIGINT is blocked
}
