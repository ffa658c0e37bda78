// Stepwise n-th roots of a fraction p/q, a block of decimal digits per step.
//
// The digit-by-digit method writes, place by place from the top, the largest digit that
// keeps the root so far at most the root, and stops at the first place where the root so
// far is the root itself. Its text after place -k is that of x_k = floor((p/q)^(1/n)
// 10^k), which is the integer n-th root of floor(p 10^(nk) / q) (for an integer m and a
// real y >= 0, m^n <= y exactly when m^n <= floor(y)). So a block goes from x_k to x_k'
// with one integer root, started from (x_k + 1) 10^(k' - k), which is above x_k'; the
// blocks double in length. The method stops by itself exactly when the root is a
// terminating decimal, that is when p and q are n-th powers P^n and Q^n with Q made of
// 2s and 5s only; then the final text is written at once.
#include <algorithm>
#include <cmath>

#include "common/checked_int.h"
#include "engine/number/huge.h"
#include "engine/number/root.h"

namespace {

// Fraction digits of the first block; each later block doubles them.
constexpr uint64_t kFirstBlock = 16;

// Radicands of more bits than this (80 million digits) are not formed: a block that
// would need one adds no digit, so the expansion goes on without digits until it is
// cancelled, as it would with the powers themselves, without exhausting memory first.
constexpr uint64_t kMaxRadicandBits = uint64_t{1} << 28;

constexpr double kLog2Of10 = 3.32192809488736234787;

// Appends the digits added to the unsigned text since the last step to the result text,
// which is rebuilt only when it no longer has the length it was left with.
void MirrorResult(T分数累乗根順次計算コンテキスト型& rtc, size_t& mirrored) {
    const std::u16string& digits = rtc.s累乗根計算途中;
    if (mirrored <= digits.size() && rtc.s累乗根計算結果.size() == rtc.s符号.size() + mirrored) {
        rtc.s累乗根計算結果.append(digits, mirrored);
    } else {
        rtc.s累乗根計算結果 = rtc.s符号 + digits;
    }
    mirrored = digits.size();
}

// v with its factors 2 and 5 taken out, and how many of each there were.
T整数型 WithoutTwosAndFives(const T整数型& v, uint64_t& twos, uint64_t& fives) {
    T作業整数 z, five;
    mpz_set(z, T整数視(v));
    twos = mpz_scan1(z, 0);
    mpz_tdiv_q_2exp(z, z, twos);
    mpz_set_ui(five, 5);
    fives = mpz_remove(z, z, five);
    return T整数型::f取込(z);
}

}  // namespace

// The root's digits down to place -k as an integer x; for a square root also the
// remainder M_k - x^2 and the long-division remainder p 10^(2k) mod q, from which the
// next block continues without forming M_k'.
struct T根位置 {
    T整数型 x;
    uint64_t k = 0;
    bool bRemainder = false;
    T整数型 rem, rho;
};

// Sets the position to the root r of the radicand M (both taken): with the remainders
// M - r^2 and rest = p 10^(2k) mod q when it keeps them.
void Settle(T根位置& next, mpz_ptr r, mpz_ptr radicand, mpz_ptr rest, const Tキャンセル検査& check) {
    if (next.bRemainder) {
        T作業整数 square;
        fZ乗算(square, r, r, check);
        mpz_sub(radicand, radicand, square);
        next.rem = T整数型::f取込(radicand);
        next.rho = T整数型::f取込(rest);
    }
    next.x = T整数型::f取込(r);
}

struct T累乗根作業 {
    bool b無限大 = false;  // infinite base: no candidate ever reaches it, no digit is found
    bool bStarted = false; // the integer part has been written
    T整数型 p, q;          // the base's magnitude p/q
    uint64_t n = 2;
    T根位置 at;            // where the digits have got to
    size_t l反映済み = std::u16string::npos;  // digits already copied into the result text
    T分数型 t根;           // the root's magnitude P/Q once it is known to end (not reduced)

    // The whole text when the root is a terminating decimal, the place after the one where
    // the digits end, and the root P/Q itself; false when it is not.
    bool TerminatingText(std::u16string& text, int32_t& next, T分数型& root,
                         const Tキャンセル検査& check) const;
    // floor(root) and its text ("" for 0).
    void IntegerPart(T根位置& next, std::u16string& text, const Tキャンセル検査& check) const;
    // The position after kNew fraction digits and the digits it adds, or false when that
    // needs too large a radicand.
    bool Block(uint64_t kNew, T根位置& next, std::u16string& digits, const Tキャンセル検査& check) const;
    // A square root's next block from the remainders (Zimmermann's step in base 10^d),
    // and its new digits as a number (low).
    void SquareRootBlock(uint64_t kNew, mpz_srcptr scale, T根位置& next, mpz_ptr low,
                         const Tキャンセル検査& check) const;
};

bool T累乗根作業::TerminatingText(std::u16string& text, int32_t& next, T分数型& root,
                                  const Tキャンセル検査& check) const {
    bool exact = false;
    const T整数型 P = f冪根(p, n, exact, check);
    if (!exact) return false;
    const T整数型 Q = f冪根(q, n, exact, check);
    if (!exact) return false;
    uint64_t twos = 0, fives = 0;
    if (!WithoutTwosAndFives(Q, twos, fives).f等値(1)) return false;
    root = {P, Q};
    // P / Q = P 2^(K - twos) 5^(K - fives) / 10^K, with K digits after the point, the last
    // of them not 0 (P and Q are coprime).
    const uint64_t K = std::max(twos, fives);
    T作業整数 scaled, factor;
    mpz_set(scaled, T整数視(P));
    mpz_mul_2exp(scaled, scaled, K - twos);
    mpz_ui_pow_ui(factor, 5, K - fives);
    fZ乗算(scaled, scaled, factor, check);
    std::u16string digits;
    T分割文字列化(scaled, 10).f全部(digits, check);
    if (K == 0) {
        // An integer ends at the place of its last nonzero digit.
        const size_t zeros = digits.size() - 1 - digits.find_last_not_of(u'0');
        next = f検査付32bit変換(static_cast<int64_t>(zeros) - 1);
        text = std::move(digits);
        return true;
    }
    if (digits.size() <= K) digits.insert(0, K + 1 - digits.size(), u'0');
    text = digits.substr(0, digits.size() - K) + u"." + digits.substr(digits.size() - K);
    next = f検査付32bit変換(-static_cast<int64_t>(K) - 1);
    return true;
}

void T累乗根作業::IntegerPart(T根位置& next, std::u16string& text, const Tキャンセル検査& check) const {
    T作業整数 integer, rest, r;
    fZ商余(integer, rest, T整数視(p), T整数視(q), check);
    fZ冪根(r, integer, n, nullptr, check);
    text.clear();
    if (mpz_sgn(r) != 0) T分割文字列化(r, 10).f全部(text, check);
    next.k = 0;
    next.bRemainder = n == 2;
    Settle(next, r, integer, rest, check);
}

void T累乗根作業::SquareRootBlock(uint64_t kNew, mpz_srcptr scale, T根位置& next, mpz_ptr low,
                                  const Tキャンセル検査& check) const {
    // With X = x 10^d (scale = 10^d) and the 2d new radicand digits G = G_hi 10^d + G_lo:
    // M' - (X + delta)^2 = (rem 10^d + G_hi - 2 x delta) 10^d + G_lo - delta^2.
    // Numbers are released as soon as they are used: this runs on the longest numbers.
    next.k = kNew;
    T作業整数 gHigh, gLow, delta, u, xNew, remNew, t;
    if (!q.f等値(1)) {
        T作業整数 g;
        fZ乗算(t, T整数視(at.rho), scale, check);
        fZ乗算(t, t, scale, check);
        fZ商余(g, u, t, T整数視(q), check);
        next.rho = T整数型::f取込(u);
        fZ商余(gHigh, gLow, g, scale, check);
    } else {
        next.rho = T整数型();
    }
    {
        T作業整数 num, den;
        fZ乗算(num, T整数視(at.rem), scale, check);
        mpz_add(num, num, gHigh);
        mpz_mul_2exp(den, T整数視(at.x), 1);
        fZ商余(delta, u, num, den, check);
    }
    fZ乗算(remNew, u, scale, check);
    mpz_set_ui(u, 0);
    mpz_add(remNew, remNew, gLow);
    fZ乗算(t, delta, delta, check);
    mpz_sub(remNew, remNew, t);
    fZ乗算(xNew, T整数視(at.x), scale, check);
    mpz_add(xNew, xNew, delta);
    // The estimate is off by at most one when x is longer than the block; these make the
    // pair exact in any case (0 <= rem <= 2 x), moving delta, the new digits, along.
    while (mpz_sgn(remNew) < 0) {
        mpz_addmul_ui(remNew, xNew, 2);
        mpz_sub_ui(remNew, remNew, 1);
        mpz_sub_ui(xNew, xNew, 1);
        mpz_sub_ui(delta, delta, 1);
    }
    mpz_mul_2exp(t, xNew, 1);
    while (mpz_cmp(remNew, t) > 0) {
        mpz_sub(remNew, remNew, t);
        mpz_sub_ui(remNew, remNew, 1);
        mpz_add_ui(xNew, xNew, 1);
        mpz_add_ui(delta, delta, 1);
        mpz_mul_2exp(t, xNew, 1);
    }
    next.x = T整数型::f取込(xNew);
    next.rem = T整数型::f取込(remNew);
    mpz_swap(low, delta);
}

bool T累乗根作業::Block(uint64_t kNew, T根位置& next, std::u16string& digits, const Tキャンセル検査& check) const {
    const double bits = static_cast<double>(n) * static_cast<double>(kNew) * kLog2Of10 + static_cast<double>(p.fビット数());
    if (bits > static_cast<double>(kMaxRadicandBits)) return false;
    const uint64_t d = kNew - at.k;
    next.k = kNew;
    next.bRemainder = n == 2;
    T作業整数 ten, scale, low;
    mpz_set_ui(ten, 10);
    fZ冪(scale, ten, d, check);
    mpz_mul_2exp(low, T整数視(at.x), 1);
    if (at.bRemainder && mpz_cmp(low, scale) >= 0) {  // x >= 10^d / 2: one correction at most
        SquareRootBlock(kNew, scale, next, low, check);
    } else {
        // Newton's root of M_k' = floor(p 10^(n k') / q) from above.
        T作業整数 radicand, rest, upper, r;
        fZ冪(scale, ten, n * kNew, check);
        fZ乗算(radicand, T整数視(p), scale, check);
        if (!q.f等値(1)) fZ商余(radicand, rest, radicand, T整数視(q), check);
        fZ冪(scale, ten, d, check);
        mpz_add_ui(upper, T整数視(at.x), 1);
        fZ乗算(upper, upper, scale, check);
        fZ冪根(r, radicand, n, upper, check);
        Settle(next, r, radicand, rest, check);
        fZ乗算(low, T整数視(at.x), scale, check);
        mpz_sub(low, T整数視(next.x), low);
    }
    mpz_set_ui(scale, 0);
    digits.clear();
    T分割文字列化(low, 10, d).f全部(digits, check);
    return true;
}

void f分数累乗根順次計算初期化(T分数累乗根順次計算コンテキスト型& rtc, const T分数型& vt底, int32_t vl指数,
                               const Tキャンセル検査& check) {
    using E = E分数累乗根順次計算内部状態;
    rtc.p作業.reset();
    if (vl指数 < 0) throw E一般例外(u"駄目だこりゃ! f分数累乗根順次計算初期化()で論理エラー");
    if (f分数比較(vt底, t分数の0, check) == 0) {
        rtc.s累乗根計算結果 = u"0";
        rtc.e状態 = E::m累乗根計算完了状態;
        return;
    }
    rtc.t底ワーク = vt底;
    rtc.l指数ワーク = vl指数;
    rtc.s符号 = vt底.t分子.f負記号() ? u"-" : u"";
    rtc.t底ワーク.t分子 = f絶対値(vt底.t分子);
    if (rtc.s符号 == u"-" && vl指数 % 2 == 0 && vl指数 != 0) {
        throw E一般例外(u"駄目だこりゃ! 虚数はまだ対応してないのよ～ん!");
    }
    if (f分数比較(rtc.t底ワーク, t分数の1, check) == 0) {
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
    work->p = rtc.t底ワーク.t分子;
    work->q = rtc.t底ワーク.t分母;
    work->n = static_cast<uint64_t>(vl指数);
    if (work->q.fゼロ()) {
        // The integer part of an infinite base is written "∞", one character long.
        work->b無限大 = true;
        rtc.l10指数 = 1 / vl指数 + 1;
    } else {
        check();
        T整数型 integer, rest;
        f商余(work->p, work->q, integer, rest, check);
        const int32_t length = f検査付32bit変換(static_cast<int64_t>(f10進桁数(integer, check)));
        rtc.l10指数 = f検査付加算(length / vl指数, 1);
    }
    rtc.p作業 = std::move(work);
    rtc.e状態 = E::m累乗根順次計算中状態;
}

bool f分数累乗根順次計算(T分数累乗根順次計算コンテキスト型& rtc, int64_t vi展開目標桁数, const Tキャンセル検査& check) {
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
    check();
    if (!rtc.p作業) throw E一般例外(u"駄目だこりゃ! f分数累乗根順次計算()で論理エラー");
    // A copied context shares the work with its original until one of them steps.
    if (rtc.p作業.use_count() > 1) rtc.p作業 = std::make_shared<T累乗根作業>(*rtc.p作業);
    T累乗根作業& w = *rtc.p作業;
    std::u16string& s = rtc.s累乗根計算途中;
    if (w.b無限大) {
        // No digit is ever found.
    } else if (!w.bStarted) {
        std::u16string text;
        int32_t next = 0;
        T分数型 root;
        if (w.TerminatingText(text, next, root, check)) {
            w.t根 = std::move(root);
            s = std::move(text);
            rtc.l10指数 = next;
            rtc.e状態 = E::m累乗根符号付加中状態;
        } else {
            T根位置 next;
            w.IntegerPart(next, text, check);
            s = std::move(text);
            w.at = std::move(next);
            w.bStarted = true;
            rtc.l10指数 = -1;
        }
    } else {
        const uint64_t k = w.at.k;
        uint64_t kNew = k == 0 ? kFirstBlock : 2 * k;
        if (vi展開目標桁数 > 0) {  // blocks end at the goal, and past it are single digits
            const uint64_t goal = static_cast<uint64_t>(vi展開目標桁数);
            kNew = k < goal ? std::min(kNew, goal) : k + 1;
        }
        T根位置 next;
        std::u16string digits;
        // A block too large to form is shortened; a single digit too large adds nothing.
        while (!w.Block(kNew, next, digits, check)) {
            if (kNew == k + 1) {
                MirrorResult(rtc, w.l反映済み);
                return false;
            }
            kNew = k + (kNew - k) / 2;
        }
        if (k == 0) {
            if (s.empty()) s = u"0";
            s += u'.';
        }
        s += digits;
        w.at = std::move(next);
        rtc.l10指数 = f検査付32bit変換(-static_cast<int64_t>(kNew) - 1);
    }
    MirrorResult(rtc, w.l反映済み);
    return false;
}

T分数型 f分数累乗根(const T分数型& vt底, int32_t vl指数, const Tキャンセル検査& check) {
    if (vl指数 == 1) return vt底;
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, vt底, vl指数, check);
    while (!f分数累乗根順次計算(ctx, 0, check)) {
    }
    const std::u16string& s = ctx.s累乗根計算結果;
    if (s.ends_with(u"∞")) {
        if (s.starts_with(u"±")) {
            throw E一般例外(u"駄目だこりゃ! 勘弁してね～ん。これ以上計算続けられな～い!");
        }
        return t分数の無限大;
    }
    // The root ended: settled by the initialisation (0 or ±1), or a terminating decimal.
    if (!ctx.p作業) return s == u"0" ? t分数の0 : s == u"1" ? t分数の1 : T分数型{T整数型(-1), T整数型(1), true};
    T分数型 root = ctx.p作業->t根;
    if (!ctx.s符号.empty()) root.t分子 = f符号反転(root.t分子);
    return f約分(std::move(root), check);
}
