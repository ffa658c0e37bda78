// Unit-aware arithmetic: values are converted between units by exact correction
// formulas, dimensions combine by the dimension-code algebra, and a derived unit is
// spelled by the display notation. A cancel request inside any operation yields a
// cancelled value, which every later operation passes on.
#include "common/checked_int.h"
#include "engine/brelvita.h"
#include "engine/units/readers.h"

namespace {

constexpr char16_t RCFES_基底値補正演算子[] = u"駄目だこりゃ! f複素数基底値補正()で未定義演算子が出た!";
constexpr char16_t RCFES_基底値補正演算子2[] =
    u"駄目だこりゃ! f複素数基底値補正()で未定義演算子が出た!その2";
constexpr char16_t RCFES_単位値補正演算子[] = u"駄目だこりゃ! f複素数単位値補正()で未定義演算子が出た!";
constexpr char16_t RCFES_単位値補正演算子2[] =
    u"駄目だこりゃ! f複素数単位値補正()で未定義演算子が出た!その2";

// The exact value of a number text taken from a formula; "π" is pi (the degree's factor).
T複素数型 FormulaNumber(const std::u16string& text, const Tキャンセル検査& check) {
    if (text == u"π") return f実数値作成(f実数定数(E実数演算::m円周率));
    return f複素数変換(f浮動小数変換(f仮数変換(f分数変換(f小数正規化(text), check))));
}

// True for a token that is one separator character.
bool IsOperatorToken(const std::u16string& token) {
    return token.size() == 1 && f単位区切文字判定(token[0]);
}

// The offset of an offset row's formula (the text after its sign): a number, possibly
// multiplied and divided by more ("459.67*5/9": the kelvins of a Fahrenheit offset).
T複素数型 OffsetNumber(const std::u16string& text, const Tキャンセル検査& check) {
    std::u16string rest = text;
    T複素数型 x = FormulaNumber(fトークン取出し(rest), check);
    for (std::u16string op; !(op = fトークン取出し(rest)).empty();) {
        const T複素数型 y = FormulaNumber(fトークン取出し(rest), check);
        x = op == u"*" ? f値乗算(x, y, check) : f値除算(x, y, check);
    }
    return x;
}

// A side of a product or sum can take part in an offset conversion: it has no pending
// formula, or exactly one that belongs to its own dimension. minimum: the shortest
// pending list that counts (0 for sums; 1 for products, where an empty list does not).
bool Correctable(const T単位数型& v, size_t minimum) {
    if (v.t保留.size() >= minimum && v.t保留.size() <= 1) return true;
    return v.t保留.size() == 2 && f意味コ配列比較(v.t保留[1].t意味コ配列, v.t意味コ配列) == 0;
}

// A copy of the value in the unknown unit.
T単位数型 Unknown(T単位数型 v) {
    f未知単位情報設定(v);
    return v;
}

// True when every pending formula of `from` is held by `in` (same dimension, same text).
bool AllContained(const T単位数型& from, const T単位数型& in) {
    for (size_t i = 1; i < from.t保留.size(); ++i) {
        if (!f保留補正式包含(in.t保留, from.t保留[i])) return false;
    }
    return true;
}

// Runs an operation on values; a cancel request inside gives a cancelled value.
template <class Operation>
T単位数型 Cancellable(ClsBrelvita& e, Operation operation) {
    try {
        return operation();
    } catch (const Eキャンセル指示&) {
        e.f単位付計算キャンセル指示クリア();
        return fキャンセル値作成();
    }
}

}  // namespace

T複素数型 ClsBrelvita::f複素数基底値補正(const T複素数型& vt被補正値, const std::u16string& vs保留基底値補正式,
                                         const std::u16string& vs基底値変換式) {
    const Tキャンセル検査 check = fキャンセル検査();
    T複素数型 x = vt被補正値;
    std::u16string rest = vs基底値変換式, op = u"*";
    for (std::u16string token; !(token = fトークン取出し(rest)).empty();) {
        if (IsOperatorToken(token)) {
            op = token;
        } else if (op == u"*") {
            x = f値乗算(x, FormulaNumber(token, check), check);
        } else if (op == u"/") {
            x = f値除算(x, FormulaNumber(token, check), check);
        } else {
            throw E一般例外(RCFES_基底値補正演算子);
        }
    }
    const std::u16string& p = vs保留基底値補正式;
    if (p.empty()) return x;
    if (p[0] == u'+') return f値加算(x, OffsetNumber(p.substr(1), check), check);
    if (p[0] == u'-') return f値減算(x, OffsetNumber(p.substr(1), check), check);
    throw E一般例外(RCFES_基底値補正演算子2);
}

T複素数型 ClsBrelvita::f複素数単位値補正(const T複素数型& vt被補正値, const std::u16string& vs保留基底値補正式,
                                         const std::u16string& vs基底値変換式) {
    const Tキャンセル検査 check = fキャンセル検査();
    T複素数型 x = vt被補正値;
    const std::u16string& p = vs保留基底値補正式;
    if (!p.empty()) {
        if (p[0] == u'-') {
            x = f値加算(x, OffsetNumber(p.substr(1), check), check);
        } else if (p[0] == u'+') {
            x = f値減算(x, OffsetNumber(p.substr(1), check), check);
        } else {
            throw E一般例外(RCFES_単位値補正演算子2);
        }
    }
    std::u16string rest = vs基底値変換式, op = u"*";
    for (std::u16string token; !(token = fトークン取出し(rest)).empty();) {
        if (IsOperatorToken(token)) {
            op = token;
        } else if (op == u"/") {
            x = f値乗算(x, FormulaNumber(token, check), check);
        } else if (op == u"*") {
            x = f値除算(x, FormulaNumber(token, check), check);
        } else {
            throw E一般例外(RCFES_単位値補正演算子);
        }
    }
    return x;
}

T単位数型 ClsBrelvita::f加減算単位補正(const T単位数型& vt被加減数, T単位数型& rt加減数, bool vb和) {
    const T単位数型& A = vt被加減数;
    T単位数型& B = rt加減数;
    if (f意味コ配列比較(A.t意味コ配列, B.t意味コ配列) != 0) {
        if (A.s単位表記.empty()) return B;
        if (B.s単位表記.empty()) return A;
        return Unknown(A);
    }
    if (A.s単位表記 == B.s単位表記) return A;
    if (f保留補正式比較(A.t保留, B.t保留) == 0) {
        B.t複素数 = f複素数単位値補正(f複素数基底値補正(B.t複素数, u"", B.s基底値変換式), u"",
                                      A.s基底値変換式);
        return A;
    }
    if (!Correctable(A, 0) || !Correctable(B, 0)) return Unknown(A);
    // Each side's own offset, if any; a difference added to a temperature takes none.
    const bool bDifference = vb和 && A.t保留.size() == 2 && B.t保留.size() <= 1;
    const std::u16string& offsetA = A.t保留.size() == 2 && !bDifference ? A.t保留[1].s基底値補正式 : u"";
    const std::u16string& offsetB = B.t保留.size() == 2 ? B.t保留[1].s基底値補正式 : u"";
    B.t複素数 = f複素数単位値補正(f複素数基底値補正(B.t複素数, offsetB, B.s基底値変換式), offsetA,
                                  A.s基底値変換式);
    return A;
}

T単位数型 ClsBrelvita::f単位数補正(const T単位数型& vt単位補正数, const T単位数型& vt補正単位) {
    if (fキャンセル印チェック(vt単位補正数, vt単位補正数)) return fキャンセル値作成();
    return Cancellable(*this, [&] {
        T単位数型 C = vt単位補正数;
        // A plain number takes a dimensionless unit as it is: 30[°] is 30 degrees.
        if (C.s単位表記.empty() && !vt補正単位.s単位表記.empty() &&
            f意味コ配列比較(C.t意味コ配列, vt補正単位.t意味コ配列) == 0) {
            T単位数型 result = vt補正単位;
            result.t複素数 = C.t複素数;
            return result;
        }
        T単位数型 result = f加減算単位補正(vt補正単位, C);
        result.t複素数 = C.t複素数;
        return result;
    });
}

namespace {

// An operation of the number layer on two complex numbers.
using T複素数演算 = T複素数型 (*)(const T複素数型&, const T複素数型&, const Tキャンセル検査&);

// Sum or difference of two values, as `combine` (f値加算 or f値減算) joins the
// numbers, in the first operand's unit (its number is never converted; the second is
// converted into that unit when the dimensions agree).
T単位数型 AddOrSubtract(ClsBrelvita& e, const T単位数型& a, const T単位数型& b, T複素数演算 combine) {
    if (fキャンセル印チェック(a, b)) return fキャンセル値作成();
    return Cancellable(e, [&] {
        T単位数型 C = b;
        T単位数型 result = e.f加減算単位補正(a, C, true);
        result.t複素数 = combine(a.t複素数, C.t複素数, e.fキャンセル検査());
        return result;
    });
}

}  // namespace

T単位数型 ClsBrelvita::f加算(const T単位数型& vt被加数, const T単位数型& vt加数) {
    return AddOrSubtract(*this, vt被加数, vt加数, f値加算);
}

T単位数型 ClsBrelvita::f減算(const T単位数型& vt被減数, const T単位数型& vt減数) {
    return AddOrSubtract(*this, vt被減数, vt減数, f値減算);
}

T単位数型 ClsBrelvita::f乗除単位補正(const std::u16string& vs乗除, T単位数型& rt被乗除数,
                                   T単位数型& rt乗除数, bool& rb基底補正フラグ) {
    T単位数型& A = rt被乗除数;
    T単位数型& B = rt乗除数;
    rb基底補正フラグ = false;
    if (B.s単位表記.empty()) return A;
    if (A.s単位表記 == D未知単位印 || B.s単位表記 == D未知単位印) return Unknown(A);
    const bool bCorrectableA = Correctable(A, 1), bCorrectableB = Correctable(B, 1);
    if (!bCorrectableA || !bCorrectableB) {
        if (!bCorrectableA && !AllContained(A, B)) return Unknown(A);
        if (!bCorrectableB && !AllContained(B, A)) return Unknown(A);
        B.t複素数 = f複素数基底値補正(B.t複素数, u"", B.s基底値変換式);
    } else if (A.t保留.size() == 2 && B.t保留.size() == 2 &&
               f意味コ配列比較(A.t保留[1].t意味コ配列, B.t保留[1].t意味コ配列) == 0) {
        // B onto A's offset scale: offsets never act on the factors of a product
        B.t複素数 = f複素数単位値補正(
            f複素数基底値補正(B.t複素数, B.t保留[1].s基底値補正式, B.s基底値変換式),
            A.t保留[1].s基底値補正式, u"");
    } else {
        B.t複素数 = f複素数基底値補正(B.t複素数, u"", B.s基底値変換式);
    }
    A.t複素数 = f複素数基底値補正(A.t複素数, u"", A.s基底値変換式);
    T単位数型 result = A;
    f意味コ演算(A.t意味コ配列, vs乗除, B.t意味コ配列, result.t意味コ配列);
    f単項表記リストマージ(A.t単項表記リスト, B.t単項表記リスト, result.t単項表記リスト);
    f単位表記変換(result.t意味コ配列, result.t単項表記リスト, result.s単位表記, result.s基底値変換式,
                  result.t保留);
    rb基底補正フラグ = true;
    return result;
}

namespace {

// A copy of every field but the number, which the caller sets.
T単位数型 f数値以外複写(const T単位数型& v) {
    T単位数型 r;
    r.t意味コ配列 = v.t意味コ配列;
    r.t保留 = v.t保留;
    r.s単位表記 = v.s単位表記;
    r.s基底値変換式 = v.s基底値変換式;
    r.t単項表記リスト = v.t単項表記リスト;
    r.s変数名 = v.s変数名;
    r.iTag = v.iTag;
    r.i表記基数 = v.i表記基数;
    return r;
}

// Product or quotient of two values, formed in base units and converted back into the
// unit the display notation chose: the units combine by the operator `op` ("*" or "/"),
// the numbers by `combine` (f値乗算 or f値除算).
T単位数型 MultiplyOrDivide(ClsBrelvita& e, const T単位数型& vA, const T単位数型& vB, const char16_t* op,
                           T複素数演算 combine) {
    if (fキャンセル印チェック(vA, vB)) return fキャンセル値作成();
    return Cancellable(e, [&] {
        std::optional<T単位数型> workA, workB;
        const T単位数型& a = e.f比率解消(vA, workA);
        const T単位数型& b = e.f比率解消(vB, workB);
        const Tキャンセル検査 check = e.fキャンセル検査();
        if (b.s単位表記.empty()) {
            // By a plain number the unit correction keeps a as it is: only the number
            // changes, so a's (possibly long) number is not copied first.
            T単位数型 result = f数値以外複写(a);
            result.t複素数 = combine(a.t複素数, b.t複素数, check);
            return result;
        }
        T単位数型 P = a, Q = b;
        bool bFlag = false;
        T単位数型 result = e.f乗除単位補正(op, P, Q, bFlag);
        result.t複素数 = combine(P.t複素数, Q.t複素数, check);
        if (bFlag) result.t複素数 = e.f複素数単位値補正(result.t複素数, u"", result.s基底値変換式);
        return result;
    });
}

}  // namespace

const T単位数型& ClsBrelvita::f比率解消(const T単位数型& vt単位数, std::optional<T単位数型>& rt作業) {
    if (vt単位数.s単位表記.empty() || vt単位数.bキャンセル値 || !f無次元判定(vt単位数.t意味コ配列)) {
        return vt単位数;
    }
    const std::optional<T綴り索引型> hit = f綴り索引検索(vt単位数.s単位表記);
    if (!hit || !t単一表記単位情報[hit->l行].b比率) return vt単位数;
    T単位数型& plain = rt作業.emplace();
    plain.s変数名 = vt単位数.s変数名;
    plain.iTag = vt単位数.iTag;
    plain.i表記基数 = vt単位数.i表記基数;
    plain.t意味コ配列 = f数値意味コ配列();
    plain.t複素数 = f複素数基底値補正(vt単位数.t複素数, u"", vt単位数.s基底値変換式);
    return plain;
}

T単位数型 ClsBrelvita::f乗算(const T単位数型& vt被乗数, const T単位数型& vt乗数) {
    return MultiplyOrDivide(*this, vt被乗数, vt乗数, u"*", f値乗算);
}

T単位数型 ClsBrelvita::f除算(const T単位数型& vt被除数, const T単位数型& vt除数) {
    return MultiplyOrDivide(*this, vt被除数, vt除数, u"/", f値除算);
}

T単位数型 ClsBrelvita::f符号付加(const T単位数型& vt単位数) {
    if (fキャンセル印チェック(vt単位数, vt単位数)) return fキャンセル値作成();
    return f乗算(vt単位数, t単位数のマイナス1);
}

T単位数型 ClsBrelvita::f基本単位取得(const T単位数型& vt単位数, int32_t vl累乗根) {
    if (vt単位数.s単位表記.empty()) return vt単位数;
    T単位数型 W = vt単位数;
    if (!f基本意味コ配列変換(W.t意味コ配列, vl累乗根)) return Unknown(vt単位数);
    for (size_t i = 1; i < W.t保留.size(); ++i) {
        if (!f意味コ配列包含(W.t意味コ配列, W.t保留[i].t意味コ配列)) return Unknown(vt単位数);
    }
    f単位表記変換(W.t意味コ配列, W.t単項表記リスト, W.s単位表記, W.s基底値変換式, W.t保留);
    return W;
}
