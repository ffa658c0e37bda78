#include "engine/units/value_text.h"

#include <gtest/gtest.h>

#include <string>

#include "common/utf.h"
#include "parser/parser.h"
#include "test_support.h"

namespace {

// The result text of one line.
std::u16string Eval(ClsParser& p, const std::u16string& line) {
    std::u16string result, error;
    int32_t a = 0, b = 0, c = 0, d = 0;
    try {
        p.yygo(line + u"\n", result, error, a, b, u"", c, d);
    } catch (const E一般例外& x) {
        return x.message();
    }
    return result + error;
}

// The value a line assigns to v.
T単位数型 Assigned(ClsParser& p, const std::u16string& expr) {
    Eval(p, u"v:=" + expr);
    T単位数型 v;
    EXPECT_TRUE(p.fSymTab().fSym値取得(u"v", v)) << Utf16ToUtf8(expr);
    return v;
}

// Cuts every rendering of either parser after 30 digits, where expansions end a block,
// so that endless roots end at the same place every time.
void CutRenderings(ClsParser& p1, ClsParser& p2) {
    p1.fBrelvita().i展開目標桁数 = p2.fBrelvita().i展開目標桁数 = 30;
    SetMessagePump([&p1, &p2] {
        for (ClsParser* p : {&p1, &p2}) {
            const ClsBrelvita& e = p->fBrelvita();
            if (e.b単位数文字列変換中フラグ && e.s単位数文字列変換途中結果.size() >= 30) p->yyキャンセル指示();
        }
    }, 0);
}

// Values from real lines: each reads back equal, writes back the same text, and works
// in a new session as it did in the old one.
TEST(ValueText, RoundTripsThroughANewSession) {
    const char16_t* const exprs[] = {
        u"42",           u"2^100000",      u"-7/3",        u"1/7",          u"2^(1/2)",
        u"(-8)^(1/3)",   u"(2/3)^(3/4)",    u"5[km/h]",     u"20[°C]",       u"3[h]+20[min]",
        u"255[16]",      u"3[°Cx]",        u"0*(-1)",      u"1.5[Ω]",       u"2[m^2/s]",
    };
    for (const char16_t* expr : exprs) {
        SCOPED_TRACE(Utf16ToUtf8(expr));
        PumpGuard guard;
        ClsParser p1, p2;
        CutRenderings(p1, p2);
        const T単位数型 v = Assigned(p1, expr);
        const std::string saved = f単位数保存文字列(v);
        EXPECT_TRUE(std::all_of(saved.begin(), saved.end(), [](char c) { return c >= ' ' && c <= '~'; }));
        T単位数型 back;
        ASSERT_TRUE(f単位数保存文字列読込(saved, back)) << saved.substr(0, 300);
        EXPECT_TRUE(back == v);
        EXPECT_EQ(f単位数保存文字列(back), saved);
        p2.fSymTab().fSym値設定(u"v", VARIABLE_TOKEN, back);
        EXPECT_EQ(Eval(p2, u"v*2"), Eval(p1, u"v*2"));
    }
}

}  // namespace
