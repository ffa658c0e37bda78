#include "engine/number/digit_strings_ref.h"

#include "engine/number/integer.h"

namespace {

// True when the text is a natural number of value zero ("" included).
bool IsZeroText(const std::u16string& s) { return s.find_first_not_of(u'0') == std::u16string::npos; }

T整数型 Read(const std::u16string& s) { return T整数型::f読込(s); }

const Tキャンセル検査 kNoCancel;

}  // namespace

std::u16string f自然数加算(const std::u16string& vs被加数, const std::u16string& vs加数) {
    return f和(Read(vs被加数), Read(vs加数)).f文字列();
}

int32_t f自然数比較(const std::u16string& vs数1, const std::u16string& vs数2) {
    if (vs数1.size() != vs数2.size()) return vs数1.size() > vs数2.size() ? 1 : -1;
    const int c = vs数1.compare(vs数2);
    return c == 0 ? 0 : (c > 0 ? 1 : -1);
}

std::u16string f自然数大小減算(const std::u16string& vs被減数大, const std::u16string& vs減数小) {
    return f絶対値(f差(Read(vs被減数大), Read(vs減数小))).f文字列();
}

std::u16string f自然数減算(const std::u16string& vs被減数, const std::u16string& vs減数) {
    switch (f自然数比較(vs被減数, vs減数)) {
        case 1: return f自然数大小減算(vs被減数, vs減数);
        case -1: return u"-" + f自然数大小減算(vs減数, vs被減数);
        default: return u"0";
    }
}

std::u16string f自然数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数) {
    if (IsZeroText(vs被乗数) || IsZeroText(vs乗数)) return u"0";
    return f積(Read(vs被乗数), Read(vs乗数), kNoCancel).f文字列();
}

std::u16string f自然数商余(const std::u16string& vs被除数, const std::u16string& vs除数,
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
    T整数型 q, r;
    f商余(Read(vs被除数), Read(vs除数), q, r, kNoCancel);
    rs商 = q.f文字列();
    return r.f文字列();
}

std::u16string f整数加算(const std::u16string& vs被加数, const std::u16string& vs加数) {
    return f和(Read(vs被加数), Read(vs加数)).f文字列();
}

std::u16string f整数減算(const std::u16string& vs被減数, const std::u16string& vs減数) {
    return f差(Read(vs被減数), Read(vs減数)).f文字列();
}

std::u16string f整数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数) {
    return f積(Read(vs被乗数), Read(vs乗数), kNoCancel).f文字列();
}

std::u16string f整数商余(const std::u16string& vs被除数, const std::u16string& vs除数, std::u16string& rs商) {
    const T整数型 a = Read(vs被除数), b = Read(vs除数);
    if (b.fゼロ()) {
        rs商 = (a.f負記号() != b.f負記号() ? u"-" : u"") + std::u16string(u"∞");
        return a.f負記号() ? u"-0" : u"0";
    }
    T整数型 q, r;
    f商余(a, b, q, r, kNoCancel);
    rs商 = q.f文字列();
    return r.f文字列();
}

std::u16string f整数最大公約数(const std::u16string& vs整数1, const std::u16string& vs整数2) {
    const T整数型 a = Read(vs整数1), b = Read(vs整数2);
    if (a.fビット数() <= 1 || b.fビット数() <= 1) return u"1";  // a magnitude of 0 or 1
    return f最大公約数(a, b, kNoCancel).f文字列();
}

std::u16string f整数最小公倍数(const std::u16string& vs整数1, const std::u16string& vs整数2) {
    return f最小公倍数(Read(vs整数1), Read(vs整数2), kNoCancel).f文字列();
}
