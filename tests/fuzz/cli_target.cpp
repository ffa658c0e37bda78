// The console front end's argument reading (cli/options.cpp) and its JSON lines
// (cli/json.cpp).
//
// Input: any bytes. Split at NUL bytes they are the arguments (a command line cannot
// hold NUL), given to fオプション解析 as they are. The same pieces, each read as UTF-16
// code units two bytes at a time (so unpaired surrogates occur), are the texts of one
// JSON line — input, result, error, output — and the first eight bytes give its ranges.
//
// Invariants: a usage error has a reason on one line without control characters; the
// expressions read are arguments, in their order. The JSON line is one line of valid
// UTF-8 JSON whose members give back exactly the texts (an unpaired surrogate as U+FFFD)
// and the ranges.
#include <cstring>

#include "cli/json.h"
#include "cli/json_check.h"
#include "cli/options.h"
#include "common/utf.h"
#include "fuzz_targets.h"

namespace {

// The pieces of s between NUL bytes (an empty input is one empty argument).
std::vector<std::string> f引数分割(std::string_view s) {
    std::vector<std::string> args;
    for (size_t start = 0; start <= s.size();) {
        const size_t end = std::min(s.find('\0', start), s.size());
        args.emplace_back(s.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

// Reads the arguments; "" when the reason or the expressions keep the invariants.
std::string f選択肢検査(const std::vector<std::string>& args) {
    T起動設定型 t;
    std::string error;
    if (!fオプション解析(args, t, error)) {
        if (error.empty()) return "usage error without a reason";
        for (const char c : error) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "control character in the reason: " + error;
        }
        return "";
    }
    size_t at = 0;
    for (const std::string& expr : t.t式) {
        while (at < args.size() && args[at] != expr) ++at;
        if (at++ == args.size()) return "expression \"" + expr + "\" is no argument in order";
    }
    return "";
}

// The bytes as UTF-16 code units, two bytes each in machine order (an odd last byte dropped).
std::u16string fUTF16単位(const std::string& bytes) {
    std::u16string s(bytes.size() / 2, u'\0');
    std::memcpy(s.data(), bytes.data(), s.size() * 2);
    return s;
}

// The four bytes at `at` as an integer; 0 when the input is shorter.
int32_t f整数(std::string_view s, size_t at) {
    int32_t v = 0;
    if (s.size() >= at + 4) std::memcpy(&v, s.data() + at, 4);
    return v;
}

// True when v is the array [pos, len].
bool f範囲一致(const TJson& v, int32_t pos, int32_t len) {
    return v.kind == TJson::kArray && v.items.size() == 2 && v.items[0].text == std::to_string(pos) &&
           v.items[1].text == std::to_string(len);
}

// Writes one JSON line of texts and ranges made from the input and reads it back.
std::string fJSON検査(std::string_view bytes, const std::vector<std::string>& args) {
    T評価結果型 r;
    std::u16string* texts[] = {&r.s入力, &r.s結果, &r.sエラー, &r.s出力};
    for (size_t i = 0; i < 4 && i < args.size(); ++i) *texts[i] = fUTF16単位(args[i]);
    r.l主位置 = f整数(bytes, 0);
    r.l主長さ = f整数(bytes, 4);
    std::string line;
    fJSON行追加(line, r);
    if (line.empty() || line.back() != '\n' || line.find('\n') != line.size() - 1) return "not one line";
    TJson v;
    TJsonReader reader;
    if (!reader.Read(std::string_view(line).substr(0, line.size() - 1), v)) {
        return "invalid JSON at byte " + std::to_string(reader.error());
    }
    const char* names[] = {"input", "result", "error", "output"};
    for (size_t i = 0; i < 4; ++i) {
        if (v[names[i]].kind != TJson::kString || v[names[i]].text != Utf16ToUtf8(*texts[i])) {
            return std::string("member ") + names[i] + " does not give the text back";
        }
    }
    if (!f範囲一致(v["main"], r.l主位置, r.l主長さ) || !f範囲一致(v["subst"], r.l置換位置, r.l置換長さ)) {
        return "a range does not give the numbers back";
    }
    return "";
}

}  // namespace

std::string fFuzzCli(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> args = f引数分割(bytes);
    std::string failure = f選択肢検査(args);
    if (failure.empty()) failure = fJSON検査(bytes, args);
    return failure;
}
