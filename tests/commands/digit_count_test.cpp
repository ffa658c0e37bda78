#include "commands/digit_count.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The count straight from the definition, for comparison.
size_t Reference(const std::u16string& s) {
    const size_t point = s.find(u'.');
    if (point == std::u16string::npos) return 0;
    size_t n = 0;
    for (size_t i = point + 1; i < s.size(); ++i)
        n += std::isalnum(static_cast<unsigned char>(s[i])) != 0;
    return n;
}

TEST(CliDigitCount, GrowingAndRestartedTexts) {
    T小数桁計数 counter;
    struct Step {
        std::u16string text;
        size_t afterPoint;
        size_t all;
    };
    const Step steps[] = {
        {u"", 0, 0},
        {u"1", 0, 1},
        {u"1.", 0, 1},
        {u"1.4", 1, 2},
        {u"1.414", 3, 4},
        {u"1.414", 3, 4},  // no growth: no double counting
        {u"3", 0, 1},      // shorter: a new expansion
        {u"3.1`42857", 6, 7},
        {u"-0.00`011", 5, 6},
        {u"-0.00`011`", 5, 6},
        {u"12.5", 1, 3},    // the point moved: rescanned although the text is not shorter
        {u"ff.a3Z", 3, 5},  // radix digits
        {u"123456", 0, 6},  // no point at all
        {u"123456.7", 1, 7},
    };
    for (const auto& [text, afterPoint, all] : steps) {
        const std::string label(text.begin(), text.end());
        EXPECT_EQ(counter.f計数(text), afterPoint) << label;
        EXPECT_EQ(counter.f全桁数(), all) << label;
    }
    counter.fリセット();
    EXPECT_EQ(counter.f計数(u"0.5"), 1u);
}

TEST(CliDigitCount, AgreesWithAFullRecountOnRandomExpansions) {
    std::mt19937 rng(12345);
    const std::u16string alphabet = u"0123456789abcZ`";
    for (int run = 0; run < 200; ++run) {
        T小数桁計数 counter;
        std::u16string text;
        for (int step = 0; step < 60; ++step) {
            const unsigned action = rng() % 10;
            if (action == 0) {
                text = text.substr(0, rng() % (text.size() + 1));  // a new, shorter expansion
            } else if (action == 1 && text.find(u'.') == std::u16string::npos) {
                text += u'.';
            } else {
                for (unsigned k = rng() % 4; k > 0; --k) text += alphabet[rng() % alphabet.size()];
            }
            ASSERT_EQ(counter.f計数(text), Reference(text)) << "run " << run << " step " << step;
        }
    }
}

}  // namespace
