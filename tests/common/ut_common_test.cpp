#include "common/ut_common.h"

#include <gtest/gtest.h>

#include "common/exception.h"

namespace {

TEST(UtCommon, SubstringHelpers) {
    struct Case {
        std::u16string got, want;
    };
    const Case cases[] = {
        {StrMid(u"abc", 2), u"bc"},        {StrMid(u"abc", 4), u""},
        {StrMid(u"abc", 2, 1), u"b"},      {StrMid(u"abc", 0, 2), u"ab"},
        {StrMid(u"abc", -5), u"abc"},      {StrMid(u"abc", 2, 0), u""},
        {StrMid(u"abc", 2, -2), u""},      {StrMid(u"abc", 3, 99), u"c"},
        {StrRight(u"abc", 5), u"abc"},     {StrRight(u"abc", 2), u"bc"},
        {StrRight(u"abc", 0), u""},        {StrRight(u"abc", -1), u""},
        {StrLeft(u"abc", 0), u""},         {StrLeft(u"abc", 2), u"ab"},
        {StrLeft(u"abc", 9), u"abc"},      {StrLeft(u"abc", -3), u""},
        {StrMid(u"日本語", 2, 1), u"本"},  // positions count UTF-16 code units
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(UtCommon, RevPos) {
    EXPECT_EQ(RevPos(u"`", u"1`2`", 3), 2);
    EXPECT_EQ(RevPos(u"`", u"1`2`"), 4);
    EXPECT_EQ(RevPos(u"`", u"3`", 1), 0);
    EXPECT_EQ(RevPos(u"ab", u"abab", 3), 1);  // the second "ab" does not lie within 3
    EXPECT_EQ(RevPos(u"x", u"", 0), 0);
    EXPECT_THROW(RevPos(u"`", u"3`", 3), E範囲エラー);
}

TEST(UtCommon, ForceStrToInt) {
    struct Case {
        const char16_t* text;
        int32_t want;
    };
    const Case cases[] = {
        {u"12", 12},         {u"-3", -3},          {u"1.5", 1},
        {u"x7y", 7},         {u"abc", 0},          {u"99999999999", 0},
        {u"3-", 3},          {u"", 0},             {u".5", 5},
        {u"-.5", 0},         {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},               {u"2147483648", 0},
        {u"-2147483649", 0}, {u"1-2", 12},         {u"00012", 12},
        {u"a-b9", -9},
    };
    for (const auto& c : cases) EXPECT_EQ(ForceStrToInt(c.text), c.want) << std::u16string(c.text).size();
}

}  // namespace
