// Stepwise division of two integers into a decimal text with the repeating cycle marked.
//
// The texts are those of long division by repeated subtraction with a list of the
// remainders recorded after the point (entries e_0, e_1, ...: e_0 is the remainder at the
// point, e_(j+1) = 10 e_j mod b), a remainder met again closing the cycle. The work:
// - the integer part is the quotient a / b, computed once and converted a piece per step;
// - a divisor below 2^64: fraction digits in blocks of machine divisions. The entries
//   are e_0 10^j mod b, so with b / gcd(e_0, b) = 2^x 5^y d (d coprime to 10) the first
//   repeat comes when max(x, y) + (the period of 10 modulo d) entries are recorded, and
//   it repeats the entry at index s = max(x, y) (period.h finds the period);
// - a larger divisor: blocks of digits, each one GMP division. The cycle starts at the
//   same s, found from the factors 2 and 5 alone, and the entries from e_s on go round a
//   cycle on which x -> 10 x mod b is one to one. So e_(s+L) = e_s exactly when
//   e_(s+t m) = e_(s+j) for L = t m - j: the m entries e_s .. e_(s+m-1) are remembered
//   by a hash of their value (baby steps), and the entry at the end of each cell of m
//   digits is looked up before the cell's digits are written (giant steps); a hit is
//   confirmed by comparing the entry it names with e_s.
#include <algorithm>
#include <bit>
#include <numeric>
#include <unordered_map>

#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/number/huge.h"
#include "engine/number/period.h"

namespace {

using u128 = unsigned __int128;

// Fraction digits per step for a divisor below 2^64.
constexpr uint64_t kWordBlock = 4096;
// The cell of a larger divisor: its decimal digits, within these bounds.
constexpr uint64_t kMinCell = 64, kMaxCell = 8192;

// A 64-bit hash of a GMP integer's limbs.
uint64_t HashOf(mpz_srcptr a) {
    uint64_t h = 0x243F6A8885A308D3u ^ static_cast<uint64_t>(mpz_size(a));
    const mp_limb_t* p = mpz_limbs_read(a);
    for (size_t i = 0; i < mpz_size(a); ++i) {
        h = (h ^ p[i]) * 0x9E3779B97F4A7C15u;
        h ^= h >> 32;
    }
    return h;
}

// The exponent of p (2 or 5) in a > 0.
uint64_t Valuation(mpz_srcptr a, unsigned long p) {
    if (p == 2) return mpz_scan1(a, 0);
    T作業整数 rest, factor;
    mpz_set_ui(factor, p);
    return mpz_remove(rest, a, factor);
}

}  // namespace

// The operands, the quotient's text still to write and the recorded remainders. A step
// computes into locals and commits at its end, so a cancel never leaves a partial text.
struct T余り索引 {
    enum class E段階 { m開始, m整数部, m小数部 };
    E段階 phase = E段階::m開始;
    T整数型 a, b;  // magnitudes of the dividend and the divisor

    // Integer part.
    std::unique_ptr<T分割文字列化> quotientText;  // absent for a zero quotient
    T整数型 remainder;                            // a mod b: the entry at the point

    // Fraction part: `count` entries recorded, `written` digits after the point.
    uint64_t count = 0;
    uint64_t written = 0;
    uint64_t cycleStart = 0;  // s: index of the entry the first repeat repeats
    uint64_t closeAt = 0;     // entries recorded when it comes; 0 while unknown
    bool bWord = false;

    // Divisor below 2^64.
    uint64_t divisor = 0, rem = 0, first = 0;  // rem: the last entry
    bool bPeriodKnown = false;

    // Larger divisor.
    T作業整数 bigB, bigRem, eS;  // the divisor, the last entry, and e_s once reached
    uint64_t cell = 0;           // m
    uint64_t lookedUp = 1;       // cells t <= lookedUp have been searched (cell 1 digit by digit)
    std::unordered_multimap<uint64_t, uint64_t> baby;  // hash of e_(s+j) -> j, 0 <= j < m
    struct T先読み {                 // a block already divided while searching a cell
        uint64_t from = 0, length = 0;
        std::u16string digits;
        T作業整数 rem;
    } ahead;

    void Start(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check);
    void BeginFraction(const T整数型& e0, uint64_t written0);
    void IntegerPiece(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check);
    void WordBlock(T整数順次除算コンテキスト型& rtc, uint64_t limit, const Tキャンセル検査& check);
    void BigBlock(T整数順次除算コンテキスト型& rtc, uint64_t limit, const Tキャンセル検査& check);
    void BabyDigits(T整数順次除算コンテキスト型& rtc, uint64_t limit, const Tキャンセル検査& check);
    void LookUpCell(uint64_t t, const Tキャンセル検査& check);
    // The `length` digits after entry `from` (the current entry) and the entry after them.
    void Divide(uint64_t from, uint64_t length, const Tキャンセル検査& check);
    void Commit(T整数順次除算コンテキスト型& rtc, const std::u16string& digits, bool exact, bool closed);
};

void T余り索引削除::operator()(T余り索引* p) const noexcept { delete p; }

// The quotient and remainder, or the leading zeros of a dividend shorter than the divisor.
void T余り索引::Start(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check) {
    if (f大小比較(a, b) >= 0 || f10進桁数(a, check) == f10進桁数(b, check)) {
        T整数型 q, r;
        f商余(a, b, q, r, check);
        std::unique_ptr<T分割文字列化> text;
        if (!q.fゼロ()) text = std::make_unique<T分割文字列化>(T整数視(q), 10);
        quotientText = std::move(text);
        remainder = std::move(r);
        phase = E段階::m整数部;
        return;
    }
    // The dividend is k digits shorter: k - 1 zeros without recorded remainders, and the
    // first entry already has k - 1 zeros appended.
    const uint64_t k = f10進桁数(b, check) - f10進桁数(a, check);
    const T整数型 e0 = f10冪倍(a, k - 1, check);
    std::u16string prefix = u"0." + std::u16string(k - 1, u'0');
    BeginFraction(e0, k - 1);
    rtc.s除算途中 = std::move(prefix);
    rtc.b余り保存フラグ = true;
}

void T余り索引::BeginFraction(const T整数型& e0, uint64_t written0) {
    phase = E段階::m小数部;
    count = 1;
    written = written0;
    int64_t small;
    bWord = b.f小値(small) || b.fビット数() <= 64;
    if (bWord) {
        mpz_export(&divisor, nullptr, -1, sizeof divisor, 0, 0, T整数視(b));
        rem = first = 0;
        mpz_export(&rem, nullptr, -1, sizeof rem, 0, 0, T整数視(e0));
        first = rem;
        return;
    }
    mpz_set(bigB, T整数視(b));
    mpz_set(bigRem, T整数視(e0));
    if (mpz_sgn(bigRem) != 0) {
        const uint64_t twos = Valuation(bigB, 2), fives = Valuation(bigB, 5);
        const uint64_t e2 = Valuation(bigRem, 2), e5 = Valuation(bigRem, 5);
        cycleStart = std::max({uint64_t{0}, twos > e2 ? twos - e2 : 0, fives > e5 ? fives - e5 : 0});
    }
    cell = std::clamp<uint64_t>(mpz_sizeinbase(bigB, 10), kMinCell, kMaxCell);
}

// Appends one piece of the integer part; after the last one the point (the remainder is
// not zero) or the end (it is).
void T余り索引::IntegerPiece(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check) {
    std::u16string& s = rtc.s除算途中;
    const size_t before = s.size();
    while (quotientText && quotientText->f次(s, check)) {
        if (s.size() > before) return;
        check();
    }
    quotientText.reset();
    if (remainder.fゼロ()) {
        rtc.l循環小数リスト位置 = -1;
        rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
        return;
    }
    if (s.empty()) s = u"0";
    s.push_back(u'.');
    BeginFraction(remainder, 0);
    rtc.b余り保存フラグ = true;
}

// Appends the digits, and ends the expansion when the remainder became zero or the
// cycle closed.
void T余り索引::Commit(T整数順次除算コンテキスト型& rtc, const std::u16string& digits, bool exact, bool closed) {
    rtc.s除算途中 += digits;
    written += digits.size();
    if (exact) {
        rtc.l循環小数リスト位置 = -1;
        rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
    } else if (closed) {
        rtc.l循環小数リスト位置 = f検査付32bit変換(static_cast<int64_t>(cycleStart));
        rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
    }
}

// Up to `limit` digits by machine divisions.
void T余り索引::WordBlock(T整数順次除算コンテキスト型& rtc, uint64_t limit, const Tキャンセル検査& check) {
    if (!bPeriodKnown) {
        const uint64_t gcd = std::gcd(first, divisor);
        uint64_t d = divisor / gcd;
        const int twos = std::countr_zero(d);
        d >>= twos;
        int fives = 0;
        for (; d % 5 == 0; d /= 5) ++fives;
        const uint64_t period = f10進周期(d, check);
        cycleStart = static_cast<uint64_t>(std::max(twos, fives));
        closeAt = cycleStart + period;
        bPeriodKnown = true;
    }
    std::u16string digits;
    uint64_t r = rem, n = count;
    bool exact = false, closed = false;
    while (digits.size() < limit) {
        const u128 cur = u128{r} * 10;
        const uint64_t next = static_cast<uint64_t>(cur % divisor);
        digits.push_back(static_cast<char16_t>(u'0' + static_cast<int>(cur / divisor)));
        if (next == 0) {
            exact = true;
            break;
        }
        if (n == closeAt) {
            closed = true;
            break;
        }
        ++n;
        r = next;
    }
    rem = r;
    count = n;
    Commit(rtc, digits, exact, closed);
}

// The entries after e_s one digit at a time, up to e_(s+m): each is compared with e_s,
// and those before e_(s+m) are remembered.
void T余り索引::BabyDigits(T整数順次除算コンテキスト型& rtc, uint64_t limit, const Tキャンセル検査& check) {
    const uint64_t index = count - 1 - cycleStart;  // entries e_s .. e_(s+index) are known
    limit = std::min(limit, cell - index);
    T作業整数 r, t, digit;
    mpz_set(r, bigRem);
    std::u16string digits;
    std::vector<std::pair<uint64_t, uint64_t>> seen;
    T作業計量 meter(check);
    bool exact = false, closed = false;
    while (digits.size() < limit) {
        mpz_mul_ui(t, r, 10);
        mpz_tdiv_qr(digit, r, t, bigB);
        digits.push_back(static_cast<char16_t>(u'0' + mpz_get_ui(digit)));
        meter.Add(mpz_size(bigB));
        if (mpz_sgn(r) == 0) {
            exact = true;
            break;
        }
        if (mpz_cmp(r, eS) == 0) {
            closed = true;
            break;
        }
        seen.emplace_back(HashOf(r), index + digits.size());
    }
    for (const auto& [h, j] : seen) {
        if (j < cell) baby.emplace(h, j);
    }
    count += seen.size();
    mpz_swap(bigRem, r);
    Commit(rtc, digits, exact, closed);
}

void T余り索引::Divide(uint64_t from, uint64_t length, const Tキャンセル検査& check) {
    T作業整数 power, t, q, rem;
    mpz_ui_pow_ui(power, 10, length);
    fZ乗算(t, bigRem, power, check);
    fZ商余(q, rem, t, bigB, check);
    std::u16string digits;
    T分割文字列化(q, 10, length).f全部(digits, check);
    ahead.digits = std::move(digits);
    mpz_swap(ahead.rem, rem);
    ahead.from = from;
    ahead.length = length;
}

// Searches cell t, the entries after e_(s+(t-1)m) up to e_(s+tm), for the one that
// repeats e_s, starting from the current entry e_(s+(t-1)m); sets closeAt when it is there.
void T余り索引::LookUpCell(uint64_t t, const Tキャンセル検査& check) {
    const uint64_t from = count - 1, end = cycleStart + t * cell;
    Divide(from, end - from, check);
    std::vector<uint64_t> candidates;  // j with e_end = e_(s+j): then e_(end-j) = e_s
    const auto range = baby.equal_range(HashOf(ahead.rem));
    for (auto it = range.first; it != range.second; ++it) candidates.push_back(it->second);
    std::sort(candidates.rbegin(), candidates.rend());
    for (uint64_t j : candidates) {  // a hash is only a hint: the entry itself decides
        Divide(from, end - j - from, check);
        if (mpz_cmp(ahead.rem, eS) == 0) {
            closeAt = end - j;
            break;
        }
    }
    lookedUp = t;
}

// Up to `limit` digits of a divisor beyond 64 bits: one division per block, except for
// the cell after e_s, whose entries are remembered one by one.
void T余り索引::BigBlock(T整数順次除算コンテキスト型& rtc, uint64_t limit, const Tキャンセル検査& check) {
    const uint64_t c = count - 1;  // the current entry
    uint64_t d = std::min(limit, kMaxCell);
    if (c < cycleStart) {
        d = std::min(d, cycleStart - c);
    } else {
        if (mpz_sgn(eS) == 0) {
            mpz_set(eS, bigRem);
            baby.emplace(HashOf(eS), 0);
        }
        if (c < cycleStart + cell) {
            BabyDigits(rtc, d, check);
            return;
        }
        const uint64_t t = (c - cycleStart) / cell + 1;  // the cell the next entries belong to
        if (closeAt == 0 && lookedUp < t) LookUpCell(t, check);
        d = std::min(d, cycleStart + t * cell - c);
        if (closeAt != 0) d = std::min(d, closeAt - c);
    }
    if (ahead.from != c || ahead.length != d) Divide(c, d, check);
    std::u16string digits = ahead.digits;
    const bool exact = mpz_sgn(ahead.rem) == 0;
    if (exact) digits.erase(digits.find_last_not_of(u'0') + 1);  // it ended at the last nonzero digit
    const bool closed = !exact && closeAt != 0 && c + d == closeAt;
    if (closed) {
        count = closeAt;  // e_closeAt repeats e_s and is not recorded
    } else if (!exact) {
        count += d;
    }
    mpz_set(bigRem, ahead.rem);
    ahead.length = 0;
    Commit(rtc, digits, exact, closed);
}

void ClsBrelvita::f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, std::u16string vs被除数,
                                 std::u16string vs除数) {
    const Tキャンセル検査 check = fキャンセル検査();
    f整数順次除算初期化(rtc, T整数型::f読込(vs被除数, check), T整数型::f読込(vs除数, check));
}

void ClsBrelvita::f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, const T整数型& vt被除数,
                                 const T整数型& vt除数) {
    rtc.c余りLst.reset();
    rtc.e状態 = E整数順次除算内部状態::m順次除算中状態;
    rtc.s符号 = vt被除数.f負記号() != vt除数.f負記号() ? u"-" : u"";
    rtc.b余り保存フラグ = false;
    rtc.l循環小数リスト位置 = -1;
    rtc.s除算途中.clear();
    rtc.s除算結果.clear();
    if (vt被除数.fゼロ()) {
        rtc.s除算結果 = u"0";
        rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
        return;
    }
    if (vt除数.fゼロ()) {
        rtc.s除算結果 = rtc.s符号 + u"∞";
        rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
        return;
    }
    rtc.c余りLst.reset(new T余り索引);
    rtc.c余りLst->a = f絶対値(vt被除数);
    rtc.c余りLst->b = f絶対値(vt除数);
}

bool ClsBrelvita::f整数順次除算(T整数順次除算コンテキスト型& rtc) {
    using E = E整数順次除算内部状態;
    switch (rtc.e状態) {
        case E::m順次小数除算中状態:
            return false;
        case E::m除算完了状態:
            return true;
        case E::m循環節チェック状態:
            if (rtc.l循環小数リスト位置 >= 0) {
                if (!rtc.c余りLst) throw E一般例外(u"駄目だこりゃ! 余りのリストがもう無いのよ～ん!");
                // Cycle digits after the first one: the entries after the repeated one.
                const uint64_t k = rtc.c余りLst->count - static_cast<uint64_t>(rtc.l循環小数リスト位置) - 1;
                f循環節印挿入(rtc.s除算途中, k);
            }
            rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
            rtc.e状態 = E::m除算完了状態;
            return true;
        case E::m順次除算中状態:
            break;
    }
    fキャンセル点();
    if (!rtc.c余りLst) throw E一般例外(u"駄目だこりゃ! 初期化されていない割り算なのよ～ん!");
    T余り索引& x = *rtc.c余りLst;
    const Tキャンセル検査 check = fキャンセル検査();
    if (x.phase == T余り索引::E段階::m開始) x.Start(rtc, check);
    if (x.phase == T余り索引::E段階::m整数部) {
        x.IntegerPiece(rtc, check);
    } else {
        // A block ends where an expansion that is cut at the goal should stop, and past the
        // goal (zeros in front of the first digit can pass it) blocks are single digits.
        uint64_t limit = x.bWord ? kWordBlock : kMaxCell;
        if (i展開目標桁数 > 0) {
            const uint64_t goal = static_cast<uint64_t>(i展開目標桁数);
            limit = x.written < goal ? std::min(limit, goal - x.written) : 1;
        }
        if (x.bWord) {
            x.WordBlock(rtc, limit, check);
        } else {
            x.BigBlock(rtc, limit, check);
        }
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
    f整数順次除算初期化(ctx, p.t分子, p.t分母);
    while (!f整数順次除算(ctx)) {
    }
    return ctx.s除算結果;
}
