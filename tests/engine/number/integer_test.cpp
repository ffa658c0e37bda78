// The digit-string integers the literal methods of the tests work with, and through them
// the integer layer's signs: "-0" from products, the signs of truncating division.
#include <gtest/gtest.h>

#include "engine/number/digit_strings_ref.h"

namespace {

struct Binary {
    std::u16string a, b, want;
};

TEST(Integer, AdditionSubtractionMultiplication) {
    const Binary sums[] = {{u"-1", u"2", u"1"}, {u"1", u"-2", u"-1"}, {u"-1", u"-2", u"-3"},
                           {u"-0", u"-0", u"0"}, {u"-5", u"5", u"0"}};
    for (const auto& c : sums) EXPECT_EQ(f整数加算(c.a, c.b), c.want);
    const Binary diffs[] = {{u"1", u"-2", u"3"},  {u"-1", u"-2", u"1"}, {u"10", u"10", u"0"},
                            {u"-1", u"2", u"-3"}, {u"-0", u"0", u"0"},  {u"-3", u"-3", u"0"}};
    for (const auto& c : diffs) EXPECT_EQ(f整数減算(c.a, c.b), c.want);
    const Binary products[] = {{u"-1", u"-2", u"2"}, {u"-5", u"0", u"-0"}, {u"3", u"-4", u"-12"}};
    for (const auto& c : products) EXPECT_EQ(f整数乗算(c.a, c.b), c.want);
}

TEST(Integer, TruncatingDivision) {
    struct Case {
        std::u16string a, b, q, r;
    };
    const Case cases[] = {
        {u"-7", u"2", u"-3", u"-1"}, {u"7", u"-2", u"-3", u"1"}, {u"-6", u"3", u"-2", u"-0"},
        {u"-7", u"-2", u"3", u"-1"}, {u"5", u"0", u"∞", u"0"},  {u"-5", u"0", u"-∞", u"-0"},
        {u"5", u"-0", u"-∞", u"0"},
    };
    for (const auto& c : cases) {
        std::u16string q;
        EXPECT_EQ(f整数商余(c.a, c.b, q), c.r);
        EXPECT_EQ(q, c.q);
    }
}

TEST(Integer, GcdAndLcm) {
    const Binary gcds[] = {{u"12", u"18", u"6"}, {u"-12", u"18", u"6"}, {u"0", u"12", u"1"},
                           {u"1", u"12", u"1"},  {u"-0", u"7", u"1"},   {u"18", u"12", u"6"},
                           {u"17", u"5", u"1"},  {u"1000000000000", u"2500000000", u"2500000000"}, {u"1000000000001", u"2500000000", u"1"}};
    for (const auto& c : gcds) EXPECT_EQ(f整数最大公約数(c.a, c.b), c.want);
    const Binary lcms[] = {{u"4", u"6", u"12"}, {u"-4", u"6", u"12"}, {u"0", u"5", u"0"},
                           {u"1", u"9", u"9"}};
    for (const auto& c : lcms) EXPECT_EQ(f整数最小公倍数(c.a, c.b), c.want);
}

}  // namespace
