#include "engine/units/readers.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/exception.h"

namespace {

using Tokens = std::vector<std::pair<std::u16string, std::u16string>>;  // token, exponent

// Every token of the text, with its exponent, until the empty token.
Tokens UnitTokens(std::u16string text) {
    Tokens out;
    std::u16string exponent;
    for (std::u16string t; !(t = f単位トークン取出し(text, exponent)).empty();) {
        out.emplace_back(t, exponent);
    }
    return out;
}

TEST(Readers, TokenReader) {
    std::u16string s = u"*1000*1/3600";
    std::vector<std::u16string> got;
    for (std::u16string t; !(t = fトークン取出し(s)).empty();) got.push_back(t);
    EXPECT_EQ(got, (std::vector<std::u16string>{u"*", u"1000", u"*", u"1", u"/", u"3600"}));
    std::u16string g = u"(km";
    EXPECT_EQ(fトークン取出し(g), u"(");
    EXPECT_EQ(fトークン取出し(g), u"km");
    EXPECT_EQ(fトークン取出し(g), u"");
}

TEST(Readers, UnitTermReaderSplitsTrailingExponents) {
    struct Case {
        std::u16string text;
        Tokens want;
    };
    const Case cases[] = {
        {u"km/h", {{u"km", u"1"}, {u"/", u"1"}, {u"h", u"1"}}},
        {u"s-1", {{u"s", u"-1"}}},
        {u"m2", {{u"m", u"2"}}},
        {u"2m", {{u"2m", u"1"}}},            // the first character stays in the spelling
        {u"m2x", {{u"m2x", u"1"}}},          // letters after digits: all in the spelling
        {u"C/(kg*s)", {{u"C", u"1"}, {u"/", u"1"}, {u"(", u"1"}, {u"kg", u"1"},
                       {u"*", u"1"}, {u"s", u"1"}, {u")", u"1"}}},
        {u"m-", {{u"m", u"-"}}},
        {u"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(UnitTokens(c.text), c.want);
}

TEST(Readers, CodeTokenReader) {
    std::u16string_view s = u"!1192(2)/!119621(2)", e;
    EXPECT_EQ(f意味トークン取出し(s, e), u"!1192");
    EXPECT_EQ(e, u"2");
    EXPECT_EQ(f意味トークン取出し(s, e), u"/");
    EXPECT_EQ(e, u"1");
    EXPECT_EQ(f意味トークン取出し(s, e), u"!119621");
    EXPECT_EQ(e, u"2");
    EXPECT_EQ(f意味トークン取出し(s, e), u"");
    std::u16string_view plain = u"!11950";
    EXPECT_EQ(f意味トークン取出し(plain, e), u"!11950");
    EXPECT_EQ(e, u"1");
    std::u16string_view open = u"!1192(2";
    EXPECT_THROW(f意味トークン取出し(open, e), E一般例外);
}

TEST(Readers, BlanksAndPatterns) {
    EXPECT_EQ(f空白削除(u" m / h "), u"m/h");
    EXPECT_EQ(f空白削除(u"m\t/h"), u"m\t/h");
    EXPECT_EQ(f正規文展開(u"[lL]"), u"l][L");
    EXPECT_EQ(f正規文展開(u"(°C|℃)"), u"°C][℃");
    EXPECT_EQ(f正規文展開(u"(Å|Å)"), u"Å][Å");
    EXPECT_EQ(f正規文展開(u"km"), u"km");
}

}  // namespace
