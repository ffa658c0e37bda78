// The lexer: reads the line one character at a time through the input reader, which
// expands every "@" of the main text into the substitution text and remembers where
// each character came from, and turns it into the grammar's tokens with their values.
#include <limits>

#include "common/ut_common.h"
#include "parser/input_fold.h"
#include "parser/parse_base.h"

namespace {

bool f数字(int32_t c) { return c >= u'0' && c <= u'9'; }
bool f英字(int32_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool f英数字(int32_t c) { return f数字(c) || f英字(c); }
bool fコマンド字(int32_t c) { return f英字(c) || c == u'_'; }
// The characters that end an unbracketed unit.
bool f区切り(int32_t c) {
    switch (c) {
        case u'-': case u'+': case u'/': case u'*': case u'^': case u'=': case u')': case u'(': case u' ':
            return true;
        default:
            return false;
    }
}

// "^[0-9]+$" with its final-line-feed meaning of "$".
bool f数字列(const std::u16string& s) {
    const size_t n = !s.empty() && s.back() == u'\n' ? s.size() - 1 : s.size();
    if (n == 0) return false;
    for (size_t i = 0; i < n; ++i) {
        if (!f数字(s[i])) return false;
    }
    return true;
}

enum class E数状態 { E数点前, E数点後, E数循環節内, E数終わり };

// The token code of a "!" command word (compared in lower case).
int32_t fコマンドトークン(const std::u16string& vsWord) {
    const std::u16string word = fASCII小文字化(vsWord);
    if (word == u"help") return HELP_CMD_TOKEN;
    if (word == u"reset") return RESET_CMD_TOKEN;
    if (word == u"version") return VERSION_CMD_TOKEN;
    if (word == u"sourcecode") return SOURCECODE_CMD_TOKEN;
    if (word == u"res_frac") return FRAC_CMD_TOKEN;
    if (word == u"res_mixfrac") return MIXFRAC_CMD_TOKEN;
    if (word == u"res_dec") return DEC_CMD_TOKEN;
    return UNKNOWN_CMD_TOKEN;
}

}  // namespace

int32_t ClsParseBase::CB_getchar() {
    // An "@" expands into the whole substitution text; looping (not recursing) keeps a
    // line of many "@" from exhausting the stack.
    for (;;) {
        Brelvita.t取消要求.f監視();  // the front end's watch may ask to stop reading
        if (i項書換位置 < s退避項書換.size()) {
            b項書換切出し中 = true;
            return s退避項書換[i項書換位置++];
        }
        if (i入力式位置 >= s退避入力式.size() || bキャンセル指示フラグ) return D入力終端;
        b項書換切出し中 = false;
        const char16_t c = s退避入力式[i入力式位置++];
        if (c != RCS_ラムダ項) return c;
        i項書換位置 = 0;
        l項書換トークン位置 = 0;
    }
}

void ClsParseBase::CB_ungetc(int32_t c) {
    if (c == D入力終端) return;
    // The character put back is always the one just read, so stepping back suffices.
    size_t& i = b項書換切出し中 ? i項書換位置 : i入力式位置;
    if (i > 0) --i;
}

std::u16string ClsParseBase::f単位切出し() {
    int32_t c = CB_getchar();
    if (f区切り(c) || c == YYRETURNCHAR) {
        CB_ungetc(c);
        return u"";
    }
    std::u16string s;
    if (c == CSTAVELKO_LB[0]) {
        // A bracketed text: up to "]" or the end of input, blanks dropped.
        while ((c = CB_getchar()) != D入力終端 && c != CSTAVELKO_RB[0]) {
            if (c != u' ') s.push_back(static_cast<char16_t>(c));
        }
        return s;
    }
    while (c != D入力終端 && !f区切り(c) && c != YYRETURNCHAR) {
        s.push_back(static_cast<char16_t>(c));
        c = CB_getchar();
    }
    CB_ungetc(c);
    return s;
}

std::u16string ClsParseBase::f数値列取得(int32_t& c, bool (*pPattern)(int32_t)) {
    std::u16string s;
    E数状態 state = E数状態::E数点前;
    size_t l小数桁 = 0;
    size_t l循環桁 = 0;
    for (;;) {
        if (c != D入力終端) s.push_back(static_cast<char16_t>(c));
        c = CB_getchar();
        const bool b一致 = pPattern(c);
        if (state == E数状態::E数点前 && (b一致 || c == u'.')) {
            if (!b一致) state = E数状態::E数点後;
            continue;
        }
        if (state == E数状態::E数点後 && b一致) {
            ++l小数桁;
            continue;
        }
        // A cycle needs a digit after the point before it: "0.`3`" ends at the mark.
        if (state == E数状態::E数点後 && c == D循環節文字 && l小数桁 > 0) {
            state = E数状態::E数循環節内;
            continue;
        }
        if (state == E数状態::E数循環節内 && (b一致 || c == D循環節文字)) {
            if (b一致) ++l循環桁;
            if (!b一致) state = E数状態::E数終わり;
            continue;
        }
        break;
    }
    // A cycle left open after more digits ("1.2`3") is closed at the end of the number; a
    // single mark after a digit ("0.3`") already marks a one-digit cycle.
    if (state == E数状態::E数循環節内 && l循環桁 > 0) s += D循環節文字;
    if (c == D入力終端) b入力終端 = true;
    return s;
}

void ClsParseBase::f単位情報設定(T単位数型& rt値, const std::u16string& vs単位表記) {
    constexpr size_t kキャッシュ上限 = 512;
    auto it = t単位情報キャッシュ.find(vs単位表記);
    if (it == t単位情報キャッシュ.end()) {
        T単位情報 t;
        Brelvita.f意味コ変換(vs単位表記, t.t意味コ配列, t.t単項表記リスト, t.s基底値変換式, t.t保留);
        if (t単位情報キャッシュ.size() >= kキャッシュ上限) t単位情報キャッシュ.clear();
        it = t単位情報キャッシュ.emplace(vs単位表記, std::move(t)).first;
    }
    rt値.t意味コ配列 = it->second.t意味コ配列;
    rt値.t単項表記リスト = it->second.t単項表記リスト;
    rt値.s基底値変換式 = it->second.s基底値変換式;
    rt値.t保留 = it->second.t保留;
}

// Copies the dimension fields of a plain number (the empty notation).
static void f無単位設定(T単位数型& rt値, const T単位数型& vt無単位) {
    rt値.s単位表記.clear();
    rt値.t意味コ配列 = vt無単位.t意味コ配列;
    rt値.t単項表記リスト = vt無単位.t単項表記リスト;
    rt値.s基底値変換式 = vt無単位.s基底値変換式;
    rt値.t保留 = vt無単位.t保留;
}

int32_t ClsParseBase::f数値接頭子読取() {
    int32_t c = D入力終端;
    const std::u16string s = f数値列取得(c, f英数字);
    // Digits with letters have no value of their own: only a radix conversion reads them.
    if (!s.empty() && !f英字含有(s)) yylval.val = Brelvita.f単位数変換(s);
    f無単位設定(yylval.val, t単位数の60);
    yylval.val.s変数名 = s;
    yylval.val.iTag = s.empty() ? D数値無タグ : 0;
    CB_ungetc(c);
    s一つ前のトークン = u"0";
    return NUMBER_TOKEN;
}

int32_t ClsParseBase::f数値読取(int32_t c) {
    CB_ungetc(c);
    T単位数型& v = yylval.val;
    T単位数型 W;
    for (int part = 0; part < 3; ++part) {
        c = D入力終端;
        const std::u16string s = f数値列取得(c, f数字);
        if (part == 0 && c != D時分区切[0]) {
            v = Brelvita.f単位数変換(s);
            f無単位設定(v, t単位数の60);
            v.s変数名 = s;
            break;
        }
        if (part == 0) {
            // A time literal: seconds in the time unit, built as ((h*60)+m)*60+s.
            W = t単位数の60;
            v.t複素数 = t単位数の0.t複素数;
            v.s単位表記 = D例単_時間;
            v.s変数名.clear();
            f単位情報設定(v, D例単_時間);
        } else if (part == 1 && c != D時分区切[0]) {
            W.t複素数 = Brelvita.f単位数変換(s).t複素数;
            v = Brelvita.f乗算(Brelvita.f加算(Brelvita.f乗算(v, t単位数の60), W), t単位数の60);
            break;
        }
        W.t複素数 = Brelvita.f単位数変換(s).t複素数;
        v = Brelvita.f加算(Brelvita.f乗算(v, t単位数の60), W);
    }
    CB_ungetc(c);
    s一つ前のトークン = u"0";
    return NUMBER_TOKEN;
}

int32_t ClsParseBase::f英字読取(int32_t c) {
    const std::u16string s前 = s一つ前のトークン;
    s一つ前のトークン.clear();
    if (s前 == u")" || s前 == u"0") {
        // A word right after a number or a ")" is a unit.
        CB_ungetc(c);
        yylval.val = t単位数の0;
        yylval.val.s単位表記 = f単位切出し();
        f単位情報設定(yylval.val, yylval.val.s単位表記);
        if (s前 == u"0") yylval.val.s変数名 = yylval.val.s単位表記;
        return SUNIT_TOKEN;
    }
    const std::u16string name = f数値列取得(c, f英数字);
    CB_ungetc(c);
    yylval.val.s変数名 = name;
    if (name.find(u'.') != std::u16string::npos) return NUMBER_TOKEN;
    return c == u'(' ? FUNC_TOKEN : VARIABLE_TOKEN;
}

int32_t ClsParseBase::f基数値変換(const std::u16string& vs数字, const std::u16string& vs表記) {
    int64_t n = 0;
    for (const char16_t c : vs数字) {
        if (c == YYRETURNCHAR) break;
        n = n * 10 + (c - u'0');
        if (n > std::numeric_limits<int32_t>::max()) break;
    }
    if (n > std::numeric_limits<int32_t>::max() || (!vs数字.empty() && vs数字.back() == YYRETURNCHAR)) {
        yyerror(u"基数値不正: " + vs表記);
        throw E字句エラー();
    }
    return static_cast<int32_t>(n);
}

int32_t ClsParseBase::f括弧読取(int32_t c) {
    CB_ungetc(c);
    yylval.val = t単位数の0;
    s一つ前のトークン.clear();
    const std::u16string t = f単位切出し();
    if (f数字列(t)) {
        // A bracket left open to the end of the line is shown without its line feed.
        const bool b開放 = t.back() == YYRETURNCHAR;
        const std::u16string s表記 = b開放 ? u"[" + t.substr(0, t.size() - 1) : u"[" + t + u"]";
        yylval.val.i表記基数 = f基数値変換(t, s表記);
        return SUBASENUM_TOKEN;
    }
    yylval.val.s単位表記 = t;
    f単位情報設定(yylval.val, t);
    return SUNIT_TOKEN;
}

int32_t ClsParseBase::f閉括弧読取() {
    std::u16string s;
    int32_t c;
    while (f数字(c = CB_getchar())) s.push_back(static_cast<char16_t>(c));
    CB_ungetc(c);
    if (c == D入力終端) b入力終端 = true;
    if (s.empty()) {
        s一つ前のトークン = u")";
        return u')';
    }
    s一つ前のトークン.clear();
    yylval.val.i表記基数 = f基数値変換(s, u")" + s);
    return BASENUMBER_TOKEN;
}

int32_t ClsParseBase::fコマンド読取() {
    int32_t c = CB_getchar();
    std::u16string word;
    while (c != D入力終端 && (word.empty() || fコマンド字(c))) {
        word.push_back(static_cast<char16_t>(c));
        c = CB_getchar();
    }
    CB_ungetc(c);
    if (c == D入力終端) b入力終端 = true;
    return fコマンドトークン(word);
}

int32_t ClsParseBase::f記号読取(int32_t c) {
    if (c == D時分区切[0]) {
        const int32_t next = CB_getchar();
        if (next == u'=') {
            s一つ前のトークン = u"=";
            return ASSIGN_OP_TOKEN;
        }
        CB_ungetc(next);
    }
    s一つ前のトークン = std::u16string(1, static_cast<char16_t>(c));
    // Codes from 256 up would collide with the named tokens, and 0 is the parser's end of
    // input (a NUL would end the line unseen): no rule accepts such a character.
    return c > 0 && c < 256 ? c : UNDEFINED_TOKEN;
}

int32_t ClsParseBase::yylex() {
    l一つ前の項書換トークン位置 = l項書換トークン位置;
    l項書換トークン位置 = -1;
    int32_t c;
    do c = CB_getchar();
    while (c == u' ' || c == YYTABCHAR);
    l一つ前のトークン位置 = lトークン位置;
    l一つ前のトークン長さ = lトークン長さ;
    l一つ前の項書換トークン長さ = l項書換トークン長さ;
    if (c == D入力終端) {
        s一つ前のトークン.clear();
        return 0;
    }
    const auto lM = static_cast<int32_t>(s退避入力式.size());
    const auto lS = static_cast<int32_t>(s退避項書換.size());
    const auto f残りM = [&] { return lM - static_cast<int32_t>(i入力式位置); };
    const auto f残りS = [&] { return lS - static_cast<int32_t>(i項書換位置); };
    if (f残りS() > 0) {
        l項書換トークン位置 = lS - (f残りS() + 1);
    } else {
        lトークン位置 = lM - (f残りM() + 1);
    }
    b入力終端 = false;
    int32_t token;
    bool b長さ0可 = true;  // number, name, ")" or command: length 0 when it ends the input
    if (c == D数値接頭子1字[0]) {
        token = f数値接頭子読取();
    } else if (f数字(c)) {
        token = f数値読取(c);
    } else if (f英字(c) || c == u'π') {
        token = f英字読取(c);
        b長さ0可 = token != SUNIT_TOKEN;
    } else if (c == CSTAVELKO_LB[0]) {
        token = f括弧読取(c);
        b長さ0可 = false;
    } else if (c == u')') {
        token = f閉括弧読取();
    } else if (c == u'!') {
        token = fコマンド読取();
    } else if (c == u'√') {
        token = ROOT_SIGN_TOKEN;
        yylval.val.s変数名 = u"sqrt";
        s一つ前のトークン = u"√";
        b長さ0可 = false;
    } else if (f単位頭字(static_cast<char16_t>(c)) && (s一つ前のトークン == u"0" || s一つ前のトークン == u")")) {
        // "6畳", "20°C", "5%": a unit spelled with other than a Latin letter, read as
        // "10km" is; anywhere else such a character stays a syntax error.
        token = f英字読取(c);
        b長さ0可 = false;
    } else if (c == u'?') {
        token = HELP_CMD_TOKEN;
        b長さ0可 = false;
    } else {
        token = f記号読取(c);
        b長さ0可 = false;
    }
    lトークン長さ = (lM - f残りM()) - lトークン位置;
    if (l項書換トークン位置 == -1) {
        l項書換トークン長さ = b長さ0可 && b入力終端 ? 0 : 1;
    } else {
        l項書換トークン長さ = (lS - f残りS()) - l項書換トークン位置;
    }
    if (token == FUNC_TOKEN || token == ROOT_SIGN_TOKEN || token == SUNIT_TOKEN) {
        yylval.l位置 = lトークン位置;
        yylval.l長さ = lトークン長さ;
        yylval.l項書換位置 = l項書換トークン位置;
        yylval.l項書換長さ = l項書換トークン長さ;
    }
    return token;
}
