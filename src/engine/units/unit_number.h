// The value every operation of the expression language works on: an exact number
// with its dimension, unit notation and conversion formula.
#pragma once

#include <cstdint>
#include <string>

#include "engine/number/mantissa.h"
#include "engine/units/semantic_code.h"

// Raised for an exceptional unit other than "!time"; the rendering shows it like a cancel.
inline constexpr char16_t RCFES_不正例外単位[] = u"駄目だこりゃ! 不正な例外単位が指定されている!";

// Display radix value meaning "plain decimal".
inline constexpr int32_t D基数変換無 = 0;

// (A helper in arithmetic.cpp copies every field but the number: keep it in step.)
struct T単位数型 {
    T複素数型 t複素数;               // the number, in the value's unit
    bool bキャンセル値 = false;      // the number's computation was cancelled: no number
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

// A cancelled value: no field set but the cancel flag.
T単位数型 fキャンセル値作成();

// True when either value is a cancelled value (unary operations pass one value twice).
bool fキャンセル印チェック(const T単位数型& vtチェック数1, const T単位数型& vtチェック数2);

// Puts a value into the unknown unit ("???"), keeping its number, name, tag and radix.
void f未知単位情報設定(T単位数型& rt単位数);

// Respells every exceptional term of a notation ("!time" -> "s"); throws the general
// error RCFES_不正例外単位 for an exceptional term other than the time unit.
void f例外単位表記置換(std::u16string& rs単位表記);

// The ordinary spelling with the same meaning as an exceptional one ("!time" -> "s"),
// or "" when the spelling is not in the catalogue.
std::u16string f例外単位同一意味コ表記検索(const std::u16string& vs例外単位表記);
