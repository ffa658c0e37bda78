// Stepwise conversion of a decimal text (sign, point, cycle marks and a final "..."
// allowed) into another radix: the whole integer part in the first step, then one
// fraction digit per step, the repeating cycle marked as in a decimal expansion.
//
// The texts are those of the place-value method: the integer part divided by each of
// r^(k-1) … r^0 kept as decimal strings, each fraction digit by subtracting 1/r, and
// every fractional part met remembered in lowest terms in a list searched from the
// front. Here:
// - the integer part is read once into a binary integer and written in radix r by
//   splitting at powers of r (huge.h); the digits are the standard representation,
//   which is what the place values give once the single leading zero is dropped.
// - the fractional part x = n/D (in lowest terms) is kept as a numerator over the fixed
//   D: each digit is one multiplication by r and one division, no reduction.
// - the list: the j-th fractional part is frac(r^j·x). With D = D'·D'', D' made of
//   the primes of r and D'' coprime to r, parts i < j are equal exactly when D' divides
//   r^i and the period L of r modulo D'' divides j − i. So the first part met again is
//   the one at s = max over the primes p of r of ceil(v_p(D) / v_p(r)), met again at
//   j = s + L and at no earlier j: keeping that single part answers every search of
//   the list, and no period has to be computed (it is found by meeting the part).
#include <algorithm>

#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/number/huge.h"

namespace {

using u128 = unsigned __int128;
using E状態 = E整数順次除算内部状態;

// Digit characters only, and at least one; anything else cannot be converted.
void RequireDigits(const std::u16string& s) {
    if (s.empty() || s.find_first_not_of(u"0123456789") != std::u16string::npos) {
        throw E一般例外(u"駄目だこりゃ! 数字でない文字列は基数変換できないのよ～ん!");
    }
}

// The natural number written in `decimal` as radix-r digits, most significant first,
// "0" for zero.
std::u16string IntegerDigits(const std::u16string& decimal, int32_t r, const Tキャンセル検査& check) {
    T作業整数 value;
    fZ文字列読込(value, decimal, 10, check);
    check();
    std::u16string digits;
    T分割文字列化(value, r).f全部(digits, check);
    return digits;
}

// The index of the first fractional part that comes back, for a reduced denominator d:
// the largest ceil(v_p(d) / v_p(r)) over the primes p of r.
uint64_t CycleStart(mpz_srcptr d, uint32_t r) {
    uint64_t s = 0;
    uint32_t rest = r;
    T作業整数 left, factor;
    for (uint32_t p = 2; p <= rest; ++p) {
        uint64_t e = 0;
        for (; rest % p == 0; rest /= p) ++e;
        if (e == 0) continue;
        mpz_set_ui(factor, p);
        s = std::max(s, (mpz_remove(left, d, factor) + e - 1) / e);
    }
    return s;
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

    // Larger denominators.
    T作業整数 denBig, numBig, startBig, digit;

    // The next digit, floor(r·x); the numerator becomes that of frac(r·x).
    uint32_t NextDigit() {
        if (!bBig) {
            const u128 t = u128{num} * radix;
            num = static_cast<uint64_t>(t % den);
            return static_cast<uint32_t>(t / den);
        }
        mpz_mul_ui(numBig, numBig, radix);
        mpz_tdiv_qr(digit, numBig, numBig, denBig);
        return static_cast<uint32_t>(mpz_get_ui(digit));
    }

    bool IsZero() const { return bBig ? mpz_sgn(numBig) == 0 : num == 0; }

    bool EqualsStart() const { return bBig ? mpz_cmp(numBig, startBig) == 0 : num == start; }

    void KeepAsStart() {
        if (bBig) {
            mpz_set(startBig, numBig);
        } else {
            start = num;
        }
    }
};

void T基数小数桁状態削除::operator()(T基数小数桁状態* p) const noexcept { delete p; }

namespace {

constexpr char16_t kNotAFraction[] = u"駄目だこりゃ! 小数部が 0 以上 1 以下の分数でないのよ～ん!";

// The state for the fractional part t (0 <= t <= 1, in lowest terms) in radix r.
std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> MakeFractionState(const T分数型& t, uint32_t r) {
    if (t.t分子.f負記号() || t.t分母.f符号() <= 0 || f大小比較(t.t分子, t.t分母) > 0) {
        throw E一般例外(kNotAFraction);
    }
    std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> x(new T基数小数桁状態);
    x->radix = r;
    const T整数視 den(t.t分母), num(t.t分子);
    x->cycleStart = CycleStart(den, r);
    x->bBig = t.t分母.fビット数() > 64;
    if (x->bBig) {
        mpz_set(x->denBig, den);
        mpz_set(x->numBig, num);
    } else {
        mpz_export(&x->den, nullptr, -1, sizeof x->den, 0, 0, den);
        mpz_export(&x->num, nullptr, -1, sizeof x->num, 0, 0, num);
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
    std::u16string digits = IntegerDigits(rtc.s被除数ワーク, rtc.i変換基数, check);
    std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> fraction;
    T分数型 t;
    if (!rtc.s小数桁.empty()) {
        t = e.f分数変換(u"0" + rtc.s小数桁);
        fraction = MakeFractionState(t, r);
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
    rtc.t累基小数桁用 = f分数値(1, r);
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
