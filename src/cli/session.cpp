#include "cli/session.h"

#include <new>
#include <utility>

#include "cli/interrupt.h"
#include "common/utf.h"

namespace {

// An evaluation that ended by an exception: its message as the error, no range.
void f例外結果設定(T評価結果型& rt, std::u16string vsメッセージ) {
    rt.s結果.clear();
    rt.sエラー = std::move(vsメッセージ);
    rt.l主位置 = -1;
    rt.l主長さ = 0;
    rt.l置換位置 = -1;
    rt.l置換長さ = 0;
}

}  // namespace

Tセッション::Tセッション(Tセッション設定型 vt設定)
    : t設定_(std::move(vt設定)), tParser_(&tペイン_) {
    // The digit limit is checked at every engine step, and expansions end a block at
    // it, so that the cut lands exactly on the N-th digit; otherwise the pump runs every
    // few milliseconds.
    std::function<void()> f = [this] { fポンプ(); };
    T取消要求& request = tParser_.fBrelvita().t取消要求;
    if (t設定_.l桁数制限 > 0) {
        tParser_.fBrelvita().i展開目標桁数 = t設定_.l桁数制限;
        request.f監視設定(std::move(f), 0);
    } else {
        request.f監視設定(std::move(f));
    }
}

Tセッション::~Tセッション() = default;

void Tセッション::fポンプ() {
    if (!b取消中_) {
        b割込み_ = f割込み取得();
        b取消中_ = b割込み_ || (t設定_.d制限秒 > 0 && std::chrono::steady_clock::now() >= t期限_);
    }
    // The engine clears its request when it turns a cancel into "...", so the request
    // is repeated on every call until the evaluation ends.
    if (b取消中_ || f桁数到達()) tParser_.yyキャンセル指示();
    if (f途中通知_) {
        const T途中結果& halfway = tParser_.fBrelvita().t途中結果;
        f途中通知_(halfway.f実行中() ? &halfway.f文字列() : nullptr);
    }
}

bool Tセッション::f桁数到達() {
    if (t設定_.l桁数制限 <= 0) return false;
    const T途中結果& halfway = tParser_.fBrelvita().t途中結果;
    if (!halfway.f実行中()) {
        t桁計数_.fリセット();
        return false;
    }
    return t桁計数_.f計数(halfway.f文字列()) >= static_cast<size_t>(t設定_.l桁数制限);
}

void Tセッション::f実行(T評価結果型& rt) {
    if (t設定_.s雛形.empty()) {
        tParser_.yygo(rt.s入力 + u"\n", rt.s結果, rt.sエラー, rt.l主位置, rt.l主長さ, u"",
                      rt.l置換位置, rt.l置換長さ);
    } else {
        tParser_.yygo(t設定_.s雛形 + u"\n", rt.s結果, rt.sエラー, rt.l主位置, rt.l主長さ, rt.s入力,
                      rt.l置換位置, rt.l置換長さ);
    }
}

T評価結果型 Tセッション::f評価(std::u16string vs行) {
    T評価結果型 r;
    r.s入力 = std::move(vs行);
    tペイン_.sペイン.clear();
    t桁計数_.fリセット();
    b取消中_ = false;
    b割込み_ = false;
    f割込み破棄();
    if (t設定_.d制限秒 > 0) {
        t期限_ = std::chrono::steady_clock::now() +
                 std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                     std::chrono::duration<double>(t設定_.d制限秒));
    }
    f評価中設定(true);
    try {
        f実行(r);
    } catch (const E一般例外& x) {
        f例外結果設定(r, x.message());
    } catch (const std::bad_alloc&) {
        f例外結果設定(r, kメモリ不足);
    } catch (const std::exception& x) {
        f例外結果設定(r, Utf8ToUtf16(x.what()));
    } catch (...) {
        f例外結果設定(r, u"不明な例外");
    }
    f評価中設定(false);
    r.s出力 = std::move(tペイン_.sペイン);
    tペイン_.sペイン.clear();
    return r;
}
