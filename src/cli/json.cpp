#include "cli/json.h"

#include <cstdint>

#include "common/i18n.h"
#include "common/utf.h"

namespace {

constexpr char k16進数字[] = "0123456789abcdef";

// Appends a range as "[pos, len]".
void f範囲追加(std::string& rs出力, int32_t pos, int32_t len) {
    rs出力 += '[';
    rs出力 += std::to_string(pos);
    rs出力 += ", ";
    rs出力 += std::to_string(len);
    rs出力 += ']';
}

// Appends one character of an escaped string below U+0080.
void fASCII文字追加(std::string& rs出力, char16_t c) {
    switch (c) {
        case u'"':
            rs出力 += "\\\"";
            return;
        case u'\\':
            rs出力 += "\\\\";
            return;
        case u'\n':
            rs出力 += "\\n";
            return;
        case u'\r':
            rs出力 += "\\r";
            return;
        case u'\t':
            rs出力 += "\\t";
            return;
        default:
            break;
    }
    if (c < 0x20) {
        rs出力 += "\\u00";
        rs出力 += k16進数字[c >> 4];
        rs出力 += k16進数字[c & 0xF];
    } else {
        rs出力 += static_cast<char>(c);
    }
}

}  // namespace

void fJSON文字列追加(std::string& rs出力, std::u16string_view s) {
    rs出力 += '"';
    size_t i = 0;
    while (i < s.size()) {
        // Plain ASCII is copied character by character; each run of other characters
        // goes through the UTF-8 encoder at once.
        if (s[i] < 0x80) {
            fASCII文字追加(rs出力, s[i++]);
            continue;
        }
        const size_t from = i;
        while (i < s.size() && s[i] >= 0x80) ++i;
        rs出力 += Utf16ToUtf8(s.substr(from, i - from));
    }
    rs出力 += '"';
}

void fJSON行追加(std::string& rs出力, const T評価結果型& vt結果) {
    rs出力 += "{\"input\": ";
    fJSON文字列追加(rs出力, vt結果.s入力);
    rs出力 += ", \"result\": ";
    fJSON文字列追加(rs出力, vt結果.s結果);
    rs出力 += ", \"error\": ";
    fJSON文字列追加(rs出力, f訳(vt結果.sエラー));
    rs出力 += ", \"main\": ";
    f範囲追加(rs出力, vt結果.l主位置, vt結果.l主長さ);
    rs出力 += ", \"subst\": ";
    f範囲追加(rs出力, vt結果.l置換位置, vt結果.l置換長さ);
    rs出力 += ", \"output\": ";
    fJSON文字列追加(rs出力, vt結果.s出力);
    rs出力 += "}\n";
}
