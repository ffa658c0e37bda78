// The cancel request of an evaluation and the cancellation check that long loops of the
// number code call. Any thread may ask for a cancel (a key in the window, Ctrl+C, a time
// limit); the evaluating thread notices it at its next cancellation point, where a watch
// of the evaluating front end may also run (the console checks its deadline there).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "common/exception.h"

// Message of the cancel exception.
inline constexpr char16_t Dキャンセル指示有[] = u"キャンセル指示有り";

// Raised at a cancellation point when the user asked to cancel the calculation.
class Eキャンセル指示 : public E一般例外 {
public:
    Eキャンセル指示() : E一般例外(Dキャンセル指示有) {}
};

// One evaluation's cancel request. The request itself may be set and read from any
// thread; the watch is set between evaluations and runs on the evaluating thread.
class T取消要求 {
public:
    // Asks the running work to stop: the next cancellation point raises Eキャンセル指示.
    void f要求() noexcept { b要求_.store(true, std::memory_order_relaxed); }
    // Withdraws the request (the engine does, once it turned it into a cancelled value).
    void f取下げ() noexcept { b要求_.store(false, std::memory_order_relaxed); }
    bool f要求中() const noexcept { return b要求_.load(std::memory_order_relaxed); }

    // Sets the watch run at cancellation points, at most once per interval (milliseconds;
    // 0: at every point); an empty function removes it.
    void f監視設定(std::function<void()> f, int intervalMs = 2);
    // Runs the watch when it is due. Nested calls from inside the watch return at once.
    void f監視() const;
    // A cancellation point: the watch, then Eキャンセル指示 when a cancel was requested.
    void f検査() const {
        if (f監視_) f監視();
        if (f要求中()) throw Eキャンセル指示();
    }

private:
    std::atomic<bool> b要求_{false};
    std::function<void()> f監視_;
    int64_t l間隔ns_ = 0;
    mutable int64_t l前回ns_ = INT64_MIN / 2;
    mutable bool b監視中_ = false;
};

// A cancellation point bound to a cancel request (none: never cancels).
class Tキャンセル検査 {
public:
    explicit Tキャンセル検査(const T取消要求* p = nullptr) : p_(p) {}
    // Throws Eキャンセル指示 when the request is set (after running its watch).
    void operator()() const {
        if (p_ != nullptr) p_->f検査();
    }

private:
    const T取消要求* p_;
};

// Counts work in long loops and runs the cancellation check whenever about a
// millisecond of it (2^20 limb operations) has accumulated.
class T作業計量 {
public:
    explicit T作業計量(const Tキャンセル検査& check) : check_(check) {}
    // Records `work` units (plus one for the call itself); checks when enough has piled up.
    void Add(uint64_t work) {
        done_ += work + 1;
        if (done_ >= (uint64_t{1} << 20)) {
            done_ = 0;
            check_();
        }
    }
    const Tキャンセル検査& Check() const { return check_; }

private:
    const Tキャンセル検査& check_;
    uint64_t done_ = 0;
};
