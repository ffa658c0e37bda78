// Fractions: reduction, comparison, the four operations, integer powers and the
// reading of decimal and radix texts (cycle marks included) into fractions.
#include "common/checked_int.h"
#include "common/ut_common.h"
#include "engine/brelvita.h"
#include "engine/number/limbs.h"

char16_t fn進1桁変換(int32_t pi10進) {
    if (pi10進 < 10) return static_cast<char16_t>(u'0' + pi10進);
    return static_cast<char16_t>(u'A' + pi10進 - 10);
}

int32_t fn進1桁値(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    return -1;
}

T分数型 ClsBrelvita::f約分(T分数型 vt分数) {
    const std::u16string g = f整数最大公約数(vt分数.s分子, vt分数.s分母);
    if (g != u"1") {
        f整数商余(vt分数.s分子, g, vt分数.s分子);
        f整数商余(vt分数.s分母, g, vt分数.s分母);
    }
    std::u16string s = f符号取出し(vt分数.s分母);
    if (!vt分数.s分子.empty() && vt分数.s分子.front() == u'-' && s == u"-") {
        f符号取出し(vt分数.s分子);
        s.clear();
    }
    vt分数.s分子.insert(0, s);
    return vt分数;
}

namespace {

// A natural number in normal form: digits without a leading zero ("0" alone allowed).
bool f正規自然数(std::u16string_view s) {
    if (s.empty() || (s[0] == u'0' && s.size() > 1)) return false;
    for (const char16_t c : s) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

// A fraction in normal form: an optional "-" on a nonzero numerator, a positive denominator.
bool f正規分数(const T分数型& f) {
    const std::u16string_view n = f.s分子;
    const bool bNeg = !n.empty() && n[0] == u'-';
    return f正規自然数(bNeg ? n.substr(1) : n) && !(bNeg && n == u"-0") && f正規自然数(f.s分母) &&
           f.s分母 != u"0";
}

// -1, 0 or 1 comparing two natural numbers in normal form.
int32_t f正規自然数比較(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The comparison without arithmetic where it is decided by the texts alone: equal texts,
// and comparisons with 0/1 and 1/1 (the checks before powers and roots). Both fractions
// must be in normal form. False when the subtraction is needed.
bool f分数比較即決(const T分数型& a, const T分数型& b, int32_t& r) {
    if (!f正規分数(a) || !f正規分数(b)) return false;
    const bool bNeg = a.s分子[0] == u'-';
    if (a.s分子 == b.s分子 && a.s分母 == b.s分母) {
        r = 0;
    } else if (b.s分子 == u"0" && b.s分母 == u"1") {
        r = a.s分子 == u"0" ? 0 : (bNeg ? -1 : 1);
    } else if (b.s分子 == u"1" && b.s分母 == u"1") {
        r = bNeg ? -1 : f正規自然数比較(a.s分子, a.s分母);
    } else {
        return false;
    }
    return true;
}

}  // namespace

int32_t ClsBrelvita::f分数比較(const T分数型& vt分数1, const T分数型& vt分数2) {
    int32_t r = 0;
    if (f分数比較即決(vt分数1, vt分数2, r)) return r;
    const T分数型 d = f分数減算(vt分数1, vt分数2);
    if (d.s分子 == u"0") return 0;
    return d.s分子.front() == u'-' ? -1 : 1;
}

T分数型 ClsBrelvita::f分数加算(const T分数型& a, const T分数型& b) {
    return f約分({f整数加算(f整数乗算(a.s分子, b.s分母), f整数乗算(b.s分子, a.s分母)),
                 f整数乗算(a.s分母, b.s分母)});
}

T分数型 ClsBrelvita::f分数減算(const T分数型& a, const T分数型& b) {
    return f約分({f整数減算(f整数乗算(a.s分子, b.s分母), f整数乗算(b.s分子, a.s分母)),
                 f整数乗算(a.s分母, b.s分母)});
}

T分数型 ClsBrelvita::f分数乗算(const T分数型& a, const T分数型& b) {
    return f約分({f整数乗算(a.s分子, b.s分子), f整数乗算(a.s分母, b.s分母)});
}

T分数型 ClsBrelvita::f分数除算(const T分数型& a, const T分数型& b) {
    return f約分({f整数乗算(a.s分子, b.s分母), f整数乗算(a.s分母, b.s分子)});
}

T分数型 ClsBrelvita::f分数累乗(const T分数型& vt底, int32_t vl指数) {
    if (f分数比較(vt底, t分数の0) == 0) return t分数の0;
    if (f分数比較(vt底, t分数の1) == 0) return t分数の1;
    const bool bNegative = vl指数 < 0;
    int32_t n = bNegative ? f検査付符号反転(vl指数) : vl指数;
    T分数型 result = t分数の1;
    if (n == 1) {
        result = vt底;
    } else if (n > 1) {
        T分数型 square = vt底;
        while (n > 0) {
            const bool bBit = n % 2 == 1;
            n /= 2;
            if (bBit) result = f分数乗算(result, square);
            if (n > 0) square = f分数乗算(square, square);  // the last square is never used
        }
    }
    if (bNegative) result = f分数除算(t分数の1, result);
    return result;
}

T分数型 ClsBrelvita::f分数変換(std::u16string vs小数) {
    const std::u16string sSign = f符号取出し(vs小数);
    const size_t point = vs小数.find(u'.');
    if (point == std::u16string::npos) return {sSign + vs小数, u"1"};
    const std::u16string sInteger = vs小数.substr(0, point);
    T分数型 result;
    f小数基数10進分数変換(vs小数.substr(point + 1), 10, result);
    result.s分子 = sSign + f整数加算(result.s分子, f整数乗算(result.s分母, sInteger));
    return f約分(result);
}

bool ClsBrelvita::f基数自然数10進変換(const std::u16string& ps表記自然数, int32_t pi表記基数,
                                     std::u16string& rs10進数) {
    rs10進数 = u"0";
    for (char16_t c : ps表記自然数) {
        const int32_t v = fn進1桁値(c);
        if (v < 0 || v >= pi表記基数) return false;
    }
    if (ps表記自然数.empty()) return true;
    fキャンセル点();
    if (pi表記基数 == 10) {
        rs10進数 = fゼロ正規化(ps表記自然数);
        return true;
    }
    // Horner's scheme from the first digit: the same sum as adding v * r^k from the
    // last digit, with one short multiplication per digit instead of two long ones.
    T多倍長型 value;
    size_t done = 0;
    for (char16_t c : ps表記自然数) {
        value = f多倍長小乗算(value, static_cast<uint32_t>(pi表記基数),
                              static_cast<uint32_t>(fn進1桁値(c)));
        if (++done % 1024 == 0) fキャンセル点();
    }
    rs10進数 = f多倍長文字列化(value);
    return true;
}

bool ClsBrelvita::f小数基数10進分数変換(const std::u16string& ps小数点以下表記, int32_t pi表記基数,
                                      T分数型& rT分数) {
    const std::u16string& P = ps小数点以下表記;
    std::u16string sFinite = P;
    bool bCycle = false;
    T分数型 tCycle;
    if (!P.empty() && P.back() == D循環節文字) {
        bCycle = true;
        int32_t c = 1;
        const int32_t len = static_cast<int32_t>(P.size());
        const int32_t i = RevPos(std::u16string(1, D循環節文字), P, len - 1);
        if (i > 0) c = len - i;
        std::erase(sFinite, D循環節文字);
        std::u16string sCycle = StrRight(sFinite, c);
        sFinite = StrLeft(sFinite, static_cast<int32_t>(sFinite.size()) - c);
        const int32_t f = static_cast<int32_t>(sFinite.size());
        sCycle = StringOfZeroC(f) + sCycle;
        if (!f基数自然数10進変換(fゼロ正規化(sCycle), pi表記基数, tCycle.s分子)) return false;
        const std::u16string sNines(static_cast<size_t>(c), fn進1桁変換(pi表記基数 - 1));
        if (!f基数自然数10進変換(sNines + StringOfZeroC(f), pi表記基数, tCycle.s分母)) return false;
        tCycle = f約分(tCycle);
        if (sFinite.empty()) sFinite = u"0";
    }
    if (sFinite != u"0") {
        T分数型 t;
        if (!f基数自然数10進変換(fゼロ正規化(sFinite), pi表記基数, t.s分子)) return false;
        const std::u16string sPower = u"1" + StringOfZeroC(static_cast<int32_t>(sFinite.size()));
        if (!f基数自然数10進変換(sPower, pi表記基数, t.s分母)) return false;
        rT分数 = f約分(t);
        if (bCycle) rT分数 = f分数加算(rT分数, tCycle);
    } else {
        rT分数 = bCycle ? tCycle : t分数の0;
    }
    return true;
}
