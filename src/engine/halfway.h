// The text of a running rendering so far: the evaluating thread writes it while the
// digits come, and another thread (the window's timer, a progress line) may read it at
// any time. Writes and reads from other threads take the lock; the evaluating thread
// reads its own text without it.
#pragma once

#include <mutex>
#include <string>

class T途中結果 {
public:
    // --- The evaluating thread.
    // A rendering starts (or ends): the text is emptied and the running mark set (cleared).
    void f開始() { fSet(true); }
    void f終了() { fSet(false); }
    // Starts the text again for one more expansion of the same rendering.
    void fクリア() { fSet(b実行中_); }
    // Brings the text up to date with a stepwise context's text after a step.
    void f追従(const std::u16string& vs文脈結果);
    // The text so far, for the evaluating thread only.
    const std::u16string& f文字列() const { return s_; }
    bool f実行中() const { return b実行中_; }

    // --- Any thread.
    // Calls f(running, text so far) under the lock and returns what it returns; the text
    // must not be kept beyond the call.
    template <class F>
    auto f参照(F&& f) const {
        std::lock_guard<std::mutex> lock(m_);
        return f(static_cast<bool>(b実行中_), static_cast<const std::u16string&>(s_));
    }

private:
    void fSet(bool running);

    mutable std::mutex m_;
    std::u16string s_;
    bool b実行中_ = false;
};
