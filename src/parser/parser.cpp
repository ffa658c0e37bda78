// The grammar's actions: rendering a finished line, assignments, commands, and the
// checks that end an evaluation with a message.
#include "parser/parser.h"

#include <vector>

#include "common/source_listing.h"
#include "common/ut_common.h"

namespace {

// Splits a text into lines at CR LF, LF or CR, as a text box's line list does.
std::vector<std::u16string> f行分割(const std::u16string& s) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != u'\r' && s[i] != u'\n') {
            line.push_back(s[i]);
            continue;
        }
        if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

}  // namespace

void ClsParser::f結果設定(T単位数型 vt値) { s結果 = Brelvita.f単位数文字列変換(vt値); }

void ClsParser::f代入(const T単位数型& vt変数, T単位数型 vt値) {
    // A value whose computation was cancelled is not stored.
    if (!fキャンセル印チェック(vt値, vt値)) SymTab.fSym値設定(vt変数.s変数名, VARIABLE_TOKEN, vt値);
    f結果設定(std::move(vt値));
}

void ClsParser::fヘルプ() {
    if (f計算窓() != nullptr) f計算窓()->fヘルプ表示();
}

void ClsParser::fリセット() {
    SymTab.Clear();
    if (f計算窓() != nullptr) f計算窓()->fリセット();
}

void ClsParser::fバージョン() {
    if (f計算窓() != nullptr) f計算窓()->fバージョン表示();
}

void ClsParser::fソースコード() {
    std::u16string text;
    fテキストリソース取得(u"Resource_Src", text);
    if (f計算窓() != nullptr) f計算窓()->f結果行置換(f行分割(text));
}

void ClsParser::f表示モード(int32_t iCmd) {
    Brelvita.f結果表示モード(iCmd);
    if (f計算窓() != nullptr) f計算窓()->f結果表示モード(iCmd);
}

bool ClsParser::fエラー(const std::u16string& s) {
    yyerror(s);
    b行動エラー = true;
    return false;
}

bool ClsParser::f未定義コマンド() { return fエラー(RCS_UNKNOWN_COMMAND); }

bool ClsParser::f数値確認(const T単位数型& vt数値) {
    // Digits with letters, or a "$" without digits, have no numeric value.
    if (f英字含有(vt数値.s変数名) || vt数値.iTag == D数値無タグ) {
        return fエラー(RCS_VAL_ERROR + std::u16string(u": ") + vt数値.s変数名);
    }
    return true;
}

bool ClsParser::f単位確認(const T単位数型& vt単位) {
    const std::u16string& s = vt単位.s単位表記;
    // An exceptional unit ("!…") other than the time unit has no meaning here.
    const bool b例外単位不正 = s.starts_with(u'!') && fASCII小文字化(s) != D例単_時間;
    if (s == D未知単位印 || b例外単位不正) return fエラー(RCS_UNKNOWN_UNIT);
    return true;
}

bool ClsParser::f変数取得(const T単位数型& vt変数, T単位数型& rt値) {
    if (SymTab.fSym値取得(vt変数.s変数名, rt値)) return true;
    const std::u16string& s = vt変数.s変数名;
    if (s == u"pi" || s == u"π" || s == u"e") {
        rt値 = Brelvita.t単位数のマイナス1;
        rt値.t複素数 = f実数値作成(f実数定数(s == u"e" ? E実数演算::mネイピア数 : E実数演算::m円周率));
        return true;
    }
    return fエラー(RCS_UNDEFINE_SYMBOL + s);
}

bool ClsParser::f変換確認(const T単位数型& vt値, const YYSTYPE& vt単位) {
    const T単位数型& u = vt単位.val;
    if (u.s単位表記.empty() || fキャンセル印チェック(vt値, vt値)) return true;
    const bool bUnknownTarget = f意味コ配列比較(u.t意味コ配列, f未知意味コ配列()) == 0;
    const bool bUnknownValue = f意味コ配列比較(vt値.t意味コ配列, f未知意味コ配列()) == 0;
    std::u16string message;
    if (bUnknownTarget) {
        message = RCS_UNKNOWN_UNIT;
    } else if (!vt値.s単位表記.empty() && !bUnknownValue &&
               !(f無次元判定(vt値.t意味コ配列) && f無次元判定(u.t意味コ配列)) &&
               f意味コ配列比較(vt値.t意味コ配列, u.t意味コ配列) != 0) {
        message = RCS_DIMENSION_MISMATCH + vt値.s単位表記 + u" → " + u.s単位表記;
    } else {
        return true;
    }
    yyerror(message, vt単位);
    b行動エラー = true;
    return false;
}

T単位数型 ClsParser::f式単位補正(const T単位数型& vt値, const T単位数型& vt単位) {
    const bool b無次元変換 = vt値.s単位表記.empty() && !vt単位.s単位表記.empty() &&
                             f無次元判定(vt値.t意味コ配列) && f無次元判定(vt単位.t意味コ配列);
    if (!b無次元変換 || fキャンセル印チェック(vt値, vt値)) return Brelvita.f単位数補正(vt値, vt単位);
    T単位数型 result = vt単位;
    result.s変数名 = vt値.s変数名;
    result.iTag = vt値.iTag;
    result.i表記基数 = vt値.i表記基数;
    try {
        result.t複素数 = Brelvita.f複素数単位値補正(vt値.t複素数, u"", vt単位.s基底値変換式);
    } catch (const Eキャンセル指示&) {
        Brelvita.f単位付計算キャンセル指示クリア();
        return fキャンセル値作成();
    }
    return result;
}

bool ClsParser::f関数呼出(const YYSTYPE& vt関数, const T単位数型& vt引数, T単位数型& rt値) {
    const std::u16string& s名前 = vt関数.val.s変数名;
    E実数演算 e;
    if (!f実数関数検索(s名前, e)) {
        yyerror(RCS_UNDEFINED_FUNCTION + s名前, vt関数);
        b行動エラー = true;
        return false;
    }
    try {
        rt値 = Brelvita.f関数値(e, vt引数);
        // Building the value now finds an argument outside the domain while the call
        // can still be pointed at.
        if (rt値.t複素数.p実数) T実数値(rt値.t複素数.p実数, Brelvita.fキャンセル検査());
    } catch (const E実数エラー& x) {
        yyerror(x.message(), vt関数);
        b行動エラー = true;
        return false;
    } catch (const Eキャンセル指示&) {
        Brelvita.f単位付計算キャンセル指示クリア();
        rt値 = fキャンセル値作成();
    }
    return true;
}

bool ClsParser::f基数入力(const T単位数型& vt数字, int32_t vl基数, T単位数型& rt値) {
    // Empty digits (a time literal, a lone "$") are not zero.
    if (vt数字.s変数名.empty() || !Brelvita.f基数10進変換(vt数字.s変数名, vl基数, rt値)) {
        return fエラー(RCS_BASE_NUM_ERROR + vt数字.s変数名);
    }
    return true;
}

bool ClsParser::f表示基数確認(int32_t vl基数) {
    if (vl基数 < 2 || vl基数 > CI最大基数) return fエラー(RCS_BASE_VAL_ERROR + (u"[" + IntToStr(vl基数) + u"]"));
    return true;
}

bool ClsParser::f入力基数確認(int32_t vl基数) {
    if (vl基数 < 2 || vl基数 > CI最大基数) return fエラー(RCS_BASE_VAL_ERROR + (u")" + IntToStr(vl基数)));
    return true;
}
