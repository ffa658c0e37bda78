#include <gtest/gtest.h>

#include <map>
#include <random>

#include "common/ut_common.h"
#include "engine/brelvita.h"
#include "test_support.h"

namespace {

T分数型 F(const std::u16string& num, const std::u16string& den) { return {num, den}; }

TEST(Fraction, DecimalTextToFraction) {
    ClsBrelvita e;
    struct Case {
        std::u16string text;
        T分数型 want;
    };
    const Case cases[] = {
        {u"0.75", F(u"3", u"4")},       {u"-2.5", F(u"-5", u"2")},
        {u"12", F(u"12", u"1")},        {u"0.00000000125", F(u"1", u"800000000")},
        {u"0.3`", F(u"1", u"3")},       {u"3.1`42857`", F(u"22", u"7")},
        {u"0.046`29`", F(u"5", u"108")}, {u"0.9`", F(u"1", u"1")},
        {u"0.06`6`", F(u"1", u"15")},   {u"1.024`32`", F(u"379", u"370")},
        {u"-0.3`", F(u"-1", u"3")},     {u"0", F(u"0", u"1")},
        {u"-12", F(u"-12", u"1")},      {u"0.0`9`", F(u"1", u"11")},
    };
    for (const auto& c : cases) {
        const T分数型 got = e.f分数変換(c.text);
        EXPECT_EQ(got.s分子, c.want.s分子) << "text length " << c.text.size();
        EXPECT_EQ(got.s分母, c.want.s分母);
    }
}

TEST(Fraction, Reduction) {
    ClsBrelvita e;
    EXPECT_EQ(e.f約分(F(u"6", u"-4")), F(u"-3", u"2"));
    EXPECT_EQ(e.f約分(F(u"-6", u"-4")), F(u"3", u"2"));
    EXPECT_EQ(e.f約分(F(u"0", u"16")), F(u"0", u"16"));
    EXPECT_EQ(e.f約分(F(u"0", u"-2")), F(u"-0", u"2"));
    EXPECT_EQ(e.f約分(F(u"3", u"0")), F(u"3", u"0"));
    EXPECT_EQ(e.f約分(F(u"-12", u"18")), F(u"-2", u"3"));
}

TEST(Fraction, Comparison) {
    ClsBrelvita e;
    struct Case {
        T分数型 a, b;
        int32_t want;
    };
    const Case cases[] = {
        {F(u"1", u"3"), F(u"2", u"6"), 0},   {F(u"-1", u"2"), F(u"1", u"3"), -1},
        {F(u"0", u"16"), F(u"0", u"1"), 0},  {F(u"1", u"0"), F(u"5", u"1"), 1},
        {F(u"-1", u"0"), F(u"5", u"1"), -1}, {F(u"1", u"0"), F(u"-1", u"0"), 0},
        {F(u"0", u"0"), F(u"5", u"1"), 0},   {F(u"-0", u"1"), F(u"0", u"1"), 0},
        {F(u"2", u"3"), F(u"3", u"5"), 1},
    };
    for (const auto& c : cases) EXPECT_EQ(e.f分数比較(c.a, c.b), c.want);
}

// Comparisons decided from the texts alone must agree with comparing by subtraction.
TEST(Fraction, ComparisonShortcutsAgreeWithSubtraction) {
    ClsBrelvita e;
    std::mt19937_64 rng(4242);
    const auto number = [&rng](bool allowNegative) {
        static const char16_t* special[] = {u"0", u"1", u"2", u"10", u"999999999", u"1000000000"};
        std::u16string n = rng() % 3 == 0 ? std::u16string(special[rng() % 6])
                                          : RandomDigits(rng, 1 + static_cast<int>(rng() % 25));
        if (allowNegative && n != u"0" && rng() % 3 == 0) n = u"-" + n;
        return n;
    };
    for (int i = 0; i < 4000; ++i) {
        T分数型 a = F(number(true), number(false));
        if (a.s分母 == u"0") a.s分母 = u"1";
        T分数型 b;
        switch (rng() % 4) {
            case 0: b = F(u"0", u"1"); break;
            case 1: b = F(u"1", u"1"); break;
            case 2: b = a; break;
            default: b = F(number(true), u"7");
        }
        if (rng() % 5 == 0) a.s分母 = a.s分子.starts_with(u"-") ? a.s分子.substr(1) : a.s分子;  // value ±1
        if (a.s分母 == u"0") a.s分母 = u"3";
        const std::u16string d = e.f分数減算(a, b).s分子;  // the comparison by its definition
        const int32_t want = d == u"0" ? 0 : (d.front() == u'-' ? -1 : 1);
        ASSERT_EQ(e.f分数比較(a, b), want) << Utf16ToUtf8(a.s分子 + u"/" + a.s分母 + u" vs " + b.s分子 + u"/" + b.s分母);
    }
}

TEST(Fraction, Arithmetic) {
    ClsBrelvita e;
    EXPECT_EQ(e.f分数加算(F(u"1", u"2"), F(u"1", u"3")), F(u"5", u"6"));
    EXPECT_EQ(e.f分数減算(F(u"3", u"4"), F(u"3", u"4")), F(u"0", u"16"));
    EXPECT_EQ(e.f分数乗算(F(u"-2", u"3"), F(u"-3", u"4")), F(u"1", u"2"));
    EXPECT_EQ(e.f分数除算(F(u"1", u"2"), F(u"-1", u"3")), F(u"-3", u"2"));
    EXPECT_EQ(e.f分数除算(F(u"1", u"1"), F(u"0", u"1")), F(u"1", u"0"));
    EXPECT_EQ(e.f分数除算(F(u"-1", u"1"), F(u"0", u"1")), F(u"-1", u"0"));
    EXPECT_EQ(e.f分数除算(F(u"0", u"1"), F(u"0", u"1")), F(u"0", u"0"));
}

TEST(Fraction, IntegerPowers) {
    ClsBrelvita e;
    struct Case {
        T分数型 base;
        int32_t n;
        T分数型 want;
    };
    const Case cases[] = {
        {F(u"2", u"3"), 3, F(u"8", u"27")}, {F(u"2", u"1"), -1, F(u"1", u"2")},
        {F(u"-1", u"2"), 2, F(u"1", u"4")}, {F(u"5", u"1"), 0, F(u"1", u"1")},
        {F(u"0", u"1"), 0, F(u"0", u"1")},  {F(u"0", u"1"), -1, F(u"0", u"1")},
        {F(u"1", u"0"), -1, F(u"0", u"1")}, {F(u"1", u"0"), 2, F(u"1", u"0")},
        {F(u"-2", u"1"), 5, F(u"-32", u"1")}, {F(u"-2", u"3"), -3, F(u"-27", u"8")},
    };
    for (const auto& c : cases) EXPECT_EQ(e.f分数累乗(c.base, c.n), c.want) << c.n;
    EXPECT_EQ(e.f分数累乗(F(u"2", u"1"), 100).s分子, u"1267650600228229401496703205376");
    EXPECT_THROW(e.f分数累乗(F(u"2", u"1"), INT32_MIN), E整数オーバーフロー);
}

TEST(Fraction, RadixTexts) {
    ClsBrelvita e;
    struct Case {
        std::u16string digits;
        int32_t radix;
        std::u16string want;  // "" for false
    };
    const Case naturals[] = {
        {u"1010", 2, u"10"}, {u"ff", 16, u"255"}, {u"FF", 16, u"255"}, {u"z", 36, u"35"},
        {u"2", 2, u""},      {u"G", 16, u""},     {u"", 7, u"0"},      {u"0", 2, u"0"},
        {u"10", 36, u"36"},  {u"007", 10, u"7"},
    };
    for (const auto& c : naturals) {
        std::u16string out;
        EXPECT_EQ(e.f基数自然数10進変換(c.digits, c.radix, out), !c.want.empty()) << c.radix;
        if (!c.want.empty()) {
            EXPECT_EQ(out, c.want);
        }
    }
    struct FracCase {
        std::u16string digits;
        int32_t radix;
        T分数型 want;
    };
    const FracCase fractions[] = {
        {u"4", 16, F(u"1", u"4")},  {u"f`", 16, F(u"1", u"1")}, {u"1`", 16, F(u"1", u"15")},
        {u"0`", 10, F(u"0", u"9")}, {u"1", 2, F(u"1", u"2")},   {u"00`011`", 2, F(u"1", u"10")}, {u"0`011`", 2, F(u"1", u"5")},
    };
    for (const auto& c : fractions) {
        T分数型 out;
        EXPECT_TRUE(e.f小数基数10進分数変換(c.digits, c.radix, out));
        EXPECT_EQ(out, c.want) << c.radix;
    }
    T分数型 out;
    EXPECT_FALSE(e.f小数基数10進分数変換(u"12`", 2, out));
    EXPECT_FALSE(e.f小数基数10進分数変換(u"9", 8, out));
}

// The fraction digits of p/q (0 <= p < q) in radix r with the cycle marked, by a plain
// long division that remembers where each remainder was met.
std::u16string RadixDigits(uint64_t p, uint64_t q, uint32_t r) {
    std::u16string digits;
    std::map<uint64_t, size_t> seen;
    while (p != 0 && !seen.count(p)) {
        seen[p] = digits.size();
        p *= r;
        digits.push_back(fn進1桁変換(static_cast<int32_t>(p / q)));
        p %= q;
    }
    if (p == 0) return digits;
    const size_t start = seen[p];
    digits.insert(start + 1, 1, u'`');
    if (digits.back() != u'`') digits.push_back(u'`');
    return digits;
}

TEST(Fraction, RadixFractionDigitsReadBackAsTheFraction) {
    ClsBrelvita e;
    std::mt19937_64 rng(36);
    for (int i = 0; i < 3000; ++i) {
        const uint64_t q = 1 + rng() % 2000, p = rng() % q;
        const uint32_t r = 2 + static_cast<uint32_t>(rng() % 35);
        std::u16string digits = RadixDigits(p, q, r);
        if (rng() % 2) {  // lower-case letters are read too
            for (auto& c : digits) c = static_cast<char16_t>(std::tolower(c));
        }
        if (digits.empty()) digits = u"0";
        T分数型 got;
        ASSERT_TRUE(e.f小数基数10進分数変換(digits, static_cast<int32_t>(r), got)) << r;
        const T分数型 want = e.f約分({IntToStr(static_cast<int64_t>(p)), IntToStr(static_cast<int64_t>(q))});
        ASSERT_EQ(e.f分数比較(got, want), 0) << p << "/" << q << " radix " << r;
    }
}

}  // namespace
