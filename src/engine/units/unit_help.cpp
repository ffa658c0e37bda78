// The unit part of the help text: every listed unit with the prefixes it takes, grouped
// by dimension, then the units of the user's own, then a few examples.
#include <algorithm>

#include "common/ut_common.h"
#include "engine/units/catalogue.h"
#include "engine/units/readers.h"

namespace {

// One listed spelling: the spelling as shown, its prefixes and its description.
struct T項目 {
    std::u16string s綴り;
    std::u16string s接頭子;
    std::u16string s説明;
};

// The spellings of one dimension, with the words naming it.
struct T次元群 {
    const T意味コ配列型* p次元;
    std::vector<std::u16string> t語;
    std::vector<T項目> t項目;
};

// The text as the body of a help entry closed by `close`: that bracket, its partner and
// the escape character are escaped, so that no description can end its entry early.
std::u16string f項目本文(const std::u16string& vs, char16_t close) {
    const char16_t open = close == u')' ? u'(' : u'[';
    std::u16string out;
    for (const char16_t c : vs) {
        if (c == open || c == close || c == u'\\') out += u'\\';
        out += c;
    }
    return out;
}

// The prefixes the flags allow, in the catalogue's order, separated by blanks.
std::u16string f接頭子一覧(int32_t vlフラグ) {
    std::u16string s;
    for (const auto& prefix : t接頭子リスト) {
        if ((prefix.lフラグ & vlフラグ) == 0) continue;
        if (!s.empty()) s += u' ';
        s += prefix.s接頭子;
    }
    return s;
}

// Adds the words naming a dimension in a description ("長さ(フィート)" -> 長さ,
// "仕事、熱量" -> 仕事 and 熱量) that the list does not hold yet.
void f次元語追加(const std::u16string& vs説明, std::vector<std::u16string>& rt語) {
    std::u16string head = vs説明.substr(0, vs説明.find(u'('));
    head += u'、';
    for (size_t p; (p = head.find(u'、')) != std::u16string::npos; head.erase(0, p + 1)) {
        const std::u16string word = head.substr(0, p);
        if (!word.empty() && std::find(rt語.begin(), rt語.end(), word) == rt語.end()) rt語.push_back(word);
    }
}

// The spelling as the help shows it: "[m]", and for a pattern its alternatives "[l][L]".
std::u16string f表示綴り(const std::u16string& vs綴り) {
    const std::u16string s =
        !vs綴り.empty() && vs綴り[0] == D正規文印[0] ? f正規文展開(vs綴り.substr(1)) : vs綴り;
    return CSTAVELKO_LB + s + CSTAVELKO_RB;
}

// Adds an entry to the group of its dimension, opening a new group after the others when
// none has that dimension yet.
void f群追加(std::vector<T次元群>& rt群, const T意味コ配列型& vt次元, T項目 vt項目) {
    auto it = std::find_if(rt群.begin(), rt群.end(),
                           [&](const T次元群& g) { return f意味コ配列比較(*g.p次元, vt次元) == 0; });
    if (it == rt群.end()) it = rt群.insert(rt群.end(), T次元群{&vt次元, {}, {}});
    f次元語追加(vt項目.s説明, it->t語);
    it->t項目.push_back(std::move(vt項目));
}

// One listed spelling at the given level: "[m]  k d c", joined to its description.
std::u16string f項目行(const T項目& vt, int vl段) {
    std::u16string s = vt.s綴り;
    if (!vt.s接頭子.empty()) s += u"  " + vt.s接頭子;
    return std::u16string(1, static_cast<char16_t>(u'0' + vl段)) + u"[" + f項目本文(s, u']') + u"]-" +
           static_cast<char16_t>(u'0' + vl段 + 1) + u"(" + f項目本文(vt.s説明, u')') + u")";
}

}  // namespace

std::u16string Brelvita_Help() {
    init_var();
    // The catalogue's listed rows, then the display spellings of the derived dimensions.
    std::vector<T次元群> groups;
    for (int i = 0; i < D単一表記単位数; ++i) {
        const T単一表記単位情報型& row = t単一表記単位情報[i];
        const v単一表記単位情報再定義型& text = v単一表記単位情報再定義[i];
        if (text.s説明[0] == 0) continue;
        f群追加(groups, row.t単一.t意味コ配列,
                {f表示綴り(text.s綴り), f接頭子一覧(row.l接頭子フラグ), text.s説明});
    }
    for (int i = 0; i < D意味コ表記数; ++i) {
        const v意味コ表記情報再定義型& text = v意味コ表記情報再定義[i];
        if (text.s説明[0] == 0) continue;
        f群追加(groups, t意味コ表記情報[i].t意味コ配列,
                {f表示綴り(f空白削除(text.sデフォルト綴りリスト)), u"", text.s説明});
    }
    std::u16string s = u"1[単位]+";
    for (const T次元群& g : groups) {
        std::u16string heading;
        for (const auto& word : g.t語) heading += (heading.empty() ? u"" : u"、") + word;
        s += u"2(" + f項目本文(heading, u')') + u")";
        for (const T項目& entry : g.t項目) s += f項目行(entry, 3);
        s += u"+";
    }
    // Rows past the catalogue's are the user's own, in the order they were defined.
    if (t単一表記単位情報.size() > static_cast<size_t>(D単一表記単位数)) {
        s += u"2(利用者単位)";
        for (size_t i = D単一表記単位数; i < t単一表記単位情報.size(); ++i) {
            const T単一表記単位情報型& row = t単一表記単位情報[i];
            s += f項目行({f表示綴り(row.t単一.s綴り), f接頭子一覧(row.l接頭子フラグ), row.s説明}, 3);
        }
        s += u"+";
    }
    const std::u16string LB = CSTAVELKO_LB, RB = CSTAVELKO_RB;
    s += u"1[例]+";
    s += u"2(変数に値を代入する)+4[pi:=3.14]+";
    s += u"2(代入した変数を使って、半径2cmの円の面積を求める)+4[pi*2cm^2]+";
    s += u"2(123456秒をhh:mm:ss形式の時間に変換する)+4[(123456s)" + LB + D例単_時間 + RB + u"]+";
    s += u"2(秒速5mの1時間後の距離" + LB + u"km" + RB + u"を求める)+4((5" + LB + u"m/s" + RB +
         u"*1h)" + LB + u"km" + RB + u")+";
    s += u"2(2進数10101100.1111を16進数に変換して表示する)+4[($10101100.1111)2" + LB + u"16" +
         RB + u"]+";
    return s;
}
