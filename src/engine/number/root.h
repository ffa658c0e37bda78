// Records of the stepwise n-th root, which expands a root a block of decimal digits per
// step.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/number/fraction.h"

enum class E分数累乗根順次計算内部状態 {
    m累乗根順次計算中状態,    // computing: each step adds digits
    m累乗根符号付加中状態,    // digits final: the next step writes the result text
    m累乗根計算完了状態,      // the result text is final
};

// Working state of the root (defined with the root code): the base, the root's digits
// found so far as an integer, and whether the root ends. Copies of a context share it
// until one of them steps, which then takes a copy of its own, so copied contexts still
// step independently.
struct T累乗根作業;

// Context of one stepwise root, owned by the caller. Every text a step leaves is one
// that the digit-by-digit method leaves after some place, and the final text and state
// are the same; the halfway texts of one root are prefixes of each other, apart from the
// sign that is there from the first step.
struct T分数累乗根順次計算コンテキスト型 {
    E分数累乗根順次計算内部状態 e状態 = E分数累乗根順次計算内部状態::m累乗根計算完了状態;
    std::u16string s累乗根計算結果;  // result text with sign: halfway, then final
    std::u16string s符号;            // the base's sign: "-" or ""
    std::u16string s累乗根計算途中;  // digits so far without sign, "." once fractions begin
    T分数型 t底ワーク;               // the base without its sign
    int32_t l指数ワーク = 0;         // the root index n
    int32_t l10指数 = 0;             // decimal place of the next digit (-1: first fraction digit)
    std::shared_ptr<T累乗根作業> p作業;  // the integer remainder state of the digit method
};

// Prepares the n-th root of the base (n >= 0, not 1). Settles at once a zero base ("0"),
// a base of magnitude 1 ("1" with its sign) and the index 0 ("∞", "±∞" for a negative
// base); refuses a negative index and an even root of a negative base.
void f分数累乗根順次計算初期化(T分数累乗根順次計算コンテキスト型& rtc, const T分数型& vt底, int32_t vl指数,
                               const Tキャンセル検査& check);
// One step: false while digits are produced, true once s累乗根計算結果 is final. Blocks of
// fraction digits end at vi展開目標桁数 digits after the point and are single digits past
// it (0: no goal); the final text does not depend on it. A cancel leaves the context as it
// was before the step.
bool f分数累乗根順次計算(T分数累乗根順次計算コンテキスト型& rtc, int64_t vi展開目標桁数, const Tキャンセル検査& check);
// The n-th root as a fraction in lowest terms, stepped to its end (an irrational root runs
// until it is cancelled). Index 1 gives the base itself, unreduced; a root that is "∞"
// gives the infinity 1/0, one that is "±∞" an error.
T分数型 f分数累乗根(const T分数型& vt底, int32_t vl指数, const Tキャンセル検査& check);
