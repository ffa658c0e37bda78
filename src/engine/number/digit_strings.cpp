// The natural-number and integer operations on digit strings, as a textual interface
// over T整数型: each reads its operands, computes in binary and writes the result text.
// Additions, comparisons and subtractions are cancellation points.
#include "engine/brelvita.h"

namespace {

// True when the text is a natural number of value zero ("" included).
bool IsZeroText(const std::u16string& s) { return s.find_first_not_of(u'0') == std::u16string::npos; }

}  // namespace

std::u16string ClsBrelvita::f自然数加算(std::u16string vs被加数, std::u16string vs加数) {
    fキャンセル点();
    const Tキャンセル検査 check = fキャンセル検査();
    return f和(T整数型::f読込(vs被加数, check), T整数型::f読込(vs加数, check)).f文字列(check);
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
    const Tキャンセル検査 check = fキャンセル検査();
    return f絶対値(f差(T整数型::f読込(vs被減数大, check), T整数型::f読込(vs減数小, check))).f文字列(check);
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
    const Tキャンセル検査 check = fキャンセル検査();
    return f積(T整数型::f読込(vs被乗数, check), T整数型::f読込(vs乗数, check), check).f文字列(check);
}

std::u16string ClsBrelvita::f自然数商余(const std::u16string& vs被除数, const std::u16string& vs除数,
                                    std::u16string& rs商) {
    if (vs被除数 == u"0") {
        rs商 = u"0";
        return u"0";
    }
    if (IsZeroText(vs除数)) {
        rs商 = u"∞";
        return u"0";
    }
    if (vs被除数.size() < vs除数.size()) {  // the quotient is below 1
        rs商 = u"0";
        return vs被除数;
    }
    fキャンセル点();
    const Tキャンセル検査 check = fキャンセル検査();
    T整数型 q, r;
    f商余(T整数型::f読込(vs被除数, check), T整数型::f読込(vs除数, check), q, r, check);
    rs商 = q.f文字列(check);
    return r.f文字列(check);
}

std::u16string ClsBrelvita::f整数加算(std::u16string vs被加数, std::u16string vs加数) {
    fキャンセル点();
    const Tキャンセル検査 check = fキャンセル検査();
    return f和(T整数型::f読込(vs被加数, check), T整数型::f読込(vs加数, check)).f文字列(check);
}

std::u16string ClsBrelvita::f整数減算(std::u16string vs被減数, std::u16string vs減数) {
    fキャンセル点();
    const Tキャンセル検査 check = fキャンセル検査();
    return f差(T整数型::f読込(vs被減数, check), T整数型::f読込(vs減数, check)).f文字列(check);
}

std::u16string ClsBrelvita::f整数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数) {
    const Tキャンセル検査 check = fキャンセル検査();
    const T整数型 a = T整数型::f読込(vs被乗数, check), b = T整数型::f読込(vs乗数, check);
    if (!a.fゼロ() && !b.fゼロ()) fキャンセル点();
    return f積(a, b, check).f文字列(check);
}

std::u16string ClsBrelvita::f整数商余(std::u16string vs被除数, std::u16string vs除数, std::u16string& rs商) {
    const Tキャンセル検査 check = fキャンセル検査();
    const T整数型 a = T整数型::f読込(vs被除数, check), b = T整数型::f読込(vs除数, check);
    if (b.fゼロ()) {
        rs商 = (a.f負記号() != b.f負記号() ? u"-" : u"") + std::u16string(u"∞");
        return a.f負記号() ? u"-0" : u"0";
    }
    fキャンセル点();
    T整数型 q, r;
    f商余(a, b, q, r, check);
    rs商 = q.f文字列(check);
    return r.f文字列(check);
}

std::u16string ClsBrelvita::f整数最大公約数(std::u16string vs整数1, std::u16string vs整数2) {
    const Tキャンセル検査 check = fキャンセル検査();
    const T整数型 a = T整数型::f読込(vs整数1, check), b = T整数型::f読込(vs整数2, check);
    if (a.fビット数() <= 1 || b.fビット数() <= 1) return u"1";  // a magnitude of 0 or 1
    fキャンセル点();
    return f最大公約数(a, b, check).f文字列(check);
}

std::u16string ClsBrelvita::f整数最小公倍数(const std::u16string& vs整数1,
                                      const std::u16string& vs整数2) {
    const Tキャンセル検査 check = fキャンセル検査();
    const T整数型 a = T整数型::f読込(vs整数1, check), b = T整数型::f読込(vs整数2, check);
    return f最小公倍数(a, b, check).f文字列(check);
}
