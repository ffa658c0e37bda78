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

// The working state of a running division (operands, the quotient's text still to write,
// the fraction digits and their cycle search), private to the division code.
struct T順次除算作業;
// Releases a T順次除算作業; lets the context be destroyed where the state is incomplete.
struct T順次除算作業削除 {
    void operator()(T順次除算作業* p) const noexcept;
};

// Context of one stepwise division, owned by the caller: initialise, step until true.
// Its working state goes with it; f整数順次除算終了 releases it earlier.
//
// The texts, e状態 and l循環小数リスト位置 are exactly those of long division by repeated
// subtraction with a list of the remainders recorded after the point, searched from the
// front: every text a step leaves is one that long division leaves after some step, and
// the final text, state and cycle index are the same. A step adds a block of characters:
// a piece of the integer part (converted from the quotient, which is computed once), or
// a block of fraction digits. Where the list would be searched, the answer comes from the
// divisor: for a divisor below 2^64 the cycle's start and length follow from its
// factorisation; for a larger one the start follows from its factors 2 and 5, and the
// end is found by comparing remainders a block apart (T循環探索, cycle.h).
struct T整数順次除算コンテキスト型 {
    E整数順次除算内部状態 e状態 = E整数順次除算内部状態::m除算完了状態;
    std::u16string s符号;             // "-" when exactly one operand was written with "-"
    bool b余り保存フラグ = false;     // past the point: remainders are being recorded
    std::unique_ptr<T順次除算作業, T順次除算作業削除> p作業;  // the working state; absent until created
    int32_t l循環小数リスト位置 = -1; // index of the recurring remainder; -1 while none
    std::u16string s除算結果;         // the text so far with its sign; final at the end
    std::u16string s除算途中;         // the quotient text so far without sign
};

// The division of two digit strings (an optional "-" each) or of two integers. A zero
// dividend ("0") or divisor ("∞" with the sign) is settled at once.
void f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, std::u16string vs被除数, std::u16string vs除数,
                         const Tキャンセル検査& check);
void f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, const T整数型& vt被除数, const T整数型& vt除数);
// One step: false while the expansion goes on, true once s除算結果 is final. Blocks of
// fraction digits end at vi展開目標桁数 digits after the point and are single digits past
// it (0: no goal), so that an expansion cut there has exactly that many; the final text
// does not depend on it. A cancel leaves the context as it was before the step.
bool f整数順次除算(T整数順次除算コンテキスト型& rtc, int64_t vi展開目標桁数, const Tキャンセル検査& check);
// Releases the working state; safe when none was created.
void f整数順次除算終了(T整数順次除算コンテキスト型& rtc);
// The exact decimal text of base^n (base a decimal text) for n >= 0; "" for a negative n.
std::u16string f累乗文字列計算(const std::u16string& vs底, int32_t vl指数, const Tキャンセル検査& check);
