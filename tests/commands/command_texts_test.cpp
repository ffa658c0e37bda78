#include "commands/command_texts.h"

#include <gtest/gtest.h>

#include "engine/brelvita.h"

namespace {

TEST(CommandTexts, ModesResetAndVersion) {
    EXPECT_EQ(f結果表示モード文字列(FRAC_CMD), u"仮分数で計算結果を表示。");
    EXPECT_EQ(f結果表示モード文字列(MIXFRAC_CMD), u"帯分数で計算結果を表示。");
    EXPECT_EQ(f結果表示モード文字列(DEC_CMD), u"小数数で計算結果を表示。");
    EXPECT_EQ(f結果表示モード文字列(265), u"");
    EXPECT_EQ(fリセット文字列(), u"完了");
    EXPECT_EQ(fバージョン行(GetMyVerInfo()), u"Tavelko/Linux Version 1.5.0.0\r\n");
    EXPECT_EQ(fバージョン行(RMyVerInfo{}), u" Version \r\n");  // no version information
    EXPECT_TRUE(fバージョン固定文字列().starts_with(
        u"本プログラムは単位変換機能と算術演算機能を持つユーティリティプログラムです。\r\n"));
}

}  // namespace

#include "common/source_listing.h"

namespace {

TEST(SourceListing, FoundByNameWithoutRegardToCase) {
    std::u16string text;
    ASSERT_TRUE(fテキストリソース取得(u"RESOURCE_SRC", text));
    EXPECT_NE(text.find(u"// ===== engine/brelvita.h ====="), std::u16string::npos);
    EXPECT_NE(text.find(u"class ClsBrelvita"), std::u16string::npos);
    EXPECT_NE(text.find(u"駄目だこりゃ!"), std::u16string::npos);  // UTF-8 read back intact
    EXPECT_FALSE(fテキストリソース取得(u"Resource_Bin", text));
}

}  // namespace
