// Fractions: reduction, comparison, the four operations, integer powers and the
// reading of decimal and radix texts (cycle marks included) into fractions.
//
// Every operation gives the fraction of the plain formula (products of numerators and
// denominators, then one reduction that leaves a magnitude of 0 or 1 alone). When both
// operands are known to be in lowest terms the same fraction comes from smaller numbers,
// the way rational arithmetic is usually done: gcds of the operands' parts instead of
// one gcd of the products, and no gcd at all where the parts are coprime.
#include "common/checked_int.h"
#include "common/ut_common.h"
#include "engine/number/digits.h"
#include "engine/number/fraction.h"
#include "engine/number/huge.h"

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

namespace {

// A fraction in lowest terms with a positive denominator, marked as such (a zero only
// as 0/1).
T分数型 Reduced(T整数型 num, T整数型 den) {
    T分数型 f{std::move(num), std::move(den)};
    f.b既約確認済 = !(f.t分子.fゼロ() && (f.t分子.f負記号() || !f.t分母.f等値(1)));
    return f;
}

// x / g for a g that divides x.
T整数型 Exact(const T整数型& x, const T整数型& g, const Tキャンセル検査& check) {
    if (g.f等値(1)) return x;
    T整数型 q, r;
    f商余(x, g, q, r, check);
    return q;
}

// The sum or difference of two integers.
using T整数加減 = T整数型 (*)(const T整数型&, const T整数型&);

// a + b or a - b, as `combine` (f和 or f差) joins the numerators. Two reduced fractions
// take the denominators' gcd g, then the numerator's gcd with g; a zero sum then keeps the
// product of the denominators.
T分数型 AddOrSubtract(const T分数型& a, const T分数型& b, T整数加減 combine, const Tキャンセル検査& check) {
    check();
    if (!a.b既約確認済 || !b.b既約確認済) {
        const T整数型 num = combine(f積(a.t分子, b.t分母, check), f積(b.t分子, a.t分母, check));
        return f約分({num, f積(a.t分母, b.t分母, check)}, check);
    }
    if (a.t分母.f等値(1) && b.t分母.f等値(1)) return Reduced(combine(a.t分子, b.t分子), T整数型(1));
    const T整数型 g = f最大公約数(a.t分母, b.t分母, check);
    const T整数型 t = combine(f積(a.t分子, Exact(b.t分母, g, check), check),
                             f積(b.t分子, Exact(a.t分母, g, check), check));
    if (t.fゼロ()) return {t, f積(a.t分母, b.t分母, check)};
    const T整数型 g2 = g.f等値(1) ? g : f最大公約数(t, g, check);
    return Reduced(Exact(t, g2, check), f積(Exact(a.t分母, g, check), Exact(b.t分母, g2, check), check));
}

// The plain formula's reduction of num/radix^digits (num >= 0), from the prime factors
// of the radix instead of a gcd with a large power.
T分数型 ReduceOverRadixPower(const T整数型& num, int32_t radix, uint64_t digits, const Tキャンセル検査& check) {
    T作業整数 n, g, factor;
    mpz_set_ui(n, static_cast<unsigned long>(radix));
    fZ冪(g, n, digits, check);
    const T整数型 den = T整数型::f取込(g);
    if (num.fビット数() <= 1 || den.fビット数() <= 1) return {num, den};  // 0 or 1: left alone
    // gcd(num, radix^digits): each prime p of the radix to min(v_p(num), v_p(radix) digits).
    mpz_abs(n, T整数視(num));
    mpz_set_ui(g, 1);
    int32_t rest = radix;
    for (int32_t p = 2; p <= rest; ++p) {
        uint64_t e = 0;
        for (; rest % p == 0; rest /= p) ++e;
        if (e == 0) continue;
        mpz_set_ui(factor, static_cast<unsigned long>(p));
        const uint64_t v = fZ素因数個数(n, static_cast<unsigned long>(p), n, check);
        T作業整数 power;
        fZ冪(power, factor, std::min<uint64_t>(v, e * digits), check);
        fZ乗算(g, g, power, check);
    }
    const T整数型 tg = T整数型::f取込(g);
    return Reduced(Exact(num, tg, check), Exact(den, tg, check));
}

}  // namespace

T分数型 f約分(T分数型 vt分数, const Tキャンセル検査& check) {
    T整数型& num = vt分数.t分子;
    T整数型& den = vt分数.t分母;
    if (num.fビット数() > 1 && den.fビット数() > 1) {  // both magnitudes above 1
        check();
        const T整数型 g = f最大公約数(num, den, check);
        if (!g.f等値(1)) {
            num = Exact(num, g, check);
            den = Exact(den, g, check);
        }
    }
    if (den.f負記号()) {  // the denominator's "-" goes to the numerator or cancels its own
        den = f絶対値(den);
        num = f符号反転(num);
    }
    vt分数.b既約確認済 = den.f符号() > 0 && !(num.fゼロ() && (num.f負記号() || !den.f等値(1)));
    return vt分数;
}

int32_t f分数比較(const T分数型& vt分数1, const T分数型& vt分数2, const Tキャンセル検査& check) {
    const T分数型& a = vt分数1;
    const T分数型& b = vt分数2;
    if (a.t分母.f符号() > 0 && b.t分母.f符号() > 0) {
        check();
        if (a.t分母 == b.t分母) return f大小比較(a.t分子, b.t分子);
        return f大小比較(f積(a.t分子, b.t分母, check), f積(b.t分子, a.t分母, check));
    }
    // Infinities and signed denominators: by the sign of the difference as written.
    const T分数型 d = f分数減算(a, b, check);
    if (d.t分子.fゼロ() && !d.t分子.f負記号()) return 0;
    return d.t分子.f負記号() ? -1 : 1;
}

T分数型 f分数加算(const T分数型& a, const T分数型& b, const Tキャンセル検査& check) {
    return AddOrSubtract(a, b, f和, check);
}

T分数型 f分数減算(const T分数型& a, const T分数型& b, const Tキャンセル検査& check) {
    return AddOrSubtract(a, b, f差, check);
}

T分数型 f分数乗算(const T分数型& a, const T分数型& b, const Tキャンセル検査& check) {
    check();
    if (a.b既約確認済 && b.b既約確認済 && !a.t分子.fゼロ() && !b.t分子.fゼロ()) {
        const T整数型 g1 = f最大公約数(a.t分子, b.t分母, check);
        const T整数型 g2 = f最大公約数(b.t分子, a.t分母, check);
        return Reduced(f積(Exact(a.t分子, g1, check), Exact(b.t分子, g2, check), check),
                       f積(Exact(a.t分母, g2, check), Exact(b.t分母, g1, check), check));
    }
    return f約分({f積(a.t分子, b.t分子, check), f積(a.t分母, b.t分母, check)}, check);
}

T分数型 f分数除算(const T分数型& a, const T分数型& b, const Tキャンセル検査& check) {
    check();
    if (a.b既約確認済 && b.b既約確認済 && !a.t分子.fゼロ() && !b.t分子.fゼロ()) {
        const T整数型 g1 = f最大公約数(a.t分子, b.t分子, check);
        const T整数型 g2 = f最大公約数(a.t分母, b.t分母, check);
        T整数型 num = f積(Exact(a.t分子, g1, check), Exact(b.t分母, g2, check), check);
        T整数型 den = f積(Exact(a.t分母, g2, check), Exact(b.t分子, g1, check), check);
        if (den.f符号() < 0) {
            num = f符号反転(num);
            den = f符号反転(den);
        }
        return Reduced(std::move(num), std::move(den));
    }
    return f約分({f積(a.t分子, b.t分母, check), f積(a.t分母, b.t分子, check)}, check);
}

T分数型 f分数累乗(const T分数型& vt底, int32_t vl指数, const Tキャンセル検査& check) {
    if (f分数比較(vt底, t分数の0, check) == 0) return t分数の0;
    if (f分数比較(vt底, t分数の1, check) == 0) return t分数の1;
    const bool bNegative = vl指数 < 0;
    int32_t n = bNegative ? f検査付符号反転(vl指数) : vl指数;
    T分数型 result = t分数の1;
    if (vt底.b既約確認済 && n > 1) {
        // The powers of coprime parts are coprime: what the squares and products give.
        result = Reduced(f冪(vt底.t分子, static_cast<uint64_t>(n), check),
                         f冪(vt底.t分母, static_cast<uint64_t>(n), check));
    } else if (n == 1) {
        result = vt底;
    } else if (n > 1) {
        T分数型 square = vt底;
        while (n > 0) {
            const bool bBit = n % 2 == 1;
            n /= 2;
            if (bBit) result = f分数乗算(result, square, check);
            if (n > 0) square = f分数乗算(square, square, check);  // the last square is never used
        }
    }
    if (bNegative) result = f分数除算(t分数の1, result, check);
    return result;
}

T分数型 f分数変換(std::u16string vs小数, const Tキャンセル検査& check) {
    const std::u16string sSign = f符号取出し(vs小数);
    const size_t point = vs小数.find(u'.');
    if (point == std::u16string::npos) {
        T整数型 num = T整数型::f読込(sSign + vs小数, check);
        const bool bCanonical = !num.f負記号() || !num.fゼロ();
        T分数型 f{std::move(num), T整数型(1)};
        f.b既約確認済 = bCanonical;
        return f;
    }
    T分数型 result;
    f小数基数10進分数変換(vs小数.substr(point + 1), 10, result, check);
    const T整数型 integer = T整数型::f読込(vs小数.substr(0, point), check);
    result.t分子 = f和(result.t分子, f積(result.t分母, integer, check));
    if (!sSign.empty()) result.t分子 = f符号反転(result.t分子);
    return f約分(result, check);
}

bool f基数自然数値変換(const std::u16string& ps表記自然数, int32_t pi表記基数, T整数型& rt値,
                       const Tキャンセル検査& check) {
    rt値 = T整数型();
    for (char16_t c : ps表記自然数) {
        const int32_t v = fn進1桁値(c);
        if (v < 0 || v >= pi表記基数) return false;
    }
    if (ps表記自然数.empty()) return true;
    check();
    if (pi表記基数 == 10) {
        rt値 = T整数型::f読込(ps表記自然数, check);
        return true;
    }
    T作業整数 z;
    fZ文字列読込(z, ps表記自然数, pi表記基数, check);
    rt値 = T整数型::f取込(z);
    return true;
}

bool f小数基数10進分数変換(const std::u16string& ps小数点以下表記, int32_t pi表記基数, T分数型& rT分数,
                           const Tキャンセル検査& check) {
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
        if (!f基数自然数値変換(fゼロ正規化(StringOfZeroC(f) + sCycle), pi表記基数, tCycle.t分子, check)) return false;
        // (r^c - 1) r^f: c digits r - 1, then f zeros.
        T作業整数 r, power;
        mpz_set_ui(r, static_cast<unsigned long>(pi表記基数));
        fZ冪(power, r, static_cast<uint64_t>(c), check);
        mpz_sub_ui(power, power, 1);
        const T整数型 nines = T整数型::f取込(power);
        fZ冪(power, r, static_cast<uint64_t>(f), check);
        tCycle.t分母 = f積(nines, T整数型::f取込(power), check);
        tCycle = f約分(tCycle, check);
        if (sFinite.empty()) sFinite = u"0";
    }
    if (sFinite != u"0") {
        T整数型 num;
        if (!f基数自然数値変換(fゼロ正規化(sFinite), pi表記基数, num, check)) return false;
        rT分数 = ReduceOverRadixPower(num, pi表記基数, sFinite.size(), check);
        if (bCycle) rT分数 = f分数加算(rT分数, tCycle, check);
    } else {
        rT分数 = bCycle ? tCycle : t分数の0;
    }
    return true;
}
