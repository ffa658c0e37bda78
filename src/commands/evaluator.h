// The one way into the engine for every front end: a session of one parser whose
// variables and display mode last from line to line. A line goes in with its options and
// comes back as one outcome record: the result or the error with its ranges, what a
// command wrote for the result pane, and whether it was cancelled. Exceptions never
// leave it. A line runs on the caller's thread or on a thread of the session's own; while
// it runs, any other thread may ask for a cancel and read the halfway text, and nothing
// else of the session may be touched until it returns.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "commands/digit_count.h"
#include "commands/outcome.h"
#include "engine/halfway.h"
#include "parser/parser.h"

// The options of one line.
struct T評価設定型 {
    // The main text in which every "@" stands for the line; empty: the line alone.
    std::u16string s雛形;
    // Expansions are cut (as by a cancel) once their halfway text holds this many digits
    // after the point, and end their blocks there; 0: never.
    int64_t l桁数目標 = 0;
    // The outcome carries the variables' saved forms whenever the table changed.
    bool b変数保存形 = false;
};

class T評価器 {
public:
    T評価器();
    ~T評価器();
    T評価器(const T評価器&) = delete;
    T評価器& operator=(const T評価器&) = delete;

    // Evaluates one line (without its line feed). Never throws: an exception, running out
    // of memory included, becomes the error message with no range.
    T評価結果型 f評価(std::u16string vs行, const T評価設定型& vt設定);
    // The same on a thread of the session's own, which hands the outcome to vf完了; a
    // cancel asked for once this returns applies to the line, however soon. Waits for the
    // line before (which has handed its outcome over). Throws std::system_error or
    // std::bad_alloc when no thread can be started.
    void f別スレッド評価(std::u16string vs行, T評価設定型 vt設定, std::function<void(T評価結果型)> vf完了);
    // Waits for the session's thread to end, asking its line again and again to stop.
    void f作業終了待ち();

    // --- Any thread, also while a line runs.
    // Cancels the running piece of work of the line being evaluated, as a key in the window
    // does: its digits so far are shown with "...", and the rest of the line is not read.
    // Between lines it does nothing.
    void fキャンセル();
    // The halfway text of the running rendering.
    const T途中結果& f途中() const { return t構文解析_.fBrelvita().t途中結果; }

    // --- Between lines.
    // Sets the watch run on the evaluating thread at cancellation points while a line
    // runs, at most once per interval (0: at every point); an empty function removes it.
    void f監視設定(std::function<void()> f, int intervalMs = 2);
    int32_t f表示モード() const { return t構文解析_.fBrelvita().i結果表示モード; }
    // Sets the display mode (FRAC_CMD, MIXFRAC_CMD or DEC_CMD) without checking it.
    void f表示モード設定(int32_t i) { t構文解析_.fBrelvita().f結果表示モード(i); }
    // Stores a variable as an assignment would.
    void f変数設定(const std::u16string& vs名前, const T単位数型& vt値);

private:
    class T出力捕捉;
    // Runs the line (yygo once it was marked as running) with the template or the line as
    // main text.
    void f実行(T評価結果型& rt, const std::u16string& vs雛形);
    // The watch installed for a line: the digit goal, then the front end's watch.
    void f監視();
    // Whether the running expansion holds the digit goal's digits after the point.
    bool f桁数到達();
    // The variables' saved forms when the table changed since they were last made.
    std::shared_ptr<const std::vector<T変数保存形>> f変数変化();
    // Marks a line as running, on the thread that starts it: earlier cancel requests are
    // withdrawn, later ones apply to it. f行終了 marks its end.
    void f行開始();
    void f行終了();
    // Evaluates a line marked as running.
    T評価結果型 f行評価(std::u16string vs行, const T評価設定型& vt設定);

    std::unique_ptr<T出力捕捉> p出力_;
    ClsParser t構文解析_;
    std::function<void()> f監視_;
    int l監視間隔ms_ = 2;
    int64_t l桁数目標_ = 0;
    T小数桁計数 t桁計数_;
    uint64_t l変数世代_ = UINT64_MAX;  // of the last saved forms made
    std::mutex m行_;                   // orders the line's start and end with cancels
    bool b行中_ = false;               // a line is marked as running
    std::thread t作業_;                // the session's own thread, joined before the session goes
    std::atomic<bool> b作業中_{false};  // that thread has not finished its line
};
