#include <gtest/gtest.h>

#include <map>
#include <random>

#include "common/ut_common.h"
#include "engine/number/digit_strings_ref.h"
#include "engine/number/fraction.h"
#include "test_support.h"

namespace {

TEST(Fraction, DecimalTextToFraction) {
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
        EXPECT_EQ(f分数変換(c.text, kNoCancel), c.want) << "text length " << c.text.size();
    }
}

// The constants are the fractions f分数変換 reads, down to the mark of lowest terms that
// lets operations take their shortcuts; the infinity must not carry it.
TEST(Fraction, ConstantsAreMarkedAsTheirReadings) {
    const std::pair<const T分数型*, T分数型> cases[] = {
        {&t分数の0, f分数変換(u"0", kNoCancel)},
        {&t分数の1, f分数変換(u"1", kNoCancel)},
        {&t分数の無限大, f分数除算(t分数の1, t分数の0, kNoCancel)},
    };
    for (const auto& [constant, reading] : cases) {
        EXPECT_EQ(*constant, reading);
        EXPECT_EQ(constant->b既約確認済, reading.b既約確認済) << Utf16ToUtf8(reading.t分母.f文字列());
    }
}

TEST(Fraction, Reduction) {
    EXPECT_EQ(f約分(F(u"6", u"-4"), kNoCancel), F(u"-3", u"2"));
    EXPECT_EQ(f約分(F(u"-6", u"-4"), kNoCancel), F(u"3", u"2"));
    EXPECT_EQ(f約分(F(u"0", u"16"), kNoCancel), F(u"0", u"16"));
    EXPECT_EQ(f約分(F(u"0", u"-2"), kNoCancel), F(u"-0", u"2"));
    EXPECT_EQ(f約分(F(u"3", u"0"), kNoCancel), F(u"3", u"0"));
    EXPECT_EQ(f約分(F(u"-12", u"18"), kNoCancel), F(u"-2", u"3"));
}

TEST(Fraction, Comparison) {
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
    for (const auto& c : cases) EXPECT_EQ(f分数比較(c.a, c.b, kNoCancel), c.want);
}

// The plain formulas on digit strings: products of numerators and denominators by the
// integer operations, then one reduction that leaves a magnitude of "0" or "1" alone and
// moves a denominator's "-" to the numerator.
struct PlainFraction {
    using S = std::u16string;
    std::pair<S, S> Reduce(S num, S den) const {
        const S g = f整数最大公約数(num, den);
        if (g != u"1") {
            f整数商余(num, g, num);
            f整数商余(den, g, den);
        }
        S sign = f符号取出し(den);
        if (num.starts_with(u'-') && sign == u"-") {
            f符号取出し(num);
            sign.clear();
        }
        return {sign + num, den};
    }
    std::pair<S, S> Apply(char op, const std::pair<S, S>& a, const std::pair<S, S>& b) const {
        const S ad = f整数乗算(a.first, b.second), bc = f整数乗算(b.first, a.second);
        switch (op) {
            case '+': return Reduce(f整数加算(ad, bc), f整数乗算(a.second, b.second));
            case '-': return Reduce(f整数減算(ad, bc), f整数乗算(a.second, b.second));
            case '*': return Reduce(f整数乗算(a.first, b.first), f整数乗算(a.second, b.second));
            default: return Reduce(ad, f整数乗算(a.second, b.first));
        }
    }
};

std::pair<std::u16string, std::u16string> Texts(const T分数型& f) { return {f.t分子.f文字列(), f.t分母.f文字列()}; }

// Whatever shortcuts the operations take for operands known to be reduced, every result
// is the fraction of the plain formula: reduced or not, zeros with their denominators and
// signs, infinities, 0/0.
TEST(Fraction, OperationsGiveThePlainFormulasFractions) {
    const PlainFraction plain;
    std::mt19937_64 rng(4242);
    const auto number = [&rng](bool allowNegative) {
        static const char16_t* special[] = {u"0", u"1", u"2", u"6", u"10", u"-0", u"999999999", u"4294967296"};
        std::u16string n = rng() % 3 == 0 ? std::u16string(special[rng() % 8])
                                          : RandomDigits(rng, 1 + static_cast<int>(rng() % (rng() % 4 ? 12 : 45)));
        if (n == u"-0" && !allowNegative) n = u"0";
        if (allowNegative && !n.starts_with(u'-') && rng() % 3 == 0) n = u"-" + n;
        return n;
    };
    // Operands as written, and the same after a reduction (which marks them reduced).
    const auto operand = [&] {
        T分数型 f = F(number(true), number(rng() % 8 == 0));
        if (rng() % 4 == 0) f = F(f.t分子.f文字列(), u"1");
        return rng() % 3 ? f約分(f, kNoCancel) : f;
    };
    for (int i = 0; i < 6000; ++i) {
        const T分数型 a = operand(), b = rng() % 6 == 0 ? a : operand();
        const char op = "+-*/"[rng() % 4];
        const T分数型 got = op == '+' ? f分数加算(a, b, kNoCancel) : op == '-' ? f分数減算(a, b, kNoCancel)
                         : op == '*' ? f分数乗算(a, b, kNoCancel) : f分数除算(a, b, kNoCancel);
        const auto want = plain.Apply(op, Texts(a), Texts(b));
        ASSERT_EQ(Texts(got), want) << Utf16ToUtf8(Texts(a).first + u"/" + Texts(a).second) << " " << op << " "
                                    << Utf16ToUtf8(Texts(b).first + u"/" + Texts(b).second);
        const auto d = plain.Apply('-', Texts(a), Texts(b)).first;  // the comparison by its definition
        ASSERT_EQ(f分数比較(a, b, kNoCancel), d == u"0" ? 0 : (d.front() == u'-' ? -1 : 1));
        if (i % 8 == 0 && f分数比較(a, t分数の0, kNoCancel) != 0 && f分数比較(a, t分数の1, kNoCancel) != 0) {
            // Powers by squaring and multiplying with the plain products.
            const int32_t n = static_cast<int32_t>(rng() % 9) - 4;
            auto want = std::pair{std::u16string(u"1"), std::u16string(u"1")}, square = Texts(a);
            for (int32_t m = std::abs(n); m > 0; m /= 2) {
                if (m % 2) want = plain.Apply('*', want, square);
                if (m > 1) square = plain.Apply('*', square, square);
            }
            if (n == 1 || n == -1) want = Texts(a);
            if (n < 0) want = plain.Apply('/', {u"1", u"1"}, want);
            ASSERT_EQ(Texts(f分数累乗(a, n, kNoCancel)), want) << n;
        }
    }
}

TEST(Fraction, Arithmetic) {
    EXPECT_EQ(f分数加算(F(u"1", u"2"), F(u"1", u"3"), kNoCancel), F(u"5", u"6"));
    EXPECT_EQ(f分数減算(F(u"3", u"4"), F(u"3", u"4"), kNoCancel), F(u"0", u"16"));
    EXPECT_EQ(f分数乗算(F(u"-2", u"3"), F(u"-3", u"4"), kNoCancel), F(u"1", u"2"));
    EXPECT_EQ(f分数除算(F(u"1", u"2"), F(u"-1", u"3"), kNoCancel), F(u"-3", u"2"));
    EXPECT_EQ(f分数除算(F(u"1", u"1"), F(u"0", u"1"), kNoCancel), F(u"1", u"0"));
    EXPECT_EQ(f分数除算(F(u"-1", u"1"), F(u"0", u"1"), kNoCancel), F(u"-1", u"0"));
    EXPECT_EQ(f分数除算(F(u"0", u"1"), F(u"0", u"1"), kNoCancel), F(u"0", u"0"));
}

TEST(Fraction, IntegerPowers) {
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
    for (const auto& c : cases) EXPECT_EQ(f分数累乗(c.base, c.n, kNoCancel), c.want) << c.n;
    EXPECT_EQ(f分数累乗(F(u"2", u"1"), 100, kNoCancel).t分子.f文字列(), u"1267650600228229401496703205376");
    EXPECT_THROW(f分数累乗(F(u"2", u"1"), INT32_MIN, kNoCancel), E整数オーバーフロー);
}

TEST(Fraction, RadixTexts) {
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
        T整数型 out(-1);
        EXPECT_EQ(f基数自然数値変換(c.digits, c.radix, out, kNoCancel), !c.want.empty()) << c.radix;
        if (!c.want.empty()) {
            EXPECT_EQ(out.f文字列(), c.want);
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
        EXPECT_TRUE(f小数基数10進分数変換(c.digits, c.radix, out, kNoCancel));
        EXPECT_EQ(out, c.want) << c.radix;
    }
    T分数型 out;
    EXPECT_FALSE(f小数基数10進分数変換(u"12`", 2, out, kNoCancel));
    EXPECT_FALSE(f小数基数10進分数変換(u"9", 8, out, kNoCancel));
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
        ASSERT_TRUE(f小数基数10進分数変換(digits, static_cast<int32_t>(r), got, kNoCancel)) << r;
        const T分数型 want =
            f約分(F(IntToStr(static_cast<int64_t>(p)), IntToStr(static_cast<int64_t>(q))), kNoCancel);
        ASSERT_EQ(f分数比較(got, want, kNoCancel), 0) << p << "/" << q << " radix " << r;
    }
}

}  // namespace
