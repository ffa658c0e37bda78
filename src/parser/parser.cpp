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
    if (!SymTab.fSym値取得(vt変数.s変数名, rt値)) return fエラー(RCS_UNDEFINE_SYMBOL + vt変数.s変数名);
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
