// Regular-expression tests through PCRE2 (16-bit code units, UTF mode). Each pattern is
// compiled once and cached for the life of the program.
#pragma once

#include <string>

class TRegEx {
public:
    // True when the pattern matches somewhere in the input. "$" also matches before a
    // final line feed. Invalid UTF-16 in the input (a lone surrogate) fails to match.
    // A pattern that does not compile throws E一般例外.
    static bool IsMatch(const std::u16string& input, const std::u16string& pattern);
};
