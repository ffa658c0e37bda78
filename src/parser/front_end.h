// What the parser's command actions need from the front end that shows the results:
// the window implements it with its result pane, the console with a text per line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class I計算窓 {
public:
    virtual ~I計算窓() = default;
    // "!help", "?": the result pane shows the formatted help.
    virtual void fヘルプ表示() = 0;
    // "!reset", after the variables were cleared: both input histories are cleared and
    // the pane shows the confirmation.
    virtual void fリセット() = 0;
    // "!version": the version line and the fixed text are added below the pane's text.
    virtual void fバージョン表示() = 0;
    // "!res_frac", "!res_mixfrac", "!res_dec", after the engine's mode was set.
    virtual void f結果表示モード(int32_t piCmd) = 0;
    // "!sourcecode": the pane's lines become these lines.
    virtual void f結果行置換(const std::vector<std::u16string>& vt行) = 0;
};
