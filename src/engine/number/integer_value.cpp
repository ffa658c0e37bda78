#include <algorithm>
#include <charconv>

#include "common/exception.h"
#include "engine/number/huge.h"
#include "engine/number/integer.h"

namespace {

// GMP allocates through functions that raise std::bad_alloc, from the first value on.
[[maybe_unused]] const bool g記憶関数設定済 = (fGMP記憶関数設定(), true);

uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

// Greatest common divisor of two machine words (binary method).
uint64_t WordGcd(uint64_t a, uint64_t b) {
    if (a == 0) return b;
    if (b == 0) return a;
    const int shift = __builtin_ctzll(a | b);
    a >>= __builtin_ctzll(a);
    do {
        b >>= __builtin_ctzll(b);
        if (a > b) std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

// A zero with the given "-".
T整数型 Zero(bool negative) { return negative ? T整数型::f負のゼロ() : T整数型(); }

uint64_t DecimalDigits(uint64_t v) {
    uint64_t n = 1;
    for (; v >= 10; v /= 10) ++n;
    return n;
}

}  // namespace

void T整数型::fSetMinimum() {
    v_ = 0;
    p_ = new T共有{1, {}};
    mpz_init_set_si(p_->z, INT64_MIN);
}

T整数型::T整数型(const T整数型& other) noexcept : v_(other.v_), p_(other.p_), bNegZero_(other.bNegZero_) {
    if (p_ != nullptr) ++p_->refs;
}

T整数型::T整数型(T整数型&& other) noexcept : v_(other.v_), p_(other.p_), bNegZero_(other.bNegZero_) {
    other.p_ = nullptr;
    other.v_ = 0;
    other.bNegZero_ = false;
}

T整数型& T整数型::operator=(const T整数型& other) noexcept {
    if (other.p_ != nullptr) ++other.p_->refs;
    fRelease();
    v_ = other.v_;
    p_ = other.p_;
    bNegZero_ = other.bNegZero_;
    return *this;
}

T整数型& T整数型::operator=(T整数型&& other) noexcept {
    if (this != &other) {
        fRelease();
        v_ = other.v_;
        p_ = other.p_;
        bNegZero_ = other.bNegZero_;
        other.p_ = nullptr;
        other.v_ = 0;
        other.bNegZero_ = false;
    }
    return *this;
}

void T整数型::fRelease() noexcept {
    if (p_ != nullptr && --p_->refs == 0) {
        mpz_clear(p_->z);
        delete p_;
    }
    p_ = nullptr;
}

T整数型 T整数型::f負のゼロ() {
    T整数型 z;
    z.bNegZero_ = true;
    return z;
}

T整数型 T整数型::f取込(mpz_ptr z) {
    T整数型 r;
    if (mpz_fits_slong_p(z) && mpz_cmp_si(z, INT64_MIN) != 0) {
        r.v_ = mpz_get_si(z);
        return r;
    }
    r.p_ = new T共有{1, {}};
    mpz_init(r.p_->z);
    mpz_swap(r.p_->z, z);
    return r;
}

T整数型 T整数型::f読込(std::u16string_view s, const Tキャンセル検査& check) {
    const bool negative = !s.empty() && s.front() == u'-';
    if (negative) s.remove_prefix(1);
    if (!std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        throw E一般例外(u"駄目だこりゃ! 数字でない文字列は数にならないのよ～ん!");
    }
    const size_t first = std::min(s.find_first_not_of(u'0'), s.size());
    s.remove_prefix(first);
    if (s.empty()) return Zero(negative);
    if (s.size() <= 18) {
        uint64_t m = 0;
        for (char16_t c : s) m = m * 10 + static_cast<uint64_t>(c - u'0');
        return T整数型(negative ? -static_cast<int64_t>(m) : static_cast<int64_t>(m));
    }
    T作業整数 z;
    fZ文字列読込(z, s, 10, check);
    if (negative) mpz_neg(z, z);
    return f取込(z);
}

std::u16string T整数型::f文字列(const Tキャンセル検査& check) const {
    std::u16string s;
    if (f負記号()) s.push_back(u'-');
    if (p_ == nullptr) {
        char buf[24];
        const auto end = std::to_chars(buf, buf + sizeof buf, Magnitude(v_)).ptr;
        s.append(buf, end);
        return s;
    }
    T分割文字列化(p_->z, 10).f全部(s, check);
    return s;
}

bool T整数型::f32bit値(int32_t& v) const {
    if (p_ != nullptr || v_ < INT32_MIN || v_ > INT32_MAX) return false;
    v = static_cast<int32_t>(v_);
    return true;
}

uint64_t T整数型::fビット数() const {
    if (p_ != nullptr) return mpz_sizeinbase(p_->z, 2);
    const uint64_t m = Magnitude(v_);
    return m == 0 ? 0 : 64 - static_cast<uint64_t>(__builtin_clzll(m));
}

bool T整数型::operator==(const T整数型& other) const {
    return bNegZero_ == other.bNegZero_ && f大小比較(*this, other) == 0;
}

T整数視::T整数視(const T整数型& a) noexcept {
    if (a.p_ != nullptr) {
        p_ = a.p_->z;
        return;
    }
    limb_ = Magnitude(a.v_);
    p_ = mpz_roinit_n(small_, &limb_, a.v_ == 0 ? 0 : (a.v_ < 0 ? -1 : 1));
}

T整数型 f和(const T整数型& a, const T整数型& b) {
    int64_t x, y, r;
    if (a.f小値(x) && b.f小値(y) && !__builtin_add_overflow(x, y, &r) && r != INT64_MIN) return T整数型(r);
    T作業整数 z;
    mpz_add(z, T整数視(a), T整数視(b));
    return T整数型::f取込(z);
}

T整数型 f差(const T整数型& a, const T整数型& b) { return f和(a, f符号反転(b)); }

T整数型 f積(const T整数型& a, const T整数型& b, const Tキャンセル検査& check) {
    if (a.fゼロ() || b.fゼロ()) return Zero(a.f負記号() != b.f負記号());
    int64_t x, y, r;
    if (a.f小値(x) && b.f小値(y) && !__builtin_mul_overflow(x, y, &r) && r != INT64_MIN) return T整数型(r);
    T作業整数 z;
    fZ乗算(z, T整数視(a), T整数視(b), check);
    return T整数型::f取込(z);
}

void f商余(const T整数型& a, const T整数型& b, T整数型& q, T整数型& r, const Tキャンセル検査& check) {
    if (b.fゼロ()) throw E一般例外(u"駄目だこりゃ! 0 で割ろうとしたのよ～ん!");
    const bool qNegative = a.f負記号() != b.f負記号();
    const bool rNegative = a.f負記号();
    int64_t x, y;
    T整数型 quotient, remainder;
    if (a.f小値(x) && b.f小値(y)) {
        quotient = T整数型(x / y);  // |x| < 2^63, so x / -1 fits
        remainder = T整数型(x % y);
    } else if (b.f等値(1)) {  // an integer's own quotient: no work on its digits
        quotient = a;
    } else {
        T作業整数 zq, zr;
        fZ商余(zq, zr, T整数視(a), T整数視(b), check);
        quotient = T整数型::f取込(zq);
        remainder = T整数型::f取込(zr);
    }
    q = quotient.fゼロ() ? Zero(qNegative) : std::move(quotient);
    r = remainder.fゼロ() ? Zero(rNegative) : std::move(remainder);
}

T整数型 f最大公約数(const T整数型& a, const T整数型& b, const Tキャンセル検査& check) {
    if (a.f等値(1) || a.f等値(-1) || b.f等値(1) || b.f等値(-1)) return T整数型(1);
    int64_t x, y;
    if (a.f小値(x) && b.f小値(y)) {  // both below 2^63, and so is their gcd
        return T整数型(static_cast<int64_t>(WordGcd(Magnitude(x), Magnitude(y))));
    }
    T作業整数 z;
    fZ最大公約数(z, T整数視(a), T整数視(b), check);
    return T整数型::f取込(z);
}

T整数型 f最小公倍数(const T整数型& a, const T整数型& b, const Tキャンセル検査& check) {
    if (a.fゼロ() || b.fゼロ()) return T整数型();
    T整数型 q, r;
    f商余(f絶対値(a), f最大公約数(a, b, check), q, r, check);
    return f積(q, f絶対値(b), check);
}

int f大小比較(const T整数型& a, const T整数型& b) {
    int64_t x, y;
    if (a.f小値(x) && b.f小値(y)) return (x > y) - (x < y);
    const int c = mpz_cmp(T整数視(a), T整数視(b));
    return (c > 0) - (c < 0);
}

T整数型 f絶対値(const T整数型& a) { return a.f負記号() ? f符号反転(a) : a; }

T整数型 f符号反転(const T整数型& a) {
    if (a.fゼロ()) return Zero(!a.f負記号());
    int64_t x;
    if (a.f小値(x)) return T整数型(-x);
    T作業整数 z;
    mpz_neg(z, T整数視(a));
    return T整数型::f取込(z);
}

T整数型 f冪(const T整数型& a, uint64_t e, const Tキャンセル検査& check) {
    T作業整数 z;
    fZ冪(z, T整数視(a), e, check);
    return T整数型::f取込(z);
}

T整数型 f冪根(const T整数型& a, uint64_t n, bool& exact, const Tキャンセル検査& check) {
    T作業整数 root, power;
    const T整数視 va(a);
    fZ冪根(root, va, n, nullptr, check);
    fZ冪(power, root, n, check);
    exact = mpz_cmp(power, va) == 0;
    return T整数型::f取込(root);
}

T整数型 f10冪倍(const T整数型& a, uint64_t k, const Tキャンセル検査& check) {
    if (k == 0 || a.fゼロ()) return a;
    T作業整数 ten, power;
    mpz_set_ui(ten, 10);
    fZ冪(power, ten, k, check);
    return f積(a, T整数型::f取込(power), check);
}

uint64_t f10進桁数(const T整数型& a, const Tキャンセル検査& check) {
    int64_t x;
    if (a.f小値(x)) return DecimalDigits(Magnitude(x));
    const T整数視 va(a);
    const uint64_t estimate = mpz_sizeinbase(va, 10);  // exact or one too many
    T作業整数 ten, power;
    mpz_set_ui(ten, 10);
    fZ冪(power, ten, estimate - 1, check);
    return mpz_cmpabs(va, power) >= 0 ? estimate : estimate - 1;
}
