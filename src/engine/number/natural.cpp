// Natural-number primitives of the engine. Results are identical to the chunked
// schoolbook algorithms (9-digit additions, 4-digit products, one quotient digit by
// repeated subtraction); the work is done digit-wise or on base-10^9 limbs.
#include "engine/brelvita.h"
#include "engine/number/limbs.h"

namespace {

// Value of a digit character; anything else counts as 0.
inline int DigitValue(char16_t c) { return (c >= u'0' && c <= u'9') ? c - u'0' : 0; }

// True when the text is a natural number of value zero ("" included).
bool IsZeroText(const std::u16string& s) { return s.find_first_not_of(u'0') == std::u16string::npos; }

}  // namespace

std::u16string ClsBrelvita::f自然数加算(std::u16string vs被加数, std::u16string vs加数) {
    fキャンセル点();
    std::u16string& a = vs被加数.size() >= vs加数.size() ? vs被加数 : vs加数;  // longer
    const std::u16string& b = vs被加数.size() >= vs加数.size() ? vs加数 : vs被加数;
    std::u16string sum(a.size() + 1, u'0');
    int carry = 0;
    size_t ia = a.size(), ib = b.size(), out = sum.size();
    while (ia > 0) {
        const int t = DigitValue(a[--ia]) + (ib > 0 ? DigitValue(b[--ib]) : 0) + carry;
        carry = t >= 10 ? 1 : 0;
        sum[--out] = static_cast<char16_t>(u'0' + t - 10 * carry);
    }
    sum[0] = static_cast<char16_t>(u'0' + carry);
    return fゼロ正規化(std::move(sum));
}

int32_t ClsBrelvita::f自然数比較(const std::u16string& vs数1, const std::u16string& vs数2) {
    fキャンセル点();
    if (vs数1.size() != vs数2.size()) return vs数1.size() > vs数2.size() ? 1 : -1;
    const int c = vs数1.compare(vs数2);
    return c == 0 ? 0 : (c > 0 ? 1 : -1);
}

std::u16string ClsBrelvita::f自然数大小減算(const std::u16string& vs被減数大,
                                       const std::u16string& vs減数小) {
    fキャンセル点();
    const std::u16string& a = vs被減数大;
    const std::u16string& b = vs減数小;
    std::u16string diff(std::max(a.size(), b.size()), u'0');
    int borrow = 0;
    size_t ia = a.size(), ib = b.size(), out = diff.size();
    while (out > 0) {
        int t = (ia > 0 ? DigitValue(a[--ia]) : 0) - (ib > 0 ? DigitValue(b[--ib]) : 0) - borrow;
        borrow = t < 0 ? 1 : 0;
        diff[--out] = static_cast<char16_t>(u'0' + t + 10 * borrow);
    }
    return fゼロ正規化(std::move(diff));  // a borrow left over (a < b) is dropped
}

std::u16string ClsBrelvita::f自然数減算(const std::u16string& vs被減数, const std::u16string& vs減数) {
    switch (f自然数比較(vs被減数, vs減数)) {
        case 1: return f自然数大小減算(vs被減数, vs減数);
        case -1: return u"-" + f自然数大小減算(vs減数, vs被減数);
        default: return u"0";
    }
}

std::u16string ClsBrelvita::f自然数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数) {
    if (IsZeroText(vs被乗数) || IsZeroText(vs乗数)) return u"0";  // no partial product
    fキャンセル点();
    // A factor of at most 9 digits multiplies the other text directly, without limbs.
    if (vs乗数.size() <= 9) return f文字列小乗算(vs被乗数, f多倍長変換(vs乗数).at(0));
    if (vs被乗数.size() <= 9) return f文字列小乗算(vs乗数, f多倍長変換(vs被乗数).at(0));
    return f多倍長文字列化(
        f多倍長乗算(f多倍長変換(vs被乗数), f多倍長変換(vs乗数), fキャンセル検査()));
}

std::u16string ClsBrelvita::f自然数商余(const std::u16string& vs被除数, const std::u16string& vs除数,
                                    std::u16string& rs商) {
    if (vs被除数 == u"0") {
        rs商 = u"0";
        return u"0";
    }
    if (vs除数 == u"0" || IsZeroText(vs除数)) {
        rs商 = u"∞";
        return u"0";
    }
    if (vs被除数.size() < vs除数.size()) {  // the quotient is below 1
        rs商 = u"0";
        return vs被除数;
    }
    fキャンセル点();
    T多倍長型 q, r;
    f多倍長商余(f多倍長変換(vs被除数), f多倍長変換(vs除数), q, r, fキャンセル検査());
    rs商 = f多倍長文字列化(q);
    return f多倍長文字列化(r);
}
