// Choosing between the exact layers and real-number trees for each operation.
#include "engine/real/real_arith.h"

namespace {

constexpr char16_t k無限大[] = u"駄目だこりゃ! 無限大は実数の式に使えないのよ～ん!";

// The two-operand tree of an operation on values.
T複素数型 f木演算(E実数演算 e, const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    return f実数値作成(f実数演算(e, f実数木(a, check), f実数木(b, check)));
}

}  // namespace

bool f無理根判定(const T仮数型& vt仮数, const Tキャンセル検査& check) {
    int32_t q = 0;
    if (!vt仮数.t指数.t分母.f32bit値(q) || q < 2) return false;
    const T分数型 x = f分数累乗(vt仮数.t底, f指数整数変換(vt仮数.t指数.t分子), check);
    // An even root of a negative number is the exact layers' error, not a real.
    if (x.t分子.f符号() < 0 && q % 2 == 0) return false;
    bool bExact = false;
    f冪根(f絶対値(x.t分子), static_cast<uint64_t>(q), bExact, check);
    if (!bExact) return true;
    f冪根(f絶対値(x.t分母), static_cast<uint64_t>(q), bExact, check);
    return !bExact;
}

P実数 f実数木(const T複素数型& vt値, const Tキャンセル検査& check) {
    if (vt値.p実数) return vt値.p実数;
    const T仮数型& m = vt値.t浮動小数.t仮数;
    if (f無理根判定(m, check)) {
        // B^(p/q) is the q-th root of B^p, whatever p/q reduces to.
        const T分数型 x = f分数累乗(m.t底, f指数整数変換(m.t指数.t分子), check);
        return f実数演算(E実数演算::m累乗, f実数有理(x, check), f実数有理({T整数型(1), m.t指数.t分母}, check));
    }
    const T分数型 F = f仮数真数化(m, check);
    if (F.t分母.fゼロ()) throw E一般例外(k無限大);
    return f実数有理(F, check);
}

T複素数型 f実数値作成(P実数 p) {
    T複素数型 v;
    v.p実数 = std::move(p);
    return v;
}

T複素数型 f有理値作成(const T分数型& vt分数) { return f複素数変換(f浮動小数変換(f仮数変換(vt分数))); }

bool f無理数候補(const T複素数型& vt値, const Tキャンセル検査& check) {
    return vt値.p実数 != nullptr || f無理根判定(vt値.t浮動小数.t仮数, check);
}

T複素数型 f値加算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    if (f無理数候補(a, check) || f無理数候補(b, check)) return f木演算(E実数演算::m加算, a, b, check);
    return f複素数加算(a, b, check);
}

T複素数型 f値減算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    if (f無理数候補(a, check) || f無理数候補(b, check)) return f木演算(E実数演算::m減算, a, b, check);
    return f複素数減算(a, b, check);
}

T複素数型 f値乗算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    if (a.p実数 || b.p実数) return f木演算(E実数演算::m乗算, a, b, check);
    try {
        return f複素数乗算(a, b, check);
    } catch (const E一般例外& x) {
        if (x.message() != D負偶数乗根積) throw;
        return f木演算(E実数演算::m乗算, a, b, check);
    }
}

T複素数型 f値除算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    if (a.p実数 || b.p実数) return f木演算(E実数演算::m除算, a, b, check);
    try {
        return f複素数除算(a, b, check);
    } catch (const E一般例外& x) {
        if (x.message() != D負偶数乗根積) throw;
        return f木演算(E実数演算::m除算, a, b, check);
    }
}

T複素数型 f値累乗(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check) {
    if (a.p実数 || f無理数候補(b, check)) return f木演算(E実数演算::m累乗, a, b, check);
    return f複素数累乗(a, b, check);
}

T複素数型 f値関数(E実数演算 e関数, const T複素数型& a, const Tキャンセル検査& check) {
    return f実数値作成(f実数演算(e関数, f実数木(a, check)));
}
