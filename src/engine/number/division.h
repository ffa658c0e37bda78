// Records of the stepwise integer division that expands a fraction into its decimal
// text, a block of characters per step, marking the repeating cycle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/number/integer.h"

// State of a stepwise division; the radix output conversion shares it.
enum class E整数順次除算内部状態 {
    m順次除算中状態,      // dividing: each step adds characters
    m順次小数除算中状態,  // fraction digits of the radix conversion (not entered here)
    m循環節チェック状態,  // ended or a remainder recurred: the next step writes the marks
    m除算完了状態,        // the result text is final
};

// The dividend, divisor and remainders of a running division, in a compact form private
// to the division code (defined there).
struct T余り索引;
// Releases a T余り索引; lets the context be destroyed where the index is incomplete.
struct T余り索引削除 {
    void operator()(T余り索引* p) const noexcept;
};

// Context of one stepwise division, owned by the caller. Initialise, step until true,
// finish once in every case (also after an exception left a step).
//
// The texts, e状態 and l循環小数リスト位置 are exactly those of long division by repeated
// subtraction with a list of the remainders recorded after the point, searched from the
// front: every text a step leaves is one that long division leaves after some step, and
// the final text, state and cycle index are the same. A step adds a block of characters:
// a piece of the integer part (converted from the quotient, which is computed once), or
// a block of fraction digits. Where the list would be searched, the answer comes from the
// divisor: for a divisor below 2^64 the cycle's start and length follow from its
// factorisation; for a larger one the start follows from its factors 2 and 5, and the
// end is found by comparing remainders a block apart (c余りLst describes how).
struct T整数順次除算コンテキスト型 {
    E整数順次除算内部状態 e状態 = E整数順次除算内部状態::m除算完了状態;
    std::u16string s符号;             // "-" when exactly one operand was written with "-"
    bool b余り保存フラグ = false;     // past the point: remainders are being recorded
    std::unique_ptr<T余り索引, T余り索引削除> c余りLst;  // operands and remainders; absent until created
    int32_t l循環小数リスト位置 = -1; // index of the recurring remainder; -1 while none
    std::u16string s除算結果;         // the text so far with its sign; final at the end
    std::u16string s除算途中;         // the quotient text so far without sign
};
