// Counts the digits in the engine's halfway text, after the point and in all, while an
// expansion grows, without rescanning the whole text at every step.
#pragma once

#include <cstddef>
#include <string>

class T小数桁計数 {
  public:
    // The digits after the point in s (decimal digits and radix letters; a cycle mark is
    // not a digit). Only the part appended since the last call is scanned, unless the
    // text got shorter or its point moved, which means a new expansion began.
    size_t f計数(const std::u16string& s);
    // The digits on both sides of the point in the text of the last count.
    size_t f全桁数() const { return i全桁数_; }
    // Forgets the text seen so far.
    void fリセット();

  private:
    size_t i走査済み_ = 0;
    size_t i小数点_ = std::u16string::npos;
    size_t i桁数_ = 0;
    size_t i全桁数_ = 0;
};
