// The abridged view of long results at the prompt and the pieces of "!save".
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "cli/abridge.h"
#include "cli/save_command.h"
#include "common/utf.h"

namespace {

TEST(CliAbridge, LongResultsKeepBothEndsAroundTheCountLeftOut) {
    const std::u16string kCut = u"文字省略・!save ファイル名 で全文を保存〕\n";
    const std::u16string kCycle =
        u"文字省略(循環節の印 ` を含む)・!save ファイル名 で全文を保存〕\n";
    const struct {
        std::u16string in, shown;
    } cases[] = {
        {u"0123456789", u"0123456789"},                            // at the limit
        {u"01234x56789", u"01234\n〔1 " + kCut + u"56789"},        // one past it
        {u"0.1`234567`8901", u"0.1`2\n〔5 " + kCut + u"`8901"},    // both marks shown
        {u"0.12345`6`78901", u"0.123\n〔5 " + kCycle + u"78901"},  // both marks left out
        {u"𝟎𝟏𝟐𝟑abcdef", u"𝟎𝟏𝟐𝟑abcdef"},                            // ten characters, 14 units
        {u"abcd𝟎𝟏efgh𝟐𝟑", u"abcd𝟎\n〔2 " + kCut + u"fgh𝟐𝟑"},       // pairs at both cuts
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16ToUtf8(f端末向け短縮(c.in, 10)), Utf16ToUtf8(c.shown));
}

TEST(CliSave, TheFileIsTheTrimmedRestOfTheLine) {
    const std::u16string home = Utf8ToUtf16(std::getenv("HOME") ? std::getenv("HOME") : "~");
    const struct {
        std::u16string line;
        std::optional<std::u16string> file;
    } cases[] = {
        {u"!save out.txt", u"out.txt"},
        {u" \t!save   my file.txt \t", u"my file.txt"},
        {u"!save \"a b\"", u"a b"},
        {u"!save 'x'", u"x"},
        {u"!save", u""},
        {u"!save  ''", u""},
        {u"!save ~/r", home + u"/r"},
        {u"!saved x", std::nullopt},
        {u"1+1", std::nullopt},
        {u"x !save y", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(f保存先(c.line), c.file) << Utf16ToUtf8(c.line);
}

// Failures are reported and write nothing; a success is checked on the terminal.
TEST(CliSave, FailuresAreReported) {
    const struct {
        std::u16string text, file, report;
    } cases[] = {
        {u"1", u"", u"保存先のファイル名がありません (!save ファイル名)"},
        {u"1", u"/nonexistent/%2", u"/nonexistent/%2 に書き込めません: No such file or directory"},
    };
    for (const auto& c : cases) {
        const T保存報告型 r = f結果保存(c.text, c.file);
        EXPECT_EQ(Utf16ToUtf8(r.s文), Utf16ToUtf8(c.report));
        EXPECT_TRUE(r.bエラー);
    }
}

}  // namespace
