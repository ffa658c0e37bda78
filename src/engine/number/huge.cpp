#include "engine/number/huge.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>
#include <thread>

#include "common/exception.h"

namespace {

constexpr uint64_t kLimbBits = GMP_NUMB_BITS;

void* Allocate(size_t n) {
    void* p = std::malloc(n);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void* Reallocate(void* p, size_t, size_t n) {
    void* q = std::realloc(p, n);
    if (q == nullptr) throw std::bad_alloc();
    return q;
}

void Free(void* p, size_t) { std::free(p); }

uint64_t Bits(mpz_srcptr a) { return mpz_sgn(a) == 0 ? 0 : mpz_sizeinbase(a, 2); }

// Operands from this size on take a few milliseconds per call: a check comes first, so
// that several such calls in a row still leave the cancellation points close together.
constexpr uint64_t kCheckBits = uint64_t{1} << 20;

// Runs the cancellation check before a call on an operand of that many bits, if large.
void CheckBefore(uint64_t bits, const Tキャンセル検査& check) {
    if (bits >= kCheckBits) check();
}

// Throws std::bad_alloc when a block of that many bytes cannot be had now.
void ProbeMemory(uint64_t bytes) {
    void* p = std::malloc(bytes);
    if (p == nullptr) throw std::bad_alloc();
    std::free(p);
}

// Limbs of a piece that one call may take, at least one.
size_t PieceLimbs(uint64_t bits) { return std::max<size_t>(1, bits / kLimbBits); }

// A read-only view of the limbs [from, from + n) of |a| as a natural number.
mpz_srcptr View(mpz_t view, mpz_srcptr a, size_t from, size_t n) {
    const mp_limb_t* p = mpz_limbs_read(a) + from;
    while (n > 0 && p[n - 1] == 0) --n;
    return mpz_roinit_n(view, p, static_cast<mp_size_t>(n));
}

// Adds the natural number x into the limbs rp[at, rn), which have room for it.
void AddAt(mp_limb_t* rp, size_t rn, size_t at, mpz_srcptr x) {
    const size_t n = mpz_size(x);
    if (n > 0) mpn_add(rp + at, rp + at, static_cast<mp_size_t>(rn - at), mpz_limbs_read(x), static_cast<mp_size_t>(n));
}

// out = |a| |b| for |a| at least as long as |b|, beyond one call: Karatsuba's three
// half-size products when the operands are of similar length, else the longer one in
// chunks as long as the shorter. Each product is formed the same way, down to pieces
// that are one call each.
void MultiplyMagnitudes(mpz_ptr out, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check) {
    const size_t an = mpz_size(a), bn = mpz_size(b), rn = an + bn;
    const size_t piece = PieceLimbs(f分割上限().l乗算);
    const size_t half = (an + 1) / 2;
    T作業整数 result, part, sumA, sumB, low, high;
    mp_limb_t* rp = mpz_limbs_write(result, static_cast<mp_size_t>(rn));
    mpn_zero(rp, static_cast<mp_size_t>(rn));
    mpz_t va, vb;
    if (bn <= half || bn <= piece) {
        const size_t chunk = std::max(bn, piece);
        const mpz_srcptr vbAll = View(vb, b, 0, bn);
        for (size_t i = 0; i < an; i += chunk) {
            check();
            fZ乗算(part, View(va, a, i, std::min(chunk, an - i)), vbAll, check);
            AddAt(rp, rn, i, part);
        }
    } else {
        // a b = high B^(2h) + ((a0 + a1)(b0 + b1) - high - low) B^h + low.
        mpz_t a0, a1, b0, b1;
        View(a0, a, 0, half);
        View(a1, a, half, an - half);
        View(b0, b, 0, half);
        View(b1, b, half, bn - half);
        check();
        fZ乗算(low, a0, b0, check);
        fZ乗算(high, a1, b1, check);
        mpz_add(sumA, a0, a1);
        mpz_add(sumB, b0, b1);
        fZ乗算(part, sumA, sumB, check);
        mpz_sub(part, part, low);
        mpz_sub(part, part, high);
        AddAt(rp, rn, 0, low);
        AddAt(rp, rn, half, part);
        AddAt(rp, rn, 2 * half, high);
    }
    mpz_limbs_finish(result, static_cast<mp_size_t>(rn));
    mpz_swap(out, result);
}

// q = |a| / |b| and r = |a| mod |b| by long division in pieces: each quotient piece comes
// from the leading bits of the remainder and the divisor, then is corrected exactly.
void DivideMagnitudes(mpz_ptr q, mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check) {
    T作業整数 rem, cur, piece, product, top, topDivisor;
    mpz_t whole, view;
    const mpz_srcptr divisor = View(whole, b, 0, mpz_size(b));  // |b|, without a copy
    const size_t an = mpz_size(a), bn = mpz_size(divisor);
    if (an < bn) {
        mpz_set_ui(q, 0);
        mpz_abs(r, a);
        return;
    }
    const size_t seg = PieceLimbs(f分割上限().l除算);
    mpz_set(rem, View(view, a, an - (bn - 1), bn - 1));  // the top bn - 1 limbs: below b
    size_t pos = an - (bn - 1);                           // limbs not yet brought down
    T作業整数 quotient;
    mp_limb_t* qp = mpz_limbs_write(quotient, static_cast<mp_size_t>(pos));
    mpn_zero(qp, static_cast<mp_size_t>(pos));
    const size_t qn = pos;
    while (pos > 0) {
        check();
        const size_t s = std::min(seg, pos);
        pos -= s;
        mpz_mul_2exp(cur, rem, s * kLimbBits);  // cur = rem * 2^(64 s) + the next s limbs
        mpz_add(cur, cur, View(view, a, pos, s));
        if (bn <= seg + 2) {
            mpz_tdiv_qr(piece, rem, cur, divisor);
        } else {
            // From the leading bits: piece <= the true digit <= piece + 2.
            const uint64_t shift = Bits(divisor) - (seg + 1) * kLimbBits;
            mpz_tdiv_q_2exp(topDivisor, divisor, shift);
            mpz_add_ui(topDivisor, topDivisor, 1);
            mpz_tdiv_q_2exp(top, cur, shift);
            mpz_tdiv_q(piece, top, topDivisor);
            fZ乗算(product, piece, divisor, check);
            mpz_sub(rem, cur, product);
            while (mpz_cmp(rem, divisor) >= 0) {
                mpz_sub(rem, rem, divisor);
                mpz_add_ui(piece, piece, 1);
            }
        }
        std::copy_n(mpz_limbs_read(piece), mpz_size(piece), qp + pos);  // piece < 2^(64 s)
    }
    mpz_limbs_finish(quotient, static_cast<mp_size_t>(qn));
    mpz_swap(q, quotient);
    mpz_swap(r, rem);
}

// |a| is a power of two.
bool IsPowerOfTwo(mpz_srcptr a) { return mpz_sgn(a) != 0 && mpz_scan1(a, 0) == Bits(a) - 1; }

// Digits of radix r that always fit `bits` bits.
uint64_t DigitsWithin(uint64_t bits, int radix) {
    return std::max<uint64_t>(1, static_cast<uint64_t>(static_cast<double>(bits) / f基数2進対数(radix)));
}

// radix^(leaf 2^level), with the lower levels, made on first use.
mpz_srcptr PowerOfRadix(std::vector<T作業整数>& powers, size_t level, int radix, uint64_t leaf,
                        const Tキャンセル検査& check) {
    while (powers.size() <= level) {
        T作業整数 p;
        if (powers.empty()) {
            mpz_ui_pow_ui(p, static_cast<unsigned long>(radix), leaf);
        } else {
            fZ乗算(p, powers.back(), powers.back(), check);
        }
        powers.push_back(std::move(p));
    }
    return powers[level];
}

// Reads digits (at most a leaf's worth) with one GMP call.
void ReadLeaf(mpz_ptr r, std::u16string_view digits, int radix) {
    std::string s(digits.begin(), digits.end());
    if (s.empty() || mpz_set_str(r, s.c_str(), radix) != 0) mpz_set_ui(r, 0);
}

// r = the digits as a number, splitting at the largest power below their length.
void ReadSplit(mpz_ptr r, std::u16string_view digits, int radix, uint64_t leaf,
               std::vector<T作業整数>& powers, const Tキャンセル検査& check) {
    if (digits.size() <= leaf) {
        ReadLeaf(r, digits, radix);
        return;
    }
    size_t level = 0;
    while ((leaf << (level + 1)) < digits.size()) ++level;
    PowerOfRadix(powers, level, radix, leaf, check);
    const size_t low = static_cast<size_t>(leaf << level);
    T作業整数 high, rest;
    ReadSplit(high, digits.substr(0, digits.size() - low), radix, leaf, powers, check);
    ReadSplit(rest, digits.substr(digits.size() - low), radix, leaf, powers, check);
    check();
    fZ乗算(r, high, powers[level], check);
    mpz_add(r, r, rest);
}

// A gcd of two numbers too long for one call to stay short: GMP's gcd cannot be split
// into pieces, so it runs on a thread of its own while the caller keeps checking for a
// cancel. A cancelled caller leaves at once; the thread finishes on its own copies and
// frees them. One such thread at a time: a new one first waits for the one before.
struct TBackgroundGcd {
    T作業整数 a, b, g;
    std::atomic<bool> done{false};
    std::exception_ptr error;
};

// The last background gcd started (used by the calculating thread only).
std::weak_ptr<TBackgroundGcd> g_lastGcd;

// Waits for the job, checking for a cancel every couple of milliseconds.
void WaitFor(const TBackgroundGcd& job, const Tキャンセル検査& check) {
    while (!job.done.load(std::memory_order_acquire)) {
        check();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void GcdInBackground(mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check) {
    if (const auto previous = g_lastGcd.lock()) WaitFor(*previous, check);
    auto job = std::make_shared<TBackgroundGcd>();
    mpz_set(job->a, a);
    mpz_set(job->b, b);
    std::thread([job] {
        try {
            mpz_gcd(job->g, job->a, job->b);
        } catch (...) {
            job->error = std::current_exception();
        }
        job->done.store(true, std::memory_order_release);
    }).detach();
    g_lastGcd = job;
    WaitFor(*job, check);
    if (job->error) std::rethrow_exception(job->error);
    mpz_swap(r, job->g);
}

}  // namespace

T分割上限型& f分割上限() {
    static T分割上限型 limits;
    return limits;
}

void fGMP記憶関数設定() { mp_set_memory_functions(Allocate, Reallocate, Free); }

double f基数2進対数(int radix) {
    static constexpr double kLog2[] = {
        1.0, 1.584962500721156, 2.0, 2.321928094887362,
        2.584962500721156, 2.807354922057604, 3.0, 3.169925001442312,
        3.321928094887362, 3.4594316186372973, 3.584962500721156, 3.700439718141092,
        3.807354922057604, 3.9068905956085187, 4.0, 4.087462841250339,
        4.169925001442312, 4.247927513443585, 4.321928094887363, 4.392317422778761,
        4.459431618637297, 4.523561956057013, 4.584962500721156, 4.643856189774724,
        4.700439718141092, 4.754887502163468, 4.807354922057604, 4.857980995127572,
        4.906890595608519, 4.954196310386875, 5.0, 5.044394119358453,
        5.087462841250339, 5.129283016944966, 5.169925001442312};
    if (radix < 2 || radix > 36) throw E一般例外(u"駄目だこりゃ! 基数は 2 から 36 までなのよ～ん!");
    return kLog2[radix - 2];
}

// 2 atanh(z) / ln 2 with z = (m - 1) / (m + 1), |z| <= 1/3.
double f仮数2進対数(double m) {
    const double z = (m - 1) / (m + 1), z2 = z * z;
    double sum = 0, power = z;
    for (int k = 1; k < 42; k += 2, power *= z2) sum += power / k;
    return 2 * sum / 0.6931471805599453;
}

void fビット数検査(uint64_t bits) {
    if (bits > f分割上限().l最大ビット数) throw E整数オーバーフロー();
}

void fZ乗算(mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check) {
    const size_t an = mpz_size(a), bn = mpz_size(b);
    if (an == 0 || bn == 0) {
        mpz_set_ui(r, 0);
        return;
    }
    fビット数検査((an + bn) * kLimbBits);
    const size_t piece = PieceLimbs(f分割上限().l乗算);
    if (an <= piece && bn <= piece) {
        CheckBefore(std::max(an, bn) * kLimbBits, check);
        mpz_mul(r, a, b);
        return;
    }
    const bool negative = (mpz_sgn(a) < 0) != (mpz_sgn(b) < 0);
    T作業整数 out;
    if (an >= bn) {
        MultiplyMagnitudes(out, a, b, check);
    } else {
        MultiplyMagnitudes(out, b, a, check);
    }
    if (negative) mpz_neg(out, out);
    mpz_swap(r, out);
}

void fZ商余(mpz_ptr q, mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check) {
    const uint64_t limit = f分割上限().l除算;
    const uint64_t ab = Bits(a), bb = Bits(b);
    if (bb <= limit && (ab <= bb || ab - bb <= limit)) {
        CheckBefore(ab, check);
        mpz_tdiv_qr(q, r, a, b);
        return;
    }
    const int sa = mpz_sgn(a), sb = mpz_sgn(b);
    T作業整数 quotient, rem;
    DivideMagnitudes(quotient, rem, a, b, check);
    if ((sa < 0) != (sb < 0)) mpz_neg(quotient, quotient);
    if (sa < 0) mpz_neg(rem, rem);
    mpz_swap(q, quotient);
    mpz_swap(r, rem);
}

void fZ冪(mpz_ptr r, mpz_srcptr a, uint64_t e, const Tキャンセル検査& check) {
    const uint64_t ab = Bits(a);
    if (e == 0 || ab <= 1) {  // 1, or a power of 0 or ±1
        mpz_pow_ui(r, a, e);
        return;
    }
    if (ab - 1 > f分割上限().l最大ビット数 / e) throw E整数オーバーフロー();
    fビット数検査((ab - 1) * e + 1);
    if (IsPowerOfTwo(a)) {
        const bool negative = mpz_sgn(a) < 0 && e % 2 == 1;
        mpz_set_ui(r, 1);
        mpz_mul_2exp(r, r, (ab - 1) * e);
        if (negative) mpz_neg(r, r);
        return;
    }
    if (ab * e <= 2 * f分割上限().l乗算) {
        CheckBefore(ab * e, check);
        mpz_pow_ui(r, a, e);
        return;
    }
    // A power that cannot be held fails at once rather than after many squarings: the last
    // squaring holds the result and the half as long number it squares.
    long exponent2 = 0;
    const double mantissa = mpz_get_d_2exp(&exponent2, a);
    const double bytes = (f仮数2進対数(mantissa < 0 ? -mantissa : mantissa) + static_cast<double>(exponent2)) * static_cast<double>(e) / 8;
    ProbeMemory(static_cast<uint64_t>(bytes * 1.5));
    // Left to right: square, and multiply by a where the exponent has a one.
    T作業整数 acc;
    mpz_set(acc, a);
    for (int bit = 62 - __builtin_clzll(e); bit >= 0; --bit) {
        check();
        fZ乗算(acc, acc, acc, check);
        if ((e >> bit) & 1) fZ乗算(acc, acc, a, check);
    }
    mpz_swap(r, acc);
}

void fZ冪根(mpz_ptr r, mpz_srcptr a, uint64_t n, mpz_srcptr upper, const Tキャンセル検査& check) {
    const uint64_t ab = Bits(a);
    if (n == 1 || ab == 0) {
        mpz_set(r, a);
        return;
    }
    if (ab <= n) {  // a < 2^n: the root is 0 or 1
        mpz_set_ui(r, 1);
        return;
    }
    const uint64_t half = ab / (2 * n);
    if (upper == nullptr && (ab <= f分割上限().l冪根 || half == 0)) {
        CheckBefore(ab, check);
        mpz_root(r, a, n);
        return;
    }
    T作業整数 y, power, quotient, rem, next;
    if (upper != nullptr) {
        mpz_set(y, upper);
    } else {
        // With a = hi 2^(n h) + lo, the root is below (floor(hi^(1/n)) + 1) 2^h.
        mpz_tdiv_q_2exp(next, a, n * half);
        fZ冪根(y, next, n, nullptr, check);
        mpz_add_ui(y, y, 1);
        mpz_mul_2exp(y, y, half);
    }
    // Newton's iteration from above, y' = ((n - 1) y + a / y^(n-1)) / n, decreases to the
    // root; a y with y^n <= a is the root already.
    for (;;) {
        check();
        fZ冪(power, y, n - 1, check);
        fZ商余(quotient, rem, a, power, check);
        mpz_mul_ui(next, y, n - 1);
        mpz_add(next, next, quotient);
        mpz_tdiv_q_ui(next, next, n);
        if (mpz_cmp(next, y) >= 0) break;
        mpz_swap(y, next);
        fZ冪(power, y, n, check);
        if (mpz_cmp(power, a) <= 0) break;
    }
    mpz_swap(r, y);
}

void fZ最大公約数(mpz_ptr r, mpz_srcptr a, mpz_srcptr b, const Tキャンセル検査& check) {
    const bool aLarger = mpz_cmpabs(a, b) >= 0;
    mpz_srcptr large = aLarger ? a : b;
    mpz_srcptr small = aLarger ? b : a;
    if (mpz_sgn(small) == 0 || Bits(large) <= f分割上限().l公約数) {
        CheckBefore(Bits(large), check);
        mpz_gcd(r, a, b);
        return;
    }
    // Reduce the larger operand first, in pieces, so that the gcd sees two numbers of the
    // smaller one's size.
    T作業整数 quotient, rem;
    fZ商余(quotient, rem, large, small, check);
    if (Bits(small) <= f分割上限().l公約数) {
        CheckBefore(Bits(small), check);
        mpz_gcd(r, small, rem);
    } else {
        GcdInBackground(r, small, rem, check);
    }
}

uint64_t fZ素因数個数(mpz_srcptr a, unsigned long p, mpz_ptr rest, const Tキャンセル検査& check) {
    T作業整数 x;
    mpz_abs(x, a);
    uint64_t count = 0;
    if (p == 2) {
        count = mpz_scan1(x, 0);
        mpz_tdiv_q_2exp(x, x, count);
    } else if (Bits(x) <= f分割上限().l除算) {
        T作業整数 factor;
        mpz_set_ui(factor, p);
        CheckBefore(Bits(x), check);
        count = mpz_remove(x, x, factor);
    } else {
        // Divide by p^(2^k) from the largest power that fits down: each divides at most once
        // after the first.
        std::vector<T作業整数> powers(1);
        mpz_set_ui(powers[0], p);
        while (2 * Bits(powers.back()) <= Bits(x) + 1) {
            T作業整数 square;
            fZ乗算(square, powers.back(), powers.back(), check);
            powers.push_back(std::move(square));
        }
        T作業整数 q, r;
        for (size_t k = powers.size(); k-- > 0;) {
            for (;;) {
                fZ商余(q, r, x, powers[k], check);
                if (mpz_sgn(r) != 0) break;
                mpz_swap(x, q);
                count += uint64_t{1} << k;
            }
        }
    }
    if (rest != nullptr) mpz_swap(rest, x);
    return count;
}

T分割文字列化::T分割文字列化(mpz_srcptr a, int radix, uint64_t width)
    : radix_(radix), width_(width), leafDigits_(DigitsWithin(f分割上限().l文字列, radix)) {
    // A text that cannot be held fails at once rather than after most of the work.
    ProbeMemory(std::max<uint64_t>(width, static_cast<uint64_t>(static_cast<double>(Bits(a)) / f基数2進対数(radix))) *
                sizeof(char16_t));
    T片 top{T作業整数(), 0};
    mpz_abs(top.x, a);
    stack_.push_back(std::move(top));
}

mpz_srcptr T分割文字列化::fPower(size_t level, const Tキャンセル検査& check) {
    return PowerOfRadix(powers_, level, radix_, leafDigits_, check);
}

void T分割文字列化::fLeaf(const T片& piece, std::u16string& out) {
    std::string digits(mpz_sizeinbase(piece.x, radix_) + 2, '\0');
    mpz_get_str(digits.data(), -radix_, piece.x);
    digits.resize(std::char_traits<char>::length(digits.data()));
    uint64_t zeros = 0;
    if (piece.width > 0) {
        zeros = piece.width - digits.size();
    } else if (width_ > 0) {
        // The top piece: the padded pieces still on the stack follow it.
        uint64_t total = digits.size();
        for (size_t i = 0; i + 1 < stack_.size(); ++i) total += stack_[i].width;
        if (total > width_) throw E一般例外(u"駄目だこりゃ! 桁数に収まらない数なのよ～ん!");
        zeros = width_ - total;
    }
    out.append(zeros, u'0');
    out.append(digits.begin(), digits.end());
}

bool T分割文字列化::f次(std::u16string& out, const Tキャンセル検査& check) {
    if (stack_.empty()) return false;
    T片& top = stack_.back();
    size_t level = 0;
    if (top.width == 0) {
        const uint64_t bits = Bits(top.x);
        if (bits <= f分割上限().l文字列) {
            fLeaf(top, out);
            stack_.pop_back();
            return !stack_.empty();
        }
        // The largest level whose power is at most the value (a square of more than
        // twice the bits is larger without being formed).
        while (2 * Bits(fPower(level, check)) - 1 <= bits && mpz_cmp(fPower(level + 1, check), top.x) <= 0) {
            ++level;
        }
    } else {
        if (top.width <= leafDigits_) {
            fLeaf(top, out);
            stack_.pop_back();
            return !stack_.empty();
        }
        while ((leafDigits_ << (level + 1)) < top.width) ++level;
    }
    T片 high{T作業整数(), top.width == 0 ? 0 : leafDigits_ << level};
    T片 low{T作業整数(), leafDigits_ << level};
    fZ商余(high.x, low.x, top.x, fPower(level, check), check);
    stack_.pop_back();
    stack_.push_back(std::move(low));
    stack_.push_back(std::move(high));
    return true;
}

void T分割文字列化::f全部(std::u16string& out, const Tキャンセル検査& check) {
    while (f次(out, check)) check();
}

void fZ文字列読込(mpz_ptr r, std::u16string_view digits, int radix, const Tキャンセル検査& check) {
    const uint64_t leaf = DigitsWithin(f分割上限().l文字列, radix);
    fビット数検査(static_cast<uint64_t>(static_cast<double>(digits.size()) * f基数2進対数(radix)) + 1);
    std::vector<T作業整数> powers;
    T作業整数 value;
    ReadSplit(value, digits, radix, leaf, powers, check);
    mpz_swap(r, value);
}
