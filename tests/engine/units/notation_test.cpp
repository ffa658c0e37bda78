// Resolving unit notations: single terms with prefixes and patterns, whole notations
// with operators, groups, exponents and offsets.
#include "engine/units/notation.h"

#include <gtest/gtest.h>

#include <map>

#include <set>

#include <random>

#include "common/ut_common.h"
#include "common/utf.h"
#include "engine/brelvita.h"

namespace {

using A = T意味コ配列型;
const T意味コ配列要素 P{};

struct Resolved {
    A dim;
    T単項表記配列型 terms;
    std::u16string formula;
    T保留補正式配列型 pending;
};

Resolved Resolve(ClsBrelvita& e, const std::u16string& notation) {
    Resolved r;
    e.f意味コ変換(notation, r.dim, r.terms, r.formula, r.pending);
    return r;
}

// The spellings of the term list, in order.
std::vector<std::u16string> Spellings(const T単項表記配列型& terms) {
    std::vector<std::u16string> out;
    for (size_t i = 1; i < terms.size(); ++i) out.push_back(terms[i].s綴り);
    return out;
}

TEST(Notation, SingleTermLookupFollowsRowOrder) {
    struct Case {
        std::u16string term;
        int32_t row, power;  // row 0: not found
    };
    const Case cases[] = {
        {u"m", 2, 0},    {u"mm", 2, -3},  {u"ms", 3, -3},  {u"mHg", 23, 0}, {u"mmHg", 23, -3},
        {u"min", 4, 0},  {u"mon", 17, 0}, {u"h", 5, 0},    {u"ha", 25, 2},  {u"Pa", 19, 0},
        {u"M", 26, 0},   {u"Mt", 7, 6},   {u"kt", 50, 0},  {u"ct", 16, 0},  {u"T", 40, 0},
        {u"t", 7, 0},    {u"ks", 3, 3},   {u"mK", 8, -3},  {u"MW", 31, 6},  {u"kmol", 10, 3},
        {u"dam", 0, 0},  {u"l", 24, 0},   {u"L", 24, 0},   {u"dl", 24, -1}, {u"mL", 24, -3},
        {u"Lx", 0, 0},   {u"°C", 9, 0},   {u"℃", 9, 0},    {u"°Cx", 0, 0},  {u"Å", 27, 0},
        {u"Å", 27, 0},   {u"\u03BCs", 3, -6},               {u"\u00B5s", 0, 0},
        {u"kcal", 32, 3}, {u"GHz", 30, 9}, {u"kΩ", 36, 3},  {u"\u2126", 0, 0},  // ohm sign
        {u"京畳", 55, 0}, {u"田舎畳", 57, 0}, {u"!time", 58, 0}, {u"in", 59, 0},
    };
    for (const auto& c : cases) {
        int32_t row = -1, power = -1;
        EXPECT_EQ(f単一表記検索(c.term, row, power), c.row != 0) << Utf16ToUtf8(c.term);
        EXPECT_EQ(row, c.row) << Utf16ToUtf8(c.term);
        EXPECT_EQ(power, c.power) << Utf16ToUtf8(c.term);
    }
}

// The collision guard: no spelling a row gives (alone or prefixed) may be a spelling of
// another row, or the later row would silently lose it. Every one reads as its own row.
TEST(Notation, NoSpellingOfOneRowIsASpellingOfAnother) {
    std::map<std::u16string, int> owner;
    for (int i = 1; i < D単一表記単位数; ++i) {
        const auto& row = v単一表記単位情報再定義[i];
        for (const auto& w : f綴り候補(row.s綴り)) {
            for (const auto& prefix : t接頭子リスト) {
                if (prefix.s接頭子[0] != 0 && (prefix.lフラグ & row.l接頭子フラグ) == 0) continue;
                const std::u16string term = prefix.s接頭子 + w;
                const auto [it, fresh] = owner.emplace(term, i);
                EXPECT_TRUE(fresh) << Utf16ToUtf8(term) << ": row " << i << " and row " << it->second;
                int32_t found = 0, power = 0;
                EXPECT_TRUE(f単一表記検索(term, found, power) && found == i) << Utf16ToUtf8(term);
                EXPECT_EQ(power, prefix.b二進 ? 0 : prefix.l指数) << Utf16ToUtf8(term);
            }
        }
    }
    // spellings the new rows must not create by a prefix (they mean something else)
    for (const char16_t* s : {u"kt", u"ct", u"ft", u"pt", u"yd", u"cd", u"PS", u"Gs", u"Ma", u"hbar", u"dB"}) {
        const auto it = owner.find(s);
        if (it == owner.end()) continue;
        EXPECT_EQ(Utf16ToUtf8(v単一表記単位情報再定義[it->second].s綴り), Utf16ToUtf8(s));
    }
    EXPECT_GT(owner.size(), 300u);
}

TEST(Notation, WholeNotations) {
    ClsBrelvita e;
    struct Case {
        std::u16string notation;
        A dim;
        std::vector<std::u16string> terms;
        std::u16string formula;
    };
    const Case cases[] = {
        {u"", {P, {u"!11950", 1}}, {}, u""},
        {u"km", {P, {u"!1192", 1}}, {u"km"}, u"*1000*1"},
        {u"km/h", {P, {u"!1192", 1}, {u"!119621", -1}}, {u"km", u"h"}, u"*1000*1/3600"},
        {u"m/s2", {P, {u"!1192", 1}, {u"!119621", -2}}, {u"m", u"s2"}, u"*1/1"},
        {u"cm3", {P, {u"!1192", 3}}, {u"cm3"}, u"/1000000*1"},
        {u"mL", {P, {u"!1192", 3}}, {u"mL"}, u"/1000/1000"},
        {u"min-1", {P, {u"!119621", -1}}, {u"min-1"}, u"/60"},
        {u"kt", {P, {u"!1192", 1}, {u"!119621", -1}}, {u"kt"}, u"*1852/3600"},
        {u"C/(kg*s)", {P, {u"!1190", -1}, {u"!119622", 1}}, {u"C", u"kg", u"s"}, u"/1000*1/1/1"},
        {u"(km", {P, {u"!1192", 1}}, {u"km"}, u"*1000*1"},
        {u"m/(km)h", {P, {u"!119621", -1}}, {u"m", u"km", u"h"}, u"/1000*1/1/3600"},
        {u"xyz", {P, {u"!33066", 1}}, {}, u""},
        {u"km)", {P, {u"!33066", 1}}, {}, u""},
        {u"((km))", {P, {u"!33066", 1}}, {}, u""},
        {u"km/xyz", {P, {u"!33066", 1}}, {}, u""},
        // absurd exponents and prefix powers give the unknown unit, not an error
        {u"m99999999999", {P, {u"!33066", 1}}, {}, u""},
        {u"ym89478485", {P, {u"!33066", 1}}, {}, u""},
        {u"km2000000", {P, {u"!33066", 1}}, {}, u""},
        {u"min123456789", {P, {u"!33066", 1}}, {}, u""},  // 60 to that power: absurd
        {u"m1073741824*m1073741824", {P, {u"!33066", 1}}, {}, u""},
        // an exponent that reads as 0 keeps the term with a zero exponent
        {u"m0", {P, {u"!1192", 0}}, {u"m0"}, u"*1"},
        {u"m-", {P, {u"!1192", 0}}, {u"m-"}, u"*1"},
    };
    for (const auto& c : cases) {
        const Resolved r = Resolve(e, c.notation);
        EXPECT_EQ(r.dim, c.dim) << Utf16ToUtf8(c.notation);
        EXPECT_EQ(Spellings(r.terms), c.terms) << Utf16ToUtf8(c.notation);
        EXPECT_EQ(r.formula, c.formula) << Utf16ToUtf8(c.notation);
        EXPECT_TRUE(r.pending.empty()) << Utf16ToUtf8(c.notation);
    }
}

TEST(Notation, OffsetsBecomePendingCorrections) {
    ClsBrelvita e;
    for (const char16_t* celsius : {u"°C", u"℃"}) {
        const Resolved r = Resolve(e, celsius);
        EXPECT_EQ(r.dim, (A{P, {u"!11931", 1}}));
        EXPECT_EQ(r.formula, u"");
        ASSERT_EQ(r.pending.size(), 2u);
        EXPECT_EQ(r.pending[1], (T保留補正式型{A{P, {u"!11931", 1}}, u"+273.15"}));
    }
}

// Whatever a user types as a notation resolves to something: a unit or the unknown
// unit, never an exception.
TEST(Notation, RandomNotationsNeverFail) {
    ClsBrelvita e;
    const std::u16string pieces[] = {u"m",  u"k",  u"s",  u"h", u"min", u"°C", u"℃", u"l", u"Pa",
                                     u"μ",  u"y",  u"Y",  u"*", u"/",   u"(",  u")", u"2", u"-",
                                     u"0",  u"9",  u"!time", u"???", u"x", std::u16string(1, char16_t{0xD800}), u"[", u"`"};
    std::mt19937 rng(77);
    for (int i = 0; i < 3000; ++i) {
        std::u16string notation;
        for (int n = static_cast<int>(rng() % 8); n-- > 0;) notation += pieces[rng() % std::size(pieces)];
        if (rng() % 8 == 0) notation += IntToStr(rng());  // long exponents too
        Resolved r;
        EXPECT_NO_THROW(e.f意味コ変換(notation, r.dim, r.terms, r.formula, r.pending))
            << Utf16ToUtf8(notation);
    }
}

}  // namespace
