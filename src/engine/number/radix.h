// Records of the stepwise output conversion of a decimal text into another radix.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/number/division.h"
#include "engine/number/fraction.h"

// The fractional part still to be converted and what answers "has this fractional part
// been met before, and at which index", in a compact form private to the radix code
// (defined there).
struct T基数小数桁状態;
// Releases a T基数小数桁状態; lets the context be destroyed where the state is incomplete.
struct T基数小数桁状態削除 {
    void operator()(T基数小数桁状態* p) const noexcept;
};

// Context of one radix conversion, owned by the caller: initialise, step until true,
// finish once in every case (also after an exception left a step).
//
// The texts, e状態 and l循環小数リスト位置 are exactly those of a conversion that keeps
// the place values r^0 … r^(k-1) as decimal strings for the integer part and, for the
// fraction part, subtracts 1/r digit by digit and remembers every fractional part met
// (in lowest terms) in a list searched from the front. The work is done differently:
// the integer part by repeated division of machine-word limbs by the largest power of
// r that fits a word, the fraction part as a numerator over the fixed denominator of
// the input's fractional part (one multiplication by r and one division per digit).
// The list is not kept: the j-th fractional part is frac(r^j·x), so the first one met
// again is always the one at the index s where the reduced denominator loses its last
// prime factor shared with r, and it comes back first after the period of r modulo the
// rest of the denominator. c余りLst keeps that one part and the count of entries.
struct T順次基数変換コンテキスト型 {
    E整数順次除算内部状態 e状態 = E整数順次除算内部状態::m除算完了状態;
    std::u16string s符号;             // sign of the number: "-" or ""
    std::unique_ptr<T基数小数桁状態, T基数小数桁状態削除> c余りLst;  // absent until the fraction digits start
    std::u16string s被除数ワーク;     // the integer part still to be converted (decimal)
    int32_t l循環小数リスト位置 = -1; // index of the recurring fractional part; -1 while none
    std::u16string s除算結果;         // the text so far with its sign; final at the end
    std::u16string s除算途中;         // the converted digits so far without sign
    int32_t i変換基数 = 0;            // the target radix
    std::u16string s小数桁;           // the fraction part of the input, "." included, or ""
    T分数型 t小数桁;                  // the input's fractional part in lowest terms (the
                                      // part still to be converted lives in c余りLst)
    T分数型 t累基小数桁用;            // 1 / radix
    bool b末尾キャンセル印 = false;   // the input ended with the cancel mark "..."
    bool b結果確定 = false;           // s除算結果 holds the final text
};
