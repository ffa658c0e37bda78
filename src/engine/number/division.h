// Records of the stepwise integer division that expands a fraction into its decimal
// text, one character per step, marking the repeating cycle.
#pragma once

#include <cstddef>
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

// The working remainder and the record of the remainders met after the point, in a
// compact form private to the division code (defined there).
struct T余り索引;
// Releases a T余り索引; lets the context be destroyed where the index is incomplete.
struct T余り索引削除 {
    void operator()(T余り索引* p) const noexcept;
};

// Context of one stepwise division, owned by the caller. Initialise, step until true,
// finish once in every case (also after an exception left a step).
//
// The working remainder (the partial dividend from which the next quotient digit comes)
// and the list of remainders recorded after the point are not kept as digit strings:
// c余りLst holds the remainder as a machine integer (base-10^9 limbs for a divisor of
// 2^64 or more), the number of recorded remainders, and what answers "was this remainder
// recorded before, and at which index": for a divisor below 2^64 the index and the
// number of entries at which the first repeat comes, computed from the first recorded
// remainder and the divisor; for a larger one a set of fingerprints of the entries. Only
// the division code reads them. The texts, e状態 and l循環小数リスト位置 are exactly
// those of long division with a remainder list searched from the front.
struct T整数順次除算コンテキスト型 {
    E整数順次除算内部状態 e状態 = E整数順次除算内部状態::m除算完了状態;
    std::u16string s符号;            // "-" when exactly one operand was negative
    bool b余り保存フラグ = false;     // past the point: remainders are being recorded
    std::unique_ptr<T余り索引, T余り索引削除> c余りLst;  // remainder and record; absent until created
    std::u16string s被除数ワーク;     // the dividend's digits (without sign)
    size_t i被除数位置 = 0;           // digits of s被除数ワーク before this index are brought down
    int32_t l循環小数リスト位置 = -1; // index of the recurring remainder; -1 while none
    std::u16string s除算結果;         // the text so far with its sign; final at the end
    std::u16string s除数;             // the divisor without sign
    std::u16string s除算途中;         // the quotient text so far without sign
};
