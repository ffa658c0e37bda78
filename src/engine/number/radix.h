// Records of the stepwise output conversion of a decimal text into another radix.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/number/cycle.h"
#include "engine/number/division.h"
#include "engine/number/fraction.h"

// Context of one radix conversion, owned by the caller: initialise, step until true. What
// it holds goes with it; f順次基数変換終了 releases it earlier.
//
// The texts, e状態 and l循環小数リスト位置 are exactly those of a conversion that keeps
// the place values r^0 … r^(k-1) as decimal strings for the integer part and, for the
// fraction part, subtracts 1/r digit by digit and remembers every fractional part met
// (in lowest terms) in a list searched from the front: every text a step leaves is one
// that conversion leaves after some step, and the final text, state and cycle index are
// the same. The work is done differently: the whole integer part in the first step by
// splitting at powers of r, the fraction digits in blocks as long division of the
// fractional part's numerator by its denominator in radix r (the j-th fractional part
// is frac(r^j x)), with the list's answers from T循環探索 (cycle.h).
struct T順次基数変換コンテキスト型 {
    E整数順次除算内部状態 e状態 = E整数順次除算内部状態::m除算完了状態;
    std::u16string s符号;             // sign of the number: "-" or ""
    std::unique_ptr<T循環探索> p循環探索;  // the fraction digits; absent until they start (and for 0)
    std::u16string s被除数ワーク;     // the integer part still to be converted (decimal)
    int32_t l循環小数リスト位置 = -1; // index of the recurring fractional part; -1 while none
    std::u16string s除算結果;         // the text so far with its sign; final at the end
    std::u16string s除算途中;         // the converted digits so far without sign
    int32_t i変換基数 = 0;            // the target radix
    std::u16string s小数桁;           // the fraction part of the input, "." included, or ""
    T分数型 t小数桁;                  // the input's fractional part in lowest terms
    uint64_t l小数桁数 = 0;           // fraction digits written
    T分数型 t累基小数桁用;            // 1 / radix
    bool b末尾キャンセル印 = false;   // the input ended with the cancel mark "..."
    bool b結果確定 = false;           // s除算結果 holds the final text
};

// Prepares the conversion of a decimal text (sign, point, cycle marks and a final "..."
// allowed) into the radix (2..36). A zero is settled at once; a text that is no number
// (after the sign and the point only digits) is refused.
void f順次基数変換初期化(T順次基数変換コンテキスト型& rtc, const std::u16string& ps10進表記, int32_t pi表記基数,
                         const Tキャンセル検査& check);
// One step: false while not finished, true once s除算結果 is final. Blocks of fraction
// digits end at vi展開目標桁数 digits after the point and are single digits past it (0: no
// goal); the final text does not depend on it. A cancel leaves the context as it was
// before the step.
bool f順次基数変換(T順次基数変換コンテキスト型& rtc, int64_t vi展開目標桁数, const Tキャンセル検査& check);
// Releases what the context holds; safe to call more than once.
void f順次基数変換終了(T順次基数変換コンテキスト型& rtc);
