// The length of the repeating cycle of 1/d in decimal, for divisors that fit 64 bits.
#pragma once

#include <cstdint>

#include "engine/number/cancel.h"

// The multiplicative order of 10 modulo d, for d >= 1 coprime to 10. Calls check while
// factoring, which takes at most about a millisecond.
uint64_t f10進周期(uint64_t d, const Tキャンセル検査& check);
