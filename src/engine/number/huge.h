// GMP operations on operands of any size that stay cancellable: a GMP call cannot be
// interrupted, so operands beyond a few million bits are split into pieces whose calls
// each take a few tens of milliseconds, with a cancellation check between them.
// Below the limits every function is one plain GMP call.
#pragma once

#include <gmp.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number/cancel.h"

// An owned GMP integer for working values (zero when made). Making one allocates
// nothing; moving one swaps.
class T作業整数 {
public:
    T作業整数() noexcept { mpz_init(z_); }
    ~T作業整数() { mpz_clear(z_); }
    T作業整数(T作業整数&& other) noexcept {
        mpz_init(z_);
        mpz_swap(z_, other.z_);
    }
    T作業整数& operator=(T作業整数&& other) noexcept {
        mpz_swap(z_, other.z_);
        return *this;
    }
    operator mpz_ptr() { return z_; }
    operator mpz_srcptr() const { return z_; }
    // For GMP's macros (mpz_sgn) that take a pointer.
    mpz_srcptr operator->() const { return z_; }

private:
    mpz_t z_;
};

// The largest operands, in bits, that one GMP call of each kind may take. Tests lower
// them to exercise the split methods on small numbers.
struct T分割上限型 {
    uint64_t l乗算 = uint64_t{1} << 23;    // each factor of a product (about 50 ms)
    uint64_t l除算 = uint64_t{1} << 22;    // divisor and quotient of a division (about 40 ms)
    uint64_t l冪根 = uint64_t{1} << 22;    // the radicand of an n-th root
    uint64_t l文字列 = uint64_t{1} << 21;  // a number converted to or from digits
    uint64_t l公約数 = uint64_t{1} << 20;  // the smaller operand of a gcd
    // Numbers of more than 2^30 limbs (8 GiB) are never formed: GMP ends the process when
    // a number or one of its temporaries passes 2^31 limbs. The fuzzers lower it.
    uint64_t l最大ビット数 = (uint64_t{1} << 30) * GMP_NUMB_BITS;
};
T分割上限型& f分割上限();

// Installs allocation functions that raise std::bad_alloc instead of ending the process.
void fGMP記憶関数設定();

// Throws E整数オーバーフロー when a number of that many bits is beyond what is ever formed
// (f分割上限().l最大ビット数).
void fビット数検査(uint64_t bits);

// log2 of a radix 2..36, exactly as the maths library's log2 gives it, and log2 of a
// mantissa 0.5 <= m < 1 to a few units in the last place: the size estimates need no more,
// and the program then loads no maths library, which would cost every start a fifth of a
// millisecond.
double f基数2進対数(int radix);
double f仮数2進対数(double m);

// r = a * b.
void fZ乗算(mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check);
// Truncating division: q = a / b rounded toward zero, r = a - q * b (b != 0). q and r
// must be different objects; either may alias a or b.
void fZ商余(mpz_ptr q, mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check);
// r = a^e.
void fZ冪(mpz_ptr r, mpz_srcptr a, uint64_t e, const Tキャンセル検査& check);
// r = floor(a^(1/n)) for a >= 0, n >= 1. A start value known to be at least the root
// (may be null) saves the first approximation.
void fZ冪根(mpz_ptr r, mpz_srcptr a, uint64_t n, mpz_srcptr upper, const Tキャンセル検査& check);
// r = gcd(|a|, |b|).
void fZ最大公約数(mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check);
// The exponent of the prime p in a != 0; a without those factors goes to rest when given.
uint64_t fZ素因数個数(mpz_srcptr a, unsigned long p, mpz_ptr rest, const Tキャンセル検査& check);

// The magnitude of a number in radix 2..36, digits "0"-"9" then "A"-"Z", produced piece
// by piece from the most significant end so that the text can be shown as it grows.
class T分割文字列化 {
public:
    // Starts converting |a| (the value is copied). width > 0: the text has exactly that
    // many digits, zeros in front (|a| must fit); 0: no leading zero, "0" for zero.
    T分割文字列化(mpz_srcptr a, int radix, uint64_t width = 0);
    // One piece of work: a split, or a piece of digits appended to out. False once every
    // digit has been appended. A cancel leaves the conversion as it was before the call.
    bool f次(std::u16string& out, const Tキャンセル検査& check);
    // Appends all the (remaining) digits.
    void f全部(std::u16string& out, const Tキャンセル検査& check);

private:
    struct T片 {
        T作業整数 x;
        uint64_t width;  // digits of a padded piece; 0: the unpadded top
    };
    // The power radix^(leaf digits * 2^level), made on first use.
    mpz_srcptr fPower(size_t level, const Tキャンセル検査& check);
    // Appends the digits of a piece small enough for one GMP call.
    void fLeaf(const T片& piece, std::u16string& out);

    int radix_;
    uint64_t width_;                 // the requested width, 0 for none
    uint64_t leafDigits_;            // digits of the largest piece converted in one call
    std::vector<T片> stack_;         // pieces still to convert, the next one last
    std::vector<T作業整数> powers_;  // radix^(leafDigits * 2^j)
};

// Reads digits of the radix (each character already checked to be one) as a natural
// number into r.
void fZ文字列読込(mpz_ptr r, std::u16string_view digits, int radix, const Tキャンセル検査& check);
