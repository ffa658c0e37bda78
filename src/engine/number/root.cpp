// Stepwise n-th roots. Each step yields the digit of one decimal place: the largest d for
// which the root so far plus d times the place value, raised to the n-th power, does not
// exceed the base. The digit is found by an integer remainder method on base-10^9 limbs:
// the base's digits are read in groups of n aligned with the point, x is the root found
// so far as an integer and rem = M - x^n the remainder against the digits M read so far.
// Reading one more group turns the question into the largest d with
//   delta(d) = (10x + d)^n - (10x)^n <= T = rem * 10^n + group,
// which gives exactly the digit of the trial by powers at a cost per step proportional
// to the digits involved.
//
// For indexes up to kMaxCoefficientIndex, delta is evaluated from the Taylor
// coefficients a_k = C(n,k) x^(n-k) of (x + s)^n, which a Taylor shift by d carries from
// one step to the next with multiplications by single digits only. Larger indexes would
// make that table (about n^2/2 times the root's digits) too big; they raise the
// candidates to the n-th power instead, and settle most comparisons by logarithms.
#include <algorithm>
#include <array>
#include <cmath>

#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/number/limbs.h"

namespace {

constexpr uint32_t kPow10[10] = {1,      10,      100,      1000,      10000,
                                 100000, 1000000, 10000000, 100000000, 1000000000};

// Largest index whose powers are kept as Taylor coefficients.
constexpr int32_t kMaxCoefficientIndex = 64;

// Numbers of more limbs than this (38 million digits) are not formed by the stepwise
// root: multiplying two of them would take hours. A step that would need one produces
// no digit and leaves everything as it was, so the expansion simply goes on until it is
// cancelled, as it would with the powers themselves, without exhausting memory first.
// The limit is checked wherever a number grows by n digits at once.
constexpr size_t kMaxLimbs = size_t{1} << 22;

const double kLn10 = std::log(10.0);
const double kLnLimb = std::log(1e9);

using WorkMeter = T作業計量;

void Trim(T多倍長型& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

// Decimal digits of a; 0 for zero.
uint64_t DigitCount(const T多倍長型& a) {
    if (a.empty()) return 0;
    uint64_t count = (a.size() - 1) * 9;
    for (uint32_t top = a.back(); top != 0; top /= 10) ++count;
    return count;
}

// Natural logarithm from the three highest limbs (relative error about 1e-16); a > 0.
double LnOf(const T多倍長型& a) {
    double v = 0;
    size_t used = 0;
    for (size_t i = a.size(); i-- > 0 && used < 3; ++used) v = v * 1e9 + a[i];
    return std::log(v) + static_cast<double>(a.size() - used) * kLnLimb;
}

// a = a * m + add for m <= 10^9.
void MulSmallInPlace(T多倍長型& a, uint32_t m, uint32_t add = 0) {
    uint64_t carry = add;
    for (uint32_t& limb : a) {
        const uint64_t t = uint64_t{limb} * m + carry;
        limb = static_cast<uint32_t>(t % D多倍長基数);
        carry = t / D多倍長基数;
    }
    while (carry != 0) {
        a.push_back(static_cast<uint32_t>(carry % D多倍長基数));
        carry /= D多倍長基数;
    }
    Trim(a);
}

// dst = src * 10^s.
void ShiftedInto(T多倍長型& dst, const T多倍長型& src, uint64_t s) {
    dst.clear();
    if (src.empty()) return;
    dst.reserve(s / 9 + src.size() + 1);
    dst.assign(s / 9, 0);
    const uint64_t m = kPow10[s % 9];
    uint64_t carry = 0;
    for (uint32_t limb : src) {
        const uint64_t t = limb * m + carry;
        dst.push_back(static_cast<uint32_t>(t % D多倍長基数));
        carry = t / D多倍長基数;
    }
    if (carry != 0) dst.push_back(static_cast<uint32_t>(carry));
}

// a += b * m for m < 10^9.
void AddMulInPlace(T多倍長型& a, const T多倍長型& b, uint32_t m) {
    if (m == 0 || b.empty()) return;
    if (a.size() < b.size()) a.resize(b.size(), 0);
    uint64_t carry = 0;
    size_t i = 0;
    for (; i < b.size(); ++i) {
        const uint64_t t = a[i] + uint64_t{b[i]} * m + carry;
        a[i] = static_cast<uint32_t>(t % D多倍長基数);
        carry = t / D多倍長基数;
    }
    for (; carry != 0; ++i) {
        if (i == a.size()) a.push_back(0);
        const uint64_t t = a[i] + carry;
        a[i] = static_cast<uint32_t>(t % D多倍長基数);
        carry = t / D多倍長基数;
    }
}

// a -= b for a >= b.
void SubInPlace(T多倍長型& a, const T多倍長型& b) {
    uint32_t borrow = 0;
    size_t i = 0;
    for (; i < b.size(); ++i) {
        int64_t t = int64_t{a[i]} - b[i] - borrow;
        borrow = t < 0 ? 1 : 0;
        if (t < 0) t += D多倍長基数;
        a[i] = static_cast<uint32_t>(t);
    }
    for (; borrow != 0 && i < a.size(); ++i) {
        if (a[i] != 0) {
            --a[i];
            borrow = 0;
        } else {
            a[i] = D多倍長基数 - 1;
        }
    }
    Trim(a);
}

// b^n by squaring and multiplying (n >= 1).
T多倍長型 Pow(const T多倍長型& b, uint32_t n, const Tキャンセル検査& check) {
    if (b.empty() || (b.size() == 1 && b[0] == 1)) return b;
    T多倍長型 result{1};
    T多倍長型 square = b;
    while (true) {
        if (n & 1) result = f多倍長乗算(result, square, check);
        n >>= 1;
        if (n == 0) break;
        square = f多倍長乗算(square, square, check);
    }
    return result;
}

// d^n into out for a digit d; false as soon as it exceeds limit (out then unusable).
bool DigitPowAtMost(uint32_t d, int32_t n, const T多倍長型& limit, T多倍長型& out,
                    WorkMeter& meter) {
    out.assign(1, 1);
    for (int32_t k = 0; k < n; ++k) {
        MulSmallInPlace(out, d);
        meter.Add(out.size());
        if (out.size() >= limit.size() && f多倍長比較(out, limit) > 0) return false;
    }
    return true;
}

// An upper bound, at most 9, of floor(t / b) for b > 0, from the leading limbs.
int QuotientBound(const T多倍長型& t, const T多倍長型& b) {
    if (t.empty()) return 0;
    const ptrdiff_t shift = static_cast<ptrdiff_t>(t.size()) - static_cast<ptrdiff_t>(b.size());
    if (shift >= 2) return 9;
    if (shift <= -2) return 0;
    auto lead = [](const T多倍長型& a, ptrdiff_t& rest) {
        double v = 0;
        size_t used = 0;
        for (size_t i = a.size(); i-- > 0 && used < 3; ++used) v = v * 1e9 + a[i];
        rest = static_cast<ptrdiff_t>(a.size() - used);
        return v;
    };
    ptrdiff_t restT = 0, restB = 0;
    const double tv = lead(t, restT), bv = lead(b, restB);
    // Each leading value is exact to 1e-16 relatively; the margin keeps the bound an
    // upper bound, and a bound one too high only costs one more evaluation.
    const double ratio = tv / bv * std::pow(1e9, static_cast<double>(restT - restB)) * (1 + 1e-12);
    if (!(ratio < 9)) return 9;
    return static_cast<int>(ratio);
}

// The base's digits in groups of n per decimal place of the root: first the integer
// digits, with zeros in front so that the groups line up with the point, then the
// fraction digits from the long division of the fraction part. Groups are produced by
// Peek and taken by Commit, so that a step interrupted in between leaves nothing changed.
class GroupSource {
public:
    // integer: the integer part's digits; remainder / divisor: the fraction part
    // (remainder < divisor); firstPlace: the place of the first group.
    void Init(std::u16string integer, T多倍長型 remainder, T多倍長型 divisor, int32_t n,
              int32_t firstPlace) {
        integer_ = std::move(integer);
        n_ = n;
        paddedLength_ = int64_t{n} * (int64_t{firstPlace} + 1);
        pad_ = paddedLength_ - static_cast<int64_t>(integer_.size());
        next_ = 0;
        const size_t last = integer_.find_last_not_of(u'0');
        lastNonZero_ = last == std::u16string::npos ? -1 : static_cast<int64_t>(last);
        rem_ = std::move(remainder);
        divisor_ = std::move(divisor);
        smallDivisor_ = divisor_.size() == 1 ? divisor_[0] : 0;
        multiples_.clear();
        if (divisor_.size() > 1) {
            multiples_.resize(10);
            for (uint32_t k = 1; k < 10; ++k) {
                multiples_[k] = divisor_;
                MulSmallInPlace(multiples_[k], k);
            }
        }
    }

    // True when the next group would be too long to form.
    bool TooLarge() const {
        return next_ >= paddedLength_ && !rem_.empty() && uint64_t(n_) / 9 + 2 > kMaxLimbs;
    }

    // The next group's value.
    void Peek(T多倍長型& group, WorkMeter& meter) {
        group.clear();
        if (next_ < paddedLength_) {
            const int64_t begin = std::max<int64_t>(next_ - pad_, 0);
            const int64_t end = next_ + n_ - pad_;
            if (end > begin) {
                group = f多倍長変換(std::u16string_view(integer_).substr(
                    static_cast<size_t>(begin), static_cast<size_t>(end - begin)));
            }
            return;
        }
        pendingRem_ = rem_;
        if (rem_.empty()) return;
        // n digits of long division, packed straight into limbs from the top: the
        // highest limb takes n mod 9 digits (9 when that is 0), the others 9 each.
        group.assign(static_cast<size_t>((n_ + 8) / 9), 0);
        size_t limb = group.size() - 1;
        int inLimb = static_cast<int>(n_ % 9 == 0 ? 9 : n_ % 9);
        for (int64_t k = 0; k < n_; ++k) {
            const uint32_t digit = pendingRem_.empty() ? 0 : NextDigit(meter);
            group[limb] = group[limb] * 10 + digit;
            if (--inLimb == 0 && limb > 0) {
                --limb;
                inLimb = 9;
            }
        }
        Trim(group);
    }

    void Commit() {
        if (next_ >= paddedLength_) rem_.swap(pendingRem_);
        next_ += n_;
    }

    // True when every digit after the groups taken so far is 0.
    bool RestIsZero() const {
        if (!rem_.empty()) return false;
        return next_ >= paddedLength_ || lastNonZero_ < next_ - pad_;
    }

private:
    // One more digit of the long division of pendingRem_ by the divisor.
    uint32_t NextDigit(WorkMeter& meter) {
        if (smallDivisor_ != 0) {
            const uint64_t t = uint64_t{pendingRem_[0]} * 10;
            pendingRem_[0] = static_cast<uint32_t>(t % smallDivisor_);
            if (pendingRem_[0] == 0) pendingRem_.clear();
            meter.Add(1);
            return static_cast<uint32_t>(t / smallDivisor_);
        }
        MulSmallInPlace(pendingRem_, 10);
        uint32_t lo = 0, hi = 9;  // the digit is the largest k with k * divisor <= rem
        while (lo < hi) {
            const uint32_t mid = (lo + hi + 1) / 2;
            if (f多倍長比較(multiples_[mid], pendingRem_) <= 0) lo = mid;
            else hi = mid - 1;
        }
        if (lo != 0) SubInPlace(pendingRem_, multiples_[lo]);
        meter.Add(divisor_.size());
        return lo;
    }

    std::u16string integer_;
    int64_t n_ = 2;
    int64_t paddedLength_ = 0;  // integer digits with the zeros in front
    int64_t pad_ = 0;           // zeros in front of the integer digits
    int64_t next_ = 0;          // padded position of the next group
    int64_t lastNonZero_ = -1;  // index of the integer part's last nonzero digit
    T多倍長型 rem_, pendingRem_, divisor_;
    uint32_t smallDivisor_ = 0;        // the divisor when it is one limb
    std::vector<T多倍長型> multiples_;  // k times a longer divisor, k = 1..9
};

// The root's digits from the groups of the base. Find computes the next digit and the
// state after it, or kTooLarge when that needs numbers beyond the size limit; Commit
// takes that state.
class RootDigits {
public:
    static constexpr int kTooLarge = -1;

    void Init(int32_t n, bool capped) {
        n_ = n;
        capped_ = capped;
        byCoefficients_ = n <= kMaxCoefficientIndex;
        rootDigits_ = 0;
        rem_.clear();
        root_.clear();
        rootPow_.clear();
        if (byCoefficients_) {
            coef_.assign(static_cast<size_t>(n) + 1, T多倍長型{});
            coef_[static_cast<size_t>(n)] = {1};
            next_ = coef_;
        }
    }

    // The digit for the next group, or kTooLarge.
    int Find(const T多倍長型& group, WorkMeter& meter) {
        // T = rem * 10^n + group, kept in nextRem_ until delta is subtracted.
        if (!rem_.empty() && TooLarge(rem_.size() + uint64_t(n_) / 9 + 2)) return kTooLarge;
        ShiftedInto(nextRem_, rem_, static_cast<uint64_t>(n_));
        AddMulInPlace(nextRem_, group, 1);
        meter.Add(nextRem_.size());
        digit_ = byCoefficients_ ? FindByCoefficients(meter) : FindByPowers(meter);
        return digit_;
    }

    bool TooLarge(uint64_t limbs) const { return capped_ && limbs > kMaxLimbs; }

    void Commit() {
        rem_.swap(nextRem_);
        if (byCoefficients_) {
            coef_.swap(next_);
        } else {
            root_.swap(nextRoot_);
            rootPow_.swap(nextRootPow_);
        }
        if (rootDigits_ > 0 || digit_ != 0) ++rootDigits_;
    }

    bool RemainderIsZero() const { return rem_.empty(); }

private:
    // With b_k = a_k 10^(n-k) the Taylor coefficients of (10x + s)^n, delta(d) is the sum of
    // b_k d^k, and those of (10x + d + s)^n follow from them by a Taylor shift by d.
    int FindByCoefficients(WorkMeter& meter) {
        const size_t n = static_cast<size_t>(n_);
        for (size_t k = 1; k < n; ++k) {
            ShiftedInto(next_[k], coef_[k], n - k);
            meter.Add(next_[k].size());
        }
        next_[n] = {1};
        const T多倍長型& t = nextRem_;
        int d;
        if (rootDigits_ == 0) {
            // x = 0: delta(d) = d^n, and T < 10^n.
            for (d = 9; d > 0; --d) {
                if (DigitPowAtMost(static_cast<uint32_t>(d), n_, t, delta_, meter)) break;
            }
            if (d == 0) delta_.clear();
        } else {
            // delta(d) >= b_1 d, so T / b_1 bounds the digit from above.
            for (d = QuotientBound(t, next_[1]); d > 0; --d) {
                Delta(static_cast<uint32_t>(d), meter);
                if (f多倍長比較(delta_, t) <= 0) break;
            }
            if (d == 0) delta_.clear();
        }
        SubInPlace(nextRem_, delta_);
        if (d > 0) {
            // Horner-style Taylor shift; the constant coefficient is never needed.
            for (size_t i = 0; i < n; ++i) {
                for (size_t j = n - 1; j >= std::max<size_t>(i, 1); --j) {
                    AddMulInPlace(next_[j], next_[j + 1], static_cast<uint32_t>(d));
                    meter.Add(next_[j + 1].size());
                }
            }
        }
        return d;
    }

    // delta(d) = d (b_1 + d (b_2 + ... + d b_n)) into delta_.
    void Delta(uint32_t d, WorkMeter& meter) {
        const size_t n = static_cast<size_t>(n_);
        delta_.assign(1, 1);
        for (size_t k = n - 1; k >= 1; --k) {
            MulSmallInPlace(delta_, d);
            AddMulInPlace(delta_, next_[k], 1);
            meter.Add(next_[k].size());
        }
        MulSmallInPlace(delta_, d);
    }

    // Large indexes: the candidates (10x + d)^n are compared with M = (10x)^n + T, by
    // their logarithms where these differ clearly and exactly otherwise.
    int FindByPowers(WorkMeter& meter) {
        const Tキャンセル検査& check = meter.Check();
        const T多倍長型& t = nextRem_;
        if (!rootPow_.empty() && TooLarge(rootPow_.size() + uint64_t(n_) / 9 + 2)) return kTooLarge;
        ShiftedInto(shiftedPow_, rootPow_, static_cast<uint64_t>(n_));  // (10x)^n
        m_ = shiftedPow_;
        AddMulInPlace(m_, t, 1);
        meter.Add(m_.size());
        std::array<bool, 10> have{};
        bool tooLarge = false;
        // y^n exactly, unless it is too long to form.
        auto power = [&](const T多倍長型& y, T多倍長型& out) {
            const bool one = y.size() == 1 && y[0] == 1;
            if (!one && TooLarge(uint64_t(n_) * DigitCount(y) / 9 + 2)) {
                tooLarge = true;
                return false;
            }
            out = Pow(y, static_cast<uint32_t>(n_), check);
            return true;
        };
        int d = 0;
        if (!t.empty()) {
            const double lnM = LnOf(m_);
            const double tolerance = 1e-10 * (std::fabs(lnM) + 1);
            auto candidate = [&](int digit) {
                T多倍長型 y = root_;
                MulSmallInPlace(y, 10, static_cast<uint32_t>(digit));
                return y;
            };
            // Whether (10x + digit)^n <= M.
            auto fits = [&](int digit) {
                const T多倍長型 y = candidate(digit);
                const double lnY = n_ * LnOf(y);
                if (lnY > lnM + tolerance) return false;
                if (lnY < lnM - tolerance) return true;
                if (!power(y, powers_[static_cast<size_t>(digit)])) return false;
                have[static_cast<size_t>(digit)] = true;
                return f多倍長比較(powers_[static_cast<size_t>(digit)], m_) <= 0;
            };
            d = EstimateByLogs(t);
            while (d > 0 && !fits(d) && !tooLarge) --d;
            while (d < 9 && !tooLarge && fits(d + 1)) ++d;
            if (tooLarge) return kTooLarge;
        }
        nextRoot_ = root_;
        MulSmallInPlace(nextRoot_, 10, static_cast<uint32_t>(d));
        if (d == 0) {
            nextRootPow_.swap(shiftedPow_);
        } else if (have[static_cast<size_t>(d)]) {
            nextRootPow_.swap(powers_[static_cast<size_t>(d)]);
        } else if (!power(nextRoot_, nextRootPow_)) {
            return kTooLarge;
        }
        nextRem_ = m_;
        SubInPlace(nextRem_, nextRootPow_);
        return d;
    }

    // The digit from logarithms: 10x ((1 + T / (10x)^n)^(1/n) - 1), or T^(1/n) for x = 0.
    int EstimateByLogs(const T多倍長型& t) const {
        const double n = n_;
        double lnD;
        if (root_.empty()) {
            lnD = LnOf(t) / n;
        } else {
            const double v = LnOf(t) - LnOf(rootPow_) - n * kLn10;  // ln(T / (10x)^n)
            double lnE;
            if (v < -30) {
                lnE = v - std::log(n);
            } else {
                const double l = v > 30 ? v + std::log1p(std::exp(-v)) : std::log1p(std::exp(v));
                lnE = std::log(std::expm1(l / n));
            }
            lnD = LnOf(root_) + kLn10 + lnE;
        }
        if (!(lnD < std::log(9.5))) return 9;
        return std::clamp(static_cast<int>(std::exp(lnD)), 0, 9);
    }

    int32_t n_ = 2;
    bool capped_ = true;
    bool byCoefficients_ = true;
    uint64_t rootDigits_ = 0;     // digits of x (0 while x = 0)
    int digit_ = 0;               // the digit found by the last Find
    T多倍長型 rem_, nextRem_;     // M - x^n
    T多倍長型 delta_;
    std::vector<T多倍長型> coef_, next_;  // a_1 .. a_n (a_n = 1); next_ is also scratch
    T多倍長型 root_, nextRoot_;          // x, for large indexes
    T多倍長型 rootPow_, nextRootPow_;    // x^n, for large indexes
    T多倍長型 shiftedPow_, m_;
    std::array<T多倍長型, 10> powers_;
};

// Appends the digits added to the unsigned text since the last step to the result text,
// which is rebuilt only when it no longer has the length it was left with.
void MirrorResult(T分数累乗根順次計算コンテキスト型& rtc, size_t& mirrored) {
    const std::u16string& digits = rtc.s累乗根計算途中;
    if (mirrored <= digits.size() &&
        rtc.s累乗根計算結果.size() == rtc.s符号.size() + mirrored) {
        rtc.s累乗根計算結果.append(digits, mirrored);
    } else {
        rtc.s累乗根計算結果 = rtc.s符号 + digits;
    }
    mirrored = digits.size();
}

}  // namespace

struct T累乗根作業 {
    bool b無限大 = false;  // infinite base: no candidate ever reaches it, no digit is found
    GroupSource tGroups;
    RootDigits tDigits;
    T多倍長型 tGroup;                          // scratch: the group being read
    size_t l反映済み = std::u16string::npos;  // digits already copied into the result text
};

void ClsBrelvita::f分数累乗根順次計算初期化(T分数累乗根順次計算コンテキスト型& rtc,
                                            const T分数型& vt底, int32_t vl指数) {
    using E = E分数累乗根順次計算内部状態;
    rtc.p作業.reset();
    if (vl指数 < 0) throw E一般例外(u"駄目だこりゃ! f分数累乗根順次計算初期化()で論理エラー");
    if (f分数比較(vt底, t分数の0) == 0) {
        rtc.s累乗根計算結果 = u"0";
        rtc.e状態 = E::m累乗根計算完了状態;
        return;
    }
    rtc.t底ワーク = vt底;
    rtc.l指数ワーク = vl指数;
    rtc.s符号 = f符号取出し(rtc.t底ワーク.s分子);
    if (rtc.s符号 == u"-" && vl指数 % 2 == 0 && vl指数 != 0) {
        throw E一般例外(u"駄目だこりゃ! 虚数はまだ対応してないのよ～ん!");
    }
    if (f分数比較(rtc.t底ワーク, t分数の1) == 0) {
        rtc.s累乗根計算途中 = u"1";
        rtc.e状態 = E::m累乗根符号付加中状態;
        return;
    }
    if (vl指数 == 0) {
        rtc.s累乗根計算結果 = rtc.s符号 == u"-" ? u"±∞" : u"∞";
        rtc.e状態 = E::m累乗根計算完了状態;
        return;
    }
    if (vl指数 == 1) throw E一般例外(u"駄目だこりゃ! f分数累乗根順次計算初期化()で論理エラー その2");

    rtc.s累乗根計算途中.clear();
    auto work = std::make_shared<T累乗根作業>();
    const T多倍長型 numerator = f多倍長変換(rtc.t底ワーク.s分子);
    const T多倍長型 denominator = f多倍長変換(rtc.t底ワーク.s分母);
    if (denominator.empty()) {
        // The integer part of an infinite base is written "∞", one character long.
        work->b無限大 = true;
        rtc.l10指数 = 1 / vl指数 + 1;
    } else {
        fキャンセル点();
        T多倍長型 quotient, remainder;
        f多倍長商余(numerator, denominator, quotient, remainder, fキャンセル検査());
        std::u16string integer = f多倍長文字列化(quotient);
        const int32_t length = f検査付32bit変換(static_cast<int64_t>(integer.size()));
        rtc.l10指数 = f検査付加算(length / vl指数, 1);
        work->tGroups.Init(std::move(integer), std::move(remainder), denominator, vl指数,
                           rtc.l10指数);
        work->tDigits.Init(vl指数, /*capped=*/true);
    }
    rtc.p作業 = std::move(work);
    rtc.e状態 = E::m累乗根順次計算中状態;
}

bool ClsBrelvita::f分数累乗根順次計算(T分数累乗根順次計算コンテキスト型& rtc) {
    using E = E分数累乗根順次計算内部状態;
    switch (rtc.e状態) {
        case E::m累乗根計算完了状態:
            return true;
        case E::m累乗根符号付加中状態:
            rtc.s累乗根計算結果 = rtc.s符号 + rtc.s累乗根計算途中;
            rtc.e状態 = E::m累乗根計算完了状態;
            return true;
        case E::m累乗根順次計算中状態:
            break;
    }
    fキャンセル点();
    if (!rtc.p作業) throw E一般例外(u"駄目だこりゃ! f分数累乗根順次計算()で論理エラー");
    // A copied context shares the work with its original until one of them steps.
    if (rtc.p作業.use_count() > 1) rtc.p作業 = std::make_shared<T累乗根作業>(*rtc.p作業);
    T累乗根作業& w = *rtc.p作業;

    // Everything up to the commits may be interrupted by a cancel request and leaves the
    // context as it was.
    const Tキャンセル検査 check = fキャンセル検査();
    WorkMeter meter(check);
    int digit = RootDigits::kTooLarge;
    if (!w.b無限大 && !w.tGroups.TooLarge()) {
        w.tGroups.Peek(w.tGroup, meter);
        digit = w.tDigits.Find(w.tGroup, meter);
    }
    if (digit != RootDigits::kTooLarge) {
        w.tGroups.Commit();
        w.tDigits.Commit();
        // Exact when nothing is left over and every digit still unread is 0.
        const bool bExact = w.tDigits.RemainderIsZero() && w.tGroups.RestIsZero();

        std::u16string& s = rtc.s累乗根計算途中;
        const int32_t place = rtc.l10指数;
        if (place == -1) {
            if (s.empty()) s = u"0";
            s += u'.';
        }
        if (digit != 0 || !s.empty()) s += static_cast<char16_t>(u'0' + digit);
        if (bExact) {
            rtc.e状態 = E::m累乗根符号付加中状態;
            if (place > 0) s.append(static_cast<size_t>(place), u'0');
        }
        rtc.l10指数 = f検査付減算(place, 1);
    }
    MirrorResult(rtc, w.l反映済み);
    return false;
}

T分数型 ClsBrelvita::f分数累乗根(const T分数型& vt底, int32_t vl指数) {
    if (vl指数 == 1) return vt底;
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, vt底, vl指数);
    while (!f分数累乗根順次計算(ctx)) {
    }
    const std::u16string& s = ctx.s累乗根計算結果;
    if (s.ends_with(u"∞")) {
        if (s.starts_with(u"±")) {
            throw E一般例外(u"駄目だこりゃ! 勘弁してね～ん。これ以上計算続けられな～い!");
        }
        return t分数の無限大;
    }
    return f分数変換(s);
}

std::u16string ClsBrelvita::f自然数累乗根(const std::u16string& vs自然数, int32_t vl指数,
                                      bool& rb完全) {
    if (vl指数 < 1) throw E一般例外(u"駄目だこりゃ! f自然数累乗根()で論理エラー");
    fキャンセル点();
    std::u16string digits = f多倍長文字列化(f多倍長変換(vs自然数));
    if (vl指数 == 1 || digits == u"0") {
        rb完全 = true;
        return digits;
    }
    // 2^n exceeds every number of fewer than n log10(2) digits: the root is 1.
    if (static_cast<double>(vl指数) > static_cast<double>(digits.size()) * 3.33) {
        rb完全 = digits == u"1";
        return u"1";
    }
    const int32_t length = f検査付32bit変換(static_cast<int64_t>(digits.size()));
    const int32_t firstPlace = length / vl指数 + 1;
    GroupSource groups;
    groups.Init(std::move(digits), {}, {1}, vl指数, firstPlace);
    RootDigits root;
    root.Init(vl指数, /*capped=*/false);
    const Tキャンセル検査 check = fキャンセル検査();
    WorkMeter meter(check);
    T多倍長型 group;
    std::u16string result;
    for (int32_t place = firstPlace; place >= 0; --place) {
        check();
        groups.Peek(group, meter);
        const int digit = root.Find(group, meter);
        groups.Commit();
        root.Commit();
        if (digit != 0 || !result.empty()) result += static_cast<char16_t>(u'0' + digit);
    }
    rb完全 = root.RemainderIsZero();
    return result;
}
