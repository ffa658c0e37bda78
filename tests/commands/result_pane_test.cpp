#include "commands/result_pane.h"

#include <gtest/gtest.h>

#include "common/version.h"
#include "parser/parser.h"

namespace {

// The pane of a front end reduced to its text and a count of history clears.
struct Pane : T結果ペイン {
    std::u16string text;
    int clears = 0;
    std::u16string f結果ペイン文字列() const override { return text; }
    void f結果ペイン設定(const std::u16string& s) override { text = s; }
    void f履歴クリア() override { ++clears; }
};

TEST(ResultPane, AddingLinesFollowsATextBox) {
    EXPECT_EQ(f行追加(u"", u"x"), u"x\r\n");
    EXPECT_EQ(f行追加(u"0.3`", u"x"), u"0.3`\r\nx\r\n");
    EXPECT_EQ(f行追加(u"a\r\n", u"x\r\n"), u"a\r\nx\r\n\r\n");
    EXPECT_EQ(f行連結({u"a", u"", u"b"}), u"a\r\n\r\nb\r\n");
    EXPECT_EQ(f行連結({}), u"");
}

TEST(ResultPane, VersionGoesBelowTheResultAndResetClearsTheHistories) {
    Pane pane;
    ClsParser p(&pane);
    std::u16string r, e;
    int32_t a, b, c, d;
    p.yygo(u"1/3\n", r, e, a, b, u"", c, d);
    pane.text = r;  // the window shows the result
    p.yygo(u"!version\n", r, e, a, b, u"", c, d);
    EXPECT_EQ(r, u"");
    const std::u16string head = u"0.3`\r\nTavelko/Linux Version 1.5.0.0\r\n\r\n本プログラムは";
    EXPECT_TRUE(pane.text.starts_with(head));
    EXPECT_TRUE(pane.text.ends_with(u"\r\n"));
    p.yygo(u"!reset\n", r, e, a, b, u"", c, d);
    EXPECT_EQ(pane.text, u"完了");
    EXPECT_EQ(pane.clears, 1);
    p.yygo(u"!sourcecode\n", r, e, a, b, u"", c, d);
    EXPECT_NE(pane.text.find(u"class ClsParseBase"), std::u16string::npos);
    EXPECT_EQ(pane.text.find(u"\r\r"), std::u16string::npos);
}

}  // namespace
