// Powers of values with units. An integer power multiplies the unit by itself, a
// negative one divides a plain number by it, and a fractional power keeps a unit only
// when every exponent of the dimension divides by the root. Where repeated unit
// multiplication provably equals scaling the exponents, the unit is built directly,
// so that "1m^1000000000" answers at once; otherwise the repetition runs with a
// cancellation point per round.
#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/units/readers.h"

namespace {

// True when a unit term spelled in the list carries an offset (°C): such terms take the
// offset rules of products, which depend on each intermediate notation.
bool HasOffsetTerm(const T単項表記配列型& terms) {
    for (size_t i = 1; i < terms.size(); ++i) {
        std::u16string rest = terms[i].s綴り, exponent;
        const std::u16string letters = f単位トークン取出し(rest, exponent);
        int32_t row = 0, power = 0;
        if (!f単一表記検索(letters, row, power)) continue;
        const std::u16string& formula = t単一表記単位情報[row].s基底値補正式;
        if (!formula.empty() && (formula[0] == u'+' || formula[0] == u'-')) return true;
    }
    return false;
}

// Whether multiplying or dividing by this unit k times gives the dimension scaled by k
// and the notation composed once from the final dimension: a real dimension without
// zero exponents (a product drops codes that reach 0), without pending corrections and
// without offset terms (which change the path through the offset rules).
bool ScalesLinearly(const T単位数型& v) {
    if (v.s単位表記.empty() || v.s単位表記 == D未知単位印) return false;
    if (v.t保留.size() > 1 || v.t意味コ配列.size() < 2) return false;
    if (f意味コ配列比較(v.t意味コ配列, f未知意味コ配列()) == 0 ||
        f意味コ配列比較(v.t意味コ配列, f数値意味コ配列()) == 0) {
        return false;
    }
    for (size_t i = 1; i < v.t意味コ配列.size(); ++i) {
        if (v.t意味コ配列[i].l指数 == 0) return false;
    }
    return !HasOffsetTerm(v.t単項表記リスト);
}

// The dimension with every exponent multiplied by k (overflow is an error).
T意味コ配列型 Scaled(T意味コ配列型 a, int32_t k) {
    for (size_t i = 1; i < a.size(); ++i) a[i].l指数 = f検査付乗算(a[i].l指数, k);
    return a;
}

// The value's unit fields set to the given dimension and terms, spelled once.
void Respell(ClsBrelvita& e, T単位数型& u, T意味コ配列型 dim, T単項表記配列型 terms) {
    u.t意味コ配列 = std::move(dim);
    u.t単項表記リスト = std::move(terms);
    e.f単位表記変換(u.t意味コ配列, u.t単項表記リスト, u.s単位表記, u.s基底値変換式, u.t保留);
}

// Applies U := U op B `times` times, as the repeated unit multiplication does; stops
// early once U is the unknown unit, which no further round changes.
void Repeat(ClsBrelvita& e, T単位数型& U, const T単位数型& B, const char16_t* op, int64_t times,
            bool& flag) {
    for (int64_t k = 0; k < times; ++k) {
        e.fキャンセル点();
        T単位数型 copy = B;
        U = e.f乗除単位補正(op, U, copy, flag);
        if (U.s単位表記 == D未知単位印 && k + 1 < times) {
            flag = false;  // every later round returns the unknown unit with the flag off
            return;
        }
    }
}

// A copy of the value in the unit of a plain number.
T単位数型 PlainUnit(T単位数型 v) {
    v.t意味コ配列 = f数値意味コ配列();
    v.s単位表記.clear();
    v.t単項表記リスト.clear();
    v.t保留.clear();
    v.s基底値変換式.clear();
    return v;
}

// The unit of B^m for an integer m (not 0 or 1); flag as the repeated products leave it.
T単位数型 IntegerPowerUnit(ClsBrelvita& e, const T単位数型& B, int32_t m, bool& flag) {
    flag = true;
    if (m == 0 || m == 1) return B;
    T単位数型 U = m > 1 ? B : PlainUnit(B);
    if (ScalesLinearly(B)) {
        T単項表記配列型 terms;
        if (m > 1) {
            terms = B.t単項表記リスト;
        } else {
            f単項表記リストマージ(T単項表記配列型{}, B.t単項表記リスト, terms);
        }
        Respell(e, U, Scaled(B.t意味コ配列, m), std::move(terms));
        return U;
    }
    if (B.s単位表記.empty()) {  // a plain base leaves U as it is and the flag off
        flag = false;
        return U;
    }
    const int64_t times = m > 1 ? int64_t{m} - 1 : -int64_t{f検査付符号反転(m)};
    Repeat(e, U, B, m > 1 ? u"*" : u"/", times, flag);
    return U;
}

// Divides U by its d-th root unit d - 1 times; the flag survives only when U then has the
// root's dimension.
void RootUnit(ClsBrelvita& e, T単位数型& U, int32_t d, bool& flag) {
    const T単位数型 R = e.f基本単位取得(U, d);
    if (R.s単位表記.empty()) {  // every round returns U unchanged with the flag off
        flag = false;
        return;
    }
    if (R.s単位表記 == D未知単位印) {  // every round gives the unknown unit, flag off
        f未知単位情報設定(U);
        flag = false;
        return;
    }
    if (ScalesLinearly(U) && ScalesLinearly(R)) {
        T単項表記配列型 terms;
        f単項表記リストマージ(U.t単項表記リスト, R.t単項表記リスト, terms);
        Respell(e, U, R.t意味コ配列, std::move(terms));
        flag = true;
    } else {
        Repeat(e, U, R, u"/", int64_t{d} - 1, flag);
    }
    if (f意味コ配列比較(U.t意味コ配列, R.t意味コ配列) != 0) flag = false;
}

}  // namespace

T単位数型 ClsBrelvita::f累乗(const T単位数型& vt底入力, const T単位数型& vt指数入力) {
    if (fキャンセル印チェック(vt底入力, vt指数入力)) return fキャンセル値作成();
    try {
        const Tキャンセル検査 check = fキャンセル検査();
        std::optional<T単位数型> work底, work指数;
        const T単位数型& vt底 = f比率解消(vt底入力, work底);
        const T単位数型& vt指数 = f比率解消(vt指数入力, work指数);
        T単位数型 B = vt底;
        if (!vt指数.s単位表記.empty()) f未知単位情報設定(B);  // a unit in the exponent
        T単位数型 result = B;
        if (!B.s単位表記.empty()) f未知単位情報設定(result);
        bool flag = false;
        const T仮数型& exponent = vt指数.t複素数.t浮動小数.t仮数;
        if (exponent.t指数.t分母.f等値(1)) {  // a rational exponent
            const T分数型 q = f仮数真数化(exponent, check);
            if (f分数比較(q, t分数の0, check) == 0 || f分数比較(q, t分数の1, check) == 0) {
                result = B;
            } else {
                T単位数型 U = IntegerPowerUnit(*this, B, f指数整数変換(q.t分子), flag);
                const int32_t d = f指数整数変換(q.t分母);
                if (d > 1 && flag) RootUnit(*this, U, d, flag);
                if (flag) {
                    result = U;
                    result.t複素数 = f複素数基底値補正(B.t複素数, u"", B.s基底値変換式);
                } else if (U.s単位表記.empty()) {
                    result = U;
                    result.t複素数 = B.t複素数;
                }
            }
        }
        result.t複素数 = f値累乗(result.t複素数, vt指数.t複素数, check);
        if (flag) result.t複素数 = f複素数単位値補正(result.t複素数, u"", result.s基底値変換式);
        return result;
    } catch (const Eキャンセル指示&) {
        f単位付計算キャンセル指示クリア();
        return fキャンセル値作成();
    }
}
