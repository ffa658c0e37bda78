// The window's side of the state kept across runs: taking the state from the panes, the
// histories, the window's geometry and the session's mode and variables as the last
// outcome gave them, putting a read state back before the first evaluation, and saving
// after each change.
#include "commands/result_pane.h"
#include "ui/main_window.h"
#include "ui/pane_text.h"

void TfTavelko::f状態復元() {
    const std::optional<T窓状態> t = p状態_->f読込();
    if (t) f状態適用(*t);
}

T窓状態 TfTavelko::f状態取得() {
    T窓状態 t;
    t.v計算式履歴 = 計算式履歴.f一覧();
    t.vL式履歴 = L式履歴.f一覧();
    t.sL式 = RtbLambda->toPlainText().toStdU16String();
    t.vペイン高さ = Splitters->sizes();
    // Collapsed, the pane keeps the height it returns to in l退避LambdaHight.
    t.bL式開 = !f雛形欄閉(t.vペイン高さ.value(0));
    t.lL式高さ = t.bL式開 ? t.vペイン高さ.value(0) : l退避LambdaHight;
    t.i表示モード = i表示モード_;
    if (p変数保存形_)
        for (const T変数保存形& v : *p変数保存形_) t.v変数.push_back({v.s名前, v.s保存形, {}});
    t.b窓配置 = saveGeometry();
    t.i拡大 = i拡大_;
    return t;
}

void TfTavelko::f状態適用(const T窓状態& t) {
    for (const std::u16string& s : t.v計算式履歴) 計算式履歴.f履歴追加(s);
    for (const std::u16string& s : t.vL式履歴) L式履歴.f履歴追加(s);
    RtbLambda->setPlainText(QString::fromStdU16String(t.sL式));
    t評価器_.f表示モード設定(t.i表示モード);
    i表示モード_ = t.i表示モード;
    // Assignments are the only source of variables, so they come back as assigned ones.
    auto forms = std::make_shared<std::vector<T変数保存形>>();
    for (const T保存変数& v : t.v変数) {
        t評価器_.f変数設定(v.s名前, v.t値);
        forms->push_back({v.s名前, v.s保存形});
    }
    p変数保存形_ = std::move(forms);
    // A geometry this platform cannot use leaves the window at its default place and size.
    b窓配置復元済_ = restoreGeometry(t.b窓配置);
    f拡大設定(t.i拡大);
    Splitters->setSizes(t.vペイン高さ);
    l退避LambdaHight = t.bL式開 ? 0 : t.lL式高さ;
    f雛形標識更新();
    b状態復元済_ = true;
}

void TfTavelko::f状態保存(bool bリセット) {
    if (!p状態_) return;
    if (bリセット)
        p状態_->f消去(f状態取得());
    else
        p状態_->f保存(f状態取得());
    f状態警告表示();
}

void TfTavelko::f状態警告表示() { f通知表示(p状態_->f警告取出()); }

void TfTavelko::f通知表示(const QStringList& v) {
    if (v.isEmpty()) return;
    std::u16string s = fCRLF文字列(RtbResult->f全文());
    for (const QString& line : v) s = f行追加(s, line.toStdU16String());
    RtbResult->f表示(fペイン文字列(s));
    RtbResult->f末尾表示();
}
