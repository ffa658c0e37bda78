// One session of the console: one evaluator whose variables and display mode last for
// every line, and the watch that cancels a line on Ctrl+C or at the time limit and
// reports the halfway text to the progress line.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "commands/evaluator.h"

struct Tセッション設定型 {
    std::u16string s雛形;   // the template; empty: each line is the main text
    double d制限秒 = 0;     // 0: no time limit
    int32_t l桁数制限 = 0;  // 0: expansions are not cut
};

class Tセッション {
  public:
    explicit Tセッション(Tセッション設定型 vt設定);
    Tセッション(const Tセッション&) = delete;
    Tセッション& operator=(const Tセッション&) = delete;

    // Evaluates one line (without its line feed), kept as the record's input. Never
    // throws: an exception, running out of memory included, becomes the line's error
    // message with no range. "!reset" also runs the history-clearing action.
    T評価結果型 f評価(std::u16string vs行);
    // Sets what the watch reports during an evaluation: the running rendering's halfway
    // text, nullptr while none runs (an empty function: nothing is reported).
    void f途中通知設定(std::function<void(const std::u16string*)> f) { f途中通知_ = std::move(f); }
    // Sets what "!reset" does to the input history.
    void f履歴クリア処理設定(std::function<void()> f) { f履歴クリア_ = std::move(f); }
    const std::u16string& f雛形() const { return t設定_.s雛形; }
    // Whether Ctrl+C cancelled the last evaluation.
    bool f割込み取消() const { return b割込み_; }

  private:
    // The watch: asks for the cancel once Ctrl+C or the time limit fired (again at every
    // call, so the rest of the line ends at once too), and reports the halfway text.
    void f監視();

    Tセッション設定型 t設定_;
    T評価器 t評価器_;
    std::function<void(const std::u16string*)> f途中通知_;
    std::function<void()> f履歴クリア_;
    std::chrono::steady_clock::time_point t期限_;
    bool b取消中_ = false;  // this evaluation is being cancelled (Ctrl+C or time limit)
    bool b割込み_ = false;  // Ctrl+C arrived during this evaluation
};
