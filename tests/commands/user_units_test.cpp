// Units of the user's own, read from a units file's text. These tests add rows to the
// process's unit tables, so they run in a program of their own, and no two tests define
// the same spelling.
#include "commands/user_units.h"

#include <gtest/gtest.h>

#include "commands/evaluator.h"
#include "common/utf.h"
#include "engine/units/catalogue.h"

namespace {

// The result (or error) of each line in one session.
std::vector<std::u16string> Evaluate(const std::vector<std::u16string>& lines) {
    T評価器 e;
    std::vector<std::u16string> out;
    for (const auto& line : lines) {
        const T評価結果型 r = e.f評価(line, {});
        out.push_back(r.sエラー.empty() ? r.s結果 : r.sエラー);
    }
    return out;
}

TEST(UserUnits, UnusableLinesAreReportedAndTheOthersLoad) {
    const char* const file =
        "\xEF\xBB\xBF# a comment line, then a blank one\n"
        "\n"
        "smoot = 1.7018[m]  prefixes: k m\n"
        "twosmoot = 2[smoot]   # uses the line above\n"
        "俵 = 60[kg]\n"
        "dozen = 12\n"
        "thirdm = (1/3)[m]\n"
        "rootm = (4^(1/2))[m]\n"
        "fur = 201.168[m] prefixes: k da Ki\n"
        "walk = 1[mi/h]\n"
        "\tspaced\t=\t5[g]  \r\n"
        "no equals sign\n"
        "= 5[m]\n"
        "empty =\n"
        "m = 2[m]\n"
        "ol = 1[s] prefixes: m\n"
        "x2 = 3[m]\n"
        "a b = 1[m]\n"
        "*pat = 1[m]\n"
        "per/s = 1[m]\n"
        "irr = (2^(1/2))[m]\n"
        "pie = pi[m]\n"
        "warm = 1[°C]\n"
        "early = 3[late]\n"
        "late = 1[m]\n"
        "twolate = 2[late]\n"
        "zero = 0[m]\n"
        "neg = -1[m]\n"
        "pp = 1[m] prefixes: k q\n"
        "smoot = 5[m]\n"
        "open = 1[m]+\n"
        "huge = (7^100000000)[m]";
    const std::vector<T単位定義報告型> want = {
        {12, u"単位定義不正"},          {13, u"単位定義不正"},
        {14, u"単位定義不正"},          {15, u"既存の単位: m"},
        {16, u"既存の単位: mol"},       {17, u"単位名不正: x2"},
        {18, u"単位名不正: a b"},       {19, u"単位名不正: *pat"},
        {20, u"単位名不正: per/s"},     {21, u"有理数でない"},
        {22, u"有理数でない"},          {23, u"補正付き単位不可"},
        {24, u"次元不明"},              {27, u"正の有限値でない"},
        {28, u"正の有限値でない"},      {29, u"接頭子不明: q"},
        {30, u"既存の単位: smoot"},     {31, u"構文不正"},
        {32, u"計算打切り"},
    };
    EXPECT_EQ(f利用者単位定義(file), want);

    const std::vector<std::pair<std::u16string, std::u16string>> uses = {
        {u"(1[ksmoot])[m]", u"1701.8 [m]"},
        {u"(1[msmoot])[mm]", u"1.7018 [mm]"},
        {u"(3[twosmoot])[m]", u"10.2108 [m]"},
        {u"(2[俵])[kg]", u"120 [kg]"},
        {u"(3[dozen])[]", u"36"},
        {u"(3[thirdm])[m]", u"1 [m]"},
        {u"(1[rootm])[m]", u"2 [m]"},
        {u"(1[dafur])[m]", u"2011.68 [m]"},
        {u"(1[Kifur])[m]", u"205996.032 [m]"},
        {u"(1[walk])[km/h]", u"1.609344 [km/h]"},
        {u"(1[spaced])[g]", u"5 [g]"},
        // A spelling unknown to an earlier line reads once it is defined.
        {u"(1[twolate])[m]", u"2 [m]"},
        // Prefixes that were not asked for, and lines that were refused, do not read.
        {u"1[csmoot]", u"1 [???]"},
        {u"1[irr]", u"1 [???]"},
    };
    std::vector<std::u16string> lines, results;
    for (const auto& [line, result] : uses) {
        lines.push_back(line);
        results.push_back(result);
    }
    EXPECT_EQ(Evaluate(lines), results);
}

TEST(UserUnits, TheHelpListsThemAfterTheCatalogue) {
    EXPECT_TRUE(f利用者単位定義("hlp = 3[m] prefixes: k\nhlq = (1/2)[hlp]\n").empty());
    const std::u16string help = Brelvita_Help();
    // (brackets inside an entry are escaped)
    const size_t own = help.find(u"2(利用者単位)");
    const size_t entries = help.find(u"3[\\[hlp\\]  k]-4(3[m])3[\\[hlq\\]]-4(\\(1/2\\)[hlp])+1[例]");
    EXPECT_NE(entries, std::u16string::npos) << Utf16ToUtf8(help);
    EXPECT_LT(help.rfind(u"[\\[Gy/s\\]]"), own);  // the catalogue's last group comes first
    EXPECT_LT(own, entries);
}

}  // namespace
