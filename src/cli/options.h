// The command line of the console front end:
//   tavelko-cli [--json] [--template TEXT] [--timeout SECONDS] [--digits N] [--units FILE]
//               [EXPR ...]
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the program is asked to do.
enum class E起動種別 { m評価, mヘルプ, mバージョン };

struct T起動設定型 {
    E起動種別 e種別 = E起動種別::m評価;
    bool bJSON = false;
    std::string s雛形;             // the template (main text) as UTF-8; empty: none
    double d制限秒 = 0;            // evaluation time limit in seconds; 0: none
    int32_t l桁数制限 = 0;         // digits after the point an expansion may reach; 0: none
    std::string s単位ファイル;      // the units file read instead of the default one; empty: none
    std::vector<std::string> t式;  // expressions given as arguments, in order
};

// Reads the arguments after the program name. Options are "--" followed by a letter
// (and "-h"); every other argument is an expression, so "-2^2" and "--1" need no "--";
// after "--" every argument is an expression. Values follow as the next argument or
// after "=".
// False with a one-line reason in rsエラー on a usage error.
bool fオプション解析(const std::vector<std::string>& vt引数, T起動設定型& rt設定,
                     std::string& rsエラー);

// The usage text printed by --help and, after a usage error, on standard error.
std::string f使用法文字列();
