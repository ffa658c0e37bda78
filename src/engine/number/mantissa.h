// The layers a number is carried in: a mantissa (a fraction under a fractional
// exponent, so roots stay exact), a floating decimal and a complex number.
#pragma once

#include <cstdint>
#include <string>

#include "engine/number/fraction.h"

// The q-th root of t底 to the power p, where t指数 = p/q.
struct T仮数型 {
    T分数型 t指数;
    T分数型 t底;
    bool operator==(const T仮数型&) const = default;
};

// One mantissa; the record has no decimal-exponent field.
struct T浮動小数型 {
    T仮数型 t仮数;
    bool operator==(const T浮動小数型&) const = default;
};

// The value is the real part; the imaginary part is set to zero on creation and never read.
struct T複素数型 {
    T浮動小数型 t浮動小数;
    T浮動小数型 t虚数;
    bool operator==(const T複素数型&) const = default;
};

// An exponent numerator or denominator as a 32-bit integer; throws E整数オーバーフロー
// when it does not fit (it is never read as 0).
int32_t f指数整数変換(const T整数型& t整数);
