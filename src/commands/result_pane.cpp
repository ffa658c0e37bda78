#include "commands/result_pane.h"

#include "commands/command_texts.h"
#include "commands/help_format.h"
#include "common/version.h"
#include "engine/units/catalogue.h"
#include "parser/parse_base.h"

std::u16string fヘルプ全文() {
    return fヘルプ文字列整形(ClsParseBase::yyhelp()) + u"\r\n" + fヘルプ文字列整形(Brelvita_Help());
}

std::u16string f追記(const std::u16string& vsペイン, const std::u16string& vs追加) {
    std::u16string s = vsペイン;
    if (!s.empty() && !s.ends_with(u"\n")) s += u"\r\n";
    return s + vs追加;
}

std::u16string f行追加(const std::u16string& vsペイン, const std::u16string& vs行) {
    return f追記(vsペイン, vs行 + u"\r\n");
}

std::u16string f行連結(const std::vector<std::u16string>& vt行) {
    std::u16string s;
    for (const std::u16string& line : vt行) s += line + u"\r\n";
    return s;
}

void T結果ペイン::fヘルプ表示() { f結果ペイン設定(fヘルプ全文()); }

void T結果ペイン::fリセット() {
    f履歴クリア();
    f結果ペイン設定(fリセット文字列());
}

void T結果ペイン::fバージョン表示() {
    const std::u16string s = f行追加(f結果ペイン文字列(), fバージョン行(GetMyVerInfo()));
    f結果ペイン設定(f行追加(s, fバージョン固定文字列()));
}

void T結果ペイン::f結果表示モード(int32_t piCmd) { f結果ペイン設定(f結果表示モード文字列(piCmd)); }

void T結果ペイン::f結果行置換(const std::vector<std::u16string>& vt行) { f結果ペイン設定(f行連結(vt行)); }
