#include "cli/options.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "cli/abridge.h"

namespace {

constexpr std::string_view k最大制限秒 = "1000000000";  // seconds, written without leading zeros
constexpr int64_t k最大桁数 = 2147483647;

bool f数字判定(char c) {
    return c >= '0' && c <= '9';
}

// Whether s holds nothing but decimal digits (the empty text does).
bool f数字列判定(std::string_view s) {
    for (const char c : s) {
        if (!f数字判定(c)) return false;
    }
    return true;
}

// s without its leading zeros.
std::string_view f先頭零除去(std::string_view s) {
    return s.substr(std::min(s.find_first_not_of('0'), s.size()));
}

// A number of seconds from 0.001 to 1000000000: digits with an optional fraction
// ("0.5", "2", ".25", leading zeros allowed); signs, exponents, blanks, "inf" and "nan"
// are refused. The range is checked on the text, so rounding lets nothing outside in.
std::optional<double> f秒数読取(std::string_view s) {
    const size_t point = s.find('.');
    const std::string_view digits = s.substr(0, point);
    const std::string_view frac = point == std::string_view::npos ? "" : s.substr(point + 1);
    if (!f数字列判定(digits) || !f数字列判定(frac) || digits.size() + frac.size() == 0) {
        return std::nullopt;
    }
    const std::string_view whole = f先頭零除去(digits);
    const bool b小数部零 = frac.find_first_not_of('0') == std::string_view::npos;
    if (whole.size() > k最大制限秒.size() ||
        (whole.size() == k最大制限秒.size() && (whole > k最大制限秒 || !b小数部零))) {
        return std::nullopt;
    }
    if (whole.empty() && frac.substr(0, 3).find_first_not_of('0') == std::string_view::npos) {
        return std::nullopt;  // below a millisecond
    }
    return std::strtod(std::string(s).c_str(), nullptr);
}

// A whole number from 1 to 2147483647, leading zeros allowed.
std::optional<int32_t> f桁数読取(std::string_view s) {
    if (!f数字列判定(s)) return std::nullopt;
    s = f先頭零除去(s);
    if (s.empty() || s.size() > 10) return std::nullopt;
    int64_t n = 0;
    for (const char c : s) n = n * 10 + (c - '0');
    if (n > k最大桁数) return std::nullopt;
    return static_cast<int32_t>(n);
}

// The text with every control character written as \xNN, so that a reason quoting an
// argument stays one line on the terminal; other bytes are kept as they are.
std::string f制御文字表記(std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            out += {'\\', 'x', kHex[b >> 4], kHex[b & 0xF]};
        } else {
            out += c;
        }
    }
    return out;
}

// The walk over the arguments: one option (with its value) per step.
class T解析器 {
  public:
    T解析器(const std::vector<std::string>& vt引数, T起動設定型& rt設定, std::string& rsエラー)
        : t引数_(vt引数), t設定_(rt設定), sエラー_(rsエラー) {}

    // Reads every argument; false on the first usage error.
    bool f実行() {
        bool b式のみ = false;
        for (i_ = 0; i_ < t引数_.size(); ++i_) {
            const std::string& a = t引数_[i_];
            if (b式のみ || !f選択肢か(a)) {
                t設定_.t式.push_back(a);
            } else if (a == "--") {
                b式のみ = true;
            } else if (!f選択肢(a)) {
                return false;
            } else if (t設定_.e種別 != E起動種別::m評価) {
                return true;  // --help and --version end the reading
            }
        }
        return true;
    }

  private:
    // "--" followed by a letter names an option; "--1" is the expression 1 negated twice.
    static bool f選択肢か(const std::string& a) {
        if (a == "--" || a == "-h") return true;
        const char c = a.size() > 2 ? a[2] : '\0';
        return a.starts_with("--") && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    }

    // One option, its value taken from "=…" or from the next argument.
    bool f選択肢(const std::string& a) {
        const size_t eq = a.find('=');
        const std::string name = a.substr(0, eq);
        std::optional<std::string> value;
        if (eq != std::string::npos) value = a.substr(eq + 1);
        if (name == "--help" || name == "-h" || name == "--version" || name == "--json") {
            if (value) return f失敗("option " + name + " takes no value");
            if (name == "--json") {
                t設定_.bJSON = true;
            } else {
                t設定_.e種別 = name == "--version" ? E起動種別::mバージョン : E起動種別::mヘルプ;
            }
            return true;
        }
        if (name != "--template" && name != "--timeout" && name != "--digits" && name != "--units") {
            return f失敗("unknown option " + name);
        }
        if (!value) {
            if (i_ + 1 >= t引数_.size()) return f失敗("option " + name + " needs a value");
            value = t引数_[++i_];
        }
        return f値設定(name, *value);
    }

    // Stores the value of --template, --timeout, --digits or --units.
    bool f値設定(const std::string& name, const std::string& value) {
        if (name == "--template") {
            t設定_.s雛形 = value;
            return true;
        }
        if (name == "--units") {
            if (value.empty()) return f失敗("--units needs a file name");
            t設定_.s単位ファイル = value;
            return true;
        }
        if (name == "--timeout") {
            const std::optional<double> d = f秒数読取(value);
            if (!d) {
                return f失敗("--timeout needs a number of seconds from 0.001 to 1000000000, not '" +
                             value + "'");
            }
            t設定_.d制限秒 = *d;
            return true;
        }
        const std::optional<int32_t> n = f桁数読取(value);
        if (!n) {
            return f失敗("--digits needs a whole number from 1 to 2147483647, not '" + value + "'");
        }
        t設定_.l桁数制限 = *n;
        return true;
    }

    bool f失敗(const std::string& s) {
        sエラー_ = f制御文字表記(s);
        return false;
    }

    const std::vector<std::string>& t引数_;
    T起動設定型& t設定_;
    std::string& sエラー_;
    size_t i_ = 0;
};

}  // namespace

bool fオプション解析(const std::vector<std::string>& vt引数, T起動設定型& rt設定,
                     std::string& rsエラー) {
    rt設定 = T起動設定型{};
    rsエラー.clear();
    return T解析器(vt引数, rt設定, rsエラー).f実行();
}

std::string f使用法文字列() {
    return "Usage: tavelko-cli [--json] [--template TEXT] [--timeout SECONDS] [--digits N]\n"
           "                   [--units FILE] [EXPR ...]\n"
           "\n"
           "Evaluates each EXPR in order in one session (variables and the display mode\n"
           "persist); without EXPR reads lines from standard input: an interactive prompt\n"
           "on a terminal, one line after another otherwise.\n"
           "\n"
           "Options:\n"
           "  --json             print one JSON object per line: input, result, error,\n"
           "                     main and subst ranges (UTF-16 code units), output\n"
           "  --template TEXT    evaluate TEXT for every line, with \"@\" standing for the line\n"
           "  --timeout SECONDS  cancel an evaluation still running after SECONDS (e.g. 0.5);\n"
           "                     the result shows the digits so far followed by \"...\"\n"
           "  --digits N         cut an expansion once it has N digits after the point\n"
           "  --units FILE       read your own units from FILE instead of the default\n"
           "                     $XDG_CONFIG_HOME/tavelko/units.txt; lines that cannot\n"
           "                     be used are reported on standard error as FILE:LINE\n"
           "  --version          print the version and exit\n"
           "  -h, --help         print this help and exit\n"
           "  --                 treat every following argument as an expression\n"
           "\n"
           "At the prompt on a terminal, a result longer than " +
           std::to_string(k端末表示上限) + " characters shows its\n"
           "first and last " + std::to_string(k端末表示上限 / 2) +
           " around a line counting the ones left out, and the command\n"
           "!save FILE writes the last result whole to FILE. Arguments, pipes, files and\n"
           "--json always get the whole text.\n"
           "\n"
           "Ctrl+C cancels a running evaluation. Exit status: 0 when no line reported an\n"
           "error, 1 otherwise, 2 for a usage error, 3 when standard output could not be\n"
           "written (a reader that closed the pipe ends the program by SIGPIPE).\n";
}
