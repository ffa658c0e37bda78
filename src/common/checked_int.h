// Overflow-checked 32-bit arithmetic: every result outside the signed range throws
// E整数オーバーフロー instead of wrapping.
#pragma once

#include <cstdint>

#include "common/exception.h"

// a + b, or throws on overflow.
inline int32_t f検査付加算(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_add_overflow(a, b, &r)) throw E整数オーバーフロー();
    return r;
}

// a - b, or throws on overflow.
inline int32_t f検査付減算(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) throw E整数オーバーフロー();
    return r;
}

// a * b, or throws on overflow.
inline int32_t f検査付乗算(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw E整数オーバーフロー();
    return r;
}

// -a, or throws for -2147483648, which has no positive counterpart.
inline int32_t f検査付符号反転(int32_t a) { return f検査付減算(0, a); }

// A 64-bit value narrowed to 32 bits, or throws when it does not fit.
inline int32_t f検査付32bit変換(int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) throw E整数オーバーフロー();
    return static_cast<int32_t>(v);
}
