#include <gtest/gtest.h>

#include "engine/brelvita.h"
#include "test_support.h"

namespace {

TEST(Quantity, DecimalTextBecomesAPlainValueWithoutUnitFields) {
    ClsBrelvita e;
    const T単位数型 v = e.f単位数変換(u"-01.50");
    EXPECT_EQ(v.t複素数.t浮動小数.t仮数.t底, F(u"-3", u"2"));
    EXPECT_EQ(v.t複素数.t浮動小数.t仮数.t指数, F(u"1", u"1"));
    EXPECT_EQ(v.t複素数.t虚数.t仮数.t底, F(u"0", u"1"));
    EXPECT_TRUE(v.t意味コ配列.empty());
    EXPECT_EQ(v.s変数名, u"");
    EXPECT_EQ(v.i表記基数, D基数変換無);
    EXPECT_EQ(e.f単位数変換(u"0.3`").t複素数.t浮動小数.t仮数.t底, F(u"1", u"3"));
}

TEST(Quantity, CancelDuringConversionGivesACancelledValue) {
    ClsBrelvita e;
    e.f単位付計算キャンセル指示();
    const T単位数型 v = e.f単位数変換(u"123456789012.5");
    EXPECT_TRUE(v.bキャンセル値);
    EXPECT_FALSE(e.t取消要求.f要求中());  // the request is used up
    EXPECT_EQ(e.f単位数変換(u"2").t複素数.t浮動小数.t仮数.t底, F(u"2", u"1"));
}

TEST(Quantity, EngineConstants) {
    ClsBrelvita e;
    EXPECT_EQ(e.t単位数のマイナス1.t複素数.t浮動小数.t仮数.t底, F(u"-1", u"1"));
    EXPECT_EQ(e.t単位数の10.t複素数.t浮動小数.t仮数.t底, F(u"10", u"1"));
    EXPECT_EQ(e.t単位数の10.t意味コ配列, f数値意味コ配列());
    EXPECT_EQ(e.t単位数の10.s単位表記, u"");
    EXPECT_EQ(e.i結果表示モード, DEC_CMD);
    EXPECT_FALSE(e.t取消要求.f要求中());
    EXPECT_FALSE(e.t途中結果.f実行中());
}

}  // namespace
