// tavelko-cli: the console front end. Reads the options and runs the session.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/run.h"
#include "cli/writer.h"
#include "commands/command_texts.h"
#include "common/utf.h"
#include "common/version.h"

namespace {

// The version line that "!version" shows first, without its line break.
std::string fバージョン文字列() {
    std::u16string s = fバージョン行(GetMyVerInfo());
    while (s.ends_with(u'\n') || s.ends_with(u'\r')) s.pop_back();
    return Utf16ToUtf8(s) + "\n";
}

}  // namespace

int main(int argc, char** argv) {
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
    return f実行(t設定);
}
