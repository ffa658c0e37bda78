#include "ui/pane_adapter.h"

#include "ui/pane_text.h"

T窓結果ペイン::T窓結果ペイン(ClsHistory& r計算式履歴, ClsHistory& rL式履歴)
    : r計算式履歴_(r計算式履歴), rL式履歴_(rL式履歴) {}

std::u16string T窓結果ペイン::f結果ペイン文字列() const {
    return pResult_ ? fCRLF文字列(pResult_->f全文()) : std::u16string();
}

void T窓結果ペイン::f結果ペイン設定(const std::u16string& vs) {
    if (pResult_) pResult_->f表示(fペイン文字列(vs));
}

void T窓結果ペイン::f履歴クリア() {
    r計算式履歴_.Clear();
    rL式履歴_.Clear();
}

void T窓結果ペイン::fリセット() {
    T結果ペイン::fリセット();
    bリセット_ = true;
}
