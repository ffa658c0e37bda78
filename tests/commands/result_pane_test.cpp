#include "commands/result_pane.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultPane, AddingLinesFollowsATextBox) {
    EXPECT_EQ(f行追加(u"", u"x"), u"x\r\n");
    EXPECT_EQ(f行追加(u"0.3`", u"x"), u"0.3`\r\nx\r\n");
    EXPECT_EQ(f行追加(u"a\r\n", u"x\r\n"), u"a\r\nx\r\n\r\n");
    EXPECT_EQ(f行連結({u"a", u"", u"b"}), u"a\r\n\r\nb\r\n");
    EXPECT_EQ(f行連結({}), u"");
    EXPECT_EQ(f追記(u"", u"x\r\n"), u"x\r\n");
    EXPECT_EQ(f追記(u"0.3`", u"x\r\n"), u"0.3`\r\nx\r\n");
}

}  // namespace
