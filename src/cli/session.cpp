#include "cli/session.h"

#include <utility>

#include "cli/interrupt.h"

Tセッション::Tセッション(Tセッション設定型 vt設定) : t設定_(std::move(vt設定)) {
    t評価器_.f監視設定([this] { f監視(); });
}

void Tセッション::f監視() {
    if (!b取消中_) {
        b割込み_ = f割込み取得();
        b取消中_ = b割込み_ || (t設定_.d制限秒 > 0 && std::chrono::steady_clock::now() >= t期限_);
    }
    // The engine withdraws its request when it turns a cancel into "...", so the request
    // is repeated on every call until the evaluation ends.
    if (b取消中_) t評価器_.fキャンセル();
    if (f途中通知_) {
        const T途中結果& halfway = t評価器_.f途中();
        f途中通知_(halfway.f実行中() ? &halfway.f文字列() : nullptr);
    }
}

T評価結果型 Tセッション::f評価(std::u16string vs行) {
    b取消中_ = false;
    b割込み_ = false;
    f割込み破棄();
    if (t設定_.d制限秒 > 0) {
        t期限_ = std::chrono::steady_clock::now() +
                 std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                     std::chrono::duration<double>(t設定_.d制限秒));
    }
    f評価中設定(true);
    T評価結果型 r = t評価器_.f評価(std::move(vs行), {t設定_.s雛形, t設定_.l桁数制限, false});
    f評価中設定(false);
    if (r.bリセット && f履歴クリア_) f履歴クリア_();
    return r;
}
