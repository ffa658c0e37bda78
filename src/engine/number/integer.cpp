// Signed-integer layer: sign dispatch over the natural-number primitives.
#include "engine/brelvita.h"
#include "engine/number/limbs.h"

namespace {

// "-0" becomes "0"; every other text is returned as it is.
std::u16string DropNegativeZero(std::u16string s) { return s == u"-0" ? u"0" : s; }

}  // namespace

std::u16string ClsBrelvita::f整数加算(std::u16string vs被加数, std::u16string vs加数) {
    const bool bNegA = !f符号取出し(vs被加数).empty();
    const bool bNegB = !f符号取出し(vs加数).empty();
    if (!bNegA && !bNegB) return f自然数加算(vs被加数, vs加数);
    if (!bNegA) return f自然数減算(vs被加数, vs加数);
    if (!bNegB) return f自然数減算(vs加数, vs被加数);
    return DropNegativeZero(u"-" + f自然数加算(vs被加数, vs加数));
}

std::u16string ClsBrelvita::f整数減算(std::u16string vs被減数, std::u16string vs減数) {
    const bool bNegA = !f符号取出し(vs被減数).empty();
    const bool bNegB = !f符号取出し(vs減数).empty();
    if (!bNegA && !bNegB) return f自然数減算(vs被減数, vs減数);
    if (!bNegA) return f自然数加算(vs被減数, vs減数);
    if (!bNegB) return DropNegativeZero(u"-" + f自然数加算(vs減数, vs被減数));
    return f自然数減算(vs減数, vs被減数);
}

std::u16string ClsBrelvita::f整数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数) {
    // Both without sign (the usual case): nothing to take out, no working copies.
    if (!vs被乗数.starts_with(u'-') && !vs乗数.starts_with(u'-')) return f自然数乗算(vs被乗数, vs乗数);
    std::u16string a = vs被乗数, b = vs乗数;
    const std::u16string sSignA = f符号取出し(a);
    const std::u16string sSignB = f符号取出し(b);
    const std::u16string sSign = sSignA == sSignB ? u"" : u"-";
    return sSign + f自然数乗算(a, b);
}

std::u16string ClsBrelvita::f整数商余(std::u16string vs被除数, std::u16string vs除数,
                                  std::u16string& rs商) {
    const std::u16string sSignA = f符号取出し(vs被除数);
    const std::u16string sSignB = f符号取出し(vs除数);
    std::u16string sQuotient;
    const std::u16string sRemainder = f自然数商余(vs被除数, vs除数, sQuotient);
    rs商 = (sSignA == sSignB ? u"" : u"-") + sQuotient;
    return sSignA + sRemainder;
}

std::u16string ClsBrelvita::f整数最大公約数(std::u16string vs整数1, std::u16string vs整数2) {
    f符号取出し(vs整数1);
    f符号取出し(vs整数2);
    if (vs整数1 == u"0" || vs整数1 == u"1" || vs整数2 == u"0" || vs整数2 == u"1") return u"1";
    // Euclid's loop compares first: that is its first cancellation point.
    fキャンセル点();
    return f多倍長文字列化(
        f多倍長最大公約数(f多倍長変換(vs整数1), f多倍長変換(vs整数2), fキャンセル検査()));
}

std::u16string ClsBrelvita::f整数最小公倍数(const std::u16string& vs整数1,
                                      const std::u16string& vs整数2) {
    std::u16string sProduct = f整数乗算(vs整数1, vs整数2);
    f符号取出し(sProduct);
    std::u16string sQuotient;
    f自然数商余(sProduct, f整数最大公約数(vs整数1, vs整数2), sQuotient);
    return sQuotient;
}
