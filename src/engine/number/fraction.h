// Exact fractions of two integers, the values every number is made of.
#pragma once

#include <cstdint>
#include <string>

#include "engine/number/integer.h"

// A fraction: the numerator carries the sign; a denominator 0 means infinity.
// Results of the fraction operations are in lowest terms, except that nothing is
// reduced when either magnitude is 0 or 1 (0/16 stays 0/16, 3/0 stays 3/0).
struct T分数型 {
    T整数型 t分子;  // numerator, -0 allowed
    T整数型 t分母;  // denominator, not negative
    // Known to be in lowest terms with a positive denominator and no -0, zero only as
    // 0/1: set by the operations that establish it, so that later ones can skip work.
    // Not part of the value.
    bool b既約確認済 = false;
    bool operator==(const T分数型& o) const { return t分子 == o.t分子 && t分母 == o.t分母; }
};

// The fraction n/d of two small integers (not marked as reduced).
inline T分数型 f分数値(int64_t n, int64_t d) { return {T整数型(n), T整数型(d)}; }

// The digit of value pi10進 (0..35): "0".."9", then "A".."Z".
char16_t fn進1桁変換(int32_t pi10進);

// Value of a radix digit character ("0".."9", "A".."Z", "a".."z"), or -1 for anything else.
int32_t fn進1桁値(char16_t c);
