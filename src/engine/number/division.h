// Records of the stepwise integer division that expands a fraction into its decimal
// text, one character per step, marking the repeating cycle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// State of a stepwise division; the radix output conversion shares it.
enum class E整数順次除算内部状態 {
    m順次除算中状態,      // dividing: each step produces one quotient character
    m順次小数除算中状態,  // fraction digits of the radix conversion (not entered here)
    m循環節チェック状態,  // ended or a remainder recurred: the next step writes the marks
    m除算完了状態,        // the result text is final
};

// Index of the remainders recorded after the point (defined with the division code).
struct T余り索引;

// Context of one stepwise division, owned by the caller. Initialise, step until true,
// finish once in every case (also after an exception left a step).
struct T整数順次除算コンテキスト型 {
    E整数順次除算内部状態 e状態 = E整数順次除算内部状態::m除算完了状態;
    std::u16string s符号;            // "-" when exactly one operand was negative
    bool b余り保存フラグ = false;     // past the point: remainders are being recorded
    std::unique_ptr<T余り索引> c余りLst;  // recorded remainders; absent until created
    std::u16string s被除数ワーク;     // dividend digits not yet brought down
    int32_t l循環小数リスト位置 = -1; // index of the recurring remainder; -1 while none
    std::u16string s除算結果;         // the text so far with its sign; final at the end
    std::u16string s除数;             // the divisor without sign
    std::u16string s除算途中;         // the quotient text so far without sign
};
