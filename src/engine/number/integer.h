// The integers every fraction is made of: any size, binary inside, with the sign a zero
// may carry. The digit-string arithmetic writes the product of a negative number and
// zero as "-0", and that sign later decides the sign of an infinity, so a zero here is
// either 0 or -0. Decimal text is made only when it is asked for.
#pragma once

#include <gmp.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/number/cancel.h"

// Values within 63 bits live in the object and need no GMP call; larger ones live in a
// GMP integer that copies share (a value never changes once made, so copying one only
// counts a reference). The reference count is not atomic: values stay on one thread.
class T整数型 {
public:
    T整数型() noexcept = default;
    // The value v. Both this and the destructor are constant expressions for a small value,
    // so that the number layer's constants exist before any code runs.
    constexpr explicit T整数型(int64_t v) : v_(v) {
        if (v == INT64_MIN) fSetMinimum();
    }
    T整数型(const T整数型& other) noexcept;
    T整数型(T整数型&& other) noexcept;
    T整数型& operator=(const T整数型& other) noexcept;
    T整数型& operator=(T整数型&& other) noexcept;
    // Releases this copy's share of a large value.
    constexpr ~T整数型() {
        if (p_ != nullptr) fRelease();
    }

    // Zero written "-0".
    static T整数型 f負のゼロ();
    // The value of an optional "-" followed by digits (none: 0); "-0" keeps its sign.
    // Anything else is an internal error.
    static T整数型 f読込(std::u16string_view s, const Tキャンセル検査& check = Tキャンセル検査());
    // The value of a GMP integer, which is left with an unspecified value.
    static T整数型 f取込(mpz_ptr z);

    // The digit string: "-" for a negative value or -0, then the digits.
    std::u16string f文字列(const Tキャンセル検査& check = Tキャンセル検査()) const;
    // -1, 0 or 1 by value (-0 gives 0).
    int f符号() const { return p_ != nullptr ? mpz_sgn(p_->z) : (v_ > 0) - (v_ < 0); }
    // Written with a "-": a negative value or -0.
    bool f負記号() const { return f符号() < 0 || bNegZero_; }
    bool fゼロ() const { return p_ == nullptr && v_ == 0; }
    // True for the value v (by value: -0 equals 0).
    bool f等値(int64_t v) const { return p_ == nullptr && v_ == v; }
    // The value when it fits a signed 32-bit integer.
    bool f32bit値(int32_t& v) const;
    // The value when it fits 63 bits (no GMP integer behind it).
    bool f小値(int64_t& v) const {
        v = v_;
        return p_ == nullptr;
    }
    // Bits of the magnitude (0 for zero).
    uint64_t fビット数() const;
    // The same text: the same value and, for zero, the same sign.
    bool operator==(const T整数型& other) const;

private:
    friend class T整数視;
    struct T共有 {
        uint32_t refs;
        mpz_t z;
    };
    void fRelease() noexcept;
    // Holds INT64_MIN, which is beyond the object's own 63 bits.
    void fSetMinimum();

    int64_t v_ = 0;          // the value while p_ is null; never INT64_MIN
    T共有* p_ = nullptr;     // the value beyond 63 bits, shared by copies
    bool bNegZero_ = false;  // the value is zero written "-0"
};

// A read-only GMP view of a T整数型's value, valid while both live.
class T整数視 {
public:
    explicit T整数視(const T整数型& a) noexcept;
    T整数視(const T整数視&) = delete;
    T整数視& operator=(const T整数視&) = delete;
    operator mpz_srcptr() const { return p_; }

private:
    mp_limb_t limb_ = 0;
    mpz_t small_;
    mpz_srcptr p_;
};

// a + b and a - b; the result is never -0.
T整数型 f和(const T整数型& a, const T整数型& b);
T整数型 f差(const T整数型& a, const T整数型& b);
// a * b; a zero product is -0 when exactly one factor is written with "-".
T整数型 f積(const T整数型& a, const T整数型& b, const Tキャンセル検査& check);
// Truncating division by b != 0: the quotient carries "-" when exactly one operand does,
// the remainder when the dividend does (zeros included: -6 by 3 leaves -0).
void f商余(const T整数型& a, const T整数型& b, T整数型& q, T整数型& r, const Tキャンセル検査& check);
// The greatest common divisor of the magnitudes (gcd(0, b) = |b|).
T整数型 f最大公約数(const T整数型& a, const T整数型& b, const Tキャンセル検査& check);
// The least common multiple of the magnitudes (0 when either is 0).
T整数型 f最小公倍数(const T整数型& a, const T整数型& b, const Tキャンセル検査& check);
// -1, 0 or 1 comparing the values (-0 equals 0).
int f大小比較(const T整数型& a, const T整数型& b);
// The magnitude, without any "-".
T整数型 f絶対値(const T整数型& a);
// The sign written the other way: 5 -> -5, -5 -> 5, 0 -> -0, -0 -> 0.
T整数型 f符号反転(const T整数型& a);
// a^e (a zero base gives 0).
T整数型 f冪(const T整数型& a, uint64_t e, const Tキャンセル検査& check);
// floor(a^(1/n)) for a >= 0 and n >= 1; exact tells whether it is the root itself.
T整数型 f冪根(const T整数型& a, uint64_t n, bool& exact, const Tキャンセル検査& check);
// a * 10^k.
T整数型 f10冪倍(const T整数型& a, uint64_t k, const Tキャンセル検査& check);
// Decimal digits of |a| ("0" has one).
uint64_t f10進桁数(const T整数型& a, const Tキャンセル検査& check);
