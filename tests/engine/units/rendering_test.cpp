#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "test_support.h"

namespace {

// Gives a value the unit notation with everything f意味コ変換 derives from it.
void SetUnit(ClsBrelvita& e, T単位数型& v, const std::u16string& notation) {
    e.f意味コ変換(notation, v.t意味コ配列, v.t単項表記リスト, v.s基底値変換式, v.t保留);
    v.s単位表記 = notation;
}

// A value from a decimal text, with a unit notation and a display radix.
T単位数型 Value(ClsBrelvita& e, const std::u16string& text, const std::u16string& notation = u"",
                int32_t radix = D基数変換無) {
    T単位数型 v = e.f単位数変換(text);
    SetUnit(e, v, notation);
    v.i表記基数 = radix;
    return v;
}

// A value whose number is the fraction num/den raised to the exponent p/q.
T単位数型 Power(ClsBrelvita& e, const std::u16string& num, const std::u16string& den,
                const std::u16string& p = u"1", const std::u16string& q = u"1",
                const std::u16string& notation = u"", int32_t radix = D基数変換無) {
    T単位数型 v = e.f単位数変換(u"0");
    v.t複素数.t浮動小数.t仮数 = {F(p, q), F(num, den)};
    SetUnit(e, v, notation);
    v.i表記基数 = radix;
    return v;
}

std::u16string Render(ClsBrelvita& e, T単位数型 v, int32_t mode = DEC_CMD) {
    e.f結果表示モード(mode);
    return e.f単位数文字列変換(v);
}

void ExpectIdle(const ClsBrelvita& e) {
    EXPECT_FALSE(e.f単位数文字列変換中());
    EXPECT_EQ(e.t途中結果.f文字列(), u"");
    EXPECT_FALSE(e.t取消要求.f要求中());
}

constexpr char16_t kPi113[] =
    u"3.1`415929203539823008849557522123893805309734513274336283185840707964601769911504424778"
    u"761061946902654867256637168`";
constexpr char16_t kSqrt2[] =
    u"1.414213562373095048801688724209698078569671875376948073176679737990";

// --- The number in the three display modes -------------------------------------------

struct ModeCase {
    int32_t mode;
    const char16_t* num;
    const char16_t* den;
    const char16_t* expected;
};

TEST(RenderNumber, DisplayModesOfRationalValues) {
    const ModeCase cases[] = {
        {DEC_CMD, u"1", u"3", u"0.3`"},
        {DEC_CMD, u"22", u"7", u"3.1`42857`"},
        {DEC_CMD, u"-7", u"2", u"-3.5"},
        {DEC_CMD, u"0", u"1", u"0"},
        {DEC_CMD, u"1", u"0", u"∞"},
        {DEC_CMD, u"-1", u"0", u"-∞"},
        {FRAC_CMD, u"-7", u"2", u"-7/2"},
        {FRAC_CMD, u"3", u"1", u"3"},
        {FRAC_CMD, u"355", u"113", u"355/113"},
        {MIXFRAC_CMD, u"7", u"2", u"3+1/2"},
        {MIXFRAC_CMD, u"-7", u"2", u"-(3+1/2)"},
        {MIXFRAC_CMD, u"-1", u"2", u"-1/2"},
        {MIXFRAC_CMD, u"-2", u"1", u"-2"},
        {MIXFRAC_CMD, u"0", u"1", u"0"},
        {MIXFRAC_CMD, u"-355", u"113", u"-(3+16/113)"},
        {MIXFRAC_CMD, u"1", u"0", u"∞"},
    };
    ClsBrelvita e;
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(std::u16string(c.num) + u"/" + c.den) + " mode " +
                     std::to_string(c.mode));
        EXPECT_EQ(Render(e, Power(e, c.num, c.den), c.mode), c.expected);
        ExpectIdle(e);
    }
}

TEST(RenderNumber, LongRepeatingDecimalReadBackAsFraction) {
    ClsBrelvita e;
    EXPECT_EQ(Render(e, Value(e, kPi113), FRAC_CMD), u"355/113");
}

struct RootCase {
    const char16_t* num;
    const char16_t* den;
    const char16_t* p;
    const char16_t* q;
    int32_t mode;
    const char16_t* expected;
};

TEST(RenderNumber, RootsAreAlwaysDecimal) {
    const RootCase cases[] = {
        {u"4", u"1", u"1", u"2", DEC_CMD, u"2"},
        {u"-8", u"1", u"1", u"3", DEC_CMD, u"-2"},
        {u"1", u"4", u"1", u"2", FRAC_CMD, u"0.5"},
        {u"1", u"4", u"-1", u"2", MIXFRAC_CMD, u"2"},
        {u"2", u"1", u"1", u"0", DEC_CMD, u"∞"},  // an infinite root index
    };
    ClsBrelvita e;
    for (const RootCase& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(std::u16string(c.num) + u"/" + c.den + u" ^ " + c.p + u"/" + c.q));
        EXPECT_EQ(Render(e, Power(e, c.num, c.den, c.p, c.q), c.mode), c.expected);
        ExpectIdle(e);
    }
}

// --- Units in brackets -------------------------------------------------------------

TEST(RenderUnit, BracketsMarkDimensionsWithoutName) {
    const struct {
        const char16_t* text;
        const char16_t* notation;
        const char16_t* expected;
    } cases[] = {
        {u"2", u"h", u"2 [h]"},
        {u"0.05", u"", u"0.05"},
        {u"1000000", u"g2", u"1000000 [g2 ?]"},
        {u"0.5", u"g/l", u"0.5 [g/l ?]"},
        {u"1", u"s-1", u"1 [s-1]"},
        {u"9.8", u"m/s2", u"9.8 [m/s2]"},
        {u"10", u"???", u"10 [???]"},
    };
    ClsBrelvita e;
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.notation));
        EXPECT_EQ(Render(e, Value(e, c.text, c.notation)), c.expected);
    }
}

TEST(RenderUnit, UnknownDimensionShowsQuestionMarksWhateverTheNotation) {
    ClsBrelvita e;
    T単位数型 v = Value(e, u"10", u"m");
    v.t意味コ配列 = f未知意味コ配列();
    EXPECT_EQ(Render(e, v), u"10 [???]");
}

// --- Exceptional units --------------------------------------------------------------

TEST(RenderTime, TimeUnitByDisplayMode) {
    const struct {
        int32_t mode;
        const char16_t* text;
        const char16_t* notation;
        int32_t radix;
        const char16_t* expected;
    } cases[] = {
        {DEC_CMD, u"72000", u"!time", 0, u"20:00:00"},
        {DEC_CMD, u"123", u"!time", 16, u"0:02:03"},  // a time is never shown in a radix
        {FRAC_CMD, u"1800", u"!time", 0, u"1800 [s]"},
        {MIXFRAC_CMD, u"1.5", u"!time", 0, u"1+1/2 [s]"},
        {DEC_CMD, u"0.1", u"km/!time", 0, u"0.1 [km/s]"},
    };
    ClsBrelvita e;
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        T単位数型 v = Value(e, c.text, c.notation, c.radix);
        EXPECT_EQ(Render(e, v, c.mode), c.expected);
    }
}

TEST(RenderTime, InfiniteTimeKeepsItsNotation) {
    ClsBrelvita e;
    EXPECT_EQ(Render(e, Power(e, u"1", u"0", u"1", u"1", u"!time")), u"∞ [!time]");
}

TEST(RenderTime, UnknownExceptionalUnitRendersLikeACancellation) {
    ClsBrelvita e;
    T単位数型 v = Value(e, u"2", u"s");
    v.s単位表記 = u"!foo";
    EXPECT_EQ(Render(e, v), u"2... [!foo]");
    ExpectIdle(e);
}

// --- Cancellation --------------------------------------------------------------------

TEST(RenderCancel, CancelledValueIsTheMarkAlone) {
    ClsBrelvita e;
    T単位数型 v = fキャンセル値作成();
    SetUnit(e, v, u"m");
    v.i表記基数 = 16;
    EXPECT_EQ(Render(e, v), u"...");
    ExpectIdle(e);
}

TEST(RenderCancel, CancelBeforeTheFirstDigitGivesTheMarkAlone) {
    ClsBrelvita e;
    const T単位数型 values[] = {
        Power(e, u"2", u"1", u"1", u"2", u"m", 16),
        Power(e, u"1", u"7", u"1", u"1", u"km/h", 2),
    };
    for (const T単位数型& v : values) {
        e.f単位付計算キャンセル指示();
        EXPECT_EQ(Render(e, v), u"...");
        ExpectIdle(e);
    }
}

// A root never ends by itself: the window sees its digits grow, and a cancel leaves the
// digits so far, the mark and the unit.
TEST(RenderCancel, RootShowsGrowingDigitsAndEndsWithThemWhenCancelled) {
    ClsBrelvita e;
    e.i展開目標桁数 = 2;  // a first block of two digits, then a digit per step
    std::vector<std::u16string> seen;
    e.t取消要求.f監視設定(
        [&] {
            if (e.f単位数文字列変換中()) seen.push_back(e.f単位数文字列変換途中結果());
            if (seen.size() >= 2 && seen.back().size() >= 40 + 3) e.f単位付計算キャンセル指示();
        },
        0);
    const std::u16string r = Render(e, Power(e, u"2", u"1", u"1", u"2", u"m"));
    EXPECT_NE(std::find(seen.begin(), seen.end(), u"1.41..."), seen.end());
    size_t longest = 0;
    for (std::u16string s : seen) {
        ASSERT_TRUE(s.ends_with(u"..."));
        s.resize(s.size() - 3);
        EXPECT_TRUE(std::u16string(kSqrt2).starts_with(s)) << Utf16ToUtf8(s);
        EXPECT_GE(s.size(), longest);  // never shrinks
        longest = s.size();
    }
    EXPECT_GE(longest, 40u);
    EXPECT_EQ(r, seen.back() + u" [m]");
    ExpectIdle(e);
}

TEST(RenderCancel, DivisionCutShortIsAPrefixOfTheExpansion) {
    ClsBrelvita e;
    std::u16string full = Render(e, Power(e, u"-1", u"9967"));
    ASSERT_GT(full.size(), 1000u);
    std::erase(full, D循環節文字);  // the marks come with the last step only
    e.t取消要求.f監視設定([&] {  // after a block of digits
        if (e.t途中結果.f文字列().size() > 400) e.f単位付計算キャンセル指示();
    }, 0);
    const std::u16string r = Render(e, Power(e, u"-1", u"9967", u"1", u"1", u"s"));
    ASSERT_TRUE(r.ends_with(u"... [s]")) << Utf16ToUtf8(r);
    const std::u16string digits = r.substr(0, r.size() - 7);
    EXPECT_GT(digits.size(), 400u);
    EXPECT_TRUE(full.starts_with(digits));
    ExpectIdle(e);
}

TEST(RenderCancel, ACancelledTimeKeepsTheOrdinarySpellingOfItsUnit) {
    ClsBrelvita e;
    e.t取消要求.f監視設定([&] {
        if (e.t途中結果.f文字列().size() > 400) e.f単位付計算キャンセル指示();
    }, 0);
    const std::u16string r = Render(e, Power(e, u"1", u"9967", u"1", u"1", u"!time"));
    EXPECT_TRUE(r.ends_with(u"... [s]")) << Utf16ToUtf8(r);
    ExpectIdle(e);
}

TEST(RenderCancel, StateIsClearedWhenAnErrorLeavesTheRendering) {
    ClsBrelvita e;
    // An exponent beyond 32 bits is an overflow, never read as 0 (which would show "1").
    EXPECT_THROW(Render(e, Power(e, u"2", u"1", u"10000000000", u"1")), E整数オーバーフロー);
    ExpectIdle(e);
    EXPECT_THROW(Render(e, Power(e, u"2", u"1", u"1", u"10000000000")), E整数オーバーフロー);
    ExpectIdle(e);
    // An even root of a negative base is an internal error that is not caught.
    EXPECT_THROW(Render(e, Power(e, u"-2", u"1", u"1", u"2")), E一般例外);
    ExpectIdle(e);
}

// --- Display radix ---------------------------------------------------------------------

struct RadixCase {
    int32_t mode;
    const char16_t* num;
    const char16_t* den;
    int32_t radix;
    const char16_t* notation;
    const char16_t* expected;
};

TEST(RenderRadix, DisplayRadixByMode) {
    const RadixCase cases[] = {
        {DEC_CMD, u"10", u"1", 16, u"", u"($A)16"},
        {DEC_CMD, u"10", u"1", 2, u"", u"(1010)2"},
        {DEC_CMD, u"0", u"1", 16, u"", u"(0)16"},
        {DEC_CMD, u"-2", u"5", 16, u"", u"-(0.6`)16"},
        {DEC_CMD, u"11", u"3", 16, u"", u"($3.A`)16"},
        {DEC_CMD, u"1", u"10", 2, u"", u"(0.00`011`)2"},
        {DEC_CMD, u"1", u"4", 10, u"", u"0.25"},
        {DEC_CMD, u"10", u"1", 16, u"m", u"($A)16 [m]"},
        {DEC_CMD, u"1", u"0", 16, u"", u"∞"},
        {DEC_CMD, u"-1", u"0", 2, u"m", u"-∞ [m]"},
        {FRAC_CMD, u"355", u"113", 16, u"", u"(163)16/(71)16"},
        {FRAC_CMD, u"-1", u"2", 2, u"", u"-(1)2/(10)2"},
        {MIXFRAC_CMD, u"-355", u"113", 16, u"", u"-((3)16+(10)16/(71)16)"},
        {MIXFRAC_CMD, u"7", u"2", 36, u"s", u"(3)36+(1)36/(2)36 [s]"},
    };
    ClsBrelvita e;
    for (const RadixCase& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(std::u16string(c.num) + u"/" + c.den) + " radix " +
                     std::to_string(c.radix));
        EXPECT_EQ(Render(e, Power(e, c.num, c.den, u"1", u"1", c.notation, c.radix), c.mode),
                  c.expected);
        ExpectIdle(e);
    }
}

TEST(RenderRadix, CancelInsideTheRadixConversionKeepsItsDigits) {
    ClsBrelvita e;
    // 1/5^10 is 0.0000001024 in decimal, but its binary cycle has millions of digits. The
    // first block ends at 40 binary digits, where the cancel comes.
    e.i展開目標桁数 = 40;
    e.t取消要求.f監視設定(
        [&] {
            if (e.t途中結果.f文字列().size() >= 40) e.f単位付計算キャンセル指示();
        },
        0);
    const std::u16string r = Render(e, Power(e, u"1", u"9765625", u"1", u"1", u"m", 2));
    const std::u16string binary = u"0.000000000000000000000001101101111100110111111101100111010111";
    ASSERT_TRUE(r.starts_with(u"(") && r.ends_with(u"...)2 [m]")) << Utf16ToUtf8(r);
    const std::u16string digits = r.substr(1, r.size() - 10);
    EXPECT_GE(digits.size(), 40u);
    EXPECT_TRUE(binary.starts_with(digits)) << Utf16ToUtf8(r);
    ExpectIdle(e);
}

TEST(RenderRadix, ACutRootShowsItsOwnRadixDigits) {
    ClsBrelvita e;
    e.i展開目標桁数 = 2;  // the digits come straight in radix 16: "1.6A", never "1.41"
    bool bFired = false;
    e.t取消要求.f監視設定(
        [&] {
            if (!bFired && e.t途中結果.f文字列() == u"1.6A") {
                bFired = true;
                e.f単位付計算キャンセル指示();
            }
        },
        0);
    // Converting the cut decimal text "1.41" would give 1.68`F5C2`, which is not the root.
    EXPECT_EQ(Render(e, Power(e, u"2", u"1", u"1", u"2", u"m", 16)), u"($1.6A...)16 [m]");
    ExpectIdle(e);
}

}  // namespace
