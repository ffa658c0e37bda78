// The evaluation entry: folds the typed texts, resets the reading state, runs the parse,
// turns a cancellation into the cancel mark, and maps the outcome to the offending token's
// range in the typed main text or in the typed substitution text.
#include "parser/parse_base.h"

#include "common/ut_common.h"

ClsParseBase::ClsParseBase(I計算窓* pFront) : pFront_(pFront) {
    t単位数の60 = Brelvita.f単位数変換(u"60");
    t単位数の60.s単位表記.clear();
    f単位情報設定(t単位数の60, u"");
    t単位数の0 = Brelvita.f単位数変換(u"0");
}

void ClsParseBase::yyキャンセル指示() {
    Brelvita.f単位付計算キャンセル指示();
    bキャンセル指示フラグ = true;
}

void ClsParseBase::yygo(const std::u16string& vs入力式, std::u16string& rs結果, std::u16string& rsエラー,
                        int32_t& rlエラートークン位置, int32_t& rlエラートークン長さ,
                        const std::u16string& vs項書換, int32_t& rl項書換エラートークン位置,
                        int32_t& rl項書換エラートークン長さ) {
    f取消クリア();
    f行評価(vs入力式, rs結果, rsエラー, rlエラートークン位置, rlエラートークン長さ, vs項書換, rl項書換エラートークン位置,
            rl項書換エラートークン長さ);
}

void ClsParseBase::f取消クリア() {
    bキャンセル指示フラグ = false;
    Brelvita.f単位付計算キャンセル指示クリア();
}

void ClsParseBase::f行評価(const std::u16string& vs入力式, std::u16string& rs結果, std::u16string& rsエラー,
                           int32_t& rlエラートークン位置, int32_t& rlエラートークン長さ,
                           const std::u16string& vs項書換, int32_t& rl項書換エラートークン位置,
                           int32_t& rl項書換エラートークン長さ) {
    s退避入力式 = vs入力式;
    f入力折畳み(s退避入力式, t入力式対応);
    i入力式位置 = 0;
    s退避項書換 = vs項書換;
    f入力折畳み(s退避項書換, t項書換対応);
    i項書換位置 = s退避項書換.size();  // nothing of the substitution text is pending
    b項書換切出し中 = false;
    s結果.clear();
    sエラーメッセージ_.clear();
    b範囲指定_ = false;
    t指定範囲_.val = T単位数型{};
    s一つ前のトークン.clear();
    lトークン位置 = lトークン長さ = 0;
    l項書換トークン位置 = -1;
    l項書換トークン長さ = 0;
    l一つ前のトークン位置 = l一つ前のトークン長さ = 0;
    l一つ前の項書換トークン位置 = -1;
    l一つ前の項書換トークン長さ = 0;
    bool bスタック溢れ = false;
    try {
        yyparse();
    } catch (const Eスタックオーバーフロー&) {
        sエラーメッセージ_ = RCS_STACK_OVERFLOW;
        bスタック溢れ = true;
    } catch (const Eキャンセル指示&) {
        // A cancel that escaped every catcher (a unit resolved by the lexer) is a
        // cancellation like any other, never an error.
        bキャンセル指示フラグ = true;
    }
    if (bキャンセル指示フラグ && !bスタック溢れ) {
        sエラーメッセージ_.clear();
        if (s結果.empty()) s結果 = RCS_キャンセル印;
    }
    L終了_proc(rs結果, rsエラー, rlエラートークン位置, rlエラートークン長さ, rl項書換エラートークン位置,
               rl項書換エラートークン長さ);
}

void ClsParseBase::L終了_proc(std::u16string& rs結果, std::u16string& rsエラー, int32_t& rlエラートークン位置,
                              int32_t& rlエラートークン長さ, int32_t& rl項書換エラートークン位置,
                              int32_t& rl項書換エラートークン長さ) const {
    rs結果 = s結果;
    rsエラー = sエラーメッセージ_;
    const auto lS = static_cast<int32_t>(s退避項書換.size());
    // The token at (P, L) of the main text, or (PS, LS) of the substitution text; a token
    // that was the last character of the substitution text is mapped back to it.
    const auto fトークン範囲 = [&](int32_t P, int32_t L, int32_t PS, int32_t LS) {
        const bool bラムダ項 = L == 1 && P >= 0 && static_cast<size_t>(P) < s退避入力式.size() &&
                               s退避入力式[static_cast<size_t>(P)] == RCS_ラムダ項;
        if (PS == RCL_無効位置 && bラムダ項) PS = lS - LS;
        if (PS != RCL_無効位置) {
            rlエラートークン位置 = RCL_無効位置;
            rlエラートークン長さ = 0;
            rl項書換エラートークン位置 = PS;
            rl項書換エラートークン長さ = LS;
        } else {
            rlエラートークン位置 = P;
            rlエラートークン長さ = L;
            rl項書換エラートークン位置 = RCL_無効位置;
            rl項書換エラートークン長さ = 0;
        }
    };
    const auto f含む = [&](const char16_t* s) { return sエラーメッセージ_.find(s) != std::u16string::npos; };
    if (b範囲指定_) {
        fトークン範囲(t指定範囲_.l位置, t指定範囲_.l長さ, t指定範囲_.l項書換位置, t指定範囲_.l項書換長さ);
    } else if (f含む(RCS_SYNTAX_ERROR) || f含む(u"未定義単位")) {
        fトークン範囲(lトークン位置, lトークン長さ, l項書換トークン位置, l項書換トークン長さ);
    } else if (f含む(u"未定義変数: ")) {
        fトークン範囲(l一つ前のトークン位置, l一つ前のトークン長さ, l一つ前の項書換トークン位置,
                      l一つ前の項書換トークン長さ);
    } else if (f含む(RCS_STACK_OVERFLOW)) {
        rlエラートークン位置 = RCL_無効位置;
        rlエラートークン長さ = 0;
        rl項書換エラートークン位置 = 0;
        rl項書換エラートークン長さ = lS;
    } else {
        rlエラートークン位置 = 0;
        rlエラートークン長さ = static_cast<int32_t>(s退避入力式.size());
        rl項書換エラートークン位置 = RCL_無効位置;
        rl項書換エラートークン長さ = 0;
    }
    // The lexer counted in the folded texts; the user sees the typed ones.
    t入力式対応.f元へ(rlエラートークン位置, rlエラートークン長さ);
    t項書換対応.f元へ(rl項書換エラートークン位置, rl項書換エラートークン長さ);
}

std::u16string ClsParseBase::yyhelp() {
    return u"1[入力形式]"
           u"3[Exp + Exp]-4(加算式)"
           u"3[Exp - Exp]-4(減算式)"
           u"3[Exp * Exp]-4(乗算式)"
           u"3[Exp / Exp]-4(除算式)"
           u"3[Exp ^ Exp]-4(累乗式)"
           u"3[pi π e]-4(円周率、ネイピア数(同名の変数があればその値))"
           u"3[sqrt(Exp) √Exp cbrt(Exp)]-4(平方根、立方根)"
           u"3[exp(Exp) ln(Exp) log(Exp)]-4(指数関数、自然対数、常用対数)"
           u"3[sin cos tan asin acos atan]-4(三角関数(ラジアン。度はExp[°]))"
           u"3[sinh cosh tanh]-4(双曲線関数)"
           u"3[abs floor ceil]-4(絶対値、切り捨て、切り上げ)"
           u"3[Var := Exp]-4(変数へ値代入)"
           u"3[(Exp)]-4(式優先順)"
           u"3[Exp" + std::u16string(CSTAVELKO_LB) + u"Unit" + CSTAVELKO_RB + u"]-4(式に単位を付加)"
           u"3[($NUM)n]-4(n進数NUMを10進数変換)"
           u"3[Exp" + CSTAVELKO_LB + u"n" + CSTAVELKO_RB + u"]-4(式結果(10進数)をn進数変換して表示)"
           u"+4(なおExpは数値、または式、Varは変数名、$NUMはn進数数値、nは基数を表す。"
           u"変数名は英字で始まる英字、数字の連続。単位は表記を" + CSTAVELKO_LB + CSTAVELKO_RB +
           u"で囲み、式の後に付加する。"
           u"基数nは2\uFF5E36のいずれかの値、$NUMは$文字で始まる0\uFF5E9、a\uFF5EzまたはA\uFF5EZのn進数数値を表す"
           u")+"
           u"+2[コマンド]+3[!help ?]-4(ヘルプ表示)"
           u"3[!reset]-4(変数値及び履歴をクリア)+"
           u"3[!res_frac]-4(計算結果を仮分数で表示)"
           u"3[!res_mixfrac]-4(計算結果を帯分数で表示)"
           u"3[!res_dec]-4(計算結果を通常(小数)表示)+"
           u"3[!version]-4(バージョン表示)"
           u"3[!sourcecode]-4(ソースコード表示)+";
}
