// The mantissa, floating and complex layers. A mantissa keeps a root exact as a base
// under a fractional exponent; products, quotients and powers work on bases and
// exponents, and only sums, exponent values and rendering extract a root.
#include "common/ut_common.h"
#include "engine/number/mantissa.h"
#include "engine/number/root.h"

namespace {

constexpr char16_t kImaginary[] = u"駄目だこりゃ! 虚数はまだ対応してないのよ～ん!";

// True for a fraction whose value is below zero ("-0" is not).
bool IsNegative(const T分数型& f) { return f.t分子.f符号() < 0; }

// The magnitude of a fraction.
T分数型 Magnitude(T分数型 f) {
    f.t分子 = f絶対値(f.t分子);
    return f;
}

}  // namespace

int32_t f指数整数変換(const T整数型& t整数) {
    int32_t v = 0;
    if (!t整数.f32bit値(v)) throw E整数オーバーフロー();
    return v;
}

T仮数型 f仮数変換(const T分数型& vt分数) { return {t分数の1, vt分数}; }

T分数型 f仮数真数化(const T仮数型& vt仮数, const Tキャンセル検査& check) {
    const int32_t p = f指数整数変換(vt仮数.t指数.t分子);
    const int32_t q = f指数整数変換(vt仮数.t指数.t分母);
    return f分数累乗根(f分数累乗(vt仮数.t底, p, check), q, check);
}

T仮数型 f仮数加算(const T仮数型& vt被加数, const T仮数型& vt加数, const Tキャンセル検査& check) {
    return {t分数の1, f分数加算(f仮数真数化(vt被加数, check), f仮数真数化(vt加数, check), check)};
}

T仮数型 f仮数減算(const T仮数型& vt被減数, const T仮数型& vt減数, const Tキャンセル検査& check) {
    return {t分数の1, f分数減算(f仮数真数化(vt被減数, check), f仮数真数化(vt減数, check), check)};
}

void f指数等化(T仮数型& rt被乗除数, T仮数型& rt乗除数, const Tキャンセル検査& check) {
    if (rt被乗除数.t指数.t分母.fゼロ() || rt乗除数.t指数.t分母.fゼロ()) {
        throw E一般例外(u"駄目だこりゃ! 無限大の指数は揃えられないのよ～ん!");
    }
    const T整数型 L = f最小公倍数(rt被乗除数.t指数.t分母, rt乗除数.t指数.t分母, check);
    for (T仮数型* m : {&rt被乗除数, &rt乗除数}) {
        T整数型 factor, rest;
        f商余(L, m->t指数.t分母, factor, rest, check);
        m->t指数 = {f積(m->t指数.t分子, factor, check), T整数型(1)};
        m->t底 = f仮数真数化(*m, check);
    }
    rt被乗除数.t指数 = {T整数型(1), L};
}

namespace {

// Brings an operand with an infinite exponent (denominator "0") to its value first:
// equalising over a common multiple of 0 would turn every base into 1.
void EvaluateInfiniteExponent(T仮数型& m, const Tキャンセル検査& check) {
    if (m.t指数.t分母.fゼロ()) m = f仮数変換(f仮数真数化(m, check));
}

// Replaces an operand under a root by its value when that root is exact.
void TakeExactRoot(T仮数型& m, const Tキャンセル検査& check) {
    const int32_t q = f指数整数変換(m.t指数.t分母);
    if (q < 2) return;
    const T分数型 x = f分数累乗(m.t底, f指数整数変換(m.t指数.t分子), check);
    bool bExact = false;
    T整数型 num = f冪根(f絶対値(x.t分子), static_cast<uint64_t>(q), bExact, check);
    if (!bExact) return;
    const T整数型 den = f冪根(x.t分母, static_cast<uint64_t>(q), bExact, check);
    if (x.t分子.f負記号()) num = f符号反転(num);
    if (bExact) m = f仮数変換(f約分({num, den}, check));
}

// Takes the sign out of an operand whose base is negative (the root index is odd by
// now) and returns true when the operand's value is negative.
bool ExtractSign(T仮数型& m) {
    if (!IsNegative(m.t底)) return false;
    const bool bNegative = f指数整数変換(m.t指数.t分子) % 2 != 0;
    m.t底 = Magnitude(m.t底);
    return bNegative;
}

// A negative base under an even root index has no real value.
void RejectImaginary(const T仮数型& m) {
    if (IsNegative(m.t底) && f指数整数変換(m.t指数.t分母) % 2 == 0) throw E一般例外(kImaginary);
}

// The product or the quotient of two fractions.
using T分数乗除 = T分数型 (*)(const T分数型&, const T分数型&, const Tキャンセル検査&);

// The product or quotient of two mantissas under a common root index, as `combine`
// (f分数乗算 or f分数除算) joins the bases.
T仮数型 MultiplyOrDivide(const T仮数型& a, const T仮数型& b, T分数乗除 combine, const Tキャンセル検査& check) {
    // Finite equal exponents and no negative base leave nothing to rewrite: the bases
    // are combined as they are, without working copies of the operands.
    if (!a.t指数.t分母.fゼロ() && !b.t指数.t分母.fゼロ() && !IsNegative(a.t底) && !IsNegative(b.t底) &&
        f分数比較(a.t指数, b.t指数, check) == 0) {
        return {a.t指数, combine(a.t底, b.t底, check)};
    }
    T仮数型 wa = a, wb = b;
    EvaluateInfiniteExponent(wa, check);
    EvaluateInfiniteExponent(wb, check);
    bool bNegative = false;
    if (IsNegative(wa.t底) || IsNegative(wb.t底)) {
        // Equalisation raises bases to integer powers, which would drop a sign: take the
        // signs out first, after replacing exact roots by their values.
        RejectImaginary(wa);
        RejectImaginary(wb);
        if (f分数比較(wa.t指数, wb.t指数, check) != 0) {
            TakeExactRoot(wa, check);
            TakeExactRoot(wb, check);
            bNegative = ExtractSign(wa) != ExtractSign(wb);
        }
    }
    if (f分数比較(wa.t指数, wb.t指数, check) != 0) f指数等化(wa, wb, check);
    T仮数型 result{wa.t指数, combine(wa.t底, wb.t底, check)};
    if (bNegative) {
        // -(B^(p/q)) is the q-th root of -(B^p) when q is odd; an even root is never negative.
        const int32_t q = f指数整数変換(result.t指数.t分母);
        if (q % 2 == 0) throw E一般例外(D負偶数乗根積);
        const T分数型 power = f分数累乗(result.t底, f指数整数変換(result.t指数.t分子), check);
        result = {{T整数型(1), result.t指数.t分母}, f分数乗算(power, f分数値(-1, 1), check)};
    }
    return result;
}

}  // namespace

T仮数型 f仮数乗算(const T仮数型& vt被乗数, const T仮数型& vt乗数, const Tキャンセル検査& check) {
    return MultiplyOrDivide(vt被乗数, vt乗数, f分数乗算, check);
}

T仮数型 f仮数除算(const T仮数型& vt被除数, const T仮数型& vt除数, const Tキャンセル検査& check) {
    return MultiplyOrDivide(vt被除数, vt除数, f分数除算, check);
}

T仮数型 f仮数累乗(const T仮数型& vt底, const T仮数型& vt指数, const Tキャンセル検査& check) {
    return {f分数乗算(vt底.t指数, f仮数真数化(vt指数, check), check), vt底.t底};
}

T浮動小数型 f浮動小数変換(const T仮数型& vt仮数) { return {vt仮数}; }

T浮動小数型 f浮動小数正規化(const T浮動小数型& vt浮動小数) { return vt浮動小数; }

T浮動小数型 f浮動小数加算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check) {
    return f浮動小数正規化({f仮数加算(a.t仮数, b.t仮数, check)});
}

T浮動小数型 f浮動小数減算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check) {
    return f浮動小数正規化({f仮数減算(a.t仮数, b.t仮数, check)});
}

T浮動小数型 f浮動小数乗算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check) {
    return {f仮数乗算(a.t仮数, b.t仮数, check)};
}

T浮動小数型 f浮動小数除算(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check) {
    return {f仮数除算(a.t仮数, b.t仮数, check)};
}

T浮動小数型 f浮動小数累乗(const T浮動小数型& a, const T浮動小数型& b, const Tキャンセル検査& check) {
    return {f仮数累乗(a.t仮数, b.t仮数, check)};
}

T複素数型 f複素数変換(const T浮動小数型& vt浮動小数) { return {vt浮動小数, f浮動小数変換(f仮数変換(t分数の0)), nullptr}; }

T複素数型 f複素数加算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    return {f浮動小数加算(a.t浮動小数, b.t浮動小数, check), {}, nullptr};
}

T複素数型 f複素数減算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    return {f浮動小数減算(a.t浮動小数, b.t浮動小数, check), {}, nullptr};
}

T複素数型 f複素数乗算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    return {f浮動小数乗算(a.t浮動小数, b.t浮動小数, check), {}, nullptr};
}

T複素数型 f複素数除算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    return {f浮動小数除算(a.t浮動小数, b.t浮動小数, check), {}, nullptr};
}

T複素数型 f複素数累乗(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    return {f浮動小数累乗(a.t浮動小数, b.t浮動小数, check), {}, nullptr};
}
