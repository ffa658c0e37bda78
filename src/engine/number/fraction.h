// Exact fractions of two digit strings, the values every number is made of.
#pragma once

#include <cstdint>
#include <string>

// A fraction: the numerator carries the sign; a denominator "0" means infinity.
// Results of the fraction operations are in lowest terms, except that nothing is
// reduced when either magnitude is "0" or "1" (0/16 stays 0/16, 3/0 stays 3/0).
struct T分数型 {
    std::u16string s分子;  // numerator: integer string, "-0" allowed
    std::u16string s分母;  // denominator: natural-number string
    bool operator==(const T分数型&) const = default;
};

// The digit of value pi10進 (0..35): "0".."9", then "A".."Z".
char16_t fn進1桁変換(int32_t pi10進);

// Value of a radix digit character ("0".."9", "A".."Z", "a".."z"), or -1 for anything else.
int32_t fn進1桁値(char16_t c);
