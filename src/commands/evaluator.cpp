#include "commands/evaluator.h"

#include <chrono>
#include <new>
#include <utility>

#include "commands/result_pane.h"
#include "common/utf.h"
#include "engine/units/value_text.h"

// The result pane the commands write to during one line: empty when the line starts,
// read into the outcome when it ends.
class T評価器::T出力捕捉 : public T結果ペイン {
public:
    std::u16string sペイン;
    bool b追記 = false;
    bool bリセット = false;

    // Empties the pane and the marks for a new line.
    void f開始() {
        sペイン.clear();
        b追記 = bリセット = false;
    }
    // "!version" adds below whatever the pane shows.
    void fバージョン表示() override {
        T結果ペイン::fバージョン表示();
        b追記 = true;
    }

protected:
    std::u16string f結果ペイン文字列() const override { return sペイン; }
    void f結果ペイン設定(const std::u16string& vs) override { sペイン = vs; }
    void f履歴クリア() override { bリセット = true; }
};

namespace {

// An outcome that ended by an exception with this text: the message, no range.
void f例外結果設定(T評価結果型& rt, std::u16string vsメッセージ) {
    rt.s結果.clear();
    rt.sエラー = vsメッセージ.empty() ? u"?" : std::move(vsメッセージ);
    rt.l主位置 = rt.l置換位置 = -1;
    rt.l主長さ = rt.l置換長さ = 0;
    rt.b例外 = true;
}

}  // namespace

T評価器::T評価器() : p出力_(std::make_unique<T出力捕捉>()), t構文解析_(p出力_.get()) {}

T評価器::~T評価器() { f作業終了待ち(); }

void T評価器::fキャンセル() {
    const std::lock_guard<std::mutex> lock(m行_);
    if (b行中_) t構文解析_.yyキャンセル指示();
}

void T評価器::f行開始() {
    const std::lock_guard<std::mutex> lock(m行_);
    t構文解析_.f取消クリア();
    b行中_ = true;
}

void T評価器::f行終了() {
    const std::lock_guard<std::mutex> lock(m行_);
    b行中_ = false;
}

T評価結果型 T評価器::f評価(std::u16string vs行, const T評価設定型& vt設定) {
    f行開始();
    T評価結果型 r = f行評価(std::move(vs行), vt設定);
    f行終了();
    return r;
}

void T評価器::f別スレッド評価(std::u16string vs行, T評価設定型 vt設定, std::function<void(T評価結果型)> vf完了) {
    if (t作業_.joinable()) t作業_.join();
    f行開始();
    b作業中_ = true;
    try {
        t作業_ = std::thread([this, line = std::move(vs行), options = std::move(vt設定), done = std::move(vf完了)]() mutable {
            T評価結果型 r = f行評価(std::move(line), options);
            f行終了();
            b作業中_ = false;
            try {
                done(std::move(r));
            } catch (...) {
                // Handing a long outcome over ran out of memory, which is freed by now: the
                // line is reported as one that ran out of memory.
                T評価結果型 small = fメモリ不足結果();
                small.i表示モード = f表示モード();
                try {
                    done(std::move(small));
                } catch (...) {
                }
            }
        });
    } catch (...) {
        f行終了();
        b作業中_ = false;
        throw;
    }
}

void T評価器::f作業終了待ち() {
    // A cancel lands at the next cancellation point; asking again also ends whatever work
    // the rest of the line still holds.
    while (b作業中_) {
        fキャンセル();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (t作業_.joinable()) t作業_.join();
}

void T評価器::f監視設定(std::function<void()> f, int intervalMs) {
    f監視_ = std::move(f);
    l監視間隔ms_ = intervalMs;
}

void T評価器::f変数設定(const std::u16string& vs名前, const T単位数型& vt値) {
    t構文解析_.fSymTab().fSym値設定(vs名前, VARIABLE_TOKEN, vt値);
}

void T評価器::f監視() {
    if (f桁数到達()) fキャンセル();
    if (f監視_) f監視_();
}

bool T評価器::f桁数到達() {
    if (l桁数目標_ <= 0) return false;
    const T途中結果& halfway = f途中();
    if (!halfway.f実行中()) {
        t桁計数_.fリセット();
        return false;
    }
    return t桁計数_.f計数(halfway.f文字列()) >= static_cast<uint64_t>(l桁数目標_);
}

void T評価器::f実行(T評価結果型& rt, const std::u16string& vs雛形) {
    // yygo without its first half, done when the line was marked as running.
    if (vs雛形.empty()) {
        t構文解析_.f行評価(rt.s入力 + u"\n", rt.s結果, rt.sエラー, rt.l主位置, rt.l主長さ, u"", rt.l置換位置,
                           rt.l置換長さ);
    } else {
        t構文解析_.f行評価(vs雛形 + u"\n", rt.s結果, rt.sエラー, rt.l主位置, rt.l主長さ, rt.s入力, rt.l置換位置,
                           rt.l置換長さ);
    }
}

T評価結果型 T評価器::f行評価(std::u16string vs行, const T評価設定型& vt設定) {
    T評価結果型 r;
    r.s入力 = std::move(vs行);
    p出力_->f開始();
    l桁数目標_ = vt設定.l桁数目標;
    t構文解析_.fBrelvita().i展開目標桁数 = l桁数目標_;
    t桁計数_.fリセット();
    // The digit goal is checked at every cancellation point, so that the cut lands on
    // the digit block that reaches it; otherwise the front end's watch sets the pace.
    T取消要求& request = t構文解析_.fBrelvita().t取消要求;
    if (l桁数目標_ > 0 || f監視_) {
        request.f監視設定([this] { f監視(); }, l桁数目標_ > 0 ? 0 : l監視間隔ms_);
    } else {
        request.f監視設定(nullptr);
    }
    try {
        f実行(r, vt設定.s雛形);
    } catch (const E一般例外& x) {
        f例外結果設定(r, x.message());
    } catch (const std::bad_alloc&) {
        f例外結果設定(r, kメモリ不足);
    } catch (const std::exception& x) {
        f例外結果設定(r, Utf8ToUtf16(x.what()));
    } catch (...) {
        f例外結果設定(r, u"不明な例外");
    }
    r.s出力 = std::move(p出力_->sペイン);
    r.b出力追記 = p出力_->b追記;
    r.bリセット = p出力_->bリセット;
    r.bキャンセル = t構文解析_.f取消済();
    r.i表示モード = f表示モード();
    if (vt設定.b変数保存形) r.p変数 = f変数変化();
    return r;
}

std::shared_ptr<const std::vector<T変数保存形>> T評価器::f変数変化() {
    const ClsSymTab& table = t構文解析_.fSymTab();
    if (l変数世代_ == table.f世代()) return nullptr;
    try {
        auto v = std::make_shared<std::vector<T変数保存形>>();
        // Assignments never store a cancelled value; one would have no saved form.
        for (const TSymレコード& e : table.f一覧())
            if (!e.t値.bキャンセル値) v->push_back({e.sシンボル名, f単位数保存文字列(e.t値)});
        l変数世代_ = table.f世代();
        return v;
    } catch (const std::bad_alloc&) {
        return nullptr;  // the saved state keeps the forms it had
    }
}
