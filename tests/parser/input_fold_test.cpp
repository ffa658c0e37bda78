#include "parser/input_fold.h"

#include <gtest/gtest.h>

#include <string>

#include "common/utf.h"

namespace {

struct FoldRow {
    std::u16string typed, folded;
};

// Typed lines and what the lexer must read instead.
const FoldRow kFoldRows[] = {
    {u"１２３＋１", u"123+1"},
    {u"（５［ｋｍ］）", u"(5[km])"},
    {u"1\u3000+\u30002", u"1 + 2"},
    {u"5[\u00B5s]", u"5[\u03BCs]"},
    {u"1[\u212B]", u"1[\u212B]"},  // Å is read by the catalogue as it is
    {u"10m\u00B2", u"10m2"},
    {u"10 km\u00B3", u"10 km3"},  // a unit after a number and a blank, as the lexer reads it
    {u"6\u7573\u00B2", u"6\u75732"},
    {u"5[m/s\u00B2]", u"5[m/s2]"},
    {u"1[s\u207B\u00B9]", u"1[s-1]"},
    {u"(1)m\u00B2", u"(1)m2"},
    {u"3\u00B2", u"3^2"},
    {u"(2m)\u00B2", u"(2m)^2"},
    {u"2\u207B\u00B9", u"2^-1"},
    {u"5[m]\u00B3", u"5[m]^3"},
    {u"\u03C0\u00B2", u"\u03C0^2"},
    {u"x\u00B2+1", u"x^2+1"},
    {u"2*ab1c\u00B2", u"2*ab1c^2"},
    {u"\u00B2", u"\u00B2"},          // nothing to raise: left for the grammar to refuse
    {u"1[\u00B2]", u"1[\u00B2]"},
    {u"5\u338F", u"5kg"},
    {u"\u339E+\u33A1", u"km+m2"},
    {u"[m^2]", u"[m2]"},
    {u"\uFF3Bm\uFF3E2\uFF3D", u"[m2]"},
    {u"2^3[m^2]^2", u"2^3[m2]^2"},
    {u"[m^2", u"[m2"},  // a bracket left open runs to the end of the line
    {u"\U0001F600\u00B2", u"\U0001F600\u00B2"},
};

TEST(InputFold, FoldsWhatInputMethodsType) {
    for (const FoldRow& row : kFoldRows) {
        std::u16string s = row.typed;
        T折畳み対応 map;
        f入力折畳み(s, map);
        EXPECT_EQ(Utf16ToUtf8(s), Utf16ToUtf8(row.folded)) << Utf16ToUtf8(row.typed);
        EXPECT_TRUE(row.typed == row.folded || !map.b恒等) << Utf16ToUtf8(row.typed);
        if (map.b恒等) continue;
        // Every folded unit comes from a typed range, in order; the text folds only once.
        ASSERT_EQ(map.t元範囲.size(), s.size());
        int32_t prev = 0;
        for (const T元範囲& r : map.t元範囲) {
            EXPECT_TRUE(prev <= r.l始 && r.l始 < r.l終 && r.l終 <= map.l元長さ) << Utf16ToUtf8(row.typed);
            prev = r.l始;
        }
        std::u16string again = s;
        f入力折畳み(again, map);
        EXPECT_EQ(Utf16ToUtf8(again), Utf16ToUtf8(s)) << Utf16ToUtf8(row.typed);
    }
}

TEST(InputFold, PlainLinesTakeNoMap) {
    for (const std::u16string line : {u"1+2*(3-4)^5\n", u"2^10[m]+[16]", u"6[\u7573]+1\u5C3A", u"a:=\u221A2"}) {
        std::u16string s = line;
        T折畳み対応 map;
        f入力折畳み(s, map);
        EXPECT_TRUE(map.b恒等 && map.t元範囲.empty() && s == line) << Utf16ToUtf8(line);
    }
}

struct RangeRow {
    std::u16string typed;
    int32_t pos, len;          // a range of the folded text
    int32_t typedPos, typedLen;  // the typed characters it covers
};

const RangeRow kRangeRows[] = {
    {u"１２３＋\n", 4, 1, 4, 1},      // the line feed after a folded text
    {u"１２３＋\n", 0, 5, 0, 5},      // the whole line
    {u"\u338F\n", 0, 2, 0, 1},        // "kg" is the one typed "㎏"
    {u"\u338F\n", 1, 1, 0, 1},        // any part of it still covers it
    {u"1+\u338F\n", 2, 2, 2, 1},
    {u"1+\u338F\n", 4, 1, 3, 1},
    {u"5[m^2]+x\n", 1, 4, 1, 5},      // the bracket with its dropped "^"
    {u"5[m^2]+x\n", 6, 1, 7, 1},
    {u"3\u00B2+y\n", 1, 1, 1, 1},     // the inserted "^" is the typed superscript
    {u"3\u00B2+y\n", 4, 1, 3, 1},
    {u"５＋ｘ\n", 2, 1, 2, 1},
    {u"５＋ｘ\n", 4, 0, 4, 0},        // an empty range at the end stays at the end
    {u"５＋ｘ", 3, 0, 3, 0},
    {u"５＋ｘ\n", -1, 0, -1, 0},      // no range stays no range
};

TEST(InputFold, MapsFoldedRangesToTheTypedCharacters) {
    for (const RangeRow& row : kRangeRows) {
        std::u16string s = row.typed;
        T折畳み対応 map;
        f入力折畳み(s, map);
        int32_t pos = row.pos, len = row.len;
        map.f元へ(pos, len);
        EXPECT_EQ(pos, row.typedPos) << Utf16ToUtf8(row.typed) << " " << row.pos << "," << row.len;
        EXPECT_EQ(len, row.typedLen) << Utf16ToUtf8(row.typed) << " " << row.pos << "," << row.len;
    }
}

TEST(InputFold, CharactersThatStartAUnitAfterANumber) {
    for (const char16_t c : std::u16string(u"%\u00B0\u00C5\u212B\u2103\u2109\u2030\u03BC\u03A9\u7573\u5C3A\u3042\u30C8\uF900\u00E9"))
        EXPECT_TRUE(f単位頭字(c)) << static_cast<int>(c);
    for (const char16_t c : std::u16string(u"a1+[(\u03C0\u221A\u00D7\u00F7\u00B2\uFF4B\u3000\u2200\uFF5E"))
        EXPECT_FALSE(f単位頭字(c)) << static_cast<int>(c);
}

}  // namespace
