#include "cli/json.h"

#include <gtest/gtest.h>

namespace {

std::string Quote(std::u16string_view s) {
    std::string out;
    fJSON文字列追加(out, s);
    return out;
}

TEST(CliJson, StringEscapes) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", R"("")"},
        {u"1+1", R"("1+1")"},
        {u"say \"hi\"", R"("say \"hi\"")"},
        {u"a\\b", R"("a\\b")"},
        {u"a\nb\rc\td", R"("a\nb\rc\td")"},
        {u"\r\n", R"("\r\n")"},
        {std::u16string(1, u'\0'), R"("\u0000")"},
        {u"\x01\x08\x0c\x1f", R"("\u0001\u0008\u000c\u001f")"},
        {u" ~\x7f", "\" ~\x7f\""},  // DEL and printable ASCII stay as they are
        {u"/", R"("/")"},
        {u"é", "\"\xC3\xA9\""},
        {u"構文不正", "\"構文不正\""},
        {u"a日\"本b", "\"a日\\\"本b\""},
        {u"\U0001F600", "\"\xF0\x9F\x98\x80\""},
        {u"\xFFFD", "\"\xEF\xBF\xBD\""},
        {std::u16string(1, char16_t{0xD800}), "\"\xEF\xBF\xBD\""},  // lone high surrogate
        {std::u16string(1, char16_t{0xDC00}) + u"x", "\"\xEF\xBF\xBDx\""},
        {std::u16string{char16_t{0xD83D}, u'"'}, "\"\xEF\xBF\xBD\\\"\""},  // pair broken by a quote
    };
    for (const auto& [in, expected] : cases) EXPECT_EQ(Quote(in), expected) << expected;
}

TEST(CliJson, LineHasAllFieldsInOrder) {
    T評価結果型 r;
    r.s入力 = u"1+";
    r.sエラー = u"構文不正";
    r.l主位置 = 2;
    r.l主長さ = 1;
    std::string out;
    fJSON行追加(out, r);
    EXPECT_EQ(out,
              "{\"input\": \"1+\", \"result\": \"\", \"error\": \"構文不正\", \"main\": [2, 1], "
              "\"subst\": [-1, 0], \"output\": \"\"}\n");

    T評価結果型 c;
    c.s入力 = u"!reset";
    c.l置換位置 = 0;
    c.l置換長さ = 12;
    c.s出力 = u"完了\r\n";
    out.clear();
    fJSON行追加(out, c);
    EXPECT_EQ(out,
              "{\"input\": \"!reset\", \"result\": \"\", \"error\": \"\", \"main\": [-1, 0], "
              "\"subst\": [0, 12], \"output\": \"完了\\r\\n\"}\n");
}

}  // namespace
