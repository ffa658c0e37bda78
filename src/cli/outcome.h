// The record of one evaluated input line, as both output formats print it.
#pragma once

#include <cstdint>
#include <string>

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
