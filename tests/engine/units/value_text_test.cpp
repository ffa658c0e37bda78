#include "engine/units/value_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/utf.h"
#include "parser/parser.h"
#include "test_support.h"

namespace {

// The result text of one line.
std::u16string Eval(ClsParser& p, const std::u16string& line) {
    std::u16string result, error;
    int32_t a = 0, b = 0, c = 0, d = 0;
    p.yygo(line + u"\n", result, error, a, b, u"", c, d);
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
    for (ClsParser* p : {&p1, &p2}) {
        ClsBrelvita& e = p->fBrelvita();
        e.i展開目標桁数 = 30;
        e.t取消要求.f監視設定(
            [p, &e] {
                if (e.t途中結果.f実行中() && e.t途中結果.f文字列().size() >= 30) p->yyキャンセル指示();
            },
            0);
    }
}

// Values from real lines (integers small and huge, a power kept symbolic, fractions,
// roots, units with a factor, an offset and an exponent, times, a radix, the unknown unit,
// -0, infinity, real numbers): each reads back equal, writes back the same text, and works
// in a new session as it did in the old one.
TEST(ValueText, RoundTripsThroughANewSession) {
    const char16_t* const exprs[] = {
        u"42",         u"2^100000",    u"2^100000+1", u"-7/3",   u"1/7",  u"2^(1/2)",
        u"(-8)^(1/3)", u"(2/3)^(3/4)", u"5[km/h]",    u"20[°C]", u"1:30", u"(123456s)[!time]",
        u"255[16]",    u"3[°Cx]",      u"0*(-1)",     u"1.5[Ω]", u"-1/0",
        u"2^(1/2)+1",  u"pi*2[m]",     u"-(2^(1/2))/sin(30[°])",
    };
    for (const char16_t* expr : exprs) {
        SCOPED_TRACE(Utf16ToUtf8(expr));
        ClsParser p1, p2;
        CutRenderings(p1, p2);
        const T単位数型 v = Assigned(p1, expr);
        const std::string saved = f単位数保存文字列(v);
        EXPECT_TRUE(
            std::all_of(saved.begin(), saved.end(), [](char c) { return c >= ' ' && c <= '~'; }));
        T単位数型 back;
        ASSERT_TRUE(f単位数保存文字列読込(saved, back)) << saved.substr(0, 300);
        if (!v.t複素数.p実数) {  // a real's tree is read into new nodes
            EXPECT_TRUE(back == v);
        }
        EXPECT_EQ(f単位数保存文字列(back), saved);
        p2.fSymTab().fSym値設定(u"v", VARIABLE_TOKEN, back);
        EXPECT_EQ(Eval(p2, u"v*2"), Eval(p1, u"v*2"));
    }
}

// True when the text is refused and the value given to the reader is left as it was.
bool Refused(std::string_view text) {
    T単位数型 out;
    return !f単位数保存文字列読込(text, out) && out == T単位数型{};
}

// Texts the writer cannot have written: every cut of a saved form, and damaged ones.
TEST(ValueText, RefusesWhatTheWriterCannotWrite) {
    ClsParser p;
    const std::string saved = f単位数保存文字列(Assigned(p, u"20[°C]"));
    ASSERT_EQ(saved.substr(0, 24), "v1 1 1 1 k 1 1 1 1 1 0 1");  // the edits below rely on it
    for (size_t n = 0; n < saved.size(); ++n) EXPECT_TRUE(Refused(saved.substr(0, n))) << n;
    const struct {
        const char* from;
        const char* to;
    } edits[] = {
        {"v1 ", "v3 "},                           // a newer format
        {"v1 ", "v2 "},                           // a real's version without its tree
        {" .", " . 0"},                           // junk appended
        {" .", ". "},                             // no closing token
        {"v1 1", "v1  1"},                        // an empty token
        {" 2 ' 0", " 4000000000 ' 0"},            // a count beyond the text
        {" 2 ' 0", " 99999999999999999999 ' 0"},  // a count beyond any integer
        {" 2 ' 0", " 02 ' 0"},                    // a leading zero
        {"1 1 1 k", "2 2 1 k"},                   // flagged reduced, but 2/2
        {"1 1 1 k", "1 0 1 k"},                   // flagged reduced, but infinite
        {"1 1 1 k", "-0 1 1 k"},                  // flagged reduced, but -0
        {"k 1 1", "k -1 0"},                      // a negative denominator
        {"k 1 1", "0k 1 1"},                      // an integer with a leading zero
        {"k 1 1", "K 1 1"},                       // an upper-case digit
        {"k 1 1", "-k 1 1 1"},                    // a token too many
        {"'%00B0C", "'%00b0C"},                   // a lower-case escape
        {"'+273", "'%002B273"},                   // an escaped plain character
        {"'%00B0", "'\xC2\xB0"},                  // bytes beyond ASCII
        {"'%00B0C", "'%00B"},                     // a cut escape
        {" 0 0 .", " 0 2147483648 ."},            // beyond 32 bits
    };
    for (const auto& e : edits) {
        std::string damaged = saved;
        const size_t at = damaged.find(e.from);
        ASSERT_NE(at, std::string::npos) << e.from;
        damaged.replace(at, std::strlen(e.from), e.to);
        EXPECT_TRUE(Refused(damaged)) << damaged;
    }
}

}  // namespace
