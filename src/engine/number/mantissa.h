// The layers a number is carried in: a mantissa (a fraction under a fractional
// exponent, so roots stay exact), a floating decimal and a complex number.
#pragma once

#include <cstdint>
#include <memory>
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

struct T実数式;

// The value is the real part; the imaginary part is set to zero on creation and never read.
// A value that fractions and roots cannot hold exactly (a sum with an irrational root, pi,
// a function) is a real-number tree instead (p実数 set, the mantissa then unused); the
// real-number layer makes and reads those.
struct T複素数型 {
    T浮動小数型 t浮動小数;
    T浮動小数型 t虚数;
    std::shared_ptr<const T実数式> p実数;
    bool operator==(const T複素数型&) const = default;
};

// The error of a product or quotient that is the negative of an even root (the exact
// layers cannot hold it; the real-number layer can).
inline constexpr char16_t D負偶数乗根積[] = u"駄目だこりゃ! 負の数と偶数乗根の積は表せないのよ～ん!";

// An exponent numerator or denominator as a 32-bit integer; throws E整数オーバーフロー
// when it does not fit (it is never read as 0).
int32_t f指数整数変換(const T整数型& t整数);

// Every operation below that computes is a cancellation point, as are the long steps inside
// it. Products, quotients and powers work on bases and exponents; sums and values extract
// the root.

// The fraction as a mantissa (exponent 1/1).
T仮数型 f仮数変換(const T分数型& vt分数);
// The value of a mantissa as one fraction (a root is extracted when needed).
T分数型 f仮数真数化(const T仮数型& vt仮数, const Tキャンセル検査& check);
T仮数型 f仮数加算(const T仮数型& vt被加数, const T仮数型& vt加数, const Tキャンセル検査& check);
T仮数型 f仮数減算(const T仮数型& vt被減数, const T仮数型& vt減数, const Tキャンセル検査& check);
// Rewrites both mantissas over a common root index (the first gets the exponent 1/L).
void f指数等化(T仮数型& rt被乗除数, T仮数型& rt乗除数, const Tキャンセル検査& check);
// Product and quotient under a common root index, keeping the sign of a negative base.
T仮数型 f仮数乗算(const T仮数型& vt被乗数, const T仮数型& vt乗数, const Tキャンセル検査& check);
T仮数型 f仮数除算(const T仮数型& vt被除数, const T仮数型& vt除数, const Tキャンセル検査& check);
// Multiplies the base's exponent by the value of the exponent operand.
T仮数型 f仮数累乗(const T仮数型& vt底, const T仮数型& vt指数, const Tキャンセル検査& check);

// The floating layer: one mantissa, which normalising leaves as it is.
T浮動小数型 f浮動小数変換(const T仮数型& vt仮数);
T浮動小数型 f浮動小数正規化(const T浮動小数型& vt浮動小数);
T浮動小数型 f浮動小数加算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check);
T浮動小数型 f浮動小数減算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check);
T浮動小数型 f浮動小数乗算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check);
T浮動小数型 f浮動小数除算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check);
T浮動小数型 f浮動小数累乗(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check);

// The complex layer: the real part computed, the imaginary part 0 on creation and left
// empty by the operations.
T複素数型 f複素数変換(const T浮動小数型& vt浮動小数);
T複素数型 f複素数加算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f複素数減算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f複素数乗算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f複素数除算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f複素数累乗(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
