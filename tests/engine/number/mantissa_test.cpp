#include <gtest/gtest.h>

#include "engine/number/digit_strings_ref.h"
#include "engine/number/mantissa.h"
#include "test_support.h"

namespace {

class Mantissa : public ::testing::Test {
protected:
    // base^(p/q) as the number layers hold it.
    T仮数型 Root(const char16_t* base, const char16_t* p, const char16_t* q) {
        return {F(p, q), f分数変換(base, kNoCancel)};
    }
    T仮数型 Plain(const char16_t* value) { return f仮数変換(f分数変換(value, kNoCancel)); }
};

TEST_F(Mantissa, RootsStayExactUntilEvaluated) {
    const T仮数型 half = Plain(u"0.5");
    const T仮数型 four = f仮数累乗(Plain(u"4"), half, kNoCancel);
    EXPECT_EQ(four, Root(u"4", u"1", u"2"));
    EXPECT_EQ(f仮数真数化(four, kNoCancel), F(u"2", u"1"));
    EXPECT_EQ(f仮数真数化(Root(u"27", u"1", u"3"), kNoCancel), F(u"3", u"1"));
    EXPECT_EQ(f仮数真数化(Root(u"0.000625", u"1", u"2"), kNoCancel), F(u"1", u"40"));
    EXPECT_EQ(f仮数真数化(Root(u"10", u"-1", u"1"), kNoCancel), F(u"1", u"10"));

    // (2^(1/2))^2 multiplies exponents: exactly 2, no root computed.
    const T仮数型 squared = f仮数累乗(Root(u"2", u"1", u"2"), Plain(u"2"), kNoCancel);
    EXPECT_EQ(squared, Root(u"2", u"1", u"1"));
}

TEST_F(Mantissa, ProductsAndQuotientsUnderACommonRoot) {
    const T仮数型 sqrt2 = Root(u"2", u"1", u"2");
    EXPECT_EQ(f仮数乗算(sqrt2, Root(u"8", u"1", u"2"), kNoCancel), Root(u"16", u"1", u"2"));
    EXPECT_EQ(f仮数乗算(sqrt2, Plain(u"3"), kNoCancel), Root(u"18", u"1", u"2"));
    EXPECT_EQ(f仮数除算(Root(u"8", u"1", u"2"), sqrt2, kNoCancel), Root(u"4", u"1", u"2"));
    EXPECT_EQ(f仮数乗算(Root(u"2", u"1", u"2"), Root(u"2", u"1", u"3"), kNoCancel),
              Root(u"32", u"1", u"6"));
}

TEST_F(Mantissa, InfiniteAndZeroExponents) {
    EXPECT_EQ(f仮数真数化(Root(u"2", u"1", u"0"), kNoCancel), F(u"1", u"0"));
    EXPECT_EQ(f仮数真数化(Root(u"0", u"-1", u"0"), kNoCancel), F(u"0", u"1"));
    EXPECT_EQ(f仮数真数化(Root(u"2", u"-0", u"1"), kNoCancel), F(u"1", u"1"));
    // An infinite exponent is evaluated before equalising: 2^(1/0) * 3 stays infinite.
    const T仮数型 product = f仮数乗算(Root(u"2", u"1", u"0"), Plain(u"3"), kNoCancel);
    EXPECT_EQ(f分数比較(f仮数真数化(product, kNoCancel), t分数の無限大, kNoCancel), 0);
    EXPECT_TRUE(product.t底.t分母.fゼロ());
}

TEST_F(Mantissa, HugeExponentsOverflowInsteadOfReadingAsZero) {
    const T仮数型 big = f仮数累乗(Plain(u"2"), Plain(u"10000000000"), kNoCancel);
    EXPECT_THROW(f仮数真数化(big, kNoCancel), E整数オーバーフロー);
    EXPECT_THROW(f仮数真数化(Root(u"2", u"1", u"99999999999"), kNoCancel), E整数オーバーフロー);
    EXPECT_EQ(f指数整数変換(T整数型::f読込(u"-2147483648")), INT32_MIN);
    EXPECT_EQ(f指数整数変換(T整数型::f読込(u"-0")), 0);
    EXPECT_THROW(f指数整数変換(T整数型::f読込(u"2147483648")), E整数オーバーフロー);
}

TEST_F(Mantissa, NegativeBasesKeepTheirSign) {
    struct Case {
        T仮数型 a, b;
        bool bDivide;
        T分数型 want;  // value of the result
    };
    const Case cases[] = {
        // exact roots are taken first, so the sign survives a change of root index
        {Root(u"-8", u"1", u"3"), Root(u"4", u"1", u"2"), false, F(u"-4", u"1")},
        {Plain(u"-3"), Root(u"9", u"1", u"2"), false, F(u"-9", u"1")},
        {Root(u"-27", u"1", u"3"), Root(u"4", u"1", u"2"), true, F(u"-3", u"2")},
        {Root(u"-8", u"2", u"3"), Root(u"4", u"1", u"2"), false, F(u"8", u"1")},
        {Root(u"-8", u"1", u"3"), Root(u"-8", u"1", u"3"), false, F(u"4", u"1")},
        {Plain(u"-2"), Plain(u"3"), false, F(u"-6", u"1")},
    };
    for (const auto& c : cases) {
        const T仮数型 r = c.bDivide ? f仮数除算(c.a, c.b, kNoCancel) : f仮数乗算(c.a, c.b, kNoCancel);
        EXPECT_EQ(f仮数真数化(r, kNoCancel), c.want);
    }
    // An odd root that is not exact stays a root of a negative base: -(54^(1/3)).
    EXPECT_EQ(f仮数乗算(Root(u"-2", u"1", u"3"), Plain(u"3"), kNoCancel), Root(u"-54", u"1", u"3"));
    // -2 * 2^(1/2) has no form as one base under one root: an error, never a lost sign.
    EXPECT_THROW(f仮数乗算(Plain(u"-2"), Root(u"2", u"1", u"2"), kNoCancel), E一般例外);
    // Even roots of negative bases have no real value.
    EXPECT_THROW(f仮数乗算(Root(u"-8", u"1", u"2"), Root(u"2", u"1", u"3"), kNoCancel), E一般例外);
    EXPECT_THROW(f仮数乗算(Root(u"-8", u"1", u"2"), Root(u"-2", u"1", u"2"), kNoCancel), E一般例外);
}

TEST_F(Mantissa, FloatingAndComplexLayersPassThrough) {
    const T複素数型 a = f複素数変換(f浮動小数変換(Plain(u"1.5")));
    EXPECT_EQ(a.t虚数.t仮数, Plain(u"0"));
    const T複素数型 b = f複素数変換(f浮動小数変換(Plain(u"0.5")));
    const T複素数型 sum = f複素数加算(a, b, kNoCancel);
    EXPECT_EQ(f仮数真数化(sum.t浮動小数.t仮数, kNoCancel), F(u"2", u"1"));
    EXPECT_EQ(sum.t虚数, T浮動小数型{});  // not computed
    EXPECT_EQ(f仮数真数化(f複素数減算(a, b, kNoCancel).t浮動小数.t仮数, kNoCancel), F(u"1", u"1"));
    EXPECT_EQ(f仮数真数化(f複素数乗算(a, b, kNoCancel).t浮動小数.t仮数, kNoCancel), F(u"3", u"4"));
    EXPECT_EQ(f仮数真数化(f複素数除算(a, b, kNoCancel).t浮動小数.t仮数, kNoCancel), F(u"3", u"1"));
    EXPECT_EQ(f複素数累乗(a, b, kNoCancel).t浮動小数.t仮数, Root(u"1.5", u"1", u"2"));
}

}  // namespace

#include <random>

#include "common/ut_common.h"
#include "common/utf.h"

namespace {

// Products and quotients of rational mantissas (plain numbers, and exact roots such as
// 4^(1/2)) equal the product and quotient of their values, whichever way they are formed.
TEST_F(Mantissa, ProductsOfRationalMantissasEqualProductsOfTheirValues) {
    std::mt19937 rng(97531);
    // Numerators and denominators of 2s and 5s only: a root is evaluated as a decimal
    // expansion, which must end for the value to be exact.
    static const char16_t* tame[] = {u"1", u"2", u"4", u"5", u"8", u"10", u"16", u"25", u"40", u"125"};
    const auto random = [&]() -> T仮数型 {
        const std::u16string sign = rng() % 3 == 0 ? u"-" : u"";
        const std::u16string n = tame[rng() % std::size(tame)], d = tame[rng() % std::size(tame)];
        const auto reduced = [](const std::u16string& num, const std::u16string& den) {
            return f約分(F(num, den), kNoCancel);
        };
        switch (rng() % 3) {
            case 0: return {F(u"1", u"1"), reduced(sign + f整数乗算(n, tame[rng() % std::size(tame)]), d)};
            case 1: return {F(u"1", u"2"), f分数累乗(reduced(n, d), 2, kNoCancel)};  // square under a square root
            default: return {F(u"1", u"3"), f分数累乗(reduced(sign + n, d), 3, kNoCancel)};  // cube under a cube root
        }
    };
    for (int i = 0; i < 600; ++i) {
        const T仮数型 a = random(), b = random();
        const T分数型 va = f仮数真数化(a, kNoCancel), vb = f仮数真数化(b, kNoCancel);
        T仮数型 product;
        try {
            product = f仮数乗算(a, b, kNoCancel);
        } catch (const E一般例外&) {
            continue;  // a negative value under an even root index has no real form
        }
        ASSERT_EQ(f分数比較(f仮数真数化(product, kNoCancel), f分数乗算(va, vb, kNoCancel), kNoCancel), 0);
        if (vb.t分子.fゼロ() || a.t指数.t分母.f等値(1) != b.t指数.t分母.f等値(1)) continue;
        const T分数型 quotient = f仮数真数化(f仮数除算(a, b, kNoCancel), kNoCancel);
        ASSERT_EQ(f分数比較(quotient, f分数除算(va, vb, kNoCancel), kNoCancel), 0);
    }
}

}  // namespace
