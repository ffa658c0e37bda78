// The saved form of a value: "v1" and then every field of the value as a token, tokens
// separated by one space, closed by the token ".". Each field has exactly one spelling,
// so a text that reads back writes back the same:
//   integer   "-" for a negative value or -0, then the magnitude in base 32 (digits
//             0-9 a-v, no leading zero): "0", "-0", "1v", "-a0"
//   fraction  numerator, denominator (integers; the denominator never below 0, though
//             -0 is kept), then "1" when known to be in lowest terms (b既約確認済,
//             checked on reading) or "0"
//   number    the real and the imaginary mantissa, each exponent then base fraction
//   flag      "0" or "1"
//   int32     decimal, no leading zero, no "-0"
//   count     decimal, no leading zero
//   string    "'" then the UTF-16 units, those from "!" to "~" but "%" as themselves,
//             every other one as "%" and four upper-case hex digits: "'%00B0C"
//   dimension count, then for every element (the placeholder at index 0 included)
//             its code string and exponent int32
// The fields follow in the order of T単位数型: number, cancel flag, dimension, pending
// corrections (count, then dimension and formula string each), notation, conversion
// formula, unit terms (count, then dimension and spelling each), variable name, tag,
// display radix. A real value (a real-number tree) is written "v2", with the tree's text in
// the calculator's syntax as one more string before the closing token; "v1" texts, which
// hold no real, still read.
#include "engine/units/value_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>

#include "common/exception.h"
#include "engine/number/huge.h"
#include "engine/real/real.h"

namespace {

constexpr std::string_view D版 = "v1";   // the first token: the format's version
constexpr std::string_view D実数版 = "v2";  // the same, for a value holding a real
constexpr std::string_view D終端 = ".";  // the last token: a cut text lacks it
constexpr int D整数基数 = 32;            // radix of the integers' digits
constexpr int D整数基数ビット = 5;       // bits per such digit

// ---- Writing ----

// Appends the separator and an integer token.
void f整数書出(std::string& rs, const T整数型& vt整数) {
    rs += ' ';
    if (vt整数.f負記号()) rs += '-';
    const T整数視 z(vt整数);
    mpz_t magnitude;  // |z| without copying its limbs: mpz_get_str would write a "-"
    mpz_roinit_n(magnitude, mpz_limbs_read(z), static_cast<mp_size_t>(mpz_size(z)));
    const size_t at = rs.size();
    rs.resize(at + mpz_sizeinbase(magnitude, D整数基数) + 2);
    mpz_get_str(rs.data() + at, D整数基数, magnitude);
    rs.resize(at + std::strlen(rs.data() + at));
}

// Appends the separator and a decimal token.
void f十進書出(std::string& rs, int64_t vl値) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, vl値).ptr;
    rs += ' ';
    rs.append(buf, end);
}

// Whether a UTF-16 unit stands for itself in a string token.
bool f素通し文字(char16_t c) { return c >= u'!' && c <= u'~' && c != u'%'; }

// Appends the separator and a string token.
void f文字列書出(std::string& rs, std::u16string_view vs文字列) {
    static constexpr char D十六進[] = "0123456789ABCDEF";
    rs += " '";
    for (const char16_t c : vs文字列) {
        if (f素通し文字(c)) {
            rs += static_cast<char>(c);
            continue;
        }
        rs += '%';
        for (int shift = 12; shift >= 0; shift -= 4) rs += D十六進[(c >> shift) & 0xF];
    }
}

// Appends the two integers of a fraction and its reduced flag.
void f分数書出(std::string& rs, const T分数型& vt分数) {
    f整数書出(rs, vt分数.t分子);
    f整数書出(rs, vt分数.t分母);
    f十進書出(rs, vt分数.b既約確認済 ? 1 : 0);
}

// Appends a floating number's mantissa: exponent, then base.
void f浮動小数書出(std::string& rs, const T浮動小数型& vt浮動小数) {
    f分数書出(rs, vt浮動小数.t仮数.t指数);
    f分数書出(rs, vt浮動小数.t仮数.t底);
}

// Appends a dimension array, every element included.
void f意味コ配列書出(std::string& rs, const T意味コ配列型& vt配列) {
    f十進書出(rs, static_cast<int64_t>(vt配列.size()));
    for (const T意味コ配列要素& e : vt配列) {
        f文字列書出(rs, e.s単一意味コ);
        f十進書出(rs, e.l指数);
    }
}

// Appends a list of records that each hold a dimension and a string.
template <class T要素>
void f組配列書出(std::string& rs, const std::vector<T要素>& vt配列, std::u16string T要素::*vp文字列) {
    f十進書出(rs, static_cast<int64_t>(vt配列.size()));
    for (const T要素& e : vt配列) {
        f意味コ配列書出(rs, e.t意味コ配列);
        f文字列書出(rs, e.*vp文字列);
    }
}

// ---- Reading ----

// The tokens of a text, one after the other; every separator is exactly one space.
class T字句列 {
public:
    explicit T字句列(std::string_view vs文字列) : rest_(vs文字列) {}
    // The next token, false when none is left or it is empty.
    bool f次(std::string_view& rs字句) {
        if (!first_) {
            if (rest_.empty() || rest_.front() != ' ') return false;
            rest_.remove_prefix(1);
        }
        first_ = false;
        const size_t end = std::min(rest_.find(' '), rest_.size());
        rs字句 = rest_.substr(0, end);
        rest_.remove_prefix(end);
        return !rs字句.empty();
    }
    // The next token, false unless it is exactly the given one.
    bool f照合(std::string_view vs期待) {
        std::string_view s;
        return f次(s) && s == vs期待;
    }
    // Characters not yet read.
    size_t f残り() const { return rest_.size(); }

private:
    std::string_view rest_;
    bool first_ = true;
};

// Reads a decimal token in [vl下限, vl上限], spelled as f十進書出 spells it.
bool f十進読込(T字句列& r, int64_t vl下限, int64_t vl上限, int64_t& rl値) {
    std::string_view s;
    if (!r.f次(s)) return false;
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < vl下限 || v > vl上限) return false;
    char buf[24];
    const auto bufEnd = std::to_chars(buf, buf + sizeof buf, v).ptr;
    if (std::string_view(buf, static_cast<size_t>(bufEnd - buf)) != s) return false;
    rl値 = v;
    return true;
}

// Reads an int32 token.
bool f32bit読込(T字句列& r, int32_t& rl値) {
    int64_t v = 0;
    if (!f十進読込(r, INT32_MIN, INT32_MAX, v)) return false;
    rl値 = static_cast<int32_t>(v);
    return true;
}

// Reads a count token; a count beyond the characters left cannot be met (every element
// takes at least two), so it is refused before anything is made for it.
bool f個数読込(T字句列& r, size_t& rl個数) {
    int64_t v = 0;
    if (!f十進読込(r, 0, static_cast<int64_t>(r.f残り()), v)) return false;
    rl個数 = static_cast<size_t>(v);
    return true;
}

// Reads a flag token.
bool f真偽読込(T字句列& r, bool& rb値) {
    int64_t v = 0;
    if (!f十進読込(r, 0, 1, v)) return false;
    rb値 = v == 1;
    return true;
}

// Whether a character is a digit of the integers' radix, as mpz_get_str writes them.
bool f整数桁(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c < 'a' + D整数基数 - 10); }

// Reads an integer token.
bool f整数読込(T字句列& r, T整数型& rt整数) {
    std::string_view s;
    if (!r.f次(s)) return false;
    const bool negative = s.front() == '-';
    if (negative) s.remove_prefix(1);
    if (s.empty() || !std::all_of(s.begin(), s.end(), f整数桁)) return false;
    if (s == "0") {
        rt整数 = negative ? T整数型::f負のゼロ() : T整数型();
        return true;
    }
    if (s.front() == '0') return false;
    if ((s.size() - 1) * D整数基数ビット >= f分割上限().l最大ビット数) return false;  // too large to form
    T作業整数 z;
    if (mpz_set_str(z, std::string(s).c_str(), D整数基数) != 0) return false;
    if (negative) mpz_neg(z, z);
    rt整数 = T整数型::f取込(z);
    return true;
}

// Whether a fraction meets what its reduced flag promises: a positive denominator, no
// -0 and no common factor (so zero only as 0/1).
bool f既約確認(const T分数型& vt分数) {
    if (vt分数.t分母.f符号() <= 0 || (vt分数.t分子.fゼロ() && vt分数.t分子.f負記号())) return false;
    return f最大公約数(vt分数.t分子, vt分数.t分母, Tキャンセル検査()).f等値(1);
}

// Reads a fraction with its reduced flag. A negative denominator is never made, and is
// refused: a value read must keep the invariants the arithmetic relies on.
bool f分数読込(T字句列& r, T分数型& rt分数) {
    if (!f整数読込(r, rt分数.t分子) || !f整数読込(r, rt分数.t分母) ||
        !f真偽読込(r, rt分数.b既約確認済)) {
        return false;
    }
    if (rt分数.t分母.f符号() < 0) return false;
    return !rt分数.b既約確認済 || f既約確認(rt分数);
}

// Reads a floating number's mantissa.
bool f浮動小数読込(T字句列& r, T浮動小数型& rt浮動小数) {
    return f分数読込(r, rt浮動小数.t仮数.t指数) && f分数読込(r, rt浮動小数.t仮数.t底);
}

// The value of an upper-case hex digit, or -1.
int f十六進値(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The unit of an escape "%XXXX" at the start of s (which it removes), or -1.
int32_t fエスケープ読込(std::string_view& s) {
    if (s.size() < 5) return -1;
    int32_t unit = 0;
    for (size_t i = 1; i < 5; ++i) {
        const int digit = f十六進値(s[i]);
        if (digit < 0) return -1;
        unit = unit * 16 + digit;
    }
    s.remove_prefix(5);
    return f素通し文字(static_cast<char16_t>(unit)) ? -1 : unit;  // such a unit is never escaped
}

// Reads a string token.
bool f文字列読込(T字句列& r, std::u16string& rs文字列) {
    std::string_view s;
    if (!r.f次(s) || s.front() != '\'') return false;
    s.remove_prefix(1);
    std::u16string out;
    while (!s.empty()) {
        if (s.front() != '%') {
            if (!f素通し文字(static_cast<unsigned char>(s.front()))) return false;
            out += static_cast<char16_t>(s.front());
            s.remove_prefix(1);
            continue;
        }
        const int32_t unit = fエスケープ読込(s);
        if (unit < 0) return false;
        out += static_cast<char16_t>(unit);
    }
    rs文字列 = std::move(out);
    return true;
}

// Reads a dimension array.
bool f意味コ配列読込(T字句列& r, T意味コ配列型& rt配列) {
    size_t count = 0;
    if (!f個数読込(r, count)) return false;
    rt配列.clear();
    for (size_t i = 0; i < count; ++i) {
        T意味コ配列要素 e;
        if (!f文字列読込(r, e.s単一意味コ) || !f32bit読込(r, e.l指数)) return false;
        rt配列.push_back(std::move(e));
    }
    return true;
}

// Reads a list of records that each hold a dimension and a string.
template <class T要素>
bool f組配列読込(T字句列& r, std::vector<T要素>& rt配列, std::u16string T要素::*vp文字列) {
    size_t count = 0;
    if (!f個数読込(r, count)) return false;
    rt配列.clear();
    for (size_t i = 0; i < count; ++i) {
        T要素 e;
        if (!f意味コ配列読込(r, e.t意味コ配列) || !f文字列読込(r, e.*vp文字列)) return false;
        rt配列.push_back(std::move(e));
    }
    return true;
}

// Reads every field of a value after the version token, and the closing token.
bool f本体読込(T字句列& r, T単位数型& rt値) {
    return f浮動小数読込(r, rt値.t複素数.t浮動小数) && f浮動小数読込(r, rt値.t複素数.t虚数) &&
           f真偽読込(r, rt値.bキャンセル値) &&
           f意味コ配列読込(r, rt値.t意味コ配列) &&
           f組配列読込(r, rt値.t保留, &T保留補正式型::s基底値補正式) &&
           f文字列読込(r, rt値.s単位表記) &&
           f文字列読込(r, rt値.s基底値変換式) &&
           f組配列読込(r, rt値.t単項表記リスト, &T単項表記型::s綴り) &&
           f文字列読込(r, rt値.s変数名) &&
           f32bit読込(r, rt値.iTag) &&
           f32bit読込(r, rt値.i表記基数);
}

// Reads the tree text of a real value.
bool f実数木読込(T字句列& r, T単位数型& rt値) {
    std::u16string s;
    if (!f文字列読込(r, s)) return false;
    std::string text(s.size(), ' ');
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] > 0x7F) return false;
        text[i] = static_cast<char>(s[i]);
    }
    return f実数読込(text, rt値.t複素数.p実数);
}

}  // namespace

std::string f単位数保存文字列(const T単位数型& vt値) {
    std::string s(vt値.t複素数.p実数 ? D実数版 : D版);
    f浮動小数書出(s, vt値.t複素数.t浮動小数);
    f浮動小数書出(s, vt値.t複素数.t虚数);
    f十進書出(s, vt値.bキャンセル値 ? 1 : 0);
    f意味コ配列書出(s, vt値.t意味コ配列);
    f組配列書出(s, vt値.t保留, &T保留補正式型::s基底値補正式);
    f文字列書出(s, vt値.s単位表記);
    f文字列書出(s, vt値.s基底値変換式);
    f組配列書出(s, vt値.t単項表記リスト, &T単項表記型::s綴り);
    f文字列書出(s, vt値.s変数名);
    f十進書出(s, vt値.iTag);
    f十進書出(s, vt値.i表記基数);
    if (vt値.t複素数.p実数) {
        const std::string tree = f実数式文字列(vt値.t複素数.p実数);
        f文字列書出(s, std::u16string(tree.begin(), tree.end()));
    }
    s += ' ';
    s += D終端;
    return s;
}

bool f単位数保存文字列読込(std::string_view vs文字列, T単位数型& rt値) {
    try {
        T字句列 r(vs文字列);
        T単位数型 t;
        T字句列 r2 = r;  // looks at the version token without taking it
        const bool b実数 = r2.f照合(D実数版);
        if (b実数) r = r2;
        if (!b実数 && !r.f照合(D版)) return false;
        if (!f本体読込(r, t) || (b実数 && !f実数木読込(r, t)) || !r.f照合(D終端) || r.f残り() != 0) return false;
        rt値 = std::move(t);
        return true;
    } catch (const std::bad_alloc&) {  // a text too large for memory is no value either
        return false;
    } catch (const E一般例外&) {  // a limit of the arithmetic reached while checking a fraction
        return false;
    }
}
