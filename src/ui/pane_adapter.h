// The window's side of the parser's front-end interface: the command actions write to
// the result pane and clear the window's two input histories through this adapter, which
// also notes a reset so that the window can clear its saved state.
#pragma once

#include <utility>

#include "commands/result_pane.h"
#include "ui/history.h"
#include "ui/result_memo.h"

class T窓結果ペイン : public T結果ペイン {
public:
    // The histories are cleared by "!reset"; they must outlive the adapter.
    T窓結果ペイン(ClsHistory& r計算式履歴, ClsHistory& rL式履歴);
    // The pane the commands write to; set once the window has created it.
    void fペイン設定(T結果メモ* pResult) { pResult_ = pResult; }
    // "!reset" ran since the last call.
    bool fリセット取出() { return std::exchange(bリセット_, false); }
    // Clears the histories and shows the confirmation as every front end does, and notes it.
    void fリセット() override;

protected:
    std::u16string f結果ペイン文字列() const override;
    void f結果ペイン設定(const std::u16string& vs) override;
    void f履歴クリア() override;

private:
    ClsHistory& r計算式履歴_;
    ClsHistory& rL式履歴_;
    T結果メモ* pResult_ = nullptr;
    bool bリセット_ = false;
};
