// The digit-string natural numbers the literal methods of the tests work with, and through
// them the integer layer's reading, writing and arithmetic of decimal texts.
#include <gtest/gtest.h>

#include "engine/number/digit_strings_ref.h"

namespace {

struct Binary {
    std::u16string a, b, want;
};

TEST(Natural, AdditionSubtractionComparison) {
    const Binary sums[] = {
        {u"999999999", u"1", u"1000000000"}, {u"0", u"0", u"0"}, {u"", u"7", u"7"},
        {u"7", u"", u"7"}, {u"", u"", u"0"}, {u"123456789123456789", u"876543210876543211",
                                              u"1000000000000000000"},
    };
    for (const auto& c : sums) EXPECT_EQ(f自然数加算(c.a, c.b), c.want) << c.want.size();

    const Binary larger[] = {
        {u"1000000000", u"1", u"999999999"}, {u"5", u"5", u"0"}, {u"10", u"", u"10"},
        {u"1000000000000000000000", u"1", u"999999999999999999999"},
    };
    for (const auto& c : larger) EXPECT_EQ(f自然数大小減算(c.a, c.b), c.want);

    const Binary signedDiffs[] = {{u"3", u"10", u"-7"}, {u"10", u"10", u"0"}, {u"10", u"3", u"7"}};
    for (const auto& c : signedDiffs) EXPECT_EQ(f自然数減算(c.a, c.b), c.want);

    EXPECT_EQ(f自然数比較(u"9", u"10"), -1);
    EXPECT_EQ(f自然数比較(u"12", u"12"), 0);
    EXPECT_EQ(f自然数比較(u"13", u"12"), 1);
    EXPECT_EQ(f自然数比較(u"100", u"99"), 1);
}

TEST(Natural, Multiplication) {
    const Binary cases[] = {
        {u"200000000", u"100000000", u"20000000000000000"},
        {u"12345", u"0", u"0"},
        {u"", u"5", u"0"},
        {u"0000", u"5", u"0"},
        {u"999999999", u"999999999", u"999999998000000001"},
        {u"123456789012345678901234567890", u"987654321098765432109876543210",
         u"121932631137021795226185032733622923332237463801111263526900"},
    };
    for (const auto& c : cases) EXPECT_EQ(f自然数乗算(c.a, c.b), c.want);
}

TEST(Natural, DivisionWithRemainder) {
    struct Case {
        std::u16string a, b, q, r;
    };
    const Case cases[] = {
        {u"100", u"7", u"14", u"2"},
        {u"5", u"12", u"0", u"5"},
        {u"7", u"0", u"∞", u"0"},
        {u"0", u"0", u"0", u"0"},
        {u"0", u"5", u"0", u"0"},
        {u"12", u"12", u"1", u"0"},
        {u"99", u"12", u"8", u"3"},
        {u"1000000000000000000", u"1000000000", u"1000000000", u"0"},
        // multi-limb divisors exercise the quotient-digit correction
        {u"340282366920938463463374607431768211456", u"18446744073709551616",
         u"18446744073709551616", u"0"},
        {u"100000000000000000000000000000000000", u"99999999999999999999",
         u"1000000000000000", u"1000000000000000"},
    };
    for (const auto& c : cases) {
        std::u16string q;
        EXPECT_EQ(f自然数商余(c.a, c.b, q), c.r) << c.q.size();
        EXPECT_EQ(q, c.q);
    }
}

}  // namespace
