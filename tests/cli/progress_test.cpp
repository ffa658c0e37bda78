#include "cli/progress.h"

#include <gtest/gtest.h>

namespace {

// The line never outgrows the width it is given (a wrapped line could not be erased):
// what does not fit is left out, the digits cut from the front.
TEST(CliProgress, LineFitsTheWidth) {
    struct Case {
        double seconds;
        size_t digits;
        std::u16string text;
        size_t width;
        std::string line;
    };
    const Case cases[] = {
        {0.5, 0, u"", 79, "計算中 0.5 秒"},
        {2, 4, u"1.414", 79, "計算中 2.0 秒 4 桁 1.414"},
        {2, 1234, u"1.4142135623", 27, "計算中 2.0 秒 1234 桁 ...23"},
        {2, 1234, u"1.4142135623", 25, "計算中 2.0 秒 1234 桁"},  // too little room for digits
        {2, 1234, u"1.4142135623", 15, "計算中 2.0 秒"},
        {2, 1234, u"1.4142135623", 12, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(f進捗行(c.seconds, c.digits, c.text, c.width), c.line) << c.width;
    }
}

}  // namespace
