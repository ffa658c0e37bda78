// Composing the notation shown for a derived dimension: named dimensions get their
// catalogue spelling (reusing the user's own unit terms where they fit), any other
// dimension is spelled code by code with integer exponents.
#include "common/checked_int.h"
#include "common/ut_common.h"
#include "engine/brelvita.h"
#include "engine/units/readers.h"

namespace {

constexpr char16_t RCFES_表記リスト構文不正[] =
    u"駄目だこりゃ! f単位表記変換()でt意味コ表記情報().s意味コリストの構文エラーが発生した";
constexpr char16_t RCFES_表記リスト括弧内構文不正[] =
    u"駄目だこりゃ! f単位表記変換()でt意味コ表記情報().s意味コリストの(括弧内で)構文エラーが発生した";
constexpr char16_t RCFES_表記作成失敗[] = u"駄目だこりゃ! f単位表記変換()で表記作成に失敗した";

// A spelling split into its letters and its trailing exponent ("s2" -> "s", "2").
struct Term {
    std::u16string letters, exponent;
};
Term Split(const std::u16string& spelling) {
    std::u16string rest = spelling;
    Term t;
    t.letters = f単位トークン取出し(rest, t.exponent);
    return t;
}

// The array with every exponent divided by the spelling's exponent, when all divide.
T意味コ配列型 BaseArray(T意味コ配列型 a, const std::u16string& exponent) {
    f基本意味コ配列変換(a, ForceStrToInt(exponent));
    return a;
}

// The letters for one slot of a named notation: the first unary entry whose base array
// equals the slot's, else the default spelling's letters.
std::u16string SlotLetters(const T意味コ配列型& slot, const std::u16string& defaultLetters,
                           const T単項表記配列型& unary) {
    for (size_t j = 1; j < unary.size(); ++j) {
        const Term t = Split(unary[j].s綴り);
        if (f意味コ配列比較(BaseArray(unary[j].t意味コ配列, t.exponent), slot) == 0) return t.letters;
    }
    return defaultLetters;
}

// Spells a named dimension from its code list and default spellings.
std::u16string SpellNamed(const T意味コ表記情報型& row, const T単項表記配列型& unary) {
    TAString codes, spellings;
    f配列変換(row.s意味コリスト, codes);
    f配列変換(row.sデフォルト綴りリスト, spellings);
    std::u16string notation, sOperator = u"*", sInner = u"*";
    bool bInside = false;
    for (size_t k = 1; k < codes.size(); ++k) {
        const std::u16string& token = codes[k];
        std::u16string& op = bInside ? sInner : sOperator;
        if (token == u"/" || token == u"*") {
            op = token;
        } else if (!token.empty() && token[0] == u'!') {
            T意味コ配列型 slot;
            f意味コ昇順配列作成(token, slot);
            const Term def = Split(k < spellings.size() ? spellings[k] : u"");
            slot = BaseArray(slot, def.exponent);
            const std::u16string letters = SlotLetters(slot, def.letters, unary);
            notation += notation.empty() ? letters : op + letters;
            if (def.exponent != u"1") notation += def.exponent;
        } else if (token == u"(" && !bInside) {
            notation += u"(";
            bInside = true;
            sInner = u"*";
        } else if (token == u")" && bInside) {
            notation += u")";
            bInside = false;
        } else {
            throw E一般例外(bInside ? RCFES_表記リスト括弧内構文不正 : RCFES_表記リスト構文不正);
        }
    }
    return notation;
}

// The spelling and exponent for one code of an unnamed dimension.
void SpellCode(const T意味コ配列要素& code, const T単項表記配列型& unary, std::u16string& spelling,
               int32_t& n) {
    const bool bNegative = code.l指数 < 0;
    const T意味コ配列型 C{{}, {code.s単一意味コ, bNegative ? f検査付符号反転(code.l指数) : code.l指数}};
    for (size_t j = 1; j < unary.size(); ++j) {
        const Term t = Split(unary[j].s綴り);
        const int32_t written = ForceStrToInt(t.exponent);
        // A term written with exponent 0 ("a0") has every exponent 0: it spells no code.
        if (written == 0) continue;
        const T意味コ配列型& a = unary[j].t意味コ配列;
        if (f意味コ配列比較(a, C) == 0) {
            spelling = t.letters;
            n = written;
            if (bNegative) n = f検査付符号反転(n);
            return;
        }
        if (f意味コ配列比較(a, C, true) == 0 && a[1].l指数 == written) {
            spelling = t.letters;
            n = code.l指数;
            return;
        }
    }
    for (size_t i = 1; i < t単一表記単位情報.size(); ++i) {
        const T意味コ配列型& a = t単一表記単位情報[i].t単一.t意味コ配列;
        if (a.size() == 2 && a[1].l指数 == 1 && a[1].s単一意味コ == code.s単一意味コ) {
            spelling = t単一表記単位情報[i].t単一.s綴り;
            n = code.l指数;
            return;
        }
    }
    throw E一般例外(RCFES_表記作成失敗);
}

// Spells a dimension code by code: "g2", "min-1", "g/l", "m*s".
std::u16string SpellByCodes(const T意味コ配列型& dim, const T単項表記配列型& unary) {
    std::u16string notation;
    for (size_t i = 1; i < dim.size(); ++i) {
        std::u16string spelling;
        int32_t n = 1;
        SpellCode(dim[i], unary, spelling, n);
        if (i == 1) {
            notation += spelling;
            if (n != 1) notation += IntToStr(n);
        } else if (n == 1) {
            notation += u"*" + spelling;
        } else if (n > 1) {
            notation += u"*" + spelling + IntToStr(n);
        } else if (n == -1) {
            notation += u"/" + spelling;
        } else {
            notation += u"/" + spelling + IntToStr(-int64_t{n});
        }
    }
    return notation;
}

}  // namespace

bool ClsBrelvita::f単位表記変換(const T意味コ配列型& vt意味コ配列, const T単項表記配列型& vt単項表記リスト,
                                std::u16string& rs単位表記, std::u16string& rs基底値変換式,
                                T保留補正式配列型& rt保留補正式) {
    init_var();
    rs単位表記.clear();
    rs基底値変換式.clear();
    bool bNamed = false;
    for (int i = 1; i < D意味コ表記数 && !bNamed; ++i) {
        if (f意味コ配列比較(t意味コ表記情報[i].t意味コ配列, vt意味コ配列) == 0) {
            rs単位表記 = SpellNamed(t意味コ表記情報[i], vt単項表記リスト);
            bNamed = true;
        }
    }
    if (!bNamed) rs単位表記 = SpellByCodes(vt意味コ配列, vt単項表記リスト);
    T意味コ配列型 dim;
    T単項表記配列型 terms;
    f意味コ変換(rs単位表記, dim, terms, rs基底値変換式, rt保留補正式);
    // The user's terms can compose a notation the reader refuses ("mm333334": a prefix
    // power beyond its bound): the catalogue's own spellings then, which it reads back.
    if (f意味コ配列比較(dim, vt意味コ配列) != 0 && vt単項表記リスト.size() > 1) {
        return f単位表記変換(vt意味コ配列, T単項表記配列型(1), rs単位表記, rs基底値変換式, rt保留補正式);
    }
    return bNamed;
}
