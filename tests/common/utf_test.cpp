#include "common/utf.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf, RoundTripOfValidText) {
    const std::string texts[] = {"", "abc", "単位変換電卓", "°C ℃ Å μ Ω", "\xF0\x9F\x98\x80 smile"};
    for (const auto& t : texts) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(t)), t);
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string in;
        std::u16string want;
    };
    const Case cases[] = {
        {"a\xFF" "b", u"a\uFFFDb"},             // invalid lead byte
        {"\xC3", u"\uFFFD"},                     // truncated at the end
        {"\xE6\x97" "x", u"\uFFFDx"},            // truncated sequence is one U+FFFD
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\x80", u"\uFFFD"},                     // stray continuation byte
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.in), c.want) << c.in;
}

TEST(Utf, LoneSurrogatesAreReplacedWhenEncoding) {
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
}

}  // namespace
