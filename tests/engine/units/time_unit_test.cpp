#include <gtest/gtest.h>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "test_support.h"

namespace {

TEST(TimeUnit, OrdinarySpellingOfTheSameMeaning) {
    const struct {
        const char16_t* spelling;
        const char16_t* expected;
    } cases[] = {
        {u"!time", u"s"},
        {u"s", u"s"},
        {u"h", u"h"},
        {u"Bq", u"Hz"},     // same dimension and factor: the earlier row wins
        {u"Sv", u"Gy"},
        {u"田舎畳", u"畳"},
        {u"!TIME", u""},    // spellings compare case-sensitively
        {u"km", u""},       // prefixed spellings are not rows of the table
        {u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.spelling));
        EXPECT_EQ(f例外単位同一意味コ表記検索(c.spelling), c.expected);
    }
}

TEST(TimeUnit, NumberTextAndNotationByDisplayMode) {
    const struct {
        int32_t mode;
        const char16_t* number;
        const char16_t* notation;
        const char16_t* expectedNumber;
        const char16_t* expectedNotation;
    } cases[] = {
        {DEC_CMD, u"72000", u"!time", u"20:00:00", u""},
        {DEC_CMD, u"1.2", u"!time", u"0:00:01.2", u""},
        {DEC_CMD, u"123456", u"!time", u"34:17:36", u""},
        {DEC_CMD, u"90000", u"!time", u"25:00:00", u""},
        {DEC_CMD, u"-1.2", u"!Time", u"-0:00:01.2", u""},
        {DEC_CMD, u"0", u"!time", u"0:00:00", u""},
        {DEC_CMD, u"360000000000000000000", u"!time", u"100000000000000000:00:00", u""},
        {DEC_CMD, u"61.1`6`", u"!time", u"0:01:01.1`6`", u""},
        {DEC_CMD, u"∞", u"!time", u"∞", u"!time"},
        {DEC_CMD, u"-∞", u"km/!time", u"-∞", u"km/!time"},
        {FRAC_CMD, u"1800", u"!time", u"1800", u"s"},
        {MIXFRAC_CMD, u"1+1/2", u"!time", u"1+1/2", u"s"},
        {DEC_CMD, u"1", u"km/!time", u"1", u"km/s"},
        {DEC_CMD, u"1", u"!time2", u"1", u"s2"},
        {DEC_CMD, u"1", u"m/(!time*!TIME-1)", u"1", u"m/(s*s-1)"},
        {DEC_CMD, u"1", u"m/s2", u"1", u"m/s2"},
        {DEC_CMD, u"1", u"", u"1", u""},
    };
    ClsBrelvita e;
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(std::u16string(c.number) + u" " + c.notation));
        e.f結果表示モード(c.mode);
        std::u16string notation = c.notation;
        EXPECT_EQ(e.f例外単位数変換(c.number, notation), c.expectedNumber);
        EXPECT_EQ(notation, c.expectedNotation);
    }
}

TEST(TimeUnit, OtherExceptionalSpellingsAreRejected) {
    ClsBrelvita e;
    for (const char16_t* notation : {u"!foo", u"m/!times", u"!"}) {
        SCOPED_TRACE(Utf16ToUtf8(notation));
        std::u16string u = notation;
        try {
            e.f例外単位数変換(u"1", u);
            ADD_FAILURE() << "no exception";
        } catch (const E一般例外& x) {
            EXPECT_EQ(x.message(), u"駄目だこりゃ! 不正な例外単位が指定されている!");
        }
    }
}

}  // namespace
