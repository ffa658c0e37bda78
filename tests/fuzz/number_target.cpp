// Radix input: f基数10進変換; and a value's saved form: f単位数保存文字列読込.
//
// Input: a first byte "v" makes the whole input a saved form. Any other first byte chooses
// the radix (2 + byte % 35); the other bytes, each read as one character, are cut to the
// shape the lexer gives a number with letters (ASCII letters and digits, a point and
// fraction digits, a cycle between "`" marks after a fraction digit). An empty text is not
// fed: the parser refuses it before the call.
//
// Invariants: a saved form is refused, or the value read is written back as the same text.
// A radix text is refused exactly when a letter or digit is not a digit of the radix
// (either case). Without a cycle the value is the exact fraction GMP reads from the digits;
// with one, starting the cycle a digit later keeps the value.
#include <algorithm>

#include "engine/brelvita.h"
#include "engine/number/mantissa.h"
#include "engine/units/value_text.h"
#include "fuzz_targets.h"
#include "harness.h"

namespace {

// The engine every input of this target uses (it keeps no state between inputs).
ClsBrelvita& fFuzzエンジン() {
    static ClsBrelvita e;
    return e;
}

// True for a point, a cycle mark, or a letter or digit whose value is below the radix.
bool f基数桁(char16_t c, int radix) {
    const int v = c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
    return (c == u'.' || c == u'`') || (v >= 0 && v < radix);
}

// q = the value of the cycle-free digits s in the radix, as GMP reads them.
void f参照値(const std::u16string& s, int radix, mpq_ptr q) {
    const size_t point = std::min(s.find(u'.'), s.size());
    std::string digits(s.begin(), s.end());
    digits.erase(point, 1);
    const size_t places = digits.size() - point;
    if (digits.empty()) digits = "0";
    mpz_set_str(mpq_numref(q), digits.c_str(), radix);
    mpz_ui_pow_ui(mpq_denref(q), radix, places);
    mpq_canonicalize(q);
}

// The value of s, which must be valid, compared with GMP's reading or its rotated cycle.
std::string f値検査(ClsBrelvita& e, const std::u16string& s, int radix, const T単位数型& value) {
    if (value.bキャンセル値) return "cancelled";
    if (s.find(u'`') != std::u16string::npos) {
        const std::u16string rotated = fFuzz循環回転(s);
        T単位数型 other;
        if (rotated.empty()) return "";
        if (!e.f基数10進変換(rotated, radix, other)) return "the rotated cycle is refused";
        return fFuzz同値(other.t複素数, value.t複素数) ? "" : "the rotated cycle has another value";
    }
    mpq_t want, got, exponent;
    mpq_inits(want, got, exponent, nullptr);
    f参照値(s, radix, want);
    const T仮数型& m = value.t複素数.t浮動小数.t仮数;
    fFuzz有理数(m.t底, got);
    fFuzz有理数(m.t指数, exponent);
    const bool same = mpq_equal(want, got) && mpq_cmp_ui(exponent, 1, 1) == 0;
    mpq_clears(want, got, exponent, nullptr);
    return same ? "" : "not the value GMP reads";
}

// A saved form either refused or read back to a value that is written the same way.
std::string f保存形検査(std::string_view text) {
    T単位数型 value;
    if (!f単位数保存文字列読込(text, value) || f単位数保存文字列(value) == text) return "";
    return "\"" + fFuzz表示(std::u16string(text.begin(), text.end())) + "\" read, but written back otherwise";
}

}  // namespace

std::string fFuzzNumber(const uint8_t* data, size_t size) {
    if (size == 0) return "";
    fFuzz上限設定();
    if (data[0] == 'v') return f保存形検査(std::string_view(reinterpret_cast<const char*>(data), size));
    const int radix = 2 + data[0] % 35;
    const std::u16string text = fFuzz数値形(std::u16string(data + 1, data + size), false);
    if (text.empty()) return "";
    ClsBrelvita& e = fFuzzエンジン();
    T単位数型 value;
    const bool read = e.f基数10進変換(text, radix, value);
    const bool valid = std::all_of(text.begin(), text.end(), [radix](char16_t c) { return f基数桁(c, radix); });
    std::string failure;
    if (read != valid) {
        failure = read ? "accepted" : "refused";
    } else if (read) {
        failure = f値検査(e, text, radix, value);
    }
    return failure.empty() ? "" : "\"" + fFuzz表示(text) + "\" in radix " + std::to_string(radix) + ": " + failure;
}
