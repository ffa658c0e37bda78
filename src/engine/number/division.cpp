// Stepwise division of two integer strings into a decimal text with the repeating cycle
// marked, one quotient character per step, and the power of a decimal text built on it.
//
// The texts are those of long division by repeated subtraction with a list of the
// remainders recorded after the point, a remainder met again closing the cycle. The
// work is done with one machine division per quotient digit. Where that list would be
// searched, the answer comes without a list:
// - a divisor below 2^64: the recorded remainders are r0·10^j mod b (r0 the first one),
//   so with b / gcd(r0, b) = 2^x·5^y·d (d coprime to 10) the first repeat comes when
//   max(x, y) + (the period of 10 modulo d) entries are recorded, and it repeats the
//   entry at index max(x, y) (period.h finds the period). No memory per digit.
// - a larger divisor: a set of 64-bit fingerprints of the recorded remainders; a hit is
//   confirmed by regenerating the entries from the first one, which also gives the
//   first index (a hit is a true repeat but for an astronomically rare collision).
#include <algorithm>
#include <bit>
#include <numeric>
#include <vector>

#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/number/limbs.h"
#include "engine/number/period.h"

namespace {

using u128 = unsigned __int128;

// ---------------------------------------------------------------------------------
// Remainders of a divisor of 2^64 or more: fixed-width little-endian base-10^9 limbs.

// a := a·10 + digit over w limbs (the value fits by construction).
void Times10Add(uint32_t* a, size_t w, uint32_t digit) {
    uint64_t carry = digit;
    for (size_t i = 0; i < w; ++i) {
        const uint64_t t = uint64_t{a[i]} * 10 + carry;
        a[i] = static_cast<uint32_t>(t % D多倍長基数);
        carry = t / D多倍長基数;
    }
}

// out := a - b over w limbs, a >= b (out may be a).
void SubtractLimbs(const uint32_t* a, const uint32_t* b, uint32_t* out, size_t w) {
    uint32_t borrow = 0;
    for (size_t i = 0; i < w; ++i) {
        const int64_t t = int64_t{a[i]} - b[i] - borrow;
        borrow = t < 0 ? 1 : 0;
        out[i] = static_cast<uint32_t>(t < 0 ? t + D多倍長基数 : t);
    }
}

uint64_t Fingerprint(const uint32_t* a, size_t w) {
    uint64_t h = 0x243F6A8885A308D3u;
    for (size_t i = 0; i < w; ++i) {
        h = (h ^ a[i]) * 0x9E3779B97F4A7C15u;
        h ^= h >> 32;
    }
    h ^= h >> 33;  // murmur finaliser
    h *= 0xFF51AFD7ED558CCDu;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53u;
    h ^= h >> 33;
    return h == 0 ? 1 : h;  // 0 marks an empty slot
}

// A set of nonzero 64-bit fingerprints: open addressing with linear probing.
class FingerprintSet {
public:
    size_t size() const { return used_; }
    bool Contains(uint64_t fp) const {
        if (slots_.empty()) return false;
        for (size_t i = Home(fp);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == fp) return true;
            if (slots_[i] == 0) return false;
        }
    }
    // Inserts fp when absent; capacity must have been reserved.
    void Insert(uint64_t fp) {
        for (size_t i = Home(fp);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == fp) return;
            if (slots_[i] == 0) {
                slots_[i] = fp;
                ++used_;
                return;
            }
        }
    }
    // Room for count entries at a load of at most 3/4. A cancel leaves the set as it was.
    void Reserve(size_t count, const Tキャンセル検査& check) {
        if (count * 4 <= slots_.size() * 3) return;
        size_t capacity = std::max<size_t>(slots_.size() * 2, 64);
        while (count * 4 > capacity * 3) capacity *= 2;
        FingerprintSet bigger;
        bigger.slots_.assign(capacity, 0);
        bigger.shift_ = 64 - std::countr_zero(capacity);
        size_t moved = 0;
        for (uint64_t fp : slots_) {
            if (fp == 0) continue;
            bigger.Insert(fp);
            if (++moved % 65536 == 0) check();
        }
        *this = std::move(bigger);
    }

private:
    size_t Home(uint64_t fp) const { return static_cast<size_t>((fp * 0x9E3779B97F4A7C15u) >> shift_); }

    std::vector<uint64_t> slots_;
    size_t used_ = 0;
    int shift_ = 64;
};

// Digit characters only; anything else in an operand is an internal error.
void RequireDigits(const std::u16string& s) {
    for (char16_t c : s) {
        if (c < u'0' || c > u'9') throw E一般例外(u"駄目だこりゃ! 数字でない文字列は割れないのよ～ん!");
    }
}

}  // namespace

// The working remainder and what stands in for the remainder list. A step computes the
// next remainder into `next` without touching anything else, looks it up (which may
// call the cancellation check), and only then commits: a cancel leaves the context as
// it was before the step.
struct T余り索引 {
    bool bBig = false;
    uint64_t count = 0;  // entries of the remainder list

    // Divisor below 2^64.
    uint64_t divisor = 0;
    u128 current = 0;         // the partial dividend of the next digit (below 10·divisor)
    uint64_t next = 0;        // the remainder left by the digit just computed
    uint64_t first = 0;       // the first recorded remainder divided by ten
    bool bPeriodKnown = false;
    uint64_t cycleStart = 0;  // index of the entry the first repeat repeats
    uint64_t closeAt = 0;     // number of entries when it comes

    // Divisor of 2^64 or more: n limbs, values kept over w = n + 1 limbs.
    size_t w = 0;
    std::vector<uint32_t> multiples;  // k·divisor for k = 0..9, w limbs each
    std::vector<uint32_t> currentBig, nextBig, firstBig, replay;
    FingerprintSet seen;
    uint64_t nextFingerprint = 0;  // of nextBig, once computed in this step

    const uint32_t* Multiple(uint32_t k) const { return multiples.data() + k * w; }

    // Largest k <= 9 with k·divisor <= v.
    uint32_t DigitOf(const uint32_t* v) const {
        uint32_t lo = 0, hi = 9;
        while (lo < hi) {
            const uint32_t mid = (lo + hi + 1) / 2;
            if (f固定幅比較(Multiple(mid), v, w) <= 0) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        return lo;
    }

    // The quotient digit of `current`; its remainder goes to next.
    uint32_t Divide() {
        if (bBig) {
            const uint32_t q = DigitOf(currentBig.data());
            SubtractLimbs(currentBig.data(), Multiple(q), nextBig.data(), w);
            nextFingerprint = 0;
            return q;
        }
        uint64_t q;
        if ((current >> 64) == 0) {
            const uint64_t c = static_cast<uint64_t>(current);
            q = c / divisor;
            next = c % divisor;
        } else {
            q = static_cast<uint64_t>(current / divisor);
            next = static_cast<uint64_t>(current % divisor);
        }
        if (q > 9) throw E一般例外(u"駄目だこりゃ! 商の桁が 9 を超えたのよ～ん!");
        return static_cast<uint32_t>(q);
    }

    bool NextIsZero() const {
        if (!bBig) return next == 0;
        return std::all_of(nextBig.begin(), nextBig.end(), [](uint32_t v) { return v == 0; });
    }

    uint64_t NextFingerprint() {
        if (nextFingerprint == 0) nextFingerprint = Fingerprint(nextBig.data(), w);
        return nextFingerprint;
    }

    // Work that may be cancelled, done before a step past the point changes anything.
    void Prepare(const Tキャンセル検査& check) {
        if (bBig) {
            seen.Reserve(seen.size() + 1, check);
        } else if (!bPeriodKnown && count > 0) {
            const uint64_t g = std::gcd(first, divisor);
            uint64_t d = divisor / g;
            const int twos = std::countr_zero(d);
            d >>= twos;
            int fives = 0;
            for (; d % 5 == 0; d /= 5) ++fives;
            const uint64_t period = f10進周期(d, check);
            cycleStart = static_cast<uint64_t>(std::max(twos, fives));
            closeAt = cycleStart + period;
            bPeriodKnown = true;
        }
    }

    // Index of the entry equal to next (the recorded value is next·10); -1 when none.
    int64_t Find(const Tキャンセル検査& check) {
        if (!bBig) return count == closeAt ? static_cast<int64_t>(cycleStart) : -1;
        if (!seen.Contains(NextFingerprint())) return -1;
        replay = firstBig;
        const uint64_t checkEvery = std::max<uint64_t>(1, (uint64_t{1} << 20) / w);
        for (uint64_t j = 0; j < count; ++j) {
            if (f固定幅比較(replay.data(), nextBig.data(), w) == 0) return static_cast<int64_t>(j);
            Times10Add(replay.data(), w, 0);
            SubtractLimbs(replay.data(), Multiple(DigitOf(replay.data())), replay.data(), w);
            if ((j + 1) % checkEvery == 0) check();
        }
        return -1;  // a fingerprint collision
    }

    // Appends next to the remainder list (as next·10). Needs Prepare in this step.
    void Record() {
        if (bBig) {
            if (count == 0) firstBig = nextBig;
            seen.Insert(NextFingerprint());
        } else if (count == 0) {
            first = next;
        }
        ++count;
    }

    // The next partial dividend: next·10 + digit.
    void Advance(uint32_t digit) {
        if (bBig) {
            Times10Add(nextBig.data(), w, digit);
            currentBig.swap(nextBig);
        } else {
            current = u128{next} * 10 + digit;
        }
    }
};

void T余り索引削除::operator()(T余り索引* p) const noexcept { delete p; }

namespace {

const std::u16string kMaxU64 = u"18446744073709551615";

// The index for divisor b (normal form, not zero) with the first digits of the
// dividend as its working remainder, or with head·10^(k-1) as the remainder left
// before the point when the dividend is k digits shorter than the divisor.
std::unique_ptr<T余り索引, T余り索引削除> MakeIndex(const std::u16string& b,
                                                 const std::u16string& head, size_t k) {
    std::unique_ptr<T余り索引, T余り索引削除> x(new T余り索引);
    x->bBig = b.size() > kMaxU64.size() || (b.size() == kMaxU64.size() && b > kMaxU64);
    if (!x->bBig) {
        for (char16_t c : b) x->divisor = x->divisor * 10 + static_cast<uint64_t>(c - u'0');
        u128 v = 0;
        for (char16_t c : head) v = v * 10 + static_cast<uint64_t>(c - u'0');
        if (k == 0) {
            x->current = v;
        } else {  // head has fewer digits than b: v·10^(k-1) < b
            for (size_t i = 1; i < k; ++i) v *= 10;
            x->next = static_cast<uint64_t>(v);
        }
        return x;
    }
    const T多倍長型 divisor = f多倍長変換(b);
    x->w = divisor.size() + 1;
    x->multiples.assign(10 * x->w, 0);
    for (uint32_t m = 1; m <= 9; ++m) {
        const T多倍長型 v = f多倍長小乗算(divisor, m);
        std::copy(v.begin(), v.end(), x->multiples.begin() + m * x->w);
    }
    x->currentBig.assign(x->w, 0);
    x->nextBig.assign(x->w, 0);
    x->seen.Reserve(1, Tキャンセル検査());  // the pre-period entry is recorded at once
    const T多倍長型 v = f多倍長変換(k == 0 ? head : head + StringOfZeroC(static_cast<int32_t>(k - 1)));
    std::copy(v.begin(), v.end(), (k == 0 ? x->currentBig : x->nextBig).begin());
    return x;
}

}  // namespace

void ClsBrelvita::f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, std::u16string vs被除数,
                                 std::u16string vs除数) {
    rtc.c余りLst.reset();
    rtc.e状態 = E整数順次除算内部状態::m順次除算中状態;
    const bool bNegative = !f符号取出し(vs被除数).empty();
    rtc.s符号 = bNegative != !f符号取出し(vs除数).empty() ? u"-" : u"";
    RequireDigits(vs被除数);
    RequireDigits(vs除数);
    vs被除数 = fゼロ正規化(std::move(vs被除数));  // the normal form is left as it is
    vs除数 = fゼロ正規化(std::move(vs除数));
    rtc.b余り保存フラグ = false;
    rtc.l循環小数リスト位置 = -1;
    rtc.s除算途中.clear();
    rtc.s除算結果.clear();
    rtc.s被除数ワーク.clear();
    rtc.i被除数位置 = 0;
    rtc.s除数.clear();
    if (vs被除数 == u"0") {
        rtc.s除算結果 = u"0";
        rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
        return;
    }
    if (vs除数 == u"0") {
        rtc.s除算結果 = rtc.s符号 + u"∞";
        rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
        return;
    }
    const size_t L = vs除数.size();
    const size_t headLength = std::min(L, vs被除数.size());
    const size_t k = L - headLength;  // the dividend is k digits shorter than the divisor
    rtc.c余りLst = MakeIndex(vs除数, vs被除数.substr(0, headLength), k);
    rtc.s被除数ワーク = std::move(vs被除数);
    rtc.i被除数位置 = headLength;
    rtc.s除数 = std::move(vs除数);
    if (k > 0) {
        // The first k - 1 fraction digits are zeros without recorded remainders; the
        // first recorded remainder already has k zeros appended.
        rtc.s除算途中 = u"0." + std::u16string(k - 1, u'0');
        rtc.c余りLst->Record();
        rtc.c余りLst->Advance(0);
        rtc.b余り保存フラグ = true;
    }
}

bool ClsBrelvita::f整数順次除算(T整数順次除算コンテキスト型& rtc) {
    switch (rtc.e状態) {
        case E整数順次除算内部状態::m順次小数除算中状態:
            return false;
        case E整数順次除算内部状態::m除算完了状態:
            return true;
        case E整数順次除算内部状態::m循環節チェック状態:
            if (rtc.l循環小数リスト位置 >= 0) {
                if (!rtc.c余りLst) throw E一般例外(u"駄目だこりゃ! 余りのリストがもう無いのよ～ん!");
                // Cycle digits after the first one: the entries after the repeated one.
                const uint64_t k = rtc.c余りLst->count - static_cast<uint64_t>(rtc.l循環小数リスト位置) - 1;
                f循環節印挿入(rtc.s除算途中, k);
            }
            rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
            rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
            return true;
        case E整数順次除算内部状態::m順次除算中状態:
            break;
    }
    fキャンセル点();  // where the first remainder comparison of the step would be
    if (!rtc.c余りLst) throw E一般例外(u"駄目だこりゃ! 初期化されていない割り算なのよ～ん!");
    T余り索引& x = *rtc.c余りLst;
    const Tキャンセル検査 check = fキャンセル検査();
    const bool bDigitsLeft = rtc.i被除数位置 < rtc.s被除数ワーク.size();
    if (rtc.b余り保存フラグ || !bDigitsLeft) x.Prepare(check);

    const uint32_t digit = x.Divide();
    const bool bExact = x.NextIsZero() && !bDigitsLeft;
    int64_t found = -1;
    if (!bExact && rtc.b余り保存フラグ) found = x.Find(check);

    // Nothing below is cancelled: the step commits.
    if (digit != 0 || !rtc.s除算途中.empty()) rtc.s除算途中.push_back(static_cast<char16_t>(u'0' + digit));
    if (bExact) {
        rtc.l循環小数リスト位置 = -1;
        rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
    } else if (rtc.b余り保存フラグ) {
        if (found >= 0) {
            rtc.l循環小数リスト位置 = f検査付32bit変換(found);
            rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
        } else {
            x.Record();
        }
        x.Advance(0);
    } else if (bDigitsLeft) {
        x.Advance(static_cast<uint32_t>(rtc.s被除数ワーク[rtc.i被除数位置++] - u'0'));
    } else {  // the integer digits are exhausted and the remainder is not zero: the point
        if (rtc.s除算途中.empty()) rtc.s除算途中 = u"0";
        rtc.s除算途中.push_back(u'.');
        x.Record();
        x.Advance(0);
        rtc.b余り保存フラグ = true;
    }
    f符号付結果追従(rtc.s除算結果, rtc.s符号, rtc.s除算途中);
    return false;
}

void ClsBrelvita::f整数順次除算終了(T整数順次除算コンテキスト型& rtc) { rtc.c余りLst.reset(); }

std::u16string ClsBrelvita::f累乗文字列計算(const std::u16string& vs底, int32_t vl指数) {
    if (vl指数 < 0) return u"";
    const T分数型 p = f分数累乗(f分数変換(f小数正規化(vs底)), vl指数);
    T整数順次除算コンテキスト型 ctx;
    struct Finish {
        ClsBrelvita& e;
        T整数順次除算コンテキスト型& ctx;
        ~Finish() { e.f整数順次除算終了(ctx); }
    } finish{*this, ctx};
    f整数順次除算初期化(ctx, p.s分子, p.s分母);
    while (!f整数順次除算(ctx)) {
    }
    return ctx.s除算結果;
}
