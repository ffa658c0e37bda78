// The cancel exception and the cancellation check that long loops of the digit
// arithmetic call: pump the message loop, then stop if a cancel was requested.
#pragma once

#include <cstdint>

#include "common/exception.h"
#include "common/pump.h"

// Message of the cancel exception.
inline constexpr char16_t Dキャンセル指示有[] = u"キャンセル指示有り";

// Raised at a cancellation point when the user asked to cancel the calculation.
class Eキャンセル指示 : public E一般例外 {
public:
    Eキャンセル指示() : E一般例外(Dキャンセル指示有) {}
};

// A cancellation point bound to the engine's cancel flag (none: never cancels).
class Tキャンセル検査 {
public:
    explicit Tキャンセル検査(const bool* pFlag = nullptr) : pFlag_(pFlag) {}
    // Lets pending messages run, then throws Eキャンセル指示 when the flag is set.
    void operator()() const {
        ProcessMessages();
        if (pFlag_ != nullptr && *pFlag_) throw Eキャンセル指示();
    }

private:
    const bool* pFlag_;
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
