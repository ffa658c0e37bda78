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
        // The ends of both ranges, with leading zeros.
        {{"--timeout", "0.001"}, K::m評価, false, "", 0.001, 0, {}},
        {{"--timeout", "000.0010"}, K::m評価, false, "", 0.001, 0, {}},
        {{"--timeout", "1000000000.000"}, K::m評価, false, "", 1e9, 0, {}},
        {{"--timeout", "0001000000000"}, K::m評価, false, "", 1e9, 0, {}},
        {{"--digits", "1"}, K::m評価, false, "", 0, 1, {}},
        {{"--digits", "2147483647"}, K::m評価, false, "", 0, 2147483647, {}},
        {{"--digits", "0000000000002147483647"}, K::m評価, false, "", 0, 2147483647, {}},
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

TEST(CliOptions, UnitsFileIsTakenAsItIs) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--units", "-my units.txt", "1"}, {"--units=-my units.txt", "1"}}) {
        T起動設定型 t;
        std::string err;
        ASSERT_TRUE(fオプション解析(args, t, err)) << err;
        EXPECT_EQ(t.s単位ファイル, "-my units.txt");
        EXPECT_EQ(t.t式, std::vector<std::string>{"1"});
    }
}

TEST(CliOptions, UsageErrorsNameTheProblem) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"1", "--jsonx"}, "unknown option --jsonx"},
        {{"--json=1"}, "option --json takes no value"},
        {{"--template"}, "option --template needs a value"},
        {{"--timeout"}, "option --timeout needs a value"},
        {{"--digits"}, "option --digits needs a value"},
        {{"--units"}, "option --units needs a value"},
        {{"--units="}, "--units needs a file name"},
        {{"--timeout=1.2.3"},
         "--timeout needs a number of seconds from 0.001 to 1000000000, not '1.2.3'"},
        {{"--digits=+5"}, "--digits needs a whole number from 1 to 2147483647, not '+5'"},
        // Control characters are written out, so the reason stays one line; other text as it is.
        {{"--bo\ngus"}, "unknown option --bo\\x0agus"},
        {{"--timeout", "1\r\n2"}, "--timeout needs a number of seconds from 0.001 to 1000000000, not '1\\x0d\\x0a2'"},
        {{"--digits", "\x1b[2J\x7f"}, "--digits needs a whole number from 1 to 2147483647, not '\\x1b[2J\\x7f'"},
        {{"--digits", "五\\"}, "--digits needs a whole number from 1 to 2147483647, not '五\\'"},
    };
    for (const auto& [args, expected] : cases) {
        T起動設定型 t;
        std::string err;
        EXPECT_FALSE(fオプション解析(args, t, err)) << ::testing::PrintToString(args);
        EXPECT_EQ(err, expected) << ::testing::PrintToString(args);
    }
}

// Values just beyond the ends of the ranges (checked on the text, not on a rounded
// double), and texts that are no plain decimal numbers.
TEST(CliOptions, ValuesOutsideTheRangeAreRefused) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"--timeout",
         {"0", "0.0", "0.0009", "0.000999999999999999999999", "1000000000.5",
          "1000000000.0000000000000001", "1000000001", "1" + std::string(400, '0'), "-1", "+1",
          "1 ", " 1", "1e3", "inf", "nan", "1.2.3", ".", "", "abc"}},
        {"--digits",
         {"0", "0000", "-5", "+5", "1.5", "2147483648", "99999999999", "10000000000000000000001",
          "", "5 "}},
    };
    for (const auto& [option, values] : cases) {
        const std::string range = option == "--timeout"
                                      ? " needs a number of seconds from 0.001 to 1000000000"
                                      : " needs a whole number from 1 to 2147483647";
        for (const std::string& value : values) {
            T起動設定型 t;
            std::string err;
            EXPECT_FALSE(fオプション解析({option, value}, t, err))
                << option << " '" << value << "'";
            EXPECT_EQ(err, option + range + ", not '" + value + "'");
        }
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
