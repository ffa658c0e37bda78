// The record of one evaluated line, as every front end reads it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One variable as the saved state keeps it: the name and the value's saved form.
struct T変数保存形 {
    std::u16string s名前;
    std::string s保存形;
    bool operator==(const T変数保存形&) const = default;
};

// What one line gave.
struct T評価結果型 {
    std::u16string s入力;    // the line as given (without its line feed)
    std::u16string s結果;    // the result text ("" for a command or an error)
    std::u16string sエラー;  // the error message ("" when none)
    // Offending range in the main text and in the substitution text (start -1: none). The
    // main text is the template when there is one, else the line.
    int32_t l主位置 = -1;
    int32_t l主長さ = 0;
    int32_t l置換位置 = -1;
    int32_t l置換長さ = 0;
    std::u16string s出力;       // what a command wrote for the result pane (CR LF breaks)
    bool b出力追記 = false;     // s出力 goes below the pane's text instead of replacing it
    bool bリセット = false;     // "!reset" ran: the variables are gone, histories should go too
    bool bキャンセル = false;   // a cancel was requested while the line ran
    bool b例外 = false;         // the line ended by an exception: sエラー is its text, no range
    int32_t i表示モード = 0;    // the display mode after the line
    // With b変数保存形: the variables in creation order when the table changed since the
    // last outcome that carried them, else null.
    std::shared_ptr<const std::vector<T変数保存形>> p変数;
};

// The message of a line that could not be held, converted, evaluated or shown for lack
// of memory.
inline constexpr char16_t kメモリ不足[] = u"メモリ不足";

// The record of such a line: the message, no range, and the input when it is kept.
T評価結果型 fメモリ不足結果(std::u16string vs入力 = {});
