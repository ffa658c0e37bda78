// Input folding: one pass over the typed text that writes the folded text and, for each
// code unit written, the typed characters it came from. A scan first decides whether
// anything needs folding at all, so a plain line costs one read of its characters.
#include "parser/input_fold.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr char16_t k累乗 = u'^';
constexpr char16_t k上付負号 = u'\u207B';

// Characters that stand for a unit spelling of several letters.
struct T単位合字 {
    char16_t c;
    const char16_t* s展開;
};
constexpr T単位合字 k単位合字[] = {
    {u'\u2113', u"l"},   // ℓ
    {u'\u3351', u"l"},   // ㍑
    {u'\u338E', u"mg"},  {u'\u338F', u"kg"},  {u'\u3396', u"ml"},  {u'\u3397', u"dl"},
    {u'\u3398', u"kl"},  {u'\u339C', u"mm"},  {u'\u339D', u"cm"},  {u'\u339E', u"km"},
    {u'\u33A0', u"cm2"}, {u'\u33A1', u"m2"},  {u'\u33A2', u"km2"}, {u'\u33A4', u"cm3"},
    {u'\u33A5', u"m3"},  {u'\u33C4', u"cc"},
};

// The expansion of a unit character, or nullptr.
const char16_t* f合字展開(char16_t c) {
    if (c != u'\u2113' && (c < u'\u3351' || c > u'\u33C4')) return nullptr;
    for (const T単位合字& t : k単位合字) {
        if (t.c == c) return t.s展開;
    }
    return nullptr;
}

// The digit a superscript digit stands for, or -1.
int f上付数字(char16_t c) {
    switch (c) {
        case u'\u2070': return 0;
        case u'\u00B9': return 1;
        case u'\u00B2': return 2;
        case u'\u00B3': return 3;
        default: return c >= u'\u2074' && c <= u'\u2079' ? c - u'\u2070' : -1;
    }
}

bool f上付(char16_t c) { return f上付数字(c) >= 0 || c == k上付負号; }

// The plain character of a superscript.
char16_t f上付平字(char16_t c) { return c == k上付負号 ? u'-' : static_cast<char16_t>(u'0' + f上付数字(c)); }

// The one character that c folds into, or c itself.
char16_t f一字置換(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E') return static_cast<char16_t>(c - 0xFEE0);
    if (c == u'\u3000') return u' ';
    if (c == u'\u00B5') return u'\u03BC';  // micro sign → Greek small mu
    if (c == u'\u2126') return u'\u03A9';  // ohm sign → Greek capital omega
    return c;
}

bool f数字(char16_t c) { return c >= u'0' && c <= u'9'; }
bool f英字(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
// A letter a unit spelling can be made of (not "%", which never takes an exponent).
bool f単位字(char16_t c) { return f英字(c) || (c >= 0x80 && f単位頭字(c)); }
// A character of a number, a name or an unbracketed unit.
bool f語字(char16_t c) { return f数字(c) || f単位字(c) || c == u'.' || c == u'`'; }

// Whether the word ending the folded text so far is a unit the lexer reads without
// brackets: it starts with a number, or a number or ")" stands before it.
bool f単位語末(const std::u16string& s) {
    size_t r = s.size();
    while (r > 0 && f語字(s[r - 1])) --r;
    if (r < s.size() && (f数字(s[r]) || s[r] == u'.')) return true;
    while (r > 0 && (s[r - 1] == u' ' || s[r - 1] == u'\t')) --r;
    return r > 0 && (f数字(s[r - 1]) || s[r - 1] == u')');
}

enum class E上付 { E残す, E数字, E累乗 };

// What a superscript run becomes after the folded text s: the exponent of a unit
// spelling (plain digits), a power of a number, a bracket or a variable ("^" and digits),
// or, anywhere else, itself (which the grammar then refuses at that character).
E上付 f上付の扱い(const std::u16string& s, bool b括弧内) {
    if (s.empty()) return E上付::E残す;
    const char16_t p = s.back();
    if (b括弧内) return f単位字(p) ? E上付::E数字 : E上付::E残す;
    if (f単位字(p)) return f単位語末(s) ? E上付::E数字 : E上付::E累乗;
    if (f数字(p) || p == u')' || p == u']' || p == u'π') return E上付::E累乗;
    return E上付::E残す;
}

// Whether the text holds anything to fold.
bool f要折畳み(const std::u16string& s) {
    // Most lines are ASCII without "^": one plain pass settles them.
    bool bRare = false;
    for (const char16_t c : s) bRare |= c >= 0x80 || c == k累乗;
    if (!bRare) return false;
    bool b括弧内 = false;
    for (const char16_t c : s) {
        if (c < 0x80) {
            if (c == u'[') b括弧内 = true;
            else if (c == u']') b括弧内 = false;
            else if (c == k累乗 && b括弧内) return true;
        } else if (f一字置換(c) != c || f上付(c) || f合字展開(c) != nullptr) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool f単位頭字(char16_t c) {
    if (c < 0x80) return c == u'%';
    if (c < 0x100) return c == u'\u00B0' || (c >= u'\u00C0' && c != u'\u00D7' && c != u'\u00F7');
    if (c <= u'\u024F') return true;                          // Latin Extended-A and -B
    if (c >= u'\u0370' && c <= u'\u03FF') return c != u'π';  // Greek
    if (c >= u'\u2100' && c <= u'\u214F') return true;        // letterlike symbols
    if (c == u'\u2030') return true;                          // per mille
    if (c >= u'\u3040' && c <= u'\u30FF') return true;        // hiragana, katakana
    if (c >= u'\u3400' && c <= u'\u9FFF') return true;        // CJK ideographs
    return c >= u'\uF900' && c <= u'\uFAFF';                  // CJK compatibility ideographs
}

void T折畳み対応::f元へ(int32_t& rl位置, int32_t& rl長さ) const {
    if (b恒等 || rl位置 < 0) return;
    const auto n = static_cast<int32_t>(t元範囲.size());
    const int32_t l始 = rl位置 < n ? t元範囲[static_cast<size_t>(rl位置)].l始 : l元長さ;
    int32_t l終 = l始;
    if (rl長さ > 0 && rl位置 < n) {
        l終 = t元範囲[static_cast<size_t>(std::min(rl位置 + rl長さ, n) - 1)].l終;
    }
    rl位置 = l始;
    rl長さ = l終 - l始;
}

void f入力折畳み(std::u16string& rs文字列, T折畳み対応& rt対応) {
    rt対応.b恒等 = true;
    rt対応.t元範囲.clear();
    rt対応.l元長さ = static_cast<int32_t>(rs文字列.size());
    if (!f要折畳み(rs文字列)) return;
    rt対応.b恒等 = false;
    const std::u16string& s = rs文字列;
    std::u16string out;
    out.reserve(s.size() + 8);
    std::vector<T元範囲>& t元 = rt対応.t元範囲;
    t元.reserve(s.size() + 8);
    const auto f書く = [&](char16_t c, size_t i, size_t j) {
        out.push_back(c);
        t元.push_back({static_cast<int32_t>(i), static_cast<int32_t>(j)});
    };
    bool b括弧内 = false;
    for (size_t i = 0; i < s.size();) {
        const char16_t c = s[i];
        if (f上付(c)) {
            size_t j = i;
            while (j < s.size() && f上付(s[j])) ++j;
            const E上付 e = f上付の扱い(out, b括弧内);
            if (e == E上付::E累乗) f書く(k累乗, i, i + 1);
            for (; i < j; ++i) f書く(e == E上付::E残す ? s[i] : f上付平字(s[i]), i, i + 1);
            continue;
        }
        if (const char16_t* p = f合字展開(c)) {
            for (; *p != 0; ++p) f書く(*p, i, i + 1);
            ++i;
            continue;
        }
        const char16_t r = f一字置換(c);
        if (r == u'[') b括弧内 = true;
        else if (r == u']') b括弧内 = false;
        if (!(r == k累乗 && b括弧内)) f書く(r, i, i + 1);  // a unit reads "m^2" as "m2"
        ++i;
    }
    rs文字列.swap(out);
}
