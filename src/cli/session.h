// One session of the console: one parser object whose variables and display mode last
// for every line, the console's result pane, and the message pump that cancels an
// evaluation on Ctrl+C, at the time limit or when an expansion has enough digits.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "cli/digit_count.h"
#include "cli/outcome.h"
#include "commands/result_pane.h"
#include "parser/parser.h"

// The result pane of the console: a text the commands write, read once per line.
class Tコンソールペイン : public T結果ペイン {
  public:
    std::u16string sペイン;
    // Run by "!reset" to clear the prompt's input history (none outside the prompt).
    std::function<void()> f履歴クリア処理;

  protected:
    std::u16string f結果ペイン文字列() const override { return sペイン; }
    void f結果ペイン設定(const std::u16string& vs) override { sペイン = vs; }
    void f履歴クリア() override {
        if (f履歴クリア処理) f履歴クリア処理();
    }
};

struct Tセッション設定型 {
    std::u16string s雛形;   // the template; empty: each line is the main text
    double d制限秒 = 0;     // 0: no time limit
    int32_t l桁数制限 = 0;  // 0: expansions are not cut
};

class Tセッション {
  public:
    // Registers the message pump; the session must outlive every evaluation.
    explicit Tセッション(Tセッション設定型 vt設定);
    ~Tセッション();
    Tセッション(const Tセッション&) = delete;
    Tセッション& operator=(const Tセッション&) = delete;

    // Evaluates one line (without its line feed), kept as the record's input. Never
    // throws: an exception, running out of memory included, becomes the line's error
    // message with no range.
    T評価結果型 f評価(std::u16string vs行);
    // Sets what the message pump reports during an evaluation: the running rendering's
    // halfway text, nullptr while none runs (an empty function: nothing is reported).
    void f途中通知設定(std::function<void(const std::u16string*)> f) { f途中通知_ = std::move(f); }
    // Sets what "!reset" does to the input history.
    void f履歴クリア処理設定(std::function<void()> f) { tペイン_.f履歴クリア処理 = std::move(f); }
    const std::u16string& f雛形() const { return t設定_.s雛形; }
    // Whether Ctrl+C cancelled the last evaluation.
    bool f割込み取消() const { return b割込み_; }

  private:
    // The pump callback: requests the cancel once one of the three conditions fired, and
    // reports the halfway text.
    void fポンプ();
    // Whether the running expansion's halfway text has reached the digit limit.
    bool f桁数到達();
    // Runs yygo with the template or the line as main text.
    void f実行(T評価結果型& rt);

    Tセッション設定型 t設定_;
    Tコンソールペイン tペイン_;
    ClsParser tParser_;
    T小数桁計数 t桁計数_;
    std::function<void(const std::u16string*)> f途中通知_;
    std::chrono::steady_clock::time_point t期限_;
    bool b取消中_ = false;  // this evaluation is being cancelled (Ctrl+C or time limit)
    bool b割込み_ = false;  // Ctrl+C arrived during this evaluation
};
