// Self-consistency of the unit catalogue: the constant rows must agree with each other
// and with the notation parser that reads them.
#include "engine/units/catalogue.h"

#include <gtest/gtest.h>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/units/readers.h"

namespace {

// True when indices 1..last are in ascending code order.
bool IsSorted(const T意味コ配列型& a) {
    for (size_t i = 2; i < a.size(); ++i) {
        if (a[i - 1].s単一意味コ > a[i].s単一意味コ) return false;
    }
    return true;
}

// The alternatives a pattern spelling stands for ("*[lL]" -> "l", "L").
std::vector<std::u16string> Spellings(const std::u16string& s綴り) {
    if (s綴り.empty() || s綴り[0] != u'*') return {s綴り};
    std::vector<std::u16string> out;
    std::u16string all = f正規文展開(s綴り.substr(1)) + u"][";
    for (size_t p; (p = all.find(u"][")) != std::u16string::npos; all.erase(0, p + 2)) {
        out.push_back(all.substr(0, p));
    }
    return out;
}

TEST(Catalogue, EveryCodeStringParsesToASortedKnownArray) {
    init_var();
    ASSERT_EQ(t単一表記単位情報.size(), size_t{D単一表記単位数});
    ASSERT_EQ(t意味コ表記情報.size(), size_t{D意味コ表記数});
    for (int i = 0; i < D単一表記単位数; ++i) {
        const auto& a = t単一表記単位情報[i].t単一.t意味コ配列;
        EXPECT_TRUE(IsSorted(a)) << "unit row " << i;
        EXPECT_GE(a.size(), 2u) << "unit row " << i;
        EXPECT_EQ(f意味コ配列比較(a, f未知意味コ配列()) == 0, i == D単一表記単位情報_未知) << i;
    }
    for (int i = 0; i < D意味コ表記数; ++i) {
        EXPECT_TRUE(IsSorted(t意味コ表記情報[i].t意味コ配列)) << "notation row " << i;
    }
}

TEST(Catalogue, NotationListsAreParallelAndSpellTheirOwnDimension) {
    init_var();
    ClsBrelvita e;
    for (int i = 0; i < D意味コ表記数; ++i) {
        const auto& row = t意味コ表記情報[i];
        TAString codes, spellings;
        f配列変換(row.s意味コリスト, codes);
        f配列変換(row.sデフォルト綴りリスト, spellings);
        if (i != D意味コ表記情報_数値) {
            EXPECT_EQ(codes.size(), spellings.size()) << "row " << i;
        }
        T意味コ配列型 dim;
        T単項表記配列型 terms;
        std::u16string formula;
        T保留補正式配列型 pending;
        e.f意味コ変換(f空白削除(row.sデフォルト綴りリスト), dim, terms, formula, pending);
        EXPECT_EQ(f意味コ配列比較(dim, row.t意味コ配列), 0) << "row " << i;
    }
}

TEST(Catalogue, EveryUnitSpellingFindsItsOwnRow) {
    init_var();
    for (int i = 1; i < D単一表記単位数; ++i) {
        for (const auto& spelling : Spellings(t単一表記単位情報[i].t単一.s綴り)) {
            int32_t row = -1, power = -1;
            EXPECT_TRUE(f単一表記検索(spelling, row, power)) << Utf16ToUtf8(spelling);
            EXPECT_EQ(row, i) << Utf16ToUtf8(spelling);
            EXPECT_EQ(power, 0);
        }
    }
}

TEST(Catalogue, HelpListsTheDescribedRowsInOrder) {
    const std::u16string help = Brelvita_Help();
    std::vector<std::u16string> listed;
    for (size_t p = 0; (p = help.find(u"2[[", p)) != std::u16string::npos;) {
        const size_t end = help.find(u"]]-3(", p);
        listed.push_back(help.substr(p + 3, end - p - 3));
        p = end;
    }
    std::vector<std::u16string> want;
    for (int i = 2; i < D単一表記単位数; ++i) {
        if (v単一表記単位情報再定義[i].s説明[0] == 0) continue;
        std::u16string s = v単一表記単位情報再定義[i].s綴り;
        want.push_back(s[0] == u'*' ? f正規文展開(s.substr(1)) : s);
    }
    for (const char16_t* s : {u"km/h", u"m2", u"m3", u"m/s2", u"s-1", u"R/s", u"Gy/s"}) want.push_back(s);
    EXPECT_EQ(listed, want);
    EXPECT_TRUE(help.starts_with(u"1[単位]+2[[m]]-3(長さ)2[[s]]-3(時間(秒))"));
    EXPECT_NE(help.find(u"2[[°C][℃]]-3(温度(セルシウス度))"), std::u16string::npos);
    EXPECT_TRUE(help.ends_with(u"4[($10101100.1111)2[16]]+"));
}

TEST(Catalogue, ListSplitting) {
    struct Case {
        std::u16string list;
        TAString want;  // index 0 is the placeholder
    };
    const Case cases[] = {
        {u"km / h", {u"", u"km", u"/", u"h"}},
        {u"", {u"", u""}},
        {u"a  b", {u"", u"a", u"", u"b"}},
    };
    for (const auto& c : cases) {
        TAString out;
        f配列変換(c.list, out);
        EXPECT_EQ(out, c.want);
    }
}

}  // namespace
