// The functions of the expression language on values with units: roots take the root
// of the unit, abs, floor and ceil keep it, and the others take a dimensionless
// argument, converted out of its unit first (degrees into radians, km/m into 1000).
#include "common/ut_common.h"
#include "common/utf.h"
#include "engine/brelvita.h"

namespace {

// An exact value of small integers, without unit fields.
T複素数型 f小分数値(int64_t n, int64_t d) { return f有理値作成(f分数値(n, d)); }

// True for the functions that keep the argument's unit.
bool f単位保持(E実数演算 e) {
    return e == E実数演算::m絶対値 || e == E実数演算::m床関数 || e == E実数演算::m天井関数;
}

// floor, ceil or abs of a fraction, exactly.
T分数型 f有理関数(E実数演算 e, const T分数型& F, const Tキャンセル検査& check) {
    if (e == E実数演算::m絶対値) return {f絶対値(F.t分子), F.t分母};
    T整数型 q, r;
    f商余(F.t分子, F.t分母, q, r, check);  // truncates toward zero
    if (r.f符号() != 0 && (r.f符号() < 0) == (e == E実数演算::m床関数)) {
        q = e == E実数演算::m床関数 ? f差(q, T整数型(1)) : f和(q, T整数型(1));
    }
    return f約分({q, T整数型(1)}, check);
}

}  // namespace

T単位数型 ClsBrelvita::f関数値(E実数演算 e関数, const T単位数型& vt引数) {
    if (fキャンセル印チェック(vt引数, vt引数)) return fキャンセル値作成();
    try {
        const Tキャンセル検査 check = fキャンセル検査();
        const std::u16string s名前 = Utf8ToUtf16(f実数関数名(e関数));
        const T複素数型& x = vt引数.t複素数;
        const bool b有理 = !x.p実数 && x.t浮動小数.t仮数.t指数.t分母.f等値(1);
        if (e関数 == E実数演算::m平方根 || e関数 == E実数演算::m立方根) {
            const int64_t n = e関数 == E実数演算::m平方根 ? 2 : 3;
            if (n == 2 && b有理 && f仮数真数化(x.t浮動小数.t仮数, check).t分子.f符号() < 0) {
                throw E実数エラー(u"定義域外の引数: " + s名前, nullptr);
            }
            T単位数型 exponent = t単位数のマイナス1;
            exponent.t複素数 = f小分数値(1, n);
            return f累乗(vt引数, exponent);
        }
        if (f単位保持(e関数)) {
            T単位数型 result = vt引数;
            result.t複素数 = b有理 ? f有理値作成(f有理関数(e関数, f仮数真数化(x.t浮動小数.t仮数, check), check))
                                  : f値関数(e関数, x, check);
            return result;
        }
        // A quotient whose units cancel (km/m) is a plain number too.
        if (!vt引数.s単位表記.empty() && f意味コ配列比較(vt引数.t意味コ配列, t単位数のマイナス1.t意味コ配列) != 0) {
            throw E実数エラー(u"次元のある引数: " + s名前 + u"(" + CSTAVELKO_LB + vt引数.s単位表記 + CSTAVELKO_RB + u")",
                              nullptr);
        }
        T単位数型 result = t単位数のマイナス1;
        result.t複素数 = f値関数(e関数, f複素数基底値補正(x, u"", vt引数.s基底値変換式), check);
        return result;
    } catch (const Eキャンセル指示&) {
        f単位付計算キャンセル指示クリア();
        return fキャンセル値作成();
    }
}
