// The split big-number operations against single GMP calls, with the split limits lowered
// so that numbers of a few hundred bits already go through the pieces; and the integers
// with their small-value path and signed zero.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <chrono>
#include <random>
#include <string>

#include "common/utf.h"
#include "engine/number/huge.h"
#include "engine/number/integer.h"
#include "test_support.h"

namespace {

// A random integer of up to maxBits bits, often with long runs of ones or zeros, which
// exercise carries and the quotient corrections.
void Random(mpz_ptr r, std::mt19937_64& rng, uint64_t maxBits) {
    const uint64_t bits = 1 + rng() % maxBits;
    mpz_set_ui(r, 0);
    for (uint64_t done = 0; done < bits;) {
        const uint64_t run = std::min<uint64_t>(bits - done, 1 + rng() % 200);
        mpz_mul_2exp(r, r, run);
        if (rng() % 3 == 0) {
            mpz_t ones;
            mpz_init(ones);
            mpz_setbit(ones, run);
            mpz_sub_ui(ones, ones, 1);
            mpz_add(r, r, ones);
            mpz_clear(ones);
        } else if (rng() % 2 == 0) {
            mpz_add_ui(r, r, rng() & ((uint64_t{1} << std::min<uint64_t>(run, 63)) - 1));
        }
        done += run;
    }
    if (rng() % 4 == 0) mpz_neg(r, r);
}

std::string Text(mpz_srcptr a) {
    std::string s(mpz_sizeinbase(a, 10) + 2, '\0');
    mpz_get_str(s.data(), 10, a);
    return s.c_str();
}

TEST(Huge, SplitOperationsMatchSingleCalls) {
    SplitLimitsGuard split(192);
    const Tキャンセル検査 none;
    std::mt19937_64 rng(271828);
    T作業整数 a, b, got, got2, want, want2;
    for (int i = 0; i < 3000; ++i) {
        Random(a, rng, 2500);
        Random(b, rng, rng() % 2 ? 2500 : 300);
        fZ乗算(got, a, b, none);
        mpz_mul(want, a, b);
        ASSERT_EQ(mpz_cmp(got, want), 0) << Text(a) << " * " << Text(b);
        if (mpz_sgn(b) == 0) continue;
        fZ商余(got, got2, a, b, none);
        mpz_tdiv_qr(want, want2, a, b);
        ASSERT_EQ(mpz_cmp(got, want), 0) << Text(a) << " / " << Text(b);
        ASSERT_EQ(mpz_cmp(got2, want2), 0) << Text(a) << " % " << Text(b);
        fZ最大公約数(got, a, b, none);
        mpz_gcd(want, a, b);
        ASSERT_EQ(mpz_cmp(got, want), 0) << "gcd " << Text(a) << ", " << Text(b);
    }
    // Prime factors counted in pieces, as GMP counts them in one call.
    for (int i = 0; i < 300; ++i) {
        Random(a, rng, 3000);
        if (mpz_sgn(a) == 0) continue;
        const unsigned long p = std::array{2ul, 3ul, 5ul, 7ul}[rng() % 4];
        T作業整数 power, factor;
        mpz_ui_pow_ui(power, p, rng() % 400);
        mpz_mul(a, a, power);
        mpz_set_ui(factor, p);
        const uint64_t count = fZ素因数個数(a, p, got, none);
        const uint64_t wantCount = mpz_remove(want, a, factor);
        mpz_abs(want, want);
        ASSERT_EQ(count, wantCount) << Text(a) << " by " << p;
        ASSERT_EQ(mpz_cmp(got, want), 0) << Text(a) << " by " << p;
    }
    // In place: the result may be an operand.
    Random(a, rng, 2000);
    mpz_mul(want, a, a);
    fZ乗算(a, a, a, none);
    EXPECT_EQ(mpz_cmp(a, want), 0);
}

TEST(Huge, PowersAndRootsMatchSingleCalls) {
    SplitLimitsGuard split(192);
    const Tキャンセル検査 none;
    std::mt19937_64 rng(314159);
    T作業整数 a, got, want, upper, cube;
    for (int i = 0; i < 400; ++i) {
        Random(a, rng, 400);
        const uint64_t e = rng() % 12;
        fZ冪(got, a, e, none);
        mpz_pow_ui(want, a, e);
        ASSERT_EQ(mpz_cmp(got, want), 0) << Text(a) << "^" << e;
        mpz_abs(a, a);
        const uint64_t n = 1 + rng() % 7;
        mpz_root(want, a, n);
        fZ冪根(got, a, n, nullptr, none);
        ASSERT_EQ(mpz_cmp(got, want), 0) << Text(a) << " root " << n;
        // From any start at or above the root.
        mpz_add_ui(upper, want, 1 + rng() % 1000);
        if (rng() % 2) mpz_mul_ui(upper, upper, 1 + rng() % 50);
        fZ冪根(got, a, n, upper, none);
        ASSERT_EQ(mpz_cmp(got, want), 0) << Text(a) << " root " << n << " from " << Text(upper);
    }
    // Exact powers and their neighbours.
    for (int i = 0; i < 200; ++i) {
        Random(a, rng, 600);
        mpz_abs(a, a);
        mpz_pow_ui(cube, a, 3);
        for (int d = -1; d <= 1; ++d) {
            T作業整数 x;
            mpz_set(x, cube);
            if (d < 0 && mpz_sgn(x) > 0) mpz_sub_ui(x, x, 1);
            if (d > 0) mpz_add_ui(x, x, 1);
            mpz_root(want, x, 3);
            fZ冪根(got, x, 3, nullptr, none);
            ASSERT_EQ(mpz_cmp(got, want), 0) << Text(x);
        }
    }
}

TEST(Huge, TextsInEveryRadixRoundTrip) {
    SplitLimitsGuard split(160);
    const Tキャンセル検査 none;
    std::mt19937_64 rng(161803);
    T作業整数 a, back;
    for (int i = 0; i < 600; ++i) {
        Random(a, rng, 3000);
        mpz_abs(a, a);
        const int radix = 2 + static_cast<int>(rng() % 35);
        std::string want(mpz_sizeinbase(a, radix) + 2, '\0');
        mpz_get_str(want.data(), -radix, a);
        want = want.c_str();
        std::u16string got;
        T分割文字列化 text(a, radix);
        int pieces = 0;
        while (text.f次(got, none)) ++pieces;
        ASSERT_EQ(Utf16ToUtf8(got), want) << "radix " << radix;
        // Padded to a width, zeros in front.
        const uint64_t width = want.size() + rng() % 300;
        got.clear();
        T分割文字列化(a, radix, width).f全部(got, none);
        ASSERT_EQ(Utf16ToUtf8(got), std::string(width - want.size(), '0') + want);
        fZ文字列読込(back, got, radix, none);
        ASSERT_EQ(mpz_cmp(back, a), 0) << "radix " << radix;
    }
}

// A cancel inside a split operation leaves its operands and its result as they were.
TEST(Huge, CancelInsideAPieceLeavesTheResultAlone) {
    SplitLimitsGuard split(256);
    T取消要求 request;
    int calls = 0;
    request.f監視設定([&] { if (++calls == 5) request.f要求(); }, 0);
    const Tキャンセル検査 check(&request);
    std::mt19937_64 rng(1);
    T作業整数 a, b, r;
    Random(a, rng, 20000);
    Random(b, rng, 20000);
    mpz_set_ui(r, 7);
    EXPECT_THROW(fZ乗算(r, a, b, check), Eキャンセル指示);
    EXPECT_EQ(mpz_cmp_ui(r, 7), 0);
    calls = 0;
    EXPECT_THROW(fZ冪根(r, a, 3, nullptr, check), Eキャンセル指示);
    EXPECT_EQ(mpz_cmp_ui(r, 7), 0);
}

// A gcd of two long numbers runs beside the caller: a cancel while it runs leaves at once,
// and the next gcd (which waits for the abandoned one) is right.
TEST(Huge, CancelDuringALongGcd) {
    SplitLimitsGuard split(256);
    T取消要求 request;
    T作業整数 a, b, g, want;
    gmp_randstate_t state;
    gmp_randinit_default(state);
    mpz_urandomb(a, state, 2000000);
    mpz_urandomb(b, state, 2000000);
    gmp_randclear(state);
    mpz_mul_ui(a, a, 12345);
    mpz_mul_ui(b, b, 12345);
    // The cancel comes a few milliseconds in, while the gcd itself runs (a single call
    // of GMP's would take ten times as long).
    const auto start = std::chrono::steady_clock::now();
    request.f監視設定([&] {
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(5)) request.f要求();
    }, 0);
    const Tキャンセル検査 check(&request);
    EXPECT_THROW(fZ最大公約数(g, a, b, check), Eキャンセル指示);
    request.f監視設定(nullptr);
    request.f取下げ();
    fZ最大公約数(g, a, b, check);
    mpz_gcd(want, a, b);
    EXPECT_EQ(mpz_cmp(g, want), 0);
}

// The integers follow the digit-string rules: sums never give -0, a zero product or
// quotient takes the sign of exactly one operand written with "-", remainders the
// dividend's; and values crossing 63 bits give the same digits either way.
TEST(IntegerValue, SignedZeroAndTheSmallValueBoundary) {
    const Tキャンセル検査 none;
    const auto I = [](std::u16string_view s) { return T整数型::f読込(s); };
    struct Case {
        const char16_t *a, *b, *sum, *diff, *product, *quotient, *remainder;
    };
    const Case cases[] = {
        {u"-0", u"5", u"5", u"-5", u"-0", u"-0", u"-0"},
        {u"0", u"-5", u"-5", u"5", u"-0", u"-0", u"0"},
        {u"-0", u"-0", u"0", u"0", u"0", nullptr, nullptr},
        {u"-6", u"3", u"-3", u"-9", u"-18", u"-2", u"-0"},
        {u"-1", u"2", u"1", u"-3", u"-2", u"-0", u"-1"},
        {u"9223372036854775807", u"1", u"9223372036854775808", u"9223372036854775806",
         u"9223372036854775807", u"9223372036854775807", u"0"},
        {u"-9223372036854775807", u"-1", u"-9223372036854775808", u"-9223372036854775806",
         u"9223372036854775807", u"9223372036854775807", u"-0"},
        {u"-9223372036854775808", u"-1", u"-9223372036854775809", u"-9223372036854775807",
         u"9223372036854775808", u"9223372036854775808", u"-0"},
        {u"4611686018427387904", u"2", u"4611686018427387906", u"4611686018427387902",
         u"9223372036854775808", u"2305843009213693952", u"0"},
        {u"18446744073709551616", u"-18446744073709551615", u"1", u"36893488147419103231",
         u"-340282366920938463444927863358058659840", u"-1", u"1"},
    };
    for (const auto& c : cases) {
        const T整数型 a = I(c.a), b = I(c.b);
        EXPECT_EQ(f和(a, b).f文字列(), c.sum) << Utf16ToUtf8(c.a);
        EXPECT_EQ(f差(a, b).f文字列(), c.diff) << Utf16ToUtf8(c.a);
        EXPECT_EQ(f積(a, b, none).f文字列(), c.product) << Utf16ToUtf8(c.a);
        if (c.quotient == nullptr) continue;
        T整数型 q, r;
        f商余(a, b, q, r, none);
        EXPECT_EQ(q.f文字列(), c.quotient) << Utf16ToUtf8(c.a);
        EXPECT_EQ(r.f文字列(), c.remainder) << Utf16ToUtf8(c.a);
    }
    EXPECT_EQ(f符号反転(I(u"0")).f文字列(), u"-0");
    EXPECT_EQ(f符号反転(I(u"-0")).f文字列(), u"0");
    EXPECT_EQ(f絶対値(I(u"-9223372036854775808")).f文字列(), u"9223372036854775808");
    EXPECT_EQ(I(u"-00012").f文字列(), u"-12");
    EXPECT_FALSE(I(u"-0") == I(u"0"));  // the same value, not the same text
    EXPECT_EQ(f大小比較(I(u"-0"), I(u"0")), 0);
    EXPECT_THROW(I(u"12a"), E一般例外);
    // Sizes beyond what GMP can hold are an overflow, never the end of the process.
    EXPECT_THROW(f冪(I(u"18446744073709551616"), 2147483647, none), E整数オーバーフロー);
}

}  // namespace

namespace {

// The size estimates' logarithms: the radix table is the maths library's log2 itself, and
// the mantissa series agrees with it to a few units in the last place.
TEST(Huge, LogarithmsOfTheEstimatesAreTheMathsLibrarys) {
    for (int r = 2; r <= 36; ++r) EXPECT_EQ(f基数2進対数(r), std::log2(r)) << r;
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(0.5, 1.0);
    for (int i = 0; i < 10000; ++i) {
        const double m = i == 0 ? 0.5 : mantissa(rng);
        EXPECT_NEAR(f仮数2進対数(m), std::log2(m), 1e-15) << m;
    }
}

}  // namespace
