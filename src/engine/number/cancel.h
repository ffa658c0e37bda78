// The cancel exception and the cancellation check that long loops of the digit
// arithmetic call: pump the message loop, then stop if a cancel was requested.
#pragma once

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
