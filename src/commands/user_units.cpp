#include "commands/user_units.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "common/i18n.h"
#include "common/state_dir.h"
#include "common/utf.h"
#include "engine/units/catalogue.h"
#include "parser/parser.h"

namespace {

constexpr char16_t RCS_定義不正[] = u"単位定義不正";
constexpr char16_t RCS_単位名不正[] = u"単位名不正: ";
constexpr char16_t RCS_接頭子不明[] = u"接頭子不明: ";
constexpr char16_t RCS_既存単位[] = u"既存の単位: ";
constexpr char16_t RCS_次元不明[] = u"次元不明";
constexpr char16_t RCS_補正付き[] = u"補正付き単位不可";
constexpr char16_t RCS_有理数以外[] = u"有理数でない";
constexpr char16_t RCS_正値以外[] = u"正の有限値でない";
constexpr char16_t RCS_打切り[] = u"計算打切り";
constexpr char16_t RCS_メモリ不足[] = u"メモリ不足";

// A definition's expression is given this long before it is abandoned.
constexpr auto k制限時間 = std::chrono::seconds(2);
// The variable the expression is assigned to, so that its value can be read back.
constexpr char16_t k値変数[] = u"u";

bool f空白(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\u3000'; }

// The text without the blanks at either end.
std::u16string f前後空白除去(std::u16string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && f空白(s[a])) ++a;
    while (b > a && f空白(s[b - 1])) --b;
    return std::u16string(s.substr(a, b - a));
}

// Whether the spelling is a plain unit word: no blank or control character, no digit
// (a unit term's trailing digits are its exponent), none of the characters expressions
// and unit notations give a meaning to, and not a pattern.
bool f単位名判定(const std::u16string& s) {
    static constexpr std::u16string_view k禁止 = u"+-*/^()[]=@!$:";
    if (s.empty() || s[0] == D正規文印[0]) return false;
    for (const char16_t c : s) {
        if (c < 0x20 || c == 0x7F || f空白(c) || (c >= u'0' && c <= u'9')) return false;
        if (k禁止.find(c) != std::u16string_view::npos) return false;
    }
    return true;
}

// The prefix flags of a blank-separated list of prefix spellings; nullopt with the first
// unknown spelling in rs不明.
std::optional<int32_t> f接頭子フラグ(std::u16string s, std::u16string& rs不明) {
    int32_t flags = 0;
    s += u' ';
    for (size_t p; (p = s.find_first_of(u" \t\u3000")) != std::u16string::npos; s.erase(0, p + 1)) {
        const std::u16string word = s.substr(0, p);
        if (word.empty()) continue;
        const T接頭子リスト型* hit = nullptr;
        for (const auto& prefix : t接頭子リスト) {
            if (prefix.lフラグ != 0 && word == prefix.s接頭子) hit = &prefix;
        }
        if (hit == nullptr) {
            rs不明 = word;
            return std::nullopt;
        }
        flags |= hit->lフラグ;
    }
    return flags;
}

// The value of a mantissa b^(p/q) as a fraction when it is rational.
std::optional<T分数型> f有理数値(const T仮数型& vt仮数, const Tキャンセル検査& check) {
    const int32_t p = f指数整数変換(vt仮数.t指数.t分子);
    const int32_t q = f指数整数変換(vt仮数.t指数.t分母);
    if (q <= 0) return std::nullopt;
    const T分数型 x = f約分(f分数累乗(vt仮数.t底, p, check), check);
    if (q == 1) return x;
    if (x.t分子.f符号() < 0) return std::nullopt;  // negative values are refused anyway
    bool bExact = false;
    const T整数型 num = f冪根(x.t分子, static_cast<uint64_t>(q), bExact, check);
    if (!bExact) return std::nullopt;
    const T整数型 den = f冪根(x.t分母, static_cast<uint64_t>(q), bExact, check);
    if (!bExact) return std::nullopt;
    return f約分({num, den}, check);
}

using T期限 = std::chrono::steady_clock::time_point;

// Makes the engine's work stop at the deadline, and with b描画打切り also as soon as a
// rendering starts.
void f期限設定(ClsBrelvita& engine, T期限 deadline, bool b描画打切り) {
    engine.t取消要求.f監視設定(
        [&engine, deadline, b描画打切り] {
            if ((b描画打切り && engine.f単位数文字列変換中()) || std::chrono::steady_clock::now() > deadline) {
                engine.f単位付計算キャンセル指示();
            }
        },
        1);
}

// The value of the expression, from a parser of its own: the expression is assigned to a
// variable, and the rendering of the result, which is not needed and may never end for an
// irrational value, is cancelled as soon as it starts. nullopt with the message in rs.
std::optional<T単位数型> f式評価(const std::u16string& vs式, T期限 deadline, std::u16string& rs) {
    ClsParser parser;
    f期限設定(parser.fBrelvita(), deadline, true);
    std::u16string result, error;
    int32_t pos = 0, len = 0, subPos = 0, subLen = 0;
    parser.yygo(std::u16string(k値変数) + u":=(" + vs式 + u")\n", result, error, pos, len, u"", subPos, subLen);
    T単位数型 v;
    if (!error.empty()) {
        rs = error;
    } else if (!parser.fSymTab().fSym値取得(k値変数, v) || v.bキャンセル値) {
        rs = RCS_打切り;
    } else {
        return v;
    }
    return std::nullopt;
}

// Registers one definition line; the message when it cannot be used, "" when it was
// registered or holds no definition.
std::u16string f定義行(std::u16string_view vs行) {
    std::u16string line(vs行.substr(0, vs行.find(u'#')));
    line = f前後空白除去(line);
    if (line.empty()) return u"";
    const size_t eq = line.find(u'=');
    if (eq == std::u16string::npos) return RCS_定義不正;
    const std::u16string spelling = f前後空白除去(std::u16string_view(line).substr(0, eq));
    std::u16string expression = line.substr(eq + 1);
    int32_t flags = 0;
    if (const size_t at = expression.find(D接頭子指定語); at != std::u16string::npos) {
        std::u16string unknown;
        const std::optional<int32_t> f = f接頭子フラグ(expression.substr(at + std::size(D接頭子指定語) - 1), unknown);
        if (!f) return RCS_接頭子不明 + unknown;
        flags = *f;
        expression.erase(at);
    }
    expression = f前後空白除去(expression);
    if (spelling.empty() || expression.empty()) return RCS_定義不正;
    if (!f単位名判定(spelling)) return RCS_単位名不正 + spelling;
    // The spelling and every prefixed form must be new.
    for (const auto& prefix : t接頭子リスト) {
        if (prefix.lフラグ != 0 && (prefix.lフラグ & flags) == 0) continue;
        const std::u16string form = prefix.s接頭子 + spelling;
        if (f綴り索引検索(form)) return RCS_既存単位 + form;
    }

    std::u16string message;
    const T期限 deadline = std::chrono::steady_clock::now() + k制限時間;
    const std::optional<T単位数型> v = f式評価(expression, deadline, message);
    if (!v) return message;
    if (std::any_of(v->t意味コ配列.begin(), v->t意味コ配列.end(),
                    [](const T意味コ配列要素& e) { return e.s単一意味コ == D意味コ未知; })) {
        return RCS_次元不明;
    }
    if (!v->t保留.empty()) return RCS_補正付き;
    ClsBrelvita engine;
    f期限設定(engine, deadline, false);
    const Tキャンセル検査 check = engine.fキャンセル検査();
    const T複素数型 base = engine.f複素数基底値補正(v->t複素数, u"", v->s基底値変換式);
    if (base.p実数) return RCS_有理数以外;
    const std::optional<T分数型> value = f有理数値(base.t浮動小数.t仮数, check);
    if (!value) return RCS_有理数以外;
    if (value->t分母.fゼロ() || value->t分子.f符号() <= 0) return RCS_正値以外;
    std::u16string formula = u"*" + value->t分子.f文字列();
    if (!value->t分母.f等値(1)) formula += u"/" + value->t分母.f文字列();
    if (!f利用者単位追加(spelling, v->t意味コ配列, formula, flags, expression)) return RCS_既存単位 + spelling;
    return u"";
}

}  // namespace

std::vector<T単位定義報告型> f利用者単位定義(std::string_view vs内容) {
    std::u16string text = Utf8ToUtf16(vs内容);
    if (text.starts_with(u'\uFEFF')) text.erase(0, 1);
    std::vector<T単位定義報告型> reports;
    int32_t number = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        ++number;
        std::u16string message;
        try {
            message = f定義行(std::u16string_view(text).substr(start, end - start));
        } catch (const Eキャンセル指示&) {
            message = RCS_打切り;
        } catch (const E一般例外& e) {
            message = e.message();
        } catch (const std::bad_alloc&) {
            message = RCS_メモリ不足;
        }
        if (!message.empty()) reports.push_back({number, message});
        start = end + 1;
    }
    return reports;
}

T単位ファイル結果型 f利用者単位ファイル読込(const std::string& vsパス) {
    T単位ファイル結果型 r;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(vsパス.c_str(), "rb"), std::fclose);
    std::string content;
    if (file) {
        char chunk[1 << 14];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) content.append(chunk, n);
    }
    if (!file || std::ferror(file.get())) {
        r.b不在 = errno == ENOENT;
        r.s理由 = std::strerror(errno);
        return r;
    }
    r.b読込 = true;
    r.t報告 = f利用者単位定義(content);
    return r;
}

std::string f利用者単位既定パス() {
    const std::string s = f設定フォルダ();
    return s.empty() ? s : s + "/units.txt";
}

std::u16string f単位定義報告文(const std::string& vsパス, const T単位定義報告型& vt報告) {
    return Utf8ToUtf16(vsパス) + u":" + Utf8ToUtf16(std::to_string(vt報告.l行)) + u": " + f訳(vt報告.sメッセージ);
}
