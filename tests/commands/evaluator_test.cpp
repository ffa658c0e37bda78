// The evaluation interface: one session's outcomes (results, errors with their ranges,
// command output and its marks, the display mode, exceptions as messages), the digit
// goal, the variables' saved forms, and a cancel and halfway reads from another thread.
#include "commands/evaluator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string_view>
#include <thread>

#include "common/utf.h"

using namespace std::string_view_literals;

namespace {

struct Row {
    const char16_t* templ;
    const char16_t* line;
    const char16_t* result;
    const char16_t* error;  // a prefix of the message
    int32_t main, mainLen, subst, substLen;
    const char16_t* output;  // a prefix of the command output
    bool append, reset, exception;
    int32_t mode;
};

// One session, line after line: state carries over, and every field of the outcome is
// what the front ends act on.
TEST(Evaluator, OneSessionsOutcomes) {
    const Row rows[] = {
        {u"", u"1/3", u"0.3`", u"", 0, 4, -1, 0, u"", false, false, false, DEC_CMD},
        {u"", u"!version", u"", u"", 0, 9, -1, 0, u"Tavelko/Linux Version 1.5.0.0\r\n\r\n", true, false, false, DEC_CMD},
        {u"", u"!res_frac", u"", u"", 0, 10, -1, 0, u"仮分数で", false, false, false, FRAC_CMD},
        {u"", u"a:=2/6", u"1/3", u"", 0, 7, -1, 0, u"", false, false, false, FRAC_CMD},
        {u"@*2", u"a", u"2/3", u"", 0, 4, -1, 0, u"", false, false, false, FRAC_CMD},
        {u"@+1", u"abc", u"", u"未定義変数: abc", -1, 0, 0, 3, u"", false, false, false, FRAC_CMD},
        {u"", u"1+", u"", u"構文不正", 2, 1, -1, 0, u"", false, false, false, FRAC_CMD},
        {u"", u"(-4)^(1/2)", u"", u"駄目だこりゃ!", -1, 0, -1, 0, u"", false, false, true, FRAC_CMD},
        {u"", u"2^2147483648", u"", u"整数オーバーフロー", -1, 0, -1, 0, u"", false, false, true, FRAC_CMD},
        {u"", u"!reset", u"", u"", 0, 7, -1, 0, u"完了", false, true, false, FRAC_CMD},
        {u"", u"a", u"", u"未定義変数: a", 0, 1, -1, 0, u"", false, false, false, FRAC_CMD},
        {u"", u"1/3", u"1/3", u"", 0, 4, -1, 0, u"", false, false, false, FRAC_CMD},
    };
    T評価器 e;
    for (const Row& w : rows) {
        SCOPED_TRACE(Utf16ToUtf8(w.line));
        const T評価結果型 r = e.f評価(w.line, {w.templ, 0, false});
        EXPECT_EQ(r.s入力, w.line);
        EXPECT_EQ(r.s結果, w.result);
        EXPECT_TRUE(r.sエラー.starts_with(w.error) && r.sエラー.empty() == (*w.error == u'\0')) << Utf16ToUtf8(r.sエラー);
        EXPECT_EQ((std::vector<int32_t>{r.l主位置, r.l主長さ, r.l置換位置, r.l置換長さ}),
                  (std::vector<int32_t>{w.main, w.mainLen, w.subst, w.substLen}));
        EXPECT_TRUE(r.s出力.starts_with(w.output) && r.s出力.empty() == (*w.output == u'\0')) << Utf16ToUtf8(r.s出力);
        EXPECT_EQ(r.b出力追記, w.append);
        EXPECT_EQ(r.bリセット, w.reset);
        EXPECT_EQ(r.b例外, w.exception);
        EXPECT_FALSE(r.bキャンセル);
        EXPECT_EQ(r.i表示モード, w.mode);
        EXPECT_EQ(r.p変数, nullptr);
    }
    const std::u16string listing = e.f評価(u"!sourcecode", {}).s出力;
    EXPECT_NE(listing.find(u"class ClsParseBase"), std::u16string::npos);
    EXPECT_EQ(listing.find(u"\r\r"), std::u16string::npos);
}

// The digit goal in the cases the console's --digits runs leave out: an expansion in a
// radix is cut there too, and one that ends by itself at the goal, or closes its cycle
// before it, is left alone. (Roots and decimal cuts: tests/cli/process_test.cpp.)
TEST(Evaluator, DigitGoalCutsExpansions) {
    T評価器 e;
    const struct {
        const char16_t* line;
        int64_t goal;
        const char16_t* result;
    } rows[] = {
        {u"1/8", 3, u"0.125"},
        {u"1/3", 3, u"0.3`"},
        {u"(1/97)[16]", 5, u"(0.02A30...)16"},
    };
    for (const auto& w : rows) {
        const T評価結果型 r = e.f評価(w.line, {u"", w.goal, false});
        EXPECT_EQ(r.s結果, w.result) << Utf16ToUtf8(w.line);
    }
}

// Saved forms come with the outcome when the variable table changed, and only then.
TEST(Evaluator, VariablesSavedFormsFollowTheTable) {
    T評価器 e;
    const T評価設定型 keep{u"", 0, true};
    auto r = e.f評価(u"1+1", keep);
    ASSERT_NE(r.p変数, nullptr);  // the first outcome always carries them
    EXPECT_TRUE(r.p変数->empty());
    EXPECT_EQ(e.f評価(u"2+2", keep).p変数, nullptr);
    r = e.f評価(u"x:=5[m]", keep);
    ASSERT_NE(r.p変数, nullptr);
    ASSERT_EQ(r.p変数->size(), 1u);
    EXPECT_EQ((*r.p変数)[0].s名前, u"x");
    EXPECT_TRUE((*r.p変数)[0].s保存形.starts_with("v1 "));
    EXPECT_EQ(e.f評価(u"x*2", keep).p変数, nullptr);
    r = e.f評価(u"!reset", keep);
    ASSERT_NE(r.p変数, nullptr);
    EXPECT_TRUE(r.p変数->empty());
}

// The line runs on the session's own thread while this one watches its halfway text grow,
// then cancels it: the digits so far end with "...", and the session goes on.
TEST(Evaluator, CancelAndHalfwayTextFromAnotherThread) {
    T評価器 e;
    std::promise<T評価結果型> outcome;
    e.f別スレッド評価(u"2^(1/2)", {}, [&outcome](T評価結果型 r) { outcome.set_value(std::move(r)); });
    size_t seen = 0;
    while (seen < 1000) {
        seen = e.f途中().f参照([](bool running, const std::u16string& s) {
            EXPECT_TRUE(s.empty() || u"1.41421356237"sv.starts_with(s.substr(0, 13)));
            return running ? s.size() : 0;
        });
        std::this_thread::yield();
    }
    e.fキャンセル();
    const T評価結果型 r = outcome.get_future().get();
    EXPECT_TRUE(r.s結果.starts_with(u"1.41421356237309504880")) << Utf16ToUtf8(r.s結果.substr(0, 40));
    EXPECT_TRUE(r.s結果.ends_with(u"..."));
    EXPECT_GE(r.s結果.size(), seen);
    EXPECT_TRUE(r.bキャンセル);
    EXPECT_TRUE(r.sエラー.empty());
    EXPECT_FALSE(e.f途中().f参照([](bool running, const std::u16string& s) { return running || !s.empty(); }));
    EXPECT_EQ(e.f評価(u"1+2", {}).s結果, u"3");
}

// A cancel asked for as soon as the line was started applies to it, though its thread
// may not have begun; one asked for between lines touches neither line.
TEST(Evaluator, ACancelBelongsToTheLineThatWasStarted) {
    T評価器 e;
    for (int i = 0; i < 20; ++i) {
        std::promise<T評価結果型> outcome;
        e.f別スレッド評価(u"2^(1/2)", {}, [&outcome](T評価結果型 r) { outcome.set_value(std::move(r)); });
        e.fキャンセル();
        std::future<T評価結果型> result = outcome.get_future();
        if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the cancel was lost: line " << i << " went on";
            e.f作業終了待ち();
            return;
        }
        EXPECT_TRUE(result.get().s結果.ends_with(u"...")) << i;
        e.fキャンセル();  // the line has ended
        EXPECT_EQ(e.f評価(u"1/4", {}).s結果, u"0.25");
    }
}

}  // namespace
