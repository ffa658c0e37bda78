// The progress line of the interactive prompt: while an evaluation runs longer than half
// a second, one line on the terminal, redrawn four times a second from the message
// pump, shows the time so far and, once a rendering produces digits, their count and the
// latest of them that fit the width. It is erased before anything else is written.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "commands/digit_count.h"

class T進捗表示 {
  public:
    // pOut: the terminal the line is drawn on; nullptr: never drawn.
    explicit T進捗表示(FILE* pOut) : pOut_(pOut) {}

    // Marks the start of an evaluation and reads the terminal's width.
    void f開始();
    // From the message pump: redraws the line when it is due. ps途中 is the running
    // rendering's halfway text, nullptr while none runs. Only reads the clock otherwise.
    void f通知(const std::u16string* ps途中);
    // Erases the line if it is shown; whether it was.
    bool f消去();

  private:
    using T時計 = std::chrono::steady_clock;

    FILE* pOut_;
    T時計::time_point t開始_{};
    T時計::time_point t次回_{};
    size_t i幅_ = 0;  // columns the line may take
    bool b表示中_ = false;
    T小数桁計数 t計数_;
};

// The text of the progress line within i幅 columns: "計算中 <s> 秒", then, when n桁 > 0,
// " <n> 桁" and the end of vs途中 as fits; empty when not even the time fits. The words
// are in the user's language ("computing <s> s <n> digits").
std::string f進捗行(double d秒, size_t n桁, const std::u16string& vs途中, size_t i幅);
