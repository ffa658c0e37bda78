// Rendering a value as result text: the number in the display mode (expanded stepwise
// for decimals and roots), the time display, an optional display radix, and the unit
// in brackets. While it runs, the engine keeps the text produced so far as the halfway
// text the window shows, and a cancel request ends it with the digits so far and "...".
#include <memory>
#include <utility>

#include "common/exception.h"
#include "common/ut_common.h"
#include "engine/brelvita.h"

namespace {

// Runs an action when the scope is left, normally or by an exception.
template <class F>
class T終了処理 {
public:
    explicit T終了処理(F f) : f_(std::move(f)) {}
    ~T終了処理() { f_(); }
    T終了処理(const T終了処理&) = delete;
    T終了処理& operator=(const T終了処理&) = delete;

private:
    F f_;
};

bool f数字判定(char16_t c) { return c >= u'0' && c <= u'9'; }

// The mixed-fraction text of F: "3+1/2", "-(3+1/2)", "-1/2", "-2", "0"; "∞" for a zero
// denominator.
std::u16string f帯分数文字列(ClsBrelvita& e, const T分数型& F) {
    const Tキャンセル検査 check = e.fキャンセル検査();
    const std::u16string s符号 = F.t分子.f負記号() ? u"-" : u"";
    std::u16string Q = u"0", r = u"0";
    if (F.t分母.fゼロ()) {
        if (!F.t分子.fゼロ()) Q = u"∞";
    } else if (!F.t分子.fゼロ()) {
        T整数型 q, rest;
        f商余(f絶対値(F.t分子), F.t分母, q, rest, check);
        Q = q.f文字列(check);
        r = rest.f文字列(check);
    }
    const std::u16string d = F.t分母.f文字列(check);
    if (Q != u"0" && r != u"0") {
        return s符号 == u"-" ? u"-(" + Q + u"+" + r + u"/" + d + u")" : Q + u"+" + r + u"/" + d;
    }
    if (Q != u"0") return s符号 + Q;
    if (r != u"0") return s符号 + r + u"/" + d;
    return u"0";
}

// The decimal expansion of F, stepwise, keeping the halfway text up to date.
std::u16string f小数展開(ClsBrelvita& e, const T分数型& F) {
    const Tキャンセル検査 check = e.fキャンセル検査();
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算初期化(ctx, F.t分子, F.t分母);
    while (!f整数順次除算(ctx, e.i展開目標桁数, check)) e.t途中結果.f追従(ctx.s除算結果);
    return std::move(ctx.s除算結果);
}

// The text of a rational value in the display mode.
std::u16string f有理数文字列(ClsBrelvita& e, const T分数型& F) {
    const Tキャンセル検査 check = e.fキャンセル検査();
    switch (e.i結果表示モード) {
        case FRAC_CMD: {
            const std::u16string s分子 = F.t分子.f文字列(check);
            return F.t分母.f等値(1) ? s分子 : s分子 + u"/" + F.t分母.f文字列(check);
        }
        case MIXFRAC_CMD: return f帯分数文字列(e, F);
        case DEC_CMD: return f小数展開(e, F);
        default: return u"";  // not a display mode: no number text
    }
}

// The number text of a mantissa: a rational value in the display mode, a root always as
// decimal digits (an irrational root goes on until it is cancelled).
std::u16string f数値文字列(ClsBrelvita& e, const T仮数型& t仮数) {
    const Tキャンセル検査 check = e.fキャンセル検査();
    const int32_t n = f指数整数変換(t仮数.t指数.t分母);
    if (n == 1) return f有理数文字列(e, f仮数真数化(t仮数, check));
    const T分数型 F = f分数累乗(t仮数.t底, f指数整数変換(t仮数.t指数.t分子), check);
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, F, n, check);
    while (!f分数累乗根順次計算(ctx, e.i展開目標桁数, check)) e.t途中結果.f追従(ctx.s累乗根計算結果);
    return std::move(ctx.s累乗根計算結果);
}

// The truncated expansion floor(|x| * b^k) / b^k as text: sign, digits, point, k digits.
// Decimal digits come from the integer's own text, which is made in cancellable pieces.
std::u16string f切捨桁文字列(const T整数型& n, int32_t b, int64_t k, bool bNegative, const Tキャンセル検査& check) {
    std::string digits;
    if (b == 10) {
        const std::u16string s = n.f文字列(check);
        digits.assign(s.begin(), s.end());
    } else {
        const T整数視 z(n);
        digits.assign(mpz_sizeinbase(z, b) + 2, '\0');
        mpz_get_str(digits.data(), -b, z);  // upper-case letters
        digits.resize(std::char_traits<char>::length(digits.data()));
    }
    if (static_cast<int64_t>(digits.size()) <= k) digits.insert(0, static_cast<size_t>(k + 1) - digits.size(), '0');
    std::u16string s = bNegative ? u"-" : u"";
    s.reserve(digits.size() + 2);
    const size_t point = digits.size() - static_cast<size_t>(k);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i == point) s.push_back(u'.');
        s.push_back(static_cast<char16_t>(digits[i]));
    }
    return s;
}

// The certified digits of an irrational value in radix b, on the halfway text, until a
// cancel ends them: straight to the digit goal when there is one, then at doubling
// lengths. Never returns normally.
[[noreturn]] void f実数展開(ClsBrelvita& e, T実数値& v, int32_t b) {
    const Tキャンセル検査 check = e.fキャンセル検査();
    int64_t k = e.i展開目標桁数 > 0 ? e.i展開目標桁数 : 16;
    for (;; k *= 2) {
        bool bNegative = false;
        const T整数型 n = v.f切捨桁(b, k, bNegative, check);
        e.t途中結果.f追従(f切捨桁文字列(n, b, k, bNegative, check));
        check();
    }
}

// One text converted into radix b, stepwise, with its own halfway text.
std::u16string f基数変換Sub(ClsBrelvita& e, const std::u16string& t, int32_t b) {
    e.t途中結果.f開始();
    const Tキャンセル検査 check = e.fキャンセル検査();
    T順次基数変換コンテキスト型 ctx;
    f順次基数変換初期化(ctx, t, b, check);
    while (!f順次基数変換(ctx, e.i展開目標桁数, check)) e.t途中結果.f追従(ctx.s除算結果);
    return std::move(ctx.s除算結果);
}

// Converted digits in their radix notation: "(" ["$"] digits ")" radix.
std::u16string f基数表記(const std::u16string& D, const std::u16string& s基数) {
    return u"(" + std::u16string(f英字含有(D) ? D数値接頭子1字 : u"") + D + u")" + s基数;
}

// The result text shown in radix b. Fraction modes convert each run of decimal digits,
// leaving signs, "+", "/" and brackets in place; the decimal mode converts the whole.
std::u16string f基数ステップ(ClsBrelvita& e, const std::u16string& R, int32_t b) {
    const std::u16string s基数 = IntToStr(b);
    try {
        if (e.i結果表示モード == DEC_CMD) {
            std::u16string D = f基数変換Sub(e, R, b);
            const std::u16string s符号 = f符号取出し(D);
            return s符号 + f基数表記(D, s基数);
        }
        if (e.i結果表示モード != FRAC_CMD && e.i結果表示モード != MIXFRAC_CMD) return R;
        std::u16string s変換後, s数字;
        for (const char16_t c : R + u"@") {  // "@" ends the last run
            if (f数字判定(c)) {
                s数字.push_back(c);
                continue;
            }
            if (!s数字.empty()) s変換後 += f基数表記(f基数変換Sub(e, s数字, b), s基数);
            s数字.clear();
            s変換後.push_back(c);
        }
        s変換後.pop_back();
        return s変換後;
    } catch (const Eキャンセル指示&) {
        e.f単位付計算キャンセル指示クリア();
        return u"(" + e.t途中結果.f文字列() + Dキャンセル印 + u")" + s基数;
    }
}

// The unit in brackets: plain for a named dimension of the notation table, "[???]" for
// the unknown one, and with " ?" for a dimension the table does not name.
std::u16string f単位括弧(const T単位数型& v) {
    init_var();
    // A dimensionless unit of its own (the degree, the percent) is named by its spelling.
    const bool bCandidate = !v.s単位表記.empty() && f無次元判定(v.t意味コ配列);
    const std::optional<T綴り索引型> hit = bCandidate ? f綴り索引検索(v.s単位表記) : std::nullopt;
    const bool bOwnName = hit && f意味コ配列比較(t単一表記単位情報[hit->l行].t単一.t意味コ配列,
                                                            f数値意味コ配列()) == 0;
    const size_t first = bOwnName ? 0 : 1;
    for (size_t i = first; i < t意味コ表記情報.size(); ++i) {
        if (f意味コ配列比較(t意味コ表記情報[i].t意味コ配列, v.t意味コ配列) != 0) continue;
        if (i == D意味コ表記情報_未知) return CSTAVELKO_LB + std::u16string(D未知単位印) + CSTAVELKO_RB;
        return CSTAVELKO_LB + v.s単位表記 + CSTAVELKO_RB;
    }
    return CSTAVELKO_LB + v.s単位表記 + u" ?" + CSTAVELKO_RB;
}

}  // namespace

std::u16string ClsBrelvita::f単位数文字列変換(T単位数型& rt単位数) {
    // Between renderings the window's timer must find no flag and no halfway text,
    // whichever way this returns.
    const T終了処理 tクリア([this] { t途中結果.f終了(); });
    // A cancelled value shows the cancel mark alone, without unit.
    if (fキャンセル印チェック(rt単位数, rt単位数)) return Dキャンセル印;

    t途中結果.f開始();
    std::u16string R;
    // An irrational value in another radix gets its digits in that radix straight away:
    // converting cut decimal digits would show digits that are not the value's.
    const int32_t b = rt単位数.i表記基数;
    bool b基数直接 = false;
    try {
        const Tキャンセル検査 check = fキャンセル検査();
        std::unique_ptr<T実数値> p実数値;
        if (rt単位数.t複素数.p実数) {
            p実数値 = std::make_unique<T実数値>(rt単位数.t複素数.p実数, check);
            T分数型 F;
            if (p実数値->f有理(F, check)) {
                rt単位数.t複素数 = f有理値作成(F);  // a rational value is shown exactly
                p実数値.reset();
            }
        }
        b基数直接 = b != D基数変換無 && b != 10 && (p実数値 || f無理数候補(rt単位数.t複素数, check));
        if (b基数直接 && !p実数値) p実数値 = std::make_unique<T実数値>(f実数木(rt単位数.t複素数, check), check);
        if (p実数値) f実数展開(*this, *p実数値, b基数直接 ? b : 10);
        R = f例外単位数変換(f数値文字列(*this, rt単位数.t複素数.t浮動小数.t仮数), rt単位数.s単位表記);
    } catch (const Eキャンセル指示&) {
        f単位付計算キャンセル指示クリア();
        R = t途中結果.f文字列() + Dキャンセル印;
        if (b基数直接 && R != Dキャンセル印) {
            const std::u16string s符号 = f符号取出し(R);
            R = s符号 + f基数表記(R, IntToStr(b));
        }
        // The digits so far are in the unit's ordinary spelling, never in "!time".
        try {
            f例外単位表記置換(rt単位数.s単位表記);
        } catch (const E一般例外&) {
        }
    } catch (const E一般例外& x) {
        if (x.message() != RCFES_不正例外単位) throw;
        R = t途中結果.f文字列() + Dキャンセル印;  // shown like a cancellation
    }

    // Radix 10 is plain decimal; a time and an infinity are shown as they are.
    if (rt単位数.i表記基数 == 10 || R.find(D時分区切) != std::u16string::npos ||
        R.find(u'∞') != std::u16string::npos || b基数直接) {
        rt単位数.i表記基数 = D基数変換無;
    }
    if (rt単位数.i表記基数 != D基数変換無 && R != Dキャンセル印) {
        R = f基数ステップ(*this, R, rt単位数.i表記基数);
    }
    if (!rt単位数.s単位表記.empty() && R != Dキャンセル印) R += u" " + f単位括弧(rt単位数);
    return R;
}
