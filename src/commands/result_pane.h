// The command actions as the result pane shows them, for both front ends: each front
// end supplies the pane's text and its input histories, and the texts come from here,
// so the window and the console show the same words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "parser/front_end.h"

// The whole help: the grammar part, a line break, the unit list and examples.
std::u16string fヘルプ全文();

// The pane text with a text added below it: a line break first when the pane's text is
// not empty and does not end with one.
std::u16string f追記(const std::u16string& vsペイン, const std::u16string& vs追加);

// The pane text after adding one line (a text box's "add line": a line break first
// when the text does not end with one, then the line and a line break).
std::u16string f行追加(const std::u16string& vsペイン, const std::u16string& vs行);

// The text of a list of lines as a text box holds it: each line ended by CR LF.
std::u16string f行連結(const std::vector<std::u16string>& vt行);

class T結果ペイン : public I計算窓 {
public:
    void fヘルプ表示() override;
    void fリセット() override;
    void fバージョン表示() override;
    void f結果表示モード(int32_t piCmd) override;
    void f結果行置換(const std::vector<std::u16string>& vt行) override;

protected:
    // The pane's whole text (line breaks CR LF), and replacing it.
    virtual std::u16string f結果ペイン文字列() const = 0;
    virtual void f結果ペイン設定(const std::u16string& vs) = 0;
    // Clears both input histories (the console keeps one, the window two).
    virtual void f履歴クリア() = 0;
};
