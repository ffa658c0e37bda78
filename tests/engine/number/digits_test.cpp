#include "engine/number/digits.h"

#include <gtest/gtest.h>

namespace {

TEST(Digits, NormalForms) {
    struct Case {
        std::u16string got, want;
    };
    const Case cases[] = {
        {fゼロ正規化(u"000"), u"0"},          {fゼロ正規化(u"0012"), u"12"},
        {fゼロ正規化(u"0.50"), u".50"},       {fゼロ正規化(u""), u"0"},
        {f小数正規化(u"-01.500"), u"-1.5"},   {f小数正規化(u"0.0"), u"0"},
        {f小数正規化(u"01.0"), u"1"},         {f小数正規化(u".5"), u"0.5"},
        {f小数正規化(u"-0"), u"-0"},          {f小数正規化(u"100"), u"100"},
        {f小数正規化(u"0.00000000125"), u"0.00000000125"},
        {f小数正規化(u"-0.0"), u"-0"},        {f小数正規化(u"0.3`"), u"0.3`"},
        {f小数正規化(u"10.`0`"), u"10.`0`"},  // a cycle mark protects trailing zeros
        {StringOfZeroC(3), u"000"},           {StringOfZeroC(0), u""},
        {StringOfZeroC(-2), u""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(Digits, SignExtraction) {
    std::u16string s = u"-12";
    EXPECT_EQ(f符号取出し(s), u"-");
    EXPECT_EQ(s, u"12");
    EXPECT_EQ(f符号取出し(s), u"");
    EXPECT_EQ(s, u"12");
    std::u16string empty;
    EXPECT_EQ(f符号取出し(empty), u"");
}

TEST(Digits, ChunkReaders) {
    std::u16string s = u"1234567890123";
    EXPECT_EQ(f指定下有効桁数値変換(s, 9), 567890123);
    EXPECT_EQ(s, u"1234");
    EXPECT_EQ(f下有効桁数値変換(s), 1234);
    EXPECT_EQ(s, u"");
    EXPECT_EQ(f下有効桁数値変換(s), 0);  // an exhausted operand reads as 0

    std::u16string t = u"12345";
    EXPECT_EQ(f指定上桁数値取出し(t, 2), u"12");
    EXPECT_EQ(t, u"345");
    std::u16string one = u"1";
    EXPECT_EQ(f指定上桁数値取出し(one, 3), u"1");
    EXPECT_EQ(one, u"");
}

}  // namespace
