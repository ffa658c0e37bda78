// Stepwise conversion of a decimal text (sign, point, cycle marks and a final "..."
// allowed) into another radix: the whole integer part in the first step, then one
// fraction digit per step, the repeating cycle marked as in a decimal expansion.
//
// The texts are those of the place-value method: the integer part divided by each of
// r^(k-1) … r^0 kept as decimal strings, each fraction digit by subtracting 1/r, and
// every fractional part met remembered in lowest terms in a list searched from the
// front. Here:
// - the integer part is read once into base-10^9 limbs and divided repeatedly by the
//   largest power of r below 2^64 / 10^9, which yields several digits per pass over
//   the limbs (quadratic time, linear memory; the place values would take cubic time
//   and quadratic memory). The digits are the standard representation, which is what
//   the place values give once the single leading zero is dropped.
// - the fractional part x = n/D (in lowest terms) is kept as a numerator over the fixed
//   D: each digit is one multiplication by r and one division, no reduction.
// - the list: the j-th fractional part is frac(r^j·x). With D = D'·D'', D' made of
//   the primes of r and D'' coprime to r, parts i < j are equal exactly when D' divides
//   r^i and the period L of r modulo D'' divides j − i. So the first part met again is
//   the one at s = max over the primes p of r of ceil(v_p(D) / v_p(r)), met again at
//   j = s + L and at no earlier j: keeping that single part answers every search of
//   the list, and no period has to be computed (it is found by meeting the part).
#include <algorithm>
#include <cmath>

#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/number/limbs.h"

namespace {

using u128 = unsigned __int128;
using E状態 = E整数順次除算内部状態;

// Limb divisions between two cancellation checks: about a millisecond of work.
constexpr uint64_t kCheckWork = 1u << 18;

// The largest d for which rem·10^9 + limb fits 64 bits whenever rem < d.
constexpr uint64_t kWordDivisorLimit = UINT64_MAX / D多倍長基数;

// Division by a fixed d of numbers below d·10^9 through a precomputed reciprocal: two
// multiplications instead of a hardware division, which would dominate the long loops.
class TWordDivisor {
public:
    explicit TWordDivisor(uint64_t d) : d_(d), inverse_(UINT64_MAX / d) {}
    // n / d, with n mod d in rem. The estimate from floor((2^64 - 1) / d) is at most 2
    // short for any n below 2^64.
    uint64_t DivMod(uint64_t n, uint64_t& rem) const {
        uint64_t q = static_cast<uint64_t>((u128{n} * inverse_) >> 64);
        uint64_t r = n - q * d_;
        while (r >= d_) {
            r -= d_;
            ++q;
        }
        rem = r;
        return q;
    }

private:
    uint64_t d_;
    uint64_t inverse_;
};

// a := a / d over the limbs below top; returns a mod d.
uint64_t DivideLimbs(uint32_t* a, size_t top, const TWordDivisor& d) {
    uint64_t rem = 0;
    for (size_t i = top; i-- > 0;) a[i] = static_cast<uint32_t>(d.DivMod(rem * D多倍長基数 + a[i], rem));
    return rem;
}

// a mod d.
uint64_t RemainderOfLimbs(const T多倍長型& a, const TWordDivisor& d) {
    uint64_t rem = 0;
    for (size_t i = a.size(); i-- > 0;) d.DivMod(rem * D多倍長基数 + a[i], rem);
    return rem;
}

// The largest power p^k <= kWordDivisorLimit, with k.
uint64_t WordPower(uint32_t p, int& k) {
    uint64_t power = p;
    for (k = 1; power <= kWordDivisorLimit / p; ++k) power *= p;
    return power;
}

// Digit characters only, and at least one; anything else cannot be converted.
void RequireDigits(const std::u16string& s) {
    if (s.empty() || s.find_first_not_of(u"0123456789") != std::u16string::npos) {
        throw E一般例外(u"駄目だこりゃ! 数字でない文字列は基数変換できないのよ～ん!");
    }
}

std::u16string DecimalText(uint32_t v) {
    std::u16string s;
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
        v /= 10;
    } while (v != 0);
    return s;
}

// The natural number written in `decimal` as radix-r digits, most significant first,
// "0" for zero.
std::u16string IntegerDigits(const std::u16string& decimal, uint32_t r, const Tキャンセル検査& check) {
    T多倍長型 a = f多倍長変換(decimal);
    if (a.empty()) return u"0";
    int perChunk = 0;
    const TWordDivisor chunk(WordPower(r, perChunk));
    std::u16string reversed;
    reversed.reserve(static_cast<size_t>(static_cast<double>(decimal.size()) * std::log(10.0) / std::log(r)) +
                     static_cast<size_t>(perChunk));
    size_t top = a.size();
    uint64_t work = 0;
    while (top > 0) {
        uint64_t rem = DivideLimbs(a.data(), top, chunk);
        work += top;
        while (top > 0 && a[top - 1] == 0) --top;
        // A chunk's digits, lowest first: all of them, or up to the highest nonzero one
        // in the last chunk.
        for (int k = 0; k < perChunk && (top > 0 || rem > 0); ++k) {
            reversed.push_back(fn進1桁変換(static_cast<int32_t>(rem % r)));
            rem /= r;
        }
        if (work >= kCheckWork) {
            work = 0;
            check();
        }
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

// The exponent of the prime p in a, which is not zero.
uint64_t Valuation(T多倍長型 a, uint32_t p, const Tキャンセル検査& check) {
    int perPower = 0;
    const uint64_t power = WordPower(p, perPower);
    uint64_t count = 0, work = 0;
    for (const auto& [d, n] : {std::pair<uint64_t, int>{power, perPower}, {p, 1}}) {
        const TWordDivisor by(d);
        while (RemainderOfLimbs(a, by) == 0) {
            DivideLimbs(a.data(), a.size(), by);
            while (a.back() == 0) a.pop_back();
            count += static_cast<uint64_t>(n);
            work += 2 * a.size();
            if (work >= kCheckWork) {
                work = 0;
                check();
            }
        }
    }
    return count;
}

// The index of the first fractional part that comes back, for a reduced denominator d.
uint64_t CycleStart(const T多倍長型& d, uint32_t r, const Tキャンセル検査& check) {
    uint64_t s = 0;
    uint32_t rest = r;
    for (uint32_t p = 2; p <= rest; ++p) {
        uint64_t e = 0;
        for (; rest % p == 0; rest /= p) ++e;
        if (e > 0) s = std::max(s, (Valuation(d, p, check) + e - 1) / e);
    }
    return s;
}

// The value of a when it fits 64 bits.
bool FitsWord(const T多倍長型& a, uint64_t& v) {
    if (a.size() > 3) return false;
    u128 x = 0;
    for (size_t i = a.size(); i-- > 0;) x = x * D多倍長基数 + a[i];
    v = static_cast<uint64_t>(x);
    return (x >> 64) == 0;
}

}  // namespace

// The fractional part still to be converted, numerator over the input's reduced
// denominator, and the one earlier part that can be met again.
struct T基数小数桁状態 {
    uint32_t radix = 0;
    uint64_t count = 1;       // entries of the list of parts met: the input's part is the first
    uint64_t cycleStart = 0;  // index of the only entry that can be met again

    // Denominator below 2^64.
    bool bBig = false;
    uint64_t den = 0, num = 0, start = 0;  // start: numerator of the entry at cycleStart

    // Larger denominators: w limbs, enough for the numerator times the radix.
    size_t w = 0;
    std::vector<uint32_t> numBig, startBig;
    std::vector<uint32_t> multiples;  // k·den for k = 0..radix, w limbs each

    const uint32_t* Multiple(uint32_t k) const { return multiples.data() + k * w; }

    // The next digit, floor(r·x); the numerator becomes that of frac(r·x).
    uint32_t NextDigit() {
        if (!bBig) {
            const u128 t = u128{num} * radix;
            num = static_cast<uint64_t>(t % den);
            return static_cast<uint32_t>(t / den);
        }
        uint64_t carry = 0;
        for (uint32_t& limb : numBig) {
            const uint64_t t = uint64_t{limb} * radix + carry;
            limb = static_cast<uint32_t>(t % D多倍長基数);
            carry = t / D多倍長基数;
        }
        uint32_t lo = 0, hi = radix;  // the largest k with k·den <= numerator
        while (lo < hi) {
            const uint32_t mid = (lo + hi + 1) / 2;
            if (f固定幅比較(Multiple(mid), numBig.data(), w) <= 0) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        const uint32_t* m = Multiple(lo);
        uint32_t borrow = 0;
        for (size_t i = 0; i < w; ++i) {
            const int64_t t = int64_t{numBig[i]} - m[i] - borrow;
            borrow = t < 0 ? 1 : 0;
            numBig[i] = static_cast<uint32_t>(t < 0 ? t + D多倍長基数 : t);
        }
        return lo;
    }

    bool IsZero() const {
        if (!bBig) return num == 0;
        return std::all_of(numBig.begin(), numBig.end(), [](uint32_t v) { return v == 0; });
    }

    bool EqualsStart() const {
        return bBig ? f固定幅比較(numBig.data(), startBig.data(), w) == 0 : num == start;
    }

    void KeepAsStart() {
        if (bBig) {
            startBig = numBig;
        } else {
            start = num;
        }
    }
};

void T基数小数桁状態削除::operator()(T基数小数桁状態* p) const noexcept { delete p; }

namespace {

constexpr char16_t kNotAFraction[] = u"駄目だこりゃ! 小数部が 0 以上 1 以下の分数でないのよ～ん!";

// The state for the fractional part t (0 <= t <= 1, in lowest terms) in radix r.
std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> MakeFractionState(const T分数型& t, uint32_t r,
                                                                   const Tキャンセル検査& check) {
    RequireDigits(t.s分子);
    RequireDigits(t.s分母);
    const T多倍長型 num = f多倍長変換(t.s分子), den = f多倍長変換(t.s分母);
    if (den.empty() || f多倍長比較(num, den) > 0) throw E一般例外(kNotAFraction);
    std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> x(new T基数小数桁状態);
    x->radix = r;
    x->cycleStart = CycleStart(den, r, check);
    if (FitsWord(den, x->den)) {
        FitsWord(num, x->num);
    } else {
        x->bBig = true;
        x->w = den.size() + 1;  // r·den < 10^9·den
        x->numBig.assign(x->w, 0);
        std::copy(num.begin(), num.end(), x->numBig.begin());
        x->multiples.assign((r + 1) * x->w, 0);
        for (uint32_t k = 1; k <= r; ++k) {
            const T多倍長型 m = f多倍長小乗算(den, k);
            std::copy(m.begin(), m.end(), x->multiples.begin() + static_cast<ptrdiff_t>(k * x->w));
        }
    }
    if (x->cycleStart == 0) x->KeepAsStart();
    return x;
}

// The whole integer part, and the preparation of the fraction digits. Everything that
// can be cancelled comes before the context changes: a cancel leaves it as it was.
bool IntegerStep(ClsBrelvita& e, T順次基数変換コンテキスト型& rtc) {
    e.fキャンセル点();
    const Tキャンセル検査 check = e.fキャンセル検査();
    const uint32_t r = static_cast<uint32_t>(rtc.i変換基数);
    std::u16string digits = IntegerDigits(rtc.s被除数ワーク, r, check);
    std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> fraction;
    T分数型 t;
    if (!rtc.s小数桁.empty()) {
        t = e.f分数変換(u"0" + rtc.s小数桁);
        fraction = MakeFractionState(t, r, check);
    }
    rtc.s被除数ワーク = u"0";  // what the division by the last place value leaves
    rtc.s除算途中 = std::move(digits);
    rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
    if (!fraction) {
        rtc.e状態 = E状態::m除算完了状態;
        return false;
    }
    rtc.e状態 = E状態::m順次小数除算中状態;
    rtc.t小数桁 = std::move(t);
    rtc.t累基小数桁用 = {u"1", DecimalText(r)};
    rtc.s除算途中.push_back(u'.');
    rtc.c余りLst = std::move(fraction);
    return false;
}

// One fraction digit; the new fractional part either ends the expansion, is the one
// that comes back (the cycle is found), or is one more entry of the list.
bool FractionStep(ClsBrelvita& e, T順次基数変換コンテキスト型& rtc) {
    e.fキャンセル点();
    if (!rtc.c余りLst) throw E一般例外(u"駄目だこりゃ! 初期化されていない基数変換なのよ～ん!");
    T基数小数桁状態& x = *rtc.c余りLst;
    rtc.s除算途中.push_back(fn進1桁変換(static_cast<int32_t>(x.NextDigit())));
    if (x.IsZero()) {
        rtc.e状態 = E状態::m除算完了状態;  // the text is written by the next step
        return false;
    }
    f符号付結果追従(rtc.s除算結果, rtc.s符号, rtc.s除算途中);
    const uint64_t j = x.count;  // the index the new part would get
    if (j > x.cycleStart && x.EqualsStart()) {
        rtc.l循環小数リスト位置 = f検査付32bit変換(static_cast<int64_t>(x.cycleStart));
        rtc.e状態 = E状態::m循環節チェック状態;
    } else {
        if (j == x.cycleStart) x.KeepAsStart();
        ++x.count;
    }
    return false;
}

// Marks the cycle: its first digit comes from the entry at l循環小数リスト位置, its last
// from the last entry. The result text is left to the next step.
bool CycleCheckStep(T順次基数変換コンテキスト型& rtc) {
    if (rtc.l循環小数リスト位置 >= 0) {
        if (!rtc.c余りLst) throw E一般例外(u"駄目だこりゃ! 小数部のリストがもう無いのよ～ん!");
        const uint64_t k = rtc.c余りLst->count - static_cast<uint64_t>(rtc.l循環小数リスト位置) - 1;
        f循環節印挿入(rtc.s除算途中, k);
    }
    rtc.e状態 = E状態::m除算完了状態;
    return false;
}

// The final text, written once: sign, digits, marks, and the cancel mark of the input.
bool FinishStep(T順次基数変換コンテキスト型& rtc) {
    if (rtc.b結果確定) return true;
    if (rtc.l循環小数リスト位置 >= 0) {  // marks went into the middle of s除算途中
        rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
    } else {
        f符号付結果追従(rtc.s除算結果, rtc.s符号, rtc.s除算途中);
    }
    if (rtc.b末尾キャンセル印) rtc.s除算結果 += Dキャンセル印;
    rtc.b結果確定 = true;
    return true;
}

}  // namespace

void ClsBrelvita::f順次基数変換初期化(T順次基数変換コンテキスト型& rtc, const std::u16string& ps10進表記,
                                 int32_t pi表記基数) {
    if (pi表記基数 < 2 || pi表記基数 > 36) throw E一般例外(u"駄目だこりゃ! 基数は 2 から 36 までなのよ～ん!");
    rtc.c余りLst.reset();
    std::u16string text = ps10進表記;
    rtc.b末尾キャンセル印 = text.ends_with(Dキャンセル印);
    if (rtc.b末尾キャンセル印) text.resize(text.size() - Dキャンセル印.size());
    text = f小数正規化(std::move(text));
    rtc.s除算結果.clear();
    rtc.s除算途中.clear();
    rtc.e状態 = E状態::m順次除算中状態;
    rtc.s被除数ワーク = text;
    rtc.s符号 = f符号取出し(rtc.s被除数ワーク);
    rtc.i変換基数 = pi表記基数;
    rtc.s小数桁.clear();
    rtc.l循環小数リスト位置 = -1;
    rtc.t小数桁 = {};
    rtc.t累基小数桁用 = {};
    rtc.b結果確定 = false;
    if (text == u"0") {
        rtc.s除算途中 = u"0";
        rtc.e状態 = E状態::m除算完了状態;
        return;
    }
    f小数分離(rtc.s被除数ワーク, rtc.s小数桁);
    RequireDigits(rtc.s被除数ワーク);
    fキャンセル点();  // where the first place value is compared with the integer part
}

bool ClsBrelvita::f順次基数変換(T順次基数変換コンテキスト型& rtc) {
    switch (rtc.e状態) {
        case E状態::m順次除算中状態:
            return IntegerStep(*this, rtc);
        case E状態::m順次小数除算中状態:
            return FractionStep(*this, rtc);
        case E状態::m循環節チェック状態:
            return CycleCheckStep(rtc);
        case E状態::m除算完了状態:
            break;
    }
    return FinishStep(rtc);
}

void ClsBrelvita::f順次基数変換終了(T順次基数変換コンテキスト型& rtc) { rtc.c余りLst.reset(); }
