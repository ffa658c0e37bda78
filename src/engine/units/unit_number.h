// The value every operation of the expression language works on: an exact number
// with its dimension, unit notation and conversion formula.
#pragma once

#include <cstdint>
#include <string>

#include "engine/number/mantissa.h"
#include "engine/units/semantic_code.h"

// Display radix value meaning "plain decimal".
inline constexpr int32_t D基数変換無 = 0;

struct T単位数型 {
    T複素数型 t複素数;               // the number, in the value's unit; "..." marks a cancelled value
    T意味コ配列型 t意味コ配列;       // the dimension
    T保留補正式配列型 t保留;         // pending offset corrections
    std::u16string s単位表記;        // notation shown; "" plain number, "???" unknown
    std::u16string s基底値変換式;    // "*1000*1/3600": unit value -> base value
    T単項表記配列型 t単項表記リスト; // the unit terms as written
    std::u16string s変数名;          // variable name, or a number token's digit text
    int32_t iTag = 0;
    int32_t i表記基数 = D基数変換無;  // display radix 2..36, or 0
    bool operator==(const T単位数型&) const = default;
};
