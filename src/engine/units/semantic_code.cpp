#include "engine/units/semantic_code.h"

#include "common/checked_int.h"
#include "common/ut_common.h"
#include "engine/units/readers.h"

namespace {

// An array holding one code with exponent 1.
T意味コ配列型 SingleCode(const char16_t* code) { return {{}, {code, 1}}; }

// True when the array has an element at index i.
bool Has(const T意味コ配列型& a, size_t i) { return i < a.size(); }

// A copy with a sentinel after the last element (a placeholder first if needed).
T意味コ配列型 WithSentinel(const T意味コ配列型& a, int32_t exponent) {
    T意味コ配列型 w = a.empty() ? T意味コ配列型(1) : a;
    w.push_back({D意味コHighValue, exponent});
    return w;
}

}  // namespace

const T意味コ配列型& f数値意味コ配列() {
    static const T意味コ配列型 a = SingleCode(D意味コ数値);
    return a;
}

const T意味コ配列型& f未知意味コ配列() {
    static const T意味コ配列型 a = SingleCode(D意味コ未知);
    return a;
}

void f意味コ昇順配列作成(const std::u16string& vs意味コード, T意味コ配列型& rt意味コ配列) {
    // The tables are read at every start: the text is walked as views, without copies.
    std::u16string_view rest = vs意味コード, sExponent;
    std::u16string_view sOperator = u"*", sGroupOperator = u"*";
    bool bInGroup = false;
    size_t count = 0;
    // Appends one code with its exponent, negated under "/".
    auto add = [&](std::u16string_view code, std::u16string_view op) {
        ++count;
        rt意味コ配列.resize(count + 1);
        const int32_t e = ForceStrToInt(std::u16string(sExponent));
        rt意味コ配列[count] = {std::u16string(code), op == u"/" ? f検査付符号反転(e) : e};
    };
    while (!rest.empty()) {
        const std::u16string_view token = f意味トークン取出し(rest, sExponent);
        if (token == u"(" && !bInGroup) {
            bInGroup = true;
            sGroupOperator = u"*";
        } else if (token == u")" && bInGroup) {
            bInGroup = false;
        } else if (token == u"*" || token == u"/") {
            (bInGroup ? sGroupOperator : sOperator) = token;
        } else if (!token.empty() && token[0] == u'!') {
            // inside a group under "/", each code switches the group's operator first
            if (bInGroup && sOperator == u"/") sGroupOperator = sGroupOperator == u"*" ? u"/" : u"*";
            add(token, bInGroup ? sGroupOperator : sOperator);
        } else {
            rt意味コ配列 = f未知意味コ配列();  // a syntax error: the unknown unit
            break;
        }
    }
    f意味コ配列昇順ソート(rt意味コ配列);
}

void f意味コ配列昇順ソート(T意味コ配列型& rt意味コ配列) {
    const size_t last = rt意味コ配列.empty() ? 0 : rt意味コ配列.size() - 1;
    for (size_t i = 1; i < last; ++i) {
        for (size_t j = i + 1; j <= last; ++j) {
            if (rt意味コ配列[i].s単一意味コ > rt意味コ配列[j].s単一意味コ) {
                std::swap(rt意味コ配列[i], rt意味コ配列[j]);
            }
        }
    }
}

int32_t f意味コ配列比較(const T意味コ配列型& vt意味コ配列1, const T意味コ配列型& vt意味コ配列2,
                         bool vb指数比較スキップフラグ) {
    const T意味コ配列型& a = vt意味コ配列1;
    const T意味コ配列型& b = vt意味コ配列2;
    for (size_t i = 1;; ++i) {
        if (!Has(a, i)) return Has(b, i) ? -1 : 0;
        if (!Has(b, i)) return 1;
        if (a[i].s単一意味コ != b[i].s単一意味コ) return a[i].s単一意味コ > b[i].s単一意味コ ? 1 : -1;
        if (!vb指数比較スキップフラグ && a[i].l指数 != b[i].l指数) {
            return a[i].l指数 > b[i].l指数 ? 1 : -1;
        }
    }
}

bool f意味コ配列包含(const T意味コ配列型& vt意味コ配列集合, const T意味コ配列型& vt意味コ配列部分) {
    for (size_t i = 1; i < vt意味コ配列部分.size(); ++i) {
        bool bFound = false;
        for (size_t j = 1; j < vt意味コ配列集合.size() && !bFound; ++j) {
            bFound = vt意味コ配列集合[j].s単一意味コ == vt意味コ配列部分[i].s単一意味コ;
        }
        if (!bFound) return false;
    }
    return true;
}

bool f無次元判定(const T意味コ配列型& vt意味コ配列) {
    const T意味コ配列型& a = vt意味コ配列;
    if (a.size() <= 1) return true;
    return a.size() == 2 && a[1].l指数 == 1 && a[1].s単一意味コ == std::u16string_view(D意味コ数値);
}

void f意味コ演算(const T意味コ配列型& vt被演算意味コ配列, const std::u16string& vs演算子,
                 const T意味コ配列型& vt演算意味コ配列, T意味コ配列型& rt結果) {
    const bool bDivide = vs演算子 == u"/";
    if (f意味コ配列比較(vt被演算意味コ配列, f未知意味コ配列()) == 0 ||
        f意味コ配列比較(vt演算意味コ配列, f未知意味コ配列()) == 0) {
        rt結果 = f未知意味コ配列();
        return;
    }
    if (f意味コ配列比較(vt演算意味コ配列, f数値意味コ配列()) == 0) {
        rt結果 = vt被演算意味コ配列;
        return;
    }
    if (f意味コ配列比較(vt被演算意味コ配列, f数値意味コ配列()) == 0) {
        T意味コ配列型 r = vt演算意味コ配列;
        if (bDivide) {
            for (size_t i = 1; i < r.size(); ++i) r[i].l指数 = f検査付符号反転(r[i].l指数);
        }
        rt結果 = std::move(r);
        return;
    }
    const T意味コ配列型 a = WithSentinel(vt被演算意味コ配列, 1);
    const T意味コ配列型 b = WithSentinel(vt演算意味コ配列, -1);
    T意味コ配列型 r(1);
    size_t i = 1, j = 1;
    while (true) {
        const std::u16string& ca = a[i].s単一意味コ;
        const std::u16string& cb = b[j].s単一意味コ;
        if (ca == cb) {
            if (ca == D意味コHighValue) break;
            const int32_t e = bDivide ? f検査付減算(a[i].l指数, b[j].l指数)
                                      : f検査付加算(a[i].l指数, b[j].l指数);
            if (e != 0) r.push_back({ca, e});
            ++i;
            ++j;
        } else if (ca > cb) {
            r.push_back({cb, bDivide ? f検査付符号反転(b[j].l指数) : b[j].l指数});
            ++j;
        } else {
            r.push_back(a[i]);
            ++i;
        }
    }
    rt結果 = std::move(r);
}

bool f基本意味コ配列変換(T意味コ配列型& rt意味コ配列, int32_t vl累乗根) {
    if (vl累乗根 == 0) return false;
    T意味コ配列型 w = rt意味コ配列;
    for (size_t i = 1; i < w.size(); ++i) {
        if (vl累乗根 == -1) {  // INT32_MIN / -1 does not fit: checked negation instead
            w[i].l指数 = f検査付符号反転(w[i].l指数);
            continue;
        }
        if (w[i].l指数 % vl累乗根 != 0) return false;
        w[i].l指数 /= vl累乗根;
    }
    rt意味コ配列 = std::move(w);
    return true;
}

int32_t f保留補正式比較(const T保留補正式配列型& vt保留補正式1,
                         const T保留補正式配列型& vt保留補正式2) {
    const auto& a = vt保留補正式1;
    const auto& b = vt保留補正式2;
    for (size_t i = 1;; ++i) {
        if (i >= a.size()) return i >= b.size() ? 0 : -1;
        if (i >= b.size()) return 1;
        const int32_t c = f意味コ配列比較(a[i].t意味コ配列, b[i].t意味コ配列);
        if (c != 0) return c;
        if (a[i].s基底値補正式 != b[i].s基底値補正式) {
            return a[i].s基底値補正式 > b[i].s基底値補正式 ? 1 : -1;
        }
    }
}

bool f保留補正式包含(const T保留補正式配列型& vt保留補正式集合,
                     const T保留補正式型& vt保留補正式部分) {
    for (size_t i = 1; i < vt保留補正式集合.size(); ++i) {
        if (f意味コ配列比較(vt保留補正式集合[i].t意味コ配列, vt保留補正式部分.t意味コ配列) == 0) {
            return vt保留補正式集合[i].s基底値補正式 == vt保留補正式部分.s基底値補正式;
        }
    }
    return false;
}

void f単項表記リストマージ(const T単項表記配列型& vt被単項表記リスト,
                           const T単項表記配列型& vt単項表記リスト, T単項表記配列型& rtマージリスト) {
    T単項表記配列型 r = vt被単項表記リスト;
    for (size_t i = 1; i < vt単項表記リスト.size(); ++i) {
        bool bFound = false;
        for (size_t j = 1; j < r.size() && !bFound; ++j) {
            bFound = f意味コ配列比較(r[j].t意味コ配列, vt単項表記リスト[i].t意味コ配列) == 0;
        }
        if (!bFound) {
            if (r.empty()) r.resize(1);  // index 0 stays the placeholder
            r.push_back(vt単項表記リスト[i]);
        }
    }
    rtマージリスト = std::move(r);
}
