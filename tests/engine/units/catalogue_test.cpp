// Self-consistency of the unit catalogue: the constant rows must agree with each other
// and with the notation parser that reads them.
#include "engine/units/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// One entry of the unit help: its group's heading, the spelling as shown ("[l][L]"), the
// prefixes shown after it and the description.
struct HelpEntry {
    std::u16string heading, spelling, prefixes, description;
};

// The entries of the help's unit part, read back from the mini-format: a level-2
// paragraph opens a group, each level-3 item joined to a level-4 paragraph is an entry.
std::vector<HelpEntry> UnitHelpEntries(const std::u16string& help) {
    std::vector<std::pair<char16_t, std::u16string>> items;  // level digit, unescaped text
    for (size_t i = 0; i + 1 < help.size(); ++i) {
        if (help[i] < u'0' || help[i] > u'9') continue;
        const char16_t close = help[i + 1] == u'(' ? u')' : u']';
        std::u16string text;
        size_t j = i + 2;
        for (int depth = 0; help[j] != close || depth > 0; ++j) {
            if (help[j] == u'\\') {
                text += help[++j];
                continue;
            }
            depth += (help[j] == help[i + 1]) - (help[j] == close);
            text += help[j];
        }
        items.push_back({help[i], text});
        i = j;
    }
    std::vector<HelpEntry> out;
    std::u16string heading;
    for (size_t k = 0; k < items.size() && items[k].second != u"例"; ++k) {
        if (items[k].first == u'2') heading = items[k].second;
        if (items[k].first != u'3') continue;
        const std::u16string& item = items[k].second;
        const size_t gap = item.find(u"  ");
        out.push_back({heading, item.substr(0, gap), gap == std::u16string::npos ? u"" : item.substr(gap + 2),
                       items[k + 1].second});
    }
    return out;
}

// Every described row and every described display spelling is listed once, under one
// heading per dimension; groups come in the order of their first row; each spelling shows
// the prefixes it takes.
TEST(Catalogue, HelpListsEveryUnitGroupedByDimension) {
    init_var();
    const std::u16string help = Brelvita_Help();
    const std::vector<HelpEntry> entries = UnitHelpEntries(help);
    // The rows an entry may stand for, as (spelling shown, description) -> row index,
    // display spellings after the unit rows.
    std::vector<std::pair<std::pair<std::u16string, std::u16string>, int>> rows;
    std::vector<const T意味コ配列型*> dims;
    for (int i = 0; i < D単一表記単位数; ++i) {
        const auto& row = v単一表記単位情報再定義[i];
        if (row.s説明[0] == 0) continue;
        std::u16string s = row.s綴り;
        s = s[0] == u'*' ? f正規文展開(s.substr(1)) : s;
        rows.push_back({{u"[" + s + u"]", row.s説明}, i});
    }
    for (int i = 0; i < D意味コ表記数; ++i) {
        const auto& row = v意味コ表記情報再定義[i];
        if (row.s説明[0] == 0) continue;
        rows.push_back({{u"[" + f空白削除(row.sデフォルト綴りリスト) + u"]", row.s説明}, D単一表記単位数 + i});
    }
    const auto dimension = [](int row) -> const T意味コ配列型& {
        return row < D単一表記単位数 ? t単一表記単位情報[row].t単一.t意味コ配列
                                    : t意味コ表記情報[row - D単一表記単位数].t意味コ配列;
    };
    std::vector<std::pair<std::u16string, int>> groups;  // heading, first row
    for (const HelpEntry& e : entries) {
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const auto& r) {
            return r.first == std::make_pair(e.spelling, e.description);
        });
        ASSERT_NE(it, rows.end()) << "listed twice or unknown: " << Utf16ToUtf8(e.spelling);
        const int row = it->second;
        rows.erase(it);
        if (groups.empty() || groups.back().first != e.heading) {
            for (const auto& g : groups) {
                EXPECT_NE(f意味コ配列比較(dimension(g.second), dimension(row)), 0)
                    << "two groups of one dimension: " << Utf16ToUtf8(e.heading);
            }
            if (!groups.empty()) {
                EXPECT_LT(groups.back().second, row) << Utf16ToUtf8(e.heading);
            }
            groups.push_back({e.heading, row});
        }
        EXPECT_EQ(f意味コ配列比較(dimension(groups.back().second), dimension(row)), 0)
            << Utf16ToUtf8(e.spelling) << " under " << Utf16ToUtf8(e.heading);
    }
    EXPECT_TRUE(rows.empty()) << rows.size() << " rows not listed";

    const std::vector<std::vector<std::u16string>> spots = {
        // spelling, prefixes, heading
        {u"[m]", u"k d c m μ n p f a z y", u"長さ"},
        {u"[ft]", u"", u"長さ"},
        {u"[Hz]", u"Y Z E P T G M k", u"周波数、放射能、毎秒"},
        {u"[eV]", u"T G M k", u"仕事、熱量、エネルギー、電力量"},
        {u"[B]", u"E P T G M k Ki Mi Gi Ti Pi Ei", u"情報量"},
        {u"[%]", u"", u"角度、比率"},
        {u"[km/h]", u"", u"速度"},
    };
    for (const auto& spot : spots) {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const HelpEntry& e) { return e.spelling == spot[0]; });
        ASSERT_NE(it, entries.end()) << Utf16ToUtf8(spot[0]);
        EXPECT_EQ(it->prefixes, spot[1]) << Utf16ToUtf8(spot[0]);
        EXPECT_EQ(it->heading, spot[2]) << Utf16ToUtf8(spot[0]);
    }
    EXPECT_TRUE(help.starts_with(u"1[単位]+2(長さ)3[\\[m\\]  k d c"));
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
