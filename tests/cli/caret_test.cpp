#include "cli/caret.h"

#include <gtest/gtest.h>

namespace {

struct T例 {
    std::u16string line;
    int32_t pos;
    int32_t len;
    std::string shown;
    std::string marker;
};

TEST(CliCaret, MarksTheRangeInTerminalColumns) {
    const T例 cases[] = {
        {u"1+", 2, 1, "1+", "  ^"},  // the line feed: after the last character
        {u"1+", 0, 3, "1+", "^~"},   // the whole text with its line feed
        {u"(1+2)16", 4, 3, "(1+2)16", "    ^~~"},
        {u"abc", 1, 0, "abc", " ^"},  // an empty range still shows where
        {u"ab", 9, 1, "ab", "  ^"},   // beyond the end: after the last character
        {u"ab", -1, 0, "ab", "^"},
        {u"", 0, 1, "", "^"},                  // an empty line
        {u"日本+x", 2, 1, "日本+x", "    ^"},  // wide characters take two columns
        {u"日本+x", 0, 2, "日本+x", "^~~~"},
        {u"ｱｲ+", 2, 1, "ｱｲ+", "  ^"},                    // halfwidth katakana take one
        {u"ＡＢ", 1, 1, "ＡＢ", "  ^~"},                 // fullwidth letters take two
        {u"\U0001F600+1", 2, 1, "\U0001F600+1", "  ^"},  // a surrogate pair is one character
        {u"\U0001F600+1", 1, 1, "\U0001F600+1", "^~"},   // a range inside a pair takes the pair
        {u"e\u0301+1", 2, 1, "e\u0301+1", " ^"},         // a combining mark takes none
        {u"20℃+", 3, 1, "20℃+", "   ^"},                 // ambiguous width counts as one
        {u"a\tb", 2, 1, "a       b", "        ^"},       // tabs expand to columns of eight
        {u"a\tb\tc", 4, 1, "a       b       c", "                ^"},
        {u"1\r", 1, 1, "1\u240D", " ^"},  // control characters become visible
        {u"\x01x", 1, 1, "\u2401x", " ^"},
        {u"\x7fx", 0, 1, "\u2421x", "^"},
    };
    for (const T例& c : cases) {
        const Tキャレット行型 t = fキャレット行(c.line, c.pos, c.len);
        EXPECT_EQ(t.s行, c.shown) << c.shown << " " << c.pos << "," << c.len;
        EXPECT_EQ(t.s印, c.marker) << c.shown << " " << c.pos << "," << c.len;
    }
}

TEST(CliCaret, DisplayWidth) {
    const std::pair<char32_t, int> cases[] = {
        {U'a', 1},    {U'~', 1},    {U'°', 1},    {U'Ω', 1},     {U'℃', 1},   {U'あ', 2},
        {U'ア', 2},   {U'漢', 2},   {U'한', 2},   {0x3000, 2},   {0x303F, 1}, {U'ｱ', 1},
        {U'Ａ', 2},   {U'￥', 2},   {0x1100, 2},  {0x0301, 0},   {0x200B, 0}, {0xFE0F, 0},
        {0x1F600, 2}, {0x20000, 2}, {0x2FFFD, 2}, {0x10FFFF, 1}, {0xA4D0, 1}, {0xD7A4, 1},
    };
    for (const auto& [c, w] : cases)
        EXPECT_EQ(f表示幅(c), w) << std::hex << static_cast<uint32_t>(c);
}

}  // namespace
