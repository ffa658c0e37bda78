// Unit-aware arithmetic at engine level, called in the order the grammar calls it: a
// number, then its unit attached with f単位数補正, then the binary operations.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "common/ut_common.h"
#include "common/utf.h"
#include "engine/brelvita.h"
#include "test_support.h"

namespace {

class Arithmetic : public ::testing::Test {
protected:
    ClsBrelvita e;

    // A unit token as the lexer makes it: notation with its resolved fields.
    T単位数型 Unit(const std::u16string& notation) {
        T単位数型 u = e.f単位数変換(u"0");
        u.s単位表記 = notation;
        e.f意味コ変換(notation, u.t意味コ配列, u.t単項表記リスト, u.s基底値変換式, u.t保留);
        return u;
    }
    // A number, with a unit attached when one is given ("10km", "5[m/h]").
    T単位数型 Q(const std::u16string& number, const std::u16string& notation = u"") {
        T単位数型 v = e.f単位数変換(number);
        e.f意味コ変換(u"", v.t意味コ配列, v.t単項表記リスト, v.s基底値変換式, v.t保留);
        return notation.empty() ? v : e.f単位数補正(v, Unit(notation));
    }
    // The value's number as an exact fraction.
    T分数型 Number(const T単位数型& v) { return f仮数真数化(v.t複素数.t浮動小数.t仮数, kNoCancel); }
    // Checks number (a decimal text) and notation of a result.
    void Expect(const T単位数型& v, const std::u16string& number, const std::u16string& notation) {
        EXPECT_EQ(f分数比較(Number(v), f分数変換(number, kNoCancel), kNoCancel), 0)
            << Utf16ToUtf8(Number(v).t分子.f文字列()) << "/" << Utf16ToUtf8(Number(v).t分母.f文字列()) << " want "
            << Utf16ToUtf8(number);
        EXPECT_EQ(v.s単位表記, notation) << Utf16ToUtf8(v.s単位表記);
    }
    T単位数型 Pow(const T単位数型& a, const std::u16string& exponent) {
        return e.f累乗(a, Q(exponent));
    }
};

TEST_F(Arithmetic, SumsTakeTheFirstOperandsUnit) {
    Expect(e.f加算(e.f加算(Q(u"1", u"mm"), Q(u"1", u"cm")), Q(u"1", u"mm")), u"12", u"mm");
    Expect(e.f加算(Q(u"1"), Q(u"1", u"h")), u"2", u"h");
    Expect(e.f加算(Q(u"1", u"h"), Q(u"1", u"m")), u"2", u"???");
    Expect(e.f減算(Q(u"1", u"km"), Q(u"1", u"m")), u"0.999", u"km");
    Expect(e.f加算(e.f除算(Q(u"1", u"W"), Q(u"1", u"A")), e.f除算(Q(u"1", u"J"), Q(u"1", u"C"))),
           u"2", u"V");
}

TEST_F(Arithmetic, ProductsAndQuotientsChooseTheirNotation) {
    struct Case {
        T単位数型 got;
        std::u16string number, notation;
    };
    const Case cases[] = {
        {e.f除算(e.f乗算(e.f加算(Q(u"3", u"cm"), Q(u"1", u"cm")), Q(u"2", u"cm")), Q(u"2")), u"4", u"cm2"},
        {e.f除算(Q(u"10", u"km"), Q(u"5", u"m/h")), u"2000", u"h"},
        {e.f除算(Q(u"10000", u"m"), Q(u"2000", u"h")), u"5", u"m/h"},
        {e.f除算(Q(u"1"), Q(u"1", u"s")), u"1", u"s-1"},
        {e.f除算(e.f累乗(Q(u"1", u"km"), Q(u"5")), Q(u"10", u"km")), u"0.1", u"km4"},
        {e.f乗算(Q(u"1", u"min"), Q(u"1", u"h")), u"60", u"min2"},
        {e.f乗算(Q(u"1", u"g"), Q(u"1", u"t")), u"1000000", u"g2"},
        {e.f乗算(Q(u"1", u"Gal"), Pow(Q(u"1", u"min"), u"2")), u"36", u"m"},
        {e.f乗算(Q(u"1", u"kg"), Q(u"1", u"m/s2")), u"1", u"N"},
        {e.f乗算(Q(u"1", u"g"), Q(u"1", u"m/s2")), u"0.001", u"N"},
        {e.f除算(Q(u"5", u"V"), Q(u"1", u"mA")), u"5000", u"Ω"},
        {e.f乗算(Q(u"0.1", u"Pa"), Q(u"1", u"s")), u"1", u"P"},
        {e.f除算(Q(u"1", u"g"), Q(u"2", u"l")), u"0.5", u"g/l"},
        {e.f乗算(Q(u"1", u"MPa"), Q(u"1", u"m2")), u"1000000", u"N"},
        {e.f除算(Q(u"1", u"C"), Q(u"1000", u"V")), u"0.001", u"F"},
        {e.f除算(Q(u"10", u"cm"), Q(u"2", u"m")), u"0.05", u""},
        {e.f除算(Q(u"1", u"km"), Q(u"10", u"!time")), u"0.1", u"km/!time"},
        {e.f除算(Q(u"1"), Q(u"10", u"!time")), u"0.1", u"!time-1"},
        {e.f符号付加(Q(u"2", u"km")), u"-2", u"km"},
        {e.f乗算(Q(u"2", u"°C"), Q(u"3", u"°C")), u"6", u"°C2"},  // offsets never act on factors
    };
    for (const auto& c : cases) Expect(c.got, c.number, c.notation);
}

TEST_F(Arithmetic, Powers) {
    const T単位数型 a = e.f乗算(e.f乗算(Q(u"10", u"km"), Q(u"10", u"km")), Q(u"10", u"km"));
    const T単位数型 b = Pow(Q(u"10", u"km"), u"3");
    Expect(a, u"1000", u"km3");
    Expect(b, u"1000", u"km3");
    Expect(e.f減算(a, b), u"0", u"km3");
    Expect(Pow(Q(u"10", u"km"), u"1"), u"10", u"km");
    Expect(Pow(Q(u"10", u"km"), u"0"), u"1", u"km");
    Expect(Pow(Q(u"100", u"m3"), u"0.5"), u"10", u"???");
    Expect(e.f累乗(Q(u"1000", u"m2"), e.f除算(Q(u"1"), Q(u"3"))), u"10", u"???");
    Expect(Pow(Q(u"100", u"m2"), u"0.5"), u"10", u"m");
    Expect(Pow(Q(u"10", u"min"), u"-1"), u"0.1", u"min-1");
    Expect(Pow(Q(u"1", u"t"), u"3"), u"1", u"t3");
    Expect(Pow(Q(u"2"), u"10"), u"1024", u"");
    Expect(e.f累乗(Q(u"2", u"m"), Q(u"2", u"m")), u"4", u"???");  // a unit in the exponent
    Expect(Pow(Pow(Q(u"4", u"m/s"), u"2"), u"0.5"), u"4", u"m/s");
    const T単位数型 sum = e.f加算(e.f乗算(e.f乗算(Q(u"2"), Q(u"1.5", u"m/s2")), Q(u"20", u"m")),
                                 Pow(Q(u"2", u"m/s"), u"2"));
    Expect(Pow(sum, u"0.5"), u"8", u"m/s");
    // Huge exponents answer at once: the unit is built by scaling, the root loop skipped.
    Expect(Pow(Q(u"1", u"m"), u"1000000000"), u"1", u"m1000000000");
    const T単位数型 tiny = Pow(Q(u"2"), u"0.000000001");
    EXPECT_EQ(tiny.t複素数.t浮動小数.t仮数.t指数, F(u"1", u"1000000000"));
    EXPECT_EQ(tiny.s単位表記, u"");
    EXPECT_EQ(Pow(Q(u"1", u"m"), u"0.000000001").s単位表記, u"???");
    EXPECT_THROW(Pow(Q(u"1", u"m"), u"3000000000"), E整数オーバーフロー);
}

TEST_F(Arithmetic, ConversionsBetweenUnitsOfOneDimension) {
    struct Case {
        std::u16string number, from, to, want;
    };
    const Case cases[] = {
        {u"0", u"K", u"°C", u"-273.15"},   {u"1", u"°C", u"K", u"274.15"},
        {u"1", u"Gal", u"m/s2", u"0.01"},  {u"1", u"atm", u"kPa", u"101.325"},
        {u"2", u"oz", u"g", u"62.207"},    {u"1", u"l", u"cm3", u"1000"},
        {u"1", u"km", u"m", u"1000"},      {u"12", u"", u"cm", u"12"},
        {u"1", u"μTorr", u"Pa", u"0.000133322"}, {u"1", u"mmHg", u"Pa", u"133.322"},
        {u"1", u"ha", u"m2", u"10000"},    {u"1", u"M", u"m", u"1852"},
        {u"1", u"Å", u"nm", u"0.1"},       {u"1", u"kcal", u"J", u"4184"},
        {u"0.000258", u"C/(kg*s)", u"R/s", u"1"},
    };
    for (const auto& c : cases) {
        const T単位数型 v = e.f単位数補正(Q(c.number, c.from), Unit(c.to));
        Expect(v, c.want, c.to);
    }
    Expect(e.f単位数補正(Q(u"1", u"km"), Unit(u"s")), u"1", u"???");
}

TEST_F(Arithmetic, RandomRoundTripsAreExact) {
    const std::vector<std::vector<std::u16string>> groups = {
        {u"m", u"km", u"cm", u"μm", u"in", u"M", u"AU", u"Å", u"尺", u"寸", u"pc"},
        {u"s", u"min", u"h", u"ms", u"!time"},
        {u"K", u"°C", u"℃"},
        {u"Pa", u"kPa", u"hPa", u"atm", u"bar", u"mbar", u"Torr", u"mmHg"},
        {u"l", u"mL", u"dl", u"cc", u"m3", u"cm3"},
        {u"g", u"kg", u"t", u"ct", u"oz", u"mon", u"mg"},
        {u"m/s", u"km/h", u"kt"},
        {u"J", u"kJ", u"cal", u"kcal"},
        {u"畳", u"京畳", u"中京畳", u"m2", u"ha"},
    };
    std::mt19937 rng(2468);
    for (int i = 0; i < 300; ++i) {
        const auto& g = groups[rng() % groups.size()];
        const std::u16string& from = g[rng() % g.size()];
        const std::u16string& to = g[rng() % g.size()];
        std::u16string number = (rng() % 2 ? u"-" : u"") + IntToStr(rng() % 100000) + u"." +
                                IntToStr(rng() % 1000);
        const T単位数型 v = Q(number, from);
        const T単位数型 back = e.f単位数補正(e.f単位数補正(v, Unit(to)), Unit(from));
        ASSERT_EQ(f分数比較(Number(back), Number(v), kNoCancel), 0)
            << Utf16ToUtf8(number) << " " << Utf16ToUtf8(from) << " -> " << Utf16ToUtf8(to);
        ASSERT_EQ(back.s単位表記, from);
    }
}

TEST_F(Arithmetic, ResultsRenderWithTheirUnits) {
    auto render = [&](T単位数型 v) { return e.f単位数文字列変換(v); };
    struct Case {
        std::u16string got, want;
    };
    const Case cases[] = {
        {render(e.f除算(Q(u"10", u"km"), Q(u"5", u"m/h"))), u"2000 [h]"},
        {render(e.f乗算(Q(u"1", u"g"), Q(u"1", u"t"))), u"1000000 [g2 ?]"},
        {render(e.f単位数補正(Q(u"0", u"K"), Unit(u"°C"))), u"-273.15 [°C]"},
        {render(e.f除算(Q(u"1", u"km"), Q(u"10", u"!time"))), u"0.1 [km/s]"},
        {render(e.f除算(Q(u"1"), Q(u"10", u"!time"))), u"0.1 [s-1]"},
        {render(Pow(Q(u"100", u"m3"), u"0.5")), u"10 [???]"},
        {render(e.f除算(Q(u"1", u"g"), Q(u"2", u"l"))), u"0.5 [g/l ?]"},
        {render(e.f除算(Q(u"10", u"cm"), Q(u"2", u"m"))), u"0.05"},
        {render(e.f単位数補正(e.f除算(Q(u"100", u"km"), Q(u"5", u"km/h")), Unit(u"!time"))), u"20:00:00"},
        {render(e.f累乗(Q(u"4", u"m/s"), Q(u"2"))), u"16 [Gy]"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << Utf16ToUtf8(c.want);
}

TEST_F(Arithmetic, CancelledValuesPropagateAndRequestsAreUsedUp) {
    const T単位数型 cancelled = fキャンセル値作成();
    for (const T単位数型& r : {e.f加算(cancelled, Q(u"1")), e.f減算(Q(u"1"), cancelled),
                               e.f乗算(cancelled, Q(u"1")), e.f除算(Q(u"1"), cancelled),
                               e.f累乗(Q(u"1"), cancelled), e.f符号付加(cancelled),
                               e.f単位数補正(cancelled, Unit(u"m"))}) {
        EXPECT_TRUE(fキャンセル印チェック(r, r));
    }
    // A request arriving inside a long multiplication gives a cancelled value.
    const T単位数型 big = Q(std::u16string(20000, u'7'), u"m");
    int calls = 0;
    e.t取消要求.f監視設定([&] { if (++calls == 2) e.f単位付計算キャンセル指示(); }, 0);
    const T単位数型 r = e.f乗算(big, big);
    EXPECT_TRUE(fキャンセル印チェック(r, r));
    EXPECT_FALSE(e.t取消要求.f要求中());
}

// Random chains of operations on random quantities, rendered in random modes and
// radixes: every result is text or one of the engine's own messages, never a crash.
// Irrational roots are stopped by a cancel request after a while, as the user would.
TEST_F(Arithmetic, RandomExpressionsRenderOrReportCleanly) {
    const std::u16string units[] = {u"", u"", u"m", u"km", u"s", u"h", u"°C", u"K", u"m/s", u"kg",
                                    u"N", u"l", u"!time", u"min-1", u"g2", u"xyz", u"Pa"};
    const std::u16string numbers[] = {u"0", u"1", u"-2", u"0.5", u"3.1`4`", u"12", u"-0.25", u"100"};
    std::mt19937 rng(1357);
    const T単位数型 half = Q(u"0.5"), minusTwo = Q(u"-2");
    int calls = 0;
    e.t取消要求.f監視設定([&] {  // now and then, and whenever an expansion has run for a while
        if (++calls % 40 == 0 || e.t途中結果.f文字列().size() > 200) e.f単位付計算キャンセル指示();
    }, 0);
    // A cancel can also arrive while a unit is resolved, outside every operation; the
    // evaluation then treats it as a cancellation, as here.
    auto random = [&] {
        try {
            return Q(numbers[rng() % std::size(numbers)], units[rng() % std::size(units)]);
        } catch (const Eキャンセル指示&) {
            e.f単位付計算キャンセル指示クリア();
            return fキャンセル値作成();
        }
    };
    for (int i = 0; i < 400; ++i) {
        T単位数型 v = random();
        for (int k = static_cast<int>(rng() % 4); k-- > 0;) {
            const T単位数型 w = random();
            try {
                switch (rng() % 5) {
                    case 0: v = e.f加算(v, w); break;
                    case 1: v = e.f減算(v, w); break;
                    case 2: v = e.f乗算(v, w); break;
                    case 3: v = e.f除算(v, w); break;
                    default: v = e.f累乗(v, rng() % 2 ? half : minusTwo); break;
                }
            } catch (const E一般例外& x) {  // the engine's own messages (roots of negatives)
                EXPECT_TRUE(x.message().starts_with(u"駄目だこりゃ!")) << Utf16ToUtf8(x.message());
            }
        }
        e.f結果表示モード(std::array{FRAC_CMD, MIXFRAC_CMD, DEC_CMD}[rng() % 3]);
        v.i表記基数 = std::array{0, 2, 10, 16, 36}[rng() % 5];
        try {
            EXPECT_FALSE(e.f単位数文字列変換(v).empty());
        } catch (const E一般例外& x) {
            EXPECT_TRUE(x.message().starts_with(u"駄目だこりゃ!")) << Utf16ToUtf8(x.message());
        }
        EXPECT_FALSE(e.f単位数文字列変換中());
        EXPECT_EQ(e.t途中結果.f文字列(), u"");
        e.f単位付計算キャンセル指示クリア();
    }
    e.f結果表示モード(DEC_CMD);
}

}  // namespace

namespace {

// Products and quotients by a plain number skip the unit correction's working copies;
// the result must be what the correction itself gives (written out here step by step).
TEST_F(Arithmetic, ByAPlainNumberMatchesTheFullUnitCorrection) {
    const std::u16string units[] = {u"", u"m", u"km/h", u"°C", u"!time", u"kg*m/s2", u"xyz", u"m3"};
    std::mt19937 rng(1357);
    for (int i = 0; i < 400; ++i) {
        const std::u16string n1 = (rng() % 3 == 0 ? u"-" : u"") + IntToStr(rng() % 100000) + u"." + IntToStr(rng() % 100);
        const std::u16string n2 = (rng() % 3 == 0 ? u"-" : u"") + IntToStr(1 + rng() % 999) + u"." + IntToStr(rng() % 10);
        const T単位数型 a = Q(n1, units[rng() % std::size(units)]), b = Q(n2);
        for (const bool bDivide : {false, true}) {
            T単位数型 P = a, B = b;
            bool bFlag = false;
            T単位数型 want = e.f乗除単位補正(bDivide ? u"/" : u"*", P, B, bFlag);
            want.t複素数 = (bDivide ? f複素数除算 : f複素数乗算)(P.t複素数, B.t複素数, kNoCancel);
            if (bFlag) want.t複素数 = e.f複素数単位値補正(want.t複素数, u"", want.s基底値変換式);
            ASSERT_EQ(bDivide ? e.f除算(a, b) : e.f乗算(a, b), want) << Utf16ToUtf8(n1 + u" " + a.s単位表記 + u" " + n2);
        }
    }
}

}  // namespace
