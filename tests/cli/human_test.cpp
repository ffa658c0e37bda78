#include "cli/human.h"

#include <gtest/gtest.h>

namespace {

T評価結果型 Result(std::u16string input, std::u16string result, std::u16string output = u"") {
    T評価結果型 r;
    r.s入力 = std::move(input);
    r.s結果 = std::move(result);
    r.s出力 = std::move(output);
    return r;
}

T評価結果型 Error(std::u16string input, std::u16string message, int32_t mainPos, int32_t mainLen,
                  int32_t substPos = -1, int32_t substLen = 0) {
    T評価結果型 r;
    r.s入力 = std::move(input);
    r.sエラー = std::move(message);
    r.l主位置 = mainPos;
    r.l主長さ = mainLen;
    r.l置換位置 = substPos;
    r.l置換長さ = substLen;
    return r;
}

std::string Show(const T評価結果型& r, const std::u16string& templ = u"") {
    std::string out;
    f表示出力追加(out, r, templ);
    return out;
}

TEST(CliHuman, ResultsAndCommandTexts) {
    const std::pair<T評価結果型, std::string> cases[] = {
        {Result(u"1+1", u"2"), "2\n"},
        {Result(u"10km/5[m/h]", u"2000 [h]"), "2000 [h]\n"},
        {Result(u"2^(1/2)", u"1.41..."), "1.41...\n"},  // a cancelled line is a result
        {Result(u"!reset", u"", u"完了"), "完了\n"},
        {Result(u"!help", u"", u"a\r\nb\r\n"), "a\nb\n"},
        {Result(u"!version", u"", u"v\r\n\r\nx\r\n"), "v\n\nx\n"},  // empty lines stay
        {Result(u"x", u"", u"a\rb"), "a\rb\n"},                     // a lone CR is no line break
        {Result(u"x", u""), "\n"},                                  // one line per input line
    };
    for (const auto& [r, expected] : cases) EXPECT_EQ(Show(r), expected);
}

TEST(CliHuman, ErrorsMarkTheLineThatHoldsTheRange) {
    struct Case {
        T評価結果型 r;
        std::u16string templ;
        std::string expected;
    };
    const Case cases[] = {
        {Error(u"1+", u"構文不正", 2, 1), u"", "構文不正\n1+\n  ^\n"},
        {Error(u"!foo", u"未定義コマンド", 0, 5), u"", "未定義コマンド\n!foo\n^~~~\n"},
        {Error(u"x*日本", u"未定義変数: 日本", 2, 2), u"", "未定義変数: 日本\nx*日本\n  ^~~~\n"},
        // With a template: main-text ranges are in the template, the rest in the line.
        {Error(u"3", u"構文不正", 4, 1), u"@*2)", "構文不正\n@*2)\n    ^\n"},
        {Error(u"abc", u"未定義変数: abc", -1, 0, 0, 3), u"@+1", "未定義変数: abc\nabc\n^~~\n"},
        {Error(u"2*+", u"構文不正", -1, 0, 2, 1), u"(@)", "構文不正\n2*+\n  ^\n"},
        // Without a template the substitution text is empty: nothing to mark.
        {Error(u"((((", u"パーサースタックオーバーフロー", -1, 0, 0, 0), u"",
         "パーサースタックオーバーフロー\n"},
        {Error(u"1", u"メモリ不足", -1, 0), u"", "メモリ不足\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(Show(c.r, c.templ), c.expected);
}

TEST(CliHuman, ErrorReplacesThePaneText) {
    T評価結果型 r = Error(u"!help 5", u"構文不正", 6, 1);
    r.s出力 = u"help text\r\n";
    EXPECT_EQ(Show(r), "構文不正\n!help 5\n      ^\n");
}

}  // namespace
