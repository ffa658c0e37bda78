#include "parser/parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "commands/result_pane.h"
#include "common/utf.h"
#include "test_support.h"

namespace {

// One evaluation's outputs.
struct Outcome {
    std::u16string result, error;
    int32_t pos = 0, len = 0, spos = 0, slen = 0;
};

Outcome Eval(ClsParser& p, const std::u16string& main, const std::u16string& subst = u"") {
    Outcome o;
    p.yygo(main + u"\n", o.result, o.error, o.pos, o.len, subst, o.spos, o.slen);
    return o;
}

// Cancels the running evaluation from the message pump once `when` says so.
void CancelWhen(ClsParser& p, std::function<bool()> when) {
    p.fBrelvita().t取消要求.f監視設定([&p, when] {
        if (when()) p.yyキャンセル指示();
    }, 0);
}

TEST(ParserCancel, DuringTheRenderingShowsTheDigitsSoFar) {
    ClsParser p;
    const ClsBrelvita& e = p.fBrelvita();
    CancelWhen(p, [&e] { return e.t途中結果.f文字列().size() >= 30; });
    const Outcome o = Eval(p, u"2^(1/2)");
    EXPECT_TRUE(o.result.starts_with(u"1.4142135623730950488016887")) << Utf16ToUtf8(o.result);
    EXPECT_TRUE(o.result.ends_with(u"...")) << Utf16ToUtf8(o.result);
    EXPECT_EQ(o.error, u"");
    EXPECT_FALSE(p.f単位数文字列変換中());
    p.fBrelvita().t取消要求.f監視設定(nullptr);
    EXPECT_EQ(Eval(p, u"1/4").result, u"0.25");  // the next line works normally
}

TEST(ParserCancel, ACancelledAssignmentStoresNothing) {
    ClsParser p;
    int calls = 0;
    CancelWhen(p, [&calls] { return ++calls > 20; });
    const Outcome o = Eval(p, u"a:=3^2147483647");
    EXPECT_EQ(o.result, u"...");
    EXPECT_EQ(o.error, u"");
    p.fBrelvita().t取消要求.f監視設定(nullptr);
    EXPECT_EQ(Eval(p, u"a").error, u"未定義変数: a");
}

TEST(ParserCancel, ACancelInsideTheLexersUnitIsACancellation) {
    // Cancel at every point from the first character on: wherever the request lands
    // (reading, resolving the unit, computing or rendering), the line ends with "...".
    int total = 0;
    {
        ClsParser p;
        CancelWhen(p, [&total] { return ++total < 0; });
        Eval(p, u"1[min10000]");
    }
    // The last call reads past the end of the line, after the result is made.
    for (int from = 1; from < total; ++from) {
        ClsParser p;
        int calls = 0;
        CancelWhen(p, [&calls, from] { return ++calls >= from; });
        Outcome o;
        ASSERT_NO_THROW(o = Eval(p, u"1[min10000]")) << from;
        EXPECT_EQ(o.error, u"") << from;
        EXPECT_TRUE(o.result.ends_with(u"...")) << from << " of " << total;
    }
}

TEST(ParserInput, ManyTemplateCharactersDoNotExhaustTheStack) {
    ClsParser p;
    const std::u16string many(100000, u'@');
    EXPECT_EQ(Eval(p, many + u"1").result, u"1");
    EXPECT_EQ(Eval(p, u"@", many + u"2").error, u"構文不正");  // "@" in the input is a character
}

TEST(ParserInput, TheParserStackHoldsTwoHundredEntries) {
    ClsParser p;
    const std::u16string open199(199, u'('), open200(200, u'(');
    Outcome o = Eval(p, open200, u"");
    EXPECT_EQ(o.error, u"パーサースタックオーバーフロー");
    EXPECT_EQ(o.pos, -1);
    o = Eval(p, open199);  // fits; the line feed is the syntax error
    EXPECT_EQ(o.error, u"構文不正");
    EXPECT_EQ(o.pos, 199);
    const std::u16string deep = std::u16string(197, u'(') + u"7" + std::u16string(197, u')');
    EXPECT_EQ(Eval(p, deep).result, u"7");
}

TEST(ParserHelp, TheWholeHelpFormats) {
    const std::u16string help = fヘルプ全文();
    EXPECT_NE(help.find(u"Exp[Unit]  .....  式に単位を付加\r\n"), std::u16string::npos);
    EXPECT_NE(help.find(u"!version  .....  バージョン表示\r\n"), std::u16string::npos);
    EXPECT_NE(help.find(u"!sourcecode  .....  ソースコード表示\r\n"), std::u16string::npos);
}

// A random line from the language's tokens with some garbage mixed in.
std::u16string RandomLine(std::mt19937_64& rng) {
    static const std::vector<std::u16string> tokens = {
        u"1", u"0", u"12.5", u"0.1`6`", u"1:30", u"1:0:0.1", u"$ff", u"$10", u"$", u"a", u"b", u"x1",
        u"ab.c", u"km", u"m", u"h", u"[m/h]", u"[16]", u"[2]", u"[0]", u"[37]", u"[99999999999]",
        u"[°C]", u"[K]", u"[!time]", u"[!x]", u"[???]", u")16", u")2", u")99999999999", u"(", u")",
        u"+", u"-", u"*", u"/", u"^", u":=", u":", u" ", u"\t", u"@", u"!help", u"!reset", u"!res_frac",
        u"!res_mixfrac", u"!res_dec", u"!version", u"!foo", u"?", u"`", u".", u"\r", u"μ", u"あ",
        u"\u0100", u"[", u"]", u"1/3", u"2^(1/2)", u"-2", u"10^5", u"(1/0)"};
    std::u16string line;
    const int n = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i) {
        if (rng() % 10 == 0) {
            line.push_back(static_cast<char16_t>(rng() % 0x3000));  // garbage
        } else {
            line += tokens[rng() % tokens.size()];
        }
    }
    return line;
}

TEST(ParserRandom, EveryLineEndsWithAResultOrAMessage) {
    std::mt19937_64 rng(20261209);
    ClsParser p;
    // Whatever runs long (an irrational root, a huge power) is cancelled after 20 ms.
    auto deadline = std::chrono::steady_clock::now();
    p.fBrelvita().t取消要求.f監視設定([&p, &deadline] {
        if (std::chrono::steady_clock::now() > deadline) p.yyキャンセル指示();
    }, 1);
    int messages = 0, engineErrors = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::u16string line = RandomLine(rng);
        const std::u16string subst = rng() % 4 == 0 ? RandomLine(rng) : u"";
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
        Outcome o;
        try {
            o = Eval(p, line, subst);
        } catch (const E一般例外& x) {
            // Internal errors and overflows reach the front end, which shows their text.
            ++engineErrors;
            EXPECT_FALSE(x.message().empty());
            continue;
        }
        EXPECT_TRUE(o.result.empty() != o.error.empty() || o.result.empty()) << Utf16ToUtf8(line);
        if (!o.error.empty()) ++messages;
        const int32_t lM = static_cast<int32_t>(line.size()) + 1, lS = static_cast<int32_t>(subst.size());
        EXPECT_TRUE((o.pos == -1 && o.len == 0) || (o.pos >= 0 && o.pos + o.len <= lM)) << Utf16ToUtf8(line);
        EXPECT_TRUE((o.spos == -1 && o.slen == 0) || (o.spos >= 0 && o.spos + o.slen <= lS))
            << Utf16ToUtf8(line) << " | " << Utf16ToUtf8(subst) << " " << o.spos << "," << o.slen;
        EXPECT_FALSE(p.f単位数文字列変換中());
    }
    EXPECT_GT(messages, 1000);  // the generator really produces bad lines
    EXPECT_LT(engineErrors, 300);
}

}  // namespace
