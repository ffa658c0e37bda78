// The record of one evaluated input line, as both output formats print it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

struct T評価結果型 {
    std::u16string s入力;    // the input line as read (without its line feed)
    std::u16string s結果;    // the result text ("" for a command or an error)
    std::u16string sエラー;  // the error message ("" when none)
    // Offending range in the main text and in the substitution text (start -1: none).
    int32_t l主位置 = -1;
    int32_t l主長さ = 0;
    int32_t l置換位置 = -1;
    int32_t l置換長さ = 0;
    std::u16string s出力;  // what a command wrote to the result pane (CR LF line breaks)
};

// The message of a line that could not be held, converted, evaluated or printed for
// lack of memory.
inline constexpr char16_t kメモリ不足[] = u"メモリ不足";

// The record of such a line: the message, no range, and the input when it is kept.
inline T評価結果型 fメモリ不足結果(std::u16string vs入力 = {}) {
    T評価結果型 r;
    r.s入力 = std::move(vs入力);
    r.sエラー = kメモリ不足;
    return r;
}
