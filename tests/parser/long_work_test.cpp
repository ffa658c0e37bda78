// Computations on numbers of millions of digits stop when asked: a huge power, a root
// expanded for seconds, the decimal text of a power of eight million digits, a radix
// rendering, a long product line, a unit power, and real numbers whose digits come from
// the real-number module. The outcome is asserted; how long the stop
// took, and the longest stretch without a cancellation point, are measured and reported,
// not asserted.
#include <gtest/gtest.h>

#include <chrono>

#include "common/utf.h"
#include "parser/parser.h"
#include "test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Case {
    std::u16string line;
    int afterMs;          // how long the work runs before the request
    bool fromRendering;   // counted from the start of the rendering, else of the line
    const char16_t* head; // the result: this, digits so far (any radix), the cancel mark
};

// text is head, then radix digits only, then "..." (and what follows the mark).
bool LooksLike(const std::u16string& text, const std::u16string& head) {
    const size_t mark = text.find(u"...");
    if (!text.starts_with(head) || mark == std::u16string::npos || mark < head.size()) return false;
    const auto digits = std::u16string_view(text).substr(head.size(), mark - head.size());
    return digits.find_first_not_of(u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ$(") == std::u16string_view::npos;
}

// The line 1*2*3*…*n.
std::u16string ProductLine(int n) {
    std::u16string line = u"1";
    for (int i = 2; i <= n; ++i) line += u"*" + Utf8ToUtf16(std::to_string(i));
    return line;
}

// A unit of n terms, "1[m*m*…*m]": resolved by the lexer.
std::u16string LongUnit(int n) {
    std::u16string line = u"1[m";
    for (int i = 1; i < n; ++i) line += u"*m";
    return line + u"]";
}

TEST(LongWork, HugeComputationsStopWhenAsked) {
    const Case cases[] = {
        {u"3^2147483647", 1000, false, u""},
        {u"2^(1/2)", 10000, false, u"1.41421356237"},
        {u"7^10000000", 300, true, u""},
        {u"(7^3000000)[36]", 200, true, u""},
        {ProductLine(150000), 800, false, u""},
        {u"(1[km])^5000000", 300, false, u""},
        {LongUnit(1000000), 300, false, u""},
        {u"pi", 2000, false, u"3.14159265358979"},
        {u"sin(1)+(1+5^(1/2))/2", 2000, false, u"2.45950497355779"},
        {u"(exp(1))[16]", 1500, false, u"($2.B7E151628AED"},
    };
    for (const Case& c : cases) {
        ClsParser p;
        const ClsBrelvita& e = p.fBrelvita();
        const Clock::time_point start = Clock::now();
        Clock::time_point rendering{}, requested{}, last = start;
        Clock::duration longestGap{};
        // The pump runs at every cancellation point: it notes the longest gap between two,
        // and repeats the request once it is due, as the front ends do.
        p.fBrelvita().t取消要求.f監視設定([&] {
            const Clock::time_point now = Clock::now();
            longestGap = std::max(longestGap, now - last);
            last = now;
            if (e.f単位数文字列変換中() && rendering == Clock::time_point{}) rendering = now;
            const Clock::time_point from = c.fromRendering ? rendering : start;
            if (from == Clock::time_point{} || now - from < std::chrono::milliseconds(c.afterMs)) return;
            if (requested == Clock::time_point{}) requested = now;
            p.yyキャンセル指示();
        }, 0);
        std::u16string result, error;
        int32_t a, b, s1, s2;
        p.yygo(c.line + u"\n", result, error, a, b, u"", s1, s2);
        const Clock::time_point end = Clock::now();
        p.fBrelvita().t取消要求.f監視設定(nullptr);
        const std::string text = Utf16ToUtf8(result);
        const std::string label = Utf16ToUtf8(c.line.substr(0, 20));
        EXPECT_EQ(error, u"") << label;
        EXPECT_TRUE(LooksLike(result, c.head)) << label << ": " << text.substr(0, 60) << "…" << text.size();
        ASSERT_NE(requested, Clock::time_point{}) << label << " ended before the request";
        std::fprintf(stderr, "%s: request to return %.1f ms, longest gap between cancellation points %.1f ms, "
                    "%zu characters\n",
                    label.c_str(), Ms(end - requested), Ms(longestGap), result.size());
        // The next line works normally.
        p.yygo(u"1/4\n", result, error, a, b, u"", s1, s2);
        EXPECT_EQ(result, u"0.25");
    }
}

}  // namespace
