// The texts in English: the program chooses English as the console does (the test runs
// under LANGUAGE=en) after rendering the help once in Japanese, for comparison.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/progress.h"
#include "commands/result_pane.h"
#include "commands/user_units.h"
#include "common/i18n.h"
#include "common/utf.h"
#include "english_check.h"

namespace {

std::u16string gJapaneseHelp;

// Renders the Japanese help, then turns to the user's language before any test runs.
class EnglishEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        gJapaneseHelp = fヘルプ全文();
        f言語初期化();
    }
};
[[maybe_unused]] auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new EnglishEnvironment);

// The lines of a pane text (CR LF breaks).
std::vector<std::u16string> Lines(const std::u16string& s) {
    std::vector<std::u16string> lines;
    size_t from = 0;
    for (size_t p; (p = s.find(u"\r\n", from)) != std::u16string::npos; from = p + 2)
        lines.push_back(s.substr(from, p - from));
    lines.push_back(s.substr(from));
    return lines;
}

// The columns a line's indent takes: two for an ideographic space, one for a blank.
size_t IndentColumns(const std::u16string& line) {
    size_t columns = 0;
    for (const char16_t c : line) {
        if (c == u'\u3000')
            columns += 2;
        else if (c == u' ')
            columns += 1;
        else
            break;
    }
    return columns;
}

// What a help line lists before its description: the same in every language.
std::u16string ListedPart(const std::u16string& line) {
    const size_t join = line.find(u"  .....  ");
    return join == std::u16string::npos ? u"" : line.substr(0, join);
}

TEST(EnglishTexts, CatalogueIsInUse) {
    ASSERT_TRUE(f訳文使用()) << "no English catalogue beside the program";
}

TEST(EnglishTexts, HelpIsTranslatedAndAlignedAsInJapanese) {
    const std::u16string english = fヘルプ全文();
    EXPECT_EQ(JapaneseOutsideBrackets(english), u"") << "untranslated help text";
    const std::vector<std::u16string> ja = Lines(gJapaneseHelp), en = Lines(english);
    ASSERT_EQ(en.size(), ja.size());
    for (size_t i = 0; i < ja.size(); ++i) {
        EXPECT_EQ(IndentColumns(en[i]), IndentColumns(ja[i]))
            << "line " << i + 1 << ": " << Utf16ToUtf8(en[i]);
        EXPECT_EQ(en[i].find(u'\u3000'), std::u16string::npos) << "line " << i + 1;
        // Unit spellings, prefixes and expressions stay as they are.
        const size_t indent = ja[i].find_first_not_of(u'\u3000');
        if (indent != std::u16string::npos && !ListedPart(ja[i]).empty()) {
            EXPECT_EQ(ListedPart(en[i]).substr(IndentColumns(en[i])),
                      ListedPart(ja[i]).substr(indent));
        }
    }
    EXPECT_NE(english.find(u"[ft]  .....  length (foot)"), std::u16string::npos);
}

TEST(EnglishTexts, ConsoleAndUnitsFileTexts) {
    EXPECT_EQ(f進捗行(2.5, 4194305, u"", 79), "computing 2.5 s 4194305 digits");
    EXPECT_EQ(f進捗行(0.5, 0, u"", 79), "computing 0.5 s");
    EXPECT_EQ(f単位定義報告文("u.txt", {3, u"単位名不正: 1x"}), u"u.txt:3: invalid unit name: 1x");
    EXPECT_EQ(f単位定義報告文("u.txt", {4, u"既存の単位: 尺"}),
              u"u.txt:4: unit already exists: 尺");
    for (const char16_t* message :
         {u"補正付き単位不可", u"有理数でない", u"正の有限値でない", u"計算打切り", u"次元不明",
          u"単位定義不正", u"接頭子不明: x", u"メモリ不足", u"不明な例外", u"キャンセル指示有り",
          u"〔%1 文字省略・!save ファイル名 で全文を保存〕",
          u"〔%1 文字省略(循環節の印 ` を含む)・!save ファイル名 で全文を保存〕",
          u"%1 文字を %2 に保存しました", u"保存する結果がまだありません",
          u"保存先のファイル名がありません (!save ファイル名)", u"%1 に書き込めません: %2"})
        EXPECT_EQ(TranslationFault(message), "") << Utf16ToUtf8(message);
}

}  // namespace
