// tavelko-cli: the console front end. Reads the options and the units of the user's own,
// then runs the session.
#include "common/i18n.h"
#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/run.h"
#include "cli/writer.h"
#include "commands/command_texts.h"
#include "commands/user_units.h"
#include "common/utf.h"
#include "common/version.h"

namespace {

// The version line that "!version" shows first, without its line break.
std::string fバージョン文字列() {
    std::u16string s = fバージョン行(GetMyVerInfo());
    while (s.ends_with(u'\n') || s.ends_with(u'\r')) s.pop_back();
    return Utf16ToUtf8(s) + "\n";
}

// Reads the units file given with --units, or else the default one, reporting its unusable
// lines on standard error. False when a file given with --units cannot be read; a
// missing default file is no error.
bool f単位読込(const T起動設定型& vt設定) {
    const bool b指定 = !vt設定.s単位ファイル.empty();
    const std::string path = b指定 ? vt設定.s単位ファイル : f利用者単位既定パス();
    if (path.empty()) return true;
    const T単位ファイル結果型 r = f利用者単位ファイル読込(path);
    if (!r.b読込 && (b指定 || !r.b不在)) {
        std::fprintf(stderr, "tavelko-cli: cannot read units file %s: %s\n", path.c_str(), r.s理由.c_str());
        return !b指定;
    }
    for (const T単位定義報告型& report : r.t報告) {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(f単位定義報告文(path, report)).c_str());
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    f言語初期化();
    const std::vector<std::string> vt引数(argv + (argc > 0 ? 1 : 0), argv + argc);
    T起動設定型 t設定;
    std::string sエラー;
    if (!fオプション解析(vt引数, t設定, sエラー)) {
        std::fprintf(stderr, "tavelko-cli: %s\n%s", sエラー.c_str(), f使用法文字列().c_str());
        return k終了使用法;
    }
    f標準出力準備();
    switch (t設定.e種別) {
        case E起動種別::mヘルプ:
            f標準出力書込(f使用法文字列());
            return f標準出力完了() ? k終了正常 : k終了書込失敗;
        case E起動種別::mバージョン:
            f標準出力書込(fバージョン文字列());
            return f標準出力完了() ? k終了正常 : k終了書込失敗;
        case E起動種別::m評価:
            break;
    }
    // The unit tables are complete before the first line is evaluated.
    if (!f単位読込(t設定)) return k終了使用法;
    return f実行(t設定);
}
