// Exact fractions of two integers, the values every number is made of: reduction,
// comparison, the four operations, integer powers and the reading of decimal and radix
// texts into fractions.
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

// 0/1 and 1/1 as f分数変換 reads "0" and "1" (marked as reduced), and the infinity 1/0
// (not marked: the shortcuts for reduced operands do not hold for it). Small values share
// nothing, so any thread may copy them.
inline constinit const T分数型 t分数の0{T整数型(0), T整数型(1), true};
inline constinit const T分数型 t分数の1{T整数型(1), T整数型(1), true};
inline constinit const T分数型 t分数の無限大{T整数型(1), T整数型(0), false};

// Every operation below is a cancellation point, as are the long steps inside it; results
// are reduced (see T分数型), a denominator 0 is infinity.

// A decimal text (sign, point and cycle marks allowed) as a fraction.
T分数型 f分数変換(std::u16string vs小数, const Tキャンセル検査& check);
// The fraction in lowest terms with the denominator's "-" moved to the numerator; a
// magnitude of 0 or 1 is left as it is.
T分数型 f約分(T分数型 vt分数, const Tキャンセル検査& check);
// 1, 0 or -1 as the first is larger, equal or smaller (infinities by the sign of the
// difference as written).
int32_t f分数比較(const T分数型& vt分数1, const T分数型& vt分数2, const Tキャンセル検査& check);
// a + b, a - b, a * b and a / b.
T分数型 f分数加算(const T分数型& vt被加数, const T分数型& vt加数, const Tキャンセル検査& check);
T分数型 f分数減算(const T分数型& vt被減数, const T分数型& vt減数, const Tキャンセル検査& check);
T分数型 f分数乗算(const T分数型& vt被乗数, const T分数型& vt乗数, const Tキャンセル検査& check);
T分数型 f分数除算(const T分数型& vt被除数, const T分数型& vt除数, const Tキャンセル検査& check);
// Integer power by square-and-multiply; 0 to any power is 0/1, 1 to any power 1/1.
T分数型 f分数累乗(const T分数型& vt底, int32_t vl指数, const Tキャンセル検査& check);
// Radix digits after the point (cycle marks allowed) as a fraction; false for a bad digit.
bool f小数基数10進分数変換(const std::u16string& ps小数点以下表記, int32_t pi表記基数, T分数型& rT分数,
                           const Tキャンセル検査& check);
// A natural number written in the radix ("" reads as 0) as a value; false for a bad digit.
bool f基数自然数値変換(const std::u16string& ps表記自然数, int32_t pi表記基数, T整数型& rt値,
                       const Tキャンセル検査& check);

// The digit of value pi10進 (0..35): "0".."9", then "A".."Z".
char16_t fn進1桁変換(int32_t pi10進);

// Value of a radix digit character ("0".."9", "A".."Z", "a".."z"), or -1 for anything else.
int32_t fn進1桁値(char16_t c);
