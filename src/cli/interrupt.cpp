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
    fシグナル終了(SIGINT);
}

void fシグナル終了(int sig) {
    std::signal(sig, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);  // a signal already pending arrives here
    std::raise(sig);
    std::_Exit(128 + sig);  // not reached
}
