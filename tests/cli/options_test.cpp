#include "cli/options.h"

#include <gtest/gtest.h>

namespace {

struct T正常例 {
    std::vector<std::string> args;
    E起動種別 kind;
    bool json;
    std::string templ;
    double timeout;
    int32_t digits;
    std::vector<std::string> exprs;
};

TEST(CliOptions, AcceptedCommandLines) {
    using K = E起動種別;
    const T正常例 cases[] = {
        {{}, K::m評価, false, "", 0, 0, {}},
        {{"--json", "1+1"}, K::m評価, true, "", 0, 0, {"1+1"}},
        {{"1", "--json", "2"}, K::m評価, true, "", 0, 0, {"1", "2"}},
        {{"--template", "@*2"}, K::m評価, false, "@*2", 0, 0, {}},
        {{"--template=@*2", "3"}, K::m評価, false, "@*2", 0, 0, {"3"}},
        {{"--template", "--json"}, K::m評価, false, "--json", 0, 0, {}},  // a value is taken as it
                                                                          // is
        {{"--template="}, K::m評価, false, "", 0, 0, {}},
        {{"--timeout", "0.5"}, K::m評価, false, "", 0.5, 0, {}},
        {{"--timeout=2"}, K::m評価, false, "", 2, 0, {}},
        {{"--timeout", ".25"}, K::m評価, false, "", 0.25, 0, {}},
        {{"--digits", "50"}, K::m評価, false, "", 0, 50, {}},
        {{"--digits=10000", "2^(1/2)"}, K::m評価, false, "", 0, 10000, {"2^(1/2)"}},
        // Expressions that start with minus signs.
        {{"-2^2", "-x", "--1", "--(2)"}, K::m評価, false, "", 0, 0, {"-2^2", "-x", "--1", "--(2)"}},
        {{"--", "--json", "-h"}, K::m評価, false, "", 0, 0, {"--json", "-h"}},
        {{"--help"}, K::mヘルプ, false, "", 0, 0, {}},
        {{"-h", "--bogus"}, K::mヘルプ, false, "", 0, 0, {}},  // help ends the reading
        {{"--version"}, K::mバージョン, false, "", 0, 0, {}},
    };
    for (const T正常例& c : cases) {
        T起動設定型 t;
        std::string err;
        const std::string label = ::testing::PrintToString(c.args);
        ASSERT_TRUE(fオプション解析(c.args, t, err)) << label << ": " << err;
        EXPECT_EQ(t.e種別, c.kind) << label;
        EXPECT_EQ(t.bJSON, c.json) << label;
        EXPECT_EQ(t.s雛形, c.templ) << label;
        EXPECT_DOUBLE_EQ(t.d制限秒, c.timeout) << label;
        EXPECT_EQ(t.l桁数制限, c.digits) << label;
        EXPECT_EQ(t.t式, c.exprs) << label;
    }
}

TEST(CliOptions, UsageErrorsNameTheProblem) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"1", "--jsonx"}, "unknown option --jsonx"},
        {{"--json=1"}, "takes no value"},
        {{"--template"}, "needs a value"},
        {{"--timeout"}, "needs a value"},
        {{"--digits"}, "needs a value"},
        {{"--timeout", "abc"}, "--timeout"},
        {{"--timeout", "0"}, "--timeout"},
        {{"--timeout", "0.0"}, "--timeout"},
        {{"--timeout", "-1"}, "--timeout"},
        {{"--timeout", "1e3"}, "--timeout"},
        {{"--timeout", "nan"}, "--timeout"},
        {{"--timeout", "1.2.3"}, "--timeout"},
        {{"--timeout", "."}, "--timeout"},
        {{"--timeout="}, "--timeout"},
        {{"--digits", "0"}, "--digits"},
        {{"--digits", "-5"}, "--digits"},
        {{"--digits", "1.5"}, "--digits"},
        {{"--digits", "2147483648"}, "--digits"},
        {{"--digits", "99999999999"}, "--digits"},
        // Control characters are written out, so the reason stays one line; other text as it is.
        {{"--bo\ngus"}, "unknown option --bo\\x0agus"},
        {{"--timeout", "1\r\n2"}, "not '1\\x0d\\x0a2'"},
        {{"--digits", "\x1b[2J\x7f"}, "not '\\x1b[2J\\x7f'"},
        {{"--digits", "五\\"}, "not '五\\'"},
    };
    for (const auto& [args, expected] : cases) {
        T起動設定型 t;
        std::string err;
        EXPECT_FALSE(fオプション解析(args, t, err)) << ::testing::PrintToString(args);
        EXPECT_NE(err.find(expected), std::string::npos)
            << ::testing::PrintToString(args) << ": " << err;
    }
}

TEST(CliOptions, ParsingStartsFromDefaults) {
    T起動設定型 t;
    std::string err;
    ASSERT_TRUE(fオプション解析({"--json", "--digits", "5", "1"}, t, err));
    ASSERT_TRUE(fオプション解析({"2"}, t, err));
    EXPECT_FALSE(t.bJSON);
    EXPECT_EQ(t.l桁数制限, 0);
    EXPECT_EQ(t.t式, std::vector<std::string>{"2"});
}

}  // namespace
