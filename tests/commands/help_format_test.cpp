#include "commands/help_format.h"

#include <gtest/gtest.h>

#include "common/exception.h"
#include "engine/units/catalogue.h"

namespace {

const std::u16string I = u"\u3000";  // one indentation level

TEST(HelpFormat, EntriesJoinsBlankLinesAndEscapes) {
    struct Case {
        std::u16string in, want;
    };
    const Case cases[] = {
        {u"1[入力形式]3[Exp + Exp]-4(加算式)+",
         I + u"入力形式\r\n" + I + I + I + u"Exp + Exp  .....  加算式\r\n\r\n"},
        {u"2[[km/h]]-3(速度)", I + I + u"[km/h]  .....  速度\r\n"},
        {u"2(時間(秒))", I + I + u"時間(秒)\r\n"},
        {u"1[a\\]b]", I + u"a]b\r\n"},
        {u"+4(x)+", u"\r\n" + I + I + I + I + u"x\r\n\r\n"},
        {u"0(a[b)", u"a[b\r\n"},          // brackets of the other kind are plain text
        {u"1(open", I + u"open"},         // an unclosed entry simply ends
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(fヘルプ文字列整形(c.in), c.want);
}

TEST(HelpFormat, CharactersOutOfPlaceAreInternalErrors) {
    try {
        fヘルプ文字列整形(u"(x)");
        FAIL();
    } catch (const E一般例外& e) {
        EXPECT_EQ(e.message(), u"駄目だこりゃ! ヘルプ文字列が不正");
    }
    try {
        fヘルプ文字列整形(u"1x");
        FAIL();
    } catch (const E一般例外& e) {
        EXPECT_EQ(e.message(), u"駄目だこりゃ! ヘルプ文字列が不正 その2");
    }
}

TEST(HelpFormat, TheUnitHelpFormats) {
    const std::u16string text = fヘルプ文字列整形(Brelvita_Help());
    EXPECT_NE(text.find(u"\n" + I + I + u"速度\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\n" + I + I + I + u"[km/h]  .....  速度\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\n" + I + I + I + u"[°C][℃]  .....  温度(セルシウス度)\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\n" + I + I + I + u"[B]  E P T G M k Ki Mi Gi Ti Pi Ei  .....  情報量(バイト)\r\n"),
              std::u16string::npos);
    EXPECT_NE(text.find(I + I + I + I + u"($10101100.1111)2[16]\r\n"), std::u16string::npos);
}

}  // namespace
